// The docking demo on a real display, driven with xdotool as a person would
// drive it: a bar dragged off its side floats in a frame of its own, dragged
// to another side it docks there, and a double click on the floating frame's
// caption docks it where it was. Screenshots show the halftone outline during
// a drag and the floating frame.
#include <gtest/gtest.h>

#include <cairo.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/afx/ControlBarStyles.h"
#include "platform/afx/DockBar.h"
#include "platform/wxhost/DragOutlineStrips.h"
#include "tests/x11/ChildProcess.h"
#include "tests/x11/DockingDemoWindows.h"
#include "tests/x11/X11Session.h"

#include <wx/frame.h>

namespace {

using namespace ui;

std::string Number(long value) { return std::to_string(value); }

RECT ScreenRect(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  return rect;
}

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// The longest run of pixels in row `y` between `left` and `right` that
// alternate black and white, as the halftone outline is drawn.
int LongestHalftoneRun(cairo_surface_t* shot, int y, int left, int right) {
  const int width = cairo_image_surface_get_width(shot), height = cairo_image_surface_get_height(shot);
  if (y < 0 || y >= height) return 0;
  const auto* row = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(shot) +
                                                           y * cairo_image_surface_get_stride(shot));
  int longest = 0, run = 0;
  std::uint32_t previous = 0x1000000u;  // no colour
  for (int x = std::max(0, left); x < std::min(width, right); ++x) {
    const std::uint32_t pixel = row[x] & 0xFFFFFFu;
    const bool extreme = pixel == 0 || pixel == 0xFFFFFFu;
    run = extreme && previous != 0x1000000u && pixel != previous ? run + 1 : (extreme ? 1 : 0);
    previous = extreme ? pixel : 0x1000000u;
    longest = std::max(longest, run);
  }
  return longest;
}

// The longest halftone run along the top edge of `rect`, give or take a few rows.
int HalftoneAlongTop(const std::string& shot_path, const RECT& rect) {
  cairo_surface_t* shot = cairo_image_surface_create_from_png(shot_path.c_str());
  if (cairo_surface_status(shot) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(shot);
    return -1;
  }
  cairo_surface_flush(shot);
  int longest = 0;
  for (int y = rect.top - 3; y <= rect.top + 3; ++y)
    longest = std::max(longest, LongestHalftoneRun(shot, y, rect.left - 3, rect.right + 3));
  cairo_surface_destroy(shot);
  return longest;
}

class DockingOnDisplay : public ::testing::Test {
 protected:
  void SetUp() override {
    X11_REQUIRE_HOST();
    demo = std::make_unique<x11test::DockingDemo>();
    ASSERT_TRUE(WaitUntilSteady()) << "the window manager did not map the demo frame";
    x11test::RunHelper(
        {"sh", "-c", "xdotool search --sync --name '^Briven docking demo$' windowactivate --sync %1"});
  }
  void TearDown() override {
    demo.reset();
    x11test::PumpUntil([] { return false; }, 200);
  }
  bool WaitUntilSteady() { return x11test::WaitUntilShownAndSteady({demo->frame_hwnd}, demo->frame_hwnd); }
  // Idle time, as the program's loop gives it: pending layouts run.
  void Idle() {
    SendMessage(demo->frame_hwnd, afx::WM_IDLEUPDATECMDUI, TRUE, 0);
    x11test::PumpUntil([] { return false; }, 150);
    SendMessage(demo->frame_hwnd, afx::WM_IDLEUPDATECMDUI, TRUE, 0);
  }
  // Presses at `from`, moves to `to` in steps and releases there; with a
  // screenshot taken at `to` before the release when `shot` is given.
  void Drag(POINT from, POINT to, const std::string& shot = "") {
    std::string script = "xdotool mousemove --sync " + Number(from.x) + " " + Number(from.y) +
                         " mousedown 1 && sleep 0.2";
    for (int step = 1; step <= 4; ++step) {
      const long x = from.x + (to.x - from.x) * step / 4, y = from.y + (to.y - from.y) * step / 4;
      script += " && xdotool mousemove --sync " + Number(x) + " " + Number(y) + " && sleep 0.15";
    }
    if (!shot.empty()) script += " && sleep 0.3 && import -window root '" + shot + "'";
    script += " && xdotool mouseup 1 && sleep 0.2";
    x11test::RunHelper({"sh", "-c", script}, 20000);
    Idle();
  }
  void DoubleClick(POINT at) {
    x11test::RunHelper({"sh", "-c",
                        "xdotool mousemove --sync " + Number(at.x) + " " + Number(at.y) +
                            " click --repeat 2 --delay 80 1 && sleep 0.3"});
    Idle();
  }
  static HWND FloatingFrameOf(const afx::CControlBar* bar) {
    return bar->IsFloating() ? GetAncestor(bar->m_hWnd, GA_ROOT) : nullptr;
  }
  static POINT CaptionPoint(HWND floating) {
    const RECT window = ScreenRect(floating);
    POINT origin{0, 0};
    ClientToScreen(floating, &origin);
    return POINT{(window.left + window.right) / 2, (window.top + origin.y) / 2 + 1};
  }

  std::unique_ptr<x11test::DockingDemo> demo;
};

TEST_F(DockingOnDisplay, ABarDraggedOffFloatsToAnotherSideDocksAndADoubleClickDocksItBack) {
  const std::string folder = x11test::ScreenshotFolder();
  x11test::RunHelper({"import", "-window", "root", folder + "/docking-demo-start.png"});
  const RECT docked = ScreenRect(demo->output->m_hWnd);

  // Off its side into the middle of the frame: it floats, and the outline
  // shown during the drag is the halftone floating shape.
  RECT client;
  GetClientRect(demo->frame_hwnd, &client);
  POINT middle{client.right / 2, client.bottom / 2 - 40};
  ClientToScreen(demo->frame_hwnd, &middle);
  const std::string outline_shot = folder + "/docking-demo-outline.png";
  Drag(Centre(docked), middle, outline_shot);
  ASSERT_TRUE(demo->output->IsFloating());
  const HWND floating = FloatingFrameOf(demo->output);
  ASSERT_NE(floating, nullptr);
  EXPECT_TRUE(IsWindowVisible(floating));
  // The outline stood where the frame now floats: halftone along its top
  // edge, where the screen before the drag had none.
  const RECT placed = ScreenRect(floating);
  const long floating_width = placed.right - placed.left;
  EXPECT_GE(HalftoneAlongTop(outline_shot, placed), floating_width / 2);
  EXPECT_LT(HalftoneAlongTop(folder + "/docking-demo-start.png", placed), 8);
  x11test::PumpUntil([] { return false; }, 300);
  x11test::RunHelper({"import", "-window", "root", folder + "/docking-demo-floating.png"});

  // By its caption to the right side: it docks there.
  RECT frame_client;
  GetClientRect(demo->frame_hwnd, &frame_client);
  POINT right_edge{frame_client.right - 3, frame_client.bottom / 2};
  ClientToScreen(demo->frame_hwnd, &right_edge);
  Drag(CaptionPoint(floating), right_edge, folder + "/docking-demo-outline-docking.png");
  ASSERT_FALSE(demo->output->IsFloating());
  EXPECT_EQ(demo->output->m_pDockBar->GetDlgCtrlID(), static_cast<int>(afx::AFX_IDW_DOCKBAR_RIGHT));
  x11test::PumpUntil([] { return false; }, 300);
  EXPECT_FALSE(IsWindow(floating));
  x11test::RunHelper({"import", "-window", "root", folder + "/docking-demo-right.png"});

  // A double click floats it again, and a double click on the floating
  // frame's caption docks it back on the right.
  const RECT on_right = ScreenRect(demo->output->m_hWnd);
  DoubleClick(Centre(on_right));
  ASSERT_TRUE(demo->output->IsFloating());
  DoubleClick(CaptionPoint(FloatingFrameOf(demo->output)));
  ASSERT_FALSE(demo->output->IsFloating());
  EXPECT_EQ(ScreenRect(demo->output->m_hWnd), on_right);
}

}  // namespace

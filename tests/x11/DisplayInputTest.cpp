// The demo windows on a real display under a window manager: xdotool's
// clicks and keys reach our windows as the messages a person's would, at
// the exact client points; a screenshot shows our painted child where our
// geometry says it is.
#include <gtest/gtest.h>

#include <cairo.h>

#include <string>

#include "platform/ui/DeviceContext.h"
#include "platform/ui/StylePainter.h"
#include "tests/x11/ChildProcess.h"
#include "tests/x11/DemoWindows.h"
#include "tests/x11/X11Session.h"

namespace {

using namespace ui;
using x11test::DemoWindows;

std::string Number(long value) { return std::to_string(value); }

class DisplayInput : public ::testing::Test {
 protected:
  void SetUp() override {
    X11_REQUIRE_HOST();
    demo = std::make_unique<DemoWindows>();
    ASSERT_TRUE(demo->WaitUntilShown()) << "the window manager did not map the demo windows";
    // The frame has the display's keyboard focus, as after a person's click.
    x11test::RunHelper({"sh", "-c", "xdotool search --sync --name '^Briven demo$' windowactivate --sync %1"});
    ASSERT_TRUE(x11test::PumpUntil([&] { return GetActiveWindow() == demo->frame; }));
    SetFocus(demo->frame);
    demo->ClearLog();
  }
  void TearDown() override { demo.reset(); }

  // Moves the pointer to a screen point (and clicks, when asked).
  static void PointerTo(POINT screen, bool click) {
    std::vector<std::string> argv = {"xdotool", "mousemove", "--sync", Number(screen.x), Number(screen.y)};
    if (click) argv.insert(argv.end(), {"click", "1"});
    x11test::RunHelper(argv);
  }
  bool WaitFor(HWND hwnd, UINT message) {
    return x11test::PumpUntil([&] { return demo->Received(hwnd, message); }, 5000);
  }
  const x11test::DemoMessage* First(HWND hwnd, UINT message) const {
    for (const x11test::DemoMessage& m : demo->Log())
      if (m.hwnd == hwnd && m.message == message) return &m;
    return nullptr;
  }
  std::vector<std::pair<UINT, WPARAM>> Keys() const {
    std::vector<std::pair<UINT, WPARAM>> keys;
    for (const x11test::DemoMessage& m : demo->Log())
      if (m.message >= WM_KEYDOWN && m.message <= 0x0106 && (m.message & 1) == 0) keys.emplace_back(m.message, m.wParam);
    return keys;
  }

  std::unique_ptr<DemoWindows> demo;
};

TEST_F(DisplayInput, AClickReachesTheWindowUnderItAtTheExactClientPoint) {
  struct ClickCase {
    const char* name;
    HWND* target;
    POINT client;
  };
  const ClickCase cases[] = {
      {"frame, left of the child", &demo->frame, {10, 12}},
      {"frame, below the child", &demo->frame, {100, 150}},
      {"child", &demo->child, {5, 7}},
      {"child, last pixel", &demo->child, {119, 79}},
  };
  for (const ClickCase& c : cases) {
    demo->ClearLog();
    PointerTo(DemoWindows::ScreenPoint(*c.target, c.client), true);
    ASSERT_TRUE(WaitFor(*c.target, WM_LBUTTONUP)) << c.name;
    const x11test::DemoMessage* down = First(*c.target, WM_LBUTTONDOWN);
    ASSERT_NE(down, nullptr) << c.name;
    EXPECT_EQ(GET_X_LPARAM(down->lParam), c.client.x) << c.name;
    EXPECT_EQ(GET_Y_LPARAM(down->lParam), c.client.y) << c.name;
  }
}

TEST_F(DisplayInput, PressMoveOutsideAndReleaseReachTheWindowHoldingTheCapture) {
  demo->SetCaptureOnPress(true);
  const POINT press = DemoWindows::ScreenPoint(demo->frame, {20, 20});
  RECT outer{};
  GetWindowRect(demo->frame, &outer);
  const POINT outside{outer.right + 60, outer.bottom + 40};
  x11test::RunHelper({"xdotool", "mousemove", "--sync", Number(press.x), Number(press.y), "mousedown", "1",
                      "mousemove", "--sync", Number(outside.x), Number(outside.y), "mouseup", "1"});
  ASSERT_TRUE(WaitFor(demo->frame, WM_LBUTTONUP));
  const POINT expected = [&] {
    POINT p = outside;
    ScreenToClient(demo->frame, &p);
    return p;
  }();
  const x11test::DemoMessage* up = First(demo->frame, WM_LBUTTONUP);
  EXPECT_EQ(GET_X_LPARAM(up->lParam), expected.x);
  EXPECT_EQ(GET_Y_LPARAM(up->lParam), expected.y);
  bool moved_outside = false;
  for (const x11test::DemoMessage& m : demo->Log())
    moved_outside = moved_outside || (m.hwnd == demo->frame && m.message == WM_MOUSEMOVE &&
                                      GET_X_LPARAM(m.lParam) == expected.x && GET_Y_LPARAM(m.lParam) == expected.y);
  EXPECT_TRUE(moved_outside);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(DisplayInput, ShiftAGivesKey41ThenTheCharacterA) {
  x11test::RunHelper({"xdotool", "key", "shift+a"});
  ASSERT_TRUE(WaitFor(demo->frame, WM_CHAR));
  const std::vector<std::pair<UINT, WPARAM>> expected = {
      {WM_KEYDOWN, VK_SHIFT}, {WM_KEYDOWN, 0x41}, {WM_CHAR, 'A'}};
  const auto keys = Keys();
  ASSERT_GE(keys.size(), expected.size());
  EXPECT_EQ(std::vector(keys.begin(), keys.begin() + 3), expected);
}

TEST_F(DisplayInput, AltAndF10GiveSystemKeys) {
  x11test::RunHelper({"xdotool", "key", "alt"});
  ASSERT_TRUE(WaitFor(demo->frame, WM_SYSKEYUP));
  x11test::RunHelper({"xdotool", "key", "F10"});
  ASSERT_TRUE(x11test::PumpUntil([&] { return Keys().size() >= 2; }, 5000));
  const std::vector<std::pair<UINT, WPARAM>> expected = {{WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYDOWN, VK_F10}};
  EXPECT_EQ(Keys(), expected);
}

// The screen's pixel at a point, from a PNG of the whole screen.
std::uint32_t PixelAt(cairo_surface_t* screen, POINT point) {
  const unsigned char* row = cairo_image_surface_get_data(screen) + point.y * cairo_image_surface_get_stride(screen);
  return reinterpret_cast<const std::uint32_t*>(row)[point.x] & 0xFFFFFF;
}

std::uint32_t Rgb(COLORREF colour) {
  return (static_cast<std::uint32_t>(colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

TEST_F(DisplayInput, AScreenshotShowsThePaintedChildWhereOurGeometrySaysItIs) {
  const std::string path = x11test::ScreenshotFolder() + "/demo-windows.png";
  x11test::RunHelper({"import", "-window", "root", path});
  cairo_surface_t* screen = cairo_image_surface_create_from_png(path.c_str());
  ASSERT_EQ(cairo_surface_status(screen), CAIRO_STATUS_SUCCESS) << path;
  cairo_surface_flush(screen);
  RECT child{}, tool{};
  GetWindowRect(demo->child, &child);
  GetWindowRect(demo->tool, &tool);
  struct Probe {
    const char* name;
    POINT point;
    COLORREF colour;
  };
  const Probe probes[] = {
      {"child, first pixel", {child.left, child.top}, x11test::kChildColour},
      {"child, last pixel", {child.right - 1, child.bottom - 1}, x11test::kChildColour},
      {"frame left of the child", {child.left - 1, child.top}, x11test::kFrameColour},
      {"frame below the child", {child.left, child.bottom}, x11test::kFrameColour},
      {"tool window inside its border", {tool.left + 5, tool.top + 5}, x11test::kToolColour},
  };
  for (const Probe& p : probes)
    EXPECT_EQ(PixelAt(screen, p.point), Rgb(p.colour)) << p.name << " at " << p.point.x << "," << p.point.y;
  cairo_surface_destroy(screen);
}

TEST_F(DisplayInput, ADragOutlineShowsInTheHalftoneWhereItIsDrawn) {
  // On an empty part of the screen (the root window is black).
  const RECT outline{700, 500, 900, 650};
  const int thickness = 4;
  HDC desktop = CreateDesktopDC();
  StylePainter::PaintDragOutline(desktop, outline, thickness);
  ReleaseSurfaceDC(desktop);
  x11test::PumpUntil([] { return false; }, 300);
  const std::string path = x11test::ScreenshotFolder() + "/drag-outline.png";
  x11test::RunHelper({"import", "-window", "root", path});
  // Drawing it again erases it.
  desktop = CreateDesktopDC();
  StylePainter::PaintDragOutline(desktop, outline, thickness);
  ReleaseSurfaceDC(desktop);
  cairo_surface_t* screen = cairo_image_surface_create_from_png(path.c_str());
  ASSERT_EQ(cairo_surface_status(screen), CAIRO_STATUS_SUCCESS) << path;
  cairo_surface_flush(screen);
  // Each edge holds white halftone pixels next to black ones; inside and
  // outside the outline the screen is untouched.
  auto white_near = [&](POINT p) {
    return PixelAt(screen, p) == 0xFFFFFFu || PixelAt(screen, POINT{p.x + 1, p.y}) == 0xFFFFFFu;
  };
  EXPECT_TRUE(white_near({outline.left, outline.top}));
  EXPECT_TRUE(white_near({outline.right - 2, outline.bottom - 1}));
  EXPECT_TRUE(white_near({outline.left + 1, outline.top + 60}));
  EXPECT_TRUE(white_near({outline.right - thickness, outline.top + 60}));
  EXPECT_FALSE(white_near({outline.left + thickness + 2, outline.top + 60}));
  EXPECT_FALSE(white_near({outline.left - 4, outline.top + 60}));
  cairo_surface_destroy(screen);
  x11test::PumpUntil([] { return false; }, 100);
}

}  // namespace

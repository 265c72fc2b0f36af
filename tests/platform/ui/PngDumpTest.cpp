// A sample frame painted the way the window system and the bars paint,
// dumped to PNG in the build folder for a person to look at:
// tests/platform/ui/sample_frame.png and sample_screen.png.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/ui/Host.h"
#include "tests/platform/ui/DrawFixture.h"

namespace ui::test {
namespace {

constexpr int kWidth = 360, kHeight = 240;
const POINT kScreenPosition{60, 40};

// Paints a sizable frame with caption, a bar with a gripper, a client
// area with a sunken edge holding text, and a status bar.
void PaintSampleFrame(HDC dc) {
  using SP = StylePainter;
  const RECT window{0, 0, kWidth, kHeight};
  RECT inside = SP::PaintFrame(dc, window, SP::Frame::kThickFrame);
  SP::FillSolid(dc, inside, GetSysColor(COLOR_BTNFACE));
  const int caption_height = GetSystemMetrics(SM_CYCAPTION) - 1;
  const RECT caption{inside.left, inside.top, inside.right, inside.top + caption_height};
  const int button = GetSystemMetrics(SM_CXSIZE) - 2;
  SP::PaintCaptionBand(dc, caption, "Sample frame - telemetry.log", true, false, 3 * button + 6);
  const RECT close{caption.right - button - 2, caption.top + 2, caption.right - 2, caption.bottom - 2};
  const RECT max{close.left - button - 2, close.top, close.left - 2, close.bottom};
  const RECT min{max.left - button, close.top, max.left, close.bottom};
  SP::PaintCaptionButton(dc, close, SP::CaptionButton::kClose, false, true);
  SP::PaintCaptionButton(dc, max, SP::CaptionButton::kMaximize, false, true);
  SP::PaintCaptionButton(dc, min, SP::CaptionButton::kMinimize, false, true);

  // A docked bar: thin raised border, gripper, two flat buttons and one latched.
  const RECT bar{inside.left, caption.bottom + 1, inside.right, caption.bottom + 29};
  const RECT bar_inside = SP::PaintFrame(dc, bar, SP::Frame::kRaisedThin);
  SP::PaintGripper(dc, RECT{bar_inside.left + 2, bar_inside.top + 2, bar_inside.left + 9, bar_inside.bottom - 2}, false);
  for (int i = 0; i < 3; ++i) {
    SP::ButtonState state;
    state.flat = true;
    state.hot = i == 0;
    state.checked = i == 2;
    const RECT b{bar_inside.left + 12 + i * 24, bar_inside.top + 2, bar_inside.left + 35 + i * 24, bar_inside.bottom - 2};
    const RECT face = SP::PaintButtonFace(dc, b, state);
    SP::PaintArrowGlyph(dc, face, i == 1 ? SP::Arrow::kDown : SP::Arrow::kRight, GetSysColor(COLOR_BTNTEXT));
  }

  // Status bar with two sunken panes and the size grip.
  const RECT status{inside.left, inside.bottom - 20, inside.right, inside.bottom};
  SP::FillSolid(dc, status, GetSysColor(COLOR_BTNFACE));
  const RECT pane1{status.left + 2, status.top + 2, status.right - 90, status.bottom};
  const RECT pane2{status.right - 88, status.top + 2, status.right - 2, status.bottom};
  SP::PaintFrame(dc, pane1, SP::Frame::kSunkenThin);
  SP::PaintFrame(dc, pane2, SP::Frame::kSunkenThin);
  SP::PaintLabel(dc, RECT{pane1.left + 3, pane1.top, pane1.right, pane1.bottom}, "Ready", DT_SINGLELINE | DT_VCENTER, true);
  SP::PaintSizeGrip(dc, RECT{status.right - 14, status.bottom - 14, status.right, status.bottom});

  // The client area with its sunken edge, text, a push button and a check box.
  const RECT client_edge{inside.left + 4, bar.bottom + 4, inside.right - 4, status.top - 4};
  const RECT client = SP::PaintFrame(dc, client_edge, SP::Frame::kSunken);
  SP::FillSolid(dc, client, GetSysColor(COLOR_WINDOW));
  RECT line{client.left + 6, client.top + 6, client.right - 6, client.top + 20};
  SetBkMode(dc, TRANSPARENT);
  DrawText(dc, "Frames converted: 1 024 000", -1, &line, DT_SINGLELINE);
  OffsetRect(&line, 0, 16);
  DrawText(dc, "A line much too long for the area it is given, so it is cut with an ellipsis at its end", -1, &line,
           DT_SINGLELINE | DT_END_ELLIPSIS);
  OffsetRect(&line, 0, 16);
  DrawText(dc, "&Centred with a mnemonic", -1, &line, DT_SINGLELINE | DT_CENTER);
  SP::ButtonState pushed;
  pushed.is_default = true;
  const RECT ok{client.left + 6, client.bottom - 30, client.left + 81, client.bottom - 7};
  SP::PaintLabel(dc, SP::PaintButtonFace(dc, ok, pushed), "OK", DT_SINGLELINE | DT_CENTER | DT_VCENTER, true);
  const RECT cancel{ok.right + 6, ok.top, ok.right + 81, ok.bottom};
  SP::PaintLabel(dc, SP::PaintButtonFace(dc, cancel, {}), "Cancel", DT_SINGLELINE | DT_CENTER | DT_VCENTER, false);
  RECT focus = ok;
  InflateRect(&focus, -4, -4);
  DrawFocusRect(dc, &focus);
  SP::PaintCheckBox(dc, RECT{cancel.right + 10, ok.top + 5, cancel.right + 23, ok.top + 18}, true, true);
}

TEST(PngDumpTest, SampleFrameIsWrittenForAPersonToLookAt) {
  SurfaceCanvas frame(kWidth, kHeight, kScreenPosition);
  PaintSampleFrame(frame.dc());
  // A drag outline across the frame, in the screen-aligned halftone.
  StylePainter::PaintDragOutline(frame.dc(), RECT{150, 90, 330, 190}, 4);
  const std::string path = std::string(BRIVEN_TEST_BINARY_DIR) + "/sample_frame.png";
  std::remove(path.c_str());
  ASSERT_TRUE(WriteDCPng(frame.dc(), path.c_str()));
  FILE* f = std::fopen(path.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  unsigned char magic[8] = {};
  EXPECT_EQ(std::fread(magic, 1, 8, f), 8u);
  std::fclose(f);
  EXPECT_EQ(magic[1], 'P');
  // Spot checks of what a person should see: the active caption's navy at
  // its left, the window colour inside the sunken client edge.
  EXPECT_EQ(frame.At(6, 8), GetSysColor(COLOR_ACTIVECAPTION));
  EXPECT_EQ(frame.At(kWidth - 1, kHeight / 2), GetSysColor(COLOR_3DDKSHADOW));
}

TEST(PngDumpTest, DesktopOverlayIsXoredOverTheScreen) {
  // The screen as a person would see it: the desktop colour, the frame at
  // its place, and a drag outline drawn through the desktop context.
  const RECT screen = GetHost().ScreenRect();
  SurfaceCanvas desktop(screen.right - screen.left, screen.bottom - screen.top);
  const RECT all{0, 0, screen.right, screen.bottom};
  FillRect(desktop.dc(), &all, GetSysColorBrush(COLOR_DESKTOP));
  {
    SurfaceTarget at_place;
    at_place.surface = desktop.surface();
    at_place.origin = kScreenPosition;
    at_place.screen_origin = kScreenPosition;
    const HDC frame = CreateSurfaceDC(at_place);
    PaintSampleFrame(frame);
    ReleaseSurfaceDC(frame);
  }
  ClearDesktopOverlay();
  const HDC overlay = CreateDesktopDC();
  StylePainter::PaintDragOutline(overlay, RECT{300, 200, 700, 520}, 4);
  ReleaseSurfaceDC(overlay);
  ComposeDesktopOverlay(desktop.surface());
  const std::string path = std::string(BRIVEN_TEST_BINARY_DIR) + "/sample_screen.png";
  ASSERT_TRUE(WriteSurfacePng(desktop.surface(), path.c_str()));
  // Every other pixel of the outline is inverted, the inside untouched.
  int inverted = 0;
  for (int x = 600; x < 610; ++x) inverted += desktop.At(x, 200) != GetSysColor(COLOR_DESKTOP);
  EXPECT_EQ(inverted, 5);
  EXPECT_EQ(desktop.At(500, 400), GetSysColor(COLOR_DESKTOP));
  ClearDesktopOverlay();
}

}  // namespace
}  // namespace ui::test

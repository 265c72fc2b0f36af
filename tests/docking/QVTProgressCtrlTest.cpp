// The progress bar's arithmetic, its stepping timer, and its painting: the
// percentage drawn in the background's colour over the filled part and in
// the bar's colour over the rest.
#include <cairo.h>

#include <string>

#include <gtest/gtest.h>

#include "docking/QVTProgressCtrl.h"
#include "platform/ui/Host.h"
#include "platform/ui/Clock.h"
#include "platform/ui/HeadlessHost.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"

namespace {

struct PercentCase {
  std::int64_t lower, upper, position;
  double percent;
  const char* text;
};

TEST(ProgressBar, PercentIsClampedToTheRange) {
  const PercentCase cases[] = {
      {0, 100, 50, 50.0, "50 %"},
      {0, 0, 0, 0.0, "0 %"},            // equal bounds: no division by zero
      {0, 100, 250, 100.0, "100 %"},    // beyond the upper bound: full
      {0, 100, -5, 0.0, "0 %"},         // below the lower bound: empty
      {10, 20, 15, 50.0, "50 %"},
      {0, 200, 1, 0.5, "1 %"},          // rounded half up
      {0, 6000000000LL, 4500000000LL, 75.0, "75 %"},  // a log beyond 4 GiB
  };
  for (const PercentCase& c : cases) {
    QVTProgressCtrl bar;
    bar.SetRange(c.lower, c.upper);
    bar.SetPos(c.position, false);
    EXPECT_DOUBLE_EQ(bar.GetPercent(), c.percent) << c.position;
    EXPECT_EQ(bar.DisplayText(bar.GetPercent()), c.text) << c.position;
  }
}

TEST(ProgressBar, StylesChooseTheTextAndTheFilledSide) {
  QVTProgressCtrl bar;
  bar.SetText("custom");
  bar.SetDisplayStyle(QVTProgressCtrl::kShowText);
  EXPECT_EQ(bar.DisplayText(30), "custom");
  bar.SetDisplayStyle(0);
  EXPECT_EQ(bar.DisplayText(30), "");

  const ui::RECT client{0, 0, 200, 20};
  struct Case {
    ui::DWORD style;
    ui::RECT bar, background;
  };
  const Case cases[] = {
      {QVTProgressCtrl::kDefaultStyle, {0, 0, 50, 20}, {50, 0, 200, 20}},
      {QVTProgressCtrl::kFromRight, {150, 0, 200, 20}, {0, 0, 150, 20}},
      {QVTProgressCtrl::kVertical, {0, 15, 200, 20}, {0, 0, 200, 15}},
      {QVTProgressCtrl::kVertical | QVTProgressCtrl::kFromTop, {0, 0, 200, 5}, {0, 5, 200, 20}},
  };
  for (const Case& c : cases) {
    bar.SetDisplayStyle(c.style);
    ui::RECT filled, empty;
    bar.CalcRects(25.0, client, filled, empty);
    EXPECT_EQ(filled, c.bar) << c.style;
    EXPECT_EQ(empty, c.background) << c.style;
  }
}

TEST(ProgressBar, ARangeWithItsLowerBoundAboveTheUpperIsRefused) {
  QVTProgressCtrl bar;
  ASSERT_TRUE(bar.SetRange(10, 20));
  EXPECT_FALSE(bar.SetRange(30, 20));
  EXPECT_EQ(bar.GetLower(), 10);
  EXPECT_EQ(bar.GetUpper(), 20);
  EXPECT_TRUE(bar.SetRange(5, 5));  // equal bounds are a bar, if an empty one
}

TEST(ProgressBar, StepsByItsStepAndResetsToTheLowerBound) {
  QVTProgressCtrl bar;
  bar.SetRange(5, 40);
  EXPECT_EQ(bar.SetStep(15), 10);
  bar.SetPos(5, false);
  EXPECT_EQ(bar.StepIt(false), 5);
  EXPECT_EQ(bar.OffsetPos(20, false), 20);
  EXPECT_FALSE(bar.CanStep());  // at the upper bound a stepping timer stops
  bar.Reset();
  EXPECT_EQ(bar.GetPos(), 5);
}

TEST(ProgressBar, TheSteppingTimerFillsTheBarThenStops) {
  ui::VirtualClock clock;
  ui::SetClock(&clock);
  ui::GetHeadlessHost().SetStallLimit(5000);
  const ui::HWND window =
      ui::CreateWindowEx(0, "msctls_progress32", "", ui::WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  QVTProgressCtrl bar;
  ASSERT_TRUE(bar.Attach(window));
  bar.SetRange(0, 30);
  ASSERT_TRUE(bar.SetTimer(50));
  // The window's timer messages reach the bar until it is full; a timer
  // left running would stall this loop.
  int ticks = 0;
  ui::MSG msg;
  while (bar.CanStep() && ui::GetMessage(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == ui::WM_TIMER) ++ticks;
    ui::DispatchMessage(&msg);
  }
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(bar.GetPos(), 30);
  clock.Advance(200);
  EXPECT_FALSE(ui::PeekMessage(&msg, nullptr, ui::WM_TIMER, ui::WM_TIMER, ui::PM_REMOVE));
  // A full bar starts nothing.
  EXPECT_FALSE(bar.SetTimer(50));
  bar.Reset();
  EXPECT_TRUE(bar.SetTimer(0));
  bar.Detach();
  ui::DestroyWindow(window);
  ui::SetClock(nullptr);
}

// The colours of the pixels in `rect` of the window's back buffer: exactly
// navy or white, and (text is smoothed at its edges) near either.
struct ColourCount {
  int navy = 0, white = 0, light = 0, dark = 0;
};

ColourCount CountColours(cairo_surface_t* buffer, const ui::RECT& rect) {
  ColourCount count;
  cairo_surface_flush(buffer);
  const unsigned char* data = cairo_image_surface_get_data(buffer);
  const int stride = cairo_image_surface_get_stride(buffer);
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) {
      const std::uint32_t pixel = reinterpret_cast<const std::uint32_t*>(data + y * stride)[x] & 0xFFFFFF;
      const unsigned r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF;
      if (pixel == 0x000080) ++count.navy;
      if (pixel == 0xFFFFFF) ++count.white;
      if (r > 0xB0 && g > 0xB0) ++count.light;
      if (r < 0x90 && g < 0x90) ++count.dark;
    }
  }
  return count;
}

TEST(ProgressBar, AtHalfTheTextIsWhiteOverTheBarAndNavyOverTheRest) {
  ui::VirtualClock clock;
  ui::SetClock(&clock);
  const ui::HWND window = ui::CreateWindowEx(0, "msctls_progress32", "", ui::WS_POPUP | ui::WS_VISIBLE, 20, 20, 200,
                                             24, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  QVTProgressCtrl bar;
  ASSERT_TRUE(bar.Attach(window));
  ASSERT_TRUE(bar.SetRange(0, 1000));
  bar.SetPos(500, true);
  ui::UpdateWindow(window);
  cairo_surface_t* buffer = ui::GetBackBuffer(window);
  ASSERT_NE(buffer, nullptr);
  const std::string path = std::string(BRIVEN_TEST_BINARY_DIR) + "/progress_half.png";
  EXPECT_TRUE(ui::GetHeadlessHost().DumpWindowPng(window, path));
  // The filled half is navy with the text's left part in white; the empty
  // half white with the rest of the text in navy. "50 %" is centred, so
  // each half holds some of it.
  const ColourCount filled = CountColours(buffer, ui::RECT{0, 0, 100, 24});
  const ColourCount empty = CountColours(buffer, ui::RECT{100, 0, 200, 24});
  EXPECT_GT(filled.navy, filled.light * 3) << "mostly bar";
  EXPECT_GT(filled.light, 5) << "text over the bar";
  EXPECT_GT(empty.white, empty.dark * 3) << "mostly background";
  EXPECT_GT(empty.dark, 5) << "text over the background";
  // Away from the text each half is its plain colour.
  EXPECT_EQ(CountColours(buffer, ui::RECT{2, 2, 30, 22}).navy, 28 * 20);
  EXPECT_EQ(CountColours(buffer, ui::RECT{170, 2, 198, 22}).white, 28 * 20);
  bar.Detach();
  ui::DestroyWindow(window);
  ui::SetClock(nullptr);
}

}  // namespace

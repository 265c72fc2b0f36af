// The progress bar's arithmetic and the conversion log window's text limit.
#include <string>

#include <gtest/gtest.h>

#include "app/ConversionLogDlg.h"
#include "app/QVTProgressCtrl.h"
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
  const ui::HWND window = ui::CreateWindowEx(0, "Static", "bar", ui::WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr);
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
    if (msg.message != ui::WM_TIMER) continue;
    ++ticks;
    bar.OnTimer(msg.wParam);
  }
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(bar.GetPos(), 30);
  clock.Advance(200);
  EXPECT_FALSE(ui::PeekMessage(&msg, nullptr, ui::WM_TIMER, ui::WM_TIMER, ui::PM_REMOVE));
  // A full bar starts nothing.
  EXPECT_FALSE(bar.SetTimer(50));
  bar.Reset();
  EXPECT_TRUE(bar.SetTimer(0));
  ui::DestroyWindow(window);
  ui::SetClock(nullptr);
}

TEST(ConversionLogText, StaysBelowTheLimitDroppingWholeLinesFirst) {
  CConversionLogDlg log;
  const std::string line = std::string(98, 'x') + "\r\n";  // 100 characters
  for (int i = 0; i < 1000; ++i) log.AppendText(std::to_string(i % 10) + line.substr(1));
  EXPECT_LT(log.GetLength(), CConversionLogDlg::kTextLimit);
  EXPECT_GE(log.GetLength(), CConversionLogDlg::kTrimTarget - 100);
  // Whole lines only: the text still starts where a line starts.
  EXPECT_EQ(log.GetLength() % 100, 0u);
  EXPECT_EQ(log.GetText().substr(log.GetLength() - 100, 1), "9");
}

TEST(ConversionLogText, TextWithoutLineEndsIsCutToo) {
  CConversionLogDlg log;
  const std::string chunk(7000, 'a');
  for (int i = 0; i < 10; ++i) log.AppendText(chunk);
  EXPECT_LT(log.GetLength(), CConversionLogDlg::kTextLimit);
  log.AppendText("\r\nlast");
  EXPECT_LT(log.GetLength(), CConversionLogDlg::kTextLimit);
  EXPECT_EQ(log.GetText().substr(log.GetLength() - 6), "\r\nlast");
  log.Clear();
  EXPECT_EQ(log.GetLength(), 0u);
}

}  // namespace

#include "docking/QVTCaptionLayout.h"

#include <vector>

#include <gtest/gtest.h>

#include "platform/ui/WindowStyles.h"

namespace {

using namespace docking;

using Caption = QVTCaptionLayout;

TEST(QVTCaptionLayoutTest, BandsForWidthsZeroToSixtyOne) {
  const ui::COLORREF navy = ui::RGB(0, 0, 128);
  for (int width = -3; width <= 61; ++width) {
    SCOPED_TRACE(width);
    const std::vector<Caption::Band> bands = Caption::CalcBands(20, 20 + width, 0, navy);
    if (width <= 0) {
      EXPECT_TRUE(bands.empty());
      continue;
    }
    ASSERT_EQ(static_cast<int>(bands.size()), std::min(60, width));
    int x = 20;
    for (const Caption::Band& band : bands) {
      EXPECT_EQ(band.left, x);
      EXPECT_GT(band.right, band.left);
      x = band.right;
    }
    EXPECT_EQ(x, 20 + width);
    EXPECT_EQ(bands.front().colour, 0u);
    for (std::size_t i = 1; i < bands.size(); ++i) {
      EXPECT_GE((bands[i].colour >> 16) & 0xFF, (bands[i - 1].colour >> 16) & 0xFF);
      EXPECT_LE((bands[i].colour >> 16) & 0xFF, 128u);
    }
  }
}

TEST(QVTCaptionLayoutTest, GradientNeverRunsPastTheTarget) {
  const std::vector<Caption::Band> down = Caption::CalcBands(0, 600, ui::RGB(255, 200, 7), ui::RGB(0, 200, 9));
  for (const Caption::Band& band : down) {
    EXPECT_LE(band.colour & 0xFF, 255u);
    EXPECT_EQ((band.colour >> 8) & 0xFF, 200u);
    EXPECT_GE((band.colour >> 16) & 0xFF, 7u);
    EXPECT_LE((band.colour >> 16) & 0xFF, 9u);
  }
  EXPECT_EQ(down.back().right, 600);
  EXPECT_EQ(down[1].left, 10);
}

TEST(QVTCaptionLayoutTest, TitleSplitsAtTheFirstHyphen) {
  EXPECT_EQ(Caption::SplitTitle("Briven").first, "Briven");
  EXPECT_EQ(Caption::SplitTitle("Briven").second, "");
  EXPECT_EQ(Caption::SplitTitle("Briven - run-1.log").first, "Briven ");
  EXPECT_EQ(Caption::SplitTitle("Briven - run-1.log").second, "- run-1.log");
  EXPECT_EQ(Caption::SplitTitle("-x").first, "");
}

struct PlaceCase {
  const char* name;
  int right;
  int alignment;
  int firstStart;
  bool drawSecond;
};

// Caption from 0; first part 40 px (advance 46), second 50 px, "W..." 20 px.
// The second part needs 3 + 46 + 20 = 69 px: the rule and its edge case
// are the same test on either side of that width.
TEST(QVTCaptionLayoutTest, PlaceTextTable) {
  const std::vector<PlaceCase> cases = {
      {"just wide enough for the second part", 69, Caption::kLeft, 3, true},
      {"one pixel short: first part only", 68, Caption::kLeft, 3, false},
      {"centred", 203, Caption::kCentred, 3 + (203 - 96 - 3) / 2, true},
      {"right", 203, Caption::kRight, 203 - 96 - 1, true},
      {"right, not fitting stays left", 90, Caption::kRight, 3, true},
      {"centred, first part only, fits", 60, Caption::kCentred, 3 + (60 - 46 - 3) / 2, false},
      {"no width at all", 0, Caption::kCentred, 3, false},
  };
  for (const PlaceCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Caption::TextPlacement p = Caption::PlaceText(0, c.right, 40, 50, 20, c.alignment);
    EXPECT_EQ(p.firstStart, c.firstStart);
    EXPECT_EQ(p.drawSecond, c.drawSecond);
    EXPECT_EQ(p.secondStart, p.firstStart + 46);
  }
}

TEST(QVTCaptionLayoutTest, CaptionRectLeavesTheFrameAndButtons) {
  const Caption::Metrics m;  // frame 4, border 1, button 18
  const ui::DWORD overlapped = ui::WS_OVERLAPPEDWINDOW;
  EXPECT_EQ(Caption::CaptionButtons(overlapped), 2);
  EXPECT_EQ(Caption::CaptionRect(400, overlapped, true, true, m), (ui::RECT{4, 4, 396 - 3 * 18 - 1, 22}));
  EXPECT_EQ(Caption::CaptionRect(400, overlapped, false, true, m), (ui::RECT{4, 4, 396, 22}));
  EXPECT_EQ(Caption::CaptionRect(400, ui::WS_SYSMENU, true, false, m), (ui::RECT{1, 2, 399, 20}));
  EXPECT_EQ(Caption::CaptionButtons(ui::WS_MINIMIZEBOX), 0);
  EXPECT_EQ(Caption::CaptionButtons(ui::WS_MINIMIZEBOX | ui::WS_SYSMENU), 1);
  EXPECT_EQ(Caption::CaptionButtons(ui::WS_MAXIMIZEBOX | ui::WS_SYSMENU), 1);
  EXPECT_EQ(Caption::CaptionButtons(ui::WS_MAXIMIZEBOX), 0);
}

}  // namespace

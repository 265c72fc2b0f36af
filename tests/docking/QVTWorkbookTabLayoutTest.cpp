// The workbook's tab strip without windows: tab widths, the outline of a
// tab at rest and raised, hidden sheets without tabs, hit testing and the
// shortening of long titles.
#include "docking/QVTWorkbookTabLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "docking/QVTWorkbookTabStrip.h"

namespace {

using namespace docking;
using Layout = QVTWorkbookTabLayout;
using ui::POINT;
using ui::RECT;

TEST(QVTWorkbookTabLayoutTest, TabWidthTable) {
  struct Case {
    int client_width, visible_sheets, width;
  };
  const std::vector<Case> cases = {
      {305, 3, 90},   // 310 / 3 = 103, capped
      {305, 5, 62},   // 310 / 5
      {305, 4, 77},   // 310 / 4 = 77.5, rounded down
      {175, 2, 90},   // exactly the cap
      {174, 2, 89},   // one below it
      {305, 1, 90},
      {305, 0, 90},   // no tab at all: nothing to divide by
      {0, 3, 1},
      {-5, 3, 0},     // a client squeezed to nothing
      {-50, 2, 0},    // never a negative width
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.client_width << " / " << c.visible_sheets);
    EXPECT_EQ(Layout::TabWidth(c.client_width, c.visible_sheets), c.width);
  }
}

TEST(QVTWorkbookTabLayoutTest, ATabHangsBelowTheClientWithItsLowerCornersCut) {
  const RECT client{10, 20, 315, 220};
  const Layout::Polygon rest = Layout::TabPolygon(1, 90, client, false);
  const std::vector<POINT> expected_rest = {{100, 224}, {100, 245}, {102, 247}, {188, 247},
                                            {190, 245}, {190, 224}, {100, 224}};
  const Layout::Polygon raised = Layout::TabPolygon(1, 90, client, true);
  // Raised: 2 pixels out on either side and 2 pixels deeper.
  const std::vector<POINT> expected_raised = {{98, 224}, {98, 245}, {100, 249}, {190, 249},
                                              {192, 245}, {192, 224}, {98, 224}};
  EXPECT_EQ(std::vector<POINT>(rest.begin(), rest.end()), expected_rest);
  EXPECT_EQ(std::vector<POINT>(raised.begin(), raised.end()), expected_raised);
  EXPECT_EQ(Layout::LabelRect(rest, 16), (RECT{121, 224, 188, 247}));
  EXPECT_EQ(Layout::LabelRect(rest, 0), (RECT{105, 224, 188, 247}));
  EXPECT_EQ(Layout::BoundingBox(raised), (RECT{98, 224, 192, 249}));
}

TEST(QVTWorkbookTabLayoutTest, RepaintingOneTabOrEverythingRightOfIt) {
  const RECT client{10, 20, 315, 220};
  EXPECT_EQ(Layout::TabInvalidRect(2, 62, client, 400, false), (RECT{132, 224, 198, 251}));
  EXPECT_EQ(Layout::TabInvalidRect(2, 62, client, 400, true), (RECT{132, 224, 400, 251}));
}

TEST(QVTWorkbookTabLayoutTest, APointIsInATabAsThePixelsOfItsRegionAre) {
  const Layout::Polygon tab = Layout::TabPolygon(0, 90, RECT{0, 0, 300, 100}, false);
  struct Case {
    POINT point;
    bool inside;
  };
  const std::vector<Case> cases = {
      {{0, 104}, true},     // the top-left corner
      {{89, 104}, true},    // the last column
      {{90, 104}, false},   // the next tab's first column
      {{45, 103}, false},   // above the strip
      {{45, 126}, true},    // the last row
      {{45, 127}, false},
      {{0, 126}, false},    // a cut corner
      {{89, 126}, false},
      {{-1, 110}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
    EXPECT_EQ(Layout::Contains(tab, c.point), c.inside);
  }
}

TEST(QVTWorkbookTabLayoutTest, HiddenSheetsHaveNoTabAndTheOthersCloseUp) {
  const RECT client{0, 0, 305, 100};
  // Sheet 1 hidden, sheet 2 active.
  const QVTWorkbookTabStrip strip({{true, false}, {false, false}, {true, false}, {true, false}}, 2,
                                  Layout::TabWidth(305, 3), client);
  EXPECT_EQ(strip.VisibleCount(), 3);
  EXPECT_EQ(strip.SlotOf(0), 0);
  EXPECT_EQ(strip.SlotOf(1), -1);
  EXPECT_EQ(strip.SlotOf(2), 1);
  EXPECT_EQ(strip.SlotOf(3), 2);
  EXPECT_EQ(strip.SlotOf(4), -1);
  EXPECT_FALSE(strip.TabOf(1));
  ASSERT_TRUE(strip.TabOf(2));
  EXPECT_EQ(strip.TabOf(2)->at(0).x, 90 - 2);  // raised, in the second place
  EXPECT_EQ(strip.HitTest(POINT{10, 110}), 0);
  EXPECT_EQ(strip.HitTest(POINT{100, 110}), 2);
  EXPECT_EQ(strip.HitTest(POINT{200, 110}), 3);
  EXPECT_EQ(strip.HitTest(POINT{280, 110}), -1);  // past the last tab
  EXPECT_EQ(strip.HitTest(POINT{100, 50}), -1);   // in the client
}

TEST(QVTWorkbookTabLayoutTest, TheActiveTabIsOnTopOfItsNeighbours) {
  const RECT client{0, 0, 305, 100};
  const QVTWorkbookTabStrip strip({{}, {}, {}}, 1, 90, client);
  // Column 89 is the first tab's last one, and the active tab's overhang.
  EXPECT_EQ(strip.HitTest(POINT{89, 110}), 1);
  EXPECT_EQ(strip.HitTest(POINT{87, 110}), 0);
  const QVTWorkbookTabStrip pressed({{}, {true, true}, {}}, 0, 90, client);
  EXPECT_TRUE(pressed.IsRaised(0));
  EXPECT_TRUE(pressed.IsRaised(1));
  EXPECT_FALSE(pressed.IsRaised(2));
}

TEST(QVTWorkbookTabLayoutTest, ShorteningTable) {
  struct Case {
    std::string text;
    size_t fitting_length;
    std::string shown;
  };
  const std::vector<Case> cases = {
      {"Conversion log", 20, "Conversion log"},
      {"Conversion log", 11, "Conversi..."},
      {"Conversion log", 7, "Conv..."},
      {"Conversion log", 0, "..."},  // cut to the three dots at most
      {"abcd", 3, "..."},
      {"abc", 0, "abc"},              // three characters are never cut
      {"", 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + " in " + std::to_string(c.fitting_length));
    EXPECT_EQ(Layout::ShortenToFit(c.text, [&](const std::string& t) { return t.size() <= c.fitting_length; }),
              c.shown);
  }
}

}  // namespace

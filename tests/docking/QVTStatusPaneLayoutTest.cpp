#include "docking/QVTStatusPaneLayout.h"

#include <vector>

#include <gtest/gtest.h>

namespace {

using namespace docking;

using Layout = QVTStatusPaneLayout;
constexpr sys::UINT kStretch = Layout::SBPS_STRETCH;

struct EdgeCase {
  const char* name;
  std::vector<QVTStatusPane> panes;
  int inside;
  std::vector<int> edges;
};

// Control border 2, gap 2: every pane takes width + 6, a gap follows it.
TEST(QVTStatusPaneLayoutTest, PartEdgesTable) {
  const Layout::Metrics metrics{1, 16, 2, 2};
  const std::vector<EdgeCase> cases = {
      // spare = 400 + 2 - (50+8) - (100+8) = 236
      {"no stretching pane", {{50, 0}, {100, 0}}, 400, {58, 166}},
      {"one stretching pane", {{50, kStretch}, {100, 0}}, 400, {294, 402}},
      // spare 237: 118 to the first, the second takes the odd 119
      {"two share, the second the odd pixel", {{50, kStretch}, {100, kStretch}}, 401, {176, 403}},
      {"two share evenly", {{50, kStretch}, {100, kStretch}}, 400, {176, 402}},
      {"no spare width", {{300, kStretch}, {100, 0}}, 400, {308, 416}},
      {"no panes", {}, 400, {}},
  };
  for (const EdgeCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Layout::CalcPartEdges(c.panes, c.inside, metrics), c.edges);
  }
}

TEST(QVTStatusPaneLayoutTest, StretchedPanesEndAtTheInsideWidth) {
  const Layout::Metrics metrics{1, 16, 2, 2};
  for (int inside = 200; inside < 210; ++inside) {
    const std::vector<QVTStatusPane> panes = {{10, kStretch}, {20, 0}, {10, kStretch}};
    const std::vector<int> edges = Layout::CalcPartEdges(panes, inside, metrics);
    EXPECT_EQ(edges.back(), metrics.horizontal + inside) << inside;
  }
}

TEST(QVTStatusPaneLayoutTest, SizeGripRoomOnlyWhenTheParentIsNotMaximised) {
  const Layout::Metrics metrics{1, 16, 2, 2};
  EXPECT_EQ(Layout::InsideWidth(500, 4, true, false, metrics), 500 - 4 - (2 + 2 + 16));
  EXPECT_EQ(Layout::InsideWidth(500, 4, true, true, metrics), 496);
  EXPECT_EQ(Layout::InsideWidth(500, 4, false, false, metrics), 496);
}

}  // namespace

#include "docking/QVTBarInsideRect.h"

#include <vector>

#include <gtest/gtest.h>

#include "docking/QVTBarStyles.h"

namespace {

using namespace docking;

struct InsideCase {
  const char* name;
  ui::DWORD style;
  ui::DWORD exStyle;
  bool horizontal;
  bool withGripper;
  bool docked;
  ui::RECT inside;
};

// A 200 x 100 bar with margins 2, 3, 4, 5 (left, top, right, bottom).
TEST(QVTBarInsideRectTest, BordersAndMarginsComeOffOnce) {
  const QVTBarInsideRect::Margins margins{2, 3, 4, 5};
  const ui::DWORD all = CBRS_BORDER_ANY;
  const ui::DWORD own = QVT_BARSTYLE_OWN_BORDERS;
  const ui::DWORD gripper = own | QVT_BARSTYLE_GRIPPER;
  const std::vector<InsideCase> cases = {
      {"no borders", 0, own, true, true, true, {2, 3, 196, 95}},
      {"all borders", all, own, true, true, true, {3, 4, 195, 94}},
      {"top border only", CBRS_BORDER_TOP, own, true, true, true, {2, 4, 196, 95}},
      {"gripper, docked", all, gripper, true, true, true, {18, 4, 195, 94}},
      {"gripper, floating", all, gripper, true, true, false, {3, 4, 195, 94}},
      {"gripper not asked for", all, gripper, true, false, true, {3, 4, 195, 94}},
      {"vertical", all, own, false, true, true, {4, 3, 194, 95}},
      {"vertical gripper", all, gripper, false, true, true, {4, 18, 194, 95}},
      {"vertical gripper not asked for", all, gripper, false, false, true, {4, 3, 194, 95}},
  };
  for (const InsideCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(QVTBarInsideRect::CalcInsideRect({0, 0, 200, 100}, c.style, c.exStyle, c.horizontal, c.withGripper,
                                               c.docked, margins),
              c.inside);
  }
}

}  // namespace

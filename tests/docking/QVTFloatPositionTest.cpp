#include "docking/QVTFloatPosition.h"

#include <vector>

#include <gtest/gtest.h>

namespace {

using namespace docking;

struct ClampCase {
  const char* name;
  ui::POINT point;
  ui::POINT expected;
};

// A 200 x 100 bar on a 800 x 600 work area, and on one left of and above
// the primary screen.
TEST(QVTFloatPositionTest, TenPixelsStayOnTheWorkArea) {
  const ui::SIZE bar{200, 100};
  const std::vector<ClampCase> cases = {
      {"inside", {100, 100}, {100, 100}},
      {"far right", {5000, 100}, {790, 100}},
      {"far below", {100, 5000}, {100, 590}},
      {"far left", {-5000, 100}, {-190, 100}},
      {"far above", {100, -5000}, {100, -90}},
  };
  for (const ClampCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(QVTFloatPosition::ClampToWorkArea(c.point, bar, {0, 0, 800, 600}), c.expected);
  }
  const ui::RECT leftScreen{-1280, -200, 0, 824};
  EXPECT_EQ(QVTFloatPosition::ClampToWorkArea({-900, -150}, bar, leftScreen), (ui::POINT{-900, -150}));
  EXPECT_EQ(QVTFloatPosition::ClampToWorkArea({-5000, -5000}, bar, leftScreen), (ui::POINT{-1470, -290}));
}

TEST(QVTFloatPositionTest, NegativeRememberedPositionsAreValid) {
  const ui::POINT present{300, 200};
  EXPECT_EQ(QVTFloatPosition::ForToggle(true, {-900, -150}, present), (ui::POINT{-900, -150}));
  EXPECT_EQ(QVTFloatPosition::ForToggle(true, {-1, 40}, present), (ui::POINT{-1, 40}));
  EXPECT_EQ(QVTFloatPosition::ForToggle(true, {0, 0}, present), (ui::POINT{0, 0}));
  EXPECT_EQ(QVTFloatPosition::ForToggle(false, {-1, -1}, present), present);
}

}  // namespace

#include "docking/QVTDockSides.h"

#include <vector>

#include <gtest/gtest.h>

namespace {

using namespace docking;

struct AlignmentCase {
  sys::DWORD style;
  sys::UINT dockBar;  // 0: no side
};

TEST(QVTDockSidesTest, SideForAlignmentNeverNamesAMissingSide) {
  const std::vector<AlignmentCase> cases = {
      {CBRS_ALIGN_TOP, kDockBarTop},
      {CBRS_ALIGN_BOTTOM | CBRS_BORDER_ANY, kDockBarBottom},
      {CBRS_ALIGN_LEFT, kDockBarLeft},
      {CBRS_ALIGN_RIGHT, kDockBarRight},
      {CBRS_ALIGN_ANY, kDockBarTop},
      {CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT, kDockBarLeft},
      {CBRS_ALIGN_RIGHT | CBRS_ALIGN_BOTTOM, kDockBarBottom},
      {0, 0},
      {CBRS_BORDER_ANY | 0x4, 0},
  };
  for (const AlignmentCase& c : cases) {
    SCOPED_TRACE(c.style);
    const QVTDockSideEntry* side = QVTDockSides::SideForAlignment(c.style);
    if (c.dockBar == 0) {
      EXPECT_EQ(side, nullptr);
    } else {
      ASSERT_NE(side, nullptr);
      EXPECT_EQ(side->dockBarId, c.dockBar);
    }
  }
}

TEST(QVTDockSidesTest, TableOrderAndLastMatchingSide) {
  const auto table = QVTDockSides::Table();
  ASSERT_EQ(table.size(), 4u);
  EXPECT_EQ(table[0].style, 0x2800u);
  EXPECT_EQ(table[1].style, 0x8200u);
  EXPECT_EQ(table[2].style, 0x1400u);
  EXPECT_EQ(table[3].style, 0x4100u);
  EXPECT_EQ(QVTDockSides::LastSideMatching(CBRS_ALIGN_ANY)->dockBarId, kDockBarRight);
  EXPECT_EQ(QVTDockSides::LastSideMatching(CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT)->dockBarId, kDockBarLeft);
  EXPECT_EQ(QVTDockSides::LastSideMatching(0), nullptr);
  EXPECT_EQ(QVTDockSides::SideForId(kDockBarBottom)->side, QVTDockSide::kBottom);
  EXPECT_EQ(QVTDockSides::SideForId(kDockBarFloat), nullptr);
}

}  // namespace

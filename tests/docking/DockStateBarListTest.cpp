#include <gtest/gtest.h>

#include <vector>

#include "docking/QVTDockState.h"

namespace docking::test {
namespace {

using List = std::vector<DWORD>;

struct Record {
  UINT id;
  UINT last_docked_in;
  List list;
};

// The dock bar's list after cleaning a layout of the dock bar 0xE81B and
// the given other records.
List Cleaned(const List& dock_bar_list, const std::vector<Record>& others) {
  QVTDockState state;
  auto dock_bar = state.CreateBarInfo(nullptr);
  dock_bar->m_nBarID = 0xE81B;
  dock_bar->m_arrBarID = dock_bar_list;
  state.m_arrBarInfo.push_back(std::move(dock_bar));
  for (const Record& other : others) {
    auto info = state.CreateBarInfo(nullptr);
    info->m_nBarID = other.id;
    info->m_uMRUDockID = other.last_docked_in;
    info->m_arrBarID = other.list;
    state.m_arrBarInfo.push_back(std::move(info));
  }
  state.CleanUpBarLists();
  return state.m_arrBarInfo[0]->m_arrBarID;
}

TEST(DockStateBarListTest, CleaningKeepsRowsWhole) {
  const Record bar3_here{3, 0xE81B, {}};
  const Record bar3_elsewhere{3, 0xE81C, {}};
  const struct {
    List list;
    std::vector<Record> others;
    List expected;
  } cases[] = {
      {{2, 0, 65539, 2, 0, 0}, {bar3_here}, {2, 0, 65539, 0}},  // a duplicate goes, one row end stays
      {{2, 0, 65539, 2, 0, 0}, {bar3_elsewhere}, {2, 0}},        // a placeholder lives where it was last
      {{}, {}, {}},
      {{0, 0, 0}, {}, {}},
      {{5}, {}, {5, 0}},
      {{2, 65539, 5, 0}, {bar3_elsewhere}, {2, 5, 0}},  // the row is not split around the placeholder
      {{2, 5, 2, 0, 7, 0}, {}, {2, 5, 0, 7, 0}},        // nor around a duplicate
      {{2, 0, 65539, 0, 7, 0}, {bar3_elsewhere}, {2, 0, 7, 0}},  // a row emptied goes
      {{2, 0, 2, 0, 7, 0}, {}, {2, 0, 7, 0}},
      {{4, 4, 4, 0}, {}, {4, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.list));
    EXPECT_EQ(Cleaned(c.list, c.others), c.expected);
  }
}

}  // namespace
}  // namespace docking::test

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "docking/QVTDockState.h"
#include "tests/docking/DockStateFixture.h"

namespace docking::test {
namespace {

using Bytes = std::vector<BYTE>;

// The layout that layout-v2.hex holds.
void FillFixtureLayout(QVTDockState& state, QVTControlBarInfoExFactory* manager) {
  state.SetScreenSize({1024, 768});
  auto toolbar = state.CreateBarInfo(manager);
  toolbar->m_nBarID = 0xE800;
  toolbar->m_bVisible = TRUE;
  toolbar->m_pointPos = {-1, -1};
  toolbar->m_nMRUWidth = 32767;
  toolbar->m_bDocking = TRUE;
  toolbar->m_uMRUDockID = 0xE81B;
  toolbar->m_rectMRUDockPos = {0, 0, 300, 28};
  toolbar->m_dwMRUFloatStyle = 0x2000;
  toolbar->m_ptMRUFloatPos = {100, 100};
  toolbar->m_dwStyle = 0x2E00;
  toolbar->m_fPctWidth = 0.25f;
  toolbar->m_szMRUFloat = {200, 60};
  toolbar->m_szMRUHorzDock = {300, 28};
  toolbar->m_szMRUVertDock = {26, 280};
  toolbar->m_dwDockingStyle = 0xF000;
  toolbar->m_nTypeID = QVTControlBarInfo::kCustomToolBarTypeID;
  toolbar->m_strClassName = "QVTCustomToolBar";  // not part of the archive form
  auto extension = std::make_unique<TestToolBarInfoEx>();
  extension->title = "Standard";
  extension->buttons = {{0xE100, {}}, {0xE101, {0x05, 0x06}}};
  toolbar->m_pInfoEx = std::move(extension);
  state.m_arrBarInfo.push_back(std::move(toolbar));

  auto top = state.CreateBarInfo(manager);
  top->m_nBarID = 0xE81B;
  top->m_bVisible = TRUE;
  top->m_pointPos = {-1, -1};
  top->m_nMRUWidth = 32767;
  top->m_arrBarID = {0xE800, 0xE802 + QVTControlBarInfo::kPlaceholder, 0};
  state.m_arrBarInfo.push_back(std::move(top));
}

Bytes Store(QVTDockState& state) {
  Bytes bytes;
  CArchive ar(bytes, CArchive::store);
  state.Serialize(ar);
  return bytes;
}

void Load(QVTDockState& state, Bytes bytes) {
  CArchive ar(bytes, CArchive::load);
  state.Serialize(ar);
}

TEST_F(DockStateTest, ArchiveFormMatchesTheHexFixture) {
  QVTDockState state(&manager_);
  FillFixtureLayout(state, &manager_);
  EXPECT_EQ(Store(state), ReadHexFixture("layout-v2.hex"));
}

TEST_F(DockStateTest, ArchiveFixtureReadsAndStoresAgainUnchanged) {
  QVTDockState state(&manager_);
  Load(state, ReadHexFixture("layout-v2.hex"));
  ASSERT_EQ(state.m_arrBarInfo.size(), 2u);
  const QVTControlBarInfo& toolbar = *state.m_arrBarInfo[0];
  EXPECT_EQ(toolbar.m_nBarID, 0xE800u);
  EXPECT_TRUE(toolbar.m_bDocking);
  EXPECT_EQ(toolbar.m_rectMRUDockPos, (RECT{0, 0, 300, 28}));
  EXPECT_EQ(toolbar.m_szMRUVertDock, (SIZE{26, 280}));
  EXPECT_FLOAT_EQ(toolbar.m_fPctWidth, 0.25f);
  EXPECT_FALSE(toolbar.HasMDIChildPlacement());
  ASSERT_TRUE(ToolBarExtension(toolbar));
  EXPECT_EQ(ToolBarExtension(toolbar)->title, "Standard");
  EXPECT_EQ(ToolBarExtension(toolbar)->buttons, (std::vector<ButtonRecord>{{0xE100, {}}, {0xE101, {5, 6}}}));
  EXPECT_EQ(state.m_arrBarInfo[1]->m_arrBarID, (std::vector<DWORD>{0xE800, 0x1E802, 0}));
  EXPECT_EQ(state.GetScreenSize(), (SIZE{1024, 768}));
  EXPECT_EQ(Store(state), ReadHexFixture("layout-v2.hex"));
}

TEST_F(DockStateTest, ArchiveOfTheFirstVersionReads) {
  QVTDockState state(&manager_);
  state.SetCurrentScreenSize({2048, 1536});  // no saved size: nothing to scale from
  Load(state, ReadHexFixture("layout-v1.hex"));
  EXPECT_EQ(state.GetVersion(), 2u);
  ASSERT_EQ(state.m_arrBarInfo.size(), 1u);
  const QVTControlBarInfo& status = *state.m_arrBarInfo[0];
  EXPECT_EQ(status.m_nBarID, 0xE801u);
  EXPECT_FALSE(status.m_bVisible);
  EXPECT_EQ(status.m_pointPos, (POINT{0, 740}));
  EXPECT_FALSE(status.m_bDocking);
  EXPECT_EQ(status.m_dwStyle, 0x0800u);
  EXPECT_FLOAT_EQ(status.m_fPctWidth, 0.5f);
  EXPECT_EQ(status.m_szMRUFloat, (SIZE{10, 20}));
  EXPECT_EQ(status.m_szMRUHorzDock, (SIZE{30, 40}));
  EXPECT_EQ(status.m_szMRUVertDock, (SIZE{50, 60}));
  EXPECT_EQ(status.m_dwDockingStyle, 0xF000u);
  EXPECT_TRUE(status.m_arrBarID.empty());
}

TEST_F(DockStateTest, ArchiveLoadScalesToTheCurrentScreen) {
  QVTDockState state(&manager_);
  state.SetCurrentScreenSize({2048, 1536});
  Load(state, ReadHexFixture("layout-v2.hex"));
  EXPECT_EQ(state.m_arrBarInfo[0]->m_ptMRUFloatPos, (POINT{200, 200}));
  EXPECT_EQ(state.m_arrBarInfo[0]->m_rectMRUDockPos, (RECT{0, 0, 300, 28}));
}

TEST_F(DockStateTest, ExtensionRecordWithoutAManagerFailsCleanly) {
  QVTDockState state;  // no manager: the toolbar's record cannot be read
  try {
    Load(state, ReadHexFixture("layout-v2.hex"));
    ADD_FAILURE() << "read without its manager";
  } catch (const CArchiveException& e) {
    EXPECT_EQ(e.m_cause, CArchiveException::badClass);
  }
  EXPECT_TRUE(state.m_arrBarInfo.empty());
}

TEST_F(DockStateTest, AnExtensionTypeWithoutItsRecordIsNotStored) {
  QVTDockState state;
  FillFixtureLayout(state, nullptr);
  state.m_arrBarInfo[0]->m_pInfoEx.reset();
  EXPECT_THROW(Store(state), CArchiveException);
  // A record of another type carries none, whatever it holds.
  QVTDockState plain(&manager_);
  FillFixtureLayout(plain, &manager_);
  plain.m_arrBarInfo[0]->m_nTypeID = 0;
  const Bytes bytes = Store(plain);
  QVTDockState loaded;
  Load(loaded, bytes);
  EXPECT_EQ(loaded.m_arrBarInfo[0]->m_pInfoEx, nullptr);
  EXPECT_EQ(loaded.m_arrBarInfo[1]->m_arrBarID.size(), 3u);
}

TEST_F(DockStateTest, EveryCutOfTheArchiveThrowsAndLeavesNoLayout) {
  const Bytes whole = ReadHexFixture("layout-v2.hex");
  for (std::size_t size = 0; size < whole.size(); ++size) {
    QVTDockState state(&manager_);
    FillSample(state, &manager_);
    EXPECT_THROW(Load(state, Bytes(whole.begin(), whole.begin() + static_cast<long>(size))), CArchiveException)
        << size;
    EXPECT_TRUE(state.m_arrBarInfo.empty()) << size;
  }
}

TEST_F(DockStateTest, DamagedArchiveHeadersAreRefused) {
  const Bytes cases[] = {
      {0x00, 0x00, 0x00, 0x00, 0x00, 0x00},                          // version 0
      {0x03, 0x00, 0x00, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x00},  // a version not known
      {0x02, 0x00, 0x00, 0x00, 0, 4, 0, 0, 0, 3, 0, 0, 0xFF, 0xFF},  // 65535 records, none there
  };
  for (const Bytes& bytes : cases) {
    QVTDockState state(&manager_);
    EXPECT_THROW(Load(state, bytes), CArchiveException);
    EXPECT_TRUE(state.m_arrBarInfo.empty());
    EXPECT_EQ(state.GetVersion(), 2u);
  }
}

}  // namespace
}  // namespace docking::test

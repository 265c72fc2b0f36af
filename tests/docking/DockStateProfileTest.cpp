#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "docking/QVTDockState.h"
#include "platform/afx/WindowPlacementRecord.h"
#include "tests/docking/DockStateFixture.h"
#include "tests/support/RecordingProfile.h"

namespace docking::test {
namespace {

const std::vector<std::string> kExtensionKeys = {
    "Style",         "ExStyle",       "PrevFloating",  "MDIChild",        "PctWidth",     "MRUFloatCX",
    "MRUFloatCY",    "MRUHorzDockCX", "MRUHorzDockCY", "MRUVertDockCX",   "MRUVertDockCY", "MRUDockingState",
    "DockingStyle",  "TypeID",        "ClassName",     "WindowName",      "ResourceID"};

// The key names as the memory profile lists them: folded and sorted.
std::vector<std::string> Folded(std::vector<std::string> keys, bool with_extension_keys = true) {
  if (with_extension_keys) keys.insert(keys.end(), kExtensionKeys.begin(), kExtensionKeys.end());
  for (std::string& key : keys)
    for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  std::sort(keys.begin(), keys.end());
  return keys;
}

TEST_F(DockStateTest, ProfileFormWritesTheGoldenKeySetOfEverySection) {
  QVTDockState state(&manager_);
  FillSample(state, &manager_);
  state.CleanUpBarLists();
  ASSERT_TRUE(state.SaveState("Control Bars"));

  EXPECT_EQ(profile_.KeyNames("Control Bars-Summary"), Folded({"Bars", "ScreenCX", "ScreenCY"}, false));
  EXPECT_EQ(profile_.GetInt("Control Bars-Summary", "Bars", 0), 6);  // the empty left dock bar is left out
  EXPECT_EQ(profile_.GetInt("Control Bars-Summary", "ScreenCX", 0), 1024);
  const std::vector<std::vector<std::string>> sections = {
      {"BarID", "Title", "Buttons"},
      {"BarID", "Visible", "XPos", "YPos"},
      {"BarID", "XPos", "YPos", "MRUWidth", "Docking", "MRUDockID", "MRUDockLeftPos", "MRUDockTopPos",
       "MRUDockRightPos", "MRUDockBottomPos", "MRUFloatStyle", "MRUFloatXPos", "MRUFloatYPos"},
      {"BarID", "Horz", "Floating", "XPos", "YPos", "Bars", "Bar#0", "Bar#1"},
      {"BarID", "Bars", "Bar#0", "Bar#1", "Bar#2", "Bar#3"},
      {"BarID", "XPos", "YPos", "MDIChildWindowPlacement"},
  };
  for (std::size_t i = 0; i < sections.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(profile_.KeyNames("Control Bars-Bar" + std::to_string(i)), Folded(sections[i]));
  }
  EXPECT_TRUE(profile_.KeyNames("Control Bars-Bar6").empty());
  EXPECT_EQ(profile_.GetString("Control Bars-Bar0", "PctWidth", ""), "250000");
  EXPECT_EQ(profile_.GetInt("Control Bars-Bar4", "Bar#2", 0), 0xE802 + 0x10000);
}

TEST_F(DockStateTest, ProfileFormReadsBackWhatItWrote) {
  QVTDockState saved(&manager_);
  FillSample(saved, &manager_);
  ASSERT_TRUE(saved.SaveState("Control Bars"));

  QVTDockState loaded(&manager_);
  ASSERT_TRUE(loaded.LoadState("Control Bars"));
  ASSERT_EQ(loaded.m_arrBarInfo.size(), 6u);
  const QVTControlBarInfo& toolbar = *loaded.m_arrBarInfo[0];
  EXPECT_EQ(toolbar.m_nBarID, 0xE800u);
  EXPECT_TRUE(toolbar.m_bVisible);
  EXPECT_EQ(toolbar.m_pointPos, (POINT{-1, -1}));
  EXPECT_EQ(toolbar.m_nMRUWidth, 32767u);
  EXPECT_EQ(toolbar.m_dwStyle, 0x2E00u);
  EXPECT_EQ(toolbar.m_dwDockingStyle, 0xF000u);
  EXPECT_FLOAT_EQ(toolbar.m_fPctWidth, 0.25f);
  EXPECT_EQ(toolbar.m_strClassName, "QVTCustomToolBar");
  ASSERT_TRUE(ToolBarExtension(toolbar));
  EXPECT_EQ(ToolBarExtension(toolbar)->title, "Standard");
  EXPECT_EQ(ToolBarExtension(toolbar)->buttons, ToolBarExtension(*saved.m_arrBarInfo[0])->buttons);
  EXPECT_FALSE(loaded.m_arrBarInfo[1]->m_bVisible);
  const QVTControlBarInfo& remembered = *loaded.m_arrBarInfo[2];
  EXPECT_TRUE(remembered.m_bDocking);
  EXPECT_EQ(remembered.m_uMRUDockID, 0xE81Bu);
  EXPECT_EQ(remembered.m_rectMRUDockPos, (RECT{10, 0, 130, 28}));
  EXPECT_EQ(remembered.m_ptMRUFloatPos, (POINT{400, 300}));
  EXPECT_EQ(remembered.m_szMRUFloat, (SIZE{130, 40}));
  const QVTControlBarInfo& floating = *loaded.m_arrBarInfo[3];
  EXPECT_TRUE(floating.m_bFloating);
  EXPECT_TRUE(floating.m_bHorz);
  EXPECT_EQ(floating.m_arrBarID, (std::vector<DWORD>{0xE803, 0}));
  const QVTControlBarInfo& child = *loaded.m_arrBarInfo[5];
  EXPECT_TRUE(child.HasMDIChildPlacement());
  EXPECT_EQ(child.m_wpMDIChild.rcNormalPosition, (RECT{20, 30, 220, 330}));
}

TEST_F(DockStateTest, AKeyLeftOutOnTheNextSaveDoesNotKeepItsOldValue) {
  QVTDockState state(&manager_);
  FillSample(state, &manager_);
  ASSERT_TRUE(state.SaveState("Control Bars"));
  ASSERT_EQ(profile_.GetInt("Control Bars-Bar1", "Visible", 1), 0);
  ASSERT_EQ(profile_.GetString("Control Bars-Bar0", "Title", ""), "Standard");

  state.m_arrBarInfo[1]->m_bVisible = TRUE;              // the hidden bar is shown
  ToolBarExtension(*state.m_arrBarInfo[0])->title.clear();  // the title is taken away
  state.m_arrBarInfo[3]->m_bFloating = FALSE;           // the floating bar docks
  ASSERT_TRUE(state.SaveState("Control Bars"));

  const auto bar1 = profile_.KeyNames("Control Bars-Bar1");
  EXPECT_EQ(std::count(bar1.begin(), bar1.end(), "visible"), 0);
  const auto bar0 = profile_.KeyNames("Control Bars-Bar0");
  EXPECT_EQ(std::count(bar0.begin(), bar0.end(), "title"), 0);
  QVTDockState loaded(&manager_);
  loaded.LoadState("Control Bars");
  EXPECT_TRUE(loaded.m_arrBarInfo[1]->m_bVisible);
  EXPECT_FALSE(loaded.m_arrBarInfo[3]->m_bFloating);
  EXPECT_EQ(ToolBarExtension(*loaded.m_arrBarInfo[0])->title, "");
}

TEST_F(DockStateTest, AShorterLayoutRemovesTheSectionsOfTheLongerOne) {
  QVTDockState state(&manager_);
  FillSample(state, &manager_);
  ASSERT_TRUE(state.SaveState("Control Bars"));
  state.m_arrBarInfo.resize(2);
  ASSERT_TRUE(state.SaveState("Control Bars"));
  EXPECT_EQ(profile_.GetInt("Control Bars-Summary", "Bars", 0), 2);
  for (int i = 2; i < 6; ++i) EXPECT_TRUE(profile_.KeyNames("Control Bars-Bar" + std::to_string(i)).empty()) << i;
  EXPECT_FALSE(profile_.KeyNames("Control Bars-Bar1").empty());
}

TEST_F(DockStateTest, LoadingClearsTheStateAndCapsStoredCounts) {
  struct Case {
    int stored_bars;
    std::size_t loaded;
  };
  const Case cases[] = {{1, 1}, {0, 0}, {-3, 0}, {0x7FFFFFFF, QVTDockState::kMaxBars}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored_bars);
    profile_.WriteInt("Layout-Summary", "Bars", c.stored_bars);
    profile_.WriteInt("Layout-Bar0", "Bars", 0x7FFFFFFF);
    QVTDockState state(&manager_);
    FillSample(state, &manager_);
    ASSERT_TRUE(state.LoadState("Layout"));
    EXPECT_EQ(state.m_arrBarInfo.size(), c.loaded);
    if (c.loaded) {
      EXPECT_EQ(state.m_arrBarInfo[0]->m_arrBarID.size(), std::size_t{QVTControlBarInfo::kMaxBarListEntries});
    }
  }
}

TEST_F(DockStateTest, StoredNumbersAreReadWithTheirDefaultsAndLimits) {
  profile_.WriteInt("Layout-Summary", "Bars", 1);
  profile_.WriteInt("Layout-Bar0", "BarID", 0xE800);
  profile_.WriteString("Layout-Bar0", "PctWidth", "-5");
  profile_.WriteInt("Layout-Bar0", "MRUFloatCX", -40);
  profile_.WriteInt("Layout-Bar0", "MRUVertDockCY", -1);
  profile_.WriteInt("Layout-Bar0", "MRUHorzDockCX", 300);
  QVTDockState state(&manager_);
  state.LoadState("Layout");
  ASSERT_EQ(state.m_arrBarInfo.size(), 1u);
  const QVTControlBarInfo& info = *state.m_arrBarInfo[0];
  EXPECT_EQ(info.m_fPctWidth, 0.0f);
  EXPECT_EQ(info.m_szMRUFloat, (SIZE{0, 0}));
  EXPECT_EQ(info.m_szMRUVertDock, (SIZE{0, 0}));
  EXPECT_EQ(info.m_szMRUHorzDock, (SIZE{300, 0}));
  EXPECT_TRUE(info.m_bVisible);
  EXPECT_TRUE(info.m_bHorz);
  EXPECT_FALSE(info.m_bFloating);
  EXPECT_EQ(info.m_pointPos, (POINT{-1, -1}));
  EXPECT_EQ(info.m_nMRUWidth, 32767u);
}

TEST(DockStateSaveTest, AWriteTheStoreRefusesFailsTheSave) {
  for (const char* refused : {"PctWidth", "ScreenCY", "Visible"}) {
    SCOPED_TRACE(refused);
    testsupport::RecordingProfile profile;
    profile.refused_key = refused;
    sys::SetAppProfile(&profile);
    TestManager manager;
    QVTDockState state(&manager);
    FillSample(state, &manager);
    EXPECT_FALSE(state.SaveState("Control Bars"));
    profile.refused_key.clear();
    EXPECT_TRUE(state.SaveState("Control Bars"));
    sys::SetAppProfile(nullptr);
  }
}

TEST(PctWidthTest, TextIsRoundedMillionths) {
  const struct {
    float width;
    const char* text;
  } cases[] = {{0.25f, "250000"}, {0.0f, "0"}, {1.0f, "1000000"}, {0.1f, "100000"},
               {1.0f / 3, "333333"}, {0.7f, "700000"}, {-0.5f, "-500000"}};
  for (const auto& c : cases) EXPECT_EQ(QVTControlBarInfo::PctWidthText(c.width), c.text) << c.width;
  EXPECT_FLOAT_EQ(QVTControlBarInfo::PctWidthFromText("250000"), 0.25f);
  EXPECT_EQ(QVTControlBarInfo::PctWidthFromText("-5"), 0.0f);
  EXPECT_EQ(QVTControlBarInfo::PctWidthFromText(""), 0.0f);
  EXPECT_EQ(QVTControlBarInfo::PctWidthFromText("12abc"), 0.000012f);
}

TEST(PctWidthTest, SavingAndLoadingTenTimesChangesNoWidth) {
  // Widths a row's bars take, spread over the whole range.
  for (int i = 1; i <= 1004; ++i) {
    const float first = static_cast<float>(i) / 1005.0f;
    const std::string text = QVTControlBarInfo::PctWidthText(first);
    float width = QVTControlBarInfo::PctWidthFromText(text);
    for (int cycle = 0; cycle < 10; ++cycle) {
      const std::string again = QVTControlBarInfo::PctWidthText(width);
      ASSERT_EQ(again, text) << i << " cycle " << cycle;
      const float next = QVTControlBarInfo::PctWidthFromText(again);
      ASSERT_EQ(next, width) << i << " cycle " << cycle;
      width = next;
    }
  }
}

TEST_F(DockStateTest, ProfileCyclesKeepTheProportionalWidth) {
  QVTDockState state(&manager_);
  FillSample(state, &manager_);
  state.m_arrBarInfo[0]->m_fPctWidth = 0.123457f;
  state.SaveState("Control Bars");
  const std::string first = profile_.GetString("Control Bars-Bar0", "PctWidth", "");
  for (int cycle = 0; cycle < 10; ++cycle) {
    QVTDockState loaded(&manager_);
    loaded.LoadState("Control Bars");
    loaded.SaveState("Control Bars");
  }
  EXPECT_EQ(profile_.GetString("Control Bars-Bar0", "PctWidth", ""), first);
  EXPECT_EQ(first, "123457");
}

TEST_F(DockStateTest, PositionsScaleFromTheSavedScreenToTheCurrentOne) {
  QVTDockState saved(&manager_);
  FillSample(saved, &manager_);
  saved.SaveState("Control Bars");
  QVTDockState loaded(&manager_);
  loaded.SetCurrentScreenSize({2048, 1536});
  loaded.LoadState("Control Bars");
  EXPECT_EQ(loaded.m_arrBarInfo[1]->m_pointPos, (POINT{0, 1480}));
  EXPECT_EQ(loaded.m_arrBarInfo[2]->m_pointPos, (POINT{20, 0}));
  EXPECT_EQ(loaded.m_arrBarInfo[2]->m_rectMRUDockPos, (RECT{20, 0, 140, 28}));  // moved, same size
  EXPECT_EQ(loaded.m_arrBarInfo[2]->m_ptMRUFloatPos, (POINT{800, 600}));
  EXPECT_EQ(loaded.m_arrBarInfo[0]->m_pointPos, (POINT{-1, -1}));  // no position stays none
  EXPECT_EQ(loaded.GetScreenSize(), (SIZE{2048, 1536}));
}

TEST_F(DockStateTest, ASummaryWithBarsButNoScreenSizeLoadsUnscaled) {
  profile_.WriteInt("Layout-Summary", "Bars", 1);  // no ScreenCX, no ScreenCY
  profile_.WriteInt("Layout-Bar0", "BarID", 0xE801);
  profile_.WriteInt("Layout-Bar0", "XPos", 30);
  profile_.WriteInt("Layout-Bar0", "YPos", 700);
  profile_.WriteInt("Layout-Bar0", "Docking", 1);
  profile_.WriteInt("Layout-Bar0", "MRUDockLeftPos", 5);
  profile_.WriteInt("Layout-Bar0", "MRUDockRightPos", 50);
  for (const SIZE current : {SIZE{0, 0}, SIZE{1280, 1024}}) {
    QVTDockState state(&manager_);
    state.SetCurrentScreenSize(current);
    ASSERT_TRUE(state.LoadState("Layout"));
    ASSERT_EQ(state.m_arrBarInfo.size(), 1u);
    EXPECT_EQ(state.m_arrBarInfo[0]->m_pointPos, (POINT{30, 700}));
    EXPECT_EQ(state.m_arrBarInfo[0]->m_rectMRUDockPos, (RECT{5, 0, 50, 0}));
  }
  profile_.WriteInt("Layout-Summary", "ScreenCX", 1024);  // one size alone scales nothing either
  QVTDockState state(&manager_);
  state.SetCurrentScreenSize({2048, 1536});
  state.LoadState("Layout");
  EXPECT_EQ(state.m_arrBarInfo[0]->m_pointPos, (POINT{30, 700}));
}

TEST_F(DockStateTest, OnlyAWhole44BytePlacementIsKept) {
  const std::vector<BYTE> good = WindowPlacementRecord::ToBytes([] {
    WINDOWPLACEMENT p;
    p.rcNormalPosition = {1, 2, 3, 4};
    return p;
  }());
  struct Case {
    std::vector<BYTE> stored;
    bool kept;
  };
  const Case cases[] = {{good, true},
                        {std::vector<BYTE>(good.begin(), good.begin() + 40), false},
                        {std::vector<BYTE>(200, 0x2C), false},
                        {{}, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored.size());
    profile_.WriteInt("Layout-Summary", "Bars", 1);
    profile_.WriteInt("Layout-Bar0", "MDIChild", 1);
    profile_.WriteBinary("Layout-Bar0", "MDIChildWindowPlacement", c.stored);
    QVTDockState state(&manager_);
    state.LoadState("Layout");
    const QVTControlBarInfo& info = *state.m_arrBarInfo[0];
    EXPECT_TRUE(info.m_bMDIChild);
    EXPECT_EQ(info.HasMDIChildPlacement(), c.kept);
    EXPECT_EQ(info.m_wpMDIChild.rcNormalPosition, (c.kept ? RECT{1, 2, 3, 4} : RECT{0, 0, 0, 0}));
  }
}

}  // namespace
}  // namespace docking::test

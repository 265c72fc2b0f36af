// The settings-tree form of a layout, and the three saved forms compared.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "docking/QVTCustomToolBarInfoEx.h"
#include "docking/QVTDockState.h"
#include "docking/QVTPersistentTreeNode.h"
#include "tests/docking/DockStateFixture.h"

namespace docking::test {
namespace {

// Makes the customisable toolbar's own extension record.
class ToolBarManager : public QVTControlBarInfoExFactory {
 public:
  std::unique_ptr<QVTControlBarInfoEx> CreateBarInfoEx(QVTControlBarInfo* info) override {
    if (!info || !QVTControlBarInfo::TypeHasExtension(info->m_nTypeID)) return nullptr;
    return std::make_unique<QVTCustomToolBarInfoEx>();
  }
};

class DockStateTreeTest : public DockStateTest {
 protected:
  // The sample layout with the toolbar's real extension record.
  void Fill(QVTDockState& state) {
    FillSample(state, &toolbars_);
    auto extension = std::make_unique<QVTCustomToolBarInfoEx>();
    extension->title = "Standard";
    extension->buttons = {{0xE100, {}}, {0, {}}, {0xE101, {0x05, 0x06}}};
    state.m_arrBarInfo[0]->m_pInfoEx = std::move(extension);
    state.CleanUpBarLists();
  }
  std::vector<std::string> Keys(QVTPersistentTreeNode* node) {
    std::vector<std::string> keys;
    for (const auto& pair : node->GetPairs()) keys.push_back(pair.first);
    std::sort(keys.begin(), keys.end());
    return keys;
  }
  ToolBarManager toolbars_;
  QVTPTNFactory factory_;
};

// Fields every form keeps.
void ExpectSameBar(const QVTControlBarInfo& a, const QVTControlBarInfo& b, bool whole) {
  EXPECT_EQ(a.m_nBarID, b.m_nBarID);
  EXPECT_EQ(a.m_bVisible, b.m_bVisible);
  EXPECT_EQ(a.m_bFloating, b.m_bFloating);
  if (a.m_bFloating) {
    EXPECT_EQ(a.m_bHorz, b.m_bHorz);
  }
  EXPECT_EQ(a.m_pointPos.x, b.m_pointPos.x);
  EXPECT_EQ(a.m_pointPos.y, b.m_pointPos.y);
  EXPECT_EQ(a.m_nMRUWidth, b.m_nMRUWidth);
  EXPECT_EQ(a.m_bDocking, b.m_bDocking);
  EXPECT_EQ(a.m_uMRUDockID, b.m_uMRUDockID);
  EXPECT_EQ(a.m_rectMRUDockPos.left, b.m_rectMRUDockPos.left);
  EXPECT_EQ(a.m_rectMRUDockPos.bottom, b.m_rectMRUDockPos.bottom);
  EXPECT_EQ(a.m_dwMRUFloatStyle, b.m_dwMRUFloatStyle);
  EXPECT_EQ(a.m_ptMRUFloatPos.x, b.m_ptMRUFloatPos.x);
  EXPECT_EQ(a.m_arrBarID, b.m_arrBarID);
  EXPECT_EQ(a.m_szMRUFloat.cx, b.m_szMRUFloat.cx);
  EXPECT_EQ(a.m_szMRUHorzDock.cy, b.m_szMRUHorzDock.cy);
  EXPECT_EQ(a.m_dwDockingStyle, b.m_dwDockingStyle);
  EXPECT_EQ(a.m_fPctWidth, b.m_fPctWidth);
  EXPECT_EQ(a.m_dwStyle, b.m_dwStyle);
  EXPECT_EQ(a.m_bMDIChild, b.m_bMDIChild);
  EXPECT_EQ(a.m_nTypeID, b.m_nTypeID);
  const auto* ax = dynamic_cast<const QVTCustomToolBarInfoEx*>(a.m_pInfoEx.get());
  const auto* bx = dynamic_cast<const QVTCustomToolBarInfoEx*>(b.m_pInfoEx.get());
  ASSERT_EQ(ax == nullptr, bx == nullptr);
  if (ax) {
    EXPECT_EQ(ax->title, bx->title);
    EXPECT_EQ(ax->buttons, bx->buttons);
  }
  if (!whole) return;  // the archive keeps no names and no placement
  EXPECT_EQ(a.m_strClassName, b.m_strClassName);
  EXPECT_EQ(a.m_strWindowName, b.m_strWindowName);
  EXPECT_EQ(a.m_nResourceID, b.m_nResourceID);
  EXPECT_EQ(a.HasMDIChildPlacement(), b.HasMDIChildPlacement());
  EXPECT_EQ(a.m_wpMDIChild.rcNormalPosition.right, b.m_wpMDIChild.rcNormalPosition.right);
}

TEST_F(DockStateTreeTest, ThreeFormsGiveEqualRecords) {
  QVTDockState saved(&toolbars_);
  Fill(saved);

  ASSERT_TRUE(saved.SaveState("Control Bars"));
  QVTDockState from_profile(&toolbars_);
  ASSERT_TRUE(from_profile.LoadState("Control Bars"));

  std::vector<BYTE> bytes;
  {
    CArchive ar(bytes, CArchive::store);
    saved.Serialize(ar);
  }
  QVTDockState from_archive(&toolbars_);
  {
    CArchive ar(bytes, CArchive::load);
    from_archive.Serialize(ar);
  }

  QVTPersistentTreeNode* root = factory_.CreateNode("Frame", nullptr);
  ASSERT_TRUE(saved.SaveState(nullptr, root));
  QVTDockState from_tree(&toolbars_);
  ASSERT_TRUE(from_tree.LoadState(root));

  // The empty left dock bar is not written in any form.
  ASSERT_EQ(from_profile.m_arrBarInfo.size(), 6u);
  ASSERT_EQ(from_archive.m_arrBarInfo.size(), 7u);  // the archive keeps every record
  ASSERT_EQ(from_tree.m_arrBarInfo.size(), 6u);
  std::size_t archived = 0;
  for (std::size_t i = 0; i < from_tree.m_arrBarInfo.size(); ++i, ++archived) {
    SCOPED_TRACE(i);
    if (from_archive.m_arrBarInfo[archived]->IsDefaultDockBar()) ++archived;
    ExpectSameBar(*from_tree.m_arrBarInfo[i], *from_profile.m_arrBarInfo[i], true);
    ExpectSameBar(*from_tree.m_arrBarInfo[i], *from_archive.m_arrBarInfo[archived], false);
  }
}

TEST_F(DockStateTreeTest, TreeFormWritesTheGoldenKeySets) {
  QVTDockState state(&toolbars_);
  Fill(state);
  QVTPersistentTreeNode* root = factory_.CreateNode("Frame", nullptr);
  ASSERT_TRUE(state.SaveState(nullptr, root));
  QVTPersistentTreeNode* dock = root->FindChild("DockState");
  ASSERT_NE(dock, nullptr);
  EXPECT_EQ(Keys(dock), std::vector<std::string>({"Bars", "ScreenCX", "ScreenCY"}));
  EXPECT_EQ(dock->GetChildNames(),
            std::vector<std::string>({"Bar-0", "Bar-1", "Bar-2", "Bar-3", "Bar-4", "Bar-5"}));
  std::vector<std::string> hidden = {"BarID",         "ClassName",      "DockingStyle",   "ExStyle",
                                     "MDIChild",      "MRUDockingState", "MRUFloatCX",    "MRUFloatCY",
                                     "MRUHorzDockCX", "MRUHorzDockCY",  "MRUVertDockCX",  "MRUVertDockCY",
                                     "PctWidth",      "PrevFloating",   "ResourceID",     "Style",
                                     "TypeID",        "Visible",        "WindowName",     "XPos",
                                     "YPos"};
  EXPECT_EQ(Keys(dock->FindChild("Bar-1")), hidden);
  std::string text;
  dock->FindChild("Bar-1")->GetStringValue("Visible", text, "");
  EXPECT_EQ(text, "False");
  dock->FindChild("Bar-0")->GetStringValue("PctWidth", text, "");
  EXPECT_EQ(text, "250000");
  ASSERT_NE(dock->FindChild("Bar-0")->FindChild("ToolBarInfoEx"), nullptr);
  EXPECT_FALSE(state.SaveState(nullptr, nullptr));
}

TEST_F(DockStateTreeTest, SavingIntoATreeThatHoldsDockStateReplacesIt) {
  QVTPersistentTreeNode* root = factory_.CreateNode("Frame", nullptr);
  QVTDockState first(&toolbars_);
  Fill(first);
  ASSERT_TRUE(first.SaveState(nullptr, root));

  // The hidden bar shown again, and a shorter layout.
  QVTDockState second(&toolbars_);
  Fill(second);
  second.m_arrBarInfo[1]->m_bVisible = TRUE;
  second.m_arrBarInfo.resize(3);
  ASSERT_TRUE(second.SaveState(nullptr, root));
  ASSERT_EQ(root->GetChildren().size(), 1u);
  QVTPersistentTreeNode* dock = root->FindChild("DockState");
  EXPECT_FALSE(dock->FindChild("Bar-1")->HasKey("Visible"));

  QVTDockState loaded(&toolbars_);
  ASSERT_TRUE(loaded.LoadState(root));
  ASSERT_EQ(loaded.m_arrBarInfo.size(), 3u);
  EXPECT_TRUE(loaded.m_arrBarInfo[1]->m_bVisible);
}

TEST_F(DockStateTreeTest, NodesOfAnOutsideFactoryAreOwnedOnce) {
  QVTDockState state(&toolbars_);
  Fill(state);
  QVTPersistentTreeNode* root = factory_.CreateNode("Frame", nullptr);
  {
    QVTPTNFactory outside;
    ASSERT_TRUE(state.SaveState(&outside, root));
    QVTPersistentTreeNode* dock = root->FindChild("DockState");
    EXPECT_TRUE(outside.Owns(dock));
    EXPECT_TRUE(outside.Owns(dock->FindChild("Bar-0")));
    EXPECT_TRUE(outside.Owns(dock->FindChild("Bar-0")->FindChild("ToolBarInfoEx")));
    EXPECT_FALSE(factory_.Owns(dock));
  }
  // The outside factory went first: the tree lists nothing it made.
  EXPECT_TRUE(root->GetChildren().empty());
  ASSERT_TRUE(state.SaveState(nullptr, root));
  EXPECT_TRUE(root->GetFactory().Owns(root->FindChild("DockState")));  // the parent's own
}

TEST_F(DockStateTreeTest, LoadingNeedsTheDockStateNodeAndSkipsMissingBars) {
  QVTDockState state(&toolbars_);
  EXPECT_FALSE(state.LoadState(static_cast<QVTPersistentTreeNode*>(nullptr)));
  QVTPersistentTreeNode* root = factory_.CreateNode("Frame", nullptr);
  EXPECT_FALSE(state.LoadState(root));

  // Three bars announced, the middle one missing, and no screen size.
  QVTPersistentTreeNode* dock = factory_.CreateNode("DockState", root);
  dock->SetIntValue("Bars", 3, TRUE);
  factory_.CreateNode("Bar-0", dock)->SetIntValue("BarID", 0xE800, TRUE);
  QVTPersistentTreeNode* last = factory_.CreateNode("Bar-2", dock);
  last->SetIntValue("BarID", 0xE801, TRUE);
  last->SetIntValue("XPos", 40, TRUE);
  last->SetIntValue("MRUFloatCX", -7, TRUE);
  state.SetCurrentScreenSize({2048, 1536});
  ASSERT_TRUE(state.LoadState(root));
  ASSERT_EQ(state.m_arrBarInfo.size(), 2u);
  EXPECT_EQ(state.m_arrBarInfo[1]->m_nBarID, 0xE801u);
  EXPECT_EQ(state.m_arrBarInfo[1]->m_pointPos.x, 40);  // nothing to scale from
  EXPECT_EQ(state.m_arrBarInfo[1]->m_szMRUFloat.cx, 0);
  EXPECT_TRUE(state.m_arrBarInfo[0]->m_bVisible);
}

}  // namespace
}  // namespace docking::test

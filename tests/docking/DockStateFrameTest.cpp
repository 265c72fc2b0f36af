// A frame's bar layout saved to the profile and put back onto a new frame:
// bars return to their sides, rows, places along their rows and floating places, a user toolbar the
// new frame lacks is made again with its title and buttons, and a record
// whose bar cannot be had is dropped while the others are placed.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "docking/QVTControlBar.h"
#include "docking/QVTCustomToolBar.h"
#include "docking/QVTDockBar.h"
#include "docking/QVTDockState.h"
#include "docking/QVTFrameWnd.h"
#include "docking/QVTToolBarManager.h"
#include "tests/platform/afx/AfxFixture.h"

namespace docking::test {
namespace {

using namespace ui;

constexpr UINT kToolBarId = 0xE800, kPanelId = 0xE805;
constexpr UINT kButtons[] = {100, 0, 101};

class DockStateFrameTest : public afx::test::AfxFixture {
 protected:
  // A frame with a toolbar at the top and a sizable panel at the bottom.
  QVTFrameWnd* MakeFrame() {
    auto* frame = new QVTFrameWnd;
    EXPECT_TRUE(frame->Create(nullptr, "Layout", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 60, 900, 660}));
    frame->EnableDocking(afx::CBRS_ALIGN_ANY);
    manager = std::make_unique<QVTToolBarManager>(frame);
    manager->AddDefaultToolBarDefinition(kToolBarId, "Main", 3, kButtons, afx::CBRS_ALIGN_ANY, kDockBarTop, 0, TRUE,
                                         TRUE);
    manager->CreateDefaultToolBars();
    auto* panel = new QVTControlBar;
    panel->m_bAutoDelete = TRUE;
    EXPECT_TRUE(panel->Create(frame, "Panel", WS_CHILD | WS_VISIBLE | afx::CBRS_BOTTOM | afx::CBRS_SIZE_DYNAMIC,
                              QVT_BARSTYLE_SIZABLE, kPanelId));
    panel->EnableDocking(afx::CBRS_ALIGN_ANY);
    frame->DockControlBar(panel);
    frame->RecalcLayout();
    Pump();
    return frame;
  }
  void Save(QVTFrameWnd* frame) {
    QVTDockState state(manager.get());
    ASSERT_TRUE(state.GetDockState(frame));
    state.CleanUpBarLists();
    ASSERT_TRUE(state.SaveState("Layout"));
  }
  void Load(QVTFrameWnd* frame) {
    QVTDockState state(manager.get());
    state.SetObjectList(&objects);
    ASSERT_TRUE(state.LoadState("Layout"));
    ASSERT_TRUE(state.SetDockState(frame));
    Pump();
  }
  void Close(QVTFrameWnd* frame) {
    manager.reset();
    DestroyWindow(frame->m_hWnd);
    Pump();
  }
  static void Pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
  static UINT SideOf(const afx::CControlBar* bar) {
    return bar->m_pDockBar ? static_cast<UINT>(bar->m_pDockBar->GetDlgCtrlID()) : 0;
  }
  std::unique_ptr<QVTToolBarManager> manager;
  std::vector<std::unique_ptr<afx::CObject>> objects;
};

TEST_F(DockStateFrameTest, BarsComeBackToTheirSidesAndFloatingPlaces) {
  QVTFrameWnd* first = MakeFrame();
  afx::CControlBar* panel = first->GetControlBar(kPanelId);
  first->DockControlBar(panel, kDockBarLeft);
  first->FloatControlBar(first->GetControlBar(kToolBarId), POINT{300, 320});
  first->RecalcLayout();
  Pump();
  ASSERT_TRUE(first->SaveBarState("Layout"));
  Close(first);

  QVTFrameWnd* second = MakeFrame();
  EXPECT_EQ(SideOf(second->GetControlBar(kPanelId)), kDockBarBottom);  // the frame's own layout
  ASSERT_TRUE(second->LoadBarState("Layout"));
  Pump();
  EXPECT_EQ(SideOf(second->GetControlBar(kPanelId)), kDockBarLeft);
  afx::CControlBar* toolbar = second->GetControlBar(kToolBarId);
  ASSERT_NE(toolbar, nullptr);
  EXPECT_TRUE(toolbar->IsFloating());
  RECT floating;
  GetWindowRect(GetAncestor(toolbar->m_hWnd, GA_ROOT), &floating);
  EXPECT_EQ(floating.left, 300);
  EXPECT_EQ(floating.top, 320);
  Close(second);
}

TEST_F(DockStateFrameTest, AToolBarLeftPartWayAlongItsRowComesBackThere) {
  QVTFrameWnd* first = MakeFrame();
  afx::CControlBar* toolbar = first->GetControlBar(kToolBarId);
  toolbar->SetWindowPos(nullptr, 150, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  first->RecalcLayout();
  RECT before;
  GetWindowRect(toolbar->m_hWnd, &before);
  ASSERT_GT(before.left, 100 + 150 - 10);  // the row keeps it where it was put
  ASSERT_TRUE(first->SaveBarState("Layout"));
  Close(first);

  QVTFrameWnd* second = MakeFrame();
  ASSERT_TRUE(second->LoadBarState("Layout"));
  Pump();
  RECT after;
  GetWindowRect(second->GetControlBar(kToolBarId)->m_hWnd, &after);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  Close(second);
}

TEST_F(DockStateFrameTest, AUserToolBarTheFrameLacksIsMadeAgainWithItsButtons) {
  QVTFrameWnd* first = MakeFrame();
  QVTCustomToolBar* mine = manager->CreateNewToolBar("Mine");
  ASSERT_NE(mine, nullptr);
  const UINT ids[] = {101, 102};
  mine->SetButtons(ids, 2);
  first->DockControlBar(mine, kDockBarRight);
  first->RecalcLayout();
  Save(first);
  Close(first);

  QVTFrameWnd* second = MakeFrame();
  ASSERT_EQ(second->GetControlBar(0xE820), nullptr);
  Load(second);
  auto* again = dynamic_cast<QVTCustomToolBar*>(second->GetControlBar(0xE820));
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(GetWindowTextString(again->m_hWnd), "Mine");
  ASSERT_EQ(again->GetButtonCount(), 2);
  EXPECT_EQ(again->GetButtonID(1), 102u);
  EXPECT_EQ(SideOf(again), kDockBarRight);
  Close(second);
}

TEST_F(DockStateFrameTest, ARecordWhoseBarCannotBeHadIsDroppedAndTheRestArePlaced) {
  QVTFrameWnd* first = MakeFrame();
  first->DockControlBar(first->GetControlBar(kPanelId), kDockBarRight);
  first->RecalcLayout();
  Save(first);
  Close(first);
  // A stored bar of a class nobody can make, with an id no frame has.
  profile.WriteInt("Layout-Summary", "Bars", profile.GetInt("Layout-Summary", "Bars", 0) + 1);
  const std::string extra = "Layout-Bar" + std::to_string(profile.GetInt("Layout-Summary", "Bars", 0) - 1);
  profile.WriteInt(extra, "BarID", 0xE877);
  profile.WriteString(extra, "ClassName", "NoSuchBar");

  QVTFrameWnd* second = MakeFrame();
  Load(second);
  EXPECT_EQ(second->GetControlBar(0xE877), nullptr);
  EXPECT_EQ(SideOf(second->GetControlBar(kPanelId)), kDockBarRight);
  Close(second);
}

}  // namespace
}  // namespace docking::test

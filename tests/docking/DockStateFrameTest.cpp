// A frame's bar layout saved to the profile and given to a new frame: the
// toolbars come back docked on the side and in the row they were, floating
// where they floated, hidden when hidden, with the buttons and titles the
// user left; a user toolbar the new frame lacks is made again by the
// manager, a record nothing can make is dropped. The idle update reaches
// the toolbar wherever it is, and a stretched toolbar follows the frame's
// width.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "docking/QVTControlBarInfo.h"
#include "docking/QVTCustomToolBar.h"
#include "docking/QVTDockState.h"
#include "docking/QVTFrameWnd.h"
#include "docking/QVTToolBarManager.h"
#include "platform/afx/DockBar.h"
#include "platform/afx/MessageMap.h"
#include "tests/platform/afx/AfxFixture.h"

namespace docking::test {

using namespace ui;

constexpr UINT kHandled = 100, kUnhandled = 101;

class LayoutFrame : public QVTFrameWnd {
 public:
  void OnHandled() {}
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(LayoutFrame, QVTFrameWnd)
  ON_COMMAND(kHandled, OnHandled)
END_MESSAGE_MAP()

namespace {

constexpr UINT kButtons[] = {kHandled, 0, kUnhandled};
constexpr const char* kLayout = "Control Bars";

class DockStateFrameTest : public afx::test::AfxFixture {
 protected:
  void TearDown() override {
    CloseFrame();
    AfxFixture::TearDown();
  }
  // A frame docking on every side with the manager's default toolbar,
  // laid out from the saved layout when there is one.
  void OpenFrame() {
    frame = new LayoutFrame;
    ASSERT_TRUE(frame->Create(nullptr, "Layout", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 60, 900, 660}));
    frame->SetToolBarManager(std::make_unique<QVTToolBarManager>(frame));
    manager = frame->GetToolBarManager();
    manager->AddDefaultToolBarDefinition(afx::AFX_IDW_TOOLBAR, "Main", 3, kButtons, afx::CBRS_ALIGN_ANY,
                                         afx::AFX_IDW_DOCKBAR_TOP, 0, TRUE, TRUE);
    frame->EnableDocking(afx::CBRS_ALIGN_ANY);
    ASSERT_TRUE(frame->LoadBarState(kLayout));
    manager->LoadState(kLayout);
    main_bar = manager->GetToolBar(afx::AFX_IDW_TOOLBAR);
    ASSERT_NE(main_bar, nullptr);
  }
  void CloseFrame() {
    if (frame && IsWindow(frame->m_hWnd)) DestroyWindow(frame->m_hWnd);
    frame = nullptr;
    Pump();
  }
  // What the application does on close, then a new frame as at a restart.
  void Reopen() {
    ASSERT_TRUE(frame->SaveBarState(kLayout));
    manager->SaveState(kLayout);
    CloseFrame();
    OpenFrame();
  }
  static void Pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  }
  static UINT DockBarOf(const afx::CControlBar* bar) {
    return bar->m_pDockBar ? static_cast<UINT>(bar->m_pDockBar->GetDlgCtrlID()) : 0;
  }
  static RECT ScreenRect(HWND hwnd) {
    RECT rect;
    GetWindowRect(hwnd, &rect);
    return rect;
  }

  LayoutFrame* frame = nullptr;
  QVTToolBarManager* manager = nullptr;
  QVTCustomToolBar* main_bar = nullptr;
};

TEST_F(DockStateFrameTest, AToolBarComesBackOnTheSideItWasDockedOn) {
  const UINT sides[] = {afx::AFX_IDW_DOCKBAR_LEFT, afx::AFX_IDW_DOCKBAR_RIGHT, afx::AFX_IDW_DOCKBAR_BOTTOM,
                        afx::AFX_IDW_DOCKBAR_TOP};
  for (const UINT side : sides) {
    SCOPED_TRACE(side);
    OpenFrame();
    frame->DockControlBar(main_bar, side);
    frame->RecalcLayout();
    Reopen();
    EXPECT_EQ(DockBarOf(main_bar), side);
    EXPECT_FALSE(main_bar->IsFloating());
    EXPECT_TRUE(main_bar->IsWindowVisible());
    EXPECT_EQ(manager->GetToolBars().size(), 1u);
    CloseFrame();
  }
}

TEST_F(DockStateFrameTest, AFloatingToolBarComesBackFloatingWhereItWas) {
  OpenFrame();
  frame->FloatControlBar(main_bar, POINT{300, 400}, afx::CBRS_ALIGN_TOP);
  ASSERT_TRUE(main_bar->IsFloating());
  const RECT floated = ScreenRect(main_bar->GetParentFrame()->m_hWnd);
  Reopen();
  ASSERT_TRUE(main_bar->IsFloating());
  const HWND floating = main_bar->GetParentFrame()->m_hWnd;
  const RECT restored = ScreenRect(floating);
  EXPECT_EQ(restored.left, floated.left);
  EXPECT_EQ(restored.top, floated.top);
  EXPECT_EQ(restored.right - restored.left, floated.right - floated.left);
  EXPECT_TRUE(IsWindowVisible(floating));
  // Docked again by the user, it is docked after the next restart, and
  // no floating frame is left behind.
  frame->DockControlBar(main_bar, afx::AFX_IDW_DOCKBAR_TOP);
  Pump();
  Reopen();
  EXPECT_EQ(DockBarOf(main_bar), afx::AFX_IDW_DOCKBAR_TOP);
  for (afx::CControlBar* bar : frame->GetControlBars())
    EXPECT_FALSE(bar->IsDockBar() && static_cast<afx::CDockBar*>(bar)->m_bFloating);
}

TEST_F(DockStateFrameTest, TheUsersButtonsTitleAndHiddenBarsAreKept) {
  OpenFrame();
  QVTCustomToolBar* mine = manager->CreateNewToolBar("Mine");
  ASSERT_NE(mine, nullptr);
  const UINT mine_id = static_cast<UINT>(mine->GetDlgCtrlID());
  mine->SetButtons(kButtons, 3);
  frame->DockControlBar(mine, afx::AFX_IDW_DOCKBAR_LEFT);
  main_bar->RemoveButton(0);  // leaves no leading separator
  frame->ShowControlBar(main_bar, FALSE, FALSE);
  Reopen();
  EXPECT_FALSE(main_bar->IsWindowVisible());
  ASSERT_EQ(main_bar->GetButtonCount(), 1);
  EXPECT_EQ(main_bar->GetButtonID(0), kUnhandled);
  // The user's bar, unknown to a new frame, is made again by the manager.
  QVTCustomToolBar* again = manager->GetToolBar(mine_id);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->GetWindowTextString(), "Mine");
  EXPECT_EQ(again->GetButtonCount(), 3);
  EXPECT_EQ(again->GetManager(), manager);
  EXPECT_EQ(DockBarOf(again), afx::AFX_IDW_DOCKBAR_LEFT);
}

TEST_F(DockStateFrameTest, ARecordNothingCanMakeIsDroppedAndTheRestLaidOut) {
  OpenFrame();
  frame->DockControlBar(main_bar, afx::AFX_IDW_DOCKBAR_BOTTOM);
  QVTDockState state(manager);
  ASSERT_TRUE(state.GetDockState(frame));
  // A bar of a class no one registered, listed first on the bottom side.
  auto stranger = std::make_unique<QVTControlBarInfo>(manager);
  stranger->m_nBarID = 0xE8AA;
  stranger->m_bVisible = TRUE;
  stranger->m_strClassName = "NoSuchBar";
  for (auto& info : state.m_arrBarInfo)
    if (info->m_bDockBar && info->m_nBarID == afx::AFX_IDW_DOCKBAR_BOTTOM)
      info->m_arrBarID.insert(info->m_arrBarID.begin() + 1, 0xE8AA);
  state.m_arrBarInfo.push_back(std::move(stranger));
  state.CleanUpBarLists();
  ASSERT_TRUE(state.SaveState(kLayout));
  CloseFrame();
  OpenFrame();
  EXPECT_EQ(frame->GetControlBar(0xE8AA), nullptr);
  EXPECT_EQ(DockBarOf(main_bar), afx::AFX_IDW_DOCKBAR_BOTTOM);
}

TEST_F(DockStateFrameTest, TheIdleUpdateReachesTheToolBarDockedOrFloating) {
  OpenFrame();
  const auto idle = [&] {
    // What the thread does when its queue runs dry.
    frame->SendMessage(afx::WM_IDLEUPDATECMDUI, TRUE, 0);
    frame->SendMessageToDescendants(afx::WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
  };
  for (const bool floating : {false, true}) {
    SCOPED_TRACE(floating);
    if (floating) frame->FloatControlBar(main_bar, POINT{300, 400}, afx::CBRS_ALIGN_TOP);
    main_bar->SetButtonStyle(0, main_bar->GetButtonStyle(0) | kTBDisabled);
    main_bar->SetButtonStyle(2, main_bar->GetButtonStyle(2) & ~kTBDisabled);
    idle();
    EXPECT_EQ(main_bar->GetButtonStyle(0) & kTBDisabled, 0u);
    EXPECT_NE(main_bar->GetButtonStyle(2) & kTBDisabled, 0u);
  }
}

TEST_F(DockStateFrameTest, AStretchedToolBarFollowsTheFramesWidth) {
  OpenFrame();
  main_bar->ModifyBarStyleEx(0, QVT_TBSTYLE_STRETCH, FALSE);
  frame->RecalcLayout();
  for (const int width : {500, 1000, 700}) {
    SCOPED_TRACE(width);
    // One layout, the one the new size brings, sets the bar's width.
    frame->SetWindowPos(nullptr, 0, 0, width, 600, SWP_NOMOVE | SWP_NOZORDER);
    RECT client, bar;
    frame->GetClientRect(&client);
    GetWindowRect(main_bar->m_hWnd, &bar);
    EXPECT_EQ(bar.right - bar.left, client.right);
  }
}

}  // namespace
}  // namespace docking::test

// A frame's toolbar as a program has it: kept hidden and with the buttons
// the user left across a saved layout, updated by the idle time wherever
// it is docked or floating, and, stretched along its row, as wide as the
// frame.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "docking/QVTCustomToolBar.h"
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

class ToolBarInFrameTest : public afx::test::AfxFixture {
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
    owned_manager = std::make_unique<QVTToolBarManager>(frame);
    manager = owned_manager.get();
    frame->SetControlBarManager(manager);
    manager->AddDefaultToolBarDefinition(afx::AFX_IDW_TOOLBAR, "Main", 3, kButtons, afx::CBRS_ALIGN_ANY,
                                         afx::AFX_IDW_DOCKBAR_TOP, 0, TRUE, TRUE);
    frame->EnableDocking(afx::CBRS_ALIGN_ANY);
    ASSERT_TRUE(frame->LoadBarState(kLayout));
    manager->LoadState(kLayout);
    main_bar = manager->GetToolBar(afx::AFX_IDW_TOOLBAR);
    ASSERT_NE(main_bar, nullptr);
  }
  void CloseFrame() {
    // The manager goes first: it lets go of the frame's bars.
    owned_manager.reset();
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
  std::unique_ptr<QVTToolBarManager> owned_manager;
  QVTToolBarManager* manager = nullptr;
  QVTCustomToolBar* main_bar = nullptr;
};

TEST_F(ToolBarInFrameTest, AHiddenBarAndTheUsersButtonsAreKept) {
  OpenFrame();
  main_bar->RemoveButton(0);  // leaves no leading separator
  frame->ShowControlBar(main_bar, FALSE, FALSE);
  Reopen();
  EXPECT_FALSE(main_bar->IsWindowVisible());
  ASSERT_EQ(main_bar->GetButtonCount(), 1);
  EXPECT_EQ(main_bar->GetButtonID(0), kUnhandled);
  EXPECT_EQ(manager->GetToolBars().size(), 1u);
  // Shown again, it is where it was docked.
  frame->ShowControlBar(main_bar, TRUE, FALSE);
  EXPECT_EQ(DockBarOf(main_bar), afx::AFX_IDW_DOCKBAR_TOP);
}

TEST_F(ToolBarInFrameTest, TheIdleUpdateReachesTheToolBarDockedOrFloating) {
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

TEST_F(ToolBarInFrameTest, AStretchedToolBarFollowsTheFramesWidth) {
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

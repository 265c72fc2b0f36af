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
#include "platform/ui/NonClient.h"
#include "tests/platform/afx/AfxFixture.h"

namespace docking::test {

using namespace ui;

constexpr UINT kHandled = 100, kUnhandled = 101;

class LayoutFrame : public QVTFrameWnd {
 public:
  // What the command's handler learns of the button that sent it.
  void OnHandled() { button_rect_valid = manager && manager->GetCommandButtonRect(&button_rect); }
  QVTToolBarManager* manager = nullptr;
  BOOL button_rect_valid = FALSE;
  RECT button_rect{0, 0, 0, 0};
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
    frame->manager = manager;
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

TEST_F(ToolBarInFrameTest, TheCommandsHandlerFindsTheButtonItCameFrom) {
  OpenFrame();
  RECT item;
  main_bar->GetItemRect(0, &item);
  const POINT centre{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
  main_bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
  main_bar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
  ASSERT_TRUE(frame->button_rect_valid);
  POINT corner{item.left, item.top};
  ClientToScreen(main_bar->m_hWnd, &corner);
  EXPECT_EQ(frame->button_rect.left, corner.x);
  EXPECT_EQ(frame->button_rect.top, corner.y);
  EXPECT_EQ(frame->button_rect.right - frame->button_rect.left, item.right - item.left);
  EXPECT_EQ(frame->button_rect.bottom - frame->button_rect.top, item.bottom - item.top);
  // Only while the command is on its way.
  RECT after;
  EXPECT_FALSE(manager->GetCommandButtonRect(&after));
}

TEST_F(ToolBarInFrameTest, InCustomiseModeAClickDoesNotActivateThroughADockedBar) {
  struct Case {
    const char* what;
    bool customise, floating, activates;
  };
  const Case cases[] = {
      {"docked", false, false, true},
      {"docked, customising", true, false, false},
      {"floating, customising", true, true, true},
  };
  OpenFrame();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    manager->SetCustomizeMode(c.customise ? TRUE : FALSE);
    if (c.floating) frame->FloatControlBar(main_bar, POINT{300, 400}, afx::CBRS_ALIGN_TOP);
    const LRESULT answer = main_bar->SendMessage(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(frame->m_hWnd),
                                                 MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(answer == MA_NOACTIVATE, !c.activates) << answer;
  }
}

}  // namespace
}  // namespace docking::test

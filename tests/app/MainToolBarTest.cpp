// The main window's toolbar, driven headlessly: eleven entries docked at
// the top above the form, the frame still fitting the form; Convert greyed
// by the idle update while a conversion runs; a click on its Convert
// button converts the selected files; and the toolbar comes back where the
// user left it (floating, or docked on another side) after a restart.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/AppResources.h"
#include "app/BrivenApp.h"
#include "app/ConversionDlg.h"
#include "app/MainFrame.h"
#include "app/SettingsDlgIds.h"
#include "core/conversion/BrivenDoc.h"
#include "docking/QVTCustomToolBar.h"
#include "docking/QVTToolBarManager.h"
#include "platform/afx/CmdUI.h"
#include "platform/afx/DockBar.h"
#include "platform/afx/ToolTipCtrl.h"
#include "platform/afx/WinApp.h"
#include "platform/sys/Notify.h"
#include "platform/sys/Profile.h"
#include "platform/ui/Clock.h"
#include "platform/ui/ControlMessages.h"
#include "platform/ui/HeadlessHost.h"
#include "platform/ui/HeadlessInput.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "tests/app/DesktopProgramFixture.h"

namespace {

using docking::QVTCustomToolBar;

class MainToolBar : public apptest::DesktopProgramFixture {
 protected:
  MainToolBar() : DesktopProgramFixture({"binary_cast.raw", "NMBP0417.tdf"}) {}

  void Start() {
    DesktopProgramFixture::Start();
    ASSERT_NE(frame_, nullptr);
    ASSERT_NE(frame_->GetToolBarManager(), nullptr);
    toolbar_ = frame_->GetToolBarManager()->GetToolBar(CMainFrame::kToolBarId);
    ASSERT_NE(toolbar_, nullptr);
  }
  void Restart() {
    Close();
    Start();
  }
  void Settle() {
    RunUntil([] { return true; });
    ui::MSG msg;
    while (ui::PeekMessage(&msg, nullptr, 0, 0, ui::PM_REMOVE)) ui::DispatchMessage(&msg);
  }
  // What the thread does when its queue runs dry.
  void IdleUpdate() { frame_->SendMessageToDescendants(afx::WM_IDLEUPDATECMDUI, ui::TRUE, 0, ui::TRUE, ui::TRUE); }
  bool ConvertGreyed() const {
    return (toolbar_->GetButtonStyle(toolbar_->CommandToIndex(app::kCmdConvert)) & docking::kTBDisabled) != 0;
  }
  ui::POINT ButtonCentre(unsigned command) const {
    ui::RECT rect;
    toolbar_->GetItemRect(toolbar_->CommandToIndex(command), &rect);
    ui::POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ui::ClientToScreen(toolbar_->m_hWnd, &centre);
    return centre;
  }
  ui::UINT DockBarId() const {
    return toolbar_->m_pDockBar ? static_cast<ui::UINT>(toolbar_->m_pDockBar->GetDlgCtrlID()) : 0;
  }
  // Where the menu bar's row ends, in the frame's client area.
  ui::LONG MenuBarBottom() const {
    ui::RECT menu;
    frame_->GetMenuBarOfFrame()->GetWindowRect(&menu);
    frame_->ScreenToClient(&menu);
    return menu.bottom;
  }
  // The form fills the client area between the bars: the frame fits it.
  void ExpectFrameFitsForm() {
    ui::RECT view_rect;
    view_->GetClientRect(&view_rect);
    EXPECT_EQ(view_rect.right, view_->GetTotalSize().cx);
    EXPECT_EQ(view_rect.bottom, view_->GetTotalSize().cy);
  }

  QVTCustomToolBar* toolbar_ = nullptr;
};

TEST_F(MainToolBar, ElevenEntriesDockedAtTheTopAboveTheForm) {
  Start();
  const std::vector<ui::UINT> expected = {app::kCmdParameters, app::kCmdFileNaming, app::kCmdHeader, app::kCmdConvert,
                                          0, app::kCmdViewProperties, app::kCmdRefresh, app::kCmdConversionLog,
                                          0, app::kCmdAppAbout, app::kCmdContextHelp};
  std::vector<ui::UINT> ids;
  for (int i = 0; i < toolbar_->GetButtonCount(); ++i) ids.push_back(toolbar_->GetButtonID(i));
  EXPECT_EQ(ids, expected);
  EXPECT_EQ(toolbar_->GetWindowTextString(), "Briven Toolbar");
  EXPECT_EQ(DockBarId(), afx::AFX_IDW_DOCKBAR_TOP);
  EXPECT_TRUE(toolbar_->IsWindowVisible());
  // Cool look, and stretched along its row.
  EXPECT_EQ(toolbar_->GetBarStyleEx() & 0x380u, 0x380u);
  // The toolbar stands above the form across the frame's width; the form
  // starts below it, and the frame still fits the form exactly.
  ui::RECT client, bar, form;
  frame_->GetClientRect(&client);
  toolbar_->GetWindowRect(&bar);
  frame_->ScreenToClient(&bar);
  view_->GetWindowRect(&form);
  frame_->ScreenToClient(&form);
  EXPECT_EQ(bar.top, MenuBarBottom());  // in the row below the menu bar's
  EXPECT_GT(bar.bottom - bar.top, 22);
  EXPECT_EQ(bar.right - bar.left, client.right);
  EXPECT_GE(form.top, bar.bottom);
  ExpectFrameFitsForm();
  // The idle update reaches the bar: with no conversion running, every
  // button is enabled (the toolbar was made before the form that handles
  // most of its commands).
  IdleUpdate();
  for (int i = 0; i < toolbar_->GetButtonCount(); ++i)
    EXPECT_EQ(toolbar_->GetButtonStyle(i) & docking::kTBDisabled, 0u) << toolbar_->GetButtonID(i);
  Settle();
  const std::string pictures = BRIVEN_TEST_BINARY_DIR;
  EXPECT_TRUE(ui::GetHeadlessHost().DumpWindowPng(frame_->m_hWnd, pictures + "/desktop_main_toolbar.png"));
  EXPECT_EQ(notices_, std::vector<std::string>{});
}

// The check mark an update gives a menu item.
class CheckProbe : public afx::CCmdUI {
 public:
  int check = -1;
  void SetCheck(int value) override { check = value; }
};

TEST_F(MainToolBar, TheViewMenusTogglesHideAndShowTheBarsAndTheFrameRefits) {
  Start();
  struct Case {
    unsigned command;
    ui::UINT bar;
  };
  const Case cases[] = {{app::kCmdViewToolbar, CMainFrame::kToolBarId},
                        {app::kCmdViewStatusBar, afx::AFX_IDW_STATUS_BAR}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    afx::CControlBar* bar = frame_->GetControlBar(c.bar);
    ASSERT_NE(bar, nullptr);
    for (const bool shown : {false, true}) {
      frame_->SendMessage(ui::WM_COMMAND, c.command, 0);
      EXPECT_EQ(bar->IsWindowVisible() != 0, shown);
      CheckProbe probe;
      probe.m_nID = c.command;
      probe.DoUpdate(frame_, ui::TRUE);
      EXPECT_EQ(probe.check, shown ? 1 : 0);
      ExpectFrameFitsForm();
    }
  }
}

TEST_F(MainToolBar, ItsConvertButtonConvertsAndIsGreyWhileTheConversionRuns) {
  Start();
  Select(CListProperties::kLogList, {"binary_cast.raw"});
  Select(CListProperties::kInstrumentList, {"NMBP0417.tdf"});
  view_->SetDlgItemText(app::kNextOutputEdit, "toolbar");
  Settle();
  IdleUpdate();
  EXPECT_FALSE(ConvertGreyed());
  ui::InjectClick(ButtonCentre(app::kCmdConvert));
  RunUntil([&] { return view_->GetProgressWindow() != nullptr; });
  IdleUpdate();
  EXPECT_TRUE(ConvertGreyed());
  // Only Convert: the other commands stay as they were.
  EXPECT_EQ(toolbar_->GetButtonStyle(toolbar_->CommandToIndex(app::kCmdAppAbout)) & docking::kTBDisabled, 0u);
  RunUntil([&] {
    CConversionDlg* progress = view_->GetProgressWindow();
    return progress && progress->GetItemText(1) == "OK";
  });
  IdleUpdate();
  EXPECT_TRUE(ConvertGreyed()) << "until the progress window is dismissed";
  view_->GetProgressWindow()->SendMessage(ui::WM_COMMAND, ui::IDOK, 0);
  RunUntil([&] { return view_->GetProgressWindow() == nullptr; });
  IdleUpdate();
  EXPECT_FALSE(ConvertGreyed());
  EXPECT_FALSE(apptest::ReadFile(out_ + "toolbar.dat").empty());
  EXPECT_EQ(notices_, std::vector<std::string>{});
}

TEST_F(MainToolBar, AButtonsTipShowsOnceTheMouseRestsOnItForTheDelay) {
  Start();
  Settle();
  ui::InjectMouseMove(ButtonCentre(app::kCmdConvert));
  Settle();
  afx::CToolTipCtrl* tip = toolbar_->GetToolTip();
  ASSERT_NE(tip, nullptr);
  const int delay = tip->GetDelayTime(ui::TTDT_INITIAL);
  ASSERT_GT(delay, 1);
  clock_.Advance(delay - 1);
  Settle();
  EXPECT_FALSE(tip->IsWindowVisible());
  clock_.Advance(1);
  Settle();
  EXPECT_TRUE(tip->IsWindowVisible());
  EXPECT_EQ(tip->GetText(toolbar_, app::kCmdConvert), "Begin Conversion (Ctrl+C)");
  const std::string pictures = BRIVEN_TEST_BINARY_DIR;
  EXPECT_TRUE(ui::GetHeadlessHost().DumpWindowPng(tip->m_hWnd, pictures + "/desktop_toolbar_tip.png"));
  // Off the buttons, onto the bar's gripper: no tip.
  ui::RECT bar;
  toolbar_->GetWindowRect(&bar);
  ui::InjectMouseMove(ui::POINT{bar.left + 3, bar.top + 10});
  Settle();
  clock_.Advance(delay * 2);
  Settle();
  EXPECT_FALSE(tip->IsWindowVisible());
}

TEST_F(MainToolBar, DraggedOffItsRowItFloatsAndComesBackFloatingAfterARestart) {
  Start();
  Settle();
  // The gripper: the bar's left edge, before the first button.
  ui::RECT bar;
  toolbar_->GetWindowRect(&bar);
  const ui::POINT grip{bar.left + 3, (bar.top + bar.bottom) / 2};
  const ui::POINT away{grip.x + 150, grip.y + 250};
  ui::InjectDrag(grip, away, 8);
  Settle();
  ASSERT_TRUE(toolbar_->IsFloating());
  afx::CFrameWnd* floating = toolbar_->GetParentFrame();
  ASSERT_NE(floating, nullptr);
  ui::RECT floated;
  floating->GetWindowRect(&floated);
  ExpectFrameFitsForm();
  Restart();
  Settle();
  ASSERT_TRUE(toolbar_->IsFloating());
  EXPECT_EQ(toolbar_->GetButtonCount(), 11);
  EXPECT_EQ(toolbar_->GetWindowTextString(), "Briven Toolbar");
  ui::RECT restored;
  toolbar_->GetParentFrame()->GetWindowRect(&restored);
  EXPECT_EQ(restored.left, floated.left);
  EXPECT_EQ(restored.top, floated.top);
  EXPECT_TRUE(toolbar_->GetParentFrame()->IsWindowVisible());
  // Only the menu bar is docked at the top any more: the form moved up,
  // the frame still fits it.
  ui::RECT form;
  view_->GetWindowRect(&form);
  frame_->ScreenToClient(&form);
  EXPECT_EQ(form.top, MenuBarBottom());
  ExpectFrameFitsForm();
  EXPECT_EQ(notices_, std::vector<std::string>{});
}

TEST_F(MainToolBar, DockedOnAnotherSideItIsFoundThereAfterARestart) {
  for (const ui::UINT side : {afx::AFX_IDW_DOCKBAR_LEFT, afx::AFX_IDW_DOCKBAR_BOTTOM, afx::AFX_IDW_DOCKBAR_TOP}) {
    SCOPED_TRACE(side);
    Start();
    frame_->DockControlBar(toolbar_, side);
    frame_->RecalcLayout();
    ASSERT_EQ(DockBarId(), side);
    Restart();
    EXPECT_EQ(DockBarId(), side);
    EXPECT_EQ(toolbar_->GetButtonCount(), 11);
    EXPECT_TRUE(toolbar_->IsWindowVisible());
    ExpectFrameFitsForm();
    Close();
  }
  // A hidden toolbar stays hidden.
  Start();
  frame_->ShowControlBar(toolbar_, ui::FALSE, ui::FALSE);
  Restart();
  EXPECT_FALSE(toolbar_->IsWindowVisible());
  EXPECT_EQ(toolbar_->GetButtonCount(), 11);
}

}  // namespace

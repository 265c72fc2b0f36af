// Framework dialogs: modal runs from templates, data exchange both ways,
// validation that keeps the dialog open, keyboard answers and command
// update of the dialog's buttons.
#include <functional>
#include <string>
#include <vector>

#include "AfxFixture.h"
#include "platform/afx/CmdUI.h"
#include "platform/afx/DataExchange.h"
#include "platform/afx/Dialog.h"

namespace afx::test {

constexpr UINT kDialogTemplate = 5000;

class CExchangeDialog : public CDialog {
 public:
  CExchangeDialog() : CDialog(kDialogTemplate) {}
  int count = 5;
  std::string name = "abc";
  int check = 1;
  int radio = 1;
  double ratio = 0.25;
  // Runs inside the modal loop, from a timer.
  std::function<void(CExchangeDialog&)> script;

  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    if (script) SetTimer(1, 100);
    return TRUE;
  }
  void OnTimer(UINT_PTR id) {
    KillTimer(id);
    script(*this);
  }
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Text(dx, 100, count);
    DDV_MinMaxInt(dx, count, 1, 10);
    DDX_Text(dx, 101, name);
    DDV_MaxChars(dx, name, 8);
    DDX_Check(dx, 102, check);
    DDX_Radio(dx, 103, radio);
    DDX_Text(dx, 106, ratio);
  }
  void OnUpdateDisabled(CCmdUI* ui) { ui->Enable(FALSE); }
  void OnHandled() {}
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CExchangeDialog, CDialog)
  ON_WM_TIMER()
  ON_UPDATE_COMMAND_UI(600, OnUpdateDisabled)
  ON_COMMAND(601, OnHandled)
END_MESSAGE_MAP()

// A main window that counts the idle notices of the dialogs it owns.
class CIdleOwner : public CWnd {
 public:
  std::vector<std::pair<WPARAM, HWND>> idles;
  LRESULT OnEnterIdle(WPARAM why, LPARAM dialog) {
    idles.emplace_back(why, reinterpret_cast<HWND>(dialog));
    // The first idle spell gives the dialog work; the second closes it.
    if (idles.size() == 1) ::ui::PostMessage(reinterpret_cast<HWND>(dialog), WM_NULL, 0, 0);
    else ::ui::PostMessage(reinterpret_cast<HWND>(dialog), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CIdleOwner, CWnd)
  ON_MESSAGE(WM_ENTERIDLE, OnEnterIdle)
END_MESSAGE_MAP()

namespace {

class DialogTest : public AfxFixture {
 protected:
  void SetUp() override {
    AfxFixture::SetUp();
    ::ui::DialogTemplate dialog;
    dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
    dialog.cx = 220;
    dialog.cy = 140;
    dialog.caption = "Exchange";
    const DWORD tab = WS_VISIBLE | WS_TABSTOP;
    dialog.items = {
        {"Edit", "", 100, tab | ES_AUTOHSCROLL, 0, 5, 5, 60, 12},
        {"Edit", "", 101, tab | ES_AUTOHSCROLL, 0, 5, 20, 60, 12},
        {"Button", "Check", 102, tab | BS_AUTOCHECKBOX, 0, 5, 35, 60, 10},
        {"Button", "One", 103, tab | WS_GROUP | BS_AUTORADIOBUTTON, 0, 5, 50, 60, 10},
        {"Button", "Two", 104, WS_VISIBLE | BS_AUTORADIOBUTTON, 0, 5, 62, 60, 10},
        {"Button", "Three", 105, WS_VISIBLE | BS_AUTORADIOBUTTON, 0, 5, 74, 60, 10},
        {"Edit", "", 106, tab | WS_GROUP | ES_AUTOHSCROLL, 0, 5, 88, 60, 12},
        {"Button", "Disabled by update", 600, tab, 0, 80, 5, 60, 14},
        {"Button", "Handled", 601, tab, 0, 80, 20, 60, 14},
        {"Button", "Nobody's", 602, tab, 0, 80, 35, 60, 14},
        {"Button", "OK", IDOK, tab | BS_DEFPUSHBUTTON, 0, 100, 120, 50, 14},
        {"Button", "Cancel", IDCANCEL, tab, 0, 160, 120, 50, 14},
    };
    ::ui::RegisterDialogResource(kDialogTemplate, dialog);
  }
};

TEST_F(DialogTest, DataMovesBothWaysAndARefusedValueKeepsTheDialogOpenOnItsField) {
  CExchangeDialog dlg;
  struct Seen {
    std::string count_text, name_text, ratio_text;
    UINT check = 0, radio_two = 0;
  } shown;
  std::vector<bool> open_after_refusal;
  std::vector<int> focus_after_refusal;
  dlg.script = [&](CExchangeDialog& d) {
    shown = {d.GetDlgItemText(100), d.GetDlgItemText(101), d.GetDlgItemText(106),
             ::ui::IsDlgButtonChecked(d.m_hWnd, 102), ::ui::IsDlgButtonChecked(d.m_hWnd, 104)};
    for (const char* bad : {"50", "x1", ""}) {
      d.SetDlgItemText(100, bad);
      ::ui::SetFocus(::ui::GetDlgItem(d.m_hWnd, 101));
      d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      open_after_refusal.push_back(::ui::IsWindow(d.m_hWnd) && d.ContinueModal());
      focus_after_refusal.push_back(::ui::GetDlgCtrlID(::ui::GetFocus()));
    }
    d.SetDlgItemText(100, " 7 ");
    d.SetDlgItemText(101, "hello");
    d.SetDlgItemText(106, "1.5e3");
    ::ui::SendDlgItemMessage(d.m_hWnd, 102, BM_CLICK, 0, 0);
    ::ui::SendDlgItemMessage(d.m_hWnd, 105, BM_CLICK, 0, 0);
    d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  };
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(shown.count_text, "5");
  EXPECT_EQ(shown.name_text, "abc");
  EXPECT_EQ(shown.ratio_text, "0.25");
  EXPECT_EQ(shown.check, 1u);
  EXPECT_EQ(shown.radio_two, 1u);
  EXPECT_EQ(open_after_refusal, (std::vector<bool>{true, true, true}));
  EXPECT_EQ(focus_after_refusal, (std::vector<int>{100, 100, 100}));
  EXPECT_EQ(notices, (std::vector<std::string>{"Please enter an integer between 1 and 10.",
                                               "Please enter an integer.", "Please enter an integer."}));
  EXPECT_EQ(dlg.count, 7);
  EXPECT_EQ(dlg.name, "hello");
  EXPECT_EQ(dlg.check, 0);
  EXPECT_EQ(dlg.radio, 2);
  EXPECT_DOUBLE_EQ(dlg.ratio, 1500.0);
  EXPECT_EQ(dlg.m_hWnd, nullptr);  // the window is gone after the run
}

TEST_F(DialogTest, EscapeCancelsWithoutTakingTheValuesAndTheOwnerIsDisabledMeanwhile) {
  CWnd owner;
  ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
  CExchangeDialog dlg;
  bool owner_disabled = false;
  dlg.script = [&](CExchangeDialog& d) {
    owner_disabled = !owner.IsWindowEnabled();
    d.SetDlgItemText(101, "changed");
    const HWND focus = ::ui::GetFocus();
    ::ui::PostMessage(focus, WM_KEYDOWN, VK_ESCAPE, 0);
  };
  CWinApp app("Dialog Test");
  app.m_pMainWnd = &owner;
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  app.m_pMainWnd = nullptr;
  EXPECT_TRUE(owner_disabled);
  EXPECT_TRUE(owner.IsWindowEnabled());
  EXPECT_EQ(dlg.name, "abc");
}

TEST_F(DialogTest, QuitDuringTheRunAnswersCancelAndReachesTheOuterLoop) {
  CExchangeDialog dlg;
  dlg.script = [](CExchangeDialog&) { ::ui::PostQuitMessage(9); };
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  MSG msg;
  EXPECT_EQ(::ui::GetMessage(&msg, nullptr, 0, 0), 0);
  EXPECT_EQ(msg.wParam, 9u);
}

TEST_F(DialogTest, AMissingTemplateFailsTheRun) {
  CDialog dlg(kDialogTemplate + 1);
  EXPECT_EQ(dlg.DoModal(), -1);
  EXPECT_FALSE(dlg.Create(kDialogTemplate + 1));
}

TEST_F(DialogTest, AModelessDialogLivesUntilDestroyedAndItsButtonsFollowCommandUpdate) {
  CExchangeDialog dlg;
  ASSERT_TRUE(dlg.Create(kDialogTemplate));
  EXPECT_TRUE(dlg.IsWindowVisible());
  EXPECT_EQ(dlg.GetDlgItemText(100), "5");  // OnInitDialog exchanged the data
  dlg.UpdateDialogControls(&dlg, TRUE);
  EXPECT_FALSE(dlg.GetDlgItem(600)->IsWindowEnabled());
  EXPECT_TRUE(dlg.GetDlgItem(601)->IsWindowEnabled());
  EXPECT_FALSE(dlg.GetDlgItem(602)->IsWindowEnabled());
  EXPECT_TRUE(dlg.GetDlgItem(100)->IsWindowEnabled());  // not a command: left alone
  dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_FALSE(dlg.IsWindowVisible());
  EXPECT_TRUE(dlg.DestroyWindow());
  EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(DialogTest, TheOwnerHearsEnterIdleOncePerIdleSpellOfTheModalRun) {
  CIdleOwner owner;
  ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
  CWinApp app("Dialog Test");
  app.m_pMainWnd = &owner;
  CDialog dlg(kDialogTemplate);
  HWND running = nullptr;
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  app.m_pMainWnd = nullptr;
  ASSERT_EQ(owner.idles.size(), 2u);
  running = owner.idles[0].second;
  for (const auto& [why, from] : owner.idles) {
    EXPECT_EQ(why, static_cast<WPARAM>(::ui::MSGF_DIALOGBOX));
    EXPECT_EQ(from, running);
  }
  EXPECT_NE(running, nullptr);
}

}  // namespace
}  // namespace afx::test

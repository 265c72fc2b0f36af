// Shared set-up of the settings dialog tests: the program's templates, a
// virtual clock, message-box texts captured instead of printed, a private
// folder as the settings home, and the helpers that open a dialog without
// its modal loop and press its buttons.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/AppResources.h"
#include "platform/afx/Dialog.h"
#include "platform/sys/Notify.h"
#include "platform/ui/Clock.h"
#include "platform/ui/ControlMessages.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/HeadlessHost.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "tests/support/TempFolder.h"

namespace settingstest {

class SettingsDialogFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    ui::SetClock(&clock);
    ui::GetHeadlessHost().SetStallLimit(5000);
    app::RegisterResources();
    sys::SetNoticeSink([this](const sys::Notice& notice) {
      notices.push_back(notice.text);
      icons.push_back(notice.icon);
      return sys::DefaultAnswer(notice);
    });
  }
  void TearDown() override {
    sys::SetNoticeSink(nullptr);
    ui::GetHeadlessHost().SetStallLimit(-1);
    ui::SetClock(nullptr);
  }

  // Makes the dialog's window (OnInitDialog runs) and shows it.
  static void Open(afx::CDialog& dialog, int template_id) {
    ASSERT_TRUE(dialog.Create(static_cast<afx::UINT>(template_id)));
    dialog.ShowWindow(ui::SW_SHOW);
  }
  static void Press(const afx::CDialog& dialog, int id) {
    dialog.SendMessage(ui::WM_COMMAND, ui::MAKEWPARAM(static_cast<unsigned>(id), ui::BN_CLICKED),
                       reinterpret_cast<ui::LPARAM>(ui::GetDlgItem(dialog.m_hWnd, id)));
  }
  // A click on a check box or radio: it changes its state, then tells the dialog.
  static void Click(const afx::CDialog& dialog, int id) {
    ui::SendDlgItemMessage(dialog.m_hWnd, id, ui::BM_CLICK, 0, 0);
  }
  static void Select(const afx::CDialog& dialog, int combo, int index) {
    ui::SendDlgItemMessage(dialog.m_hWnd, combo, ui::CB_SETCURSEL, static_cast<ui::WPARAM>(index), 0);
    dialog.SendMessage(ui::WM_COMMAND, ui::MAKEWPARAM(static_cast<unsigned>(combo), ui::CBN_SELCHANGE),
                       reinterpret_cast<ui::LPARAM>(ui::GetDlgItem(dialog.m_hWnd, combo)));
  }
  static int Selection(const afx::CDialog& dialog, int combo) {
    return static_cast<int>(ui::SendDlgItemMessage(dialog.m_hWnd, combo, ui::CB_GETCURSEL, 0, 0));
  }
  static bool Checked(const afx::CDialog& dialog, int id) {
    return ui::IsDlgButtonChecked(dialog.m_hWnd, id) == ui::BST_CHECKED;
  }
  static bool Enabled(const afx::CDialog& dialog, int id) {
    return ui::IsWindowEnabled(ui::GetDlgItem(dialog.m_hWnd, id)) != 0;
  }
  // The dialog id of the control with the focus (or of the control whose
  // part has it).
  static int FocusId(const afx::CDialog& dialog) {
    ui::HWND focus = ui::GetFocus();
    while (focus && ui::GetParent(focus) && ui::GetParent(focus) != dialog.m_hWnd) focus = ui::GetParent(focus);
    return focus ? ui::GetDlgCtrlID(focus) : 0;
  }
  static bool StillOpen(const afx::CDialog& dialog) {
    return dialog.m_hWnd && ui::IsWindowVisible(dialog.m_hWnd);
  }

  testsupport::TempFolder folder;
  ui::VirtualClock clock{1000};
  std::vector<std::string> notices;
  std::vector<sys::NoticeIcon> icons;
};

}  // namespace settingstest

#include "app/SettingsDlgBase.h"

#include <sys/stat.h>

#include "app/HelpBook.h"
#include "app/SettingsDlgIds.h"
#include "platform/sys/Notify.h"
#include "platform/ui/ControlMessages.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"

// The message-map macros name the framework's types unqualified.
using namespace afx;

BEGIN_MESSAGE_MAP(CSettingsDlgBase, afx::CDialog)
  ON_BN_CLICKED(app::kHelpButton, OnHelpButton)
END_MESSAGE_MAP()

afx::BOOL CSettingsDlgBase::PreTranslateMessage(afx::MSG* msg) {
  if (msg->message == ::ui::WM_KEYDOWN && msg->wParam == ::ui::VK_F1 && m_hWnd &&
      (msg->hwnd == m_hWnd || ::ui::IsChild(m_hWnd, msg->hwnd))) {
    // Controls without a topic (labels, group boxes) open nothing.
    if (const unsigned long context = HelpContextOfControl(msg->hwnd)) app::ShowHelpContext(m_hWnd, context);
    return TRUE;
  }
  return afx::CDialog::PreTranslateMessage(msg);
}

unsigned long CSettingsDlgBase::HelpContextOfControl(afx::HWND control) const {
  // A drop-down list's field and list are children of the combo, which
  // carries the id.
  while (control && control != m_hWnd && ::ui::GetParent(control) != m_hWnd) control = ::ui::GetParent(control);
  if (!control || control == m_hWnd) return 0;
  return app::ControlHelpContextOrNone(static_cast<int>(m_nIDHelp), ::ui::GetDlgCtrlID(control));
}

void CSettingsDlgBase::OnHelpButton() { app::ShowHelpContext(m_hWnd, app::DialogHelpContext(static_cast<int>(m_nIDHelp))); }

bool CSettingsDlgBase::Refuse(const std::string& text, int control) const {
  sys::Notify(text, sys::NoticeIcon::exclamation);
  if (afx::CWnd* wnd = GetDlgItem(control)) GotoDlgCtrl(wnd);
  return false;
}

bool CSettingsDlgBase::IsChecked(int id) const { return ::ui::IsDlgButtonChecked(m_hWnd, id) == ::ui::BST_CHECKED; }

void CSettingsDlgBase::SetChecked(int id, bool checked) const {
  ::ui::CheckDlgButton(m_hWnd, id, checked ? ::ui::BST_CHECKED : ::ui::BST_UNCHECKED);
}

void CSettingsDlgBase::EnableControl(int id, bool enable) const {
  if (const afx::HWND control = ::ui::GetDlgItem(m_hWnd, id)) ::ui::EnableWindow(control, enable);
}

int CSettingsDlgBase::ComboSelection(int id) const {
  return static_cast<int>(::ui::SendDlgItemMessage(m_hWnd, id, ::ui::CB_GETCURSEL, 0, 0));
}

void CSettingsDlgBase::SetComboSelection(int id, int index) const {
  ::ui::SendDlgItemMessage(m_hWnd, id, ::ui::CB_SETCURSEL, static_cast<afx::WPARAM>(index), 0);
}

int CSettingsDlgBase::CheckedRadio(int first, int last) const {
  for (int id = first; id <= last; ++id)
    if (IsChecked(id)) return id - first;
  return -1;
}

void CSettingsDlgBase::LimitEditText(int id, int max_chars) const {
  ::ui::SendDlgItemMessage(m_hWnd, id, ::ui::EM_LIMITTEXT, static_cast<afx::WPARAM>(max_chars), 0);
}

bool ValidateSettingsFolder(std::string& folder) {
  // Only an absolute folder names the same place whatever folder the
  // program was started in.
  if (folder.empty() || folder.front() != '/') return false;
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  if (folder.back() != '/') folder += '/';
  return true;
}

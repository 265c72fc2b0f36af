#include "app/AboutDlg.h"

#include <string>

#include "app/AppResources.h"
#include "app/BrivenApp.h"
#include "platform/sys/Format.h"
#include "platform/ui/ControlMessages.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"

namespace {

void SetFieldWhenGiven(ui::HWND dialog, int id, const std::string& text) {
  if (text.empty() || ui::GetDlgItem(dialog, id) == nullptr) return;
  ui::SetDlgItemText(dialog, id, text.c_str());
}

}  // namespace

ui::INT_PTR CAboutDlg::DoModal(ui::HWND owner) {
  return ui::DialogBoxIndirectParam(app::LoadAppDialog(app::kAboutDialog), owner, &CAboutDlg::DialogProc,
                                    reinterpret_cast<ui::LPARAM>(this));
}

ui::HWND CAboutDlg::CreateModeless(ui::HWND owner) {
  return ui::CreateDialogIndirectParam(app::LoadAppDialog(app::kAboutDialog), owner, &CAboutDlg::DialogProc,
                                       reinterpret_cast<ui::LPARAM>(this));
}

bool CAboutDlg::OnInitDialog(ui::HWND dialog) {
  if (m_pApp == nullptr) return true;
  SetFieldWhenGiven(dialog, app::kAboutProductName, m_pApp->GetProductName());
  if (!m_pApp->GetProductVersion().empty())
    SetFieldWhenGiven(dialog, app::kAboutVersion, sys::Format("Version %s", m_pApp->GetProductVersion().c_str()));
  SetFieldWhenGiven(dialog, app::kAboutCopyright, m_pApp->GetCopyright());
  SetFieldWhenGiven(dialog, app::kAboutUserName, m_pApp->GetInstallationUserName());
  SetFieldWhenGiven(dialog, app::kAboutCompany, m_pApp->GetInstallationCompany());
  return true;
}

ui::INT_PTR CAboutDlg::DialogProc(ui::HWND dialog, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) {
  switch (message) {
    case ui::WM_INITDIALOG: {
      ui::SetWindowLongPtr(dialog, ui::DWLP_USER, lParam);
      auto* self = reinterpret_cast<CAboutDlg*>(lParam);
      return self != nullptr && self->OnInitDialog(dialog);
    }
    case ui::WM_COMMAND:
      if ((wParam & 0xFFFF) == static_cast<ui::WPARAM>(ui::IDOK) ||
          (wParam & 0xFFFF) == static_cast<ui::WPARAM>(ui::IDCANCEL)) {
        ui::EndDialog(dialog, static_cast<ui::INT_PTR>(wParam & 0xFFFF));
        return 1;
      }
      return 0;
    default:
      return 0;
  }
}

#include "app/AboutDlg.h"

#include <string>

#include "app/AppResources.h"
#include "app/DialogPictures.h"
#include "app/BrivenApp.h"
#include "platform/sys/Format.h"

// The framework's message-map macros name its types unqualified.
using namespace afx;

CAboutDlg::CAboutDlg(const CBrivenApp* app, afx::CWnd* parent)
    : afx::CDialog(app::kAboutDialog, parent), m_pApp(app) {
  app::RegisterResources();
}

void CAboutDlg::SetFieldWhenGiven(int id, const std::string& text) {
  if (text.empty() || GetDlgItem(id) == nullptr) return;
  SetDlgItemText(id, text);
}

afx::BOOL CAboutDlg::OnInitDialog() {
  afx::CDialog::OnInitDialog();
  app::LoadDialogPictures(m_hWnd);
  if (m_pApp == nullptr) return TRUE;
  SetFieldWhenGiven(app::kAboutProductName, m_pApp->GetProductName());
  if (!m_pApp->GetProductVersion().empty())
    SetFieldWhenGiven(app::kAboutVersion, sys::Format("Version %s", m_pApp->GetProductVersion().c_str()));
  SetFieldWhenGiven(app::kAboutCopyright, m_pApp->GetCopyright());
  SetFieldWhenGiven(app::kAboutUserName, m_pApp->GetInstallationUserName());
  SetFieldWhenGiven(app::kAboutCompany, m_pApp->GetInstallationCompany());
  return TRUE;
}

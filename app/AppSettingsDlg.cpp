#include "app/AppSettingsDlg.h"

#include "app/SettingsDlgIds.h"
#include "core/conversion/DocumentSettings.h"
#include "platform/afx/DataExchange.h"
#include "platform/ui/FileChooser.h"

// The message-map macros name the framework's types unqualified.
using namespace afx;

using namespace app::appsettings;

namespace {
constexpr int kFolderMaxChars = 255;
}

BEGIN_MESSAGE_MAP(CAppSettingsDlg, CSettingsDlgBase)
  ON_BN_CLICKED(kConversionLog, OnConversionLogClicked)
  ON_BN_CLICKED(kLogFolderChooser, OnChooseFolder)
END_MESSAGE_MAP()

CAppSettingsDlg::CAppSettingsDlg(afx::CWnd* parent) : CSettingsDlgBase(app::kAppSettingsDialog, parent) {}

void CAppSettingsDlg::LoadFrom(const DocumentSettings& s) {
  m_bSaveSettings = s.save_settings;
  m_bOverwritePrompt = s.overwrite_prompt;
  m_bDismissProgress = s.dismiss_progress;
  m_bConversionLog = s.conversion_log;
  m_strLogFolder = s.conversion_log_folder;
}

void CAppSettingsDlg::StoreInto(DocumentSettings& s) const {
  s.save_settings = m_bSaveSettings;
  s.overwrite_prompt = m_bOverwritePrompt;
  s.dismiss_progress = m_bDismissProgress;
  s.conversion_log = m_bConversionLog;
  s.conversion_log_folder = m_strLogFolder;
}

afx::BOOL CAppSettingsDlg::OnInitDialog() {
  CSettingsDlgBase::OnInitDialog();
  LimitEditText(kLogFolderEdit, kFolderMaxChars);
  OnConversionLogClicked();
  return TRUE;
}

void CAppSettingsDlg::DoDataExchange(afx::CDataExchange* dx) {
  afx::DDX_Check(dx, kSaveSettings, m_bSaveSettings);
  afx::DDX_Check(dx, kOverwritePrompt, m_bOverwritePrompt);
  afx::DDX_Check(dx, kDismissProgress, m_bDismissProgress);
  afx::DDX_Check(dx, kConversionLog, m_bConversionLog);
  afx::DDX_Text(dx, kLogFolderEdit, m_strLogFolder);
}

void CAppSettingsDlg::OnConversionLogClicked() {
  const bool logging = IsChecked(kConversionLog);
  EnableControl(kLogFolderEdit, logging);
  EnableControl(kLogFolderChooser, logging);
}

void CAppSettingsDlg::OnChooseFolder() {
  std::string chosen;
  if (ui::ChooseFolder({m_hWnd, "Select Conversion Log File Path:", GetDlgItemText(kLogFolderEdit)}, chosen))
    SetDlgItemText(kLogFolderEdit, chosen);
}

void CAppSettingsDlg::OnOK() {
  std::string folder = GetDlgItemText(kLogFolderEdit);
  if (IsChecked(kConversionLog)) {
    if (!ValidateSettingsFolder(folder)) {
      Refuse("The Conversion Log File directory is invalid or does not exist.", kLogFolderEdit);
      return;
    }
  } else if (!folder.empty() && folder.back() != '/') {
    // The stored folder always ends with its separator, also when unused.
    folder += '/';
  }
  SetDlgItemText(kLogFolderEdit, folder);
  if (!UpdateData(TRUE)) return;
  EndDialog(afx::IDOK);
}

// Briven > Properties: whether settings are saved on exit, whether an
// existing output file is asked about, whether the progress window closes
// by itself, and the folder of the conversion log files.
#pragma once

#include <string>

#include "app/SettingsDlgBase.h"

struct DocumentSettings;

class CAppSettingsDlg : public CSettingsDlgBase {
 public:
  explicit CAppSettingsDlg(afx::CWnd* parent = nullptr);

  void LoadFrom(const DocumentSettings& settings);
  void StoreInto(DocumentSettings& settings) const;

  int m_bSaveSettings = 1;
  int m_bOverwritePrompt = 1;
  int m_bDismissProgress = 0;
  int m_bConversionLog = 0;
  std::string m_strLogFolder;

 protected:
  afx::BOOL OnInitDialog() override;
  void OnOK() override;
  void DoDataExchange(afx::CDataExchange* dx) override;

  void OnConversionLogClicked();
  void OnChooseFolder();
  DECLARE_MESSAGE_MAP()
};

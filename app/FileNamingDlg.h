// Conversion > File Naming: how the output file is named, one page for
// instrument conversion and one for header conversion. A page is checked
// and kept when the user turns to the other page and on OK.
#pragma once

#include <array>

#include "app/FileNaming.h"
#include "app/SettingsDlgBase.h"
#include "app/SpecialEdit.h"

class CFileNamingDlg : public CSettingsDlgBase {
 public:
  enum Page { kInstrumentPage = 0, kHeaderPage = 1 };

  explicit CFileNamingDlg(afx::CWnd* parent = nullptr);

  // Before the dialog: the naming of page `index`; after OK: read it
  // back. False for another index.
  bool SetNaming(const CFileNaming& naming, int index);
  bool GetNaming(CFileNaming& naming, int index) const;

  // The page shown first, and after OK the page shown last.
  int m_nPage = kInstrumentPage;

 protected:
  afx::BOOL OnInitDialog() override;
  void OnOK() override;

  void ShowPage(int page);
  // Checks the page being left and keeps its values; on a refusal the
  // page selector shows that page again and the named control has the focus.
  bool ValidateAndStorePage(int page);
  void ApplyEnabling() const;
  void SetIncrementFilter(int type);
  void OnPageChange();
  void OnIncrementTypeChange();

  CSpecialEdit m_incrementEdit;
  std::array<CFileNaming, 2> m_namings;
  std::array<bool, 2> m_given{};
  DECLARE_MESSAGE_MAP()
};

#include "app/FileNamingDlg.h"

#include <cerrno>
#include <cstdlib>

#include "app/SettingsDlgIds.h"
#include "platform/sys/Format.h"
#include "platform/ui/ControlMessages.h"

// The message-map macros name the framework's types unqualified.
using namespace afx;

using namespace app::naming;

namespace {

constexpr int kPageCount = 2;
constexpr long kIncrementLimit = 1000;  // numeric increments run 0 to 999

constexpr int kModeRadios[] = {kUserDefined, kFileTitles, kAutoIncrement};  // in mode order

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

BEGIN_MESSAGE_MAP(CFileNamingDlg, CSettingsDlgBase)
  ON_BN_CLICKED(kUserDefined, ApplyEnabling)
  ON_BN_CLICKED(kFileTitles, ApplyEnabling)
  ON_BN_CLICKED(kAutoIncrement, ApplyEnabling)
  ON_CONTROL(::ui::CBN_SELCHANGE, kPageCombo, OnPageChange)
  ON_CONTROL(::ui::CBN_SELCHANGE, kIncrementTypeCombo, OnIncrementTypeChange)
END_MESSAGE_MAP()

CFileNamingDlg::CFileNamingDlg(afx::CWnd* parent) : CSettingsDlgBase(app::kFileNamingDialog, parent) {}

bool CFileNamingDlg::SetNaming(const CFileNaming& naming, int index) {
  if (index < 0 || index >= kPageCount) return false;
  m_namings[index] = naming;
  m_given[index] = true;
  return true;
}

bool CFileNamingDlg::GetNaming(CFileNaming& naming, int index) const {
  if (index < 0 || index >= kPageCount) return false;
  naming = m_namings[index];
  return true;
}

afx::BOOL CFileNamingDlg::OnInitDialog() {
  CSettingsDlgBase::OnInitDialog();
  m_incrementEdit.m_filter.upper_case = true;
  m_incrementEdit.SubclassDlgItem(kIncrementEdit, this);
  if (m_nPage < 0 || m_nPage >= kPageCount) m_nPage = kInstrumentPage;
  SetComboSelection(kPageCombo, m_nPage);
  ShowPage(m_nPage);
  return TRUE;
}

void CFileNamingDlg::ShowPage(int page) {
  const bool given = m_given[page];
  const CFileNaming& naming = m_namings[page];
  SetDlgItemText(kBaseEdit, given ? naming.m_strBase : "");
  SetDlgItemText(kIncrementEdit, given ? naming.m_strIncrement : "");
  SetDlgItemText(kExtensionEdit, given ? naming.m_strExtension : "");
  const int type = given ? naming.m_nIncrementType : -1;
  SetComboSelection(kIncrementTypeCombo, type == 0 || type == 1 ? type : -1);
  for (int mode = 0; mode < 3; ++mode) SetChecked(kModeRadios[mode], given && naming.m_nMode == mode);
  SetIncrementFilter(type);
  ApplyEnabling();
}

void CFileNamingDlg::SetIncrementFilter(int type) {
  m_incrementEdit.m_filter.letters_only = type == CFileNaming::kIncrementAlphabetic;
  m_incrementEdit.m_filter.digits_only = type == CFileNaming::kIncrementNumeric;
}

void CFileNamingDlg::ApplyEnabling() const {
  const bool increment = IsChecked(kAutoIncrement);
  for (int id : {kBaseEdit, kIncrementEdit, kIncrementTypeCombo}) EnableControl(id, increment);
}

void CFileNamingDlg::OnIncrementTypeChange() {
  const int type = ComboSelection(kIncrementTypeCombo);
  SetIncrementFilter(type);
  if (type == CFileNaming::kIncrementAlphabetic) SetDlgItemText(kIncrementEdit, "A");
  if (type == CFileNaming::kIncrementNumeric) SetDlgItemText(kIncrementEdit, "0");
}

void CFileNamingDlg::OnPageChange() {
  const int chosen = ComboSelection(kPageCombo);
  if (chosen == m_nPage || chosen < 0) return;
  if (!ValidateAndStorePage(m_nPage)) return;
  m_nPage = chosen;
  ShowPage(m_nPage);
}

bool CFileNamingDlg::ValidateAndStorePage(int page) {
  const auto refuse = [&](const char* text, int control) {
    SetComboSelection(kPageCombo, page);
    return Refuse(text, control);
  };
  int mode = -1;
  for (int candidate = 0; candidate < 3; ++candidate)
    if (IsChecked(kModeRadios[candidate])) mode = candidate;
  if (mode < 0) return refuse("Please specify a File Naming Convention.", kUserDefined);
  const bool incrementing = mode == CFileNaming::kModeAutoIncrement;
  std::string increment = GetDlgItemText(kIncrementEdit);
  int type = ComboSelection(kIncrementTypeCombo);
  if (type == CFileNaming::kIncrementAlphabetic) {
    if (increment.size() != 1 || !IsLetter(increment[0])) {
      if (incrementing) return refuse("Please specify a single character increment value.", kIncrementEdit);
      increment = "A";
    }
    // The stepping counts in capitals; a pasted small letter joins them.
    if (increment[0] >= 'a') increment[0] = static_cast<char>(increment[0] - 'a' + 'A');
  } else if (type == CFileNaming::kIncrementNumeric) {
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(increment.c_str(), &end, 10);
    if (end == increment.c_str() || errno == ERANGE || value < 0 || value >= kIncrementLimit) {
      if (incrementing) return refuse("Please specify an increment value from 0 to 999.", kIncrementEdit);
      increment = "0";
    } else {
      increment = sys::Format("%ld", value);
    }
  } else {
    if (incrementing) return refuse("Please specify an Increment type.", kIncrementTypeCombo);
    type = CFileNaming::kIncrementAlphabetic;
    increment = "A";
  }
  CFileNaming& naming = m_namings[page];
  naming.m_nMode = mode;
  naming.m_strBase = GetDlgItemText(kBaseEdit);
  naming.m_strIncrement = increment;
  naming.m_strExtension = GetDlgItemText(kExtensionEdit);
  naming.m_nIncrementType = type;
  m_given[page] = true;
  const int selected = ComboSelection(kPageCombo);
  if (selected >= 0) m_nPage = selected;
  return true;
}

void CFileNamingDlg::OnOK() {
  if (!ValidateAndStorePage(m_nPage)) return;
  EndDialog(afx::IDOK);
}

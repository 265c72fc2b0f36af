#include "app/ListPropertiesDlg.h"

#include <cstdlib>

#include "app/SettingsDlgIds.h"
#include "platform/ui/FileChooser.h"

// The message-map macros name the framework's types unqualified.
using namespace afx;

using namespace app::listprops;

namespace {

constexpr int kListCount = 3;
constexpr int kSortTypeCount = 3;

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  std::string folder = home && *home == '/' ? home : "/";
  if (folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace

BEGIN_MESSAGE_MAP(CListPropertiesDlg, CSettingsDlgBase)
  ON_BN_CLICKED(kFromPackage, OnFromPackage)
  ON_BN_CLICKED(kFromFiles, OnFromFiles)
  ON_BN_CLICKED(kLogChooser, OnChooseLogFolder)
  ON_BN_CLICKED(kInstrumentChooser, OnChooseInstrumentFolder)
  ON_BN_CLICKED(kOutputChooser, OnChooseOutputFolder)
  ON_BN_CLICKED(kPackageChooser, OnChoosePackage)
END_MESSAGE_MAP()

CListPropertiesDlg::CListPropertiesDlg(afx::CWnd* parent)
    : CSettingsDlgBase(app::kListPropertiesDialog, parent), m_strDefaultFolder(HomeFolder()) {}

const CListPropertiesDlg::ListControls& CListPropertiesDlg::ControlsOf(int index) {
  static const ListControls kControls[kListCount] = {
      {kLogFolder, kLogFilter, kLogSubfolders, kLogChooser, "Select Log File Path:",
       "The specified Log Files Working Directory is invalid or does not exist.", "No Log File Filter has been specified."},
      {kInstrumentFolder, kInstrumentFilter, kInstrumentSubfolders, kInstrumentChooser, "Select Instrument File Path:",
       "The specified Instrument Files Working Directory is invalid or does not exist.",
       "No Instrument File Filter has been specified."},
      {kOutputFolder, kOutputFilter, kOutputSubfolders, kOutputChooser, "Select Output File Path:",
       "The specified Output Files Working Directory is invalid or does not exist.",
       "No Output File Filter has been specified."},
  };
  return kControls[index];
}

bool CListPropertiesDlg::SetList(const CListProperties& list, int index) {
  if (index < 0 || index >= kListCount) return false;
  m_lists[index] = list;
  m_given[index] = true;
  m_nSortType = list.m_nSortType;
  m_nSortDirection = list.m_nSortDirection;
  return true;
}

bool CListPropertiesDlg::GetList(CListProperties& list, int index) const {
  if (index < 0 || index >= kListCount) return false;
  list = m_lists[index];
  return true;
}

afx::BOOL CListPropertiesDlg::OnInitDialog() {
  CSettingsDlgBase::OnInitDialog();
  SetComboSelection(kSortCombo, m_nSortType >= 0 && m_nSortType < kSortTypeCount ? m_nSortType : -1);
  SetChecked(kAscending, m_nSortDirection == CListProperties::kAscending);
  SetChecked(kDescending, m_nSortDirection == CListProperties::kDescending);
  for (int index = 0; index < kListCount; ++index) FillList(index);
  const CListProperties& instruments = m_lists[CListProperties::kInstrumentList];
  const bool given = m_given[CListProperties::kInstrumentList];
  SetDlgItemText(kPackageEdit, given ? instruments.m_strPackageFile : "");
  ChooseSource(!given || instruments.m_bUseWorkingFolder);
  return TRUE;
}

void CListPropertiesDlg::FillList(int index) const {
  const ListControls& c = ControlsOf(index);
  const CListProperties& list = m_lists[index];
  const bool given = m_given[index];
  SetDlgItemText(c.folder, given ? list.m_strWorkingFolder : m_strDefaultFolder);
  SetDlgItemText(c.filter, given ? list.m_strFilter : "*.*");
  SetChecked(c.subfolders, given && list.m_bRecursive);
}

void CListPropertiesDlg::ChooseSource(bool from_files) const {
  SetChecked(kFromFiles, from_files);
  SetChecked(kFromPackage, !from_files);
  EnableControl(kPackageEdit, !from_files);
  EnableControl(kPackageChooser, !from_files);
  const ListControls& c = ControlsOf(CListProperties::kInstrumentList);
  for (int id : {c.folder, c.filter, c.subfolders, c.chooser}) EnableControl(id, from_files);
}

void CListPropertiesDlg::ChooseFolderFor(int index) const {
  const ListControls& c = ControlsOf(index);
  std::string chosen;
  if (ui::ChooseFolder({m_hWnd, c.chooser_title, GetDlgItemText(c.folder)}, chosen)) SetDlgItemText(c.folder, chosen);
}

void CListPropertiesDlg::OnChoosePackage() {
  std::string chosen;
  ui::FileChoice choice{m_hWnd, "Select Instrument Package File:", "Instrument Package Files (*.hip)|*.hip|",
                        GetDlgItemText(kPackageEdit)};
  if (ui::ChooseFile(choice, chosen)) SetDlgItemText(kPackageEdit, chosen);
}

bool CListPropertiesDlg::ValidateList(int index, std::string& folder, std::string& filter) const {
  const ListControls& c = ControlsOf(index);
  folder = GetDlgItemText(c.folder);
  filter = GetDlgItemText(c.filter);
  if (!ValidateSettingsFolder(folder)) return Refuse(c.bad_folder, c.folder);
  if (filter.empty()) return Refuse(c.no_filter, c.filter);
  return true;
}

void CListPropertiesDlg::OnOK() {
  const int sort_type = ComboSelection(kSortCombo);
  if (sort_type < 0 || sort_type >= kSortTypeCount) {
    Refuse("Please specify a Sort By type.", kSortCombo);
    return;
  }
  const int direction = CheckedRadio(kAscending, kDescending);
  if (direction < 0) {
    Refuse("Please specify a sort order (Ascending/Descending).", kAscending);
    return;
  }
  std::array<std::string, kListCount> folders, filters;
  const bool from_files = IsChecked(kFromFiles);
  if (!ValidateList(CListProperties::kLogList, folders[0], filters[0])) return;
  if (from_files) {
    if (!ValidateList(CListProperties::kInstrumentList, folders[1], filters[1])) return;
  } else {
    // Unused while the package is listed; kept as typed for a later switch.
    folders[1] = GetDlgItemText(kInstrumentFolder);
    filters[1] = GetDlgItemText(kInstrumentFilter);
  }
  if (!ValidateList(CListProperties::kOutputList, folders[2], filters[2])) return;

  for (int index = 0; index < kListCount; ++index) {
    CListProperties& list = m_lists[index];
    list.m_nSortType = sort_type;
    list.m_nSortDirection = direction;
    list.m_bRecursive = IsChecked(ControlsOf(index).subfolders) ? 1 : 0;
    list.m_strWorkingFolder = folders[index];
    list.m_strFilter = filters[index];
    m_given[index] = true;
  }
  CListProperties& instruments = m_lists[CListProperties::kInstrumentList];
  instruments.m_bUseWorkingFolder = from_files ? 1 : 0;
  instruments.m_strPackageFile = GetDlgItemText(kPackageEdit);
  EndDialog(afx::IDOK);
}

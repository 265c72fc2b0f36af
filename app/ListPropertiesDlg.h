// View > Properties: the folder, filter and subfolders of the log,
// instrument and output lists, whether the instrument list shows a folder
// or the files of an instrument package, and one sort for all three.
#pragma once

#include <array>
#include <string>

#include "app/ListProperties.h"
#include "app/SettingsDlgBase.h"

class CListPropertiesDlg : public CSettingsDlgBase {
 public:
  explicit CListPropertiesDlg(afx::CWnd* parent = nullptr);

  // Before the dialog: copies `list` in as list `index` (0 log, 1
  // instrument, 2 output) and takes its sort for all (the last list given
  // wins). After OK: copies list `index` out. False for another index.
  bool SetList(const CListProperties& list, int index);
  bool GetList(CListProperties& list, int index) const;

  // The folder a list that was not given starts with: the home folder.
  // Nothing is created for it.
  std::string m_strDefaultFolder;

 protected:
  afx::BOOL OnInitDialog() override;
  void OnOK() override;

  struct ListControls {
    int folder, filter, subfolders, chooser;
    const char* chooser_title;
    const char* bad_folder;
    const char* no_filter;
  };
  static const ListControls& ControlsOf(int index);

  void FillList(int index) const;
  bool ValidateList(int index, std::string& folder, std::string& filter) const;
  void ChooseSource(bool from_files) const;
  void OnFromPackage() { ChooseSource(false); }
  void OnFromFiles() { ChooseSource(true); }
  void ChooseFolderFor(int index) const;
  void OnChooseLogFolder() { ChooseFolderFor(CListProperties::kLogList); }
  void OnChooseInstrumentFolder() { ChooseFolderFor(CListProperties::kInstrumentList); }
  void OnChooseOutputFolder() { ChooseFolderFor(CListProperties::kOutputList); }
  void OnChoosePackage();

  std::array<CListProperties, 3> m_lists;
  std::array<bool, 3> m_given{};
  int m_nSortType = CListProperties::kSortByName;
  int m_nSortDirection = CListProperties::kAscending;
  DECLARE_MESSAGE_MAP()
};

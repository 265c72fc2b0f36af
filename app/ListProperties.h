// The settings of one of the view's three file lists: the folder listed,
// the filter, the sort, whether subfolders are listed, which files are
// selected, and for the instrument list whether it shows its folder or the
// files unpacked from an instrument package. Copies are whole copies, so a
// dialog can edit one and the view take it back only on OK.
#pragma once

#include <string>
#include <vector>

class CListProperties {
 public:
  enum Kind { kLogList = 0, kInstrumentList = 1, kOutputList = 2 };
  enum SortType { kSortByName = 0, kSortByDate = 1, kSortBySize = 2 };
  enum SortDirection { kAscending = 0, kDescending = 1 };

  CListProperties() = default;
  CListProperties(const CListProperties&) = default;
  CListProperties& operator=(const CListProperties&) = default;
  virtual ~CListProperties() = default;

  // The profile section of a list ("Log View", "Instrument View",
  // "Output View") and its filter when none is stored.
  static const char* SectionName(int kind);
  static const char* DefaultFilter(int kind);

  // Reads the list's section; an absent key (stored as the "-1" that no
  // value uses) keeps the default: the start folder, the kind's filter.
  void LoadSettings(int kind, const std::string& start_folder);
  // Writes every key of the list's section; false when one was refused.
  bool SaveSettings(int kind) const;

  // The selected names (relative to the folder listed), in list order;
  // the first is also the file-selected name.
  std::vector<std::string> m_selectedNames;
  int m_nSortType = kSortByName;
  int m_nSortDirection = kAscending;
  std::string m_strWorkingFolder = "/";  // ends with "/"
  std::string m_strPackageFile;          // the instrument list's package
  std::string m_strFileSelected;
  std::string m_strFilter = "*.*";
  int m_bUseWorkingFolder = 1;  // int so that dialogs exchange it as a check
  int m_bRecursive = 0;
  int m_nSelectionCount = 0;
};

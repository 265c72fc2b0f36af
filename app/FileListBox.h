// One of the view's three file lists (log, instrument, output files): it
// fills itself from its settings' folder and filter in the settings' order,
// keeps its settings' record of the selection, and takes files dropped on
// it. In the instrument list a dropped package (.hip) is unpacked into the
// package folder, which the list then shows. Drops are refused while a
// conversion runs: they would change the files the conversion reads.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/ListProperties.h"
#include "platform/afx/Controls.h"

class CFileListBox : public afx::CListBox {
 public:
  void SetKind(int kind, const std::string& package_folder);
  void SetSettings(CListProperties* settings) { m_pSettings = settings; }
  // Several items may stay selected (a series is possible).
  void SetMulti(bool multi) { m_bMulti = multi; }
  bool IsMulti() const { return m_bMulti; }
  // Asked before a drop is taken; true refuses it.
  void SetDropGuard(std::function<bool()> refuses) { m_dropRefused = std::move(refuses); }

  int GetKind() const { return m_nKind; }
  CListProperties* GetSettings() const { return m_pSettings; }
  // The folder the names are relative to: the working folder, or the
  // package folder when the instrument list shows a package.
  std::string ListedFolder() const;
  const std::vector<std::string>& GetNames() const { return m_names; }

  // Rebuilds the list from the settings, then StoreSelection.
  void Refill();
  // Writes the control's selection into the settings (and, with nothing
  // selected, selects what the settings remember).
  void StoreSelection();
  // A file dropped on the list: false when it was refused (a conversion
  // runs, or an extension the list does not take) and nothing changed.
  bool DropFile(const std::string& path);

 protected:
  afx::LRESULT OnDropFiles(afx::WPARAM drop, afx::LPARAM);
  DECLARE_MESSAGE_MAP()

 private:
  void SetHorizontalExtent();

  bool m_bMulti = false;
  std::vector<std::string> m_names;
  CListProperties* m_pSettings = nullptr;
  std::string m_strPackageFolder;
  int m_nKind = CListProperties::kLogList;
  std::function<bool()> m_dropRefused;
};

#include "app/FileListBox.h"

#include <algorithm>
#include <filesystem>

#include "app/FileListing.h"
#include "app/InstrumentPackage.h"
#include "fsutil/QVTFileSystemPattern.h"
#include "platform/afx/ClientDC.h"
#include "platform/sys/Format.h"
#include "platform/sys/Notify.h"
#include "platform/ui/ControlMessages.h"
#include "platform/ui/DropFiles.h"
#include "platform/ui/Messages.h"

// The framework's message-map macros name its types unqualified.
using namespace afx;

BEGIN_MESSAGE_MAP(CFileListBox, afx::CListBox)
  ON_MESSAGE(ui::WM_DROPFILES, OnDropFiles)
END_MESSAGE_MAP()

namespace {

namespace fs = std::filesystem;

constexpr UINT kSetHorizontalExtent = 0x0194;  // LB_SETHORIZONTALEXTENT
constexpr int kMaxSelection = 65535;

std::string LowerExtension(const std::string& path) {
  std::string extension = fs::path(path).extension().string();
  if (!extension.empty()) extension.erase(0, 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
  return extension;
}

std::string FolderOf(const std::string& path) {
  std::string folder = fs::path(path).parent_path().string();
  if (folder.empty()) folder = ".";
  return folder.back() == '/' ? folder : folder + "/";
}

}  // namespace

void CFileListBox::SetKind(int kind, const std::string& package_folder) {
  m_nKind = kind;
  m_strPackageFolder = package_folder;
}

std::string CFileListBox::ListedFolder() const {
  if (m_pSettings == nullptr) return {};
  const bool package = m_nKind == CListProperties::kInstrumentList && !m_pSettings->m_bUseWorkingFolder;
  return package ? m_strPackageFolder : m_pSettings->m_strWorkingFolder;
}

void CFileListBox::Refill() {
  m_names.clear();
  if (m_pSettings != nullptr) {
    const bool package = m_nKind == CListProperties::kInstrumentList && !m_pSettings->m_bUseWorkingFolder;
    std::vector<app::ListedFile> files = package ? app::ListFolderFiles(m_strPackageFolder, "*.*", false)
                                                 : app::ListFolderFiles(m_pSettings->m_strWorkingFolder,
                                                                        m_pSettings->m_strFilter,
                                                                        m_pSettings->m_bRecursive != 0);
    app::SortListedFiles(files, m_pSettings->m_nSortType, m_pSettings->m_nSortDirection);
    m_names.reserve(files.size());
    for (app::ListedFile& file : files) m_names.push_back(std::move(file.name));
  }
  if (m_hWnd) {
    ResetContent();
    for (const std::string& name : m_names) AddString(name);
    SetHorizontalExtent();
  }
  StoreSelection();
}

void CFileListBox::SetHorizontalExtent() {
  int widest = 0;
  CClientDC dc(this);
  CFont* font = CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(ui::WM_GETFONT)));
  CFont* previous = font ? dc.SelectObject(font) : nullptr;
  for (const std::string& name : m_names) widest = std::max<int>(widest, dc.GetTextExtent(name).cx);
  if (previous) dc.SelectObject(previous);
  SendMessage(kSetHorizontalExtent, static_cast<WPARAM>(std::max(0, widest - 35)));
}

void CFileListBox::StoreSelection() {
  if (m_pSettings == nullptr) return;
  CListProperties& settings = *m_pSettings;
  if (!m_hWnd) {
    // No control (a run without windows): the remembered name stands.
    settings.m_nSelectionCount = 0;
    settings.m_selectedNames.clear();
    if (m_names.empty()) settings.m_strFileSelected.clear();
    return;
  }
  std::vector<int> selected(static_cast<std::size_t>(std::max(0, GetSelCount())));
  const int count = selected.empty() ? 0 : GetSelItems(std::min<int>(kMaxSelection, static_cast<int>(selected.size())),
                                                        selected.data());
  selected.resize(static_cast<std::size_t>(std::max(0, count)));
  settings.m_selectedNames.clear();
  if (!selected.empty()) {
    if (m_bMulti) {
      settings.m_nSelectionCount = static_cast<int>(selected.size());
      for (const int index : selected) {
        std::string text;
        GetText(index, text);
        settings.m_selectedNames.push_back(text);
      }
      settings.m_strFileSelected = settings.m_selectedNames.front();
      return;
    }
    // One file at a time: the item the user is on stays, alone.
    SetSel(-1, FALSE);
    settings.m_nSelectionCount = 0;
    const int caret = static_cast<int>(SendMessage(ui::LB_GETCARETINDEX));
    if (SetSel(caret, TRUE) == LB_ERR) {
      settings.m_strFileSelected.clear();
      return;
    }
    GetText(caret, settings.m_strFileSelected);
    settings.m_selectedNames = {settings.m_strFileSelected};
    return;
  }
  SetSel(-1, FALSE);
  settings.m_nSelectionCount = 0;
  if (m_names.empty()) settings.m_strFileSelected.clear();
  if (settings.m_strFileSelected.empty() && !m_names.empty()) {
    settings.m_strFileSelected = m_names.front();
    SetSel(0, TRUE);
    SendMessage(ui::LB_SETCARETINDEX, 0, FALSE);
    settings.m_selectedNames = {settings.m_strFileSelected};
    return;
  }
  for (std::size_t i = 0; i < m_names.size(); ++i) {
    if (QVTFileSystemPattern::CompareNoCase(m_names[i], settings.m_strFileSelected) != 0) continue;
    SetSel(static_cast<int>(i), TRUE);
    SendMessage(ui::LB_SETCARETINDEX, i, FALSE);
    settings.m_selectedNames = {m_names[i]};
    return;
  }
  // A remembered name that is gone: no selection, the name kept.
}

bool CFileListBox::DropFile(const std::string& path) {
  if (m_pSettings == nullptr || path.empty()) return false;
  if (m_dropRefused && m_dropRefused()) return false;
  CListProperties& settings = *m_pSettings;
  const std::string extension = LowerExtension(path);
  const std::string name = fs::path(path).filename().string();
  if (m_nKind == CListProperties::kInstrumentList) {
    if (extension == "hip") {
      const std::string first = app::ExtractInstrumentPackage(path, m_strPackageFolder);
      if (first.empty()) return false;  // the package was not unpacked; the list stays as it was
      settings.m_bUseWorkingFolder = 0;
      settings.m_strPackageFile = path;
      settings.m_strFileSelected = first;
    } else if (extension == "cal" || extension == "tdf") {
      settings.m_bUseWorkingFolder = 1;
      settings.m_strWorkingFolder = FolderOf(path);
      settings.m_strFileSelected = name;
      settings.m_strFilter = "*." + extension;
    } else {
      sys::Notify(sys::Format("The file extension for %s \r\nis not an Instrument Package/Calibration/TDF file.",
                              path.c_str()));
      return false;
    }
  } else {
    settings.m_strWorkingFolder = FolderOf(path);
    settings.m_strFileSelected = name;
    settings.m_strFilter = extension.empty() ? "*.*" : "*." + extension;
  }
  // What the settings now name is selected afresh.
  if (m_hWnd) SetSel(-1, FALSE);
  Refill();
  return true;
}

LRESULT CFileListBox::OnDropFiles(WPARAM drop, LPARAM) {
  const auto handle = reinterpret_cast<ui::HDROP>(drop);
  std::string path;
  // Only the first file counts.
  const UINT length = ui::DragQueryFile(handle, 0, nullptr, 0);
  if (length > 0) {
    path.resize(length + 1);
    ui::DragQueryFile(handle, 0, path.data(), length + 1);
    path.resize(length);
  }
  ui::DragFinish(handle);
  if (DropFile(path)) {
    if (CWnd* parent = GetParent()) parent->PostMessage(0x0400 + 30, reinterpret_cast<WPARAM>(this));
  }
  return 0;
}

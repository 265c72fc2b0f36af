// The view's three file lists: their settings, filling, selection, and how
// their selections become the document's files and the "Next" box.
#include <filesystem>

#include "app/AppResources.h"
#include "app/BrivenView.h"
#include "app/MainFrame.h"
#include "core/conversion/BrivenDoc.h"
#include "platform/afx/Controls.h"
#include "platform/sys/Notify.h"
#include "platform/ui/ControlMessages.h"
#include "platform/ui/DropFiles.h"

// The framework's message-map macros name its types unqualified.
using namespace afx;

namespace {

namespace fs = std::filesystem;

// Folder + name, joined; a name that is a path of its own stands alone.
std::string Join(const std::string& folder, const std::string& name) {
  if (name.empty() || name.front() == '/' || folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

std::string LowerCase(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return text;
}

}  // namespace

CFileListBox& CBrivenView::GetList(int kind) { return m_lists[ListIndex(kind)]; }

void CBrivenView::SetPackageFolder(const std::string& folder) {
  m_strPackageFolder = folder;
  m_lists[CListProperties::kInstrumentList].SetKind(CListProperties::kInstrumentList, folder);
}

void CBrivenView::LoadListSettings() {
  const std::string start = GetDocument()->GetStartDirectory();
  for (int kind = 0; kind < 3; ++kind) m_listSettings[kind].LoadSettings(kind, start);
}

void CBrivenView::SaveListSettings() const {
  for (int kind = 0; kind < 3; ++kind) m_listSettings[kind].SaveSettings(kind);
}

std::string CBrivenView::GetNextOutputText() const {
  const CWnd* box = GetDlgItem(app::kNextOutputEdit);
  return box != nullptr ? box->GetWindowTextString() : std::string();
}

void CBrivenView::SetNextText(const std::string& text, bool read_only) {
  CWnd* box = GetDlgItem(app::kNextOutputEdit);
  if (box == nullptr) return;
  box->SendMessage(ui::EM_SETREADONLY, read_only ? TRUE : FALSE);
  if (box->GetWindowTextString() != text) box->SetWindowText(text);
}

void CBrivenView::SetPaneText(int pane, const std::string& text) {
  if (auto* frame = dynamic_cast<CMainFrame*>(GetParentFrame())) frame->SetPaneText(pane, text);
}

void CBrivenView::OnViewRefresh() {
  BeginWaitCursor();
  for (CFileListBox& list : m_lists) list.Refill();
  UpdateSelectionModes();
  EndWaitCursor();
}

void CBrivenView::UpdateSelectionModes() {
  const bool multi = CurrentNaming().m_nMode != CFileNaming::kModeUserDefined;
  for (const int kind : {CListProperties::kLogList, CListProperties::kInstrumentList}) {
    m_lists[kind].SetMulti(multi);
    // Header conversion has no instrument: its list keeps no selection.
    if (kind == CListProperties::kInstrumentList && m_bHeaderConversion && m_lists[kind].m_hWnd) continue;
    m_lists[kind].StoreSelection();
  }
}

std::string CBrivenView::SelectedPath(int kind, std::size_t index) const {
  const CListProperties& settings = m_listSettings[kind];
  const std::string& name = index < settings.m_selectedNames.size() ? settings.m_selectedNames[index]
                                                                     : settings.m_strFileSelected;
  return name.empty() ? std::string() : Join(m_lists[kind].ListedFolder(), name);
}

void CBrivenView::RebuildSelection() {
  m_selection = {};
  for (const int kind : {CListProperties::kLogList, CListProperties::kInstrumentList}) {
    std::vector<std::string>& paths =
        kind == CListProperties::kLogList ? m_selection.log_files : m_selection.instrument_files;
    const CListProperties& settings = m_listSettings[kind];
    const std::size_t count = std::max<std::size_t>(settings.m_selectedNames.size(), 1);
    for (std::size_t i = 0; i < count; ++i)
      if (std::string path = SelectedPath(kind, i); !path.empty()) paths.push_back(std::move(path));
  }
  m_selection.output_folder = m_listSettings[CListProperties::kOutputList].m_strWorkingFolder;
}

void CBrivenView::ApplySelections() {
  CBrivenDoc* doc = GetDocument();
  RebuildSelection();
  const std::string log = SelectedPath(CListProperties::kLogList, 0);
  const std::string instrument = m_bHeaderConversion ? std::string() : SelectedPath(CListProperties::kInstrumentList, 0);
  doc->SetLogFileName(log);
  doc->SetInstrumentFileName(instrument);
  if (CurrentNaming().m_nMode == CFileNaming::kModeUserDefined) {
    SetNextText(m_strDefaultOutputName, false);
    doc->SetOutputFileName({});
    return;
  }
  ComposeOutputName(log, instrument);
}

void CBrivenView::RestoreOutputName() {
  if (CurrentNaming().m_nMode != CFileNaming::kModeUserDefined) return;
  SetNextText(m_listSettings[CListProperties::kOutputList].m_strFileSelected, false);
}

void CBrivenView::ApplyHeaderMode() {
  UpdateSelectionModes();
  CFileListBox& instruments = m_lists[CListProperties::kInstrumentList];
  if (m_bHeaderConversion) {
    if (instruments.m_hWnd) {
      instruments.SetSel(-1, FALSE);
      instruments.EnableWindow(FALSE);
    }
    SetPaneText(CMainFrame::kHeaderPane, app::LoadAppString(app::kStringHeaderPane));
  } else {
    if (instruments.m_hWnd) {
      instruments.StoreSelection();
      instruments.EnableWindow(TRUE);
    }
    SetPaneText(CMainFrame::kHeaderPane, "");
  }
  ApplySelections();
}

bool CBrivenView::TakeNextOutputName() {
  CWnd* box = GetDlgItem(app::kNextOutputEdit);
  std::string text = box != nullptr ? box->GetWindowTextString() : std::string();
  if (text.empty()) return false;
  const std::string& extension = CurrentNaming().m_strExtension;
  if (!extension.empty() && fs::path(text).extension().empty()) {
    text += "." + extension;
    box->SetWindowText(text);
  }
  // Joined to the output folder; the process's current folder stays.
  GetDocument()->SetOutputFileName(Join(m_listSettings[CListProperties::kOutputList].m_strWorkingFolder, text));
  return true;
}

void CBrivenView::OnFilesAdded(CFileListBox* list) {
  UpdateSelectionModes();
  CBrivenDoc* doc = GetDocument();
  if (list == nullptr && !doc->GetLogFileName().empty()) {
    // The file the command line named, relative to where the program
    // started.
    const std::string path = Join(doc->GetStartDirectory(), doc->GetLogFileName());
    std::error_code error;
    if (fs::is_regular_file(path, error)) {
      CListProperties& settings = m_listSettings[CListProperties::kLogList];
      const fs::path full = fs::absolute(path, error);
      settings.m_strWorkingFolder = full.parent_path().string() + "/";
      settings.m_strFileSelected = full.filename().string();
      const std::string extension = full.extension().string();
      settings.m_strFilter = extension.size() > 1 ? "*." + LowerCase(extension.substr(1)) : "*.*";
      if (m_lists[CListProperties::kLogList].m_hWnd) m_lists[CListProperties::kLogList].SetSel(-1, FALSE);
      m_lists[CListProperties::kLogList].Refill();
    } else {
      doc->SetLogFileName({});
    }
  }
  if (list == &m_lists[CListProperties::kOutputList])
    RestoreOutputName();
  else
    ApplySelections();
}

LRESULT CBrivenView::OnFilesAddedMessage(WPARAM list, LPARAM) {
  CFileListBox* added = nullptr;
  for (CFileListBox& candidate : m_lists)
    if (reinterpret_cast<WPARAM>(&candidate) == list) added = &candidate;
  OnFilesAdded(added);
  return 0;
}

void CBrivenView::OnLogSelectionChanged() {
  m_lists[CListProperties::kLogList].StoreSelection();
  ApplySelections();
}

void CBrivenView::OnInstrumentSelectionChanged() {
  m_lists[CListProperties::kInstrumentList].StoreSelection();
  ApplySelections();
}

void CBrivenView::OnOutputSelectionChanged() {
  m_lists[CListProperties::kOutputList].StoreSelection();
  RestoreOutputName();
}

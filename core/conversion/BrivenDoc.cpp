// The document's life, its file names, the progress window and the boxes.
#include "core/conversion/BrivenDoc.h"

#include <unistd.h>

#include <climits>

#include "fsutil/QVTFileSystem.h"
#include "platform/sys/Notify.h"

namespace {

// The current folder with a trailing separator; empty when it cannot be
// read (removed, or a name longer than the system takes), as no folder can
// stand in for it: "/" would put relative names where the user never meant.
std::string CurrentFolder() {
  char buffer[PATH_MAX];
  if (::getcwd(buffer, sizeof buffer) == nullptr) return {};
  std::string folder = buffer;
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

std::string ExecutableFolder() {
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return "/";
  buffer[n] = '\0';
  const std::string folder = QVTFileSystem::GetPath(buffer);
  return folder.empty() ? std::string("/") : folder;
}

}  // namespace

IMPLEMENT_DYNCREATE(CBrivenDoc, CQelTelemetryDoc)

CBrivenDoc::CBrivenDoc() {
  m_strStartDirectory = CurrentFolder();
  m_strProgramDirectory = ExecutableFolder();
  m_settings.conversion_log_folder = m_strStartDirectory;
  m_settings.Load();
}

CBrivenDoc::~CBrivenDoc() {
  const DocumentSettings::RunOverrides overrides{m_parameters.m_nOverwriteSet != 0,
                                                 m_parameters.m_nEndWindowSet != 0,
                                                 m_parameters.m_nConversionLogSet != 0};
  m_settings.Save(overrides);
  // The processing thread must end before the members its callbacks use.
  DeleteContents();
}

afx::BOOL CBrivenDoc::OnNewDocument() {
  if (!CQelTelemetryDoc::OnNewDocument()) return afx::FALSE;
  Lock lock(m_lock);
  ResetConversion();
  return afx::TRUE;
}

void CBrivenDoc::DeleteContents() {
  CQelTelemetryDoc::DeleteContents();
  {
    Lock lock(m_lock);
    m_conversionLog.Close();
  }
  DestroyProgressDialog();
}

bool CBrivenDoc::AddCommandLineFile(const std::string& argument) {
  // Only "-" starts a switch here; "/" starts a path.
  if (argument.empty() || argument[0] == '-') return false;
  switch (m_nCommandLineFileCount) {
    case 0:
      m_strLogFileName = argument;
      break;
    case 1:
      m_strOutputFileName = argument;
      break;
    case 2:
      m_strInstrumentFileName = argument;
      break;
    default:
      return false;
  }
  ++m_nCommandLineFileCount;
  return true;
}

void CBrivenDoc::GetCheckSensors(int& frame_counter, int& check_sum) const {
  frame_counter = m_checker.GetFrameCounterIndex();
  check_sum = m_checker.GetNmeaCheckSumIndex() != -1 ? m_checker.GetNmeaCheckSumIndex() : m_checker.GetCheckSumIndex();
}

bool CBrivenDoc::CreateProgressDialog() {
  if (m_pProgress) return true;
  std::unique_ptr<ConversionProgress> progress =
      m_progressFactory ? m_progressFactory() : std::make_unique<HeadlessProgress>();
  if (!progress || !progress->Create()) {
    ShowBox("Unable to create Conversion Progress Dialog Box.\r\nConversion aborted.");
    LogMessage("Conversion aborted.\r\n");
    return false;
  }
  Lock lock(m_lock);
  m_pProgress = std::move(progress);
  return true;
}

bool CBrivenDoc::DestroyProgressDialog() {
  std::unique_ptr<ConversionProgress> progress;
  {
    Lock lock(m_lock);
    m_bSkip = false;
    m_bOverwriteAll = false;
    progress.swap(m_pProgress);
  }
  if (!progress) return false;
  progress->Destroy();
  return true;
}

void CBrivenDoc::ShowBox(const std::string& text) {
  if (!m_bCommandLine) sys::Notify(text, sys::NoticeIcon::exclamation);
}

void CBrivenDoc::ReportFailure(const std::string& box_text, const std::string& log_text) {
  ShowBox(box_text);
  LogMessage(log_text);
}

void CBrivenDoc::DeferBox(const std::string& text) {
  if (!m_bCommandLine) m_deferredBoxes.push_back(text);
}

void CBrivenDoc::ShowDeferredBoxes() {
  std::vector<std::string> boxes;
  {
    Lock lock(m_lock);
    boxes.swap(m_deferredBoxes);
  }
  for (const std::string& text : boxes) sys::Notify(text, sys::NoticeIcon::exclamation);
}

// The conversion log: its file (kept open across conversions), the texts
// that reach it on the processing thread, the pending text for the log
// window, and the Properties command that changes where the log goes.
#include <sys/stat.h>

#include "core/conversion/BrivenDoc.h"
#include "core/conversion/SameFile.h"
#include "core/instrument/FileErrorText.h"
#include "fsutil/QVTFileSystem.h"
#include "platform/sys/Format.h"
#include "platform/sys/Notify.h"
#include "platform/sys/SettingsStore.h"

namespace {

// The log window takes the pending text every half second; a run without
// that window (the command line) must not let it grow for ever, so the
// oldest lines go beyond this size.
constexpr std::size_t kMaxPendingLogText = 1 << 20;

// The log names are appended to the folder: a folder stored without its
// trailing separator would put the log beside the folder, under a name
// glued to the folder's, and never match the open log's folder, so every
// conversion would empty the log again.
std::string WithTrailingSeparator(const std::string& folder) {
  if (folder.empty() || folder.back() == '/' || folder.back() == '\\') return folder;
  return folder + '/';
}

// A file with contents to lose; a device or a pipe (/dev/stderr) is no such
// file and is written as named.
bool IsExistingFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

std::vector<std::string> CBrivenDoc::ProtectedPaths() const {
  std::vector<std::string> paths = sys::SettingsStore::Default().OwnFiles();
  paths.push_back(m_strLogFilePath);
  paths.push_back(m_strInstrumentFilePath);
  return paths;
}

bool CBrivenDoc::IsProtectedPath(const std::string& path) const {
  for (const std::string& other : ProtectedPaths())
    if (conversion::IsSameLocation(path, other)) return true;
  return false;
}

std::string CBrivenDoc::ConversionLogOpenFailureText() const {
  return sys::Format(
      "An error occured while opening the conversion log file\r\n\"%s\".\r\n%s\r\nNo conversion log file will "
      "be recorded.",
      m_conversionLog.GetLastTried().c_str(), instrument::FileErrorText(m_conversionLog.GetLastCause()));
}

void CBrivenDoc::OpenConversionLogFile() {
  std::string box;
  bool named = false;
  {
    Lock lock(m_lock);
    if (m_parameters.m_nConversionLogSet) {
      // The user named this file for an unattended run and will look for
      // it afterwards: a log that cannot be kept is told, whatever the run,
      // and the conversion goes on without it.
      named = true;
      const std::string& path = m_parameters.m_strConversionLogPath;
      if (m_conversionLog.IsOpen()) {
        // Kept from an earlier conversion of this run.
      } else if (m_settings.overwrite_prompt && IsExistingFile(path)) {
        // Replaced only under the rule that replaces an output: nobody is
        // asked in this run, so an earlier log is not emptied unasked.
        box = sys::Format(
            "The conversion log file \"%s\" already exists; it is replaced only with -ow=yes or with Overwrite Prompt "
            "off.\r\nNo conversion log file will be recorded.",
            path.c_str());
      } else if (m_conversionLog.OpenNamed(path, ProtectedPaths()) != CConversionLogFile::OpenResult::kOpened) {
        box = ConversionLogOpenFailureText();
      }
    } else {
      box = OpenConversionLogSeries();
    }
  }
  if (box.empty()) return;
  if (named)
    sys::Notify(box, sys::NoticeIcon::exclamation);
  else
    ShowBox(box);
}

// The settings' log: kept while its folder stays, else the first free name
// of the series. The text of the box to show, or empty.
std::string CBrivenDoc::OpenConversionLogSeries() {
  const std::string folder = WithTrailingSeparator(m_settings.conversion_log_folder);
  if (m_conversionLog.IsOpen()) {
    if (QVTFileSystem::GetPath(m_conversionLog.GetFilePath()) == folder) return {};
    m_conversionLog.Close();
  }
  if (!m_settings.conversion_log) return {};
  // No folder stored and none to start from: the log would land wherever
  // a dead working folder resolves.
  if (folder.empty()) return "The conversion log folder is not known. No conversion log file will be recorded.";
  switch (m_conversionLog.OpenSeries(folder, ProtectedPaths())) {
    case CConversionLogFile::OpenResult::kOpened:
      break;
    case CConversionLogFile::OpenResult::kAllTaken:
      return "The maximum number of available conversion log files has been exceeded. No conversion log file will be "
             "recorded.";
    case CConversionLogFile::OpenResult::kFailed:
    case CConversionLogFile::OpenResult::kRefused:
      return ConversionLogOpenFailureText();
  }
  return {};
}

void CBrivenDoc::OnTelemetryMessage(std::string& text) {
  Lock lock(m_lock);
  CQelTelemetryDoc::OnTelemetryMessage(text);
  if (text.empty()) return;
  AppendPendingLogText(text);
  if (!m_conversionLog.IsOpen()) return;
  try {
    m_conversionLog.Write(text);
  } catch (const sys::CFileException& e) {
    // Shown in every run, the command line's too: the log is the record
    // the user relies on. This is the processing thread: the box waits for
    // the user-interface thread.
    m_deferredBoxes.push_back(sys::Format(
        "An error occured writing to the conversion log file:\r\n\"%s\".\r\n%s\r\nConversion log aborted.",
        m_conversionLog.GetFilePath().c_str(), instrument::FileErrorText(e.m_cause)));
    m_conversionLog.Close();
  }
}

void CBrivenDoc::AppendPendingLogText(const std::string& text) {
  m_strPendingLogText += text;
  if (m_strPendingLogText.size() <= kMaxPendingLogText) return;
  std::size_t cut = m_strPendingLogText.size() - kMaxPendingLogText;
  const std::size_t line_end = m_strPendingLogText.find("\r\n", cut);
  cut = line_end == std::string::npos ? m_strPendingLogText.size() : line_end + 2;
  m_strPendingLogText.erase(0, cut);
}

void CBrivenDoc::TakePendingLogText(std::string& text) {
  {
    Lock lock(m_lock);
    text.clear();
    text.swap(m_strPendingLogText);
  }
  // The user-interface thread comes here every half second: the boxes the
  // processing thread raised are shown now.
  ShowDeferredBoxes();
}

void CBrivenDoc::OnProperties(const std::function<bool(DocumentSettings&)>& edit) {
  DocumentSettings edited = m_settings;
  if (!edit(edited)) return;
  {
    Lock lock(m_lock);
    m_settings = edited;
  }
  OpenConversionLogFile();
}

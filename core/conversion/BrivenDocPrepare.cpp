// Preparing one conversion: the start block, the log file opened and added
// as a file resource, the instrument loaded, its check sensors found, then
// attached and started. A failure undoes what was added, so the document is
// ready for the next conversion whether or not it runs from the command line.
#include <chrono>
#include <thread>

#include "core/conversion/BrivenDoc.h"
#include "core/conversion/ConversionLogText.h"
#include "core/instrument/FileErrorText.h"
#include "core/instrument/ResultCodes.h"
#include "core/telemetry/TelemetryCodes.h"
#include "fsutil/QVTFileSystem.h"
#include "platform/sys/Format.h"
#include "platform/sys/Notify.h"

namespace {

constexpr const char kAborted[] = "Conversion aborted.\r\n";
constexpr const char kHeaderDefinition[] = "qelhdr1.tdf";
constexpr const char kNoStartFolder[] =
    "Unable to determine the working folder (it was removed, or its name is longer than the system allows): "
    "relative file names cannot be resolved.";

bool IsRelative(const std::string& name) { return !name.empty() && name[0] != '/'; }
constexpr std::uint32_t kHeaderModeChunk = 256;

}  // namespace

bool CBrivenDoc::PrepareConversion() {
  ApplyCommandLineSettings();
  if (m_strStartDirectory.empty() && HasRelativeName()) {
    // Nothing is opened or created: a relative name, the conversion log's
    // included, would have to be guessed. Full names need no folder.
    ReportFailure(kNoStartFolder, std::string(kNoStartFolder) + "\r\n");
    LogMessage(kAborted);
    return false;
  }
  {
    Lock lock(m_lock);
    ResetConversion();
    // Names of the last conversion must not be removed or reported by this one.
    m_strResourceName.clear();
    m_strInstrumentHeader.clear();
    m_pLogFile->Abort();
    m_pRetiredLogFile = std::move(m_pLogFile);
    m_pLogFile = std::make_unique<sys::CFile>();
    m_outputFile.Close();
    ResolveFilePaths();
  }
  OpenConversionLogFile();
  LogConversionStart();
  if (!CreateProgressDialog()) return false;
  if (!OpenLogFile()) return false;
  if (!AddLogFileResource()) return false;
  if (!AddConversionInstrument()) return false;
  const std::string failure = AttachAndStart();
  if (!failure.empty()) {
    ReportFailure(failure, failure + "\r\n");
    LogMessage(kAborted);
    UndoPreparation();
    return false;
  }
  Lock lock(m_lock);
  m_bRunning = true;
  return true;
}

bool CBrivenDoc::HasRelativeName() const {
  return IsRelative(m_strLogFileName) || IsRelative(m_strOutputFileName) || IsRelative(m_strInstrumentFileName) ||
         (m_parameters.m_nConversionLogSet && IsRelative(m_parameters.m_strConversionLogPath));
}

void CBrivenDoc::ApplyCommandLineSettings() {
  if (m_parameters.m_nOverwriteSet) m_settings.overwrite_prompt = m_parameters.m_nOverwritePromptValue;
  if (m_parameters.m_nEndWindowSet) m_settings.dismiss_progress = m_parameters.m_nDismissProgressValue;
}

void CBrivenDoc::ResetConversion() {
  m_nNotFound = 1;
  m_nStop = 0;
  m_nDone = 0;
  m_nEndOfInput = 0;
  m_nHeaderMode = 0;
  m_bRunning = false;
  m_bOutputFailed = false;
  m_nIso8601Index = -1;
  m_nLogFileLength = 0;
  m_counters = ConversionCounters();
  m_checker.Reset();
}

void CBrivenDoc::ResolveFilePaths() {
  // Relative names are the start folder's, whatever folder the user's
  // choosers last moved to.
  if (!m_strStartDirectory.empty()) QVTFileSystem::ChangeDirectory(m_strStartDirectory);
  m_strLogFileTitle = QVTFileSystem::GetFileName(m_strLogFileName);
  m_strOutputFileTitle = QVTFileSystem::GetFileName(m_strOutputFileName);
  m_strLogFilePath = QVTFileSystem::GetFullPathName(m_strLogFileName);
  m_strOutputFilePath = QVTFileSystem::GetFullPathName(m_strOutputFileName);
  m_strInstrumentFileTitle = QVTFileSystem::GetFileName(m_strInstrumentFileName);
  m_strInstrumentFilePath = QVTFileSystem::GetFullPathName(m_strInstrumentFileName);
  if (m_strInstrumentFilePath.empty()) {
    m_nHeaderMode = 1;
    QVTFileSystem::ChangeDirectory(m_strProgramDirectory);
    m_strInstrumentFileTitle = kHeaderDefinition;
    m_strInstrumentFilePath = QVTFileSystem::AppendPaths(m_strProgramDirectory, kHeaderDefinition);
  }
}

void CBrivenDoc::LogConversionStart() {
  const conversion::ConversionFiles files{m_strLogFilePath, m_strOutputFilePath, m_strInstrumentFilePath};
  LogMessage(conversion::StartBlockText(files, m_parameters, m_nHeaderMode != 0));
}

bool CBrivenDoc::OpenLogFile() {
  sys::CFileException error;
  bool opened = false;
  {
    Lock lock(m_lock);
    opened = m_pLogFile->Open(m_strLogFilePath, sys::CFile::modeRead | sys::CFile::shareDenyWrite, &error);
    if (opened) m_nLogFileLength = static_cast<std::uint64_t>(m_pLogFile->GetLength());
  }
  if (opened) return true;
  ShowBox(sys::Format("An error occured opening the log file\r\n\"%s\".\r\nConversion aborted.",
                      m_strLogFilePath.c_str()));
  LogMessage(sys::Format("An error occured opening the log file.\r\n\t%s\r\n", instrument::FileErrorText(error.m_cause)));
  LogMessage(kAborted);
  return false;
}

bool CBrivenDoc::AddLogFileResource() {
  telemetry::FileSettings settings;
  settings.file = m_pLogFile.get();
  settings.chunk_size = m_nHeaderMode ? kHeaderModeChunk : static_cast<std::uint32_t>(m_parameters.m_nBufferSize);
  if (AddFileResource(settings) != 0) {
    const std::string text =
        sys::Format("An error occured creating the file resource for %s.\r\nConversion aborted.", m_strLogFilePath.c_str());
    ReportFailure(text, text + "\r\n");
    LogMessage(kAborted);
    Lock lock(m_lock);
    m_pLogFile->Abort();
    return false;
  }
  std::string name;
  GetResourceName(name, 0);
  Lock lock(m_lock);
  m_strResourceName = name;
  return true;
}

bool CBrivenDoc::AddConversionInstrument() {
  const std::uint32_t result = AddInstrument(m_strInstrumentFilePath);
  if (result == telemetry::kCtlLoadedWithErrors) {
    const char* path = m_strInstrumentFilePath.c_str();
    bool go_on = false;
    if (m_bCommandLine) {
      LogMessage(sys::Format("Errors found in the following Calibration\\Telemetry Definition File:\r\n\"%s\"\r\n", path));
    } else {
      const std::string question = sys::Format(
          "Errors found in the following Calibration\\Telemetry Definition File:\r\n\"%s\"\r\nSee the conversion log "
          "for details.\r\n\r\nDo you wish to continue the conversion?",
          path);
      go_on = sys::Notify(question, sys::NoticeIcon::exclamation, sys::NoticeButtons::yesNo) == sys::kAnswerYes;
    }
    if (!go_on) {
      LogMessage(kAborted);
      UndoPreparation(true);
      return false;
    }
  } else if (result == static_cast<std::uint32_t>(instrument::kInstrumentLoadStopped)) {
    // Stopped on purpose: the load report says so, and there is no error
    // to show.
    LogMessage(kAborted);
    UndoPreparation();
    return false;
  } else if (result != 0) {
    const std::string text = sys::Format("An error occured reading the instrument file\"%s\".\r\nConversion aborted.",
                                         m_strInstrumentFilePath.c_str());
    ReportFailure(text, text + "\r\n");
    LogMessage(kAborted);
    UndoPreparation();
    return false;
  }
  std::string header, file_type;
  GetInstrumentHeader(header, 0);
  GetInstrumentFileType(file_type, 0);
  const int iso = FindIso8601Sensor(0);
  std::string missing_counter, missing_sum;
  {
    Lock lock(m_lock);
    m_strInstrumentHeader = header;
    m_nIso8601Index = iso;
  }
  if (!m_nHeaderMode) {
    missing_counter = m_checker.FindFrameCounterCheck(*this, m_parameters, file_type, header);
    missing_sum = m_checker.FindCheckSumCheck(*this, m_parameters, file_type, header);
  }
  if (!missing_counter.empty()) ShowBox(missing_counter);
  if (!missing_sum.empty()) ShowBox(missing_sum);
  return true;
}

std::string CBrivenDoc::AttachAndStart() {
  if (AttachInstrument(m_strInstrumentHeader, m_strResourceName, 0) != 0)
    return sys::Format("An error occured attaching %s to %s.\r\nConversion aborted.", m_strInstrumentHeader.c_str(),
                       m_strResourceName.c_str());
  if (StartAcquisition(0) != 0)
    return sys::Format("An error occured enabling %s.\r\nConversion aborted.", m_strInstrumentHeader.c_str());
  return {};
}

std::uint32_t CBrivenDoc::RemoveLogFileResource() {
  // The control refuses a removal while the previous one waits for the
  // processing thread's next pass; that pass comes within half a second.
  constexpr int kAttempts = 400;
  std::uint32_t result = RemoveResource(m_strResourceName);
  for (int i = 0; i < kAttempts && result == telemetry::kCtlRemovalPending; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    result = RemoveResource(m_strResourceName);
  }
  return result;
}

void CBrivenDoc::UndoPreparation(bool after_question) {
  // After the user declined the damaged instrument the boxes read as
  // answers to that question; otherwise they repeat the logged line.
  const char* path = m_strLogFilePath.c_str();
  const std::string resource_log = sys::Format("An error occured removing the file resource for %s.\r\n", path);
  if (RemoveLogFileResource() != 0)
    ReportFailure(after_question ? sys::Format("An error occured removing the file resource for\r\n%s.", path)
                                 : resource_log,
                  resource_log);
  // Whatever the load reported, an instrument that is there goes.
  std::string header;
  if (GetInstrumentCount() > 0) GetInstrumentHeader(header, 0);
  const std::string instrument_log = sys::Format("An error occured removing %s.\r\n", header.c_str());
  if (!header.empty() && RemoveInstrument(header) != 0)
    ReportFailure(after_question ? sys::Format("An error occured removing %s.", header.c_str()) : instrument_log,
                  instrument_log);
  Lock lock(m_lock);
  m_pLogFile->Abort();
  m_bRunning = false;
}

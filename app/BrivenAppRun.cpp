// The message loop, and how an unattended run ends: its exit status and,
// when it did not complete, the conversion log's account of why on stderr
// (a run without windows has no other place to tell it).
#include <unistd.h>

#include "app/BrivenApp.h"
#include "app/CommandLine.h"
#include "app/StopSignals.h"
#include "core/conversion/BrivenDoc.h"
#include "fsutil/QVTFileSystem.h"
#include "platform/sys/Notify.h"
#include "platform/ui/MessageLoop.h"

// The framework's message-map macros name its types unqualified.
using namespace afx;

namespace {

// Conversion log lines begin with "%Y-%m-%d  %H:%M:%S> ".
constexpr std::size_t kStampLength = 22;

bool HasTimeStamp(const std::string& line) {
  return line.size() >= kStampLength && line[4] == '-' && line[7] == '-' && line.compare(20, 2, "> ") == 0;
}

// A line that ends in a colon introduces the line after it (the file it
// names), so the two belong to one entry.
bool IntroducesNextLine(const std::string& entry) { return !entry.empty() && entry.back() == ':'; }

// The log's entries: a line with the tab-indented lines after it, without
// its time stamp.
std::vector<std::string> LogEntries(const std::string& text) {
  std::vector<std::string> entries;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    start = end + 2;
    if (line.empty()) continue;
    const std::string body = HasTimeStamp(line) ? line.substr(kStampLength) : line;
    if (!entries.empty() && (line[0] == '\t' || IntroducesNextLine(entries.back())))
      entries.back() += "\r\n" + body;
    else
      entries.push_back(body);
  }
  return entries;
}

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// The entries that say what went wrong, and the summary; the course of a
// conversion (resources added, instruments attached) stays in the log.
bool IsReportedEntry(const std::string& entry) {
  return StartsWith(entry, "Unable to") || StartsWith(entry, "An error") || StartsWith(entry, "Errors found") ||
         StartsWith(entry, "No valid") || StartsWith(entry, "The previous output file") ||
         StartsWith(entry, "Conversion aborted.") ||
         StartsWith(entry, "Conversion complete.");
}

// The first line error of the load report among the entries ("Line 5: ...
// message. Action."), empty when there is none. Only a load report holds
// lines that begin "\tLine ".
std::string FirstLineError(const std::vector<std::string>& entries) {
  static constexpr char kLineStart[] = "\r\n\tLine ";
  for (const std::string& entry : entries) {
    const std::size_t at = entry.find(kLineStart);
    if (at == std::string::npos) continue;
    const std::size_t begin = at + 3;
    // The message line and the action line under it.
    std::size_t end = entry.find("\r\n", begin);
    if (end != std::string::npos && entry.compare(end, 6, "\r\n\t\t> ") == 0) {
      std::string text = entry.substr(begin, end - begin) + " ";
      const std::size_t action = end + 6;
      end = entry.find("\r\n", action);
      return text + entry.substr(action, end == std::string::npos ? std::string::npos : end - action);
    }
    return entry.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
  }
  return {};
}

}  // namespace

int CBrivenApp::Run() {
  afx::CWinApp::Run();
  if (m_bUnattended) m_nExitCode = EndUnattendedRun();
  return m_nExitCode;
}

void CBrivenApp::PrepareUnattendedRun() {
  m_bUnattended = true;
  app::InstallStopSignals();
  CBrivenView* view = GetView();
  view->SetStopRequest([] { return app::StopSignal() != 0; });
  // The instrument is loaded before the conversion's timer runs: a signal
  // then stops the load itself.
  m_pDoc->SetLoadStopRequest([] { return app::StopSignal() != 0; });
  m_pTerminalProgress = std::make_unique<TerminalProgress>(QVTFileSystem::GetFileName(m_pDoc->GetLogFileName()),
                                                           ::isatty(STDERR_FILENO) == 1);
  view->SetProgressObserver([this](int percent) { m_pTerminalProgress->Show(percent); });
}

int CBrivenApp::EndUnattendedRun() {
  if (m_pTerminalProgress) m_pTerminalProgress->Finish();
  // Stopping the telemetry control delivers the log lines still queued,
  // the summary among them, before the files are closed.
  m_pDoc->DeleteContents();
  std::string log_text;
  m_pDoc->TakePendingLogText(log_text);
  // The view went with the main window and left its account.
  const CBrivenView::Outcome& outcome = m_outcome;
  int code = app::kExitComplete;
  if (app::StopSignal() != 0)
    code = app::SignalExitCode(app::StopSignal());
  else if (!outcome.started || !outcome.completed)
    code = app::kExitFailed;
  else if (outcome.not_found)
    code = app::kExitInstrumentNotFound;
  if (code != app::kExitComplete) ReportFailedRun(log_text);
  return code;
}

void CBrivenApp::ReportFailedRun(const std::string& log_text) {
  bool summary = false;
  std::string previous;
  const std::vector<std::string> entries = LogEntries(log_text);
  for (const std::string& entry : entries) {
    // A message that ends in "Conversion aborted." is often followed by the
    // summary of the same words: one line on stderr says it.
    if (!IsReportedEntry(entry) || entry == previous) continue;
    previous = entry;
    summary = summary || StartsWith(entry, "Conversion ");
    sys::Notify(entry, sys::NoticeIcon::exclamation);
    // The file's name alone leaves the user searching it: where its first
    // error stands comes with it. The rest is in the conversion log.
    if (StartsWith(entry, "Errors found")) {
      const std::string first_error = FirstLineError(entries);
      if (!first_error.empty()) sys::Notify("First error: " + first_error, sys::NoticeIcon::exclamation);
    }
  }
  if (!summary) sys::Notify("Conversion aborted.", sys::NoticeIcon::exclamation);
}

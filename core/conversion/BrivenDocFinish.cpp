// Ending a conversion: the resource and the instrument go, the output is
// closed (a close that fails is a failed conversion), and the summary is
// logged.
#include "core/conversion/BrivenDoc.h"
#include "core/conversion/ConversionLogText.h"
#include "core/instrument/FileErrorText.h"
#include "platform/sys/Format.h"

namespace {
constexpr const char kAborted[] = "Conversion aborted.\r\n";
}

void CBrivenDoc::RequestStop() {
  Lock lock(m_lock);
  m_nStop = 1;
}

void CBrivenDoc::GetConversionState(ConversionState& state) {
  Lock lock(m_lock);
  state.counters = m_counters;
  state.not_found = static_cast<std::uint32_t>(m_nNotFound);
  state.stop = static_cast<std::uint32_t>(m_nStop);
  state.end_of_input = static_cast<std::uint32_t>(m_nEndOfInput);
  state.done = static_cast<std::uint32_t>(m_nDone);
}

bool CBrivenDoc::FinishConversion(bool abort) {
  bool failed = false;
  bool keep_rows = false;
  {
    Lock lock(m_lock);
    failed = m_nStop || !m_nEndOfInput;
    // The rows stand when the run completed or the user stopped it; a run
    // that an error stopped must not take the place of an earlier output.
    keep_rows = !m_bOutputFailed && (abort || !failed);
    // Frames still on their way find the conversion over.
    m_bRunning = false;
    m_nDone = 1;
  }
  // What went wrong on the processing thread is told before the summary.
  ShowDeferredBoxes();
  if (RemoveLogFileResource() != 0) {
    const std::string text = sys::Format("An error occured removing the file resource for %s.", m_strLogFilePath.c_str());
    ReportFailure(text, text + "\r\n");
    LogMessage(kAborted);
    failed = true;
  }
  if (!m_strInstrumentHeader.empty() && RemoveInstrument(m_strInstrumentHeader) != 0) {
    const std::string text = sys::Format("An error occured removing %s.", m_strInstrumentHeader.c_str());
    ReportFailure(text, text + "\r\n");
    LogMessage(kAborted);
    failed = true;
  }
  conversion::SummaryInput summary;
  int close_cause = 0;
  bool kept_previous = false;
  {
    Lock lock(m_lock);
    close_cause = keep_rows ? m_outputFile.Close() : m_outputFile.Discard();
    kept_previous = m_outputFile.KeptPrevious();
    // The rows the last write lost are not counted as processed.
    if (close_cause != 0) m_counters.frames_processed = m_outputFile.GetWrittenTag();
    m_pLogFile->Abort();
    summary.not_found = m_nNotFound != 0;
    summary.counters = m_counters;
  }
  // The last rows reach the disk only here: a full disk fails the run.
  if (close_cause != 0) {
    ShowBox(sys::Format("An error occured writing to the output file\r\n\"%s\".", m_strOutputFilePath.c_str()));
    LogMessage(sys::Format("An error occured writing to the output file.\r\n\t%s\r\n",
                           instrument::FileErrorText(close_cause)));
    failed = true;
  }
  if (kept_previous) {
    const std::string text = sys::Format(
        "The previous output file \"%s\" is kept as it was; the rows of this conversion were discarded.",
        m_strOutputFilePath.c_str());
    ReportFailure(text, text + "\r\n");
  }
  summary.aborted = abort;
  summary.failed = failed;
  summary.instrument_header = m_strInstrumentHeader;
  summary.frame_counter_checked = m_checker.GetFrameCounterIndex() >= 0;
  summary.check_sum_checked = m_checker.GetCheckSumIndex() >= 0;
  LogMessage(conversion::SummaryText(summary));
  return !abort && !failed;
}

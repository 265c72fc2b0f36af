// Driving conversions: the Convert command, the start of each conversion,
// the progress timer that sees it end, and the steps of a series.
#include "app/AppResources.h"
#include "app/BrivenView.h"
#include "app/ConversionDlg.h"
#include "core/conversion/BrivenDoc.h"
#include "platform/sys/Notify.h"
#include "platform/ui/MessageLoop.h"

// The framework's message-map macros name its types unqualified.
using namespace afx;

void CBrivenView::OnConvert() {
  if (BeginSeries()) {
    bool started = StartNextFile(1);
    while (!started && AdvanceFileIndex()) started = StartNextFile(1);
    return;
  }
  if (GetDocument()->GetLogFileName().empty()) {
    sys::Notify(
        "Please select a Log file from the list provided.\r\n\r\nIf the \"Log Files\" list is empty, adjust the File "
        "List Properties from the View menu.");
    if (m_lists[CListProperties::kLogList].m_hWnd) m_lists[CListProperties::kLogList].SetFocus();
    return;
  }
  if (!m_bHeaderConversion && GetDocument()->GetInstrumentFileName().empty()) {
    sys::Notify(
        "Please select an Instrument file from the list provided.\r\n\r\nIf the \"Instrument Files\" list is empty, "
        "adjust the File List Properties from the View menu.");
    if (m_lists[CListProperties::kInstrumentList].m_hWnd) m_lists[CListProperties::kInstrumentList].SetFocus();
    return;
  }
  if (CurrentNaming().m_nMode == CFileNaming::kModeUserDefined) {
    // The form's "Next" box names the output; a view without its form
    // (an unattended run) has it from the command line.
    CWnd* box = GetDlgItem(app::kNextOutputEdit);
    const bool named = box != nullptr ? TakeNextOutputName() : !GetDocument()->GetOutputFileName().empty();
    if (!named) {
      sys::Notify(
          "Please select an Output file from the list provided or specify a new file name in the edit box labeled "
          "\"Next\".\r\n\r\nIf the \"Output Files\" list is empty, adjust the File List Properties from the View "
          "menu.");
      if (box != nullptr) box->SetFocus();
      return;
    }
  }
  PostToSelf(kMsgStartConversion, 0);
}

bool CBrivenView::BeginSeries() {
  if (m_bSeries) return true;
  m_nLogCount = static_cast<int>(m_selection.log_files.size());
  m_nInstrumentCount = m_bHeaderConversion ? 0 : static_cast<int>(m_selection.instrument_files.size());
  m_nTotal = m_bHeaderConversion ? m_nLogCount : m_nLogCount * m_nInstrumentCount;
  if (m_nTotal <= 1) return false;
  m_bSeries = true;
  m_nLogIndex = m_nInstrumentIndex = m_nFileNumber = 0;
  return true;
}

bool CBrivenView::AdvanceFileIndex() {
  // The instrument files vary fastest: each is applied to the first log
  // file, then each to the second, and so on.
  if (++m_nInstrumentIndex >= m_nInstrumentCount) {
    m_nInstrumentIndex = 0;
    if (++m_nLogIndex >= m_nLogCount) {
      m_bSeries = false;
      return false;
    }
  }
  ++m_nFileNumber;
  return true;
}

bool CBrivenView::StartNextFile(ui::WPARAM first) {
  if (!m_bSeries) return false;
  const std::string log_file = m_selection.log_files[static_cast<std::size_t>(m_nLogIndex)];
  const std::string instrument_file =
      m_bHeaderConversion ? std::string() : m_selection.instrument_files[static_cast<std::size_t>(m_nInstrumentIndex)];
  GetDocument()->SetLogFileName(log_file);
  GetDocument()->SetInstrumentFileName(instrument_file);
  if (!ComposeOutputName(log_file, instrument_file)) return false;
  PostToSelf(kMsgStartConversion, first);
  return true;
}

bool CBrivenView::ComposeOutputName(const std::string& log_file, const std::string& instrument_file) {
  const CFileNaming& naming = CurrentNaming();
  CFileNaming::OutputName name;
  bool composed = false;
  if (naming.m_nMode == CFileNaming::kModeFileTitles)
    composed = naming.ComposeTitleName(log_file, instrument_file, m_bHeaderConversion, m_selection.output_folder, name);
  else if (naming.m_nMode == CFileNaming::kModeAutoIncrement)
    composed = naming.ComposeIncrementName(m_selection.output_folder, name);
  if (!composed) {
    GetDocument()->SetOutputFileName({});
    SetNextText({}, true);
    if (!name.error.empty()) sys::Notify(name.error);
    return false;
  }
  GetDocument()->SetOutputFileName(name.path);
  SetNextText(name.name, true);
  return true;
}

void CBrivenView::OnStartConversion(ui::WPARAM wParam) {
  // A start that was queued twice (Enter pressed again before the first
  // start arrived) must not prepare a second conversion over the running
  // one.
  if (m_nProgressTimer != 0) return;
  const bool first = wParam != 0 || !m_bSeries;
  m_bFinished = false;
  m_bEndResult = false;
  if (!GetDocument()->PrepareConversion()) {
    // Nothing runs now: the progress object goes, so that no conversion is
    // left marked as running with no window to dismiss it.
    GetDocument()->DestroyProgressDialog();
    if (m_bCommandLine) {
      PostToSelf(kMsgConversionEnded, 0);
      CloseMainWindow();
      return;
    }
    StepSeriesAfterFailure(first);
    return;
  }
  m_outcome.started = true;
  CConversionDlg* progress = GetProgressWindow();
  if (progress == nullptr) {
    GetDocument()->FinishConversion(true);
    PostToSelf(kMsgConversionEnded, 0);
    return;
  }
  if (m_bSeries) {
    // Also after a failed file, whose progress object went with it.
    progress->SetFileCount(m_nTotal);
    progress->SetFileNumber(m_nFileNumber + 1);
    UpdateTitle(0);
  }
  if (progress->HasWindow()) {
    progress->Reset(false);
  } else if (!progress->CreateWindowFor(m_hWnd, m_bInitialised)) {
    sys::Notify("Unable to create Conversion Progress Dialog Box.\r\nConversion aborted.");
    PostToSelf(kMsgConversionEnded, 0);
    GetDocument()->FinishConversion(true);
    return;
  }
  if (!GetDocument()->BeginOutput(m_bSeries)) {
    PostToSelf(kMsgConversionEnded, 0);
    return;
  }
  if (GetDocument()->IsFileSkipped()) {
    while (AdvanceFileIndex()) {
      if (StartNextFile(first)) {
        progress->Reset(false);
        return;
      }
    }
    if (GetDocument()->GetDismissProgress() == 1 || first)
      PostToSelf(kMsgConversionEnded, 0);
    else
      progress->Reset(true);
    return;
  }
  if (m_nProgressTimer != 0) KillTimer(m_nProgressTimer);
  m_nProgressTimer = SetTimer(kProgressTimerId, kProgressTimerMs);
  if (m_nProgressTimer == 0) {
    sys::Notify("Cannot establish a refresh timer for the Conversion Progress Dialog Box.\r\nConversion aborted.");
    PostToSelf(kMsgConversionEnded, 0);
    GetDocument()->FinishConversion(true);
    return;
  }
  // A first request that cannot be queued would leave the run waiting for
  // a frame that never comes: it ends at the next tick as failed.
  if (GetDocument()->RequestFirstFrame() != 0) {
    GetDocument()->RequestStop();
    progress->MarkDone();
  }
}

void CBrivenView::StepSeriesAfterFailure(bool first) {
  if (!m_bSeries) return;
  while (AdvanceFileIndex()) {
    if (StartNextFile(first)) return;
  }
  PostToSelf(kMsgConversionEnded, 0);
}

void CBrivenView::OnProgressTimer() {
  CConversionDlg* progress = GetProgressWindow();
  if (progress == nullptr) return;
  // A stop from outside (a signal) is the Cancel button of a run that has
  // no window.
  if (m_stopRequested && !m_bFinished && !progress->IsCancelled() && m_stopRequested()) progress->OnOK();
  progress->Refresh();
  if (!m_bFinished && progress->IsDone()) FinishCurrent(*progress);
  UpdateTitle(progress->GetPercent());
  if (m_progressObserver) m_progressObserver(progress->GetPercent());
  if (m_bFinished) AfterFinished();
}

// The end of a run, told by the processing thread: handled as the tick
// that would have seen it. A notice that arrives after its run was finished
// by a tick finds no timer, or the next run not yet done, and does nothing.
void CBrivenView::OnConversionDue() {
  if (m_nProgressTimer == 0 || m_bFinished) return;
  OnProgressTimer();
}

void CBrivenView::FinishCurrent(CConversionDlg& progress) {
  m_bFinished = true;
  const bool completed = GetDocument()->FinishConversion(m_bCancelled);
  ConversionState state;
  GetDocument()->GetConversionState(state);
  m_outcome.completed = completed;
  m_outcome.not_found = completed && state.not_found != 0;
  m_outcome.cancelled = m_bCancelled;
  m_bEndResult = completed;
  if (!m_bSeries && m_bCancelled) m_bEndResult = true;
  if (m_bSeries) m_bEndResult = m_bCancelled;
  progress.Refresh();
}

void CBrivenView::AfterFinished() {
  KillTimer(m_nProgressTimer);
  m_nProgressTimer = 0;
  if (m_bInitialised) AdvanceOutputName();
  // A run from the command line has no window to dismiss: it ends when its
  // conversion ends.
  if (m_bCommandLine) {
    PostToSelf(kMsgConversionEnded, 0);
    return;
  }
  if (m_bEndResult) {
    if (GetDocument()->GetDismissProgress() == 1) PostToSelf(kMsgConversionEnded, 0);
    return;
  }
  if (!m_bSeries) return;  // a failed single conversion keeps its window open
  while (AdvanceFileIndex()) {
    if (StartNextFile(0)) return;
  }
  if (GetDocument()->GetDismissProgress() == 1) PostToSelf(kMsgConversionEnded, 0);
}

void CBrivenView::AdvanceOutputName() {
  CFileNaming& naming = CurrentNaming();
  if (naming.m_nMode == CFileNaming::kModeAutoIncrement) naming.AdvanceIncrement();
}

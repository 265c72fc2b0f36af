// The frame chain on the processing thread: each frame is checked, turned
// into a row and written, and asks for the next; a request that finds no
// frame asks again only while the input can still give one.
#include "core/conversion/BrivenDoc.h"

void CBrivenDoc::OnFrameReceived(const std::string& /*resource*/, std::unique_ptr<CFrameData> frame) {
  ReceiveFrame(frame.get());
  // Read and done with: refilled for a later frame. Outside the document's
  // lock, which comes after the control's.
  if (frame) RecycleFrame(std::move(frame));
}

void CBrivenDoc::OnFrameLent(const std::string& /*resource*/, CFrameData& frame) {
  // The frames that follow in the bytes already read are cut into the same
  // record and handled here, under one take of the lock. The cut stops
  // where the bytes read end, and a thread waiting for the lock (the
  // user-interface thread's progress reads and stop requests) is let in
  // between two frames. A frame's request for the next one is only noted
  // while it is handled, and answered here.
  Lock lock(m_lock);
  m_bInLentRun = true;
  for (;;) {
    m_bNextFrameWanted = false;
    HandleReceivedFrame(&frame);
    if (!m_bNextFrameWanted || !CutNextLentFrame(0, frame)) break;
    // A progress read or a stop request waiting for the lock gets in
    // between two frames, not only after the run.
    if (m_lock.MayHaveWaiters()) m_lock.LetWaiterIn();
  }
  m_bInLentRun = false;
  if (!m_bNextFrameWanted) return;
  const bool was_done = m_nDone != 0;
  RequestNextFrame();
  TellEndIfJustDone(was_done);
}

void CBrivenDoc::ReceiveFrame(CFrameData* frame) {
  Lock lock(m_lock);
  HandleReceivedFrame(frame);
}

void CBrivenDoc::HandleReceivedFrame(CFrameData* frame) {
  // Boxes wanted here wait in the deferred list for the user-interface
  // thread: this thread holds the control's lock, and a box shown from it
  // would wait for a user-interface thread that may be waiting for that lock.
  const bool was_done = m_nDone != 0;
  if (frame == nullptr) {
    HandleNoFrame();
  } else if (!m_bRunning) {
    // An earlier conversion's frame, late: it must not end the next one.
  } else if (m_nStop || m_nDone) {
    m_nDone = 1;  // the frame goes unread
  } else if (m_nHeaderMode) {
    WriteHeaderFrame(*frame);
  } else {
    HandleFrame(*frame);
  }
  TellEndIfJustDone(was_done);
}

void CBrivenDoc::TellEndIfJustDone(bool was_done) {
  if (!was_done && m_nDone && m_bRunning && m_endListener) m_endListener();
}

void CBrivenDoc::SetEndListener(std::function<void()> listener) {
  Lock lock(m_lock);
  m_endListener = std::move(listener);
}

void CBrivenDoc::HandleNoFrame() {
  if (!m_bRunning) return;
  if (!m_nHeaderMode) AccountBytes(0);
  // The resource has nothing now: only more input can change that, so the
  // conversion ends once the input has ended or must stop, and never waits
  // for a count that a truncated frame or a left-out frame would not reach.
  if (m_nEndOfInput || m_nStop) {
    m_nDone = 1;
    return;
  }
  if (m_nDone) return;
  // Header mode never moves the progress window: it follows the lines.
  if (m_pProgress && !m_nHeaderMode) m_pProgress->Advance(nullptr);
  RequestNextFrame();
  if (m_pProgress && !m_nHeaderMode && m_pProgress->IsDone()) m_nDone = 1;
}

void CBrivenDoc::HandleFrame(CFrameData& frame) {
  const int limit = m_parameters.m_nProcessLimit;
  if (limit > 0 && static_cast<unsigned>(frame.GetFrameNumber()) > static_cast<unsigned>(limit)) {
    m_nEndOfInput = 1;
    m_nDone = 1;
    return;
  }
  m_checker.CheckFrame(*this, frame, m_parameters, m_counters);
  const auto frame_size = static_cast<std::uint32_t>(frame.GetFrameSize());
  if (!m_checker.ShouldWrite()) {
    // Left out by Process Depth, but its bytes are still behind us: the
    // next time tag and resynchronisation count depend on it.
    AccountBytes(frame_size, frame.IsContiguous() != 0);
    if (!EndsAtLimit(frame)) RequestNextFrame();
    return;
  }
  // The row is written where the output file gathers its text, unless that
  // file cannot take it (the write below then reports why).
  bool inner_line_ends = false;
  char* row_end = nullptr;
  if (char* place = m_outputFile.BeginRow(m_formatter.GetLongestRow())) {
    row_end = m_formatter.WriteRow(m_outputFile, place, *this, frame, m_checker, inner_line_ends);
  } else {
    m_strRow.clear();
    m_formatter.AppendRow(m_strRow, *this, frame, m_checker);
  }
  AccountBytes(frame_size, frame.IsContiguous() != 0);
  if (m_pProgress) m_pProgress->Advance(&frame);
  // A row that is not wanted is simply never ended: it is left out.
  const bool wanted = m_parameters.m_nSensorErrorFrames || frame.GetErrorFlag() == 0;
  if (wanted) {
    if (!WriteRow(row_end, inner_line_ends)) return;
    WriteTimeTag();
    if (m_nStop) return;
  }
  m_nNotFound = 0;
  if (!EndsAtLimit(frame)) RequestNextFrame();
}

bool CBrivenDoc::EndsAtLimit(const CFrameData& frame) {
  // The limit frame itself ends the input: waiting for one more frame that
  // may never come would leave a complete run unfinished.
  const int limit = m_parameters.m_nProcessLimit;
  if (limit <= 0 || static_cast<unsigned>(frame.GetFrameNumber()) < static_cast<unsigned>(limit)) return false;
  m_nEndOfInput = 1;
  m_nDone = 1;
  return true;
}

void CBrivenDoc::AccountBytes(std::uint32_t frame_size, bool follows_last) {
  m_checker.AccountDiscardedBytes(*this, frame_size, m_nDone != 0, m_parameters.m_nTimeTags != 0, m_counters,
                                  follows_last);
}

void CBrivenDoc::RequestNextFrame() {
  // A run of lent frames asks once the frame is handled.
  if (m_bInLentRun) {
    m_bNextFrameWanted = true;
    return;
  }
  // A request that cannot be queued would leave the chain waiting forever.
  if (RetrieveFrame(0) != 0) {
    m_nStop = 1;
    m_nDone = 1;
  }
}

void CBrivenDoc::OnCommEvent(const std::string& /*resource*/, int event_code, int end_flag, int open) {
  Lock lock(m_lock);
  if (!m_bRunning) return;
  if (event_code != 0 || !open) m_nStop = 1;
  m_nEndOfInput = end_flag;
}

// Beside the frame's entry, which it is inlined into: every row ends here.
inline bool CBrivenDoc::WriteRow(const char* row_end, bool inner_line_ends) {
  const std::uint32_t tag = m_counters.frames_processed;
  const int cause = row_end != nullptr
                        ? m_outputFile.EndRow(row_end, tag, m_parameters.m_nTimeTags == 0, inner_line_ends)
                        : m_outputFile.WriteLine(m_strRow, tag);
  return cause == 0 || TellOutputWritten(cause, true);
}

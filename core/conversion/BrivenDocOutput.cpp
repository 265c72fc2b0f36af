// The output file: the overwrite question, opening, the text before the
// first row, the time tag behind each row, and header-mode lines.
#include "core/conversion/BrivenDoc.h"
#include "core/conversion/SameFile.h"
#include "core/conversion/TimeTagText.h"
#include "core/instrument/FileErrorText.h"
#include "fsutil/QVTFileSystem.h"
#include "platform/sys/Format.h"

bool CBrivenDoc::BeginOutput(bool series) {
  const bool ok = OpenOutputFile(series);
  // An output that got no further than part of its column headers is no
  // reason to give up the file it would replace.
  if (!ok) m_bOutputFailed = true;
  if (!ok || m_bSkip) FinishConversion(true);
  return ok;
}

std::uint32_t CBrivenDoc::RequestFirstFrame() { return RetrieveFrame(0); }

bool CBrivenDoc::AskOverwrite(bool series, bool& go_on) {
  go_on = true;
  if (!m_settings.overwrite_prompt || m_bOverwriteAll || !QVTFileSystem::FileExists(m_strOutputFilePath)) return true;
  OverwriteQuestion* question = m_pOverwriteQuestion ? m_pOverwriteQuestion : &m_unattendedQuestion;
  const std::string text = sys::Format(
      "The output file \"%s\" already exists. Do you wish to overwrite this file and continue the conversion?",
      m_strOutputFilePath.c_str());
  switch (question->Ask(text, series)) {
    case OverwriteAnswer::kYes:
      return true;
    case OverwriteAnswer::kYesToAll:
      m_bOverwriteAll = true;
      return true;
    case OverwriteAnswer::kNo:
      if (!series) return false;
      m_bSkip = true;
      go_on = false;
      return true;
    case OverwriteAnswer::kCancel:
      break;
  }
  return false;
}

bool CBrivenDoc::OpenOutputFile(bool series) {
  m_bSkip = false;
  const char* path = m_strOutputFilePath.c_str();
  const std::string open_box = sys::Format("An error occured opening the output file\r\n\"%s\".\r\nConversion aborted.", path);
  // An output that is the log or the instrument file would destroy the
  // input before a byte is read, and one that is a settings file the
  // user's settings: refused as the sharing violation it is.
  if (IsProtectedPath(m_strOutputFilePath)) {
    ReportFailure(open_box, sys::Format("An error occured opening the output file.\r\n\t%s\r\n",
                                        instrument::FileErrorText(sys::CFileException::sharingViolation)));
    return false;
  }
  bool go_on = true;
  if (!AskOverwrite(series, go_on)) return false;
  if (!go_on) return true;
  int cause = 0;
  {
    Lock lock(m_lock);
    cause = m_outputFile.Open(m_strOutputFilePath);
  }
  if (cause != 0) {
    ReportFailure(open_box, sys::Format("An error occured opening the output file.\r\n\t%s\r\n", instrument::FileErrorText(cause)));
    return false;
  }
  std::string serial;
  GetInstrumentSerialNumber(serial, 0);
  const OutputPreambleInfo info{m_strInstrumentHeader, m_strInstrumentFileTitle, m_strLogFileTitle,
                                m_checker.GetCheckSumIndex() >= 0};
  // The columns come from the control: gathered before the document's lock
  // is taken, as the lock order wants. No frame flows yet, so nothing else
  // reads the formatter now.
  std::string text;
  if (m_nHeaderMode) {
    // Only the header definition can convert headers; anything else ends
    // the conversion without a word of its own.
    if (!m_formatter.PrepareHeaderMode(*this, m_parameters)) return false;
    m_formatter.AppendHeaderModePreamble(text, info);
  } else {
    m_formatter.Prepare(*this, m_parameters, serial, m_nIso8601Index, m_checker.GetCheckSumIndex());
    m_formatter.AppendPreamble(text, info);
    m_formatter.AppendColumnHeaders(text);
  }
  bool written = false;
  {
    Lock lock(m_lock);
    m_strSerialNumber = serial;
    written = WriteOutputText(text, false);
  }
  ShowDeferredBoxes();
  return written;
}

bool CBrivenDoc::WriteOutputText(const std::string& text, bool row) {
  // A row carries the number of its frame, so that a write the disk refuses
  // leaves a count of the frames whose rows are really in the file.
  return TellOutputWritten(m_outputFile.WriteLine(text, row ? m_counters.frames_processed : 0), row);
}

bool CBrivenDoc::TellOutputWritten(int cause, bool row) {
  if (cause == 0) return true;
  m_counters.frames_processed = m_outputFile.GetWrittenTag();
  const char* path = m_strOutputFilePath.c_str();
  DeferBox(row ? sys::Format("An error occured writing to the output file\r\n\"%s\".", path)
               : sys::Format("An error occured writing to the output file\r\n\"%s\".\r\nConversion aborted.", path));
  LogMessage(sys::Format("An error occured writing to the output file.\r\n\t%s\r\n", instrument::FileErrorText(cause)));
  // A failed row stops the chain; a failed start is the caller's to end.
  if (!row) return false;
  m_nStop = 1;
  m_nDone = 1;
  return false;
}

void CBrivenDoc::WriteTimeTag() {
  if (!m_parameters.m_nTimeTags || m_nDone) return;
  // Read at the frame's end without moving the file position the resource
  // reads from.
  std::uint8_t bytes[12] = {};
  std::size_t got = 0;
  try {
    got = m_pLogFile->ReadAt(bytes, 10, static_cast<std::int64_t>(m_counters.bytes_consumed));
  } catch (const sys::CFileException& e) {
    DeferBox(sys::Format("An error occured reading the log file\r\n\"%s\".", m_strLogFilePath.c_str()));
    LogMessage(sys::Format("An error occured reading the log file.\r\n\t%s\r\n", instrument::FileErrorText(e.m_cause)));
    m_nStop = 1;
    m_nDone = 1;
    return;
  }
  m_strRow.clear();
  conversion::AppendTimeTag(m_strRow, bytes, got, m_parameters);
  WriteOutputText(m_strRow, true);
}

void CBrivenDoc::WriteHeaderFrame(CFrameData& frame) {
  m_counters.frames_processed = static_cast<std::uint32_t>(frame.GetFrameNumber());
  const std::vector<COutputFormatter::Column>& columns = m_formatter.GetColumns();
  if (columns.size() != 1 || columns[0].sensor == nullptr) {
    m_nDone = 1;
    return;
  }
  const std::string value = FormatSensorValue(columns[0].sensor, &frame, m_parameters.m_format);
  m_strRow.clear();
  m_formatter.AppendHeaderFrameLine(m_strRow, value);
  if (!WriteOutputText(m_strRow, true)) return;
  m_nNotFound = 0;
  AccountBytes(static_cast<std::uint32_t>(frame.GetFrameSize()));
  RequestNextFrame();
}

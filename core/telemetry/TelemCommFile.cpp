// File resources: a log file that is already open, read one chunk at a time
// on the processing thread whenever the searches run out of bytes.
#include "core/telemetry/TelemComm.h"
#include "core/telemetry/TelemetryCodes.h"
#include "platform/sys/Format.h"

namespace telemetry {

std::uint32_t CTelemComm::InitFile(const FileSettings& settings) {
  if (m_nKind != kKindNone) {
    ReportMessage("Unable to reinitialize file resource.\r\n", 0);
    return kResWrongKind;
  }
  sys::CFileStatus status;
  // A chunk of 0 bytes could never make progress: refused like a file
  // without a path.
  if (settings.file == nullptr || settings.chunk_size == 0 || !settings.file->GetStatus(status) ||
      settings.file->GetFilePath().empty()) {
    ReportMessage("Unable to initialize file resource.\r\n", kResInvalidFile);
    return kResInvalidFile;
  }
  try {
    const std::int64_t position = settings.file->GetPosition();
    m_nFileLength = settings.file->Seek(0, sys::CFile::end);
    settings.file->Seek(position, sys::CFile::begin);
  } catch (const sys::CFileException& e) {
    m_nFileErrorCause = e.m_cause;
    ReportMessage("Unable to initialize file resource.\r\n", kResFileError);
    return kResFileError;
  }
  m_fileSettings = settings;
  m_pFile = settings.file;
  m_strName = settings.file->GetFilePath();
  m_nReadSize = settings.chunk_size;
  m_nSearchWindow = settings.chunk_size;
  m_nKind = m_pControl != nullptr ? kKindFileWithControl : kKindFile;
  ReportMessage(sys::Format("Initializing file resource: %s.\r\n", m_strName.c_str()), 0);
  m_readBuffer.assign(m_nReadSize, 0);
  m_bResourceSynchronized = true;
  return 0;
}

bool CTelemComm::CanReadMore() const {
  Lock lock(m_stateLock);
  return IsFile() && !m_bEndOfFile && !m_bReadFailed;
}

void CTelemComm::ReadFileState(bool& can_read, bool& at_end) const {
  // Both under one lock: the header search asks for them with every frame.
  Lock lock(m_stateLock);
  can_read = IsFile() && !m_bEndOfFile && !m_bReadFailed;
  at_end = IsFile() && m_bEndOfFile;
}

void CTelemComm::ReadFileResource() {
  if (!IsFileOpen()) {
    {
      // Told once: the file event tells the document the file is closed.
      Lock lock(m_stateLock);
      if (m_bReadFailed) return;
      m_bReadFailed = true;
    }
    ReportMessage(sys::Format("Error reading file resource %s.\r\n", m_strName.c_str()), kResFileNotOpen);
    if (m_nKind == kKindFileWithControl) Queue(kCommandFileEvent);
    return;
  }
  std::size_t got = 0;
  bool reached_end = false;
  bool failed = false;
  {
    Lock lock(m_stateLock);
    if (m_bEndOfFile || m_bReadFailed) return;
    try {
      got = m_pFile->Read(m_readBuffer.data(), m_readBuffer.size());
      const std::int64_t position = m_pFile->GetPosition();
      if (position >= m_nFileLength) {
        m_bEndOfFile = true;
        reached_end = true;
      } else if (got == 0) {
        // The file ended before the length it had when it was opened: it
        // shrank under us. Without this the search would ask forever.
        m_nFileErrorCause = sys::CFileException::endOfFile;
        failed = true;
      }
    } catch (const sys::CFileException& e) {
      m_nFileErrorCause = e.m_cause == sys::CFileException::none ? sys::CFileException::genericException
                                                                 : e.m_cause;
      failed = true;
    }
    // The failure stays even after the document has taken the cause: the
    // conversion must stop, never resume past a gap in the log file.
    if (failed) m_bReadFailed = true;
  }
  if ((failed || reached_end) && m_nKind == kKindFileWithControl) Queue(kCommandFileEvent);
  if (failed) {
    ReportMessage(sys::Format("Error reading file resource %s.\r\n", m_strName.c_str()), kResFileError);
    return;
  }
  if (reached_end && got > 0)
    ReportMessage(sys::Format("End of file resource reached for %s.\r\n", m_strName.c_str()), 0);
  if (got > 0) m_readStamp = m_frameClock.Now();
  AppendBytes(m_readBuffer.data(), got);
}

}  // namespace telemetry

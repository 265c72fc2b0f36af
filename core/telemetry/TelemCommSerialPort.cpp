// Serial ports: connecting, the reader thread that waits for bytes with
// poll, the line status, the idle time-out, and disconnecting.
#include <cerrno>
#include <chrono>
#include <new>
#include <thread>

#include "core/telemetry/SerialLink.h"
#include "core/telemetry/TelemComm.h"
#include "core/telemetry/TelemCommSlot.h"
#include "core/telemetry/TelemetryCodes.h"
#include "platform/sys/Format.h"

namespace telemetry {

namespace {

constexpr int kReaderWaitMs = 100;
constexpr int kMaxLineErrorReports = 5;
constexpr unsigned kPurgeAll = sys::SerialPort::kPurgeTxAbort | sys::SerialPort::kPurgeRxAbort |
                               sys::SerialPort::kPurgeTxClear | sys::SerialPort::kPurgeRxClear;

}  // namespace

bool CTelemComm::PortExists() const {
  Lock lock(m_stateLock);
  const int result = sys::SerialPort::Probe(m_strName);
  return result == 0 || result == EBUSY;
}

std::uint32_t CTelemComm::Connect() {
  if (m_nKind == kKindNone) {
    ReportMessage("Unable to open serial port communications.\r\n", kResNotInitialized);
    return kResNotInitialized;
  }
  if (IsFile()) return 0;
  {
    Lock lock(m_stateLock);
    if (m_bPortOpen) return 0;
    if (m_nAbortCode != 0) {
      ReportMessage(sys::Format("Unable to open serial port communications on %s.\r\n", m_strName.c_str()),
                    kResAbortPending);
      return kResAbortPending;
    }
    m_nFramingErrors = 0;
    m_nBreakErrors = 0;
    // The previous reader has ended (the port is closed); it is joined
    // before anything of the link is reused.
    JoinReader();
    if (!m_pLink) m_pLink = std::make_unique<SerialLink>();
    m_pLink->device = m_deviceFactory ? m_deviceFactory() : MakeSystemSerialDevice();
    if (m_pLink->device->Open(m_strName) != 0) {
      m_pLink->device.reset();
      return kResPortOpenFailed;
    }
    if (const std::uint32_t code = SetPortState(); code != 0) return code;
    m_bPortOpen = true;
  }
  if (!StartReader()) return kResReaderNotStarted;
  ReportMessage(sys::Format("%s connection successful.\r\n", m_strName.c_str()), 0);
  if (m_nKind == kKindSerialWithControl) Queue(kCommandStateChanged);
  return 0;
}

std::uint32_t CTelemComm::SetPortState() {
  sys::SerialLineSettings line;
  line.baud_rate = m_serialSettings.baud_rate;
  line.byte_size = m_serialSettings.byte_size;
  line.parity = m_serialSettings.parity;
  line.stop_bits = m_serialSettings.stop_bits;
  if (const int error = m_pLink->device->Configure(line); error != 0) {
    ReportMessage(sys::Format("Unable to set serial port settings for %s.\r\n", m_strName.c_str()),
                  kResSetStateFailed, error);
    ResetPort();
    return kResSetStateFailed;
  }
  if (const int error = m_pLink->device->SetBufferSizes(m_serialSettings.buffer_size, 0); error != 0) {
    ReportMessage(sys::Format("Unable to set serial communications buffer for %s.\r\n", m_strName.c_str()),
                  kResSetupFailed, error);
    ResetPort();
    return kResSetupFailed;
  }
  return 0;
}

void CTelemComm::JoinReader() {
  if (m_pLink && m_pLink->reader.joinable() && m_pLink->reader.get_id() != std::this_thread::get_id())
    m_pLink->reader.join();
}

bool CTelemComm::StartReader() {
  m_bConnecting = true;
  JoinReader();
  // Signals left from an earlier reader must not be taken for this one's.
  m_pLink->reader_started.ResetEvent();
  m_pLink->reader_ended.ResetEvent();
  m_pLink->stop_reader.ResetEvent();
  try {
    m_pLink->reader = std::thread([this] { ReaderThread(); });
  } catch (const std::system_error&) {
    m_bConnecting = false;
    Lock lock(m_stateLock);
    ResetPort();
    return false;
  }
  const int which = sys::WaitForAnyEvent({&m_pLink->reader_started, &m_pLink->reader_ended}, sys::kInfinite);
  m_bConnecting = false;
  return which == 0;
}

void CTelemComm::AbortReader(std::uint32_t code, int os_error) {
  Lock lock(m_stateLock);
  m_dwLastError = os_error;
  if (!m_bClosing) m_nAbortCode = code;
}

void CTelemComm::ReaderThread() {
  bool started = false;
  std::vector<std::uint8_t> buffer;
  try {
    // Sized in size_t: a buffer size near the 32-bit limit must not wrap
    // round to a small buffer that the reads then overrun.
    buffer.assign(static_cast<std::size_t>(m_serialSettings.buffer_size) + 100u, 0);
  } catch (const std::bad_alloc&) {
    AbortReader(kResBufferInitError, ENOMEM);
  }
  if (!buffer.empty()) {
    // Line errors from before the connection are not this reader's.
    sys::DWORD stale_errors = 0;
    m_pLink->device->TakeLineErrors(stale_errors);
    CheckCommStatus(0);
    // The read is ready to wait for bytes: the port counts as started.
    m_pLink->reader_started.SetEvent();
    started = true;
    int idle_count = 0;
    while (ReaderTurn(buffer, idle_count) && !m_pLink->stop_reader.Lock(0)) {
    }
  }
  bool aborted = false;
  {
    Lock lock(m_stateLock);
    aborted = m_nAbortCode != 0;
  }
  if (aborted || !started) Disconnect();
  m_pLink->reader_ended.SetEvent();
}

// One turn: TRUE to go on.
bool CTelemComm::ReaderTurn(std::vector<std::uint8_t>& buffer, int& idle_count) {
  std::size_t received = 0;
  const int error = m_pLink->device->Read(buffer.data(), m_serialSettings.buffer_size, kReaderWaitMs, received);
  if (error != 0) {
    AbortReader(kResReadError, error);
    return false;
  }
  if (received > 0) {
    idle_count = 0;
    AppendBytes(buffer.data(), received);
  }
  sys::DWORD line_errors = 0;
  if (const int status_error = m_pLink->device->TakeLineErrors(line_errors); status_error != 0) {
    AbortReader(kResCommStatusError, status_error);
    return false;
  }
  if (line_errors != 0) CheckCommStatus(line_errors);
  ProcessReceived();
  if (received == 0) {
    if (idle_count < m_nIdleLimit) ++idle_count;
    if (idle_count >= m_nIdleLimit) DeclareIdle();
  }
  return true;
}

void CTelemComm::DeclareIdle() {
  bool report = false;
  {
    Lock list(m_listLock);
    Lock state(m_stateLock);
    m_bWaiting = true;
    m_bResourceSynchronized = false;
    for (auto& slot : m_instruments) slot->found = false;
    report = m_nKind == kKindSerialWithControl && !m_bWaitingReported;
    m_bWaitingReported = true;
  }
  if (report) {
    Queue(kCommandStateChanged);
    ReportMessage(sys::Format("%s waiting for telemetry.\r\n", m_strName.c_str()), 0);
  }
}

std::uint32_t CTelemComm::CheckCommStatus(sys::DWORD line_errors) {
  const char* name = m_strName.c_str();
  const bool brk = (line_errors & sys::SerialPort::kErrorBreak) != 0;
  const bool frame = (line_errors & sys::SerialPort::kErrorFrame) != 0;
  if (brk && m_nBreakErrors < kMaxLineErrorReports) {
    ReportMessage(sys::Format("Break error on %s.\r\n", name), 0);
    ++m_nBreakErrors;
  }
  if (frame && m_nFramingErrors < kMaxLineErrorReports) {
    ReportMessage(sys::Format("Hardware framing error on %s.\r\n", name), 0);
    if (m_nFramingErrors == kMaxLineErrorReports - 1)
      ReportMessage(sys::Format("Detected possible incorrect baud rate on %s.\r\n", name), 0);
    ++m_nFramingErrors;
  }
  if (!brk && !frame) {
    m_nBreakErrors = 0;
    m_nFramingErrors = 0;
  }
  if (line_errors & sys::SerialPort::kErrorRxOver) ReportMessage(sys::Format("Input buffer overflow on %s.\r\n", name), 0);
  if (line_errors & sys::SerialPort::kErrorOverrun)
    ReportMessage(sys::Format("Character buffer overrun on %s.\r\n", name), 0);
  if (line_errors & sys::SerialPort::kErrorRxParity) ReportMessage(sys::Format("Rx parity error on %s.\r\n", name), 0);
  return 0;
}

std::uint32_t CTelemComm::Disconnect() {
  if (m_nKind == kKindNone) {
    ReportMessage("Unable to close serial port communications.\r\n", kResNotInitialized);
    return kResNotInitialized;
  }
  if (IsFile()) return 0;
  std::uint32_t abort_code = 0;
  {
    Lock lock(m_stateLock);
    if (!m_bPortOpen || m_bClosing) return 0;
    m_bClosing = true;
    abort_code = m_nAbortCode;
  }
  const bool on_reader = m_pLink->reader.get_id() == std::this_thread::get_id();
  std::string message;
  if (abort_code != 0) {
    message = sys::Format("Telemetry acquisition aborted on %s.\r\n", m_strName.c_str());
  } else {
    message = sys::Format("%s disconnection successful.\r\n", m_strName.c_str());
  }
  if (!on_reader) {
    m_pLink->stop_reader.SetEvent();
    JoinReader();
  }
  ResetPort();
  // After an abort the reader's failure text follows as the reason.
  ReportMessage(message, abort_code);
  if (m_nKind == kKindSerialWithControl) Queue(kCommandStateChanged);
  return 0;
}

void CTelemComm::ResetPort() {
  if (m_pLink && m_pLink->device) {
    if (const int error = m_pLink->device->RestoreSettings(); error != 0) {
      ReportMessage(sys::Format("Unable to reset serial port timeouts for %s.\r\n", m_strName.c_str()),
                    kResResetFailed, error);
    }
    if (const int error = m_pLink->device->Purge(kPurgeAll); error != 0) {
      ReportMessage(sys::Format("Unable to purge serial port buffers for %s.\r\n", m_strName.c_str()),
                    kResResetFailed, error);
    }
  }
  std::vector<std::string> headers;
  {
    Lock list(m_listLock);
    for (auto& slot : m_instruments) {
      if (slot->description.enabled) headers.push_back(slot->description.header);
      slot->found = false;
    }
  }
  for (const std::string& header : headers) DisableAcquisition(header);
  Lock lock(m_stateLock);
  m_bClosing = false;
  m_bPortOpen = false;
  m_bResourceSynchronized = false;
  m_bWaitingReported = false;
  m_bSearchPassDone = false;
  m_bWaiting = true;
  m_nCurrentInstrument = -1;
  if (m_pLink && m_pLink->device) {
    m_pLink->device->Close();
    m_pLink->device.reset();
  }
}

}  // namespace telemetry

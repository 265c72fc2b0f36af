// The resource object: construction, message reporting and the queries.
#include "core/telemetry/TelemComm.h"

#include "core/telemetry/SerialLink.h"
#include "core/telemetry/TelemCommSlot.h"
#include "core/telemetry/TelemetryReason.h"

namespace telemetry {

CTelemComm::CTelemComm(CommandSink* control, std::uint64_t id) : m_pControl(control), m_nId(id) {}

CTelemComm::~CTelemComm() {
  // A serial reader must not outlive the bytes and lists it works on.
  if (IsSerial()) Disconnect();
  JoinReader();
}

void CTelemComm::Queue(int type) {
  if (m_pControl != nullptr) m_pControl->QueueCommand(m_strName, m_nId, type);
}

void CTelemComm::ReportMessage(const std::string& text, std::uint32_t code, int current_error) {
  const bool with_control = m_nKind == kKindFileWithControl || m_nKind == kKindSerialWithControl;
  std::string line = text;
  line += ResourceReasonText(code, m_dwLastError, m_bConnecting, m_nFileErrorCause, current_error);
  // Kept by the control in the order of reporting: a line held here would
  // reach the log whenever the processing thread next looked, before or
  // after the control's own lines reported around it.
  if (!with_control || m_pControl == nullptr || !m_pControl->TakeResourceMessage(line)) {
    Lock lock(m_messageLock);
    m_messages.push_back(std::move(line));
  }
  if (with_control) Queue(kCommandMessages);
}

void CTelemComm::TakeMessage(std::string& out) {
  Lock lock(m_messageLock);
  out.clear();
  if (m_messages.empty()) return;
  out = std::move(m_messages.front());
  m_messages.pop_front();
}

int CTelemComm::GetState() const {
  Lock lock(m_stateLock);
  if (m_nAbortCode != 0) return kStateAborted;
  if (!IsSerial()) return kStateNotSerial;
  if (!m_bPortOpen) return kStateNotConnected;
  if (m_bResourceSynchronized && !m_strSyncString.empty()) return kStateSynchronized;
  return m_bWaiting ? kStateWaiting : kStateReading;
}

int CTelemComm::GetInstrumentState(const std::string& header) const {
  if (!IsSerial()) return 4;
  Lock lock(m_listLock);
  const int index = FindSlot(header);
  if (index < 0) return 3;
  const InstrumentSlot& slot = *m_instruments[static_cast<std::size_t>(index)];
  if (!slot.description.enabled) return 0;
  return slot.found ? 2 : 1;
}

int CTelemComm::GetInstrumentCount() const {
  Lock lock(m_listLock);
  return m_nInstrumentCount;
}

void CTelemComm::GetInstrumentHeader(std::string& out, int index) const {
  Lock lock(m_listLock);
  if (index < 0) index = 0;
  out.clear();
  if (static_cast<std::size_t>(index) < m_instruments.size())
    out = m_instruments[static_cast<std::size_t>(index)]->description.header;
}

int CTelemComm::FindSlot(const std::string& header) const {
  for (std::size_t i = 0; i < m_instruments.size(); ++i)
    if (m_instruments[i]->description.header == header) return static_cast<int>(i);
  return -1;
}

CTelemComm::InstrumentSlot* CTelemComm::CurrentSlot() const {
  const int index = m_nCurrentInstrument;
  if (index < 0 || static_cast<std::size_t>(index) >= m_instruments.size()) return nullptr;
  return m_instruments[static_cast<std::size_t>(index)].get();
}

std::uint32_t CTelemComm::GetBytesDiscarded() const { return m_nBytesDiscarded; }

void CTelemComm::ResetBytesDiscarded() { m_nBytesDiscarded = 0; }

std::uint32_t CTelemComm::TakeBytesDiscarded() {
  // The count and its reset in one exchange, taken only when there is a
  // count: nearly every frame follows the last one without a gap.
  if (m_nBytesDiscarded.load(std::memory_order_relaxed) == 0) return 0;
  return m_nBytesDiscarded.exchange(0);
}

std::uint32_t CTelemComm::TakeAbortCode() {
  std::uint32_t code = 0;
  {
    Lock lock(m_stateLock);
    code = m_nAbortCode;
    m_nAbortCode = 0;
  }
  if (m_nKind == kKindSerialWithControl) Queue(kCommandStateChanged);
  return code;
}

int CTelemComm::TakeFileError() {
  Lock lock(m_stateLock);
  const int cause = m_nFileErrorCause;
  m_nFileErrorCause = 0;
  return cause;
}

bool CTelemComm::IsEndOfFile() const {
  Lock lock(m_stateLock);
  return m_bEndOfFile;
}

bool CTelemComm::IsFileOpen() const { return m_pFile != nullptr && m_pFile->IsOpen(); }

bool CTelemComm::GetFileSettings(FileSettings& out) const {
  if (!IsFile()) return false;
  out = m_fileSettings;
  return true;
}

bool CTelemComm::GetSerialSettings(SerialSettings& out) const {
  if (!IsSerial()) return false;
  out = m_serialSettings;
  return true;
}

}  // namespace telemetry

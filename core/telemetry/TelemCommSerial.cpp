// Serial resources: initialisation from serial settings and the bytes the
// reader thread appends.
#include "core/telemetry/TelemComm.h"
#include "core/telemetry/TelemetryCodes.h"
#include "platform/sys/Format.h"

namespace telemetry {

std::uint32_t CTelemComm::InitSerial(const SerialSettings& settings) {
  if (IsFile()) {
    ReportMessage("Unable to reinitialize serial communications.\r\n", 0);
    return kResWrongKind;
  }
  const char* failure = m_nKind == kKindNone ? "Unable to initialize serial communications.\r\n"
                                             : "Unable to reinitialize serial communications.\r\n";
  if (settings.port_name.empty() || (m_nKind != kKindNone && settings.port_name != m_strName)) {
    ReportMessage(failure, kResInvalidPort);
    return kResInvalidPort;
  }
  if (m_nKind != kKindNone && GetState() != kStateNotConnected) {
    ReportMessage(failure, kResStillConnected);
    return kResStillConnected;
  }
  m_serialSettings = settings;
  m_strName = settings.port_name;
  m_strSyncString = settings.sync_string;
  m_nSearchWindow = settings.buffer_size;
  m_nReadSize = settings.buffer_size;
  if (settings.idle_limit > 0) m_nIdleLimit = settings.idle_limit;
  if (settings.max_depth > 0) m_nMaxDepth = settings.max_depth;
  m_nKind = m_pControl != nullptr ? kKindSerialWithControl : kKindSerial;
  ReportMessage(sys::Format("Initializing serial communications on %s.\r\n", m_strName.c_str()),
                m_strSyncString.empty() ? kResNoGlobalSync : 0);
  if (m_nKind == kKindSerialWithControl) Queue(kCommandStateChanged);
  return 0;
}

void CTelemComm::AppendBytes(const std::uint8_t* bytes, std::size_t count) {
  bool now_reading = false;
  {
    Lock lock(m_stateLock);
    // Both serial kinds leave the waiting state on new bytes, so a later
    // global match is acknowledged on either.
    if (IsSerial() && m_bWaiting && count > 0) {
      m_bWaitingReported = false;
      m_bWaiting = false;
      now_reading = m_nKind == kKindSerialWithControl;
    }
  }
  if (now_reading) {
    ReportMessage(sys::Format("%s reading telemetry.\r\n", m_strName.c_str()), 0);
    Queue(kCommandStateChanged);
  }
  m_received.Append(bytes, count);
  if (m_nKind == kKindSerialWithControl) ProcessReceived();
}

}  // namespace telemetry

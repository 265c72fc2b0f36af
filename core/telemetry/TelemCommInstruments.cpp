// Attaching, detaching, enabling and disabling instruments on a resource.
#include <algorithm>
#include <cstring>

#include "core/telemetry/BsiFrame.h"
#include "core/telemetry/Hs2Frame.h"
#include "core/telemetry/TelemComm.h"
#include "core/telemetry/TelemCommSlot.h"
#include "core/telemetry/TelemetryCodes.h"
#include "platform/sys/Format.h"

namespace telemetry {

namespace {

bool IsSpecialKind(const std::string& kind) { return !kind.empty(); }

}  // namespace

std::uint32_t CTelemComm::AttachInstrument(const CInstrumentAttachment& record) {
  if (m_nKind == kKindNone) {
    ReportMessage(sys::Format("Unable to attach %s.\r\n", record.header.c_str()), kResNotInitialized);
    return kResNotInitialized;
  }
  const std::string refused =
      sys::Format("Unable to attach %s to %s.\r\n", record.header.c_str(), m_strName.c_str());
  Lock lock(m_listLock);
  if (m_bExclusiveAttached) {
    ReportMessage(refused, kResExclusiveAttached);
    return kResExclusiveAttached;
  }
  auto slot = std::make_unique<InstrumentSlot>();
  FrameDescription& d = slot->description;
  d.frame_size = std::max<std::uint32_t>(static_cast<std::uint32_t>(record.header.size()), record.frame_size);
  d.terminator = record.terminator;
  // Special searches need the port to themselves and a reader thread that
  // sees every byte; anywhere else the instrument is an ordinary one.
  const bool special = record.special && m_nKind == kKindSerialWithControl;
  if (special) {
    if (m_nInstrumentCount > 0) {
      ReportMessage(refused, kResExclusiveRefused);
      return kResExclusiveRefused;
    }
    if (record.special_kind == "BSI") {
      // More pairs than the record holds would be read from past its end.
      const int max_count = static_cast<int>(sizeof record.sync_bytes);
      if (record.sync_count <= 0 || record.sync_count % 2 != 0 || record.sync_count > max_count) {
        ReportMessage(refused, kResBsiSyncInvalid);
        return kResBsiSyncInvalid;
      }
      m_frameBuffer.assign(d.frame_size, 0);
      std::memcpy(m_frameBuffer.data(), record.header.data(), record.header.size());
      m_nBsiFrameLength = static_cast<std::uint32_t>(
          BsiRecordLength(record.sync_bytes, static_cast<std::size_t>(record.sync_count)));
    } else if (record.special_kind == "HOBILABS_HS2_D") {
      m_frameBuffer.assign(record.header.size() + kHs2FrameTail, 0);
      std::memcpy(m_frameBuffer.data(), record.header.data(), record.header.size());
    }
  }
  if (FindSlot(record.header) >= 0) {
    ReportMessage(refused, kResAlreadyAttached);
    return kResAlreadyAttached;
  }
  if (special && IsSpecialKind(record.special_kind)) m_bExclusiveAttached = true;
  d.resource_name = m_strName;
  d.header = record.header;
  d.special_kind = special ? record.special_kind : std::string();
  d.sync_count = std::clamp(record.sync_count, 0, 10);
  std::memcpy(d.sync_bytes, record.sync_bytes, static_cast<std::size_t>(d.sync_count));
  d.texts_key = NextTextsKey();
  m_instruments.push_back(std::move(slot));
  ++m_nInstrumentChanges;
  ++m_nInstrumentCount;
  ReportMessage(sys::Format("Attaching %s to %s.\r\n", record.header.c_str(), m_strName.c_str()), 0);
  if (m_nKind == kKindSerialWithControl) Queue(kCommandStateChanged);
  return 0;
}

std::uint32_t CTelemComm::DetachInstrument(const std::string& header) {
  if (header.empty()) {
    ReportMessage("Unable to detach instrument.\r\n", kResNotAttached);
    return kResNotAttached;
  }
  if (m_nKind == kKindNone) {
    ReportMessage(sys::Format("Unable to detach %s.\r\n", header.c_str()), kResNotInitialized);
    return kResNotInitialized;
  }
  Lock lock(m_listLock);
  const int index = FindSlot(header);
  if (index < 0) {
    ReportMessage(sys::Format("Unable to detach %s.\r\n", header.c_str()), kResNotAttached);
    return kResNotAttached;
  }
  if (const std::uint32_t code = DisableAcquisition(header); code != 0) return code;
  m_instruments.erase(m_instruments.begin() + index);
  ++m_nInstrumentChanges;
  --m_nInstrumentCount;
  // The instrument being searched for keeps its place: an earlier one
  // leaving moves it down by one.
  if (m_nCurrentInstrument == index) m_nCurrentInstrument = -1;
  else if (m_nCurrentInstrument > index) --m_nCurrentInstrument;
  m_bExclusiveAttached = false;
  ReportMessage(sys::Format("Detaching %s from %s.\r\n", header.c_str(), m_strName.c_str()), 0);
  if (m_nKind == kKindSerialWithControl) Queue(kCommandStateChanged);
  return 0;
}

std::uint32_t CTelemComm::EnableAcquisition(const std::string& header) { return SetAcquisition(header, true); }

std::uint32_t CTelemComm::DisableAcquisition(const std::string& header) {
  return SetAcquisition(header, false);
}

std::uint32_t CTelemComm::SetAcquisition(const std::string& header, bool enable) {
  Lock lock(m_listLock);
  const int index = FindSlot(header);
  if (index < 0) {
    // Reporting success for an instrument that is not there would hide a
    // caller's mistake.
    ReportMessage(sys::Format(enable ? "Unable to enable telemetry acquisition on %s.\r\n"
                                     : "Unable to disable telemetry acquisition on %s.\r\n",
                              m_strName.c_str()),
                  kResNotAttached);
    return kResNotAttached;
  }
  FrameDescription& d = m_instruments[static_cast<std::size_t>(index)]->description;
  if (d.enabled == enable) return 0;
  d.enabled = enable;
  ++m_nInstrumentChanges;
  if (!enable && m_nCurrentInstrument == index) m_nCurrentInstrument = -1;
  ReportMessage(sys::Format(enable ? "Enabling telemetry acquisition for %s on %s.\r\n"
                                   : "Disabling telemetry acquisition for %s on %s.\r\n",
                            header.c_str(), m_strName.c_str()),
                0);
  if (m_nKind == kKindSerialWithControl) Queue(kCommandStateChanged);
  return 0;
}

}  // namespace telemetry

// The control's operations on instruments: loading, removing, attaching
// them to resources (with the special kinds named by a SPECIAL sensor) and
// starting or stopping their acquisition.
#include <algorithm>
#include <cctype>

#include "core/instrument/SensorKeywords.h"
#include "core/telemetry/BsiFrame.h"
#include "core/telemetry/TelemControl.h"
#include "core/telemetry/TelemetryCodes.h"
#include "platform/sys/Format.h"

namespace telemetry {

namespace {

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

CInstrument* CTelemControl::InstrumentAt(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= m_instruments.size()) return nullptr;
  return m_instruments[static_cast<std::size_t>(index)].get();
}

std::uint32_t CTelemControl::AddInstrument(const std::string& path, const std::function<bool()>& stop_requested) {
  Lock instruments(m_instrumentLock);
  Lock resources(m_resourceLock);
  auto instrument = std::make_unique<CInstrument>();
  int code = instrument->LoadInstrumentFile(path, stop_requested);
  // Frames are found and told apart by the header: an instrument without
  // one would only make every log "not found". A file with line errors is
  // told by its errors, which say why it names nothing.
  if (code == 0 && instrument->GetHeader().empty() && instrument->GetErrorCount() == 0)
    code = instrument->RefuseUnnamedInstrument();
  // The load report tells what was read and corrected, or why it failed.
  ReportMessage(instrument->GetLoadReport(), 0);
  if (code != 0) return static_cast<std::uint32_t>(code);
  const std::string& header = instrument->GetHeader();
  if (FindInstrument(header) >= 0) {
    ReportMessage(sys::Format("Unable to add instrument: %s.\r\n", header.c_str()), kCtlInstrumentDefined);
    return kCtlInstrumentDefined;
  }
  const bool with_errors = instrument->GetErrorCount() != 0;
  m_instrumentHeaders.push_back(header);
  m_instruments.push_back(std::move(instrument));
  m_resourceOfInstrument.push_back(-1);
  ++m_nInstrumentCount;
  return with_errors ? kCtlLoadedWithErrors : 0;
}

std::uint32_t CTelemControl::DetachAt(std::size_t instrument) {
  const int resource = m_resourceOfInstrument[instrument];
  if (resource < 0) return 0;
  const std::uint32_t code = ResourceAt(resource)->DetachInstrument(m_instrumentHeaders[instrument]);
  if (code == 0) m_resourceOfInstrument[instrument] = -1;
  return code;
}

std::uint32_t CTelemControl::RemoveInstrument(const std::string& header) {
  Lock instruments(m_instrumentLock);
  Lock resources(m_resourceLock);
  const int index = FindInstrument(header);
  if (index < 0) {
    ReportMessage(sys::Format("Unable to remove instrument: %s.\r\n", header.c_str()), kCtlInstrumentNotFound);
    return kCtlInstrumentNotFound;
  }
  if (const std::uint32_t code = DetachAt(static_cast<std::size_t>(index)); code != 0) return code;
  m_instruments.erase(m_instruments.begin() + index);
  m_instrumentHeaders.erase(m_instrumentHeaders.begin() + index);
  m_resourceOfInstrument.erase(m_resourceOfInstrument.begin() + index);
  --m_nInstrumentCount;
  ReportMessage(sys::Format("Removing instrument: %s.\r\n", header.c_str()), 0);
  return 0;
}

CInstrumentAttachment CTelemControl::BuildAttachment(CInstrument& instrument, bool special) {
  CInstrumentAttachment record;
  record.header = instrument.GetHeader();
  record.frame_size = instrument.GetFrameSize();
  record.terminator = instrument.GetTerminator();
  record.special = special;
  const int index = instrument.FindSensor("SPECIAL", -1);
  const CSensor* sensor = index >= 0 ? instrument.GetSensor(index) : nullptr;
  if (sensor == nullptr || sensor->GetFitType() != instrument::kFitNone) return record;
  const std::string kind = Upper(sensor->GetId());
  if (kind == "BSI" && sensor->GetFieldLength() == 0) {
    record.special_kind = kind;
    record.special = true;
    record.sync_count = static_cast<int>(ParseBsiSyncBytes(sensor->GetUnits(), record.sync_bytes, 10));
  } else if (kind == "HOBILABS_HS2_D") {
    record.special_kind = kind;
    record.special = true;
  } else if (kind == "HEITRONICS_IRC" || kind == "AOS_EZCOMPASS_3" || kind == "SEABIRD_37SIMCT" ||
             kind == "SEABIRD_19SCT") {
    record.special_kind = kind;
    record.special = true;
    record.terminator = "\r\n";
  }
  return record;
}

std::uint32_t CTelemControl::AttachInstrument(const std::string& header, const std::string& resource_name,
                                              bool special) {
  Lock instruments(m_instrumentLock);
  Lock resources(m_resourceLock);
  const std::string failure =
      sys::Format("Unable to attach instrument %s to %s.\r\n", header.c_str(), resource_name.c_str());
  const int index = FindInstrument(header);
  if (index < 0) {
    ReportMessage(failure, kCtlInstrumentNotFound);
    return kCtlInstrumentNotFound;
  }
  if (const std::uint32_t code = DetachAt(static_cast<std::size_t>(index)); code != 0) return code;
  const CInstrumentAttachment record = BuildAttachment(*InstrumentAt(index), special);
  const int resource = FindResource(resource_name);
  if (resource < 0) {
    ReportMessage(failure, kCtlResourceNotFound);
    return kCtlResourceNotFound;
  }
  const std::uint32_t code = ResourceAt(resource)->AttachInstrument(record);
  if (code == 0) m_resourceOfInstrument[static_cast<std::size_t>(index)] = resource;
  return code;
}

std::uint32_t CTelemControl::DetachInstrument(const std::string& header) {
  Lock instruments(m_instrumentLock);
  Lock resources(m_resourceLock);
  const int index = FindInstrument(header);
  if (index < 0) {
    ReportMessage(sys::Format("Unable to remove instrument %s.\r\n", header.c_str()), kCtlResourceNotFound);
    return kCtlResourceNotFound;
  }
  return DetachAt(static_cast<std::size_t>(index));
}

std::uint32_t CTelemControl::StartAcquisition(int index) {
  return SetAcquisition(index, true, "Unable to start telemetry frame aquisition.\r\n");
}

std::uint32_t CTelemControl::StopAcquisition(int index) {
  return SetAcquisition(index, false, "Unable to stop telemetry frame aquisition.\r\n");
}

std::uint32_t CTelemControl::SetAcquisition(int index, bool enable, const char* failure) {
  Lock instruments(m_instrumentLock);
  Lock resources(m_resourceLock);
  if (InstrumentAt(index) == nullptr) {
    ReportMessage(failure, kCtlInstrumentInvalid);
    return kCtlInstrumentInvalid;
  }
  const int resource = m_resourceOfInstrument[static_cast<std::size_t>(index)];
  if (resource < 0) {
    ReportMessage(failure, kCtlResourceNotFound);
    return kCtlResourceNotFound;
  }
  const std::string& header = m_instrumentHeaders[static_cast<std::size_t>(index)];
  return enable ? ResourceAt(resource)->EnableAcquisition(header) : ResourceAt(resource)->DisableAcquisition(header);
}

}  // namespace telemetry

// The control's questions about loaded instruments.
#include <algorithm>

#include "core/telemetry/TelemControl.h"
#include "core/telemetry/TelemetryCodes.h"

namespace telemetry {

std::uint32_t CTelemControl::InstrumentQuery(int index, const char* failure, std::string& out,
                                             const std::string& (CInstrument::*get)() const) {
  Lock instruments(m_instrumentLock);
  CInstrument* instrument = InstrumentAt(index);
  if (instrument == nullptr) {
    ReportMessage(failure, kCtlInstrumentInvalid);
    return kCtlInstrumentInvalid;
  }
  out = (instrument->*get)();
  return 0;
}

std::uint32_t CTelemControl::GetInstrumentFileType(std::string& out, int index) {
  return InstrumentQuery(index, "Unable to retrieve the instrument file type.\r\n", out, &CInstrument::GetFileType);
}

std::uint32_t CTelemControl::GetInstrumentFileName(std::string& out, int index) {
  return InstrumentQuery(index, "Unable to retrieve the instrument file name.\r\n", out, &CInstrument::GetFileName);
}

std::uint32_t CTelemControl::GetInstrumentSerialNumber(std::string& out, int index) {
  return InstrumentQuery(index, "Unable to retrieve the instrument serial number.\r\n", out,
                         &CInstrument::GetSerialNumber);
}

bool CTelemControl::GetInstrumentHeader(std::string& out, int index) {
  return InstrumentQuery(index, "Unable to retieve instrument header.\r\n", out, &CInstrument::GetHeader) == 0;
}

bool CTelemControl::GetInstrumentResource(std::string& out, int index) {
  Lock instruments(m_instrumentLock);
  Lock resources(m_resourceLock);
  if (InstrumentAt(index) == nullptr) {
    ReportMessage("Unable to access instrument communications resource.\r\n", kCtlInstrumentInvalid);
    return false;
  }
  const int resource = m_resourceOfInstrument[static_cast<std::size_t>(index)];
  if (resource >= 0) out = m_resourceNames[static_cast<std::size_t>(resource)];
  return true;
}

int CTelemControl::GetInstrumentCount() {
  Lock instruments(m_instrumentLock);
  return m_nInstrumentCount;
}

int CTelemControl::FindInstrument(const std::string& header) {
  Lock instruments(m_instrumentLock);
  const auto it = std::find(m_instrumentHeaders.begin(), m_instrumentHeaders.end(), header);
  return it == m_instrumentHeaders.end() ? -1 : static_cast<int>(it - m_instrumentHeaders.begin());
}

int CTelemControl::FindSensor(int index, const char* type, int after) {
  Lock instruments(m_instrumentLock);
  CInstrument* instrument = InstrumentAt(index);
  if (instrument == nullptr) {
    ReportMessage("Unable to find instrument sensor.\r\n", kCtlInstrumentInvalid);
    return -1;
  }
  return instrument->FindSensor(type, after);
}

CSensor* CTelemControl::GetSensor(int index, int sensor) {
  Lock instruments(m_instrumentLock);
  CInstrument* instrument = InstrumentAt(index);
  if (instrument == nullptr) {
    ReportMessage("Unable to access instrument sensors.\r\n", kCtlInstrumentInvalid);
    return nullptr;
  }
  CSensor* found = instrument->GetSensor(sensor);
  if (found == nullptr) ReportMessage(instrument->GetLoadReport(), 0);
  return found;
}

int CTelemControl::GetInstrumentLinesRead(int index) {
  Lock instruments(m_instrumentLock);
  CInstrument* instrument = InstrumentAt(index);
  if (instrument == nullptr) {
    ReportMessage("Unable to retrieve the number of instrument file lines read.\r\n", kCtlInstrumentInvalid);
    return -1;
  }
  return instrument->GetLinesRead();
}

int CTelemControl::GetInstrumentFrameSize(int index) {
  Lock instruments(m_instrumentLock);
  CInstrument* instrument = InstrumentAt(index);
  if (instrument == nullptr) {
    ReportMessage("Unable to retrive instrument frame size.\r\n", kCtlInstrumentInvalid);
    return -1;
  }
  return static_cast<int>(instrument->GetFrameSize());
}

int CTelemControl::GetInstrumentSensorCount(int index) {
  Lock instruments(m_instrumentLock);
  CInstrument* instrument = InstrumentAt(index);
  if (instrument == nullptr) {
    ReportMessage("Unable to retrieve the number of instrument sensors.\r\n", kCtlInstrumentInvalid);
    return -1;
  }
  return instrument->GetSensorCount();
}

}  // namespace telemetry

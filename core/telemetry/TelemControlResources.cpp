// The control's operations on communications resources.
#include <algorithm>

#include "core/telemetry/TelemControl.h"
#include "core/telemetry/TelemetryCodes.h"
#include "platform/sys/Format.h"

namespace telemetry {

namespace {

// Reading the count and taking it fail alike.
constexpr char kDiscardedCountFailure[] = "Unable to retrieve the number of bytes discarded.\r\n";

}  // namespace

CTelemComm* CTelemControl::ResourceOrReport(int index, const char* failure) {
  CTelemComm* resource = ResourceAt(index);
  if (resource == nullptr) ReportMessage(failure, kCtlResourceInvalid);
  return resource;
}

void CTelemControl::MoveResourceMessages(CTelemComm& resource) {
  std::string text;
  for (std::string line;;) {
    resource.TakeMessage(line);
    if (line.empty()) break;
    text += line;
  }
  ReportMessage(text, 0);
}

std::uint32_t CTelemControl::AddResource(std::unique_ptr<CTelemComm> resource, const std::string& name,
                                         std::uint32_t init_code) {
  if (init_code != 0) {
    // The resource goes, and its messages with it unless moved here.
    MoveResourceMessages(*resource);
    return init_code;
  }
  Lock lock(m_resourceLock);
  m_resourceNames.push_back(name);
  m_resources.push_back(std::move(resource));
  ++m_nResourceCount;
  return 0;
}

std::uint32_t CTelemControl::AddSerialResource(const SerialSettings& settings) {
  Lock control(m_controlLock);
  if (FindResource(settings.port_name) >= 0) {
    ReportMessage(sys::Format("Unable to add communications resource: %s.\r\n", settings.port_name.c_str()),
                  kCtlResourceDefined);
    return kCtlResourceDefined;
  }
  auto resource = std::make_unique<CTelemComm>(this, m_nNextResourceId++);
  const std::uint32_t code = resource->InitSerial(settings);
  return AddResource(std::move(resource), settings.port_name, code);
}

std::uint32_t CTelemControl::AddFileResource(const FileSettings& settings) {
  Lock control(m_controlLock);
  const std::string name = settings.file != nullptr ? settings.file->GetFilePath() : std::string();
  if (!name.empty() && FindResource(name) >= 0) {
    ReportMessage(sys::Format("Unable to add communications resource: %s.\r\n", name.c_str()), kCtlResourceDefined);
    return kCtlResourceDefined;
  }
  auto resource = std::make_unique<CTelemComm>(this, m_nNextResourceId++);
  const std::uint32_t code = resource->InitFile(settings);
  return AddResource(std::move(resource), name, code);
}

std::uint32_t CTelemControl::RemoveResource(const std::string& name) {
  Lock control(m_controlLock);
  Lock instruments(m_instrumentLock);
  if (m_pRemovedResource) return kCtlRemovalPending;
  Lock resources(m_resourceLock);
  const int index = FindResource(name);
  if (index < 0) {
    ReportMessage(sys::Format("Unable to remove communications resource: %s.\r\n", name.c_str()),
                  kCtlResourceNotFound);
    return kCtlResourceNotFound;
  }
  m_pRemovedResource = std::move(m_resources[static_cast<std::size_t>(index)]);
  m_pRemovedResource->Disconnect();
  m_pRemovedResource->TakeAbortCode();
  m_resources.erase(m_resources.begin() + index);
  m_resourceNames.erase(m_resourceNames.begin() + index);
  --m_nResourceCount;
  for (int& entry : m_resourceOfInstrument) {
    if (entry == index) entry = -1;
    else if (entry > index) --entry;
  }
  ReportMessage(sys::Format("Removing communications resource: %s.\r\n", name.c_str()), 0);
  return 0;
}

std::uint32_t CTelemControl::ModifyResource(const std::string& name, const SerialSettings& settings) {
  Lock resources(m_resourceLock);
  const int index = FindResource(name);
  if (index < 0) {
    ReportMessage(sys::Format("Unable to modify communications resource: %s.\r\n", name.c_str()),
                  kCtlResourceNotFound);
    return kCtlResourceNotFound;
  }
  return ResourceAt(index)->InitSerial(settings);
}

bool CTelemControl::ResourceExists(int index) {
  Lock resources(m_resourceLock);
  CTelemComm* resource = ResourceOrReport(index, "Unable to check existance of communications resource.\r\n");
  if (resource == nullptr) return false;
  return resource->PortExists();
}

std::uint32_t CTelemControl::ConnectResource(int index) {
  Lock resources(m_resourceLock);
  CTelemComm* resource = ResourceOrReport(index, "Unable to connect communications resource.\r\n");
  if (resource == nullptr) return kCtlResourceInvalid;
  return resource->Connect();
}

std::uint32_t CTelemControl::DisconnectResource(int index) {
  Lock resources(m_resourceLock);
  CTelemComm* resource = ResourceOrReport(index, "Unable to disconnect communications resource.\r\n");
  if (resource == nullptr) return kCtlResourceInvalid;
  return resource->Disconnect();
}

std::uint32_t CTelemControl::GetBytesDiscarded(std::uint32_t& count, int index) {
  Lock resources(m_resourceLock);
  count = 0;
  CTelemComm* resource = ResourceOrReport(index, kDiscardedCountFailure);
  if (resource == nullptr) return kCtlResourceInvalid;
  count = resource->GetBytesDiscarded();
  return 0;
}

std::uint32_t CTelemControl::ResetBytesDiscarded(int index) {
  Lock resources(m_resourceLock);
  CTelemComm* resource = ResourceOrReport(index, "Unable to reset the number of bytes discarded.\r\n");
  if (resource == nullptr) return kCtlResourceInvalid;
  resource->ResetBytesDiscarded();
  return 0;
}

std::uint32_t CTelemControl::TakeBytesDiscarded(std::uint32_t& count, int index) {
  Lock resources(m_resourceLock);
  count = 0;
  CTelemComm* resource = ResourceOrReport(index, kDiscardedCountFailure);
  if (resource == nullptr) return kCtlResourceInvalid;
  count = resource->TakeBytesDiscarded();
  return 0;
}

std::uint32_t CTelemControl::GetSerialInfo(SerialSettings& out, int index) {
  Lock resources(m_resourceLock);
  const char* failure = "Unable to retrieve telemetry communications information.\r\n";
  CTelemComm* resource = ResourceAt(index);
  const std::uint32_t code = resource == nullptr                ? kCtlResourceInvalid
                             : !resource->GetSerialSettings(out) ? kCtlNotSerial
                                                                 : 0;
  if (code != 0) ReportMessage(failure, code);
  return code;
}

std::uint32_t CTelemControl::GetFileInfo(FileSettings& out, int index) {
  Lock resources(m_resourceLock);
  const char* failure = "Unable to retrieve telemetry communications information.\r\n";
  CTelemComm* resource = ResourceAt(index);
  const std::uint32_t code = resource == nullptr              ? kCtlResourceInvalid
                             : !resource->GetFileSettings(out) ? kCtlNotFile
                                                               : 0;
  if (code != 0) ReportMessage(failure, code);
  return code;
}

std::uint32_t CTelemControl::GetAbortCode(std::uint32_t& code, int index) {
  Lock resources(m_resourceLock);
  code = 0;
  CTelemComm* resource = ResourceOrReport(index, "Unable to retrieve telemetry aquisition abort code.\r\n");
  if (resource == nullptr) return kCtlResourceInvalid;
  code = resource->TakeAbortCode();
  return 0;
}

bool CTelemControl::GetResourceName(std::string& out, int index) {
  Lock resources(m_resourceLock);
  CTelemComm* resource = ResourceOrReport(index, "Unable to retieve communications resource identification.\r\n");
  if (resource == nullptr) return false;
  out = resource->GetName();
  return true;
}

int CTelemControl::GetResourceCount() {
  Lock resources(m_resourceLock);
  return m_nResourceCount;
}

int CTelemControl::FindResource(const std::string& name) {
  Lock resources(m_resourceLock);
  const auto it = std::find(m_resourceNames.begin(), m_resourceNames.end(), name);
  return it == m_resourceNames.end() ? -1 : static_cast<int>(it - m_resourceNames.begin());
}

std::uint32_t CTelemControl::QueueFrameRequest(int index) {
  Lock resources(m_resourceLock);
  CTelemComm* resource = ResourceOrReport(index, "Unable to retrieve instrument frame from file resource.\r\n");
  if (resource == nullptr) return kCtlResourceInvalid;
  if (resource->GetKind() != kKindFileWithControl) {
    ReportMessage(sys::Format("Unable to retrieve frame from telemetry resource %s.\r\n", resource->GetName().c_str()),
                  kCtlNotFile);
    return kCtlNotFile;
  }
  QueueCommand(resource->GetName(), resource->GetId(), kCommandDeliverFrame);
  return 0;
}

std::unique_ptr<CFrameData> CTelemControl::TakeSpareFrame() {
  // A serial reader cuts its frames on its own thread: it makes new ones.
  if (!OnProcessingThread()) return nullptr;
  return m_framePool.Take();
}

}  // namespace telemetry

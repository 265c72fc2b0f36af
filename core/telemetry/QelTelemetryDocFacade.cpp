// The forwarding operations: each passes its arguments to the control's
// operation of the same name. Without a control each one answers a failure
// (0x50000000, false, -1 or null), never the success value, so a caller
// cannot take a missing control for a done job.
#include "core/telemetry/QelTelemetryDoc.h"

#include "core/telemetry/TelemControl.h"
#include "core/telemetry/TelemetryCodes.h"

std::uint32_t CQelTelemetryDoc::AddFileResource(const telemetry::FileSettings& settings) {
  if (!m_bControl) return telemetry::kNoControl;
  return m_pTelemControl->AddFileResource(settings);
}

std::uint32_t CQelTelemetryDoc::AddSerialResource(const telemetry::SerialSettings& settings) {
  if (!m_bControl) return telemetry::kNoControl;
  return m_pTelemControl->AddSerialResource(settings);
}

std::uint32_t CQelTelemetryDoc::RemoveResource(const std::string& name) {
  if (!m_bControl) return telemetry::kNoControl;
  return m_pTelemControl->RemoveResource(name);
}

std::uint32_t CQelTelemetryDoc::ModifyResource(const std::string& name, const telemetry::SerialSettings& settings) {
  if (!m_bControl) return telemetry::kNoControl;
  return m_pTelemControl->ModifyResource(name, settings);
}

std::uint32_t CQelTelemetryDoc::AddInstrument(const std::string& path) {
  if (!m_bControl) return telemetry::kNoControl;
  return m_pTelemControl->AddInstrument(path, m_loadStopRequest);
}

std::uint32_t CQelTelemetryDoc::RemoveInstrument(const std::string& header) {
  if (!m_bControl) return telemetry::kNoControl;
  return m_pTelemControl->RemoveInstrument(header);
}

std::uint32_t CQelTelemetryDoc::AttachInstrument(const std::string& header, const std::string& resource, int special) {
  if (!m_bControl) return telemetry::kNoControl;
  return m_pTelemControl->AttachInstrument(header, resource, special != 0);
}

std::uint32_t CQelTelemetryDoc::DetachInstrument(const std::string& header) {
  if (!m_bControl) return telemetry::kNoControl;
  return m_pTelemControl->DetachInstrument(header);
}

bool CQelTelemetryDoc::ResourceExists(int resource) {
  if (!m_bControl) return false;
  return m_pTelemControl->ResourceExists(resource);
}

std::uint32_t CQelTelemetryDoc::ConnectResource(int resource) {
  if (!m_bControl) return telemetry::kNoControl;
  return m_pTelemControl->ConnectResource(resource);
}

std::uint32_t CQelTelemetryDoc::DisconnectResource(int resource) {
  if (!m_bControl) return telemetry::kNoControl;
  return m_pTelemControl->DisconnectResource(resource);
}

std::uint32_t CQelTelemetryDoc::StartAcquisition(int instrument) {
  if (!m_bControl) return telemetry::kNoControl;
  return m_pTelemControl->StartAcquisition(instrument);
}

std::uint32_t CQelTelemetryDoc::StopAcquisition(int instrument) {
  if (!m_bControl) return telemetry::kNoControl;
  return m_pTelemControl->StopAcquisition(instrument);
}

std::uint32_t CQelTelemetryDoc::GetBytesDiscarded(std::uint32_t& count, int resource) {
  if (!m_bControl) return telemetry::kNoControl;
  return m_pTelemControl->GetBytesDiscarded(count, resource);
}

std::uint32_t CQelTelemetryDoc::GetFileInfo(telemetry::FileSettings& out, int resource) {
  if (!m_bControl) return telemetry::kNoControl;
  return m_pTelemControl->GetFileInfo(out, resource);
}

std::uint32_t CQelTelemetryDoc::GetSerialInfo(telemetry::SerialSettings& out, int resource) {
  if (!m_bControl) return telemetry::kNoControl;
  return m_pTelemControl->GetSerialInfo(out, resource);
}

std::uint32_t CQelTelemetryDoc::GetAbortCode(std::uint32_t& code, int resource) {
  if (!m_bControl) return telemetry::kNoControl;
  return m_pTelemControl->GetAbortCode(code, resource);
}

std::uint32_t CQelTelemetryDoc::GetInstrumentFileType(std::string& out, int instrument) {
  if (!m_bControl) return telemetry::kNoControl;
  return m_pTelemControl->GetInstrumentFileType(out, instrument);
}

std::uint32_t CQelTelemetryDoc::GetInstrumentFileName(std::string& out, int instrument) {
  if (!m_bControl) return telemetry::kNoControl;
  return m_pTelemControl->GetInstrumentFileName(out, instrument);
}

std::uint32_t CQelTelemetryDoc::GetInstrumentSerialNumber(std::string& out, int instrument) {
  if (!m_bControl) return telemetry::kNoControl;
  return m_pTelemControl->GetInstrumentSerialNumber(out, instrument);
}

bool CQelTelemetryDoc::GetInstrumentResource(std::string& out, int instrument) {
  if (!m_bControl) return false;
  return m_pTelemControl->GetInstrumentResource(out, instrument);
}

bool CQelTelemetryDoc::GetInstrumentHeader(std::string& out, int instrument) {
  if (!m_bControl) return false;
  return m_pTelemControl->GetInstrumentHeader(out, instrument);
}

bool CQelTelemetryDoc::GetResourceName(std::string& out, int resource) {
  if (!m_bControl) return false;
  return m_pTelemControl->GetResourceName(out, resource);
}

int CQelTelemetryDoc::GetInstrumentCount() {
  if (!m_bControl) return -1;
  return m_pTelemControl->GetInstrumentCount();
}

int CQelTelemetryDoc::GetResourceCount() {
  if (!m_bControl) return -1;
  return m_pTelemControl->GetResourceCount();
}

int CQelTelemetryDoc::GetInstrumentLinesRead(int instrument) {
  if (!m_bControl) return -1;
  return m_pTelemControl->GetInstrumentLinesRead(instrument);
}

int CQelTelemetryDoc::GetInstrumentFrameSize(int instrument) {
  if (!m_bControl) return -1;
  return m_pTelemControl->GetInstrumentFrameSize(instrument);
}

int CQelTelemetryDoc::GetInstrumentSensorCount(int instrument) {
  if (!m_bControl) return -1;
  return m_pTelemControl->GetInstrumentSensorCount(instrument);
}

int CQelTelemetryDoc::FindInstrument(const std::string& header) {
  if (!m_bControl) return -1;
  return m_pTelemControl->FindInstrument(header);
}

int CQelTelemetryDoc::FindResource(const std::string& name) {
  if (!m_bControl) return -1;
  return m_pTelemControl->FindResource(name);
}

int CQelTelemetryDoc::FindSensor(int instrument, const char* type, int after) {
  if (!m_bControl) return -1;
  return m_pTelemControl->FindSensor(instrument, type, after);
}

CSensor* CQelTelemetryDoc::GetSensor(int instrument, int sensor) {
  if (!m_bControl) return nullptr;
  return m_pTelemControl->GetSensor(instrument, sensor);
}

std::uint32_t CQelTelemetryDoc::ResetBytesDiscarded(int resource) {
  if (!m_bControl) return telemetry::kNoControl;
  return m_pTelemControl->ResetBytesDiscarded(resource);
}

std::uint32_t CQelTelemetryDoc::TakeBytesDiscarded(std::uint32_t& count, int resource) {
  if (!m_bControl) return telemetry::kNoControl;
  return m_pTelemControl->TakeBytesDiscarded(count, resource);
}

std::uint32_t CQelTelemetryDoc::RetrieveFrame(int resource) {
  if (!m_bControl) return telemetry::kNoControl;
  return m_pTelemControl->RetrieveFrame(resource);
}

bool CQelTelemetryDoc::CutNextLentFrame(int resource, CFrameData& frame) {
  return m_bControl && m_pTelemControl->CutNextLentFrame(resource, frame);
}

void CQelTelemetryDoc::RecycleFrame(std::unique_ptr<CFrameData> frame) {
  if (m_bControl) m_pTelemControl->RecycleFrame(std::move(frame));
}

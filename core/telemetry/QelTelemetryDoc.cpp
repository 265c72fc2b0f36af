// The document base's life with its control, and its default callbacks.
#include "core/telemetry/QelTelemetryDoc.h"

#include "core/telemetry/TelemControl.h"
#include "core/telemetry/TelemetryDocLogLines.h"

IMPLEMENT_SERIAL(CQelTelemetryDoc, afx::CDocument, 1)

CQelTelemetryDoc::CQelTelemetryDoc() = default;

CQelTelemetryDoc::~CQelTelemetryDoc() { ReleaseTelemControl(); }

afx::BOOL CQelTelemetryDoc::OnNewDocument() {
  if (!afx::CDocument::OnNewDocument()) return afx::FALSE;
  CreateTelemControl();
  return afx::TRUE;
}

afx::BOOL CQelTelemetryDoc::OnOpenDocument(const char* path) {
  if (!afx::CDocument::OnOpenDocument(path)) return afx::FALSE;
  CreateTelemControl();
  return afx::TRUE;
}

void CQelTelemetryDoc::DeleteContents() {
  ReleaseTelemControl();
  afx::CDocument::DeleteContents();
}

telemetry::CTelemControl* CQelTelemetryDoc::CreateTelemControl() {
  ReleaseTelemControl();
  // The constructor starts the processing thread, which may call back at
  // once; the flag is set only when the control is stored.
  m_pTelemControl = std::make_unique<telemetry::CTelemControl>(this);
  m_bControl = 1;
  return m_pTelemControl.get();
}

void CQelTelemetryDoc::ReleaseTelemControl() {
  if (!m_pTelemControl) return;
  // The flag stays set while the thread stops: its last pass still delivers
  // the messages queued before (the end of a conversion among them), and they
  // are stamped like every other line. Once the thread has ended nothing reads
  // the flag on another thread.
  m_pTelemControl->Shutdown();
  m_bControl = 0;
  m_pTelemControl.reset();
}

void CQelTelemetryDoc::LogMessage(const std::string& text) {
  if (!m_bControl || text.empty()) return;
  m_pTelemControl->ReportMessage(telemetry::WithFinalLineEnd(text), 0);
}

void CQelTelemetryDoc::OnTelemetryMessage(std::string& text) {
  if (!m_bControl || text.empty()) return;
  std::string stamped;
  telemetry::StampLogLines(text, telemetry::CurrentLogStamp(), stamped);
  text.swap(stamped);
}

void CQelTelemetryDoc::OnFrameReceived(const std::string& /*resource*/, std::unique_ptr<CFrameData> /*frame*/) {}

void CQelTelemetryDoc::OnCommEvent(const std::string& /*resource*/, int /*event_code*/, int /*end_flag*/,
                                   int /*open*/) {}

void CQelTelemetryDoc::OnResourceState(const std::string& /*resource*/, int /*state*/) {}

void CQelTelemetryDoc::OnResourceInfo(const std::string& /*line*/, int /*value*/) {}

// The document base that joins a document to the telemetry layer. It owns
// one telemetry control, offers every control operation as a virtual
// operation of its own (instrument 0 and resource 0 are the document's), finds
// sensors of known kinds, turns sensor fields into output text, and receives
// the control's callbacks on the processing thread.
//
// Without a control every forwarding operation does nothing and answers its
// failure value, so a document whose control could not be made never
// dereferences a null control.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "core/conversion/SensorFormat.h"
#include "core/instrument/FrameData.h"
#include "core/instrument/Sensor.h"
#include "core/telemetry/ResourceSettings.h"
#include "core/telemetry/TelemetryCallbacks.h"
#include "platform/afx/Document.h"

namespace telemetry {
class CTelemControl;
}

// The framework's document gives the base its place among views and
// templates; nothing more of it is used here.
class CQelTelemetryDoc : public afx::CDocument, public telemetry::TelemetryCallbacks {
  DECLARE_SERIAL(CQelTelemetryDoc)

 public:
  CQelTelemetryDoc();
  // The control is released by DeleteContents only; a document destroyed
  // with one still owned stops it here so no thread outlives its target.
  ~CQelTelemetryDoc() override;
  CQelTelemetryDoc(const CQelTelemetryDoc&) = delete;
  CQelTelemetryDoc& operator=(const CQelTelemetryDoc&) = delete;

  // Document life: the framework's steps, then the control is made (or,
  // for DeleteContents, stopped and released first).
  afx::BOOL OnNewDocument() override;
  afx::BOOL OnOpenDocument(const char* path) override;
  void DeleteContents() override;
  telemetry::CTelemControl* CreateTelemControl();
  bool HasTelemControl() const { return m_bControl != 0; }

  // Resources.
  virtual std::uint32_t AddFileResource(const telemetry::FileSettings& settings);
  virtual std::uint32_t AddSerialResource(const telemetry::SerialSettings& settings);
  virtual std::uint32_t RemoveResource(const std::string& name);
  virtual std::uint32_t ModifyResource(const std::string& name, const telemetry::SerialSettings& settings);
  // Instruments. A load stops when the stop request (if any) says so.
  void SetLoadStopRequest(std::function<bool()> requested) { m_loadStopRequest = std::move(requested); }
  virtual std::uint32_t AddInstrument(const std::string& path);
  virtual std::uint32_t RemoveInstrument(const std::string& header);
  virtual std::uint32_t AttachInstrument(const std::string& header, const std::string& resource, int special);
  virtual std::uint32_t DetachInstrument(const std::string& header);
  virtual bool ResourceExists(int resource);
  virtual std::uint32_t ConnectResource(int resource);
  virtual std::uint32_t DisconnectResource(int resource);
  virtual std::uint32_t StartAcquisition(int instrument);
  virtual std::uint32_t StopAcquisition(int instrument);
  virtual std::uint32_t GetBytesDiscarded(std::uint32_t& count, int resource);
  virtual std::uint32_t GetFileInfo(telemetry::FileSettings& out, int resource);
  virtual std::uint32_t GetSerialInfo(telemetry::SerialSettings& out, int resource);
  virtual std::uint32_t GetAbortCode(std::uint32_t& code, int resource);
  virtual std::uint32_t GetInstrumentFileType(std::string& out, int instrument);
  virtual std::uint32_t GetInstrumentFileName(std::string& out, int instrument);
  virtual std::uint32_t GetInstrumentSerialNumber(std::string& out, int instrument);
  virtual bool GetInstrumentResource(std::string& out, int instrument);
  virtual bool GetInstrumentHeader(std::string& out, int instrument);
  virtual bool GetResourceName(std::string& out, int resource);
  virtual int GetInstrumentCount();
  virtual int GetResourceCount();
  virtual int GetInstrumentLinesRead(int instrument);
  virtual int GetInstrumentFrameSize(int instrument);
  virtual int GetInstrumentSensorCount(int instrument);
  virtual int FindInstrument(const std::string& header);
  virtual int FindResource(const std::string& name);
  // Index of the first sensor of `type` after `after` (-1: from the first).
  virtual int FindSensor(int instrument, const char* type, int after);
  virtual CSensor* GetSensor(int instrument, int sensor);
  virtual std::uint32_t ResetBytesDiscarded(int resource);
  // The bytes discarded since the last call, counted and reset at once.
  virtual std::uint32_t TakeBytesDiscarded(std::uint32_t& count, int resource);
  // Queues a frame request; exactly one OnFrameReceived follows.
  virtual std::uint32_t RetrieveFrame(int resource);
  // In OnFrameLent, wanting the next frame: whether it was cut into
  // `frame` at once (see CTelemControl::CutNextLentFrame); if not, ask with
  // RetrieveFrame.
  bool CutNextLentFrame(int resource, CFrameData& frame);
  // Gives a received frame that has been read back, to be refilled for a
  // later frame instead of freed; on the processing thread.
  void RecycleFrame(std::unique_ptr<CFrameData> frame);
  // Queues text for the conversion log; it arrives in OnTelemetryMessage on
  // the processing thread, in queue order. A text without a final line end
  // gets one, so it is neither dropped nor glued to the next message.
  virtual void LogMessage(const std::string& text);

  // Sensor values.
  virtual int GetSensorValue(double* value, CSensor* sensor, CFrameData* frame);
  virtual std::string FormatSensorValue(CSensor* sensor, CFrameData* frame, const CSensorFormat& format);
  // The same text appended to out: the conversion's per-value path, which
  // builds a whole row in one reused buffer.
  void AppendSensorValue(std::string& out, CSensor* sensor, CFrameData* frame, const CSensorFormat& format);
  virtual std::string FormatSensorError(int code);
  static void AppendSensorError(std::string& out, int code);
  static std::string FormatDouble(double value, const CSensorFormat& format);
  static void AppendDouble(std::string& out, double value, const CSensorFormat& format);

  // Sensors of known kinds in one instrument: an index, or -1.
  virtual int FindFrameCounterSensor(int instrument);
  virtual int FindCheckSumSensor(int instrument);
  virtual int FindNmeaCheckSumSensor(int instrument);
  virtual int FindIso8601Sensor(int instrument);
  virtual int FindTimerSensor(int instrument);
  virtual int FindTiltSensor(int instrument, const std::string& id);
  virtual int FindStrainSensor(int instrument);
  virtual int FindPressureSensor(int instrument);
  virtual int FindTemperatureSensor(int instrument);
  virtual int FindConductivitySensor(int instrument);
  virtual int FindRedBackscatterSensor(int instrument);
  virtual int FindBlueBackscatterSensor(int instrument);
  virtual int FindGreenBackscatterSensor(int instrument);
  virtual int FindNitrateSensor(int instrument);
  virtual int FindRadiance490Sensor(int instrument, const std::string& type);
  virtual int FindCdomSensor(int instrument);
  virtual int FindParSensor(int instrument, int after);
  virtual int FindIrradianceSensor(int instrument, int downwelling);

  // Callbacks of the control, on its processing thread.
  void OnTelemetryMessage(std::string& text) override;
  void OnFrameReceived(const std::string& resource, std::unique_ptr<CFrameData> frame) override;
  void OnCommEvent(const std::string& resource, int event_code, int end_flag, int open) override;
  void OnResourceState(const std::string& resource, int state) override;
  void OnResourceInfo(const std::string& line, int value) override;

 protected:
  telemetry::CTelemControl* GetTelemControl() const { return m_pTelemControl.get(); }

 private:
  template <typename Test>
  int FindSensorOfType(int instrument, const char* type, Test test);
  int FindLowerOfTwo(int instrument, const char* first_type, const char* second_type,
                     bool (*first_test)(const CSensor&), bool (*second_test)(const CSensor&));
  void ReleaseTelemControl();

  std::unique_ptr<telemetry::CTelemControl> m_pTelemControl;
  int m_bControl = 0;
  std::function<bool()> m_loadStopRequest;
};

// Helpers shared by the conversion tests: a private temporary folder, a
// document base that serves one instrument loaded from definition text
// without a telemetry control, and frames built from bytes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/conversion/SensorFormat.h"
#include "core/instrument/FrameData.h"
#include "core/instrument/Instrument.h"
#include "core/telemetry/QelTelemetryDoc.h"
#include "tests/support/TempFolder.h"

namespace conversion_test {

using testsupport::ReadFile;
using testsupport::TempFolder;

// A document whose instrument 0 is loaded from definition text; log text
// is recorded, and the bytes the resource "skipped" are scripted.
class InstrumentDoc : public CQelTelemetryDoc {
 public:
  explicit InstrumentDoc(const std::string& definition);
  int FindSensor(int instrument, const char* type, int after) override;
  CSensor* GetSensor(int instrument, int sensor) override;
  int GetInstrumentSensorCount(int instrument) override;
  void LogMessage(const std::string& text) override { log += text; }
  std::uint32_t GetBytesDiscarded(std::uint32_t& count, int resource) override;
  std::uint32_t ResetBytesDiscarded(int resource) override;
  std::uint32_t TakeBytesDiscarded(std::uint32_t& count, int resource) override;

  CInstrument& Instrument() { return instrument_; }
  std::string log;
  std::uint32_t discarded = 0;

 private:
  TempFolder folder_;
  CInstrument instrument_;
};

// A fixed-size frame of the given bytes (or one cut at a terminator).
std::unique_ptr<CFrameData> MakeFrame(const std::string& bytes, int number, const std::string& terminator = "");

// A number format from its five fields, in their declared order.
CSensorFormat Format(int double_type, int fit, int hex, int width, int precision);

}  // namespace conversion_test

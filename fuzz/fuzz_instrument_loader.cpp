// The definition-file loader on hostile bytes, then every sensor it accepted
// read from a frame of the loaded layout: a definition that loads must never
// make a sensor read outside its frame.
#include <cstdint>
#include <string>

#include "core/instrument/FrameData.h"
#include "core/instrument/Instrument.h"
#include "fuzz/support/FuzzScratch.h"

namespace {

// Large enough for every frame a real instrument has; a hostile definition
// may declare up to CInstrument::kMaxFrameSize, which would only slow the run.
constexpr std::size_t kLargestFrameTried = 1u << 16;

// A frame as the resource would cut it: the header, then the input's own
// bytes over and over (so fields hold varied values), then the terminator.
CFrameData FrameFor(const CInstrument& instrument, const std::uint8_t* data, std::size_t size) {
  CFrameInfo info;
  info.m_strHeader = instrument.GetHeader();
  info.m_strTerminator = instrument.GetTerminator();
  info.m_nFixedFrameSize = static_cast<int>(instrument.GetFrameSize());
  info.m_nFrameNumber = 1;
  CFrameData::Bytes bytes(instrument.GetHeader().begin(), instrument.GetHeader().end());
  std::size_t length = instrument.IsVariableFrame() ? size : instrument.GetFrameSize();
  if (length > kLargestFrameTried) length = kLargestFrameTried;
  for (std::size_t i = bytes.size(); i < length && size > 0; ++i) bytes.push_back(data[i % size]);
  bytes.insert(bytes.end(), instrument.GetTerminator().begin(), instrument.GetTerminator().end());
  return CFrameData(bytes, info);
}

void ReadEverySensor(CInstrument& instrument, const CFrameData& frame) {
  for (int i = 0; i < instrument.GetSensorCount(); ++i) {
    CSensor* sensor = instrument.GetSensor(i);
    if (sensor == nullptr) fuzz::Fail("a listed sensor is missing", std::to_string(i));
    double value = 0.0;
    std::string text;
    if (sensor->IsUnsignedKind()) {
      std::uint32_t raw = 0;
      if (sensor->ExtractUnsigned(&raw, &frame) == 0) {
        sensor->ApplyFit(&value, raw);
        sensor->FormatTimeFit(&text, raw);
      }
    } else if (sensor->IsSignedKind()) {
      std::int32_t raw = 0;
      if (sensor->ExtractSigned(&raw, &frame) == 0) {
        sensor->ApplyFit(&value, raw);
        sensor->FormatTimeFit(&text, raw);
      }
    } else if (sensor->IsRealKind()) {
      double raw = 0.0;
      if (sensor->ExtractReal(&raw, &frame) == 0) {
        sensor->ApplyFit(&value, raw);
        sensor->FormatTimeFit(&text, raw);
      }
    } else {
      sensor->ExtractString(&text, &frame);
    }
    sensor->ReadIntegrationTime(&frame);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzz::Scratch::Get().Write("instrument.cal", data, size);
  CInstrument instrument;
  const int result = instrument.LoadInstrumentFile(path);
  if (instrument.GetLoadReport().empty()) fuzz::Fail("a load without a report");
  // The same file read again tells the same: a report or layout that
  // differs betrays a value read before it was set.
  CInstrument again;
  if (again.LoadInstrumentFile(path) != result || again.GetLoadReport() != instrument.GetLoadReport() ||
      again.GetFrameSize() != instrument.GetFrameSize() || again.GetHeader() != instrument.GetHeader())
    fuzz::Fail("two loads of one file differ");
  if (result != 0) return 0;
  if (instrument.FindSensor("FRAME", -1) >= instrument.GetSensorCount())
    fuzz::Fail("FindSensor past the sensor list");
  ReadEverySensor(instrument, FrameFor(instrument, data, size));
  return 0;
}

#include "tests/core/conversion/ConversionTestSupport.h"

namespace conversion_test {

InstrumentDoc::InstrumentDoc(const std::string& definition) {
  instrument_.LoadInstrumentFile(folder_.Write("instrument.cal", definition));
}

int InstrumentDoc::FindSensor(int, const char* type, int after) { return instrument_.FindSensor(type, after); }

CSensor* InstrumentDoc::GetSensor(int, int sensor) { return instrument_.GetSensor(sensor); }

int InstrumentDoc::GetInstrumentSensorCount(int) { return instrument_.GetSensorCount(); }

std::uint32_t InstrumentDoc::GetBytesDiscarded(std::uint32_t& count, int) {
  count = discarded;
  return 0;
}

std::uint32_t InstrumentDoc::ResetBytesDiscarded(int) {
  discarded = 0;
  return 0;
}

std::uint32_t InstrumentDoc::TakeBytesDiscarded(std::uint32_t& count, int) {
  count = discarded;
  discarded = 0;
  return 0;
}

std::unique_ptr<CFrameData> MakeFrame(const std::string& bytes, int number, const std::string& terminator) {
  CFrameInfo info;
  info.m_nFrameNumber = number;
  info.m_nFixedFrameSize = static_cast<int>(bytes.size());
  info.m_strTerminator = terminator;
  return std::make_unique<CFrameData>(CFrameData::Bytes(bytes.begin(), bytes.end()), info);
}

CSensorFormat Format(int double_type, int fit, int hex, int width, int precision) {
  CSensorFormat f;
  f.m_nDoubleType = double_type;
  f.m_nApplyFit = fit;
  f.m_nHexFormat = hex;
  f.m_nWidth = width;
  f.m_nPrecision = precision;
  return f;
}

}  // namespace conversion_test

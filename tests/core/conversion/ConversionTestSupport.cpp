#include "tests/core/conversion/ConversionTestSupport.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace conversion_test {

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "briven-conversion-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::Write(const std::string& name, const std::string& bytes) const {
  const std::string path = Path(name);
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  return path;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

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

std::unique_ptr<CFrameData> MakeFrame(const std::string& bytes, int number, const std::string& terminator) {
  CFrameInfo info;
  info.m_nFrameNumber = number;
  info.m_nFixedFrameSize = static_cast<int>(bytes.size());
  info.m_strTerminator = terminator;
  return std::make_unique<CFrameData>(CFrameData::Bytes(bytes.begin(), bytes.end()), info);
}

}  // namespace conversion_test

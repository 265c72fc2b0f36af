#include "TestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace instrument_test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  std::string pattern = (fs::temp_directory_path() / "briven-instrument-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ec;
  fs::permissions(path_, fs::perms::owner_all, ec);
  fs::remove_all(path_, ec);
}

std::string TempFolder::Path(const std::string& name) const {
  std::string path = path_;
  path.push_back('/');
  path.append(name);
  return path;
}

std::string TempFolder::Write(const std::string& name, const std::string& bytes) const {
  const std::string path = Path(name);
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

CFrameData MakeFrame(const std::string& bytes, const std::string& header, int fixed_size,
                     const std::string& terminator) {
  CFrameInfo info;
  info.m_strHeader = header;
  info.m_strTerminator = terminator;
  info.m_nFixedFrameSize = fixed_size < 0 ? static_cast<int>(bytes.size()) : fixed_size;
  return CFrameData(CFrameData::Bytes(bytes.begin(), bytes.end()), info);
}

SensorDefinition Definition(int data_type, unsigned offset, unsigned length, int fit) {
  SensorDefinition def;
  def.type.push_back('T');  // (a literal assignment trips a false g++ 12 -Wrestrict)
  def.data_type = data_type;
  def.fit_type = fit;
  def.offset = offset;
  def.field_length = length;
  return def;
}

}  // namespace instrument_test

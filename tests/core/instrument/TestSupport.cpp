#include "TestSupport.h"

namespace instrument_test {

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

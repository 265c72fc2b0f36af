#include "core/telemetry/Hs2Frame.h"

#include <cstdlib>
#include <cstring>

namespace telemetry {

namespace {

// strtoul base 16 over exactly `digits` characters: a field that is not all
// hexadecimal gives the value of its leading digits, as strtoul would.
unsigned long ReadHexField(const std::uint8_t* text, std::size_t digits) {
  char field[9] = {};
  std::memcpy(field, text, digits);
  return std::strtoul(field, nullptr, 16);
}

class Hs2Writer {
 public:
  Hs2Writer(const std::uint8_t* record, std::uint8_t* out) : in_(record), out_(out) {}

  void Skip(std::size_t count) { in_ += count; }
  // `digits` characters become `digits` / 2 bytes (one byte for one digit).
  void Field(std::size_t digits) {
    const unsigned long value = ReadHexField(in_, digits);
    in_ += digits;
    const std::size_t bytes = digits == 1 ? 1 : digits / 2;
    for (std::size_t b = bytes; b-- > 0;) *out_++ = static_cast<std::uint8_t>(value >> (8 * b));
  }
  void Put(std::uint8_t byte) { *out_++ = byte; }

 private:
  const std::uint8_t* in_;
  std::uint8_t* out_;
};

}  // namespace

void BuildHs2FrameBytes(const std::uint8_t* record, std::size_t header_length,
                        std::vector<std::uint8_t>& frame) {
  Hs2Writer writer(record, frame.data() + header_length);
  writer.Skip(2);  // "*D", found by the search
  writer.Field(8);
  for (int i = 0; i < 8; ++i) writer.Field(4);
  for (int i = 0; i < 8; ++i) writer.Field(1);
  writer.Field(4);
  writer.Field(2);
  writer.Field(2);
  writer.Put('\r');
  writer.Put('\n');
  writer.Put(0);
}

}  // namespace telemetry

#include "core/telemetry/BsiFrame.h"

#include <cctype>
#include <cstring>

namespace telemetry {

std::size_t BsiRecordLength(const std::uint8_t* sync_bytes, std::size_t sync_count) {
  std::size_t length = 0;
  for (std::size_t i = 1; i < sync_count; i += 2) length += sync_bytes[i] * 2u + 3u;
  return length;
}

double BsiSampleValue(std::uint16_t word) {
  int sample = word & 0x1FFF;
  if (sample & 0x1000) sample -= 0x2000;
  switch (word & 0x6000) {
    case 0x0000: return sample * 0.00244140625;
    case 0x2000: return sample * 0.000152587890625;
    case 0x4000: return sample * 9.5367431640625e-06;
    default: return 0.0;
  }
}

namespace {

void PutBigEndianFloat(float value, std::uint8_t* out) {
  std::uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  out[0] = static_cast<std::uint8_t>(bits >> 24);
  out[1] = static_cast<std::uint8_t>(bits >> 16);
  out[2] = static_cast<std::uint8_t>(bits >> 8);
  out[3] = static_cast<std::uint8_t>(bits);
}

}  // namespace

void BuildBsiFrameBytes(const std::uint8_t* record, const std::uint8_t* sync_bytes,
                        std::size_t sync_count, std::size_t header_length,
                        std::vector<std::uint8_t>& frame) {
  const std::size_t size = frame.size();
  std::size_t out = header_length;
  std::size_t in = 0;
  for (std::size_t pair = 1; pair < sync_count; pair += 2) {
    in += 2;  // the array's synchronisation bytes
    for (unsigned n = 0; n < sync_bytes[pair]; ++n) {
      const auto word = static_cast<std::uint16_t>((record[in] << 8) | record[in + 1]);
      in += 2;
      if (size >= out + 6) {
        PutBigEndianFloat(static_cast<float>(BsiSampleValue(word)), frame.data() + out);
        out += 4;
      }
    }
    in += 1;  // the check sum, tested by the search
  }
  while (size > out + 2) frame[out++] = 0;
  // A frame too short for the line end keeps only the part that fits.
  if (out < size) frame[out++] = '\r';
  if (out < size) frame[out] = '\n';
}

std::size_t BsiChecksumPosition(const std::uint8_t* sync_bytes) { return sync_bytes[1] * 2u + 2u; }

bool BsiChecksumMatches(const std::uint8_t* data, std::size_t checksum_position) {
  std::uint8_t sum = 0;
  for (std::size_t i = 0; i < checksum_position; ++i) sum = static_cast<std::uint8_t>(sum + data[i]);
  return sum == data[checksum_position];
}

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (lower >= 'a' && lower <= 'f') return lower - 'a' + 10;
  return -1;
}

}  // namespace

std::size_t ParseBsiSyncBytes(const std::string& units, std::uint8_t* out, std::size_t capacity) {
  std::size_t count = 0;
  bool escapes_broken = false;
  for (std::size_t i = 0; i < units.size() && count < capacity; ++i) {
    if (units[i] == '\\' && i + 1 < units.size() && units[i + 1] == 'x') {
      const int high = i + 2 < units.size() ? HexDigit(units[i + 2]) : -1;
      const int low = i + 3 < units.size() ? HexDigit(units[i + 3]) : -1;
      if (high < 0 || low < 0) escapes_broken = true;
      if (!escapes_broken) out[count++] = static_cast<std::uint8_t>(high * 16 + low);
      i += 3;  // the escape and its two characters, used or dropped
      continue;
    }
    out[count++] = static_cast<std::uint8_t>(units[i]);
  }
  return count;
}

}  // namespace telemetry

#include "core/instrument/FieldDecoding.h"

#include <bit>
#include <cmath>

#include "core/instrument/HexEscape.h"
#include "core/instrument/NumberParse.h"
#include "core/instrument/ResultCodes.h"

namespace instrument {

std::uint32_t DecodeBigEndian(const std::uint8_t* bytes, std::size_t length) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < length; ++i) value = (value << 8) | bytes[i];
  return value;
}

std::uint32_t DecodeLittleEndian(const std::uint8_t* bytes, std::size_t length) {
  std::uint32_t value = 0;
  for (std::size_t i = length; i > 0; --i) value = (value << 8) | bytes[i - 1];
  return value;
}

std::int32_t SignExtend(std::uint32_t value, std::size_t length) {
  if (length == 0 || length >= 4) return static_cast<std::int32_t>(value);
  const unsigned bits = static_cast<unsigned>(length) * 8;
  const std::uint32_t sign = 1u << (bits - 1);
  if ((value & sign) != 0) value |= ~0u << bits;
  return static_cast<std::int32_t>(value);
}

double DecodeSingle(const std::uint8_t* bytes) {
  return static_cast<double>(std::bit_cast<float>(DecodeBigEndian(bytes, 4)));
}

double DecodeDouble(const std::uint8_t* bytes) {
  const std::uint64_t high = DecodeBigEndian(bytes, 4);
  const std::uint64_t low = DecodeBigEndian(bytes + 4, 4);
  return std::bit_cast<double>((high << 32) | low);
}

bool DecodeHexDigits(std::string_view digits, std::uint32_t& value) {
  value = 0;
  if (digits.empty()) return false;
  for (char c : digits) {
    const int digit = HexDigitValue(c);
    if (digit < 0) {
      value = 0;
      return false;
    }
    value = value * 16 + static_cast<std::uint32_t>(digit);
  }
  return true;
}

bool DecodeSignMagnitudeHex(std::string_view digits, std::int32_t& value) {
  value = 0;
  std::uint32_t image = 0;
  if (!DecodeHexDigits(digits, image)) return false;
  // Beyond eight digits only the last eight fit; the sign digit is then the
  // first of those.
  const std::size_t kept = digits.size() < 8 ? digits.size() : 8;
  const unsigned shift = static_cast<unsigned>(kept - 1) * 4;
  const bool negative = ((image >> shift) & 4u) != 0;
  const std::uint32_t magnitude = image & ((std::uint32_t{4} << shift) - 1);
  value = negative ? -static_cast<std::int32_t>(magnitude) : static_cast<std::int32_t>(magnitude);
  return true;
}

std::string FixedAsciiText(const std::uint8_t* bytes, std::size_t length) {
  std::string text;
  text.reserve(length);
  for (std::size_t i = 0; i < length; ++i) {
    const std::uint8_t b = bytes[i];
    if (b >= 128) continue;
    if (b == 0) {
      if (text.empty()) continue;
      break;
    }
    text.push_back(static_cast<char>(b));
  }
  return text;
}

int ParseAsciiUnsigned(std::string_view text, std::uint32_t& value) {
  if (ParseUnsigned32(text, value) == 0 || value == kUnsigned32Max) {
    value = 0;
    return kValueNotANumber;
  }
  return kResultOk;
}

int ParseAsciiSigned(std::string_view text, std::int32_t& value) {
  if (ParseSigned32(text, value) == 0 || value == kSigned32Max || value == kSigned32Min) {
    value = 0;
    return kValueNotANumber;
  }
  return kResultOk;
}

int ParseAsciiReal(std::string_view text, double& value) {
  if (ParseReal(text, value) == 0) {
    value = 0.0;
    return kValueNotANumber;
  }
  return std::isfinite(value) ? kResultOk : kValueNotFinite;
}

}  // namespace instrument

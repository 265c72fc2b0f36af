// Decoding of one field's bytes or text into a raw value, by encoding.
// The sensor readers choose the decoder; these functions only see bytes.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace instrument {

// Binary integers of any length keep their low 32 bits; signed ones are
// sign-extended from the top bit of their most significant byte. Inline,
// with the other decoders of a fixed field: a conversion runs them for
// every value of every frame.
inline std::uint32_t DecodeBigEndian(const std::uint8_t* bytes, std::size_t length) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < length; ++i) value = (value << 8) | bytes[i];
  return value;
}

inline std::uint32_t DecodeLittleEndian(const std::uint8_t* bytes, std::size_t length) {
  std::uint32_t value = 0;
  for (std::size_t i = length; i > 0; --i) value = (value << 8) | bytes[i - 1];
  return value;
}

inline std::int32_t SignExtend(std::uint32_t value, std::size_t length) {
  if (length == 0 || length >= 4) return static_cast<std::int32_t>(value);
  const unsigned bits = static_cast<unsigned>(length) * 8;
  const std::uint32_t sign = 1u << (bits - 1);
  if ((value & sign) != 0) value |= ~0u << bits;
  return static_cast<std::int32_t>(value);
}

// IEEE 754 values stored most significant byte first.
inline double DecodeSingle(const std::uint8_t* bytes) {
  return static_cast<double>(std::bit_cast<float>(DecodeBigEndian(bytes, 4)));
}

inline double DecodeDouble(const std::uint8_t* bytes) {
  const std::uint64_t high = DecodeBigEndian(bytes, 4);
  const std::uint64_t low = DecodeBigEndian(bytes + 4, 4);
  return std::bit_cast<double>((high << 32) | low);
}

// Hexadecimal digits, most significant first; FALSE when a character is not
// a digit or there is none.
inline bool DecodeHexDigits(std::string_view digits, std::uint32_t& value) {
  value = 0;
  if (digits.empty()) return false;
  for (const char c : digits) {
    std::uint32_t digit = 0;
    if (c >= '0' && c <= '9') digit = static_cast<std::uint32_t>(c - '0');
    else if (c >= 'A' && c <= 'F') digit = static_cast<std::uint32_t>(c - 'A' + 10);
    else if (c >= 'a' && c <= 'f') digit = static_cast<std::uint32_t>(c - 'a' + 10);
    else {
      value = 0;
      return false;
    }
    value = value * 16 + digit;
  }
  return true;
}

// Sign-and-magnitude hexadecimal: the first digit's bit of value 4 is the
// sign, its two low bits and the other digits the magnitude.
bool DecodeSignMagnitudeHex(std::string_view digits, std::int32_t& value);

// The text of a fixed ASCII field: bytes of 128 and above are skipped, zero
// bytes before the first character too, and a zero byte after one ends it.
std::string FixedAsciiText(const std::uint8_t* bytes, std::size_t length);

// ASCII numbers, returning 0 or a value result code. Leading blanks and text
// after the number are accepted; no number, or a value the 32-bit library
// reports as its overflow limit, is an error.
int ParseAsciiUnsigned(std::string_view text, std::uint32_t& value);
int ParseAsciiSigned(std::string_view text, std::int32_t& value);
int ParseAsciiReal(std::string_view text, double& value);

}  // namespace instrument

// Decoding of one field's bytes or text into a raw value, by encoding.
// The sensor readers choose the decoder; these functions only see bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace instrument {

// Binary integers of any length keep their low 32 bits; signed ones are
// sign-extended from the top bit of their most significant byte.
std::uint32_t DecodeBigEndian(const std::uint8_t* bytes, std::size_t length);
std::uint32_t DecodeLittleEndian(const std::uint8_t* bytes, std::size_t length);
std::int32_t SignExtend(std::uint32_t value, std::size_t length);
// IEEE 754 values stored most significant byte first.
double DecodeSingle(const std::uint8_t* bytes);
double DecodeDouble(const std::uint8_t* bytes);

// Hexadecimal digits, most significant first; FALSE when a character is not
// a digit or there is none.
bool DecodeHexDigits(std::string_view digits, std::uint32_t& value);
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

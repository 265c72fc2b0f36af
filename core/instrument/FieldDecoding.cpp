#include "core/instrument/FieldDecoding.h"

#include <cmath>

#include "core/instrument/NumberParse.h"
#include "core/instrument/ResultCodes.h"

namespace instrument {

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

#include "core/telemetry/TelemetryDocNumberText.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace telemetry {

namespace {

constexpr int kDefaultPrecision = 6;

void AppendPadded(std::string& out, const char* text, std::size_t length, int width, char fill) {
  if (width > 0 && static_cast<std::size_t>(width) > length) out.append(static_cast<std::size_t>(width) - length, fill);
  out.append(text, length);
}

}  // namespace

void AppendPaddedText(std::string& out, const char* text, std::size_t length, int width) {
  AppendPadded(out, text, length, width, ' ');
}

void AppendUnsignedText(std::string& out, std::uint32_t value, int width) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  AppendPadded(out, digits, static_cast<std::size_t>(end - digits), width, ' ');
}

void AppendSignedText(std::string& out, std::int32_t value, int width) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  AppendPadded(out, digits, static_cast<std::size_t>(end - digits), width, ' ');
}

void AppendHexText(std::string& out, std::uint32_t value, int width) {
  char digits[16];
  char* end = std::to_chars(digits, digits + sizeof digits, value, 16).ptr;
  for (char* p = digits; p != end; ++p)
    if (*p >= 'a' && *p <= 'f') *p = static_cast<char>(*p - 'a' + 'A');
  AppendPadded(out, digits, static_cast<std::size_t>(end - digits), width, '0');
}

bool AppendFixedOrExponentText(std::string& out, double value, bool exponent, int width, int precision) {
  if (!std::isfinite(value)) return false;
  if (precision < 0) precision = kDefaultPrecision;
  // Very long texts (huge values in fixed form, huge precisions) are rare;
  // printf handles them.
  char text[160];
  const std::chars_format form = exponent ? std::chars_format::scientific : std::chars_format::fixed;
  const std::to_chars_result r = std::to_chars(text, text + sizeof text - 2, value, form, precision);
  if (r.ec != std::errc()) return false;
  std::size_t length = static_cast<std::size_t>(r.ptr - text);
  if (precision == 0) {
    // The "#" flag: the point stays even without digits after it.
    char* at = exponent ? static_cast<char*>(std::memchr(text, 'e', length)) : text + length;
    if (at == nullptr) return false;
    std::memmove(at + 1, at, static_cast<std::size_t>(text + length - at));
    *at = '.';
    ++length;
  }
  AppendPadded(out, text, length, width, ' ');
  return true;
}

}  // namespace telemetry

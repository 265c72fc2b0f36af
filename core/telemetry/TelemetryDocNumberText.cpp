#include "core/telemetry/TelemetryDocNumberText.h"

#include <charconv>

namespace telemetry {

namespace {

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

}  // namespace telemetry

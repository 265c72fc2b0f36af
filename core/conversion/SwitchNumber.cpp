#include "core/conversion/SwitchNumber.h"

#include <cstdint>
#include <limits>

namespace {

// White space as the C locale knows it; the user's locale must not change
// what a command line means.
bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

namespace conversion {

SwitchNumberResult ParseSwitchNumber(std::string_view text, int lowest, int highest, int& value) {
  std::size_t at = 0;
  while (at < text.size() && IsCSpace(text[at])) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  if (at == text.size() || !IsDigit(text[at])) return SwitchNumberResult::kNoDigits;

  // Accumulate in 64 bits and stop as soon as the magnitude leaves the
  // 32-bit range: that is an overflow, whatever digits follow.
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (; at < text.size() && IsDigit(text[at]); ++at) {
    magnitude = magnitude * 10 + (text[at] - '0');
    if (magnitude > kLimit) return SwitchNumberResult::kOutOfRange;
  }
  while (at < text.size() && IsCSpace(text[at])) ++at;
  if (at < text.size()) return SwitchNumberResult::kTrailingText;
  const std::int64_t number = negative ? -magnitude : magnitude;
  if (number > std::numeric_limits<std::int32_t>::max()) return SwitchNumberResult::kOutOfRange;
  if (number < lowest || number > highest) return SwitchNumberResult::kOutOfRange;
  value = static_cast<int>(number);
  return SwitchNumberResult::kAccepted;
}

}  // namespace conversion

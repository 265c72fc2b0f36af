#include "platform/sys/NumberFormat.h"

#include <charconv>
#include <cstddef>

namespace sys {
namespace {

// Enough for the 20 digits of the largest unsigned long and a sign.
constexpr std::size_t kDigitsSize = 24;

// The field width printf takes from "*": its magnitude, and which side the
// padding goes. Computed in a wide type so that INT_MIN does not overflow.
struct FieldWidth {
  explicit FieldWidth(int width)
      : size(width < 0 ? static_cast<std::size_t>(-static_cast<long long>(width)) : static_cast<std::size_t>(width)),
        left_aligned(width < 0) {}
  std::size_t size;
  bool left_aligned;
};

std::size_t PaddingFor(const FieldWidth& field, std::size_t length) {
  return field.size > length ? field.size - length : 0;
}

// Zeros go between the sign and the digits, as printf puts them; a
// left-aligned field pads with spaces after the text instead.
void AppendZeroFilled(std::string& out, const char* digits, std::size_t length, int width) {
  const FieldWidth field(width);
  if (field.left_aligned) {
    AppendPadded(out, std::string_view(digits, length), width);
    return;
  }
  out.append(PaddingFor(field, length), '0');
  out.append(digits, length);
}

std::size_t WriteUpperHex(char* digits, unsigned long value) {
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  char reversed[kDigitsSize];
  std::size_t count = 0;
  do {
    reversed[count++] = kHexDigits[value & 0xF];
    value >>= 4;
  } while (value != 0);
  for (std::size_t i = 0; i < count; ++i) digits[i] = reversed[count - 1 - i];
  return count;
}

template <typename Integer>
std::size_t WriteDecimal(char* digits, Integer value) {
  return static_cast<std::size_t>(std::to_chars(digits, digits + kDigitsSize, value).ptr - digits);
}

}  // namespace

void AppendPadded(std::string& out, std::string_view text, int width) {
  const FieldWidth field(width);
  const std::size_t padding = PaddingFor(field, text.size());
  if (!field.left_aligned) out.append(padding, ' ');
  out.append(text);
  if (field.left_aligned) out.append(padding, ' ');
}

void AppendUnsigned(std::string& out, unsigned long value, int width) {
  char digits[kDigitsSize];
  AppendPadded(out, std::string_view(digits, WriteDecimal(digits, value)), width);
}

void AppendUnsignedZeroFilled(std::string& out, unsigned long value, int width) {
  char digits[kDigitsSize];
  AppendZeroFilled(out, digits, WriteDecimal(digits, value), width);
}

void AppendSigned(std::string& out, long value, int width) {
  char digits[kDigitsSize];
  AppendPadded(out, std::string_view(digits, WriteDecimal(digits, value)), width);
}

void AppendHex(std::string& out, unsigned long value, int width) {
  char digits[kDigitsSize];
  AppendPadded(out, std::string_view(digits, WriteUpperHex(digits, value)), width);
}

void AppendHexZeroFilled(std::string& out, unsigned long value, int width) {
  char digits[kDigitsSize];
  AppendZeroFilled(out, digits, WriteUpperHex(digits, value), width);
}

}  // namespace sys

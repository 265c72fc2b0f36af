#include "core/instrument/NumberParse.h"

#include <charconv>
#include <cstdint>
#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace instrument {
namespace {

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
// The digit's value; above 9 for any other character (one test, not two).
unsigned DigitValue(char c) { return static_cast<unsigned>(static_cast<unsigned char>(c)) - '0'; }

struct SignedDigits {
  std::size_t consumed = 0;  // 0: no digits
  bool negative = false;
  bool overflow = false;     // beyond 2^32 - 1
  std::uint32_t magnitude = 0;
};

// The part strtoul and strtol share: blanks, a sign, decimal digits.
SignedDigits ScanDecimal(std::string_view text) {
  SignedDigits out;
  std::size_t i = 0;
  while (i < text.size() && IsCSpace(text[i])) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    out.negative = text[i] == '-';
    ++i;
  }
  const std::size_t first_digit = i;
  std::uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const unsigned digit = DigitValue(text[i]);
    if (digit > 9) break;
    magnitude = magnitude * 10 + digit;
    if (magnitude > kUnsigned32Max) {
      out.overflow = true;
      magnitude = kUnsigned32Max;
    }
  }
  if (i == first_digit) return SignedDigits{};
  out.consumed = i;
  out.magnitude = static_cast<std::uint32_t>(magnitude);
  return out;
}

locale_t CLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return c;
}

}  // namespace

std::size_t ParseUnsigned32(std::string_view text, std::uint32_t& value) {
  const SignedDigits scan = ScanDecimal(text);
  if (scan.consumed == 0) {
    value = 0;
  } else if (scan.overflow) {
    value = kUnsigned32Max;
  } else {
    value = scan.negative ? 0u - scan.magnitude : scan.magnitude;
  }
  return scan.consumed;
}

std::size_t ParseSigned32(std::string_view text, std::int32_t& value) {
  const SignedDigits scan = ScanDecimal(text);
  if (scan.consumed == 0) {
    value = 0;
  } else if (scan.negative) {
    value = scan.overflow || scan.magnitude > 0x80000000u ? kSigned32Min
                                                          : static_cast<std::int32_t>(0u - scan.magnitude);
  } else {
    value = scan.overflow || scan.magnitude > 0x7FFFFFFFu ? kSigned32Max
                                                          : static_cast<std::int32_t>(scan.magnitude);
  }
  return scan.consumed;
}

namespace {

// The powers of ten a double holds exactly, enough for kShortDigits.
constexpr double kExactPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
// Fifteen decimal digits always fit the 53 bits of a double's mantissa.
constexpr std::ptrdiff_t kShortDigits = 15;

const char* SkipDigits(const char* p, const char* last, std::uint64_t& digits) {
  for (; p != last; ++p) {
    const unsigned digit = DigitValue(*p);
    if (digit > 9) break;
    digits = digits * 10 + digit;
  }
  return p;
}

// The usual field, a short decimal without exponent ("-12.345"), read with
// one division: digits and power are exact doubles, so the quotient is
// the correctly rounded value, the very double from_chars gives. p is past
// any "+" and, like from_chars, sees one "-" at most. Returns the end of
// the number, or null when the text needs the full reader (an exponent,
// more digits).
const char* ParseShortDecimal(const char* p, const char* last, double& value) {
  const bool negative = *p == '-';
  if (negative) ++p;
  std::uint64_t digits = 0;
  const char* const first_digit = p;
  p = SkipDigits(p, last, digits);
  std::ptrdiff_t count = p - first_digit;
  std::ptrdiff_t decimals = 0;
  if (p != last && *p == '.') {
    const char* const first_decimal = ++p;
    p = SkipDigits(p, last, digits);
    decimals = p - first_decimal;
    count += decimals;
  }
  if (count > kShortDigits || (p != last && (*p == 'e' || *p == 'E'))) return nullptr;
  // Below 10^15: converted as a signed number, in one instruction.
  const double magnitude = static_cast<double>(static_cast<std::int64_t>(digits)) / kExactPowersOfTen[decimals];
  value = negative ? -magnitude : magnitude;
  return p;
}

// Plain decimal texts ([+-] digits [. digits] [e [+-] digits]), nearly
// every real field, are read by from_chars: it rounds as strtod does and
// needs no terminated copy. A text it could read differently (leading
// spaces, "+" before a sign, hexadecimal, infinities, NaN, out of range)
// is left to strtod. Returns 0 when left.
std::size_t ParsePlainDecimal(std::string_view text, double& value) {
  const char* const first = text.data();
  const char* const last = first + text.size();
  const char* p = first;
  if (p != last && *p == '+') ++p;  // from_chars takes no "+"
  const char* digits = p != last && *p == '-' ? p + 1 : p;
  const bool starts_number =
      digits != last && (IsDigit(*digits) || (*digits == '.' && digits + 1 != last && IsDigit(digits[1])));
  if (!starts_number) return 0;
  if (*p == '-' && p != first) return 0;  // "+-" is no number for strtod
  if (digits + 1 != last && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) return 0;
  double parsed = 0.0;
  if (const char* end = ParseShortDecimal(p, last, parsed); end != nullptr) {
    value = parsed;
    return static_cast<std::size_t>(end - first);
  }
  const std::from_chars_result r = std::from_chars(p, last, parsed, std::chars_format::general);
  if (r.ec != std::errc()) return 0;
  value = parsed;
  return static_cast<std::size_t>(r.ptr - first);
}

}  // namespace

std::size_t ParseReal(std::string_view text, double& value) {
  if (const std::size_t consumed = ParsePlainDecimal(text, value); consumed != 0) return consumed;
  // strtod needs a terminated string; field texts are short.
  const std::string copy(text);
  char* end = nullptr;
  value = strtod_l(copy.c_str(), &end, CLocale());
  return static_cast<std::size_t>(end - copy.c_str());
}

bool ParseWholeUnsigned32(std::string_view token, std::uint32_t& value) {
  return !token.empty() && ParseUnsigned32(token, value) == token.size();
}

bool ParseWholeDecimalReal(std::string_view token, double& value) {
  if (token.empty()) return false;
  for (char c : token) {
    if (!IsDigit(c) && c != '+' && c != '-' && c != '.' && c != 'e' && c != 'E') return false;
  }
  return ParseReal(token, value) == token.size();
}

}  // namespace instrument

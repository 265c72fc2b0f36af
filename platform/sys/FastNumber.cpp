#include "platform/sys/FastNumber.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <string_view>

#include "platform/sys/FastNumberFixedPoint.h"
#include "platform/sys/Format.h"
#include "platform/sys/NumberFormat.h"

// std::to_chars with a precision rounds the exact binary value half to even,
// as glibc's printf does in its default rounding mode (the program never
// changes it), and writes the same exponent form ("e+05", at least two
// digits). What printf adds on top, the "#" point and the spellings of
// infinities and NaN, is added here.
namespace sys {
namespace {

constexpr int kDefaultPrecision = 6;
// Beyond this precision the text goes through snprintf: no real program
// asks for it, and it keeps the stack buffer bounded.
constexpr int kMaxFastPrecision = 120;
// Sign, the 309 integer digits of DBL_MAX, the point, the fraction digits,
// and room for the point that "#" inserts.
constexpr std::size_t kTextSize = 1 + 309 + 1 + kMaxFastPrecision + 1;

class FloatText {
 public:
  std::string_view View() const { return std::string_view(text_, length_); }

  bool Write(double value, std::chars_format form, int precision) {
    const std::to_chars_result r = std::to_chars(text_, text_ + kTextSize - 1, value, form, precision);
    if (r.ec != std::errc()) return false;
    length_ = static_cast<std::size_t>(r.ptr - text_);
    return true;
  }

  bool WriteFixed(double value, int precision) {
    length_ = WriteFixedPoint(text_, kTextSize - 1, value, precision);
    return length_ != 0 || Write(value, std::chars_format::fixed, precision);
  }

  // printf spells them in lower case, with the sign bit shown for NaN too.
  void WriteNonFinite(double value) {
    const char* word = std::isnan(value) ? "nan" : "inf";
    length_ = 0;
    if (std::signbit(value)) text_[length_++] = '-';
    std::memcpy(text_ + length_, word, 3);
    length_ += 3;
  }

  // The "#" flag keeps the point when no digit follows it: at the end of a
  // fixed text, before the "e" of an exponent text.
  void InsertPoint() {
    char* at = static_cast<char*>(std::memchr(text_, 'e', length_));
    if (at == nullptr) at = text_ + length_;
    std::memmove(at + 1, at, static_cast<std::size_t>(text_ + length_ - at));
    *at = '.';
    ++length_;
  }

 private:
  char text_[kTextSize];
  std::size_t length_ = 0;
};

bool WriteFixed(FloatText& text, double value, int precision, bool alternate) {
  if (!text.WriteFixed(value, precision)) return false;
  if (alternate && precision == 0) text.InsertPoint();
  return true;
}

bool WriteExponent(FloatText& text, double value, int precision, bool alternate) {
  if (!text.Write(value, std::chars_format::scientific, precision)) return false;
  if (alternate && precision == 0) text.InsertPoint();
  return true;
}

bool WriteFinite(FloatText& text, double value, const FloatFormat& format, int precision) {
  switch (format.style) {
    case FloatStyle::kFixed:
      return WriteFixed(text, value, precision, format.alternate);
    case FloatStyle::kExponent:
      return WriteExponent(text, value, precision, format.alternate);
    case FloatStyle::kGeneral:
      // Left to printf: glibc's "%#g" drops a zero where rounding carries
      // into a new digit ("%#.2g" of 99.5 is "1.e+02"), which no to_chars
      // form reproduces.
      return false;
  }
  return false;
}

// The forms come from this fixed table, so the format is never data.
void AppendWithPrintf(std::string& out, double value, const FloatFormat& format) {
  static const char* const kForms[3][2] = {
      {"%*.*f", "%#*.*f"}, {"%*.*e", "%#*.*e"}, {"%*.*g", "%#*.*g"}};
  const char* form = kForms[static_cast<int>(format.style)][format.alternate ? 1 : 0];
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  AppendFormat(out, form, format.width, format.precision, value);
#pragma GCC diagnostic pop
}

// The form of nearly every value of a conversion's rows: fixed digits
// after the point and no width, written straight behind out's text.
bool AppendPlainFixed(std::string& out, double value, int precision) {
  char digits[48];
  const std::size_t length = WriteFixedPoint(digits, sizeof digits, value, precision);
  if (length == 0) return false;
  out.append(digits, length);
  return true;
}

}  // namespace

void AppendFloat(std::string& out, double value, const FloatFormat& format) {
  const int precision = format.precision < 0 ? kDefaultPrecision : format.precision;
  // With a digit after the point "#" changes nothing.
  if (format.style == FloatStyle::kFixed && format.width == 0 && precision > 0 &&
      AppendPlainFixed(out, value, precision))
    return;
  FloatText text;
  if (!std::isfinite(value)) {
    text.WriteNonFinite(value);
  } else if (precision > kMaxFastPrecision || !WriteFinite(text, value, format, precision)) {
    AppendWithPrintf(out, value, format);
    return;
  }
  AppendPadded(out, text.View(), format.width);
}

void AppendFixed(std::string& out, double value, int precision) {
  FloatFormat format;
  format.precision = precision;
  AppendFloat(out, value, format);
}

}  // namespace sys

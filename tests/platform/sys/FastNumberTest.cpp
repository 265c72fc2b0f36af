// The fast real-number path against snprintf itself: every printf form the
// program prints doubles with, over awkward values and a million random ones.
#include "platform/sys/FastNumber.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "platform/sys/Format.h"

namespace {

using sys::FloatFormat;
using sys::FloatStyle;

// A printf form as the program writes it, and the fast-path format that
// stands for it. The width and precision arguments are given to snprintf
// only when the form has a "*" for them.
struct PrintfForm {
  const char* text;
  FloatStyle style;
  bool alternate;
  bool has_width;
  bool has_precision;
};

// The value forms ("%#" with "f", "e" or "g", with and without width and
// precision), the plain ones, and "%.*f" of AppendFixed.
const PrintfForm kForms[] = {
    {"%#*.*f", FloatStyle::kFixed, true, true, true},       {"%#*f", FloatStyle::kFixed, true, true, false},
    {"%#.*f", FloatStyle::kFixed, true, false, true},       {"%#f", FloatStyle::kFixed, true, false, false},
    {"%#*.*e", FloatStyle::kExponent, true, true, true},    {"%#*e", FloatStyle::kExponent, true, true, false},
    {"%#.*e", FloatStyle::kExponent, true, false, true},    {"%#e", FloatStyle::kExponent, true, false, false},
    {"%#*.*g", FloatStyle::kGeneral, true, true, true},     {"%#*g", FloatStyle::kGeneral, true, true, false},
    {"%#.*g", FloatStyle::kGeneral, true, false, true},     {"%#g", FloatStyle::kGeneral, true, false, false},
    {"%*.*f", FloatStyle::kFixed, false, true, true},       {"%*.*e", FloatStyle::kExponent, false, true, true},
    {"%*.*g", FloatStyle::kGeneral, false, true, true},
};

std::string WithPrintf(const PrintfForm& form, int width, int precision, double value) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  if (form.has_width && form.has_precision) return sys::Format(form.text, width, precision, value);
  if (form.has_width) return sys::Format(form.text, width, value);
  if (form.has_precision) return sys::Format(form.text, precision, value);
  return sys::Format(form.text, value);
#pragma GCC diagnostic pop
}

std::string WithFastPath(const PrintfForm& form, int width, int precision, double value) {
  FloatFormat format;
  format.style = form.style;
  format.alternate = form.alternate;
  format.width = form.has_width ? width : 0;
  format.precision = form.has_precision ? precision : -1;
  std::string out = "<";  // appends, never replaces
  sys::AppendFloat(out, value, format);
  return out.substr(1);
}

double FromBits(std::uint64_t bits) {
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

std::vector<double> AwkwardValues() {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  return {0.0, -0.0, 1.0, -1.0, 0.5, 1.5, 2.5, -2.5, 0.125, 0.375, 1.005, 2.675, 0.05, 9.5, 99.5, 0.95,
          999999.5, 9.9999995, 0.00049999999999999999, 1e-5, 1e-4, 9.9999e-5, 123456.0, 999999.0, 1e6, 1e15,
          1e16, 1e17, 123456789012345678.0, 1e21, 1e22, 1e100, 1e300, -1e300, 1e-300, -1e-300, DBL_MAX,
          -DBL_MAX, DBL_MIN, DBL_TRUE_MIN, -DBL_TRUE_MIN, 4.9406564584124654e-324, 2.2250738585072009e-308,
          12.58244138888889, 0.1, 0.2, 0.3, 1.0 / 3.0, 2.0 / 3.0, M_PI, -M_E, 5e-324, inf, -inf, nan, -nan,
          FromBits(0x7FF0000000000001ull), FromBits(0xFFF8000000000001ull)};
}

// Every form, every precision 0 to 17 and the default, widths around the
// text's length and left-aligned ones.
TEST(FastNumberTest, AwkwardValuesMatchPrintfInEveryForm) {
  for (const double value : AwkwardValues()) {
    for (const PrintfForm& form : kForms) {
      for (int precision = -1; precision <= 17; ++precision) {
        for (const int width : {0, 1, 6, 12, 30, -12}) {
          ASSERT_EQ(WithFastPath(form, width, precision, value), WithPrintf(form, width, precision, value))
              << form.text << " width " << width << " precision " << precision << " value " << value;
          if (!form.has_width) break;
        }
        if (!form.has_precision) break;
      }
    }
  }
}

TEST(FastNumberTest, AppendFixedIsPlainFixed) {
  const struct {
    double value;
    int precision;
    std::string text;
  } kCases[] = {
      {0.125, 2, "0.12"},   {0.375, 2, "0.38"},    {2.5, 0, "2"},          {3.5, 0, "4"},
      {-0.0, 3, "-0.000"},  {-0.0001, 2, "-0.00"}, {1.5, -1, "1.500000"},  {1e300, 0, sys::Format("%.0f", 1e300)},
  };
  for (const auto& c : kCases) {
    std::string out = "x=";
    sys::AppendFixed(out, c.value, c.precision);
    EXPECT_EQ(out, "x=" + c.text) << c.value << " " << c.precision;
  }
  std::string out;
  sys::AppendFixed(out, -std::numeric_limits<double>::quiet_NaN(), 3);
  sys::AppendFixed(out, std::numeric_limits<double>::infinity(), 3);
  EXPECT_EQ(out, "-naninf");
}

// The "#" point where no digit follows it, and glibc's own "%#g" where
// rounding carries into a new digit, which the fast path leaves to printf.
TEST(FastNumberTest, AlternateFormsKeepThePoint) {
  const struct {
    FloatStyle style;
    double value;
    int precision;
    const char* text;
  } kCases[] = {
      {FloatStyle::kFixed, 1.5, 0, "2."},       {FloatStyle::kFixed, 2.5, 0, "2."},
      {FloatStyle::kExponent, 2.5, 0, "2.e+00"}, {FloatStyle::kExponent, 1e300, 0, "1.e+300"},
      {FloatStyle::kFixed, -HUGE_VAL, 0, "-inf"}, {FloatStyle::kGeneral, 99.5, 2, "1.e+02"},
      {FloatStyle::kGeneral, 5.0, 1, "5."},
  };
  for (const auto& c : kCases) {
    std::string out;
    sys::AppendFloat(out, c.value, FloatFormat{c.style, true, 0, c.precision});
    EXPECT_EQ(out, c.text) << c.value << " " << c.precision;
  }
}

// Past the fast path's precision the text comes from printf, so it is still
// the same; the point of the test is that nothing is cut or overrun.
TEST(FastNumberTest, HugePrecisionsFallBackToPrintf) {
  for (const PrintfForm& form : kForms) {
    if (!form.has_precision) continue;
    for (const int precision : {118, 120, 121, 400}) {
      for (const double value : {DBL_MAX, -DBL_TRUE_MIN, 1.0 / 3.0}) {
        EXPECT_EQ(WithFastPath(form, 0, precision, value), WithPrintf(form, 0, precision, value))
            << form.text << " precision " << precision << " value " << value;
      }
    }
  }
}

#if defined(__SANITIZE_ADDRESS__)
constexpr int kRandomValues = 500'000;  // sanitizers slow printf about threefold
#else
constexpr int kRandomValues = 1'000'000;
#endif

struct Sample {
  double value;
  int precision;
};

// Half random bit patterns (every magnitude, subnormals, NaN payloads) at a
// random precision, half random decimals such as 2.675, printed half the
// time with one digit fewer than they have, where the last digit sits on
// or near a halfway point.
Sample RandomSample(std::mt19937_64& random, int index) {
  std::uniform_int_distribution<int> precision_of(-1, 17);
  if (index % 2 == 0) return {FromBits(random()), precision_of(random)};
  std::uniform_int_distribution<std::uint64_t> mantissa(0, 999'999'999'999'999ull);
  std::uniform_int_distribution<int> decimals_of(0, 17);
  const int decimals = decimals_of(random);
  const double value = static_cast<double>(mantissa(random)) / std::pow(10.0, decimals);
  const int precision = (random() & 2) && decimals > 0 ? decimals - 1 : precision_of(random);
  return {(random() & 1) ? -value : value, precision};
}

// Each value goes through one form chosen at random, fixed ones most often
// as conversions print them most, with a random width.
TEST(FastNumberTest, RandomValuesMatchPrintf) {
  std::mt19937_64 random(20261210);
  std::uniform_int_distribution<int> width_of(-20, 20);
  std::uniform_int_distribution<std::size_t> form_of(0, std::size(kForms) + 8);
  int mismatches = 0;
  for (int i = 0; i < kRandomValues && mismatches < 10; ++i) {
    const Sample sample = RandomSample(random, i);
    const std::size_t pick = form_of(random);
    const PrintfForm& form = pick < std::size(kForms) ? kForms[pick] : kForms[pick % 4];
    const int width = width_of(random);
    const std::string fast = WithFastPath(form, width, sample.precision, sample.value);
    const std::string expected = WithPrintf(form, width, sample.precision, sample.value);
    if (fast != expected) {
      ++mismatches;
      ADD_FAILURE() << form.text << " width " << width << " precision " << sample.precision << " value "
                    << std::hexfloat << sample.value << ": " << fast << " != " << expected;
    }
  }
}

}  // namespace

// The exact integer road for "%.*f" against snprintf, on the values it
// takes: exact halfway cases at every precision, random values over its
// whole range, and the edges where it hands over to the general road.
#include "platform/sys/FastNumberFixedPoint.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "platform/sys/Format.h"

namespace {

constexpr std::size_t kCapacity = 64;

// The text, or "(general)" when the value is left to the general road.
std::string Written(double value, int precision) {
  char text[kCapacity];
  const std::size_t length = sys::WriteFixedPoint(text, sizeof text, value, precision);
  return length == 0 ? "(general)" : std::string(text, length);
}

// Only odd / 2^(p+1) is exactly halfway at precision p in binary; both
// neighbours, even and odd, must come out as printf rounds them.
TEST(FastNumberFixedPointTest, ExactHalfwayCasesRoundToEvenAtEveryPrecision) {
  std::mt19937_64 random(5);
  for (int precision = 0; precision <= 19; ++precision) {
    for (int i = 0; i < 2000; ++i) {
      const std::uint64_t odd = (random() >> (11 + random() % 40)) | 1;
      const double value = std::ldexp(static_cast<double>(odd), -(precision + 1)) * ((i & 1) ? -1 : 1);
      const std::string expected = sys::Format("%.*f", precision, value);
      const std::string text = Written(value, precision);
      if (text == "(general)") continue;
      ASSERT_EQ(text, expected) << std::hexfloat << value << " precision " << precision;
    }
  }
}

TEST(FastNumberFixedPointTest, RandomValuesInRangeMatchPrintf) {
  std::mt19937_64 random(53);
  int written = 0;
  constexpr int kValues = 200000;
  for (int i = 0; i < kValues; ++i) {
    const std::uint64_t mantissa = (random() >> 11) | (std::uint64_t{1} << 52);
    const int exponent = -1 - static_cast<int>(random() % 90);
    const double value = std::ldexp(static_cast<double>(mantissa), exponent - 52) * ((i & 1) ? -1 : 1);
    const int precision = static_cast<int>(random() % 20);
    const std::string text = Written(value, precision);
    if (text == "(general)") continue;
    ++written;
    ASSERT_EQ(text, sys::Format("%.*f", precision, value)) << std::hexfloat << value << " precision " << precision;
  }
  EXPECT_GT(written, kValues / 2);  // the road is really taken
}

// Values of the size rows hold, at every precision, written with the
// least room the writer takes and with plenty: the same text as printf,
// and never a byte beyond the room.
TEST(FastNumberFixedPointTest, RowSizedValuesMatchPrintfInTheLeastRoom) {
  std::mt19937_64 random(97);
  constexpr char kGuard = '\x7E';
  for (int i = 0; i < 1000000; ++i) {
    const double magnitude = std::ldexp(1.0, static_cast<int>(random() % 60) - 30);
    const double value = std::ldexp(static_cast<double>(random() >> 11), -53) * magnitude * ((i & 1) ? -1 : 1);
    const int precision = static_cast<int>(random() % 20);
    const std::size_t least = 2 + 19 + 1 + static_cast<std::size_t>(precision);
    char text[kCapacity + 1];
    std::memset(text, kGuard, sizeof text);
    const std::size_t length = sys::WriteFixedPoint(text, least, value, precision);
    ASSERT_EQ(text[least], kGuard) << value << " precision " << precision;
    if (length == 0) continue;
    const std::string expected = sys::Format("%.*f", precision, value);
    ASSERT_EQ(std::string(text, length), expected) << std::hexfloat << value << " precision " << precision;
    ASSERT_EQ(Written(value, precision), expected) << std::hexfloat << value << " precision " << precision;
  }
}

TEST(FastNumberFixedPointTest, HandsOverOutsideItsRange) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double value;
    int precision;
    std::string text;
  } kCases[] = {
      {0.0, 3, "0.000"},
      {-0.0, 0, "-0"},
      {-0.0001, 2, "-0.00"},
      {5e-324, 19, "0.0000000000000000000"},
      {4503599627370495.5, 0, "4503599627370496"},  // the largest with a fraction bit
      {4503599627370496.0, 0, "(general)"},          // 2^52: an integer, no fraction
      {1844674407.371, 10, "(general)"},             // scaled just past 2^64
      {1844674407.0, 10, sys::Format("%.10f", 1844674407.0)},  // scaled just below 2^64
      {0.5, 20, "(general)"},
      {inf, 2, "(general)"},
      {-std::numeric_limits<double>::quiet_NaN(), 2, "(general)"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(Written(c.value, c.precision), c.text) << c.value << " precision " << c.precision;
  }
  char small[8];
  EXPECT_EQ(sys::WriteFixedPoint(small, sizeof small, 1.5, 3), 0u);  // too little room: never overrun
}

}  // namespace

// The per-value number printers against printf itself, over many values.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>

#include "core/telemetry/TelemetryDocNumberText.h"
#include "platform/sys/Format.h"

namespace {

TEST(NumberTextTest, IntegersMatchPrintf) {
  std::mt19937 random(7);
  const std::uint32_t edges[] = {0, 1, 9, 10, 255, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};
  for (int i = 0; i < 2000; ++i) {
    const std::uint32_t u = i < 8 ? edges[i] : random();
    const auto s = static_cast<std::int32_t>(u);
    for (int width : {-1, 0, 1, 3, 12}) {
      std::string out;
      telemetry::AppendUnsignedText(out, u, width);
      EXPECT_EQ(out, width > 0 ? sys::Format("%*lu", width, static_cast<unsigned long>(u))
                               : sys::Format("%lu", static_cast<unsigned long>(u)));
      out.clear();
      telemetry::AppendSignedText(out, s, width);
      EXPECT_EQ(out, width > 0 ? sys::Format("%*ld", width, static_cast<long>(s)) : sys::Format("%ld", static_cast<long>(s)));
      out.clear();
      telemetry::AppendHexText(out, u, width);
      EXPECT_EQ(out, width > 0 ? sys::Format("%0*X", width, u) : sys::Format("%X", u));
    }
  }
}

TEST(NumberTextTest, FixedAndExponentFormsMatchPrintf) {
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> power(-30, 30);
  const double edges[] = {0.0, -0.0, 0.5, 1.5, 2.5, -2.5, 1e-320, DBL_MAX, -DBL_MIN, 0.125, 999999.9999995};
  for (int i = 0; i < 3000; ++i) {
    const double x = i < 11 ? edges[i] : mantissa(random) * std::pow(10.0, power(random));
    for (int width : {-1, 6, 30}) {
      for (int precision : {-1, 0, 1, 3, 10, 17}) {
        for (bool exponent : {false, true}) {
          std::string out;
          const bool handled = telemetry::AppendFixedOrExponentText(out, x, exponent, width, precision);
          if (!handled) continue;  // left to printf
          const char letter = exponent ? 'e' : 'f';
          std::string expected;
          if (width > 0 && precision >= 0)
            expected = sys::Format(exponent ? "%#*.*e" : "%#*.*f", width, precision, x);
          else if (width > 0)
            expected = sys::Format(exponent ? "%#*e" : "%#*f", width, x);
          else if (precision >= 0)
            expected = sys::Format(exponent ? "%#.*e" : "%#.*f", precision, x);
          else
            expected = sys::Format(exponent ? "%#e" : "%#f", x);
          ASSERT_EQ(out, expected) << x << " " << letter << " w" << width << " p" << precision;
        }
      }
    }
  }
}

TEST(NumberTextTest, NonFiniteAndVeryLongValuesAreLeftToPrintf) {
  std::string out;
  EXPECT_FALSE(telemetry::AppendFixedOrExponentText(out, INFINITY, false, -1, -1));
  EXPECT_FALSE(telemetry::AppendFixedOrExponentText(out, NAN, true, -1, -1));
  EXPECT_FALSE(telemetry::AppendFixedOrExponentText(out, DBL_MAX, false, -1, 10));
  EXPECT_FALSE(telemetry::AppendFixedOrExponentText(out, 1.0, false, -1, 500));
  EXPECT_EQ(out, "");
}

}  // namespace

// The per-value number printers against printf itself, over many values.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>
#include <string>

#include "core/telemetry/QelTelemetryDoc.h"
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

// Values print as the "#" forms of printf with the width and the precision
// left out below 1 and 0, whichever road the text takes inside.
std::string PrintfDouble(double x, int type, int width, int precision) {
  const char* const forms[3][4] = {{"%#*.*f", "%#*f", "%#.*f", "%#f"},
                                   {"%#*.*e", "%#*e", "%#.*e", "%#e"},
                                   {"%#*.*g", "%#*g", "%#.*g", "%#g"}};
  const char* const* f = forms[type];
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  if (width > 0 && precision >= 0) return sys::Format(f[0], width, precision, x);
  if (width > 0) return sys::Format(f[1], width, x);
  if (precision >= 0) return sys::Format(f[2], precision, x);
  return sys::Format(f[3], x);
#pragma GCC diagnostic pop
}

TEST(NumberTextTest, ValuesPrintAsPrintfInEveryFormTheProgramUses) {
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> power(-30, 30);
  const double edges[] = {0.0,     -0.0,     0.5,   1.5,      2.5,      -2.5,     1e-320,
                          DBL_MAX, -DBL_MIN, 0.125, 999999.9999995, INFINITY, -INFINITY, NAN, 23.99999997};
  constexpr int kEdges = sizeof edges / sizeof edges[0];
  for (int i = 0; i < 3000; ++i) {
    const double x = i < kEdges ? edges[i] : mantissa(random) * std::pow(10.0, power(random));
    for (int type : {0, 1, 2}) {
      for (int width : {-1, 0, 6, 30}) {
        for (int precision : {-1, 0, 1, 3, 6, 10, 17}) {
          CSensorFormat format;
          format.m_nDoubleType = type;
          format.m_nWidth = width;
          format.m_nPrecision = precision;
          std::string out;
          CQelTelemetryDoc::AppendDouble(out, x, format);
          ASSERT_EQ(out, PrintfDouble(x, type, width, precision))
              << x << " type " << type << " w" << width << " p" << precision;
        }
      }
    }
  }
}

}  // namespace

// The two time-tag columns: plain and formatted, widths, a missing tag, and
// values wider than their usual digits.
#include <gtest/gtest.h>

#include "core/conversion/TimeTagText.h"

namespace {

std::string Tag(unsigned date, unsigned time, const CBrivenParameters& p, std::size_t count = 7) {
  const std::uint8_t bytes[7] = {static_cast<std::uint8_t>(date >> 16), static_cast<std::uint8_t>(date >> 8),
                                 static_cast<std::uint8_t>(date),       static_cast<std::uint8_t>(time >> 24),
                                 static_cast<std::uint8_t>(time >> 16), static_cast<std::uint8_t>(time >> 8),
                                 static_cast<std::uint8_t>(time)};
  std::string out;
  conversion::AppendTimeTag(out, bytes, count, p);
  return out;
}

CBrivenParameters Params(int formatted, int suppress, int width, int precision = -1) {
  CBrivenParameters p;
  p.m_nTimeTags = 1;
  p.m_nTimeTagsFormatted = formatted;
  p.m_nSuppressStrings = suppress;
  p.m_format.m_nWidth = width;
  p.m_format.m_nPrecision = precision;
  return p;
}

TEST(TimeTagTextTest, Forms) {
  struct Case {
    unsigned date, time;
    CBrivenParameters params;
    std::size_t count;
    const char* expected;
  } cases[] = {
      {207123, 123456789, Params(1, 0, -1), 7, "2007-123\t12:34:56.789\n"},
      {207123, 123456789, Params(0, 0, -1), 7, "2007123\t12.582441\n"},
      {207123, 123456789, Params(0, 0, -1, 14), 7, "2007123\t12.58244138888889\n"},
      {2007123, 1000, Params(1, 0, -1), 7, "2007-123\t00:00:01.000\n"},
      {207123, 123456789, Params(1, 0, 12), 7, "    2007-123\t12:34:56.789\n"},
      {207123, 123456789, Params(0, 0, 12), 7, "     2007123\t   12.582441\n"},
      // Formatted time tags are a string: suppressed, they print plain.
      {207123, 123456789, Params(1, 1, -1), 7, "2007123\t12.582441\n"},
      // Values wider than their digits widen the leading part.
      {9999999 + 1, 4000000000u, Params(1, 0, -1), 7, "10000-000\t400:00:00.000\n"},
      {0, 0, Params(1, 0, -1), 6, "Error 0\tError 0\n"},
      {0, 0, Params(1, 0, 9), 0, "  Error 0\t  Error 0\n"},
      {0, 0, Params(1, 1, 4), 3, "    \t    \n"},
      {0, 0, Params(1, 1, -1), 3, "\t\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(Tag(c.date, c.time, c.params, c.count), c.expected) << c.expected;
}

}  // namespace

#include "platform/sys/Format.h"

#include <clocale>

#include <gtest/gtest.h>

namespace {

TEST(Format, WritesPrintfForms) {
  EXPECT_EQ(sys::Format("%*s|%-4d|%07lu", 5, "ab", 12, 42ul), "   ab|12  |0000042");
  EXPECT_EQ(sys::Format("%#.10f", 1.5), "1.5000000000");
  EXPECT_EQ(sys::Format("%s", ""), "");
}

TEST(Format, GrowsPastTheStackBuffer) {
  const std::string long_text(5000, 'x');
  EXPECT_EQ(sys::Format("<%s>", long_text.c_str()), "<" + long_text + ">");
  std::string out = "a";
  sys::AppendFormat(out, "%s", long_text.c_str());
  EXPECT_EQ(out, "a" + long_text);
}

TEST(Format, IgnoresTheProcessLocale) {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous ? previous : "C";
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no German locale here";
  EXPECT_EQ(sys::Format("%.2f", 3.25), "3.25");
  std::setlocale(LC_NUMERIC, saved.c_str());
}

}  // namespace

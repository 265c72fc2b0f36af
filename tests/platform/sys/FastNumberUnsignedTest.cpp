// The small-count writer against std::to_chars, at every digit-count edge
// and over a sweep of the whole 32-bit range.
#include "platform/sys/FastNumberUnsigned.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace {

std::string Written(std::uint32_t value) {
  char text[10];
  return std::string(text, sys::WriteUnsigned(text, value));
}

std::string Expected(std::uint32_t value) {
  char text[10];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

TEST(FastNumberUnsignedTest, EveryDigitCountEdgeIsWrittenAsToCharsWritesIt) {
  std::uint32_t power = 1;
  for (int digits = 1; digits <= 9; ++digits, power *= 10) {
    for (std::uint32_t value : {power - 1, power, power + 1, power * 10 - 1}) EXPECT_EQ(Written(value), Expected(value));
  }
  EXPECT_EQ(Written(0), "0");
  EXPECT_EQ(Written(std::numeric_limits<std::uint32_t>::max()), "4294967295");
}

TEST(FastNumberUnsignedTest, AllSmallValuesAndARandomSweepMatchToChars) {
  for (std::uint32_t value = 0; value < 100000; ++value) ASSERT_EQ(Written(value), Expected(value));
  std::mt19937 random(11);
  for (int i = 0; i < 200000; ++i) {
    const std::uint32_t value = static_cast<std::uint32_t>(random()) >> (random() % 32);
    ASSERT_EQ(Written(value), Expected(value));
  }
}

}  // namespace

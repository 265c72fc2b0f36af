// Real field texts are read as strtod reads them in the C locale: the same
// value, bit for bit, and the same count of characters taken.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "core/instrument/NumberParse.h"

namespace {

void ExpectLikeStrtod(const std::string& text) {
  char* end = nullptr;
  const double expected = std::strtod(text.c_str(), &end);
  const auto expected_length = static_cast<std::size_t>(end - text.c_str());
  double value = -12345.0;
  const std::size_t length = instrument::ParseReal(text, value);
  EXPECT_EQ(length, expected_length) << '"' << text << '"';
  if (expected_length == 0) return;
  if (std::isnan(expected)) {
    EXPECT_TRUE(std::isnan(value)) << '"' << text << '"';
  } else {
    EXPECT_EQ(std::memcmp(&value, &expected, sizeof value), 0) << '"' << text << "\" gave " << value;
  }
}

TEST(ParseReal, ReadsLikeStrtodOnAwkwardTexts) {
  const char* const texts[] = {
      "0", "-0", "+0", "1", "-1", "+1.5", "1.", ".5", "-.5", "+.5", ".", "-", "+", "+-1", "-+1", "--1", "",
      "1e5", "1E5", "1e", "1e+", "1e-", "1.5e-3x", "2.5,3", "12abc", " 7", "\t-7", "0x1p3", "-0x10", "0X1F",
      "inf", "-inf", "infinity", "nan", "-nan", "nan(123)", "1e400", "-1e400", "1e-400", "4.9e-324",
      "2.2250738585072011e-308", "1.7976931348623157e308", "1.7976931348623159e308",
      "0.1000000000000000055511151231257827021181583404541015625",
      "9007199254740993", "123456789012345678901234567890", "3.14159265358979323846264338327950288",
      "00012.5000", "1e0000000000000000000000001", "5e-0", ",1", "e5",
  };
  for (const char* text : texts) ExpectLikeStrtod(text);
}

TEST(ParseReal, ReadsLikeStrtodOnRandomDecimalTexts) {
  std::mt19937_64 random(20261210);
  std::uniform_int_distribution<int> exponent(-330, 310);
  std::uniform_int_distribution<int> digits(1, 20);
  std::uniform_int_distribution<int> digit(0, 9);
  for (int i = 0; i < 100000; ++i) {
    std::string text = i % 3 == 0 ? "-" : "";
    const int count = digits(random);
    const int point = std::uniform_int_distribution<int>(0, count)(random);
    for (int d = 0; d < count; ++d) {
      if (d == point) text += '.';
      text += static_cast<char>('0' + digit(random));
    }
    if (i % 2 == 0) text += "e" + std::to_string(exponent(random));
    ExpectLikeStrtod(text);
  }
}

TEST(ParseReal, ReadsLikeStrtodOnShortDecimalsAtTheEdgeOfExactDigits) {
  // Around 15 significant digits and 22 decimals, where a short decimal
  // stops being read with one exact division.
  std::mt19937_64 random(20261211);
  std::uniform_int_distribution<int> digits(1, 26);
  std::uniform_int_distribution<int> zeros(0, 4);
  std::uniform_int_distribution<int> digit(0, 9);
  for (int i = 0; i < 100000; ++i) {
    std::string text = i % 3 == 0 ? "-" : i % 7 == 0 ? "+" : "";
    text.append(static_cast<std::size_t>(zeros(random)), '0');
    const int count = digits(random);
    const int point = std::uniform_int_distribution<int>(0, count)(random);
    for (int d = 0; d < count; ++d) {
      if (d == point) text += '.';
      text += static_cast<char>('0' + digit(random));
    }
    if (i % 5 == 0) text += ",9";
    ExpectLikeStrtod(text);
  }
}

}  // namespace

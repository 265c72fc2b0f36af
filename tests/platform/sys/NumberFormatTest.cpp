// The integer and padding forms against snprintf itself.
#include "platform/sys/NumberFormat.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>

#include "platform/sys/Format.h"

namespace {

const int kWidths[] = {0, 1, 3, 7, 9, 12, 25, -1, -7, -25};

std::string Appended(void (*append)(std::string&, unsigned long, int), unsigned long value, int width) {
  std::string out = "<";  // appends, never replaces
  append(out, value, width);
  return out.substr(1);
}

void ExpectAllFormsMatch(unsigned long value, int width) {
  const long signed_value = static_cast<long>(value);
  EXPECT_EQ(Appended(sys::AppendUnsigned, value, width), sys::Format("%*lu", width, value)) << value << " " << width;
  EXPECT_EQ(Appended(sys::AppendUnsignedZeroFilled, value, width), sys::Format("%0*lu", width, value))
      << value << " " << width;
  EXPECT_EQ(Appended(sys::AppendHex, value, width), sys::Format("%*lX", width, value)) << value << " " << width;
  EXPECT_EQ(Appended(sys::AppendHexZeroFilled, value, width), sys::Format("%0*lX", width, value))
      << value << " " << width;
  std::string out;
  sys::AppendSigned(out, signed_value, width);
  EXPECT_EQ(out, sys::Format("%*ld", width, signed_value)) << signed_value << " " << width;
}

TEST(NumberFormatTest, EdgeValuesMatchPrintf) {
  const unsigned long kEdges[] = {0ul, 1ul, 9ul, 10ul, 15ul, 16ul, 255ul, 999999ul, 1000000ul, 207123ul,
                                  2007123ul, 123456789ul, 0x7FFFFFFFul, 0x80000000ul, 0xFFFFFFFFul,
                                  static_cast<unsigned long>(LONG_MAX), static_cast<unsigned long>(LONG_MIN),
                                  ULONG_MAX, static_cast<unsigned long>(-1234L)};
  for (const unsigned long value : kEdges)
    for (const int width : kWidths) ExpectAllFormsMatch(value, width);
}

TEST(NumberFormatTest, RandomValuesMatchPrintf) {
  std::mt19937_64 random(1210);
  for (int i = 0; i < 20000; ++i) {
    // Small magnitudes as often as large ones: shift the bits away.
    const unsigned long value = random() >> (random() % 64);
    ExpectAllFormsMatch(value, kWidths[i % std::size(kWidths)]);
  }
}

// The program's own fixed forms: the time tag date and time, the OPTIC1 pair.
TEST(NumberFormatTest, ProgramFormsMatchPrintf) {
  for (const unsigned long value : {0ul, 207123ul, 2007123ul, 123456789ul, 0x1235ul}) {
    std::string out;
    sys::AppendUnsignedZeroFilled(out, value, 7);
    sys::AppendUnsignedZeroFilled(out, value, 9);
    sys::AppendHexZeroFilled(out, value & ~3ul, 6);
    out += ':';
    sys::AppendHexZeroFilled(out, value & 3ul, 1);
    EXPECT_EQ(out, sys::Format("%07lu%09lu%0*lX:%1lX", value, value, 6, value & ~3ul, value & 3ul));
  }
}

TEST(NumberFormatTest, PaddedTextMatchesPrintf) {
  for (const char* text : {"", "a", "Error 6", "TEMP(A)", "a text longer than any width here"})
    for (const int width : kWidths) {
      std::string out = "<";  // appends, never replaces
      sys::AppendPadded(out, text, width);
      EXPECT_EQ(out.substr(1), sys::Format("%*s", width, text)) << '"' << text << "\" " << width;
      EXPECT_EQ(out[0], '<');
    }
}

}  // namespace

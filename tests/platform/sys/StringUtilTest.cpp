#include "platform/sys/StringUtil.h"

#include <climits>
#include <clocale>

#include <gtest/gtest.h>

namespace {

TEST(StringSlices, ClampOutOfRangeCounts) {
  const std::string text = "ABCDEF";
  struct Case {
    const char* what;
    std::string got;
    const char* want;
  } cases[] = {
      {"Left inside", sys::Left(text, 2), "AB"},
      {"Left past end", sys::Left(text, 99), "ABCDEF"},
      {"Left negative", sys::Left(text, -1), ""},
      {"Left INT_MAX", sys::Left(text, INT_MAX), "ABCDEF"},
      {"Right inside", sys::Right(text, 2), "EF"},
      {"Right past end", sys::Right(text, 99), "ABCDEF"},
      {"Right negative", sys::Right(text, -5), ""},
      {"Mid to end", sys::Mid(text, 4), "EF"},
      {"Mid negative first", sys::Mid(text, -3), "ABCDEF"},
      {"Mid first past end", sys::Mid(text, 7), ""},
      {"Mid count", sys::Mid(text, 1, 3), "BCD"},
      {"Mid count past end", sys::Mid(text, 4, 10), "EF"},
      {"Mid huge count does not overflow", sys::Mid(text, 2, INT_MAX), "CDEF"},
      {"Mid negative count", sys::Mid(text, 1, -2), ""},
      {"Mid negative first keeps count", sys::Mid(text, -2, 3), "ABC"},
      {"Mid of empty", sys::Mid("", 3, 3), ""},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.want) << c.what;
}

TEST(StringSearch, FindsOrAnswersMinusOne) {
  const std::string text = "a,b;c,d";
  EXPECT_EQ(sys::Find(text, ','), 1);
  EXPECT_EQ(sys::Find(text, ',', 2), 5);
  EXPECT_EQ(sys::Find(text, ',', -4), 1);
  EXPECT_EQ(sys::Find(text, ',', 6), -1);
  EXPECT_EQ(sys::Find(text, ',', 100), -1);
  EXPECT_EQ(sys::Find(text, "c,"), 4);
  EXPECT_EQ(sys::Find(text, "", 3), 3);
  EXPECT_EQ(sys::Find(text, "x"), -1);
  EXPECT_EQ(sys::ReverseFind(text, ','), 5);
  EXPECT_EQ(sys::ReverseFind(text, 'x'), -1);
  EXPECT_EQ(sys::ReverseFind("", 'x'), -1);
  EXPECT_EQ(sys::FindOneOf(text, ";,"), 1);
  EXPECT_EQ(sys::FindOneOf(text, ""), -1);
  // A byte above 127 is a character like any other, not a negative index.
  EXPECT_EQ(sys::Find("ab\xE9", '\xE9'), 2);
}

TEST(StringCase, FoldsAsciiOnlyWhateverTheLocale) {
  const char* previous = std::setlocale(LC_CTYPE, nullptr);
  const std::string saved = previous ? previous : "C";
  std::setlocale(LC_CTYPE, "C.UTF-8");
  std::string text = "Temp_\xC3\xA9 z1";
  EXPECT_EQ(sys::MakeUpper(text), "TEMP_\xC3\xA9 Z1");
  EXPECT_EQ(sys::MakeLower(text), "temp_\xC3\xA9 z1");
  EXPECT_EQ(sys::ToUpper("cal"), "CAL");
  EXPECT_EQ(sys::CompareNoCase("Frame", "fRAME"), 0);
  EXPECT_LT(sys::CompareNoCase("abc", "ABD"), 0);
  EXPECT_GT(sys::CompareNoCase("abcd", "ABC"), 0);
  EXPECT_LT(sys::CompareNoCase("", "a"), 0);
  // Bytes above 127 sort after ASCII, as unsigned bytes do.
  EXPECT_GT(sys::CompareNoCase("\xE9", "z"), 0);
  // '_' sits between the upper- and lower-case letters; folding to lower
  // case sorts it before every letter, as name lists expect.
  EXPECT_LT(sys::CompareNoCase("_", "A"), 0);
  EXPECT_TRUE(sys::EqualsNoCase("Sec", "SEC"));
  EXPECT_FALSE(sys::EqualsNoCase("Sec", "SECS"));
  std::setlocale(LC_CTYPE, saved.c_str());
}

TEST(StringTrim, RemovesOnlyTheChosenCharacters) {
  struct Case {
    std::string in;
    const char* left;
    const char* right;
    const char* both;
  } cases[] = {
      {" \t x y \r\n", "x y \r\n", " \t x y", "x y"},
      {"   ", "", "", ""},
      {"", "", "", ""},
      {"x", "x", "x", "x"},
  };
  for (const Case& c : cases) {
    std::string left = c.in, right = c.in, both = c.in;
    EXPECT_EQ(sys::TrimLeft(left), c.left);
    EXPECT_EQ(sys::TrimRight(right), c.right);
    EXPECT_EQ(sys::Trim(both), c.both);
  }
  std::string blanks = " \t\nSENSOR";
  EXPECT_EQ(sys::TrimLeft(blanks, " \t"), "\nSENSOR");
  std::string slashes = "key\\\\";
  EXPECT_EQ(sys::TrimRight(slashes, "\\"), "key");
}

TEST(StringEdit, ReplaceRemoveInsertDelete) {
  std::string text = "a--b--c";
  EXPECT_EQ(sys::Replace(text, "--", "-"), 2);
  EXPECT_EQ(text, "a-b-c");
  EXPECT_EQ(sys::Replace(text, "", "x"), 0);
  EXPECT_EQ(sys::Replace(text, "q", "x"), 0);
  std::string growing = "aaa";
  EXPECT_EQ(sys::Replace(growing, "a", "aa"), 3);
  EXPECT_EQ(growing, "aaaaaa");
  EXPECT_EQ(sys::Replace(text, '-', '+'), 2);
  EXPECT_EQ(text, "a+b+c");
  EXPECT_EQ(sys::Remove(text, '+'), 2);
  EXPECT_EQ(text, "abc");
  EXPECT_EQ(sys::Insert(text, 99, "!"), 4);
  EXPECT_EQ(sys::Insert(text, -1, "<"), 5);
  EXPECT_EQ(text, "<abc!");
  EXPECT_EQ(sys::Delete(text, 3, 99), 3);
  EXPECT_EQ(text, "<ab");
  EXPECT_EQ(sys::Delete(text, 7), 3);
  EXPECT_EQ(sys::Delete(text, 1, -1), 3);
  EXPECT_EQ(sys::Delete(text, -2), 2);
  EXPECT_EQ(text, "ab");
}

}  // namespace

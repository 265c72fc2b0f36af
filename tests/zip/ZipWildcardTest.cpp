#include <gtest/gtest.h>

#include "zip/ZipWildcard.h"

namespace {

using W = CZipArchive::CWildcard;

struct MatchCase {
  const char* pattern;
  const char* text;
  bool matches;
};

class WildcardMatch : public ::testing::TestWithParam<MatchCase> {};

// A standard glob: a star backtracks over every place the rest could start.
TEST_P(WildcardMatch, StandardGlob) {
  const W wildcard(GetParam().pattern, true);
  EXPECT_EQ(wildcard.IsMatch(GetParam().text), GetParam().matches) << GetParam().pattern << " / " << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WildcardMatch,
    ::testing::Values(MatchCase{"*.txt", "readme.txt", true}, MatchCase{"*.txt", "readme.tx", false},
                      MatchCase{"*ab", "aab", true}, MatchCase{"*ab", "xab", true}, MatchCase{"*c", "abc", true},
                      MatchCase{"**", "", true}, MatchCase{"*", "", true}, MatchCase{"?", "", false},
                      MatchCase{"a*b*c", "aXbYbZc", true}, MatchCase{"a*b*c", "aXbYbZ", false},
                      MatchCase{"[a-c]x", "bx", true}, MatchCase{"[c-a]x", "bx", true},
                      MatchCase{"[!a-c]x", "bx", false}, MatchCase{"[!a-c]x", "dx", true},
                      MatchCase{"[^a]", "b", true}, MatchCase{"\\*", "*", true}, MatchCase{"\\*", "a", false},
                      MatchCase{"*?", "", false}, MatchCase{"?*", "a", true},
                      MatchCase{"[\xe0-\xef]", "\xe9", true},  // bytes compare unsigned
                      MatchCase{"[a-\xff]", "z", true}, MatchCase{"[a-\xff]", "A", false},
                      MatchCase{"*\xc3\xa9", "caf\xc3\xa9", true}, MatchCase{"docs/*", "docs/x.cal", true}));

TEST(Wildcard, ResultCodes) {
  EXPECT_EQ(W::Match("?", ""), W::matchAbort);
  EXPECT_EQ(W::Match("[!a-c]x", "bx"), W::matchRange);
  EXPECT_EQ(W::Match("ab", "abc"), W::matchEnd);
  EXPECT_EQ(W::Match("ab", "ax"), W::matchLiteral);
  EXPECT_EQ(W::Match("*ab", "aab"), W::matchValid);
}

TEST(Wildcard, CaseInsensitiveLowercasesBothSides) {
  EXPECT_TRUE(W("*.TXT", false).IsMatch("README.txt"));
  EXPECT_FALSE(W("*.TXT", true).IsMatch("README.txt"));
}

TEST(Wildcard, Validation) {
  struct Case {
    const char* pattern;
    int error;
  };
  for (const Case c : {Case{"[]", W::patternEmpty}, Case{"[a", W::patternClose}, Case{"a\\", W::patternEsc},
                       Case{"[a-]", W::patternRange}, Case{"[a-c]*.t?t", W::patternValid},
                       Case{"\\[x", W::patternValid}}) {
    int error = 99;
    EXPECT_EQ(W::IsPatternValid(c.pattern, &error), c.error == W::patternValid) << c.pattern;
    EXPECT_EQ(error, c.error) << c.pattern;
  }
  EXPECT_TRUE(W::IsPattern("a*"));
  EXPECT_FALSE(W::IsPattern("plain.txt"));
}

TEST(Wildcard, ManyStarsDoNotExplode) {
  const std::string text(2000, 'a');
  EXPECT_FALSE(W("*a*a*a*a*a*a*a*a*a*b", true).IsMatch(text));
}

}  // namespace

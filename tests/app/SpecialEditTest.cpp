// The character filter of the special edit box, a line per flag set and
// character typed.
#include <gtest/gtest.h>

#include "app/SpecialEdit.h"

namespace {

TEST(SpecialEdit, FilterCharTable) {
  using F = CSpecialEdit::Filter;
  struct Case {
    F filter;
    char typed;
    bool passes;
    char entered;
  };
  const F none{}, upper{true, false, false, false}, letters{false, true, false, false},
      digits{false, false, true, false}, signs{false, false, true, true}, upper_letters{true, true, false, false};
  const Case cases[] = {
      {none, 'a', true, 'a'},          {none, '7', true, '7'},          {none, ',', false, 0},
      {none, ' ', false, 0},           {none, '\b', true, '\b'},        {none, '-', false, 0},
      {upper, 'q', true, 'Q'},         {upper, 'Q', true, 'Q'},         {upper, '3', true, '3'},
      {letters, 'x', true, 'x'},       {letters, '5', false, 0},        {letters, '\b', true, '\b'},
      {digits, '5', true, '5'},        {digits, 'x', false, 0},         {digits, '.', false, 0},
      {signs, '.', true, '.'},         {signs, '+', true, '+'},         {signs, '-', true, '-'},
      {signs, 'e', false, 0},          {upper_letters, 'z', true, 'Z'}, {upper_letters, '0', false, 0},
  };
  for (const Case& c : cases) {
    unsigned entered = 0;
    const bool passes = CSpecialEdit::FilterChar(c.filter, static_cast<unsigned char>(c.typed), entered);
    EXPECT_EQ(passes, c.passes) << "'" << c.typed << "'";
    if (c.passes) {
      EXPECT_EQ(entered, static_cast<unsigned char>(c.entered)) << "'" << c.typed << "'";
    }
  }
  // Characters beyond ASCII are neither letters nor digits here.
  unsigned entered = 0;
  EXPECT_FALSE(CSpecialEdit::FilterChar(none, 0xE9, entered));
}

}  // namespace

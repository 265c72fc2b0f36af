#include "docking/QVTToolBarLayout.h"

#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace docking {
namespace {

using Rows = std::vector<QVTToolBarRow>;

QVTToolBarItem Button(int width, int height = 22, UINT id = 1) {
  QVTToolBarItem item;
  item.id = id;
  item.width = width;
  item.height = height;
  return item;
}

QVTToolBarItem Separator(int height = 22) {
  QVTToolBarItem item;
  item.style = kTBSeparator;
  item.id = 0;
  item.width = 8;
  item.height = height;
  return item;
}

// "a|b": letters are 23-pixel buttons (the letter is the id), '|' a separator.
QVTToolBarLayout Bar(const std::string& text) {
  QVTToolBarLayout bar;
  for (char c : text) bar.items.push_back(c == '|' ? Separator() : Button(23, 22, static_cast<UINT>(c)));
  return bar;
}

std::string Text(const QVTToolBarLayout& bar) {
  std::string text;
  for (const QVTToolBarItem& item : bar.items) text += item.IsSeparator() ? '|' : static_cast<char>(item.id);
  return text;
}

QVTToolBarLayout Widths(const std::vector<int>& widths) {
  QVTToolBarLayout bar;
  for (int w : widths) bar.items.push_back(w == 8 ? Separator() : Button(w));
  return bar;
}

TEST(QVTToolBarLayoutTest, WrapTable) {
  struct Case {
    const char* name;
    std::vector<int> widths;  // 8 is a separator
    int maxLength;
    Rows rows;
  } cases[] = {
      {"all on one row", {23, 23, 23}, 100, {{2, FALSE, 69, 22}}},
      {"break before the overflowing button", {23, 23, 23}, 48, {{1, FALSE, 46, 22}, {2, FALSE, 23, 22}}},
      {"two pixels of slack", {23, 23}, 44, {{1, FALSE, 46, 22}}},
      {"break at the separator behind", {23, 8, 23, 23}, 50, {{1, TRUE, 23, 22}, {3, FALSE, 46, 22}}},
      {"a wide button stays alone", {100, 23}, 50, {{0, FALSE, 100, 22}, {1, FALSE, 23, 22}}},
      {"a wide button in the middle", {23, 100, 23}, 50, {{0, FALSE, 23, 22}, {1, FALSE, 100, 22}, {2, FALSE, 23, 22}}},
      {"no buttons", {}, 50, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rows rows;
    EXPECT_EQ(Widths(c.widths).WrapButtons(c.maxLength, rows), static_cast<int>(c.rows.size()));
    EXPECT_EQ(rows, c.rows);
  }
}

TEST(QVTToolBarLayoutTest, RowMetricsAddTheGapAfterASeparatorRow) {
  const QVTToolBarLayout bar = Widths({23, 8, 23, 23});
  Rows rows;
  bar.WrapButtons(50, rows);
  const SIZE size = bar.RowMetrics(rows);
  EXPECT_EQ(size.cx, 46);
  EXPECT_EQ(size.cy, 22 + 5 + 22);  // separator width 8 gives a 5-pixel gap
}

// The program's toolbar: four buttons, a separator, three, a separator, two.
QVTToolBarLayout ElevenEntries() { return Bar("abcd|efg|hi"); }

TEST(QVTToolBarLayoutTest, WrappedSizeTable) {
  struct Case {
    const char* name;
    QVTToolBarLayout bar;
    int length;
    bool vertical;
    LONG cx, cy;
  } cases[] = {
      {"horizontal, room for all", ElevenEntries(), 1000, false, 9 * 23 + 16, 22},
      {"horizontal, three rows at the separators", ElevenEntries(), 100, false, 92, 22 * 3 + 5 + 5},
      {"vertical, tall: one button a row", ElevenEntries(), 300, true, 23, 9 * 22 + 5 + 5},
      {"vertical, two rows", ElevenEntries(), 50, true, 123, 22 + 5 + 22},
      {"horizontal, a button moves down", Widths({40, 40, 40, 10}), 120, false, 80, 44},
      {"horizontal, a separator group moves down", Bar("ab|cd|e"), 106, false, 77, 22 + 5 + 22},
      {"no buttons", QVTToolBarLayout(), 100, false, 0, 0},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SIZE size = c.bar.CalcWrappedSize(c.length, c.vertical);
    EXPECT_EQ(size.cx, c.cx);
    EXPECT_EQ(size.cy, c.cy);
  }
}

TEST(QVTToolBarLayoutTest, RowEndsAreMarkedOnEveryRowButTheLast) {
  QVTToolBarLayout bar = Widths({40, 40, 40, 10});
  bar.CalcWrappedSize(120, false);
  std::vector<bool> ends;
  for (const QVTToolBarItem& item : bar.items) ends.push_back((item.style & kTBRowEnd) != 0);
  EXPECT_EQ(ends, std::vector<bool>({false, true, false, false}));
  const Rows placed = bar.PlaceButtons(2, 3);
  ASSERT_EQ(placed.size(), 2u);
  EXPECT_EQ(bar.items[1].x, 42);
  EXPECT_EQ(bar.items[2].x, 2);
  EXPECT_EQ(bar.items[2].y, 25);
}

// Every item in exactly one row, rows in order and measured right.
void ExpectRowsCover(const QVTToolBarLayout& bar, const Rows& rows) {
  int next = 0;
  for (const QVTToolBarRow& row : rows) {
    ASSERT_GE(row.last, next);
    int length = 0;
    for (int i = next; i <= row.last; ++i) length += bar.items[static_cast<std::size_t>(i)].width;
    if (row.endsAtSeparator) {
      ASSERT_TRUE(bar.items[static_cast<std::size_t>(row.last)].IsSeparator());
      length -= bar.items[static_cast<std::size_t>(row.last)].width;
    }
    EXPECT_EQ(row.length, length);
    next = row.last + 1;
  }
  EXPECT_EQ(next, bar.Count());
}

TEST(QVTToolBarLayoutTest, PropertyRandomBarsWrapBalanceAndNeverWiden) {
  for (unsigned seed = 1; seed <= 300; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> count(1, 30), width(10, 60), length(0, 400), kind(0, 3);
    QVTToolBarLayout bar;
    const int n = count(random);
    for (int i = 0; i < n; ++i) bar.items.push_back(kind(random) == 0 ? Separator() : Button(width(random)));
    Rows rows;
    bar.WrapButtons(length(random), rows);
    ExpectRowsCover(bar, rows);
    const LONG before = bar.RowMetrics(rows).cx;
    bar.BalanceRows(rows);
    ExpectRowsCover(bar, rows);
    EXPECT_LE(bar.RowMetrics(rows).cx, before);
    // Both orientations end, whatever the length.
    const int l = length(random);
    bar.CalcWrappedSize(l, seed % 2 == 0);
  }
}

TEST(QVTToolBarLayoutTest, RemovalTable) {
  struct Case {
    const char* name;
    const char* before;
    int index;
    bool removed;
    int itemsRemoved;
    const char* after;
  } cases[] = {
      {"the only button between separators leaves none", "|a|", 1, true, 3, ""},
      {"a trailing separator goes", "a|b", 2, true, 2, "a"},
      {"a leading separator goes", "a|b", 0, true, 2, "b"},
      {"a doubled separator goes", "a|b|c", 2, true, 2, "a|c"},
      {"the last button with its separator", "a|b|c", 4, true, 2, "a|b"},
      {"a separator alone", "a|b|c", 1, true, 1, "ab|c"},
      {"a separator at the start", "|a", 1, true, 2, ""},
      {"a plain button", "abc", 1, true, 1, "ac"},
      {"outside the bar", "ab", 2, false, 0, "ab"},
      {"negative index", "ab", -1, false, 0, "ab"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QVTToolBarLayout bar = Bar(c.before);
    const QVTToolBarLayout::Removal removal = bar.RemoveButton(c.index);
    EXPECT_EQ(removal.removed, c.removed);
    EXPECT_EQ(removal.itemsRemoved, c.itemsRemoved);
    EXPECT_EQ(Text(bar), c.after);
  }
}

TEST(QVTToolBarLayoutTest, SelectionAndHotIndicesFollowARemoval) {
  struct Case {
    const char* name;
    int index, selected, hot;
    int selectedAfter, hotAfter;
  } cases[] = {
      // "a|b|c": removing b (2) also drops the separator at 3.
      {"after both removed items", 2, 4, 0, 2, 0},
      {"the removed button itself", 2, 2, 4, -1, 2},
      {"the dropped separator", 2, 3, 1, -1, 1},
      {"removing the first button drops the separator after it", 0, 4, 2, 2, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QVTToolBarLayout bar = Bar("a|b|c");
    bar.selected = c.selected;
    bar.hot = c.hot;
    bar.RemoveButton(c.index);
    EXPECT_EQ(bar.selected, c.selectedAfter);
    EXPECT_EQ(bar.hot, c.hotAfter);
  }
}

TEST(QVTToolBarLayoutTest, SeparatorHeightsFollowTheirRow) {
  // Row 0: a, |, B (30 tall); row 1: c.
  QVTToolBarLayout bar;
  bar.items = {Button(23, 22, 'a'), Separator(30), Button(23, 30, 'B'), Button(23, 22, 'c')};
  bar.items[2].style |= kTBRowEnd;
  bar.RemoveButton(2);
  ASSERT_EQ(Text(bar), "a|c");
  EXPECT_EQ(bar.items[1].height, 22);  // the tallest button left in its row

  // Row 1 keeps only a separator: two thirds of the separator width.
  QVTToolBarLayout lone;
  lone.items = {Button(23, 22, 'a'), Separator(22), Button(23, 22, 'b'), Button(23, 22, 'c')};
  lone.items[0].style |= kTBRowEnd;
  lone.items[2].style |= kTBRowEnd;
  lone.RemoveButton(2);
  ASSERT_EQ(Text(lone), "a|c");
  EXPECT_EQ(lone.items[1].height, 5);

  // Inserting: a separator takes its row's height, a taller button raises
  // the row's separators; indices at or after the place move up.
  QVTToolBarLayout grow = Bar("ab");
  grow.items[0].height = 26;
  grow.selected = 1;
  grow.hot = 0;
  grow.InsertButton(1, Separator(10));
  EXPECT_EQ(grow.items[1].height, 26);
  EXPECT_EQ(grow.selected, 2);
  EXPECT_EQ(grow.hot, 0);
  grow.InsertButton(99, Button(23, 40, 'T'));
  EXPECT_EQ(Text(grow), "a|bT");
  EXPECT_EQ(grow.items[1].height, 40);
  EXPECT_EQ(grow.mruWidth, 8 + 23);
}

TEST(QVTToolBarLayoutTest, OnlyAnEmptiedUserBarGoes) {
  struct Case {
    UINT barId;
    const char* buttons;
    bool destroy;
  } cases[] = {
      {0xE820, "a", true},   // the first id a new bar gets
      {0xE800, "a", false},  // the program's own toolbar
      {0xE81F, "a", false},
      {0xE8FF, "a", false},  // the menu bar is kept while its menus switch
      {0xE820, "ab", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.barId);
    QVTToolBarLayout bar = Bar(c.buttons);
    bar.barId = c.barId;
    EXPECT_EQ(bar.RemoveButton(0).destroyBar, c.destroy);
  }
}

TEST(QVTToolBarLayoutTest, StretchedVerticalBarKeepsItsWrappedWidth) {
  const SIZE stretched = QVTToolBarLayout::StretchedVerticalSize({46, 120}, 300);
  EXPECT_EQ(stretched.cx, 46);
  EXPECT_EQ(stretched.cy, 300);
  const SIZE undocked = QVTToolBarLayout::StretchedVerticalSize({46, 120}, 0);
  EXPECT_EQ(undocked.cx, 46);
  EXPECT_EQ(undocked.cy, 120);
}

}  // namespace
}  // namespace docking

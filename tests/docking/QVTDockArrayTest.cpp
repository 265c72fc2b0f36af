#include "docking/QVTDockArray.h"

#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using namespace docking;

struct FakeBar {
  ui::UINT id = 0;
  bool visible = true;
  bool alone = false;
  ui::RECT rect;
};

class FakeBars : public QVTDockArray::Bars {
 public:
  bool IsVisible(QVTDockArray::Bar bar) const override { return Get(bar).visible; }
  bool StaysAloneInRow(QVTDockArray::Bar bar) const override { return Get(bar).alone; }
  ui::UINT BarId(QVTDockArray::Bar bar) const override { return Get(bar).id; }
  ui::RECT BarRect(QVTDockArray::Bar bar) const override { return Get(bar).rect; }

 private:
  static const FakeBar& Get(QVTDockArray::Bar bar) { return *static_cast<const FakeBar*>(bar); }
};

// "|" a row end, a letter a bar, a number a placeholder.
std::string Describe(const QVTDockArray& array, const std::map<const void*, char>& names) {
  std::string text;
  for (const QVTDockArray::Entry& e : array.Entries()) {
    if (e.IsRowEnd()) {
      text += '|';
    } else if (e.IsBar()) {
      text += names.at(e.bar);
    } else {
      text += std::to_string(e.placeholder);
    }
  }
  return text;
}

// Empty when the list holds together, else what is wrong.
std::string BrokenInvariant(const QVTDockArray& array) {
  const auto& entries = array.Entries();
  if (entries.empty() || !entries.front().IsRowEnd()) {
    return "does not start with a row end";
  }
  if (!entries.back().IsRowEnd()) {
    return "last row has no end";
  }
  std::set<const void*> seen;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!entries[i].IsBar()) {
      continue;
    }
    if (!seen.insert(entries[i].bar).second) {
      return "a bar twice at " + std::to_string(i);
    }
    if (static_cast<const FakeBar*>(entries[i].bar)->alone &&
        (!entries[i - 1].IsRowEnd() || !entries[i + 1].IsRowEnd())) {
      return "a bar that stays alone shares its row at " + std::to_string(i);
    }
  }
  return "";
}

bool HasEmptyRow(const QVTDockArray& array) {
  const auto& entries = array.Entries();
  for (std::size_t i = 1; i < entries.size(); ++i) {
    if (entries[i].IsRowEnd() && entries[i - 1].IsRowEnd()) {
      return true;
    }
  }
  return false;
}

class QVTDockArrayTest : public ::testing::Test {
 protected:
  QVTDockArrayTest() {
    for (int i = 0; i < 6; ++i) {
      bars_[i].id = 0xE900 + i;
      names_[&bars_[i]] = static_cast<char>('a' + i);
    }
  }
  std::string Text() const { return Describe(array_, names_); }
  QVTDockArray::Bar Bar(int i) { return &bars_[i]; }

  FakeBar bars_[6];
  std::map<const void*, char> names_;
  FakeBars queries_;
  QVTDockArray array_{queries_};
};

TEST_F(QVTDockArrayTest, StartsWithARowEnd) {
  EXPECT_EQ(Text(), "|");
  EXPECT_EQ(array_.RowCount(), 0);
  EXPECT_EQ(array_.InsertFirstRow(Bar(0)), 1);
  EXPECT_EQ(Text(), "|a|");
  array_.InsertFirstRow(Bar(1));
  EXPECT_EQ(Text(), "|b|a|");
  array_.AppendRow(Bar(2));
  EXPECT_EQ(Text(), "|b|a|c|");
  EXPECT_EQ(array_.RowCount(), 3);
}

struct RowCase {
  const char* name;
  QVTDockArray::Position position;
  const char* after;
};

// Starting from |ab|c|: rows 0 and 1.
TEST_F(QVTDockArrayTest, InsertBarInRowTable) {
  const std::vector<RowCase> cases = {
      {"row 0 column 0", {0, 0, 0}, "|dab|c|"},
      {"row 0 column 1", {0, 1, 0}, "|adb|c|"},
      {"row 0 past the end", {0, 9, 0}, "|abd|c|"},
      {"row 0 from the end", {0, 0, QVTDockArray::kColumnFromEnd}, "|abd|c|"},
      {"row 0 one from the end", {0, 1, QVTDockArray::kColumnFromEnd}, "|adb|c|"},
      {"new row at row 1", {1, 3, QVTDockArray::kNewRow}, "|ab|d|c|"},
      {"last row", {0, 9, QVTDockArray::kRowFromLast}, "|ab|cd|"},
      {"row before the first", {-1, 0, 0}, "|d|ab|c|"},
      {"two rows before the first", {-2, 0, 0}, "|d||ab|c|"},
      {"the row after the last", {2, 0, 0}, "|ab|c|d|"},
      {"two rows after the last", {3, 0, 0}, "|ab|c||d|"},
  };
  for (const RowCase& c : cases) {
    SCOPED_TRACE(c.name);
    QVTDockArray array(queries_);
    array.AppendRow(Bar(0));
    array.InsertBarInRow(Bar(1), {0, 1, 0});
    array.AppendRow(Bar(2));
    ASSERT_EQ(Describe(array, names_), "|ab|c|");
    array.InsertBarInRow(Bar(3), c.position);
    EXPECT_EQ(Describe(array, names_), c.after);
    EXPECT_EQ(BrokenInvariant(array), "");
  }
}

TEST_F(QVTDockArrayTest, ColumnsCountVisibleBarsOnly) {
  array_.AppendRow(Bar(0));
  array_.InsertBarInRow(Bar(1), {0, 1, 0});
  bars_[0].visible = false;
  array_.InsertBarInRow(Bar(2), {0, 1, 0});
  EXPECT_EQ(Text(), "|abc|");
  QVTDockArray::BarPosition position;
  ASSERT_TRUE(array_.GetBarPosition(Bar(2), position));
  EXPECT_EQ(position.row, 0);
  EXPECT_EQ(position.position, 1);
  EXPECT_FALSE(array_.GetBarPosition(Bar(0), position));
}

TEST_F(QVTDockArrayTest, ABarThatStaysAloneNeverSharesItsRow) {
  bars_[5].alone = true;
  array_.AppendRow(Bar(0));
  array_.InsertBarInRow(Bar(1), {0, 1, 0});
  array_.InsertBarInRow(Bar(5), {0, 1, 0});
  EXPECT_EQ(Text(), "|a|f|b|");
  array_.InsertBarInRow(Bar(2), {1, 0, 0});
  EXPECT_EQ(Text(), "|a|c|f|b|");
  EXPECT_EQ(BrokenInvariant(array_), "");
}

TEST_F(QVTDockArrayTest, RemoveLeavesAPlaceholderOnceAndCollapsesEmptyRows) {
  array_.AppendRow(Bar(0));
  array_.AppendRow(Bar(1));
  array_.InsertBarInRow(Bar(2), {1, 1, 0});
  EXPECT_EQ(Text(), "|a|bc|");
  array_.RemoveControlBar(Bar(1), true);
  EXPECT_EQ(Text(), "|a|59649c|");
  array_.RemoveControlBar(Bar(0), false);
  EXPECT_EQ(Text(), "|59649c|");
  EXPECT_EQ(array_.RowCount(), 1);
  EXPECT_TRUE(array_.ReplacePlaceholder(bars_[1].id, Bar(1)));
  EXPECT_EQ(Text(), "|bc|");
  // A second placeholder for an id already held is not kept.
  array_.RemoveControlBar(Bar(1), true);
  array_.InsertBarInRow(Bar(1), {0, 0, QVTDockArray::kNewRow});
  array_.RemoveControlBar(Bar(1), true);
  EXPECT_EQ(Text(), "|59649c|");
  array_.RemovePlaceholder(bars_[1].id);
  EXPECT_EQ(Text(), "|c|");
  array_.RemoveControlBar(Bar(2), false);
  EXPECT_EQ(Text(), "|");
}

// Bars of 100 x 30 in rows 0-30 and 30-60 of a top dock bar.
TEST_F(QVTDockArrayTest, InsertRowAtTheDropPoint) {
  struct DropCase {
    const char* name;
    ui::POINT centre;
    int dropLeft;
    const char* after;
  };
  const std::vector<DropCase> cases = {
      {"left half of a", {20, 15}, 10, "|dab|c|"},
      {"right of b, its row's last", {250, 15}, 240, "|abd|c|"},
      {"right half of a goes on to b", {80, 15}, 60, "|adb|c|"},
      {"below every row", {20, 100}, 10, "|ab|c|d|"},
  };
  bars_[0].rect = {0, 0, 100, 30};
  bars_[1].rect = {100, 0, 200, 30};
  bars_[2].rect = {0, 30, 100, 60};
  for (const DropCase& c : cases) {
    SCOPED_TRACE(c.name);
    QVTDockArray array(queries_);
    array.AppendRow(Bar(0));
    array.InsertBarInRow(Bar(1), {0, 1, 0});
    array.AppendRow(Bar(2));
    array.InsertRowAt(Bar(3), {c.dropLeft, c.centre.y - 10, c.dropLeft + 50, c.centre.y + 10}, c.centre, true);
    EXPECT_EQ(Describe(array, names_), c.after);
    EXPECT_FALSE(HasEmptyRow(array));
  }
}

// Seeded random edits; after each the list holds together, and the edits
// that do not ask for rows beyond the existing ones leave no empty row.
TEST_F(QVTDockArrayTest, RandomEditsKeepTheInvariants) {
  bars_[4].alone = true;
  bars_[5].alone = true;
  for (unsigned seed = 1; seed <= 40; ++seed) {
    QVTDockArray array(queries_);
    unsigned state = seed;
    auto next = [&state](unsigned n) {
      state = state * 1664525u + 1013904223u;
      return static_cast<int>((state >> 8) % n);
    };
    for (int step = 0; step < 200; ++step) {
      QVTDockArray::Bar bar = Bar(next(6));
      const int rows = array.RowCount();
      const int op = next(6);
      std::string what;
      if (array.FindBar(bar) >= 0) {
        what = "remove";
        array.RemoveControlBar(bar, next(2) == 0);
      } else if (op == 0) {
        what = "first row";
        array.InsertFirstRow(bar);
      } else if (op == 1) {
        what = "append";
        array.AppendRow(bar);
      } else if (op == 2 && array.ReplacePlaceholder(static_cast<FakeBar*>(bar)->id, bar)) {
        what = "placeholder";
      } else if (op == 3) {
        what = "drop";
        const int y = next(90);
        array.InsertRowAt(bar, {next(300), y - 5, 300, y + 5}, {next(300), y}, true);
      } else {
        what = "row and column";
        const ui::UINT flags = static_cast<ui::UINT>(next(8));
        array.InsertBarInRow(bar, {next(rows + 1), next(4) - 1, flags});
      }
      ASSERT_EQ(BrokenInvariant(array), "") << "seed " << seed << " step " << step << " " << what << ": "
                                             << Describe(array, names_);
      if (what != "row and column") {
        ASSERT_FALSE(HasEmptyRow(array)) << "seed " << seed << " step " << step << " " << what << ": "
                                         << Describe(array, names_);
      }
    }
  }
}

}  // namespace

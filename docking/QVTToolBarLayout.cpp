#include "docking/QVTToolBarLayout.h"

#include <algorithm>

namespace docking {

namespace {

// The id of the menu bar: a bar the frame keeps using while its menus are
// switched, so it never goes when it is emptied.
constexpr UINT kMenuBarId = 0xE8FF;

}  // namespace

int QVTToolBarLayout::SumWidths(int first, int last) const {
  int sum = 0;
  for (int i = first; i <= last; ++i) sum += items[static_cast<std::size_t>(i)].width;
  return sum;
}

int QVTToolBarLayout::TallestButton(int first, int last) const {
  int tallest = 0;
  for (int i = first; i <= last; ++i) {
    const QVTToolBarItem& item = items[static_cast<std::size_t>(i)];
    if (!item.IsSeparator()) tallest = std::max(tallest, item.height);
  }
  return tallest;
}

QVTToolBarRow QVTToolBarLayout::MeasureRow(int first, int last, BOOL endsAtSeparator) const {
  QVTToolBarRow row;
  row.last = last;
  row.endsAtSeparator = endsAtSeparator;
  row.length = SumWidths(first, last) - (endsAtSeparator ? items[static_cast<std::size_t>(last)].width : 0);
  row.height = TallestButton(first, last);
  return row;
}

int QVTToolBarLayout::WrapButtons(int maxLength, std::vector<QVTToolBarRow>& rows) const {
  rows.clear();
  const int count = Count();
  int first = 0;
  int length = 0;
  for (int i = 0; i < count; ++i) {
    length += items[static_cast<std::size_t>(i)].width;
    // A button alone on its row stays there however wide it is; every
    // break starts the next row later, so this ends.
    while (length > maxLength + 2 && i > first) {
      int separator = -1;
      for (int j = i; j >= first && separator < 0; --j)
        if (items[static_cast<std::size_t>(j)].IsSeparator()) separator = j;
      if (separator >= 0) {
        rows.push_back(MeasureRow(first, separator, TRUE));
        first = separator + 1;
      } else {
        rows.push_back(MeasureRow(first, i - 1, FALSE));
        first = i;
      }
      length = SumWidths(first, i);
    }
  }
  if (first < count) rows.push_back(MeasureRow(first, count - 1, FALSE));
  return static_cast<int>(rows.size());
}

SIZE QVTToolBarLayout::RowMetrics(const std::vector<QVTToolBarRow>& rows) const {
  SIZE size{0, 0};
  for (const QVTToolBarRow& row : rows) {
    size.cx = std::max(size.cx, static_cast<LONG>(row.length));
    size.cy += row.height + (row.endsAtSeparator ? RowGap() : 0);
  }
  return size;
}

SIZE QVTToolBarLayout::CalcWrappedSize(int length, bool vertical) {
  std::vector<QVTToolBarRow> rows;
  const int count = Count();
  int smallest = count ? 0x7FFF : buttonWidth_;
  int largest = 0;
  for (const QVTToolBarItem& item : items) {
    smallest = std::min(smallest, item.width);
    largest = std::max(largest, item.width);
  }
  if (!vertical) {
    WrapButtons(std::max(length, largest), rows);
  } else {
    // `length` is the height there is: find the narrowest bar that fits it.
    const int rowsThatFit = length / buttonHeight_;
    int width = rowsThatFit > 0 ? std::max(count * buttonWidth_ / rowsThatFit, smallest) : 0x7FFF;
    WrapButtons(width, rows);
    SIZE size = RowMetrics(rows);
    if (size.cy < length) {
      std::vector<QVTToolBarRow> narrower;
      while (width - buttonWidth_ >= smallest) {
        WrapButtons(width - buttonWidth_, narrower);
        const SIZE trial = RowMetrics(narrower);
        if (trial.cy > length) break;
        width -= buttonWidth_;
        rows.swap(narrower);
        if (trial.cy == length) break;
      }
    } else {
      while (size.cy > length && rows.size() > 1) {
        width += buttonWidth_;
        WrapButtons(width, rows);
        size = RowMetrics(rows);
      }
    }
  }
  BalanceRows(rows);
  MarkRowEnds(rows);
  return RowMetrics(rows);
}

int QVTToolBarLayout::RowFirst(const std::vector<QVTToolBarRow>& rows, std::size_t row) const {
  return row == 0 ? 0 : rows[row - 1].last + 1;
}

int QVTToolBarLayout::InnerSeparator(const std::vector<QVTToolBarRow>& rows, std::size_t row) const {
  if (!rows[row].endsAtSeparator) return -1;
  for (int i = rows[row].last - 1; i >= RowFirst(rows, row); --i)
    if (items[static_cast<std::size_t>(i)].IsSeparator()) return i;
  return -1;
}

bool QVTToolBarLayout::MoveTrailingGroup(std::vector<QVTToolBarRow>& rows, std::size_t from) const {
  const int inner = InnerSeparator(rows, from);
  if (inner < 0 || from + 1 >= rows.size()) return false;
  const QVTToolBarRow next = rows[from + 1];
  rows[from] = MeasureRow(RowFirst(rows, from), inner, TRUE);
  rows[from + 1] = MeasureRow(inner + 1, next.last, next.endsAtSeparator);
  return true;
}

bool QVTToolBarLayout::GroupMoveHelps(const std::vector<QVTToolBarRow>& rows, std::size_t from, int limit,
                                      int depth) const {
  // The moves tried here are undone: they only say whether moving the
  // group on from the next row would shorten the longest row again.
  std::vector<QVTToolBarRow> trial = rows;
  if (depth <= 0 || !MoveTrailingGroup(trial, from)) return false;
  const std::size_t next = from + 1;
  if (next + 1 >= trial.size()) return false;
  const int inner = InnerSeparator(trial, next);
  if (inner < 0) return false;
  const int group = SumWidths(inner, trial[next].last - 1);
  if (trial[next + 1].length + group < limit) return true;
  return GroupMoveHelps(trial, next, limit, depth - 1);
}

bool QVTToolBarLayout::BalanceStep(std::vector<QVTToolBarRow>& rows) const {
  std::size_t longest = 0;
  for (std::size_t r = 1; r < rows.size(); ++r)
    if (rows[r].length > rows[longest].length) longest = r;
  if (longest + 1 >= rows.size()) return false;
  const QVTToolBarRow& row = rows[longest];
  const QVTToolBarRow& next = rows[longest + 1];
  if (row.endsAtSeparator) {
    const int inner = InnerSeparator(rows, longest);
    if (inner < 0) return false;
    const int group = SumWidths(inner, row.last - 1);
    if (next.length + group >= row.length &&
        !GroupMoveHelps(rows, longest, row.length, static_cast<int>(rows.size())))
      return false;
    return MoveTrailingGroup(rows, longest);
  }
  const int first = RowFirst(rows, longest);
  if (first >= row.last) return false;
  const int moved = items[static_cast<std::size_t>(row.last)].width;
  if (next.length + moved >= row.length) {
    std::size_t target = longest + 1;
    while (target + 1 < rows.size() && !rows[target].endsAtSeparator) ++target;
    if (target == longest + 1 || rows[target].length + moved > row.length) return false;
  }
  const QVTToolBarRow oldNext = next;
  const int last = row.last;
  rows[longest] = MeasureRow(first, last - 1, FALSE);
  rows[longest + 1] = MeasureRow(last, oldNext.last, oldNext.endsAtSeparator);
  return true;
}

void QVTToolBarLayout::BalanceRows(std::vector<QVTToolBarRow>& rows) const {
  if (rows.size() < 2) return;
  // Every move ends a row earlier and items only ever move to later rows,
  // so the moves are bounded by items times rows.
  const std::vector<QVTToolBarRow> before = rows;
  const LONG widthBefore = RowMetrics(rows).cx;
  std::size_t moves = items.size() * rows.size() + 1;
  while (moves-- > 0 && BalanceStep(rows)) {
  }
  // A chain of moves that ends wider than it started (a row passed on a
  // narrower button than it received) is not a balance: keep the rows.
  if (RowMetrics(rows).cx > widthBefore) rows = before;
}

void QVTToolBarLayout::MarkRowEnds(const std::vector<QVTToolBarRow>& rows) {
  for (QVTToolBarItem& item : items) item.style &= ~kTBRowEnd;
  for (std::size_t r = 0; r + 1 < rows.size(); ++r) items[static_cast<std::size_t>(rows[r].last)].style |= kTBRowEnd;
}

std::vector<QVTToolBarRow> QVTToolBarLayout::PlaceButtons(int left, int top) {
  std::vector<QVTToolBarRow> rows;
  int x = left;
  int y = top;
  int first = 0;
  for (int i = 0; i < Count(); ++i) {
    QVTToolBarItem& item = items[static_cast<std::size_t>(i)];
    item.x = x;
    item.y = y;
    x += item.width;
    if (!(item.style & kTBRowEnd) && i + 1 < Count()) continue;
    const QVTToolBarRow row = MeasureRow(first, i, item.IsSeparator());
    for (int j = first; j <= i; ++j) {
      QVTToolBarItem& placed = items[static_cast<std::size_t>(j)];
      if (placed.style & kTBCentred) placed.y = y + (row.height - placed.height) / 2;
    }
    y += row.height + (item.IsSeparator() ? RowGap() : 0);
    x = left;
    first = i + 1;
    rows.push_back(row);
  }
  return rows;
}

void QVTToolBarLayout::RowAround(int index, int& first, int& last) const {
  first = index;
  while (first > 0 && !(items[static_cast<std::size_t>(first - 1)].style & kTBRowEnd)) --first;
  last = index;
  while (last + 1 < Count() && !(items[static_cast<std::size_t>(last)].style & kTBRowEnd)) ++last;
}

void QVTToolBarLayout::InsertButton(int index, const QVTToolBarItem& item) {
  index = std::clamp(index, 0, Count());
  QVTToolBarItem added = item;
  added.style &= ~kTBRowEnd;  // rows are the layout's to mark
  items.insert(items.begin() + index, added);
  int first = 0;
  int last = 0;
  RowAround(index, first, last);
  if (added.IsSeparator()) {
    const int tallest = TallestButton(first, last);
    if (tallest > 0) items[static_cast<std::size_t>(index)].height = tallest;
  } else {
    for (int i = first; i <= last; ++i) {
      QVTToolBarItem& other = items[static_cast<std::size_t>(i)];
      if (other.IsSeparator()) other.height = std::max(other.height, added.height);
    }
  }
  mruWidth += added.width;
  if (selected >= index) ++selected;
  if (hot >= index) ++hot;
}

int QVTToolBarLayout::ShiftIndex(int index, int removedAt, int count) const {
  if (index < 0) return -1;
  if (index >= removedAt && index < removedAt + count) return -1;
  return index >= removedAt + count ? index - count : index;
}

QVTToolBarLayout::Removal QVTToolBarLayout::RemoveButton(int index) {
  Removal result;
  if (index < 0 || index >= Count()) return result;
  result.removed = true;
  int first = 0;
  int last = 0;
  RowAround(index, first, last);
  const QVTToolBarItem gone = items[static_cast<std::size_t>(index)];
  // A row that ended at the removed button now ends at the one before it.
  if ((gone.style & kTBRowEnd) && index > first) items[static_cast<std::size_t>(index - 1)].style |= kTBRowEnd;
  items.erase(items.begin() + index);
  --last;
  if (!gone.IsSeparator() && first <= last) {
    const int tallest = TallestButton(first, last);
    const int height = tallest > 0 ? tallest : RowGap();
    for (int i = first; i <= last; ++i) {
      QVTToolBarItem& other = items[static_cast<std::size_t>(i)];
      if (other.IsSeparator()) other.height = height;
    }
  }

  // The separators that now meet where the button was: all of them at
  // either end of the bar, all but one between two buttons.
  int runStart = index;
  while (runStart > 0 && items[static_cast<std::size_t>(runStart - 1)].IsSeparator()) --runStart;
  int runEnd = index;
  while (runEnd < Count() && items[static_cast<std::size_t>(runEnd)].IsSeparator()) ++runEnd;
  int dropFrom = runStart;
  if (runStart > 0 && runEnd < Count()) dropFrom = runStart + 1;
  if (dropFrom < runEnd) {
    // The run's last item may have carried its row's end.
    if ((items[static_cast<std::size_t>(runEnd - 1)].style & kTBRowEnd) && dropFrom > 0)
      items[static_cast<std::size_t>(dropFrom - 1)].style |= kTBRowEnd;
    items.erase(items.begin() + dropFrom, items.begin() + runEnd);
  }
  const int separatorsDropped = std::max(runEnd - dropFrom, 0);
  result.itemsRemoved = 1 + separatorsDropped;

  // Indices of the items before the removal: the button at `index`, and
  // the dropped separators, which sat either just before it or just after.
  auto follow = [&](int position) {
    if (position < 0 || position == index) return -1;
    int shifted = position > index ? position - 1 : position;
    if (separatorsDropped > 0) shifted = ShiftIndex(shifted, dropFrom, separatorsDropped);
    return shifted;
  };
  selected = follow(selected);
  hot = follow(hot);
  result.destroyBar = items.empty() && barId > kLastDefaultBarId && barId != kMenuBarId;
  return result;
}

SIZE QVTToolBarLayout::StretchedVerticalSize(SIZE wrapped, int dockedLength) {
  // A bar stretched along a side row is as long as the row; across the row
  // it stays as wide as its wrapped buttons need, the same width it would
  // have unstretched, so it neither crowds the frame's view nor leaves its
  // buttons cut off. Without a docked length it keeps its wrapped height.
  return SIZE{wrapped.cx, dockedLength > 0 ? dockedLength : wrapped.cy};
}

}  // namespace docking

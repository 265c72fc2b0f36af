#include "docking/QVTDockArray.h"

#include <algorithm>

namespace docking {

int QVTDockArray::FindBar(Bar bar) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (bar != nullptr && entries_[i].bar == bar) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int QVTDockArray::FindPlaceholder(UINT id) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (id != 0 && !entries_[i].IsBar() && entries_[i].placeholder == id) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

bool QVTDockArray::HasBars() const {
  return std::any_of(entries_.begin(), entries_.end(), [](const Entry& e) { return e.IsBar(); });
}

int QVTDockArray::RowCount() const {
  return static_cast<int>(std::count_if(entries_.begin(), entries_.end(), [](const Entry& e) { return e.IsRowEnd(); })) -
         1;
}

int QVTDockArray::RowStart(int row) const {
  int ends = 0;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].IsRowEnd() && ends++ == row) {
      return static_cast<int>(i) + 1;
    }
  }
  return static_cast<int>(entries_.size()) - 1;
}

int QVTDockArray::RowEndAfter(int index) const {
  int i = std::max(index, 1);
  while (i < static_cast<int>(entries_.size()) && !entries_[i].IsRowEnd()) {
    ++i;
  }
  return i;
}

std::vector<QVTDockArray::Bar> QVTDockArray::GetRowBars(Bar bar) const {
  std::vector<Bar> row;
  const int index = FindBar(bar);
  if (index < 0) {
    return row;
  }
  int start = index;
  while (!entries_[start - 1].IsRowEnd()) {
    --start;
  }
  for (int i = start; !entries_[i].IsRowEnd(); ++i) {
    if (entries_[i].IsBar()) {
      row.push_back(entries_[i].bar);
    }
  }
  return row;
}

bool QVTDockArray::GetBarPosition(Bar bar, BarPosition& position) const {
  int row = -1;
  int column = 0;
  bool rowShown = false;
  for (std::size_t i = 1; i < entries_.size(); ++i) {
    const Entry& e = entries_[i];
    if (e.IsRowEnd()) {
      rowShown = false;
      continue;
    }
    if (!e.IsBar() || !bars_.IsVisible(e.bar)) {
      continue;
    }
    if (!rowShown) {
      rowShown = true;
      ++row;
      column = 0;
    }
    if (e.bar == bar) {
      position = {row, column};
      return true;
    }
    ++column;
  }
  return false;
}

int QVTDockArray::InsertBar(int index, Bar bar) {
  index = std::clamp(index, 1, static_cast<int>(entries_.size()) - 1);
  entries_.insert(entries_.begin() + index, Entry{bar, 0});
  const bool alone = bars_.StaysAloneInRow(bar);
  const Entry& next = entries_[index + 1];
  if (!next.IsRowEnd() && (alone || StaysAlone(next))) {
    entries_.insert(entries_.begin() + index + 1, Entry{});
  }
  const Entry& previous = entries_[index - 1];
  if (!previous.IsRowEnd() && (alone || StaysAlone(previous))) {
    entries_.insert(entries_.begin() + index, Entry{});
    ++index;
  }
  return index;
}

int QVTDockArray::InsertNewRowAt(int index, Bar bar, int extraRowEnds) {
  entries_.insert(entries_.begin() + index, static_cast<std::size_t>(1 + extraRowEnds), Entry{});
  entries_.insert(entries_.begin() + index, Entry{bar, 0});
  return index;
}

int QVTDockArray::InsertFirstRow(Bar bar) {
  if (!HasBars()) {
    return AppendRow(bar);
  }
  return InsertNewRowAt(1, bar, 0);
}

int QVTDockArray::AppendRow(Bar bar) {
  // The list already ends with a row end: the bar and one more make a row,
  // and no empty row comes with it.
  return InsertNewRowAt(static_cast<int>(entries_.size()), bar, 0);
}

int QVTDockArray::InsertBarInRow(Bar bar, Position position) {
  if (!HasBars()) {
    return AppendRow(bar);
  }
  const int rows = RowCount();
  int row = position.row;
  if ((position.flags & kRowFromLast) != 0) {
    row = rows - 1 - row;
  }
  if (row < 0) {
    return InsertNewRowAt(1, bar, -row - 1);
  }
  if (row >= rows) {
    entries_.insert(entries_.end(), static_cast<std::size_t>(row - rows), Entry{});
    return AppendRow(bar);
  }
  const int start = RowStart(row);
  const bool fromEnd = (position.flags & kColumnFromEnd) != 0;
  if ((position.flags & kNewRow) != 0) {
    return InsertNewRowAt(start, bar, 0);
  }
  if ((!fromEnd && position.column <= 0) || entries_[start].IsRowEnd()) {
    return InsertBar(start, bar);
  }
  std::vector<int> visible;
  const int end = RowEndAfter(start);
  for (int i = start; i < end; ++i) {
    if (entries_[i].IsBar() && bars_.IsVisible(entries_[i].bar)) {
      visible.push_back(i);
    }
  }
  const int count = static_cast<int>(visible.size());
  const int before = fromEnd ? count - position.column : position.column;
  if (before <= 0) {
    return InsertBar(start, bar);
  }
  return InsertBar(before >= count ? end : visible[before], bar);
}

int QVTDockArray::InsertRowAt(Bar bar, const ui::RECT& drop, ui::POINT centre, bool horizontal) {
  for (std::size_t i = 1; i < entries_.size(); ++i) {
    const Entry& e = entries_[i];
    if (!e.IsBar() || e.bar == bar) {
      continue;
    }
    const ui::RECT r = bars_.BarRect(e.bar);
    const int farEdge = horizontal ? r.bottom : r.right;
    const int nearEdge = horizontal ? r.top : r.left;
    const int centreAcross = horizontal ? centre.y : centre.x;
    if (farEdge < centreAcross) {
      continue;
    }
    if (centreAcross < nearEdge) {
      // Between rows (or before the first): a new row before this bar's row.
      int start = static_cast<int>(i);
      while (!entries_[start - 1].IsRowEnd()) {
        --start;
      }
      return InsertNewRowAt(start, bar, 0);
    }
    const int dropLead = horizontal ? drop.left : drop.top;
    const int barMiddle = horizontal ? (r.left + r.right) / 2 : (r.top + r.bottom) / 2;
    if (dropLead < barMiddle || !bars_.IsVisible(e.bar)) {
      return InsertBar(static_cast<int>(i), bar);
    }
    if (entries_[i + 1].IsRowEnd()) {
      return InsertBar(static_cast<int>(i) + 1, bar);
    }
  }
  return AppendRow(bar);
}

bool QVTDockArray::ReplacePlaceholder(UINT id, Bar bar) {
  const int index = FindPlaceholder(id);
  if (index < 0) {
    return false;
  }
  entries_.erase(entries_.begin() + index);
  InsertBar(index, bar);
  return true;
}

void QVTDockArray::EraseAndCollapse(int index) {
  entries_.erase(entries_.begin() + index);
  // Two row ends meeting where the entry was: that row is gone.
  if (index < static_cast<int>(entries_.size()) && entries_[index].IsRowEnd() && entries_[index - 1].IsRowEnd()) {
    entries_.erase(entries_.begin() + index);
  }
}

bool QVTDockArray::RemoveControlBar(Bar bar, bool keepPlaceholder) {
  const int index = FindBar(bar);
  if (index < 0) {
    return false;
  }
  const UINT id = bars_.BarId(bar);
  if (keepPlaceholder && id != 0 && FindPlaceholder(id) < 0) {
    entries_[index] = Entry{nullptr, id};
  } else {
    EraseAndCollapse(index);
  }
  return true;
}

void QVTDockArray::RemovePlaceholder(UINT id) {
  for (int index = FindPlaceholder(id); index >= 0; index = FindPlaceholder(id)) {
    EraseAndCollapse(index);
  }
}

}  // namespace docking

#include "docking/QVTToolBarDrop.h"

#include <algorithm>

#include "docking/QVTCustomToolBar.h"
#include "docking/QVTToolBarDragDrop.h"
#include "platform/afx/ControlBarStyles.h"

namespace docking {

namespace {

// A button dropped this close to its own place has not moved.
constexpr int kLeastShift = 2;
// A separator counts as covered with this much room on either side.
constexpr int kCoverSlack = 1;

}  // namespace

QVTToolBarDrop::QVTToolBarDrop(QVTCustomToolBar& target, const RECT& rect, BOOL copy, BOOL noRecalc)
    : target_(target), rect_(rect), copy_(copy), noRecalc_(noRecalc) {
  if (target_.m_hWnd) target_.GetClientRect(&inside_);
  target_.CalcInsideRect(inside_, (target_.GetBarStyle() & afx::CBRS_ORIENT_HORZ) != 0);
}

BOOL QVTToolBarDrop::Drop(QVTStdBtn* button) {
  if (!button || !button->m_pBar) return FALSE;
  const UINT id = button->m_nID;  // the button may be gone once it is moved
  int index = 0;
  if (target_.GetButtonCount() > 0) {
    const std::optional<int> place = PlaceAmongButtons(button);
    if (!place) return TRUE;
    index = *place;
  } else if (!copy_ && !RemoveFromSource(button)) {
    return FALSE;
  }
  target_.InsertButton(index, id, FALSE, noRecalc_);
  if (!QVTToolBarDragDrop::IsAltDragging()) target_.SelectButton(index, TRUE);
  return TRUE;
}

std::optional<int> QVTToolBarDrop::PlaceAmongButtons(QVTStdBtn* button) {
  const bool own_bar = button->m_pBar == &target_;
  if (own_bar && !copy_ && target_.GetButtonCount() == 1) return std::nullopt;
  int index = 0;
  if (rect_.bottom <= inside_.top) {
    target_.InsertButton(0, 0, TRUE, TRUE);
    index = 0;
  } else if (rect_.top >= inside_.bottom) {
    target_.InsertButton(target_.GetButtonCount(), 0, TRUE, TRUE);
    index = target_.GetButtonCount();
  } else {
    const Row row = FindRow();
    if (own_bar && TrySideways(row, button)) return std::nullopt;
    index = InsertionIndex(row);
  }
  if (!copy_) {
    if (own_bar) {
      // Just before or just after itself is where it already is.
      const int own = target_.ButtonToIndex(button);
      if (index == own || index == own + 1) return std::nullopt;
      index = RemoveKeepingPlace(target_, own, index, TRUE);
    } else if (!RemoveFromSource(button)) {
      return std::nullopt;
    }
  }
  TakeCoveredSeparator(index);
  return index;
}

int QVTToolBarDrop::RemoveKeepingPlace(QVTCustomToolBar& bar, int removeAt, int insertAt, BOOL noRecalc) {
  // The items before the insertion point, known by their addresses: the
  // survivors among them are what precedes the insertion point afterwards.
  std::vector<std::uintptr_t> before;
  for (int i = 0; i < std::min(insertAt, bar.GetButtonCount()); ++i)
    before.push_back(reinterpret_cast<std::uintptr_t>(bar.GetButton(i)));
  bar.RemoveButton(removeAt, noRecalc);
  int survivors = 0;
  for (int i = 0; i < bar.GetButtonCount(); ++i)
    if (std::find(before.begin(), before.end(), reinterpret_cast<std::uintptr_t>(bar.GetButton(i))) != before.end())
      ++survivors;
  return survivors;
}

BOOL QVTToolBarDrop::RemoveFromSource(QVTStdBtn* button) {
  QVTCustomToolBar* source = button->m_pBar;
  const int at = source->ButtonToIndex(button);
  if (at < 0) return FALSE;
  // The source may be left empty; a move that empties it is still a move.
  source->RemoveButton(at, FALSE);
  return TRUE;
}

bool QVTToolBarDrop::IsSeparator(int index) const {
  const QVTStdBtn* button = target_.GetButton(index);
  return button && button->IsSeparator();
}

std::vector<QVTToolBarDrop::Row> QVTToolBarDrop::Rows() const {
  std::vector<Row> rows;
  int first = 0;
  const int count = target_.GetButtonCount();
  for (int i = 0; i < count; ++i) {
    if (!(target_.GetButton(i)->GetStyle() & kTBRowEnd) && i + 1 < count) continue;
    rows.push_back(Row{first, i});
    first = i + 1;
  }
  return rows;
}

int QVTToolBarDrop::RowHeight(const Row& row) const {
  int tallest = 0, separator = 0;
  for (int i = row.first; i <= row.last; ++i) {
    const QVTStdBtn& item = *target_.GetButton(i);
    if (item.GetStyle() & kTBHidden) continue;
    int& height = item.IsSeparator() ? separator : tallest;
    height = std::max(height, item.m_cy);
  }
  return tallest > 0 ? tallest : separator;
}

QVTToolBarDrop::Row QVTToolBarDrop::FindRow() const {
  const std::vector<Row> rows = Rows();
  const int middle = (rect_.top + rect_.bottom) / 2;
  const int gap = target_.GetSeparatorWidth() * 2 / 3;
  Row found = rows.back();
  int bottom = inside_.top;
  for (const Row& row : rows) {
    bottom += RowHeight(row);
    if (IsSeparator(row.last)) bottom += gap;
    if (bottom >= middle) {
      found = row;
      break;
    }
  }
  while (found.last > found.first && IsSeparator(found.last)) --found.last;
  return found;
}

int QVTToolBarDrop::InsertionIndex(const Row& row) const {
  if (rect_.left < inside_.left) return row.first;
  int right = inside_.left;
  for (int i = row.first; i <= row.last; ++i) {
    const QVTStdBtn& item = *target_.GetButton(i);
    if (item.GetStyle() & kTBHidden) continue;
    right += item.m_cx;
    if (right > rect_.left) return i + 1;
  }
  return row.last + 1;
}

bool QVTToolBarDrop::TrySideways(const Row& row, const QVTStdBtn* button) {
  const int own = target_.ButtonToIndex(button);
  if (own < row.first || own > row.last) return false;
  const RECT s = button->GetRect();
  if (rect_.left < s.left && s.left <= rect_.right) {
    if (s.left - rect_.left < kLeastShift) return true;
    return !copy_ && JoinOrSplitLeft(own);
  }
  if (s.right < rect_.right && rect_.left <= s.right) {
    if (rect_.right - s.right < kLeastShift) return true;
    return !copy_ && JoinOrSplitRight(own);
  }
  return false;
}

bool QVTToolBarDrop::JoinOrSplitLeft(int own) {
  if (IsSeparator(own - 1)) {
    target_.RemoveButton(own - 1, noRecalc_);  // it joins the group on its left
  } else if (target_.GetButton(own + 1) && !IsSeparator(own + 1)) {
    target_.InsertButton(own + 1, 0, TRUE, noRecalc_);  // and leaves the one on its right
  }
  return true;
}

bool QVTToolBarDrop::JoinOrSplitRight(int own) {
  if (own == 0 || IsSeparator(own - 1)) {
    if (IsSeparator(own + 1)) target_.RemoveButton(own + 1, noRecalc_);  // it joins the group on its right
  } else {
    target_.InsertButton(own, 0, TRUE, noRecalc_);  // it starts a group of its own
  }
  return true;
}

void QVTToolBarDrop::TakeCoveredSeparator(int& index) {
  const QVTStdBtn* separator = target_.GetButton(index);
  if (!separator || !separator->IsSeparator() || (separator->GetStyle() & kTBRowEnd)) return;
  const RECT s = separator->GetRect();
  if (rect_.left > s.left + kCoverSlack || rect_.right < s.right - kCoverSlack || rect_.top > s.top + kCoverSlack ||
      rect_.bottom < s.bottom - kCoverSlack)
    return;
  index = RemoveKeepingPlace(target_, index, index, TRUE);
}

}  // namespace docking

// QVTToolBarDrop: where a dragged button lands on the bar it is dropped
// on. Dropped above or below the buttons it goes first or last behind a
// new group separator; otherwise into the row under the rectangle's middle,
// after the button whose right edge the rectangle's left edge passes. A
// button dropped beside its own place instead joins the group next to it
// or starts a group of its own. A move takes the button from where it was;
// a drop that covers a separator takes that separator's place.
//
// The dragged button is followed by identity, never by an index: adding
// or removing separators moves indices, and removing a button can take a
// redundant separator with it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/ui/Types.h"

namespace docking {

class QVTCustomToolBar;
class QVTStdBtn;

class QVTToolBarDrop {
 public:
  // `rect` is in the target's client coordinates.
  QVTToolBarDrop(QVTCustomToolBar& target, const ui::RECT& rect, ui::BOOL copy, ui::BOOL noRecalc);
  // TRUE when the drop was made, or had nothing to change.
  ui::BOOL Drop(QVTStdBtn* button);

  // The place an item of a bar is taken from while `insertAt` keeps
  // pointing between the same neighbours: the index it has afterwards.
  static int RemoveKeepingPlace(QVTCustomToolBar& bar, int removeAt, int insertAt, ui::BOOL noRecalc);

 private:
  struct Row {
    int first = 0;
    int last = -1;
  };
  // Where the button goes among the target's buttons; none when the drop
  // is over (it changed nothing, or only the separators beside it).
  std::optional<int> PlaceAmongButtons(QVTStdBtn* button);
  Row FindRow() const;
  std::vector<Row> Rows() const;
  int RowHeight(const Row& row) const;
  // Beside its own place: the button joins or leaves a group. TRUE when
  // that was the drop.
  bool TrySideways(const Row& row, const QVTStdBtn* button);
  bool JoinOrSplitLeft(int own);
  bool JoinOrSplitRight(int own);
  int InsertionIndex(const Row& row) const;
  void TakeCoveredSeparator(int& index);
  bool IsSeparator(int index) const;
  // Takes a moved button from another bar.
  static ui::BOOL RemoveFromSource(QVTStdBtn* button);

  QVTCustomToolBar& target_;
  ui::RECT rect_;
  ui::BOOL copy_;
  ui::BOOL noRecalc_;
  ui::RECT inside_{0, 0, 0, 0};
};

}  // namespace docking

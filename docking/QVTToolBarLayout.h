// The window-free part of a customisable toolbar: its buttons as placed
// items (id, style word, size, place), wrapping them into rows, balancing
// the rows, inserting and removing buttons with their separators, and the
// size a stretched bar takes. The toolbar window keeps one of these and
// draws, hit-tests and sends commands on top of it.
#pragma once

#include <vector>

#include "platform/afx/AfxIds.h"

namespace docking {

using namespace afx;

// Bits of a button's style word.
enum : DWORD {
  kTBSeparator = 0x00000001,
  kTBCheck = 0x00000002,
  kTBDropDown = 0x00000008,
  kTBChecked = 0x00010000,
  kTBPressed = 0x00020000,
  kTBDisabled = 0x00040000,
  kTBHidden = 0x00080000,
  kTBIndeterminate = 0x00100000,
  kTBRowEnd = 0x00200000,
  kTBSelected = 0x01000000,
  kTBHot = 0x02000000,
  kTBNeverDisable = 0x10000000,
  kTBCentred = 0x20000000,
};

struct QVTToolBarItem {
  UINT id = 0;  // 0 for a separator
  DWORD style = 0;
  int width = 23;
  int height = 22;
  int x = -1;
  int y = -1;
  bool IsSeparator() const { return (style & kTBSeparator) != 0; }
};

struct QVTToolBarRow {
  int last = -1;                 // index of the row's last item
  BOOL endsAtSeparator = FALSE;  // the row was broken at that separator
  int length = 0;                // its items' widths, the ending separator left out
  int height = 0;                // its tallest item that is not a separator
  friend bool operator==(const QVTToolBarRow&, const QVTToolBarRow&) = default;
};

class QVTToolBarLayout {
 public:
  // A bar whose control id is above this one was made by the user, and
  // goes when its last button is removed.
  static constexpr UINT kLastDefaultBarId = 0xE81F;

  struct Removal {
    bool removed = false;      // false for an index outside the bar
    int itemsRemoved = 0;      // the button and the separators it left redundant
    bool destroyBar = false;   // a user bar left empty
  };

  explicit QVTToolBarLayout(int separatorWidth = 8, int buttonWidth = 23, int buttonHeight = 22)
      : separatorWidth_(separatorWidth), buttonWidth_(buttonWidth), buttonHeight_(buttonHeight) {}

  // The rows of the items at a row length of at most maxLength (2 pixels
  // of slack); rows replaces its contents. Returns the row count.
  int WrapButtons(int maxLength, std::vector<QVTToolBarRow>& rows) const;
  // Width of the longest row; height of all rows plus the gap after each
  // row that ends at a separator.
  SIZE RowMetrics(const std::vector<QVTToolBarRow>& rows) const;
  // Wraps for a horizontal bar of the given width, or for a vertical bar
  // of the given height (the narrowest width whose rows fit), balances the
  // rows and marks the end of every row but the last in the style words.
  SIZE CalcWrappedSize(int length, bool vertical);
  // Moves buttons from the longest rows into the rows after them where
  // that shortens the longest row; never makes the bar wider.
  void BalanceRows(std::vector<QVTToolBarRow>& rows) const;
  // Places the items row by row from (left, top); returns the rows.
  std::vector<QVTToolBarRow> PlaceButtons(int left, int top);

  // Inserts at index (clamped to the count) and fits separator heights to
  // the row; the selection and hot indices at or after it move up.
  void InsertButton(int index, const QVTToolBarItem& item);
  // Removes the button and every separator its removal left leading,
  // trailing or doubled; the selection and hot indices follow.
  Removal RemoveButton(int index);

  // The size a bar stretched along a left or right dock row takes: the
  // docked length as its height, and the width its wrapped buttons need.
  static SIZE StretchedVerticalSize(SIZE wrapped, int dockedLength);

  int GetSeparatorWidth() const { return separatorWidth_; }
  // The gap after a row that ends at a separator: two thirds of its width.
  int RowGap() const { return separatorWidth_ * 2 / 3; }
  int GetButtonWidth() const { return buttonWidth_; }
  int GetButtonHeight() const { return buttonHeight_; }
  int Count() const { return static_cast<int>(items.size()); }

  std::vector<QVTToolBarItem> items;
  int selected = -1;  // the customise selection
  int hot = -1;       // the button under the mouse in cool look
  int mruWidth = 0;   // grows by every inserted button's width
  UINT barId = 0;

 private:
  QVTToolBarRow MeasureRow(int first, int last, BOOL endsAtSeparator) const;
  int TallestButton(int first, int last) const;
  int SumWidths(int first, int last) const;
  // The items of the row that holds index, by the row-end bits.
  void RowAround(int index, int& first, int& last) const;
  bool MoveTrailingGroup(std::vector<QVTToolBarRow>& rows, std::size_t from) const;
  bool GroupMoveHelps(const std::vector<QVTToolBarRow>& rows, std::size_t from, int limit, int depth) const;
  int InnerSeparator(const std::vector<QVTToolBarRow>& rows, std::size_t row) const;
  int RowFirst(const std::vector<QVTToolBarRow>& rows, std::size_t row) const;
  bool BalanceStep(std::vector<QVTToolBarRow>& rows) const;
  void MarkRowEnds(const std::vector<QVTToolBarRow>& rows);
  int ShiftIndex(int index, int removedAt, int count) const;

  int separatorWidth_;
  int buttonWidth_;
  int buttonHeight_;
};

}  // namespace docking

// A dock bar's list of bars, without windows: one entry per slot, in
// order. An entry is a docked bar, a placeholder (the id of a bar that was
// here and may come back) or a row end. The list starts with a row end and
// every row ends with one; a row is the run of entries between two row ends.
// A bar that asks to stay alone in its row never shares it.
#pragma once

#include <vector>

#include "platform/ui/Types.h"

namespace docking {

class QVTDockArray {
 public:
  using Bar = void*;  // the docked bar; the array never dereferences it
  using UINT = ui::UINT;

  // What the array needs to know about its bars.
  class Bars {
   public:
    virtual ~Bars() = default;
    virtual bool IsVisible(Bar bar) const = 0;
    virtual bool StaysAloneInRow(Bar bar) const = 0;
    virtual UINT BarId(Bar bar) const = 0;
    // The bar's window rectangle in the dock bar's client coordinates.
    virtual ui::RECT BarRect(Bar bar) const = 0;
  };

  struct Entry {
    Bar bar = nullptr;
    UINT placeholder = 0;
    bool IsRowEnd() const { return bar == nullptr && placeholder == 0; }
    bool IsBar() const { return bar != nullptr; }
    friend bool operator==(const Entry&, const Entry&) = default;
  };

  // Flags of a row and column position.
  static constexpr UINT kRowFromLast = 1;
  static constexpr UINT kColumnFromEnd = 2;
  static constexpr UINT kNewRow = 4;

  struct Position {
    int row = 0;
    int column = 0;
    UINT flags = 0;
  };

  struct BarPosition {
    int row = 0;
    int position = 0;
  };

  explicit QVTDockArray(const Bars& bars) : bars_(bars) {}

  const std::vector<Entry>& Entries() const { return entries_; }

  int FindBar(Bar bar) const;
  int FindPlaceholder(UINT id) const;
  bool HasBars() const;
  // Rows, empty ones included.
  int RowCount() const;
  // The index of the row's first entry (the entry after its row end before).
  int RowStart(int row) const;
  // The bars of `bar`'s row, in order; empty when the bar is not here.
  std::vector<Bar> GetRowBars(Bar bar) const;
  // The bar's row and position among the visible bars, counted from the
  // first row that shows a bar; FALSE when the bar is not here or hidden.
  bool GetBarPosition(Bar bar, BarPosition& position) const;

  // Inserts at `index` (kept after the leading row end and before the last),
  // adding the row ends that keep a bar that stays alone alone. Returns the
  // bar's index.
  int InsertBar(int index, Bar bar);
  // The bar as a new row before the first row; the only row when there is none.
  int InsertFirstRow(Bar bar);
  // The bar as a new row after the last one.
  int AppendRow(Bar bar);
  // The bar at a row and column, as a bar layout restore asks for it.
  int InsertBarInRow(Bar bar, Position position);
  // The bar where it was dropped: `drop` and its centre in the dock bar's
  // client coordinates, `horizontal` for a top or bottom dock bar.
  int InsertRowAt(Bar bar, const ui::RECT& drop, ui::POINT centre, bool horizontal);
  // Replaces the placeholder of `id` by the bar; FALSE when there is none.
  bool ReplacePlaceholder(UINT id, Bar bar);

  // Takes the bar out. With `keepPlaceholder` its id stays in its place
  // (unless the id is 0 or already held elsewhere); a row left empty goes.
  bool RemoveControlBar(Bar bar, bool keepPlaceholder);
  // Removes every placeholder of `id`, and a row that leaves empty.
  void RemovePlaceholder(UINT id);

 private:
  bool StaysAlone(const Entry& e) const { return e.IsBar() && bars_.StaysAloneInRow(e.bar); }
  int RowEndAfter(int index) const;
  void EraseAndCollapse(int index);
  int InsertNewRowAt(int index, Bar bar, int extraRowEnds);

  const Bars& bars_;
  std::vector<Entry> entries_{Entry{}};
};

}  // namespace docking

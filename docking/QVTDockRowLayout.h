// The geometry of a dock bar's rows, without windows: where every bar of
// every row goes, with the splitters between sizable bars and toward the
// client area and the thin edge on a sizable row's outer side; the limits a
// dragged splitter keeps to and what a splitter move does to the bars.
//
// Coordinates are the dock bar's client coordinates: rows stack from 0 along
// the dock bar's thickness, bars run from 0 to the available length.
#pragma once

#include <span>
#include <vector>

#include "docking/QVTRowProportions.h"
#include "platform/ui/Types.h"

namespace docking {

enum class QVTDockSide { kTop, kBottom, kLeft, kRight };

class QVTDockRowLayout {
 public:
  static constexpr int kSplitterThickness = 6;
  static constexpr int kClientEdgeThickness = 2;
  // What a dragged splitter leaves at least to each bar of its row, and to
  // a row and the client area.
  static constexpr int kMinimumDraggedBar = 24;
  static constexpr int kMinimumRowOrClient = 19;

  enum SplitterKind { kRowToClient = 0, kBetweenBars = 1 };
  enum Orientation { kHorizontalStrip = 0, kVerticalStrip = 1 };

  struct Bar {
    int entry = 0;           // index of the bar in the dock array
    bool visible = true;
    bool sizable = false;
    float proportion = 1.0f;  // share of a sizable row
    int length = 0;           // along the row, in a row without sizable bars
    int thickness = 0;        // across the row
    int currentStart = -1;    // where the window is along the row now (-1: nowhere)
    int overlap = 0;          // how far the next bar may overlap this one's border
  };

  struct Row {
    int firstEntry = 0;  // index of the row's first entry in the dock array
    std::vector<Bar> bars;
  };

  struct Splitter {
    SplitterKind kind = kBetweenBars;
    Orientation orientation = kVerticalStrip;
    ui::RECT rect;
    int index = 0;  // the row's first entry, or the entry of the bar before it
    int row = 0;
  };

  struct ClientEdge {
    Orientation orientation = kHorizontalStrip;
    ui::RECT rect;
  };

  struct Result {
    std::vector<std::vector<ui::RECT>> barRects;  // per row, per bar (empty for hidden bars)
    std::vector<int> rowThickness;
    std::vector<Splitter> splitters;
    std::vector<ClientEdge> clientEdges;
    ui::SIZE size;  // the dock bar's size without its own borders; 0 x 0 when empty
  };

  struct Limits {
    int lower = 0;  // for the splitter's left or top edge
    int upper = 0;
  };

  explicit QVTDockRowLayout(QVTDockSide side) : side_(side) {}

  bool IsHorizontal() const { return side_ == QVTDockSide::kTop || side_ == QVTDockSide::kBottom; }

  // Lays out `rows` in a dock bar whose rows are `available` pixels long.
  Result CalcFixedLayout(std::span<const Row> rows, int available) const;

  // The range of positions of `splitter` (its left or top edge) in a drag.
  // Between bars every bar keeps 24 pixels; against the client area the row
  // and the client area (`client`, in the dock bar's coordinates) keep 19.
  Limits CalcSplitterLimits(const Splitter& splitter, const Result& layout, int available,
                            const ui::RECT& client) const;

  // A row-to-client splitter moved by `delta` along the stacking axis: the
  // row's new thickness (moving toward the client area thickens the row).
  int RowThicknessAfterMove(int thickness, int delta) const;

  // A splitter between the bar at `before` and the next moved by `delta`:
  // the bars on the far side of the motion give up length, nearest first,
  // down to 18 pixels each, and the bar on the near side takes exactly what
  // they gave, so the row keeps its length. `lengths` are the visible bars'
  // lengths of a row `rowLength` pixels long without its splitters; the
  // visible bars' shares are set from the new lengths.
  static void ApplySplitterMove(std::vector<int>& lengths, int before, int delta, int rowLength,
                                std::vector<QVTRowShare>& shares, float minimum);

 private:
  ui::RECT BarRect(int along, int length, int across, int thickness) const;
  ui::RECT StripAcross(int across, int thickness, int available) const;

  QVTDockSide side_;
};

}  // namespace docking

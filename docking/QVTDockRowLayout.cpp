#include "docking/QVTDockRowLayout.h"

#include <algorithm>
#include <cmath>

namespace docking {

namespace {

bool HasSizableBar(const QVTDockRowLayout::Row& row) {
  return std::any_of(row.bars.begin(), row.bars.end(),
                     [](const QVTDockRowLayout::Bar& b) { return b.visible && b.sizable; });
}

int VisibleCount(const QVTDockRowLayout::Row& row) {
  return static_cast<int>(
      std::count_if(row.bars.begin(), row.bars.end(), [](const QVTDockRowLayout::Bar& b) { return b.visible; }));
}

}  // namespace

ui::RECT QVTDockRowLayout::BarRect(int along, int length, int across, int thickness) const {
  if (IsHorizontal()) {
    return {along, across, along + length, across + thickness};
  }
  return {across, along, across + thickness, along + length};
}

ui::RECT QVTDockRowLayout::StripAcross(int across, int thickness, int available) const {
  return BarRect(0, available, across, thickness);
}

QVTDockRowLayout::Result QVTDockRowLayout::CalcFixedLayout(std::span<const Row> rows, int available) const {
  Result result;
  const Orientation acrossRow = IsHorizontal() ? kHorizontalStrip : kVerticalStrip;
  const Orientation alongRow = IsHorizontal() ? kVerticalStrip : kHorizontalStrip;
  const bool edgeFirst = side_ == QVTDockSide::kTop || side_ == QVTDockSide::kLeft;
  int across = 0;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const Row& row = rows[r];
    std::vector<ui::RECT> rects(row.bars.size());
    const int visible = VisibleCount(row);
    int thickness = 0;
    for (const Bar& bar : row.bars) {
      if (bar.visible) {
        thickness = std::max(thickness, bar.thickness);
      }
    }
    if (visible == 0) {
      result.barRects.push_back(rects);
      result.rowThickness.push_back(0);
      continue;
    }
    const bool sizable = HasSizableBar(row);
    if (sizable) {
      // Edge and client splitter on either side of the row.
      const ui::RECT first = StripAcross(across, edgeFirst ? kClientEdgeThickness : kSplitterThickness, available);
      if (edgeFirst) {
        result.clientEdges.push_back({acrossRow, first});
        across += kClientEdgeThickness;
      } else {
        result.splitters.push_back({kRowToClient, acrossRow, first, row.firstEntry, static_cast<int>(r)});
        across += kSplitterThickness;
      }
      // Bars take their share of what the splitters leave; positions are
      // rounded from the running share so the lengths add up to the row
      // and no bar loses a pixel of its minimum.
      const int length = std::max(0, available - kSplitterThickness * (visible - 1));
      double share = 0;
      int seen = 0;
      int start = 0;
      for (std::size_t i = 0; i < row.bars.size(); ++i) {
        const Bar& bar = row.bars[i];
        if (!bar.visible) {
          continue;
        }
        ++seen;
        share += bar.proportion;
        const int end = seen == visible ? length : std::min(length, static_cast<int>(std::floor(share * length + 0.5)));
        const int offset = (seen - 1) * kSplitterThickness;
        rects[i] = BarRect(start + offset, end - start, across, thickness);
        if (seen < visible) {
          const ui::RECT split = BarRect(end + offset, kSplitterThickness, across, thickness);
          result.splitters.push_back({kBetweenBars, alongRow, split, bar.entry, static_cast<int>(r)});
        }
        start = end;
      }
      across += thickness;
      const ui::RECT last = StripAcross(across, edgeFirst ? kSplitterThickness : kClientEdgeThickness, available);
      if (edgeFirst) {
        result.splitters.push_back({kRowToClient, acrossRow, last, row.firstEntry, static_cast<int>(r)});
        across += kSplitterThickness;
      } else {
        result.clientEdges.push_back({acrossRow, last});
        across += kClientEdgeThickness;
      }
    } else {
      // Toolbars at their own length, each where the user left it when that
      // is further along, pulled back to end inside the row.
      int running = 0;
      for (std::size_t i = 0; i < row.bars.size(); ++i) {
        const Bar& bar = row.bars[i];
        if (!bar.visible) {
          continue;
        }
        int start = std::max(running, bar.currentStart);
        if (start + bar.length > available) {
          start = std::max(running, available - bar.length);
        }
        rects[i] = BarRect(start, bar.length, across, bar.thickness);
        running = start + bar.length - bar.overlap;
      }
      across += thickness;
    }
    result.barRects.push_back(rects);
    result.rowThickness.push_back(thickness);
  }
  if (across > 0) {
    result.size = IsHorizontal() ? ui::SIZE{available, across} : ui::SIZE{across, available};
  }
  return result;
}

QVTDockRowLayout::Limits QVTDockRowLayout::CalcSplitterLimits(const Splitter& splitter, const Result& layout,
                                                              int available, const ui::RECT& client) const {
  const int position = splitter.orientation == kVerticalStrip ? splitter.rect.left : splitter.rect.top;
  if (splitter.kind == kBetweenBars) {
    const std::vector<ui::RECT>& rects = layout.barRects[splitter.row];
    int before = 0;
    int after = 0;
    for (const ui::RECT& r : rects) {
      if (r == ui::RECT{}) {
        continue;
      }
      const int start = IsHorizontal() ? r.left : r.top;
      (start < position ? before : after) += 1;
    }
    // Each bar keeps 24 pixels, and the splitters between them their own.
    const int lower = before * kMinimumDraggedBar + (before - 1) * kSplitterThickness;
    const int upper = available - after * (kMinimumDraggedBar + kSplitterThickness);
    return {lower, std::max(lower, upper)};
  }
  const int thickness = layout.rowThickness[splitter.row];
  const int minimum = kMinimumRowOrClient;
  switch (side_) {
    case QVTDockSide::kTop:
      return {position - thickness + minimum,
              std::max(position, static_cast<int>(client.bottom) - minimum - kSplitterThickness)};
    case QVTDockSide::kLeft:
      return {position - thickness + minimum,
              std::max(position, static_cast<int>(client.right) - minimum - kSplitterThickness)};
    case QVTDockSide::kBottom:
      return {std::min(position, static_cast<int>(client.top) + minimum), position + thickness - minimum};
    case QVTDockSide::kRight:
      return {std::min(position, static_cast<int>(client.left) + minimum), position + thickness - minimum};
  }
  return {position, position};
}

int QVTDockRowLayout::RowThicknessAfterMove(int thickness, int delta) const {
  const bool clientAfter = side_ == QVTDockSide::kTop || side_ == QVTDockSide::kLeft;
  return thickness + (clientAfter ? delta : -delta);
}

void QVTDockRowLayout::ApplySplitterMove(std::vector<int>& lengths, int before, int delta, int rowLength,
                                         std::vector<QVTRowShare>& shares, float minimum) {
  const int count = static_cast<int>(lengths.size());
  if (delta == 0 || before < 0 || before + 1 >= count) {
    return;
  }
  const int grower = delta > 0 ? before : before + 1;
  const int step = delta > 0 ? 1 : -1;
  int wanted = std::abs(delta);
  int given = 0;
  for (int i = delta > 0 ? before + 1 : before; i >= 0 && i < count && wanted > 0; i += step) {
    const int take = std::min(wanted, std::max(0, lengths[i] - QVTRowProportions::kMinimumBarLength));
    lengths[i] -= take;
    wanted -= take;
    given += take;
  }
  lengths[grower] += given;
  std::vector<QVTRowShare> visible;
  for (int i = 0; i < count; ++i) {
    visible.push_back({rowLength > 0 ? static_cast<float>(lengths[i]) / static_cast<float>(rowLength) : 0.0f,
                       true, true});
  }
  QVTRowProportions::NormalizeRow(visible, -1, minimum);
  shares = visible;
}

}  // namespace docking

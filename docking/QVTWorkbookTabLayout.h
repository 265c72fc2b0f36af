// The geometry of a workbook's tab strip, free of windows: how wide a tab
// is, the outline of the tab in a given place, where its label goes, what
// to repaint when it changes, and how a long title is cut to fit.
// Every tab hangs below the MDI client; its two lower corners are cut and
// the active (or pressed) tab stands out a little wider and deeper.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "platform/ui/Types.h"

namespace docking {

class QVTWorkbookTabLayout {
 public:
  static constexpr int kInitialTabWidth = 100;
  static constexpr int kMaxTabWidth = 90;
  static constexpr int kTabHeight = 23;
  static constexpr int kCornerSlant = 2;
  static constexpr int kRaisedExtraWidth = 4;
  static constexpr int kRaisedExtraHeight = 2;
  // The tabs start this far below the MDI client.
  static constexpr int kGapBelowClient = 4;
  static constexpr int kPolygonPoints = 7;
  using Polygon = std::array<ui::POINT, kPolygonPoints>;

  // The tabs of the visible sheets share the client's width (and the 5
  // pixels of its border), each at most kMaxTabWidth wide. Hidden sheets
  // take no share; with none visible the width stays at its cap.
  static int TabWidth(int client_width, int visible_sheets);

  // The outline of the tab in `slot` (its place among the visible sheets)
  // under `client` (the MDI client in the frame's client coordinates).
  static Polygon TabPolygon(int slot, int tab_width, const ui::RECT& client, bool raised);
  // Where the label goes, right of an icon `icon_width` wide.
  static ui::RECT LabelRect(const Polygon& tab, int icon_width);
  static ui::RECT BoundingBox(const Polygon& tab);
  static bool Contains(const Polygon& tab, ui::POINT point);
  // What to repaint for the tab in `slot`: that tab alone, or everything
  // from it to `frame_right` when the tabs after it move too.
  static ui::RECT TabInvalidRect(int slot, int tab_width, const ui::RECT& client, int frame_right,
                                 bool through_right_edge);

  // `text` shortened until `fits` accepts it: each pass replaces its last
  // four characters with "...", so it loses one character a pass. A text
  // of three characters or fewer is never cut.
  static std::string ShortenToFit(std::string text, const std::function<bool(const std::string&)>& fits);
};

}  // namespace docking

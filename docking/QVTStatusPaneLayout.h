// Where the panes of the status bar end: every pane as wide as its text plus
// its margin, the spare width shared out among the stretching panes, and
// room kept for the size grip.
#pragma once

#include <span>
#include <vector>

#include "platform/sys/Types.h"

namespace docking {

struct QVTStatusPane {
  int width = 0;
  sys::UINT style = 0;
};

class QVTStatusPaneLayout {
 public:
  static constexpr sys::UINT SBPS_NOBORDERS = 0x100;
  static constexpr sys::UINT SBPS_POPOUT = 0x200;
  static constexpr sys::UINT SBPS_DISABLED = 0x04000000;
  static constexpr sys::UINT SBPS_STRETCH = 0x08000000;
  // Added to every pane's text width for the control's own margins.
  static constexpr int kPaneMargin = 6;

  struct Metrics {
    int cxBorder = 1;      // SM_CXBORDER
    int cxVScroll = 16;    // SM_CXVSCROLL
    int horizontal = 0;    // the control's horizontal border
    int gap = 0;           // the control's gap between panes
  };

  // The width the panes may take: the window's width less what the bar's
  // borders take (`insideLoss`) and, with a size grip while the parent is
  // not maximised, the grip's room at the right.
  static int InsideWidth(int windowWidth, int insideLoss, bool sizeGrip, bool parentMaximised,
                         const Metrics& metrics);

  // The right edge of every pane, in order. Stretching panes share the
  // spare width; the last of them takes the odd pixels.
  static std::vector<int> CalcPartEdges(std::span<const QVTStatusPane> panes, int insideWidth,
                                        const Metrics& metrics);
};

}  // namespace docking

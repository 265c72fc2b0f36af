// What the window system keeps about one scroll bar: its range, page and
// position as the owner set them, the thumb's place while it is dragged,
// and which arrows are disabled.
#pragma once

#include "platform/ui/Types.h"

namespace ui::internal {

struct ScrollBarState {
  int min = 0;
  int max = 100;
  UINT page = 0;
  int pos = 0;
  int track_pos = 0;
  bool tracking = false;  // the thumb is being dragged: track_pos is live
  UINT disabled_arrows = 0;  // ESB_DISABLE_* bits
  int pressed_part = 0;      // the ScrollBarLayout::Part held down, drawn pushed

  // The highest position the range allows with this page.
  int MaxPos() const;
  // Nothing to scroll: the range fits into one page.
  bool Idle() const { return MaxPos() <= min; }
};

}  // namespace ui::internal

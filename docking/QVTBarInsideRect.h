// The inside of a control bar, without a window: what its border lines,
// margins and gripper leave for its contents.
#pragma once

#include "platform/ui/Types.h"

namespace docking {

class QVTBarInsideRect {
 public:
  // The gripper's extent across the bar and what it keeps free at its ends.
  static constexpr int kGripperSize = 17;
  static constexpr int kGripperEndMargin = 3;

  struct Margins {  // the bar's own border margins (MFC's left, top, right, bottom borders)
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
  };

  // For a bar that draws its own borders (extended bit 0x100):
  // `rect` less what the bar's borders take. Every side with a border bit
  // loses its one-pixel line once, then the margins once: the left margin
  // (the top one in a vertical bar) gives way to the gripper when
  // `withGripper`, the bar is docked and shows its gripper. A vertical bar
  // takes the margins turned.
  static ui::RECT CalcInsideRect(ui::RECT rect, ui::DWORD style, ui::DWORD exStyle, bool horizontal, bool withGripper,
                                 bool docked, const Margins& margins);
};

}  // namespace docking

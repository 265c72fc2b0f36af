// Where a floating frame goes: kept at least partly on the work area, and
// at the place it floated last when the bar is toggled out of its dock.
#pragma once

#include "platform/ui/Types.h"

namespace docking {

class QVTFloatPosition {
 public:
  // Pixels of a floating bar that stay inside the work area at least.
  static constexpr int kVisibleMargin = 10;

  // Moves `point` (the bar's top-left) so that at least 10 pixels of a bar
  // of `size` stay inside `work`.
  static ui::POINT ClampToWorkArea(ui::POINT point, ui::SIZE size, const ui::RECT& work);

  // The place a docked bar floats at when toggled: the remembered float
  // position when there is one, whatever its sign (screens left of or above
  // the primary one have negative coordinates), else where the bar is now.
  static ui::POINT ForToggle(bool remembered, ui::POINT rememberedPoint, ui::POINT present);
};

}  // namespace docking

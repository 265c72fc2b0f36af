// Where a popup menu of `size` goes for a point, the TPM_ alignment flags
// and an exclusion rectangle: on the screen, and off the exclusion (keeping
// the point's x and moving up or down, or with TPM_VERTICAL keeping y and
// moving left or right), so a popup never covers the button it drops from.
#pragma once

#include "platform/ui/Types.h"

namespace ui::internal {

RECT PlacePopup(SIZE size, POINT at, UINT flags, const RECT* exclude, const RECT& screen);

}  // namespace ui::internal

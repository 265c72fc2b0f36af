// The modal loops of SC_MOVE and SC_SIZE: the window follows the mouse
// (its whole content, not an outline) until the button is released or
// Return is pressed; Esc, or losing the capture, puts it back where it was.
#pragma once

#include "platform/ui/Types.h"

namespace ui::internal {

// `command` is SC_MOVE or SC_SIZE plus the edge (WMSZ_...) to move; a size
// loop without an edge moves the bottom-right corner.
void RunSizeMoveLoop(HWND hwnd, WPARAM command);

}  // namespace ui::internal

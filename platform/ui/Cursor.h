// The mouse cursor the window system shows: one for the whole screen, set
// by WM_SETCURSOR handlers (DefWindowProc picks the class cursor over a
// client area and the sizing cursors over a sizing border).
#pragma once

#include "platform/ui/GdiTypes.h"

namespace ui {

// The previous cursor.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();

}  // namespace ui

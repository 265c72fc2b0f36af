// The back buffers of top-level windows and what the host hears of them.
#pragma once

#include "platform/ui/Types.h"

namespace ui::internal {

// The top-level window `hwnd` lives in (itself for a top-level window).
HWND TopLevelOf(HWND hwnd);
// Gives a shown top-level window a buffer of its current size, keeping
// what it held; tells the host of a window shown for the first time or
// moved. Called after a show, move or resize.
void SyncBackBuffer(HWND hwnd);
// A top-level window was hidden or is being destroyed.
void NotifyHidden(HWND hwnd);
void NotifyDestroyed(HWND hwnd);

}  // namespace ui::internal

// The scroll bars of windows and of the scroll-bar control: where they
// lie, how they are painted and the modal loop of a press on one.
#pragma once

#include "platform/ui/Types.h"
#include "platform/ui/internal/ScrollBarState.h"

namespace ui::internal {

// The bar's rectangle in window coordinates (SB_CTL: the control's client
// area); empty when the window has no such bar.
RECT ScrollBarRect(HWND hwnd, int bar);
bool IsVerticalBar(HWND hwnd, int bar);
ScrollBarState ScrollBarStateOf(HWND hwnd, int bar);

// Arrows, track and thumb of `state` in `rect`.
void PaintScrollBar(HDC hdc, const RECT& rect, bool vertical, const ScrollBarState& state, bool enabled);

// A press at `screen` on the bar: line and page requests repeat while the
// button is held over the part pressed, the thumb follows the mouse with
// SB_THUMBTRACK and lands with SB_THUMBPOSITION; SB_ENDSCROLL ends it all.
// The owner gets WM_VSCROLL or WM_HSCROLL (SB_CTL: the control's parent,
// with the control in lParam).
void TrackScrollBar(HWND hwnd, int bar, POINT screen);

}  // namespace ui::internal

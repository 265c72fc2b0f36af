// The virtual screen as one picture, for hosts that have no screen of their
// own to show it on.
#pragma once

#include "platform/ui/Types.h"

typedef struct _cairo_surface cairo_surface_t;

namespace ui::internal {

// A new ARGB32 surface of `screen`'s size (caller destroys it): the desktop
// colour, every shown top-level window's back buffer bottom to top, then
// the desktop overlay.
cairo_surface_t* ComposeScreen(const RECT& screen);

}  // namespace ui::internal

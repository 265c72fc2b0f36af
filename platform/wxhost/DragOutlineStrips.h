// Drag outlines on the display. GTK cannot draw on the desktop, so what a
// drag draws into the desktop overlay is shown by four override-redirect
// strips along the outline's rectangle, painted with the screen-aligned
// halftone; the window manager never sees them.
#pragma once

#include <array>

#include "platform/ui/Types.h"

typedef struct _cairo_surface cairo_surface_t;
class wxPopupWindow;

namespace wxhost {

class DragOutlineStrips {
 public:
  DragOutlineStrips() = default;
  ~DragOutlineStrips();
  DragOutlineStrips(const DragOutlineStrips&) = delete;
  DragOutlineStrips& operator=(const DragOutlineStrips&) = delete;

  // Shows what the overlay holds now (nothing: the strips go).
  void Show(cairo_surface_t* overlay, const ui::POINT& screen_origin);

  struct Outline {
    ui::RECT rect;  // overlay coordinates; empty when nothing is drawn
    int thickness = 0;
  };
  // The rectangle and thickness of the outline the overlay holds.
  static Outline Find(cairo_surface_t* overlay);

 private:
  std::array<wxPopupWindow*, 4> strips_{};
};

}  // namespace wxhost

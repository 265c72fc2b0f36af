// Brushes and pens as Cairo sources: solid colours, and 8x8 patterns that
// repeat from the screen point at the brush origin.
#pragma once

#include <cairo.h>

#include "platform/ui/internal/DcRecord.h"

namespace ui::internal {

// Sets `brush` as the source of `cr` (made by dc.Cairo()); false for a
// null brush, which paints nothing.
bool SetBrushSource(cairo_t* cr, const DcRecord& dc, const BrushObject& brush);
void SetColorSource(cairo_t* cr, const DcRecord& dc, COLORREF color);
// Sets the pen's colour, width and dashes; false for a null pen.
bool SetPenSource(cairo_t* cr, const DcRecord& dc, const PenObject& pen);

}  // namespace ui::internal

#include "platform/ui/internal/CairoBrush.h"

#include <algorithm>
#include "platform/ui/internal/DrawingLibraries.h"

namespace ui::internal {

namespace {

void SetPixelSource(cairo_t* cr, std::uint32_t p) {
  cairo_set_source_rgb(cr, ((p >> 16) & 0xFF) / 255.0, ((p >> 8) & 0xFF) / 255.0, (p & 0xFF) / 255.0);
}

}  // namespace

void SetColorSource(cairo_t* cr, const DcRecord& dc, COLORREF color) { SetPixelSource(cr, dc.TargetPixel(color)); }

bool SetBrushSource(cairo_t* cr, const DcRecord& dc, const BrushObject& brush) {
  if (brush.style == BS_NULL) return false;
  if (brush.pattern.empty()) {
    SetPixelSource(cr, dc.BrushColor(brush));
    return true;
  }
  // One row of the pattern at screen row 0 .. 7 is what PatternRow gives
  // for the device row that lies on it; build the tile in screen phase 0.
  cairo_surface_t* tile = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
  cairo_surface_flush(tile);
  const POINT screen = dc.SurfaceScreenOffset();
  for (int y = 0; y < 8; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(tile) +
                                                 y * cairo_image_surface_get_stride(tile));
    // Device row whose screen row is brush_origin + y, column likewise.
    const int device_y = dc.state.brush_origin.y + y - screen.y;
    const int device_x = dc.state.brush_origin.x - screen.x;
    dc.PatternRow(brush, device_x, device_y, 8, row);
  }
  cairo_surface_mark_dirty(tile);
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(tile);
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
  cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
  // Tile pixel (0, 0) lies at device (brush_origin - screen offset);
  // user space is device space less the context's offset.
  const POINT offset = dc.DeviceOffset();
  cairo_matrix_t matrix;
  cairo_matrix_init_translate(&matrix, -(dc.state.brush_origin.x - screen.x - offset.x),
                              -(dc.state.brush_origin.y - screen.y - offset.y));
  cairo_pattern_set_matrix(pattern, &matrix);
  cairo_set_source(cr, pattern);
  cairo_pattern_destroy(pattern);
  cairo_surface_destroy(tile);
  return true;
}

bool SetPenSource(cairo_t* cr, const DcRecord& dc, const PenObject& pen) {
  if (pen.pen.lopnStyle == PS_NULL) return false;
  SetColorSource(cr, dc, pen.pen.lopnColor);
  cairo_set_line_width(cr, std::max<LONG>(1, pen.pen.lopnWidth.x));
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  static const double kDash[] = {6, 2};
  static const double kDot[] = {1, 1};
  static const double kDashDot[] = {6, 2, 1, 2};
  static const double kDashDotDot[] = {6, 2, 1, 2, 1, 2};
  switch (pen.pen.lopnStyle) {
    case PS_DASH:
      cairo_set_dash(cr, kDash, 2, 0);
      break;
    case PS_DOT:
      cairo_set_dash(cr, kDot, 2, 0);
      break;
    case PS_DASHDOT:
      cairo_set_dash(cr, kDashDot, 4, 0);
      break;
    case PS_DASHDOTDOT:
      cairo_set_dash(cr, kDashDotDot, 6, 0);
      break;
    default:
      cairo_set_dash(cr, nullptr, 0, 0);
      break;
  }
  return true;
}

}  // namespace ui::internal

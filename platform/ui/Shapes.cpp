// Fills, frames, lines and shapes. Fills of rectangles and regions go
// through the raster pipeline (exact pixels, patterns aligned to the
// screen); lines, polygons and ellipses through Cairo without
// antialiasing.
#include <algorithm>
#include <cmath>

#include "platform/ui/Drawing.h"
#include "platform/ui/GdiObjects.h"
#include "platform/ui/internal/CairoBrush.h"
#include "platform/ui/internal/GdiAccess.h"
#include "platform/ui/internal/RasterTarget.h"
#include "platform/ui/internal/DrawingLibraries.h"

namespace ui {

using namespace internal;

namespace {

void FillDevice(DcRecord& dc, const RECT& device, const BrushObject& brush, DWORD rop = PATCOPY) {
  RunRaster(dc, device, rop, &brush, nullptr);
}

void FillDeviceColor(DcRecord& dc, const RECT& device, COLORREF color) {
  BrushObject brush;
  brush.color = color;
  FillDevice(dc, device, brush);
}

}  // namespace

int FillRect(HDC hdc, const RECT* rect, HBRUSH handle) {
  auto dc = FindDc(hdc);
  auto brush = FindBrush(handle);
  if (!dc || !rect || !brush) return FALSE;
  FillDevice(*dc, dc->ToDevice(*rect), *brush);
  return TRUE;
}

int FrameRect(HDC hdc, const RECT* rect, HBRUSH handle) {
  auto dc = FindDc(hdc);
  auto brush = FindBrush(handle);
  if (!dc || !rect || !brush || IsRectEmpty(rect)) return FALSE;
  const RECT r = dc->ToDevice(*rect);
  FillDevice(*dc, RECT{r.left, r.top, r.right, r.top + 1}, *brush);
  FillDevice(*dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, *brush);
  FillDevice(*dc, RECT{r.left, r.top + 1, r.left + 1, r.bottom - 1}, *brush);
  FillDevice(*dc, RECT{r.right - 1, r.top + 1, r.right, r.bottom - 1}, *brush);
  return TRUE;
}

BOOL InvertRect(HDC hdc, const RECT* rect) {
  auto dc = FindDc(hdc);
  if (!dc || !rect) return FALSE;
  RunRaster(*dc, dc->ToDevice(*rect), DSTINVERT, nullptr, nullptr);
  return TRUE;
}

namespace {

BOOL RegionRaster(HDC hdc, HRGN handle, HBRUSH brush_handle, DWORD rop) {
  auto dc = FindDc(hdc);
  auto region = FindRegion(handle);
  if (!dc || !region) return FALSE;
  std::shared_ptr<BrushObject> brush = brush_handle ? FindBrush(brush_handle) : dc->state.brush;
  if (!brush) return FALSE;
  // Region coordinates are logical.
  for (const RECT& r : region->region.Rects()) RunRaster(*dc, dc->ToDevice(r), rop, brush.get(), nullptr);
  return TRUE;
}

}  // namespace

BOOL FillRgn(HDC hdc, HRGN region, HBRUSH brush) { return brush ? RegionRaster(hdc, region, brush, PATCOPY) : FALSE; }
BOOL PaintRgn(HDC hdc, HRGN region) { return RegionRaster(hdc, region, nullptr, PATCOPY); }
BOOL InvertRgn(HDC hdc, HRGN region) { return RegionRaster(hdc, region, nullptr, DSTINVERT); }

BOOL FrameRgn(HDC hdc, HRGN handle, HBRUSH brush_handle, int width, int height) {
  auto dc = FindDc(hdc);
  auto region = FindRegion(handle);
  auto brush = FindBrush(brush_handle);
  if (!dc || !region || !brush || width < 0 || height < 0) return FALSE;
  // The frame is the region less the region shrunk by the frame size:
  // what remains after removing every pixel within reach of the outside.
  Region inner = region->region;
  Region shifted = region->region;
  for (int dx : {-width, width}) {
    shifted = region->region;
    shifted.Offset(dx, 0);
    inner.Intersect(shifted);
  }
  for (int dy : {-height, height}) {
    shifted = region->region;
    shifted.Offset(0, dy);
    inner.Intersect(shifted);
  }
  Region frame = region->region;
  cairo_region_subtract(frame.get(), inner.get());
  for (const RECT& r : frame.Rects()) FillDevice(*dc, dc->ToDevice(r), *brush);
  return TRUE;
}

BOOL MoveToEx(HDC hdc, int x, int y, POINT* previous) {
  auto dc = FindDc(hdc);
  if (!dc) return FALSE;
  if (previous) *previous = dc->state.current;
  dc->state.current = POINT{x, y};
  return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
  auto dc = FindDc(hdc);
  if (!dc) return FALSE;
  const POINT from = dc->state.current;
  dc->state.current = POINT{x, y};
  const PenObject& pen = *dc->state.pen;
  if (pen.pen.lopnStyle == PS_NULL) return TRUE;
  const int width = std::max<LONG>(1, pen.pen.lopnWidth.x);
  if (pen.pen.lopnStyle == PS_SOLID && width == 1 && (from.x == x || from.y == y)) {
    // Straight one-pixel lines exactly: the end point is not drawn.
    RECT r = from.y == y ? RECT{std::min(from.x, x), y, std::max(from.x, x), y + 1}
                         : RECT{x, std::min(from.y, y), x + 1, std::max(from.y, y)};
    if (from.y == y && x < from.x) r = RECT{x + 1, y, from.x + 1, y + 1};
    if (from.x == x && y < from.y) r = RECT{x, y + 1, x + 1, from.y + 1};
    FillDeviceColor(*dc, dc->ToDevice(r), pen.pen.lopnColor);
    return TRUE;
  }
  cairo_t* cr = dc->Cairo();
  SetPenSource(cr, *dc, pen);
  cairo_move_to(cr, from.x + 0.5, from.y + 0.5);
  cairo_line_to(cr, x + 0.5, y + 0.5);
  cairo_stroke(cr);
  return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* points, int count) {
  if (!points || count < 2) return FALSE;
  auto dc = FindDc(hdc);
  if (!dc) return FALSE;
  const POINT saved = dc->state.current;
  MoveToEx(hdc, points[0].x, points[0].y, nullptr);
  for (int i = 1; i < count; ++i) LineTo(hdc, points[i].x, points[i].y);
  dc->state.current = saved;
  return TRUE;
}

namespace {

// Fills the current path with the brush, then strokes it with the pen
// along pixel centres.
void FillAndStroke(DcRecord& dc, cairo_t* cr) {
  cairo_path_t* path = cairo_copy_path(cr);
  cairo_set_fill_rule(cr, dc.state.poly_fill_mode == WINDING ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
  if (SetBrushSource(cr, dc, *dc.state.brush)) cairo_fill_preserve(cr);
  cairo_new_path(cr);
  if (SetPenSource(cr, dc, *dc.state.pen)) {
    cairo_translate(cr, 0.5, 0.5);
    cairo_append_path(cr, path);
    cairo_stroke(cr);
  }
  cairo_path_destroy(path);
  cairo_new_path(cr);
}

}  // namespace

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  auto dc = FindDc(hdc);
  if (!dc) return FALSE;
  const RECT r = dc->ToDevice(RECT{std::min(left, right), std::min(top, bottom), std::max(left, right),
                                   std::max(top, bottom)});
  const PenObject& pen = *dc->state.pen;
  const bool outlined = pen.pen.lopnStyle != PS_NULL;
  const int w = outlined ? std::max<LONG>(1, pen.pen.lopnWidth.x) : 0;
  // The interior, then the outline inside the rectangle, as the classic
  // look expects of a one-pixel pen.
  FillDevice(*dc, RECT{r.left + w, r.top + w, r.right - w, r.bottom - w}, *dc->state.brush);
  if (!outlined) {
    return TRUE;
  }
  if (pen.pen.lopnStyle == PS_SOLID || pen.pen.lopnStyle == PS_INSIDEFRAME) {
    const COLORREF c = pen.pen.lopnColor;
    FillDeviceColor(*dc, RECT{r.left, r.top, r.right, r.top + w}, c);
    FillDeviceColor(*dc, RECT{r.left, r.bottom - w, r.right, r.bottom}, c);
    FillDeviceColor(*dc, RECT{r.left, r.top + w, r.left + w, r.bottom - w}, c);
    FillDeviceColor(*dc, RECT{r.right - w, r.top + w, r.right, r.bottom - w}, c);
    return TRUE;
  }
  cairo_t* cr = dc->Cairo();
  SetPenSource(cr, *dc, pen);
  cairo_identity_matrix(cr);
  cairo_rectangle(cr, r.left + 0.5, r.top + 0.5, r.right - r.left - 1, r.bottom - r.top - 1);
  cairo_stroke(cr);
  return TRUE;
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
  auto dc = FindDc(hdc);
  if (!dc || right == left || bottom == top) return FALSE;
  cairo_t* cr = dc->Cairo();
  cairo_save(cr);
  cairo_translate(cr, (left + right) / 2.0 - 0.5, (top + bottom) / 2.0 - 0.5);
  cairo_scale(cr, std::abs(right - left - 1) / 2.0, std::abs(bottom - top - 1) / 2.0);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
  FillAndStroke(*dc, cr);
  return TRUE;
}

BOOL Polygon(HDC hdc, const POINT* points, int count) {
  auto dc = FindDc(hdc);
  if (!dc || !points || count < 2) return FALSE;
  cairo_t* cr = dc->Cairo();
  cairo_move_to(cr, points[0].x, points[0].y);
  for (int i = 1; i < count; ++i) cairo_line_to(cr, points[i].x, points[i].y);
  cairo_close_path(cr);
  FillAndStroke(*dc, cr);
  return TRUE;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
  auto dc = FindDc(hdc);
  if (!dc) return CLR_INVALID;
  const POINT p = dc->ToDevice(x, y);
  if (!cairo_region_contains_point(dc->Clip().get(), p.x, p.y)) return CLR_INVALID;
  FillDeviceColor(*dc, RECT{p.x, p.y, p.x + 1, p.y + 1}, color);
  return ToColorRef(dc->TargetPixel(color));
}

COLORREF GetPixel(HDC hdc, int x, int y) {
  auto dc = FindDc(hdc);
  if (!dc) return CLR_INVALID;
  const POINT p = dc->ToDevice(x, y);
  if (p.x < 0 || p.y < 0 || p.x >= dc->width() || p.y >= dc->height()) return CLR_INVALID;
  dc->BeginPixels();
  return ToColorRef(dc->Row(p.y)[p.x]);
}

BOOL FillGradientRect(HDC hdc, const RECT* rect, COLORREF from, COLORREF to, UINT mode) {
  auto dc = FindDc(hdc);
  if (!dc || !rect || IsRectEmpty(rect)) return FALSE;
  const RECT r = dc->ToDevice(*rect);
  const bool horizontal = mode == GRADIENT_FILL_RECT_H;
  const int steps = horizontal ? r.right - r.left : r.bottom - r.top;
  // One band per pixel column (or row), each a solid colour, so the blend
  // has no dithering noise and stays exact to test.
  for (int i = 0; i < steps; ++i) {
    const auto mix = [&](int a, int b) { return steps > 1 ? a + (b - a) * i / (steps - 1) : a; };
    const COLORREF c = RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
                           mix(GetBValue(from), GetBValue(to)));
    const RECT band = horizontal ? RECT{r.left + i, r.top, r.left + i + 1, r.bottom}
                                 : RECT{r.left, r.top + i, r.right, r.top + i + 1};
    FillDeviceColor(*dc, band, c);
  }
  return TRUE;
}

}  // namespace ui

// Text on device contexts: measuring and drawing with the selected font,
// DrawText through the layout of internal/TextLayout.h.
#include <algorithm>
#include <cstring>
#include <mutex>
#include <string_view>

#include "platform/ui/Drawing.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Text.h"
#include "platform/ui/internal/CairoBrush.h"
#include "platform/ui/internal/FontSystem.h"
#include "platform/ui/internal/GdiAccess.h"
#include "platform/ui/internal/RasterTarget.h"
#include "platform/ui/internal/TextLayout.h"
#include "platform/ui/internal/DrawingLibraries.h"

namespace ui {

using namespace internal;

namespace {

std::string_view TextOf(const char* text, int count) {
  if (!text) return {};
  return count < 0 ? std::string_view(text) : std::string_view(text, static_cast<std::size_t>(count));
}

const FontSystem::Face& FaceOf(const DcRecord& dc) {
  return FontSystem::Get().Resolve(dc.state.font ? dc.state.font->font : DialogLogFont());
}

void FillDeviceColor(DcRecord& dc, const RECT& device, COLORREF color) {
  BrushObject brush;
  brush.color = color;
  RunRaster(dc, device, PATCOPY, &brush, nullptr);
}

// Draws one line with its cell's top-left at logical (x, y); with `clip`
// (logical) the glyphs stay inside it. Caller holds the font lock.
void DrawLine(DcRecord& dc, const FontSystem::Face& face, std::string_view text, int x, int y, const RECT* clip) {
  if (dc.state.bk_mode == OPAQUE && !text.empty()) {
    const SIZE size = FontSystem::Get().Measure(face, text);
    RECT cell{x, y, x + size.cx, y + size.cy};
    if (clip) {
      cell.left = std::max(cell.left, clip->left);
      cell.top = std::max(cell.top, clip->top);
      cell.right = std::min(cell.right, clip->right);
      cell.bottom = std::min(cell.bottom, clip->bottom);
    }
    FillDeviceColor(dc, dc.ToDevice(cell), dc.state.bk_color);
  }
  cairo_t* cr = dc.Cairo();
  cairo_save(cr);
  if (clip) {
    cairo_rectangle(cr, clip->left, clip->top, clip->right - clip->left, clip->bottom - clip->top);
    cairo_clip(cr);
  }
  SetColorSource(cr, dc, dc.state.text_color);
  FontSystem::Get().Draw(cr, face, text, x, y);
  cairo_restore(cr);
}

}  // namespace

BOOL GetTextExtentPoint32(HDC hdc, const char* text, int count, SIZE* size) {
  auto dc = FindDc(hdc);
  if (!dc || !size || (count < 0 && text == nullptr)) return FALSE;
  std::lock_guard lock(FontSystem::Get().mutex());
  *size = FontSystem::Get().Measure(FaceOf(*dc), TextOf(text, count));
  return TRUE;
}

BOOL GetTextMetrics(HDC hdc, TEXTMETRIC* metrics) {
  auto dc = FindDc(hdc);
  if (!dc || !metrics) return FALSE;
  std::lock_guard lock(FontSystem::Get().mutex());
  *metrics = FaceOf(*dc).metrics;
  return TRUE;
}

int GetTextFace(HDC hdc, int size, char* face) {
  auto dc = FindDc(hdc);
  if (!dc) return 0;
  const std::string name = FontSystem::MapFamily(dc->state.font ? dc->state.font->font.lfFaceName : "");
  if (!face) return static_cast<int>(name.size()) + 1;
  if (size <= 0) return 0;
  const std::size_t n = std::min(name.size(), static_cast<std::size_t>(size - 1));
  std::memcpy(face, name.data(), n);
  face[n] = 0;
  return static_cast<int>(n);
}

UINT SetTextAlign(HDC hdc, UINT align) {
  auto dc = FindDc(hdc);
  if (!dc) return static_cast<UINT>(GDI_ERROR);
  const UINT previous = dc->state.text_align;
  dc->state.text_align = align;
  return previous;
}

BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* rect, const char* text, int count, const int*) {
  auto dc = FindDc(hdc);
  if (!dc) return FALSE;
  if (rect && (options & ETO_OPAQUE)) FillDeviceColor(*dc, dc->ToDevice(*rect), dc->state.bk_color);
  const std::string_view s = TextOf(text, count);
  if (s.empty()) return TRUE;
  std::lock_guard lock(FontSystem::Get().mutex());
  const FontSystem::Face& face = FaceOf(*dc);
  const SIZE size = FontSystem::Get().Measure(face, s);
  const UINT align = dc->state.text_align;
  if ((align & TA_CENTER) == TA_CENTER) x -= size.cx / 2;
  else if (align & TA_RIGHT) x -= size.cx;
  if ((align & TA_BASELINE) == TA_BASELINE) y -= face.metrics.tmAscent;
  else if (align & TA_BOTTOM) y -= size.cy;
  DrawLine(*dc, face, s, x, y, rect && (options & ETO_CLIPPED) ? rect : nullptr);
  return TRUE;
}

BOOL TextOut(HDC hdc, int x, int y, const char* text, int count) {
  return ExtTextOut(hdc, x, y, 0, nullptr, text, count, nullptr);
}

int DrawText(HDC hdc, const char* text, int count, RECT* rect, UINT format) {
  auto dc = FindDc(hdc);
  if (!dc || !rect) return 0;
  std::lock_guard lock(FontSystem::Get().mutex());
  const FontSystem::Face& face = FaceOf(*dc);
  const MeasureFn measure = [&face](std::string_view s) { return static_cast<int>(FontSystem::Get().Measure(face, s).cx); };
  const TextLayout layout = LayOutText(TextOf(text, count), *rect, format, face.metrics.tmHeight, measure);
  if (format & DT_CALCRECT) {
    int widest = 0;
    for (const TextLine& line : layout.lines) widest = std::max<int>(widest, line.box.right - line.box.left);
    rect->right = rect->left + widest;
    rect->bottom = rect->top + static_cast<int>(layout.lines.size()) * face.metrics.tmHeight;
    return layout.result;
  }
  const RECT* clip = (format & DT_NOCLIP) ? nullptr : rect;
  for (const TextLine& line : layout.lines) {
    if (!(format & DT_PREFIXONLY)) DrawLine(*dc, face, line.text, line.box.left, line.box.top, clip);
    if (line.underline_right > line.underline_left) {
      // The mnemonic's underline sits one pixel below the baseline.
      const int y = line.box.top + face.metrics.tmAscent + 1;
      RECT bar{line.box.left + line.underline_left, y, line.box.left + line.underline_right, y + 1};
      if (clip) IntersectRect(&bar, &bar, clip);
      if (!IsRectEmpty(&bar)) FillDeviceColor(*dc, dc->ToDevice(bar), dc->state.text_color);
    }
  }
  return layout.result;
}

LONG GetDialogBaseUnits() {
  static const LONG units = [] {
    std::lock_guard lock(FontSystem::Get().mutex());
    const FontSystem::Face& face = FontSystem::Get().Resolve(DialogLogFont());
    const LONG width = FontSystem::Get().Measure(face, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz").cx;
    // The classic rounding of the average over the 52 letters.
    const LONG x = (width / 26 + 1) / 2;
    return static_cast<LONG>(MAKELPARAM(static_cast<unsigned>(x), static_cast<unsigned>(face.metrics.tmHeight)));
  }();
  return units;
}

}  // namespace ui

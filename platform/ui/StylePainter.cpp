// The classic 3-D look, painted from the system table's colours.
#include "platform/ui/StylePainter.h"

#include <algorithm>
#include <string>

#include "platform/ui/DeviceContext.h"
#include "platform/ui/Drawing.h"
#include "platform/ui/Frames.h"
#include "platform/ui/GdiObjects.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Text.h"
#include "platform/ui/internal/GdiAccess.h"
#include "platform/ui/internal/RasterTarget.h"

namespace ui {

using namespace internal;

namespace {

COLORREF Sys(int index) { return GetSysColor(index); }

RECT Deflated(RECT r, int d) {
  InflateRect(&r, -d, -d);
  return r;
}

// The dots of focus rectangles: every other pixel inverted.
const BrushObject& FocusDots() {
  static const BrushObject* dots = [] {
    auto* brush = new BrushObject;
    brush->style = BS_PATTERN;
    brush->pattern.resize(64);
    for (int i = 0; i < 64; ++i) brush->pattern[i] = ((i % 8 + i / 8) & 1) ? 0xFF000000u : 0xFFFFFFFFu;
    return brush;
  }();
  return *dots;
}

void InvertSides(HDC hdc, const RECT& r, int thickness, const BrushObject* brush) {
  auto dc = FindDc(hdc);
  if (!dc || IsRectEmpty(&r)) return;
  const RECT d = dc->ToDevice(r);
  const int t = std::min<int>({thickness, (d.right - d.left + 1) / 2, (d.bottom - d.top + 1) / 2});
  if (t <= 0) return;
  // Four strips that never overlap, so each pixel is inverted once.
  RunRaster(*dc, RECT{d.left, d.top, d.right, d.top + t}, PATINVERT, brush, nullptr);
  RunRaster(*dc, RECT{d.left, d.bottom - t, d.right, d.bottom}, PATINVERT, brush, nullptr);
  RunRaster(*dc, RECT{d.left, d.top + t, d.left + t, d.bottom - t}, PATINVERT, brush, nullptr);
  RunRaster(*dc, RECT{d.right - t, d.top + t, d.right, d.bottom - t}, PATINVERT, brush, nullptr);
}

// A dithered face (latched buttons, scroll tracks): the halftone between
// two colours, aligned to the screen.
void FillDither(HDC hdc, const RECT& r, COLORREF one, COLORREF other) {
  const COLORREF text = SetTextColor(hdc, one);
  const COLORREF bk = SetBkColor(hdc, other);
  FillRect(hdc, &r, GetHalftoneBrush());
  SetTextColor(hdc, text);
  SetBkColor(hdc, bk);
}

}  // namespace

void StylePainter::FillSolid(HDC hdc, const RECT& rect, COLORREF color) {
  auto dc = FindDc(hdc);
  if (!dc) return;
  BrushObject brush;
  brush.color = color;
  RunRaster(*dc, dc->ToDevice(rect), PATCOPY, &brush, nullptr);
}

void StylePainter::FrameSolid(HDC hdc, const RECT& r, COLORREF color) { PaintBevel(hdc, r, color, color); }

void StylePainter::PaintBevel(HDC hdc, const RECT& r, COLORREF top_left, COLORREF bottom_right) {
  if (IsRectEmpty(&r)) return;
  FillSolid(hdc, RECT{r.left, r.top, r.right - 1, r.top + 1}, top_left);
  FillSolid(hdc, RECT{r.left, r.top + 1, r.left + 1, r.bottom - 1}, top_left);
  FillSolid(hdc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottom_right);
  FillSolid(hdc, RECT{r.right - 1, r.top, r.right, r.bottom - 1}, bottom_right);
}

RECT StylePainter::PaintEdge(HDC hdc, const RECT& rect, UINT edge, UINT flags) {
  RECT r = rect;
  // Outer then inner line, each as two colours; a side left out of the
  // flags keeps its pixels.
  struct Line {
    COLORREF top_left, bottom_right;
    bool present;
  };
  const bool mono = flags & BF_MONO, flat = flags & BF_FLAT;
  const COLORREF mono_color = Sys(COLOR_WINDOWFRAME), flat_color = Sys(COLOR_BTNSHADOW);
  Line lines[2] = {
      {edge & BDR_RAISEDOUTER ? Sys(COLOR_3DLIGHT) : Sys(COLOR_3DSHADOW),
       edge & BDR_RAISEDOUTER ? Sys(COLOR_3DDKSHADOW) : Sys(COLOR_3DHIGHLIGHT), (edge & BDR_OUTER) != 0},
      {edge & BDR_RAISEDINNER ? Sys(COLOR_3DHIGHLIGHT) : Sys(COLOR_3DDKSHADOW),
       edge & BDR_RAISEDINNER ? Sys(COLOR_3DSHADOW) : Sys(COLOR_3DLIGHT), (edge & BDR_INNER) != 0},
  };
  if (flags & BF_SOFT) {
    // Soft edges put the stronger colours on the inner line.
    std::swap(lines[0].top_left, lines[1].top_left);
  }
  for (int i = 0; i < 2; ++i) {
    if (!lines[i].present) continue;
    COLORREF tl = lines[i].top_left, br = lines[i].bottom_right;
    if (mono) tl = br = i == 0 ? mono_color : Sys(COLOR_WINDOW);
    else if (flat) tl = br = i == 0 ? flat_color : Sys(COLOR_BTNFACE);
    if (IsRectEmpty(&r)) break;
    if (flags & BF_TOP) FillSolid(hdc, RECT{r.left, r.top, r.right, r.top + 1}, tl);
    if (flags & BF_LEFT) FillSolid(hdc, RECT{r.left, r.top, r.left + 1, r.bottom}, tl);
    if (flags & BF_BOTTOM) FillSolid(hdc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, br);
    if (flags & BF_RIGHT) FillSolid(hdc, RECT{r.right - 1, r.top, r.right, r.bottom}, br);
    // The top-left colour wins the two corners shared with the other colour.
    if ((flags & BF_TOP) && (flags & BF_RIGHT)) FillSolid(hdc, RECT{r.right - 1, r.top, r.right, r.top + 1}, tl);
    if ((flags & BF_LEFT) && (flags & BF_BOTTOM))
      FillSolid(hdc, RECT{r.left, r.bottom - 1, r.left + 1, r.bottom}, tl);
    if (flags & BF_LEFT) ++r.left;
    if (flags & BF_TOP) ++r.top;
    if (flags & BF_RIGHT) --r.right;
    if (flags & BF_BOTTOM) --r.bottom;
  }
  if (flags & BF_MIDDLE) FillSolid(hdc, r, mono ? Sys(COLOR_WINDOW) : Sys(COLOR_BTNFACE));
  return r;
}

int StylePainter::FrameThickness(Frame kind) {
  switch (kind) {
    case Frame::kSunkenThin:
    case Frame::kRaisedThin:
      return 1;
    case Frame::kWindow:
      return GetSystemMetrics(SM_CXDLGFRAME);
    case Frame::kThickFrame:
      return GetSystemMetrics(SM_CXFRAME);
    default:
      return 2;
  }
}

RECT StylePainter::PaintFrame(HDC hdc, const RECT& rect, Frame kind) {
  switch (kind) {
    case Frame::kRaised:
      return PaintEdge(hdc, rect, EDGE_RAISED, BF_RECT);
    case Frame::kSunken:
      return PaintEdge(hdc, rect, EDGE_SUNKEN, BF_RECT);
    case Frame::kSunkenThin:
      return PaintEdge(hdc, rect, BDR_SUNKENOUTER, BF_RECT);
    case Frame::kRaisedThin:
      return PaintEdge(hdc, rect, BDR_RAISEDINNER, BF_RECT);
    case Frame::kEtched:
      return PaintEdge(hdc, rect, EDGE_ETCHED, BF_RECT);
    case Frame::kWindow:
    case Frame::kThickFrame: {
      RECT inside = PaintEdge(hdc, rect, EDGE_RAISED, BF_RECT);
      for (int i = 2; i < FrameThickness(kind); ++i) {
        FrameSolid(hdc, inside, Sys(COLOR_BTNFACE));
        InflateRect(&inside, -1, -1);
      }
      return inside;
    }
  }
  return rect;
}

RECT StylePainter::PaintButtonFace(HDC hdc, const RECT& rect, const ButtonState& state) {
  RECT r = rect;
  if (state.is_default) {
    FrameSolid(hdc, r, Sys(COLOR_WINDOWFRAME));
    r = Deflated(r, 1);
  }
  if (state.flat) {
    if (state.checked) {
      r = PaintFrame(hdc, r, Frame::kSunkenThin);
      FillDither(hdc, r, Sys(COLOR_BTNFACE), Sys(COLOR_BTNHIGHLIGHT));
    } else if (state.pressed) {
      r = PaintFrame(hdc, r, Frame::kSunkenThin);
      FillSolid(hdc, r, Sys(COLOR_BTNFACE));
    } else {
      if (state.hot) r = PaintFrame(hdc, r, Frame::kRaisedThin);
      FillSolid(hdc, r, Sys(COLOR_BTNFACE));
    }
  } else if (state.pressed || state.checked) {
    if (state.is_default || !state.checked) {
      // A pushed button: a flat shadow line, the label moved down-right.
      FrameSolid(hdc, r, Sys(COLOR_BTNSHADOW));
      r = Deflated(r, 1);
      FillSolid(hdc, r, Sys(COLOR_BTNFACE));
    } else {
      r = PaintFrame(hdc, r, Frame::kSunken);
      FillDither(hdc, r, Sys(COLOR_BTNFACE), Sys(COLOR_BTNHIGHLIGHT));
    }
  } else {
    r = PaintFrame(hdc, r, Frame::kRaised);
    FillSolid(hdc, r, Sys(COLOR_BTNFACE));
  }
  if (state.pressed || state.checked) OffsetRect(&r, 1, 1);
  return r;
}

void StylePainter::PaintLabel(HDC hdc, const RECT& rect, std::string_view text, UINT flags, bool enabled) {
  const int mode = SetBkMode(hdc, TRANSPARENT);
  const COLORREF color = GetTextColor(hdc);
  const std::string s(text);
  RECT r = rect;
  if (!enabled) {
    OffsetRect(&r, 1, 1);
    SetTextColor(hdc, Sys(COLOR_BTNHIGHLIGHT));
    DrawText(hdc, s.c_str(), static_cast<int>(s.size()), &r, flags);
    r = rect;
    SetTextColor(hdc, Sys(COLOR_BTNSHADOW));
  } else {
    SetTextColor(hdc, Sys(COLOR_BTNTEXT));
  }
  DrawText(hdc, s.c_str(), static_cast<int>(s.size()), &r, flags);
  SetTextColor(hdc, color);
  SetBkMode(hdc, mode);
}

void StylePainter::PaintCheckBox(HDC hdc, const RECT& box, bool checked, bool enabled) {
  const RECT inside = PaintFrame(hdc, box, Frame::kSunken);
  FillSolid(hdc, inside, enabled ? Sys(COLOR_WINDOW) : Sys(COLOR_BTNFACE));
  if (!checked) return;
  // The tick: a seven-pixel V, three pixels thick.
  const COLORREF ink = enabled ? Sys(COLOR_WINDOWTEXT) : Sys(COLOR_GRAYTEXT);
  const int x = inside.left + (inside.right - inside.left - 7) / 2, y = inside.top + (inside.bottom - inside.top - 7) / 2;
  static constexpr int kTop[7] = {2, 3, 4, 3, 2, 1, 0};
  for (int i = 0; i < 7; ++i) FillSolid(hdc, RECT{x + i, y + kTop[i], x + i + 1, y + kTop[i] + 3}, ink);
}

void StylePainter::PaintRadioButton(HDC hdc, const RECT& box, bool checked, bool enabled) {
  // A 12-pixel circle: shadow and dark shadow above-left, highlight and
  // light below-right, the window colour inside.
  const int x = box.left, y = box.top;
  static constexpr int kRows[12][2] = {{4, 8}, {2, 10}, {1, 11}, {1, 11}, {0, 12}, {0, 12},
                                       {0, 12}, {0, 12}, {1, 11}, {1, 11}, {2, 10}, {4, 8}};
  for (int row = 0; row < 12; ++row) {
    const bool upper = row < 6;
    FillSolid(hdc, RECT{x + kRows[row][0], y + row, x + kRows[row][1], y + row + 1},
              upper ? Sys(COLOR_BTNSHADOW) : Sys(COLOR_BTNHIGHLIGHT));
    if (row >= 1 && row <= 10) {
      const int l = kRows[row][0] + 1, r = kRows[row][1] - 1;
      if (r > l) FillSolid(hdc, RECT{x + l, y + row, x + r, y + row + 1}, enabled ? Sys(COLOR_WINDOW) : Sys(COLOR_BTNFACE));
    }
  }
  if (checked) {
    const COLORREF ink = enabled ? Sys(COLOR_WINDOWTEXT) : Sys(COLOR_GRAYTEXT);
    FillSolid(hdc, RECT{x + 5, y + 4, x + 7, y + 8}, ink);
    FillSolid(hdc, RECT{x + 4, y + 5, x + 8, y + 7}, ink);
  }
}

void StylePainter::PaintGripper(HDC hdc, const RECT& rect, bool vertical) {
  // Two thin raised bars three pixels thick, one pixel apart.
  for (int i = 0; i < 2; ++i) {
    RECT bar = vertical ? RECT{rect.left, rect.top + i * 4, rect.right, rect.top + i * 4 + 3}
                        : RECT{rect.left + i * 4, rect.top, rect.left + i * 4 + 3, rect.bottom};
    PaintBevel(hdc, bar, Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW));
  }
}

void StylePainter::PaintSizeGrip(HDC hdc, const RECT& rect) {
  // Three pairs of diagonal lines rising to the right, shadow over highlight.
  const int size = std::min(rect.right - rect.left, rect.bottom - rect.top);
  for (int line = 0; line < 3; ++line) {
    const int start = size - 4 * line - 3;
    for (int k = 0; k < size; ++k) {
      const int x = rect.right - size + start + k;
      const int y = rect.bottom - 1 - k;
      if (start + k >= size || x < rect.left) continue;
      FillSolid(hdc, RECT{x, y, x + 1, y + 1}, Sys(COLOR_BTNHIGHLIGHT));
      if (x + 1 < rect.right) FillSolid(hdc, RECT{x + 1, y, x + 3 <= rect.right ? x + 3 : rect.right, y + 1}, Sys(COLOR_BTNSHADOW));
    }
  }
}

void StylePainter::PaintCaptionBand(HDC hdc, const RECT& rect, std::string_view title, bool active, bool tool_window,
                                    int reserved_right) {
  FillGradientRect(hdc, &rect, Sys(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION),
                   Sys(active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION), GRADIENT_FILL_RECT_H);
  NONCLIENTMETRICS metrics;
  SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  const HFONT font = CreateFontIndirect(tool_window ? &metrics.lfSmCaptionFont : &metrics.lfCaptionFont);
  const HGDIOBJ previous = SelectObject(hdc, font);
  const int mode = SetBkMode(hdc, TRANSPARENT);
  const COLORREF color = SetTextColor(hdc, Sys(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
  RECT text = RECT{rect.left + 2, rect.top, rect.right - reserved_right - 2, rect.bottom};
  const std::string s(title);
  DrawText(hdc, s.c_str(), static_cast<int>(s.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
  SetTextColor(hdc, color);
  SetBkMode(hdc, mode);
  SelectObject(hdc, previous);
  DeleteObject(font);
}

void StylePainter::PaintArrowGlyph(HDC hdc, const RECT& rect, Arrow direction, COLORREF color) {
  // A triangle of four rows, 7 pixels at its base, centred, its tip
  // towards `direction`.
  const int cx = (rect.left + rect.right) / 2, cy = (rect.top + rect.bottom) / 2;
  for (int i = 0; i < 4; ++i) {
    const int half = 3 - i;
    switch (direction) {
      case Arrow::kUp:
        FillSolid(hdc, RECT{cx - half, cy + 1 - i, cx + half + 1, cy + 2 - i}, color);
        break;
      case Arrow::kDown:
        FillSolid(hdc, RECT{cx - half, cy - 2 + i, cx + half + 1, cy - 1 + i}, color);
        break;
      case Arrow::kLeft:
        FillSolid(hdc, RECT{cx + 1 - i, cy - half, cx + 2 - i, cy + half + 1}, color);
        break;
      case Arrow::kRight:
        FillSolid(hdc, RECT{cx - 2 + i, cy - half, cx - 1 + i, cy + half + 1}, color);
        break;
    }
  }
}

void StylePainter::PaintScrollArrow(HDC hdc, const RECT& rect, Arrow direction, bool pushed, bool enabled) {
  RECT face = pushed ? PaintFrame(hdc, rect, Frame::kSunkenThin) : PaintFrame(hdc, rect, Frame::kRaised);
  FillSolid(hdc, face, Sys(COLOR_BTNFACE));
  if (pushed) OffsetRect(&face, 1, 1);
  if (!enabled) {
    RECT shadow = face;
    OffsetRect(&shadow, 1, 1);
    PaintArrowGlyph(hdc, shadow, direction, Sys(COLOR_BTNHIGHLIGHT));
    PaintArrowGlyph(hdc, face, direction, Sys(COLOR_BTNSHADOW));
  } else {
    PaintArrowGlyph(hdc, face, direction, Sys(COLOR_BTNTEXT));
  }
}

void StylePainter::PaintScrollTrack(HDC hdc, const RECT& rect) {
  FillDither(hdc, rect, Sys(COLOR_BTNFACE), Sys(COLOR_BTNHIGHLIGHT));
}

void StylePainter::PaintCaptionButton(HDC hdc, const RECT& rect, CaptionButton kind, bool pushed, bool enabled) {
  RECT face = pushed ? PaintEdge(hdc, rect, EDGE_SUNKEN, BF_RECT) : PaintEdge(hdc, rect, EDGE_RAISED, BF_RECT);
  FillSolid(hdc, face, Sys(COLOR_BTNFACE));
  if (pushed) OffsetRect(&face, 1, 1);
  const auto glyph = [&](const RECT& area, COLORREF ink) {
    const int w = area.right - area.left, h = area.bottom - area.top;
    // Small buttons (document windows, tool windows) keep a glyph that
    // still reads as a bar, a box or two boxes.
    const int size = std::max(6, std::min(w, h) - 6);
    const int x = area.left + (w - size) / 2, y = area.top + (h - size) / 2;
    switch (kind) {
      case CaptionButton::kClose:
        // Two crossing diagonals, two pixels thick.
        for (int i = 0; i < size; ++i) {
          FillSolid(hdc, RECT{x + i, y + i, x + i + 2, y + i + 1}, ink);
          FillSolid(hdc, RECT{x + size - 1 - i, y + i, x + size + 1 - i, y + i + 1}, ink);
        }
        break;
      case CaptionButton::kMinimize:
        FillSolid(hdc, RECT{x, y + size - 2, x + size - 2, y + size}, ink);
        break;
      case CaptionButton::kMaximize:
        FrameSolid(hdc, RECT{x, y, x + size, y + size}, ink);
        FillSolid(hdc, RECT{x, y + 1, x + size, y + 2}, ink);
        break;
      case CaptionButton::kRestore:
        FrameSolid(hdc, RECT{x + 2, y, x + size, y + size - 2}, ink);
        FillSolid(hdc, RECT{x + 2, y + 1, x + size, y + 2}, ink);
        FillSolid(hdc, RECT{x, y + 3, x + size - 2, y + size}, Sys(COLOR_BTNFACE));
        FrameSolid(hdc, RECT{x, y + 3, x + size - 2, y + size}, ink);
        FillSolid(hdc, RECT{x, y + 4, x + size - 2, y + 5}, ink);
        break;
      case CaptionButton::kHelp: {
        RECT text = area;
        const int mode = SetBkMode(hdc, TRANSPARENT);
        const COLORREF color = SetTextColor(hdc, ink);
        DrawText(hdc, "?", 1, &text, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
        SetTextColor(hdc, color);
        SetBkMode(hdc, mode);
        break;
      }
    }
  };
  if (!enabled) {
    RECT shadow = face;
    OffsetRect(&shadow, 1, 1);
    glyph(shadow, Sys(COLOR_BTNHIGHLIGHT));
    glyph(face, Sys(COLOR_BTNSHADOW));
  } else {
    glyph(face, Sys(COLOR_BTNTEXT));
  }
}

void StylePainter::PaintFocusRect(HDC hdc, const RECT& rect) { InvertSides(hdc, rect, 1, &FocusDots()); }

void StylePainter::PaintDragOutline(HDC hdc, const RECT& rect, int thickness) {
  auto brush = FindBrush(GetHalftoneBrush());
  if (!brush) return;
  // The halftone's black bits take the text colour and its white bits the
  // background colour: black text on white inverts every other pixel.
  const COLORREF text = SetTextColor(hdc, RGB(0, 0, 0));
  const COLORREF bk = SetBkColor(hdc, RGB(255, 255, 255));
  InvertSides(hdc, rect, thickness, brush.get());
  SetTextColor(hdc, text);
  SetBkColor(hdc, bk);
}

void StylePainter::PaintMenuCheck(HDC hdc, const RECT& box, bool bullet, COLORREF color) {
  const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
  if (bullet) {
    FillSolid(hdc, RECT{cx - 2, cy - 1, cx + 2, cy + 1}, color);
    FillSolid(hdc, RECT{cx - 1, cy - 2, cx + 1, cy + 2}, color);
    return;
  }
  static constexpr int kTop[7] = {2, 3, 4, 3, 2, 1, 0};
  const int x = box.left + (box.right - box.left - 7) / 2, y = box.top + (box.bottom - box.top - 7) / 2;
  for (int i = 0; i < 7; ++i) FillSolid(hdc, RECT{x + i, y + kTop[i], x + i + 1, y + kTop[i] + 3}, color);
}

void StylePainter::PaintMenuSeparator(HDC hdc, const RECT& rect) {
  const int y = (rect.top + rect.bottom) / 2 - 1;
  FillSolid(hdc, RECT{rect.left + 1, y, rect.right - 1, y + 1}, Sys(COLOR_BTNSHADOW));
  FillSolid(hdc, RECT{rect.left + 1, y + 1, rect.right - 1, y + 2}, Sys(COLOR_BTNHIGHLIGHT));
}

namespace {

// A polyline in one colour through `points`, each moved by (dx, dy); the
// last point is left out, as LineTo leaves it.
void PaintPolyline(HDC hdc, std::span<const POINT> points, int dx, int dy, COLORREF color) {
  if (points.empty()) return;
  const HPEN pen = CreatePen(PS_SOLID, 1, color);
  const HGDIOBJ old = SelectObject(hdc, pen);
  MoveToEx(hdc, points[0].x + dx, points[0].y + dy, nullptr);
  for (size_t i = 1; i < points.size(); ++i) LineTo(hdc, points[i].x + dx, points[i].y + dy);
  SelectObject(hdc, old);
  DeleteObject(pen);
}

}  // namespace

void StylePainter::PaintHangingTab(HDC hdc, std::span<const POINT> outline) {
  // The outline's points: top left, the start of the lower left cut, the
  // bottom's two ends, the start of the lower right cut and top right.
  if (outline.size() < 6) return;
  const HRGN region = CreatePolygonRgn(outline.data(), static_cast<int>(outline.size()), ALTERNATE);
  const HBRUSH face = CreateSolidBrush(Sys(COLOR_3DFACE));
  FillRgn(hdc, region, face);
  DeleteObject(face);
  DeleteObject(region);
  // The region holds no pixel of its bottom and right edges, so the dark
  // lines run one pixel inside them.
  PaintPolyline(hdc, outline.subspan(0, 3), 0, 0, Sys(COLOR_BTNHIGHLIGHT));
  const POINT bottom_right[] = {outline[2], outline[3], outline[4], outline[5]};
  PaintPolyline(hdc, bottom_right, -1, -1, Sys(COLOR_3DDKSHADOW));
  const POINT inner[] = {{outline[2].x + 1, outline[2].y}, outline[3], outline[4], outline[5]};
  PaintPolyline(hdc, inner, -2, -2, Sys(COLOR_BTNSHADOW));
}

RECT StylePainter::PaintTab(HDC hdc, const RECT& r) {
  if (IsRectEmpty(&r)) return r;
  FillSolid(hdc, RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom}, Sys(COLOR_BTNFACE));
  // Left and top in the highlight, the corner pixel cut off diagonally.
  FillSolid(hdc, RECT{r.left, r.top + 2, r.left + 1, r.bottom}, Sys(COLOR_BTNHIGHLIGHT));
  FillSolid(hdc, RECT{r.left + 1, r.top + 1, r.left + 2, r.top + 2}, Sys(COLOR_BTNHIGHLIGHT));
  FillSolid(hdc, RECT{r.left + 2, r.top, r.right - 2, r.top + 1}, Sys(COLOR_BTNHIGHLIGHT));
  // Right: the dark shadow outside, the shadow inside it.
  FillSolid(hdc, RECT{r.right - 2, r.top + 1, r.right - 1, r.top + 2}, Sys(COLOR_3DDKSHADOW));
  FillSolid(hdc, RECT{r.right - 1, r.top + 2, r.right, r.bottom}, Sys(COLOR_3DDKSHADOW));
  FillSolid(hdc, RECT{r.right - 2, r.top + 2, r.right - 1, r.bottom}, Sys(COLOR_BTNSHADOW));
  return RECT{r.left + 2, r.top + 2, r.right - 2, r.bottom};
}

}  // namespace ui

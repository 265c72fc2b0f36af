// The Win32 edge and frame-control calls, painted by the style painter.
#include "platform/ui/Frames.h"

#include <algorithm>

#include "platform/ui/Drawing.h"
#include "platform/ui/StylePainter.h"
#include "platform/ui/SystemMetrics.h"

namespace ui {

BOOL DrawEdge(HDC hdc, RECT* rect, UINT edge, UINT flags) {
  if (!rect) return FALSE;
  const RECT inside = StylePainter::PaintEdge(hdc, *rect, edge, flags);
  if (flags & BF_ADJUST) *rect = inside;
  return TRUE;
}

namespace {

// Frame-control glyphs are drawn in a square centred in the rectangle.
RECT Square(const RECT& r) {
  const int size = std::min(r.right - r.left, r.bottom - r.top);
  const int x = r.left + (r.right - r.left - size) / 2, y = r.top + (r.bottom - r.top - size) / 2;
  return RECT{x, y, x + size, y + size};
}

}  // namespace

BOOL DrawFrameControl(HDC hdc, RECT* rect, UINT type, UINT state) {
  if (!rect) return FALSE;
  const bool pushed = state & DFCS_PUSHED, enabled = !(state & DFCS_INACTIVE);
  using Arrow = StylePainter::Arrow;
  using Button = StylePainter::CaptionButton;
  switch (type) {
    case DFC_CAPTION: {
      static constexpr Button kButtons[] = {Button::kClose, Button::kMinimize, Button::kMaximize, Button::kRestore,
                                            Button::kHelp};
      const UINT kind = state & 0xFF;
      if (kind > DFCS_CAPTIONHELP) return FALSE;
      StylePainter::PaintCaptionButton(hdc, *rect, kButtons[kind], pushed, enabled);
      return TRUE;
    }
    case DFC_SCROLL: {
      const UINT kind = state & 0xFF;
      if (kind == DFCS_SCROLLSIZEGRIP) {
        StylePainter::FillSolid(hdc, *rect, GetSysColor(COLOR_BTNFACE));
        StylePainter::PaintSizeGrip(hdc, *rect);
        return TRUE;
      }
      static constexpr Arrow kArrows[] = {Arrow::kUp, Arrow::kDown, Arrow::kLeft, Arrow::kRight};
      if (kind > DFCS_SCROLLRIGHT) return FALSE;
      StylePainter::PaintScrollArrow(hdc, *rect, kArrows[kind], pushed, enabled);
      return TRUE;
    }
    case DFC_BUTTON: {
      if (state & DFCS_BUTTONPUSH) {
        StylePainter::ButtonState button;
        button.pressed = pushed;
        button.checked = state & DFCS_CHECKED;
        button.flat = state & DFCS_FLAT;
        StylePainter::PaintButtonFace(hdc, *rect, button);
      } else if (state & DFCS_BUTTONRADIO) {
        StylePainter::PaintRadioButton(hdc, Square(*rect), state & DFCS_CHECKED, enabled);
      } else {
        StylePainter::PaintCheckBox(hdc, Square(*rect), state & DFCS_CHECKED, enabled);
      }
      return TRUE;
    }
    case DFC_MENU: {
      const RECT box = Square(*rect);
      const COLORREF ink = GetSysColor(COLOR_MENUTEXT);
      switch (state & 0xFF) {
        case DFCS_MENUARROW:
          StylePainter::PaintArrowGlyph(hdc, box, Arrow::kRight, ink);
          return TRUE;
        case DFCS_MENUCHECK:
          StylePainter::PaintMenuCheck(hdc, box, false, ink);
          return TRUE;
        case DFCS_MENUBULLET:
          StylePainter::PaintMenuCheck(hdc, box, true, ink);
          return TRUE;
        default:
          return FALSE;
      }
    }
    default:
      return FALSE;
  }
}

BOOL DrawFocusRect(HDC hdc, const RECT* rect) {
  if (!rect) return FALSE;
  StylePainter::PaintFocusRect(hdc, *rect);
  return TRUE;
}

}  // namespace ui

// The paint scope and colours shared by the standard controls.
#include "platform/ui/internal/ControlPaint.h"

#include "platform/ui/Gdi.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/StylePainter.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui::internal {

ControlPaintScope::ControlPaintScope(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &paint_)) {
  GetClientRect(hwnd, &client_);
  if (!dc_) return;
  HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessage(hwnd, WM_GETFONT, 0, 0));
  if (!font) font = GetStockObject(DEFAULT_GUI_FONT);
  old_font_ = SelectObject(dc_, font);
}

ControlPaintScope::~ControlPaintScope() {
  if (dc_ && old_font_) SelectObject(dc_, old_font_);
  EndPaint(hwnd_, &paint_);
}

HBRUSH ControlBackground(HWND hwnd, HDC hdc, UINT ctlcolor_message, int default_color) {
  SetTextColor(hdc, GetSysColor(IsWindowEnabled(hwnd) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  SetBkColor(hdc, GetSysColor(default_color));
  const HWND parent = ParentOf(hwnd);
  if (parent) {
    const LRESULT brush = SendMessage(parent, ctlcolor_message, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(hwnd));
    if (brush) return reinterpret_cast<HBRUSH>(brush);
  }
  return GetSysColorBrush(default_color);
}

void PaintControlLabel(HDC hdc, const RECT& rect, const std::string& text, UINT draw_text_flags, bool enabled) {
  if (!enabled) {
    StylePainter::PaintLabel(hdc, rect, text, draw_text_flags, false);
    return;
  }
  const int mode = SetBkMode(hdc, TRANSPARENT);
  RECT r = rect;
  DrawText(hdc, text.c_str(), static_cast<int>(text.size()), &r, draw_text_flags);
  SetBkMode(hdc, mode);
}

}  // namespace ui::internal

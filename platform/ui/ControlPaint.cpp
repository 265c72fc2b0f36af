// The paint scope and colours shared by the standard controls.
#include "platform/ui/internal/ControlPaint.h"

#include "platform/ui/Gdi.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
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
  const bool window_colours = default_color == COLOR_WINDOW;
  SetTextColor(hdc, GetSysColor(IsWindowEnabled(hwnd) || !window_colours ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  SetBkColor(hdc, GetSysColor(default_color));
  const HWND parent = ParentOf(hwnd);
  if (parent) {
    const LRESULT brush = SendMessage(parent, ctlcolor_message, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(hwnd));
    if (brush) return reinterpret_cast<HBRUSH>(brush);
  }
  return GetSysColorBrush(default_color);
}

}  // namespace ui::internal

// The static control: a text, a frame or rectangle, an etched line or
// frame, or a picture; it notifies clicks with SS_NOTIFY.
#include <string>

#include "platform/ui/ControlMessages.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/StylePainter.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/ui/internal/ControlPaint.h"
#include "platform/ui/internal/StandardClasses.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui::internal {

namespace {
struct StaticData : ControlData {
  LPARAM image = 0;  // the picture handle of SS_ICON and SS_BITMAP statics
};
DWORD TypeOf(HWND hwnd) { return StyleOf(hwnd) & SS_TYPEMASK; }

UINT TextFormat(DWORD style) {
  UINT format = (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
  switch (style & SS_TYPEMASK) {
    case SS_CENTER: return format | DT_CENTER | DT_WORDBREAK;
    case SS_RIGHT: return format | DT_RIGHT | DT_WORDBREAK;
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP: return format | DT_SINGLELINE;
  }
  return format | DT_WORDBREAK;
}

void PaintBitmap(HDC hdc, const RECT& client, HBITMAP bitmap) {
  BITMAP info;
  if (!bitmap || !GetObject(bitmap, sizeof info, &info)) return;
  const HDC source = CreateCompatibleDC(hdc);
  const HGDIOBJ old = SelectObject(source, bitmap);
  BitBlt(hdc, client.left, client.top, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
}

// The system colours of the plain rectangles and frames.
int ShapeColor(DWORD type) {
  switch (type) {
    case SS_BLACKRECT:
    case SS_BLACKFRAME: return COLOR_WINDOWFRAME;
    case SS_GRAYRECT:
    case SS_GRAYFRAME: return COLOR_3DSHADOW;
  }
  return COLOR_3DHIGHLIGHT;
}

// Pictures, shapes and etched lines draw no text.
bool PaintShape(HWND hwnd, HDC hdc, const RECT& client, DWORD type) {
  switch (type) {
    case SS_ICON: {
      const auto icon = reinterpret_cast<HICON>(ControlState<StaticData>(hwnd)->image);
      if (icon) DrawIcon(hdc, client.left, client.top, icon);
      return true;
    }
    case SS_BITMAP: PaintBitmap(hdc, client, reinterpret_cast<HBITMAP>(ControlState<StaticData>(hwnd)->image)); return true;
    case SS_BLACKRECT:
    case SS_GRAYRECT:
    case SS_WHITERECT: StylePainter::FillSolid(hdc, client, GetSysColor(ShapeColor(type))); return true;
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME: StylePainter::FrameSolid(hdc, client, GetSysColor(ShapeColor(type))); return true;
    case SS_ETCHEDFRAME: StylePainter::PaintFrame(hdc, client, StylePainter::Frame::kEtched); return true;
    case SS_ETCHEDHORZ:
      StylePainter::PaintBevel(hdc, RECT{client.left, client.top, client.right, client.top + 2},
                               GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHIGHLIGHT));
      return true;
    case SS_ETCHEDVERT:
      StylePainter::PaintBevel(hdc, RECT{client.left, client.top, client.left + 2, client.bottom},
                               GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHIGHLIGHT));
      return true;
  }
  return false;
}

void Paint(HWND hwnd) {
  ControlPaintScope scope(hwnd);
  if (!scope.dc()) return;
  const HDC hdc = scope.dc();
  RECT client = scope.client();
  const DWORD style = StyleOf(hwnd);
  const HBRUSH background = ControlBackground(hwnd, hdc, WM_CTLCOLORSTATIC, COLOR_3DFACE);
  const DWORD type = TypeOf(hwnd);
  const bool filled = type == SS_BLACKRECT || type == SS_GRAYRECT || type == SS_WHITERECT;
  if (!filled) FillRect(hdc, &client, background);
  if (style & SS_SUNKEN) client = StylePainter::PaintFrame(hdc, client, StylePainter::Frame::kSunkenThin);
  if (PaintShape(hwnd, hdc, client, type)) return;
  SetBkMode(hdc, TRANSPARENT);
  PaintControlLabel(hdc, client, GetWindowTextString(hwnd), TextFormat(style), IsWindowEnabled(hwnd));
}

}  // namespace

LRESULT StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case STM_SETIMAGE:
    case STM_SETICON: {
      auto data = ControlState<StaticData>(hwnd);
      const LPARAM old = data->image;
      data->image = message == STM_SETICON ? static_cast<LPARAM>(wParam) : lParam;
      InvalidateRect(hwnd, nullptr, TRUE);
      return old;
    }
    case STM_GETIMAGE:
    case STM_GETICON: return ControlState<StaticData>(hwnd)->image;
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProc(hwnd, message, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return result;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (StyleOf(hwnd) & SS_NOTIFY) NotifyParent(hwnd, message == WM_LBUTTONDOWN ? STN_CLICKED : STN_DBLCLK);
      return 0;
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_PAINT: Paint(hwnd); return 0;
    case WM_ERASEBKGND: return 1;  // WM_PAINT fills the whole control
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
  }
  return DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace ui::internal

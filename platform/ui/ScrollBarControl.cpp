// The scroll-bar control: one bar filling its window (SBS_VERT or
// SBS_HORZ), or a sizing grip (SBS_SIZEGRIP). Its owner is its parent,
// which gets WM_VSCROLL or WM_HSCROLL with the control in lParam.
#include "platform/ui/Gdi.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/ScrollBars.h"
#include "platform/ui/StylePainter.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/ScrollBarWindows.h"
#include "platform/ui/internal/StandardClasses.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui::internal {

namespace {

void Paint(HWND hwnd) {
  PAINTSTRUCT paint;
  const HDC hdc = BeginPaint(hwnd, &paint);
  RECT client;
  GetClientRect(hwnd, &client);
  const DWORD style = StyleOf(hwnd);
  if (style & (SBS_SIZEGRIP | SBS_SIZEBOX)) {
    StylePainter::FillSolid(hdc, client, GetSysColor(COLOR_3DFACE));
    if (style & SBS_SIZEGRIP) StylePainter::PaintSizeGrip(hdc, client);
  } else {
    PaintScrollBar(hdc, client, (style & SBS_VERT) != 0, ScrollBarStateOf(hwnd, SB_CTL),
                   (style & WS_DISABLED) == 0);
  }
  EndPaint(hwnd, &paint);
}

LRESULT SetInfo(HWND hwnd, UINT mask, int min, int max, int pos, BOOL redraw) {
  SCROLLINFO info;
  info.fMask = mask;
  info.nMin = min;
  info.nMax = max;
  info.nPos = pos;
  return SetScrollInfo(hwnd, SB_CTL, &info, redraw);
}

}  // namespace

LRESULT ScrollBarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: Paint(hwnd); return 0;
    case WM_ERASEBKGND: return 1;  // the bar covers its whole window
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (StyleOf(hwnd) & (SBS_SIZEGRIP | SBS_SIZEBOX)) return 0;
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(hwnd, &at);
      TrackScrollBar(hwnd, SB_CTL, at);
      return 0;
    }
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case SBM_SETPOS: {
      const int old = GetScrollPos(hwnd, SB_CTL);
      SetInfo(hwnd, SIF_POS, 0, 0, static_cast<int>(wParam), static_cast<BOOL>(lParam));
      return old;
    }
    case SBM_GETPOS: return GetScrollPos(hwnd, SB_CTL);
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW:
      SetInfo(hwnd, SIF_RANGE, static_cast<int>(wParam), static_cast<int>(lParam), 0, message == SBM_SETRANGEREDRAW);
      return GetScrollPos(hwnd, SB_CTL);
    case SBM_GETRANGE:
      GetScrollRange(hwnd, SB_CTL, reinterpret_cast<int*>(wParam), reinterpret_cast<int*>(lParam));
      return 0;
    case SBM_ENABLE_ARROWS: return EnableScrollBar(hwnd, SB_CTL, static_cast<UINT>(wParam));
    case SBM_SETSCROLLINFO:
      return SetScrollInfo(hwnd, SB_CTL, reinterpret_cast<const SCROLLINFO*>(lParam), static_cast<BOOL>(wParam));
    case SBM_GETSCROLLINFO: return GetScrollInfo(hwnd, SB_CTL, reinterpret_cast<SCROLLINFO*>(lParam));
  }
  return DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace ui::internal

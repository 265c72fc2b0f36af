#include "platform/ui/internal/SizeMoveLoop.h"

#include <algorithm>

#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/NonClient.h"
#include "platform/ui/RawInput.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui::internal {

namespace {

bool MovesLeft(WPARAM edge) { return edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT; }
bool MovesRight(WPARAM edge) { return edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT; }
bool MovesTop(WPARAM edge) { return edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT; }
bool MovesBottom(WPARAM edge) { return edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT; }

// The rectangle after the mouse went from `start` to `now`; a sized window
// keeps at least its frame.
RECT Track(const RECT& original, POINT start, POINT now, bool sizing, WPARAM edge, SIZE minimum) {
  const int dx = now.x - start.x, dy = now.y - start.y;
  RECT r = original;
  if (!sizing) return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
  if (MovesLeft(edge)) r.left = std::min(r.left + dx, r.right - minimum.cx);
  if (MovesRight(edge)) r.right = std::max(r.right + dx, r.left + minimum.cx);
  if (MovesTop(edge)) r.top = std::min(r.top + dy, r.bottom - minimum.cy);
  if (MovesBottom(edge)) r.bottom = std::max(r.bottom + dy, r.top + minimum.cy);
  return r;
}

// Screen rectangle to the coordinates SetWindowPos takes.
void Place(HWND hwnd, RECT screen) {
  if (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD) {
    POINT corners[2] = {{screen.left, screen.top}, {screen.right, screen.bottom}};
    MapWindowPoints(nullptr, GetParent(hwnd), corners, 2);
    screen = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
  }
  SetWindowPos(hwnd, nullptr, screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

POINT ScreenPointOf(const MSG& msg) {
  POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
  ClientToScreen(msg.hwnd, &p);
  return p;
}

}  // namespace

void RunSizeMoveLoop(HWND hwnd, WPARAM command) {
  const bool sizing = (command & 0xFFF0) == SC_SIZE;
  WPARAM edge = command & 0x000F;
  if (sizing && (edge < WMSZ_LEFT || edge > WMSZ_BOTTOMRIGHT)) edge = WMSZ_BOTTOMRIGHT;
  RECT original;
  if (!GetWindowRect(hwnd, &original)) return;
  RECT frame_only{0, 0, 0, 0};
  AdjustWindowRectEx(&frame_only, static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_EXSTYLE)));
  SIZE minimum{frame_only.right - frame_only.left, frame_only.bottom - frame_only.top};
  if (!(GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD)) {
    // A top-level window keeps room for its caption buttons.
    minimum.cx = std::max<LONG>(minimum.cx, GetSystemMetrics(SM_CXMINTRACK));
    minimum.cy = std::max<LONG>(minimum.cy, GetSystemMetrics(SM_CYMINTRACK));
  }
  POINT start;
  GetCursorPos(&start);
  SetCapture(hwnd);
  CallProc(hwnd, WM_ENTERSIZEMOVE, 0, 0);
  RECT current = original;
  bool cancelled = false;
  MSG msg;
  while (IsWindow(hwnd) && GetCapture() == hwnd) {
    const int got = GetMessage(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop ends too
      break;
    }
    if (got < 0) break;
    if (msg.message == WM_MOUSEMOVE && msg.hwnd == hwnd) {
      RECT next = Track(original, start, ScreenPointOf(msg), sizing, edge, minimum);
      // The window may bend the rectangle (screen coordinates).
      CallProc(hwnd, sizing ? WM_SIZING : WM_MOVING, edge, reinterpret_cast<LPARAM>(&next));
      if (next != current) {
        current = next;
        Place(hwnd, current);
      }
      continue;
    }
    if (msg.message == WM_LBUTTONUP) break;
    if (msg.message == WM_KEYDOWN && (msg.wParam == VK_ESCAPE || msg.wParam == VK_RETURN)) {
      cancelled = msg.wParam == VK_ESCAPE;
      break;
    }
    if (msg.message == WM_KEYUP || msg.message == WM_CHAR) continue;  // the loop's own keys
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  // A loop that lost its capture to someone else was cancelled too.
  if (IsWindow(hwnd) && GetCapture() != hwnd && !cancelled && msg.message != WM_LBUTTONUP &&
      !(msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN))
    cancelled = true;
  if (GetCapture() == hwnd) ReleaseCapture();
  if (!IsWindow(hwnd)) return;
  if (cancelled && current != original) Place(hwnd, original);
  CallProc(hwnd, WM_EXITSIZEMOVE, 0, 0);
}

}  // namespace ui::internal

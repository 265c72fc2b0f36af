#include "platform/afx/RectTracker.h"

#include <algorithm>

#include "platform/afx/Dc.h"

namespace afx {

void CRectTracker::AdjustRect(int, RECT*) {}

void CRectTracker::OnChangedRect(const RECT&) {}

SIZE CRectTracker::OutlineSize() const {
  const int thickness = std::max(1, m_nHandleSize - 1);
  return SIZE{thickness, thickness};
}

void CRectTracker::DrawTrackerRect(const RECT* rect, CDC* desktop) {
  const SIZE size = rect ? OutlineSize() : SIZE{0, 0};
  desktop->DrawDragRect(rect, size, drawn_ ? &last_ : nullptr, OutlineSize());
  drawn_ = rect != nullptr;
  if (rect) last_ = *rect;
}

void CRectTracker::ShowDrawing(CDC* desktop) {
  // A desktop context shows its drawing when it is released: the outline
  // is shown now, while the loop goes on.
  ::ui::ReleaseDC(nullptr, desktop->Detach());
  desktop->Attach(::ui::GetDC(nullptr));
}

BOOL CRectTracker::Track(CWnd* window, POINT point) {
  if (!window || !window->m_hWnd) return FALSE;
  if (::ui::GetCapture() && ::ui::GetCapture() != window->m_hWnd) return FALSE;  // someone else is tracking
  CDC desktop;
  desktop.Attach(::ui::GetDC(nullptr));
  drawn_ = false;
  ::ui::SetCapture(window->m_hWnd);
  OnTrackStart();
  const BOOL moved = TrackLoop(window, point, &desktop);
  OnTrackEnd();
  if (::ui::GetCapture() == window->m_hWnd) ::ui::ReleaseCapture();
  ::ui::ReleaseDC(nullptr, desktop.Detach());
  return moved;
}

BOOL CRectTracker::TrackLoop(CWnd* window, POINT start, CDC* desktop) {
  const RECT origin = m_rect;
  const HWND hwnd = window->m_hWnd;
  BOOL released = FALSE;
  while (::ui::GetCapture() == hwnd) {
    MSG msg;
    if (!::ui::GetMessage(&msg, nullptr, 0, 0)) {
      ::ui::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    const POINT at{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
      MoveTo(window, start, at, origin, desktop);
      if (msg.message == WM_LBUTTONUP) {
        released = TRUE;
        break;
      }
      continue;
    }
    if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && msg.wParam == VK_ESCAPE) break;
    if (msg.message == WM_RBUTTONDOWN) break;
    // Keys other than Esc belong to nobody while the mouse is held: a
    // modifier let go must not reach the menu bar as a menu key.
    if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_SYSKEYDOWN ||
        msg.message == WM_SYSKEYUP)
      continue;
    ::ui::DispatchMessage(&msg);
  }
  // The final draw takes the outline away.
  if (drawn_) {
    DrawTrackerRect(nullptr, desktop);
    ShowDrawing(desktop);
  }
  if (!released) {
    m_rect = origin;
    return FALSE;
  }
  return !::ui::EqualRect(&m_rect, &origin);
}

void CRectTracker::MoveTo(CWnd* window, POINT start, POINT point, const RECT& origin, CDC* desktop) {
  const RECT old = m_rect;
  m_rect = origin;
  ::ui::OffsetRect(&m_rect, point.x - start.x, point.y - start.y);
  AdjustRect(kHitMiddle, &m_rect);
  if (::ui::EqualRect(&old, &m_rect) && drawn_) return;
  RECT screen = m_rect;
  window->ClientToScreen(&screen);
  DrawTrackerRect(&screen, desktop);
  ShowDrawing(desktop);
  OnChangedRect(old);
}

}  // namespace afx

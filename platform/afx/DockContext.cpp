#include "platform/afx/DockContext.h"

#include <algorithm>
#include <cstdlib>

#include "platform/afx/Dc.h"
#include "platform/afx/DockBar.h"
#include "platform/afx/FrameWnd.h"
#include "platform/afx/MiniDockFrameWnd.h"

namespace afx {

namespace {

RECT RectAt(POINT corner, SIZE size) { return RECT{corner.x, corner.y, corner.x + size.cx, corner.y + size.cy}; }

// Moves `rect` so that `point` lies inside it, a border width in from the
// nearest edge.
void AdjustRectangle(RECT& rect, POINT point) {
  const int bx = ::ui::GetSystemMetrics(SM_CXBORDER), by = ::ui::GetSystemMetrics(SM_CYBORDER);
  const int dx = point.x < rect.left    ? point.x - rect.left - bx
                 : point.x >= rect.right ? point.x - rect.right + 1 + bx
                                         : 0;
  const int dy = point.y < rect.top      ? point.y - rect.top - by
                 : point.y >= rect.bottom ? point.y - rect.bottom + 1 + by
                                          : 0;
  ::ui::OffsetRect(&rect, dx, dy);
}

POINT ScreenPointOf(const MSG& msg) {
  POINT point{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
  if (msg.hwnd) ::ui::ClientToScreen(msg.hwnd, &point);
  return point;
}

}  // namespace

CDockContext::CDockContext(CControlBar* bar) : m_pBar(bar), m_pDockSite(bar->m_pDockSite) {
  m_sizeMinFloat = SIZE{::ui::GetSystemMetrics(SM_CXMENUSIZE) +
                            2 * (::ui::GetSystemMetrics(SM_CXFRAME) + ::ui::GetSystemMetrics(SM_CXBORDER)),
                        ::ui::GetSystemMetrics(SM_CYSMCAPTION) +
                            2 * (::ui::GetSystemMetrics(SM_CYFRAME) + ::ui::GetSystemMetrics(SM_CYBORDER))};
  m_sizeMaxFloat = SIZE{::ui::GetSystemMetrics(SM_CXFULLSCREEN), ::ui::GetSystemMetrics(SM_CYFULLSCREEN)};
}

CDockContext::~CDockContext() = default;

BOOL CDockContext::IsHorizontalNow() const {
  const bool horizontal = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  return m_bFlip ? !horizontal : horizontal;
}

void CDockContext::InitLoop() {
  m_bFlip = FALSE;
  // Ctrl held when the drag begins already keeps the bar from docking.
  m_bForceFrame = ::ui::GetKeyState(static_cast<int>(VK_CONTROL)) < 0;
  m_bCancelRequested = FALSE;
  ::ui::SetRectEmpty(&m_rectLast);
  m_sizeLast = SIZE{0, 0};
  m_bDitherLast = FALSE;
  if (!m_pDockSite) m_pDockSite = m_pBar->m_pDockSite;
  m_hDesktopDC = ::ui::GetDC(nullptr);
}

void CDockContext::CancelLoop() {
  DrawFocusRect(TRUE);
  if (::ui::GetCapture() == m_pBar->m_hWnd) ::ui::ReleaseCapture();
  if (m_hDesktopDC) {
    ::ui::ReleaseDC(nullptr, m_hDesktopDC);
    m_hDesktopDC = nullptr;
  }
}

void CDockContext::CancelTracking() { m_bCancelRequested = TRUE; }

void CDockContext::StartDrag(POINT point) {
  if (::ui::GetCapture()) return;  // another window is tracking the mouse
  m_bDragging = TRUE;
  m_dwStyle = m_pBar->m_dwStyle;
  m_dwDockStyle = m_pBar->m_dwDockStyle;
  InitLoop();
  m_ptStart = m_ptLast = point;
  RECT rect;
  m_pBar->GetWindowRect(&rect);
  const POINT corner{rect.left, rect.top};
  if (m_dwStyle & CBRS_SIZE_DYNAMIC) {
    m_rectDragHorz = RectAt(corner, m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK));
    m_rectDragVert = RectAt(corner, m_pBar->CalcDynamicLayout(0, LM_VERTDOCK));
    const SIZE floating = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
    m_rectFrameDragHorz = RectAt(POINT{corner.x - 1, corner.y - 1}, SIZE{floating.cx + 1, floating.cy + 1});
    m_rectFrameDragVert = m_rectFrameDragHorz;
  } else if (m_dwStyle & CBRS_SIZE_FIXED) {
    m_rectDragHorz = RectAt(corner, m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK));
    m_rectDragVert = RectAt(corner, m_pBar->CalcDynamicLayout(-1, LM_VERTDOCK));
    m_rectFrameDragHorz = m_rectDragHorz;
    m_rectFrameDragVert = m_rectDragVert;
  } else {
    // The present orientation keeps the bar's rectangle; the other one is
    // centred on the mouse across the bar.
    const bool horizontal = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    const SIZE other = m_pBar->CalcDynamicLayout(-1, horizontal ? LM_VERTDOCK : (LM_HORZ | LM_HORZDOCK));
    RECT turned = RectAt(corner, other);
    if (horizontal) ::ui::OffsetRect(&turned, point.x - (turned.left + turned.right) / 2, 0);
    else ::ui::OffsetRect(&turned, 0, point.y - (turned.top + turned.bottom) / 2);
    m_rectDragHorz = horizontal ? rect : turned;
    m_rectDragVert = horizontal ? turned : rect;
    m_rectFrameDragHorz = m_rectDragHorz;
    m_rectFrameDragVert = m_rectDragVert;
  }
  CMiniFrameWnd::CalcBorders(&m_rectFrameDragHorz, WS_THICKFRAME | WS_CAPTION);
  CMiniFrameWnd::CalcBorders(&m_rectFrameDragVert, WS_THICKFRAME | WS_CAPTION);
  for (RECT* shape : {&m_rectDragHorz, &m_rectDragVert, &m_rectFrameDragHorz, &m_rectFrameDragVert})
    AdjustRectangle(*shape, point);
  m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
  DrawFocusRect();
  if (Track()) EndDrag();
}

void CDockContext::Move(POINT point) {
  const int dx = point.x - m_ptLast.x, dy = point.y - m_ptLast.y;
  for (RECT* shape : {&m_rectDragHorz, &m_rectDragVert, &m_rectFrameDragHorz, &m_rectFrameDragVert})
    ::ui::OffsetRect(shape, dx, dy);
  m_ptLast = point;
  m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
  DrawFocusRect();
}

void CDockContext::OnKey(int virtual_key, BOOL down) {
  if (virtual_key == static_cast<int>(VK_CONTROL)) {
    if (m_bForceFrame == down) return;
    m_bForceFrame = down;
  } else if (virtual_key == static_cast<int>(VK_SHIFT)) {
    if (m_bFlip == down) return;
    m_bFlip = down;
  } else {
    return;
  }
  m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
  DrawFocusRect();
}

DWORD CDockContext::CanDock() {
  if (!m_pDockSite) return 0;
  const bool horizontal = IsHorizontalNow();
  DWORD style = 0;
  if (horizontal && (m_dwDockStyle & CBRS_ORIENT_HORZ))
    style = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_VERT);
  else if (!horizontal && (m_dwDockStyle & CBRS_ORIENT_VERT))
    style = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
  if (style == 0 && !m_bFlip) {
    // The other orientation, when the bar may turn.
    if (!horizontal && (m_dwDockStyle & CBRS_ORIENT_HORZ))
      style = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_VERT);
    else if (horizontal && (m_dwDockStyle & CBRS_ORIENT_VERT))
      style = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
  }
  return style;
}

CDockBar* CDockContext::GetDockBar(DWORD over_style) {
  if (!m_pDockSite) return nullptr;
  CDockBar* dock_bar = nullptr;
  const RECT& rect = (over_style & CBRS_ORIENT_HORZ) ? m_rectDragHorz : m_rectDragVert;
  m_pDockSite->CanDock(rect, over_style, &dock_bar);
  return dock_bar;
}

void CDockContext::GetOutline(RECT& rect, SIZE& size, BOOL& dither) {
  dither = FALSE;
  size = SIZE{1, 1};
  if (m_dwOverDockStyle & CBRS_ORIENT_HORZ) {
    rect = m_rectDragHorz;
  } else if (m_dwOverDockStyle & CBRS_ORIENT_VERT) {
    rect = m_rectDragVert;
  } else {
    rect = IsHorizontalNow() ? m_rectFrameDragHorz : m_rectFrameDragVert;
    size = SIZE{std::max(1, ::ui::GetSystemMetrics(SM_CXFRAME) - 1),
                std::max(1, ::ui::GetSystemMetrics(SM_CYFRAME) - 1)};
    dither = TRUE;
  }
}

void CDockContext::DrawFocusRect(BOOL remove) {
  if (!m_hDesktopDC) return;
  RECT rect;
  SIZE size;
  BOOL dither;
  if (m_bDragging) {
    GetOutline(rect, size, dither);
  } else {
    rect = m_rectFrameResize;
    size = SIZE{std::max(1, ::ui::GetSystemMetrics(SM_CXFRAME) - 1),
                std::max(1, ::ui::GetSystemMetrics(SM_CYFRAME) - 1)};
    dither = TRUE;
  }
  if (remove) size = SIZE{0, 0};
  if (::ui::EqualRect(&rect, &m_rectLast) && size.cx == m_sizeLast.cx && size.cy == m_sizeLast.cy &&
      dither == m_bDitherLast)
    return;
  CDC* dc = CDC::FromHandle(m_hDesktopDC);
  const bool had_last = !::ui::IsRectEmpty(&m_rectLast) && (m_sizeLast.cx > 0 || m_sizeLast.cy > 0);
  dc->DrawDragRect(remove ? nullptr : &rect, size, had_last ? &m_rectLast : nullptr, m_sizeLast);
  // Desktop contexts show their changes when they are released; the
  // outline is shown now, while the loop goes on.
  ::ui::ReleaseDC(nullptr, m_hDesktopDC);
  m_hDesktopDC = ::ui::GetDC(nullptr);
  if (remove) {
    ::ui::SetRectEmpty(&m_rectLast);
    m_sizeLast = SIZE{0, 0};
  } else {
    m_rectLast = rect;
    m_sizeLast = size;
  }
  m_bDitherLast = dither;
}

BOOL CDockContext::Track() {
  if (::ui::GetCapture() && ::ui::GetCapture() != m_pBar->m_hWnd) {
    CancelLoop();
    return FALSE;
  }
  const HWND bar = m_pBar->m_hWnd;
  ::ui::SetCapture(bar);
  m_bTracking = TRUE;
  BOOL released = FALSE;
  while (::ui::GetCapture() == bar && !m_bCancelRequested) {
    MSG msg;
    if (!::ui::GetMessage(&msg, nullptr, 0, 0)) {
      ::ui::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    switch (msg.message) {
      case WM_LBUTTONUP:
        if (m_bDragging) Move(ScreenPointOf(msg));
        else Stretch(ScreenPointOf(msg));
        released = TRUE;
        break;
      case WM_MOUSEMOVE:
        if (m_bDragging) Move(ScreenPointOf(msg));
        else Stretch(ScreenPointOf(msg));
        continue;
      case WM_KEYDOWN:
      case WM_KEYUP:
        if (msg.wParam == VK_ESCAPE) break;
        if (m_bDragging) OnKey(static_cast<int>(msg.wParam), msg.message == WM_KEYDOWN);
        continue;
      case WM_RBUTTONDOWN:
        break;
      default:
        ::ui::DispatchMessage(&msg);
        continue;
    }
    break;
  }
  m_bTracking = FALSE;
  if (!released) {
    CancelLoop();
    if (m_pDockSite) m_pDockSite->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
  }
  return released;
}

void CDockContext::EndDrag() {
  CancelLoop();
  if (m_dwOverDockStyle != 0) {
    CDockBar* dock_bar = GetDockBar(m_dwOverDockStyle);
    if (dock_bar) {
      RECT rect = (m_dwOverDockStyle & CBRS_ORIENT_HORZ) ? m_rectDragHorz : m_rectDragVert;
      m_uMRUDockID = static_cast<UINT>(dock_bar->GetDlgCtrlID());
      m_rectMRUDockPos = rect;
      dock_bar->ScreenToClient(&m_rectMRUDockPos);
      m_pDockSite->DockControlBar(m_pBar, dock_bar, &rect);
      m_pDockSite->RecalcLayout();
      return;
    }
  }
  const bool horizontal = (m_dwStyle & CBRS_SIZE_DYNAMIC) || IsHorizontalNow();
  const RECT& shape = horizontal ? m_rectFrameDragHorz : m_rectFrameDragVert;
  m_dwMRUFloatStyle = (horizontal ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT) | (m_dwDockStyle & CBRS_FLOAT_MULTI);
  m_ptMRUFloatPos = POINT{shape.left, shape.top};
  m_bMRUFloatPosValid = TRUE;
  m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
}

void CDockContext::StartResize(int hit, POINT point) {
  if (::ui::GetCapture()) return;
  CWnd* frame = m_pBar->GetParentFrame();
  if (!frame) return;
  m_bDragging = FALSE;
  m_nHitTest = hit;
  m_dwStyle = m_pBar->m_dwStyle;
  m_dwDockStyle = m_pBar->m_dwDockStyle;
  InitLoop();
  frame->GetWindowRect(&m_rectFrameResize);
  m_ptStart = m_ptLast = point;
  DrawFocusRect();
  if (Track()) EndResize();
}

void CDockContext::Stretch(POINT point) {
  const int dx = point.x - m_ptLast.x, dy = point.y - m_ptLast.y;
  RECT rect = m_rectFrameResize;
  const bool left = m_nHitTest == HTLEFT || m_nHitTest == HTTOPLEFT || m_nHitTest == HTBOTTOMLEFT;
  const bool right = m_nHitTest == HTRIGHT || m_nHitTest == HTTOPRIGHT || m_nHitTest == HTBOTTOMRIGHT;
  const bool top = m_nHitTest == HTTOP || m_nHitTest == HTTOPLEFT || m_nHitTest == HTTOPRIGHT;
  const bool bottom = m_nHitTest == HTBOTTOM || m_nHitTest == HTBOTTOMLEFT || m_nHitTest == HTBOTTOMRIGHT;
  if (left) rect.left += dx;
  if (right) rect.right += dx;
  if (top) rect.top += dy;
  if (bottom) rect.bottom += dy;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  // Outside the limits the move is ignored; the mouse may come back.
  if (width < m_sizeMinFloat.cx || height < m_sizeMinFloat.cy || width > m_sizeMaxFloat.cx ||
      height > m_sizeMaxFloat.cy)
    return;
  m_ptLast = point;
  m_rectFrameResize = rect;
  DrawFocusRect();
}

void CDockContext::EndResize() {
  CancelLoop();
  RECT client = m_rectFrameResize;
  RECT borders{0, 0, 0, 0};
  CMiniFrameWnd::CalcBorders(&borders, WS_THICKFRAME | WS_CAPTION);
  client.left -= borders.left;
  client.top -= borders.top;
  client.right -= borders.right;
  client.bottom -= borders.bottom;
  m_pBar->CalcDynamicLayout(client.right - client.left, LM_COMMIT | LM_HORZ);
  m_pBar->CalcDynamicLayout(client.bottom - client.top, LM_COMMIT | LM_LENGTHY | LM_HORZ);
  m_pDockSite->FloatControlBar(m_pBar, POINT{m_rectFrameResize.left, m_rectFrameResize.top},
                               CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC | (m_dwDockStyle & CBRS_FLOAT_MULTI));
}

void CDockContext::ToggleDocking() {
  if (!m_pDockSite) m_pDockSite = m_pBar->m_pDockSite;
  if (!m_pDockSite) return;
  if (m_pBar->IsFloating()) {
    if (!(m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY)) return;
    CDockBar* dock_bar = nullptr;
    if (m_uMRUDockID) {
      CControlBar* found = m_pDockSite->GetControlBar(m_uMRUDockID);
      if (found && found->IsDockBar()) dock_bar = static_cast<CDockBar*>(found);
    }
    RECT rect = m_rectMRUDockPos;
    if (dock_bar) dock_bar->ClientToScreen(&rect);
    m_pDockSite->ReDockControlBar(m_pBar, dock_bar, dock_bar ? &rect : nullptr);
    m_pDockSite->RecalcLayout();
  } else {
    POINT point = m_ptMRUFloatPos;
    if (!m_bMRUFloatPosValid) {
      RECT rect;
      m_pBar->GetWindowRect(&rect);
      point = POINT{rect.left, rect.top};
    }
    m_pDockSite->FloatControlBar(m_pBar, point, m_dwMRUFloatStyle ? m_dwMRUFloatStyle : CBRS_ALIGN_TOP);
  }
}

}  // namespace afx

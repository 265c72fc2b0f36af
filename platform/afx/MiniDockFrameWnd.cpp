#include "platform/afx/MiniDockFrameWnd.h"

#include "platform/afx/DockBar.h"
#include "platform/afx/DockContext.h"

namespace afx {

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
  ON_MESSAGE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
  ON_MESSAGE(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
  ON_MESSAGE(WM_RELEASEFLOATFRAME, OnReleaseFloatFrame)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateBars)
  ON_WM_CLOSE()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
  ON_MESSAGE(WM_NCACTIVATE, OnNcActivate)
END_MESSAGE_MAP()

BOOL CMiniFrameWnd::CreateMini(const char* title, DWORD style, const RECT& rect, CWnd* parent) {
  m_strTitle = title ? title : "";
  if (!CreateEx(WS_EX_TOOLWINDOW, AfxFrameOrViewClass(), title, style, rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr, nullptr))
    return FALSE;
  // A floating frame shown without activation starts with its owner's look.
  if (style & MFS_SYNCACTIVE) SendMessage(WM_NCACTIVATE, FALSE, 0);
  return TRUE;
}

BOOL CMiniFrameWnd::IsOwnerGroupActive() const {
  const HWND active = ::ui::GetActiveWindow();
  if (!active) return FALSE;
  if (active == m_hWnd) return TRUE;
  const HWND owner = ::ui::GetWindow(m_hWnd, GW_OWNER);
  if (!owner) return FALSE;
  if (active == owner) return TRUE;
  const auto* owner_frame = dynamic_cast<const CFrameWnd*>(CWnd::FromHandlePermanent(owner));
  return owner_frame && owner_frame->IsFloatingFrameActive();
}

LRESULT CMiniFrameWnd::OnNcActivate(WPARAM wParam, LPARAM lParam) {
  const BOOL active = (GetStyle() & MFS_SYNCACTIVE) ? (wParam || IsOwnerGroupActive()) : static_cast<BOOL>(wParam);
  return DefWindowProc(WM_NCACTIVATE, static_cast<WPARAM>(active), lParam);
}

void CMiniFrameWnd::CalcBorders(RECT* rect, DWORD style) {
  ::ui::AdjustWindowRectEx(rect, (style & (WS_THICKFRAME | WS_CAPTION)) | WS_POPUP, FALSE, WS_EX_TOOLWINDOW);
}

CMiniDockFrameWnd::~CMiniDockFrameWnd() = default;

CDockBar* CMiniDockFrameWnd::NewFloatingDockBar() { return new CDockBar(TRUE); }

BOOL CMiniDockFrameWnd::Create(CWnd* parent, DWORD bar_style) {
  m_bBusy = TRUE;
  // Toolbars get a thin frame; a sizable bar's frame is switched to the
  // thick frame by the frame that floats it.
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | FWS_SNAPTOBARS | MFS_BLOCKSYSMENU | MFS_4THICKFRAME |
                      MFS_SYNCACTIVE | ((bar_style & CBRS_SIZE_DYNAMIC) ? 0 : MFS_MOVEFRAME);
  if (!CreateMini("", style, RECT{0, 0, 0, 0}, parent)) {
    m_bBusy = FALSE;
    return FALSE;
  }
  m_pDockBar.reset(NewFloatingDockBar());
  CFrameWnd* site = parent && parent->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(parent) : nullptr;
  m_pDockBar->m_pDockSite = site;
  const DWORD side = (bar_style & CBRS_ORIENT_VERT) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
  const BOOL created =
      m_pDockBar->Create(this, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | side | (bar_style & CBRS_FLOAT_MULTI),
                         AFX_IDW_DOCKBAR_FLOAT);
  m_bBusy = FALSE;
  return created;
}

RECT CMiniDockFrameWnd::FittingRect(POINT point) {
  const DWORD side = m_pDockBar->m_dwStyle & CBRS_ORIENT_HORZ;
  const SIZE size = m_pDockBar->CalcFixedLayout(FALSE, side != 0);
  RECT rect{point.x, point.y, point.x + size.cx, point.y + size.cy};
  RECT borders{0, 0, 0, 0};
  CalcBorders(&borders, GetStyle());
  rect.right += borders.right - borders.left;
  rect.bottom += borders.bottom - borders.top;
  return rect;
}

void CMiniDockFrameWnd::MoveTo(POINT point) {
  if (m_bBusy || !m_pDockBar) return;
  m_nIdleFlags &= ~(idleLayout | idleNotify);
  const RECT rect = FittingRect(point);
  SetWindowPos(nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  RecalcLayout();
}

void CMiniDockFrameWnd::RecalcLayout(BOOL) {
  if (m_bBusy || !m_pDockBar || !m_hWnd) return;
  m_bBusy = TRUE;
  m_nIdleFlags &= ~(idleLayout | idleNotify);
  RECT window;
  GetWindowRect(&window);
  // Sizes itself to its bars first, so the dock bar is laid out at its size.
  const RECT fitting = FittingRect(POINT{window.left, window.top});
  if (!::ui::EqualRect(&fitting, &window))
    SetWindowPos(nullptr, 0, 0, fitting.right - fitting.left, fitting.bottom - fitting.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
  const std::string title = m_pDockBar->GetWindowTextString();
  if (GetWindowTextString() != title) SetWindowText(title);
  m_bBusy = FALSE;
}

LRESULT CMiniDockFrameWnd::OnNcLButtonDown(WPARAM wParam, LPARAM lParam) {
  const int hit = static_cast<int>(wParam);
  const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  CControlBar* bar = m_pDockBar ? m_pDockBar->GetFirstDockedBar() : nullptr;
  ::ui::BringWindowToTop(m_hWnd);
  const bool multi = m_pDockBar && (m_pDockBar->m_dwStyle & CBRS_FLOAT_MULTI);
  const bool on_caption = hit == HTCAPTION, on_border = hit >= HTLEFT && hit <= HTBOTTOMRIGHT;
  // The frame the bars belong to stays the active window while they move.
  if (on_caption || on_border) ActivateOwnerFrame();
  if (bar && bar->m_pDockContext && !multi) {
    if (on_caption) {
      bar->m_pDockContext->StartDrag(point);
      return 0;
    }
    if (on_border) {
      bar->m_pDockContext->StartResize(hit, point);
      return 0;
    }
  }
  return Default();
}

void CMiniDockFrameWnd::ActivateOwnerFrame() {
  const HWND owner = ::ui::GetAncestor(m_hWnd, GA_ROOTOWNER);
  if (owner && owner != m_hWnd && ::ui::IsWindowEnabled(owner)) ::ui::SetActiveWindow(owner);
}

LRESULT CMiniDockFrameWnd::OnNcLButtonDblClk(WPARAM wParam, LPARAM) {
  CControlBar* bar = m_pDockBar ? m_pDockBar->GetFirstDockedBar() : nullptr;
  const bool multi = m_pDockBar && (m_pDockBar->m_dwStyle & CBRS_FLOAT_MULTI);
  if (static_cast<int>(wParam) == HTCAPTION) ActivateOwnerFrame();
  if (static_cast<int>(wParam) == HTCAPTION && bar && bar->m_pDockContext && !multi) {
    bar->m_pDockContext->ToggleDocking();
    return 0;
  }
  return Default();
}

void CMiniDockFrameWnd::OnClose() {
  if (m_pDockBar) m_pDockBar->ShowAll(FALSE);
}

LRESULT CMiniDockFrameWnd::OnReleaseFloatFrame(WPARAM, LPARAM) {
  if (m_pDockBar && m_pDockBar->GetDockedCount() == 0) DestroyWindow();
  return 0;
}

LRESULT CMiniDockFrameWnd::OnIdleUpdateBars(WPARAM wParam, LPARAM lParam) {
  if (m_nIdleFlags & idleLayout) RecalcLayout();
  SendMessageToDescendants(WM_IDLEUPDATECMDUI, wParam, lParam, TRUE, TRUE);
  return 0;
}

}  // namespace afx

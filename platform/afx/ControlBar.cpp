#include "platform/afx/ControlBar.h"

#include <algorithm>
#include <mutex>

#include "platform/afx/Dc.h"
#include "platform/afx/DockBar.h"
#include "platform/afx/DockContext.h"
#include "platform/afx/FrameWnd.h"
#include "platform/afx/PaintDC.h"

namespace afx {

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
  ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
  ON_MESSAGE(WM_ERASEBKGND, OnEraseBackground)
  ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_MOUSEMOVE()
  ON_WM_PAINT()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* layout, HWND hwnd, const RECT& rect) {
  if (!layout || !layout->hDWP) return;
  RECT old;
  ::ui::GetWindowRect(hwnd, &old);
  const HWND parent = ::ui::GetParent(hwnd);
  POINT corners[2] = {{old.left, old.top}, {old.right, old.bottom}};
  if (parent) ::ui::MapWindowPoints(nullptr, parent, corners, 2);
  if (corners[0].x == rect.left && corners[0].y == rect.top && corners[1].x == rect.right &&
      corners[1].y == rect.bottom)
    return;
  layout->hDWP = ::ui::DeferWindowPos(layout->hDWP, hwnd, nullptr, rect.left, rect.top, rect.right - rect.left,
                                      rect.bottom - rect.top, SWP_NOACTIVATE | SWP_NOZORDER);
}

CControlBar::CControlBar() = default;

CControlBar::~CControlBar() {
  LeaveDockSite();
  if (m_hWnd) DestroyWindow();
  delete m_pDockContext;
  m_pDockContext = nullptr;
}

const char* CControlBar::BarWindowClass() {
  static std::once_flag once;
  std::call_once(once, [] {
    WNDCLASS wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = CWnd::AfxWndProc;
    wc.lpszClassName = "AfxControlBar42";
    ::ui::RegisterClass(wc);
  });
  return "AfxControlBar42";
}

BOOL CControlBar::CreateBar(DWORD ex_style, const char* class_name, const char* window_name, DWORD style,
                            const RECT& rect, CWnd* parent, UINT id) {
  if (!parent) return FALSE;
  // The frame that lays the bar out: the parent frame, or for a bar made
  // inside a floating frame, the frame that floating frame belongs to.
  CFrameWnd* site = nullptr;
  for (CWnd* wnd = parent; wnd && !site; wnd = wnd->GetParent()) {
    if (wnd->IsKindOf(RUNTIME_CLASS(CFrameWnd))) site = static_cast<CFrameWnd*>(wnd);
  }
  if (!m_pDockSite) m_pDockSite = site;
  if (!CreateEx(ex_style, class_name ? class_name : BarWindowClass(), window_name, style, rect.left, rect.top,
                rect.right - rect.left, rect.bottom - rect.top, parent->m_hWnd,
                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))))
    return FALSE;
  if (m_pDockSite) m_pDockSite->AddControlBar(this);
  return TRUE;
}

void CControlBar::LeaveDockSite() {
  if (m_pDockBar) {
    CDockBar* dock_bar = m_pDockBar;
    m_pDockBar = nullptr;
    if (dock_bar->HoldsBar(this)) dock_bar->RemoveControlBar(this);
  }
  if (m_pDockSite) {
    m_pDockSite->RemoveControlBar(this);
    m_pDockSite = nullptr;
  }
}

void CControlBar::PostNcDestroy() {
  if (m_bAutoDelete) delete this;
}

void CControlBar::OnDestroy() {
  if (m_pDockContext && m_pDockContext->IsTracking()) m_pDockContext->CancelTracking();
  if (m_pDockSite) m_pDockSite->DelayRecalcLayout();
  Default();
}

void CControlBar::SetBarStyle(DWORD style) {
  const DWORD old = m_dwStyle;
  m_dwStyle = style & CBRS_ALL;
  if (old != m_dwStyle) OnBarStyleChange(old, m_dwStyle);
}

void CControlBar::OnBarStyleChange(DWORD, DWORD) {}

void CControlBar::EnableDocking(DWORD dock_style) {
  m_dwDockStyle = dock_style;
  if (!m_pDockContext && (dock_style & CBRS_ALIGN_ANY)) m_pDockContext = NewDockContext();
}

CDockContext* CControlBar::NewDockContext() { return new CDockContext(this); }

BOOL CControlBar::IsFloating() const { return m_pDockBar && m_pDockBar->m_bFloating; }

BOOL CControlBar::IsVisible() const {
  if (m_nStateFlags & delayHide) return FALSE;
  if (m_nStateFlags & delayShow) return TRUE;
  return m_hWnd && (GetStyle() & WS_VISIBLE) ? TRUE : FALSE;
}

void CControlBar::DelayShow(BOOL show) {
  m_nStateFlags &= ~(delayHide | delayShow);
  const bool visible = m_hWnd && (GetStyle() & WS_VISIBLE);
  if (show && !visible) m_nStateFlags |= delayShow;
  if (!show && visible) m_nStateFlags |= delayHide;
}

DWORD CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* layout) {
  DWORD style = GetStyle();
  if (m_nStateFlags & (delayHide | delayShow)) {
    const bool show = (m_nStateFlags & delayShow) != 0;
    m_nStateFlags &= ~(delayHide | delayShow);
    style = show ? (style | WS_VISIBLE) : (style & ~WS_VISIBLE);
    // A query only says what the layout would be; the show waits for the
    // layout that moves the windows.
    if (layout && layout->hDWP) {
      SetWindowPos(nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                       (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    } else if (layout) {
      m_nStateFlags |= show ? delayShow : delayHide;
    }
  }
  return style;
}

SIZE CControlBar::CalcFixedLayout(BOOL, BOOL horizontal) {
  SIZE size{0, 0};
  RECT empty{};
  CalcInsideRect(empty, horizontal);
  // What the borders take: the inside of an empty rectangle is negative.
  size.cx = -(empty.right - empty.left);
  size.cy = -(empty.bottom - empty.top);
  return size;
}

SIZE CControlBar::CalcDynamicLayout(int, DWORD mode) {
  return CalcFixedLayout((mode & LM_STRETCH) != 0, (mode & LM_HORZ) != 0);
}

void CControlBar::CalcInsideRect(RECT& rect, BOOL horizontal) const {
  const DWORD style = m_dwStyle;
  if (style & CBRS_BORDER_LEFT) rect.left += 1;
  if (style & CBRS_BORDER_TOP) rect.top += 1;
  if (style & CBRS_BORDER_RIGHT) rect.right -= 1;
  if (style & CBRS_BORDER_BOTTOM) rect.bottom -= 1;
  if (horizontal) {
    rect.left += m_cxLeftBorder;
    rect.top += m_cyTopBorder;
    rect.right -= m_cxRightBorder;
    rect.bottom -= m_cyBottomBorder;
  } else {
    rect.left += m_cyTopBorder;
    rect.top += m_cxLeftBorder;
    rect.right -= m_cyBottomBorder;
    rect.bottom -= m_cxRightBorder;
  }
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam) {
  auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  const DWORD style = RecalcDelayShow(layout);
  if (!(style & WS_VISIBLE) || !(m_dwStyle & CBRS_ALIGN_ANY)) return 0;
  RECT rect = layout->rect;
  const SIZE available{rect.right - rect.left, rect.bottom - rect.top};
  const bool horizontal = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  SIZE size = CalcFixedLayout(layout->bStretch, horizontal);
  size.cx = std::min(size.cx, available.cx);
  size.cy = std::min(size.cy, available.cy);
  if (horizontal) {
    layout->sizeTotal.cy += size.cy;
    layout->sizeTotal.cx = std::max(layout->sizeTotal.cx, size.cx);
    if (m_dwStyle & CBRS_ALIGN_TOP) {
      layout->rect.top += size.cy;
    } else {
      rect.top = rect.bottom - size.cy;
      layout->rect.bottom -= size.cy;
    }
  } else {
    layout->sizeTotal.cx += size.cx;
    layout->sizeTotal.cy = std::max(layout->sizeTotal.cy, size.cy);
    if (m_dwStyle & CBRS_ALIGN_LEFT) {
      layout->rect.left += size.cx;
    } else {
      rect.left = rect.right - size.cx;
      layout->rect.right -= size.cx;
    }
  }
  rect.right = rect.left + size.cx;
  rect.bottom = rect.top + size.cy;
  AfxRepositionWindow(layout, m_hWnd, rect);
  return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
  if (!(GetStyle() & WS_VISIBLE)) return 0;
  CFrameWnd* target = m_pDockSite ? m_pDockSite : GetParentFrame();
  if (target) OnUpdateCmdUI(target, static_cast<BOOL>(wParam));
  return 0;
}

void CControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

LRESULT CControlBar::OnEraseBackground(WPARAM wParam, LPARAM) {
  RECT client;
  GetClientRect(&client);
  ::ui::FillRect(reinterpret_cast<HDC>(wParam), &client, ::ui::GetSysColorBrush(COLOR_3DFACE));
  return TRUE;
}

LRESULT CControlBar::OnHelpHitTest(WPARAM, LPARAM lParam) {
  const INT_PTR hit = OnToolHitTest(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  return hit > 0 ? static_cast<LRESULT>(HID_BASE_COMMAND + static_cast<DWORD>(hit)) : 0;
}

void CControlBar::OnPaint() {
  CPaintDC dc(this);
  DoPaint(&dc);
}

void CControlBar::DoPaint(CDC* dc) {
  RECT client;
  GetClientRect(&client);
  DrawBorders(dc, client);
}

void CControlBar::DrawBorders(CDC* dc, RECT& rect) {
  const DWORD style = m_dwStyle;
  if (!(style & CBRS_BORDER_ANY)) return;
  const COLORREF dark = ::ui::GetSysColor(COLOR_BTNSHADOW);
  const COLORREF light = ::ui::GetSysColor(COLOR_BTNHIGHLIGHT);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (style & CBRS_BORDER_LEFT) dc->FillSolidRect(rect.left, rect.top, 1, height, dark);
  if (style & CBRS_BORDER_TOP) dc->FillSolidRect(rect.left, rect.top, width, 1, dark);
  if (style & CBRS_BORDER_RIGHT) dc->FillSolidRect(rect.right - 1, rect.top, 1, height, dark);
  if (style & CBRS_BORDER_BOTTOM) dc->FillSolidRect(rect.left, rect.bottom - 1, width, 1, dark);
  if (style & CBRS_BORDER_3D) {
    if (style & CBRS_BORDER_LEFT) dc->FillSolidRect(rect.left + 1, rect.top, 1, height, light);
    if (style & CBRS_BORDER_TOP) dc->FillSolidRect(rect.left, rect.top + 1, width, 1, light);
  }
  if (style & CBRS_BORDER_LEFT) rect.left += 1;
  if (style & CBRS_BORDER_TOP) rect.top += 1;
  if (style & CBRS_BORDER_RIGHT) rect.right -= 1;
  if (style & CBRS_BORDER_BOTTOM) rect.bottom -= 1;
}

void CControlBar::OnLButtonDown(UINT, POINT point) {
  // A press on the bar itself (not on a child) starts dragging it.
  if (m_pDockContext && !IsFloating()) {
    ::ui::ClientToScreen(m_hWnd, &point);
    m_pDockContext->StartDrag(point);
    return;
  }
  Default();
}

void CControlBar::OnLButtonDblClk(UINT, POINT) {
  if (m_pDockContext) {
    m_pDockContext->ToggleDocking();
    return;
  }
  Default();
}

INT_PTR CControlBar::OnToolHitTest(POINT client) const {
  const HWND child = ::ui::ChildWindowFromPointEx(m_hWnd, client, CWP_SKIPINVISIBLE);
  if (!child || child == m_hWnd) return -1;
  const int id = ::ui::GetDlgCtrlID(child);
  return id > 0 ? id : -1;
}

void CControlBar::OnMouseMove(UINT, POINT point) {
  // Fly-by: the prompt of what is under the mouse while it moves over the bar.
  if ((m_dwStyle & CBRS_FLYBY) && !::ui::GetCapture()) SetStatusText(OnToolHitTest(point));
  Default();
}

BOOL CControlBar::SetStatusText(INT_PTR hit) {
  CWnd* owner = m_pDockSite ? static_cast<CWnd*>(m_pDockSite) : GetParentFrame();
  if (!owner || hit == m_nLastHit) return FALSE;
  m_nLastHit = hit;
  if (hit <= 0) {
    if (m_nStateFlags & statusSet) owner->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
    m_nStateFlags &= ~statusSet;
    return TRUE;
  }
  owner->SendMessage(WM_SETMESSAGESTRING, static_cast<WPARAM>(hit), 0);
  m_nStateFlags |= statusSet;
  return TRUE;
}

}  // namespace afx

#include "platform/afx/DockBar.h"

#include <algorithm>

#include "platform/afx/FrameWnd.h"

namespace afx {

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
  ON_MESSAGE(WM_SIZEPARENT, OnSizeParentDock)
END_MESSAGE_MAP()

CDockBar::CDockBar(BOOL floating) : m_bFloating(floating) {
  m_bDockBar = TRUE;
  m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
}

CDockBar::~CDockBar() {
  for (CControlBar* bar : m_arrBars)
    if (bar->m_pDockBar == this) bar->m_pDockBar = nullptr;
}

BOOL CDockBar::Create(CWnd* parent, DWORD style, UINT id) {
  m_dwStyle = style & CBRS_ALL;
  return CreateBar(0, nullptr, nullptr, style & ~CBRS_ALL & 0xFFFF0000, RECT{0, 0, 0, 0}, parent, id);
}

void CDockBar::AdaptBarStyle(CControlBar* bar) {
  if (m_bFloating && (bar->m_dwStyle & CBRS_FLOAT_MULTI)) m_dwStyle |= CBRS_FLOAT_MULTI;
  m_dwStyle &= ~(CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC);
  m_dwStyle |= bar->m_dwStyle & (CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC);
  if (m_bFloating && !(m_dwStyle & CBRS_FLOAT_MULTI)) SetWindowText(bar->GetWindowTextString());
  DWORD style = bar->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_FLOATING);
  style |= (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
  if (m_bFloating) style |= CBRS_FLOATING;
  bar->SetBarStyle(style);
}

void CDockBar::TakeBar(CControlBar* bar) {
  CDockBar* old = bar->m_pDockBar;
  if (::ui::GetParent(bar->m_hWnd) != m_hWnd) ::ui::SetParent(bar->m_hWnd, m_hWnd);
  bar->m_pDockBar = this;
  if (old && old != this) old->RemoveControlBar(bar);
  if (m_pDockSite) m_pDockSite->DelayRecalcLayout();
}

void CDockBar::DockControlBar(CControlBar* bar, const RECT* rect) {
  AdaptBarStyle(bar);
  if (std::find(m_arrBars.begin(), m_arrBars.end(), bar) == m_arrBars.end()) m_arrBars.push_back(bar);
  if (rect) {
    POINT corner{rect->left, rect->top};
    ::ui::ScreenToClient(m_hWnd, &corner);
    ::ui::SetWindowPos(bar->m_hWnd, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  TakeBar(bar);
}

void CDockBar::ReDockControlBar(CControlBar* bar, const RECT* rect) { DockControlBar(bar, rect); }

BOOL CDockBar::RemoveControlBar(CControlBar* bar, int, int) {
  const auto it = std::find(m_arrBars.begin(), m_arrBars.end(), bar);
  if (it == m_arrBars.end()) return FALSE;
  m_arrBars.erase(it);
  if (bar->m_pDockBar == this) bar->m_pDockBar = nullptr;
  if (m_bFloating && GetDockedCount() == 0) ReleaseEmptyFloatingFrame();
  else if (m_pDockSite) m_pDockSite->DelayRecalcLayout();
  return TRUE;
}

void CDockBar::ReleaseEmptyFloatingFrame() {
  // The frame (and this dock bar with it) may be the caller of this very
  // call; it is hidden now and destroys itself from its own message.
  const HWND frame = ::ui::GetParent(m_hWnd);
  if (!frame) return;
  ::ui::ShowWindow(frame, SW_HIDE);
  ::ui::PostMessage(frame, WM_RELEASEFLOATFRAME, 0, 0);
}

BOOL CDockBar::HoldsBar(const CControlBar* bar) const {
  return std::find(m_arrBars.begin(), m_arrBars.end(), bar) != m_arrBars.end();
}

int CDockBar::GetDockedCount() const { return static_cast<int>(m_arrBars.size()); }

int CDockBar::GetDockedVisibleCount() const {
  return static_cast<int>(std::count_if(m_arrBars.begin(), m_arrBars.end(), [](const CControlBar* bar) {
    return bar->m_hWnd && bar->IsVisible();
  }));
}

CControlBar* CDockBar::GetFirstDockedBar() const { return m_arrBars.empty() ? nullptr : m_arrBars.front(); }

void CDockBar::ShowAll(BOOL show) {
  const std::vector<CControlBar*> bars = m_arrBars;
  for (CControlBar* bar : bars)
    if (m_pDockSite) m_pDockSite->ShowControlBar(bar, show, FALSE);
}

LRESULT CDockBar::OnSizeParentDock(WPARAM wParam, LPARAM lParam) {
  m_pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  const LRESULT result = OnSizeParent(wParam, lParam);
  m_pLayout = nullptr;
  return result;
}

SIZE CDockBar::CalcFixedLayout(BOOL stretch, BOOL horizontal) {
  // Rows of one bar each, every bar at its own fixed size.
  SIZE total{0, 0};
  HDWP batch = m_pLayout && m_pLayout->hDWP ? ::ui::BeginDeferWindowPos(static_cast<int>(m_arrBars.size())) : nullptr;
  AFX_SIZEPARENTPARAMS moves;
  moves.hDWP = batch;
  for (CControlBar* bar : m_arrBars) {
    if (!bar->IsVisible()) continue;
    const SIZE size = bar->CalcFixedLayout(stretch, horizontal);
    RECT rect = horizontal ? RECT{0, total.cy, size.cx, total.cy + size.cy}
                           : RECT{total.cx, 0, total.cx + size.cx, size.cy};
    AfxRepositionWindow(&moves, bar->m_hWnd, rect);
    bar->RecalcDelayShow(&moves);
    if (horizontal) {
      total.cy += size.cy;
      total.cx = std::max(total.cx, size.cx);
    } else {
      total.cx += size.cx;
      total.cy = std::max(total.cy, size.cy);
    }
  }
  if (moves.hDWP) ::ui::EndDeferWindowPos(moves.hDWP);
  if (stretch && m_pLayout && !m_bFloating) {
    if (horizontal) total.cx = m_pLayout->rect.right - m_pLayout->rect.left;
    else total.cy = m_pLayout->rect.bottom - m_pLayout->rect.top;
  }
  return total;
}

}  // namespace afx

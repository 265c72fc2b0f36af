// The docking part of CFrameWnd: the bar list, the dock bars on its sides,
// docking, floating and showing bars, and layout with bars.
#include <algorithm>

#include "platform/afx/DockBar.h"
#include "platform/afx/DockContext.h"
#include "platform/afx/FrameWnd.h"
#include "platform/afx/MiniDockFrameWnd.h"

namespace afx {

namespace {

struct SideEntry {
  UINT id;
  DWORD style;
};
// Searched first to last: top and bottom take the whole width, left and
// right what is left between them.
constexpr SideEntry kSides[] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_TOP},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT},
};

}  // namespace

CFrameWnd::~CFrameWnd() {
  for (CControlBar* bar : m_listControlBars)
    if (bar->m_pDockSite == this) bar->m_pDockSite = nullptr;
}

void CFrameWnd::AddControlBar(CControlBar* bar) {
  if (std::find(m_listControlBars.begin(), m_listControlBars.end(), bar) == m_listControlBars.end())
    m_listControlBars.push_back(bar);
}

void CFrameWnd::RemoveControlBar(CControlBar* bar) {
  m_listControlBars.erase(std::remove(m_listControlBars.begin(), m_listControlBars.end(), bar),
                          m_listControlBars.end());
}

CControlBar* CFrameWnd::GetControlBar(UINT id) const {
  for (CControlBar* bar : m_listControlBars)
    if (bar->m_hWnd && static_cast<UINT>(bar->GetDlgCtrlID()) == id) return bar;
  return nullptr;
}

void CFrameWnd::EnableDocking(DWORD dock_style) {
  if (!m_pFloatingFrameClass) m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
  for (const SideEntry& side : kSides) {
    if (!(side.style & dock_style & CBRS_ALIGN_ANY) || GetControlBar(side.id)) continue;
    auto* dock_bar = new CDockBar;
    dock_bar->m_bAutoDelete = TRUE;
    if (!dock_bar->Create(this, side.style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, side.id))
      delete dock_bar;
  }
}

DWORD CFrameWnd::CanDock(RECT rect, DWORD dock_style, CDockBar** dock_bar) {
  for (CControlBar* bar : m_listControlBars) {
    if (!bar->IsDockBar() || !bar->m_hWnd) continue;
    auto* candidate = static_cast<CDockBar*>(bar);
    if (candidate->m_bFloating || !(candidate->m_dwStyle & dock_style & CBRS_ALIGN_ANY)) continue;
    RECT bar_rect;
    candidate->GetWindowRect(&bar_rect);
    // An empty dock bar is a line along its side; it still takes a drop.
    if (bar_rect.right == bar_rect.left) bar_rect.right++;
    if (bar_rect.bottom == bar_rect.top) bar_rect.bottom++;
    RECT overlap;
    if (::ui::IntersectRect(&overlap, &bar_rect, &rect)) {
      if (dock_bar) *dock_bar = candidate;
      return candidate->m_dwStyle & CBRS_ALIGN_ANY;
    }
  }
  return 0;
}

void CFrameWnd::DockControlBar(CControlBar* bar, UINT dock_bar_id, const RECT* rect) {
  CControlBar* found = dock_bar_id ? GetControlBar(dock_bar_id) : nullptr;
  DockControlBar(bar, found && found->IsDockBar() ? static_cast<CDockBar*>(found) : nullptr, rect);
}

void CFrameWnd::DockControlBar(CControlBar* bar, CDockBar* dock_bar, const RECT* rect) {
  if (!dock_bar) {
    for (const SideEntry& side : kSides) {
      if ((side.style & CBRS_ALIGN_ANY) != (bar->m_dwStyle & CBRS_ALIGN_ANY)) continue;
      CControlBar* found = GetControlBar(side.id);
      if (found && found->IsDockBar()) dock_bar = static_cast<CDockBar*>(found);
      break;
    }
  }
  if (!dock_bar) return;  // no dock bar on that side: the bar stays where it is
  dock_bar->DockControlBar(bar, rect);
}

void CFrameWnd::ReDockControlBar(CControlBar* bar, CDockBar* dock_bar, const RECT* rect) {
  if (!dock_bar) {
    for (const SideEntry& side : kSides) {
      CControlBar* found = GetControlBar(side.id);
      if (found && found->IsDockBar() && (side.style & bar->m_dwStyle & CBRS_ALIGN_ANY))
        dock_bar = static_cast<CDockBar*>(found);
    }
  }
  if (!dock_bar) return;
  dock_bar->ReDockControlBar(bar, rect);
}

CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD style) {
  const CRuntimeClass* frame_class = m_pFloatingFrameClass ? m_pFloatingFrameClass : RUNTIME_CLASS(CMiniDockFrameWnd);
  CObject* object = frame_class->CreateObject();
  if (!object || !object->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd))) {
    delete object;
    return nullptr;
  }
  auto* frame = static_cast<CMiniDockFrameWnd*>(object);
  if (!frame->Create(this, style)) {
    if (frame->m_hWnd) frame->DestroyWindow();  // deletes itself
    else delete frame;
    return nullptr;
  }
  return frame;
}

void CFrameWnd::FloatControlBar(CControlBar* bar, POINT point, DWORD style) {
  if (bar->m_pDockBar && bar->m_pDockBar->m_bFloating && bar->m_pDockBar->GetDockedCount() == 1 &&
      (style & bar->m_pDockBar->m_dwStyle & CBRS_ALIGN_ANY)) {
    auto* frame = static_cast<CMiniDockFrameWnd*>(bar->m_pDockBar->GetParentFrame());
    if (frame && frame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd))) {
      frame->MoveTo(point);
      frame->UpdateWindow();
      return;
    }
  }
  if (bar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
    style |= CBRS_SIZE_DYNAMIC;
    if (style & CBRS_ORIENT_VERT) style = (style & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP;
  }
  CMiniDockFrameWnd* frame = CreateFloatingFrame(style);
  if (!frame) return;
  frame->GetDockBar()->DockControlBar(bar, nullptr);
  frame->MoveTo(point);
  if (bar->GetStyle() & WS_VISIBLE) {
    frame->ShowWindow(SW_SHOWNA);
    frame->UpdateWindow();
  }
  DelayRecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* bar, BOOL show, BOOL delay) {
  CFrameWnd* site = bar->m_pDockSite ? bar->m_pDockSite : this;
  if (delay) {
    bar->DelayShow(show);
    site->DelayRecalcLayout();
  } else {
    bar->SetWindowPos(nullptr, 0, 0, 0, 0,
                      SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                          (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    bar->DelayShow(show);
    if (show || !bar->IsFloating()) site->RecalcLayout();
  }
  if (bar->IsFloating()) {
    CFrameWnd* frame = bar->GetParentFrame();
    const int visible = bar->m_pDockBar->GetDockedVisibleCount();
    if (frame && visible == 0) {
      frame->ShowWindow(SW_HIDE);
    } else if (frame) {
      if (show && visible == 1) frame->ShowWindow(SW_SHOWNA);
      frame->RecalcLayout();
    }
  }
}

void CFrameWnd::RecalcLayoutIfPending() {
  if (!(m_nIdleFlags & idleLayout)) return;
  const BOOL notify = (m_nIdleFlags & idleNotify) != 0;
  m_nIdleFlags &= ~(idleLayout | idleNotify);
  RecalcLayout(notify);
}

}  // namespace afx

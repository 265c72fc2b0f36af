#include "docking/QVTBtnCaption.h"

#include "docking/QVTCustomToolBar.h"
#include "docking/QVTMDIMenuBar.h"
#include "platform/afx/Dc.h"
#include "platform/ui/Frames.h"
#include "platform/ui/Messages.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"

namespace docking {

QVTBtnCaption::QVTBtnCaption()
    : m_cxPart(ui::GetSystemMetrics(ui::SM_CXSIZE) - 2), m_cyPart(ui::GetSystemMetrics(ui::SM_CYSIZE) - 4) {
  m_nType = kType;
}

BOOL QVTBtnCaption::SetChildStyles(DWORD styles) {
  styles &= kCaptionStyles;
  if (styles == m_dwChildStyles) return FALSE;
  m_dwChildStyles = styles;
  return TRUE;
}

void QVTBtnCaption::RecalcSize() {
  // Three parts side by side, the close part set 2 pixels apart.
  m_cx = 3 * m_cxPart + 2;
  m_cy = m_cyPart;
  if (m_pBar) m_pBar->RaiseLargestButton(m_cx, m_cy);
}

RECT QVTBtnCaption::PartRect(int part) const {
  const int left = m_x + part * m_cxPart + (part == kClose ? 2 : 0);
  return RECT{left, m_y, left + m_cxPart, m_y + m_cyPart};
}

BOOL QVTBtnCaption::PartUsable(int part) const {
  if (!(m_dwChildStyles & ui::WS_SYSMENU)) return FALSE;
  // A window that cannot be minimised has no use for Minimise; one that
  // can be maximised can be restored again.
  switch (part) {
    case kMinimize: return (m_dwChildStyles & ui::WS_MINIMIZEBOX) != 0;
    case kRestore: return (m_dwChildStyles & ui::WS_MAXIMIZEBOX) != 0;
    case kClose: return TRUE;
    default: return FALSE;
  }
}

int QVTBtnCaption::HitTestPart(POINT point) const {
  for (int part = kMinimize; part <= kClose; ++part) {
    const RECT rect = PartRect(part);
    if (ui::PtInRect(&rect, point)) return PartUsable(part) ? part : kNoPart;
  }
  return kNoPart;
}

int QVTBtnCaption::ToolTipCode(POINT point) const {
  switch (HitTestPart(point)) {
    case kMinimize: return 8;
    case kRestore: return 9;
    case kClose: return 20;
    default: return 0;
  }
}

WPARAM QVTBtnCaption::PartCommand(int part) {
  switch (part) {
    case kMinimize: return ui::SC_MINIMIZE;
    case kRestore: return ui::SC_RESTORE;
    case kClose: return ui::SC_CLOSE;
    default: return 0;
  }
}

void QVTBtnCaption::Draw(afx::CDC* dc, QVTButtonDrawContext&) {
  const RECT rect = GetRect();
  if (!m_pBar || !dc->RectVisible(&rect)) return;
  dc->FillSolidRect(&rect, ui::GetSysColor(ui::COLOR_BTNFACE));
  if (!(m_dwChildStyles & ui::WS_SYSMENU)) return;
  const UINT looks[3] = {ui::DFCS_CAPTIONMIN, ui::DFCS_CAPTIONRESTORE, ui::DFCS_CAPTIONCLOSE};
  const bool pressed = (m_dwStyle & kTBPressed) != 0;
  for (int part = kMinimize; part <= kClose; ++part) {
    RECT box = PartRect(part);
    UINT state = looks[part];
    if (!PartUsable(part)) state |= ui::DFCS_INACTIVE;
    if (pressed && part == m_nPressedPart) state |= ui::DFCS_PUSHED;
    dc->DrawFrameControl(&box, ui::DFC_CAPTION, state);
  }
}

BOOL QVTBtnCaption::OnPress(POINT point) {
  if (m_dwStyle & kTBDisabled) return FALSE;
  const int part = HitTestPart(point);
  if (part == kNoPart) return FALSE;
  m_nPressedPart = part;
  m_dwStyle |= kTBPressed;
  Invalidate();
  return TRUE;
}

void QVTBtnCaption::OnTrack(POINT point) {
  if (m_nPressedPart == kNoPart) return;
  const DWORD before = m_dwStyle;
  if (HitTestPart(point) == m_nPressedPart) m_dwStyle |= kTBPressed;
  else m_dwStyle &= ~kTBPressed;
  if (before != m_dwStyle) Invalidate();
}

void QVTBtnCaption::Release() {
  m_nPressedPart = kNoPart;
  m_dwStyle &= ~kTBPressed;
  Invalidate();
}

void QVTBtnCaption::OnCancel() { Release(); }

UINT QVTBtnCaption::OnRelease(POINT point) {
  const int part = m_nPressedPart;
  Release();
  if (part == kNoPart || HitTestPart(point) != part) return 0;
  auto* bar = dynamic_cast<QVTMDIMenuBar*>(m_pBar);
  const HWND child = bar ? bar->GetActiveChildWindow() : nullptr;
  if (!child || !bar->m_hWnd) return 0;
  POINT screen = point;
  ui::ClientToScreen(bar->m_hWnd, &screen);
  // Posted: the child may go, and the bar's buttons with it, before the
  // bar is done with this release.
  ui::PostMessage(child, ui::WM_SYSCOMMAND, PartCommand(part), ui::MAKELPARAM(static_cast<unsigned>(screen.x) & 0xFFFF, static_cast<unsigned>(screen.y) & 0xFFFF));
  return 0;
}

}  // namespace docking

#include "docking/QVTStdBtn.h"

#include "docking/QVTButtonPainter.h"
#include "docking/QVTCustomToolBar.h"
#include "platform/afx/Dc.h"

namespace docking {

void QVTStdBtn::Invalidate(BOOL erase) const {
  if (!m_pBar || !m_pBar->m_hWnd) return;
  const RECT rect = GetRect();
  ui::InvalidateRect(m_pBar->m_hWnd, &rect, erase);
}

void QVTStdBtn::RepaintNow() const {
  Invalidate(FALSE);
  if (m_pBar && m_pBar->m_hWnd) ui::UpdateWindow(m_pBar->m_hWnd);
}

void QVTStdBtn::Attach(QVTCustomToolBar* bar, const void*) {
  m_pBar = bar;
  RecalcSize();
}

void QVTStdBtn::RecalcSize() {
  if (!m_pBar) return;
  if (IsSeparator()) {
    m_cx = m_pBar->GetSeparatorWidth();
    m_cy = m_pBar->GetSeparatorHeight();
  } else {
    m_cx = m_pBar->GetButtonWidth();
    m_cy = m_pBar->GetButtonHeight();
  }
  m_pBar->RaiseLargestButton(m_cx, m_cy);
}

void QVTStdBtn::Draw(afx::CDC* dc, QVTButtonDrawContext& context) {
  const RECT rect = GetRect();
  if (!m_pBar || !dc->RectVisible(&rect)) return;
  if (IsSeparator()) {
    // Without cool look separators are plain gaps; a row's last one is the gap below it.
    if (m_pBar->IsCoolLook() && !(m_dwStyle & kTBRowEnd))
      QVTButtonPainter::DrawSeparator(*dc, rect, m_pBar->GetSeparatorWidth(), m_pBar->GetBarStyleEx());
    return;
  }
  QVTButtonLook look;
  look.style = m_dwStyle;
  look.width = m_cx;
  look.height = m_cy;
  look.imageSize = SIZE{m_pBar->GetImageWidth(), m_pBar->GetImageHeight()};
  look.coolLook = m_pBar->IsCoolLook() != FALSE;
  look.customise = m_pBar->IsCustomizeMode() != FALSE;
  if (QVTBmpMgr* store = m_pBar->GetBmpMgr()) store->GetImage(m_nID, &look.image, &look.imageIndex);
  context.SelectImage(look.image);
  QVTButtonPainter::DrawButton(context, look);
  context.SelectImage(nullptr);
  QVTButtonPainter::BlitToScreen(*dc, context, m_x, m_y, m_cx, m_cy);
}

BOOL QVTStdBtn::OnPress(POINT) {
  if (m_dwStyle & kTBDisabled) return FALSE;
  m_dwStyle |= kTBPressed;
  if (!(m_dwStyle & kTBDropDown) || !m_pBar) return TRUE;
  // A drop-down button holds no mouse: the owner hears of the press and
  // shows what drops.
  RepaintNow();
  QVTCustomToolBar::SetSendingCommand(TRUE);
  m_pBar->SendButtonNotify(*this, QVT_TBN_DROPDOWN);
  QVTCustomToolBar::SetSendingCommand(FALSE);
  m_dwStyle &= ~kTBPressed;
  Invalidate();
  return FALSE;
}

void QVTStdBtn::OnTrack(POINT point) {
  const DWORD before = m_dwStyle;
  if (Contains(point)) m_dwStyle |= kTBPressed;
  else m_dwStyle &= ~kTBPressed;
  if (before != m_dwStyle) Invalidate();
}

void QVTStdBtn::OnCancel() {
  m_dwStyle &= ~kTBPressed;
  Invalidate();
}

UINT QVTStdBtn::OnRelease(POINT point) {
  m_dwStyle &= ~kTBPressed;
  Invalidate();
  if (!Contains(point)) return 0;
  if ((m_dwStyle & kTBCheck) && !(m_dwStyle & kTBDisabled)) {
    // Every button of the command turns with it.
    const DWORD checked = (m_dwStyle & kTBChecked) ? DWORD{0} : DWORD{kTBChecked};
    const DWORD setAndClear[2] = {checked, kTBChecked | kTBIndeterminate};
    if (m_pBar) {
      for (int i = 0; i < m_pBar->GetButtonCount(); ++i)
        if (QVTStdBtn* other = m_pBar->GetButton(i); other->m_nID == m_nID) other->OnBroadcast(1, setAndClear);
    } else {
      OnBroadcast(1, setAndClear);
    }
  }
  return m_nID;
}

void QVTStdBtn::OnBroadcast(int code, const DWORD* setAndClear) {
  if (code != 1 || !setAndClear) return;
  m_dwStyle = (m_dwStyle & ~setAndClear[1]) | setAndClear[0];
  Invalidate();
}

}  // namespace docking

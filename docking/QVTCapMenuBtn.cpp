#include "docking/QVTCapMenuBtn.h"

#include "docking/QVTMDIMenuBar.h"
#include "platform/afx/Dc.h"
#include "platform/ui/Drawing.h"
#include "platform/ui/SystemMetrics.h"

namespace docking {

BOOL QVTCapMenuBtn::SetIcon(HICON icon) {
  if (icon == m_hIcon) return FALSE;
  m_hIcon = icon;
  return TRUE;
}

void QVTCapMenuBtn::RecalcSize() {
  m_cx = kIconSize;
  m_cy = kIconSize;
  if (m_pBar) m_pBar->RaiseLargestButton(m_cx, m_cy);
}

void QVTCapMenuBtn::Draw(afx::CDC* dc, QVTButtonDrawContext&) {
  const RECT rect = GetRect();
  if (!m_pBar || !dc->RectVisible(&rect)) return;
  dc->FillSolidRect(&rect, ui::GetSysColor(ui::COLOR_BTNFACE));
  if (m_hIcon) ui::DrawIconEx(dc->GetSafeHdc(), m_x, m_y, m_hIcon, kIconSize, kIconSize, 0, nullptr, ui::DI_NORMAL);
}

void QVTCapMenuBtn::OpenMenu() {
  if (auto* bar = dynamic_cast<QVTMDIMenuBar*>(m_pBar)) bar->DropChildSystemMenu();
}

}  // namespace docking

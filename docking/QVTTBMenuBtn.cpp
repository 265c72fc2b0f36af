#include "docking/QVTTBMenuBtn.h"

#include <cctype>

#include "docking/QVTCustomToolBar.h"
#include "docking/QVTMenuBar.h"
#include "platform/afx/Dc.h"
#include "platform/ui/DeviceContext.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Text.h"
#include "platform/ui/Window.h"

namespace docking {

char QVTTBMenuBtn::ComputeMnemonic(const std::string& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {  // "&&" is a plain ampersand
      ++i;
      continue;
    }
    return static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1])));
  }
  return 0;
}

void QVTTBMenuBtn::Attach(QVTCustomToolBar* bar, const void* extra) {
  if (const auto* data = static_cast<const QVTMenuBtnData*>(extra)) {
    m_strText = data->text ? data->text : "";
    m_nMenuId = data->menuId;
    m_nPopupIndex = data->popupIndex;
  }
  m_cMnemonic = ComputeMnemonic(m_strText);
  QVTStdBtn::Attach(bar, extra);
}

void QVTTBMenuBtn::RecalcSize() {
  if (!m_pBar) return;
  RECT rect{0, 0, 0, 0};
  const HDC hdc = ui::GetDC(nullptr);
  const HGDIOBJ old = ui::SelectObject(hdc, m_pBar->GetButtonFont());
  ui::DrawText(hdc, m_strText.c_str(), -1, &rect, ui::DT_CALCRECT | ui::DT_NOCLIP | ui::DT_SINGLELINE);
  ui::SelectObject(hdc, old);
  ui::ReleaseDC(nullptr, hdc);
  m_cx = (rect.right - rect.left) + 10;
  m_cy = (rect.bottom - rect.top) + 6;
  m_pBar->RaiseLargestButton(m_cx, m_cy);
}

void QVTTBMenuBtn::Draw(afx::CDC* dc, QVTButtonDrawContext&) {
  const RECT rect = GetRect();
  if (!m_pBar || !dc->RectVisible(&rect)) return;
  dc->FillSolidRect(&rect, ui::GetSysColor(ui::COLOR_BTNFACE));
  const bool pressed = (m_dwStyle & kTBPressed) != 0;
  const bool hot = (m_dwStyle & kTBHot) != 0;
  // Flat titles: sunken while the popup is open, raised while hot.
  if (pressed && !m_pBar->IsCustomizeMode())
    dc->Draw3dRect(&rect, ui::GetSysColor(ui::COLOR_BTNSHADOW), ui::GetSysColor(ui::COLOR_BTNHIGHLIGHT));
  else if (hot && !m_pBar->IsCustomizeMode())
    dc->Draw3dRect(&rect, ui::GetSysColor(ui::COLOR_BTNHIGHLIGHT), ui::GetSysColor(ui::COLOR_BTNSHADOW));
  RECT text{rect.left + 4 + (pressed ? 1 : 0), rect.top + (pressed ? 4 : 3), rect.right, rect.bottom};
  const HGDIOBJ old = ui::SelectObject(dc->GetSafeHdc(), m_pBar->GetButtonFont());
  dc->SetBkMode(ui::TRANSPARENT);
  dc->SetTextColor(ui::GetSysColor((m_dwStyle & kTBDisabled) ? ui::COLOR_GRAYTEXT : ui::COLOR_MENUTEXT));
  dc->DrawText(m_strText, &text, ui::DT_SINGLELINE);
  ui::SelectObject(dc->GetSafeHdc(), old);
}

BOOL QVTTBMenuBtn::OnPress(POINT) {
  if (m_dwStyle & kTBDisabled) return FALSE;
  m_dwStyle |= kTBPressed;
  RepaintNow();
  OpenMenu();
  return FALSE;
}

void QVTTBMenuBtn::OpenMenu() {
  if (auto* bar = dynamic_cast<QVTMenuBar*>(m_pBar)) bar->TrackButtonMenu(this, m_nMenuId, m_nPopupIndex);
}

}  // namespace docking

#include "docking/QVTDockContext.h"

#include <cstdlib>

#include "docking/QVTControlBar.h"
#include "docking/QVTDockBar.h"
#include "docking/QVTFloatPosition.h"
#include "platform/afx/FrameWnd.h"
#include "platform/ui/Resources.h"

namespace docking {

using namespace ui;
using namespace afx;

namespace {

constexpr ui::UINT kPreventDockingPrompt = 20535;

}  // namespace

bool QVTDockContext::MovedPastThreshold() const {
  return std::abs(m_ptLast.x - m_ptStart.x) + std::abs(m_ptLast.y - m_ptStart.y) > kDragThreshold;
}

void QVTDockContext::StartDrag(ui::POINT point) {
  if (ui::GetCapture()) return;
  if (afx::CFrameWnd* site = m_pBar->m_pDockSite) {
    std::string prompt;
    if (!ui::LoadStringResource(kPreventDockingPrompt, prompt) || prompt.empty())
      prompt = "Press the Ctrl key to prevent docking.";
    site->SendMessage(afx::WM_SETMESSAGESTRING, 0, reinterpret_cast<ui::LPARAM>(prompt.c_str()));
  }
  CDockContext::StartDrag(point);
}

void QVTDockContext::GetOutline(ui::RECT& rect, ui::SIZE& size, ui::BOOL& dither) {
  // Until the mouse has really moved the outline stays where the bar is.
  const ui::DWORD over = m_dwOverDockStyle;
  if (!MovedPastThreshold() && m_pBar->IsFloating()) m_dwOverDockStyle = 0;
  CDockContext::GetOutline(rect, size, dither);
  m_dwOverDockStyle = over;
}

void QVTDockContext::EndDrag() {
  if (!MovedPastThreshold()) {
    CancelLoop();
    if (m_pDockSite) m_pDockSite->SendMessage(afx::WM_SETMESSAGESTRING, afx::AFX_IDS_IDLEMESSAGE, 0);
    return;
  }
  if (m_dwOverDockStyle != 0 && m_pBar->IsFloating()) {
    // A floating bar dropped on a row keeps the share it was given there.
    if (auto* dock_bar = dynamic_cast<QVTDockBar*>(GetDockBar(m_dwOverDockStyle))) dock_bar->SetLastChangedBar(m_pBar);
  }
  CDockContext::EndDrag();
  if (m_pDockSite) m_pDockSite->SendMessage(afx::WM_SETMESSAGESTRING, afx::AFX_IDS_IDLEMESSAGE, 0);
}

void QVTDockContext::ToggleDocking() {
  auto* bar = dynamic_cast<QVTControlBar*>(m_pBar);
  if (m_pBar->IsFloating()) {
    if (!(m_pBar->m_dwDockStyle & afx::CBRS_ALIGN_ANY)) return;
    if (bar) bar->SetPctWidth(bar->m_fSavedPctWidth);
    CDockContext::ToggleDocking();
    return;
  }
  if (bar) bar->m_fSavedPctWidth = bar->GetPctWidth();
  ui::RECT rect;
  m_pBar->GetWindowRect(&rect);
  const ui::POINT point =
      QVTFloatPosition::ForToggle(m_bMRUFloatPosValid != 0, m_ptMRUFloatPos, ui::POINT{rect.left, rect.top});
  if (!m_pDockSite) m_pDockSite = m_pBar->m_pDockSite;
  if (m_pDockSite)
    m_pDockSite->FloatControlBar(m_pBar, point, m_dwMRUFloatStyle ? m_dwMRUFloatStyle : afx::CBRS_ALIGN_TOP);
}

}  // namespace docking

#include "docking/QVTReBar.h"

#include "docking/QVTControlBar.h"

namespace docking {

IMPLEMENT_DYNAMIC(QVTReBar, afx::CReBar)

SIZE QVTReBar::CalcFixedLayout(BOOL stretch, BOOL horizontal) {
  const SIZE size = CReBar::CalcFixedLayout(stretch, horizontal);
  if (!m_hWnd) return size;
  afx::CReBarCtrl& control = GetReBarCtrl();
  const UINT count = control.GetBandCount();
  for (UINT band = 0; band < count; ++band) {
    ui::REBARBANDINFO info;
    info.fMask = ui::RBBIM_CHILD;
    if (!control.GetBandInfo(band, &info) || !info.hwndChild) continue;
    if (auto* bar = dynamic_cast<QVTControlBar*>(afx::CWnd::FromHandlePermanent(info.hwndChild)))
      bar->CalcFixedLayout(stretch, horizontal);
  }
  return size;
}

}  // namespace docking

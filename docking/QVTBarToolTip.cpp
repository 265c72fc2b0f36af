#include "docking/QVTBarToolTip.h"

namespace docking {

void QVTBarToolTip::Track(afx::CWnd& bar, UINT tool, const std::string& text, const RECT& rect, UINT flags,
                          POINT point) {
  if (tool == tool_) return;
  if (tip_ && tool_) tip_->DelTool(&bar, tool_);
  tool_ = 0;
  if (!tool || text.empty()) return;
  if (!tip_) {
    auto tip = std::make_unique<afx::CToolTipCtrl>();
    if (!tip->Create(&bar)) return;
    tip_ = std::move(tip);
  }
  if (!tip_->AddTool(&bar, text.c_str(), &rect, tool)) return;
  tool_ = tool;
  // The tool sees the bar's mouse from now on; the move that reached it
  // is the first it sees.
  ui::MSG move{};
  move.hwnd = bar.m_hWnd;
  move.message = ui::WM_MOUSEMOVE;
  move.wParam = flags;
  move.lParam = ui::MAKELPARAM(point.x, point.y);
  tip_->RelayEvent(&move);
}

void QVTBarToolTip::Destroy() {
  if (tip_) {
    tip_->DestroyWindow();
    tip_.reset();
  }
  tool_ = 0;
}

}  // namespace docking

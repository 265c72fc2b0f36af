#include "docking/QVTToolBarsSnapshot.h"

#include <algorithm>

#include "docking/QVTCustomToolBar.h"
#include "docking/QVTDockState.h"
#include "docking/QVTToolBarManager.h"

namespace docking {

QVTToolBarsSnapshot::QVTToolBarsSnapshot() = default;
QVTToolBarsSnapshot::~QVTToolBarsSnapshot() = default;

void QVTToolBarsSnapshot::Take(QVTToolBarManager& manager) {
  afx::CFrameWnd* frame = manager.GetFrameWnd();
  state_.reset();
  toolBars_.clear();
  if (!frame) return;
  auto state = std::make_unique<QVTDockState>(&manager);
  if (!state->GetDockState(frame)) return;
  state->CleanUpBarLists();
  for (QVTCustomToolBar* bar : manager.GetToolBars())
    toolBars_.push_back({static_cast<ui::UINT>(bar->GetDlgCtrlID()), (bar->GetStyle() & ui::WS_VISIBLE) != 0});
  state_ = std::move(state);
}

void QVTToolBarsSnapshot::Restore(QVTToolBarManager& manager) {
  afx::CFrameWnd* frame = manager.GetFrameWnd();
  if (!state_ || !frame) return;
  // Toolbars made since go first, so their ids are free for bars coming back.
  for (QVTCustomToolBar* bar : manager.GetToolBars()) {
    const auto id = static_cast<ui::UINT>(bar->GetDlgCtrlID());
    const bool existed = std::any_of(toolBars_.begin(), toolBars_.end(), [id](const ToolBar& t) { return t.id == id; });
    if (!existed) bar->DestroyWindow();
  }
  state_->SetDockState(frame);
  // A layout only hides bars; those the user hid meanwhile show again here.
  for (const ToolBar& saved : toolBars_)
    if (QVTCustomToolBar* bar = manager.GetToolBar(saved.id); bar && saved.visible && !(bar->GetStyle() & ui::WS_VISIBLE))
      frame->ShowControlBar(bar, TRUE, FALSE);
  for (QVTCustomToolBar* bar : manager.GetToolBars()) {
    bar->RecalcButtonSizes();
    bar->Invalidate();
  }
  frame->RecalcLayout(TRUE);
}

}  // namespace docking

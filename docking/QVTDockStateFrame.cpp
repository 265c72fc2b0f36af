// A bar layout taken from a frame and put back onto one.
#include <algorithm>
#include <utility>

#include "docking/QVTControlBar.h"
#include "docking/QVTDialogBar.h"
#include "docking/QVTDockBar.h"
#include "docking/QVTDockState.h"
#include "docking/QVTControlBarMDIChildWnd.h"
#include "docking/QVTFrameWnd.h"
#include "docking/QVTMDIFrameWnd.h"
#include "platform/afx/ControlBarStyles.h"
#include "platform/afx/WindowPlacementRecord.h"

namespace docking {

namespace {

// The side a frame's dock bar holds its bars on.
DWORD AlignmentOfDockBar(UINT dock_bar_id) {
  switch (dock_bar_id) {
    case kDockBarTop: return afx::CBRS_ALIGN_TOP;
    case kDockBarLeft: return afx::CBRS_ALIGN_LEFT;
    case kDockBarRight: return afx::CBRS_ALIGN_RIGHT;
    case kDockBarBottom: return afx::CBRS_ALIGN_BOTTOM;
  }
  return 0;
}

// A bar a dock bar's list names: a framework bar of the frame, never a dock bar.
afx::CControlBar* ListedBar(afx::CFrameWnd* frame, DWORD id) {
  if (id == 0 || (id & QVTControlBarInfo::kPlaceholder)) return nullptr;
  afx::CControlBar* bar = frame->GetControlBar(id);
  return dynamic_cast<QVTControlBar*>(bar) ? bar : nullptr;
}

// The document frame a bar floats in inside an MDI frame's client; null
// for a bar docked or floating in a floating frame.
QVTControlBarMDIChildWnd* MDIChildOf(const afx::CControlBar* bar) {
  afx::CFrameWnd* frame = bar->m_pDockBar ? bar->m_pDockBar->GetParentFrame() : nullptr;
  return dynamic_cast<QVTControlBarMDIChildWnd*>(frame);
}

}  // namespace

BOOL QVTDockState::GetDockState(afx::CFrameWnd* frame) {
  if (!frame) return FALSE;
  Clear();
  for (afx::CControlBar* bar : frame->GetControlBars()) {
    if (auto* dock_bar = dynamic_cast<QVTDockBar*>(bar)) {
      std::unique_ptr<QVTControlBarInfo> info = CreateBarInfo(m_pManager);
      dock_bar->GetBarInfo(info.get());
      m_arrBarInfo.push_back(std::move(info));
    } else if (auto* framework_bar = dynamic_cast<QVTControlBar*>(bar)) {
      std::unique_ptr<QVTControlBarInfo> info = CreateBarInfo(m_pManager);
      framework_bar->GetBarInfoEx(info.get());
      // A bar in a document frame comes back in one, where it was.
      if (QVTControlBarMDIChildWnd* child = MDIChildOf(framework_bar)) {
        info->m_bMDIChild = TRUE;
        info->m_wpMDIChild.length = static_cast<UINT>(afx::WindowPlacementRecord::kSize);
        child->GetWindowPlacement(&info->m_wpMDIChild);
      }
      m_arrBarInfo.push_back(std::move(info));
    }
  }
  return TRUE;
}

afx::CControlBar* QVTDockState::CreateBarFromInfo(afx::CFrameWnd* frame, const QVTControlBarInfo& info) {
  auto* bar = dynamic_cast<QVTControlBar*>(CreateBarObject(info));
  if (!bar) return nullptr;
  const DWORD style = ui::WS_CHILD | ui::WS_VISIBLE | (info.m_dwStyle & afx::CBRS_ALL);
  // A dialog bar is made again from its template.
  auto* dialog_bar = dynamic_cast<QVTDialogBar*>(bar);
  const BOOL made = dialog_bar ? dialog_bar->Create(frame, info.m_nResourceID & 0xFFFF, style, info.m_dwExStyle, info.m_nBarID)
                               : bar->Create(frame, info.m_strWindowName.c_str(), style, info.m_dwExStyle, info.m_nBarID);
  if (!made) return nullptr;
  bar->SetWindowText(info.m_strWindowName);
  bar->EnableDocking(afx::CBRS_ALIGN_ANY);
  return bar;
}

afx::CControlBar* QVTDockState::ResolveBar(afx::CFrameWnd* frame, QVTControlBarInfo& info) {
  afx::CControlBar* bar = frame->GetControlBar(info.m_nBarID);
  if (bar && dynamic_cast<afx::CDockBar*>(bar)) bar = nullptr;  // an id that is a dock bar's is no bar's
  if (!bar && m_pManager) bar = m_pManager->CreateBar(&info);
  if (!bar) bar = CreateBarFromInfo(frame, info);
  return bar;
}

void QVTDockState::PlaceDockedBars(afx::CFrameWnd* frame, const QVTControlBarInfo& dock_bar) {
  auto* framework_frame = dynamic_cast<QVTFrameWnd*>(frame);
  const DWORD side = AlignmentOfDockBar(dock_bar.m_nBarID);
  if (!framework_frame || !side) return;
  const bool horizontal = (side & afx::CBRS_ORIENT_HORZ) != 0;
  int row = 0, column = 0;
  for (const DWORD id : dock_bar.m_arrBarID) {
    if (id == 0) {
      if (column > 0) ++row;
      column = 0;
      continue;
    }
    auto* bar = static_cast<QVTControlBar*>(ListedBar(frame, id));
    if (!bar) continue;
    // Laid out for the side it goes to, at the size it had there.
    bar->m_dwStyle = (bar->m_dwStyle & ~(afx::CBRS_ALIGN_ANY | afx::CBRS_FLOATING)) | side;
    const int size = horizontal ? bar->m_szHorz.cy : bar->m_szVert.cx;
    framework_frame->DockControlBarAt(bar, dock_bar.m_nBarID, row, column, bar->GetPctWidth(), size);
    PutAtSavedPlace(bar);
    ++column;
  }
}

// A toolbar stands in its row where the user left it: the row layout keeps
// a bar's own place when that is further along, so the bar is put back there.
void QVTDockState::PutAtSavedPlace(afx::CControlBar* bar) const {
  const auto id = static_cast<DWORD>(bar->GetDlgCtrlID());
  for (const auto& info : m_arrBarInfo) {
    if (info->m_bDockBar || info->m_nBarID != id) continue;
    if (info->m_pointPos.x == -1 && info->m_pointPos.y == -1) return;
    bar->SetWindowPos(nullptr, std::max(0, info->m_pointPos.x), std::max(0, info->m_pointPos.y), 0, 0,
                      ui::SWP_NOSIZE | ui::SWP_NOZORDER | ui::SWP_NOACTIVATE);
    return;
  }
}

void QVTDockState::PlaceFloatingBars(afx::CFrameWnd* frame, const QVTControlBarInfo& dock_bar) {
  if (auto* mdi_frame = dynamic_cast<QVTMDIFrameWnd*>(frame)) {
    const QVTControlBarInfo* first_bar = FirstBarRecordOf(dock_bar);
    if (first_bar && first_bar->m_bMDIChild) {
      PlaceMDIChildBars(mdi_frame, dock_bar, *first_bar);
      return;
    }
  }
  afx::CControlBar* first = nullptr;
  for (const DWORD id : dock_bar.m_arrBarID) {
    afx::CControlBar* bar = ListedBar(frame, id);
    if (!bar) continue;
    if (!first) {
      frame->FloatControlBar(bar, dock_bar.m_pointPos, dock_bar.m_bHorz ? afx::CBRS_ALIGN_TOP : afx::CBRS_ALIGN_LEFT);
      first = bar;
    } else if (first->m_pDockBar) {
      frame->DockControlBar(bar, first->m_pDockBar);
    }
  }
}

const QVTControlBarInfo* QVTDockState::FirstBarRecordOf(const QVTControlBarInfo& dock_bar) const {
  for (const DWORD id : dock_bar.m_arrBarID) {
    if (id == 0 || (id & QVTControlBarInfo::kPlaceholder)) continue;
    for (const auto& info : m_arrBarInfo)
      if (!info->m_bDockBar && info->m_nBarID == id) return info.get();
  }
  return nullptr;
}

void QVTDockState::PlaceMDIChildBars(QVTMDIFrameWnd* frame, const QVTControlBarInfo& dock_bar,
                                     const QVTControlBarInfo& first_bar) {
  auto* child = dynamic_cast<QVTControlBarMDIChildWnd*>(
      frame->CreateFloatingMDIChild(dock_bar.m_bHorz ? afx::CBRS_ALIGN_TOP : afx::CBRS_ALIGN_LEFT));
  if (!child) return;
  for (const DWORD id : dock_bar.m_arrBarID)
    if (afx::CControlBar* bar = ListedBar(frame, id)) child->GetDockBar()->DockControlBar(bar, nullptr);
  child->RecalcLayout();
  // Only a whole placement is applied; the frame keeps its own place otherwise.
  if (first_bar.HasMDIChildPlacement()) child->SetWindowPlacement(&first_bar.m_wpMDIChild);
  if (first_bar.m_bVisible) child->ShowWindow(ui::SW_SHOWNA);
  frame->DelayRecalcLayout(TRUE);
}

BOOL QVTDockState::SetDockState(afx::CFrameWnd* frame) {
  if (!frame) return FALSE;
  std::vector<std::pair<QVTControlBarInfo*, QVTControlBar*>> bars;
  for (auto it = m_arrBarInfo.begin(); it != m_arrBarInfo.end();) {
    QVTControlBarInfo& info = **it;
    if (info.m_bDockBar) {
      ++it;
      continue;
    }
    auto* bar = dynamic_cast<QVTControlBar*>(ResolveBar(frame, info));
    if (!bar) {
      it = m_arrBarInfo.erase(it);  // neither found nor made: left out
      continue;
    }
    bars.emplace_back(&info, bar);
    ++it;
  }
  for (auto& [info, bar] : bars) bar->SetBarInfo(*info, frame);
  for (const auto& info : m_arrBarInfo) {
    if (!info->m_bDockBar) continue;
    if (info->m_bFloating) PlaceFloatingBars(frame, *info);
    else PlaceDockedBars(frame, *info);
  }
  for (auto& [info, bar] : bars) {
    bar->SetBarStyleEx(info->m_dwExStyle, FALSE);
    if (!info->m_bVisible) frame->ShowControlBar(bar, FALSE, FALSE);
  }
  frame->RecalcLayout(TRUE);
  return TRUE;
}

}  // namespace docking

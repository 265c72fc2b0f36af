// A layout taken from a frame and given back to one: the records of the
// framework's bars and dock bars, the bars found or made again, docked in
// the rows their dock bars list, floating frames where they were.
#include <algorithm>

#include "docking/QVTControlBar.h"
#include "docking/QVTDockBar.h"
#include "docking/QVTDockState.h"
#include "docking/QVTFrameWnd.h"
#include "docking/QVTToolBarManager.h"
#include "platform/afx/MiniDockFrameWnd.h"

namespace docking {

namespace {

QVTControlBarInfoExFactory* ManagerOf(CFrameWnd* frame) {
  auto* docking_frame = dynamic_cast<QVTFrameWnd*>(frame);
  return docking_frame ? docking_frame->GetToolBarManager() : nullptr;
}

UINT BarId(const CControlBar* bar) { return bar && bar->m_hWnd ? static_cast<UINT>(bar->GetDlgCtrlID()) : 0; }

void FillFromDockBar(QVTControlBarInfo& info, const QVTDockBar& dock_bar) {
  info.m_nBarID = BarId(&dock_bar);
  info.m_bDockBar = TRUE;
  info.m_bFloating = dock_bar.m_bFloating;
  info.m_bHorz = (dock_bar.m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  info.m_bVisible = TRUE;
  info.m_pointPos = POINT{-1, -1};
  info.m_nMRUWidth = 32767;
  if (dock_bar.m_bFloating) {
    // A floating dock bar stands for its floating frame: where that is.
    if (CFrameWnd* floating = dock_bar.GetParentFrame(); floating && floating->m_hWnd) {
      RECT rect;
      floating->GetWindowRect(&rect);
      info.m_pointPos = POINT{rect.left, rect.top};
      info.m_bVisible = floating->IsWindowVisible();
    }
  }
  for (const QVTDockArray::Entry& entry : dock_bar.Array().Entries()) {
    if (entry.IsBar()) info.m_arrBarID.push_back(BarId(static_cast<const CControlBar*>(entry.bar)));
    else if (entry.placeholder) info.m_arrBarID.push_back(entry.placeholder + QVTControlBarInfo::kPlaceholder);
    else info.m_arrBarID.push_back(0);
  }
}

}  // namespace

BOOL QVTDockState::GetDockState(CFrameWnd* frame) {
  if (!frame) return FALSE;
  Clear();
  if (!m_pManager) m_pManager = ManagerOf(frame);
  for (CControlBar* bar : frame->GetControlBars()) {
    if (!bar->m_hWnd) continue;
    if (auto* dock_bar = dynamic_cast<QVTDockBar*>(bar)) {
      std::unique_ptr<QVTControlBarInfo> info = CreateBarInfo(m_pManager);
      FillFromDockBar(*info, *dock_bar);
      m_arrBarInfo.push_back(std::move(info));
    } else if (auto* framework_bar = dynamic_cast<QVTControlBar*>(bar)) {
      std::unique_ptr<QVTControlBarInfo> info = CreateBarInfo(m_pManager);
      framework_bar->GetBarInfo(*info);
      info->m_nTypeID = m_pManager ? m_pManager->GetBarTypeID(bar) : 0;
      m_arrBarInfo.push_back(std::move(info));
    }
  }
  return TRUE;
}

CControlBar* QVTDockState::CreateBarFromInfo(CFrameWnd* frame, const QVTControlBarInfo& info) {
  auto* bar = dynamic_cast<QVTControlBar*>(CreateBarObject(info));
  if (!bar || !bar->Create(frame, info.m_strWindowName.c_str(), info.m_dwStyle, info.m_dwExStyle, info.m_nBarID))
    return nullptr;
  bar->SetWindowText(info.m_strWindowName);
  bar->EnableDocking(CBRS_ALIGN_ANY);
  return bar;
}

CControlBar* QVTDockState::ResolveBar(CFrameWnd* frame, const QVTControlBarInfo& info) {
  if (info.m_bDockBar && info.m_bFloating) {
    // Toolbars float in frames that size to them; the listed bars' styles
    // say whether that is wanted.
    DWORD style = info.m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT;
    for (const auto& other : m_arrBarInfo)
      if (!other->m_bDockBar && std::find(info.m_arrBarID.begin(), info.m_arrBarID.end(), other->m_nBarID) !=
                                    info.m_arrBarID.end())
        style |= other->m_dwStyle & CBRS_SIZE_DYNAMIC;
    CMiniDockFrameWnd* floating = frame->CreateFloatingFrame(style);
    return floating ? floating->GetDockBar() : nullptr;
  }
  if (!info.m_nBarID) return nullptr;
  if (CControlBar* found = frame->GetControlBar(info.m_nBarID)) return found;
  if (info.m_bDockBar) return nullptr;  // a side the frame does not dock on
  if (m_pManager)
    if (CControlBar* made = m_pManager->CreateBar(const_cast<QVTControlBarInfo*>(&info))) return made;
  return CreateBarFromInfo(frame, info);
}

void QVTDockState::DockListedBars(CControlBar* dock_bar, const QVTControlBarInfo& info,
                                  const std::vector<CControlBar*>& bars) {
  auto* framework_dock_bar = dynamic_cast<QVTDockBar*>(dock_bar);
  auto* plain_dock_bar = dynamic_cast<CDockBar*>(dock_bar);
  if (!plain_dock_bar) return;
  int row = -1, column = 0;
  for (const DWORD entry : info.m_arrBarID) {
    if (entry == 0) {
      ++row;
      column = 0;
      continue;
    }
    // A place kept for a bar that is elsewhere is made again when the bar
    // comes back; the layout needs only the bars that are here.
    if (entry >= QVTControlBarInfo::kPlaceholder) continue;
    CControlBar* bar = nullptr;
    for (std::size_t i = 0; i < m_arrBarInfo.size() && !bar; ++i)
      if (!m_arrBarInfo[i]->m_bDockBar && m_arrBarInfo[i]->m_nBarID == entry) bar = bars[i];
    if (!bar || bar->IsDockBar()) continue;
    auto* framework_bar = dynamic_cast<QVTControlBar*>(bar);
    if (framework_bar) framework_bar->OnBarBeginDock();
    if (framework_dock_bar) framework_dock_bar->DockControlBarAt(bar, std::max(row, 0), column++);
    else plain_dock_bar->DockControlBar(bar, nullptr);
    if (framework_bar) framework_bar->OnBarEndDock();
  }
}

void QVTDockState::PlaceFloatingBars(const std::vector<CControlBar*>& bars) {
  for (std::size_t i = 0; i < m_arrBarInfo.size(); ++i) {
    const QVTControlBarInfo& info = *m_arrBarInfo[i];
    if (auto* framework_bar = dynamic_cast<QVTControlBar*>(bars[i]))
      framework_bar->SetBarStyleEx(info.m_dwExStyle, FALSE);
    if (!info.m_bDockBar || !info.m_bFloating) continue;
    auto* dock_bar = static_cast<CDockBar*>(bars[i]);
    auto* floating = dynamic_cast<CMiniDockFrameWnd*>(dock_bar->GetParentFrame());
    if (!floating) continue;
    if (dock_bar->GetDockedCount() == 0) {
      // None of its bars is left: a floating frame with nothing in it goes.
      floating->DestroyWindow();
      continue;
    }
    POINT corner = info.m_pointPos;
    ScalePoint(corner);
    floating->MoveTo(corner);
    if (dock_bar->GetDockedVisibleCount() > 0 && info.m_bVisible) {
      floating->RecalcLayout(TRUE);
      floating->ShowWindow(SW_SHOWNA);
    }
  }
}

BOOL QVTDockState::SetDockState(CFrameWnd* frame) {
  if (!frame) return FALSE;
  if (!m_pManager) m_pManager = ManagerOf(frame);
  std::vector<CControlBar*> bars;
  for (auto it = m_arrBarInfo.begin(); it != m_arrBarInfo.end();) {
    CControlBar* bar = ResolveBar(frame, **it);
    if (!bar) {
      it = m_arrBarInfo.erase(it);
      continue;
    }
    bars.push_back(bar);
    ++it;
  }
  for (std::size_t i = 0; i < bars.size(); ++i)
    if (auto* framework_bar = dynamic_cast<QVTControlBar*>(bars[i])) framework_bar->SetBarInfo(*m_arrBarInfo[i]);
  for (std::size_t i = 0; i < bars.size(); ++i)
    if (m_arrBarInfo[i]->m_bDockBar) DockListedBars(bars[i], *m_arrBarInfo[i], bars);
  // Hidden bars are hidden once they stand in their places.
  for (std::size_t i = 0; i < bars.size(); ++i)
    if (!m_arrBarInfo[i]->m_bDockBar && !m_arrBarInfo[i]->m_bVisible) frame->ShowControlBar(bars[i], FALSE, FALSE);
  PlaceFloatingBars(bars);
  frame->RecalcLayout(TRUE);
  return TRUE;
}

}  // namespace docking

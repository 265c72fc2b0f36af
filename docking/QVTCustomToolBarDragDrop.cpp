// The toolbar's part in dragging buttons: the frame's one selected button,
// and the entry points the mouse and the drop rules call.
#include "docking/QVTCustomToolBar.h"
#include "docking/QVTToolBarDragDrop.h"
#include "docking/QVTToolBarDrop.h"
#include "docking/QVTToolBarLayout.h"
#include "docking/QVTToolBarManager.h"

namespace docking {

void QVTCustomToolBar::SelectButton(int index, BOOL redraw) {
  QVTStdBtn* button = GetButton(index);
  if (!button || (m_bHoldsSelection && m_nCurrent == index)) return;
  // One selection in the whole frame: another bar's goes first.
  if (QVTCustomToolBar* other = m_pManager ? m_pManager->GetSelectionBar() : nullptr; other && other != this)
    other->ClearSelection(TRUE);
  if (QVTStdBtn* old = m_bHoldsSelection ? GetButton(m_nCurrent) : nullptr) {
    old->SetStyle(old->GetStyle() & ~kTBSelected);
    if (redraw) old->Invalidate();
  }
  m_bHoldsSelection = TRUE;
  if (m_pManager) m_pManager->SetSelectionBar(this);
  m_nCurrent = index;
  button->SetStyle(button->GetStyle() | kTBSelected);
  if (redraw && m_hWnd) {
    button->Invalidate();
    ui::UpdateWindow(m_hWnd);
  }
  NotifyManager(QVTToolBarManager::kSelectionChanged);
}

void QVTCustomToolBar::ClearSelection(BOOL redraw) {
  if (!m_bHoldsSelection) return;
  if (QVTStdBtn* button = GetButton(m_nCurrent)) {
    button->SetStyle(button->GetStyle() & ~kTBSelected);
    if (redraw && m_hWnd) button->Invalidate();
  }
  m_bHoldsSelection = FALSE;
  if (m_pManager && m_pManager->GetSelectionBar() == this) m_pManager->SetSelectionBar(nullptr);
  m_nCurrent = -1;
  NotifyManager(QVTToolBarManager::kSelectionChanged);
}

void QVTCustomToolBar::FollowSelection(int index) {
  if (index >= 0) {
    m_nCurrent = index;
    return;
  }
  // The selected button itself was removed, and its bit with it.
  m_bHoldsSelection = FALSE;
  m_nCurrent = -1;
  if (m_pManager && m_pManager->GetSelectionBar() == this) m_pManager->SetSelectionBar(nullptr);
  NotifyManager(QVTToolBarManager::kSelectionChanged);
}

BOOL QVTCustomToolBar::DragButton(int index, POINT point) { return QVTToolBarDragDrop(*this).Drag(index, point); }

BOOL QVTCustomToolBar::DropButton(const RECT& rect, QVTStdBtn* button, BOOL copy, BOOL no_recalc) {
  return QVTToolBarDrop(*this, rect, copy, no_recalc).Drop(button);
}

BOOL QVTCustomToolBar::IsCopyDrag() const { return ui::GetKeyState(static_cast<int>(ui::VK_CONTROL)) < 0; }

UINT QVTCustomToolBar::DestroyEmptiedMessage() {
  static const UINT message = ui::RegisterWindowMessage("QVT_DESTROYEMPTIED");
  return message;
}

LRESULT QVTCustomToolBar::OnDestroyEmptied(WPARAM, LPARAM) {
  // Still empty, and still a bar the user made: it goes now.
  const UINT id = static_cast<UINT>(GetDlgCtrlID());
  if (GetButtonCount() == 0 && id > QVTToolBarLayout::kLastDefaultBarId && id != QVTToolBarManager::kMenuBarId)
    DestroyWindow();
  return 0;
}

}  // namespace docking

// QVTToolBarDragDrop: a toolbar button dragged with the mouse. The button
// is selected, its outline follows the mouse over the desktop, and where
// it is let go decides: on a toolbar, that bar's drop rules place it; on
// nothing it is removed, or, copied with Ctrl, it becomes the first button
// of a new floating toolbar. Esc or the right button cancels.
#pragma once

#include "platform/ui/Types.h"

namespace docking {

class QVTCustomToolBar;
class QVTStdBtn;

class QVTToolBarDragDrop {
 public:
  explicit QVTToolBarDragDrop(QVTCustomToolBar& source) : source_(source) {}
  // `point` in the source's client coordinates. FALSE only when a drop
  // failed; a cancelled drag, or one that changes nothing, is TRUE.
  ui::BOOL Drag(int index, ui::POINT point);
  // The drag with Alt held, outside customise mode: nothing it drops is
  // left selected.
  ui::BOOL AltDrag(int index, ui::POINT point);

  // An Alt-drag is running somewhere in the program.
  static ui::BOOL IsAltDragging() { return s_altDragging; }
  // The bar is the source of the running drag.
  static ui::BOOL IsDragSource(const QVTCustomToolBar* bar) { return bar && bar == s_source; }

 private:
  QVTCustomToolBar* FindTarget(const ui::RECT& screen) const;
  static QVTCustomToolBar* ToolBarAt(ui::POINT screen);
  ui::BOOL DropOnTarget(QVTCustomToolBar& target, ui::RECT screen, QVTStdBtn* button, ui::BOOL copy);
  ui::BOOL DropOnNothing(const ui::RECT& screen, QVTStdBtn* button, ui::BOOL copy);
  ui::BOOL CopyToNewBar(const ui::RECT& screen, ui::UINT id);
  ui::POINT NewBarPosition(const QVTCustomToolBar& bar, ui::POINT drop) const;
  static void KeepOnWorkArea(QVTCustomToolBar& bar);

  QVTCustomToolBar& source_;
  static ui::BOOL s_altDragging;
  static const QVTCustomToolBar* s_source;
};

}  // namespace docking

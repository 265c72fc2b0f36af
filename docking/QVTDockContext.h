// QVTDockContext: the framework's dock context. A release within 4 pixels
// (horizontal plus vertical distance) of where the drag began is no move at
// all, so a click on a bar never re-docks or floats it; a docked bar keeps
// its share of the row while it floats and gets it back when it docks
// again; the remembered floating place is used whatever the sign of its
// coordinates (screens left of or above the primary one are negative).
#pragma once

#include "platform/afx/DockContext.h"

namespace docking {

class QVTDockContext : public afx::CDockContext {
 public:
  explicit QVTDockContext(afx::CControlBar* bar) : CDockContext(bar) {}

  // The most a release may be off its start and still be no move.
  static constexpr int kDragThreshold = 4;

  void StartDrag(ui::POINT point) override;
  void EndDrag() override;
  void ToggleDocking() override;

 protected:
  void GetOutline(ui::RECT& rect, ui::SIZE& size, ui::BOOL& dither) override;
  bool MovedPastThreshold() const;
};

}  // namespace docking

// QVTToolBarRectTracker: the outline of a toolbar button being dragged to
// a new place. It starts as the button's rectangle in its bar and follows
// the mouse over the whole desktop; a copy shows the copy cursor while the
// mouse is held.
#pragma once

#include "platform/afx/RectTracker.h"
#include "platform/ui/GdiTypes.h"

namespace docking {

// The cursor a button being copied shows.
constexpr ui::UINT QVT_IDC_COPY_BUTTON = 20691;

class QVTToolBarRectTracker : public afx::CRectTracker {
 public:
  QVTToolBarRectTracker(const ui::RECT& button, ui::BOOL copy);

 protected:
  void OnTrackStart() override;
  void OnTrackEnd() override;

 private:
  ui::BOOL copy_;
  ui::HCURSOR previous_ = nullptr;
};

}  // namespace docking

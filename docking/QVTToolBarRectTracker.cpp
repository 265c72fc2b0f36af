#include "docking/QVTToolBarRectTracker.h"

#include "platform/ui/Cursor.h"
#include "platform/ui/ImageResources.h"

namespace docking {

QVTToolBarRectTracker::QVTToolBarRectTracker(const ui::RECT& button, ui::BOOL copy) : CRectTracker(button, 0), copy_(copy) {}

void QVTToolBarRectTracker::OnTrackStart() {
  if (!copy_) return;
  // A program without the cursor keeps the one it shows.
  if (ui::HCURSOR cursor = ui::LoadCursor(QVT_IDC_COPY_BUTTON)) previous_ = ui::SetCursor(cursor);
}

void QVTToolBarRectTracker::OnTrackEnd() {
  if (previous_) ui::SetCursor(previous_);
  previous_ = nullptr;
}

}  // namespace docking

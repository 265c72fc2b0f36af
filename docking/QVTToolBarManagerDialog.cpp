// The manager's way into the Toolbars dialog.
#include "docking/QVTToolBarManager.h"
#include "docking/QVTToolBarsDlg.h"

namespace docking {

int QVTToolBarManager::ShowToolBarsDialog() {
  QVTToolBarsDlg dialog(this, frame_);
  return static_cast<int>(dialog.DoModal());
}

}  // namespace docking

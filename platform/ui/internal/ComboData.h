// The private state of a combo box, shared by the control and its
// dropped list.
#pragma once

#include "platform/ui/Types.h"
#include "platform/ui/internal/WindowRecord.h"

namespace ui::internal {

struct ComboData : ControlData {
  HWND list = nullptr;  // a popup of the combo's own, hidden while closed
  HWND edit = nullptr;
  int drop_height = 0;        // the height the template gave: field and dropped list together
  bool setting_edit = false;  // the combo itself is writing the edit field
  bool focused = false;
  // While the list is dropped.
  bool dropped = false;
  LRESULT chosen_before = -1;    // the selection to go back to when the drop is cancelled
  bool scrolling_list = false;  // the list's scroll bar holds the mouse for a moment
};

// Shows the list's selection in the field: the edit of a drop-down gets
// its text, selected whole.
void ShowComboSelection(HWND combo, ComboData& data);

}  // namespace ui::internal

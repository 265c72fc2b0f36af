// A combo box's dropped list. Dropping shows the list as a popup under the
// field and gives the combo the capture; the combo then hears the mouse
// everywhere and its keys choose in the list, until a choice is taken
// (Enter, F4, Alt+Up or Down, a click on an item) or the drop is cancelled
// (Esc, a click elsewhere, the capture or the focus lost). Cancelling puts
// back the selection it had before.
#pragma once

#include "platform/ui/Types.h"
#include "platform/ui/internal/ComboData.h"

namespace ui::internal {

// Shows the list, telling the parent CBN_DROPDOWN first. Nothing when it is
// already down or the combo is disabled.
void DropComboList(HWND combo, ComboData& data);
// Hides the list. `take` keeps the item it shows, with CBN_SELENDOK and a
// CBN_SELCHANGE when that differs from the selection before; otherwise the
// selection goes back, with CBN_SELENDCANCEL. CBN_CLOSEUP ends either.
void CloseComboList(HWND combo, ComboData& data, bool take);
// The combo's mouse, key and capture messages while the list is down;
// false for those it leaves to the combo.
bool DroppedComboMessage(HWND combo, ComboData& data, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace ui::internal

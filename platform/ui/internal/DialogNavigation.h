// The dialog manager's keyboard: Tab and the arrow keys, mnemonics, Enter,
// Esc and F1, and the default push button that follows the focus.
#pragma once

#include "platform/ui/Types.h"

namespace ui::internal {

// Gives `control` the focus as the keyboard does: an edit's text is
// selected. Nothing for a null control.
void FocusDialogControl(HWND control);

// Shows which push button Enter presses: `focused_button` when a push
// button of the dialog has the focus, else the dialog's default id. Every
// other push button loses the default look.
void ShowDefaultButton(HWND dialog, HWND focused_button);

// True when `hwnd` is a push button (plain or default).
bool IsPushButton(HWND hwnd);

// The dialog-manager keys of `msg` (a key or character message for the
// dialog or one of its controls); true when it acted on the message.
bool HandleDialogKey(HWND dialog, const MSG& msg);

}  // namespace ui::internal

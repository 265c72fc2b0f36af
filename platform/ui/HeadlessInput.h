// Input as a user would give it, posted to the calling thread's windows:
// keys go to the focus, clicks to the window under a point. Used by
// scripted steps of the headless host.
#pragma once

#include <string>

#include "platform/ui/Types.h"

namespace ui {

// Key down and up for `virtual_key` at the focus (else the active
// window), with Shift, Ctrl (and Alt) held around it as `modifiers` says
// (the accelerator flags FSHIFT, FCONTROL, FALT). FALSE with no target.
BOOL PostKeyPress(WPARAM virtual_key, BYTE modifiers = 0);
// WM_CHAR for each character, at the focus.
BOOL PostText(const std::string& text);
// A left click at `client` of `window`, delivered to the deepest visible
// child under it. A disabled target takes no click: FALSE.
BOOL PostClick(HWND window, POINT client);

}  // namespace ui

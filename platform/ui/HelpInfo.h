// WM_HELP: what F1 in a dialog tells the window with the focus, and the
// help context a window carries for it.
#pragma once

#include "platform/ui/Types.h"

namespace ui {

constexpr int HELPINFO_WINDOW = 0x0001;
constexpr int HELPINFO_MENUITEM = 0x0002;

// lParam of WM_HELP. A child that does not answer it passes it to its
// parent, so the dialog sees F1 on any of its controls.
struct HELPINFO {
  UINT cbSize = sizeof(HELPINFO);
  int iContextType = HELPINFO_WINDOW;
  int iCtrlId = 0;
  HWND hItemHandle = nullptr;
  DWORD dwContextId = 0;
  POINT MousePos{};  // screen coordinates of the mouse at the key press
};

BOOL SetWindowContextHelpId(HWND hwnd, DWORD context_id);
DWORD GetWindowContextHelpId(HWND hwnd);

}  // namespace ui

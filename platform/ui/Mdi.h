// The MDI client window ("MDICLIENT"): the child of an MDI frame that
// holds the document windows. It creates, activates, maximises, restores,
// arranges and destroys them on request, and keeps the frame's window
// menu listing them. DefFrameProc and DefMDIChildProc are the default
// handling of the frame and of a document window.
#pragma once

#include "platform/ui/Menu.h"
#include "platform/ui/Types.h"
#include "platform/ui/WindowStyles.h"

namespace ui {

constexpr UINT WM_MDICREATE = 0x0220;
constexpr UINT WM_MDIDESTROY = 0x0221;
constexpr UINT WM_MDIACTIVATE = 0x0222;
constexpr UINT WM_MDIRESTORE = 0x0223;
constexpr UINT WM_MDINEXT = 0x0224;
constexpr UINT WM_MDIMAXIMIZE = 0x0225;
constexpr UINT WM_MDITILE = 0x0226;
constexpr UINT WM_MDICASCADE = 0x0227;
constexpr UINT WM_MDIICONARRANGE = 0x0228;
constexpr UINT WM_MDIGETACTIVE = 0x0229;
constexpr UINT WM_MDISETMENU = 0x0230;
constexpr UINT WM_MDIREFRESHMENU = 0x0234;

constexpr const char* kMDIClientClassName = "MDICLIENT";
constexpr DWORD WS_EX_MDICHILD = 0x00000040;

// The client's creation parameters (lpCreateParams of its CREATESTRUCT).
struct CLIENTCREATESTRUCT {
  HMENU hWindowMenu = nullptr;
  UINT idFirstChild = 0;
};

// WM_MDICREATE's record; a document window's CREATESTRUCT carries it as
// lpCreateParams, with the caller's own value in lParam.
struct MDICREATESTRUCT {
  const char* szClass = nullptr;
  const char* szTitle = nullptr;
  int x = CW_USEDEFAULT;
  int y = CW_USEDEFAULT;
  int cx = CW_USEDEFAULT;
  int cy = CW_USEDEFAULT;
  DWORD style = 0;
  LPARAM lParam = 0;
};

// From the window's style bits.
BOOL IsZoomed(HWND hwnd);
BOOL IsIconic(HWND hwnd);

// The frame's default handling: commands of the window menu's list
// activate that child, and a resized frame's client keeps its place.
LRESULT DefFrameProc(HWND frame, HWND client, UINT message, WPARAM wParam, LPARAM lParam);
// A document window's default handling: activation through its client,
// maximise, restore and close as the client's operations.
LRESULT DefMDIChildProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace ui

// The non-client area: hit-test codes, mouse-activation answers, the
// parameters of WM_NCCALCSIZE and of the WM_WINDOWPOS messages, and the
// window rectangle for a wanted client rectangle.
#pragma once

#include "platform/ui/Types.h"

namespace ui {

// WM_NCHITTEST answers.
constexpr int HTERROR = -2;
constexpr int HTTRANSPARENT = -1;
constexpr int HTNOWHERE = 0;
constexpr int HTCLIENT = 1;
constexpr int HTCAPTION = 2;
constexpr int HTSYSMENU = 3;
constexpr int HTSIZE = 4;
constexpr int HTGROWBOX = HTSIZE;
constexpr int HTMENU = 5;
constexpr int HTHSCROLL = 6;
constexpr int HTVSCROLL = 7;
constexpr int HTMINBUTTON = 8;
constexpr int HTREDUCE = HTMINBUTTON;
constexpr int HTMAXBUTTON = 9;
constexpr int HTZOOM = HTMAXBUTTON;
constexpr int HTLEFT = 10;
constexpr int HTRIGHT = 11;
constexpr int HTTOP = 12;
constexpr int HTTOPLEFT = 13;
constexpr int HTTOPRIGHT = 14;
constexpr int HTBOTTOM = 15;
constexpr int HTBOTTOMLEFT = 16;
constexpr int HTBOTTOMRIGHT = 17;
constexpr int HTBORDER = 18;
constexpr int HTCLOSE = 20;
constexpr int HTHELP = 21;

// WM_MOUSEACTIVATE answers.
constexpr LRESULT MA_ACTIVATE = 1;
constexpr LRESULT MA_ACTIVATEANDEAT = 2;
constexpr LRESULT MA_NOACTIVATE = 3;
constexpr LRESULT MA_NOACTIVATEANDEAT = 4;

struct WINDOWPOS {
  HWND hwnd = nullptr;
  HWND hwndInsertAfter = nullptr;
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
  UINT flags = 0;
};

// WM_NCCALCSIZE with wParam TRUE: rgrc[0] is the new window rectangle (the
// parent's client coordinates) on entry and the client rectangle on return.
struct NCCALCSIZE_PARAMS {
  RECT rgrc[3];
  WINDOWPOS* lppos = nullptr;
};

// The window rectangle whose client area is `*rect`, for the styles given.
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD ex_style);
BOOL AdjustWindowRect(RECT* rect, DWORD style, BOOL menu);

// The time within which two clicks make a double click (ms), and its
// setting (0 restores the default of 500 ms).
UINT GetDoubleClickTime();
BOOL SetDoubleClickTime(UINT ms);
// Milliseconds on the window system's clock.
DWORD GetTickCount();
// A message number unique to `name` in this process (0xC000 to 0xFFFF).
UINT RegisterWindowMessage(const char* name);

// The top-level or child window under a screen point, as input would find
// it (hidden windows and HTTRANSPARENT answers are passed by).
HWND WindowFromPoint(POINT screen);

}  // namespace ui

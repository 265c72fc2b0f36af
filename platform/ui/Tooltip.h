// The tooltip control ("tooltips_class32"): tools (a window, or a
// rectangle of one) with a tip each, shown in a topmost popup after the
// mouse rests on a tool for the initial delay, hidden after the autopop
// delay; a tip shows after the shorter reshow delay while one was just up.
// The control sees the mouse through TTM_RELAYEVENT or, for TTF_SUBCLASS
// tools, by watching the tool window's own messages. Delays run on the
// window system's clock.
#pragma once

#include "platform/ui/Types.h"

namespace ui {

constexpr const char* TOOLTIPS_CLASS = "tooltips_class32";

constexpr DWORD TTS_ALWAYSTIP = 0x01;  // tips also while the tool's window is inactive
constexpr DWORD TTS_NOPREFIX = 0x02;

constexpr UINT TTF_IDISHWND = 0x0001;  // uId is a window: the whole window is the tool
constexpr UINT TTF_CENTERTIP = 0x0002;
constexpr UINT TTF_SUBCLASS = 0x0010;
constexpr UINT TTF_TRANSPARENT = 0x0100;

// A tip whose text the tool's window gives when it is shown (TTN_NEEDTEXT).
inline char* const LPSTR_TEXTCALLBACK = reinterpret_cast<char*>(-1);

struct TOOLINFO {
  UINT cbSize = sizeof(TOOLINFO);
  UINT uFlags = 0;
  HWND hwnd = nullptr;  // the window that holds the tool and hears its notifications
  UINT_PTR uId = 0;
  RECT rect{};          // client coordinates of hwnd (not with TTF_IDISHWND)
  void* hinst = nullptr;
  char* lpszText = nullptr;  // a text, LPSTR_TEXTCALLBACK, or a string resource id (below 0x10000)
  LPARAM lParam = 0;
};

constexpr UINT TTM_ACTIVATE = 0x0400 + 1;
constexpr UINT TTM_SETDELAYTIME = 0x0400 + 3;
constexpr UINT TTM_ADDTOOL = 0x0400 + 4;
constexpr UINT TTM_DELTOOL = 0x0400 + 5;
constexpr UINT TTM_NEWTOOLRECT = 0x0400 + 6;
constexpr UINT TTM_RELAYEVENT = 0x0400 + 7;
constexpr UINT TTM_GETTOOLINFO = 0x0400 + 8;
constexpr UINT TTM_GETTEXT = 0x0400 + 11;
constexpr UINT TTM_UPDATETIPTEXT = 0x0400 + 12;
constexpr UINT TTM_GETTOOLCOUNT = 0x0400 + 13;
constexpr UINT TTM_GETDELAYTIME = 0x0400 + 21;
constexpr UINT TTM_POP = 0x0400 + 28;

// TTM_SETDELAYTIME / TTM_GETDELAYTIME: which delay. TTDT_AUTOMATIC sets
// all three from one value (initial, ten times it, a fifth of it).
constexpr WPARAM TTDT_AUTOMATIC = 0;
constexpr WPARAM TTDT_RESHOW = 1;
constexpr WPARAM TTDT_AUTOPOP = 2;
constexpr WPARAM TTDT_INITIAL = 3;

// Notifications (WM_NOTIFY to the tool's window).
constexpr UINT TTN_FIRST = static_cast<UINT>(-520);
constexpr UINT TTN_GETDISPINFO = TTN_FIRST;
constexpr UINT TTN_NEEDTEXT = TTN_GETDISPINFO;
constexpr UINT TTN_SHOW = TTN_FIRST - 1;
constexpr UINT TTN_POP = TTN_FIRST - 2;

struct NMHDR {
  HWND hwndFrom = nullptr;
  UINT_PTR idFrom = 0;
  UINT code = 0;
};

// TTN_NEEDTEXT's record: the answer points lpszText at its text, fills
// szText, or gives a string resource id in lpszText.
struct NMTTDISPINFO {
  NMHDR hdr;
  char* lpszText = nullptr;
  char szText[80] = {};
  void* hinst = nullptr;
  UINT uFlags = 0;
  LPARAM lParam = 0;
};

}  // namespace ui

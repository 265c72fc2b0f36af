// Menus: handles to lists of items (commands, separators and popups) with
// their grey, disabled, check and default states, owner-drawn items with
// their data; loaded from menu resources, a top-level window's menu, and
// each window's system menu. A stale or foreign menu handle is refused.
// Popup menus are tracked in a modal loop (TrackPopupMenuEx); a frame's
// menu bar is drawn in its non-client area and driven by the same loop.
#pragma once

#include <string>

#include "platform/ui/GdiTypes.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Types.h"

namespace ui {

constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_MENUBARBREAK = 0x0020;
constexpr UINT MF_MENUBREAK = 0x0040;
constexpr UINT MF_HILITE = 0x0080;
constexpr UINT MF_UNHILITE = 0x0000;
constexpr UINT MF_OWNERDRAW = 0x0100;
constexpr UINT MF_DEFAULT = 0x1000;
constexpr UINT MF_SYSMENU = 0x2000;
constexpr UINT MF_MOUSESELECT = 0x8000;

// Item kinds and states as MENUITEMINFO names them (the same bits).
constexpr UINT MFT_STRING = MF_STRING;
constexpr UINT MFT_MENUBARBREAK = MF_MENUBARBREAK;
constexpr UINT MFT_MENUBREAK = MF_MENUBREAK;
constexpr UINT MFT_OWNERDRAW = MF_OWNERDRAW;
constexpr UINT MFT_RADIOCHECK = 0x0200;
constexpr UINT MFT_SEPARATOR = MF_SEPARATOR;
constexpr UINT MFS_ENABLED = MF_ENABLED;
constexpr UINT MFS_GRAYED = MF_GRAYED | MF_DISABLED;
constexpr UINT MFS_DISABLED = MFS_GRAYED;
constexpr UINT MFS_CHECKED = MF_CHECKED;
constexpr UINT MFS_UNCHECKED = MF_UNCHECKED;
constexpr UINT MFS_HILITE = MF_HILITE;
constexpr UINT MFS_DEFAULT = MF_DEFAULT;

// Which members of MENUITEMINFO a call reads or writes.
constexpr UINT MIIM_STATE = 0x0001;
constexpr UINT MIIM_ID = 0x0002;
constexpr UINT MIIM_SUBMENU = 0x0004;
constexpr UINT MIIM_CHECKMARKS = 0x0008;
constexpr UINT MIIM_TYPE = 0x0010;  // fType, and the text of a string item
constexpr UINT MIIM_DATA = 0x0020;
constexpr UINT MIIM_STRING = 0x0040;
constexpr UINT MIIM_BITMAP = 0x0080;
constexpr UINT MIIM_FTYPE = 0x0100;

struct MENUITEMINFO {
  UINT cbSize = sizeof(MENUITEMINFO);
  UINT fMask = 0;
  UINT fType = 0;
  UINT fState = 0;
  UINT wID = 0;
  HMENU hSubMenu = nullptr;
  HBITMAP hbmpChecked = nullptr;
  HBITMAP hbmpUnchecked = nullptr;
  UINT_PTR dwItemData = 0;
  // The text: on reading, a buffer of `cch` characters (the length comes
  // back in `cch`; a null buffer asks for the length only).
  char* dwTypeData = nullptr;
  UINT cch = 0;
  HBITMAP hbmpItem = nullptr;
};

// Messages of the menu loop beside those in Messages.h.
constexpr UINT WM_ENTERMENULOOP = 0x0211;
constexpr UINT WM_EXITMENULOOP = 0x0212;
constexpr UINT WM_UNINITMENUPOPUP = 0x0125;

// WM_MENUCHAR answers, in the high word (the low word is an item position).
constexpr LRESULT MNC_IGNORE = 0;
constexpr LRESULT MNC_CLOSE = 1;
constexpr LRESULT MNC_EXECUTE = 2;
constexpr LRESULT MNC_SELECT = 3;

// TrackPopupMenuEx options.
constexpr UINT TPM_LEFTBUTTON = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_CENTERALIGN = 0x0004;
constexpr UINT TPM_RIGHTALIGN = 0x0008;
constexpr UINT TPM_TOPALIGN = 0x0000;
constexpr UINT TPM_VCENTERALIGN = 0x0010;
constexpr UINT TPM_BOTTOMALIGN = 0x0020;
constexpr UINT TPM_HORIZONTAL = 0x0000;  // off the exclusion: keep x, move up or down
constexpr UINT TPM_VERTICAL = 0x0040;    // off the exclusion: keep y, move left or right
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;

struct TPMPARAMS {
  UINT cbSize = sizeof(TPMPARAMS);
  RECT rcExclude{};  // screen coordinates the popup must not cover
};

// The error of a menu loop asked for while one runs on the thread.
constexpr DWORD ERROR_POPUP_ALREADY_ACTIVE = 1446;

HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and its popups.
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
// A new menu built from menu resource `id`; null when there is none.
HMENU LoadMenu(UINT id);

// For MF_POPUP items `id_or_popup` is the popup's handle.
BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR id_or_popup, const char* text);
BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id_or_popup, const char* text);
BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id_or_popup, const char* text);
// Removes an item; DeleteMenu also destroys its popup.
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);

int GetMenuItemCount(HMENU menu);               // -1 for a bad handle
UINT GetMenuItemID(HMENU menu, int position);   // -1 for popups and bad positions
HMENU GetSubMenu(HMENU menu, int position);
// The item's state flags; for a popup its item count in the high byte.
// -1 when there is no such item.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
int GetMenuString(HMENU menu, UINT item, char* buffer, int size, UINT flags);
std::string GetMenuStringText(HMENU menu, UINT item, UINT flags);
// The previous state (MF_GRAYED/MF_DISABLED, or MF_CHECKED), -1 when there
// is no such item.
UINT EnableMenuItem(HMENU menu, UINT item, UINT enable);
UINT CheckMenuItem(HMENU menu, UINT item, UINT check);

// The members `info->fMask` names, of the item at `item` (a position when
// `by_position`, else a command id, searched in popups too).
BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL by_position, MENUITEMINFO* info);
BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL by_position, const MENUITEMINFO* info);
BOOL InsertMenuItem(HMENU menu, UINT item, BOOL by_position, const MENUITEMINFO* info);
// The one default item of the menu (drawn bold); -1 takes it away.
BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT by_position);
// Its id or position; -1 when there is none.
UINT GetMenuDefaultItem(HMENU menu, UINT by_position, UINT flags);

// Shows the popup `menu` at the screen point and runs its modal loop until
// an item is chosen or the menu is dismissed. `owner` gets the loop's
// messages and, for a chosen item, WM_COMMAND (posted), unless
// TPM_RETURNCMD asks for the id as the result instead (0 for none). FALSE
// (0) with a bad menu or owner, or while another menu loop runs.
BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, const TPMPARAMS* params);
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* ignored);
// Ends the thread's menu loop, as a click outside would.
BOOL EndMenu();
// Repaints the window's menu bar.
BOOL DrawMenuBar(HWND hwnd);

constexpr LONG OBJID_MENU = -3;
struct MENUBARINFO {
  DWORD cbSize = sizeof(MENUBARINFO);
  RECT rcBar{};  // screen coordinates
  HMENU hMenu = nullptr;
  HWND hwndMenu = nullptr;
  BOOL fBarFocused = FALSE;  // the menu loop has the bar selected
};
// The menu bar of `hwnd` (`object` OBJID_MENU, `item` 0 for the whole bar,
// else the rectangle of title `item` - 1); FALSE when it has none.
BOOL GetMenuBarInfo(HWND hwnd, LONG object, LONG item, MENUBARINFO* info);

// A top-level window's menu.
BOOL SetMenu(HWND hwnd, HMENU menu);
HMENU GetMenu(HWND hwnd);
// The window's own system menu (Restore, Move, Size, Minimize, Maximize,
// Close), made on first use; `revert` drops changes and returns null.
HMENU GetSystemMenu(HWND hwnd, BOOL revert);

}  // namespace ui

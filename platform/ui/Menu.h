// Menus: handles to lists of items (commands, separators and popups) with
// their grey, disabled and check states; loaded from menu resources, a
// top-level window's menu, and each window's system menu. A stale or
// foreign menu handle is refused. Drawing and tracking come with the menu
// bar.
#pragma once

#include <string>

#include "platform/ui/Resources.h"
#include "platform/ui/Types.h"

namespace ui {

constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_MENUBARBREAK = 0x0020;
constexpr UINT MF_MENUBREAK = 0x0040;
constexpr UINT MF_OWNERDRAW = 0x0100;
constexpr UINT MF_DEFAULT = 0x1000;

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

// A top-level window's menu.
BOOL SetMenu(HWND hwnd, HMENU menu);
HMENU GetMenu(HWND hwnd);
// The window's own system menu (Restore, Move, Size, Minimize, Maximize,
// Close), made on first use; `revert` drops changes and returns null.
HMENU GetSystemMenu(HWND hwnd, BOOL revert);

}  // namespace ui

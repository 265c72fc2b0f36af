#include "platform/ui/Menu.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/HandleTable.h"
#include "platform/ui/internal/MenuAccess.h"
#include "platform/ui/internal/Painting.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui {

namespace {

// What the loop and the painters see, and the item's own bitmap.
struct MenuItem : internal::MenuItemView {
  HBITMAP bitmap = nullptr;
};

struct MenuRecord {
  bool popup_menu = false;
  std::vector<MenuItem> items;
};

constexpr UINT kNoItem = static_cast<UINT>(-1);

// Menus live in the window system's handle table; beside them the menus
// attached to windows.
class MenuTable {
 public:
  std::recursive_mutex& mutex = internal::HandleTable::Get().mutex();

  HMENU Add(bool popup) {
    auto record = std::make_shared<MenuRecord>();
    record->popup_menu = popup;
    return internal::HandleTable::Get().Add<HMENU>(internal::HandleKind::kMenu, std::move(record));
  }
  MenuRecord* Find(HMENU menu) { return internal::HandleTable::Get().Find<MenuRecord>(menu, internal::HandleKind::kMenu); }
  void Remove(HMENU menu) { internal::HandleTable::Get().Remove(menu, internal::HandleKind::kMenu); }
  // The window menus and system menus, by window.
  std::map<HWND, HMENU> window_menus;
  std::map<HWND, HMENU> system_menus;
};

MenuTable& Table() {
  static MenuTable table;
  return table;
}

using Lock = std::lock_guard<std::recursive_mutex>;

bool Refuse() {
  SetLastError(ERROR_INVALID_PARAMETER);
  return false;
}

// The item `item` names (by command, searching popups too, or by position).
MenuItem* FindItem(HMENU menu, UINT item, UINT flags, HMENU* owner = nullptr, std::size_t* index = nullptr) {
  MenuRecord* record = Table().Find(menu);
  if (!record) return nullptr;
  if (flags & MF_BYPOSITION) {
    if (item >= record->items.size()) return nullptr;
    if (owner) *owner = menu;
    if (index) *index = item;
    return &record->items[item];
  }
  for (std::size_t i = 0; i < record->items.size(); ++i) {
    MenuItem& entry = record->items[i];
    if (!(entry.flags & MF_POPUP) && entry.id == item) {
      if (owner) *owner = menu;
      if (index) *index = i;
      return &entry;
    }
    if (entry.flags & MF_POPUP)
      if (MenuItem* inner = FindItem(entry.popup, item, flags, owner, index)) return inner;
  }
  return nullptr;
}

MenuItem MakeItem(UINT flags, UINT_PTR id_or_popup, const char* text) {
  MenuItem item;
  item.flags = flags & ~MF_BYPOSITION;
  // An owner-drawn item's "text" is the owner's data for it.
  if (flags & MF_OWNERDRAW) item.data = reinterpret_cast<UINT_PTR>(text);
  else item.text = (flags & MF_SEPARATOR) || !text ? "" : text;
  if (flags & MF_POPUP) item.popup = reinterpret_cast<HMENU>(id_or_popup);
  else item.id = static_cast<UINT>(id_or_popup);
  return item;
}

void Build(HMENU menu, const std::vector<MenuItemTemplate>& items) {
  for (const MenuItemTemplate& entry : items) {
    if (entry.flags & MF_POPUP) {
      const HMENU popup = CreatePopupMenu();
      Build(popup, entry.popup);
      AppendMenu(menu, entry.flags, reinterpret_cast<UINT_PTR>(popup), entry.text.c_str());
    } else {
      AppendMenu(menu, entry.flags, entry.id, entry.text.c_str());
    }
  }
}

void DestroyTree(HMENU menu) {
  MenuRecord* record = Table().Find(menu);
  if (!record) return;
  for (const MenuItem& item : record->items)
    if (item.flags & MF_POPUP) DestroyTree(item.popup);
  Table().Remove(menu);
}

}  // namespace

HMENU CreateMenu() {
  Lock lock(Table().mutex);
  return Table().Add(false);
}

HMENU CreatePopupMenu() {
  Lock lock(Table().mutex);
  return Table().Add(true);
}

BOOL DestroyMenu(HMENU menu) {
  Lock lock(Table().mutex);
  if (!Table().Find(menu)) return Refuse();
  DestroyTree(menu);
  return TRUE;
}

BOOL IsMenu(HMENU menu) {
  Lock lock(Table().mutex);
  return Table().Find(menu) ? TRUE : FALSE;
}

HMENU LoadMenu(UINT id) {
  const std::vector<MenuItemTemplate>* items = FindMenuResource(id);
  if (!items) return nullptr;
  const HMENU menu = CreateMenu();
  Build(menu, *items);
  return menu;
}

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR id_or_popup, const char* text) {
  Lock lock(Table().mutex);
  MenuRecord* record = Table().Find(menu);
  if (!record || ((flags & MF_POPUP) && !Table().Find(reinterpret_cast<HMENU>(id_or_popup)))) return Refuse();
  record->items.push_back(MakeItem(flags, id_or_popup, text));
  return TRUE;
}

BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id_or_popup, const char* text) {
  Lock lock(Table().mutex);
  MenuRecord* record = Table().Find(menu);
  if (!record || ((flags & MF_POPUP) && !Table().Find(reinterpret_cast<HMENU>(id_or_popup)))) return Refuse();
  HMENU owner = menu;
  std::size_t index = record->items.size();
  if (position != kNoItem && !FindItem(menu, position, flags, &owner, &index)) {
    if (!(flags & MF_BYPOSITION)) return Refuse();
    index = record->items.size();  // past the end appends
  }
  MenuRecord* target = Table().Find(owner);
  target->items.insert(target->items.begin() + static_cast<std::ptrdiff_t>(index), MakeItem(flags, id_or_popup, text));
  return TRUE;
}

BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id_or_popup, const char* text) {
  Lock lock(Table().mutex);
  MenuItem* item = FindItem(menu, position, flags);
  if (!item) return Refuse();
  *item = MakeItem(flags, id_or_popup, text);
  return TRUE;
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) {
  Lock lock(Table().mutex);
  HMENU owner = nullptr;
  std::size_t index = 0;
  if (!FindItem(menu, position, flags, &owner, &index)) return Refuse();
  auto& items = Table().Find(owner)->items;
  items.erase(items.begin() + static_cast<std::ptrdiff_t>(index));
  return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) {
  Lock lock(Table().mutex);
  MenuItem* item = FindItem(menu, position, flags);
  if (!item) return Refuse();
  const HMENU popup = (item->flags & MF_POPUP) ? item->popup : nullptr;
  RemoveMenu(menu, position, flags);
  if (popup) DestroyTree(popup);
  return TRUE;
}

int GetMenuItemCount(HMENU menu) {
  Lock lock(Table().mutex);
  MenuRecord* record = Table().Find(menu);
  return record ? static_cast<int>(record->items.size()) : (Refuse(), -1);
}

UINT GetMenuItemID(HMENU menu, int position) {
  Lock lock(Table().mutex);
  MenuItem* item = position < 0 ? nullptr : FindItem(menu, static_cast<UINT>(position), MF_BYPOSITION);
  if (!item || (item->flags & MF_POPUP)) return kNoItem;
  return item->id;
}

HMENU GetSubMenu(HMENU menu, int position) {
  Lock lock(Table().mutex);
  MenuItem* item = position < 0 ? nullptr : FindItem(menu, static_cast<UINT>(position), MF_BYPOSITION);
  return item && (item->flags & MF_POPUP) ? item->popup : nullptr;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
  Lock lock(Table().mutex);
  MenuItem* entry = FindItem(menu, item, flags);
  if (!entry) return kNoItem;
  if (entry->flags & MF_POPUP) {
    MenuRecord* popup = Table().Find(entry->popup);
    const UINT count = popup ? static_cast<UINT>(popup->items.size()) : 0;
    return (count << 8) | (entry->flags & 0xFF);
  }
  return entry->flags;
}

int GetMenuString(HMENU menu, UINT item, char* buffer, int size, UINT flags) {
  const std::string text = GetMenuStringText(menu, item, flags);
  if (!buffer || size <= 0) return static_cast<int>(text.size());
  const std::size_t count = std::min<std::size_t>(text.size(), static_cast<std::size_t>(size) - 1);
  std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
  return static_cast<int>(count);
}

std::string GetMenuStringText(HMENU menu, UINT item, UINT flags) {
  Lock lock(Table().mutex);
  MenuItem* entry = FindItem(menu, item, flags);
  return entry ? entry->text : std::string();
}

UINT EnableMenuItem(HMENU menu, UINT item, UINT enable) {
  Lock lock(Table().mutex);
  MenuItem* entry = FindItem(menu, item, enable);
  if (!entry) return kNoItem;
  const UINT previous = entry->flags & (MF_GRAYED | MF_DISABLED);
  entry->flags = (entry->flags & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
  return previous;
}

UINT CheckMenuItem(HMENU menu, UINT item, UINT check) {
  Lock lock(Table().mutex);
  MenuItem* entry = FindItem(menu, item, check);
  if (!entry) return kNoItem;
  const UINT previous = entry->flags & MF_CHECKED;
  entry->flags = (entry->flags & ~MF_CHECKED) | (check & MF_CHECKED);
  return previous;
}

namespace {

constexpr UINT kTypeBits = MFT_OWNERDRAW | MFT_SEPARATOR | MFT_RADIOCHECK | MFT_MENUBREAK | MFT_MENUBARBREAK;
constexpr UINT kStateBits = MFS_GRAYED | MFS_CHECKED | MFS_HILITE | MFS_DEFAULT;

MenuItem* FindItemInfo(HMENU menu, UINT item, BOOL by_position, const MENUITEMINFO* info) {
  if (!info || info->cbSize < sizeof(MENUITEMINFO)) return nullptr;
  return FindItem(menu, item, by_position ? MF_BYPOSITION : MF_BYCOMMAND);
}

// A string item's text; owner-drawn items and separators have none.
bool HasText(const MenuItem& item) { return !(item.flags & (MFT_OWNERDRAW | MFT_SEPARATOR)); }

bool ApplyItemInfo(MenuItem& item, const MENUITEMINFO& info) {
  const UINT mask = info.fMask;
  if ((mask & MIIM_SUBMENU) && info.hSubMenu && !Table().Find(info.hSubMenu)) return false;
  if (mask & (MIIM_TYPE | MIIM_FTYPE)) item.flags = (item.flags & ~kTypeBits) | (info.fType & kTypeBits);
  if ((mask & MIIM_STRING) || ((mask & MIIM_TYPE) && HasText(item)))
    item.text = info.dwTypeData ? info.dwTypeData : "";
  if (mask & MIIM_STATE) item.flags = (item.flags & ~kStateBits) | (info.fState & kStateBits);
  if (mask & MIIM_ID) item.id = info.wID;
  if (mask & MIIM_SUBMENU) {
    item.popup = info.hSubMenu;
    item.flags = info.hSubMenu ? (item.flags | MF_POPUP) : (item.flags & ~MF_POPUP);
  }
  if (mask & MIIM_DATA) item.data = info.dwItemData;
  if (mask & MIIM_CHECKMARKS) {
    item.checked_bitmap = info.hbmpChecked;
    item.unchecked_bitmap = info.hbmpUnchecked;
  }
  if (mask & MIIM_BITMAP) item.bitmap = info.hbmpItem;
  return true;
}

}  // namespace

BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL by_position, MENUITEMINFO* info) {
  Lock lock(Table().mutex);
  const MenuItem* entry = FindItemInfo(menu, item, by_position, info);
  if (!entry) return Refuse();
  const UINT mask = info->fMask;
  if (mask & (MIIM_TYPE | MIIM_FTYPE)) info->fType = entry->flags & kTypeBits;
  if (mask & MIIM_STATE) info->fState = entry->flags & kStateBits;
  if (mask & MIIM_ID) info->wID = (entry->flags & MF_POPUP) ? 0 : entry->id;
  if (mask & MIIM_SUBMENU) info->hSubMenu = (entry->flags & MF_POPUP) ? entry->popup : nullptr;
  if (mask & MIIM_DATA) info->dwItemData = entry->data;
  if (mask & MIIM_CHECKMARKS) {
    info->hbmpChecked = entry->checked_bitmap;
    info->hbmpUnchecked = entry->unchecked_bitmap;
  }
  if (mask & MIIM_BITMAP) info->hbmpItem = entry->bitmap;
  if (mask & (MIIM_TYPE | MIIM_STRING)) {
    const std::string& text = entry->text;
    if (info->dwTypeData && info->cch > 0) {
      const std::size_t count = std::min<std::size_t>(text.size(), info->cch - 1);
      std::memcpy(info->dwTypeData, text.data(), count);
      info->dwTypeData[count] = '\0';
      info->cch = static_cast<UINT>(count);
    } else {
      info->cch = static_cast<UINT>(text.size());
    }
  }
  return TRUE;
}

BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL by_position, const MENUITEMINFO* info) {
  Lock lock(Table().mutex);
  MenuItem* entry = FindItemInfo(menu, item, by_position, info);
  if (!entry) return Refuse();
  MenuItem changed = *entry;
  if (!ApplyItemInfo(changed, *info)) return Refuse();
  *entry = std::move(changed);
  return TRUE;
}

BOOL InsertMenuItem(HMENU menu, UINT item, BOOL by_position, const MENUITEMINFO* info) {
  Lock lock(Table().mutex);
  if (!info || info->cbSize < sizeof(MENUITEMINFO) || !Table().Find(menu)) return Refuse();
  MenuItem entry;
  if (!ApplyItemInfo(entry, *info)) return Refuse();
  HMENU owner = menu;
  std::size_t index = Table().Find(menu)->items.size();
  if (!FindItem(menu, item, by_position ? MF_BYPOSITION : MF_BYCOMMAND, &owner, &index) && !by_position)
    return Refuse();
  auto& items = Table().Find(owner)->items;
  items.insert(items.begin() + static_cast<std::ptrdiff_t>(std::min(index, items.size())), std::move(entry));
  return TRUE;
}

BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT by_position) {
  Lock lock(Table().mutex);
  MenuRecord* record = Table().Find(menu);
  if (!record) return Refuse();
  MenuItem* chosen = nullptr;
  if (item != kNoItem) {
    const bool position = by_position != 0;
    if (position && item < record->items.size()) chosen = &record->items[item];
    for (std::size_t i = 0; !position && i < record->items.size(); ++i)
      if (!(record->items[i].flags & MF_POPUP) && record->items[i].id == item) chosen = &record->items[i];
    if (!chosen) return Refuse();
  }
  for (MenuItem& entry : record->items) entry.flags &= ~MF_DEFAULT;
  if (chosen) chosen->flags |= MF_DEFAULT;
  return TRUE;
}

UINT GetMenuDefaultItem(HMENU menu, UINT by_position, UINT) {
  Lock lock(Table().mutex);
  MenuRecord* record = Table().Find(menu);
  if (!record) return kNoItem;
  for (std::size_t i = 0; i < record->items.size(); ++i) {
    const MenuItem& entry = record->items[i];
    if (!(entry.flags & MF_DEFAULT)) continue;
    if (by_position) return static_cast<UINT>(i);
    return (entry.flags & MF_POPUP) ? kNoItem : entry.id;
  }
  return kNoItem;
}

BOOL DrawMenuBar(HWND hwnd) {
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  const RECT none{0, 0, 0, 0};
  internal::RedrawRegion(hwnd, &none, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
  return TRUE;
}

namespace internal {

std::vector<MenuItemView> MenuItems(HMENU menu) {
  Lock lock(Table().mutex);
  std::vector<MenuItemView> views;
  MenuRecord* record = Table().Find(menu);
  if (!record) return views;
  views.reserve(record->items.size());
  for (const MenuItemView& item : record->items) views.push_back(item);
  return views;
}

void HighlightMenuItem(HMENU menu, int position) {
  Lock lock(Table().mutex);
  MenuRecord* record = Table().Find(menu);
  if (!record) return;
  for (std::size_t i = 0; i < record->items.size(); ++i) {
    UINT& flags = record->items[i].flags;
    flags = static_cast<int>(i) == position ? (flags | MF_HILITE) : (flags & ~MF_HILITE);
  }
}

}  // namespace internal

namespace internal {
bool AttachMenu(HWND hwnd, HMENU menu) {
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  Lock lock(Table().mutex);
  if (menu && !Table().Find(menu)) return Refuse();
  if (menu) Table().window_menus[hwnd] = menu;
  else Table().window_menus.erase(hwnd);
  return true;
}
}  // namespace internal

BOOL SetMenu(HWND hwnd, HMENU menu) {
  if (!internal::AttachMenu(hwnd, menu)) return FALSE;
  // The menu bar is part of the frame: the client area shrinks or grows.
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return TRUE;
}

HMENU GetMenu(HWND hwnd) {
  Lock lock(Table().mutex);
  const auto it = Table().window_menus.find(hwnd);
  if (it == Table().window_menus.end() || !IsWindow(hwnd) || !Table().Find(it->second)) return nullptr;
  return it->second;
}

HMENU GetSystemMenu(HWND hwnd, BOOL revert) {
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  Lock lock(Table().mutex);
  // Handles of destroyed windows may come back: their menus go first.
  for (auto it = Table().system_menus.begin(); it != Table().system_menus.end();) {
    if (!IsWindow(it->first)) {
      DestroyTree(it->second);
      it = Table().system_menus.erase(it);
    } else {
      ++it;
    }
  }
  auto it = Table().system_menus.find(hwnd);
  if (revert) {
    if (it != Table().system_menus.end()) {
      DestroyTree(it->second);
      Table().system_menus.erase(it);
    }
    return nullptr;
  }
  if (it != Table().system_menus.end()) return it->second;
  const HMENU menu = CreatePopupMenu();
  AppendMenu(menu, MF_STRING, SC_RESTORE, "&Restore");
  AppendMenu(menu, MF_STRING, SC_MOVE, "&Move");
  AppendMenu(menu, MF_STRING, SC_SIZE, "&Size");
  AppendMenu(menu, MF_STRING, SC_MINIMIZE, "Mi&nimize");
  AppendMenu(menu, MF_STRING, SC_MAXIMIZE, "Ma&ximize");
  AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenu(menu, MF_STRING, SC_CLOSE, "&Close\tAlt+F4");
  Table().system_menus[hwnd] = menu;
  return menu;
}

}  // namespace ui

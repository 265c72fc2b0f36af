// What the menu loop and the menu painters read of a menu: a copy of its
// items, so no lock is held while the owner is asked about them.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/Menu.h"

namespace ui::internal {

struct MenuItemView {
  UINT id = 0;
  std::string text;
  UINT flags = 0;  // MF_ kind and state bits
  HMENU popup = nullptr;
  UINT_PTR data = 0;
  HBITMAP checked_bitmap = nullptr;
  HBITMAP unchecked_bitmap = nullptr;

  bool separator() const { return (flags & MF_SEPARATOR) != 0; }
  bool owner_drawn() const { return (flags & MF_OWNERDRAW) != 0; }
  bool grayed() const { return (flags & (MF_GRAYED | MF_DISABLED)) != 0; }
  bool has_popup() const { return (flags & MF_POPUP) != 0 && popup; }
};

// Empty for a bad handle.
std::vector<MenuItemView> MenuItems(HMENU menu);
// Marks the item at `position` highlighted (MFS_HILITE) and no other;
// -1 marks none.
void HighlightMenuItem(HMENU menu, int position);

}  // namespace ui::internal

// Where each item of a popup menu lies: measured with the menu font, and
// for owner-drawn items by asking the owner (WM_MEASUREITEM). The popup
// window, its painter and the menu loop's hit tests all read one layout.
#pragma once

#include <vector>

#include "platform/ui/internal/MenuAccess.h"

namespace ui::internal {

class PopupMenuLayout {
 public:
  PopupMenuLayout() = default;
  PopupMenuLayout(HMENU menu, HWND owner);

  // The raised window frame around the items, as the style painter draws it.
  static int FrameWidth();
  // The column of check marks before the labels, and of sub-menu arrows
  // after them.
  static int CheckColumn();
  static constexpr int kArrowColumn = 16;
  static constexpr int kSeparatorHeight = 9;
  // Space between the longest label and the accelerator column.
  static constexpr int kAcceleratorGap = 12;

  HMENU menu() const { return menu_; }
  const std::vector<MenuItemView>& items() const { return items_; }
  int count() const { return static_cast<int>(items_.size()); }
  // The window size, and an item's rectangle in the window's coordinates.
  SIZE size() const { return size_; }
  RECT ItemRect(int position) const;
  // Where accelerator texts start, from an item's left edge.
  int accelerator_offset() const { return accelerator_offset_; }
  // The item at a window point; -1 on the frame or outside.
  int HitTest(POINT point) const;
  // Items the user may move to (anything but separators).
  bool Selectable(int position) const;
  // The next selectable item from `from` in `step` (+1 or -1), wrapping;
  // -1 when there is none.
  int Next(int from, int step) const;

 private:
  HMENU menu_ = nullptr;
  std::vector<MenuItemView> items_;
  std::vector<RECT> rects_;
  SIZE size_{0, 0};
  int accelerator_offset_ = 0;
};

// The menu fonts: the normal one and the bold one of default items.
HFONT MenuFont(bool bold);
// An item's label and accelerator, split at the first tab.
std::string MenuLabel(const std::string& text);
std::string MenuAccelerator(const std::string& text);
// The mnemonic character after the "&" of a label, upper-cased; 0 for none.
char MenuMnemonic(const std::string& text);

}  // namespace ui::internal

// Where each top-level item of a frame's menu bar lies in the bar band the
// frame's non-client layout gives it (window coordinates): painting, hit
// testing and the menu loop read the same rectangles.
#pragma once

#include <vector>

#include "platform/ui/internal/MenuAccess.h"

namespace ui::internal {

class MenuBarLayout {
 public:
  MenuBarLayout() = default;
  MenuBarLayout(HMENU menu, const RECT& bar);
  // The bar of the frame `hwnd` (empty without one), window coordinates.
  static MenuBarLayout Of(HWND hwnd);

  // Room left and right of each title.
  static constexpr int kPadding = 7;

  HMENU menu() const { return menu_; }
  const RECT& bar() const { return bar_; }
  const std::vector<MenuItemView>& items() const { return items_; }
  int count() const { return static_cast<int>(items_.size()); }
  RECT ItemRect(int position) const;
  // The item at a window point; -1 for none.
  int HitTest(POINT point) const;

 private:
  HMENU menu_ = nullptr;
  RECT bar_{};
  std::vector<MenuItemView> items_;
  std::vector<RECT> rects_;
};

}  // namespace ui::internal

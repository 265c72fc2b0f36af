#include "platform/ui/internal/MenuBarLayout.h"

#include "platform/ui/DeviceContext.h"
#include "platform/ui/Text.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/Frame.h"
#include "platform/ui/internal/PopupMenuLayout.h"

namespace ui::internal {

MenuBarLayout::MenuBarLayout(HMENU menu, const RECT& bar) : menu_(menu), bar_(bar), items_(MenuItems(menu)) {
  const HDC hdc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(hdc, MenuFont(false));
  int x = bar.left;
  rects_.reserve(items_.size());
  for (const MenuItemView& item : items_) {
    RECT text{0, 0, 0, 0};
    const std::string label = MenuLabel(item.text);
    DrawText(hdc, label.c_str(), static_cast<int>(label.size()), &text, DT_CALCRECT | DT_SINGLELINE);
    const int width = text.right - text.left + 2 * kPadding;
    rects_.push_back(RECT{x, bar.top, x + width, bar.bottom});
    x += width;
  }
  SelectObject(hdc, old);
  ReleaseDC(nullptr, hdc);
}

MenuBarLayout MenuBarLayout::Of(HWND hwnd) {
  const HMENU menu = GetMenu(hwnd);
  RECT window;
  if (!menu || !GetWindowRect(hwnd, &window)) return MenuBarLayout();
  const auto style = static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE));
  const auto ex_style = static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_EXSTYLE));
  const Frame frame(style, ex_style, !(style & WS_CHILD));
  return MenuBarLayout(menu, frame.MenuBarRect(window.right - window.left));
}

RECT MenuBarLayout::ItemRect(int position) const {
  if (position < 0 || position >= count()) return RECT{};
  return rects_[static_cast<std::size_t>(position)];
}

int MenuBarLayout::HitTest(POINT p) const {
  for (int i = 0; i < count(); ++i) {
    const RECT& r = rects_[static_cast<std::size_t>(i)];
    if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) return i;
  }
  return -1;
}

}  // namespace ui::internal

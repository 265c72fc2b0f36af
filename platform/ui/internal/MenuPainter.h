// Paints popup menus and menu bars in the classic look, through the style
// painter: the raised popup frame, separators, check marks, grey labels,
// sub-menu arrows, the highlighted item and the mnemonic underline.
// Owner-drawn items are painted by their owner (WM_DRAWITEM).
#pragma once

#include "platform/ui/internal/MenuBarLayout.h"
#include "platform/ui/internal/PopupMenuLayout.h"

namespace ui::internal {

class MenuPainter {
 public:
  // The whole popup window; `selected` is the highlighted item or -1.
  static void PaintPopup(HDC hdc, const PopupMenuLayout& layout, int selected, HWND owner);
  // How a menu bar shows its selected title.
  enum class BarState { kNone, kHot, kOpen };
  static void PaintBar(HDC hdc, const MenuBarLayout& layout, int selected, BarState state);

 private:
  static void PaintItem(HDC hdc, const PopupMenuLayout& layout, int position, bool selected);
  static void AskOwnerToPaint(HDC hdc, const PopupMenuLayout& layout, int position, bool selected, HWND owner);
};

}  // namespace ui::internal

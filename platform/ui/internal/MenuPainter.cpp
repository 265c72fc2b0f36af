#include "platform/ui/internal/MenuPainter.h"

#include "platform/ui/ControlMessages.h"
#include "platform/ui/DeviceContext.h"
#include "platform/ui/Drawing.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/StylePainter.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Text.h"
#include "platform/ui/Window.h"

namespace ui::internal {

namespace {

constexpr UINT kTextFlags = DT_SINGLELINE | DT_VCENTER | DT_LEFT;

void Text(HDC hdc, const std::string& text, RECT rect, UINT flags, COLORREF color) {
  SetTextColor(hdc, color);
  DrawText(hdc, text.c_str(), static_cast<int>(text.size()), &rect, flags);
}

// Grey text on the menu face is embossed, as disabled labels are.
void GreyText(HDC hdc, const std::string& text, const RECT& rect, UINT flags) {
  StylePainter::PaintLabel(hdc, rect, text, flags, false);
}

}  // namespace

void MenuPainter::PaintPopup(HDC hdc, const PopupMenuLayout& layout, int selected, HWND owner) {
  const SIZE size = layout.size();
  const RECT all{0, 0, size.cx, size.cy};
  StylePainter::FillSolid(hdc, all, GetSysColor(COLOR_MENU));
  StylePainter::PaintFrame(hdc, all, StylePainter::Frame::kWindow);
  const int mode = SetBkMode(hdc, TRANSPARENT);
  for (int i = 0; i < layout.count(); ++i) {
    if (layout.items()[static_cast<std::size_t>(i)].owner_drawn()) AskOwnerToPaint(hdc, layout, i, i == selected, owner);
    else PaintItem(hdc, layout, i, i == selected);
  }
  SetBkMode(hdc, mode);
}

void MenuPainter::PaintItem(HDC hdc, const PopupMenuLayout& layout, int position, bool selected) {
  const MenuItemView& item = layout.items()[static_cast<std::size_t>(position)];
  const RECT rect = layout.ItemRect(position);
  if (item.separator()) {
    StylePainter::PaintMenuSeparator(hdc, rect);
    return;
  }
  StylePainter::FillSolid(hdc, rect, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
  const bool grey = item.grayed();
  const bool embossed = grey && !selected;
  const COLORREF ink = GetSysColor(grey ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
  const int check = PopupMenuLayout::CheckColumn();
  if (item.flags & MF_CHECKED) {
    const RECT box{rect.left, rect.top, rect.left + check, rect.bottom};
    const bool bullet = (item.flags & MFT_RADIOCHECK) != 0;
    if (embossed) {
      StylePainter::PaintMenuCheck(hdc, RECT{box.left + 1, box.top + 1, box.right + 1, box.bottom + 1}, bullet,
                                   GetSysColor(COLOR_BTNHIGHLIGHT));
      StylePainter::PaintMenuCheck(hdc, box, bullet, GetSysColor(COLOR_BTNSHADOW));
    } else {
      StylePainter::PaintMenuCheck(hdc, box, bullet, ink);
    }
  }
  const HGDIOBJ old = SelectObject(hdc, MenuFont((item.flags & MF_DEFAULT) != 0));
  const RECT label{rect.left + check, rect.top, rect.right - PopupMenuLayout::kArrowColumn, rect.bottom};
  const RECT accelerator{rect.left + layout.accelerator_offset(), rect.top, label.right, rect.bottom};
  const std::string label_text = MenuLabel(item.text), accelerator_text = MenuAccelerator(item.text);
  if (embossed) {
    GreyText(hdc, label_text, label, kTextFlags);
    if (!accelerator_text.empty()) GreyText(hdc, accelerator_text, accelerator, kTextFlags);
  } else {
    Text(hdc, label_text, label, kTextFlags, ink);
    if (!accelerator_text.empty()) Text(hdc, accelerator_text, accelerator, kTextFlags, ink);
  }
  SelectObject(hdc, old);
  if (item.has_popup()) {
    const RECT arrow{rect.right - PopupMenuLayout::kArrowColumn, rect.top, rect.right, rect.bottom};
    StylePainter::PaintArrowGlyph(hdc, arrow, StylePainter::Arrow::kRight, embossed ? GetSysColor(COLOR_BTNSHADOW) : ink);
  }
}

void MenuPainter::AskOwnerToPaint(HDC hdc, const PopupMenuLayout& layout, int position, bool selected, HWND owner) {
  const MenuItemView& item = layout.items()[static_cast<std::size_t>(position)];
  DRAWITEMSTRUCT draw;
  draw.CtlType = ODT_MENU;
  draw.itemID = item.id;
  draw.itemAction = ODA_DRAWENTIRE;
  draw.itemState = (selected ? ODS_SELECTED : 0) | (item.grayed() ? ODS_GRAYED : 0) |
                   ((item.flags & MF_DISABLED) ? ODS_DISABLED : 0) | ((item.flags & MF_CHECKED) ? ODS_CHECKED : 0) |
                   ((item.flags & MF_DEFAULT) ? ODS_DEFAULT : 0);
  // As in Win32, the menu stands where a control's window would.
  draw.hwndItem = reinterpret_cast<HWND>(layout.menu());
  draw.hDC = hdc;
  draw.rcItem = layout.ItemRect(position);
  draw.itemData = item.data;
  StylePainter::FillSolid(hdc, draw.rcItem, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
  if (!IsWindow(owner)) return;
  const int saved = SaveDC(hdc);
  SelectObject(hdc, MenuFont(false));
  SendMessage(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
  RestoreDC(hdc, saved);
  // The owner draws its item; the arrow of a sub-menu is the menu's own.
  if (item.has_popup()) {
    const RECT arrow{draw.rcItem.right - PopupMenuLayout::kArrowColumn, draw.rcItem.top, draw.rcItem.right,
                     draw.rcItem.bottom};
    const int ink = item.grayed() ? COLOR_BTNSHADOW : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT;
    StylePainter::PaintArrowGlyph(hdc, arrow, StylePainter::Arrow::kRight, GetSysColor(ink));
  }
}

void MenuPainter::PaintBar(HDC hdc, const MenuBarLayout& layout, int selected, BarState state) {
  const RECT& bar = layout.bar();
  if (bar.right <= bar.left) return;
  StylePainter::FillSolid(hdc, bar, GetSysColor(COLOR_MENU));
  const int mode = SetBkMode(hdc, TRANSPARENT);
  const HGDIOBJ old = SelectObject(hdc, MenuFont(false));
  for (int i = 0; i < layout.count(); ++i) {
    const MenuItemView& item = layout.items()[static_cast<std::size_t>(i)];
    RECT rect = layout.ItemRect(i);
    if (rect.left >= bar.right) break;
    const bool chosen = i == selected && state != BarState::kNone;
    if (chosen)
      StylePainter::PaintFrame(hdc, rect,
                               state == BarState::kOpen ? StylePainter::Frame::kSunkenThin
                                                        : StylePainter::Frame::kRaisedThin);
    RECT text = rect;
    if (chosen && state == BarState::kOpen) OffsetRect(&text, 1, 1);  // pressed in
    const std::string label = MenuLabel(item.text);
    constexpr UINT kFlags = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
    if (item.grayed()) GreyText(hdc, label, text, kFlags);
    else Text(hdc, label, text, kFlags, GetSysColor(COLOR_MENUTEXT));
  }
  SelectObject(hdc, old);
  SetBkMode(hdc, mode);
}

}  // namespace ui::internal

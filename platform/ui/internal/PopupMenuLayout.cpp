#include "platform/ui/internal/PopupMenuLayout.h"

#include <algorithm>
#include <cctype>

#include "platform/ui/ControlMessages.h"
#include "platform/ui/DeviceContext.h"
#include "platform/ui/GdiObjects.h"
#include "platform/ui/Messages.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/StylePainter.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Text.h"
#include "platform/ui/Window.h"

namespace ui::internal {

namespace {

SIZE Extent(HDC hdc, const std::string& text) {
  RECT r{0, 0, 0, 0};
  DrawText(hdc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

}  // namespace

HFONT MenuFont(bool bold) {
  static HFONT fonts[2] = {nullptr, nullptr};
  HFONT& font = fonts[bold ? 1 : 0];
  if (!font) {
    NONCLIENTMETRICS metrics;
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    LOGFONT face = metrics.lfMenuFont;
    if (bold) face.lfWeight = FW_BOLD;
    font = CreateFontIndirect(&face);
  }
  return font;
}

std::string MenuLabel(const std::string& text) { return text.substr(0, text.find('\t')); }

std::string MenuAccelerator(const std::string& text) {
  const std::size_t tab = text.find('\t');
  return tab == std::string::npos ? std::string() : text.substr(tab + 1);
}

char MenuMnemonic(const std::string& text) {
  const std::string label = MenuLabel(text);
  for (std::size_t i = 0; i + 1 < label.size(); ++i) {
    if (label[i] != '&') continue;
    if (label[i + 1] == '&') {
      ++i;  // a literal "&"
      continue;
    }
    return static_cast<char>(std::toupper(static_cast<unsigned char>(label[i + 1])));
  }
  return 0;
}

int PopupMenuLayout::FrameWidth() { return StylePainter::FrameThickness(StylePainter::Frame::kWindow); }

int PopupMenuLayout::CheckColumn() { return GetSystemMetrics(SM_CXMENUCHECK) + 6; }

PopupMenuLayout::PopupMenuLayout(HMENU menu, HWND owner) : menu_(menu), items_(MenuItems(menu)) {
  const int row = GetSystemMetrics(SM_CYMENU);
  const HDC hdc = GetDC(nullptr);
  int label_width = 0, accelerator_width = 0;
  std::vector<SIZE> sizes(items_.size(), SIZE{0, row});
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const MenuItemView& item = items_[i];
    if (item.separator()) {
      sizes[i] = SIZE{0, kSeparatorHeight};
    } else if (item.owner_drawn()) {
      MEASUREITEMSTRUCT measure;
      measure.CtlType = ODT_MENU;
      measure.itemID = item.id;
      measure.itemHeight = static_cast<UINT>(row);
      measure.itemData = item.data;
      if (IsWindow(owner)) SendMessage(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
      // The owner measures its whole item; the check column is ours.
      sizes[i] = SIZE{static_cast<LONG>(measure.itemWidth), static_cast<LONG>(measure.itemHeight)};
    } else {
      const HGDIOBJ old = SelectObject(hdc, MenuFont((item.flags & MF_DEFAULT) != 0));
      const SIZE label = Extent(hdc, MenuLabel(item.text));
      const std::string accelerator = MenuAccelerator(item.text);
      if (!accelerator.empty()) accelerator_width = std::max<int>(accelerator_width, Extent(hdc, accelerator).cx);
      SelectObject(hdc, old);
      label_width = std::max<int>(label_width, label.cx);
      sizes[i].cy = std::max<LONG>(row, label.cy + 4);
    }
  }
  ReleaseDC(nullptr, hdc);
  accelerator_offset_ = CheckColumn() + label_width + kAcceleratorGap;
  int text_width = CheckColumn() + label_width + kArrowColumn;
  if (accelerator_width) text_width = accelerator_offset_ + accelerator_width + kArrowColumn;
  int width = text_width;
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i].owner_drawn()) width = std::max<int>(width, CheckColumn() + sizes[i].cx);
  const int frame = FrameWidth();
  int y = frame;
  rects_.reserve(items_.size());
  for (const SIZE& s : sizes) {
    rects_.push_back(RECT{frame, y, frame + width, y + s.cy});
    y += s.cy;
  }
  size_ = SIZE{width + 2 * frame, y + frame};
}

RECT PopupMenuLayout::ItemRect(int position) const {
  if (position < 0 || position >= count()) return RECT{};
  return rects_[static_cast<std::size_t>(position)];
}

int PopupMenuLayout::HitTest(POINT p) const {
  for (int i = 0; i < count(); ++i) {
    const RECT& r = rects_[static_cast<std::size_t>(i)];
    if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) return i;
  }
  return -1;
}

bool PopupMenuLayout::Selectable(int position) const {
  return position >= 0 && position < count() && !items_[static_cast<std::size_t>(position)].separator();
}

int PopupMenuLayout::Next(int from, int step) const {
  const int n = count();
  if (n == 0) return -1;
  int at = from < 0 ? (step > 0 ? -1 : n) : from;
  for (int tried = 0; tried < n; ++tried) {
    at = ((at + step) % n + n) % n;
    if (Selectable(at)) return at;
  }
  return -1;
}

}  // namespace ui::internal

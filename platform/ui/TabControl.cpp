// The tab control: tabs as wide as their labels in one row from the left,
// the selected one drawn larger and joined to the panel below the row.
#include "platform/ui/TabControl.h"

#include <string>
#include <vector>

#include "platform/ui/ControlMessages.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/StylePainter.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Text.h"
#include "platform/ui/Window.h"
#include "platform/ui/internal/ControlPaint.h"
#include "platform/ui/internal/StandardClasses.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui::internal {

namespace {

// The label sits this far inside its tab on either side.
constexpr int kLabelPadding = 6;
// The selected tab stands out this far left, right and above its neighbours.
constexpr int kSelectedGrowth = 2;
// Pages keep this far inside the panel's edge.
constexpr int kPanelMargin = 4;

struct Tab {
  std::string text;
  LPARAM param = 0;
};

struct TabData : ControlData {
  std::vector<Tab> tabs;
  int selected = -1;
};

int TextWidth(HWND hwnd, const std::string& text) {
  const HDC dc = GetDC(hwnd);
  HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessage(hwnd, WM_GETFONT, 0, 0));
  if (!font) font = GetStockObject(DEFAULT_GUI_FONT);
  const HGDIOBJ old = SelectObject(dc, font);
  RECT measured{0, 0, 0, 0};
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &measured, DT_SINGLELINE | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(hwnd, dc);
  return measured.right - measured.left;
}

// The height of the row of tabs, the selected tab's growth included.
int RowHeight() { return GetSystemMetrics(SM_CYMENU) + kSelectedGrowth; }

// Where a tab lies at rest (the selected one is drawn grown from this).
RECT TabRect(HWND hwnd, const TabData& data, int index) {
  int left = kSelectedGrowth;
  for (int i = 0; i < index; ++i)
    left += TextWidth(hwnd, data.tabs[static_cast<std::size_t>(i)].text) + 2 * kLabelPadding;
  const int width = TextWidth(hwnd, data.tabs[static_cast<std::size_t>(index)].text) + 2 * kLabelPadding;
  return RECT{left, kSelectedGrowth, left + width, RowHeight()};
}

RECT SelectedTabRect(HWND hwnd, const TabData& data, int index) {
  RECT r = TabRect(hwnd, data, index);
  r.left -= kSelectedGrowth;
  r.right += kSelectedGrowth;
  r.top -= kSelectedGrowth;
  r.bottom += 1;  // over the panel's top edge: the tab and the panel are one
  return r;
}

RECT PanelRect(HWND hwnd) {
  RECT client;
  GetClientRect(hwnd, &client);
  client.top = RowHeight();
  return client;
}

void PaintTabLabel(HDC hdc, const RECT& area, const std::string& text, bool enabled) {
  RECT label = area;
  PaintControlLabel(hdc, label, text, DT_SINGLELINE | DT_CENTER | DT_VCENTER, enabled);
}

void Paint(HWND hwnd, const TabData& data) {
  ControlPaintScope scope(hwnd);
  const HDC hdc = scope.dc();
  if (!hdc) return;
  const HBRUSH face = ControlBackground(hwnd, hdc, WM_CTLCOLORDLG, COLOR_3DFACE);
  RECT client = scope.client();
  FillRect(hdc, &client, face);
  const RECT panel = PanelRect(hwnd);
  StylePainter::PaintFrame(hdc, panel, StylePainter::Frame::kRaised);
  const bool enabled = IsWindowEnabled(hwnd);
  for (int i = 0; i < static_cast<int>(data.tabs.size()); ++i) {
    if (i == data.selected) continue;
    RECT tab = TabRect(hwnd, data, i);
    const RECT label = StylePainter::PaintTab(hdc, tab);
    PaintTabLabel(hdc, label, data.tabs[static_cast<std::size_t>(i)].text, enabled);
  }
  if (data.selected >= 0) {
    const RECT tab = SelectedTabRect(hwnd, data, data.selected);
    RECT label = StylePainter::PaintTab(hdc, tab);
    PaintTabLabel(hdc, label, data.tabs[static_cast<std::size_t>(data.selected)].text, enabled);
    if (GetFocus() == hwnd) {
      InflateRect(&label, -1, -2);
      StylePainter::PaintFocusRect(hdc, label);
    }
  }
}

LRESULT Notify(HWND hwnd, UINT code) {
  const HWND parent = ParentOf(hwnd);
  if (!parent) return 0;
  NMHDR header;
  header.hwndFrom = hwnd;
  header.idFrom = IdOf(hwnd);
  header.code = code;
  return SendMessage(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

LRESULT InsertItem(HWND hwnd, TabData& data, WPARAM index, LPARAM lParam) {
  const auto* item = reinterpret_cast<const TCITEM*>(lParam);
  if (!item) return -1;
  Tab tab;
  if ((item->mask & TCIF_TEXT) && item->pszText) tab.text = item->pszText;
  if (item->mask & TCIF_PARAM) tab.param = item->lParam;
  const std::size_t at = index < data.tabs.size() ? index : data.tabs.size();
  data.tabs.insert(data.tabs.begin() + static_cast<std::ptrdiff_t>(at), tab);
  if (data.selected < 0) data.selected = 0;
  else if (static_cast<std::size_t>(data.selected) >= at && data.tabs.size() > 1) ++data.selected;
  InvalidateRect(hwnd, nullptr, TRUE);
  return static_cast<LRESULT>(at);
}

LRESULT SetCurSel(HWND hwnd, TabData& data, WPARAM index) {
  if (index >= data.tabs.size()) return -1;
  const int previous = data.selected;
  data.selected = static_cast<int>(index);
  InvalidateRect(hwnd, nullptr, TRUE);
  return previous;
}

// The display area of a window rectangle, or (larger) the window
// rectangle a display area needs.
LRESULT AdjustRect(WPARAM larger, LPARAM lParam) {
  auto* rect = reinterpret_cast<RECT*>(lParam);
  if (!rect) return 0;
  const int top = RowHeight() + kPanelMargin;
  const int sign = larger ? -1 : 1;
  rect->left += sign * kPanelMargin;
  rect->top += sign * top;
  rect->right -= sign * kPanelMargin;
  rect->bottom -= sign * kPanelMargin;
  return 0;
}

int TabAtPoint(HWND hwnd, const TabData& data, POINT point) {
  for (int i = 0; i < static_cast<int>(data.tabs.size()); ++i) {
    const RECT r = i == data.selected ? SelectedTabRect(hwnd, data, i) : TabRect(hwnd, data, i);
    if (PtInRect(&r, point)) return i;
  }
  return -1;
}

void Click(HWND hwnd, TabData& data, LPARAM lParam) {
  const int index = TabAtPoint(hwnd, data, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  if (index < 0 || index == data.selected) return;
  // The parent may refuse: the page it shows may hold a value it will not let go.
  if (Notify(hwnd, TCN_SELCHANGING)) return;
  data.selected = index;
  InvalidateRect(hwnd, nullptr, TRUE);
  Notify(hwnd, TCN_SELCHANGE);
}

}  // namespace

LRESULT TabControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto state = ControlState<TabData>(hwnd);
  if (!state) return 0;
  TabData& data = *state;
  switch (message) {
    case WM_PAINT: Paint(hwnd, data); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN: Click(hwnd, data, lParam); return 0;
    case TCM_GETITEMCOUNT: return static_cast<LRESULT>(data.tabs.size());
    case TCM_INSERTITEM: return InsertItem(hwnd, data, wParam, lParam);
    case TCM_DELETEALLITEMS:
      data.tabs.clear();
      data.selected = -1;
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    case TCM_GETITEMRECT: {
      auto* out = reinterpret_cast<RECT*>(lParam);
      if (!out || wParam >= data.tabs.size()) return FALSE;
      *out = TabRect(hwnd, data, static_cast<int>(wParam));
      return TRUE;
    }
    case TCM_GETCURSEL: return data.selected;
    case TCM_SETCURSEL: return SetCurSel(hwnd, data, wParam);
    case TCM_ADJUSTRECT: return AdjustRect(wParam, lParam);
  }
  return DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace ui::internal

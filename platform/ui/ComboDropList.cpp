// The combo box's dropped list: placing the popup, and the mouse and keys
// while the combo holds the capture for it.
#include "platform/ui/internal/ComboDropList.h"

#include <algorithm>

#include "platform/ui/ControlMessages.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/RawInput.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui::internal {

namespace {

constexpr int kNoItem = -1;

bool Inside(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

LRESULT CountOf(HWND list) { return SendMessage(list, LB_GETCOUNT, 0, 0); }

// The rows the list shows: as many as the template's height leaves below
// the field, fewer when there are fewer items, and at least one.
int VisibleRows(HWND combo, const ComboData& data, int row) {
  RECT field;
  GetWindowRect(combo, &field);
  const int room = std::max(row, data.drop_height - (field.bottom - field.top) - 2);
  return static_cast<int>(std::clamp<LRESULT>(CountOf(data.list), 1, room / row));
}

// Under the field, or above it when the work area has no room below.
void PlaceList(HWND combo, const ComboData& data) {
  RECT field;
  GetWindowRect(combo, &field);
  const int row = static_cast<int>(std::max<LRESULT>(1, SendMessage(data.list, LB_GETITEMHEIGHT, 0, 0)));
  const int height = VisibleRows(combo, data, row) * row + 2;  // and the thin border
  RECT work{};
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  int top = field.bottom;
  if (top + height > work.bottom && field.top - height >= work.top) top = field.top - height;
  SetWindowPos(data.list, HWND_TOPMOST, field.left, top, field.right - field.left, height,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

POINT ScreenPoint(HWND combo, LPARAM lParam) {
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ClientToScreen(combo, &p);
  return p;
}

RECT ScreenRectOf(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  return r;
}

// The item of the list under a screen point, or kNoItem.
int ItemAt(HWND list, POINT screen) {
  RECT client;
  GetClientRect(list, &client);
  POINT p = screen;
  ScreenToClient(list, &p);
  if (!Inside(client, p)) return kNoItem;
  const LRESULT row = std::max<LRESULT>(1, SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
  const LRESULT index = SendMessage(list, LB_GETTOPINDEX, 0, 0) + p.y / row;
  return index < CountOf(list) ? static_cast<int>(index) : kNoItem;
}

void Highlight(HWND combo, ComboData& data, int index, bool show_in_field) {
  if (index == kNoItem || SendMessage(data.list, LB_GETCURSEL, 0, 0) == index) return;
  SendMessage(data.list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  if (show_in_field) ShowComboSelection(combo, data);
}

// A press on the list's scroll bar runs the bar's own loop; the combo
// takes the capture back after it.
void ScrollList(HWND combo, ComboData& data, POINT screen) {
  const LPARAM at = MAKELPARAM(static_cast<unsigned>(screen.x) & 0xFFFF, static_cast<unsigned>(screen.y) & 0xFFFF);
  const LRESULT hit = SendMessage(data.list, WM_NCHITTEST, 0, at);
  if (hit != HTVSCROLL && hit != HTHSCROLL) return;
  data.scrolling_list = true;
  ReleaseCapture();
  SendMessage(data.list, WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit), at);
  data.scrolling_list = false;
  if (IsWindow(combo) && data.dropped) SetCapture(combo);
}

void ButtonDown(HWND combo, ComboData& data, LPARAM lParam) {
  const POINT screen = ScreenPoint(combo, lParam);
  if (!Inside(ScreenRectOf(data.list), screen)) {
    CloseComboList(combo, data, false);  // a click on the field or anywhere else
    return;
  }
  const int item = ItemAt(data.list, screen);
  if (item == kNoItem) ScrollList(combo, data, screen);
  else Highlight(combo, data, item, false);
}

bool Key(HWND combo, ComboData& data, UINT message, WPARAM key) {
  if (message == WM_SYSKEYDOWN) {
    if (key != VK_UP && key != VK_DOWN) return false;
    CloseComboList(combo, data, true);
    return true;
  }
  switch (key) {
    case VK_ESCAPE: CloseComboList(combo, data, false); return true;
    case VK_RETURN:
    case VK_F4:
    case VK_TAB: CloseComboList(combo, data, true); return true;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
      SendMessage(data.list, WM_KEYDOWN, key, 0);
      ShowComboSelection(combo, data);
      return true;
  }
  return false;
}

}  // namespace

void DropComboList(HWND combo, ComboData& data) {
  if (data.dropped || !data.list || !IsWindowEnabled(combo)) return;
  NotifyParent(combo, CBN_DROPDOWN);  // the parent may fill the list now
  if (!IsWindow(combo)) return;
  data.chosen_before = SendMessage(data.list, LB_GETCURSEL, 0, 0);
  data.dropped = true;
  PlaceList(combo, data);
  SetCapture(combo);
  InvalidateRect(combo, nullptr, FALSE);
}

void CloseComboList(HWND combo, ComboData& data, bool take) {
  if (!data.dropped) return;
  data.dropped = false;  // before the capture goes, whose loss would close it again
  if (GetCapture() == combo) ReleaseCapture();
  ShowWindow(data.list, SW_HIDE);
  const LRESULT chosen = SendMessage(data.list, LB_GETCURSEL, 0, 0);
  if (!take) SendMessage(data.list, LB_SETCURSEL, static_cast<WPARAM>(data.chosen_before), 0);
  ShowComboSelection(combo, data);
  NotifyParent(combo, take ? CBN_SELENDOK : CBN_SELENDCANCEL);
  if (take && chosen != data.chosen_before && IsWindow(combo)) NotifyParent(combo, CBN_SELCHANGE);
  if (IsWindow(combo)) NotifyParent(combo, CBN_CLOSEUP);
}

bool DroppedComboMessage(HWND combo, ComboData& data, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!data.dropped) return false;
  switch (message) {
    case WM_MOUSEMOVE: Highlight(combo, data, ItemAt(data.list, ScreenPoint(combo, lParam)), false); return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: ButtonDown(combo, data, lParam); return true;
    case WM_LBUTTONUP:
      // Released over an item: the press that dropped the list, dragged
      // down to it, or a click in the list.
      if (ItemAt(data.list, ScreenPoint(combo, lParam)) != kNoItem) CloseComboList(combo, data, true);
      return true;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: CloseComboList(combo, data, false); return true;
    case WM_MOUSEWHEEL: SendMessage(data.list, WM_MOUSEWHEEL, wParam, lParam); return true;
    case WM_CAPTURECHANGED:
      if (!data.scrolling_list) CloseComboList(combo, data, false);
      return false;
    case WM_CANCELMODE:
    case WM_KILLFOCUS: CloseComboList(combo, data, false); return false;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: return Key(combo, data, message, wParam);
  }
  return false;
}

}  // namespace ui::internal

// The list box control: strings with item data, kept sorted with LBS_SORT;
// single, multiple or extended selection; LBN_ notifications (with
// LBS_NOTIFY) only for what the user does, as in Win32.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/ui/ControlMessages.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/StylePainter.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/RawInput.h"
#include "platform/ui/ScrollBars.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/Window.h"
#include "platform/ui/internal/ControlPaint.h"
#include "platform/ui/internal/StandardClasses.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui::internal {

namespace {

constexpr int kDefaultItemHeight = 13;  // the classic dialog font's line height

struct ListItem {
  std::string text;
  LPARAM data = 0;
  bool selected = false;
};

struct ListBoxData : ControlData {
  std::vector<ListItem> items;
  int current = -1;  // the selection of a single-selection list
  int caret = -1;
  int anchor = -1;
  int top = 0;
  int extent = 0;    // LB_SETHORIZONTALEXTENT: how wide the items may be drawn
  int x_offset = 0;  // pixels scrolled off at the left
  // The bars the list was made with; a bar with nothing to scroll hides
  // by dropping its style, so the style alone cannot say it may come back.
  DWORD bars = 0;
  bool focused = false;
  int item_height = kDefaultItemHeight;  // an owner-drawn list asks its owner at creation
};

bool IsOwnerDrawn(HWND hwnd) { return (StyleOf(hwnd) & LBS_OWNERDRAWFIXED) != 0; }

// The owner of an owner-drawn list frees what it hung on an item when the
// item goes.
void TellItemDeleted(HWND hwnd, const ListBoxData& data, std::size_t index) {
  if (!IsOwnerDrawn(hwnd) || !GetParent(hwnd)) return;
  DELETEITEMSTRUCT deleted;
  deleted.CtlType = ODT_LISTBOX;
  deleted.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
  deleted.itemID = static_cast<UINT>(index);
  deleted.hwndItem = hwnd;
  deleted.itemData = static_cast<UINT_PTR>(data.items[index].data);
  SendMessage(GetParent(hwnd), WM_DELETEITEM, deleted.CtlID, reinterpret_cast<LPARAM>(&deleted));
}

void DeleteAll(HWND hwnd, ListBoxData& data) {
  for (std::size_t i = data.items.size(); i-- > 0;) TellItemDeleted(hwnd, data, i);
  data.items.clear();
}

// The height an owner-drawn list's owner gives its rows.
void MeasureItems(HWND hwnd, ListBoxData& data) {
  if (!IsOwnerDrawn(hwnd) || !GetParent(hwnd)) return;
  MEASUREITEMSTRUCT measure;
  measure.CtlType = ODT_LISTBOX;
  measure.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
  measure.itemHeight = static_cast<UINT>(data.item_height);
  SendMessage(GetParent(hwnd), WM_MEASUREITEM, measure.CtlID, reinterpret_cast<LPARAM>(&measure));
  if (measure.itemHeight > 0 && measure.itemHeight < 256) data.item_height = static_cast<int>(measure.itemHeight);
}

bool IsMultiple(HWND hwnd) { return (StyleOf(hwnd) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }

int CompareNoCase(const std::string& a, const std::string& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const int ca = std::tolower(static_cast<unsigned char>(a[i])), cb = std::tolower(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca - cb;
  }
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

bool ValidIndex(const ListBoxData& data, WPARAM index) { return index < data.items.size(); }

void Notify(HWND hwnd, UINT code) {
  if (StyleOf(hwnd) & LBS_NOTIFY) NotifyParent(hwnd, code);
}

LRESULT Insert(HWND hwnd, ListBoxData& data, std::int64_t index, const char* text) {
  ListItem item{text ? text : "", 0, false};
  std::size_t at;
  if (StyleOf(hwnd) & LBS_SORT && index == -2) {
    at = static_cast<std::size_t>(std::upper_bound(data.items.begin(), data.items.end(), item,
                                                   [](const ListItem& a, const ListItem& b) {
                                                     return CompareNoCase(a.text, b.text) < 0;
                                                   }) -
                                  data.items.begin());
  } else if (index < 0 || static_cast<std::size_t>(index) >= data.items.size()) {
    if (index >= 0 && static_cast<std::size_t>(index) > data.items.size()) return LB_ERR;
    at = data.items.size();
  } else {
    at = static_cast<std::size_t>(index);
  }
  data.items.insert(data.items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
  const int position = static_cast<int>(at);
  if (data.current >= position) ++data.current;
  if (data.caret >= position) ++data.caret;
  if (data.anchor >= position) ++data.anchor;
  InvalidateRect(hwnd, nullptr, TRUE);
  return position;
}

LRESULT Delete(HWND hwnd, ListBoxData& data, WPARAM index) {
  if (!ValidIndex(data, index)) return LB_ERR;
  const int position = static_cast<int>(index);
  TellItemDeleted(hwnd, data, index);
  data.items.erase(data.items.begin() + position);
  auto shift = [&](int& value) {
    if (value == position) value = -1;
    else if (value > position) --value;
  };
  shift(data.current);
  shift(data.caret);
  shift(data.anchor);
  InvalidateRect(hwnd, nullptr, TRUE);
  return static_cast<LRESULT>(data.items.size());
}

LRESULT Find(const ListBoxData& data, std::int64_t start, const char* text, bool exact) {
  const std::string wanted = text ? text : "";
  const std::size_t n = data.items.size();
  if (n == 0) return LB_ERR;
  const std::size_t first = start < 0 || static_cast<std::size_t>(start) >= n ? 0 : static_cast<std::size_t>(start) + 1;
  for (std::size_t step = 0; step < n; ++step) {
    const std::size_t i = (first + step) % n;
    const std::string& item = data.items[i].text;
    const bool match = exact ? CompareNoCase(item, wanted) == 0
                             : item.size() >= wanted.size() && CompareNoCase(item.substr(0, wanted.size()), wanted) == 0;
    if (match) return static_cast<LRESULT>(i);
  }
  return LB_ERR;
}

void SelectOnly(ListBoxData& data, int index) {
  for (ListItem& item : data.items) item.selected = false;
  if (index >= 0 && index < static_cast<int>(data.items.size())) data.items[static_cast<std::size_t>(index)].selected = true;
}

// A click on an item, as a user makes it.
void ClickItem(HWND hwnd, ListBoxData& data, int index, WPARAM keys) {
  if (index < 0 || index >= static_cast<int>(data.items.size())) return;
  const DWORD style = StyleOf(hwnd);
  if (style & LBS_EXTENDEDSEL) {
    if ((keys & MK_SHIFT) && data.anchor >= 0) {
      if (!(keys & MK_CONTROL)) SelectOnly(data, -1);
      for (int i = std::min(data.anchor, index); i <= std::max(data.anchor, index); ++i)
        data.items[static_cast<std::size_t>(i)].selected = true;
    } else if (keys & MK_CONTROL) {
      data.items[static_cast<std::size_t>(index)].selected = !data.items[static_cast<std::size_t>(index)].selected;
      data.anchor = index;
    } else {
      SelectOnly(data, index);
      data.anchor = index;
    }
  } else if (style & LBS_MULTIPLESEL) {
    data.items[static_cast<std::size_t>(index)].selected = !data.items[static_cast<std::size_t>(index)].selected;
  } else {
    data.current = index;
    SelectOnly(data, index);
  }
  data.caret = index;
  InvalidateRect(hwnd, nullptr, TRUE);
  Notify(hwnd, LBN_SELCHANGE);
}

LRESULT SelectionMessage(HWND hwnd, ListBoxData& data, UINT message, WPARAM wParam, LPARAM lParam) {
  const bool multiple = IsMultiple(hwnd);
  const std::int64_t index = static_cast<std::int64_t>(wParam);
  switch (message) {
    case LB_SETCURSEL:
      if (multiple) return LB_ERR;
      if (index < 0 || !ValidIndex(data, wParam)) {
        data.current = -1;
        SelectOnly(data, -1);
        return index < 0 ? 0 : LB_ERR;
      }
      data.current = data.caret = static_cast<int>(index);
      SelectOnly(data, data.current);
      InvalidateRect(hwnd, nullptr, TRUE);
      return data.current;
    case LB_GETCURSEL: return multiple ? data.caret : data.current;
    case LB_SETSEL: {
      if (!multiple) return LB_ERR;
      const std::int64_t item = static_cast<std::int64_t>(lParam);
      if (item == -1) {
        for (ListItem& i : data.items) i.selected = wParam != 0;
      } else if (item < 0 || static_cast<std::size_t>(item) >= data.items.size()) {
        return LB_ERR;
      } else {
        data.items[static_cast<std::size_t>(item)].selected = wParam != 0;
        data.caret = static_cast<int>(item);
      }
      InvalidateRect(hwnd, nullptr, TRUE);
      return LB_OKAY;
    }
    case LB_GETSEL: return ValidIndex(data, wParam) ? (data.items[wParam].selected ? 1 : 0) : LB_ERR;
    case LB_GETSELCOUNT:
      return multiple ? static_cast<LRESULT>(std::count_if(data.items.begin(), data.items.end(),
                                                           [](const ListItem& i) { return i.selected; }))
                      : LB_ERR;
    case LB_GETSELITEMS: {
      if (!multiple) return LB_ERR;
      int* out = reinterpret_cast<int*>(lParam);
      LRESULT count = 0;
      for (std::size_t i = 0; i < data.items.size() && static_cast<WPARAM>(count) < wParam; ++i)
        if (data.items[i].selected) out[count++] = static_cast<int>(i);
      return count;
    }
    case LB_SELITEMRANGE: {
      if (!multiple) return LB_ERR;
      const int first = LOWORD(static_cast<std::uint64_t>(lParam)), last = HIWORD(static_cast<std::uint64_t>(lParam));
      for (int i = std::min(first, last); i <= std::max(first, last) && i < static_cast<int>(data.items.size()); ++i)
        data.items[static_cast<std::size_t>(i)].selected = wParam != 0;
      InvalidateRect(hwnd, nullptr, TRUE);
      return LB_OKAY;
    }
    case LB_SELECTSTRING: {
      if (multiple) return LB_ERR;
      const LRESULT found = Find(data, index, reinterpret_cast<const char*>(lParam), false);
      if (found != LB_ERR) SelectionMessage(hwnd, data, LB_SETCURSEL, static_cast<WPARAM>(found), 0);
      return found;
    }
    case LB_SETCARETINDEX:
      if (!ValidIndex(data, wParam)) return LB_ERR;
      data.caret = static_cast<int>(wParam);
      return LB_OKAY;
    case LB_GETCARETINDEX: return data.caret < 0 ? 0 : data.caret;
  }
  return LB_ERR;
}

LRESULT ItemMessage(HWND hwnd, ListBoxData& data, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case LB_ADDSTRING: return Insert(hwnd, data, -2, reinterpret_cast<const char*>(lParam));
    case LB_INSERTSTRING: return Insert(hwnd, data, static_cast<std::int64_t>(wParam) < 0 ? -1 : static_cast<std::int64_t>(wParam), reinterpret_cast<const char*>(lParam));
    case LB_DELETESTRING: return Delete(hwnd, data, wParam);
    case LB_RESETCONTENT:
      DeleteAll(hwnd, data);
      data.current = data.caret = data.anchor = -1;
      data.top = 0;
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case LB_GETCOUNT: return static_cast<LRESULT>(data.items.size());
    case LB_GETTEXT: {
      if (!ValidIndex(data, wParam) || !lParam) return LB_ERR;
      const std::string& text = data.items[wParam].text;
      std::memcpy(reinterpret_cast<char*>(lParam), text.c_str(), text.size() + 1);
      return static_cast<LRESULT>(text.size());
    }
    case LB_GETTEXTLEN: return ValidIndex(data, wParam) ? static_cast<LRESULT>(data.items[wParam].text.size()) : LB_ERR;
    case LB_GETITEMDATA: return ValidIndex(data, wParam) ? data.items[wParam].data : LB_ERR;
    case LB_SETITEMDATA:
      if (!ValidIndex(data, wParam)) return LB_ERR;
      data.items[wParam].data = lParam;
      return LB_OKAY;
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
      return Find(data, static_cast<std::int64_t>(wParam), reinterpret_cast<const char*>(lParam),
                  message == LB_FINDSTRINGEXACT);
    case LB_GETTOPINDEX: return data.top;
    case LB_SETTOPINDEX:
      if (!ValidIndex(data, wParam) && wParam != 0) return LB_ERR;
      data.top = static_cast<int>(wParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return LB_OKAY;
    case LB_GETITEMHEIGHT: return data.item_height;
    case LB_SETITEMHEIGHT:
      if (lParam <= 0 || lParam > 255) return LB_ERR;
      data.item_height = static_cast<int>(lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return LB_OKAY;
    case LB_GETHORIZONTALEXTENT: return data.extent;
    case LB_SETHORIZONTALEXTENT:
      data.extent = std::max(0, static_cast<int>(wParam));
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case LB_INITSTORAGE:
      data.items.reserve(data.items.size() + static_cast<std::size_t>(wParam));
      return static_cast<LRESULT>(data.items.capacity());
  }
  return SelectionMessage(hwnd, data, message, wParam, lParam);
}

int VisibleRows(HWND hwnd, const ListBoxData& data) {
  RECT client;
  GetClientRect(hwnd, &client);
  return std::max(1, static_cast<int>(client.bottom - client.top) / data.item_height);
}

// Scrolls so the caret item is in view.
void ShowCaret(HWND hwnd, ListBoxData& data) {
  if (data.caret < 0) return;
  const int rows = VisibleRows(hwnd, data);
  if (data.caret < data.top) data.top = data.caret;
  else if (data.caret >= data.top + rows) data.top = data.caret - rows + 1;
}

int ClientWidth(HWND hwnd) {
  RECT client;
  GetClientRect(hwnd, &client);
  return static_cast<int>(client.right - client.left);
}

// The bars the styles give the list follow its items, its top row and its
// horizontal extent; LBS_DISABLENOSCROLL keeps them, disabled, when all fits.
void UpdateScrollBars(HWND hwnd, const ListBoxData& data) {
  const DWORD style = StyleOf(hwnd);
  if (!data.bars) return;
  SCROLLINFO info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | ((style & LBS_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0);
  if (data.bars & WS_VSCROLL) {
    info.nMax = std::max(0, static_cast<int>(data.items.size()) - 1);
    info.nPage = static_cast<UINT>(VisibleRows(hwnd, data));
    info.nPos = data.top;
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
  }
  if (data.bars & WS_HSCROLL) {
    info.nMax = std::max(0, data.extent - 1);
    info.nPage = static_cast<UINT>(ClientWidth(hwnd));
    info.nPos = data.x_offset;
    SetScrollInfo(hwnd, SB_HORZ, &info, TRUE);
  }
}

// Moves the top row and the left edge within what the items allow.
void ScrollTo(HWND hwnd, ListBoxData& data, long long top, long long x) {
  const int max_top = std::max(0, static_cast<int>(data.items.size()) - VisibleRows(hwnd, data));
  const int max_x = std::max(0, data.extent - ClientWidth(hwnd));
  const int new_top = static_cast<int>(std::clamp<long long>(top, 0, max_top));
  const int new_x = static_cast<int>(std::clamp<long long>(x, 0, max_x));
  if (new_top == data.top && new_x == data.x_offset) return;
  data.top = new_top;
  data.x_offset = new_x;
  InvalidateRect(hwnd, nullptr, TRUE);
  UpdateScrollBars(hwnd, data);
}

void ScrollRequest(HWND hwnd, ListBoxData& data, bool vertical, int code) {
  const long long current = vertical ? data.top : data.x_offset;
  const long long line = vertical ? 1 : 8;
  const long long page = vertical ? std::max(1, VisibleRows(hwnd, data) - 1) : ClientWidth(hwnd);
  long long to = current;
  switch (code) {
    case SB_LINEUP: to -= line; break;
    case SB_LINEDOWN: to += line; break;
    case SB_PAGEUP: to -= page; break;
    case SB_PAGEDOWN: to += page; break;
    case SB_TOP: to = 0; break;
    case SB_BOTTOM: to = 1LL << 40; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info;
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(hwnd, vertical ? SB_VERT : SB_HORZ, &info);
      to = info.nTrackPos;
      break;
    }
    default: return;
  }
  if (vertical) ScrollTo(hwnd, data, to, data.x_offset);
  else ScrollTo(hwnd, data, data.top, to);
}

// Moves the caret to `target` as the keyboard does: the caret alone in a
// multiple list, and in an extended one with Ctrl; else the selection
// follows it (with Shift, from the anchor).
void MoveByKey(HWND hwnd, ListBoxData& data, int target, bool shift, bool control) {
  const DWORD style = StyleOf(hwnd);
  if ((style & LBS_MULTIPLESEL) || ((style & LBS_EXTENDEDSEL) && control && !shift)) {
    data.caret = target;
    ShowCaret(hwnd, data);
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateScrollBars(hwnd, data);
    return;
  }
  if ((style & LBS_EXTENDEDSEL) && shift && data.anchor < 0) data.anchor = data.caret < 0 ? target : data.caret;
  ClickItem(hwnd, data, target, shift ? MK_SHIFT : 0);
  ShowCaret(hwnd, data);
  UpdateScrollBars(hwnd, data);
}

void Key(HWND hwnd, ListBoxData& data, WPARAM key) {
  if (data.items.empty()) return;
  const int last = static_cast<int>(data.items.size()) - 1;
  const int page = std::max(1, VisibleRows(hwnd, data) - 1);
  int target = data.caret < 0 ? 0 : data.caret;
  const bool shift = GetKeyState(static_cast<int>(VK_SHIFT)) < 0;
  const bool control = GetKeyState(static_cast<int>(VK_CONTROL)) < 0;
  const DWORD style = StyleOf(hwnd);
  if (key == VK_SPACE && (style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL))) {
    // Space toggles the caret item of a multiple list, and of an extended one with Ctrl.
    if (data.caret >= 0 && ((style & LBS_MULTIPLESEL) || control)) ClickItem(hwnd, data, data.caret, MK_CONTROL);
    return;
  }
  if (key == VK_UP) target = std::max(0, target - 1);
  else if (key == VK_DOWN) target = std::min(last, target + (data.caret < 0 ? 0 : 1));
  else if (key == VK_PRIOR) target = std::max(0, target - page);
  else if (key == VK_NEXT) target = std::min(last, target + page);
  else if (key == VK_HOME) target = 0;
  else if (key == VK_END) target = last;
  else return;
  MoveByKey(hwnd, data, target, shift, control);
}

// A typed character moves to the next item after the caret that begins
// with it, whatever its case, going round past the end, as a key would:
// the search LB_FINDSTRING makes from the caret.
void TypeToFind(HWND hwnd, ListBoxData& data, char ch) {
  if (static_cast<unsigned char>(ch) <= 0x20) return;
  const char prefix[2] = {ch, '\0'};
  const LRESULT found = Find(data, data.caret, prefix, false);
  if (found != LB_ERR && found != data.caret) MoveByKey(hwnd, data, static_cast<int>(found), false, false);
}

void DrawOwnerItem(HWND hwnd, const ListBoxData& data, HDC hdc, int index, const RECT& row) {
  const ListItem& item = data.items[static_cast<std::size_t>(index)];
  DRAWITEMSTRUCT draw;
  draw.CtlType = ODT_LISTBOX;
  draw.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
  draw.itemID = static_cast<UINT>(index);
  draw.itemAction = ODA_DRAWENTIRE;
  draw.itemState = (item.selected ? ODS_SELECTED : 0) | (IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED) |
                   (data.focused && index == (data.caret < 0 ? 0 : data.caret) ? ODS_FOCUS : 0);
  draw.hwndItem = hwnd;
  draw.hDC = hdc;
  draw.rcItem = row;
  draw.itemData = static_cast<UINT_PTR>(item.data);
  if (GetParent(hwnd)) SendMessage(GetParent(hwnd), WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
}

void Paint(HWND hwnd, const ListBoxData& data) {
  ControlPaintScope scope(hwnd);
  if (!scope.dc()) return;
  const HDC hdc = scope.dc();
  const RECT& client = scope.client();
  const HBRUSH background = ControlBackground(hwnd, hdc, WM_CTLCOLORLISTBOX, COLOR_WINDOW);
  FillRect(hdc, &client, background);
  SetBkMode(hdc, TRANSPARENT);
  const bool enabled = IsWindowEnabled(hwnd);
  const COLORREF text_color = enabled ? GetTextColor(hdc) : GetSysColor(COLOR_GRAYTEXT);
  const int count = static_cast<int>(data.items.size());
  const int height = data.item_height;
  for (int i = std::max(0, data.top), y = client.top; i < count && y < client.bottom; ++i, y += height) {
    const ListItem& item = data.items[static_cast<std::size_t>(i)];
    RECT row{client.left, y, client.right, y + height};
    if (IsOwnerDrawn(hwnd)) {
      DrawOwnerItem(hwnd, data, hdc, i, row);
      continue;
    }
    if (item.selected) StylePainter::FillSolid(hdc, row, GetSysColor(COLOR_HIGHLIGHT));
    SetTextColor(hdc, item.selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : text_color);
    RECT text = row;
    text.left += 2 - data.x_offset;
    DrawText(hdc, item.text.c_str(), static_cast<int>(item.text.size()), &text,
             DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (data.focused && i == (data.caret < 0 ? 0 : data.caret)) StylePainter::PaintFocusRect(hdc, row);
  }
  if (data.focused && count == 0) StylePainter::PaintFocusRect(hdc, RECT{client.left, client.top, client.right, client.top + height});
}

}  // namespace

LRESULT ListBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto state = ControlState<ListBoxData>(hwnd);
  if (!state) return 0;
  ListBoxData& data = *state;
  if (message >= LB_ADDSTRING && message <= LB_INITSTORAGE) {
    const LRESULT result = ItemMessage(hwnd, data, message, wParam, lParam);
    switch (message) {
      case LB_ADDSTRING:
      case LB_INSERTSTRING:
      case LB_DELETESTRING:
      case LB_RESETCONTENT:
      case LB_SETTOPINDEX:
      case LB_SETHORIZONTALEXTENT:
      case LB_SETITEMHEIGHT: UpdateScrollBars(hwnd, data);
    }
    return result;
  }
  switch (message) {
    case WM_CREATE:
      MeasureItems(hwnd, data);
      data.bars = StyleOf(hwnd) & (WS_VSCROLL | WS_HSCROLL);
      UpdateScrollBars(hwnd, data);
      return 0;
    case WM_LBUTTONDOWN:
      if (GetFocus() != hwnd) SetFocus(hwnd);
      ClickItem(hwnd, data, data.top + GET_Y_LPARAM(lParam) / data.item_height, wParam);
      return 0;
    case WM_VSCROLL:
    case WM_HSCROLL: ScrollRequest(hwnd, data, message == WM_VSCROLL, LOWORD(wParam)); return 0;
    case WM_MOUSEWHEEL:
      // Three rows a notch, away from the user scrolling up.
      ScrollTo(hwnd, data, data.top - 3LL * static_cast<short>(HIWORD(wParam)) / WHEEL_DELTA, data.x_offset);
      return 0;
    case WM_SIZE:
      UpdateScrollBars(hwnd, data);
      ScrollTo(hwnd, data, data.top, data.x_offset);
      return 0;
    case WM_LBUTTONDBLCLK: Notify(hwnd, LBN_DBLCLK); return 0;
    case WM_KEYDOWN: Key(hwnd, data, wParam); return 0;
    case WM_CHAR: TypeToFind(hwnd, data, static_cast<char>(wParam)); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      data.focused = message == WM_SETFOCUS;
      InvalidateRect(hwnd, nullptr, FALSE);
      Notify(hwnd, data.focused ? LBN_SETFOCUS : LBN_KILLFOCUS);
      return 0;
    case WM_PAINT: Paint(hwnd, data); return 0;
    case WM_DESTROY: DeleteAll(hwnd, data); return 0;
    case WM_ERASEBKGND: return 1;  // WM_PAINT fills the whole control
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
  }
  return DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace ui::internal

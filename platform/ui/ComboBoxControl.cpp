// The combo box control: a drop list (a field showing the selected item)
// or a drop-down (an edit field). Its items live in a list box popup of
// its own, the list it drops, so sorting, searching and item data behave
// as a list box's do; the CB_ messages are passed to it and CBN_
// notifications come only from what the user does, as in Win32.
#include <algorithm>
#include <string>

#include "platform/ui/ControlMessages.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/StylePainter.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/ComboData.h"
#include "platform/ui/internal/ComboDropList.h"
#include "platform/ui/internal/ControlPaint.h"
#include "platform/ui/internal/StandardClasses.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui::internal {

namespace {

constexpr int kEditId = 1001;
// The field of the classic dialog font: its line and the sunken edge around it.
constexpr int kFieldHeight = 21;

DWORD TypeOf(HWND hwnd) { return StyleOf(hwnd) & CBS_TYPEMASK; }
bool IsDropList(HWND hwnd) { return TypeOf(hwnd) == CBS_DROPDOWNLIST; }

RECT ButtonRect(const RECT& inside) {
  return RECT{inside.right - GetSystemMetrics(SM_CXVSCROLL), inside.top, inside.right, inside.bottom};
}

RECT InsideFrame(HWND hwnd) {
  RECT client;
  GetClientRect(hwnd, &client);
  InflateRect(&client, -StylePainter::FrameThickness(StylePainter::Frame::kSunken),
              -StylePainter::FrameThickness(StylePainter::Frame::kSunken));
  return client;
}

std::string ItemText(const ComboData& data, int index) {
  const LRESULT length = SendMessage(data.list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length < 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  SendMessage(data.list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

void Create(HWND hwnd, ComboData& data, const CREATESTRUCT& create) {
  // The list tells nobody of its changes: the combo reports what the user chose.
  const DWORD list_style = WS_POPUP | WS_BORDER | WS_VSCROLL | ((create.style & CBS_SORT) ? LBS_SORT : 0);
  data.list = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "ComboLBox", "", list_style, 0, 0, create.cx,
                             std::max(0, create.cy - kFieldHeight), hwnd, nullptr, nullptr);
  data.drop_height = create.cy;
  if (TypeOf(hwnd) == CBS_DROPDOWN) {
    const RECT inside = InsideFrame(hwnd);
    RECT field{inside.left, inside.top, ButtonRect(inside).left, inside.top + kFieldHeight - 4};
    const DWORD edit_style = WS_CHILD | WS_VISIBLE | ((create.style & CBS_AUTOHSCROLL) ? ES_AUTOHSCROLL : 0);
    data.edit = CreateWindowEx(0, "Edit", create.lpszName ? create.lpszName : "", edit_style, field.left, field.top,
                               field.right - field.left, field.bottom - field.top, hwnd,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kEditId)), nullptr);
  }
  // The window is the field; the template's height was the field and the list.
  SetWindowPos(hwnd, nullptr, 0, 0, create.cx, kFieldHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT SetCurrent(HWND hwnd, ComboData& data, WPARAM index) {
  const LRESULT result = SendMessage(data.list, LB_SETCURSEL, index, 0);
  ShowComboSelection(hwnd, data);
  return static_cast<std::int64_t>(index) < 0 ? CB_ERR : result;
}

// The CB_ messages the list child answers as its LB_ twin.
UINT ListMessageFor(UINT message) {
  switch (message) {
    case CB_ADDSTRING: return LB_ADDSTRING;
    case CB_INSERTSTRING: return LB_INSERTSTRING;
    case CB_DELETESTRING: return LB_DELETESTRING;
    case CB_GETCOUNT: return LB_GETCOUNT;
    case CB_GETCURSEL: return LB_GETCURSEL;
    case CB_GETLBTEXT: return LB_GETTEXT;
    case CB_GETLBTEXTLEN: return LB_GETTEXTLEN;
    case CB_FINDSTRING: return LB_FINDSTRING;
    case CB_FINDSTRINGEXACT: return LB_FINDSTRINGEXACT;
    case CB_GETITEMDATA: return LB_GETITEMDATA;
    case CB_SETITEMDATA: return LB_SETITEMDATA;
    case CB_GETITEMHEIGHT: return LB_GETITEMHEIGHT;
  }
  return 0;
}

LRESULT ComboMessage(HWND hwnd, ComboData& data, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case CB_SETCURSEL: return SetCurrent(hwnd, data, wParam);
    case CB_SELECTSTRING: {
      const LRESULT found = SendMessage(data.list, LB_FINDSTRING, wParam, lParam);
      if (found != LB_ERR) SetCurrent(hwnd, data, static_cast<WPARAM>(found));
      return found;
    }
    case CB_RESETCONTENT:
      SendMessage(data.list, LB_RESETCONTENT, 0, 0);
      ShowComboSelection(hwnd, data);
      return CB_OKAY;
    case CB_DELETESTRING: {
      const LRESULT result = SendMessage(data.list, LB_DELETESTRING, wParam, 0);
      InvalidateRect(hwnd, nullptr, FALSE);
      return result;
    }
    case CB_LIMITTEXT:
      if (data.edit) SendMessage(data.edit, EM_LIMITTEXT, wParam, 0);
      return TRUE;
    case CB_GETEDITSEL: return data.edit ? SendMessage(data.edit, EM_GETSEL, wParam, lParam) : CB_ERR;
    case CB_SETEDITSEL:
      if (!data.edit) return CB_ERR;
      SendMessage(data.edit, EM_SETSEL, static_cast<WPARAM>(static_cast<short>(LOWORD(static_cast<std::uint64_t>(lParam)))),
                  static_cast<LPARAM>(static_cast<short>(HIWORD(static_cast<std::uint64_t>(lParam)))));
      return TRUE;
    case CB_GETDROPPEDSTATE: return data.dropped ? TRUE : FALSE;
    case CB_SHOWDROPDOWN:
      if (wParam) DropComboList(hwnd, data);
      else CloseComboList(hwnd, data, false);
      return TRUE;
  }
  const UINT list_message = ListMessageFor(message);
  return list_message ? SendMessage(data.list, list_message, wParam, lParam) : CB_ERR;
}

// F4 drops the list. Up, Down, Home, End, Page Up and Page Down move the
// selection of a closed combo, telling the parent; a typed character
// selects the next item it starts.
void Key(HWND hwnd, ComboData& data, WPARAM key) {
  if (key == VK_F4) {
    DropComboList(hwnd, data);
    return;
  }
  const LRESULT count = SendMessage(data.list, LB_GETCOUNT, 0, 0);
  if (count <= 0) return;
  const LRESULT current = SendMessage(data.list, LB_GETCURSEL, 0, 0);
  LRESULT target = current;
  switch (key) {
    case VK_UP: target = current < 0 ? 0 : std::max<LRESULT>(0, current - 1); break;
    case VK_DOWN: target = current < 0 ? 0 : std::min<LRESULT>(count - 1, current + 1); break;
    case VK_PRIOR:
    case VK_HOME: target = 0; break;
    case VK_NEXT:
    case VK_END: target = count - 1; break;
    default: return;
  }
  if (target == current) return;
  SetCurrent(hwnd, data, static_cast<WPARAM>(target));
  NotifyParent(hwnd, CBN_SELCHANGE);
}

void TypeToSelect(HWND hwnd, ComboData& data, char ch) {
  if (static_cast<unsigned char>(ch) < 0x20) return;
  const char prefix[2] = {ch, '\0'};
  const LRESULT current = SendMessage(data.list, LB_GETCURSEL, 0, 0);
  const LRESULT found = SendMessage(data.list, LB_FINDSTRING, static_cast<WPARAM>(current), reinterpret_cast<LPARAM>(prefix));
  if (found == LB_ERR || found == current) return;
  SetCurrent(hwnd, data, static_cast<WPARAM>(found));
  NotifyParent(hwnd, CBN_SELCHANGE);
}

void Paint(HWND hwnd, const ComboData& data) {
  ControlPaintScope scope(hwnd);
  if (!scope.dc()) return;
  const HDC hdc = scope.dc();
  const bool enabled = IsWindowEnabled(hwnd);
  const HBRUSH background = ControlBackground(hwnd, hdc, WM_CTLCOLOREDIT, COLOR_WINDOW);
  const RECT inside = StylePainter::PaintFrame(hdc, scope.client(), StylePainter::Frame::kSunken);
  FillRect(hdc, &inside, enabled ? background : GetSysColorBrush(COLOR_3DFACE));
  const RECT button = ButtonRect(inside);
  StylePainter::PaintScrollArrow(hdc, button, StylePainter::Arrow::kDown, data.dropped, enabled);
  if (!IsDropList(hwnd)) return;  // the edit child shows the text
  const LRESULT current = SendMessage(data.list, LB_GETCURSEL, 0, 0);
  RECT field{inside.left + 1, inside.top + 1, button.left - 1, inside.bottom - 1};
  if (data.focused) StylePainter::FillSolid(hdc, field, GetSysColor(COLOR_HIGHLIGHT));
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc, GetSysColor(!enabled ? COLOR_GRAYTEXT : data.focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  if (current >= 0) {
    const std::string text = ItemText(data, static_cast<int>(current));
    RECT label{field.left + 2, field.top, field.right, field.bottom};
    DrawText(hdc, text.c_str(), static_cast<int>(text.size()), &label, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  if (data.focused) StylePainter::PaintFocusRect(hdc, field);
}

// The edit child's changes reach the parent as the combo's.
void EditNotification(HWND hwnd, const ComboData& data, UINT code) {
  if (data.setting_edit) return;
  if (code == EN_CHANGE) NotifyParent(hwnd, CBN_EDITCHANGE);
  else if (code == EN_UPDATE) NotifyParent(hwnd, CBN_EDITUPDATE);
}

// A press drops the list: anywhere on a drop list, on the button of a
// drop-down (its edit takes the other presses).
void ButtonDown(HWND hwnd, ComboData& data, LPARAM lParam) {
  if (GetFocus() != hwnd && GetFocus() != data.edit) SetFocus(hwnd);
  const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const RECT button = ButtonRect(InsideFrame(hwnd));
  const bool on_button = at.x >= button.left && at.x < button.right && at.y >= button.top && at.y < button.bottom;
  if (IsDropList(hwnd) || on_button) DropComboList(hwnd, data);
}

}  // namespace

void ShowComboSelection(HWND hwnd, ComboData& data) {
  if (data.edit) {
    const LRESULT current = SendMessage(data.list, LB_GETCURSEL, 0, 0);
    data.setting_edit = true;
    SetWindowText(data.edit, current < 0 ? "" : ItemText(data, static_cast<int>(current)).c_str());
    SendMessage(data.edit, EM_SETSEL, 0, -1);
    data.setting_edit = false;
  }
  InvalidateRect(hwnd, nullptr, FALSE);
}

LRESULT ComboBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto state = ControlState<ComboData>(hwnd);
  if (!state) return 0;
  ComboData& data = *state;
  if (message >= CB_GETEDITSEL && message <= CB_FINDSTRINGEXACT) {
    if (!data.list) return CB_ERR;
    return ComboMessage(hwnd, data, message, wParam, lParam);
  }
  if (DroppedComboMessage(hwnd, data, message, wParam, lParam)) return 0;
  switch (message) {
    case WM_NCCREATE:
      // The scroll bar styles are the dropped list's: the field has none.
      SetWindowLongPtr(hwnd, GWL_STYLE, static_cast<LONG_PTR>(StyleOf(hwnd) & ~(WS_VSCROLL | WS_HSCROLL)));
      break;
    case WM_CREATE: Create(hwnd, data, *reinterpret_cast<const CREATESTRUCT*>(lParam)); return 0;
    case WM_DESTROY:
      // The list is a popup, not a child: it goes with the combo.
      if (data.list && IsWindow(data.list)) DestroyWindow(data.list);
      data.list = nullptr;
      return 0;
    case WM_PAINT: Paint(hwnd, data); return 0;
    case WM_ERASEBKGND: return 1;  // WM_PAINT fills the whole control
    case WM_ENABLE:
      if (data.edit) EnableWindow(data.edit, wParam != 0);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lParam) == data.edit && data.edit) EditNotification(hwnd, data, HIWORD(wParam));
      return 0;
    case WM_SETFOCUS:
      if (data.edit) {
        SetFocus(data.edit);
        SendMessage(data.edit, EM_SETSEL, 0, -1);
      }
      data.focused = true;
      InvalidateRect(hwnd, nullptr, FALSE);
      NotifyParent(hwnd, CBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      data.focused = false;
      InvalidateRect(hwnd, nullptr, FALSE);
      NotifyParent(hwnd, CBN_KILLFOCUS);
      return 0;
    case WM_LBUTTONDOWN: ButtonDown(hwnd, data, lParam); return 0;
    case WM_KEYDOWN: Key(hwnd, data, wParam); return 0;
    case WM_SYSKEYDOWN:
      if (wParam != VK_UP && wParam != VK_DOWN) break;
      DropComboList(hwnd, data);
      return 0;
    case WM_CHAR:
      if (IsDropList(hwnd)) TypeToSelect(hwnd, data, static_cast<char>(wParam));
      return 0;
    case WM_SETTEXT:
      if (data.edit) return SendMessage(data.edit, WM_SETTEXT, wParam, lParam);
      return IsDropList(hwnd) ? CB_ERR : DefWindowProc(hwnd, message, wParam, lParam);
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
      if (data.edit) return SendMessage(data.edit, message, wParam, lParam);
      if (IsDropList(hwnd) && data.list) {
        const LRESULT current = SendMessage(data.list, LB_GETCURSEL, 0, 0);
        const std::string text = current < 0 ? std::string() : ItemText(data, static_cast<int>(current));
        if (message == WM_GETTEXTLENGTH) return static_cast<LRESULT>(text.size());
        if (!lParam || !wParam) return 0;
        const std::size_t count = std::min<std::size_t>(text.size(), wParam - 1);
        text.copy(reinterpret_cast<char*>(lParam), count);
        reinterpret_cast<char*>(lParam)[count] = '\0';
        return static_cast<LRESULT>(count);
      }
      break;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS | (data.dropped ? DLGC_WANTALLKEYS : 0);
  }
  return DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace ui::internal

// The button control: push, default push, check box, three-state, radio
// and group box, with the auto kinds changing their own check on a click.
#include <algorithm>
#include <string>

#include "platform/ui/ControlMessages.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/StylePainter.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/ControlPaint.h"
#include "platform/ui/internal/DialogNavigation.h"
#include "platform/ui/internal/StandardClasses.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui::internal {

namespace {

struct ButtonData : ControlData {
  WPARAM check = BST_UNCHECKED;
  bool pushed = false;
  bool focused = false;
};

DWORD TypeOf(HWND hwnd) { return StyleOf(hwnd) & BS_TYPEMASK; }

bool IsCheckKind(DWORD type) {
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON || type == BS_3STATE ||
         type == BS_AUTO3STATE || type == BS_AUTORADIOBUTTON;
}

// An auto radio button checks itself and clears the others of its group.
void CheckInGroup(HWND hwnd) {
  const HWND dialog = ParentOf(hwnd);
  SendMessage(hwnd, BM_SETCHECK, BST_CHECKED, 0);
  if (!dialog) return;
  for (HWND other = GetNextDlgGroupItem(dialog, hwnd, FALSE); other && other != hwnd;
       other = GetNextDlgGroupItem(dialog, other, FALSE)) {
    if (GetClassName(other) == GetClassName(hwnd) && (StyleOf(other) & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
      SendMessage(other, BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

void Click(HWND hwnd) {
  if (!IsWindowEnabled(hwnd)) return;
  auto data = ControlState<ButtonData>(hwnd);
  switch (TypeOf(hwnd)) {
    case BS_AUTOCHECKBOX: data->check = data->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED; break;
    case BS_AUTO3STATE: data->check = (data->check + 1) % 3; break;
    case BS_AUTORADIOBUTTON: CheckInGroup(hwnd); break;
    case BS_GROUPBOX: return;
  }
  InvalidateRect(hwnd, nullptr, FALSE);
  NotifyParent(hwnd, BN_CLICKED);
}

LRESULT DialogCode(HWND hwnd) {
  switch (TypeOf(hwnd)) {
    case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_PUSHBUTTON: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX: return DLGC_STATIC;
  }
  return DLGC_BUTTON;
}

// The square of a check box and the circle of a radio button.
constexpr int kCheckSize = 13;
// Room between the box and the label.
constexpr int kLabelGap = 4;

bool IsRadio(DWORD type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }

void PaintFocusAround(HDC hdc, RECT rect) {
  InflateRect(&rect, 1, 1);
  StylePainter::PaintFocusRect(hdc, rect);
}

void PaintPushButton(HWND hwnd, HDC hdc, const RECT& client, const ButtonData& data, bool enabled) {
  StylePainter::ButtonState state;
  state.pressed = data.pushed;
  state.is_default = TypeOf(hwnd) == BS_DEFPUSHBUTTON;
  const RECT label = StylePainter::PaintButtonFace(hdc, client, state);
  PaintControlLabel(hdc, label, GetWindowTextString(hwnd), DT_SINGLELINE | DT_CENTER | DT_VCENTER, enabled);
  if (data.focused) {
    // The dotted outline sits inside the edges, whatever the label's size.
    RECT focus = client;
    InflateRect(&focus, state.is_default ? -4 : -3, state.is_default ? -4 : -3);
    StylePainter::PaintFocusRect(hdc, focus);
  }
}

void PaintCheckKind(HWND hwnd, HDC hdc, const RECT& client, const ButtonData& data, bool enabled) {
  const int top = client.top + (client.bottom - client.top - kCheckSize) / 2;
  const RECT box{client.left, top, client.left + kCheckSize, top + kCheckSize};
  if (IsRadio(TypeOf(hwnd))) StylePainter::PaintRadioButton(hdc, box, data.check == BST_CHECKED, enabled);
  else StylePainter::PaintCheckBox(hdc, box, data.check != BST_UNCHECKED, enabled && data.check != BST_INDETERMINATE);
  const std::string text = GetWindowTextString(hwnd);
  RECT label{box.right + kLabelGap, client.top, client.right, client.bottom};
  RECT extent = label;
  DrawText(hdc, text.c_str(), -1, &extent, DT_SINGLELINE | DT_CALCRECT);
  label.right = std::min(label.right, extent.right);
  const int height = extent.bottom - extent.top;
  label.top = client.top + (client.bottom - client.top - height) / 2;
  label.bottom = label.top + height;
  PaintControlLabel(hdc, label, text, DT_SINGLELINE, enabled);
  if (data.focused && !text.empty()) PaintFocusAround(hdc, label);
}

// The etched frame runs through the middle of the caption line, which
// interrupts it at the top left.
void PaintGroupBox(HWND hwnd, HDC hdc, const RECT& client, bool enabled, HBRUSH background) {
  const std::string text = GetWindowTextString(hwnd);
  RECT extent{0, 0, 0, 0};
  DrawText(hdc, text.empty() ? "X" : text.c_str(), -1, &extent, DT_SINGLELINE | DT_CALCRECT);
  const int line_height = extent.bottom - extent.top;
  StylePainter::PaintFrame(hdc, RECT{client.left, client.top + line_height / 2, client.right, client.bottom},
                           StylePainter::Frame::kEtched);
  if (text.empty()) return;
  const RECT label{client.left + 8, client.top, client.left + 8 + (extent.right - extent.left) + 4,
                   client.top + line_height};
  FillRect(hdc, &label, background);
  RECT inside{label.left + 2, label.top, label.right - 2, label.bottom};
  PaintControlLabel(hdc, inside, text, DT_SINGLELINE, enabled);
}

void Paint(HWND hwnd) {
  ControlPaintScope scope(hwnd);
  if (!scope.dc()) return;
  const HDC hdc = scope.dc();
  const RECT& client = scope.client();
  const DWORD type = TypeOf(hwnd);
  const bool push = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
  const HBRUSH background = ControlBackground(hwnd, hdc, push ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC, COLOR_3DFACE);
  // A group box is drawn over the controls it holds: it paints only its
  // groove and caption, leaving the inside to them and to the parent.
  if (type != BS_GROUPBOX) FillRect(hdc, &client, background);
  SetBkMode(hdc, TRANSPARENT);
  const bool enabled = IsWindowEnabled(hwnd);
  const auto data = ControlState<ButtonData>(hwnd);
  if (push) PaintPushButton(hwnd, hdc, client, *data, enabled);
  else if (type == BS_GROUPBOX) PaintGroupBox(hwnd, hdc, client, enabled, background);
  else PaintCheckKind(hwnd, hdc, client, *data, enabled);
}

// In a dialog, a focused push button is the one Enter presses and shows
// the default look; when the focus leaves for anything but another push
// button of the dialog, the dialog's default button takes the look back.
void DefaultFollowsFocus(HWND hwnd, bool gained, HWND other) {
  const DWORD type = TypeOf(hwnd);
  if (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON) return;
  const HWND dialog = ParentOf(hwnd);
  if (!dialog) return;
  if (gained) ShowDefaultButton(dialog, hwnd);
  else if (!(other && ParentOf(other) == dialog && IsPushButton(other))) ShowDefaultButton(dialog, nullptr);
}

void SetPushed(HWND hwnd, bool pushed) {
  auto data = ControlState<ButtonData>(hwnd);
  if (data->pushed == pushed) return;
  data->pushed = pushed;
  InvalidateRect(hwnd, nullptr, FALSE);
}

bool Inside(HWND hwnd, LPARAM lParam) {
  RECT client;
  GetClientRect(hwnd, &client);
  const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  return PtInRect(&client, at) != FALSE;
}

}  // namespace

LRESULT ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case BM_GETCHECK: return IsCheckKind(TypeOf(hwnd)) ? static_cast<LRESULT>(ControlState<ButtonData>(hwnd)->check) : 0;
    case BM_SETCHECK:
      if (IsCheckKind(TypeOf(hwnd))) {
        ControlState<ButtonData>(hwnd)->check = wParam > BST_INDETERMINATE ? BST_CHECKED : wParam;
        InvalidateRect(hwnd, nullptr, FALSE);
      }
      return 0;
    case BM_GETSTATE: {
      auto data = ControlState<ButtonData>(hwnd);
      return static_cast<LRESULT>(data->check | (data->pushed ? BST_PUSHED : 0) | (data->focused ? BST_FOCUS : 0));
    }
    case BM_SETSTATE:
      ControlState<ButtonData>(hwnd)->pushed = wParam != 0;
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case BM_SETSTYLE:
      SetWindowLongPtr(hwnd, GWL_STYLE, static_cast<LONG_PTR>((StyleOf(hwnd) & ~0xFFFFu) | (wParam & 0xFFFF)));
      if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case BM_CLICK: Click(hwnd); return 0;
    case WM_PAINT: Paint(hwnd); return 0;
    case WM_NCHITTEST:
      // Clicks inside a group box reach the controls under it.
      if (TypeOf(hwnd) == BS_GROUPBOX) return HTTRANSPARENT;
      break;
    case WM_ERASEBKGND: return 1;  // WM_PAINT fills the whole control
    case WM_LBUTTONDOWN:
      if (TypeOf(hwnd) == BS_GROUPBOX) return 0;
      if (GetFocus() != hwnd) SetFocus(hwnd);
      SetPushed(hwnd, true);
      SetCapture(hwnd);
      return 0;
    case WM_MOUSEMOVE:
      // The button shows pressed only while the captured mouse is over it.
      if (GetCapture() == hwnd) SetPushed(hwnd, Inside(hwnd, lParam));
      return 0;
    case WM_LBUTTONUP: {
      auto data = ControlState<ButtonData>(hwnd);
      const bool was_pushed = data->pushed;
      if (GetCapture() == hwnd) ReleaseCapture();
      SetPushed(hwnd, false);
      if (was_pushed) Click(hwnd);
      return 0;
    }
    case WM_KEYDOWN:
      if (wParam == VK_SPACE) SetPushed(hwnd, true);
      return 0;
    case WM_KEYUP:
      if (wParam == VK_SPACE && ControlState<ButtonData>(hwnd)->pushed) {
        SetPushed(hwnd, false);
        Click(hwnd);
      }
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      ControlState<ButtonData>(hwnd)->focused = message == WM_SETFOCUS;
      InvalidateRect(hwnd, nullptr, FALSE);
      DefaultFollowsFocus(hwnd, message == WM_SETFOCUS, reinterpret_cast<HWND>(wParam));
      return 0;
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case WM_GETDLGCODE: return DialogCode(hwnd);
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProc(hwnd, message, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return result;
    }
  }
  return DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace ui::internal

// The button control: push, default push, check box, three-state, radio
// and group box, with the auto kinds changing their own check on a click.
#include "platform/ui/ControlMessages.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
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
    case WM_LBUTTONDOWN:
      ControlState<ButtonData>(hwnd)->pushed = true;
      SetCapture(hwnd);
      return 0;
    case WM_LBUTTONUP: {
      auto data = ControlState<ButtonData>(hwnd);
      const bool was_pushed = data->pushed;
      data->pushed = false;
      if (GetCapture() == hwnd) ReleaseCapture();
      if (was_pushed) Click(hwnd);
      return 0;
    }
    case WM_KEYUP:
      if (wParam == VK_SPACE) Click(hwnd);
      return 0;
    case WM_SETFOCUS: ControlState<ButtonData>(hwnd)->focused = true; return 0;
    case WM_KILLFOCUS: ControlState<ButtonData>(hwnd)->focused = false; return 0;
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

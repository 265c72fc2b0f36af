// The static control: a text or picture that notifies clicks with SS_NOTIFY.
#include "platform/ui/ControlMessages.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/ui/internal/StandardClasses.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui::internal {

namespace {
struct StaticData : ControlData {
  LPARAM image = 0;  // the picture handle of SS_ICON and SS_BITMAP statics
};
}  // namespace

LRESULT StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case STM_SETIMAGE:
    case STM_SETICON: {
      auto data = ControlState<StaticData>(hwnd);
      const LPARAM old = data->image;
      data->image = message == STM_SETICON ? static_cast<LPARAM>(wParam) : lParam;
      InvalidateRect(hwnd, nullptr, TRUE);
      return old;
    }
    case STM_GETIMAGE:
    case STM_GETICON: return ControlState<StaticData>(hwnd)->image;
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProc(hwnd, message, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return result;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (StyleOf(hwnd) & SS_NOTIFY) NotifyParent(hwnd, message == WM_LBUTTONDOWN ? STN_CLICKED : STN_DBLCLK);
      return 0;
    case WM_GETDLGCODE: return DLGC_STATIC;
  }
  return DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace ui::internal

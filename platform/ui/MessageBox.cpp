// The message box as a dialog of the dialog manager: its template is laid
// out from the measured text, so long texts wrap and every button fits.
#include "platform/ui/MessageBox.h"

#include <algorithm>

#include "platform/ui/ControlMessages.h"
#include "platform/ui/DeviceContext.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/ImageResources.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"

namespace ui {

namespace {

// Dialog units: the margin, the icon's square, a button, the widest text.
constexpr int kMargin = 7, kIcon = 21, kButtonWidth = 50, kButtonHeight = 14, kButtonGap = 4, kMaxTextWidth = 240;
constexpr int kTextId = 0xFFFF, kIconId = 0xFFFE;

const char* ButtonText(int id) {
  switch (id) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    case IDABORT: return "&Abort";
    case IDRETRY: return "&Retry";
    case IDIGNORE: return "&Ignore";
    case IDYES: return "&Yes";
    case IDNO: return "&No";
  }
  return "";
}

UINT IconOf(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return IDI_HAND;
    case MB_ICONQUESTION: return IDI_QUESTION;
    case MB_ICONEXCLAMATION: return IDI_EXCLAMATION;
    case MB_ICONASTERISK: return IDI_ASTERISK;
  }
  return 0;
}

// The text's extent in dialog units, wrapped at the widest line allowed.
SIZE TextExtent(const std::string& text) {
  const HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  RECT box{0, 0, kMaxTextWidth * 6 / 4, 0};
  DrawText(dc, text.empty() ? " " : text.c_str(), -1, &box, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  SelectObject(dc, old);
  DeleteDC(dc);
  // Pixels back to units, rounded up so nothing is clipped.
  return SIZE{(box.right * 4 + 5) / 6 + 1, (box.bottom * 8 + 12) / 13};
}

DialogTemplate Layout(const std::string& text, const std::string& caption, UINT type) {
  const std::vector<int> buttons = MessageBoxButtons(type);
  const bool icon = IconOf(type) != 0;
  const SIZE extent = TextExtent(text);
  const int text_left = kMargin + (icon ? kIcon + kMargin : 0);
  const int body_height = std::max<int>(extent.cy, icon ? kIcon : 0);
  const int row_width = static_cast<int>(buttons.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
  const int width = std::max({text_left + static_cast<int>(extent.cx) + kMargin, row_width + 2 * kMargin, 120});
  DialogTemplate dialog;
  dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
  dialog.caption = caption;
  dialog.cx = static_cast<short>(width);
  dialog.cy = static_cast<short>(kMargin + body_height + kMargin + kButtonHeight + kMargin);
  if (icon) dialog.items.push_back({"Static", "", kIconId, WS_VISIBLE | SS_ICON, 0, kMargin, kMargin, kIcon, kIcon});
  const int text_top = kMargin + (body_height - static_cast<int>(extent.cy)) / 2;
  dialog.items.push_back({"Static", text, kTextId, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, static_cast<short>(text_left),
                          static_cast<short>(text_top), static_cast<short>(extent.cx), static_cast<short>(extent.cy)});
  int x = (width - row_width) / 2;
  const int y = kMargin + body_height + kMargin;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const DWORD group = i == 0 ? WS_GROUP : 0;
    const DWORD style = WS_VISIBLE | WS_TABSTOP | group | BS_PUSHBUTTON;
    dialog.items.push_back({"Button", ButtonText(buttons[i]), buttons[i], style, 0, static_cast<short>(x),
                            static_cast<short>(y), kButtonWidth, kButtonHeight});
    x += kButtonWidth + kButtonGap;
  }
  return dialog;
}

struct BoxState {
  UINT type = 0;
  std::vector<int> buttons;
};

bool Has(const std::vector<int>& buttons, int id) {
  return std::find(buttons.begin(), buttons.end(), id) != buttons.end();
}

INT_PTR MessageBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtr(hwnd, DWLP_USER, lParam);
    const auto* state = reinterpret_cast<const BoxState*>(lParam);
    if (const UINT icon = IconOf(state->type))
      SendDlgItemMessage(hwnd, kIconId, STM_SETICON, reinterpret_cast<WPARAM>(LoadIcon(icon)), 0);
    std::size_t index = (state->type & MB_DEFMASK) >> 8;
    if (index >= state->buttons.size()) index = 0;
    const int default_id = state->buttons[index];
    SendMessage(hwnd, DM_SETDEFID, static_cast<WPARAM>(default_id), 0);
    SetFocus(GetDlgItem(hwnd, default_id));
    return FALSE;  // the focus is set
  }
  if (message != WM_COMMAND) return FALSE;
  const auto* state = reinterpret_cast<const BoxState*>(GetWindowLongPtr(hwnd, DWLP_USER));
  if (!state) return FALSE;
  const int id = LOWORD(wParam);
  if (Has(state->buttons, id)) EndDialog(hwnd, id);
  // Esc and the close box: an OK-only box answers OK; a box without
  // Cancel waits for a real answer.
  else if (id == IDCANCEL && state->buttons == std::vector<int>{IDOK}) EndDialog(hwnd, IDOK);
  return TRUE;
}

}  // namespace

std::vector<int> MessageBoxButtons(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
  }
  return {IDOK};
}

int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
  if (owner && !IsWindow(owner)) owner = nullptr;
  BoxState state{type, MessageBoxButtons(type)};
  const DialogTemplate dialog = Layout(text, caption, type);
  const INT_PTR result = DialogBoxIndirectParam(&dialog, owner, MessageBoxProc, reinterpret_cast<LPARAM>(&state));
  return result < 0 ? 0 : static_cast<int>(result);
}

}  // namespace ui

// The dialog manager's keyboard. Keys reach it before the control with the
// focus; each control says through WM_GETDLGCODE which keys it keeps.
#include "platform/ui/internal/DialogNavigation.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "platform/ui/ControlMessages.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/HelpInfo.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/RawInput.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/DialogState.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui::internal {

namespace {

std::vector<HWND> Controls(HWND dialog) {
  LockedWindow record(dialog);
  return record ? record->children : std::vector<HWND>{};
}

LRESULT DialogCode(HWND hwnd) { return SendMessage(hwnd, WM_GETDLGCODE, 0, 0); }

bool IsEnabledVisible(HWND hwnd) {
  const DWORD style = StyleOf(hwnd);
  return (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

// The dialog's own control that holds `hwnd` (a combo box for its edit).
HWND ItemOf(HWND dialog, HWND hwnd) {
  while (hwnd && ParentOf(hwnd) != dialog) hwnd = ParentOf(hwnd);
  return hwnd;
}

bool IsRadio(HWND hwnd) { return (DialogCode(hwnd) & DLGC_RADIOBUTTON) != 0; }

bool IsChecked(HWND hwnd) { return SendMessage(hwnd, BM_GETCHECK, 0, 0) == static_cast<LRESULT>(BST_CHECKED); }

// Tabbing into a radio group lands on its checked button, wherever the
// group's tab stop is.
HWND CheckedInGroup(HWND dialog, HWND target) {
  if (!target || !IsRadio(target) || IsChecked(target)) return target;
  for (HWND other = GetNextDlgGroupItem(dialog, target, FALSE); other && other != target;
       other = GetNextDlgGroupItem(dialog, other, FALSE)) {
    if (IsRadio(other) && IsChecked(other)) return other;
  }
  return target;
}

// The character after a single '&' of a label, lower-cased; 0 without one.
char MnemonicOf(const std::string& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] != '&') return static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
    ++i;  // "&&" is a plain ampersand
  }
  return 0;
}

// Labels are the texts of statics, group boxes and buttons; an edit's or a
// list's text is content, never a mnemonic.
bool HasMnemonic(HWND hwnd, char ch) {
  if (!IsEnabledVisible(hwnd)) return false;
  const LRESULT code = DialogCode(hwnd);
  if (!(code & (DLGC_STATIC | DLGC_BUTTON))) return false;
  if ((code & DLGC_STATIC) && GetClassName(hwnd) == "Static" && (StyleOf(hwnd) & SS_NOPREFIX)) return false;
  return MnemonicOf(GetWindowTextString(hwnd)) == ch;
}

// The controls whose label has `ch`, in tab order after `from`.
std::vector<HWND> MnemonicMatches(const std::vector<HWND>& controls, HWND from, char ch) {
  std::vector<HWND> matches;
  const auto n = controls.size();
  const auto it = std::find(controls.begin(), controls.end(), from);
  const std::size_t start = it == controls.end() ? n - 1 : static_cast<std::size_t>(it - controls.begin());
  for (std::size_t step = 1; step <= n; ++step) {
    const HWND hwnd = controls[(start + step) % n];
    if (HasMnemonic(hwnd, ch)) matches.push_back(hwnd);
  }
  return matches;
}

// A label's mnemonic leads to the first control after it that is no label.
HWND ControlAfterLabel(const std::vector<HWND>& controls, HWND label) {
  auto it = std::find(controls.begin(), controls.end(), label);
  for (++it; it != controls.end(); ++it)
    if (IsEnabledVisible(*it) && !(DialogCode(*it) & DLGC_STATIC)) return *it;
  return nullptr;
}

bool Mnemonic(HWND dialog, HWND from, char typed) {
  const char ch = static_cast<char>(std::tolower(static_cast<unsigned char>(typed)));
  if (static_cast<unsigned char>(ch) <= ' ') return false;
  const std::vector<HWND> controls = Controls(dialog);
  if (controls.empty()) return false;
  const std::vector<HWND> matches = MnemonicMatches(controls, ItemOf(dialog, from), ch);
  if (matches.empty()) return false;
  const HWND hit = matches.front();
  const LRESULT code = DialogCode(hit);
  if (code & DLGC_STATIC) {
    FocusDialogControl(CheckedInGroup(dialog, ControlAfterLabel(controls, hit)));
  } else if (matches.size() > 1) {
    FocusDialogControl(hit);  // several share the letter: each press moves on, none is pressed
  } else {
    if (!IsPushButton(hit)) FocusDialogControl(hit);
    SendMessage(hit, BM_CLICK, 0, 0);
  }
  return true;
}

void SendHelp(HWND dialog, HWND focus) {
  const HWND target = focus && (focus == dialog || IsChild(dialog, focus)) ? focus : dialog;
  const HWND item = target == dialog ? dialog : ItemOf(dialog, target);
  HELPINFO info;
  info.iContextType = HELPINFO_WINDOW;
  info.iCtrlId = item == dialog ? 0 : GetDlgCtrlID(item);
  info.hItemHandle = item;
  info.dwContextId = GetWindowContextHelpId(item);
  GetCursorPos(&info.MousePos);
  SendMessage(target, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
}

void Command(HWND dialog, int id, HWND button) {
  SendMessage(dialog, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

// Enter: a focused push button answers, otherwise the default button; a
// disabled one does nothing.
void PressDefault(HWND dialog, HWND focus, LRESULT code) {
  const LRESULT defid = SendMessage(dialog, DM_GETDEFID, 0, 0);
  int id = HIWORD(static_cast<std::uint64_t>(defid)) == DC_HASDEFID ? LOWORD(static_cast<std::uint64_t>(defid)) : IDOK;
  if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) id = GetDlgCtrlID(focus);
  const HWND button = GetDlgItem(dialog, id);
  if (!button || IsWindowEnabled(button)) Command(dialog, id, button);
}

void Escape(HWND dialog) {
  const HWND cancel = GetDlgItem(dialog, IDCANCEL);
  if (!cancel || IsWindowEnabled(cancel)) Command(dialog, IDCANCEL, cancel);
}

// Up and Left go back through the group, Down and Right forward; a radio
// button reached this way is clicked, so an automatic one becomes checked.
void MoveInGroup(HWND dialog, HWND focus, bool previous) {
  const HWND item = ItemOf(dialog, focus);
  // Labels and group boxes in the group are passed over: they take no focus.
  HWND next = GetNextDlgGroupItem(dialog, item, previous);
  for (std::size_t passed = Controls(dialog).size(); next && next != item && passed && (DialogCode(next) & DLGC_STATIC);
       --passed)
    next = GetNextDlgGroupItem(dialog, next, previous);
  if (next && (DialogCode(next) & DLGC_STATIC)) return;
  if (!next || next == item) return;
  FocusDialogControl(next);
  if (IsRadio(next)) SendMessage(next, BM_CLICK, 0, 0);
}

bool KeyDown(HWND dialog, const MSG& msg, LRESULT code) {
  const HWND focus = msg.hwnd;
  const WPARAM key = msg.wParam;
  if (key == VK_F1) {
    SendHelp(dialog, GetFocus());
    return true;
  }
  if (code & DLGC_WANTALLKEYS) return false;
  switch (key) {
    case VK_TAB:
      if (code & DLGC_WANTTAB) return false;
      FocusDialogControl(CheckedInGroup(
          dialog, GetNextDlgTabItem(dialog, ItemOf(dialog, focus), GetKeyState(static_cast<int>(VK_SHIFT)) < 0)));
      return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      if (code & DLGC_WANTARROWS) return false;
      MoveInGroup(dialog, focus, key == VK_LEFT || key == VK_UP);
      return true;
    case VK_ESCAPE: Escape(dialog); return true;
    case VK_RETURN: PressDefault(dialog, focus, code); return true;
  }
  return false;
}

void SetPushKind(HWND button, bool is_default) {
  const DWORD style = StyleOf(button);
  const DWORD kind = is_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  if ((style & BS_TYPEMASK) == kind) return;
  SendMessage(button, BM_SETSTYLE, (style & 0xFFFF & ~BS_TYPEMASK) | kind, TRUE);
}

}  // namespace

void FocusDialogControl(HWND control) {
  if (!control) return;
  SetFocus(control);
  if (DialogCode(control) & DLGC_HASSETSEL) SendMessage(control, EM_SETSEL, 0, -1);
}

bool IsPushButton(HWND hwnd) { return (DialogCode(hwnd) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0; }

void ShowDefaultButton(HWND dialog, HWND focused_button) {
  {
    LockedWindow record(dialog);
    if (!record || !IsDialogRecord(*record)) return;
  }
  const LRESULT defid = SendMessage(dialog, DM_GETDEFID, 0, 0);
  const bool has_default = HIWORD(static_cast<std::uint64_t>(defid)) == DC_HASDEFID;
  const int default_id = LOWORD(static_cast<std::uint64_t>(defid));
  for (HWND child : Controls(dialog)) {
    if (!IsPushButton(child)) continue;
    SetPushKind(child, focused_button ? child == focused_button : has_default && GetDlgCtrlID(child) == default_id);
  }
}

bool HandleDialogKey(HWND dialog, const MSG& msg) {
  switch (msg.message) {
    case WM_KEYDOWN:
      return KeyDown(dialog, msg, SendMessage(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)));
    case WM_SYSCHAR: return Mnemonic(dialog, msg.hwnd, static_cast<char>(msg.wParam));
    case WM_CHAR: {
      const LRESULT code = SendMessage(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
      if (code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)) return false;
      return Mnemonic(dialog, msg.hwnd, static_cast<char>(msg.wParam));
    }
  }
  return false;
}

}  // namespace ui::internal

namespace ui {

BOOL SetWindowContextHelpId(HWND hwnd, DWORD context_id) {
  internal::LockedWindow record(hwnd);
  if (!record) return internal::RefuseHandle();
  record->help_context = context_id;
  return TRUE;
}

DWORD GetWindowContextHelpId(HWND hwnd) {
  internal::LockedWindow record(hwnd);
  if (!record) return internal::RefuseHandle(), 0;
  return record->help_context;
}

}  // namespace ui

// Dialog windows: creation from templates, the default dialog procedure
// and the modal loop.
#include "platform/ui/Dialog.h"

#include <algorithm>
#include <cctype>

#include "platform/ui/ControlMessages.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/Hooks.h"
#include "platform/ui/Host.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/NonClient.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/DialogNavigation.h"
#include "platform/ui/internal/DialogState.h"
#include "platform/ui/internal/StandardClasses.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui {

using internal::TableLock;
using internal::WindowRecord;
using internal::WindowTable;

namespace {

// What the dialog manager hands to the dialog window's WM_NCCREATE.
struct DialogCreateParams {
  DLGPROC proc = nullptr;
};

// Messages whose dialog-procedure answer is the result itself rather than
// the stored DWLP_MSGRESULT.
bool AnswersDirectly(UINT message) {
  return message == WM_INITDIALOG || (message >= WM_CTLCOLOREDIT && message <= WM_CTLCOLORSTATIC) ||
         message == WM_CTLCOLORSTATIC;
}

RECT DialogRect(const DialogTemplate& dialog, HWND parent) {
  // The template gives the client area; the frame comes around it.
  RECT outer{0, 0, internal::DialogUnitsToPixelsX(dialog.cx), internal::DialogUnitsToPixelsY(dialog.cy)};
  AdjustWindowRectEx(&outer, dialog.style, FALSE,
                     dialog.ex_style | ((dialog.style & DS_MODALFRAME) ? WS_EX_DLGMODALFRAME : 0));
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  int x = internal::DialogUnitsToPixelsX(dialog.x);
  int y = internal::DialogUnitsToPixelsY(dialog.y);
  if (dialog.style & WS_CHILD) return RECT{x, y, x + width, y + height};
  RECT area = GetHost().ScreenRect();
  if (parent) GetWindowRect(parent, &area);
  if (dialog.style & DS_CENTER) {
    x = area.left + (area.right - area.left - width) / 2;
    y = area.top + (area.bottom - area.top - height) / 2;
  } else {
    x += area.left;
    y += area.top;
  }
  return RECT{x, y, x + width, y + height};
}

bool IsButtonClass(const std::string& name) {
  return name.size() == 6 && std::equal(name.begin(), name.end(), "button", [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == b;
         });
}

bool CreateItems(HWND hdlg, const DialogTemplate& dialog) {
  for (const DialogItemTemplate& item : dialog.items) {
    const int x = internal::DialogUnitsToPixelsX(item.x), y = internal::DialogUnitsToPixelsY(item.y);
    const int cx = internal::DialogUnitsToPixelsX(item.cx), cy = internal::DialogUnitsToPixelsY(item.cy);
    const HWND control =
        CreateWindowEx(item.ex_style, item.class_name.c_str(), item.text.c_str(), item.style | WS_CHILD, x, y, cx,
                       cy, hdlg, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)), nullptr);
    if (!control) return false;
    for (const std::string& entry : item.items)
      SendMessage(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
  // The template's default push button is the default id Enter presses.
  for (const DialogItemTemplate& item : dialog.items) {
    if (IsButtonClass(item.class_name) && (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
      internal::LockedWindow record(hdlg);
      if (record) internal::DialogOf(*record).default_id = static_cast<UINT>(item.id);
      break;
    }
  }
  return true;
}

bool IsTabStop(HWND hwnd) {
  const DWORD style = internal::StyleOf(hwnd);
  return (style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

std::vector<HWND> Controls(HWND dialog) {
  internal::LockedWindow record(dialog);
  return record ? record->children : std::vector<HWND>{};
}

// The next item in `list` after `from` (cyclic) that satisfies `wanted`.
HWND Cycle(const std::vector<HWND>& list, HWND from, bool previous, bool (*wanted)(HWND)) {
  if (list.empty()) return nullptr;
  const auto n = static_cast<std::ptrdiff_t>(list.size());
  auto it = std::find(list.begin(), list.end(), from);
  std::ptrdiff_t start = it == list.end() ? (previous ? 0 : n - 1) : it - list.begin();
  for (std::ptrdiff_t step = 1; step <= n; ++step) {
    const std::ptrdiff_t index = ((start + (previous ? -step : step)) % n + n) % n;
    if (wanted(list[static_cast<std::size_t>(index)])) return list[static_cast<std::size_t>(index)];
  }
  return nullptr;
}

bool IsEnabledVisible(HWND hwnd) {
  const DWORD style = internal::StyleOf(hwnd);
  return (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

// The brush the dialog's procedure picks for its background (it may
// answer WM_CTLCOLORDLG), else the face colour.
BOOL EraseDialog(HWND hwnd, HDC hdc) {
  if (!hdc) return FALSE;
  HBRUSH brush = reinterpret_cast<HBRUSH>(SendMessage(hwnd, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(hdc),
                                                      reinterpret_cast<LPARAM>(hwnd)));
  if (!brush) brush = GetSysColorBrush(COLOR_3DFACE);
  RECT client;
  GetClientRect(hwnd, &client);
  FillRect(hdc, &client, brush);
  return TRUE;
}

HWND FocusedPushButton(HWND dialog) {
  const HWND focus = GetFocus();
  return focus && internal::ParentOf(focus) == dialog && internal::IsPushButton(focus) ? focus : nullptr;
}

LRESULT DefaultDialogMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      SendMessage(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                  reinterpret_cast<LPARAM>(GetDlgItem(hwnd, IDCANCEL)));
      return 0;
    case WM_NEXTDLGCTL:
      internal::FocusDialogControl(lParam ? reinterpret_cast<HWND>(wParam)
                                          : GetNextDlgTabItem(hwnd, GetFocus(), wParam != 0));
      return 0;
    case DM_GETDEFID: {
      internal::LockedWindow record(hwnd);
      return record ? MAKELRESULT(internal::DialogOf(*record).default_id, static_cast<unsigned>(DC_HASDEFID)) : 0;
    }
    case DM_SETDEFID: {
      {
        internal::LockedWindow record(hwnd);
        if (!record) return FALSE;
        internal::DialogOf(*record).default_id = static_cast<UINT>(wParam);
      }
      // The new default shows as such unless a focused push button holds
      // the look for now.
      internal::ShowDefaultButton(hwnd, FocusedPushButton(hwnd));
      return TRUE;
    }
    case WM_ERASEBKGND: return EraseDialog(hwnd, reinterpret_cast<HDC>(wParam));
    case WM_INITDIALOG: return TRUE;  // without a procedure the first tab stop takes the focus
  }
  return DefWindowProc(hwnd, message, wParam, lParam);
}

bool DialogEnded(HWND hwnd, INT_PTR* result) {
  internal::LockedWindow record(hwnd);
  if (!record) return true;
  const internal::DialogState& state = internal::DialogOf(*record);
  if (result) *result = state.result;
  return state.ended;
}

// The modal loop: each time the queue runs empty the owner hears
// WM_ENTERIDLE (MSGF_DIALOGBOX, the dialog) once, unless the dialog has
// DS_NOIDLEMSG.
void RunDialogLoop(HWND hdlg, HWND owner) {
  const bool tell_owner = owner && !(internal::StyleOf(hdlg) & DS_NOIDLEMSG);
  bool idle_told = false;
  MSG msg;
  while (!DialogEnded(hdlg, nullptr)) {
    if (tell_owner && !idle_told && IsWindow(owner) && !PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      idle_told = true;
      SendMessage(owner, WM_ENTERIDLE, static_cast<WPARAM>(MSGF_DIALOGBOX), reinterpret_cast<LPARAM>(hdlg));
      continue;  // the owner may have ended the dialog or posted something
    }
    const int got = GetMessage(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop ends too
      return;
    }
    if (got < 0) return;
    idle_told = false;
    if (CallMsgFilter(&msg, MSGF_DIALOGBOX)) continue;
    if (IsWindow(hdlg) && IsDialogMessage(hdlg, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
}

}  // namespace

HWND CreateDialogIndirectParam(const DialogTemplate* dialog, HWND parent, DLGPROC proc, LPARAM init_param) {
  if (!dialog) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const RECT rect = DialogRect(*dialog, parent);
  DialogCreateParams params{proc};
  // A modal frame is the dialog frame's extended style.
  const DWORD ex_style = dialog->ex_style | ((dialog->style & DS_MODALFRAME) ? WS_EX_DLGMODALFRAME : 0);
  const HWND hdlg = CreateWindowEx(ex_style, internal::kDialogClassName, dialog->caption.c_str(),
                                   dialog->style & ~WS_VISIBLE, rect.left, rect.top, rect.right - rect.left,
                                   rect.bottom - rect.top, parent, nullptr, &params);
  if (!hdlg) return nullptr;
  if (!CreateItems(hdlg, *dialog)) {
    const DWORD error = GetLastError();
    DestroyWindow(hdlg);
    SetLastError(error);
    return nullptr;
  }
  const HWND first = GetNextDlgTabItem(hdlg, nullptr, FALSE);
  if (SendMessage(hdlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), init_param) && IsWindow(hdlg))
    internal::FocusDialogControl(GetNextDlgTabItem(hdlg, nullptr, FALSE));
  if (!IsWindow(hdlg)) return nullptr;
  if ((dialog->style & WS_VISIBLE) && !DialogEnded(hdlg, nullptr)) ShowWindow(hdlg, SW_SHOW);
  return hdlg;
}

INT_PTR RunModalDialog(HWND hdlg, HWND owner) {
  if (!IsWindow(hdlg)) return internal::RefuseHandle(), -1;
  const bool disable_owner = owner && IsWindow(owner) && IsWindowEnabled(owner);
  if (disable_owner) EnableWindow(owner, FALSE);
  if (!DialogEnded(hdlg, nullptr) && !IsWindowVisible(hdlg)) ShowWindow(hdlg, SW_SHOW);
  INT_PTR result = IDCANCEL;
  RunDialogLoop(hdlg, owner);
  if (!DialogEnded(hdlg, &result)) result = IDCANCEL;
  if (disable_owner && IsWindow(owner)) EnableWindow(owner, TRUE);
  if (IsWindow(hdlg)) ShowWindow(hdlg, SW_HIDE);
  if (owner && IsWindow(owner)) SetActiveWindow(owner);
  return result;
}

INT_PTR DialogBoxIndirectParam(const DialogTemplate* dialog, HWND owner, DLGPROC proc, LPARAM init_param) {
  const HWND hdlg = CreateDialogIndirectParam(dialog, owner, proc, init_param);
  if (!hdlg) return -1;
  const INT_PTR result = RunModalDialog(hdlg, owner);
  if (IsWindow(hdlg)) DestroyWindow(hdlg);
  return result;
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
  internal::LockedWindow record(dialog);
  if (!record) return internal::RefuseHandle();
  internal::DialogState& state = internal::DialogOf(*record);
  state.ended = true;
  state.result = result;
  return TRUE;
}

LRESULT DefDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  DLGPROC proc = nullptr;
  {
    internal::LockedWindow record(hwnd);
    if (!record) return internal::RefuseHandle(), 0;
    internal::DialogState& state = internal::DialogOf(*record);
    if (message == WM_NCCREATE) {
      state.is_dialog = true;
      const auto* create = reinterpret_cast<const CREATESTRUCT*>(lParam);
      if (create && create->lpCreateParams)
        state.proc = static_cast<const DialogCreateParams*>(create->lpCreateParams)->proc;
    }
    proc = state.proc;
    state.msg_result = 0;
  }
  if (proc) {
    const INT_PTR answer = proc(hwnd, message, wParam, lParam);
    // FALSE from WM_INITDIALOG means the procedure placed the focus itself.
    if (message == WM_INITDIALOG) return answer;
    if (answer) {
      if (AnswersDirectly(message)) return answer;
      return GetWindowLongPtr(hwnd, DWLP_MSGRESULT);
    }
  }
  return DefaultDialogMessage(hwnd, message, wParam, lParam);
}

BOOL IsDialogMessage(HWND dialog, MSG* msg) {
  if (!msg || !IsWindow(dialog) || !msg->hwnd || (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)))
    return FALSE;
  if (internal::HandleDialogKey(dialog, *msg)) return TRUE;
  TranslateMessage(msg);
  DispatchMessage(msg);
  return TRUE;
}

HWND GetDlgItem(HWND dialog, int id) {
  internal::LockedWindow record(dialog);
  if (!record) return internal::RefuseHandle(), nullptr;
  for (HWND child : record->children) {
    WindowRecord* c = WindowTable::Get().Find(child);
    if (c && static_cast<int>(c->id) == id) return child;
  }
  return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
  if (!IsWindow(hwnd)) return internal::RefuseHandle();
  return static_cast<int>(internal::IdOf(hwnd));
}

BOOL SetDlgItemText(HWND dialog, int id, const char* text) {
  const HWND item = GetDlgItem(dialog, id);
  return item ? SetWindowText(item, text) : FALSE;
}

std::string GetDlgItemTextString(HWND dialog, int id) {
  const HWND item = GetDlgItem(dialog, id);
  return item ? GetWindowTextString(item) : std::string();
}

UINT GetDlgItemText(HWND dialog, int id, char* buffer, int size) {
  const HWND item = GetDlgItem(dialog, id);
  if (!item) {
    if (buffer && size > 0) buffer[0] = '\0';
    return 0;
  }
  return static_cast<UINT>(GetWindowText(item, buffer, size));
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL is_signed) {
  const std::string text = is_signed ? std::to_string(static_cast<int>(value)) : std::to_string(value);
  return SetDlgItemText(dialog, id, text.c_str());
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL is_signed) {
  if (translated) *translated = FALSE;
  const std::string text = GetDlgItemTextString(dialog, id);
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  const bool negative = is_signed && i < text.size() && text[i] == '-';
  if (negative) ++i;
  if (i >= text.size()) return 0;
  std::uint64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + static_cast<unsigned>(text[i] - '0');
    if (value > (is_signed ? 0x80000000ull : 0xFFFFFFFFull)) return 0;
  }
  while (i < text.size() && text[i] == ' ') ++i;
  if (i != text.size() || (is_signed && !negative && value > 0x7FFFFFFF)) return 0;
  if (translated) *translated = TRUE;
  return negative ? static_cast<UINT>(-static_cast<std::int64_t>(value)) : static_cast<UINT>(value);
}

LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND item = GetDlgItem(dialog, id);
  return item ? SendMessage(item, message, wParam, lParam) : 0;
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
  const HWND item = GetDlgItem(dialog, id);
  if (!item) return FALSE;
  SendMessage(item, BM_SETCHECK, check, 0);
  return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
  return static_cast<UINT>(SendDlgItemMessage(dialog, id, BM_GETCHECK, 0, 0));
}

BOOL CheckRadioButton(HWND dialog, int first_id, int last_id, int check_id) {
  if (!IsWindow(dialog)) return internal::RefuseHandle();
  for (int id = first_id; id <= last_id; ++id)
    if (const HWND item = GetDlgItem(dialog, id))
      SendMessage(item, BM_SETCHECK, id == check_id ? BST_CHECKED : BST_UNCHECKED, 0);
  return TRUE;
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  if (!IsWindow(dialog)) return internal::RefuseHandle(), nullptr;
  HWND next = Cycle(Controls(dialog), control, previous, IsTabStop);
  return next ? next : control;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
  const std::vector<HWND> controls = Controls(dialog);
  auto it = std::find(controls.begin(), controls.end(), control);
  if (it == controls.end()) return nullptr;
  // The group runs from the last WS_GROUP item at or before the control to
  // the item before the next WS_GROUP item.
  auto first = it;
  while (first != controls.begin() && !(internal::StyleOf(*first) & WS_GROUP)) --first;
  auto last = it + 1;
  while (last != controls.end() && !(internal::StyleOf(*last) & WS_GROUP)) ++last;
  const std::vector<HWND> group(first, last);
  HWND next = Cycle(group, control, previous, IsEnabledVisible);
  return next ? next : control;
}

BOOL MapDialogRect(HWND dialog, RECT* rect) {
  if (!IsWindow(dialog) || !rect) return internal::RefuseHandle();
  rect->left = internal::DialogUnitsToPixelsX(rect->left);
  rect->right = internal::DialogUnitsToPixelsX(rect->right);
  rect->top = internal::DialogUnitsToPixelsY(rect->top);
  rect->bottom = internal::DialogUnitsToPixelsY(rect->bottom);
  return TRUE;
}

}  // namespace ui

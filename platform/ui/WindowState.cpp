// Show and enable state, focus, activation, capture, text and the stored
// longs of a window.
#include <algorithm>
#include <cstring>

#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/BackBuffer.h"
#include "platform/ui/internal/DialogState.h"
#include "platform/ui/internal/Painting.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui {

using internal::TableLock;
using internal::WindowRecord;
using internal::WindowTable;

namespace {

// True when `hwnd` is `outer` or inside it.
bool IsWithin(HWND outer, HWND hwnd) { return hwnd && (hwnd == outer || IsChild(outer, hwnd)); }

// Focus may not stay in a window that can no longer take input.
void DropFocusFrom(HWND hwnd) {
  if (IsWithin(hwnd, GetFocus())) SetFocus(nullptr);
}

}  // namespace

BOOL ShowWindow(HWND hwnd, int command) {
  bool was_visible;
  bool top_level;
  {
    internal::LockedWindow record(hwnd);
    if (!record) return internal::RefuseHandle();
    was_visible = (record->style & WS_VISIBLE) != 0;
    top_level = !(record->style & WS_CHILD);
    if (command == SW_MINIMIZE || command == SW_SHOWMINIMIZED || command == SW_SHOWMINNOACTIVE)
      record->style = (record->style | WS_MINIMIZE) & ~WS_MAXIMIZE;
    else if (command == SW_MAXIMIZE)
      record->style = (record->style | WS_MAXIMIZE) & ~WS_MINIMIZE;
    else if (command == SW_RESTORE || command == SW_SHOWNORMAL)
      record->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
  }
  const bool show = command != SW_HIDE;
  if (show != was_visible) {
    internal::CallProc(hwnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    {
      internal::LockedWindow record(hwnd);
      if (record) {
        if (show) record->style |= WS_VISIBLE;
        else record->style &= ~WS_VISIBLE;
      }
    }
    if (show) {
      if (top_level) internal::SyncBackBuffer(hwnd);
      internal::RedrawRegion(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    } else {
      if (top_level) internal::NotifyHidden(hwnd);
      else internal::InvalidateParentArea(hwnd);  // what the child covered shows again
      DropFocusFrom(hwnd);
    }
  }
  const bool activates = command != SW_HIDE && command != SW_SHOWNA && command != SW_SHOWNOACTIVATE &&
                         command != SW_SHOWMINNOACTIVE;
  if (top_level && activates && IsWindow(hwnd)) SetActiveWindow(hwnd);
  return was_visible ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hwnd) {
  WindowTable& table = WindowTable::Get();
  TableLock lock(table.mutex());
  WindowRecord* record = table.Find(hwnd);
  if (!record) return internal::RefuseHandle();
  for (; record; record = record->parent ? table.Find(record->parent) : nullptr)
    if (!(record->style & WS_VISIBLE)) return FALSE;
  return TRUE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  bool was_disabled;
  {
    internal::LockedWindow record(hwnd);
    if (!record) return internal::RefuseHandle();
    was_disabled = (record->style & WS_DISABLED) != 0;
    if (enable) record->style &= ~WS_DISABLED;
    else record->style |= WS_DISABLED;
  }
  if (was_disabled == !enable) return was_disabled ? TRUE : FALSE;
  if (!enable) {
    // A window being disabled ends whatever it tracks (capture, menus).
    internal::CallProc(hwnd, WM_CANCELMODE, 0, 0);
    DropFocusFrom(hwnd);
  }
  internal::CallProc(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
  InvalidateRect(hwnd, nullptr, TRUE);
  return was_disabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
  internal::LockedWindow record(hwnd);
  if (!record) return internal::RefuseHandle();
  return (record->style & WS_DISABLED) ? FALSE : TRUE;
}

HWND SetFocus(HWND hwnd) {
  internal::ThreadQueue& queue = internal::CurrentQueue();
  HWND old;
  {
    TableLock lock(WindowTable::Get().mutex());
    if (hwnd) {
      WindowRecord* record = WindowTable::Get().Find(hwnd);
      if (!record) return internal::RefuseHandle(), nullptr;
      if (!internal::IsOnCurrentThread(*record)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
      }
    }
    old = queue.focus;
    if (old == hwnd) return old;
  }
  if (old && IsWindow(old)) internal::CallProc(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  {
    TableLock lock(WindowTable::Get().mutex());
    queue.focus = IsWindow(hwnd) ? hwnd : nullptr;
  }
  if (hwnd && IsWindow(hwnd)) {
    const HWND root = GetAncestor(hwnd, GA_ROOT);
    if (root && GetActiveWindow() != root) SetActiveWindow(root);
    internal::CallProc(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(IsWindow(old) ? old : nullptr), 0);
  }
  return IsWindow(old) ? old : nullptr;
}

HWND GetFocus() {
  TableLock lock(WindowTable::Get().mutex());
  HWND focus = internal::CurrentQueue().focus;
  return WindowTable::Get().Find(focus) ? focus : nullptr;
}

HWND SetActiveWindow(HWND hwnd) {
  internal::ThreadQueue& queue = internal::CurrentQueue();
  HWND old;
  {
    internal::LockedWindow record(hwnd);
    if (hwnd && !record) return internal::RefuseHandle(), nullptr;
    if (record && record->parent) hwnd = GetAncestor(hwnd, GA_ROOT);
    old = queue.active;
    if (old == hwnd) return old;
    queue.active = hwnd;
  }
  if (IsWindow(old)) {
    internal::CallProc(old, WM_NCACTIVATE, FALSE, 0);
    internal::CallProc(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(hwnd));
  }
  if (hwnd) {
    internal::CallProc(hwnd, WM_NCACTIVATE, TRUE, 0);
    internal::CallProc(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), reinterpret_cast<LPARAM>(old));
  }
  return IsWindow(old) ? old : nullptr;
}

HWND GetActiveWindow() {
  TableLock lock(WindowTable::Get().mutex());
  HWND active = internal::CurrentQueue().active;
  return WindowTable::Get().Find(active) ? active : nullptr;
}

HWND SetCapture(HWND hwnd) {
  HWND old;
  {
    TableLock lock(WindowTable::Get().mutex());
    if (!WindowTable::Get().Find(hwnd)) return internal::RefuseHandle(), nullptr;
    old = internal::CurrentQueue().capture;
    internal::CurrentQueue().capture = hwnd;
    if (!WindowTable::Get().Find(old)) old = nullptr;
  }
  // The window that loses the capture hears of it, and of who took it.
  if (old && old != hwnd) internal::CallProc(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
  return old;
}

BOOL ReleaseCapture() {
  HWND old;
  {
    TableLock lock(WindowTable::Get().mutex());
    old = internal::CurrentQueue().capture;
    internal::CurrentQueue().capture = nullptr;
  }
  if (old && IsWindow(old)) internal::CallProc(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() {
  TableLock lock(WindowTable::Get().mutex());
  HWND capture = internal::CurrentQueue().capture;
  return WindowTable::Get().Find(capture) ? capture : nullptr;
}

BOOL SetWindowText(HWND hwnd, const char* text) {
  if (!IsWindow(hwnd)) return internal::RefuseHandle();
  return SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) ? TRUE : FALSE;
}

int GetWindowText(HWND hwnd, char* buffer, int size) {
  if (!IsWindow(hwnd)) return internal::RefuseHandle();
  if (!buffer || size <= 0) return 0;
  return static_cast<int>(SendMessage(hwnd, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLength(HWND hwnd) {
  if (!IsWindow(hwnd)) return internal::RefuseHandle();
  return static_cast<int>(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

std::string GetWindowTextString(HWND hwnd) {
  const int length = GetWindowTextLength(hwnd);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowText(hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::clamp(copied, 0, length)));
  return text;
}

LONG_PTR GetWindowLongPtr(HWND hwnd, int index) {
  internal::LockedWindow record(hwnd);
  if (!record) return internal::RefuseHandle();
  switch (index) {
    case GWL_STYLE: return record->style;
    case GWL_EXSTYLE: return record->ex_style;
    case GWLP_ID: return static_cast<LONG_PTR>(record->id);
    case GWLP_USERDATA: return record->user_data;
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(record->proc);
    case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(record->parent ? record->parent : record->owner);
  }
  if (internal::IsDialogRecord(*record)) {
    const internal::DialogState& dialog = *record->dialog;
    if (index == DWLP_MSGRESULT) return dialog.msg_result;
    if (index == DWLP_DLGPROC) return reinterpret_cast<LONG_PTR>(dialog.proc);
    if (index == DWLP_USER) return dialog.user;
  }
  SetLastError(ERROR_INVALID_PARAMETER);
  return 0;
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) {
  internal::LockedWindow record(hwnd);
  if (!record) return internal::RefuseHandle();
  auto swap = [&](auto& field, auto new_value) {
    const LONG_PTR old = static_cast<LONG_PTR>(field);
    field = new_value;
    return old;
  };
  switch (index) {
    case GWL_STYLE: return swap(record->style, static_cast<DWORD>(value));
    case GWL_EXSTYLE: return swap(record->ex_style, static_cast<DWORD>(value));
    case GWLP_ID: return swap(record->id, static_cast<UINT_PTR>(value));
    case GWLP_USERDATA: return swap(record->user_data, value);
    case GWLP_WNDPROC: {
      const LONG_PTR old = reinterpret_cast<LONG_PTR>(record->proc);
      record->proc = reinterpret_cast<WNDPROC>(value);
      return old;
    }
  }
  if (internal::IsDialogRecord(*record)) {
    internal::DialogState& dialog = *record->dialog;
    if (index == DWLP_MSGRESULT) return swap(dialog.msg_result, value);
    if (index == DWLP_USER) return swap(dialog.user, value);
    if (index == DWLP_DLGPROC) {
      const LONG_PTR old = reinterpret_cast<LONG_PTR>(dialog.proc);
      dialog.proc = reinterpret_cast<DLGPROC>(value);
      return old;
    }
  }
  SetLastError(ERROR_INVALID_PARAMETER);
  return 0;
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return proc ? proc(hwnd, message, wParam, lParam) : 0;
}

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* process_id) {
  internal::LockedWindow record(hwnd);
  if (!record) return internal::RefuseHandle();
  if (process_id) *process_id = 1;
  return record->thread_id;
}

}  // namespace ui

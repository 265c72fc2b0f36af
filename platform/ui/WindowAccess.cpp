// Shared helpers of the window system and the thread's last error.
#include "platform/ui/internal/WindowAccess.h"

#include "platform/ui/ControlMessages.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"

namespace ui {

namespace {
thread_local DWORD last_error = 0;
}  // namespace

DWORD GetLastError() { return last_error; }
void SetLastError(DWORD error) { last_error = error; }

namespace internal {

bool RefuseHandle() {
  SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return false;
}

bool IsOnCurrentThread(const WindowRecord& record) { return record.thread_id == CurrentQueue().thread_id(); }

LRESULT CallProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC proc = nullptr;
  {
    internal::LockedWindow record(hwnd);
    if (!record) return RefuseHandle(), 0;
    proc = record->proc;
  }
  return proc ? proc(hwnd, message, wParam, lParam) : 0;
}

DWORD StyleOf(HWND hwnd) {
  internal::LockedWindow record(hwnd);
  return record ? record->style : 0;
}

UINT_PTR IdOf(HWND hwnd) {
  internal::LockedWindow record(hwnd);
  return record ? record->id : 0;
}

HWND ParentOf(HWND hwnd) {
  internal::LockedWindow record(hwnd);
  return record ? record->parent : nullptr;
}

void NotifyParent(HWND control, UINT code) {
  const HWND parent = ParentOf(control);
  if (!parent) return;
  CallProc(parent, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(IdOf(control)), code),
           reinterpret_cast<LPARAM>(control));
}

int DialogUnitsToPixelsX(int units) { return units * 6 / 4; }
int DialogUnitsToPixelsY(int units) { return units * 13 / 8; }

}  // namespace internal
}  // namespace ui

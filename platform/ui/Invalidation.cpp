// Recorded invalidation: the union of invalidated client rectangles per
// window, so that the drawing layer can repaint exactly what is due.
#include <algorithm>
#include <mutex>

#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui {

using internal::TableLock;
using internal::WindowRecord;
using internal::WindowTable;

namespace {

RECT Union(const RECT& a, const RECT& b) {
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

RECT ClientOf(const WindowRecord& record) {
  return RECT{0, 0, record.rect.right - record.rect.left, record.rect.bottom - record.rect.top};
}

RECT Clip(const RECT& r, const RECT& bounds) {
  return RECT{std::max(r.left, bounds.left), std::max(r.top, bounds.top), std::min(r.right, bounds.right),
              std::min(r.bottom, bounds.bottom)};
}

}  // namespace

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  internal::LockedWindow record(hwnd);
  if (!record) return internal::RefuseHandle();
  const RECT area = Clip(rect ? *rect : ClientOf(*record), ClientOf(*record));
  if (IsEmpty(area)) return TRUE;
  record->update_rect = record->update_pending ? Union(record->update_rect, area) : area;
  record->update_pending = true;
  ++record->update_serial;
  record->update_erase = record->update_erase || erase;
  return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
  internal::LockedWindow record(hwnd);
  if (!record) return internal::RefuseHandle();
  // A rectangle is kept as one box: validating part of it keeps the box
  // unless the part covers it.
  const bool covers = !rect || (rect->left <= record->update_rect.left && rect->top <= record->update_rect.top &&
                                rect->right >= record->update_rect.right &&
                                rect->bottom >= record->update_rect.bottom);
  if (covers) {
    record->update_pending = false;
    record->update_erase = false;
    record->update_rect = RECT{};
  }
  return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL) {
  internal::LockedWindow record(hwnd);
  if (!record) return internal::RefuseHandle();
  if (rect) *rect = record->update_pending ? record->update_rect : RECT{};
  return record->update_pending ? TRUE : FALSE;
}

namespace {
std::mutex locked_mutex;
HWND locked_window = nullptr;
}  // namespace

BOOL LockWindowUpdate(HWND hwnd) {
  std::lock_guard lock(locked_mutex);
  if (hwnd && !IsWindow(hwnd)) return internal::RefuseHandle();
  if (hwnd && locked_window && locked_window != hwnd && IsWindow(locked_window)) return FALSE;
  locked_window = hwnd;
  return TRUE;
}

HWND GetLockedWindow() {
  std::lock_guard lock(locked_mutex);
  return IsWindow(locked_window) ? locked_window : nullptr;
}

BOOL UpdateWindow(HWND hwnd) {
  bool due;
  {
    internal::LockedWindow record(hwnd);
    if (!record) return internal::RefuseHandle();
    due = record->update_pending && internal::IsOnCurrentThread(*record);
  }
  if (due && IsWindowVisible(hwnd)) internal::CallProc(hwnd, WM_PAINT, 0, 0);
  return TRUE;
}

}  // namespace ui

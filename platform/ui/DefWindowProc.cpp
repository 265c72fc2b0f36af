// Default handling of the messages every window gets.
#include <algorithm>
#include <cstring>

#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui {

using internal::TableLock;
using internal::WindowRecord;
using internal::WindowTable;

namespace {

LRESULT CopyText(const std::string& text, WPARAM size, LPARAM buffer) {
  char* out = reinterpret_cast<char*>(buffer);
  if (!out || size == 0) return 0;
  const std::size_t count = std::min<std::size_t>(text.size(), static_cast<std::size_t>(size) - 1);
  std::memcpy(out, text.data(), count);
  out[count] = '\0';
  return static_cast<LRESULT>(count);
}

}  // namespace

namespace internal {
// Text of windows that keep it in the record (everything but edits).
LRESULT DefaultText(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  internal::LockedWindow record(hwnd);
  if (!record) return 0;
  switch (message) {
    case WM_SETTEXT:
      record->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
      return TRUE;
    case WM_GETTEXT: return CopyText(record->text, wParam, lParam);
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(record->text.size());
  }
  return 0;
}
}  // namespace internal

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: return TRUE;
    case WM_SETTEXT:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: return internal::DefaultText(hwnd, message, wParam, lParam);
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_PAINT: ValidateRect(hwnd, nullptr); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_NCACTIVATE: return TRUE;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) SendMessage(hwnd, WM_CLOSE, 0, 0);
      return 0;
    case WM_SETFONT: {
      TableLock lock(WindowTable::Get().mutex());
      if (WindowRecord* record = WindowTable::Get().Find(hwnd)) record->font = reinterpret_cast<HFONT>(wParam);
      return 0;
    }
    case WM_GETFONT: {
      internal::LockedWindow record(hwnd);
      return record ? reinterpret_cast<LRESULT>(record->font) : 0;
    }
  }
  return 0;
}

}  // namespace ui

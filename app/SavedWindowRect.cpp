#include "app/SavedWindowRect.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/sys/Format.h"
#include "platform/ui/SystemMetrics.h"

namespace app {

namespace {

// The numbers of `text`, separated by blanks; false when a field is no
// whole number in the range of a coordinate or there are more or fewer
// than `count` of them.
bool ParseFields(const std::string& text, int count, long* values) {
  const char* at = text.c_str();
  for (int i = 0; i < count; ++i) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(at, &end, 10);
    if (end == at || errno == ERANGE || value < INT_MIN / 2 || value > INT_MAX / 2) return false;
    if (*end != '\0' && *end != ' ' && *end != '\t') return false;
    values[i] = value;
    at = end;
  }
  while (*at == ' ' || *at == '\t') ++at;
  return *at == '\0';
}

}  // namespace

std::string FormatWindowCorner(const ui::RECT& rect) { return sys::Format("%04d %04d", rect.left, rect.top); }

std::string FormatWindowRect(const ui::RECT& rect) {
  return sys::Format("%04d %04d %04d %04d", rect.left, rect.top, rect.right, rect.bottom);
}

bool ParseWindowCorner(const std::string& text, ui::POINT& corner) {
  long values[2];
  if (!ParseFields(text, 2, values)) return false;
  corner = {static_cast<ui::LONG>(values[0]), static_cast<ui::LONG>(values[1])};
  return true;
}

bool ParseWindowRect(const std::string& text, ui::RECT& rect) {
  long values[4];
  if (!ParseFields(text, 4, values)) return false;
  if (values[2] <= values[0] || values[3] <= values[1]) return false;
  rect = {static_cast<ui::LONG>(values[0]), static_cast<ui::LONG>(values[1]), static_cast<ui::LONG>(values[2]),
          static_cast<ui::LONG>(values[3])};
  return true;
}

ui::RECT KeepOnScreen(const ui::RECT& rect, const ui::RECT& screen) {
  const ui::LONG width = rect.right - rect.left, height = rect.bottom - rect.top;
  ui::LONG left = std::min(rect.left, screen.right - width);
  ui::LONG top = std::min(rect.top, screen.bottom - height);
  left = std::max(left, screen.left);
  top = std::max(top, screen.top);
  return {left, top, left + width, top + height};
}

ui::RECT CurrentScreen() {
  const int width = ui::GetSystemMetrics(ui::SM_CXVIRTUALSCREEN);
  const int height = ui::GetSystemMetrics(ui::SM_CYVIRTUALSCREEN);
  if (width > 0 && height > 0) {
    const int left = ui::GetSystemMetrics(ui::SM_XVIRTUALSCREEN), top = ui::GetSystemMetrics(ui::SM_YVIRTUALSCREEN);
    return {left, top, left + width, top + height};
  }
  return {0, 0, ui::GetSystemMetrics(ui::SM_CXSCREEN), ui::GetSystemMetrics(ui::SM_CYSCREEN)};
}

}  // namespace app

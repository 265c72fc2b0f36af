// One back buffer per shown top-level window. A window that is never shown
// (the hidden main frame of an unattended run) never gets one, and a
// buffer follows the window's size only while the window is shown.
#include "platform/ui/internal/BackBuffer.h"

#include <cairo.h>

#include <algorithm>

#include "platform/ui/Host.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/WindowAccess.h"
#include "platform/ui/internal/DrawingLibraries.h"

namespace ui {

namespace internal {

namespace {

std::shared_ptr<cairo_surface_t> MakeSurface(int width, int height) {
  // Cairo refuses a 0x0 surface; a collapsed window keeps a 1x1 buffer.
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(width, 1), std::max(height, 1));
  return std::shared_ptr<cairo_surface_t>(surface, cairo_surface_destroy);
}

// What was drawn stays where it was; the rest is new (transparent black
// until painted).
void CopyInto(cairo_surface_t* from, cairo_surface_t* to) {
  cairo_t* cr = cairo_create(to);
  cairo_set_source_surface(cr, from, 0, 0);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  cairo_destroy(cr);
}

}  // namespace

HWND TopLevelOf(HWND hwnd) {
  WindowTable& table = WindowTable::Get();
  TableLock lock(table.mutex());
  WindowRecord* record = table.Find(hwnd);
  while (record && record->parent) {
    hwnd = record->parent;
    record = table.Find(hwnd);
  }
  return record ? hwnd : nullptr;
}

void SyncBackBuffer(HWND hwnd) {
  bool first = false;
  RECT rect;
  {
    LockedWindow record(hwnd);
    if (!record || record->parent || !(record->style & WS_VISIBLE) || record->destroying) return;
    rect = record->rect;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    cairo_surface_t* old = record->back_buffer.get();
    if (old && cairo_image_surface_get_width(old) == std::max(width, 1) &&
        cairo_image_surface_get_height(old) == std::max(height, 1)) {
      // Same size: only a move.
    } else {
      auto surface = MakeSurface(width, height);
      if (old) CopyInto(old, surface.get());
      first = !old;
      record->back_buffer = std::move(surface);
    }
  }
  if (first) GetHost().WindowShown(hwnd, rect);
  else GetHost().WindowMoved(hwnd, rect);
}

void NotifyHidden(HWND hwnd) {
  bool had_buffer;
  {
    LockedWindow record(hwnd);
    had_buffer = record && !record->parent && record->back_buffer;
  }
  if (had_buffer) GetHost().WindowHidden(hwnd);
}

void NotifyDestroyed(HWND hwnd) {
  bool had_buffer;
  {
    LockedWindow record(hwnd);
    had_buffer = record && !record->parent && record->back_buffer;
  }
  if (had_buffer) GetHost().WindowDestroyed(hwnd);
}

}  // namespace internal

cairo_surface_t* GetBackBuffer(HWND hwnd) {
  const HWND top = internal::TopLevelOf(hwnd);
  internal::LockedWindow record(top);
  return record ? record->back_buffer.get() : nullptr;
}

}  // namespace ui

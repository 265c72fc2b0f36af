#include "platform/ui/internal/ScreenComposer.h"

#include <cairo.h>

#include <vector>

#include "platform/ui/DeviceContext.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/WindowAccess.h"
#include "platform/ui/internal/DrawingLibraries.h"

namespace ui::internal {

namespace {

struct Layer {
  std::shared_ptr<cairo_surface_t> buffer;
  RECT rect;
};

// The shown top-level windows, bottom first.
std::vector<Layer> Layers() {
  TableLock lock(WindowTable::Get().mutex());
  std::vector<Layer> layers;
  const std::vector<HWND>& tops = WindowTable::Get().top_levels();
  for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
    WindowRecord* record = WindowTable::Get().Find(*it);
    if (record && (record->style & WS_VISIBLE) && record->back_buffer)
      layers.push_back(Layer{record->back_buffer, record->rect});
  }
  return layers;
}

}  // namespace

cairo_surface_t* ComposeScreen(const RECT& screen) {
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, screen.right - screen.left, screen.bottom - screen.top);
  cairo_t* cr = cairo_create(surface);
  cairo_translate(cr, -screen.left, -screen.top);
  const COLORREF desktop = GetSysColor(COLOR_DESKTOP);
  cairo_set_source_rgb(cr, GetRValue(desktop) / 255.0, GetGValue(desktop) / 255.0, GetBValue(desktop) / 255.0);
  cairo_paint(cr);
  for (const Layer& layer : Layers()) {
    cairo_surface_flush(layer.buffer.get());
    cairo_set_source_surface(cr, layer.buffer.get(), layer.rect.left, layer.rect.top);
    cairo_paint(cr);
  }
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  // Drag outlines are inverted over what the windows show.
  ComposeDesktopOverlay(surface);
  return surface;
}

}  // namespace ui::internal

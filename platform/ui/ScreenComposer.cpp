#include "platform/ui/internal/ScreenComposer.h"

#include <cairo.h>

#include <mutex>
#include <vector>

#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui::internal {

namespace {

std::mutex overlay_mutex;
OverlayPainter overlay_painter;

// The classic desktop colour.
constexpr double kDesktopRed = 0.0, kDesktopGreen = 128.0 / 255, kDesktopBlue = 128.0 / 255;

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

void SetDesktopOverlayPainter(OverlayPainter painter) {
  std::lock_guard lock(overlay_mutex);
  overlay_painter = std::move(painter);
}

cairo_surface_t* ComposeScreen(const RECT& screen) {
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, screen.right - screen.left, screen.bottom - screen.top);
  cairo_t* cr = cairo_create(surface);
  cairo_translate(cr, -screen.left, -screen.top);
  cairo_set_source_rgb(cr, kDesktopRed, kDesktopGreen, kDesktopBlue);
  cairo_paint(cr);
  for (const Layer& layer : Layers()) {
    cairo_surface_flush(layer.buffer.get());
    cairo_set_source_surface(cr, layer.buffer.get(), layer.rect.left, layer.rect.top);
    cairo_paint(cr);
  }
  OverlayPainter painter;
  {
    std::lock_guard lock(overlay_mutex);
    painter = overlay_painter;
  }
  if (painter) painter(cr, screen);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  return surface;
}

}  // namespace ui::internal

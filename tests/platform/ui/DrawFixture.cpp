#include "tests/platform/ui/DrawFixture.h"

#include <algorithm>

namespace ui::test {

MemoryCanvas::MemoryCanvas(int width, int height, bool mono) : width_(width), height_(height) {
  dc_ = CreateCompatibleDC(nullptr);
  bitmap_ = CreateBitmap(width, height, 1, mono ? 1 : 32, nullptr);
  previous_ = SelectObject(dc_, bitmap_);
}

MemoryCanvas::~MemoryCanvas() {
  SelectObject(dc_, previous_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

void MemoryCanvas::Fill(const std::vector<COLORREF>& colors) {
  for (int i = 0; i < static_cast<int>(colors.size()); ++i) SetPixel(dc_, i % width_, i / width_, colors[i]);
}

std::vector<COLORREF> MemoryCanvas::Pixels() const {
  std::vector<COLORREF> out;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) out.push_back(GetPixel(dc_, x, y));
  return out;
}

SurfaceCanvas::SurfaceCanvas(int width, int height, POINT screen_origin, POINT origin, const cairo_region_t* clip) {
  surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(surface_);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_destroy(cr);
  SurfaceTarget target;
  target.surface = surface_;
  target.origin = origin;
  target.screen_origin = screen_origin;
  target.clip = clip;
  dc_ = CreateSurfaceDC(target);
}

SurfaceCanvas::~SurfaceCanvas() {
  ReleaseSurfaceDC(dc_);
  cairo_surface_destroy(surface_);
}

COLORREF SurfaceCanvas::At(int x, int y) const {
  cairo_surface_flush(surface_);
  const auto* row = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(surface_) +
                                                           y * cairo_image_surface_get_stride(surface_));
  const std::uint32_t p = row[x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

RECT SurfaceCanvas::InkBox(COLORREF background) const {
  const int w = cairo_image_surface_get_width(surface_), h = cairo_image_surface_get_height(surface_);
  RECT box{w, h, 0, 0};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (At(x, y) != background) {
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
  return box.right > box.left ? box : RECT{};
}

}  // namespace ui::test

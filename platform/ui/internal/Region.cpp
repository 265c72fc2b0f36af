#include "platform/ui/internal/Region.h"

#include "platform/ui/GdiTypes.h"
#include "platform/ui/internal/DrawingLibraries.h"

namespace ui::internal {

namespace {
cairo_rectangle_int_t ToCairo(const RECT& r) {
  const int width = r.right > r.left ? r.right - r.left : 0;
  const int height = r.bottom > r.top ? r.bottom - r.top : 0;
  return cairo_rectangle_int_t{r.left, r.top, width, height};
}
}  // namespace

Region::Region(const RECT& rect) {
  const cairo_rectangle_int_t r = ToCairo(rect);
  region_ = cairo_region_create_rectangle(&r);
}

Region& Region::operator=(const Region& other) {
  if (this != &other) {
    cairo_region_t* copy = cairo_region_copy(other.region_);
    cairo_region_destroy(region_);
    region_ = copy;
  }
  return *this;
}

RECT Region::Box() const {
  cairo_rectangle_int_t r;
  cairo_region_get_extents(region_, &r);
  if (r.width <= 0 || r.height <= 0) return RECT{};
  return RECT{r.x, r.y, r.x + r.width, r.y + r.height};
}

int Region::Complexity() const {
  const int n = cairo_region_num_rectangles(region_);
  return n == 0 ? NULLREGION : n == 1 ? SIMPLEREGION : COMPLEXREGION;
}

std::vector<RECT> Region::Rects() const {
  const int n = cairo_region_num_rectangles(region_);
  std::vector<RECT> out;
  out.reserve(n);
  for (int i = 0; i < n; ++i) {
    cairo_rectangle_int_t r;
    cairo_region_get_rectangle(region_, i, &r);
    out.push_back(RECT{r.x, r.y, r.x + r.width, r.y + r.height});
  }
  return out;
}

void Region::Intersect(const RECT& rect) {
  const cairo_rectangle_int_t r = ToCairo(rect);
  cairo_region_intersect_rectangle(region_, &r);
}

void Region::Subtract(const RECT& rect) {
  const cairo_rectangle_int_t r = ToCairo(rect);
  cairo_region_subtract_rectangle(region_, &r);
}

}  // namespace ui::internal

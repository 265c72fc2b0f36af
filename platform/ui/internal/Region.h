// A value wrapper of cairo_region_t: a union of pixel rectangles.
#pragma once

#include <cairo.h>

#include <vector>

#include "platform/ui/Types.h"
#include "platform/ui/internal/DrawingLibraries.h"

namespace ui::internal {

class Region {
 public:
  Region() : region_(cairo_region_create()) {}
  explicit Region(const RECT& rect);
  explicit Region(cairo_region_t* adopted) : region_(adopted) {}
  Region(const Region& other) : region_(cairo_region_copy(other.region_)) {}
  Region& operator=(const Region& other);
  ~Region() { cairo_region_destroy(region_); }

  cairo_region_t* get() const { return region_; }
  bool Empty() const { return cairo_region_is_empty(region_); }
  RECT Box() const;
  int Complexity() const;  // NULLREGION, SIMPLEREGION or COMPLEXREGION
  std::vector<RECT> Rects() const;
  void Intersect(const Region& other) { cairo_region_intersect(region_, other.region_); }
  void Intersect(const RECT& rect);
  void Subtract(const RECT& rect);
  void Offset(int dx, int dy) { cairo_region_translate(region_, dx, dy); }

 private:
  cairo_region_t* region_;
};

}  // namespace ui::internal

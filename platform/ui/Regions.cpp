// Regions: unions of pixel rectangles on cairo_region_t. A polygon region
// is built row by row from the polygon's scan-line spans.
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/ui/GdiObjects.h"
#include "platform/ui/internal/GdiAccess.h"
#include "platform/ui/internal/DrawingLibraries.h"

namespace ui {

using namespace internal;

namespace {

HRGN AddRegion(Region region) {
  auto object = std::make_shared<RegionObject>();
  object->region = std::move(region);
  return static_cast<HRGN>(GdiTable::Get().Add(object));
}

RECT Normalized(int left, int top, int right, int bottom) {
  return RECT{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

}  // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  return AddRegion(Region(Normalized(left, top, right, bottom)));
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
  if (!rect) return nullptr;
  return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

HRGN CreatePolygonRgn(const POINT* points, int count, int fill_mode) {
  if (!points || count < 3) return count >= 0 && points ? AddRegion(Region()) : nullptr;
  LONG top = points[0].y, bottom = points[0].y;
  for (int i = 1; i < count; ++i) {
    top = std::min(top, points[i].y);
    bottom = std::max(bottom, points[i].y);
  }
  Region region;
  std::vector<std::pair<double, int>> crossings;  // x and winding direction
  for (LONG y = top; y < bottom; ++y) {
    // Pixel rows are sampled through their centres.
    const double sy = y + 0.5;
    crossings.clear();
    for (int i = 0; i < count; ++i) {
      const POINT& a = points[i];
      const POINT& b = points[(i + 1) % count];
      if ((a.y <= sy) == (b.y <= sy)) continue;
      const double x = a.x + (sy - a.y) * (b.x - a.x) / static_cast<double>(b.y - a.y);
      crossings.emplace_back(x, b.y > a.y ? 1 : -1);
    }
    std::sort(crossings.begin(), crossings.end());
    int winding = 0;
    for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
      winding += crossings[i].second;
      const bool inside = fill_mode == WINDING ? winding != 0 : (i % 2) == 0;
      if (!inside) continue;
      // A pixel belongs to the span when its centre lies inside.
      const auto left = static_cast<int>(std::ceil(crossings[i].first - 0.5));
      const auto right = static_cast<int>(std::ceil(crossings[i + 1].first - 0.5));
      if (right > left) {
        const cairo_rectangle_int_t span{left, static_cast<int>(y), right - left, 1};
        cairo_region_union_rectangle(region.get(), &span);
      }
    }
  }
  return AddRegion(std::move(region));
}

BOOL SetRectRgn(HRGN handle, int left, int top, int right, int bottom) {
  auto region = FindRegion(handle);
  if (!region) return FALSE;
  region->region = Region(Normalized(left, top, right, bottom));
  return TRUE;
}

int CombineRgn(HRGN destination, HRGN a, HRGN b, int mode) {
  auto out = FindRegion(destination);
  auto first = FindRegion(a);
  if (!out || !first) return RGN_ERROR;
  Region result = first->region;
  if (mode != RGN_COPY) {
    auto second = FindRegion(b);
    if (!second) return RGN_ERROR;
    switch (mode) {
      case RGN_AND:
        cairo_region_intersect(result.get(), second->region.get());
        break;
      case RGN_OR:
        cairo_region_union(result.get(), second->region.get());
        break;
      case RGN_XOR:
        cairo_region_xor(result.get(), second->region.get());
        break;
      case RGN_DIFF:
        cairo_region_subtract(result.get(), second->region.get());
        break;
      default:
        return RGN_ERROR;
    }
  }
  out->region = std::move(result);
  return out->region.Complexity();
}

int OffsetRgn(HRGN handle, int dx, int dy) {
  auto region = FindRegion(handle);
  if (!region) return RGN_ERROR;
  region->region.Offset(dx, dy);
  return region->region.Complexity();
}

int GetRgnBox(HRGN handle, RECT* box) {
  auto region = FindRegion(handle);
  if (!region || !box) return RGN_ERROR;
  *box = region->region.Box();
  return region->region.Complexity();
}

BOOL PtInRegion(HRGN handle, int x, int y) {
  auto region = FindRegion(handle);
  return region && cairo_region_contains_point(region->region.get(), x, y) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN handle, const RECT* rect) {
  auto region = FindRegion(handle);
  if (!region || !rect) return FALSE;
  Region probe(Normalized(rect->left, rect->top, rect->right, rect->bottom));
  probe.Intersect(region->region);
  return probe.Empty() ? FALSE : TRUE;
}

BOOL EqualRgn(HRGN a, HRGN b) {
  auto first = FindRegion(a);
  auto second = FindRegion(b);
  if (!first || !second) return FALSE;
  return cairo_region_equal(first->region.get(), second->region.get()) ? TRUE : FALSE;
}

}  // namespace ui

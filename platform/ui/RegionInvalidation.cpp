// The region-handle forms of invalidation, for callers holding an HRGN.
#include <cairo.h>

#include "platform/ui/Window.h"
#include "platform/ui/internal/GdiAccess.h"
#include "platform/ui/internal/Painting.h"
#include "platform/ui/internal/WindowAccess.h"
#include "platform/ui/internal/DrawingLibraries.h"

namespace ui {

namespace internal {

std::shared_ptr<cairo_region_t> RegionFromHandle(HRGN region) {
  const auto object = FindRegion(region);
  if (!object) return nullptr;
  return std::shared_ptr<cairo_region_t>(cairo_region_copy(object->region.get()), cairo_region_destroy);
}

int StoreRegionInHandle(HRGN region, const cairo_region_t* area) {
  const auto object = FindRegion(region);
  if (!object) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return RGN_ERROR;
  }
  object->region = Region(cairo_region_copy(area));
  return object->region.Complexity();
}

}  // namespace internal

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags) {
  if (!region) return internal::RedrawRegion(hwnd, rect, nullptr, flags);
  const auto area = internal::RegionFromHandle(region);
  if (!area) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return internal::RedrawRegion(hwnd, rect, area.get(), flags);
}

BOOL InvalidateRgn(HWND hwnd, HRGN region, BOOL erase) {
  if (!region) return InvalidateRect(hwnd, nullptr, erase);
  return RedrawWindow(hwnd, nullptr, region, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRgn(HWND hwnd, HRGN region) {
  if (!region) return ValidateRect(hwnd, nullptr);
  return RedrawWindow(hwnd, nullptr, region, RDW_VALIDATE | RDW_NOCHILDREN);
}

int GetUpdateRgn(HWND hwnd, HRGN region, BOOL) {
  const auto copy = internal::CopyUpdateRegion(hwnd);
  if (!copy) return internal::RefuseHandle(), RGN_ERROR;
  return internal::StoreRegionInHandle(region, copy.get());
}

}  // namespace ui

// The paint pipeline's shared parts: update state, the contexts windows
// paint with, and the non-client painting.
#pragma once

#include <memory>

#include "platform/ui/GdiTypes.h"
#include "platform/ui/Types.h"

typedef struct _cairo_region cairo_region_t;

namespace ui::internal {

// RedrawWindow with the area as a Cairo region (client coordinates).
BOOL RedrawRegion(HWND hwnd, const RECT* rect, const cairo_region_t* region, UINT flags);
// Takes what is due: the update region (null when empty) and whether the
// background and the frame were due; the window is then validated.
std::shared_ptr<cairo_region_t> TakeUpdate(HWND hwnd, bool& erase, bool& frame);
// A copy of the update region (empty when nothing is due); null for a bad window.
std::shared_ptr<cairo_region_t> CopyUpdateRegion(HWND hwnd);
// Takes only the frame and background flags, leaving the region.
bool TakeFrameAndErase(HWND hwnd, bool& erase, bool& frame);
// Sends WM_NCPAINT and WM_ERASEBKGND if due, not WM_PAINT.
void PaintFrameAndBackground(HWND hwnd);
// WM_PAINT through the loop's rules: a handler that neither validates nor
// invalidates again has painted what was due.
LRESULT DispatchPaint(HWND hwnd);
// Invalidates the part of a child's parent that the child covers (or
// `rect`, the parent's client coordinates, when given), with erase.
void InvalidateParentArea(HWND child, const RECT* rect = nullptr);
// True when `hwnd` is, or is inside, the window LockWindowUpdate froze.
bool IsUpdateLocked(HWND hwnd);

// A copy of a region handle's area (null for a bad handle), and storing an
// area into a region handle (the region kind, RGN_ERROR for a bad handle).
std::shared_ptr<cairo_region_t> RegionFromHandle(HRGN region);
int StoreRegionInHandle(HRGN region, const cairo_region_t* area);

// DefWindowProc's painting: the frame (WM_NCPAINT) and the background with
// the class brush (WM_ERASEBKGND; true when it painted).
void PaintNonClient(HWND hwnd);
bool EraseBackground(HWND hwnd, HDC hdc);

}  // namespace ui::internal

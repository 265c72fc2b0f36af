// Update regions: what of each window is due to be painted, in client
// coordinates, and the calls that add to it, take from it and paint it
// now. Invalidation passes on to children unless the window clips them.
#include <cairo.h>

#include <algorithm>
#include <mutex>

#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/Painting.h"
#include "platform/ui/internal/WindowAccess.h"
#include "platform/ui/internal/DrawingLibraries.h"

namespace ui {

using internal::LockedWindow;
using internal::TableLock;
using internal::WindowRecord;
using internal::WindowTable;

bool internal::WindowRecord::PaintDue() const {
  return (update_region && !cairo_region_is_empty(update_region.get())) || update_frame || internal_paint;
}

namespace {

using RegionPtr = std::shared_ptr<cairo_region_t>;

RegionPtr MakeRegion(const RECT& r) {
  const cairo_rectangle_int_t box{r.left, r.top, std::max<int>(r.right - r.left, 0), std::max<int>(r.bottom - r.top, 0)};
  return RegionPtr(cairo_region_create_rectangle(&box), cairo_region_destroy);
}

RegionPtr CopyRegion(const cairo_region_t* region) {
  return RegionPtr(cairo_region_copy(region), cairo_region_destroy);
}

RECT ClientSize(const WindowRecord& record) {
  return RECT{0, 0, record.client.right - record.client.left, record.client.bottom - record.client.top};
}

// The area a call names, clipped to the client area; null region and rect:
// the whole client area.
RegionPtr AreaOf(const WindowRecord& record, const RECT* rect, const cairo_region_t* region) {
  RegionPtr area = region ? CopyRegion(region) : MakeRegion(rect ? *rect : ClientSize(record));
  if (region && rect) {
    const RegionPtr box = MakeRegion(*rect);
    cairo_region_intersect(area.get(), box.get());
  }
  const RegionPtr client = MakeRegion(ClientSize(record));
  cairo_region_intersect(area.get(), client.get());
  return area;
}

bool Overlaps(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Changes the update state of one window and, as the flags and the
// window's styles say, its children; caller holds the table lock.
void Redraw(WindowRecord& record, const cairo_region_t* area, UINT flags, std::vector<HWND>& to_update) {
  if (flags & RDW_INVALIDATE) {
    if (!cairo_region_is_empty(area)) {
      if (!record.update_region) record.update_region = CopyRegion(area);
      else cairo_region_union(record.update_region.get(), area);
      if (flags & RDW_ERASE) record.update_erase = true;
      ++record.update_serial;
    }
    if (flags & RDW_FRAME) {
      record.update_frame = true;
      ++record.update_serial;
    }
  }
  if (flags & RDW_INTERNALPAINT) record.internal_paint = true;
  if (flags & RDW_VALIDATE) {
    if (record.update_region) {
      cairo_region_subtract(record.update_region.get(), area);
      if (cairo_region_is_empty(record.update_region.get())) {
        record.update_region.reset();
        record.update_erase = false;
      }
    }
    if (flags & RDW_NOFRAME) record.update_frame = false;
  }
  if (flags & RDW_NOINTERNALPAINT) record.internal_paint = false;
  if (flags & RDW_NOERASE) record.update_erase = false;
  if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) to_update.push_back(record.handle);

  const bool children = (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(record.style & WS_CLIPCHILDREN));
  if (!children) return;
  for (HWND child : record.children) {
    WindowRecord* c = WindowTable::Get().Find(child);
    if (!c || !(c->style & WS_VISIBLE)) continue;
    // The area in the child's client coordinates, within the child.
    RegionPtr part = CopyRegion(area);
    cairo_region_translate(part.get(), record.client.left - c->client.left, record.client.top - c->client.top);
    const RECT window_in_area{c->rect.left - record.client.left, c->rect.top - record.client.top,
                              c->rect.right - record.client.left, c->rect.bottom - record.client.top};
    cairo_rectangle_int_t bounds;
    cairo_region_get_extents(area, &bounds);
    const RECT area_box{bounds.x, bounds.y, bounds.x + bounds.width, bounds.y + bounds.height};
    if (!Overlaps(window_in_area, area_box) && !(flags & RDW_VALIDATE)) continue;
    const RegionPtr client = MakeRegion(ClientSize(*c));
    cairo_region_intersect(part.get(), client.get());
    // A child's frame is in the area as soon as any of the child is.
    UINT child_flags = flags & ~RDW_FRAME;
    if ((flags & RDW_INVALIDATE) && c->rect != c->client && Overlaps(window_in_area, area_box)) child_flags |= RDW_FRAME;
    Redraw(*c, part.get(), child_flags, to_update);
  }
}

// Paints what is due now (the frame and background only with
// RDW_ERASENOW and not RDW_UPDATENOW).
void PaintNow(HWND hwnd, UINT flags) {
  if (!IsWindow(hwnd) || !IsWindowVisible(hwnd)) return;
  if (flags & RDW_UPDATENOW) {
    UpdateWindow(hwnd);
  } else {
    internal::PaintFrameAndBackground(hwnd);
  }
}

}  // namespace

namespace internal {

BOOL RedrawRegion(HWND hwnd, const RECT* rect, const cairo_region_t* region, UINT flags) {
  std::vector<HWND> to_update;
  {
    TableLock lock(WindowTable::Get().mutex());
    if (!hwnd) {
      for (HWND top : WindowTable::Get().top_levels())
        if (WindowRecord* record = WindowTable::Get().Find(top))
          Redraw(*record, AreaOf(*record, nullptr, nullptr).get(), flags | RDW_FRAME, to_update);
    } else {
      WindowRecord* record = WindowTable::Get().Find(hwnd);
      if (!record) return RefuseHandle();
      Redraw(*record, AreaOf(*record, rect, region).get(), flags, to_update);
    }
  }
  for (HWND target : to_update) PaintNow(target, flags);
  return TRUE;
}

RegionPtr CopyUpdateRegion(HWND hwnd) {
  LockedWindow record(hwnd);
  if (!record) return nullptr;
  return record->update_region ? CopyRegion(record->update_region.get()) : MakeRegion(RECT{});
}

RegionPtr TakeUpdate(HWND hwnd, bool& erase, bool& frame) {
  LockedWindow record(hwnd);
  if (!record) return nullptr;
  RegionPtr region = std::move(record->update_region);
  erase = record->update_erase;
  frame = record->update_frame;
  record->update_erase = false;
  record->update_frame = false;
  record->internal_paint = false;
  return region;
}

bool TakeFrameAndErase(HWND hwnd, bool& erase, bool& frame) {
  LockedWindow record(hwnd);
  if (!record) return false;
  erase = record->update_erase && record->update_region;
  frame = record->update_frame;
  record->update_erase = false;
  record->update_frame = false;
  return true;
}

}  // namespace internal

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  return internal::RedrawRegion(hwnd, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
  return internal::RedrawRegion(hwnd, rect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN | (rect ? 0 : RDW_NOFRAME));
}

BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL) {
  LockedWindow record(hwnd);
  if (!record) return internal::RefuseHandle();
  RECT bounds{};
  if (record->update_region) {
    cairo_rectangle_int_t box;
    cairo_region_get_extents(record->update_region.get(), &box);
    bounds = RECT{box.x, box.y, box.x + box.width, box.y + box.height};
  }
  if (rect) *rect = bounds;
  return record->PaintDue() ? TRUE : FALSE;
}

namespace {
std::mutex locked_mutex;
HWND locked_window = nullptr;
}  // namespace

BOOL LockWindowUpdate(HWND hwnd) {
  HWND thawed = nullptr;
  {
    std::lock_guard lock(locked_mutex);
    if (hwnd && !IsWindow(hwnd)) return internal::RefuseHandle();
    if (hwnd && locked_window && locked_window != hwnd && IsWindow(locked_window)) return FALSE;
    if (!hwnd) thawed = locked_window;
    locked_window = hwnd;
  }
  // What was drawn while frozen went nowhere: the whole window is due.
  if (thawed && IsWindow(thawed))
    internal::RedrawRegion(thawed, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  return TRUE;
}

HWND GetLockedWindow() {
  std::lock_guard lock(locked_mutex);
  return IsWindow(locked_window) ? locked_window : nullptr;
}

namespace internal {
void InvalidateParentArea(HWND child, const RECT* rect) {
  HWND parent;
  RECT area;
  {
    LockedWindow record(child);
    if (!record || !record->parent) return;
    parent = record->parent;
    WindowRecord* p = WindowTable::Get().Find(parent);
    if (!p) return;
    area = rect ? *rect
                : RECT{record->rect.left - p->client.left, record->rect.top - p->client.top,
                       record->rect.right - p->client.left, record->rect.bottom - p->client.top};
  }
  RedrawRegion(parent, &area, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

bool IsUpdateLocked(HWND hwnd) {
  const HWND locked = GetLockedWindow();
  return locked && (locked == hwnd || IsChild(locked, hwnd));
}
}  // namespace internal

BOOL UpdateWindow(HWND hwnd) {
  bool due;
  {
    LockedWindow record(hwnd);
    if (!record) return internal::RefuseHandle();
    due = record->PaintDue() && internal::IsOnCurrentThread(*record);
  }
  if (due && IsWindowVisible(hwnd) && !internal::IsUpdateLocked(hwnd)) internal::DispatchPaint(hwnd);
  return TRUE;
}

}  // namespace ui

// Device contexts: creation over surfaces and bitmaps, selected objects,
// colours and modes, origins and clipping.
#include "platform/ui/DeviceContext.h"

#include <algorithm>
#include <mutex>

#include "platform/ui/GdiObjects.h"
#include "platform/ui/Host.h"
#include "platform/ui/internal/GdiAccess.h"
#include "platform/ui/internal/DrawingLibraries.h"

namespace ui {

using namespace internal;

namespace {

HDC AddDc(std::shared_ptr<DcRecord> dc) {
  dc->state.pen = DefaultPen();
  dc->state.brush = DefaultBrush();
  dc->state.font = DefaultFont();
  return static_cast<HDC>(GdiTable::Get().AddDc(std::move(dc)));
}

std::mutex g_overlay_mutex;
cairo_surface_t* g_overlay = nullptr;

}  // namespace

HDC CreateSurfaceDC(const SurfaceTarget& target) {
  if (!target.surface || cairo_surface_get_type(target.surface) != CAIRO_SURFACE_TYPE_IMAGE ||
      cairo_image_surface_get_format(target.surface) != CAIRO_FORMAT_ARGB32)
    return nullptr;
  return AddDc(std::make_shared<DcRecord>(target.surface, target.origin, target.screen_origin, target.clip,
                                          target.hwnd));
}

BOOL ReleaseSurfaceDC(HDC hdc) { return DeleteDC(hdc); }

BOOL SetSurfaceClip(HDC hdc, const cairo_region_t* clip) {
  auto dc = FindDc(hdc);
  if (!dc || dc->is_memory()) return FALSE;
  dc->SetBaseClip(clip);
  dc->state.user_clip.reset();
  dc->ClipChanged();
  return TRUE;
}

cairo_surface_t* GetDesktopOverlay() {
  std::lock_guard lock(g_overlay_mutex);
  if (!g_overlay) {
    const RECT screen = GetHost().ScreenRect();
    // New image surfaces are all zero: nothing inverted yet.
    g_overlay = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, screen.right - screen.left, screen.bottom - screen.top);
  }
  return g_overlay;
}

void ClearDesktopOverlay() {
  cairo_surface_t* overlay = GetDesktopOverlay();
  cairo_surface_flush(overlay);
  unsigned char* data = cairo_image_surface_get_data(overlay);
  std::fill(data, data + cairo_image_surface_get_stride(overlay) * cairo_image_surface_get_height(overlay), 0);
  cairo_surface_mark_dirty(overlay);
}

void ComposeDesktopOverlay(cairo_surface_t* screen) {
  cairo_surface_t* overlay = GetDesktopOverlay();
  if (!screen || cairo_image_surface_get_width(screen) != cairo_image_surface_get_width(overlay) ||
      cairo_image_surface_get_height(screen) != cairo_image_surface_get_height(overlay))
    return;
  cairo_surface_flush(overlay);
  cairo_surface_flush(screen);
  const int height = cairo_image_surface_get_height(screen), width = cairo_image_surface_get_width(screen);
  for (int y = 0; y < height; ++y) {
    const auto* in = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(overlay) +
                                                            y * cairo_image_surface_get_stride(overlay));
    auto* out = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(screen) +
                                                 y * cairo_image_surface_get_stride(screen));
    for (int x = 0; x < width; ++x) out[x] ^= in[x] & 0xFFFFFFu;
  }
  cairo_surface_mark_dirty(screen);
}

HDC CreateDesktopDC() {
  SurfaceTarget target;
  target.surface = GetDesktopOverlay();
  const RECT screen = GetHost().ScreenRect();
  target.screen_origin = POINT{screen.left, screen.top};
  return CreateSurfaceDC(target);
}

HDC CreateCompatibleDC(HDC hdc) {
  if (hdc && !FindDc(hdc)) return nullptr;
  // A new memory context holds the stock 1x1 monochrome bitmap until
  // another is selected.
  return AddDc(std::make_shared<DcRecord>(DefaultBitmap()));
}

BOOL DeleteDC(HDC hdc) {
  auto dc = FindDc(hdc);
  if (!dc) return FALSE;
  const bool desktop = [&] {
    std::lock_guard lock(g_overlay_mutex);
    return g_overlay != nullptr && dc->surface() == g_overlay;
  }();
  dc.reset();
  if (!GdiTable::Get().Remove(hdc)) return FALSE;
  // What was drawn on the desktop shows once the drawer lets go of it.
  if (desktop) GetHost().DesktopOverlayChanged();
  return TRUE;
}

HWND WindowFromDC(HDC hdc) {
  auto dc = FindDc(hdc);
  return dc ? dc->hwnd() : nullptr;
}

int SaveDC(HDC hdc) {
  auto dc = FindDc(hdc);
  if (!dc) return 0;
  dc->saved.push_back(dc->state);
  return static_cast<int>(dc->saved.size());
}

BOOL RestoreDC(HDC hdc, int saved) {
  auto dc = FindDc(hdc);
  if (!dc) return FALSE;
  const int count = static_cast<int>(dc->saved.size());
  const int level = saved < 0 ? count + saved + 1 : saved;
  if (level < 1 || level > count) return FALSE;
  dc->state = dc->saved[level - 1];
  dc->saved.resize(level - 1);
  dc->ClipChanged();
  return TRUE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ handle) {
  auto dc = FindDc(hdc);
  std::shared_ptr<GdiObject> object = GdiTable::Get().Find(handle);
  if (!dc || !object) return nullptr;
  DcState& s = dc->state;
  switch (object->type) {
    case OBJ_PEN: {
      void* previous = s.pen ? s.pen->handle : nullptr;
      s.pen = std::static_pointer_cast<PenObject>(object);
      return previous;
    }
    case OBJ_BRUSH: {
      void* previous = s.brush ? s.brush->handle : nullptr;
      s.brush = std::static_pointer_cast<BrushObject>(object);
      return previous;
    }
    case OBJ_FONT: {
      void* previous = s.font ? s.font->handle : nullptr;
      s.font = std::static_pointer_cast<FontObject>(object);
      return previous;
    }
    case OBJ_BITMAP: {
      if (!dc->is_memory()) return nullptr;
      void* previous = s.bitmap ? s.bitmap->handle : nullptr;
      s.bitmap = std::static_pointer_cast<BitmapObject>(object);
      dc->TargetChanged();
      return previous;
    }
    case OBJ_REGION: {
      const int result = SelectClipRgn(hdc, static_cast<HRGN>(handle));
      return reinterpret_cast<HGDIOBJ>(static_cast<std::intptr_t>(result));
    }
    default:
      return nullptr;
  }
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
  auto dc = FindDc(hdc);
  if (!dc) return nullptr;
  switch (type) {
    case OBJ_PEN:
      return dc->state.pen ? dc->state.pen->handle : nullptr;
    case OBJ_BRUSH:
      return dc->state.brush ? dc->state.brush->handle : nullptr;
    case OBJ_FONT:
      return dc->state.font ? dc->state.font->handle : nullptr;
    case OBJ_BITMAP:
      return dc->state.bitmap ? dc->state.bitmap->handle : nullptr;
    default:
      return nullptr;
  }
}

namespace {

template <typename T, typename Field>
T Exchange(HDC hdc, T value, T failure, Field field) {
  auto dc = FindDc(hdc);
  if (!dc) return failure;
  T& slot = field(dc->state);
  const T previous = slot;
  slot = value;
  return previous;
}

}  // namespace

COLORREF SetTextColor(HDC hdc, COLORREF color) {
  return Exchange<COLORREF>(hdc, color & 0xFFFFFF, CLR_INVALID, [](DcState& s) -> COLORREF& { return s.text_color; });
}
COLORREF GetTextColor(HDC hdc) {
  auto dc = FindDc(hdc);
  return dc ? dc->state.text_color : CLR_INVALID;
}
COLORREF SetBkColor(HDC hdc, COLORREF color) {
  return Exchange<COLORREF>(hdc, color & 0xFFFFFF, CLR_INVALID, [](DcState& s) -> COLORREF& { return s.bk_color; });
}
COLORREF GetBkColor(HDC hdc) {
  auto dc = FindDc(hdc);
  return dc ? dc->state.bk_color : CLR_INVALID;
}
int SetBkMode(HDC hdc, int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) return 0;
  return Exchange<int>(hdc, mode, 0, [](DcState& s) -> int& { return s.bk_mode; });
}
int GetBkMode(HDC hdc) {
  auto dc = FindDc(hdc);
  return dc ? dc->state.bk_mode : 0;
}
int SetStretchBltMode(HDC hdc, int mode) {
  return Exchange<int>(hdc, mode, 0, [](DcState& s) -> int& { return s.stretch_mode; });
}
int SetPolyFillMode(HDC hdc, int mode) {
  if (mode != ALTERNATE && mode != WINDING) return 0;
  return Exchange<int>(hdc, mode, 0, [](DcState& s) -> int& { return s.poly_fill_mode; });
}

BOOL SetViewportOrgEx(HDC hdc, int x, int y, POINT* previous) {
  auto dc = FindDc(hdc);
  if (!dc) return FALSE;
  if (previous) *previous = dc->state.viewport;
  dc->state.viewport = POINT{x, y};
  return TRUE;
}

BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, POINT* previous) {
  auto dc = FindDc(hdc);
  if (!dc) return FALSE;
  if (previous) *previous = dc->state.viewport;
  dc->state.viewport.x += dx;
  dc->state.viewport.y += dy;
  return TRUE;
}

BOOL GetViewportOrgEx(HDC hdc, POINT* origin) {
  auto dc = FindDc(hdc);
  if (!dc || !origin) return FALSE;
  *origin = dc->state.viewport;
  return TRUE;
}

BOOL SetBrushOrgEx(HDC hdc, int x, int y, POINT* previous) {
  auto dc = FindDc(hdc);
  if (!dc) return FALSE;
  if (previous) *previous = dc->state.brush_origin;
  dc->state.brush_origin = POINT{x, y};
  return TRUE;
}

BOOL GetDCOrgEx(HDC hdc, POINT* origin) {
  auto dc = FindDc(hdc);
  if (!dc || !origin) return FALSE;
  *origin = dc->ScreenOrigin();
  return TRUE;
}

namespace {

// Combines the context's clip (device coordinates) with `region`.
int CombineClip(DcRecord& dc, const Region* region, int mode) {
  const Region whole(RECT{0, 0, dc.width(), dc.height()});
  Region current = dc.state.user_clip ? *dc.state.user_clip : whole;
  Region result;
  switch (mode) {
    case RGN_COPY:
      if (!region) {
        dc.state.user_clip.reset();
        dc.ClipChanged();
        return SIMPLEREGION;
      }
      result = *region;
      break;
    case RGN_AND:
      result = current;
      cairo_region_intersect(result.get(), region->get());
      break;
    case RGN_OR:
      result = current;
      cairo_region_union(result.get(), region->get());
      break;
    case RGN_XOR:
      result = current;
      cairo_region_xor(result.get(), region->get());
      break;
    case RGN_DIFF:
      result = current;
      cairo_region_subtract(result.get(), region->get());
      break;
    default:
      return RGN_ERROR;
  }
  dc.state.user_clip = std::move(result);
  dc.ClipChanged();
  return dc.Clip().Complexity();
}

}  // namespace

int SelectClipRgn(HDC hdc, HRGN region) { return ExtSelectClipRgn(hdc, region, RGN_COPY); }

int ExtSelectClipRgn(HDC hdc, HRGN handle, int mode) {
  auto dc = FindDc(hdc);
  if (!dc) return RGN_ERROR;
  if (!handle) {
    if (mode != RGN_COPY) return RGN_ERROR;
    return CombineClip(*dc, nullptr, RGN_COPY);
  }
  auto region = FindRegion(handle);
  if (!region) return RGN_ERROR;
  // Region coordinates are device coordinates relative to the context's
  // own origin, as a window's clip is relative to the window.
  Region device = region->region;
  device.Offset(dc->DeviceOffset().x - dc->state.viewport.x, dc->DeviceOffset().y - dc->state.viewport.y);
  return CombineClip(*dc, &device, mode);
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
  auto dc = FindDc(hdc);
  if (!dc) return RGN_ERROR;
  const Region rect(dc->ToDevice(RECT{left, top, right, bottom}));
  return CombineClip(*dc, &rect, RGN_DIFF);
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
  auto dc = FindDc(hdc);
  if (!dc) return RGN_ERROR;
  const Region rect(dc->ToDevice(RECT{left, top, right, bottom}));
  return CombineClip(*dc, &rect, RGN_AND);
}

int OffsetClipRgn(HDC hdc, int dx, int dy) {
  auto dc = FindDc(hdc);
  if (!dc) return RGN_ERROR;
  if (dc->state.user_clip) dc->state.user_clip->Offset(dx, dy);
  dc->ClipChanged();
  return dc->Clip().Complexity();
}

int GetClipBox(HDC hdc, RECT* rect) {
  auto dc = FindDc(hdc);
  if (!dc || !rect) return RGN_ERROR;
  const Region& clip = dc->Clip();
  *rect = clip.Empty() ? RECT{} : dc->ToLogical(clip.Box());
  return clip.Complexity();
}

int GetClipRgn(HDC hdc, HRGN handle) {
  auto dc = FindDc(hdc);
  auto region = FindRegion(handle);
  if (!dc || !region) return -1;
  if (!dc->state.user_clip) return 0;
  region->region = *dc->state.user_clip;
  region->region.Offset(-(dc->DeviceOffset().x - dc->state.viewport.x), -(dc->DeviceOffset().y - dc->state.viewport.y));
  return 1;
}

BOOL PtVisible(HDC hdc, int x, int y) {
  auto dc = FindDc(hdc);
  if (!dc) return FALSE;
  const POINT p = dc->ToDevice(x, y);
  return cairo_region_contains_point(dc->Clip().get(), p.x, p.y) ? TRUE : FALSE;
}

BOOL RectVisible(HDC hdc, const RECT* rect) {
  auto dc = FindDc(hdc);
  if (!dc || !rect) return FALSE;
  Region probe(dc->ToDevice(*rect));
  probe.Intersect(dc->Clip());
  return probe.Empty() ? FALSE : TRUE;
}

int GetDeviceCaps(HDC hdc, int index) {
  auto dc = FindDc(hdc);
  if (!dc) return 0;
  switch (index) {
    case BITSPIXEL:
      return dc->monochrome() ? 1 : 32;
    case PLANES:
      return 1;
    case LOGPIXELSX:
    case LOGPIXELSY:
      return 96;
    case HORZRES:
      return dc->width();
    case VERTRES:
      return dc->height();
    default:
      return 0;
  }
}

BOOL WriteSurfacePng(cairo_surface_t* surface, const char* path) {
  if (!surface || !path) return FALSE;
  cairo_surface_flush(surface);
  return cairo_surface_write_to_png(surface, path) == CAIRO_STATUS_SUCCESS ? TRUE : FALSE;
}

BOOL WriteDCPng(HDC hdc, const char* path) {
  auto dc = FindDc(hdc);
  if (!dc) return FALSE;
  return WriteSurfacePng(dc->surface(), path);
}

}  // namespace ui

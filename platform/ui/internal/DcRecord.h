// Everything a device context keeps: its target (a surface with an origin
// and a base clip, or the bitmap selected into a memory context), the
// selected objects, colours and modes, the clip the drawer selected, and
// the states SaveDC pushed. Clips are kept in surface (device)
// coordinates, so moving the viewport origin later does not move them.
#pragma once

#include <cairo.h>

#include <memory>
#include <optional>
#include <vector>

#include "platform/ui/GdiTypes.h"
#include "platform/ui/internal/GdiObject.h"
#include "platform/ui/internal/Region.h"
#include "platform/ui/internal/DrawingLibraries.h"

namespace ui::internal {

struct DcState {
  std::shared_ptr<PenObject> pen;
  std::shared_ptr<BrushObject> brush;
  std::shared_ptr<FontObject> font;
  std::shared_ptr<BitmapObject> bitmap;  // memory contexts only
  COLORREF text_color = 0;
  COLORREF bk_color = 0xFFFFFF;
  int bk_mode = OPAQUE;
  int stretch_mode = BLACKONWHITE;
  int poly_fill_mode = ALTERNATE;
  UINT text_align = 0;
  POINT viewport;
  POINT brush_origin;
  POINT current;
  std::optional<Region> user_clip;  // device coordinates
};

class DcRecord {
 public:
  // A context over an image surface (referenced).
  DcRecord(cairo_surface_t* surface, POINT origin, POINT screen_origin, const cairo_region_t* clip, HWND hwnd);
  // A memory context with `bitmap` selected.
  explicit DcRecord(std::shared_ptr<BitmapObject> bitmap);
  ~DcRecord();
  DcRecord(const DcRecord&) = delete;
  DcRecord& operator=(const DcRecord&) = delete;

  bool is_memory() const { return memory_; }
  HWND hwnd() const { return hwnd_; }
  cairo_surface_t* surface() const { return memory_ ? state.bitmap->pixels.surface : surface_; }
  bool monochrome() const { return memory_ && state.bitmap->monochrome; }
  int width() const { return cairo_image_surface_get_width(surface()); }
  int height() const { return cairo_image_surface_get_height(surface()); }
  // The surface pixel of logical (0, 0).
  POINT DeviceOffset() const { return POINT{origin_.x + state.viewport.x, origin_.y + state.viewport.y}; }
  POINT ToDevice(int x, int y) const { return POINT{x + DeviceOffset().x, y + DeviceOffset().y}; }
  RECT ToDevice(const RECT& r) const;
  RECT ToLogical(const RECT& r) const;
  // The screen point of surface pixel (0, 0), for aligning patterns.
  POINT SurfaceScreenOffset() const {
    return POINT{screen_origin_.x - origin_.x, screen_origin_.y - origin_.y};
  }
  POINT ScreenOrigin() const { return screen_origin_; }

  void SetBaseClip(const cairo_region_t* clip);
  // Where drawing may land, in device coordinates: the surface, the base
  // clip and the drawer's clip together.
  const Region& Clip();
  void ClipChanged() { clip_valid_ = false; }
  void TargetChanged() { clip_valid_ = false; }

  // A colour as drawn on this target (black or white on monochrome).
  std::uint32_t TargetPixel(COLORREF color) const;
  // Fills `row` with `count` pattern pixels of `brush` for device row `y`
  // starting at device column `x`.
  void PatternRow(const BrushObject& brush, int x, int y, int count, std::uint32_t* row) const;
  std::uint32_t BrushColor(const BrushObject& brush) const;

  // Pixel access for raster work: call BeginPixels before reading and
  // EndPixels with the area changed.
  std::uint32_t* Row(int y) const;
  void BeginPixels() const { cairo_surface_flush(surface()); }
  void EndPixels(const RECT& changed) const;

  // A Cairo context on the target with the clip applied, antialiasing
  // off, and the logical-to-device translation set. Reused until the
  // target or clip changes.
  cairo_t* Cairo();

  DcState state;
  std::vector<DcState> saved;

 private:
  void DropCairo();

  bool memory_;
  cairo_surface_t* surface_ = nullptr;
  POINT origin_;
  POINT screen_origin_;
  std::optional<Region> base_clip_;
  HWND hwnd_ = nullptr;
  Region clip_;
  bool clip_valid_ = false;
  cairo_t* cairo_ = nullptr;
  cairo_surface_t* cairo_surface_ = nullptr;
};

}  // namespace ui::internal

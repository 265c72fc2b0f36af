#include "platform/ui/internal/DcRecord.h"

#include "platform/ui/SystemMetrics.h"
#include "platform/ui/internal/DrawingLibraries.h"

namespace ui::internal {

Pixels::Pixels(int w, int h) : width(w > 0 ? w : 1), height(h > 0 ? h : 1) {
  surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  // New bitmaps are black, as Windows makes them; opaque so that the
  // premultiplied pixels equal their colours.
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
}

Pixels::~Pixels() { cairo_surface_destroy(surface); }

DcRecord::DcRecord(cairo_surface_t* surface, POINT origin, POINT screen_origin, const cairo_region_t* clip,
                   HWND hwnd)
    : memory_(false), surface_(cairo_surface_reference(surface)), origin_(origin), screen_origin_(screen_origin),
      hwnd_(hwnd) {
  SetBaseClip(clip);
}

DcRecord::DcRecord(std::shared_ptr<BitmapObject> bitmap) : memory_(true) { state.bitmap = std::move(bitmap); }

DcRecord::~DcRecord() {
  DropCairo();
  if (surface_) {
    cairo_surface_flush(surface_);
    cairo_surface_destroy(surface_);
  }
}

RECT DcRecord::ToDevice(const RECT& r) const {
  const POINT o = DeviceOffset();
  return RECT{r.left + o.x, r.top + o.y, r.right + o.x, r.bottom + o.y};
}

RECT DcRecord::ToLogical(const RECT& r) const {
  const POINT o = DeviceOffset();
  return RECT{r.left - o.x, r.top - o.y, r.right - o.x, r.bottom - o.y};
}

void DcRecord::SetBaseClip(const cairo_region_t* clip) {
  if (clip)
    base_clip_.emplace(cairo_region_copy(clip));
  else
    base_clip_.reset();
  clip_valid_ = false;
}

const Region& DcRecord::Clip() {
  if (!clip_valid_) {
    clip_ = Region(RECT{0, 0, width(), height()});
    if (base_clip_) clip_.Intersect(*base_clip_);
    if (state.user_clip) clip_.Intersect(*state.user_clip);
    clip_valid_ = true;
    DropCairo();
  }
  return clip_;
}

std::uint32_t DcRecord::TargetPixel(COLORREF color) const {
  const std::uint32_t p = ToPixel(color);
  return monochrome() ? ToMonoPixel(p) : p;
}

std::uint32_t DcRecord::BrushColor(const BrushObject& brush) const {
  return TargetPixel(brush.sys_color >= 0 ? GetSysColor(brush.sys_color) : brush.color);
}

void DcRecord::PatternRow(const BrushObject& brush, int x, int y, int count, std::uint32_t* row) const {
  if (brush.pattern.empty()) {
    const std::uint32_t color = BrushColor(brush);
    for (int i = 0; i < count; ++i) row[i] = color;
    return;
  }
  // Pattern pixel (0, 0) sits on the screen at the brush origin.
  const POINT screen = SurfaceScreenOffset();
  const int py = (((y + screen.y - state.brush_origin.y) % 8) + 8) % 8;
  const std::uint32_t* line = &brush.pattern[py * 8];
  std::uint32_t colors[8];
  for (int i = 0; i < 8; ++i) {
    std::uint32_t p = line[i];
    if (brush.monochrome && !monochrome()) p = ToPixel(p == kBlackPixel ? state.text_color : state.bk_color);
    else if (!brush.monochrome && monochrome()) p = ToMonoPixel(p);
    colors[i] = p;
  }
  int px = (((x + screen.x - state.brush_origin.x) % 8) + 8) % 8;
  for (int i = 0; i < count; ++i) {
    row[i] = colors[px];
    px = (px + 1) & 7;
  }
}

std::uint32_t* DcRecord::Row(int y) const {
  cairo_surface_t* s = surface();
  return reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s));
}

void DcRecord::EndPixels(const RECT& r) const {
  if (r.right > r.left && r.bottom > r.top)
    cairo_surface_mark_dirty_rectangle(surface(), r.left, r.top, r.right - r.left, r.bottom - r.top);
}

cairo_t* DcRecord::Cairo() {
  const Region& clip = Clip();
  if (cairo_ && cairo_surface_ != surface()) DropCairo();
  if (!cairo_) {
    cairo_surface_ = surface();
    cairo_ = cairo_create(cairo_surface_);
    for (const RECT& r : clip.Rects()) cairo_rectangle(cairo_, r.left, r.top, r.right - r.left, r.bottom - r.top);
    cairo_clip(cairo_);
    cairo_set_antialias(cairo_, CAIRO_ANTIALIAS_NONE);
  }
  cairo_identity_matrix(cairo_);
  cairo_translate(cairo_, DeviceOffset().x, DeviceOffset().y);
  cairo_new_path(cairo_);
  return cairo_;
}

void DcRecord::DropCairo() {
  if (cairo_) cairo_destroy(cairo_);
  cairo_ = nullptr;
  cairo_surface_ = nullptr;
}

}  // namespace ui::internal

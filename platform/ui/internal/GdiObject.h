// The records behind drawing-object handles. Records are shared: a
// context holds the objects selected into it, so deleting a selected
// object only drops its handle and the record lives until it is
// deselected.
#pragma once

#include <cairo.h>

#include <memory>
#include <optional>
#include <vector>

#include "platform/ui/GdiTypes.h"
#include "platform/ui/internal/Region.h"

namespace ui::internal {

struct GdiObject {
  explicit GdiObject(DWORD object_type) : type(object_type) {}
  virtual ~GdiObject() = default;
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  DWORD type;
  bool stock = false;     // never deleted
  void* handle = nullptr;  // while it has one
};

struct PenObject : GdiObject {
  PenObject() : GdiObject(OBJ_PEN) {}
  LOGPEN pen;
};

// A pixel surface in ARGB32 with opaque pixels. Monochrome bitmaps hold
// only black and white, so the monochrome rules can test pixels directly.
struct Pixels {
  Pixels(int width, int height);
  ~Pixels();
  Pixels(const Pixels&) = delete;
  Pixels& operator=(const Pixels&) = delete;
  cairo_surface_t* surface = nullptr;
  int width = 0;
  int height = 0;
};

struct BitmapObject : GdiObject {
  BitmapObject(int width, int height, bool mono) : GdiObject(OBJ_BITMAP), pixels(width, height), monochrome(mono) {}
  Pixels pixels;
  bool monochrome;
};

struct BrushObject : GdiObject {
  BrushObject() : GdiObject(OBJ_BRUSH) {}
  UINT style = BS_SOLID;
  COLORREF color = 0;
  int sys_color = -1;  // a system-colour brush follows the table
  // An 8x8 pattern; with `monochrome` black and white stand for the
  // context's text and background colours.
  std::vector<std::uint32_t> pattern;
  bool monochrome = false;
};

struct FontObject : GdiObject {
  FontObject() : GdiObject(OBJ_FONT) {}
  LOGFONT font;
};

struct RegionObject : GdiObject {
  RegionObject() : GdiObject(OBJ_REGION) {}
  Region region;
};

struct IconObject : GdiObject {
  IconObject() : GdiObject(0) {}
  std::shared_ptr<BitmapObject> mask;   // monochrome: white keeps the screen
  std::shared_ptr<BitmapObject> color;  // XORed over what the mask kept
  POINT hotspot;
  bool is_icon = true;
};

// Colour conversions between COLORREF (0x00BBGGRR) and pixels (0xFFRRGGBB).
constexpr std::uint32_t ToPixel(COLORREF c) {
  return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr COLORREF ToColorRef(std::uint32_t p) {
  return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
}
constexpr std::uint32_t kBlackPixel = 0xFF000000u;
constexpr std::uint32_t kWhitePixel = 0xFFFFFFFFu;
// A colour drawn on a monochrome target: light colours become white.
constexpr std::uint32_t ToMonoPixel(std::uint32_t p) {
  const unsigned r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
  return (r * 30 + g * 59 + b * 11) >= 128 * 100 ? kWhitePixel : kBlackPixel;
}

}  // namespace ui::internal

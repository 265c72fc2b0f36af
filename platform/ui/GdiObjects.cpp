// Pens, brushes, fonts and bitmaps, and the stock objects.
#include "platform/ui/GdiObjects.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "platform/ui/SystemMetrics.h"
#include "platform/ui/internal/GdiAccess.h"
#include "platform/ui/internal/DrawingLibraries.h"

namespace ui {

using namespace internal;

namespace {

constexpr int kStockCount = 18;
constexpr int kDefaultBitmap = 9;  // a free stock slot: the memory contexts' first bitmap

template <typename T>
HGDIOBJ AddStock(std::shared_ptr<T> object) {
  object->stock = true;
  return GdiTable::Get().Add(std::move(object));
}

std::shared_ptr<BrushObject> MakeSolidBrush(COLORREF color, UINT style = BS_SOLID) {
  auto brush = std::make_shared<BrushObject>();
  brush->style = style;
  brush->color = color & 0xFFFFFF;
  return brush;
}

std::shared_ptr<PenObject> MakePen(int style, int width, COLORREF color) {
  auto pen = std::make_shared<PenObject>();
  pen->pen.lopnStyle = static_cast<UINT>(style);
  pen->pen.lopnWidth = POINT{std::max(width, 0), 0};
  pen->pen.lopnColor = color & 0xFFFFFF;
  return pen;
}

std::shared_ptr<FontObject> MakeFont(const LOGFONT& font) {
  auto object = std::make_shared<FontObject>();
  object->font = font;
  object->font.lfFaceName[LF_FACESIZE - 1] = 0;
  return object;
}

// Made once, on the first request for any stock object.
const std::array<HGDIOBJ, kStockCount>& StockObjects() {
  static const std::array<HGDIOBJ, kStockCount> stock = [] {
    std::array<HGDIOBJ, kStockCount> s{};
    s[WHITE_BRUSH] = AddStock(MakeSolidBrush(RGB(255, 255, 255)));
    s[LTGRAY_BRUSH] = AddStock(MakeSolidBrush(RGB(192, 192, 192)));
    s[GRAY_BRUSH] = AddStock(MakeSolidBrush(RGB(128, 128, 128)));
    s[DKGRAY_BRUSH] = AddStock(MakeSolidBrush(RGB(64, 64, 64)));
    s[BLACK_BRUSH] = AddStock(MakeSolidBrush(RGB(0, 0, 0)));
    s[NULL_BRUSH] = AddStock(MakeSolidBrush(0, BS_NULL));
    s[WHITE_PEN] = AddStock(MakePen(PS_SOLID, 0, RGB(255, 255, 255)));
    s[BLACK_PEN] = AddStock(MakePen(PS_SOLID, 0, RGB(0, 0, 0)));
    s[NULL_PEN] = AddStock(MakePen(PS_NULL, 0, 0));
    s[kDefaultBitmap] = AddStock(std::make_shared<BitmapObject>(1, 1, true));
    LOGFONT fixed = DialogLogFont();
    std::strcpy(fixed.lfFaceName, "DejaVu Sans Mono");
    s[OEM_FIXED_FONT] = AddStock(MakeFont(fixed));
    s[ANSI_FIXED_FONT] = AddStock(MakeFont(fixed));
    s[SYSTEM_FIXED_FONT] = AddStock(MakeFont(fixed));
    s[ANSI_VAR_FONT] = AddStock(MakeFont(DialogLogFont()));
    s[SYSTEM_FONT] = AddStock(MakeFont(DialogLogFont()));
    s[DEVICE_DEFAULT_FONT] = AddStock(MakeFont(DialogLogFont()));
    s[DEFAULT_GUI_FONT] = AddStock(MakeFont(DialogLogFont()));
    return s;
  }();
  return stock;
}

}  // namespace

namespace internal {

std::shared_ptr<BrushObject> FindBrush(HBRUSH brush) {
  const auto value = reinterpret_cast<std::uintptr_t>(brush);
  if (value >= 1 && value <= static_cast<std::uintptr_t>(kSysColorCount))
    return FindBrush(GetSysColorBrush(static_cast<int>(value - 1)));
  return GdiTable::Get().FindAs<BrushObject>(brush, OBJ_BRUSH);
}

std::shared_ptr<PenObject> DefaultPen() {
  return GdiTable::Get().FindAs<PenObject>(StockObjects()[BLACK_PEN], OBJ_PEN);
}
std::shared_ptr<BrushObject> DefaultBrush() {
  return GdiTable::Get().FindAs<BrushObject>(StockObjects()[WHITE_BRUSH], OBJ_BRUSH);
}
std::shared_ptr<BitmapObject> DefaultBitmap() {
  return GdiTable::Get().FindAs<BitmapObject>(StockObjects()[kDefaultBitmap], OBJ_BITMAP);
}
std::shared_ptr<FontObject> DefaultFont() {
  return GdiTable::Get().FindAs<FontObject>(StockObjects()[SYSTEM_FONT], OBJ_FONT);
}

}  // namespace internal

HGDIOBJ GetStockObject(int index) {
  if (index < 0 || index >= kStockCount || index == kDefaultBitmap) return nullptr;
  return StockObjects()[index];
}

BOOL DeleteObject(HGDIOBJ object) {
  if (!GdiTable::Get().Find(object)) return FALSE;
  return GdiTable::Get().Remove(object) ? TRUE : FALSE;
}

DWORD GetObjectType(HGDIOBJ object) {
  if (auto dc = GdiTable::Get().FindDc(object)) return dc->is_memory() ? OBJ_MEMDC : OBJ_DC;
  auto found = GdiTable::Get().Find(object);
  return found ? found->type : 0;
}

namespace {

template <typename T>
int CopyRecord(const T& record, int size, void* out) {
  if (!out) return static_cast<int>(sizeof(T));
  if (size < static_cast<int>(sizeof(T))) return 0;
  std::memcpy(out, &record, sizeof(T));
  return static_cast<int>(sizeof(T));
}

}  // namespace

int GetObject(HGDIOBJ object, int size, void* out) {
  auto found = GdiTable::Get().Find(object);
  if (!found) return 0;
  switch (found->type) {
    case OBJ_PEN:
      return CopyRecord(static_cast<PenObject&>(*found).pen, size, out);
    case OBJ_BRUSH: {
      const auto& brush = static_cast<BrushObject&>(*found);
      LOGBRUSH record{brush.style, brush.sys_color >= 0 ? GetSysColor(brush.sys_color) : brush.color, 0};
      return CopyRecord(record, size, out);
    }
    case OBJ_FONT:
      return CopyRecord(static_cast<FontObject&>(*found).font, size, out);
    case OBJ_BITMAP: {
      const auto& bitmap = static_cast<BitmapObject&>(*found);
      BITMAP record;
      record.bmWidth = bitmap.pixels.width;
      record.bmHeight = bitmap.pixels.height;
      record.bmBitsPixel = bitmap.monochrome ? 1 : 32;
      record.bmWidthBytes = bitmap.monochrome ? ((bitmap.pixels.width + 15) / 16) * 2 : bitmap.pixels.width * 4;
      return CopyRecord(record, size, out);
    }
    default:
      return 0;
  }
}

HPEN CreatePen(int style, int width, COLORREF color) {
  if (style < PS_SOLID || style > PS_INSIDEFRAME) return nullptr;
  return static_cast<HPEN>(GdiTable::Get().Add(MakePen(style, width, color)));
}

HPEN CreatePenIndirect(const LOGPEN* pen) {
  if (!pen) return nullptr;
  return CreatePen(static_cast<int>(pen->lopnStyle), pen->lopnWidth.x, pen->lopnColor);
}

HBRUSH CreateSolidBrush(COLORREF color) {
  return static_cast<HBRUSH>(GdiTable::Get().Add(MakeSolidBrush(color)));
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
  auto source = FindBitmap(bitmap);
  if (!source) return nullptr;
  auto brush = std::make_shared<BrushObject>();
  brush->style = BS_PATTERN;
  brush->monochrome = source->monochrome;
  brush->pattern.resize(64);
  cairo_surface_flush(source->pixels.surface);
  const unsigned char* data = cairo_image_surface_get_data(source->pixels.surface);
  const int stride = cairo_image_surface_get_stride(source->pixels.surface);
  // A bitmap smaller than 8x8 repeats to fill the pattern.
  for (int y = 0; y < 8; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + (y % source->pixels.height) * stride);
    for (int x = 0; x < 8; ++x) brush->pattern[y * 8 + x] = row[x % source->pixels.width] | 0xFF000000u;
  }
  return static_cast<HBRUSH>(GdiTable::Get().Add(brush));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
  if (!brush) return nullptr;
  switch (brush->lbStyle) {
    case BS_SOLID:
      return CreateSolidBrush(brush->lbColor);
    case BS_NULL:
      return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    case BS_PATTERN:
      return CreatePatternBrush(reinterpret_cast<HBITMAP>(brush->lbHatch));
    default:
      return nullptr;
  }
}

HBRUSH GetHalftoneBrush() {
  static const HBRUSH halftone = [] {
    auto brush = std::make_shared<BrushObject>();
    brush->style = BS_PATTERN;
    brush->monochrome = true;
    brush->stock = true;
    brush->pattern.resize(64);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) brush->pattern[y * 8 + x] = ((x + y) & 1) ? kWhitePixel : kBlackPixel;
    return static_cast<HBRUSH>(GdiTable::Get().Add(brush));
  }();
  return halftone;
}

HFONT CreateFontIndirect(const LOGFONT* font) {
  if (!font) return nullptr;
  return static_cast<HFONT>(GdiTable::Get().Add(MakeFont(*font)));
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                 DWORD strike_out, DWORD charset, DWORD out_precision, DWORD clip_precision, DWORD quality,
                 DWORD pitch_and_family, const char* face) {
  LOGFONT font;
  font.lfHeight = height;
  font.lfWidth = width;
  font.lfEscapement = escapement;
  font.lfOrientation = orientation;
  font.lfWeight = weight;
  font.lfItalic = static_cast<BYTE>(italic != 0);
  font.lfUnderline = static_cast<BYTE>(underline != 0);
  font.lfStrikeOut = static_cast<BYTE>(strike_out != 0);
  font.lfCharSet = static_cast<BYTE>(charset);
  font.lfOutPrecision = static_cast<BYTE>(out_precision);
  font.lfClipPrecision = static_cast<BYTE>(clip_precision);
  font.lfQuality = static_cast<BYTE>(quality);
  font.lfPitchAndFamily = static_cast<BYTE>(pitch_and_family);
  if (face) std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirect(&font);
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bits_per_pixel, const void* bits) {
  if (width <= 0 || height <= 0 || planes != 1 || width > 32767 || height > 32767) return nullptr;
  if (bits_per_pixel != 1 && bits_per_pixel != 8 && bits_per_pixel != 24 && bits_per_pixel != 32) return nullptr;
  auto bitmap = std::make_shared<BitmapObject>(width, height, bits_per_pixel == 1);
  if (bits) {
    cairo_surface_t* s = bitmap->pixels.surface;
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    const auto* in = static_cast<const BYTE*>(bits);
    // Device-dependent rows are WORD-aligned.
    const int in_stride = ((width * static_cast<int>(bits_per_pixel) + 15) / 16) * 2;
    for (int y = 0; y < height; ++y) {
      auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
      const BYTE* src = in + static_cast<std::size_t>(y) * in_stride;
      for (int x = 0; x < width; ++x) {
        switch (bits_per_pixel) {
          case 1:
            row[x] = ((src[x / 8] >> (7 - x % 8)) & 1) ? kWhitePixel : kBlackPixel;
            break;
          case 8:
            row[x] = 0xFF000000u | src[x] * 0x010101u;
            break;
          case 24:
            row[x] = 0xFF000000u | (src[x * 3 + 2] << 16) | (src[x * 3 + 1] << 8) | src[x * 3];
            break;
          default:
            row[x] = 0xFF000000u | (src[x * 4 + 2] << 16) | (src[x * 4 + 1] << 8) | src[x * 4];
            break;
        }
      }
    }
    cairo_surface_mark_dirty(s);
  }
  return static_cast<HBITMAP>(GdiTable::Get().Add(bitmap));
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
  auto dc = FindDc(hdc);
  if (!dc || width < 0 || height < 0) return nullptr;
  // Compatible with a memory context means like its bitmap: a monochrome
  // one for the default bitmap, as Windows does.
  return CreateBitmap(std::max(width, 1), std::max(height, 1), 1, dc->monochrome() ? 1 : 32, nullptr);
}

BOOL GetBitmapDimensionEx(HBITMAP bitmap, SIZE* size) {
  auto found = FindBitmap(bitmap);
  if (!found || !size) return FALSE;
  *size = SIZE{found->pixels.width, found->pixels.height};
  return TRUE;
}

COLORREF GetBitmapPixel(HBITMAP bitmap, int x, int y) {
  auto found = FindBitmap(bitmap);
  if (!found || x < 0 || y < 0 || x >= found->pixels.width || y >= found->pixels.height) return CLR_INVALID;
  cairo_surface_flush(found->pixels.surface);
  const unsigned char* data = cairo_image_surface_get_data(found->pixels.surface);
  const int stride = cairo_image_surface_get_stride(found->pixels.surface);
  return ToColorRef(reinterpret_cast<const std::uint32_t*>(data + y * stride)[x]);
}

}  // namespace ui

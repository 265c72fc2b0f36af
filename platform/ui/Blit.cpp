// Block transfers: PatBlt, BitBlt, StretchBlt and StretchDIBits, all
// through one raster pipeline on the surface data, with the rules between
// monochrome and colour pixels.
#include <algorithm>
#include <vector>

#include "platform/ui/Drawing.h"
#include "platform/ui/internal/Dib.h"
#include "platform/ui/internal/GdiAccess.h"
#include "platform/ui/internal/RasterOps.h"
#include "platform/ui/internal/RasterTarget.h"

namespace ui {

using namespace internal;

namespace {

RECT Normalized(int x, int y, int width, int height) {
  return RECT{std::min(x, x + width), std::min(y, y + height), std::max(x, x + width), std::max(y, y + height)};
}

// Source pixels as the destination should see them: a monochrome source
// takes the destination's text (black) and background (white) colours; a
// colour source on a monochrome destination is white where it matches
// the source's background colour.
std::uint32_t ConvertPixel(std::uint32_t p, bool source_mono, bool dest_mono, std::uint32_t text, std::uint32_t bk,
                           std::uint32_t source_bk) {
  p |= 0xFF000000u;
  if (source_mono && !dest_mono) return p == kBlackPixel ? text : bk;
  if (!source_mono && dest_mono) return p == source_bk ? kWhitePixel : kBlackPixel;
  return p;
}

// A stretched copy of pixels, sampled at pixel centres (nearest).
struct Sampler {
  int dest_x, dest_y, dest_w, dest_h;
  int src_x, src_y, src_w, src_h;
  int Column(int dx) const {
    const long long offset = static_cast<long long>(2 * (dx - dest_x) + 1) * src_w;
    return src_x + static_cast<int>(offset / (2LL * dest_w) - (offset < 0 && offset % (2LL * dest_w) ? 1 : 0));
  }
  int Line(int dy) const {
    const long long offset = static_cast<long long>(2 * (dy - dest_y) + 1) * src_h;
    return src_y + static_cast<int>(offset / (2LL * dest_h) - (offset < 0 && offset % (2LL * dest_h) ? 1 : 0));
  }
};

// Pixels of a source surface copied out first, so a blit within one
// surface reads what was there before it started.
// Reads outside the source repeat its edge pixels.
struct SourceImage {
  std::vector<std::uint32_t> pixels;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::uint32_t At(int x, int y) const {
    x = std::clamp(x - left, 0, width - 1);
    y = std::clamp(y - top, 0, height - 1);
    return pixels[static_cast<std::size_t>(y) * width + x];
  }
};

// The part of `source` that `sampler` reads for `dest_area`.
SourceImage Snapshot(DcRecord& source, const Sampler& sampler, const RECT& dest_area) {
  const int x0 = sampler.Column(dest_area.left), x1 = sampler.Column(dest_area.right - 1);
  const int y0 = sampler.Line(dest_area.top), y1 = sampler.Line(dest_area.bottom - 1);
  SourceImage image;
  image.left = std::clamp(std::min(x0, x1), 0, source.width() - 1);
  image.top = std::clamp(std::min(y0, y1), 0, source.height() - 1);
  image.width = std::clamp(std::max(x0, x1), 0, source.width() - 1) - image.left + 1;
  image.height = std::clamp(std::max(y0, y1), 0, source.height() - 1) - image.top + 1;
  image.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
  source.BeginPixels();
  for (int y = 0; y < image.height; ++y) {
    const std::uint32_t* row = source.Row(image.top + y) + image.left;
    std::copy(row, row + image.width, image.pixels.data() + static_cast<std::size_t>(y) * image.width);
  }
  return image;
}

BOOL Transfer(DcRecord& dest, const RECT& dest_area, const Sampler& sampler, const SourceImage& image,
              bool source_mono, std::uint32_t source_bk, DWORD rop) {
  const bool dest_mono = dest.monochrome();
  const std::uint32_t text = dest.TargetPixel(dest.state.text_color);
  const std::uint32_t bk = dest.TargetPixel(dest.state.bk_color);
  RunRaster(dest, dest_area, rop, nullptr, [&](int x, int y, int count, std::uint32_t* out) {
    const int sy = sampler.Line(y);
    for (int i = 0; i < count; ++i)
      out[i] = ConvertPixel(image.At(sampler.Column(x + i), sy), source_mono, dest_mono, text, bk, source_bk);
  });
  return TRUE;
}

}  // namespace

BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop) {
  auto dc = FindDc(hdc);
  if (!dc) return FALSE;
  RunRaster(*dc, dc->ToDevice(Normalized(x, y, width, height)), rop, nullptr, nullptr);
  return TRUE;
}

BOOL StretchBlt(HDC destination, int x, int y, int width, int height, HDC source, int source_x, int source_y,
                int source_width, int source_height, DWORD rop) {
  auto dest = FindDc(destination);
  if (!dest) return FALSE;
  const RECT area = dest->ToDevice(Normalized(x, y, width, height));
  if (!RopUsesSource(RopCode(rop))) {
    RunRaster(*dest, area, rop, nullptr, nullptr);
    return TRUE;
  }
  auto src = FindDc(source);
  if (!src || width == 0 || height == 0 || source_width == 0 || source_height == 0) return FALSE;
  const POINT d = dest->ToDevice(x, y);
  const POINT s = src->ToDevice(source_x, source_y);
  const Sampler sampler{d.x, d.y, width, height, s.x, s.y, source_width, source_height};
  if (area.right <= area.left || area.bottom <= area.top) return TRUE;
  return Transfer(*dest, area, sampler, Snapshot(*src, sampler, area), src->monochrome(),
                  src->TargetPixel(src->state.bk_color), rop);
}

BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int source_x, int source_y,
            DWORD rop) {
  return StretchBlt(destination, x, y, width, height, source, source_x, source_y, width, height, rop);
}

int StretchDIBits(HDC hdc, int x, int y, int width, int height, int source_x, int source_y, int source_width,
                  int source_height, const void* bits, std::size_t bits_size, const BITMAPINFO* info,
                  std::size_t info_size, UINT usage, DWORD rop) {
  auto dest = FindDc(hdc);
  DibLayout layout;
  if (!dest || !bits || usage != DIB_RGB_COLORS || !ReadDibHeader(info, info_size, layout)) return 0;
  if (bits_size < DibPixelBytes(layout) || width == 0 || height == 0 || source_width == 0 || source_height == 0)
    return 0;
  SourceImage image;
  image.width = layout.width;
  image.height = layout.height;
  image.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
  for (int row = 0; row < image.height; ++row)
    DecodeDibRow(layout, static_cast<const BYTE*>(bits), row, image.pixels.data() + static_cast<std::size_t>(row) * image.width);
  const POINT d = dest->ToDevice(x, y);
  // Source coordinates count from the top row, whichever way the rows are stored.
  const Sampler sampler{d.x, d.y, width, height, source_x, source_y, source_width, source_height};
  Transfer(*dest, dest->ToDevice(Normalized(x, y, width, height)), sampler, image, false,
           dest->TargetPixel(dest->state.bk_color), rop);
  return layout.height;
}

}  // namespace ui

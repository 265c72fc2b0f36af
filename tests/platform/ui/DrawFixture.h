// Shared set-up of the drawing tests: memory contexts over bitmaps whose
// pixels the tests set and read, and surface contexts placed on the
// screen as a window's would be.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "platform/ui/Gdi.h"

namespace ui::test {

// A memory context with a colour (or monochrome) bitmap selected; both
// are deleted with it.
class MemoryCanvas {
 public:
  MemoryCanvas(int width, int height, bool mono = false);
  ~MemoryCanvas();
  MemoryCanvas(const MemoryCanvas&) = delete;
  MemoryCanvas& operator=(const MemoryCanvas&) = delete;
  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bitmap_; }
  // Sets every pixel from `colors`, row by row.
  void Fill(const std::vector<COLORREF>& colors);
  std::vector<COLORREF> Pixels() const;

 private:
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
};

// An image surface with a context over it whose logical (0, 0) lies at
// `screen_origin` on the screen.
class SurfaceCanvas {
 public:
  SurfaceCanvas(int width, int height, POINT screen_origin = {0, 0}, POINT origin = {0, 0},
                const cairo_region_t* clip = nullptr);
  ~SurfaceCanvas();
  SurfaceCanvas(const SurfaceCanvas&) = delete;
  SurfaceCanvas& operator=(const SurfaceCanvas&) = delete;
  HDC dc() const { return dc_; }
  cairo_surface_t* surface() const { return surface_; }
  // A surface pixel, as a COLORREF.
  COLORREF At(int x, int y) const;
  // The smallest rectangle holding every pixel that is not `background`.
  RECT InkBox(COLORREF background) const;

 private:
  cairo_surface_t* surface_;
  HDC dc_;
};

}  // namespace ui::test

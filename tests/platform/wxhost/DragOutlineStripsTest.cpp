#include "platform/wxhost/DragOutlineStrips.h"

#include <gtest/gtest.h>

#include <cairo.h>

#include "platform/ui/DeviceContext.h"
#include "platform/ui/StylePainter.h"

namespace {

// A drag outline drawn as the window system draws it, on an overlay of our own.
wxhost::DragOutlineStrips::Outline OutlineOf(const ui::RECT& rect, int thickness) {
  cairo_surface_t* overlay = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 300, 200);
  ui::SurfaceTarget target;
  target.surface = overlay;
  const ui::HDC hdc = ui::CreateSurfaceDC(target);
  if (thickness > 0) ui::StylePainter::PaintDragOutline(hdc, rect, thickness);
  ui::ReleaseSurfaceDC(hdc);
  const auto outline = wxhost::DragOutlineStrips::Find(overlay);
  cairo_surface_destroy(overlay);
  return outline;
}

TEST(DragOutlineStrips, FindTheOutlinesRectangleAndThickness) {
  struct Case {
    ui::RECT rect;
    int thickness;
  };
  for (const Case& c : {Case{{10, 20, 110, 90}, 4}, Case{{0, 0, 300, 200}, 1}, Case{{50, 60, 57, 67}, 3}}) {
    const auto outline = OutlineOf(c.rect, c.thickness);
    EXPECT_EQ(outline.rect, c.rect) << c.rect.left << "," << c.rect.top << " t " << c.thickness;
    EXPECT_EQ(outline.thickness, c.thickness) << c.rect.left << "," << c.rect.top;
  }
  const auto nothing = OutlineOf({10, 10, 20, 20}, 0);
  EXPECT_LE(nothing.rect.right, nothing.rect.left);
}

}  // namespace

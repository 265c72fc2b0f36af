// Regions and clipping on device contexts, and the classic edges the
// style painter draws.
#include <gtest/gtest.h>

#include "tests/platform/ui/DrawFixture.h"

namespace ui::test {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

TEST(ClipTest, ExcludeClipRectAndSelectedRegionsLimitFills) {
  SurfaceCanvas canvas(20, 20);
  const HRGN region = CreateRectRgn(0, 0, 10, 20);
  ASSERT_EQ(SelectClipRgn(canvas.dc(), region), SIMPLEREGION);
  EXPECT_EQ(ExcludeClipRect(canvas.dc(), 2, 2, 8, 8), COMPLEXREGION);
  const RECT all{0, 0, 20, 20};
  FillRect(canvas.dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(canvas.At(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(canvas.At(5, 5), kWhite);   // excluded
  EXPECT_EQ(canvas.At(15, 5), kWhite);  // outside the region
  RECT box;
  EXPECT_EQ(GetClipBox(canvas.dc(), &box), COMPLEXREGION);
  EXPECT_EQ(box, (RECT{0, 0, 10, 20}));
  DeleteObject(region);
}

TEST(ClipTest, TargetClipAndOriginComeFromTheWindowSide) {
  // A child at (5, 5) in its top-level's buffer, with a clip that leaves
  // out its right half, as BeginPaint would hand it over.
  const cairo_rectangle_int_t visible{5, 5, 5, 10};
  cairo_region_t* clip = cairo_region_create_rectangle(&visible);
  SurfaceCanvas canvas(30, 30, POINT{100, 100}, POINT{5, 5}, clip);
  cairo_region_destroy(clip);
  const RECT client{0, 0, 10, 10};
  FillRect(canvas.dc(), &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(canvas.InkBox(kWhite), (RECT{5, 5, 10, 15}));
  POINT origin;
  GetDCOrgEx(canvas.dc(), &origin);
  EXPECT_EQ(origin, (POINT{100, 100}));
  // Selecting no region goes back to the target's clip, never beyond it.
  SelectClipRgn(canvas.dc(), nullptr);
  const RECT wide{-5, -5, 25, 25};
  FillRect(canvas.dc(), &wide, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  EXPECT_EQ(canvas.InkBox(kWhite), (RECT{5, 5, 10, 15}));
}

TEST(ClipTest, SaveAndRestoreBringBackTheClipAndColours) {
  SurfaceCanvas canvas(10, 10);
  const int saved = SaveDC(canvas.dc());
  IntersectClipRect(canvas.dc(), 0, 0, 2, 2);
  SetTextColor(canvas.dc(), RGB(1, 2, 3));
  ASSERT_TRUE(RestoreDC(canvas.dc(), saved));
  EXPECT_EQ(GetTextColor(canvas.dc()), RGB(0, 0, 0));
  RECT box;
  GetClipBox(canvas.dc(), &box);
  EXPECT_EQ(box, (RECT{0, 0, 10, 10}));
}

TEST(RegionTest, CombineModesAndPolygons) {
  struct Case {
    int mode;
    int result;
    RECT box;
  };
  const Case cases[] = {
      {RGN_AND, SIMPLEREGION, {5, 5, 10, 10}},
      {RGN_OR, COMPLEXREGION, {0, 0, 15, 15}},
      {RGN_DIFF, COMPLEXREGION, {0, 0, 10, 10}},
      {RGN_XOR, COMPLEXREGION, {0, 0, 15, 15}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    const HRGN a = CreateRectRgn(0, 0, 10, 10), b = CreateRectRgn(5, 5, 15, 15), out = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(out, a, b, c.mode), c.result);
    RECT box;
    GetRgnBox(out, &box);
    EXPECT_EQ(box, c.box);
    for (HRGN r : {a, b, out}) DeleteObject(r);
  }
  // A right triangle: row y holds the pixels whose centres lie left of the slope.
  const POINT triangle[] = {{0, 0}, {10, 0}, {0, 10}};
  const HRGN polygon = CreatePolygonRgn(triangle, 3, ALTERNATE);
  EXPECT_TRUE(PtInRegion(polygon, 0, 8));
  EXPECT_FALSE(PtInRegion(polygon, 2, 8));
  EXPECT_TRUE(PtInRegion(polygon, 8, 0));
  EXPECT_FALSE(PtInRegion(polygon, 9, 9));
  DeleteObject(polygon);
}

TEST(GdiObjectTest, DeletedAndForeignHandlesAreRefused) {
  const HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  ASSERT_TRUE(DeleteObject(brush));
  EXPECT_FALSE(DeleteObject(brush));
  EXPECT_EQ(GetObjectType(brush), 0u);
  EXPECT_FALSE(DeleteObject(GetStockObject(BLACK_BRUSH)));
  SurfaceCanvas canvas(4, 4);
  EXPECT_EQ(SelectObject(canvas.dc(), brush), nullptr);
  const RECT r{0, 0, 4, 4};
  EXPECT_FALSE(FillRect(canvas.dc(), &r, brush));
  EXPECT_FALSE(FillRect(reinterpret_cast<HDC>(brush), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
}

TEST(GdiObjectTest, ObjectDeletedWhileSelectedLivesUntilDeselected) {
  SurfaceCanvas canvas(4, 4);
  const HBRUSH brush = CreateSolidBrush(RGB(9, 8, 7));
  const HGDIOBJ old = SelectObject(canvas.dc(), brush);
  DeleteObject(brush);
  PatBlt(canvas.dc(), 0, 0, 4, 4, PATCOPY);
  EXPECT_EQ(canvas.At(1, 1), RGB(9, 8, 7));
  SelectObject(canvas.dc(), old);
}

TEST(SysColorTest, SystemColourBrushesFollowTheTable) {
  SurfaceCanvas canvas(4, 4);
  const RECT r{0, 0, 4, 4};
  const int index = COLOR_BTNFACE;
  const COLORREF before = GetSysColor(index);
  EXPECT_EQ(before, RGB(192, 192, 192));
  int notified = 0;
  SetThemeChangeListener([&](bool colours) { notified += colours ? 1 : 100; });
  const COLORREF changed = RGB(10, 200, 30);
  ASSERT_TRUE(SetSysColors(1, &index, &changed));
  FillRect(canvas.dc(), &r, GetSysColorBrush(COLOR_BTNFACE));
  EXPECT_EQ(canvas.At(0, 0), changed);
  // The class-brush form, a colour index + 1, paints the same colour.
  FillRect(canvas.dc(), &r, SysColorBrushValue(COLOR_WINDOW));
  EXPECT_EQ(canvas.At(0, 0), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(notified, 1);
  SetSysColors(1, &index, &before);
  SetThemeChangeListener(nullptr);
}

TEST(SysMetricsTest, ClassicFrameMetricsAndTheScreen) {
  EXPECT_EQ(GetSystemMetrics(SM_CXEDGE), 2);
  EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
  EXPECT_EQ(GetSystemMetrics(SM_CXFRAME), 4);
  EXPECT_EQ(GetSystemMetrics(SM_CXDLGFRAME), 3);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_EQ(GetSystemMetrics(12345), 0);
  NONCLIENTMETRICS metrics;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  EXPECT_EQ(metrics.iCaptionHeight, GetSystemMetrics(SM_CYSIZE));
  EXPECT_EQ(metrics.lfCaptionFont.lfWeight, FW_BOLD);
  RECT work;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_EQ(work, (RECT{0, 0, 1024, 768}));
}

struct EdgeCase {
  const char* name;
  UINT edge;
  COLORREF outer_top_left, outer_bottom_right, inner_top_left, inner_bottom_right;
};

TEST(EdgeTest, EdgesUseTheClassicColoursOnEachLine) {
  const COLORREF light = GetSysColor(COLOR_3DLIGHT), dark = GetSysColor(COLOR_3DDKSHADOW),
                 shadow = GetSysColor(COLOR_3DSHADOW), highlight = GetSysColor(COLOR_3DHIGHLIGHT);
  const EdgeCase cases[] = {
      {"raised", EDGE_RAISED, light, dark, highlight, shadow},
      {"sunken", EDGE_SUNKEN, shadow, highlight, dark, light},
      {"etched", EDGE_ETCHED, shadow, highlight, highlight, shadow},
      {"bump", EDGE_BUMP, light, dark, dark, light},
  };
  for (const EdgeCase& c : cases) {
    SCOPED_TRACE(c.name);
    SurfaceCanvas canvas(10, 10);
    RECT r{0, 0, 10, 10};
    ASSERT_TRUE(DrawEdge(canvas.dc(), &r, c.edge, BF_RECT | BF_ADJUST));
    EXPECT_EQ(r, (RECT{2, 2, 8, 8}));
    EXPECT_EQ(canvas.At(5, 0), c.outer_top_left);
    EXPECT_EQ(canvas.At(0, 5), c.outer_top_left);
    EXPECT_EQ(canvas.At(5, 9), c.outer_bottom_right);
    EXPECT_EQ(canvas.At(9, 5), c.outer_bottom_right);
    EXPECT_EQ(canvas.At(5, 1), c.inner_top_left);
    EXPECT_EQ(canvas.At(8, 5), c.inner_bottom_right);
    EXPECT_EQ(canvas.At(5, 5), kWhite);  // no BF_MIDDLE: the inside is untouched
  }
}

TEST(EdgeTest, FramesReportTheirThicknessAndInsideRectangle) {
  using Frame = StylePainter::Frame;
  struct Case {
    Frame kind;
    int thickness;
  };
  for (const Case& c : {Case{Frame::kSunken, 2}, Case{Frame::kSunkenThin, 1}, Case{Frame::kRaised, 2},
                        Case{Frame::kWindow, 3}, Case{Frame::kThickFrame, 4}, Case{Frame::kEtched, 2}}) {
    SurfaceCanvas canvas(20, 20);
    const RECT inside = StylePainter::PaintFrame(canvas.dc(), RECT{0, 0, 20, 20}, c.kind);
    EXPECT_EQ(StylePainter::FrameThickness(c.kind), c.thickness);
    EXPECT_EQ(inside, (RECT{c.thickness, c.thickness, 20 - c.thickness, 20 - c.thickness}));
    EXPECT_EQ(canvas.At(10, 10), kWhite);
  }
}

TEST(EdgeTest, FocusRectangleDrawnTwiceErasesItself) {
  SurfaceCanvas canvas(20, 20);
  const RECT r{2, 2, 18, 18};
  DrawFocusRect(canvas.dc(), &r);
  EXPECT_EQ(canvas.InkBox(kWhite), r);
  EXPECT_NE(canvas.At(2, 2), canvas.At(3, 2));  // dotted
  DrawFocusRect(canvas.dc(), &r);
  EXPECT_EQ(canvas.InkBox(kWhite), RECT{});
}

}  // namespace
}  // namespace ui::test

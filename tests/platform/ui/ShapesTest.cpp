// Shapes with the selected pen and brush, and gradients.
#include <gtest/gtest.h>

#include "tests/platform/ui/DrawFixture.h"

namespace ui::test {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

TEST(ShapesTest, PolygonFillsWithTheBrushAndOutlinesWithThePen) {
  SurfaceCanvas canvas(20, 20);
  const HBRUSH brush = CreateSolidBrush(RGB(0, 0, 200));
  const HPEN pen = CreatePen(PS_SOLID, 1, RGB(200, 0, 0));
  SelectObject(canvas.dc(), brush);
  SelectObject(canvas.dc(), pen);
  const POINT square[] = {{2, 2}, {17, 2}, {17, 17}, {2, 17}};
  ASSERT_TRUE(Polygon(canvas.dc(), square, 4));
  EXPECT_EQ(canvas.At(9, 9), RGB(0, 0, 200));
  EXPECT_EQ(canvas.At(2, 9), RGB(200, 0, 0));
  EXPECT_EQ(canvas.At(17, 9), RGB(200, 0, 0));
  EXPECT_EQ(canvas.At(1, 9), kWhite);
  EXPECT_EQ(canvas.At(18, 9), kWhite);
  SelectObject(canvas.dc(), GetStockObject(WHITE_BRUSH));
  SelectObject(canvas.dc(), GetStockObject(BLACK_PEN));
  DeleteObject(brush);
  DeleteObject(pen);
}

TEST(ShapesTest, LinesLeaveOutTheirEndPointAndRectanglesStayInside) {
  SurfaceCanvas canvas(20, 20);
  MoveToEx(canvas.dc(), 2, 5, nullptr);
  LineTo(canvas.dc(), 10, 5);
  EXPECT_EQ(canvas.InkBox(kWhite), (RECT{2, 5, 10, 6}));
  SurfaceCanvas boxed(20, 20);
  SelectObject(boxed.dc(), GetStockObject(NULL_BRUSH));
  Rectangle(boxed.dc(), 3, 4, 13, 14);
  EXPECT_EQ(boxed.InkBox(kWhite), (RECT{3, 4, 13, 14}));
  EXPECT_EQ(boxed.At(8, 8), kWhite);  // the null brush leaves the inside
}

TEST(ShapesTest, GradientRunsFromOneColourToTheOther) {
  SurfaceCanvas canvas(11, 3);
  const RECT r{0, 0, 11, 3};
  ASSERT_TRUE(FillGradientRect(canvas.dc(), &r, RGB(0, 0, 0), RGB(100, 200, 250), GRADIENT_FILL_RECT_H));
  EXPECT_EQ(canvas.At(0, 1), RGB(0, 0, 0));
  EXPECT_EQ(canvas.At(5, 1), RGB(50, 100, 125));
  EXPECT_EQ(canvas.At(10, 1), RGB(100, 200, 250));
}

}  // namespace
}  // namespace ui::test

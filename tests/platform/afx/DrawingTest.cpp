// The framework's drawing wrappers over the window system: CPaintDC in a
// WM_PAINT handler paints the window's back buffer, CClientDC draws
// outside it, and memory contexts with bitmaps.
#include <cstdint>

#include "AfxFixture.h"
#include "platform/afx/ClientDC.h"
#include "platform/afx/PaintDC.h"
#include "platform/afx/Wnd.h"

namespace afx::test {

class CPaintingWnd : public CWnd {
 public:
  int paints = 0;
  void OnPaint() {
    CPaintDC dc(this);
    ++paints;
    RECT client;
    ::ui::GetClientRect(m_hWnd, &client);
    CBrush brush(RGB(10, 120, 30));
    dc.FillRect(&client, &brush);
    dc.Draw3dRect(&client, RGB(255, 255, 255), RGB(0, 0, 0));
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintingWnd, CWnd)
  ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {

COLORREF BufferPixel(HWND hwnd, int x, int y) {
  cairo_surface_t* buffer = ::ui::GetBackBuffer(hwnd);
  if (!buffer) return CLR_INVALID;
  cairo_surface_flush(buffer);
  const auto* row = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(buffer) +
                                                           y * cairo_image_surface_get_stride(buffer));
  return RGB((row[x] >> 16) & 0xFF, (row[x] >> 8) & 0xFF, row[x] & 0xFF);
}

class DrawingTest : public AfxFixture {};

TEST_F(DrawingTest, PaintContextPaintsTheBackBufferOfTheWindow) {
  CPaintingWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, "paint", WS_POPUP | WS_VISIBLE, 30, 40, 60, 50, nullptr, nullptr));
  ::ui::UpdateWindow(wnd.m_hWnd);
  EXPECT_GE(wnd.paints, 1);
  EXPECT_EQ(BufferPixel(wnd.m_hWnd, 20, 20), RGB(10, 120, 30));
  EXPECT_EQ(BufferPixel(wnd.m_hWnd, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(BufferPixel(wnd.m_hWnd, 59, 49), RGB(0, 0, 0));
  // Painted and validated: a second update paints nothing.
  const int paints = wnd.paints;
  ::ui::UpdateWindow(wnd.m_hWnd);
  EXPECT_EQ(wnd.paints, paints);
  wnd.DestroyWindow();
}

TEST_F(DrawingTest, ClientContextDrawsOutsidePaintAndDragRectErasesItself) {
  CPaintingWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, "client", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr, nullptr));
  ::ui::UpdateWindow(wnd.m_hWnd);
  {
    CClientDC dc(&wnd);
    dc.FillSolidRect(5, 5, 10, 10, RGB(200, 0, 0));
    const RECT drag{2, 2, 30, 30};
    dc.DrawDragRect(&drag, SIZE{3, 3}, nullptr, SIZE{});
    EXPECT_NE(BufferPixel(wnd.m_hWnd, 3, 2) == RGB(10, 120, 30), BufferPixel(wnd.m_hWnd, 4, 2) == RGB(10, 120, 30));
    dc.DrawDragRect(nullptr, SIZE{}, &drag, SIZE{3, 3});
  }
  EXPECT_EQ(BufferPixel(wnd.m_hWnd, 10, 10), RGB(200, 0, 0));
  EXPECT_EQ(BufferPixel(wnd.m_hWnd, 3, 2), RGB(10, 120, 30));
  EXPECT_EQ(BufferPixel(wnd.m_hWnd, 4, 2), RGB(10, 120, 30));
  wnd.DestroyWindow();
}

TEST_F(DrawingTest, MemoryContextWithBitmapAndTemporaryObjects) {
  CDC screen;
  screen.CreateCompatibleDC(nullptr);
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateBitmap(4, 4, 1, 32, nullptr));
  CBitmap* previous = screen.SelectObject(&bitmap);
  ASSERT_NE(previous, nullptr);  // the stock bitmap, as a temporary object
  screen.FillSolidRect(0, 0, 4, 4, RGB(1, 2, 3));
  EXPECT_EQ(screen.GetPixel(2, 2), RGB(1, 2, 3));
  CPen pen;
  pen.CreatePen(PS_SOLID, 1, RGB(9, 9, 9));
  CPen* old_pen = screen.SelectObject(&pen);
  screen.MoveTo(0, 3);
  screen.LineTo(4, 3);
  EXPECT_EQ(screen.GetPixel(3, 3), RGB(9, 9, 9));
  screen.SelectObject(old_pen);
  screen.SelectObject(previous);
  CGdiObject::DeleteTempMap();
  CDC::DeleteTempMap();
  BITMAP info;
  EXPECT_EQ(bitmap.GetBitmap(&info), static_cast<int>(sizeof info));
  EXPECT_EQ(info.bmWidth, 4);
}

}  // namespace
}  // namespace afx::test

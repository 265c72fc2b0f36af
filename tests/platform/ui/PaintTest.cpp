// The paint pipeline: update regions, what passes to children, BeginPaint's
// frame and background, back buffers, and the clipping of siblings.
#include <cairo.h>

#include <filesystem>

#include "UiFixture.h"
#include "platform/ui/Gdi.h"

namespace ui::test {
namespace {

constexpr const char* kRedClass = "BrivenTestRedBackground";
constexpr std::uint32_t kRed = 0xFF0000;

LRESULT RedProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (UiFixture::handler) {
    const LRESULT answer = UiFixture::handler(hwnd, message, wParam, lParam);
    if (answer != kDefault) return answer;
  }
  return DefWindowProc(hwnd, message, wParam, lParam);
}

class PaintTest : public UiFixture {
 protected:
  void SetUp() override {
    UiFixture::SetUp();
    WNDCLASS wc;
    wc.lpfnWndProc = RedProc;
    wc.lpszClassName = kRedClass;
    static const HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    wc.hbrBackground = red;
    RegisterClass(wc);
  }

  HWND Make(DWORD style, RECT rect, HWND parent = nullptr, const char* class_name = kTestClass) {
    return CreateWindowEx(0, class_name, "paint", style, rect.left, rect.top, rect.right - rect.left,
                          rect.bottom - rect.top, parent, nullptr, nullptr);
  }

  // The colour of the back buffer at window coordinates of the top-level window.
  static std::uint32_t Pixel(HWND top, int x, int y) {
    cairo_surface_t* buffer = GetBackBuffer(top);
    cairo_surface_flush(buffer);
    const unsigned char* row = cairo_image_surface_get_data(buffer) + y * cairo_image_surface_get_stride(buffer);
    return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFF;
  }

  static RECT UpdateBounds(HWND hwnd) {
    RECT r;
    GetUpdateRect(hwnd, &r, FALSE);
    return r;
  }
};

TEST_F(PaintTest, TheUpdateAreaIsARegionNotOneBox) {
  const HWND hwnd = Make(WS_POPUP | WS_CLIPCHILDREN, RECT{0, 0, 200, 200});
  ValidateRect(hwnd, nullptr);
  const RECT first{10, 10, 20, 20}, second{100, 100, 120, 120};
  InvalidateRect(hwnd, &first, FALSE);
  InvalidateRect(hwnd, &second, FALSE);
  EXPECT_EQ(UpdateBounds(hwnd), (RECT{10, 10, 120, 120}));
  ValidateRect(hwnd, &first);  // the second box is left, the space between was never due
  EXPECT_EQ(UpdateBounds(hwnd), (RECT{100, 100, 120, 120}));
  const HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetUpdateRgn(hwnd, region, FALSE), SIMPLEREGION);
  RECT box;
  GetRgnBox(region, &box);
  EXPECT_EQ(box, (RECT{100, 100, 120, 120}));
  const HRGN other = CreateRectRgn(100, 100, 110, 120);
  ValidateRgn(hwnd, other);
  EXPECT_EQ(UpdateBounds(hwnd), (RECT{110, 100, 120, 120}));
  InvalidateRgn(hwnd, other, FALSE);
  EXPECT_EQ(UpdateBounds(hwnd), (RECT{100, 100, 120, 120}));
  ValidateRect(hwnd, nullptr);
  EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, FALSE));
  DeleteObject(region);
  DeleteObject(other);
}

TEST_F(PaintTest, InvalidationReachesChildrenUnlessTheParentClipsThem) {
  struct Case {
    DWORD parent_style;
    UINT flags;
    bool child_due;
  } cases[] = {
      {WS_POPUP, RDW_INVALIDATE, true},
      {WS_POPUP | WS_CLIPCHILDREN, RDW_INVALIDATE, false},
      {WS_POPUP | WS_CLIPCHILDREN, RDW_INVALIDATE | RDW_ALLCHILDREN, true},
      {WS_POPUP, RDW_INVALIDATE | RDW_NOCHILDREN, false},
  };
  for (const Case& c : cases) {
    const HWND parent = Make(c.parent_style | WS_VISIBLE, RECT{0, 0, 200, 200});
    const HWND child = Make(WS_CHILD | WS_VISIBLE, RECT{50, 50, 100, 100}, parent);
    const HWND away = Make(WS_CHILD | WS_VISIBLE, RECT{150, 150, 190, 190}, parent);
    ValidateRect(parent, nullptr);
    ValidateRect(child, nullptr);
    ValidateRect(away, nullptr);
    const RECT area{60, 60, 70, 70};
    RedrawWindow(parent, &area, nullptr, c.flags);
    EXPECT_EQ(GetUpdateRect(child, nullptr, FALSE) != FALSE, c.child_due) << c.parent_style << " " << c.flags;
    if (c.child_due) {
      EXPECT_EQ(UpdateBounds(child), (RECT{10, 10, 20, 20}));
    }
    EXPECT_FALSE(GetUpdateRect(away, nullptr, FALSE));  // outside the area
    DestroyWindow(parent);
  }
}

TEST_F(PaintTest, AChildThatMovesOrHidesUncoversItsParent) {
  const HWND parent = Make(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, RECT{0, 0, 200, 200});
  const HWND child = Make(WS_CHILD | WS_VISIBLE | WS_BORDER, RECT{10, 10, 50, 50}, parent);
  UpdateWindow(parent);
  UpdateWindow(child);
  ASSERT_FALSE(GetUpdateRect(parent, nullptr, FALSE));
  MoveWindow(child, 100, 100, 40, 40, TRUE);
  EXPECT_EQ(UpdateBounds(parent), (RECT{10, 10, 50, 50}));
  EXPECT_TRUE(GetUpdateRect(child, nullptr, FALSE));  // its frame and client anew
  ValidateRect(parent, nullptr);
  ShowWindow(child, SW_HIDE);
  EXPECT_EQ(UpdateBounds(parent), (RECT{100, 100, 140, 140}));
}

TEST_F(PaintTest, BeginPaintPaintsTheFrameAndTheClassBackgroundThenValidates) {
  const HWND hwnd = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 200, 150}, nullptr, kRedClass);
  std::vector<UINT> seen;
  PAINTSTRUCT paint;
  handler = [&](HWND target, UINT message, WPARAM, LPARAM) -> LRESULT {
    if (target != hwnd) return kDefault;
    if (message == WM_NCPAINT || message == WM_ERASEBKGND || message == WM_PAINT) seen.push_back(message);
    if (message == WM_PAINT) {
      BeginPaint(hwnd, &paint);
      EndPaint(hwnd, &paint);
      return 0;
    }
    return kDefault;
  };
  UpdateWindow(hwnd);
  EXPECT_EQ(seen, (std::vector<UINT>{WM_PAINT, WM_NCPAINT, WM_ERASEBKGND}));
  EXPECT_EQ(paint.rcPaint, (RECT{0, 0, 192, 123}));
  EXPECT_FALSE(paint.fErase);  // the class brush erased it
  EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, FALSE));
  EXPECT_EQ(Pixel(hwnd, 100, 80), kRed);  // client
  EXPECT_NE(Pixel(hwnd, 1, 1), kRed);     // frame
  EXPECT_NE(Pixel(hwnd, 100, 10), kRed);  // caption

  seen.clear();
  const RECT part{0, 0, 10, 10};
  InvalidateRect(hwnd, &part, FALSE);  // no erase, no frame
  UpdateWindow(hwnd);
  EXPECT_EQ(seen, (std::vector<UINT>{WM_PAINT}));
  EXPECT_EQ(paint.rcPaint, part);
}

TEST_F(PaintTest, EraseNowPaintsTheBackgroundButLeavesThePaintDue) {
  const HWND hwnd = Make(WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100}, nullptr, kRedClass);
  UpdateWindow(hwnd);
  std::vector<UINT> seen;
  handler = [&](HWND target, UINT message, WPARAM, LPARAM) -> LRESULT {
    if (target == hwnd && (message == WM_ERASEBKGND || message == WM_PAINT)) seen.push_back(message);
    return kDefault;
  };
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW);
  EXPECT_EQ(seen, (std::vector<UINT>{WM_ERASEBKGND}));
  EXPECT_TRUE(GetUpdateRect(hwnd, nullptr, FALSE));
  RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW);
  EXPECT_EQ(seen, (std::vector<UINT>{WM_ERASEBKGND, WM_PAINT}));
  EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, FALSE));
}

TEST_F(PaintTest, OnlyShownTopLevelWindowsHaveABackBufferOfTheirSize) {
  const HWND hidden = Make(WS_OVERLAPPEDWINDOW, RECT{0, 0, 300, 200});
  SetWindowPos(hidden, nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOMOVE);
  EXPECT_EQ(GetBackBuffer(hidden), nullptr);  // the hidden main frame of an unattended run costs nothing
  ShowWindow(hidden, SW_SHOW);
  cairo_surface_t* buffer = GetBackBuffer(hidden);
  ASSERT_NE(buffer, nullptr);
  EXPECT_EQ(cairo_image_surface_get_format(buffer), CAIRO_FORMAT_ARGB32);
  EXPECT_EQ(cairo_image_surface_get_width(buffer), 400);
  EXPECT_EQ(cairo_image_surface_get_height(buffer), 300);
  MoveWindow(hidden, 10, 10, 250, 120, TRUE);
  buffer = GetBackBuffer(hidden);
  EXPECT_EQ(cairo_image_surface_get_width(buffer), 250);
  EXPECT_EQ(cairo_image_surface_get_height(buffer), 120);
  const HWND child = Make(WS_CHILD | WS_VISIBLE, RECT{0, 0, 10, 10}, hidden);
  EXPECT_EQ(GetBackBuffer(child), buffer);  // children paint into their top-level window's buffer
}

TEST_F(PaintTest, ClipSiblingsKeepsAWindowOffTheSiblingAboveIt) {
  for (const bool clip : {true, false}) {
    const HWND parent = Make(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, RECT{0, 0, 200, 200});
    Make(WS_CHILD | WS_VISIBLE, RECT{50, 50, 150, 150}, parent);  // stays above
    const HWND below = Make(WS_CHILD | WS_VISIBLE | (clip ? WS_CLIPSIBLINGS : 0), RECT{0, 0, 100, 100}, parent);
    SetWindowPos(below, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    const HDC hdc = GetDC(below);
    const RECT all{0, 0, 100, 100};
    const HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(hdc, &all, red);
    ReleaseDC(below, hdc);
    DeleteObject(red);
    EXPECT_EQ(Pixel(parent, 10, 10), kRed);
    EXPECT_EQ(Pixel(parent, 70, 70) == kRed, !clip) << clip;
    const HDC parent_dc = GetDC(parent);  // WS_CLIPCHILDREN: the parent's drawing stays off both
    const HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    const RECT whole{0, 0, 200, 200};
    FillRect(parent_dc, &whole, blue);
    ReleaseDC(parent, parent_dc);
    DeleteObject(blue);
    EXPECT_EQ(Pixel(parent, 10, 10), kRed);
    EXPECT_EQ(Pixel(parent, 190, 190), 0x0000FFu);
    DestroyWindow(parent);
  }
}

// A parent that erases its background after its children have painted
// would wipe them out, so the parent's paint comes first, even when the
// child's slot in the window table is older than its parent's (a dialog
// made after another one went).
TEST_F(PaintTest, AParentPaintsBeforeItsChildrenWhateverTheirAge) {
  std::vector<HWND> earlier;
  for (int i = 0; i < 3; ++i) earlier.push_back(Make(WS_POPUP, RECT{0, 0, 10, 10}));
  const HWND parent = Make(WS_POPUP, RECT{0, 0, 200, 200}, nullptr, kRedClass);
  for (HWND gone : earlier) DestroyWindow(gone);
  const HWND child = Make(WS_CHILD | WS_VISIBLE, RECT{10, 10, 60, 60}, parent);
  std::vector<HWND> order;
  handler = [&](HWND target, UINT message, WPARAM, LPARAM) -> LRESULT {
    if (message == WM_PAINT && (target == parent || target == child)) order.push_back(target);
    return kDefault;
  };
  ShowWindow(parent, SW_SHOW);
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  EXPECT_EQ(order, (std::vector<HWND>{parent, child}));
  handler = nullptr;
  DestroyWindow(parent);
}

TEST_F(PaintTest, AFrozenWindowPaintsOnlyOnceItThaws) {
  const HWND hwnd = Make(WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100});
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  int paints = 0;
  handler = [&](HWND target, UINT message, WPARAM, LPARAM) -> LRESULT {
    if (target == hwnd && message == WM_PAINT) ++paints;
    return kDefault;
  };
  ASSERT_TRUE(LockWindowUpdate(hwnd));
  InvalidateRect(hwnd, nullptr, TRUE);
  EXPECT_FALSE(PeekMessage(&msg, hwnd, WM_PAINT, WM_PAINT, PM_NOREMOVE));
  UpdateWindow(hwnd);
  EXPECT_EQ(paints, 0);
  ASSERT_TRUE(LockWindowUpdate(nullptr));
  UpdateWindow(hwnd);
  EXPECT_EQ(paints, 1);
}

TEST_F(PaintTest, ColourChangesReachTopLevelWindowsOnly) {
  const HWND top = Make(WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100});
  const HWND child = Make(WS_CHILD | WS_VISIBLE, RECT{0, 0, 10, 10}, top);
  std::vector<HWND> told;
  handler = [&](HWND target, UINT message, WPARAM, LPARAM) -> LRESULT {
    if (message == WM_SYSCOLORCHANGE) told.push_back(target);
    return kDefault;
  };
  ValidateRect(top, nullptr);
  const int index = COLOR_BTNFACE;
  const COLORREF old = GetSysColor(index);
  const COLORREF changed = RGB(1, 2, 3);
  SetSysColors(1, &index, &changed);
  SetSysColors(1, &index, &old);
  EXPECT_EQ(told, (std::vector<HWND>{top, top}));
  EXPECT_TRUE(GetUpdateRect(child, nullptr, FALSE));  // repainted whole, children too
}

TEST_F(PaintTest, WindowsAndTheScreenDumpToPng) {
  const HWND frame = CreateWindowEx(WS_EX_CLIENTEDGE, kRedClass, "Sample frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_VSCROLL,
                                    40, 40, 320, 200, nullptr, nullptr, nullptr);
  UpdateWindow(frame);
  const std::filesystem::path dir = BRIVEN_TEST_BINARY_DIR;
  const std::filesystem::path window_png = dir / "window-frame.png", screen_png = dir / "window-screen.png";
  EXPECT_TRUE(GetHeadlessHost().DumpWindowPng(frame, window_png.string()));
  EXPECT_TRUE(GetHeadlessHost().DumpScreenPng(screen_png.string()));
  EXPECT_GT(std::filesystem::file_size(window_png), 0u);
  EXPECT_GT(std::filesystem::file_size(screen_png), 0u);
  EXPECT_FALSE(GetHeadlessHost().DumpWindowPng(MakeWindow(), (dir / "never-shown.png").string()));
}

}  // namespace
}  // namespace ui::test

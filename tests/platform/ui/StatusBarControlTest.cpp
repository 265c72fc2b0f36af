// The status-bar control: where its parts lie, what it keeps of their
// texts, where it puts itself, its grip and its owner-drawn parts, and
// how they look.
#include <cairo.h>

#include <string>

#include "UiFixture.h"
#include "platform/ui/HeadlessHost.h"

namespace ui::test {
namespace {

class StatusBarControlTest : public UiFixture {
 protected:
  void SetUp() override {
    UiFixture::SetUp();
    handler = [this](HWND, UINT message, WPARAM, LPARAM lParam) -> LRESULT {
      if (message == WM_DRAWITEM) {
        drawn.push_back(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
      }
      return kDefault;
    };
    parent = MakeWindow(WS_POPUP | WS_VISIBLE, nullptr, 0, RECT{20, 20, 420, 320});
  }
  HWND Bar(DWORD style = 0) {
    return CreateWindowEx(0, "msctls_statusbar32", "", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                          reinterpret_cast<HMENU>(59393), nullptr);
  }
  static RECT PartRect(HWND bar, int part) {
    RECT rect{};
    EXPECT_TRUE(SendMessage(bar, SB_GETRECT, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(&rect)));
    return rect;
  }
  static RECT WindowIn(HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    MapWindowPoints(nullptr, GetParent(child), corners, 2);
    return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
  }
  void PaintAll() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  }
  COLORREF At(HWND hwnd, POINT at) {
    PaintAll();
    RECT top, window;
    GetWindowRect(parent, &top);
    GetWindowRect(hwnd, &window);
    cairo_surface_t* buffer = GetBackBuffer(parent);
    cairo_surface_flush(buffer);
    const int x = window.left - top.left + at.x, y = window.top - top.top + at.y;
    const unsigned char* row = cairo_image_surface_get_data(buffer) + y * cairo_image_surface_get_stride(buffer);
    const std::uint32_t pixel = reinterpret_cast<const std::uint32_t*>(row)[x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
  }
  HWND parent = nullptr;
  std::vector<DRAWITEMSTRUCT> drawn;
};

TEST_F(StatusBarControlTest, PartsEndAtTheirEdgesAndTheLastRunsToTheEnd) {
  const HWND bar = Bar();
  const RECT window = WindowIn(bar);
  EXPECT_EQ(window.left, 0);
  EXPECT_EQ(window.right, 400);
  EXPECT_EQ(window.bottom, 300);  // along the parent's bottom
  const int height = window.bottom - window.top;
  const int edges[] = {100, 200, -1};
  ASSERT_TRUE(SendMessage(bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges)));
  EXPECT_EQ(PartRect(bar, 0), (RECT{0, 2, 100, height - 2}));
  EXPECT_EQ(PartRect(bar, 1), (RECT{102, 2, 200, height - 2}));
  EXPECT_EQ(PartRect(bar, 2), (RECT{202, 2, 400, height - 2}));
  RECT none{};
  EXPECT_FALSE(SendMessage(bar, SB_GETRECT, 3, reinterpret_cast<LPARAM>(&none)));
  int got[4] = {};
  EXPECT_EQ(SendMessage(bar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(got)), 3);
  EXPECT_EQ(got[1], 200);
  EXPECT_FALSE(SendMessage(bar, SB_SETPARTS, 0, reinterpret_cast<LPARAM>(edges)));
  EXPECT_FALSE(SendMessage(bar, SB_SETPARTS, 257, reinterpret_cast<LPARAM>(edges)));
  int borders[3] = {-1, -1, -1};
  ASSERT_TRUE(SendMessage(bar, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders)));
  EXPECT_EQ(borders[0], 0);
  EXPECT_EQ(borders[1], 2);
  EXPECT_EQ(borders[2], 2);
}

TEST_F(StatusBarControlTest, TextsKeepTheirDrawingAndTheSameTextTwiceRepaintsNothing) {
  const HWND bar = Bar();
  const int edges[] = {150, -1};
  SendMessage(bar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
  EXPECT_TRUE(SendMessage(bar, SB_SETTEXT, 1 | SBT_POPOUT, reinterpret_cast<LPARAM>(" CONVERTING... ")));
  EXPECT_EQ(SendMessage(bar, SB_GETTEXTLENGTH, 1, 0), MAKELRESULT(15, SBT_POPOUT));
  char text[32] = {};
  EXPECT_EQ(SendMessage(bar, SB_GETTEXT, 1, reinterpret_cast<LPARAM>(text)), MAKELRESULT(15, SBT_POPOUT));
  EXPECT_STREQ(text, " CONVERTING... ");
  EXPECT_FALSE(SendMessage(bar, SB_SETTEXT, 2, reinterpret_cast<LPARAM>("no such part")));
  PaintAll();
  RECT dirty;
  EXPECT_FALSE(GetUpdateRect(bar, &dirty, FALSE));
  SendMessage(bar, SB_SETTEXT, 1 | SBT_POPOUT, reinterpret_cast<LPARAM>(" CONVERTING... "));
  EXPECT_FALSE(GetUpdateRect(bar, &dirty, FALSE));
  SendMessage(bar, SB_SETTEXT, 1, reinterpret_cast<LPARAM>(" CONVERTING... "));  // the border changed
  EXPECT_TRUE(GetUpdateRect(bar, &dirty, FALSE));
  // The window text is the first part's.
  SetWindowText(bar, "Ready");
  EXPECT_EQ(SendMessage(bar, SB_GETTEXTLENGTH, 0, 0), MAKELRESULT(5, 0));
  EXPECT_EQ(GetWindowTextLength(bar), 5);
}

TEST_F(StatusBarControlTest, ItKeepsTheParentsBottomUnlessToldNotToResize) {
  const HWND bar = Bar();
  SendMessage(bar, SB_SETMINHEIGHT, 40, 0);
  SendMessage(bar, WM_SIZE, 0, 0);
  EXPECT_EQ(WindowIn(bar), (RECT{0, 260, 400, 300}));
  const HWND placed = CreateWindowEx(0, "msctls_statusbar32", "", WS_CHILD | WS_VISIBLE | CCS_NORESIZE, 10, 10, 200,
                                     22, parent, nullptr, nullptr);
  SendMessage(placed, WM_SIZE, 0, 0);
  EXPECT_EQ(WindowIn(placed), (RECT{10, 10, 210, 32}));
}

TEST_F(StatusBarControlTest, TheGripSizesUnlessTheParentIsMaximised) {
  const HWND bar = Bar(SBARS_SIZEGRIP);
  RECT window;
  GetWindowRect(bar, &window);
  const LPARAM corner = MAKELPARAM(static_cast<unsigned>(window.right - 3), static_cast<unsigned>(window.bottom - 3));
  const LPARAM middle = MAKELPARAM(static_cast<unsigned>(window.left + 50), static_cast<unsigned>(window.bottom - 3));
  EXPECT_EQ(SendMessage(bar, WM_NCHITTEST, 0, corner), HTBOTTOMRIGHT);
  EXPECT_EQ(SendMessage(bar, WM_NCHITTEST, 0, middle), HTCLIENT);
  SetWindowLongPtr(parent, GWL_STYLE, GetWindowLongPtr(parent, GWL_STYLE) | WS_MAXIMIZE);
  EXPECT_EQ(SendMessage(bar, WM_NCHITTEST, 0, corner), HTCLIENT);
}

TEST_F(StatusBarControlTest, OwnerDrawnPartsAndBordersAsDrawn) {
  const HWND bar = Bar(SBARS_SIZEGRIP);
  const int edges[] = {120, 240, -1};
  SendMessage(bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
  SendMessage(bar, SB_SETTEXT, 0 | SBT_NOBORDERS, reinterpret_cast<LPARAM>("Ready"));
  SendMessage(bar, SB_SETTEXT, 1, reinterpret_cast<LPARAM>("\tH"));
  SendMessage(bar, SB_SETTEXT, 2 | SBT_OWNERDRAW, 0x5A5A);
  EXPECT_EQ(SendMessage(bar, SB_GETTEXT, 2, 0), 0x5A5A);  // an owner-drawn part answers its value
  const RECT second = PartRect(bar, 1);
  EXPECT_EQ(At(bar, POINT{second.left, second.top}), GetSysColor(COLOR_3DSHADOW));       // sunken
  EXPECT_EQ(At(bar, POINT{second.right - 1, second.bottom - 1}), GetSysColor(COLOR_3DHIGHLIGHT));
  EXPECT_EQ(At(bar, POINT{0, 2}), GetSysColor(COLOR_3DFACE));  // no border
  ASSERT_FALSE(drawn.empty());
  const DRAWITEMSTRUCT& item = drawn.back();
  EXPECT_EQ(item.itemID, 2u);
  EXPECT_EQ(item.itemData, 0x5A5Au);
  EXPECT_EQ(item.hwndItem, bar);
  EXPECT_EQ(item.CtlID, 59393u);
  const RECT third = PartRect(bar, 2);
  EXPECT_EQ(item.rcItem, (RECT{third.left + 1, third.top + 1, third.right - 1, third.bottom - 1}));  // inside the border
  ASSERT_TRUE(GetHeadlessHost().DumpWindowPng(parent, std::string(BRIVEN_TEST_BINARY_DIR) + "/status_bar.png"));
}

}  // namespace
}  // namespace ui::test

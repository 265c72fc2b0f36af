// The framework's frame: its own caption keeps the activation it has, the
// bar's context menu hides a bar and switches docking off and on, plug-ins
// are found by class name, and a drag shows its outline on the desktop
// overlay (halftone while floating) and takes it away at the end.
#include <cairo.h>

#include <cstdlib>
#include <string>

#include "docking/QVTBmpMenuPlugIn.h"
#include "platform/afx/Dc.h"
#include "platform/ui/DeviceContext.h"
#include "platform/ui/HeadlessHost.h"
#include "platform/ui/Menu.h"
#include "tests/docking/DockingFrameFixture.h"

namespace docking::test {
namespace {

using namespace ui;
using namespace afx;

class QVTFrameWndTest : public DockingFrameFixture {
 protected:
  // Pixels of the desktop overlay that are not zero inside `rect`.
  static int OverlayPixels(const RECT& rect) {
    cairo_surface_t* overlay = GetDesktopOverlay();
    cairo_surface_flush(overlay);
    const int stride = cairo_image_surface_get_stride(overlay);
    const int width = cairo_image_surface_get_width(overlay), height = cairo_image_surface_get_height(overlay);
    const unsigned char* data = cairo_image_surface_get_data(overlay);
    int count = 0;
    for (int y = std::max<LONG>(0, rect.top); y < std::min<LONG>(height, rect.bottom); ++y)
      for (int x = std::max<LONG>(0, rect.left); x < std::min<LONG>(width, rect.right); ++x)
        if (reinterpret_cast<const std::uint32_t*>(data + y * stride)[x] & 0x00FFFFFF) ++count;
    return count;
  }
  // Pixels near the start colour of the active and of the inactive caption
  // gradient, on the headless screen, just inside the caption's left end.
  struct CaptionLook {
    int active = 0, inactive = 0;
  };
  static CaptionLook LookOfCaption(HWND hwnd) {
    Pump();
    const std::string path = std::string(BRIVEN_TEST_BINARY_DIR) + "/caption-look.png";
    CaptionLook look;
    if (!GetHeadlessHost().DumpScreenPng(path)) return look;
    cairo_surface_t* screen = cairo_image_surface_create_from_png(path.c_str());
    const RECT window = ScreenRect(hwnd);
    POINT client{0, 0};
    ClientToScreen(hwnd, &client);
    const auto near = [](std::uint32_t pixel, COLORREF colour) {
      const int r = static_cast<int>(pixel >> 16 & 0xFF), g = static_cast<int>(pixel >> 8 & 0xFF),
                b = static_cast<int>(pixel & 0xFF);
      return std::abs(r - GetRValue(colour)) < 12 && std::abs(g - GetGValue(colour)) < 12 &&
             std::abs(b - GetBValue(colour)) < 12;
    };
    const unsigned char* data = cairo_image_surface_get_data(screen);
    const int stride = cairo_image_surface_get_stride(screen);
    for (int y = window.top + 5; y < client.y - 3; ++y)
      for (int x = window.left + 5; x < window.left + 8; ++x) {
        const std::uint32_t pixel = reinterpret_cast<const std::uint32_t*>(data + y * stride)[x];
        if (near(pixel, GetSysColor(COLOR_ACTIVECAPTION))) ++look.active;
        if (near(pixel, GetSysColor(COLOR_INACTIVECAPTION))) ++look.inactive;
      }
    cairo_surface_destroy(screen);
    return look;
  }
};

TEST_F(QVTFrameWndTest, SwitchingTheCustomCaptionKeepsAnActiveCaptionActive) {
  ASSERT_EQ(GetActiveWindow(), frame_hwnd);
  SendMessage(frame_hwnd, WM_NCACTIVATE, TRUE, 0);
  frame->SetCustomCaption(TRUE);
  Pump();
  EXPECT_TRUE(frame->IsCaptionActive());
  frame->SetCustomCaption(FALSE);
  frame->SetCustomCaption(TRUE);
  Pump();
  EXPECT_TRUE(frame->IsCaptionActive());
  // An inactive frame stays inactive.
  SendMessage(frame_hwnd, WM_NCACTIVATE, FALSE, 0);
  SetActiveWindow(nullptr);
  frame->SetCustomCaption(TRUE);
  Pump();
  EXPECT_FALSE(frame->IsCaptionActive());
}

TEST_F(QVTFrameWndTest, TheCustomCaptionPaintsAtEveryWidthDownToNothing) {
  frame->SetCustomCaption(TRUE);
  frame->SetWindowText("Briven - log.raw");
  for (int width : {800, 120, 61, 30, 8, 1, 0}) {
    frame->SetWindowPos(nullptr, 0, 0, width, 200, SWP_NOMOVE | SWP_NOZORDER);
    frame->DrawCaption();
    Pump();
  }
  EXPECT_TRUE(frame->HasCustomCaption());
}

TEST_F(QVTFrameWndTest, TheContextMenuHidesTheBarAndSwitchesDockingOffAndOn) {
  std::vector<UINT> choices = {ID_QVT_ALLOW_DOCKING, ID_QVT_ALLOW_DOCKING, ID_QVT_HIDE_BAR};
  std::vector<bool> checked;
  QVTControlBar::SetMenuTracker([&](HMENU menu, POINT, CWnd*) -> UINT {
    checked.push_back((GetMenuState(menu, ID_QVT_ALLOW_DOCKING, MF_BYCOMMAND) & MF_CHECKED) != 0);
    const UINT choice = choices.front();
    choices.erase(choices.begin());
    return choice;
  });
  const RECT docked = ScreenRect(output);
  const POINT at = Centre(docked);
  // Allow Docking off: the bar floats and may no longer dock.
  output->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(output->m_hWnd), MAKELPARAM(at.x, at.y));
  Pump();
  EXPECT_TRUE(output->IsFloating());
  EXPECT_EQ(output->m_dwDockStyle & CBRS_ALIGN_ANY, 0u);
  // On again: the sides it had.
  output->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(output->m_hWnd), MAKELPARAM(-1, -1));
  EXPECT_EQ(output->m_dwDockStyle & CBRS_ALIGN_ANY, CBRS_ALIGN_ANY);
  // Hide.
  output->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(output->m_hWnd), MAKELPARAM(at.x, at.y));
  Pump();
  EXPECT_FALSE(output->IsWindowVisible());
  EXPECT_EQ(checked, (std::vector<bool>{true, false, true}));
}

TEST_F(QVTFrameWndTest, ARightClickOnTheBarDropsItsContextMenu) {
  // The window system's own popup: Down, Down, Return picks "Hide".
  for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) GetHeadlessHost().AddScriptStep([key] { InjectKeyPress(key); });
  const POINT at = Centre(ScreenRect(output));
  InjectClick(at, MouseButton::kRight);
  Pump();
  EXPECT_EQ(GetHeadlessHost().PendingScriptSteps(), 0u);
  EXPECT_FALSE(output->IsWindowVisible());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(QVTFrameWndTest, PlugInsAreCreatedByClassNameWhenTheWindowIs) {
  auto* plugged = new QVTFrameWnd;
  plugged->EnableBitmapMenus(TRUE, TRUE);
  ASSERT_TRUE(plugged->Create(nullptr, "Plugged", WS_OVERLAPPEDWINDOW, RECT{10, 10, 300, 200}));
  const HWND hwnd = plugged->m_hWnd;
  auto* plug_in = dynamic_cast<QVTBmpMenuPlugIn*>(plugged->GetMenuPlugIn());
  ASSERT_NE(plug_in, nullptr);
  // The plug-in sees the frame's messages first: a popup the frame
  // initialises becomes the plug-in's, and its answer is the frame's.
  HMENU popup = CreatePopupMenu();
  AppendMenu(popup, MF_STRING, 101, "&Open");
  plugged->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
  EXPECT_EQ(plug_in->ItemInfoCount(), 1u);
  EXPECT_EQ(plugged->SendMessage(WM_MENUCHAR, 'o', reinterpret_cast<LPARAM>(popup)), 0x20000);
  DestroyWindow(hwnd);
  DestroyMenu(popup);
  // Without bitmap menus or a menu bar there is none.
  EXPECT_EQ(frame->GetMenuPlugIn(), nullptr);
}

TEST_F(QVTFrameWndTest, ADragShowsItsOutlineOnTheDesktopAndTakesItAwayAtTheEnd) {
  ClearDesktopOverlay();
  const RECT before = ScreenRect(output);
  const POINT grab = Centre(before);
  const POINT floating_point{grab.x - 150, grab.y - 250};
  const POINT docking_point{ClientOnScreen().left + 3, 300};
  int floating_pixels = 0, docking_pixels = 0;
  const std::string dir = BRIVEN_TEST_BINARY_DIR;
  HeadlessHost& host = GetHeadlessHost();
  InjectButtonDown(grab);
  host.AddScriptStep([&] { InjectMouseMove(floating_point); });
  host.AddScriptStep([&] {
    floating_pixels = OverlayPixels(RECT{0, 0, 1024, 768});
    host.DumpScreenPng(dir + "/drag-outline-floating.png");
    InjectMouseMove(docking_point);
  });
  host.AddScriptStep([&] {
    docking_pixels = OverlayPixels(RECT{0, 0, 1024, 768});
    host.DumpScreenPng(dir + "/drag-outline-docking.png");
    InjectButtonUp(docking_point);
  });
  Pump();
  while (host.PendingScriptSteps() > 0) {
    MSG msg;
    if (!GetMessage(&msg, nullptr, 0, 0)) break;
    DispatchMessage(&msg);
  }
  Pump();
  // The floating shape has a frame-wide halftone edge; the docked one is a
  // thin line, so it shows fewer pixels.
  EXPECT_GT(floating_pixels, 0);
  EXPECT_GT(docking_pixels, 0);
  EXPECT_LT(docking_pixels, floating_pixels);
  EXPECT_EQ(OverlayPixels(RECT{0, 0, 1024, 768}), 0);
  EXPECT_EQ(output->m_pDockBar, DockBar(AFX_IDW_DOCKBAR_LEFT));
  GetHeadlessHost().DumpScreenPng(dir + "/docked-left.png");
}

// A bar that paints itself in one colour, to see where its pixels end up.
class YellowBar : public QVTControlBar {
 public:
  void DoPaint(CDC* dc) override {
    RECT client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, RGB(255, 255, 0));
  }
};

TEST_F(QVTFrameWndTest, AFloatingFrameShowsItsBarInsideWithItsPixels) {
  auto* bar = new YellowBar;
  bar->m_bAutoDelete = TRUE;
  ASSERT_TRUE(bar->Create(frame, "Yellow", WS_CHILD | WS_VISIBLE | CBRS_SIZE_DYNAMIC | CBRS_BOTTOM,
                          QVT_BARSTYLE_SIZABLE, kNotesBarId));
  bar->EnableDocking(CBRS_ALIGN_ANY);
  frame->DockControlBar(bar);
  frame->RecalcLayout();
  Pump();
  frame->FloatControlBar(bar, POINT{300, 200});
  Pump();
  const HWND floating = FloatingFrameOf(bar);
  ASSERT_NE(floating, nullptr);
  // The bar fills the frame's client area.
  RECT client;
  GetClientRect(floating, &client);
  ClientToScreen(floating, reinterpret_cast<POINT*>(&client.left));
  ClientToScreen(floating, reinterpret_cast<POINT*>(&client.right));
  EXPECT_EQ(ScreenRect(bar), client);
  const std::string path = std::string(BRIVEN_TEST_BINARY_DIR) + "/floating-frame.png";
  ASSERT_TRUE(GetHeadlessHost().DumpScreenPng(path));
  cairo_surface_t* screen = cairo_image_surface_create_from_png(path.c_str());
  ASSERT_EQ(cairo_surface_status(screen), CAIRO_STATUS_SUCCESS);
  const POINT centre = Centre(client);
  const auto* row = cairo_image_surface_get_data(screen) + centre.y * cairo_image_surface_get_stride(screen);
  EXPECT_EQ(reinterpret_cast<const std::uint32_t*>(row)[centre.x] & 0xFFFFFF, 0xFFFF00u);
  cairo_surface_destroy(screen);
}

TEST_F(QVTFrameWndTest, AFloatingFrameLooksActiveTogetherWithItsFrame) {
  ASSERT_EQ(GetActiveWindow(), frame_hwnd);
  frame->FloatControlBar(output, POINT{300, 200});
  Pump();
  const HWND floating = FloatingFrameOf(output);
  ASSERT_NE(floating, nullptr);
  // Shown without activation, it takes the look of its active frame.
  CaptionLook look = LookOfCaption(floating);
  EXPECT_GT(look.active, 0);
  EXPECT_EQ(look.inactive, 0);
  // The floating frame active: the frame keeps its active caption.
  SetActiveWindow(floating);
  EXPECT_TRUE(frame->IsCaptionActive());
  look = LookOfCaption(floating);
  EXPECT_GT(look.active, 0);
  SetActiveWindow(frame_hwnd);
  look = LookOfCaption(floating);
  EXPECT_GT(look.active, 0);
  EXPECT_EQ(look.inactive, 0);
  // Another window active: both look inactive.
  SetActiveWindow(nullptr);
  EXPECT_FALSE(frame->IsCaptionActive());
  look = LookOfCaption(floating);
  EXPECT_EQ(look.active, 0);
  EXPECT_GT(look.inactive, 0);
}

TEST_F(QVTFrameWndTest, EnablingDockingTwiceMakesNoSecondDockBarOnASide) {
  const auto dock_bars_with_id = [&](UINT id) {
    int count = 0;
    for (CControlBar* bar : frame->GetControlBars())
      if (bar->IsDockBar() && static_cast<UINT>(bar->GetDlgCtrlID()) == id) ++count;
    return count;
  };
  frame->EnableDocking(CBRS_ALIGN_ANY);
  for (UINT id : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT})
    EXPECT_EQ(dock_bars_with_id(id), 1) << std::hex << id;
}

TEST_F(QVTFrameWndTest, FloatingABarAloneInItsFloatingFrameMovesThatFrame) {
  frame->FloatControlBar(output, POINT{300, 200});
  Pump();
  const HWND floating = FloatingFrameOf(output);
  ASSERT_NE(floating, nullptr);
  frame->FloatControlBar(output, POINT{120, 90});
  Pump();
  EXPECT_EQ(FloatingFrameOf(output), floating);
  const RECT moved = ScreenRect(floating);
  EXPECT_EQ(moved.left, 120);
  EXPECT_EQ(moved.top, 90);
  // A style with no alignment bit in common makes a new frame.
  frame->FloatControlBar(output, POINT{200, 150}, CBRS_ALIGN_LEFT);
  Pump();
  ASSERT_TRUE(output->IsFloating());
  EXPECT_NE(FloatingFrameOf(output), floating);
  EXPECT_FALSE(IsWindow(floating));
}

TEST_F(QVTFrameWndTest, DockingAtARowFindsTheSideByTheBarsAlignmentOrNone) {
  frame->FloatControlBar(output, POINT{300, 200});
  Pump();
  // No alignment bit names no dock bar: the bar stays floating.
  output->m_dwStyle &= ~CBRS_ALIGN_ANY;
  frame->DockControlBarAt(output, 0, 0, 0, 0.5f, 200);
  EXPECT_TRUE(output->IsFloating());
  // An id that names no bar falls back to the bar's side; of two sides
  // the first of the side table.
  output->m_dwStyle |= CBRS_ALIGN_LEFT | CBRS_ALIGN_BOTTOM;
  frame->DockControlBarAt(output, 0x1234, 0, 0, 0.5f, 200);
  Pump();
  EXPECT_EQ(output->m_pDockBar, DockBar(AFX_IDW_DOCKBAR_BOTTOM));
}

}  // namespace
}  // namespace docking::test

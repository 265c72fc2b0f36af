// A frame's menu bar on a real display: xdotool's Alt+C drops the popup
// (a borderless window of ours where our geometry puts it, first item
// highlighted in the screenshot), Down and Return choose an item; a click
// on a title and one on an item do the same with the mouse.
#include <gtest/gtest.h>

#include <cairo.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/WinApi.h"
#include "tests/x11/ChildProcess.h"
#include "tests/x11/X11Session.h"
// GTK's headers define TRUE and FALSE as macros: they come after ours.
#include <wx/frame.h>

namespace {

using namespace ui;

constexpr UINT kParameters = 32773, kFileNaming = 32774;

std::vector<WPARAM> commands;
RECT popup_rect{};  // the popup at the loop's last idle turn

LRESULT MenuFrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) commands.push_back(wParam);
  if (message == WM_ENTERIDLE && lParam) GetWindowRect(reinterpret_cast<HWND>(lParam), &popup_rect);
  return DefWindowProc(hwnd, message, wParam, lParam);
}

std::uint32_t PixelAt(cairo_surface_t* screen, POINT point) {
  const unsigned char* row = cairo_image_surface_get_data(screen) + point.y * cairo_image_surface_get_stride(screen);
  return reinterpret_cast<const std::uint32_t*>(row)[point.x] & 0xFFFFFF;
}

std::uint32_t Rgb(COLORREF colour) {
  return (static_cast<std::uint32_t>(colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

class MenuOnDisplay : public ::testing::Test {
 protected:
  void SetUp() override {
    X11_REQUIRE_HOST();
    commands.clear();
    popup_rect = RECT{};
    WNDCLASS wc;
    wc.lpfnWndProc = MenuFrameProc;
    wc.lpszClassName = "BrivenMenuDemoFrame";
    wc.hbrBackground = SysColorBrushValue(COLOR_WINDOW);
    RegisterClass(wc);
    frame = CreateWindowEx(0, "BrivenMenuDemoFrame", "Briven menu demo", WS_OVERLAPPEDWINDOW, 120, 120, 420, 260,
                           nullptr, nullptr, nullptr);
    const HMENU conversion = CreatePopupMenu();
    AppendMenu(conversion, MF_STRING, kParameters, "&Parameters...\tCtrl+P");
    AppendMenu(conversion, MF_STRING, kFileNaming, "&File Naming...\tCtrl+F");
    const HMENU bar = CreateMenu();
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), "&Briven");
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(conversion), "&Conversion");
    ShowWindow(frame, SW_SHOW);
    UpdateWindow(frame);
    ASSERT_TRUE(x11test::WaitUntilShownAndSteady({frame}, frame));
    wxhost::WxHost* host = x11test::Host();
    // Set on a shown window: the host shows the bar above the client area.
    SetMenu(frame, bar);
    x11test::PumpUntil([] { return false; }, 200);
    RECT client{};
    GetClientRect(frame, &client);
    const wxSize shown = host->Find(frame)->frame()->GetClientSize();
    EXPECT_EQ(shown.y, client.bottom + GetSystemMetrics(SM_CYMENU));  // the bar and the whole client area
    x11test::RunHelper({"sh", "-c", "xdotool search --sync --name '^Briven menu demo$' windowactivate --sync %1"});
    ASSERT_TRUE(x11test::PumpUntil([&] { return GetActiveWindow() == frame; }));
    SetFocus(frame);
  }
  void TearDown() override {
    if (frame) DestroyWindow(frame);
    x11test::PumpUntil([] { return false; }, 50);
  }
  // Runs a shell script of xdotool steps beside our loop (which the menu
  // loop takes over meanwhile) until it ends and a command came.
  bool Drive(const std::string& script) {
    x11test::ChildProcess child({"sh", "-c", script});
    return x11test::PumpUntil([&] { return child.Finished() && !commands.empty(); }, 15000);
  }

  HWND frame = nullptr;
};

TEST_F(MenuOnDisplay, AltCDropsThePopupAndDownReturnChoose) {
  const std::string shot = x11test::ScreenshotFolder() + "/menu-open.png";
  ASSERT_TRUE(Drive("xdotool key alt+c; sleep 1; import -window root '" + shot + "'; xdotool key Down Return"));
  EXPECT_EQ(commands, std::vector<WPARAM>{kFileNaming});
  EXPECT_EQ(GetCapture(), nullptr);
  // The popup hung below the bar, its first item highlighted.
  ASSERT_GT(popup_rect.right, popup_rect.left);
  POINT client{0, 0};
  ClientToScreen(frame, &client);
  EXPECT_EQ(popup_rect.top, client.y) << popup_rect.left << "," << popup_rect.top;  // just below the bar
  cairo_surface_t* screen = cairo_image_surface_create_from_png(shot.c_str());
  ASSERT_EQ(cairo_surface_status(screen), CAIRO_STATUS_SUCCESS) << shot;
  cairo_surface_flush(screen);
  EXPECT_EQ(PixelAt(screen, POINT{popup_rect.left + 5, popup_rect.top + 5}), Rgb(GetSysColor(COLOR_HIGHLIGHT)));
  EXPECT_EQ(PixelAt(screen, POINT{popup_rect.left + 5, popup_rect.top + 3 + 19 + 5}), Rgb(GetSysColor(COLOR_MENU)));
  EXPECT_EQ(PixelAt(screen, POINT{popup_rect.right - 1, popup_rect.bottom - 1}), Rgb(GetSysColor(COLOR_3DDKSHADOW)));
  cairo_surface_destroy(screen);
}

TEST_F(MenuOnDisplay, AClickOnATitleAndOneOnAnItemChoose) {
  POINT client{0, 0};
  ClientToScreen(frame, &client);
  // "&Conversion" is the second title: about 50 to 120 pixels in.
  const int title_x = client.x + 80, title_y = client.y - GetSystemMetrics(SM_CYMENU) / 2;
  const int item_y = client.y + 3 + 19 + 9;  // the second item
  const std::string script = "xdotool mousemove --sync " + std::to_string(title_x) + " " + std::to_string(title_y) +
                             " click 1; sleep 0.5; xdotool mousemove --sync " + std::to_string(title_x) + " " +
                             std::to_string(item_y) + "; sleep 0.3; xdotool click 1";
  ASSERT_TRUE(Drive(script));
  EXPECT_EQ(commands, std::vector<WPARAM>{kFileNaming});
  EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace

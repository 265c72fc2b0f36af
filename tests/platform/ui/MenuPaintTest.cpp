// Menus as painted: pixels where the geometry puts the popup's frame, the
// highlighted row, the separator, check marks, the sub-menu arrow and the
// menu bar's open title (never the glyphs of text), and PNGs of the open
// menu and of the bar for a person to look at.
#include <cairo.h>

#include <functional>
#include <string>
#include <vector>

#include "UiFixture.h"
#include "platform/ui/internal/MenuBarLayout.h"

namespace ui::test {
namespace {

// The popup's rows: Open, Save, separator, Recent, Grey, Binary.
constexpr int kRowTop[] = {3, 22, 41, 50, 69, 88};

COLORREF PixelOf(HWND top_level, POINT at) {
  cairo_surface_t* buffer = GetBackBuffer(top_level);
  cairo_surface_flush(buffer);
  const unsigned char* row = cairo_image_surface_get_data(buffer) + at.y * cairo_image_surface_get_stride(buffer);
  const std::uint32_t pixel = reinterpret_cast<const std::uint32_t*>(row)[at.x];
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

std::vector<HWND> Popups() {
  std::vector<HWND> popups;
  for (HWND top = GetTopWindow(nullptr); top; top = GetWindow(top, GW_HWNDNEXT))
    if (GetClassName(top) == "#32768") popups.push_back(top);
  return popups;
}

class MenuPaintTest : public UiFixture {
 protected:
  void SetUp() override {
    UiFixture::SetUp();
    handler = [this](HWND hwnd, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
      if (message == WM_ERASEBKGND) {
        RECT client;
        GetClientRect(hwnd, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_WINDOW));
        return 1;
      }
      if (message == WM_ENTERIDLE && on_idle) {
        auto step = on_idle;
        step();
        return 0;
      }
      return kDefault;
    };
    frame = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, 0, RECT{40, 40, 460, 340});
    SetWindowText(frame, "Briven");
    recent = CreatePopupMenu();
    AppendMenu(recent, MF_STRING, 201, "&1 first.hip");
    AppendMenu(recent, MF_STRING, 202, "&2 second.hip");
    file = CreatePopupMenu();
    AppendMenu(file, MF_STRING, 101, "&Open...\tCtrl+O");
    AppendMenu(file, MF_STRING | MF_CHECKED, 102, "&Save");
    AppendMenu(file, MF_SEPARATOR, 0, nullptr);
    AppendMenu(file, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), "&Recent");
    AppendMenu(file, MF_STRING | MF_GRAYED, 104, "&Grey\tCtrl+G");
    AppendMenu(file, MF_STRING | MF_CHECKED, 105, "&Binary");
    MENUITEMINFO radio;
    radio.fMask = MIIM_FTYPE;
    radio.fType = MFT_RADIOCHECK;
    SetMenuItemInfo(file, 105, FALSE, &radio);
    SetMenuDefaultItem(file, 101, FALSE);
    bar = CreateMenu();
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), "&Conversion");
    AppendMenu(bar, MF_POPUP | MF_GRAYED, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), "&View");
    SetMenu(frame, bar);
    SetFocus(frame);
    PaintAll();
  }
  static void PaintAll() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  }
  // Runs the menu bar with File dropped by its mnemonic; `steps` run one
  // per idle turn of the loop, and the menu ends after the last.
  void WithFileOpen(std::vector<std::function<void()>> steps) {
    std::size_t next = 0;
    on_idle = [&] {
      if (next < steps.size()) steps[next++]();
      if (next == steps.size()) EndMenu();
    };
    SendMessage(frame, WM_SYSCOMMAND, SC_KEYMENU, 'f');
    on_idle = nullptr;
  }
  static std::string Png(const char* name) { return std::string(BRIVEN_TEST_BINARY_DIR) + "/" + name; }

  HWND frame = nullptr;
  HMENU bar = nullptr, file = nullptr, recent = nullptr;
  std::function<void()> on_idle;
};

TEST_F(MenuPaintTest, AnOpenPopupShowsItsFrameRowsChecksAndArrow) {
  struct Probe {
    const char* name;
    POINT at;
    int colour;
  };
  std::vector<std::pair<const char*, bool>> results;
  HWND popup = nullptr;
  WithFileOpen({
      [] { InjectKeyPress(VK_DOWN); },
      [] { InjectKeyPress(VK_DOWN); },  // Recent, past the separator
      [] { InjectKeyPress(VK_RIGHT); },
      [&] {
        const auto popups = Popups();
        ASSERT_EQ(popups.size(), 2u);
        RECT a, b;
        GetWindowRect(popups[0], &a);
        GetWindowRect(popups[1], &b);
        popup = a.left < b.left ? popups[0] : popups[1];
        RECT r;
        GetWindowRect(popup, &r);
        const int w = r.right - r.left, h = r.bottom - r.top;
        const int right = w - 3;  // the rows' right edge
        const Probe probes[] = {
            {"frame, far corner", {w - 1, h - 1}, COLOR_3DDKSHADOW},
            {"frame, face row", {2, 2}, COLOR_3DFACE},
            {"plain row", {5, kRowTop[0] + 2}, COLOR_MENU},
            {"selected row", {5, kRowTop[3] + 2}, COLOR_HIGHLIGHT},
            {"separator shadow", {10, (kRowTop[2] + kRowTop[3]) / 2 - 1}, COLOR_3DSHADOW},
            {"separator highlight", {10, (kRowTop[2] + kRowTop[3]) / 2}, COLOR_3DHIGHLIGHT},
            {"check mark", {12, kRowTop[1] + 10}, COLOR_MENUTEXT},
            {"radio dot", {12, (kRowTop[5] + kRowTop[5] + 19) / 2}, COLOR_MENUTEXT},
            {"arrow on the selected row", {right - 8 - 2, (kRowTop[3] + kRowTop[4]) / 2}, COLOR_HIGHLIGHTTEXT},
        };
        for (const Probe& p : probes) {
          const bool ok = PixelOf(popup, p.at) == GetSysColor(p.colour);
          results.emplace_back(p.name, ok);
        }
        EXPECT_TRUE(GetHeadlessHost().DumpScreenPng(Png("menu_open.png")));
        EXPECT_TRUE(GetHeadlessHost().DumpWindowPng(popup, Png("menu_popup.png")));
        EXPECT_TRUE(GetHeadlessHost().DumpWindowPng(frame, Png("menu_bar.png")));
        // The open title is pressed in: a thin sunken edge.
        const internal::MenuBarLayout layout = internal::MenuBarLayout::Of(frame);
        const RECT title = layout.ItemRect(0);
        EXPECT_EQ(PixelOf(frame, POINT{title.left, title.top}), GetSysColor(COLOR_3DSHADOW));
        EXPECT_EQ(PixelOf(frame, POINT{title.right - 1, title.bottom - 1}), GetSysColor(COLOR_3DHIGHLIGHT));
        const RECT other = layout.ItemRect(1);
        EXPECT_EQ(PixelOf(frame, POINT{other.left, other.top}), GetSysColor(COLOR_MENU));
      },
  });
  ASSERT_NE(popup, nullptr);
  for (const auto& [name, ok] : results) EXPECT_TRUE(ok) << name;
  EXPECT_TRUE(Popups().empty());
}

TEST_F(MenuPaintTest, TheBarLiesBetweenCaptionAndClientAndShowsTheSelectedTitle) {
  RECT window, client;
  GetWindowRect(frame, &window);
  GetClientRect(frame, &client);
  POINT origin{0, 0};
  ClientToScreen(frame, &origin);
  const internal::MenuBarLayout layout = internal::MenuBarLayout::Of(frame);
  ASSERT_EQ(layout.count(), 3);
  // One set of metrics: the bar's band ends where the client area begins.
  EXPECT_EQ(layout.bar().bottom, origin.y - window.top);
  EXPECT_EQ(layout.bar().bottom - layout.bar().top, GetSystemMetrics(SM_CYMENU));
  const RECT title = layout.ItemRect(1);
  const POINT mid{window.left + (title.left + title.right) / 2, window.top + (title.top + title.bottom) / 2};
  EXPECT_EQ(SendMessage(frame, WM_NCHITTEST, 0, MAKELPARAM(mid.x, mid.y)), HTMENU);
  EXPECT_EQ(PixelOf(frame, POINT{title.left, title.top}), GetSysColor(COLOR_MENU));
  // Alt selects the first title: a thin raised edge.
  bool raised = false;
  on_idle = [&] {
    const RECT first = layout.ItemRect(0);
    raised = PixelOf(frame, POINT{first.left, first.top}) == GetSysColor(COLOR_3DHIGHLIGHT) &&
             PixelOf(frame, POINT{first.right - 1, first.bottom - 1}) == GetSysColor(COLOR_3DSHADOW);
    EndMenu();
  };
  SendMessage(frame, WM_SYSCOMMAND, SC_KEYMENU, 0);
  on_idle = nullptr;
  EXPECT_TRUE(raised);
  PaintAll();
  EXPECT_EQ(PixelOf(frame, POINT{layout.ItemRect(0).left, layout.ItemRect(0).top}), GetSysColor(COLOR_MENU));
}

}  // namespace
}  // namespace ui::test

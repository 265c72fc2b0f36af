// The main window's menu (128) as the menu bar of a plain frame, driven
// from the keyboard and the mouse: Alt, F10, Alt+letter, Left and Right
// across the titles, Alt+Space for the system menu, clicks on titles and
// items (main_menu.png shows it open).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/AppResources.h"
#include "platform/ui/WinApi.h"

namespace {

using namespace ui;

struct Seen {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<Seen> seen;

LRESULT FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITMENUPOPUP:
    case WM_COMMAND:
    case WM_MENUSELECT: seen.push_back(Seen{message, wParam, lParam}); return 0;
    case WM_SYSCOMMAND:
      // The menu key goes on to the default; the system commands are only noted.
      if ((wParam & 0xFFF0) == SC_KEYMENU) break;
      seen.push_back(Seen{message, wParam, lParam});
      return 0;
  }
  return DefWindowProc(hwnd, message, wParam, lParam);
}

class MainMenuBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetClock(&clock);
    GetHeadlessHost().SetStallLimit(5000);
    app::RegisterResources();
    WNDCLASS wc;
    wc.lpfnWndProc = FrameProc;
    wc.lpszClassName = "BrivenMenuBarTestFrame";
    wc.hbrBackground = SysColorBrushValue(COLOR_WINDOW);
    RegisterClass(wc);
    seen.clear();
    frame = CreateWindowEx(0, "BrivenMenuBarTestFrame", "Briven", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 40, 500,
                           300, nullptr, nullptr, nullptr);
    menu = LoadMenu(app::kMainResource);
    ASSERT_TRUE(SetMenu(frame, menu));
    SetFocus(frame);
    Pump();
    seen.clear();
  }
  void TearDown() override {
    Pump();
    if (IsWindow(frame)) DestroyWindow(frame);
    GetHeadlessHost().ClearScript();
    GetHeadlessHost().SetStallLimit(-1);
    SetClock(nullptr);
  }
  static void Pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
  // Runs the keys (and other steps) through the frame's own loop: the
  // first starts the menu loop, the rest are played inside it.
  void Play(const std::vector<std::function<void()>>& steps) {
    for (const auto& step : steps) GetHeadlessHost().AddScriptStep(step);
    while (GetHeadlessHost().PendingScriptSteps() > 0) {
      MSG msg;
      if (GetMessage(&msg, nullptr, 0, 0) <= 0) break;
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
    Pump();
    EXPECT_EQ(GetCapture(), nullptr);
  }
  static std::function<void()> Key(WPARAM key, BYTE modifiers = 0) {
    return [key, modifiers] { InjectKeyPress(key, modifiers); };
  }
  // The popups dropped, by their position on the bar (-1: the system menu).
  std::vector<int> Dropped() const {
    std::vector<int> dropped;
    for (const Seen& s : seen) {
      if (s.message != WM_INITMENUPOPUP) continue;
      const HMENU popup = reinterpret_cast<HMENU>(s.wParam);
      if (HIWORD(s.lParam)) {
        dropped.push_back(-1);
        continue;
      }
      for (int i = 0; i < GetMenuItemCount(menu); ++i)
        if (GetSubMenu(menu, i) == popup) dropped.push_back(i);
    }
    return dropped;
  }
  // The bar titles selected, in order (-1: the system menu).
  std::vector<int> BarSelections() const {
    std::vector<int> selected;
    for (const Seen& s : seen) {
      if (s.message != WM_MENUSELECT || HIWORD(s.wParam) == 0xFFFF) continue;
      if (reinterpret_cast<HMENU>(s.lParam) == menu) selected.push_back(LOWORD(s.wParam));
      else if ((HIWORD(s.wParam) & MF_SYSMENU) && (HIWORD(s.wParam) & MF_POPUP) &&
               reinterpret_cast<HMENU>(s.lParam) == GetSystemMenu(frame, FALSE))
        selected.push_back(-1);
    }
    return selected;
  }
  std::vector<std::pair<UINT, WPARAM>> Commands() const {
    std::vector<std::pair<UINT, WPARAM>> commands;
    for (const Seen& s : seen)
      if (s.message == WM_COMMAND || s.message == WM_SYSCOMMAND) commands.emplace_back(s.message, s.wParam);
    return commands;
  }

  VirtualClock clock{1000};
  HWND frame = nullptr;
  HMENU menu = nullptr;
};

TEST_F(MainMenuBarTest, TheKeyboardSelectsTitlesDropsPopupsAndChooses) {
  using Steps = std::vector<std::function<void()>>;
  using CommandList = std::vector<std::pair<UINT, WPARAM>>;
  struct Case {
    const char* name;
    Steps steps;
    std::vector<int> selected;
    std::vector<int> dropped;
    CommandList commands;
  } cases[] = {
      {"Alt selects the first title, Esc leaves", {Key(VK_MENU), Key(VK_ESCAPE)}, {0}, {}, {}},
      {"F10 selects it too, Down drops it", {Key(VK_F10), Key(VK_DOWN), Key(VK_RETURN)}, {0}, {0},
       {{WM_COMMAND, app::kCmdDocumentProperties}}},
      {"Alt, Right, Enter", {Key(VK_MENU), Key(VK_RIGHT), Key(VK_RETURN), Key(VK_RETURN)}, {0, 1}, {1},
       {{WM_COMMAND, app::kCmdParameters}}},
      {"Alt+C drops Conversion", {Key('C', FALT), Key('H')}, {1}, {1}, {{WM_COMMAND, app::kCmdHeader}}},
      {"Right and Left move across the dropped titles",
       {Key('C', FALT), Key(VK_RIGHT), Key(VK_RIGHT), Key(VK_LEFT), Key(VK_ESCAPE), Key(VK_ESCAPE)},
       {1, 2, 3, 2},
       {1, 2, 3, 2},
       {}},
      {"Right at the last title wraps to the system menu", {Key('H', FALT), Key(VK_RIGHT), Key(VK_RIGHT), Key(VK_ESCAPE), Key(VK_ESCAPE)},
       {3, -1, 0},
       {3, -1, 0},
       {}},
      {"Left at the first title drops the system menu", {Key('B', FALT), Key(VK_LEFT), Key('N')}, {0, -1}, {0, -1},
       {{WM_SYSCOMMAND, SC_MINIMIZE}}},
      {"Alt+Space drops the system menu", {Key(VK_SPACE, FALT), Key(VK_UP), Key(VK_RETURN)}, {-1}, {-1},
       {{WM_SYSCOMMAND, SC_CLOSE}}},
      {"Esc in a popup leaves its title selected", {Key('V', FALT), Key(VK_ESCAPE), Key(VK_LEFT), Key(VK_DOWN), Key(VK_RETURN)},
       {2, 1},
       {2, 1},
       {{WM_COMMAND, app::kCmdParameters}}},
      {"Alt+letter of no title does nothing", {Key('Q', FALT)}, {}, {}, {}},
      {"Alt+Shift does not select the bar", {Key(VK_SHIFT, FALT)}, {}, {}, {}},
      {"Shift+F10 does not either", {Key(VK_F10, FSHIFT)}, {}, {}, {}},
      {"Alt held across a click does not either",
       {[] {
         InjectKeyDown(VK_MENU);
         InjectClick(POINT{250, 250});
         InjectKeyUp(VK_MENU);
       }},
       {},
       {},
       {}},
  };
  for (const Case& c : cases) {
    seen.clear();
    Play(c.steps);
    EXPECT_EQ(BarSelections(), c.selected) << c.name;
    EXPECT_EQ(Dropped(), c.dropped) << c.name;
    EXPECT_EQ(Commands(), c.commands) << c.name;
  }
}

TEST_F(MainMenuBarTest, TheMouseDropsTitlesAndChoosesItems) {
  RECT window;
  GetWindowRect(frame, &window);
  RECT client;
  GetClientRect(frame, &client);
  POINT client_origin{0, 0};
  ClientToScreen(frame, &client_origin);
  // The bar lies just above the client area; its first titles at the left.
  const int bar_y = client_origin.y - GetSystemMetrics(SM_CYMENU) / 2;
  const POINT second_title{client_origin.x + 70, bar_y};
  EXPECT_EQ(SendMessage(frame, WM_NCHITTEST, 0, MAKELPARAM(second_title.x, second_title.y)), HTMENU);
  EXPECT_EQ(client.bottom, 300 - (client_origin.y - window.top) - GetSystemMetrics(SM_CYFRAME));
  // "&Conversion" drops below its title; its first item is 9 px into it.
  const POINT first_item{second_title.x + 10, client_origin.y + 3 + 9};
  Play({[=] { InjectClick(second_title); }, [=] { InjectMouseMove(first_item); }, [=] { InjectClick(first_item); }});
  EXPECT_EQ(Dropped(), std::vector<int>{1});
  EXPECT_EQ(Commands(), (std::vector<std::pair<UINT, WPARAM>>{{WM_COMMAND, app::kCmdParameters}}));
  // A second click on the open title closes it.
  seen.clear();
  Play({[=] { InjectClick(second_title); }, [=] { InjectClick(second_title); }});
  EXPECT_EQ(Dropped(), std::vector<int>{1});
  EXPECT_TRUE(Commands().empty());
  // With a popup dropped, the mouse over another title drops that one.
  seen.clear();
  const POINT first_title{client_origin.x + 20, bar_y};
  Play({[=] { InjectClick(second_title); }, [=] { InjectMouseMove(first_title); },
        [] { EXPECT_TRUE(GetHeadlessHost().DumpScreenPng(std::string(BRIVEN_TEST_BINARY_DIR) + "/main_menu.png")); },
        Key(VK_ESCAPE), Key(VK_ESCAPE)});
  EXPECT_EQ(Dropped(), (std::vector<int>{1, 0}));
  EXPECT_TRUE(Commands().empty());
}

}  // namespace

// The modal loop of popup menus under scripted input: keys and clicks move
// through items and sub-menus, and the owner sees the loop's messages.
#include <cairo.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "UiFixture.h"
#include "platform/ui/internal/PopupPlacement.h"

namespace ui::test {
namespace {

constexpr UINT kOpen = 101, kGrey = 103, kExit = 104, kOne = 201, kTwo = 202;
// Row heights of the test menu: Open, Recent, separator, Grey, Exit.
constexpr int kRows[] = {19, 19, 9, 19, 19};

struct Seen {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

std::vector<Seen> seen;
std::vector<MSG> filtered;
std::vector<int> filter_codes;
WPARAM eaten_key = 0;

LRESULT Filter(int code, WPARAM, LPARAM lParam) {
  const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
  filtered.push_back(msg);
  filter_codes.push_back(code);
  return (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && msg.wParam == eaten_key ? 1 : 0;
}

// The popup windows on the screen, the first opened first (sub-menus open
// to the right of their parents here).
std::vector<HWND> Popups() {
  std::vector<HWND> popups;
  for (HWND top = GetTopWindow(nullptr); top; top = GetWindow(top, GW_HWNDNEXT))
    if (GetClassName(top) == "#32768" && IsWindowVisible(top)) popups.push_back(top);
  std::sort(popups.begin(), popups.end(), [](HWND a, HWND b) {
    RECT ra, rb;
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    return ra.left < rb.left;
  });
  return popups;
}

// The screen point in the middle of row `row` of a popup.
POINT RowPoint(HWND popup, int row) {
  RECT r;
  GetWindowRect(popup, &r);
  int y = r.top + 3;
  for (int i = 0; i < row; ++i) y += kRows[i];
  return POINT{r.left + 30, y + kRows[row] / 2};
}

class MenuLoopTest : public UiFixture {
 protected:
  void SetUp() override {
    UiFixture::SetUp();
    seen.clear();
    filtered.clear();
    filter_codes.clear();
    eaten_key = 0;
    handler = [this](HWND, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
      switch (message) {
        case WM_INITMENU:
        case WM_INITMENUPOPUP:
        case WM_MENUSELECT:
        case WM_ENTERIDLE:
        case WM_COMMAND:
        case WM_EXITMENULOOP:
          seen.push_back(Seen{message, wParam, lParam});
          if (message == WM_ENTERIDLE && on_idle) on_idle();
          return 0;
        case WM_MENUCHAR:
          seen.push_back(Seen{message, wParam, lParam});
          return menu_char_answer;
      }
      return kDefault;
    };
    owner = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    SetFocus(owner);
    recent = CreatePopupMenu();
    AppendMenu(recent, MF_STRING, kOne, "&One");
    AppendMenu(recent, MF_STRING, kTwo, "&Two");
    menu = CreatePopupMenu();
    AppendMenu(menu, MF_STRING, kOpen, "&Open\tCtrl+O");
    AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), "&Recent");
    AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenu(menu, MF_STRING | MF_GRAYED, kGrey, "&Grey");
    AppendMenu(menu, MF_STRING, kExit, "E&xit");
  }
  void TearDown() override {
    if (hook) UnhookWindowsHookEx(hook);
    DestroyMenu(menu);
    UiFixture::TearDown();
  }
  // Runs the popup at (100, 100) with `steps` as scripted input, one step
  // each time the loop goes idle.
  UINT Track(const std::vector<std::function<void()>>& steps, UINT flags = TPM_RETURNCMD,
             const TPMPARAMS* params = nullptr, POINT at = POINT{100, 100}) {
    for (const auto& step : steps) GetHeadlessHost().AddScriptStep(step);
    const UINT result = static_cast<UINT>(TrackPopupMenuEx(menu, flags, at.x, at.y, owner, params));
    EXPECT_EQ(GetHeadlessHost().PendingScriptSteps(), 0u);
    GetHeadlessHost().ClearScript();
    return result;
  }
  static std::function<void()> Key(WPARAM key) {
    return [key] { InjectKeyPress(key); };
  }
  static std::function<void()> ClickRow(int level, int row) {
    return [level, row] {
      const auto popups = Popups();
      ASSERT_GT(popups.size(), static_cast<std::size_t>(level));
      const POINT at = RowPoint(popups[static_cast<std::size_t>(level)], row);
      InjectMouseMove(at);
      InjectClick(at);
    };
  }
  static std::function<void()> HoverRow(int level, int row) {
    return [level, row] {
      const auto popups = Popups();
      ASSERT_GT(popups.size(), static_cast<std::size_t>(level));
      InjectMouseMove(RowPoint(popups[static_cast<std::size_t>(level)], row));
    };
  }
  // Items that were opened, in order: the menus of WM_INITMENUPOPUP.
  static std::vector<HMENU> Opened() {
    std::vector<HMENU> menus;
    for (const Seen& s : seen)
      if (s.message == WM_INITMENUPOPUP) menus.push_back(reinterpret_cast<HMENU>(s.wParam));
    return menus;
  }
  static int Count(UINT message) {
    return static_cast<int>(std::count_if(seen.begin(), seen.end(), [&](const Seen& s) { return s.message == message; }));
  }
  static void Pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  }
  void ExpectNothingLeft() const {
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(Popups().empty());
    // The item highlight goes with the loop.
    for (int i = 0; i < GetMenuItemCount(menu); ++i) EXPECT_FALSE(GetMenuState(menu, i, MF_BYPOSITION) & MF_HILITE);
  }

  HWND owner = nullptr;
  HMENU menu = nullptr;
  HMENU recent = nullptr;
  HHOOK hook = nullptr;
  std::function<void()> on_idle;
  LRESULT menu_char_answer = 0;
};

TEST_F(MenuLoopTest, KeysAndClicksChooseItemsAndOpenSubmenus) {
  using Steps = std::vector<std::function<void()>>;
  struct Case {
    const char* name;
    Steps steps;
    UINT chosen;
    std::vector<HMENU> opened;  // filled below: 1 = the menu, 2 = Recent
  };
  const std::vector<std::pair<Case, std::vector<int>>> cases = {
      {{"Down Enter", {Key(VK_DOWN), Key(VK_RETURN)}, kOpen, {}}, {1}},
      {{"Up wraps to the last", {Key(VK_UP), Key(VK_RETURN)}, kExit, {}}, {1}},
      {{"separator skipped, grey item does nothing",
        {Key(VK_DOWN), Key(VK_DOWN), Key(VK_DOWN), Key(VK_RETURN), Key(VK_DOWN), Key(VK_RETURN)}, kExit, {}},
       {1}},
      {{"Right opens the sub-menu", {Key(VK_DOWN), Key(VK_DOWN), Key(VK_RIGHT), Key(VK_DOWN), Key(VK_RETURN)}, kTwo, {}},
       {1, 2}},
      {{"Left closes the sub-menu", {Key(VK_DOWN), Key(VK_DOWN), Key(VK_RIGHT), Key(VK_LEFT), Key(VK_UP), Key(VK_RETURN)},
        kOpen, {}},
       {1, 2}},
      {{"Esc closes one level", {Key(VK_DOWN), Key(VK_DOWN), Key(VK_RIGHT), Key(VK_ESCAPE), Key(VK_RETURN), Key(VK_RETURN)},
        kOne, {}},
       {1, 2, 2}},
      {{"Esc, Esc closes all", {Key(VK_DOWN), Key(VK_DOWN), Key(VK_RIGHT), Key(VK_ESCAPE), Key(VK_ESCAPE)}, 0, {}}, {1, 2}},
      {{"Esc at the top", {Key(VK_ESCAPE)}, 0, {}}, {1}},
      {{"mnemonic chooses", {Key('X')}, kExit, {}}, {1}},
      {{"mnemonic opens the sub-menu", {Key('R'), Key('T')}, kTwo, {}}, {1, 2}},
      {{"click chooses", {ClickRow(0, 0)}, kOpen, {}}, {1}},
      {{"click on grey does nothing", {ClickRow(0, 3), Key(VK_ESCAPE)}, 0, {}}, {1}},
      {{"hover opens the sub-menu", {HoverRow(0, 1), ClickRow(1, 1)}, kTwo, {}}, {1, 2}},
      {{"click outside closes", {[] { InjectClick(POINT{700, 600}); }}, 0, {}}, {1}},
      {{"Alt closes", {Key(VK_MENU)}, 0, {}}, {1}},
  };
  for (const auto& [c, opened] : cases) {
    seen.clear();
    EXPECT_EQ(Track(c.steps), c.chosen) << c.name;
    std::vector<HMENU> expected;
    for (int which : opened) expected.push_back(which == 1 ? menu : recent);
    EXPECT_EQ(Opened(), expected) << c.name;
    Pump();
    EXPECT_EQ(Count(WM_COMMAND), 0) << c.name;  // TPM_RETURNCMD sends none
    ExpectNothingLeft();
  }
}

TEST_F(MenuLoopTest, WithoutReturnCmdTheChoiceComesAsAPostedCommand) {
  EXPECT_EQ(Track({Key(VK_DOWN), Key(VK_RETURN)}, TPM_LEFTALIGN), TRUE);
  EXPECT_EQ(Count(WM_COMMAND), 0);  // posted: it comes after the loop
  Pump();
  ASSERT_EQ(Count(WM_COMMAND), 1);
  const auto command = std::find_if(seen.begin(), seen.end(), [](const Seen& s) { return s.message == WM_COMMAND; });
  EXPECT_EQ(command->wParam, kOpen);
  seen.clear();
  EXPECT_EQ(Track({Key(VK_ESCAPE)}, TPM_LEFTALIGN), TRUE);
  Pump();
  EXPECT_EQ(Count(WM_COMMAND), 0);
}

TEST_F(MenuLoopTest, TheOwnerHearsOfEachSelectionAndOfTheEnd) {
  std::string idle_window_class;
  on_idle = [&] { idle_window_class = GetClassName(reinterpret_cast<HWND>(seen.back().lParam)); };
  const auto selects_of = [] {  // (item, flags)
    std::vector<std::pair<unsigned, unsigned>> result;
    for (const Seen& s : seen)
      if (s.message == WM_MENUSELECT) result.emplace_back(LOWORD(s.wParam), HIWORD(s.wParam));
    return result;
  };
  EXPECT_EQ(Track({Key(VK_DOWN), Key(VK_DOWN), Key(VK_RIGHT), Key(VK_RETURN)}), kOne);
  EXPECT_EQ(selects_of(), (std::vector<std::pair<unsigned, unsigned>>{
                         {kOpen, MF_HILITE}, {1, MF_HILITE | MF_POPUP}, {kOne, MF_HILITE}, {0, 0xFFFF}}));
  ASSERT_GE(seen.size(), 2u);
  EXPECT_EQ(seen.front().message, WM_INITMENU);
  EXPECT_EQ(seen.back().message, WM_EXITMENULOOP);
  // The sub-menu's WM_INITMENUPOPUP names its position in the parent.
  const auto sub = std::find_if(seen.begin(), seen.end(), [&](const Seen& s) {
    return s.message == WM_INITMENUPOPUP && reinterpret_cast<HMENU>(s.wParam) == recent;
  });
  ASSERT_NE(sub, seen.end());
  EXPECT_EQ(LOWORD(sub->lParam), 1u);
  EXPECT_EQ(HIWORD(sub->lParam), 0u);
  // Idle time is told with MSGF_MENU and the popup window.
  const auto idle = std::find_if(seen.begin(), seen.end(), [](const Seen& s) { return s.message == WM_ENTERIDLE; });
  ASSERT_NE(idle, seen.end());
  EXPECT_EQ(idle->wParam, static_cast<WPARAM>(MSGF_MENU));
  EXPECT_EQ(idle_window_class, "#32768");

  // Back from a sub-menu the parent's item is told again: the owner sees the
  // arrow key was the menu's own.
  seen.clear();
  EXPECT_EQ(Track({Key(VK_DOWN), Key(VK_DOWN), Key(VK_RIGHT), Key(VK_LEFT), Key(VK_ESCAPE)}), 0u);
  EXPECT_EQ(selects_of(), (std::vector<std::pair<unsigned, unsigned>>{{kOpen, MF_HILITE},
                                                                      {1, MF_HILITE | MF_POPUP},
                                                                      {kOne, MF_HILITE},
                                                                      {1, MF_HILITE | MF_POPUP},
                                                                      {0, 0xFFFF}}));
}

TEST_F(MenuLoopTest, EveryMessageOfTheLoopPassesTheMessageFilterFirst) {
  hook = SetWindowsHookEx(WH_MSGFILTER, Filter, nullptr, 0);
  // Right at a leaf item reaches the filter (which a menu bar uses to move
  // to the next title) and does nothing in the menu itself.
  EXPECT_EQ(Track({Key(VK_DOWN), Key(VK_RIGHT), Key(VK_LEFT), Key(VK_RETURN)}), kOpen);
  std::vector<WPARAM> keys;
  for (const MSG& msg : filtered)
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) keys.push_back(msg.wParam);
  EXPECT_EQ(keys, (std::vector<WPARAM>{VK_DOWN, VK_RIGHT, VK_LEFT, VK_RETURN}));
  for (int code : filter_codes) EXPECT_EQ(code, MSGF_MENU);
  // Key ups and the characters made from the keys pass too.
  EXPECT_TRUE(std::any_of(filtered.begin(), filtered.end(), [](const MSG& m) { return m.message == WM_KEYUP || m.message == WM_SYSKEYUP; }));

  // Mouse messages reach it with the screen point in lParam.
  filtered.clear();
  POINT clicked{};
  EXPECT_EQ(Track({[&] {
              clicked = RowPoint(Popups().front(), 0);
              InjectMouseMove(clicked);
              InjectClick(clicked);
            }}),
            kOpen);
  const auto down = std::find_if(filtered.begin(), filtered.end(), [](const MSG& m) { return m.message == WM_LBUTTONDOWN; });
  ASSERT_NE(down, filtered.end());
  EXPECT_EQ(GET_X_LPARAM(down->lParam), clicked.x);
  EXPECT_EQ(GET_Y_LPARAM(down->lParam), clicked.y);

  // A key the filter takes never reaches the menu: Right on "Recent" opens nothing.
  eaten_key = VK_RIGHT;
  seen.clear();
  EXPECT_EQ(Track({Key(VK_DOWN), Key(VK_DOWN), Key(VK_RIGHT), Key(VK_ESCAPE)}), 0u);
  EXPECT_EQ(Opened(), std::vector<HMENU>{menu});
  UnhookWindowsHookEx(hook);
  hook = nullptr;
  ExpectNothingLeft();
}

// A menu bar made of buttons moves to the next popup this way: its filter
// sees Right, posts itself a note, and when the menu did not use the key
// (no WM_MENUSELECT since), ends the loop with WM_CANCELMODE and drops the
// next popup.
UINT prod_message = 0;
HWND prod_target = nullptr;
int selects_since_prod = 0;
LRESULT ProdFilter(int, WPARAM, LPARAM lParam) {
  const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_RIGHT) {
    selects_since_prod = 0;
    PostMessage(prod_target, prod_message, 0, 0);
  }
  return 0;  // the key still reaches the menu
}

TEST_F(MenuLoopTest, AFilterMovesToTheNextPopupWhenTheMenuDidNotUseTheKey) {
  prod_message = RegisterWindowMessage("BrivenTestMenuProd");
  prod_target = owner;
  int prods = 0;
  bool pending_drop = false;
  const Handler plain = handler;
  handler = [&, plain](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_MENUSELECT) ++selects_since_prod;
    if (message == prod_message) {
      ++prods;
      if (selects_since_prod == 0) {
        pending_drop = true;
        SendMessage(owner, WM_CANCELMODE, 0, 0);
      }
      return 0;
    }
    return plain(hwnd, message, wParam, lParam);
  };
  hook = SetWindowsHookEx(WH_MSGFILTER, ProdFilter, nullptr, 0);
  // Right on "Recent" opens its sub-menu: the menu used the key.
  EXPECT_EQ(Track({Key(VK_DOWN), Key(VK_DOWN), Key(VK_RIGHT), Key(VK_RETURN)}), kOne);
  EXPECT_EQ(prods, 1);
  EXPECT_FALSE(pending_drop);
  // Right on "Open", a leaf: the loop ends and the next popup drops.
  EXPECT_EQ(Track({Key(VK_DOWN), Key(VK_RIGHT)}), 0u);
  EXPECT_EQ(prods, 2);
  ASSERT_TRUE(pending_drop);
  EXPECT_EQ(Track({Key(VK_UP), Key(VK_RETURN)}), kExit);
  UnhookWindowsHookEx(hook);
  hook = nullptr;
  ExpectNothingLeft();
}

TEST_F(MenuLoopTest, CancelModeEndMenuLostCaptureAndTheOwnersEndEndTheLoop) {
  const HWND other = MakeWindow(WS_POPUP | WS_VISIBLE, nullptr, 0, RECT{600, 600, 650, 650});
  const HWND hwnd = owner;
  struct Case {
    const char* name;
    std::function<void()> end;
  } cases[] = {
      {"WM_CANCELMODE sent", [hwnd] { SendMessage(hwnd, WM_CANCELMODE, 0, 0); }},
      {"WM_CANCELMODE posted", [hwnd] { PostMessage(hwnd, WM_CANCELMODE, 0, 0); }},
      {"EndMenu", [] { EndMenu(); }},
      {"capture taken", [other] { SetCapture(other); }},
  };
  for (const Case& c : cases) {
    // The sub-menu is open with "One" selected when the loop is ended; a
    // loop that went on waiting would stall the test.
    EXPECT_EQ(Track({Key(VK_DOWN), Key(VK_DOWN), Key(VK_RIGHT), c.end}), 0u) << c.name;
    if (GetCapture() == other) ReleaseCapture();
    ExpectNothingLeft();
  }
  // The owner destroyed in the middle of the loop ends it too.
  EXPECT_EQ(Track({Key(VK_DOWN), [this] { DestroyWindow(owner); }}), 0u);
  EXPECT_FALSE(IsWindow(owner));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(Popups().empty());
}

TEST_F(MenuLoopTest, ALoopStartedWhileOneRunsIsRefused) {
  BOOL nested = TRUE;
  DWORD error = 0;
  on_idle = [&] {
    if (!nested) return;
    nested = TrackPopupMenuEx(menu, TPM_RETURNCMD, 10, 10, owner, nullptr);
    error = GetLastError();
    EndMenu();
  };
  EXPECT_EQ(Track({}), 0u);
  EXPECT_FALSE(nested);
  EXPECT_EQ(error, ERROR_POPUP_ALREADY_ACTIVE);
  on_idle = nullptr;
  // Afterwards a loop runs again.
  EXPECT_EQ(Track({Key(VK_DOWN), Key(VK_RETURN)}), kOpen);
  EXPECT_FALSE(TrackPopupMenuEx(menu, TPM_RETURNCMD, 0, 0, nullptr, nullptr));
  EXPECT_FALSE(TrackPopupMenuEx(reinterpret_cast<HMENU>(&nested), TPM_RETURNCMD, 0, 0, owner, nullptr));
}

// The frame's own menu bar runs the same loop: one at a time, with either
// kind asked for while the other runs, and gone with its frame.
TEST_F(MenuLoopTest, AFramesMenuBarLoopIsOneLoopTooAndEndsWithItsFrame) {
  const HMENU bar = CreateMenu();
  AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), "&File");
  ASSERT_TRUE(SetMenu(owner, bar));
  const HWND frame = owner;
  const auto run_bar = [&](const std::vector<std::function<void()>>& steps, LPARAM key) {
    for (const auto& step : steps) GetHeadlessHost().AddScriptStep(step);
    SendMessage(frame, WM_SYSCOMMAND, SC_KEYMENU, key);  // returns when the loop ends
    EXPECT_EQ(GetHeadlessHost().PendingScriptSteps(), 0u);
    GetHeadlessHost().ClearScript();
    Pump();
  };
  // Alt+F while a popup loop runs starts no second loop: the keys after it
  // still choose in the popup.
  EXPECT_EQ(Track({[frame] { SendMessage(frame, WM_SYSCOMMAND, SC_KEYMENU, 'f'); }, Key(VK_DOWN), Key(VK_RETURN)}), kOpen);
  ExpectNothingLeft();
  // A popup asked for while the bar's loop runs is refused.
  BOOL nested = TRUE;
  DWORD error = 0;
  run_bar({[&] {
             nested = TrackPopupMenuEx(menu, TPM_RETURNCMD, 10, 10, frame, nullptr);
             error = GetLastError();
           },
           Key(VK_ESCAPE), Key(VK_ESCAPE)},
          'f');
  EXPECT_FALSE(nested);
  EXPECT_EQ(error, ERROR_POPUP_ALREADY_ACTIVE);
  ExpectNothingLeft();
  // WM_CANCELMODE ends the bar's loop with its popup dropped; nothing is chosen.
  seen.clear();
  run_bar({[frame] { PostMessage(frame, WM_CANCELMODE, 0, 0); }}, 'f');
  EXPECT_EQ(Count(WM_COMMAND), 0);
  EXPECT_EQ(Opened(), std::vector<HMENU>{menu});
  ExpectNothingLeft();
  // The frame destroyed while its popup is dropped ends the loop.
  run_bar({Key(VK_DOWN), [frame] { DestroyWindow(frame); }}, 'f');
  EXPECT_FALSE(IsWindow(frame));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(Popups().empty());
  // And a loop runs again afterwards.
  owner = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  menu = CreatePopupMenu();
  AppendMenu(menu, MF_STRING, kOpen, "&Open");
  EXPECT_EQ(Track({Key(VK_DOWN), Key(VK_RETURN)}), kOpen);
}

class OwnerDrawnMenuTest : public MenuLoopTest {
 protected:
  void SetUp() override {
    MenuLoopTest::SetUp();
    DestroyMenu(menu);
    menu = CreatePopupMenu();
    for (UINT i = 0; i < 3; ++i) {
      AppendMenu(menu, MF_STRING, 301 + i, "plain");
      MENUITEMINFO info;
      info.fMask = MIIM_FTYPE | MIIM_DATA;
      info.fType = MFT_OWNERDRAW;
      info.dwItemData = 0x1000 + i;
      ASSERT_TRUE(SetMenuItemInfo(menu, i, TRUE, &info));
    }
    const Handler plain = handler;
    handler = [this, plain](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
      if (message == WM_MEASUREITEM) {
        auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        measured.push_back(*m);
        m->itemWidth = 80;
        m->itemHeight = 20;
        return TRUE;
      }
      if (message == WM_DRAWITEM) {
        drawn.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
      }
      return plain(hwnd, message, wParam, lParam);
    };
  }
  std::vector<MEASUREITEMSTRUCT> measured;
  std::vector<DRAWITEMSTRUCT> drawn;
};

TEST_F(OwnerDrawnMenuTest, OwnerDrawnItemsAreMeasuredAndDrawnWithTheirData) {
  // The selected item is marked MFS_HILITE, where an owner answering
  // WM_MENUCHAR reads it.
  std::vector<int> highlighted;
  on_idle = [&] {
    int at = -1;
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
      if (GetMenuState(menu, i, MF_BYPOSITION) & MF_HILITE) at = i;
    highlighted.push_back(at);
  };
  EXPECT_EQ(Track({Key(VK_DOWN), Key(VK_DOWN), Key(VK_RETURN)}), 302u);
  EXPECT_EQ(highlighted, (std::vector<int>{-1, 0, 1}));
  ASSERT_EQ(measured.size(), 3u);
  for (UINT i = 0; i < 3; ++i) {
    EXPECT_EQ(measured[i].CtlType, ODT_MENU);
    EXPECT_EQ(measured[i].itemID, 301 + i);
    EXPECT_EQ(measured[i].itemData, 0x1000u + i);
  }
  ASSERT_FALSE(drawn.empty());
  bool selected_seen = false;
  for (const DRAWITEMSTRUCT& d : drawn) {
    EXPECT_EQ(d.CtlType, ODT_MENU);
    EXPECT_EQ(d.itemData, 0x1000u + (d.itemID - 301));
    EXPECT_EQ(reinterpret_cast<HMENU>(d.hwndItem), menu);
    EXPECT_EQ(d.rcItem.bottom - d.rcItem.top, 20);  // as measured
    if (d.itemID == 302 && (d.itemState & ODS_SELECTED)) selected_seen = true;
  }
  EXPECT_TRUE(selected_seen);
}

TEST_F(OwnerDrawnMenuTest, TheOwnersMenuCharAnswersAreObeyed) {
  struct Case {
    const char* name;
    LRESULT answer;
    std::vector<std::function<void()>> after;
    UINT chosen;
  } cases[] = {
      {"MNC_EXECUTE", MAKELPARAM(2, MNC_EXECUTE), {}, 303},
      {"MNC_SELECT", MAKELPARAM(1, MNC_SELECT), {Key(VK_RETURN)}, 302},
      {"MNC_CLOSE", MAKELPARAM(0, MNC_CLOSE), {}, 0},
      {"MNC_IGNORE", MAKELPARAM(0, MNC_IGNORE), {Key(VK_DOWN), Key(VK_RETURN)}, 301},
  };
  for (const Case& c : cases) {
    seen.clear();
    menu_char_answer = c.answer;
    std::vector<std::function<void()>> steps{Key('Q')};
    steps.insert(steps.end(), c.after.begin(), c.after.end());
    EXPECT_EQ(Track(steps), c.chosen) << c.name;
    const auto asked = std::find_if(seen.begin(), seen.end(), [](const Seen& s) { return s.message == WM_MENUCHAR; });
    ASSERT_NE(asked, seen.end()) << c.name;
    EXPECT_EQ(LOWORD(asked->wParam), static_cast<unsigned>('q')) << c.name;
    EXPECT_EQ(HIWORD(asked->wParam), MF_POPUP) << c.name;
    EXPECT_EQ(reinterpret_cast<HMENU>(asked->lParam), menu) << c.name;
    ExpectNothingLeft();
  }
}

TEST_F(OwnerDrawnMenuTest, AnOwnerDrawnPopupItemKeepsTheMenusArrow) {
  HMENU sub = CreatePopupMenu();
  AppendMenu(sub, MF_STRING, 401, "&One");
  MENUITEMINFO info;
  info.fMask = MIIM_SUBMENU;
  info.hSubMenu = sub;
  ASSERT_TRUE(SetMenuItemInfo(menu, 0, TRUE, &info));
  const std::string path = std::string(BRIVEN_TEST_BINARY_DIR) + "/owner_drawn_popup_arrow.png";
  bool dumped = false;
  EXPECT_EQ(Track({[&] { dumped = !Popups().empty() && GetHeadlessHost().DumpWindowPng(Popups()[0], path); },
                   Key(VK_ESCAPE)}),
            0u);
  ASSERT_TRUE(dumped);
  cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
  ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
  const int width = cairo_image_surface_get_width(png), stride = cairo_image_surface_get_stride(png);
  const unsigned char* data = cairo_image_surface_get_data(png);
  const COLORREF ink = GetSysColor(COLOR_MENUTEXT);
  // Rows of the first item (the popup) and of the second, in the arrow
  // column at the right; the owner itself draws nothing there.
  const auto inked = [&](int top) {
    int count = 0;
    for (int y = top; y < top + 20; ++y)
      for (int x = width - 3 - 16; x < width - 3; ++x) {
        const std::uint32_t p = reinterpret_cast<const std::uint32_t*>(data + y * stride)[x];
        if (RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF) == ink) ++count;
      }
    return count;
  };
  EXPECT_GT(inked(3), 0);
  EXPECT_EQ(inked(23), 0);
  cairo_surface_destroy(png);
}

TEST_F(MenuLoopTest, ThePopupStaysOffTheExclusionRectangle) {
  struct Case {
    const char* name;
    POINT at;
    UINT flags;
    RECT exclude;
  } cases[] = {
      {"room below", {100, 110}, 0, {90, 90, 300, 110}},
      {"no room below: above", {100, 700}, 0, {90, 690, 300, 710}},
      {"vertical, no room right: left", {1000, 100}, TPM_VERTICAL, {980, 90, 1010, 110}},
      {"point inside the exclusion", {150, 150}, 0, {100, 100, 200, 200}},
  };
  for (const Case& c : cases) {
    RECT placed{};
    on_idle = [&] {
      const auto popups = Popups();
      if (!popups.empty()) GetWindowRect(popups.front(), &placed);
      EndMenu();
    };
    TPMPARAMS params;
    params.rcExclude = c.exclude;
    Track({}, TPM_RETURNCMD | c.flags, &params, c.at);
    RECT overlap;
    EXPECT_GT(placed.right, placed.left) << c.name;
    EXPECT_FALSE(IntersectRect(&overlap, &placed, &c.exclude)) << c.name;
    EXPECT_TRUE(placed.left >= 0 && placed.top >= 0 && placed.right <= 1024 && placed.bottom <= 768) << c.name;
  }
}

TEST_F(MenuLoopTest, ContextMenusAreAskedForByRightClicksAndKeys) {
  std::vector<std::pair<WPARAM, LPARAM>> asked;
  const HWND child = MakeWindow(WS_CHILD | WS_VISIBLE, owner, 5, RECT{10, 10, 110, 60});
  handler = [&](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_CONTEXTMENU && hwnd == owner) asked.emplace_back(wParam, lParam);
    return kDefault;  // the child passes it to its parent
  };
  POINT at{30, 20};
  ClientToScreen(child, &at);
  SetFocus(child);
  InjectClick(at, MouseButton::kRight);
  InjectKeyPress(VK_F10, FSHIFT);
  InjectKeyPress(0x5D);  // the menu key
  InjectKeyPress(VK_F10);  // F10 alone is the menu bar's key (the owner has none)
  Pump();
  const LPARAM keyboard = MAKELPARAM(0xFFFF, 0xFFFF);
  const auto from_child = reinterpret_cast<WPARAM>(child);
  EXPECT_EQ(asked, (std::vector<std::pair<WPARAM, LPARAM>>{{from_child, MAKELPARAM(at.x, at.y)},
                                                           {from_child, keyboard},
                                                           {from_child, keyboard}}));
}

TEST(PopupPlacementTest, AlignmentScreenEdgesAndExclusion) {
  const RECT screen{0, 0, 1024, 768};
  const SIZE size{100, 80};
  struct Case {
    const char* name;
    POINT at;
    UINT flags;
    bool has_exclude;
    RECT exclude;
    RECT expected;
  } cases[] = {
      {"left top", {10, 20}, 0, false, {}, {10, 20, 110, 100}},
      {"right bottom", {200, 200}, TPM_RIGHTALIGN | TPM_BOTTOMALIGN, false, {}, {100, 120, 200, 200}},
      {"centred", {200, 200}, TPM_CENTERALIGN | TPM_VCENTERALIGN, false, {}, {150, 160, 250, 240}},
      {"kept on the screen", {1000, 740}, 0, false, {}, {924, 688, 1024, 768}},
      {"below a button", {10, 20}, 0, true, {10, 0, 60, 20}, {10, 20, 110, 100}},
      {"above a button at the bottom", {10, 748}, 0, true, {10, 728, 60, 748}, {10, 648, 110, 728}},
      {"beside a sub-menu item", {300, 50}, TPM_VERTICAL, true, {200, 50, 300, 69}, {300, 50, 400, 130}},
      {"sub-menu at the right edge", {1000, 50}, TPM_VERTICAL, true, {900, 53, 1000, 72}, {800, 50, 900, 130}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(internal::PlacePopup(size, c.at, c.flags, c.has_exclude ? &c.exclude : nullptr, screen), c.expected)
        << c.name;
}

}  // namespace
}  // namespace ui::test

// The menu bar: titles made from the popups of the frame's menus, one
// menu's titles shown at a time, and the menu loop under scripted input:
// Alt and F10, mnemonics, arrows between the titles, the system menu, the
// mouse moving between open popups, and no hook left behind.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "docking/QVTFrameWnd.h"
#include "docking/QVTMenuBar.h"
#include "docking/QVTMenuBarFeature.h"
#include "platform/afx/MessageMap.h"
#include "platform/afx/View.h"
#include "platform/afx/Wnd.h"
#include "platform/ui/HeadlessHost.h"
#include "platform/ui/HeadlessInput.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"
#include "tests/docking/MenuLoopScript.h"
#include "tests/platform/afx/AfxFixture.h"

namespace docking::test {

using namespace ui;

constexpr UINT kMainMenu = 7800, kOtherMenu = 7801, kNoPopups = 7802;
constexpr UINT kOpen = 300, kOne = 301, kTwo = 302, kExit = 303, kRun = 310, kStop = 311, kToolbar = 320,
               kAbout = 330, kFirstCommand = kOpen, kLastCommand = 399;

// A frame that logs its commands and the popups it is asked to initialise.
class MenuFrame : public QVTFrameWnd {
 public:
  std::vector<UINT> commands;
  std::vector<std::string> popups;  // the first item's text of each popup opened
  std::vector<WPARAM> closes;       // SC_CLOSE asked for, and not carried out
  void OnCommandRange(UINT id) { commands.push_back(id); }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) {
      closes.push_back(wParam);
      return 0;
    }
    if (message == WM_INITMENUPOPUP)
      popups.push_back(GetMenuStringText(reinterpret_cast<HMENU>(wParam), 0, MF_BYPOSITION));
    return QVTFrameWnd::WindowProc(message, wParam, lParam);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MenuFrame, QVTFrameWnd)
  ON_COMMAND_RANGE(kFirstCommand, kLastCommand, OnCommandRange)
END_MESSAGE_MAP()

namespace {

MenuItemTemplate Item(UINT id, const char* text) { return MenuItemTemplate{id, text, MF_STRING, {}}; }
MenuItemTemplate Popup(const char* text, std::vector<MenuItemTemplate> items) {
  return MenuItemTemplate{0, text, MF_POPUP, std::move(items)};
}

void RegisterTestMenus() {
  RegisterMenuResource(kMainMenu, {Popup("&File", {Item(kOpen, "&Open"), Popup("&Recent", {Item(kOne, "&One"), Item(kTwo, "&Two")}),
                                                  Item(kExit, "E&xit")}),
                                   Popup("&Convert", {Item(kRun, "&Run"), Item(kStop, "&Stop")}),
                                   Popup("&View", {Item(kToolbar, "&Toolbar")}),
                                   Popup("&Help", {Item(kAbout, "&About")})});
  RegisterMenuResource(kOtherMenu, {Popup("&Edit", {Item(kRun, "&Undo")}), Popup("&Window", {Item(kStop, "&Tile")})});
  RegisterMenuResource(kNoPopups, {Item(kOpen, "&Open")});
}

// The screen's popup menu windows, visible ones only.
std::vector<HWND> OpenPopups() {
  std::vector<HWND> popups;
  for (HWND top = GetTopWindow(nullptr); top; top = GetWindow(top, GW_HWNDNEXT))
    if (GetClassName(top) == "#32768" && IsWindowVisible(top)) popups.push_back(top);
  return popups;
}

class QVTMenuBarTest : public afx::test::AfxFixture {
 protected:
  void SetUp() override {
    AfxFixture::SetUp();
    RegisterTestMenus();
    frame = new MenuFrame;
    bar = new QVTMenuBar;
    bar->m_bAutoDelete = TRUE;
    frame->SetMenuBar(bar);
    ASSERT_TRUE(frame->Create(nullptr, "Menus", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 60, 700, 460}));
    frame_hwnd = frame->m_hWnd;
    frame->EnableDocking(afx::CBRS_ALIGN_ANY);
    ASSERT_TRUE(bar->CreateEx(0, frame, WS_CHILD | WS_VISIBLE | afx::CBRS_TOP | afx::CBRS_SIZE_DYNAMIC, 0xE81F));
    ASSERT_TRUE(bar->LoadMenus({kMainMenu}));
    ASSERT_TRUE(bar->SwitchMenu(kMainMenu));
    bar->EnableDocking(afx::CBRS_ALIGN_ANY);
    frame->DockControlBar(bar);
    other = CreateWindowEx(0, "Static", "other", WS_OVERLAPPED | WS_VISIBLE, 720, 60, 200, 100, nullptr, nullptr, nullptr);
    SetActiveWindow(frame_hwnd);
    SetFocus(frame_hwnd);
    frame->RecalcLayout();
    Pump();
  }
  void TearDown() override {
    GetHeadlessHost().ClearScript();
    if (IsWindow(frame_hwnd)) DestroyWindow(frame_hwnd);
    if (IsWindow(other)) DestroyWindow(other);
    Pump();
    EXPECT_EQ(QVTMenuBarMessages::InstalledHookCount(), 0);
    AfxFixture::TearDown();
  }
  // The program's loop: every message is offered to the frame's
  // pre-translation first.
  static void Pump() { PumpProgramLoop(); }
  void Run(const std::vector<std::function<void()>>& steps) { RunScriptSteps(steps); }
  POINT TitlePoint(int index, int dx = 0) const {
    RECT rect;
    bar->GetItemRect(index, &rect);
    POINT p{(rect.left + rect.right) / 2 + dx, (rect.top + rect.bottom) / 2};
    ClientToScreen(bar->m_hWnd, &p);
    return p;
  }
  // What the user sees: an open popup (its first item), a hot title in keyboard mode, or nothing; and the hooks.
  std::string State() const {
    std::string s;
    const auto popups = OpenPopups();
    if (!popups.empty()) {
      s = "open " + (frame->popups.empty() ? std::string("?") : frame->popups.back());
    } else if (bar->IsMenuTracking()) {
      s = "hot " + std::to_string(bar->GetTrackedButton());
    } else {
      s = "idle";
    }
    return s + " h" + std::to_string(QVTMenuBarMessages::InstalledHookCount());
  }
  // A step that notes the state and then gives its input.
  std::function<void()> Then(std::function<void()> input) {
    return [this, input] {
      states.push_back(State());
      input();
    };
  }
  static std::function<void()> Key(WPARAM key, BYTE modifiers = 0) {
    return [key, modifiers] { InjectKeyPress(key, modifiers); };
  }

  MenuFrame* frame = nullptr;
  HWND frame_hwnd = nullptr;
  HWND other = nullptr;
  QVTMenuBar* bar = nullptr;
  std::vector<std::string> states;
};

TEST_F(QVTMenuBarTest, MenusLoadAsTitlesOneMenuShownAtATime) {
  ASSERT_EQ(bar->GetButtonCount(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(bar->GetButtonID(i), 0x80000001u + static_cast<UINT>(i));
  EXPECT_EQ(bar->GetButtonDefs()[1].title, "&Convert");
  EXPECT_EQ(bar->GetButtonDefs()[1].popupIndex, 1);
  EXPECT_EQ(bar->GetButtonStyle(0) & 0x30000000u, 0x30000000u);

  ASSERT_TRUE(bar->LoadMenus({kMainMenu, kOtherMenu}));
  ASSERT_EQ(bar->GetButtonCount(), 6);
  EXPECT_EQ(bar->GetButtonID(5), 0x80000006u);
  EXPECT_EQ(bar->GetButtonDefs()[5].menuBit, 2u);
  struct Case {
    const char* what;
    UINT menu;
    BOOL switched;
    UINT hidden;  // bit i: title i hidden afterwards
  };
  bar->SetMainMenuId(kMainMenu);
  const Case cases[] = {
      {"the second menu", kOtherMenu, TRUE, 0x0F},
      {"an unknown menu changes nothing", 4711, FALSE, 0x0F},
      {"a floating child stands for the main menu", QVTMenuBar::kFloatingChildMenu, TRUE, 0x30},
      {"back to the first", kMainMenu, TRUE, 0x30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(bar->SwitchMenu(c.menu), c.switched);
    UINT hidden = 0;
    for (int i = 0; i < 6; ++i)
      if (bar->GetButtonStyle(i) & kTBHidden) hidden |= 1u << i;
    EXPECT_EQ(hidden, c.hidden);
  }
  EXPECT_EQ(bar->FindMnemonic('e'), -1);  // "&Edit" is hidden
  EXPECT_EQ(bar->FindMnemonic('v'), 2);

  // Loading that fails leaves no titles.
  const std::vector<UINT> too_many(33, kMainMenu);
  for (const auto& ids : {std::vector<UINT>{kNoPopups}, std::vector<UINT>{kMainMenu, 4711}, too_many}) {
    EXPECT_FALSE(bar->LoadMenus(ids));
    EXPECT_EQ(bar->GetButtonCount(), 0);
  }
}

TEST_F(QVTMenuBarTest, TheMenuLoopFollowsKeysAndTheMouse) {
  using Steps = std::vector<std::function<void()>>;
  const auto escape = Key(VK_ESCAPE);
  const auto alt = Key(VK_MENU);
  const auto nothing = [] { PostMessage(nullptr, WM_NULL, 0, 0); };
  struct Case {
    const char* what;
    Steps steps;
    std::vector<std::string> states;  // noted before each step's input after the first
    std::vector<std::string> popups;
    std::vector<UINT> commands;
  };
  // Each case's first step is given from the program's loop.
  const std::vector<Case> cases = {
      {"Alt down and up makes the first title hot, Esc leaves",
       {alt, Then(escape)}, {"hot 0 h2"}, {}, {}},
      {"Alt, then a title's letter drops it", {alt, Then(Key('C')), Then(escape)}, {"hot 0 h2", "open &Run h1"},
       {"&Run"}, {}},
      {"Alt, Right, Right moves the hot title", {alt, Then(Key(VK_RIGHT)), Then(Key(VK_RIGHT)), Then(escape)},
       {"hot 0 h2", "hot 1 h2", "hot 2 h2"}, {}, {}},
      {"Alt, Left goes round to the last", {alt, Then(Key(VK_LEFT)), Then(escape)}, {"hot 0 h2", "hot 3 h2"}, {}, {}},
      {"F10 enters and leaves keyboard mode", {Key(VK_F10), Then(Key(VK_F10)), Then(escape)}, {"hot 0 h2", "idle h0"},
       {}, {}},
      {"the mouse moves the hot title in keyboard mode",
       {alt, Then([this] { InjectMouseMove(TitlePoint(2)); }), Then(Key(VK_DOWN)), Then(escape)},
       {"hot 0 h2", "hot 2 h2", "open &Toolbar h1"}, {"&Toolbar"}, {}},
      {"Alt twice leaves keyboard mode", {alt, Then(alt), Then(escape)}, {"hot 0 h2", "idle h0"}, {}, {}},
      {"Alt, Down drops the hot title", {alt, Then(Key(VK_DOWN)), Then(escape)}, {"hot 0 h2", "open &Open h1"},
       {"&Open"}, {}},
      {"Alt+C drops Convert; Enter runs its first item", {Key('C', FALT), Then(Key(VK_RETURN))}, {"open &Run h1"},
       {"&Run"}, {kRun}},
      {"Right at a leaf item moves to the next title", {Key('C', FALT), Then(Key(VK_RIGHT)), Then(Key(VK_RETURN))},
       {"open &Run h1", "open &Toolbar h1"}, {"&Run", "&Toolbar"}, {kToolbar}},
      {"Right at the last title goes to the system menu, and on to the first",
       {Key('H', FALT), Then(Key(VK_RIGHT)), Then(Key(VK_RIGHT)), Then(escape)},
       {"open &About h1", "open &Restore h1", "open &Open h1"}, {"&About", "&Restore", "&Open"}, {}},
      {"Right on a submenu item only opens the submenu",
       {Key('F', FALT), Then(Key(VK_DOWN)), Then(Key(VK_RIGHT)), Then(Key(VK_RETURN))},
       {"open &Open h1", "open &Open h1", "open &One h1"}, {"&Open", "&One"}, {kOne}},
      {"Left at the first title drops the system menu", {Key('F', FALT), Then(Key(VK_LEFT)), Then(escape)},
       {"open &Open h1", "open &Restore h1"}, {"&Open", "&Restore"}, {}},
      {"Alt+Space drops the system menu", {Key(VK_SPACE, FALT), Then(escape)}, {"open &Restore h1"}, {"&Restore"}, {}},
      {"a click drops a title, a move switches, a click outside closes",
       {[this] { InjectClick(TitlePoint(0)); }, Then([this] { InjectMouseMove(TitlePoint(0)); }),
        Then([this] { InjectMouseMove(TitlePoint(2)); }), Then([] { InjectClick(POINT{400, 400}); })},
       {"open &Open h1", "open &Open h1", "open &Toolbar h1"}, {"&Open", "&Toolbar"}, {}},
      {"a click on the open title closes it",
       {[this] { InjectClick(TitlePoint(1)); }, Then([this] { InjectMouseMove(TitlePoint(1, 2)); }),
        Then([this] { InjectClick(TitlePoint(1, 2)); })},
       {"open &Run h1", "open &Run h1"}, {"&Run"}, {}},
      {"a click in keyboard mode leaves it", {alt, Then([] { InjectClick(POINT{400, 400}); })}, {"hot 0 h2"}, {}, {}},
      {"deactivation leaves keyboard mode",
       {alt, Then([this] {
          SetActiveWindow(other);
          PostMessage(other, WM_NULL, 0, 0);
        })},
       {"hot 0 h2"}, {}, {}},
      {"Alt released after an Alt-drag does nothing",
       {[] {
          InjectKeyDown(VK_MENU);
          InjectDrag(POINT{300, 300}, POINT{340, 320});
          InjectKeyUp(VK_MENU);
        },
        Then(nothing), Then(nothing)},
       {"idle h0", "idle h0"}, {}, {}},
      {"Alt released after Alt+Shift does nothing",
       {[] {
          InjectKeyDown(VK_MENU);
          InjectKeyPress(VK_SHIFT);
          InjectKeyUp(VK_MENU);
        },
        Then(nothing), Then(nothing)},
       {"idle h0", "idle h0"}, {}, {}},
      {"Alt released after Alt+click does nothing",
       {[] {
          InjectKeyDown(VK_MENU);
          InjectClick(POINT{300, 300});
          InjectKeyUp(VK_MENU);
        },
        Then(nothing), Then(nothing)},
       {"idle h0", "idle h0"}, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    states.clear();
    frame->popups.clear();
    frame->commands.clear();
    SetActiveWindow(frame_hwnd);
    SetFocus(frame_hwnd);
    Pump();
    Run(c.steps);
    EXPECT_EQ(GetHeadlessHost().PendingScriptSteps(), 0u);
    EXPECT_EQ(states, c.states);
    EXPECT_EQ(frame->popups, c.popups);
    EXPECT_EQ(frame->commands, c.commands);
    // Back at rest: nothing open, nothing hot, nothing pressed, no hook.
    EXPECT_EQ(State(), "idle h0");
    EXPECT_TRUE(OpenPopups().empty());
    EXPECT_EQ(GetCapture(), nullptr);
    for (int i = 0; i < bar->GetButtonCount(); ++i) EXPECT_FALSE(bar->GetButtonStyle(i) & (kTBPressed | kTBHot)) << i;
  }
}

class PlainView : public afx::CView {};

TEST_F(QVTMenuBarTest, AFormControlsMnemonicWinsOverATitles) {
  auto* view = new PlainView;
  ASSERT_TRUE(view->Create(nullptr, "", WS_CHILD | WS_VISIBLE, RECT{0, 40, 300, 200}, frame, afx::AFX_IDW_PANE_FIRST));
  const HWND button = CreateWindowEx(0, "Button", "&Convert now", WS_CHILD | WS_VISIBLE, 10, 10, 100, 24, view->m_hWnd,
                                     nullptr, nullptr);
  frame->SetActiveView(view, FALSE);
  SetFocus(frame_hwnd);
  struct Case {
    BYTE letter;
    std::vector<std::string> popups;
  };
  const Case cases[] = {{'C', {}}, {'V', {"&Toolbar"}}};
  for (const Case& c : cases) {
    frame->popups.clear();
    Run({Key(c.letter, FALT), Then(Key(VK_ESCAPE))});
    EXPECT_EQ(frame->popups, c.popups) << c.letter;
  }
  DestroyWindow(button);
}

TEST_F(QVTMenuBarTest, ADoubleClickOnTheSystemMenuBoxRunsItsDefaultCommand) {
  RECT window;
  GetWindowRect(frame_hwnd, &window);
  const POINT box{window.left + GetSystemMetrics(SM_CXFRAME) + GetSystemMetrics(SM_CXSIZE) / 2,
                  window.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYSIZE) / 2};
  Run({Key(VK_SPACE, FALT), Then([box] { InjectDoubleClick(box); })});
  EXPECT_EQ(states, std::vector<std::string>{"open &Restore h1"});
  EXPECT_EQ(frame->closes, std::vector<WPARAM>{SC_CLOSE});
  EXPECT_TRUE(OpenPopups().empty());
}

TEST_F(QVTMenuBarTest, AFloatingMenuBarHasNoCloseBox) {
  frame->FloatControlBar(bar, POINT{300, 250});
  Pump();
  afx::CFrameWnd* floating = bar->GetParentFrame();
  ASSERT_NE(floating, nullptr);
  ASSERT_NE(floating, frame);
  EXPECT_FALSE(floating->GetStyle() & WS_SYSMENU);
  EXPECT_TRUE(bar->IsWindowVisible());
  EXPECT_TRUE(GetHeadlessHost().DumpScreenPng(std::string(BRIVEN_TEST_BINARY_DIR) + "/menubar_floating.png"));
}

TEST_F(QVTMenuBarTest, MenuCharAnswersTheNextItemWithTheLetterWrappingRound) {
  HMENU menu = CreatePopupMenu();
  for (const char* text : {"&Apple", "&Banana", "&Avocado", "&Cherry", "Plain"}) AppendMenu(menu, MF_STRING, 1, text);
  struct Case {
    char ch;
    int hilite;  // the highlighted item, -1 for none
    LRESULT answer;
  };
  const Case cases[] = {
      {'a', -1, 0x30000}, {'A', 0, 0x30002}, {'a', 2, 0x30000}, {'a', 4, 0x30000},
      {'b', -1, 0x20001}, {'b', 1, 0x20001}, {'z', -1, 0},       {'p', -1, 0},
  };
  for (const Case& c : cases) {
    for (int i = 0; i < 5; ++i) {
      MENUITEMINFO info;
      info.fMask = MIIM_STATE;
      info.fState = i == c.hilite ? MFS_HILITE : 0;
      SetMenuItemInfo(menu, static_cast<UINT>(i), TRUE, &info);
    }
    EXPECT_EQ(QVTMenuBarMessages::AnswerMenuChar(menu, c.ch), c.answer) << c.ch << " after " << c.hilite;
  }
  DestroyMenu(menu);
}

TEST_F(QVTMenuBarTest, WithBitmapMenusThePopupsAreDrawnByThePlugInAndAnswerTheirLetters) {
  frame->EnableBitmapMenus(TRUE, TRUE);
  auto* feature = dynamic_cast<QVTMenuBarFeature*>(frame->GetMenuPlugIn());
  ASSERT_NE(feature, nullptr);
  std::size_t items = 0;
  // Owner-drawn items carry no text the loop could match: the plug-in
  // answers Exit's letter, and Exit runs.
  Run({Key('F', FALT), Then([&] {
         items = feature->GetBitmapMenus().ItemInfoCount();
         InjectKeyPress('X');
       })});
  EXPECT_EQ(items, 3u);  // Open, Recent and Exit
  EXPECT_EQ(states, std::vector<std::string>{"open &Open h1"});
  EXPECT_EQ(frame->commands, std::vector<UINT>{kExit});
  EXPECT_EQ(State(), "idle h0");
}

TEST_F(QVTMenuBarTest, ADroppedPopupHangsUnderItsPressedTitle) {
  RECT popup_rect{};
  Run({[this] { InjectClick(TitlePoint(1)); },
       [&] {
         const auto popups = OpenPopups();
         ASSERT_EQ(popups.size(), 1u);
         GetWindowRect(popups[0], &popup_rect);
         EXPECT_TRUE(bar->GetButtonStyle(1) & kTBPressed);
         EXPECT_TRUE(GetHeadlessHost().DumpScreenPng(std::string(BRIVEN_TEST_BINARY_DIR) + "/menubar_dropped.png"));
         InjectKeyPress(VK_ESCAPE);
       }});
  RECT title;
  bar->GetItemRect(1, &title);
  POINT bottom_left{title.left, title.bottom};
  ClientToScreen(bar->m_hWnd, &bottom_left);
  EXPECT_EQ(popup_rect.left, bottom_left.x);
  EXPECT_EQ(popup_rect.top, bottom_left.y);
}

}  // namespace
}  // namespace docking::test

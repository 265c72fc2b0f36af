// The main window's menu: menu 128 as the docking menu bar of the program's
// frame, a row of its own at the top above the toolbar and as wide as the
// frame, driven headlessly through the program's own loop: Alt+C, Right,
// Enter; F10 and Alt alone; Alt released after other input; the popups'
// items greyed and checked by the command update; the bar kept in the
// saved layout, and made for a layout saved before there was one; F1, Help
// Topics and Shift+F1 help mode reaching the help book's topics.
#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/AppResources.h"
#include "app/BrivenApp.h"
#include "app/BrivenView.h"
#include "app/HelpBook.h"
#include "app/MainFrame.h"
#include "docking/QVTCustomToolBar.h"
#include "docking/QVTMenuBar.h"
#include "docking/QVTMenuBarFeature.h"
#include "docking/QVTMenuBarMessages.h"
#include "docking/QVTToolBarManager.h"
#include "platform/afx/DockBar.h"
#include "platform/afx/WinApp.h"
#include "platform/sys/Notify.h"
#include "platform/sys/Profile.h"
#include "platform/ui/Clock.h"
#include "platform/ui/HeadlessHost.h"
#include "platform/ui/HeadlessInput.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "tests/app/AppTestFolder.h"

namespace {

namespace fs = std::filesystem;
using Steps = std::vector<std::function<void()>>;

constexpr ui::UINT kMenuBarType = 14947;

class MainFrameMenuBar : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::SetClock(&clock_);
    ui::GetHeadlessHost().SetStallLimit(20000);
    fs::create_directories(data_);
    for (const char* section : {"Log View", "Instrument View", "Output View"})
      kept_.WriteString(section, "Working Directory", data_);
    kept_.WriteInt("Settings", "Conversion Log", 0);
    afx::CWinApp::SetProfileFactory([this](const std::string&, const std::string&) {
      auto profile = std::make_unique<sys::MemoryProfile>(kept_);
      profile_ = profile.get();
      return std::unique_ptr<sys::Profile>(std::move(profile));
    });
    previous_sink_ = sys::SetNoticeSink([this](const sys::Notice& notice) {
      notices_.push_back(sys::FoldToOneLine(notice.text));
      return sys::DefaultAnswer(notice);
    });
  }
  void TearDown() override {
    ui::GetHeadlessHost().ClearScript();
    app_.reset();
    Drain();
    EXPECT_EQ(docking::QVTMenuBarMessages::InstalledHookCount(), 0);
    sys::SetNoticeSink(previous_sink_);
    afx::CWinApp::SetProfileFactory(nullptr);
    ui::SetClock(nullptr);
  }
  static void Drain() {
    ui::MSG msg;
    while (ui::PeekMessage(&msg, nullptr, 0, 0, ui::PM_REMOVE)) {
    }
  }
  void Start() {
    app_ = std::make_unique<CBrivenApp>();
    app_->SetInteractiveHost(true);
    ASSERT_TRUE(app_->Start({"briven"}));
    frame_ = dynamic_cast<CMainFrame*>(app_->m_pMainWnd);
    ASSERT_NE(frame_, nullptr);
    bar_ = frame_->GetMenuBarOfFrame();
    ASSERT_NE(bar_, nullptr);
    ASSERT_NE(bar_->m_hWnd, nullptr);
    toolbar_ = frame_->GetToolBarManager()->GetToolBar(CMainFrame::kToolBarId);
    ASSERT_NE(toolbar_, nullptr);
    ui::SetActiveWindow(frame_->m_hWnd);
    ui::SetFocus(frame_->m_hWnd);
    Pump();
  }
  void Close() {
    ui::SendMessage(frame_->m_hWnd, ui::WM_CLOSE, 0, 0);
    kept_ = *profile_;
    app_.reset();
    Drain();  // the main window going ended the loop: not the next one
  }
  // The program's loop: every message is offered to its pre-translation.
  void Pump() {
    ui::MSG msg;
    while (ui::PeekMessage(&msg, nullptr, 0, 0, ui::PM_REMOVE)) Dispatch(msg);
  }
  void Dispatch(ui::MSG& msg) {
    if (app_->PreTranslateMessage(&msg)) return;
    ui::TranslateMessage(&msg);
    ui::DispatchMessage(&msg);
  }
  // Each step runs when a loop (the program's, a popup's or a dialog's)
  // has nothing left to do.
  void Play(const Steps& steps) {
    for (const auto& step : steps) ui::GetHeadlessHost().AddScriptStep(step);
    while (ui::GetHeadlessHost().PendingScriptSteps() > 0) {
      ui::MSG msg;
      if (ui::GetMessage(&msg, nullptr, 0, 0) <= 0) break;
      Dispatch(msg);
      Pump();
    }
    Pump();
  }
  // What the user sees: the title whose popup is open, the hot title in
  // keyboard mode, a dialog, or nothing; and the menu loop's hooks.
  std::string State() const {
    std::string s = "idle";
    const ui::HWND active = ui::GetActiveWindow();
    if (active && active != frame_->m_hWnd) {
      s = "dialog " + ui::GetWindowTextString(active);
    } else if (!OpenPopups().empty()) {
      const int pressed = PressedTitle();
      s = "open " + (pressed >= 0 ? bar_->GetButtonDefs()[static_cast<std::size_t>(pressed)].title : "system");
    } else if (bar_->IsMenuTracking()) {
      s = "hot " + bar_->GetButtonDefs()[static_cast<std::size_t>(bar_->GetTrackedButton())].title;
    }
    return s + " h" + std::to_string(docking::QVTMenuBarMessages::InstalledHookCount());
  }
  int PressedTitle() const {
    for (int i = 0; i < bar_->GetButtonCount(); ++i)
      if (bar_->GetButtonStyle(i) & docking::kTBPressed) return i;
    return -1;
  }
  static std::vector<ui::HWND> OpenPopups() {
    std::vector<ui::HWND> popups;
    for (ui::HWND top = ui::GetTopWindow(nullptr); top; top = ui::GetWindow(top, ui::GW_HWNDNEXT))
      if (ui::GetClassName(top) == "#32768" && ui::IsWindowVisible(top)) popups.push_back(top);
    return popups;
  }
  // A step that notes the state, then gives its input.
  std::function<void()> Then(std::function<void()> input) {
    return [this, input] {
      states_.push_back(State());
      input();
    };
  }
  static std::function<void()> Key(ui::WPARAM key, ui::BYTE modifiers = 0) {
    return [key, modifiers] { ui::InjectKeyPress(key, modifiers); };
  }
  ui::RECT InFrame(afx::CWnd* wnd) const {
    ui::RECT rect;
    wnd->GetWindowRect(&rect);
    frame_->ScreenToClient(&rect);
    return rect;
  }
  ui::UINT DockBarOf(afx::CControlBar* bar) const {
    return bar->m_pDockBar ? static_cast<ui::UINT>(bar->m_pDockBar->GetDlgCtrlID()) : 0;
  }
  // Top to bottom: the menu bar, the toolbar, the form, each across the
  // frame's whole width.
  void ExpectMenuBarAboveToolBar() {
    ui::RECT client;
    frame_->GetClientRect(&client);
    const ui::RECT menu = InFrame(bar_), tools = InFrame(toolbar_), form = InFrame(app_->GetView());
    EXPECT_EQ(DockBarOf(bar_), afx::AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(menu.top, 0);
    EXPECT_EQ(menu.left, 0);
    EXPECT_EQ(menu.right, client.right);
    EXPECT_GE(menu.bottom - menu.top, ui::GetSystemMetrics(ui::SM_CYMENU));
    EXPECT_EQ(tools.top, menu.bottom);
    EXPECT_EQ(tools.right - tools.left, client.right);
    EXPECT_GE(form.top, tools.bottom);
  }

  apptest::TempFolder folder_;
  std::string data_ = folder_.Path("data") + "/";
  ui::VirtualClock clock_;
  sys::MemoryProfile kept_;
  sys::MemoryProfile* profile_ = nullptr;  // the running application's
  std::unique_ptr<CBrivenApp> app_;
  CMainFrame* frame_ = nullptr;
  docking::QVTMenuBar* bar_ = nullptr;
  docking::QVTCustomToolBar* toolbar_ = nullptr;
  std::vector<std::string> states_;
  std::vector<std::string> notices_;
  sys::NoticeSink previous_sink_;
};

TEST_F(MainFrameMenuBar, MenuOneTwentyEightIsARowOfItsOwnAboveTheToolBar) {
  Start();
  // No menu in the window's border any more: the bar is the menu.
  EXPECT_EQ(frame_->GetMenu(), nullptr);
  std::vector<std::string> titles;
  for (int i = 0; i < bar_->GetButtonCount(); ++i) {
    EXPECT_EQ(bar_->GetButtonID(i), 0x80000001u + static_cast<ui::UINT>(i));
    titles.push_back(bar_->GetButtonDefs()[static_cast<std::size_t>(i)].title);
  }
  EXPECT_EQ(titles, (std::vector<std::string>{"&Briven", "&Conversion", "&View", "&Help"}));
  EXPECT_EQ(bar_->GetCurrentMenuId(), static_cast<ui::UINT>(app::kMainResource));
  EXPECT_EQ(static_cast<ui::UINT>(bar_->GetDlgCtrlID()), CMainFrame::kMenuBarId);
  EXPECT_EQ(bar_->GetWindowTextString(), "Menu bar");
  EXPECT_NE(bar_->GetBarStyleEx() & docking::QVT_TBSTYLE_STRETCH, 0u);
  ExpectMenuBarAboveToolBar();
  // The toolbar docked on the left makes the frame wider (it follows the
  // form): the menu bar is laid out again across the new width.
  ui::RECT before;
  frame_->GetClientRect(&before);
  frame_->DockControlBar(toolbar_, afx::AFX_IDW_DOCKBAR_LEFT);
  frame_->RecalcLayout();
  ui::RECT after;
  frame_->GetClientRect(&after);
  EXPECT_GT(after.right, before.right);
  EXPECT_EQ(InFrame(bar_).right, after.right);
  EXPECT_EQ(InFrame(toolbar_).top, InFrame(bar_).bottom);
  frame_->DockControlBar(toolbar_, afx::AFX_IDW_DOCKBAR_TOP);
  frame_->RecalcLayout();
  ExpectMenuBarAboveToolBar();
  Pump();
  const std::string pictures = BRIVEN_TEST_BINARY_DIR;
  EXPECT_TRUE(ui::GetHeadlessHost().DumpWindowPng(frame_->m_hWnd, pictures + "/desktop_main_menubar.png"));
  EXPECT_EQ(notices_, std::vector<std::string>{});
}

TEST_F(MainFrameMenuBar, KeysAndClicksRunTheMenuLoopOfTheProgramsFrame) {
  Start();
  const auto escape = Key(ui::VK_ESCAPE);
  const auto alt = Key(ui::VK_MENU);
  const auto nothing = [] { ui::PostMessage(nullptr, ui::WM_NULL, 0, 0); };
  const auto outside = [] { ui::InjectClick(ui::POINT{1200, 900}); };
  struct Case {
    const char* what;
    Steps steps;
    std::vector<std::string> states;  // noted before each step's input after the first
  };
  // Each case's first step is given from the program's loop.
  const std::vector<Case> cases = {
      {"Alt+C drops Conversion, Right moves to View, Enter runs its first item",
       {Key('C', ui::FALT), Then(Key(ui::VK_RIGHT)), Then(Key(ui::VK_RETURN)), Then(escape), Then(nothing)},
       {"open &Conversion h1", "open &View h1", "dialog File List Properties h0", "idle h0"}},
      {"Right twice goes on to Help", {Key('C', ui::FALT), Then(Key(ui::VK_RIGHT)), Then(Key(ui::VK_RIGHT)), Then(escape)},
       {"open &Conversion h1", "open &View h1", "open &Help h1"}},
      {"Left at the first title drops the system menu", {Key('B', ui::FALT), Then(Key(ui::VK_LEFT)), Then(escape)},
       {"open &Briven h1", "open system h1"}},
      {"Esc closes the popup", {Key('V', ui::FALT), Then(escape), Then(nothing)}, {"open &View h1", "idle h0"}},
      {"Alt alone makes Briven hot; Right, Enter drop Conversion",
       {alt, Then(Key(ui::VK_RIGHT)), Then(Key(ui::VK_RETURN)), Then(escape)},
       {"hot &Briven h2", "hot &Conversion h2", "open &Conversion h1"}},
      {"F10 enters keyboard mode and leaves it", {Key(ui::VK_F10), Then(Key(ui::VK_F10)), Then(nothing)},
       {"hot &Briven h2", "idle h0"}},
      {"Esc leaves keyboard mode", {alt, Then(escape), Then(nothing)}, {"hot &Briven h2", "idle h0"}},
      {"a click outside closes the popup", {Key('H', ui::FALT), Then(outside), Then(nothing)},
       {"open &Help h1", "idle h0"}},
      {"Alt released after Alt+Shift does nothing",
       {[] {
          ui::InjectKeyDown(ui::VK_MENU);
          ui::InjectKeyPress(ui::VK_SHIFT);
          ui::InjectKeyUp(ui::VK_MENU);
        },
        Then(nothing)},
       {"idle h0"}},
      {"Alt released after Alt+click does nothing",
       {[this] {
          ui::InjectKeyDown(ui::VK_MENU);
          ui::RECT form;
          app_->GetView()->GetWindowRect(&form);
          ui::InjectClick(ui::POINT{form.left + 200, form.bottom - 10});
          ui::InjectKeyUp(ui::VK_MENU);
        },
        Then(nothing)},
       {"idle h0"}},
      {"Alt released after an Alt-drag does nothing",
       {[this] {
          ui::InjectKeyDown(ui::VK_MENU);
          ui::RECT form;
          app_->GetView()->GetWindowRect(&form);
          ui::InjectDrag(ui::POINT{form.left + 200, form.bottom - 10}, ui::POINT{form.left + 240, form.bottom - 20});
          ui::InjectKeyUp(ui::VK_MENU);
        },
        Then(nothing)},
       {"idle h0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    states_.clear();
    ui::SetActiveWindow(frame_->m_hWnd);
    ui::SetFocus(frame_->m_hWnd);
    Pump();
    Play(c.steps);
    EXPECT_EQ(ui::GetHeadlessHost().PendingScriptSteps(), 0u);
    EXPECT_EQ(states_, c.states);
    EXPECT_EQ(State(), "idle h0");
    EXPECT_EQ(PressedTitle(), -1);
  }
  // The accelerators still work beside the bar: Ctrl+P opens the
  // parameters, Esc closes them.
  states_.clear();
  ui::SetFocus(frame_->m_hWnd);
  Play({Key('P', ui::FCONTROL), Then(escape), Then(nothing)});
  EXPECT_EQ(states_, (std::vector<std::string>{"dialog Conversion Parameters h0", "idle h0"}));
  EXPECT_EQ(notices_, std::vector<std::string>{});
}

TEST_F(MainFrameMenuBar, ThePopupsItemsAreGreyedAndCheckedByTheirUpdateRules) {
  Start();
  // The item states as each popup shows them, noted while it is open: the
  // popups are the frame's copies of menu 128's, or its system menu.
  std::vector<ui::UINT> noted;
  const auto note = [&](int popup, ui::UINT command) {
    return [this, &noted, popup, command] {
      ui::HMENU menu = popup < 0 ? ui::GetSystemMenu(frame_->m_hWnd, ui::FALSE)
                                 : reinterpret_cast<ui::HMENU>(frame_->SendMessage(
                                       docking::QVTMenuBarMessages::GetMenuMessage(), app::kMainResource, popup));
      const bool open = !OpenPopups().empty();
      noted.push_back(open && menu ? ui::GetMenuState(menu, command, ui::MF_BYCOMMAND) & (ui::MF_GRAYED | ui::MF_CHECKED)
                                   : 0xFFFF);
    };
  };
  const auto escape = Key(ui::VK_ESCAPE);
  struct Case {
    const char* what;
    std::function<void()> before;
    ui::BYTE title;
    int popup;  // -1: the system menu
    ui::UINT command;
    ui::UINT state;
  };
  const Case cases[] = {
      {"the toolbar shown is checked", [] {}, 'V', 2, app::kCmdViewToolbar, ui::MF_CHECKED},
      {"the status bar shown is checked", [] {}, 'V', 2, app::kCmdViewStatusBar, ui::MF_CHECKED},
      {"the toolbar hidden is not", [this] { frame_->SendMessage(ui::WM_COMMAND, app::kCmdViewToolbar, 0); }, 'V', 2,
       app::kCmdViewToolbar, 0},
      {"Convert is enabled with nothing running", [] {}, 'C', 1, app::kCmdConvert, 0},
      {"the system menu's Size is grey", [] {}, ' ', -1, ui::SC_SIZE, ui::MF_GRAYED},
      {"and Maximize", [] {}, ' ', -1, ui::SC_MAXIMIZE, ui::MF_GRAYED},
      {"but not Close", [] {}, ' ', -1, ui::SC_CLOSE, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    noted.clear();
    c.before();
    Play({Key(c.title == ' ' ? ui::VK_SPACE : c.title, ui::FALT), note(c.popup, c.command), escape});
    EXPECT_EQ(noted, std::vector<ui::UINT>{c.state});
  }
}

TEST_F(MainFrameMenuBar, ThePopupsShowTheToolbarsImagesAndTheSystemMenuStaysNative) {
  Start();
  auto* feature = dynamic_cast<docking::QVTMenuBarFeature*>(frame_->GetMenuPlugIn());
  ASSERT_NE(feature, nullptr);
  bool parametersOwnerDrawn = false, sizeOwnerDrawn = true;
  const auto ownerDrawn = [](ui::HMENU menu, ui::UINT command) {
    return menu && (ui::GetMenuState(menu, command, ui::MF_BYCOMMAND) & ui::MF_OWNERDRAW) != 0;
  };
  Play({Key('C', ui::FALT),
        [&] {
          const auto conversion = reinterpret_cast<ui::HMENU>(
              frame_->SendMessage(docking::QVTMenuBarMessages::GetMenuMessage(), app::kMainResource, 1));
          parametersOwnerDrawn = ownerDrawn(conversion, app::kCmdParameters);
        },
        Key(ui::VK_ESCAPE), Key(ui::VK_ESCAPE), Key(ui::VK_SPACE, ui::FALT),
        [&] { sizeOwnerDrawn = ownerDrawn(ui::GetSystemMenu(frame_->m_hWnd, ui::FALSE), ui::SC_SIZE); },
        Key(ui::VK_ESCAPE)});
  EXPECT_TRUE(parametersOwnerDrawn);
  EXPECT_FALSE(sizeOwnerDrawn);
  // The toolbar manager is made after the frame's window, and so after
  // its plug-ins: the menus still draw from the toolbars' own images.
  EXPECT_EQ(feature->GetBitmapMenus().GetBitmapManager(), frame_->GetToolBarManager()->GetBmpMgr());
  ui::HBITMAP image = nullptr;
  int index = -1;
  EXPECT_TRUE(feature->GetBitmapMenus().GetBitmapManager()->GetImage(app::kCmdParameters, &image, &index));
}

TEST_F(MainFrameMenuBar, TheBarsPlaceSurvivesARestartAndOldLayoutsGetTheBar) {
  // A layout saved by a frame that had only the toolbar: the menu bar is
  // made all the same, in its row above the toolbar.
  {
    sys::SetAppProfile(&kept_);
    auto* old_frame = new docking::QVTFrameWnd;  // deletes itself with its window
    ASSERT_TRUE(old_frame->Create(nullptr, "Briven", ui::WS_OVERLAPPEDWINDOW, ui::RECT{10, 10, 500, 400}));
    old_frame->EnableDocking(afx::CBRS_ALIGN_ANY);
    auto manager = std::make_unique<docking::QVTToolBarManager>(old_frame);
    const ui::UINT buttons[] = {app::kCmdParameters, app::kCmdConvert};
    manager->AddDefaultToolBarDefinition(CMainFrame::kToolBarId, "Briven Toolbar", 2, buttons, afx::CBRS_ALIGN_ANY,
                                         afx::AFX_IDW_DOCKBAR_TOP, 0, ui::TRUE, ui::TRUE);
    manager->CreateDefaultToolBars();
    ASSERT_TRUE(old_frame->SaveBarState(CMainFrame::kBarStateName));
    manager.reset();
    old_frame->DestroyWindow();
    sys::SetAppProfile(nullptr);
  }
  const auto saved_types = [this] {
    std::vector<int> types;
    const int bars = kept_.GetInt("Control Bars-Summary", "Bars", 0);
    for (int i = 0; i < bars; ++i)
      types.push_back(kept_.GetInt("Control Bars-Bar" + std::to_string(i), "TypeID", 0));
    return types;
  };
  const std::vector<int> old_types = saved_types();
  ASSERT_FALSE(old_types.empty());
  EXPECT_EQ(std::count(old_types.begin(), old_types.end(), static_cast<int>(kMenuBarType)), 0);
  Start();
  EXPECT_EQ(bar_->GetButtonCount(), 4);
  ExpectMenuBarAboveToolBar();
  EXPECT_EQ(toolbar_->GetButtonCount(), 2);  // the old layout's own buttons
  Close();
  // Saved now, with its titles; a restart puts it back at the top.
  const std::vector<int> types = saved_types();
  EXPECT_EQ(std::count(types.begin(), types.end(), static_cast<int>(kMenuBarType)), 1);
  Start();
  EXPECT_EQ(bar_->GetButtonCount(), 4);
  ExpectMenuBarAboveToolBar();
  // Moved below the toolbar, it stays there.
  frame_->DockControlBarAt(bar_, afx::AFX_IDW_DOCKBAR_TOP, 1, 0, 1.0F, 0);
  frame_->RecalcLayout();
  ASSERT_EQ(InFrame(bar_).top, InFrame(toolbar_).bottom);
  Close();
  Start();
  EXPECT_EQ(InFrame(toolbar_).top, 0);
  EXPECT_EQ(InFrame(bar_).top, InFrame(toolbar_).bottom);
  EXPECT_EQ(bar_->GetButtonCount(), 4);
  EXPECT_EQ(notices_, std::vector<std::string>{});
}

// The topics the program asks the help viewer for.
class RecordingHelpViewer : public ui::HelpViewerService {
 public:
  bool ShowHelp(ui::HWND, const std::string&, unsigned long context) override {
    contexts.push_back(context);
    return true;
  }
  std::vector<unsigned long> contexts;
};

TEST_F(MainFrameMenuBar, F1HelpTopicsAndShiftF1ShowTheTopicOfWhatWasAskedAbout) {
  Start();
  RecordingHelpViewer viewer;
  ui::SetHelpViewerService(&viewer);
  const auto centre_of = [](ui::HWND window, ui::RECT rect) {
    ui::POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ui::ClientToScreen(window, &centre);
    return centre;
  };
  const auto click = [](ui::POINT screen) { return [screen] { ui::InjectClick(screen); }; };
  ui::RECT rect;
  CFileListBox& logs = app_->GetView()->GetList(CListProperties::kLogList);
  logs.GetClientRect(&rect);
  const ui::POINT on_log_list = centre_of(logs.m_hWnd, rect);
  toolbar_->GetItemRect(toolbar_->CommandToIndex(app::kCmdConvert), &rect);
  const ui::POINT on_convert = centre_of(toolbar_->m_hWnd, rect);
  toolbar_->GetItemRect(toolbar_->CommandToIndex(app::kCmdContextHelp), &rect);
  const ui::POINT on_help_button = centre_of(toolbar_->m_hWnd, rect);
  bar_->GetItemRect(3, &rect);
  const ui::POINT on_help_title = centre_of(bar_->m_hWnd, rect);
  bar_->GetClientRect(&rect);
  const ui::POINT beside_titles =
      centre_of(bar_->m_hWnd, ui::RECT{rect.right - 12, rect.top, rect.right - 8, rect.bottom});
  const ui::POINT on_form = centre_of(app_->GetView()->m_hWnd, ui::RECT{2, 2, 4, 4});
  const auto help_mode = Key(ui::VK_F1, ui::FSHIFT);
  // The click of help mode, noting the pointer shown until then.
  std::vector<ui::HCURSOR> pointers;
  const auto ask = [&pointers](ui::POINT screen) {
    return [&pointers, screen] {
      pointers.push_back(ui::GetCursor());
      ui::InjectClick(screen);
    };
  };
  struct Case {
    const char* what;
    Steps steps;
    std::vector<unsigned long> shown;
  };
  const std::vector<Case> cases = {
      {"F1: the main window's topic", {Key(ui::VK_F1)}, {app::kHelpMainWindow}},
      {"Help > Help Topics", {Key('H', ui::FALT), Key(ui::VK_RETURN)}, {app::kHelpMainWindow}},
      {"Shift+F1, a click on the log list", {help_mode, ask(on_log_list)}, {0x20000 + app::kLogList}},
      {"Shift+F1, a click on the toolbar's Convert", {help_mode, ask(on_convert)}, {0x10000 + app::kCmdConvert}},
      {"Shift+F1, a click on the menu bar's Help", {help_mode, ask(on_help_title)}, {app::kHelpBarsFirst + 3}},
      {"Shift+F1, a click on the menu bar beside its titles", {help_mode, ask(beside_titles)}, {app::kHelpMenuBar}},
      {"Shift+F1, a click on the form between its controls", {help_mode, ask(on_form)}, {app::kHelpMainWindow}},
      {"the toolbar's help button, a click on Convert", {click(on_help_button), ask(on_convert)},
       {0x10000 + app::kCmdConvert}},
      {"Shift+F1, Esc: no help", {help_mode, Key(ui::VK_ESCAPE)}, {}},
  };
  const std::vector<unsigned long> in_book = app::HelpContextsInUse();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    viewer.contexts.clear();
    Play(c.steps);
    EXPECT_EQ(viewer.contexts, c.shown);
    for (unsigned long context : viewer.contexts)
      EXPECT_NE(std::find(in_book.begin(), in_book.end(), context), in_book.end()) << std::hex << context;
    EXPECT_EQ(ui::GetCapture(), nullptr);
  }
  ASSERT_EQ(pointers.size(), 6u);
  for (ui::HCURSOR pointer : pointers) EXPECT_EQ(pointer, ui::LoadCursor(app::kContextHelpCursor));
  EXPECT_NE(ui::GetCursor(), ui::LoadCursor(app::kContextHelpCursor));
  ui::SetHelpViewerService(nullptr);
  EXPECT_EQ(notices_, std::vector<std::string>{});
}

}  // namespace

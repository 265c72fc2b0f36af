// The MDI menu bar in a small MDI frame: the titles follow the active
// child, a maximised child's icon and caption buttons appear at the ends
// of the bar and go when it is restored, their clicks and the icon's
// system menu reach the child and never the main frame, and the saved
// layout never holds them.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "docking/QVTCustomToolBarInfoEx.h"
#include "docking/QVTDockState.h"
#include "docking/QVTMDIChildWnd.h"
#include "docking/QVTMDIFrameWnd.h"
#include "docking/QVTMDIMenuBar.h"
#include "docking/QVTMenuBarMessages.h"
#include "platform/afx/ControlBarStyles.h"
#include "platform/afx/MDIChildWnd.h"
#include "platform/afx/AfxIds.h"
#include "platform/afx/MDIFrameWnd.h"
#include "platform/afx/WinApp.h"
#include "platform/ui/ControlMessages.h"
#include "platform/ui/HeadlessHost.h"
#include "platform/ui/HeadlessInput.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"
#include "tests/docking/MenuLoopScript.h"
#include "tests/platform/afx/AfxFixture.h"

namespace docking::test {

using namespace ui;

namespace {

constexpr UINT kFrameMenu = 7850, kTextMenu = 7851, kChartMenu = 7852;
constexpr UINT kOpen = 400, kCopy = 401, kZoom = 402, kTile = 403, kAbout = 404;

MenuItemTemplate Item(UINT id, const char* text) { return MenuItemTemplate{id, text, MF_STRING, {}}; }
MenuItemTemplate Popup(const char* text, std::vector<MenuItemTemplate> items) {
  return MenuItemTemplate{0, text, MF_POPUP, std::move(items)};
}

void RegisterTestMenus() {
  RegisterMenuResource(kFrameMenu, {Popup("&File", {Item(kOpen, "&Open")}), Popup("&Help", {Item(kAbout, "&About")})});
  RegisterMenuResource(kTextMenu, {Popup("&File", {Item(kOpen, "&Open")}), Popup("&Edit", {Item(kCopy, "&Copy")}),
                                   Popup("&Window", {Item(kTile, "&Tile")}), Popup("&Help", {Item(kAbout, "&About")})});
  RegisterMenuResource(kChartMenu, {Popup("&File", {Item(kOpen, "&Open")}), Popup("&View", {Item(kZoom, "&Zoom")}),
                                    Popup("&Window", {Item(kTile, "&Tile")})});
}

// The menu loop of the frame below.
class FrameMenuLoop : public QVTMenuBarMessages {
 public:
  afx::CWnd* frame = nullptr;
  afx::CWnd* GetFrame() const override { return frame; }
};

// Bar records with their extension, as the toolbar manager makes them.
class MenuBarInfoFactory : public QVTControlBarInfoExFactory {
 public:
  std::unique_ptr<QVTControlBarInfoEx> CreateBarInfoEx(QVTControlBarInfo* info) override {
    if (!info || info->m_nTypeID != QVTControlBarInfo::kMenuBarTypeID) return nullptr;
    return std::make_unique<QVTCustomToolBarInfoEx>();
  }
  UINT GetBarTypeID(const afx::CControlBar* bar) const override {
    return dynamic_cast<const QVTMenuBar*>(bar) ? QVTControlBarInfo::kMenuBarTypeID : 0;
  }
};

}  // namespace

// An MDI frame with the bar along its top. It does what the framework's
// MDI frame does for its menu bar: the titles of the active child's menu
// (its own when none), the extra buttons updated when a child is sized.
class MdiMenuFrame : public afx::CMDIFrameWnd {
 public:
  QVTMDIMenuBar* bar = nullptr;
  FrameMenuLoop loop;
  std::vector<WPARAM> syscommands;  // reaching the frame; SC_CLOSE is not carried out
  std::vector<HMENU> popups;        // the menus the frame was asked to initialise

  void SwitchToChildMenu(UINT menu_id) {
    if (menu_id == 0 || menu_id == static_cast<UINT>(-1)) {
      bar->SwitchMenu(kFrameMenu);
      bar->UpdateCaptionButtons(TRUE);
    } else {
      bar->SwitchMenu(menu_id);
    }
    RecalcLayout(TRUE);
    bar->Invalidate();
  }
  void OnChildSized() {
    if (!bar->UpdateCaptionButtons(FALSE)) return;
    RecalcLayout(TRUE);
    bar->Invalidate();
  }

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == QVTMenuBarMessages::GetMenuMessage()) return reinterpret_cast<LRESULT>(Popup(wParam, lParam));
    if (message == QVTMenuBarMessages::MenuProdMessage()) {
      loop.OnMenuProd();
      return 0;
    }
    switch (message) {
      case WM_NOTIFY: {
        const auto* notify = reinterpret_cast<const QVTMenuBarNotify*>(lParam);
        LRESULT result = 0;
        if (notify && bar && notify->hwndFrom == bar->m_hWnd && loop.OnNotify(*notify, &result)) return result;
        break;
      }
      case WM_MENUSELECT: loop.OnMenuSelect(); break;
      case WM_INITMENUPOPUP:
        popups.push_back(reinterpret_cast<HMENU>(wParam));
        loop.OnInitMenuPopup();
        break;
      case WM_SYSCOMMAND:
        syscommands.push_back(wParam & 0xFFF0);
        if ((wParam & 0xFFF0) == SC_CLOSE) return 0;
        break;
    }
    return afx::CMDIFrameWnd::WindowProc(message, wParam, lParam);
  }
  ~MdiMenuFrame() override {
    for (auto& [id, menu] : menus_) DestroyMenu(menu);
  }

 private:
  HMENU Popup(WPARAM menu_id, LPARAM index) {
    HMENU& menu = menus_[static_cast<UINT>(menu_id)];
    if (!menu) menu = LoadMenu(static_cast<UINT>(menu_id));
    return menu ? GetSubMenu(menu, static_cast<int>(index)) : nullptr;
  }
  std::map<UINT, HMENU> menus_;
};

// A document window that tells the frame its menu and its size changes,
// and notes the system commands it receives.
class MdiMenuChild : public afx::CMDIChildWnd {
 public:
  MdiMenuChild(MdiMenuFrame* frame, UINT menu_id, std::vector<WPARAM>* syscommands)
      : frame_(frame), menu_id_(menu_id), syscommands_(syscommands) {}

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SYSCOMMAND) syscommands_->push_back(wParam & 0xFFF0);
    const bool sized = message == WM_SIZE && (wParam == SIZE_RESTORED || wParam == SIZE_MINIMIZED || wParam == SIZE_MAXIMIZED);
    const LRESULT result = afx::CMDIChildWnd::WindowProc(message, wParam, lParam);
    if (message == WM_MDIACTIVATE) {
      const auto activated = reinterpret_cast<HWND>(lParam);
      if (activated == m_hWnd) frame_->SwitchToChildMenu(menu_id_);
      else if (!activated) frame_->SwitchToChildMenu(static_cast<UINT>(-1));
    }
    if (sized) frame_->OnChildSized();
    return result;
  }

 private:
  MdiMenuFrame* frame_;
  UINT menu_id_;
  std::vector<WPARAM>* syscommands_;
};

class QVTMDIMenuBarTest : public afx::test::AfxFixture {
 protected:
  void SetUp() override {
    AfxFixture::SetUp();
    RegisterTestMenus();
    frame = new MdiMenuFrame;
    frame->loop.frame = frame;
    ASSERT_TRUE(frame->Create(nullptr, "Documents", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{80, 40, 680, 440}));
    frame_hwnd = frame->m_hWnd;
    frame->EnableDocking(afx::CBRS_ALIGN_ANY);
    bar = new QVTMDIMenuBar;
    bar->m_bAutoDelete = TRUE;
    frame->bar = bar;
    frame->loop.SetMenuBar(bar);
    ASSERT_TRUE(bar->CreateEx(0, frame, WS_CHILD | WS_VISIBLE | afx::CBRS_TOP | afx::CBRS_SIZE_DYNAMIC, 0xE81F));
    ASSERT_TRUE(bar->LoadMenus({kFrameMenu, kTextMenu, kChartMenu}));
    ASSERT_TRUE(bar->SwitchMenu(kFrameMenu));
    bar->EnableDocking(afx::CBRS_ALIGN_ANY);
    frame->DockControlBar(bar);
    SetActiveWindow(frame_hwnd);
    frame->RecalcLayout();
    Pump();
  }
  void TearDown() override {
    GetHeadlessHost().ClearScript();
    if (IsWindow(frame_hwnd)) DestroyWindow(frame_hwnd);
    Pump();
    EXPECT_EQ(QVTMenuBarMessages::InstalledHookCount(), 0);
    AfxFixture::TearDown();
  }
  static void Pump() { PumpProgramLoop(); }
  static void Run(const std::vector<std::function<void()>>& steps) { RunScriptSteps(steps); }

  HWND OpenChild(UINT menu_id, const char* title = "Doc") {
    auto* child = new MdiMenuChild(frame, menu_id, &child_syscommands);
    if (!child->Create(nullptr, title, WS_OVERLAPPEDWINDOW, RECT{10, 10, 300, 200}, frame, nullptr)) return nullptr;
    Pump();
    return child->m_hWnd;
  }
  void Send(HWND child, UINT message) {
    SendMessage(frame->m_hWndMDIClient, message, reinterpret_cast<WPARAM>(child), 0);
    Pump();
  }

  // The titles shown, with "[icon]" and "[caption]" for the extra buttons.
  std::string Shown() const {
    std::string shown;
    for (int i = 0; i < bar->GetButtonCount(); ++i) {
      const QVTStdBtn* button = bar->GetButton(i);
      if (button->m_dwStyle & kTBHidden) continue;
      if (!shown.empty()) shown += ' ';
      if (button == &bar->GetIconButton()) shown += "[icon]";
      else if (button == &bar->GetCaptionButtons()) shown += "[caption]";
      else shown += static_cast<const QVTTBMenuBtn*>(button)->GetText();
    }
    return shown;
  }
  // The extra buttons are in the list once each, the icon first and the
  // caption buttons last.
  void ExpectExtraButtonsAtTheEnds() const {
    ASSERT_GE(bar->GetButtonCount(), 2);
    EXPECT_EQ(bar->GetButton(0), &bar->GetIconButton());
    EXPECT_EQ(bar->GetButton(bar->GetButtonCount() - 1), &bar->GetCaptionButtons());
    int extra = 0;
    for (int i = 0; i < bar->GetButtonCount(); ++i) extra += bar->GetButtonID(i) == QVTMDIMenuBar::kCaptionButtonId;
    EXPECT_EQ(extra, 2);
  }
  POINT OnScreen(const QVTStdBtn& button, int dx = 0) const {
    const RECT rect = button.GetRect();
    POINT p{rect.left + dx, (rect.top + rect.bottom) / 2};
    ClientToScreen(bar->m_hWnd, &p);
    return p;
  }
  // The centre of a caption part on the screen.
  POINT PartPoint(int part) const {
    const int width = GetSystemMetrics(SM_CXSIZE) - 2;
    return OnScreen(bar->GetCaptionButtons(), part * width + (part == 2 ? 2 : 0) + width / 2);
  }

  MdiMenuFrame* frame = nullptr;
  HWND frame_hwnd = nullptr;
  QVTMDIMenuBar* bar = nullptr;
  std::vector<WPARAM> child_syscommands;
};

TEST_F(QVTMDIMenuBarTest, TheTitlesFollowTheActiveChild) {
  EXPECT_EQ(Shown(), "&File &Help");
  const HWND text = OpenChild(kTextMenu, "Text");
  ASSERT_TRUE(text);
  EXPECT_EQ(Shown(), "&File &Edit &Window &Help");
  const HWND chart = OpenChild(kChartMenu, "Chart");
  ASSERT_TRUE(chart);
  struct Case {
    const char* what;
    std::function<void()> step;
    const char* shown;
  };
  const Case cases[] = {
      {"the newest child is active", [] {}, "&File &View &Window"},
      {"activating the other", [&] { Send(text, WM_MDIACTIVATE); }, "&File &Edit &Window &Help"},
      {"and back", [&] { Send(chart, WM_MDIACTIVATE); }, "&File &View &Window"},
      {"closing the active one activates the other", [&] { Send(chart, WM_MDIDESTROY); }, "&File &Edit &Window &Help"},
      {"closing the last shows the frame's menu", [&] { Send(text, WM_MDIDESTROY); }, "&File &Help"},
  };
  for (const Case& c : cases) {
    c.step();
    EXPECT_EQ(Shown(), c.shown) << c.what;
  }
}

TEST_F(QVTMDIMenuBarTest, AMaximisedChildsIconAndCaptionButtonsShowUntilItIsRestored) {
  const HWND first = OpenChild(kTextMenu, "First");
  const HWND second = OpenChild(kChartMenu, "Second");
  ASSERT_TRUE(first && second);
  const auto restyle = [](HWND hwnd, DWORD remove) {
    SetWindowLongPtr(hwnd, GWL_STYLE, static_cast<LONG_PTR>(GetWindowLongPtr(hwnd, GWL_STYLE) & ~static_cast<LONG_PTR>(remove)));
  };
  struct Case {
    const char* what;
    std::function<void()> step;
    const char* shown;
  };
  const Case cases[] = {
      {"a child that is not maximised", [] {}, "&File &View &Window"},
      {"maximised", [&] { Send(second, WM_MDIMAXIMIZE); }, "[icon] &File &View &Window [caption]"},
      {"another child takes the maximised place", [&] { Send(first, WM_MDIACTIVATE); },
       "[icon] &File &Edit &Window &Help [caption]"},
      {"the menus loaded again keep them", [&] { bar->LoadMenus({kFrameMenu, kTextMenu, kChartMenu}); bar->SwitchMenu(kTextMenu); },
       "[icon] &File &Edit &Window &Help [caption]"},
      {"restored", [&] { Send(first, WM_MDIRESTORE); }, "&File &Edit &Window &Help"},
      {"a child without a system menu shows neither even maximised",
       [&] {
         Send(first, WM_MDIMAXIMIZE);
         restyle(first, WS_SYSMENU);
         frame->OnChildSized();
       },
       "&File &Edit &Window &Help"},
      {"closing the last child", [&] {
         Send(first, WM_MDIDESTROY);
         Send(second, WM_MDIDESTROY);
       }, "&File &Help"},
  };
  for (const Case& c : cases) {
    c.step();
    EXPECT_EQ(Shown(), c.shown) << c.what;
    ExpectExtraButtonsAtTheEnds();
  }
}

TEST_F(QVTMDIMenuBarTest, TheCaptionButtonsSendTheirCommandsToTheChild) {
  struct Case {
    const char* what;
    DWORD removed;           // caption styles the child lacks
    int part;                // clicked
    WPARAM command;          // reaching the child, 0 for none
    bool maximised_after;
    bool open_after;
  };
  const Case cases[] = {
      {"minimise", 0, 0, SC_MINIMIZE, false, true},
      {"restore", 0, 1, SC_RESTORE, false, true},
      {"close", 0, 2, SC_CLOSE, false, false},
      {"without a minimise box, minimise does nothing", WS_MINIMIZEBOX, 0, 0, true, true},
      {"without a minimise box, restore still restores", WS_MINIMIZEBOX, 1, SC_RESTORE, false, true},
      {"without a minimise box, close still closes", WS_MINIMIZEBOX, 2, SC_CLOSE, false, false},
      {"without a maximise box, restore does nothing", WS_MAXIMIZEBOX, 1, 0, true, true},
      {"without a maximise box, minimise still minimises", WS_MAXIMIZEBOX, 0, SC_MINIMIZE, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const HWND child = OpenChild(kTextMenu);
    ASSERT_TRUE(child);
    Send(child, WM_MDIMAXIMIZE);
    SetWindowLongPtr(child, GWL_STYLE, static_cast<LONG_PTR>(GetWindowLongPtr(child, GWL_STYLE) & ~static_cast<LONG_PTR>(c.removed)));
    frame->OnChildSized();
    const QVTBtnCaption& caption = bar->GetCaptionButtons();
    EXPECT_EQ(caption.GetChildStyles(), 0xB0000u & ~c.removed);
    child_syscommands.clear();
    frame->syscommands.clear();
    InjectClick(PartPoint(c.part));
    Pump();
    EXPECT_EQ(child_syscommands, c.command ? std::vector<WPARAM>{c.command} : std::vector<WPARAM>{});
    EXPECT_TRUE(frame->syscommands.empty());
    EXPECT_EQ(IsWindow(child) != FALSE, c.open_after);
    if (c.open_after) {
      EXPECT_EQ(IsZoomed(child) != FALSE, c.maximised_after);
    }
    EXPECT_EQ(caption.GetPressedPart(), QVTBtnCaption::kNoPart);
    EXPECT_FALSE(caption.m_dwStyle & kTBPressed);
    if (IsWindow(child)) Send(child, WM_MDIDESTROY);
  }
  EXPECT_TRUE(IsWindow(frame_hwnd));
}

TEST_F(QVTMDIMenuBarTest, TheIconDropsTheChildsSystemMenuAndItsCommandsGoToTheChild) {
  const HWND child = OpenChild(kTextMenu);
  ASSERT_TRUE(child);
  Send(child, WM_MDIMAXIMIZE);
  const HMENU child_menu = GetSystemMenu(child, FALSE);
  ASSERT_NE(child_menu, GetSystemMenu(frame_hwnd, FALSE));
  const POINT icon = OnScreen(bar->GetIconButton(), 8);
  bool icon_pressed = false;
  Run({[icon] { InjectClick(icon); },
       [&] {
         icon_pressed = (bar->GetIconButton().m_dwStyle & kTBPressed) != 0;
         InjectKeyPress('C');  // &Close
       }});
  ASSERT_FALSE(frame->popups.empty());
  EXPECT_EQ(frame->popups.front(), child_menu);
  EXPECT_TRUE(icon_pressed);
  EXPECT_EQ(child_syscommands, std::vector<WPARAM>{SC_CLOSE});
  EXPECT_TRUE(frame->syscommands.empty());
  EXPECT_FALSE(IsWindow(child));
  EXPECT_TRUE(IsWindow(frame_hwnd));
  EXPECT_EQ(Shown(), "&File &Help");
}

TEST_F(QVTMDIMenuBarTest, FromTheChildsSystemMenuRightMovesToTheFirstTitle) {
  const HWND child = OpenChild(kTextMenu);
  ASSERT_TRUE(child);
  Send(child, WM_MDIMAXIMIZE);
  const POINT icon = OnScreen(bar->GetIconButton(), 8);
  Run({[icon] { InjectClick(icon); }, [] { InjectKeyPress(VK_RIGHT); }, [] { InjectKeyPress(VK_ESCAPE); }});
  ASSERT_EQ(frame->popups.size(), 2u);
  EXPECT_EQ(frame->popups[0], GetSystemMenu(child, FALSE));
  EXPECT_EQ(GetMenuStringText(frame->popups[1], 0, MF_BYPOSITION), "&Open");
  EXPECT_TRUE(IsWindow(child));
}

TEST_F(QVTMDIMenuBarTest, ButtonsAddedOrRemovedLeaveTheExtraButtonsAtTheEnds) {
  const HWND child = OpenChild(kTextMenu);
  ASSERT_TRUE(child);
  Send(child, WM_MDIMAXIMIZE);
  bar->InsertButton(0, 0, TRUE);
  ExpectExtraButtonsAtTheEnds();
  bar->InsertButton(bar->GetButtonCount(), 0, TRUE);
  ExpectExtraButtonsAtTheEnds();
  // Taken out, not deleted: the next button list has them back.
  const int count = bar->GetButtonCount();
  EXPECT_TRUE(bar->RemoveButton(0));
  EXPECT_TRUE(bar->RemoveButton(bar->GetButtonCount() - 1));
  EXPECT_EQ(bar->GetButtonCount(), count - 2);
  bar->ResetButtons(FALSE);
  ExpectExtraButtonsAtTheEnds();
  EXPECT_EQ(Shown(), "[icon] &File &Edit &Window &Help [caption]");
}

TEST_F(QVTMDIMenuBarTest, ADoubleClickOnTheIconClosesTheChildNotTheFrame) {
  const HWND child = OpenChild(kTextMenu);
  ASSERT_TRUE(child);
  Send(child, WM_MDIMAXIMIZE);
  const POINT icon = OnScreen(bar->GetIconButton(), 8);
  Run({[icon] { InjectDoubleClick(icon); }, [] { PostMessage(nullptr, WM_NULL, 0, 0); }});
  EXPECT_EQ(child_syscommands, std::vector<WPARAM>{SC_CLOSE});
  EXPECT_TRUE(frame->syscommands.empty());
  EXPECT_FALSE(IsWindow(child));
  EXPECT_TRUE(IsWindow(frame_hwnd));
}

TEST_F(QVTMDIMenuBarTest, TheSavedLayoutNeverHoldsTheExtraButtons) {
  const HWND child = OpenChild(kTextMenu);
  ASSERT_TRUE(child);
  Send(child, WM_MDIMAXIMIZE);
  ASSERT_EQ(Shown(), "[icon] &File &Edit &Window &Help [caption]");
  MenuBarInfoFactory factory;
  QVTDockState saved(&factory);
  ASSERT_TRUE(saved.GetDockState(frame));
  ASSERT_TRUE(saved.SaveState("Control Bars"));

  QVTDockState loaded(&factory);
  ASSERT_TRUE(loaded.LoadState("Control Bars"));
  const QVTCustomToolBarInfoEx* extension = nullptr;
  for (const auto& info : loaded.m_arrBarInfo)
    if (info->m_nBarID == 0xE81F) extension = dynamic_cast<const QVTCustomToolBarInfoEx*>(info->m_pInfoEx.get());
  ASSERT_NE(extension, nullptr);
  EXPECT_EQ(extension->buttons.size(), bar->GetButtonDefs().size());
  for (const QVTBtnInfo& button : extension->buttons) EXPECT_NE(button.id, QVTMDIMenuBar::kCaptionButtonId);

  ASSERT_TRUE(loaded.SetDockState(frame));
  Pump();
  ExpectExtraButtonsAtTheEnds();
  EXPECT_EQ(Shown(), "[icon] &File &Edit &Window &Help [caption]");
}

TEST_F(QVTMDIMenuBarTest, PictureOfTheBarWithAMaximisedChild) {
  const HWND child = OpenChild(kTextMenu, "Report");
  ASSERT_TRUE(child);
  // A document in the child, where a view would be.
  CreateWindowEx(WS_EX_CLIENTEDGE, "Edit", "Depth  Temperature\r\n12.5   8.31", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY,
                 0, 0, 10, 10, child, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(afx::AFX_IDW_PANE_FIRST)), nullptr);
  Send(child, WM_MDIMAXIMIZE);
  static_cast<afx::CFrameWnd*>(afx::CWnd::FromHandlePermanent(child))->RecalcLayout();
  RedrawWindow(frame_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump();
  RECT caption;
  bar->GetItemRect(bar->GetButtonCount() - 1, &caption);
  RECT client;
  GetClientRect(bar->m_hWnd, &client);
  // The caption buttons keep to the right end of the bar.
  EXPECT_GT(caption.left, client.right / 2);
  EXPECT_LE(caption.right, client.right);
  EXPECT_TRUE(GetHeadlessHost().DumpWindowPng(frame_hwnd, std::string(BRIVEN_TEST_BINARY_DIR) + "/mdi_menubar_maximised.png"));
}

// The bar in the framework's own MDI frame, whose menu-bar feature runs
// the menu loop: the child's system menu and its Close still reach the
// child alone.
class PopupRecordingMDIFrame : public QVTMDIFrameWnd {
 public:
  std::vector<HMENU> popups;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_INITMENUPOPUP) popups.push_back(reinterpret_cast<HMENU>(wParam));
    return QVTMDIFrameWnd::WindowProc(message, wParam, lParam);
  }
};

class QVTMDIMenuBarInFrameTest : public afx::test::AfxFixture {
 protected:
  void SetUp() override {
    AfxFixture::SetUp();
    RegisterTestMenus();
    frame = new PopupRecordingMDIFrame;
    bar = dynamic_cast<QVTMDIMenuBar*>(frame->CreateMenuBar());
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(frame->LoadFrame(kFrameMenu, WS_OVERLAPPEDWINDOW));
    app.m_pMainWnd = frame;
    frame_hwnd = frame->m_hWnd;
    frame->SetWindowPos(nullptr, 0, 0, 700, 500, SWP_NOZORDER);
    frame->EnableDocking(afx::CBRS_ALIGN_ANY);
    ASSERT_TRUE(bar->CreateEx(0, frame, WS_CHILD | WS_VISIBLE | afx::CBRS_TOP | afx::CBRS_SIZE_DYNAMIC, 0xE8FF));
    ASSERT_TRUE(bar->LoadMenus({kFrameMenu, kTextMenu, kChartMenu}));
    bar->EnableDocking(afx::CBRS_ALIGN_ANY);
    frame->DockControlBar(bar);
    frame->SwitchToChildMenu(static_cast<UINT>(-1));
    frame->ShowWindow(SW_SHOW);
    frame->RecalcLayout();
  }
  void TearDown() override {
    GetHeadlessHost().ClearScript();
    if (IsWindow(frame_hwnd)) DestroyWindow(frame_hwnd);
    app.m_pMainWnd = nullptr;
    PumpProgramLoop();
    EXPECT_EQ(QVTMenuBarMessages::InstalledHookCount(), 0);
    AfxFixture::TearDown();
  }

  afx::CWinApp app{"MDI Menu Bar"};
  PopupRecordingMDIFrame* frame = nullptr;
  HWND frame_hwnd = nullptr;
  QVTMDIMenuBar* bar = nullptr;
};

TEST_F(QVTMDIMenuBarInFrameTest, TheChildsSystemMenuClosesTheChildAndLeavesTheFrame) {
  auto* child = new QVTMDIChildWnd;
  ASSERT_TRUE(child->LoadFrame(kTextMenu, WS_OVERLAPPEDWINDOW, frame, nullptr));
  const HWND child_hwnd = child->m_hWnd;
  child->MDIMaximize();
  PumpProgramLoop();
  ASSERT_EQ(bar->GetButton(0), &bar->GetIconButton());
  EXPECT_FALSE(bar->GetIconButton().m_dwStyle & kTBHidden);
  EXPECT_FALSE(bar->GetCaptionButtons().m_dwStyle & kTBHidden);
  RECT icon = bar->GetIconButton().GetRect();
  POINT at{icon.left + 8, (icon.top + icon.bottom) / 2};
  ClientToScreen(bar->m_hWnd, &at);
  const HMENU child_menu = GetSystemMenu(child_hwnd, FALSE);
  RunScriptSteps({[at] { InjectClick(at); }, [] { InjectKeyPress('C'); }});  // &Close
  EXPECT_EQ(frame->popups, std::vector<HMENU>{child_menu});
  EXPECT_FALSE(IsWindow(child_hwnd));
  EXPECT_TRUE(IsWindow(frame_hwnd));
  EXPECT_TRUE(bar->GetIconButton().m_dwStyle & kTBHidden);
  EXPECT_TRUE(bar->GetCaptionButtons().m_dwStyle & kTBHidden);
}

}  // namespace docking::test

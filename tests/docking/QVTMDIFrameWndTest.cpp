// The framework's multiple-document frame: its menu bar follows the active
// document frame, the Window popup lists the document frames, the client
// sits between the bars, and bars float as document frames of their own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "docking/QVTControlBar.h"
#include "docking/QVTControlBarMDIChildWnd.h"
#include "docking/QVTDockBar.h"
#include "docking/QVTMDIChildWnd.h"
#include "docking/QVTMDIFrameWnd.h"
#include "docking/QVTMenuBar.h"
#include "docking/QVTMenuBarMessages.h"
#include "docking/QVTToolBarManager.h"
#include "platform/afx/Document.h"
#include "platform/afx/MDIFrameWnd.h"
#include "platform/afx/MultiDocTemplate.h"
#include "platform/afx/View.h"
#include "platform/ui/Hooks.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/Resources.h"
#include "tests/platform/afx/AfxFixture.h"

namespace docking::test {

using namespace ui;
using namespace afx;

class MdiDocument : public CDocument {
  DECLARE_DYNCREATE(MdiDocument)
};
IMPLEMENT_DYNCREATE(MdiDocument, CDocument)

class MdiView : public CView {
  DECLARE_DYNCREATE(MdiView)
};
IMPLEMENT_DYNCREATE(MdiView, CView)

class CountingMDIFrame : public QVTMDIFrameWnd {
  DECLARE_DYNCREATE(CountingMDIFrame)
 public:
  int sized = 0;
  void OnChildSized() override {
    ++sized;
    QVTMDIFrameWnd::OnChildSized();
  }
};
IMPLEMENT_DYNCREATE(CountingMDIFrame, QVTMDIFrameWnd)

namespace {

constexpr UINT kFrameMenu = 1;
constexpr UINT kTextMenu = 2;
constexpr UINT kPlotMenu = 3;
constexpr UINT kExtraMenu = 9;
constexpr UINT kCascade = 0xE132;
constexpr UINT kToolsId = 0xE805;

MenuItemTemplate Item(UINT id, const char* text) { return MenuItemTemplate{id, text, MF_STRING, {}}; }
MenuItemTemplate Popup(const char* text, std::vector<MenuItemTemplate> items) {
  return MenuItemTemplate{0, text, MF_POPUP, std::move(items)};
}

void RegisterMenus() {
  RegisterStringResource(kFrameMenu, "Frames");
  RegisterStringResource(kTextMenu, "\nText\nText");
  RegisterStringResource(kPlotMenu, "\nPlot\nPlot");
  RegisterMenuResource(kFrameMenu, {Popup("&File", {Item(40001, "&New")}), Popup("&Window", {Item(kCascade, "&Cascade")}),
                                    Popup("&Help", {Item(40002, "&About")})});
  RegisterMenuResource(kTextMenu, {Popup("&File", {Item(40001, "&New")}), Popup("&Edit", {Item(40003, "&Undo")}),
                                   Popup("&Window", {Item(kCascade, "&Cascade")}), Popup("&Help", {Item(40002, "&About")})});
  RegisterMenuResource(kPlotMenu, {Popup("&File", {Item(40001, "&New")}), Popup("&Plot", {Item(40004, "&Axes")}),
                                   Popup("&Window", {Item(kCascade, "&Cascade")}), Popup("&Help", {Item(40002, "&About")})});
  RegisterMenuResource(kExtraMenu, {Popup("&Extra", {Item(40005, "&More")})});
}

std::vector<std::string> Texts(HMENU menu) {
  std::vector<std::string> texts;
  for (int i = 0; i < GetMenuItemCount(menu); ++i)
    texts.push_back(GetMenuStringText(menu, static_cast<UINT>(i), MF_BYPOSITION));
  return texts;
}

class QVTMDIFrameWndTest : public afx::test::AfxFixture {
 protected:
  void SetUp() override {
    AfxFixture::SetUp();
    RegisterMenus();
    text = new CMultiDocTemplate(kTextMenu, RUNTIME_CLASS(MdiDocument), RUNTIME_CLASS(QVTMDIChildWnd),
                                 RUNTIME_CLASS(MdiView));
    plot = new CMultiDocTemplate(kPlotMenu, RUNTIME_CLASS(MdiDocument), RUNTIME_CLASS(QVTMDIChildWnd),
                                 RUNTIME_CLASS(MdiView));
    app.AddDocTemplate(text);
    app.AddDocTemplate(plot);
  }
  void TearDown() override {
    if (app.m_pMainWnd) app.m_pMainWnd->DestroyWindow();
    app.m_pMainWnd = nullptr;
    AfxFixture::TearDown();
  }
  void MakeFrame(bool with_menu_bar) {
    frame = new CountingMDIFrame;
    if (with_menu_bar) bar = frame->CreateMenuBar();
    ASSERT_TRUE(frame->LoadFrame(kFrameMenu, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
    app.m_pMainWnd = frame;
    frame->SetWindowPos(nullptr, 0, 0, 800, 600, SWP_NOZORDER);
    frame->EnableDocking(CBRS_ALIGN_ANY);
    if (with_menu_bar) {
      ASSERT_TRUE(bar->CreateEx(0, frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC,
                                QVTToolBarManagerMenuBarId()));
      ASSERT_TRUE(bar->LoadMenus({kFrameMenu, kTextMenu, kPlotMenu}));
      bar->EnableDocking(CBRS_ALIGN_ANY);
      frame->DockControlBar(bar);
      frame->SwitchToChildMenu(static_cast<UINT>(-1));
    }
    frame->ShowWindow(SW_SHOW);
    frame->RecalcLayout();
  }
  static UINT QVTToolBarManagerMenuBarId() { return 0xE8FF; }
  QVTControlBar* MakeToolsBar() {
    auto* tools = new QVTControlBar;
    tools->m_bAutoDelete = TRUE;
    EXPECT_TRUE(tools->Create(frame, "Tools", WS_CHILD | WS_VISIBLE | CBRS_TOP, QVT_BARSTYLE_CONTEXTMENU, kToolsId));
    tools->m_szHorz = SIZE{200, 28};
    tools->m_szVert = SIZE{28, 200};
    tools->m_szFloat = SIZE{200, 28};
    tools->EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(tools);
    frame->RecalcLayout();
    return tools;
  }
  static HWND DockBarOf(const CControlBar* bar) { return bar->m_pDockBar ? bar->m_pDockBar->m_hWnd : nullptr; }
  CFrameWnd* FrameOf(CDocument* document) {
    POSITION position = document->GetFirstViewPosition();
    CView* view = document->GetNextView(position);
    return view ? view->GetParentFrame() : nullptr;
  }
  HMENU PopupOfShownMenu(int index) {
    return reinterpret_cast<HMENU>(
        frame->SendMessage(QVTMenuBarMessages::GetMenuMessage(), bar->GetCurrentMenuId(), index));
  }

  CWinApp app{"MDI Frames"};
  CMultiDocTemplate* text = nullptr;
  CMultiDocTemplate* plot = nullptr;
  CountingMDIFrame* frame = nullptr;
  QVTMenuBar* bar = nullptr;
};

TEST_F(QVTMDIFrameWndTest, TheMenuBarFollowsTheActiveDocumentFrame) {
  MakeFrame(true);
  EXPECT_EQ(GetMenu(frame->m_hWnd), nullptr);  // the bar is the frame's menu
  EXPECT_EQ(bar->GetCurrentMenuId(), kFrameMenu);
  CDocument* note = text->OpenDocumentFile(nullptr);
  auto* note_frame = dynamic_cast<QVTMDIChildWnd*>(FrameOf(note));
  ASSERT_TRUE(note_frame);
  EXPECT_EQ(note_frame->GetMenuId(), kTextMenu);
  EXPECT_TRUE(note_frame->UsesMenuBar());
  EXPECT_EQ(bar->GetCurrentMenuId(), kTextMenu);
  CDocument* graph = plot->OpenDocumentFile(nullptr);
  EXPECT_EQ(bar->GetCurrentMenuId(), kPlotMenu);
  EXPECT_EQ(frame->GetShownMenuId(), kPlotMenu);
  note_frame->MDIActivate();
  EXPECT_EQ(bar->GetCurrentMenuId(), kTextMenu);
  // A changed menu id shows at once on the active frame.
  note_frame->SetMenuId(kPlotMenu);
  EXPECT_EQ(bar->GetCurrentMenuId(), kPlotMenu);
  note_frame->SendMessage(WM_CLOSE);
  EXPECT_EQ(bar->GetCurrentMenuId(), kPlotMenu);
  FrameOf(graph)->SendMessage(WM_CLOSE);
  EXPECT_EQ(frame->MDIGetActive(), nullptr);
  EXPECT_EQ(bar->GetCurrentMenuId(), kFrameMenu);
  EXPECT_EQ(GetMenu(frame->m_hWnd), nullptr);
}

TEST_F(QVTMDIFrameWndTest, TheWindowPopupOfTheShownMenuListsTheDocumentFrames) {
  MakeFrame(true);
  CDocument* note = text->OpenDocumentFile(nullptr);
  text->OpenDocumentFile(nullptr);
  // Titles: File, Edit, Window, Help; the popup comes from the frame's menus.
  const HMENU window = PopupOfShownMenu(2);
  ASSERT_TRUE(window);
  EXPECT_EQ(window, GetSubMenu(text->m_hMenuShared, 2));
  EXPECT_EQ(Texts(window), (std::vector<std::string>{"&Cascade", "", "&1 Text1", "&2 Text2"}));
  // Choosing an entry activates its document frame.
  frame->SendMessage(WM_COMMAND, AFX_IDM_FIRST_MDICHILD, 0);
  EXPECT_EQ(frame->MDIGetActive(), FrameOf(note));
  EXPECT_EQ(frame->GetActiveDocument(), note);
}

TEST_F(QVTMDIFrameWndTest, MenusAreFoundByIdInTheFrameTheTemplatesAndTheLoadedOnes) {
  MakeFrame(true);
  EXPECT_TRUE(frame->LoadMDIMenus({}));
  EXPECT_TRUE(frame->LoadMDIMenus({kExtraMenu}));
  EXPECT_FALSE(frame->LoadMDIMenus({kExtraMenu, 77}));
  ASSERT_TRUE(frame->GetMenuForId(kFrameMenu));
  EXPECT_EQ(frame->GetMenuForId(kFrameMenu), frame->GetFrameMenu());
  EXPECT_EQ(frame->GetMenuForId(kPlotMenu), plot->m_hMenuShared);
  ASSERT_TRUE(frame->GetMenuForId(kExtraMenu));
  EXPECT_EQ(Texts(frame->GetMenuForId(kExtraMenu)), (std::vector<std::string>{"&Extra"}));
  EXPECT_EQ(frame->GetMenuForId(77), nullptr);
  EXPECT_EQ(frame->SendMessage(QVTMenuBarMessages::GetMenuMessage(), 77, 0), 0);
}

TEST_F(QVTMDIFrameWndTest, WithoutAMenuBarTheWindowMenuFollowsAndListsTheDocumentFrames) {
  MakeFrame(false);
  const HMENU own = frame->GetFrameMenu();
  ASSERT_TRUE(own);
  EXPECT_EQ(GetMenu(frame->m_hWnd), own);
  // The frame's own Window popup lists the frames while none has a menu.
  CDocument* note = text->OpenDocumentFile(nullptr);
  EXPECT_EQ(GetMenu(frame->m_hWnd), text->m_hMenuShared);
  EXPECT_EQ(Texts(SecondLastPopup(text->m_hMenuShared)), (std::vector<std::string>{"&Cascade", "", "&1 Text1"}));
  FrameOf(note)->SendMessage(WM_CLOSE);
  EXPECT_EQ(GetMenu(frame->m_hWnd), own);
  EXPECT_EQ(Texts(SecondLastPopup(own)), (std::vector<std::string>{"&Cascade"}));
}

TEST_F(QVTMDIFrameWndTest, TheClientTakesWhatTheBarsLeaveAndMaximisingTellsTheFrame) {
  MakeFrame(true);
  QVTControlBar* tools = MakeToolsBar();
  RECT client, left, tools_rect;
  GetWindowRect(frame->m_hWndMDIClient, &client);
  left = frame->GetRememberedClientRect();
  frame->ClientToScreen(&left);
  EXPECT_EQ(client, left);
  GetWindowRect(tools->m_hWnd, &tools_rect);
  EXPECT_GE(client.top, tools_rect.bottom);
  CDocument* note = text->OpenDocumentFile(nullptr);
  const int before = frame->sized;
  static_cast<CMDIChildWnd*>(FrameOf(note))->MDIMaximize();
  EXPECT_GT(frame->sized, before);
  RECT area, inner;
  GetClientRect(frame->m_hWndMDIClient, &area);
  FrameOf(note)->GetClientRect(&inner);
  EXPECT_EQ(inner, area);
}

TEST_F(QVTMDIFrameWndTest, ABarFloatingAsADocumentFrameKeepsItsOrientationAndClosingItHidesTheBar) {
  MakeFrame(true);
  QVTControlBar* tools = MakeToolsBar();
  ASSERT_TRUE(tools->m_dwStyle & CBRS_ALIGN_TOP);
  frame->FloatControlBarAsMDIChild(tools);
  auto* child = dynamic_cast<QVTControlBarMDIChildWnd*>(tools->m_pDockBar ? tools->m_pDockBar->GetParentFrame()
                                                                           : nullptr);
  ASSERT_TRUE(child);
  EXPECT_EQ(GetParent(child->m_hWnd), frame->m_hWndMDIClient);
  EXPECT_EQ(child->GetHostedBar(), tools);
  EXPECT_TRUE(tools->m_dwStyle & CBRS_ALIGN_TOP);  // still horizontal
  EXPECT_FALSE(tools->m_dwStyle & CBRS_ORIENT_VERT);
  EXPECT_EQ(child->GetWindowTextString(), "Tools");
  EXPECT_TRUE(child->IsWindowVisible());
  EXPECT_EQ(child->GetMenuId(), QVTMDIFrameWnd::kFloatingChildResource);

  child->SendMessage(WM_CLOSE);
  EXPECT_TRUE(IsWindow(child->m_hWnd));
  EXPECT_FALSE(tools->IsWindowVisible());
  EXPECT_FALSE(child->IsWindowVisible());
  frame->ShowControlBar(tools, TRUE, FALSE);
  EXPECT_TRUE(child->IsWindowVisible());
}

TEST_F(QVTMDIFrameWndTest, ABarsContextMenuGreysDockingInADocumentFrameAndOffersFloatingInTheMainWindow) {
  MakeFrame(true);
  QVTControlBar* tools = MakeToolsBar();
  const auto build = [&] {
    const HMENU menu = CreatePopupMenu();
    AppendMenu(menu, MF_STRING, QVTMDIFrameWnd::kAllowDockingCommand, "Allow Docking");
    frame->SendMessage(QVTMDIFrameWnd::kBarContextMenuMessage, reinterpret_cast<WPARAM>(tools),
                       reinterpret_cast<LPARAM>(menu));
    return menu;
  };
  HMENU menu = build();
  EXPECT_EQ(GetMenuItemCount(menu), 1);  // docked, no extra item asked for
  EXPECT_EQ(GetMenuState(menu, QVTMDIFrameWnd::kAllowDockingCommand, MF_BYCOMMAND), MF_ENABLED);
  DestroyMenu(menu);

  tools->ModifyBarStyleEx(0, QVTMDIFrameWnd::kFloatInMainWindowExStyle, FALSE);
  frame->FloatControlBarAsMDIChild(tools);
  menu = build();
  EXPECT_EQ(Texts(menu), (std::vector<std::string>{"Allow Docking", "", "Float In Main Window"}));
  EXPECT_TRUE(GetMenuState(menu, QVTMDIFrameWnd::kAllowDockingCommand, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(GetMenuState(menu, QVTMDIFrameWnd::kFloatInMainWindowCommand, MF_BYCOMMAND) & MF_CHECKED);
  DestroyMenu(menu);
}

TEST_F(QVTMDIFrameWndTest, FloatInMainWindowMovesABarIntoADocumentFrameAndBackToItsSide) {
  MakeFrame(true);
  QVTControlBar* tools = MakeToolsBar();
  const HWND top = DockBarOf(tools);
  // The bar's own menu asks the frame for its items.
  std::vector<std::string> offered;
  QVTControlBar::SetMenuTracker([&](HMENU menu, POINT, CWnd*) -> UINT {
    offered = Texts(menu);
    return QVTMDIFrameWnd::kFloatInMainWindowCommand;
  });
  tools->ModifyBarStyleEx(0, QVTMDIFrameWnd::kFloatInMainWindowExStyle, FALSE);
  tools->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tools->m_hWnd), MAKELPARAM(-1, -1));
  QVTControlBar::SetMenuTracker(nullptr);
  EXPECT_EQ(offered, (std::vector<std::string>{"Allow Docking", "Hide", "", "Float In Main Window"}));
  auto* child = dynamic_cast<QVTControlBarMDIChildWnd*>(tools->m_pDockBar->GetParentFrame());
  ASSERT_TRUE(child);
  const HWND child_hwnd = child->m_hWnd;
  // And back: docked on its side again, the empty document frame gone.
  tools->SendMessage(WM_COMMAND, QVTMDIFrameWnd::kFloatInMainWindowCommand, 0);
  EXPECT_FALSE(tools->IsFloating());
  EXPECT_EQ(DockBarOf(tools), top);
  EXPECT_FALSE(IsWindow(child_hwnd));
}

TEST_F(QVTMDIFrameWndTest, WhileToolbarsAreCustomisedAPendingLayoutRunsWhenADialogIdles) {
  MakeFrame(true);
  QVTToolBarManager manager(frame);
  frame->SetControlBarManager(&manager);
  struct Case {
    const char* what;
    BOOL customising;
    WPARAM why;
    bool laid_out;
  };
  const Case cases[] = {
      {"customising, a dialog idles", TRUE, MSGF_DIALOGBOX, true},
      {"customising, a menu idles", TRUE, MSGF_MENU, false},
      {"not customising", FALSE, MSGF_DIALOGBOX, false},
  };
  for (const Case& c : cases) {
    manager.SetCustomizeMode(c.customising);
    frame->DelayRecalcLayout();
    frame->SendMessage(WM_ENTERIDLE, c.why, 0);
    EXPECT_EQ((frame->m_nIdleFlags & idleLayout) == 0, c.laid_out) << c.what;
    frame->RecalcLayout();
  }
  manager.SetCustomizeMode(FALSE);
  frame->SetControlBarManager(nullptr);
}

TEST_F(QVTMDIFrameWndTest, ASavedLayoutBringsABarBackInADocumentFrameWhereItWas) {
  MakeFrame(true);
  QVTControlBar* tools = MakeToolsBar();
  frame->FloatControlBarAsMDIChild(tools);
  CFrameWnd* child = tools->m_pDockBar->GetParentFrame();
  child->SetWindowPos(nullptr, 40, 30, 260, 90, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT saved;
  GetWindowRect(child->m_hWnd, &saved);
  ASSERT_TRUE(frame->SaveBarState("Layout"));
  frame->DestroyWindow();
  app.m_pMainWnd = nullptr;

  MakeFrame(true);
  tools = MakeToolsBar();
  ASSERT_TRUE(frame->LoadBarState("Layout"));
  auto* restored = dynamic_cast<QVTControlBarMDIChildWnd*>(tools->m_pDockBar ? tools->m_pDockBar->GetParentFrame()
                                                                              : nullptr);
  ASSERT_TRUE(restored);
  EXPECT_EQ(GetParent(restored->m_hWnd), frame->m_hWndMDIClient);
  EXPECT_TRUE(tools->m_dwStyle & CBRS_ALIGN_TOP);
  RECT now;
  GetWindowRect(restored->m_hWnd, &now);
  EXPECT_EQ(now, saved);
  EXPECT_TRUE(restored->IsWindowVisible());
}

}  // namespace
}  // namespace docking::test

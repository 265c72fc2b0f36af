// The toolbar manager of a frame: default toolbars made from their
// definitions on the shared store, new user toolbars with the lowest free
// id, "WM_BARNOTIFY" to the windows that listen, settings reaching every
// bar once, the configuration mode disabling the frame's other windows, the
// class its bars are made of, and definitions and bars from toolbar resources.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "docking/QVTCustomToolBar.h"
#include "docking/QVTFrameWnd.h"
#include "docking/QVTPTNFactory.h"
#include "docking/QVTPersistentTreeNode.h"
#include "docking/QVTToolBarManager.h"
#include "platform/afx/MessageMap.h"
#include "platform/ui/ImageResources.h"
#include "tests/platform/afx/AfxFixture.h"

namespace docking::test {

using namespace ui;

// A window that logs the bar notifications it hears.
class BarListener : public afx::CWnd {
 public:
  std::vector<std::pair<UINT, UINT>> heard;  // bar id, code
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == QVTToolBarManager::BarNotifyMessage()) {
      heard.emplace_back(static_cast<UINT>(wParam), static_cast<UINT>(lParam));
      return 0;
    }
    return afx::CWnd::WindowProc(message, wParam, lParam);
  }
};

namespace {

constexpr UINT kButtons[] = {100, 101, 0, 102};

class QVTToolBarManagerTest : public afx::test::AfxFixture {
 protected:
  void SetUp() override {
    AfxFixture::SetUp();
    frame = new QVTFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "Manager", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 60, 900, 660}));
    frame_hwnd = frame->m_hWnd;
    frame->EnableDocking(afx::CBRS_ALIGN_ANY);
    manager = std::make_unique<QVTToolBarManager>(frame);
    manager->AddDefaultToolBarDefinition(0xE800, "Main", 4, kButtons, afx::CBRS_ALIGN_ANY, afx::AFX_IDW_DOCKBAR_TOP, 0,
                                         TRUE, TRUE);
    ASSERT_TRUE(listener.CreateEx(0, nullptr, "listener", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    manager->AddNotifyWnd(&listener);
  }
  void TearDown() override {
    manager.reset();
    listener.DestroyWindow();
    if (IsWindow(frame_hwnd)) DestroyWindow(frame_hwnd);
    AfxFixture::TearDown();
  }
  QVTFrameWnd* frame = nullptr;
  HWND frame_hwnd = nullptr;
  std::unique_ptr<QVTToolBarManager> manager;
  BarListener listener;
};

TEST_F(QVTToolBarManagerTest, DefaultToolBarsAreMadeOnceWithTheSharedStoreAndStyles) {
  manager->LoadState("Control Bars");  // nothing saved: the defaults come
  QVTCustomToolBar* bar = manager->GetToolBar(0xE800);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->GetButtonCount(), 4);
  EXPECT_EQ(bar->GetBmpMgr(), manager->GetBmpMgr());
  EXPECT_EQ(bar->GetManager(), manager.get());
  EXPECT_FALSE(bar->IsFloating());
  EXPECT_EQ(bar->GetBarStyle() & 0x30u, 0x30u);  // tooltips and fly-by
  EXPECT_EQ(GetWindowTextString(bar->m_hWnd), "Main");
  manager->AttachToolBars();  // bars exist: none made again
  EXPECT_EQ(manager->GetToolBars().size(), 1u);
}

TEST_F(QVTToolBarManagerTest, NewToolBarsTakeTheLowestFreeIdAndAreHeardOf) {
  QVTCustomToolBar* first = manager->CreateNewToolBar(nullptr);
  QVTCustomToolBar* second = manager->CreateNewToolBar("Mine");
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->GetDlgCtrlID(), 0xE820);
  EXPECT_EQ(second->GetDlgCtrlID(), 0xE821);
  EXPECT_EQ(GetWindowTextString(first->m_hWnd), "ToolBar1");
  first->DestroyWindow();
  QVTCustomToolBar* third = manager->CreateNewToolBar(nullptr);
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(third->GetDlgCtrlID(), 0xE820);
  // A visible bar is shown while it is made, before it is reported made.
  constexpr UINT kShown = QVTToolBarManager::kShown, kCreated = QVTToolBarManager::kCreated;
  const std::vector<std::pair<UINT, UINT>> expected = {
      {0xE820, kShown}, {0xE820, kCreated}, {0xE821, kShown}, {0xE821, kCreated},
      {0xE820, QVTToolBarManager::kDestroyed}, {0xE820, kShown}, {0xE820, kCreated}};
  EXPECT_EQ(listener.heard, expected);
}

TEST_F(QVTToolBarManagerTest, SettingsReachEveryBarOnlyWhenTheyChange) {
  manager->CreateDefaultToolBars();
  QVTCustomToolBar* bar = manager->GetToolBar(0xE800);
  ASSERT_NE(bar, nullptr);
  manager->SetCoolLook(TRUE);
  EXPECT_EQ(bar->GetBarStyleEx() & 0x300u, 0x300u);
  EXPECT_TRUE(bar->IsCoolLook());
  manager->SetToolTips(FALSE);
  EXPECT_EQ(bar->GetBarStyle() & 0x10u, 0u);
  manager->SetCoolLook(FALSE);
  EXPECT_FALSE(bar->IsCoolLook());
  manager->SetLargeButtons(TRUE);
  EXPECT_FALSE(manager->GetBmpMgr()->GetUseNormalImages());
}

TEST_F(QVTToolBarManagerTest, ConfigurationModeDisablesTheOtherWindowsOnceAndGivesThemBack) {
  const HWND view = CreateWindowEx(0, "Static", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, frame_hwnd, nullptr, nullptr);
  manager->EnterConfigMode();
  manager->EnterConfigMode();
  EXPECT_FALSE(IsWindowEnabled(view));
  EXPECT_TRUE(IsWindowEnabled(frame_hwnd));
  manager->ExitConfigMode();
  EXPECT_TRUE(IsWindowEnabled(view));
  manager->ExitConfigMode();  // already out: nothing
  EXPECT_TRUE(IsWindowEnabled(view));
  EnableWindow(frame_hwnd, TRUE);
}

TEST_F(QVTToolBarManagerTest, ARectangleFindsTheFloatingBarOverTheDockedOne) {
  manager->CreateDefaultToolBars();
  QVTCustomToolBar* docked = manager->GetToolBar(0xE800);
  QVTCustomToolBar* floating = manager->CreateNewToolBar("Floating");
  ASSERT_TRUE(docked && floating);
  floating->SetButtons(kButtons, 4);
  frame->RecalcLayout();
  RECT over;
  GetWindowRect(docked->m_hWnd, &over);
  frame->FloatControlBar(floating, POINT{over.left, over.top});
  EXPECT_EQ(manager->BarFromRect(over), floating);
  const RECT nowhere{2, 2, 4, 4};
  EXPECT_EQ(manager->BarFromRect(nowhere), nullptr);
  const RECT below_docked{over.left + 300, over.top + 1, over.left + 301, over.top + 2};
  EXPECT_EQ(manager->BarFromRect(below_docked), over.right > over.left + 300 ? docked : nullptr);
}

TEST_F(QVTToolBarManagerTest, SettingsRoundTripThroughASettingsTree) {
  QVTPTNFactory factory;
  QVTPersistentTreeNode* root = factory.CreateNode("Frame", nullptr);
  manager->SetCoolLook(TRUE);
  manager->SetLargeButtons(TRUE);
  ASSERT_TRUE(manager->SaveState(nullptr, root));
  QVTToolBarManager loaded(frame);
  EXPECT_TRUE(loaded.LoadState(root));
  EXPECT_TRUE(loaded.GetCoolLook());
  EXPECT_TRUE(loaded.GetLargeButtons());
  EXPECT_FALSE(manager->SaveState(nullptr, nullptr));
}

TEST_F(QVTToolBarManagerTest, AFloatingBarHidesAtOnceWhileTheToolbarsDialogIsUp) {
  QVTCustomToolBar* bar = manager->CreateNewToolBar("Floating");
  ASSERT_NE(bar, nullptr);
  bar->SetButtons(kButtons, 4);
  frame->FloatControlBar(bar, POINT{300, 300});
  manager->EnterConfigMode();
  manager->SetCustomizeMode(TRUE);
  bar->DelayShow(FALSE);
  bar->DelayShow(FALSE);  // posted once
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  EXPECT_FALSE(bar->IsVisible());
  manager->SetCustomizeMode(FALSE);
  manager->ExitConfigMode();
  EnableWindow(frame_hwnd, TRUE);
}

// A toolbar class of the application's own, made by the manager.
class OwnToolBar : public QVTCustomToolBar {
  DECLARE_DYNCREATE(OwnToolBar)
};
IMPLEMENT_DYNCREATE(OwnToolBar, QVTCustomToolBar)

TEST_F(QVTToolBarManagerTest, TheToolbarClassMakesTheBarsAndAClassThatIsNoToolbarMakesNone) {
  EXPECT_EQ(manager->GetToolBarClass(), RUNTIME_CLASS(QVTCustomToolBar));
  manager->SetToolBarClass(RUNTIME_CLASS(OwnToolBar));
  EXPECT_NE(dynamic_cast<OwnToolBar*>(manager->CreateNewToolBar("Own")), nullptr);
  manager->SetToolBarClass(RUNTIME_CLASS(afx::CWnd));
  EXPECT_EQ(manager->CreateNewToolBar("Not a toolbar"), nullptr);
  EXPECT_EQ(manager->GetToolBars().size(), 1u);
}

TEST_F(QVTToolBarManagerTest, AToolbarResourceGivesADefinitionItsIdsAndABarItsButtonsWithTheCallersBitmap) {
  constexpr UINT kResource = 0x7A01, kMissing = 0x7A02;
  ToolbarResource toolbar;
  toolbar.items = {100, 0, 101};
  RegisterToolbarResource(kResource, toolbar);
  const std::size_t before = manager->GetDefinitions().size();
  EXPECT_FALSE(manager->AddDefaultToolBarDefinition(0xE801, "None", kMissing, afx::CBRS_ALIGN_ANY,
                                                    afx::AFX_IDW_DOCKBAR_TOP, 0, TRUE, TRUE));
  EXPECT_EQ(manager->GetDefinitions().size(), before);
  ASSERT_TRUE(manager->AddDefaultToolBarDefinition(0xE801, "Resource", kResource, afx::CBRS_ALIGN_ANY,
                                                   afx::AFX_IDW_DOCKBAR_TOP, 0, TRUE, TRUE));
  EXPECT_EQ(manager->GetDefinitions().back().ids, (std::vector<UINT>{100, 0, 101}));

  HBITMAP bitmap = CreateBitmap(32, 15, 1, 32, nullptr);  // two images of 16
  QVTCustomToolBar* bar = manager->CreateNewToolBar("Loaded");
  ASSERT_NE(bar, nullptr);
  EXPECT_FALSE(bar->LoadToolBar(kMissing, bitmap));
  ASSERT_TRUE(bar->LoadToolBar(kResource, bitmap));
  EXPECT_EQ(bar->GetButtonCount(), 3);
  HBITMAP shown = nullptr;
  int index = -1;
  ASSERT_TRUE(manager->GetBmpMgr()->GetImage(101, &shown, &index));
  EXPECT_EQ(index, 1);  // the separator takes no image
  manager.reset();
  DestroyWindow(frame_hwnd);
  EXPECT_EQ(GetObjectType(bitmap), OBJ_BITMAP);  // still the caller's
  DeleteObject(bitmap);
}

}  // namespace
}  // namespace docking::test

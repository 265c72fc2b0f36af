// The MDI demo on a real display: a maximised document frame fills the
// client between the bars and its menu is the one the menu bar shows;
// restoring it brings the document frames back. Screenshots of each step.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "docking/QVTMDIMenuBar.h"
#include "docking/QVTMenuBar.h"
#include "platform/afx/AfxIds.h"
#include "platform/afx/MDIChildWnd.h"
#include "platform/ui/Mdi.h"
#include "tests/mdi-demo/MdiDemo.h"
#include "tests/mdi-demo/MdiDemoResources.h"
#include "tests/x11/ChildProcess.h"
#include "tests/x11/X11Session.h"

#include <wx/frame.h>

namespace {

using namespace ui;

class MdiOnDisplay : public ::testing::Test {
 protected:
  void SetUp() override {
    X11_REQUIRE_HOST();
    demo = std::make_unique<mdidemo::MdiDemo>();
    ASSERT_TRUE(demo->frame);
    ASSERT_TRUE(WaitUntilSteady()) << "the window manager did not map the demo frame";
    x11test::RunHelper({"sh", "-c", "xdotool search --sync --name '^Briven MDI demo' windowactivate --sync %1"});
    Idle();
  }
  void TearDown() override {
    demo.reset();
    x11test::PumpUntil([] { return false; }, 200);
  }
  bool WaitUntilSteady() { return x11test::WaitUntilShownAndSteady({demo->frame_hwnd}, demo->frame_hwnd); }
  void Idle() {
    SendMessage(demo->frame_hwnd, afx::WM_IDLEUPDATECMDUI, TRUE, 0);
    x11test::PumpUntil([] { return false; }, 300);
    SendMessage(demo->frame_hwnd, afx::WM_IDLEUPDATECMDUI, TRUE, 0);
  }
  void Shot(const std::string& name) {
    x11test::PumpUntil([] { return false; }, 300);
    x11test::RunHelper({"import", "-window", "root", x11test::ScreenshotFolder() + "/" + name});
  }
  static RECT ClientAreaOnScreen(HWND hwnd) {
    RECT rect;
    GetClientRect(hwnd, &rect);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    OffsetRect(&rect, origin.x, origin.y);
    return rect;
  }
  // The maximised child's icon and caption buttons in the menu bar.
  bool CaptionButtonsShown() const {
    auto* bar = dynamic_cast<docking::QVTMDIMenuBar*>(MenuBar());
    return bar && !(bar->GetCaptionButtons().GetStyle() & kHiddenButton) &&
           !(bar->GetIconButton().GetStyle() & kHiddenButton);
  }
  static constexpr DWORD kHiddenButton = 0x80000;
  docking::QVTMenuBar* MenuBar() const { return dynamic_cast<docking::QVTMenuBar*>(demo->frame->GetMenuBar()); }

  std::unique_ptr<mdidemo::MdiDemo> demo;
};

TEST_F(MdiOnDisplay, AMaximisedDocumentFrameFillsTheClientWithItsMenuShownAndRestoringBringsTheFramesBack) {
  const HWND client = demo->frame->m_hWndMDIClient;
  afx::CMDIChildWnd* plot = demo->frame->MDIGetActive();
  ASSERT_TRUE(plot);
  ASSERT_TRUE(MenuBar());
  EXPECT_EQ(MenuBar()->GetCurrentMenuId(), mdidemo::kPlotResource);
  EXPECT_FALSE(CaptionButtonsShown());
  Shot("mdi-demo-start.png");

  // A text document's frame, maximised: its menu shows, and only its client area.
  demo->frame->MDINext();
  afx::CMDIChildWnd* text = demo->frame->MDIGetActive();
  ASSERT_TRUE(text);
  ASSERT_NE(text, plot);
  EXPECT_EQ(MenuBar()->GetCurrentMenuId(), mdidemo::kTextResource);
  text->MDIMaximize();
  Idle();
  Shot("mdi-demo-maximised.png");
  BOOL maximised = FALSE;
  EXPECT_EQ(demo->frame->MDIGetActive(&maximised), text);
  EXPECT_TRUE(maximised);
  EXPECT_EQ(ClientAreaOnScreen(text->m_hWnd), ClientAreaOnScreen(client));
  EXPECT_EQ(MenuBar()->GetCurrentMenuId(), mdidemo::kTextResource);
  EXPECT_TRUE(CaptionButtonsShown());
  // The client lies between the bars: below the menu bar and the toolbar, above the status bar.
  RECT bar_rect, status_rect, client_rect;
  GetWindowRect(MenuBar()->m_hWnd, &bar_rect);
  GetWindowRect(demo->frame->GetStatusBar().m_hWnd, &status_rect);
  GetWindowRect(client, &client_rect);
  EXPECT_LE(bar_rect.bottom, client_rect.top);
  EXPECT_LE(client_rect.bottom, status_rect.top);

  // Another frame activated takes the maximised place, with its own menu.
  demo->frame->MDIActivate(plot);
  Idle();
  EXPECT_TRUE(IsZoomed(plot->m_hWnd));
  EXPECT_FALSE(IsZoomed(text->m_hWnd));
  EXPECT_EQ(MenuBar()->GetCurrentMenuId(), mdidemo::kPlotResource);
  Shot("mdi-demo-maximised-plot.png");

  // Restored, the frames show side by side again in the client.
  plot->MDIRestore();
  Idle();
  EXPECT_FALSE(IsZoomed(plot->m_hWnd));
  EXPECT_FALSE(CaptionButtonsShown());
  RECT plot_rect;
  GetWindowRect(plot->m_hWnd, &plot_rect);
  EXPECT_LT(plot_rect.right - plot_rect.left, client_rect.right - client_rect.left);
  int shown = 0;
  for (HWND child = GetWindow(client, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    shown += IsWindowVisible(child) ? 1 : 0;
  EXPECT_EQ(shown, 3);
  Shot("mdi-demo-restored.png");
}

}  // namespace

// What every bar does in its frame: showing and hiding at the next idle
// layout, the fly-by prompt on the frame's message line, and the resize of
// a floating sizable bar by its frame's border (a toolbar's thin frame does
// not resize).
#include "docking/QVTStatusBar.h"
#include "platform/afx/DockContext.h"
#include "platform/ui/Resources.h"
#include "tests/docking/DockingFrameFixture.h"

namespace docking::test {
namespace {

using namespace ui;
using namespace afx;

class ControlBarBehaviourTest : public DockingFrameFixture {
 protected:
  int ClientWidth() const { return frame->GetRememberedClientRect().right - frame->GetRememberedClientRect().left; }
  // The point just inside the right border of a floating frame, half way down.
  static POINT RightBorder(HWND floating) {
    const RECT r = ScreenRect(floating);
    return POINT{r.right - 2, (r.top + r.bottom) / 2};
  }
};

TEST_F(ControlBarBehaviourTest, ADelayedHideWaitsForTheIdleLayout) {
  const int before = ClientWidth();
  frame->ShowControlBar(files, FALSE, TRUE);
  EXPECT_TRUE(files->IsWindowVisible());
  EXPECT_FALSE(files->IsVisible());  // about to go
  EXPECT_TRUE(frame->m_nIdleFlags & idleLayout);
  frame->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
  EXPECT_FALSE(files->IsWindowVisible());
  EXPECT_EQ(frame->m_nIdleFlags & idleLayout, 0u);
  EXPECT_EQ(ClientWidth(), before + 150 + 6 + 2);  // the bar, its splitter and its edge
  // Shown again without delay: at once.
  frame->ShowControlBar(files, TRUE, FALSE);
  EXPECT_TRUE(files->IsWindowVisible());
  EXPECT_EQ(ClientWidth(), before);
}

TEST_F(ControlBarBehaviourTest, HidingTheOnlyBarOfAFloatingFrameHidesTheFrame) {
  frame->FloatControlBar(files, POINT{300, 200});
  Pump();
  const HWND floating = FloatingFrameOf(files);
  ASSERT_TRUE(IsWindowVisible(floating));
  frame->ShowControlBar(files, FALSE, FALSE);
  EXPECT_FALSE(IsWindowVisible(floating));
  frame->ShowControlBar(files, TRUE, FALSE);
  EXPECT_TRUE(IsWindowVisible(floating));
}

TEST_F(ControlBarBehaviourTest, ANewBarReportsItsDefaultSizeInEveryOrientationUntilLaidOut) {
  auto* fresh = new QVTControlBar;
  fresh->m_bAutoDelete = TRUE;
  ASSERT_TRUE(fresh->Create(frame, "Fresh", WS_CHILD | CBRS_SIZE_DYNAMIC | CBRS_TOP, QVT_BARSTYLE_SIZABLE, kNotesBarId));
  const SIZE expected{300, 180};
  EXPECT_EQ(fresh->CalcFixedLayout(FALSE, TRUE), expected);
  EXPECT_EQ(fresh->CalcFixedLayout(FALSE, FALSE), expected);
  EXPECT_EQ(fresh->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH), expected);
  fresh->DestroyWindow();
}

TEST_F(ControlBarBehaviourTest, APressOnAFloatingFramesCaptionLeavesItsFrameActive) {
  frame->FloatControlBar(files, POINT{300, 200});
  Pump();
  const HWND floating = FloatingFrameOf(files);
  ASSERT_NE(floating, nullptr);
  const RECT before = ScreenRect(floating);
  clock.Advance(1000);
  InjectClick(CaptionPoint(floating));
  Pump();
  EXPECT_EQ(GetActiveWindow(), frame_hwnd);
  EXPECT_EQ(ScreenRect(floating), before);
}

TEST_F(ControlBarBehaviourTest, ADoubleClickOnTheCaptionOfABarThatDocksNowhereDoesNothing) {
  frame->FloatControlBar(files, POINT{300, 200});
  Pump();
  const HWND floating = FloatingFrameOf(files);
  ASSERT_NE(floating, nullptr);
  files->EnableDocking(0);
  clock.Advance(1000);
  const POINT caption = CaptionPoint(floating);
  InjectClick(caption);
  clock.Advance(50);
  InjectClick(caption);
  Pump();
  EXPECT_TRUE(files->IsFloating());
  EXPECT_EQ(FloatingFrameOf(files), floating);
}

// A bar whose left half is a command, as a toolbar's buttons are.
class CommandBar : public QVTControlBar {
 public:
  static constexpr UINT kCommand = 0xE140;
  INT_PTR OnToolHitTest(POINT client) const override {
    RECT rect;
    GetClientRect(&rect);
    return client.x < rect.right / 2 ? static_cast<INT_PTR>(kCommand) : -1;
  }
};

TEST_F(ControlBarBehaviourTest, FlyByShowsTheCommandsPromptAndThenTheIdleMessage) {
  RegisterStringResource(CommandBar::kCommand, "Shows the program's version\nAbout");
  auto* status = new QVTStatusBar;
  status->m_bAutoDelete = TRUE;
  ASSERT_TRUE(status->Create(frame));
  const UINT indicators[] = {0};
  status->SetIndicators(indicators, 1);
  auto* bar = new CommandBar;
  bar->m_bAutoDelete = TRUE;
  ASSERT_TRUE(bar->Create(frame, "Commands", WS_CHILD | WS_VISIBLE | CBRS_SIZE_DYNAMIC | CBRS_TOP | CBRS_FLYBY, 0,
                          kNotesBarId));
  bar->m_szHorz = SIZE{200, 30};
  bar->EnableDocking(CBRS_ALIGN_ANY);
  frame->DockControlBar(bar);
  frame->RecalcLayout();
  Pump();
  const RECT r = ScreenRect(bar);
  InjectMouseMove(POINT{r.left + 10, (r.top + r.bottom) / 2});
  Pump();
  EXPECT_EQ(status->GetPaneText(0), "Shows the program's version");
  InjectMouseMove(POINT{r.right - 10, (r.top + r.bottom) / 2});
  Pump();
  EXPECT_EQ(status->GetPaneText(0), "Ready");
}

TEST_F(ControlBarBehaviourTest, AFloatingSizableBarIsResizedByItsFramesBorder) {
  frame->FloatControlBar(output, POINT{300, 200});
  Pump();
  const HWND floating = FloatingFrameOf(output);
  const RECT before = ScreenRect(floating);
  const POINT border = RightBorder(floating);
  ASSERT_EQ(SendMessage(floating, WM_NCHITTEST, 0, MAKELPARAM(border.x, border.y)), HTRIGHT);
  InjectDrag(border, POINT{border.x + 60, border.y}, 6);
  Pump();
  const RECT after = ScreenRect(FloatingFrameOf(output));
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after.right - after.left, before.right - before.left + 60);
  EXPECT_EQ(output->m_szFloat.cx, 260 + 60);
  // Narrower than the smallest floating frame is no resize.
  clock.Advance(1000);
  InjectDrag(RightBorder(FloatingFrameOf(output)), POINT{after.left - 200, border.y}, 2);
  Pump();
  const RECT smallest = ScreenRect(FloatingFrameOf(output));
  EXPECT_GE(smallest.right - smallest.left, output->m_pDockContext->m_sizeMinFloat.cx);
}

TEST_F(ControlBarBehaviourTest, AToolbarsThinFloatingFrameIsNotResized) {
  frame->FloatControlBar(tools, POINT{300, 200});
  Pump();
  const HWND floating = FloatingFrameOf(tools);
  const RECT before = ScreenRect(floating);
  const POINT border = RightBorder(floating);
  EXPECT_NE(SendMessage(floating, WM_NCHITTEST, 0, MAKELPARAM(border.x, border.y)), HTRIGHT);
  InjectDrag(POINT{before.right - 1, border.y}, POINT{before.right + 60, border.y}, 4);
  Pump();
  const RECT after = ScreenRect(floating);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
}

}  // namespace
}  // namespace docking::test

namespace docking::test {
namespace {

using namespace ui;

class BarIdTest : public DockingFrameFixture {};

TEST_F(BarIdTest, FreeIdsAreThoseNoBarButADockBarUses) {
  const struct {
    UINT first;
    UINT expected;
  } cases[] = {
      {kOutputBarId, kOutputBarId + 3},       // the three sample bars are taken
      {kToolBarId, kToolBarId + 1},
      {afx::AFX_IDW_DOCKBAR_TOP, afx::AFX_IDW_DOCKBAR_TOP},  // dock bars do not count
      {1, 1},
  };
  for (const auto& c : cases) EXPECT_EQ(QVTControlBar::FindFreeBarID(frame, c.first), c.expected) << c.first;
  EXPECT_FALSE(QVTControlBar::IsBarIDFree(frame, 0));
  EXPECT_FALSE(QVTControlBar::IsBarIDFree(frame, kFilesBarId));
  EXPECT_TRUE(QVTControlBar::HasUniqueBarIDs(frame));
  files->SetDlgCtrlID(static_cast<int>(kOutputBarId));
  EXPECT_FALSE(QVTControlBar::HasUniqueBarIDs(frame));
}

TEST_F(BarIdTest, AThousandTakenIdsLeaveNone) {
  std::vector<QVTControlBar*> bars;
  for (UINT id = 0x100; id < 0x100 + 1000; ++id) {
    auto* bar = new QVTControlBar;
    bar->m_bAutoDelete = TRUE;
    ASSERT_TRUE(bar->Create(frame, "", WS_CHILD, 0, id));
  }
  EXPECT_EQ(QVTControlBar::FindFreeBarID(frame, 0x100), 0u);
  EXPECT_EQ(QVTControlBar::FindFreeBarID(frame, 0x101), 0x100u + 1000u);
}

}  // namespace
}  // namespace docking::test

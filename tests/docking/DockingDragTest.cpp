// Bars moved with the mouse in an 800 x 600 docking frame: dragged to a
// side they dock there; a release near the start changes nothing; Ctrl
// makes them float; Esc and the right button cancel; a double click toggles
// between the remembered docked and floating places; floating frames stay on
// the screen.
#include <algorithm>

#include "docking/QVTDockContext.h"
#include "docking/QVTDockSides.h"
#include "platform/afx/MiniDockFrameWnd.h"
#include "tests/docking/DockingFrameFixture.h"

namespace docking::test {
namespace {

using namespace ui;
using namespace afx;

std::string Describe(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}

class DockingDragTest : public DockingFrameFixture {
 protected:
  enum class During { kNothing, kCtrl, kEscape, kRightButton };
  // Presses at `from`, moves to `to` and releases there, with `during`
  // happening on the way.
  void Gesture(POINT from, POINT to, During during) {
    if (during == During::kCtrl) InjectKeyDown(VK_CONTROL);
    InjectButtonDown(from);
    InjectMouseMove(POINT{(from.x + to.x) / 2, (from.y + to.y) / 2});
    InjectMouseMove(to);
    if (during == During::kEscape) InjectKeyPress(VK_ESCAPE);
    if (during == During::kRightButton) InjectButtonDown(to, MouseButton::kRight);
    InjectButtonUp(to);
    if (during == During::kRightButton) InjectButtonUp(to, MouseButton::kRight);
    if (during == During::kCtrl) InjectKeyUp(VK_CONTROL);
    Pump();
  }
};

TEST_F(DockingDragTest, TheStartingLayoutPutsEveryBarOnItsSideWithItsSplitterAndEdge) {
  const RECT client = ClientOnScreen();
  EXPECT_EQ(Describe(ScreenRect(tools)), Describe(RECT{client.left, client.top, client.left + 200, client.top + 28}));
  // Bottom row: splitter (6) above the bar, edge (2) below it.
  EXPECT_EQ(Describe(ScreenRect(output)),
            Describe(RECT{client.left, client.bottom - 2 - 120, client.right, client.bottom - 2}));
  // Right side, between the top and bottom dock bars: splitter left, edge right.
  EXPECT_EQ(Describe(ScreenRect(files)), Describe(RECT{client.right - 2 - 150, client.top + 28, client.right - 2,
                                                       client.bottom - 2 - 120 - 6}));
}

enum class Outcome { kDocksLeft, kUnchanged, kFloats };

struct DragCase {
  const char* name;
  POINT offset;  // from the grab point
  int during;    // DockingDragTest::During
  Outcome outcome;
};

// The output bar (bottom, sizable, 160 x 300 when vertical) grabbed at its
// centre.
const DragCase kDragCases[] = {
    {"ToTheLeftEdgeDocksThere", {-390, -294}, 0, Outcome::kDocksLeft},
    {"ThreePixelsOffIsNoMove", {2, 1}, 0, Outcome::kUnchanged},
    {"FourPixelsOffIsNoMove", {-3, 1}, 0, Outcome::kUnchanged},
    {"CtrlFloatsItOverADockBar", {-390, -294}, 1, Outcome::kFloats},
    {"CtrlFloatsItWhereNothingDocks", {-150, -250}, 1, Outcome::kFloats},
    {"AwayFromDockBarsItFloats", {-150, -250}, 0, Outcome::kFloats},
    {"EscapeCancels", {-390, -294}, 2, Outcome::kUnchanged},
    {"TheRightButtonCancels", {-390, -294}, 3, Outcome::kUnchanged},
};

class DockingDragCaseTest : public DockingDragTest, public ::testing::WithParamInterface<DragCase> {};

TEST_P(DockingDragCaseTest, ReleaseOfTheOutputBar) {
  const DragCase& drag = GetParam();
  const RECT before = ScreenRect(output);
  const RECT client = ClientOnScreen();
  const POINT grab = Centre(before);
  const POINT to{grab.x + drag.offset.x, grab.y + drag.offset.y};
  Gesture(grab, to, static_cast<During>(drag.during));
  EXPECT_EQ(GetCapture(), nullptr);
  switch (drag.outcome) {
    case Outcome::kDocksLeft:
      ASSERT_FALSE(output->IsFloating());
      EXPECT_EQ(output->m_pDockBar, DockBar(AFX_IDW_DOCKBAR_LEFT));
      // Alone in the left dock bar: the edge at the left, the bar at its
      // vertical width, from below the toolbar row to the client bottom
      // (the bottom dock bar is empty now).
      EXPECT_EQ(Describe(ScreenRect(output)),
                Describe(RECT{client.left + 2, client.top + 28, client.left + 2 + 160, client.bottom}));
      break;
    case Outcome::kUnchanged:
      EXPECT_FALSE(output->IsFloating());
      EXPECT_EQ(output->m_pDockBar, DockBar(AFX_IDW_DOCKBAR_BOTTOM));
      EXPECT_EQ(Describe(ScreenRect(output)), Describe(before));
      break;
    case Outcome::kFloats: {
      ASSERT_TRUE(output->IsFloating());
      const HWND floating = FloatingFrameOf(output);
      ASSERT_NE(floating, nullptr);
      EXPECT_TRUE(IsWindowVisible(floating));
      // The sizable bar's frame can be resized.
      EXPECT_EQ(GetWindowLongPtr(floating, GWL_STYLE) & kSizableFloatFrame, static_cast<LONG_PTR>(kSizableFloatFrame));
      // The frame is where the outline was: the mouse is on it.
      const RECT placed = ScreenRect(floating);
      EXPECT_TRUE(PtInRect(&placed, to)) << Describe(placed);
      break;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Mouse, DockingDragCaseTest, ::testing::ValuesIn(kDragCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DockingDragTest, AFloatingBarReleasedNearItsStartDoesNotMove) {
  frame->FloatControlBar(output, POINT{300, 200});
  Pump();
  const HWND floating = FloatingFrameOf(output);
  ASSERT_NE(floating, nullptr);
  const RECT before = ScreenRect(floating);
  const POINT caption = CaptionPoint(floating);
  Gesture(caption, POINT{caption.x + 3, caption.y + 1}, During::kNothing);
  EXPECT_EQ(Describe(ScreenRect(floating)), Describe(before));
  // Moved further it follows the mouse (a second press, not a double click).
  clock.Advance(1000);
  Gesture(caption, POINT{caption.x + 40, caption.y + 30}, During::kNothing);
  ASSERT_TRUE(output->IsFloating());
  const RECT after = ScreenRect(FloatingFrameOf(output));
  EXPECT_NEAR(after.left - before.left, 40, 2);
  EXPECT_NEAR(after.top - before.top, 30, 2);
}

TEST_F(DockingDragTest, AToolbarLikeBarDraggedToTheLeftStandsThereAtItsVerticalSizeWhereItWasDropped) {
  const RECT client = ClientOnScreen();
  const POINT grab = Centre(ScreenRect(tools));
  const POINT drop{client.left + 3, client.top + 220};
  Gesture(grab, drop, During::kNothing);
  ASSERT_EQ(tools->m_pDockBar, DockBar(AFX_IDW_DOCKBAR_LEFT));
  const RECT docked = ScreenRect(tools);
  // A toolbar row has no splitter and no edge; the bar keeps the place
  // along the side where it was dropped, and the mouse is on it.
  EXPECT_EQ(docked.left, client.left);
  EXPECT_EQ(docked.right - docked.left, 28);
  EXPECT_EQ(docked.bottom - docked.top, 200);
  EXPECT_TRUE(PtInRect(&docked, drop)) << Describe(docked);
  // The top dock bar is empty now: the sizable bar on the right starts at the top.
  EXPECT_EQ(ScreenRect(files).top, client.top);
}

TEST_F(DockingDragTest, AToolbarLikeBarFloatsInAThinFrameAtLeastAsWideAsTheMinimum) {
  frame->FloatControlBar(tools, POINT{300, 200});
  Pump();
  const HWND floating = FloatingFrameOf(tools);
  ASSERT_NE(floating, nullptr);
  EXPECT_EQ(GetWindowLongPtr(floating, GWL_STYLE) & WS_THICKFRAME, 0);
  RECT client;
  GetClientRect(floating, &client);
  EXPECT_GE(client.right, tools->m_pDockContext->m_sizeMinFloat.cx);
}

struct FloatPlace {
  const char* name;
  POINT point;
};

const FloatPlace kFarPlaces[] = {
    {"FarRightAndDown", {5000, 5000}}, {"FarLeftAndUp", {-5000, -5000}}, {"FarRightAndUp", {5000, -5000}},
    {"FarLeftAndDown", {-5000, 5000}}, {"JustOffTheLeft", {-250, 100}},
};

class FloatingFrameOnScreenTest : public DockingDragTest, public ::testing::WithParamInterface<FloatPlace> {};

TEST_P(FloatingFrameOnScreenTest, KeepsTenPixelsOnTheWorkArea) {
  RECT work{};
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  frame->FloatControlBar(output, GetParam().point);
  Pump();
  const RECT placed = ScreenRect(FloatingFrameOf(output));
  RECT overlap;
  ASSERT_TRUE(IntersectRect(&overlap, &placed, &work)) << Describe(placed);
  EXPECT_GE(std::min(overlap.right - overlap.left, placed.right - placed.left), std::min<LONG>(10, placed.right - placed.left));
  EXPECT_GE(overlap.right - overlap.left, 10);
  EXPECT_GE(overlap.bottom - overlap.top, 10);
}

INSTANTIATE_TEST_SUITE_P(Float, FloatingFrameOnScreenTest, ::testing::ValuesIn(kFarPlaces),
                         [](const auto& info) { return std::string(info.param.name); });

struct TogglePlace {
  const char* name;
  bool remembered;
  POINT point;
};

const TogglePlace kTogglePlaces[] = {
    {"WherePresentWithoutARememberedPlace", false, {0, 0}},
    {"AtTheRememberedPlace", true, {320, 240}},
    {"AtARememberedPlaceLeftOfTheScreen", true, {-40, 30}},
    {"AtARememberedPlaceAboveTheScreen", true, {200, -20}},
};

class ToggleDockingTest : public DockingDragTest, public ::testing::WithParamInterface<TogglePlace> {};

TEST_P(ToggleDockingTest, DoubleClicksFloatAndDockAgainAtTheRememberedPlaces) {
  const TogglePlace& place = GetParam();
  const RECT docked = ScreenRect(output);
  CDockContext* context = output->m_pDockContext;
  context->m_bMRUFloatPosValid = place.remembered;
  context->m_ptMRUFloatPos = place.point;
  InjectDoubleClick(Centre(docked));
  Pump();
  ASSERT_TRUE(output->IsFloating());
  const HWND floating = FloatingFrameOf(output);
  const RECT placed = ScreenRect(floating);
  const POINT expected = place.remembered ? place.point : POINT{docked.left, docked.top};
  EXPECT_EQ(placed.left, expected.x);
  EXPECT_EQ(placed.top, expected.y);
  // A double click on the floating frame's caption docks it where it was.
  InjectDoubleClick(CaptionPoint(floating));
  Pump();
  ASSERT_FALSE(output->IsFloating());
  EXPECT_EQ(output->m_pDockBar, DockBar(AFX_IDW_DOCKBAR_BOTTOM));
  EXPECT_EQ(Describe(ScreenRect(output)), Describe(docked));
  // The emptied floating frame is gone once the loop has run.
  EXPECT_FALSE(IsWindow(floating));
}

INSTANTIATE_TEST_SUITE_P(Toggle, ToggleDockingTest, ::testing::ValuesIn(kTogglePlaces),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DockingDragTest, AFloatingFrameEmptiedDuringItsOwnDragIsDestroyedAfterwards) {
  frame->FloatControlBar(output, POINT{300, 200});
  Pump();
  const HWND floating = FloatingFrameOf(output);
  ASSERT_NE(floating, nullptr);
  // Dragged by its caption (the loop runs inside the floating frame's own
  // handler) onto the left dock bar.
  const POINT caption = CaptionPoint(floating);
  const RECT client = ClientOnScreen();
  InjectButtonDown(caption);
  InjectMouseMove(POINT{client.left + 40, caption.y});
  InjectMouseMove(POINT{client.left + 3, 300});
  InjectButtonUp(POINT{client.left + 3, 300});
  Pump();
  EXPECT_FALSE(output->IsFloating());
  EXPECT_EQ(output->m_pDockBar, DockBar(AFX_IDW_DOCKBAR_LEFT));
  EXPECT_FALSE(IsWindow(floating));
}

TEST_F(DockingDragTest, DockingTheLastBarOfAFloatingFrameHidesItAtOnceAndDestroysItLater) {
  frame->FloatControlBar(output, POINT{300, 200});
  Pump();
  const HWND floating = FloatingFrameOf(output);
  frame->DockControlBar(output, AFX_IDW_DOCKBAR_BOTTOM);
  EXPECT_TRUE(IsWindow(floating));
  EXPECT_FALSE(IsWindowVisible(floating));
  Pump();
  EXPECT_FALSE(IsWindow(floating));
}

TEST_F(DockingDragTest, AlignmentBitsThatNameNoSideDockNowhere) {
  frame->FloatControlBar(output, POINT{300, 200});
  Pump();
  output->m_dwStyle &= ~CBRS_ALIGN_ANY;
  frame->DockControlBar(output);
  EXPECT_TRUE(output->IsFloating());
}

}  // namespace
}  // namespace docking::test

namespace docking::test {
namespace {

using namespace ui;

// A bar kept as a member of a longer-lived object, as a frame's own status
// bar or toolbar is: its frame and dock bar go first.
TEST_F(DockingDragTest, ABarThatOutlivesItsFrameAndDockBarForgetsThem) {
  auto* kept = new QVTControlBar;
  ASSERT_TRUE(kept->Create(frame, "Kept", WS_CHILD | WS_VISIBLE | afx::CBRS_SIZE_DYNAMIC | afx::CBRS_TOP,
                           QVT_BARSTYLE_SIZABLE, kNotesBarId));
  kept->EnableDocking(afx::CBRS_ALIGN_ANY);
  frame->DockControlBar(kept);
  frame->FloatControlBar(files, POINT{300, 300});
  Pump();
  DestroyWindow(frame_hwnd);
  Pump();
  EXPECT_EQ(kept->m_pDockBar, nullptr);
  EXPECT_EQ(kept->m_pDockSite, nullptr);
  delete kept;  // touches neither
}

}  // namespace
}  // namespace docking::test

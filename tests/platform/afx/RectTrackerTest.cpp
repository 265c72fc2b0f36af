// The rectangle tracker: the rectangle follows the mouse from where the
// button went down and is kept where it is let go; Esc and the right button
// put it back; a release where it started is no move.
#include <gtest/gtest.h>

#include <string>

#include "platform/afx/FrameWnd.h"
#include "platform/afx/RectTracker.h"
#include "platform/ui/HeadlessInput.h"
#include "tests/platform/afx/AfxFixture.h"

namespace afx::test {
namespace {

using namespace ui;

class CountingTracker : public CRectTracker {
 public:
  using CRectTracker::CRectTracker;
  void OnChangedRect(const RECT&) override { ++changes; }
  int changes = 0;
};

struct TrackCase {
  const char* name;
  POINT move;        // from the press to the release
  const char* stop;  // "", "escape" or "right"
  BOOL moved;
  POINT offset;      // where the rectangle ends, from where it began
};

const TrackCase kTrackCases[] = {
    {"FollowsTheMouse", {40, 25}, "", TRUE, {40, 25}},
    {"LeavesItsWindow", {-300, 500}, "", TRUE, {-300, 500}},
    {"ReleasedWhereItStartedIsNoMove", {0, 0}, "", FALSE, {0, 0}},
    {"EscapePutsItBack", {40, 25}, "escape", FALSE, {0, 0}},
    {"TheRightButtonPutsItBack", {40, 25}, "right", FALSE, {0, 0}},
};

class RectTrackerTest : public AfxFixture, public ::testing::WithParamInterface<TrackCase> {};

TEST_P(RectTrackerTest, Track) {
  const TrackCase& track = GetParam();
  auto* frame = new CFrameWnd;  // deletes itself when destroyed
  ASSERT_TRUE(frame->Create(nullptr, "Tracker", WS_POPUP | WS_VISIBLE, RECT{300, 200, 600, 400}));
  const RECT start{10, 20, 33, 42};
  CountingTracker tracker(start, 0);
  const POINT press{20, 30};
  POINT screen = press;
  ::ui::ClientToScreen(frame->m_hWnd, &screen);
  const POINT to{screen.x + track.move.x, screen.y + track.move.y};
  InjectMouseMove(POINT{screen.x + track.move.x / 2, screen.y + track.move.y / 2});
  InjectMouseMove(to);
  if (std::string(track.stop) == "escape") InjectKeyPress(VK_ESCAPE);
  if (std::string(track.stop) == "right") InjectButtonDown(to, MouseButton::kRight);
  InjectButtonUp(to);
  EXPECT_EQ(tracker.Track(frame, press), track.moved);
  EXPECT_EQ(GetCapture(), nullptr);
  RECT expected = start;
  OffsetRect(&expected, track.offset.x, track.offset.y);
  EXPECT_TRUE(EqualRect(&tracker.m_rect, &expected))
      << tracker.m_rect.left << "," << tracker.m_rect.top << " " << tracker.m_rect.right << "," << tracker.m_rect.bottom;
  if (track.move.x != 0) {
    EXPECT_GT(tracker.changes, 0);
  }
  frame->DestroyWindow();
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
}

INSTANTIATE_TEST_SUITE_P(Mouse, RectTrackerTest, ::testing::ValuesIn(kTrackCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace afx::test

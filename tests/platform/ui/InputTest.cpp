// Input scripts: raw input at screen points, routed as a user's would be.
#include "UiFixture.h"

#include "platform/ui/ImageResources.h"

namespace ui::test {
namespace {

constexpr const char* kDoubleClickClass = "BrivenTestDoubleClicks";

LRESULT DoubleClickProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (UiFixture::handler) {
    const LRESULT answer = UiFixture::handler(hwnd, message, wParam, lParam);
    if (answer != kDefault) return answer;
  }
  return DefWindowProc(hwnd, message, wParam, lParam);
}

struct Seen {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class InputTest : public UiFixture {
 protected:
  void SetUp() override {
    UiFixture::SetUp();
    WNDCLASS wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DoubleClickProc;
    wc.lpszClassName = kDoubleClickClass;
    RegisterClass(wc);
    handler = [this](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
      if (IsMouseOrKey(message)) seen.push_back(Seen{hwnd, message, wParam, lParam});
      if (on_message) return on_message(hwnd, message, wParam, lParam);
      return kDefault;
    };
  }

  static bool IsMouseOrKey(UINT message) {
    return (message >= WM_MOUSEMOVE && message <= WM_MOUSEWHEEL) || (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK) ||
           (message >= WM_KEYDOWN && message <= WM_SYSKEYUP) || message == WM_CAPTURECHANGED ||
           message == WM_MOUSEACTIVATE || message == WM_SETCURSOR || message == WM_NCHITTEST;
  }

  HWND Shown(DWORD style, RECT rect, const char* class_name = kTestClass, HWND parent = nullptr) {
    const HWND hwnd = CreateWindowEx(0, class_name, "input", style | WS_VISIBLE, rect.left, rect.top,
                                     rect.right - rect.left, rect.bottom - rect.top, parent, nullptr, nullptr);
    return hwnd;
  }

  void Pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }

  // The messages `hwnd` got among `wanted`, in order.
  std::vector<UINT> MessagesOf(HWND hwnd, std::vector<UINT> wanted) const {
    std::vector<UINT> out;
    for (const Seen& s : seen)
      if (s.hwnd == hwnd && std::find(wanted.begin(), wanted.end(), s.message) != wanted.end()) out.push_back(s.message);
    return out;
  }
  int CountFor(HWND hwnd) const {
    return static_cast<int>(std::count_if(seen.begin(), seen.end(), [&](const Seen& s) { return s.hwnd == hwnd; }));
  }

  std::vector<Seen> seen;
  Handler on_message;
};

const std::vector<UINT> kButtons = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK};

TEST_F(InputTest, CaptureHoldsOutsideTheWindowAndItsLossIsAnnounced) {
  const HWND a = Shown(WS_POPUP, RECT{100, 100, 300, 250});
  const HWND b = Shown(WS_POPUP, RECT{400, 400, 600, 600});
  on_message = [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> LRESULT {
    if (hwnd == a && message == WM_LBUTTONDOWN) SetCapture(a);
    return kDefault;
  };
  InjectButtonDown(POINT{150, 150});
  InjectMouseMove(POINT{500, 500});  // over b, but a holds the capture
  InjectButtonUp(POINT{500, 500});
  Pump();
  EXPECT_EQ(MessagesOf(a, {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP}),
            (std::vector<UINT>{WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP}));
  EXPECT_EQ(CountFor(b), 0);
  const auto up = std::find_if(seen.begin(), seen.end(), [&](const Seen& s) { return s.message == WM_LBUTTONUP; });
  ASSERT_NE(up, seen.end());
  EXPECT_EQ(GET_X_LPARAM(up->lParam), 400);  // client coordinates of a, far outside it
  EXPECT_EQ(GET_Y_LPARAM(up->lParam), 400);

  SetCapture(b);
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back().hwnd, a);
  EXPECT_EQ(seen.back().message, WM_CAPTURECHANGED);
  EXPECT_EQ(seen.back().lParam, reinterpret_cast<LPARAM>(b));
  ReleaseCapture();
  EXPECT_EQ(seen.back().hwnd, b);
  EXPECT_EQ(seen.back().message, WM_CAPTURECHANGED);
  EXPECT_EQ(seen.back().lParam, 0);
}

TEST_F(InputTest, AClickWithoutCaptureGoesToTheWindowUnderThePoint) {
  const HWND a = Shown(WS_POPUP, RECT{100, 100, 300, 250});
  const HWND b = Shown(WS_POPUP, RECT{400, 400, 600, 600});
  InjectButtonDown(POINT{150, 150});
  InjectButtonUp(POINT{500, 500});
  Pump();
  EXPECT_EQ(MessagesOf(a, kButtons), (std::vector<UINT>{WM_LBUTTONDOWN}));
  EXPECT_EQ(MessagesOf(b, kButtons), (std::vector<UINT>{WM_LBUTTONUP}));
}

TEST_F(InputTest, DoubleClicksComeOnlyToClassesThatAskWithinTimeAndDistance) {
  struct Case {
    const char* name;
    bool double_click_class;
    POINT second;                  // the first click is at 150,150
    std::int64_t delay_ms;
    bool doubled;
  } cases[] = {
      {"same place, at once", true, {150, 150}, 0, true},
      {"no CS_DBLCLKS", false, {150, 150}, 0, false},
      {"within the time", true, {150, 150}, 500, true},
      {"too late", true, {150, 150}, 501, false},
      {"within the distance", true, {152, 148}, 0, true},
      {"too far", true, {153, 150}, 0, false},
  };
  for (const Case& c : cases) {
    seen.clear();
    const HWND hwnd = Shown(WS_POPUP, RECT{100, 100, 300, 250}, c.double_click_class ? kDoubleClickClass : kTestClass);
    InjectClick(POINT{150, 150});
    Pump();
    clock.Advance(c.delay_ms);
    InjectClick(c.second);
    Pump();
    const std::vector<UINT> expected =
        c.doubled ? std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}
                  : std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP};
    EXPECT_EQ(MessagesOf(hwnd, kButtons), expected) << c.name;
    DestroyWindow(hwnd);
    clock.Advance(1000);  // the next case starts afresh
  }
}

TEST_F(InputTest, AThirdClickIsAPressAgain) {
  const HWND hwnd = Shown(WS_POPUP, RECT{100, 100, 300, 250}, kDoubleClickClass);
  InjectDoubleClick(POINT{150, 150});
  InjectClick(POINT{150, 150});
  Pump();
  EXPECT_EQ(MessagesOf(hwnd, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}),
            (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN}));
}

TEST_F(InputTest, AClickActivatesAWindowUnlessItAnswersNoActivate) {
  struct Case {
    LRESULT answer;
    bool activates;
    bool delivered;
  } cases[] = {
      {MA_ACTIVATE, true, true},
      {MA_ACTIVATEANDEAT, true, false},
      {MA_NOACTIVATE, false, true},
      {MA_NOACTIVATEANDEAT, false, false},
  };
  for (const Case& c : cases) {
    seen.clear();
    const HWND first = Shown(WS_POPUP, RECT{0, 0, 50, 50});
    const HWND clicked = Shown(WS_POPUP, RECT{100, 100, 300, 250});
    SetActiveWindow(first);
    on_message = [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> LRESULT {
      if (hwnd == clicked && message == WM_MOUSEACTIVATE) return c.answer;
      return kDefault;
    };
    InjectClick(POINT{150, 150});
    Pump();
    EXPECT_EQ(MessagesOf(clicked, {WM_MOUSEACTIVATE}).size(), 1u) << c.answer;
    EXPECT_EQ(GetActiveWindow(), c.activates ? clicked : first) << c.answer;
    EXPECT_EQ(MessagesOf(clicked, {WM_LBUTTONDOWN}).size(), c.delivered ? 1u : 0u) << c.answer;
    // An active window is not asked again.
    seen.clear();
    SetActiveWindow(clicked);
    InjectClick(POINT{150, 150});
    Pump();
    EXPECT_TRUE(MessagesOf(clicked, {WM_MOUSEACTIVATE}).empty());
    EXPECT_EQ(MessagesOf(clicked, {WM_LBUTTONDOWN}).size(), 1u);
    on_message = nullptr;
    DestroyWindow(first);
    DestroyWindow(clicked);
  }
}

TEST_F(InputTest, AChildsClickActivatesItsTopLevelWindowAndTheParentMayAnswer) {
  const HWND other = Shown(WS_POPUP, RECT{0, 0, 50, 50});
  const HWND parent = Shown(WS_POPUP, RECT{100, 100, 300, 250});
  const HWND child = Shown(WS_CHILD, RECT{10, 10, 60, 60}, kTestClass, parent);
  SetActiveWindow(other);
  on_message = [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> LRESULT {
    if (hwnd == parent && message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    return kDefault;
  };
  InjectClick(POINT{120, 120});
  Pump();
  EXPECT_EQ(MessagesOf(child, {WM_MOUSEACTIVATE, WM_LBUTTONDOWN}), (std::vector<UINT>{WM_MOUSEACTIVATE, WM_LBUTTONDOWN}));
  EXPECT_EQ(GetActiveWindow(), other);  // the parent said no for its child
}

TEST_F(InputTest, ADisabledWindowGetsNothing) {
  const HWND below = Shown(WS_POPUP, RECT{100, 100, 300, 250});
  const HWND disabled = Shown(WS_POPUP, RECT{100, 100, 300, 250});  // on top of `below`
  EnableWindow(disabled, FALSE);
  seen.clear();
  InjectMouseMove(POINT{150, 150});
  InjectClick(POINT{150, 150});
  InjectWheel(POINT{150, 150}, WHEEL_DELTA);
  Pump();
  EXPECT_EQ(CountFor(disabled), 0);
  EXPECT_EQ(CountFor(below), 0);  // nor what it covers

  EnableWindow(disabled, TRUE);
  const HWND child = Shown(WS_CHILD, RECT{10, 10, 60, 60}, kTestClass, disabled);
  EnableWindow(child, FALSE);
  seen.clear();
  InjectClick(POINT{120, 120});
  Pump();
  EXPECT_EQ(CountFor(child), 0);
}

TEST_F(InputTest, TransparentHitsPassToTheWindowBelow) {
  const HWND parent = Shown(WS_POPUP, RECT{100, 100, 300, 250});
  const HWND glass = Shown(WS_CHILD, RECT{0, 0, 200, 150}, kTestClass, parent);
  on_message = [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> LRESULT {
    if (hwnd == glass && message == WM_NCHITTEST) return HTTRANSPARENT;
    return kDefault;
  };
  EXPECT_EQ(WindowFromPoint(POINT{150, 150}), parent);
  InjectClick(POINT{150, 150});
  Pump();
  EXPECT_EQ(MessagesOf(parent, {WM_LBUTTONDOWN}).size(), 1u);
  EXPECT_TRUE(MessagesOf(glass, kButtons).empty());
}

TEST_F(InputTest, TheFrameGivesNonClientMessagesAndSizingCursors) {
  const HWND hwnd = Shown(WS_OVERLAPPEDWINDOW, RECT{100, 100, 300, 250});
  InjectMouseMove(POINT{299, 175});  // the right edge
  Pump();
  EXPECT_EQ(GetCursor(), LoadCursor(IDC_SIZEWE));
  const auto move = std::find_if(seen.begin(), seen.end(), [](const Seen& s) { return s.message == WM_NCMOUSEMOVE; });
  ASSERT_NE(move, seen.end());
  EXPECT_EQ(move->hwnd, hwnd);
  EXPECT_EQ(move->wParam, static_cast<WPARAM>(HTRIGHT));
  EXPECT_EQ(GET_X_LPARAM(move->lParam), 299);  // screen coordinates
  InjectMouseMove(POINT{150, 175});
  Pump();
  EXPECT_EQ(MessagesOf(hwnd, {WM_MOUSEMOVE}).size(), 1u);
}

TEST_F(InputTest, TheHostHearsOfEachCursorChangeOnce) {
  struct CursorHost : HeadlessHost {
    std::vector<HCURSOR> shown;
    void CursorChanged(HCURSOR cursor) override { shown.push_back(cursor); }
  } host;
  Shown(WS_OVERLAPPEDWINDOW, RECT{100, 100, 300, 250});
  SetCursor(nullptr);
  SetHost(&host);
  for (const POINT at : {POINT{299, 175}, POINT{299, 176}, POINT{200, 249}, POINT{201, 249}, POINT{299, 175}}) {
    InjectMouseMove(at);
    Pump();
  }
  SetHost(&GetHeadlessHost());
  // The right edge, the bottom edge, the right edge again: moves along
  // an edge say nothing.
  EXPECT_EQ(host.shown, (std::vector<HCURSOR>{LoadCursor(IDC_SIZEWE), LoadCursor(IDC_SIZENS), LoadCursor(IDC_SIZEWE)}));
}

TEST_F(InputTest, KeysGoToTheFocusWithTheirModifiers) {
  const HWND hwnd = Shown(WS_POPUP, RECT{100, 100, 300, 250});
  SetFocus(hwnd);
  bool shift_was_down = false;
  on_message = [&](HWND, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
    if (message == WM_KEYDOWN && wParam == 'A') shift_was_down = GetKeyState(static_cast<int>(VK_SHIFT)) < 0;
    return kDefault;
  };
  InjectKeyPress('A', FSHIFT);
  InjectKeyPress('F', FALT);
  Pump();
  EXPECT_TRUE(shift_was_down);
  EXPECT_EQ(MessagesOf(hwnd, {WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP}),
            (std::vector<UINT>{WM_KEYDOWN, WM_KEYDOWN, WM_KEYUP, WM_KEYUP,                    // Shift+A
                               WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSKEYUP}));  // Alt+F
  EXPECT_FALSE(GetKeyState(static_cast<int>(VK_SHIFT)) < 0);
}

TEST_F(InputTest, F10IsASystemKeyWithoutAlt) {
  const HWND hwnd = Shown(WS_POPUP, RECT{100, 100, 300, 250});
  SetFocus(hwnd);
  InjectKeyPress(VK_F10, 0);
  InjectKeyPress(VK_F1 + 8, 0);  // F9 stays an ordinary key
  Pump();
  EXPECT_EQ(MessagesOf(hwnd, {WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP}),
            (std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSKEYUP, WM_KEYDOWN, WM_KEYUP}));
}

TEST_F(InputTest, AModalSizeLoopFollowsTheMouseAndEscRestoresTheOldRectangle) {
  const HWND hwnd = Shown(WS_OVERLAPPEDWINDOW, RECT{100, 100, 300, 250});
  SetFocus(hwnd);
  std::vector<int> widths;
  bool entered = false, exited = false;
  on_message = [&](HWND target, UINT message, WPARAM, LPARAM lParam) -> LRESULT {
    if (target != hwnd) return kDefault;
    if (message == WM_SIZE) widths.push_back(LOWORD(static_cast<std::uint64_t>(lParam)));
    if (message == WM_ENTERSIZEMOVE) entered = true;
    if (message == WM_EXITSIZEMOVE) exited = true;
    return kDefault;
  };
  InjectMouseMove(POINT{299, 175});
  InjectButtonDown(POINT{299, 175});  // the right edge: SC_SIZE
  InjectMouseMove(POINT{324, 175});
  InjectMouseMove(POINT{349, 190});
  InjectKeyPress(VK_ESCAPE);
  Pump();
  EXPECT_TRUE(entered);
  EXPECT_TRUE(exited);
  RECT rect;
  GetWindowRect(hwnd, &rect);
  EXPECT_EQ(rect, (RECT{100, 100, 300, 250}));
  EXPECT_EQ(widths, (std::vector<int>{217, 242, 192}));  // client widths: grown twice, then back
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(InputTest, AModalMoveLoopEndsWithTheButtonWhereTheMouseLeftIt) {
  const HWND hwnd = Shown(WS_OVERLAPPEDWINDOW, RECT{100, 100, 300, 250});
  InjectDrag(POINT{150, 110}, POINT{190, 150});  // by the caption
  Pump();
  RECT rect;
  GetWindowRect(hwnd, &rect);
  EXPECT_EQ(rect, (RECT{140, 140, 340, 290}));
  EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
}  // namespace ui::test

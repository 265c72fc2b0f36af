#include "UiFixture.h"

namespace ui::test {
namespace {

class NonClientTest : public UiFixture {};

struct Probe {
  POINT at;  // window coordinates
  int hit;
};

struct StyleCase {
  const char* name;
  DWORD style;
  DWORD ex_style;
  bool menu;
  RECT client;  // window coordinates of a 200 x 150 window
  std::vector<Probe> probes;
};

// The frame of every style set the program creates, 200 x 150 pixels.
const std::vector<StyleCase>& Cases() {
  static const std::vector<StyleCase> cases = {
      {"caption, system menu, thick frame", WS_OVERLAPPEDWINDOW, 0, false, {4, 23, 196, 146},
       {{{0, 0}, HTTOPLEFT},      {{100, 0}, HTTOP},          {{199, 0}, HTTOPRIGHT},   {{0, 75}, HTLEFT},
        {{199, 75}, HTRIGHT},     {{0, 149}, HTBOTTOMLEFT},   {{100, 149}, HTBOTTOM},   {{199, 149}, HTBOTTOMRIGHT},
        {{2, 10}, HTTOPLEFT},     {{10, 2}, HTTOPLEFT},       {{197, 140}, HTBOTTOMRIGHT}, {{3, 100}, HTLEFT},
        {{10, 10}, HTSYSMENU},    {{100, 12}, HTCAPTION},     {{186, 12}, HTCLOSE},     {{168, 12}, HTMAXBUTTON},
        {{150, 12}, HTMINBUTTON}, {{100, 75}, HTCLIENT},      {{4, 23}, HTCLIENT},      {{195, 145}, HTCLIENT}}},
      {"caption, thick frame and menu bar", WS_OVERLAPPEDWINDOW, 0, true, {4, 42, 196, 146},
       {{{100, 30}, HTMENU}, {{100, 12}, HTCAPTION}, {{100, 42}, HTCLIENT}, {{100, 0}, HTTOP}}},
      {"dialog frame", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, false, {3, 22, 197, 147},
       {{{0, 0}, HTBORDER},
        {{100, 1}, HTBORDER},
        {{199, 149}, HTBORDER},
        {{10, 10}, HTCAPTION},  // no icon on a modal frame
        {{150, 12}, HTCAPTION},
        {{187, 12}, HTCLOSE},
        {{100, 75}, HTCLIENT}}},
      {"border", WS_POPUP | WS_BORDER, 0, false, {1, 1, 199, 149},
       {{{0, 0}, HTBORDER}, {{199, 75}, HTBORDER}, {{1, 1}, HTCLIENT}, {{100, 75}, HTCLIENT}}},
      {"client edge", WS_POPUP, WS_EX_CLIENTEDGE, false, {2, 2, 198, 148},
       {{{0, 0}, HTBORDER}, {{1, 75}, HTBORDER}, {{2, 75}, HTCLIENT}, {{198, 75}, HTBORDER}}},
      {"static edge", WS_POPUP, WS_EX_STATICEDGE, false, {1, 1, 199, 149},
       {{{0, 75}, HTBORDER}, {{1, 75}, HTCLIENT}, {{100, 149}, HTBORDER}}},
      {"tool window", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_EX_TOOLWINDOW, false, {4, 20, 196, 146},
       {{{8, 10}, HTCAPTION}, {{188, 10}, HTCLOSE}, {{2, 10}, HTTOPLEFT}, {{100, 20}, HTCLIENT}, {{199, 75}, HTRIGHT}}},
      {"scroll bars", WS_POPUP | WS_BORDER | WS_VSCROLL | WS_HSCROLL, 0, false, {1, 1, 183, 133},
       {{{190, 50}, HTVSCROLL}, {{100, 140}, HTHSCROLL}, {{190, 140}, HTNOWHERE}, {{100, 50}, HTCLIENT}}},
      {"no frame", WS_POPUP, 0, false, {0, 0, 200, 150}, {{{0, 0}, HTCLIENT}, {{199, 149}, HTCLIENT}}},
  };
  return cases;
}

HWND MakeFramed(const StyleCase& c) {
  const HWND hwnd = CreateWindowEx(c.ex_style, kTestClass, "frame", c.style, 100, 100, 200, 150, nullptr,
                                   c.menu ? CreateMenu() : nullptr, nullptr);
  return hwnd;
}

TEST_F(NonClientTest, TheClientAreaOfEachStyleSetIsWhatItsFrameLeaves) {
  for (const StyleCase& c : Cases()) {
    const HWND hwnd = MakeFramed(c);
    ASSERT_TRUE(hwnd) << c.name;
    RECT client;
    GetClientRect(hwnd, &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    EXPECT_EQ((RECT{origin.x - 100, origin.y - 100, origin.x - 100 + client.right, origin.y - 100 + client.bottom}),
              c.client)
        << c.name;
    DestroyWindow(hwnd);
  }
}

TEST_F(NonClientTest, AdjustWindowRectExAgreesWithNcCalcSize) {
  for (const StyleCase& c : Cases()) {
    const HWND hwnd = MakeFramed(c);
    ASSERT_TRUE(hwnd) << c.name;
    RECT window;
    GetWindowRect(hwnd, &window);
    RECT client = window;
    SendMessage(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
    EXPECT_EQ((RECT{client.left - window.left, client.top - window.top, client.right - window.left,
                    client.bottom - window.top}),
              c.client)
        << c.name;
    RECT adjusted = client;
    AdjustWindowRectEx(&adjusted, c.style, c.menu, c.ex_style);
    EXPECT_EQ(adjusted, window) << c.name;
    DestroyWindow(hwnd);
  }
}

TEST_F(NonClientTest, HitTestingNamesEveryEdgeCornerAndCaptionPart) {
  for (const StyleCase& c : Cases()) {
    const HWND hwnd = MakeFramed(c);
    ASSERT_TRUE(hwnd) << c.name;
    for (const Probe& probe : c.probes) {
      const LPARAM at = MAKELPARAM(static_cast<unsigned>(100 + probe.at.x), static_cast<unsigned>(100 + probe.at.y));
      EXPECT_EQ(SendMessage(hwnd, WM_NCHITTEST, 0, at), probe.hit)
          << c.name << " at " << probe.at.x << "," << probe.at.y;
    }
    EXPECT_EQ(SendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(99, 99)), HTNOWHERE) << c.name;
    DestroyWindow(hwnd);
  }
}

TEST_F(NonClientTest, AFrameChangeRecomputesTheClientAreaAndMovesTheChildren) {
  const HWND hwnd = MakeWindow(WS_POPUP, nullptr, 0, RECT{100, 100, 300, 250});
  const HWND child = MakeWindow(WS_CHILD, hwnd, 1, RECT{10, 10, 20, 20});
  RECT rect;
  GetClientRect(hwnd, &rect);
  EXPECT_EQ(rect, (RECT{0, 0, 200, 150}));
  std::vector<WINDOWPOS> changed;
  handler = [&](HWND target, UINT message, WPARAM, LPARAM lParam) -> LRESULT {
    if (target == hwnd && message == WM_WINDOWPOSCHANGED) changed.push_back(*reinterpret_cast<WINDOWPOS*>(lParam));
    return kDefault;
  };
  SetWindowLongPtr(hwnd, GWL_STYLE, WS_POPUP | WS_CAPTION | WS_THICKFRAME);
  GetClientRect(hwnd, &rect);
  EXPECT_EQ(rect, (RECT{0, 0, 200, 150}));  // nothing happens until the frame is said to change
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  GetClientRect(hwnd, &rect);
  EXPECT_EQ(rect, (RECT{0, 0, 192, 123}));
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_TRUE(changed[0].flags & SWP_NOMOVE);
  EXPECT_FALSE(changed[0].flags & SWP_NOCLIENTSIZE);
  GetWindowRect(child, &rect);
  EXPECT_EQ(rect, (RECT{114, 133, 124, 143}));
}

TEST_F(NonClientTest, WindowPosChangingMayBendTheNewPosition) {
  const HWND hwnd = MakeWindow(WS_POPUP, nullptr, 0, RECT{0, 0, 100, 100});
  std::vector<UINT> seen;
  handler = [&](HWND target, UINT message, WPARAM, LPARAM lParam) -> LRESULT {
    if (target != hwnd) return kDefault;
    if (message == WM_WINDOWPOSCHANGING) reinterpret_cast<WINDOWPOS*>(lParam)->cx = 50;  // no wider than 50
    if (message == WM_WINDOWPOSCHANGING || message == WM_WINDOWPOSCHANGED || message == WM_SIZE ||
        message == WM_MOVE)
      seen.push_back(message);
    return kDefault;
  };
  SetWindowPos(hwnd, nullptr, 10, 10, 300, 80, SWP_NOZORDER);
  RECT rect;
  GetWindowRect(hwnd, &rect);
  EXPECT_EQ(rect, (RECT{10, 10, 60, 90}));
  EXPECT_EQ(seen, (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_SIZE, WM_MOVE}));
}

TEST_F(NonClientTest, DeferredPositionsAreAppliedTogetherAndABadWindowDropsTheBatch) {
  const HWND a = MakeWindow(WS_POPUP, nullptr, 0, RECT{0, 0, 10, 10});
  const HWND b = MakeWindow(WS_POPUP, nullptr, 0, RECT{0, 0, 10, 10});
  HDWP batch = BeginDeferWindowPos(2);
  batch = DeferWindowPos(batch, a, nullptr, 5, 5, 20, 20, SWP_NOZORDER);
  batch = DeferWindowPos(batch, b, nullptr, 50, 50, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
  batch = DeferWindowPos(batch, b, nullptr, 0, 0, 30, 30, SWP_NOZORDER | SWP_NOMOVE);  // merges with the first
  RECT rect;
  GetWindowRect(a, &rect);
  EXPECT_EQ(rect, (RECT{0, 0, 10, 10}));  // nothing moves before the end
  EXPECT_TRUE(EndDeferWindowPos(batch));
  GetWindowRect(a, &rect);
  EXPECT_EQ(rect, (RECT{5, 5, 25, 25}));
  GetWindowRect(b, &rect);
  EXPECT_EQ(rect, (RECT{50, 50, 80, 80}));
  EXPECT_FALSE(EndDeferWindowPos(batch));  // used up

  HDWP spoiled = BeginDeferWindowPos(1);
  const HWND gone = MakeWindow(WS_POPUP);
  DestroyWindow(gone);
  EXPECT_EQ(DeferWindowPos(spoiled, gone, nullptr, 0, 0, 1, 1, SWP_NOZORDER), nullptr);
  EXPECT_FALSE(EndDeferWindowPos(spoiled));
}

TEST_F(NonClientTest, RegisteredMessagesAreUniquePerNameWithoutCase) {
  const UINT first = RegisterWindowMessage("BrivenTestMessage");
  EXPECT_GE(first, 0xC000u);
  EXPECT_EQ(RegisterWindowMessage("briventestmessage"), first);
  EXPECT_NE(RegisterWindowMessage("BrivenOtherMessage"), first);
  EXPECT_EQ(RegisterWindowMessage(""), 0u);
}

}  // namespace
}  // namespace ui::test

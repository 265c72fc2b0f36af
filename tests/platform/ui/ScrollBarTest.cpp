// Scroll bars: where their parts lie, what the state calls keep, and the
// requests a press on each part sends its owner.
#include <string>

#include "UiFixture.h"

#include "platform/ui/internal/ScrollBarLayout.h"

namespace ui::test {
namespace {

using internal::ScrollBarLayout;
using internal::ScrollBarState;
using Part = ScrollBarLayout::Part;

ScrollBarState State(int min, int max, UINT page, int pos) {
  ScrollBarState state;
  state.min = min;
  state.max = max;
  state.page = page;
  state.pos = pos;
  return state;
}

TEST(ScrollBarLayoutTest, TheThumbIsProportionalToThePageAndFollowsThePosition) {
  struct Case {
    RECT bar;
    ScrollBarState state;
    RECT thumb;
  } cases[] = {
      // A 200 px vertical bar: arrows of 16, a track of 168.
      {{0, 0, 16, 200}, State(0, 99, 10, 0), {0, 16, 16, 32}},      // 168 * 10 / 100 = 16
      {{0, 0, 16, 200}, State(0, 99, 10, 90), {0, 168, 16, 184}},   // the last page: the thumb at the end
      {{0, 0, 16, 200}, State(0, 99, 10, 45), {0, 92, 16, 108}},    // half way
      {{0, 0, 16, 200}, State(0, 999, 10, 0), {0, 16, 16, 24}},     // never shorter than 8
      {{0, 0, 16, 200}, State(0, 99, 0, 0), {0, 16, 16, 32}},       // no page: a square thumb
      {{0, 0, 16, 200}, State(0, 99, 100, 0), {}},                  // the page holds it all: no thumb
      {{0, 0, 16, 200}, State(-50, 49, 50, -50), {0, 16, 16, 100}},  // negative ranges
      {{0, 0, 16, 30}, State(0, 99, 10, 0), {}},                    // no room between the arrows
      {{10, 5, 110, 21}, State(0, 9, 5, 5), {60, 5, 94, 21}},       // horizontal, offset bar, at the end
  };
  for (const Case& c : cases) {
    const bool vertical = c.bar.bottom - c.bar.top > c.bar.right - c.bar.left;
    const ScrollBarLayout layout(c.bar, vertical, c.state);
    EXPECT_EQ(layout.thumb(), c.thumb) << c.state.min << ".." << c.state.max << " page " << c.state.page << " pos "
                                       << c.state.pos;
  }
}

TEST(ScrollBarLayoutTest, ABarTooShortForTwoArrowsSharesItsLength) {
  const ScrollBarLayout layout(RECT{0, 0, 16, 20}, true, State(0, 99, 10, 0));
  EXPECT_EQ(layout.first_arrow(), (RECT{0, 0, 16, 10}));
  EXPECT_EQ(layout.second_arrow(), (RECT{0, 10, 16, 20}));
  EXPECT_FALSE(layout.has_thumb());
}

TEST(ScrollBarLayoutTest, HitsAndThumbOffsetsRoundTrip) {
  const ScrollBarLayout layout(RECT{0, 0, 16, 200}, true, State(0, 99, 10, 45));
  EXPECT_EQ(layout.HitTest(POINT{8, 5}), Part::kLineUp);
  EXPECT_EQ(layout.HitTest(POINT{8, 50}), Part::kPageUp);
  EXPECT_EQ(layout.HitTest(POINT{8, 100}), Part::kThumb);
  EXPECT_EQ(layout.HitTest(POINT{8, 150}), Part::kPageDown);
  EXPECT_EQ(layout.HitTest(POINT{8, 195}), Part::kLineDown);
  EXPECT_EQ(layout.HitTest(POINT{20, 100}), Part::kNone);
  for (int pos = 0; pos <= 90; ++pos) {
    const ScrollBarLayout at(RECT{0, 0, 16, 200}, true, State(0, 99, 10, pos));
    EXPECT_EQ(at.PositionForThumbOffset(at.ThumbOffset()), pos);
  }
  EXPECT_EQ(layout.PositionForThumbOffset(-40), 0);
  EXPECT_EQ(layout.PositionForThumbOffset(1000), 90);
}

class ScrollBarTest : public UiFixture {
 protected:
  void SetUp() override {
    UiFixture::SetUp();
    handler = [this](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
      if (message == WM_VSCROLL || message == WM_HSCROLL) {
        requests.push_back(Request{hwnd, message, LOWORD(wParam), HIWORD(wParam), lParam});
        if (on_request) on_request();
        return 0;
      }
      return kDefault;
    };
  }

  // A 200 x 200 window without a frame at (100, 100): its vertical bar
  // is the strip x 284..300 on screen.
  HWND Scrolling(int max, UINT page) {
    const HWND hwnd = CreateWindowEx(0, kTestClass, "scroll", WS_POPUP | WS_VISIBLE | WS_VSCROLL, 100, 100, 200, 200,
                                     nullptr, nullptr, nullptr);
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = max;
    info.nPage = page;
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
    return hwnd;
  }

  void Pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  }

  struct Request {
    HWND hwnd;
    UINT message;
    unsigned code;
    unsigned pos;
    LPARAM lParam;
    bool operator==(const Request&) const = default;
  };
  std::vector<unsigned> Codes() const {
    std::vector<unsigned> out;
    for (const Request& r : requests) out.push_back(r.code);
    return out;
  }
  std::vector<Request> requests;
  std::function<void()> on_request;
};

TEST_F(ScrollBarTest, TheStateIsClampedAndABarWithNothingToScrollGoes) {
  const HWND hwnd = Scrolling(99, 10);
  RECT client;
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, 184);
  EXPECT_EQ(SetScrollPos(hwnd, SB_VERT, 500, TRUE), 0);  // the old position
  EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 90);             // the last page
  SCROLLINFO info;
  info.fMask = SIF_PAGE;
  info.nPage = 1000;  // more than the range: cut to it
  EXPECT_EQ(SetScrollInfo(hwnd, SB_VERT, &info, TRUE), 0);
  info.fMask = SIF_ALL;
  GetScrollInfo(hwnd, SB_VERT, &info);
  EXPECT_EQ(info.nPage, 100u);
  EXPECT_FALSE(GetWindowLongPtr(hwnd, GWL_STYLE) & WS_VSCROLL);
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, 200);  // the bar's width went back to the client area
  info.fMask = SIF_PAGE | SIF_DISABLENOSCROLL;
  info.nPage = 100;
  SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
  EXPECT_TRUE(GetWindowLongPtr(hwnd, GWL_STYLE) & WS_VSCROLL);  // kept, disabled
  info.fMask = SIF_PAGE;
  info.nPage = 10;
  SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
  EXPECT_TRUE(GetWindowLongPtr(hwnd, GWL_STYLE) & WS_VSCROLL);
}

TEST_F(ScrollBarTest, EachPartSendsItsRequestAndTheEndOfScrolling) {
  const HWND hwnd = Scrolling(99, 10);  // the thumb at y 116..132
  struct Case {
    POINT at;
    std::vector<unsigned> codes;
  } cases[] = {
      {{292, 290}, {SB_LINEDOWN, SB_ENDSCROLL}},
      {{292, 105}, {SB_LINEUP, SB_ENDSCROLL}},
      {{292, 200}, {SB_PAGEDOWN, SB_ENDSCROLL}},
      {{250, 200}, {}},  // the client area
  };
  for (const Case& c : cases) {
    requests.clear();
    InjectClick(c.at);
    Pump();
    EXPECT_EQ(Codes(), c.codes) << c.at.x << "," << c.at.y;
  }
  EXPECT_EQ(GetCapture(), nullptr);
  for (const Request& r : requests) EXPECT_EQ(r.hwnd, hwnd);
}

TEST_F(ScrollBarTest, AHeldArrowRepeatsAfterAPauseUntilReleased) {
  Scrolling(99, 10);
  const std::int64_t start = clock.NowMs();
  std::int64_t released_at = 0;
  on_request = [&] {
    if (requests.size() == 3) {
      released_at = clock.NowMs();
      InjectButtonUp(POINT{292, 290});
    }
  };
  InjectMouseMove(POINT{292, 290});
  InjectButtonDown(POINT{292, 290});
  Pump();
  EXPECT_EQ(Codes(), (std::vector<unsigned>{SB_LINEDOWN, SB_LINEDOWN, SB_LINEDOWN, SB_ENDSCROLL}));
  EXPECT_EQ(released_at - start, 400 + 50);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ScrollBarTest, TheThumbTracksTheMouseAndLandsWhereReleased) {
  const HWND hwnd = Scrolling(99, 10);
  InjectDrag(POINT{292, 120}, POINT{292, 196});  // 76 px of the 152 the thumb can travel
  Pump();
  std::vector<std::pair<unsigned, unsigned>> got;
  for (const Request& r : requests) got.emplace_back(r.code, r.pos);
  EXPECT_EQ(got, (std::vector<std::pair<unsigned, unsigned>>{{SB_THUMBTRACK, 11},
                                                             {SB_THUMBTRACK, 23},
                                                             {SB_THUMBTRACK, 34},
                                                             {SB_THUMBTRACK, 45},
                                                             {SB_THUMBPOSITION, 45},
                                                             {SB_ENDSCROLL, 0}}));
  SCROLLINFO info;
  info.fMask = SIF_POS | SIF_TRACKPOS;
  GetScrollInfo(hwnd, SB_VERT, &info);
  EXPECT_EQ(info.nPos, 0);  // the owner moves the position, not the bar
  EXPECT_EQ(info.nTrackPos, 0);
}

TEST_F(ScrollBarTest, TheControlTellsItsParentWhoItIs) {
  const HWND parent = MakeWindow(WS_POPUP | WS_VISIBLE, nullptr, 0, RECT{0, 0, 300, 100});
  const HWND bar = CreateWindowEx(0, "ScrollBar", "", WS_CHILD | WS_VISIBLE | SBS_HORZ, 10, 10, 200, 16, parent,
                                  reinterpret_cast<HMENU>(7), nullptr);
  SendMessage(bar, SBM_SETRANGE, 0, 20);
  EXPECT_EQ(SendMessage(bar, SBM_SETPOS, 30, TRUE), 0);
  EXPECT_EQ(SendMessage(bar, SBM_GETPOS, 0, 0), 20);  // no page: the position runs to the maximum
  InjectClick(POINT{205, 18});                         // the right arrow
  Pump();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0], (Request{parent, WM_HSCROLL, SB_LINERIGHT, 0, reinterpret_cast<LPARAM>(bar)}));
}


TEST_F(ScrollBarTest, AListsBarsFollowItsItemsTopRowAndExtent) {
  const HWND parent = MakeWindow(WS_POPUP | WS_VISIBLE, nullptr, 0, RECT{0, 0, 300, 200});
  const auto list_of = [&](DWORD style, int items) {
    const HWND list = CreateWindowEx(0, "ListBox", "", WS_CHILD | WS_VISIBLE | style, 0, 0, 200, 107, parent,
                                     nullptr, nullptr);
    for (int i = 0; i < items; ++i)
      SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(("item " + std::to_string(i)).c_str()));
    return list;
  };
  const auto info_of = [](HWND list, int bar) {
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    GetScrollInfo(list, bar, &info);
    return info;
  };
  const HWND few = list_of(WS_VSCROLL, 5);
  EXPECT_FALSE(GetWindowLongPtr(few, GWL_STYLE) & WS_VSCROLL);  // all in view: no bar
  const HWND kept = list_of(WS_VSCROLL | LBS_DISABLENOSCROLL, 5);
  EXPECT_TRUE(GetWindowLongPtr(kept, GWL_STYLE) & WS_VSCROLL);
  const HWND list = list_of(WS_VSCROLL | WS_HSCROLL, 100);
  const int rows = 107 / 13;  // no horizontal bar until the extent needs one
  EXPECT_EQ(info_of(list, SB_VERT).nMax, 99);
  EXPECT_EQ(info_of(list, SB_VERT).nPage, static_cast<UINT>(rows));
  struct Step {
    UINT message;
    WPARAM wParam;
    int top;
  } steps[] = {
      {WM_VSCROLL, SB_LINEDOWN, 1},
      {WM_VSCROLL, SB_PAGEDOWN, rows},
      {WM_VSCROLL, SB_BOTTOM, 100 - rows},
      {WM_VSCROLL, SB_LINEDOWN, 100 - rows},
      {WM_VSCROLL, SB_TOP, 0},
  };
  for (const Step& step : steps) {
    SendMessage(list, step.message, step.wParam, 0);
    EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), step.top) << step.wParam;
    EXPECT_EQ(info_of(list, SB_VERT).nPos, step.top);
  }
  SetFocus(list);
  InjectKeyPress(VK_END);
  Pump();
  EXPECT_EQ(info_of(list, SB_VERT).nPos, 100 - rows);  // the caret's row brought into view moves the bar
  SendMessage(list, LB_SETHORIZONTALEXTENT, 500, 0);
  EXPECT_EQ(SendMessage(list, LB_GETHORIZONTALEXTENT, 0, 0), 500);
  EXPECT_EQ(info_of(list, SB_HORZ).nMax, 499);
  SendMessage(list, WM_HSCROLL, SB_PAGERIGHT, 0);
  EXPECT_EQ(info_of(list, SB_HORZ).nPos, 184);  // a page is the client width
  SendMessage(list, WM_HSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(info_of(list, SB_HORZ).nPos, 500 - 184);
}

}  // namespace
}  // namespace ui::test

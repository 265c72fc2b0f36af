// The tooltip control on the virtual clock: the initial, autopop and
// reshow delays as a script of mouse moves, clicks and clock steps, the
// text a tool's window supplies on request, and the popup's place and
// colours.
#include <cairo.h>

#include <string>
#include <vector>

#include "UiFixture.h"

namespace ui::test {
namespace {

constexpr UINT_PTR kConvertTool = 1, kStopTool = 2;

class TooltipTest : public UiFixture {
 protected:
  void SetUp() override {
    UiFixture::SetUp();
    handler = [this](HWND, UINT message, WPARAM, LPARAM lParam) -> LRESULT {
      if (message != WM_NOTIFY) return kDefault;
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->code == TTN_NEEDTEXT) {
        ++text_requests;
        auto* info = reinterpret_cast<NMTTDISPINFO*>(lParam);
        info->lpszText = const_cast<char*>(stop_text.c_str());
      }
      if (header->code == TTN_SHOW) events.push_back("show " + std::to_string(header->idFrom));
      if (header->code == TTN_POP) events.push_back("pop " + std::to_string(header->idFrom));
      return 0;
    };
    frame = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, 0, RECT{100, 100, 400, 300});
    tip = CreateWindowEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, "", WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, frame, nullptr,
                         nullptr);
    ASSERT_TRUE(tip);
    AddTool(kConvertTool, RECT{0, 0, 50, 30}, const_cast<char*>("Begin conversion"));
    AddTool(kStopTool, RECT{60, 0, 110, 30}, LPSTR_TEXTCALLBACK);
    SendMessage(tip, TTM_SETDELAYTIME, TTDT_AUTOMATIC, 500);
  }
  void AddTool(UINT_PTR id, RECT rect, char* text) {
    TOOLINFO info;
    info.uFlags = TTF_SUBCLASS;
    info.hwnd = frame;
    info.uId = id;
    info.rect = rect;
    info.lpszText = text;
    ASSERT_TRUE(SendMessage(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&info)));
  }
  void Pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
  POINT OnScreen(POINT client) const {
    ClientToScreen(frame, &client);
    return client;
  }
  std::string Shown() const { return events.empty() ? "" : events.back(); }

  HWND frame = nullptr;
  HWND tip = nullptr;
  std::string stop_text = "Stop conversion";
  int text_requests = 0;
  std::vector<std::string> events;
};

TEST_F(TooltipTest, DelaysShowPopAndReshowTipsAsTheMouseRestsAndMoves) {
  EXPECT_EQ(SendMessage(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 500);
  EXPECT_EQ(SendMessage(tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 5000);
  EXPECT_EQ(SendMessage(tip, TTM_GETDELAYTIME, TTDT_RESHOW, 0), 100);
  enum Act { kMove, kWait, kClick, kPop, kDeactivate };
  struct Step {
    const char* what;
    Act act;
    POINT at;    // client point of the frame for moves and clicks
    int ms;      // clock step for waits
    bool visible;
    const char* last_event;
  };
  const POINT convert{20, 10}, convert_too{30, 20}, stop{80, 10}, outside{200, 100};
  const std::vector<Step> steps = {
      {"resting on a tool shows nothing at first", kMove, convert, 0, false, ""},
      {"not before the initial delay", kWait, {}, 499, false, ""},
      {"the initial delay shows the tip", kWait, {}, 1, true, "show 1"},
      {"it stays until the autopop delay", kWait, {}, 4999, true, "show 1"},
      {"the autopop delay takes it away", kWait, {}, 1, false, "pop 1"},
      {"and it does not come back on the same tool", kWait, {}, 2000, false, "pop 1"},
      {"moving within the tool changes nothing", kMove, convert_too, 0, false, "pop 1"},
      {"another tool starts over", kMove, stop, 0, false, "pop 1"},
      {"with the initial delay again", kWait, {}, 500, true, "show 2"},
      {"moving to a tool while a tip is up hides it at once", kMove, convert, 0, false, "pop 2"},
      {"the next tip waits only the reshow delay", kWait, {}, 100, true, "show 1"},
      {"a click puts it away", kClick, convert, 0, false, "pop 1"},
      {"for as long as the mouse stays on the tool", kWait, {}, 1000, false, "pop 1"},
      {"leaving all tools", kMove, outside, 0, false, "pop 1"},
      {"shows nothing however long", kWait, {}, 1000, false, "pop 1"},
      {"back on a tool after a while", kMove, stop, 0, false, "pop 1"},
      {"waits the initial delay", kWait, {}, 500, true, "show 2"},
      {"TTM_POP hides the tip", kPop, {}, 0, false, "pop 2"},
      {"deactivated, the control", kDeactivate, {}, 0, false, "pop 2"},
      {"shows nothing on any tool", kMove, convert, 0, false, "pop 2"},
      {"however long", kWait, {}, 1000, false, "pop 2"},
  };
  for (const Step& step : steps) {
    switch (step.act) {
      case kMove: InjectMouseMove(OnScreen(step.at)); break;
      case kWait: clock.Advance(step.ms); break;
      case kClick: InjectClick(OnScreen(step.at)); break;
      case kPop: SendMessage(tip, TTM_POP, 0, 0); break;
      case kDeactivate: SendMessage(tip, TTM_ACTIVATE, FALSE, 0); break;
    }
    Pump();
    EXPECT_EQ(IsWindowVisible(tip) != FALSE, step.visible) << step.what;
    EXPECT_EQ(Shown(), step.last_event) << step.what;
  }
  // The callback tool's text was asked for each time its tip showed.
  EXPECT_EQ(text_requests, 2);
}

TEST_F(TooltipTest, TextsAreSetUpdatedReadAndAskedFor) {
  struct Case {
    const char* what;
    UINT_PTR id;
    const char* update;  // new text, or nullptr to keep
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"a tool's own text", kConvertTool, nullptr, "Begin conversion"},
      {"an updated text", kConvertTool, "Begin Conversion (Ctrl+C)", "Begin Conversion (Ctrl+C)"},
      {"a callback tool asks its window", kStopTool, nullptr, "Stop conversion"},
      {"a callback tool may change to a fixed text", kStopTool, "Stop", "Stop"},
  };
  for (const Case& c : cases) {
    TOOLINFO info;
    info.hwnd = frame;
    info.uId = c.id;
    if (c.update) {
      info.lpszText = const_cast<char*>(c.update);
      SendMessage(tip, TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&info));
    }
    char buffer[80] = "unchanged";
    info.lpszText = buffer;
    SendMessage(tip, TTM_GETTEXT, sizeof(buffer), reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(std::string(buffer), c.expected) << c.what;
  }
  EXPECT_EQ(SendMessage(tip, TTM_GETTOOLCOUNT, 0, 0), 2);
  TOOLINFO gone;
  gone.hwnd = frame;
  gone.uId = kStopTool;
  SendMessage(tip, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&gone));
  EXPECT_EQ(SendMessage(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
  // A deleted tool shows nothing.
  InjectMouseMove(OnScreen(POINT{80, 10}));
  Pump();
  clock.Advance(1000);
  Pump();
  EXPECT_FALSE(IsWindowVisible(tip));
}

TEST_F(TooltipTest, RelayedMouseMessagesWorkWithoutSubclassing) {
  const HWND tip2 = CreateWindowEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, "", WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, frame,
                                   nullptr, nullptr);
  TOOLINFO info;
  info.hwnd = frame;
  info.uId = 9;
  info.rect = RECT{0, 40, 100, 60};
  info.lpszText = const_cast<char*>("Relayed");
  SendMessage(tip2, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&info));
  SendMessage(tip2, TTM_SETDELAYTIME, TTDT_INITIAL, 300);
  MSG msg;
  msg.hwnd = frame;
  msg.message = WM_MOUSEMOVE;
  msg.lParam = MAKELPARAM(10, 50);
  SendMessage(tip2, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
  clock.Advance(299);
  Pump();
  EXPECT_FALSE(IsWindowVisible(tip2));
  clock.Advance(1);
  Pump();
  EXPECT_TRUE(IsWindowVisible(tip2));
  EXPECT_EQ(events.back(), "show 9");
  DestroyWindow(tip2);
}

TEST_F(TooltipTest, TheTipIsATopmostPopupBelowThePointerInTheInfoColours) {
  const POINT pointer = OnScreen(POINT{20, 10});
  InjectMouseMove(pointer);
  Pump();
  clock.Advance(500);
  Pump();
  ASSERT_TRUE(IsWindowVisible(tip));
  RECT rect;
  GetWindowRect(tip, &rect);
  EXPECT_EQ(rect.left, pointer.x);
  EXPECT_EQ(rect.top, pointer.y + 20);
  EXPECT_GT(rect.right - rect.left, 40);  // room for "Begin conversion"
  EXPECT_TRUE(GetWindowLongPtr(tip, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_NE(GetActiveWindow(), tip);  // showing a tip never takes the activation
  cairo_surface_t* buffer = GetBackBuffer(tip);
  ASSERT_TRUE(buffer);
  cairo_surface_flush(buffer);
  const auto at = [&](int x, int y) {
    const unsigned char* row = cairo_image_surface_get_data(buffer) + y * cairo_image_surface_get_stride(buffer);
    const std::uint32_t pixel = reinterpret_cast<const std::uint32_t*>(row)[x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
  };
  EXPECT_EQ(at(0, 0), GetSysColor(COLOR_INFOTEXT));  // the one-pixel border
  EXPECT_EQ(at(1, 1), GetSysColor(COLOR_INFOBK));
  EXPECT_EQ(at(rect.right - rect.left - 2, 1), GetSysColor(COLOR_INFOBK));
  const std::string path = std::string(BRIVEN_TEST_BINARY_DIR) + "/tooltip_screen.png";
  EXPECT_TRUE(GetHeadlessHost().DumpScreenPng(path));
}

}  // namespace
}  // namespace ui::test

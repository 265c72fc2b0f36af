// The multi-line edit as the conversion log uses it: text appended at the
// end up to 40,000 characters, kept in view, scrolled by its own bars,
// the wheel and the line keys.
#include <string>

#include "UiFixture.h"
#include "platform/ui/HeadlessInput.h"

namespace ui::test {
namespace {

constexpr DWORD kLogStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY |
                            ES_AUTOVSCROLL | ES_AUTOHSCROLL;

class MultiLineEditTest : public UiFixture {
 protected:
  void SetUp() override {
    UiFixture::SetUp();
    parent = MakeWindow(WS_POPUP | WS_VISIBLE, nullptr, 0, RECT{0, 0, 400, 300});
    edit = CreateWindowEx(0, "Edit", "", kLogStyle, 0, 0, 300, 200, parent, reinterpret_cast<HMENU>(101), nullptr);
    SendMessage(edit, EM_LIMITTEXT, 40000, 0);
  }
  void Append(const std::string& text) {
    const LRESULT length = SendMessage(edit, WM_GETTEXTLENGTH, 0, 0);
    SendMessage(edit, EM_SETSEL, static_cast<WPARAM>(length), length);
    SendMessage(edit, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessage(edit, EM_SCROLLCARET, 0, 0);
  }
  int First() const { return static_cast<int>(SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0)); }
  SCROLLINFO Bar(int bar) const {
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    GetScrollInfo(edit, bar, &info);
    return info;
  }
  void Pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
  HWND parent = nullptr;
  HWND edit = nullptr;
};

TEST_F(MultiLineEditTest, FortyThousandCharactersAppendedStayInViewAtTheEnd) {
  const std::string line = std::string(78, 'x') + "\r\n";  // 80 characters a line
  for (int i = 0; i < 500; ++i) Append(line);
  EXPECT_EQ(SendMessage(edit, WM_GETTEXTLENGTH, 0, 0), 40000);
  Append("more");  // past the limit: nothing goes in
  EXPECT_EQ(SendMessage(edit, WM_GETTEXTLENGTH, 0, 0), 40000);
  EXPECT_EQ(SendMessage(edit, EM_GETLINECOUNT, 0, 0), 501);  // the empty line after the last break
  const SCROLLINFO vertical = Bar(SB_VERT);
  EXPECT_EQ(vertical.nMax, 500);
  ASSERT_GT(vertical.nPage, 1u);
  EXPECT_EQ(First(), 501 - static_cast<int>(vertical.nPage));  // the last line at the bottom
  EXPECT_EQ(vertical.nPos, First());
  const SCROLLINFO horizontal = Bar(SB_HORZ);
  EXPECT_GT(horizontal.nMax, static_cast<int>(horizontal.nPage));  // 78 characters do not fit in 300 px
}

TEST_F(MultiLineEditTest, ScrollRequestsMoveByLinesAndPagesWithinTheText) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "line " + std::to_string(i) + "\r\n";
  SetWindowText(edit, text.c_str());
  const int page = static_cast<int>(Bar(SB_VERT).nPage);
  const int last_first = 101 - page;
  struct Step {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    int first;
  } steps[] = {
      {WM_VSCROLL, SB_LINEDOWN, 0, 1},
      {WM_VSCROLL, SB_PAGEDOWN, 0, 1 + page},
      {WM_VSCROLL, SB_LINEUP, 0, page},
      {WM_VSCROLL, SB_BOTTOM, 0, last_first},
      {WM_VSCROLL, SB_LINEDOWN, 0, last_first},  // no further than the last page
      {EM_LINESCROLL, 0, -5, last_first - 5},
      {WM_VSCROLL, SB_TOP, 0, 0},
      {WM_VSCROLL, SB_LINEUP, 0, 0},
      {EM_LINESCROLL, 0, 1000, last_first},
  };
  for (const Step& step : steps) {
    SendMessage(edit, step.message, step.wParam, step.lParam);
    EXPECT_EQ(First(), step.first) << step.message << " " << step.wParam << " " << step.lParam;
    EXPECT_EQ(Bar(SB_VERT).nPos, step.first);
  }
}

TEST_F(MultiLineEditTest, ItsOwnBarAndTheWheelScrollIt) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "line " + std::to_string(i) + "\r\n";
  SetWindowText(edit, text.c_str());
  SetFocus(edit);
  RECT window;
  GetWindowRect(edit, &window);
  // The down arrow sits above the corner square where the two bars meet.
  InjectClick(POINT{window.right - 8, window.bottom - 16 - 8});
  Pump();
  EXPECT_EQ(First(), 1);
  InjectWheel(POINT{window.left + 50, window.top + 50}, -WHEEL_DELTA);
  Pump();
  EXPECT_EQ(First(), 4);  // three lines a notch
}

TEST_F(MultiLineEditTest, LineKeysKeepTheColumnAndBringTheCaretIntoView) {
  SetWindowText(edit, "abcdef\r\nab\r\nabcdefgh");
  SetFocus(edit);
  SendMessage(edit, EM_SETSEL, 4, 4);
  struct Step {
    WPARAM key;
    BYTE modifiers;
    DWORD caret;
  } steps[] = {
      {VK_DOWN, 0, 10},          // "ab" is shorter: its end
      {VK_DOWN, 0, 14},          // back to column 2 of the longer line
      {VK_HOME, 0, 12},
      {VK_END, 0, 20},
      {VK_HOME, FCONTROL, 0},
      {VK_END, FCONTROL, 20},
      {VK_UP, 0, 10},
  };
  for (const Step& step : steps) {
    InjectKeyPress(step.key, step.modifiers);
    Pump();
    DWORD start = 0, end = 0;
    SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end, step.caret) << step.key;
  }
}

}  // namespace
}  // namespace ui::test

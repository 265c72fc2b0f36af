// The toolbar control: buttons added, inserted and deleted, where they lie
// (rows broken by the wrap state, hidden buttons taking no room), their
// states, images and strings, and what a click tells the parent.
#include <string>
#include <vector>

#include "UiFixture.h"
#include "platform/ui/HeadlessHost.h"
#include "platform/ui/HeadlessInput.h"

namespace ui::test {
namespace {

TBBUTTON Button(int image, int id, BYTE style = TBSTYLE_BUTTON, BYTE state = TBSTATE_ENABLED) {
  TBBUTTON button;
  button.iBitmap = image;
  button.idCommand = id;
  button.fsState = state;
  button.fsStyle = style;
  return button;
}

TBBUTTON Separator(int width) { return Button(width, 0, TBSTYLE_SEP, 0); }

class ToolbarControlTest : public UiFixture {
 protected:
  void SetUp() override {
    UiFixture::SetUp();
    handler = [this](HWND, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
      if (message == WM_COMMAND) commands.push_back(static_cast<int>(LOWORD(static_cast<DWORD>(wParam))));
      return kDefault;
    };
    parent = MakeWindow(WS_POPUP | WS_VISIBLE, nullptr, 0, RECT{20, 20, 420, 220});
    bar = CreateWindowEx(0, "ToolbarWindow32", "", WS_CHILD | WS_VISIBLE | CCS_NODIVIDER | CCS_NORESIZE, 0, 0, 300,
                         60, parent, reinterpret_cast<HMENU>(59392), nullptr);
    const TBBUTTON buttons[] = {Button(0, 100), Button(1, 101), Separator(6), Button(2, 102, TBSTYLE_CHECK)};
    SendMessage(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    EXPECT_TRUE(SendMessage(bar, TB_ADDBUTTONS, 4, reinterpret_cast<LPARAM>(buttons)));
  }
  RECT Item(int index) {
    RECT rect{-1, -1, -1, -1};
    EXPECT_TRUE(SendMessage(bar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect)));
    return rect;
  }
  POINT OnScreen(int index) {
    const RECT rect = Item(index);
    POINT at{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(bar, &at);
    return at;
  }
  static void Pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  }
  LRESULT State(int id) { return SendMessage(bar, TB_GETSTATE, static_cast<WPARAM>(id), 0); }
  HWND parent = nullptr;
  HWND bar = nullptr;
  std::vector<int> commands;
};

TEST_F(ToolbarControlTest, ButtonsLieSideBySideAndRowsBreakAfterAWrap) {
  EXPECT_EQ(SendMessage(bar, TB_BUTTONCOUNT, 0, 0), 4);
  EXPECT_EQ(Item(0), (RECT{0, 0, 23, 22}));
  EXPECT_EQ(Item(1), (RECT{23, 0, 46, 22}));
  EXPECT_EQ(Item(2), (RECT{46, 0, 52, 22}));  // the separator's own width
  EXPECT_EQ(Item(3), (RECT{52, 0, 75, 22}));
  // Id 0 names the first separator: ending a row, it is a gap of two
  // thirds of its width under the row.
  ASSERT_TRUE(SendMessage(bar, TB_SETSTATE, 0, MAKELPARAM(TBSTATE_WRAP, 0)));
  ASSERT_TRUE(SendMessage(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(30, 28)));
  EXPECT_EQ(Item(1), (RECT{30, 0, 60, 28}));
  EXPECT_EQ(Item(2), (RECT{0, 28, 60, 32}));
  EXPECT_EQ(Item(3), (RECT{0, 32, 30, 60}));
  const LRESULT size = SendMessage(bar, TB_GETBUTTONSIZE, 0, 0);
  EXPECT_EQ(LOWORD(static_cast<DWORD>(size)), 30);
  EXPECT_EQ(HIWORD(static_cast<DWORD>(size)), 28);
}

TEST_F(ToolbarControlTest, TheWrapStateStartsANewRowAndHiddenButtonsTakeNoRoom) {
  TBBUTTON first;
  ASSERT_TRUE(SendMessage(bar, TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&first)));
  EXPECT_EQ(first.idCommand, 100);
  ASSERT_TRUE(SendMessage(bar, TB_SETSTATE, 100, MAKELPARAM(TBSTATE_ENABLED | TBSTATE_WRAP, 0)));
  EXPECT_EQ(Item(1), (RECT{0, 22, 23, 44}));
  ASSERT_TRUE(SendMessage(bar, TB_HIDEBUTTON, 101, TRUE));
  RECT hidden;
  EXPECT_FALSE(SendMessage(bar, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&hidden)));
  EXPECT_EQ(Item(2), (RECT{0, 22, 6, 44}));
  EXPECT_FALSE(SendMessage(bar, TB_GETITEMRECT, 4, reinterpret_cast<LPARAM>(&hidden)));
  EXPECT_FALSE(SendMessage(bar, TB_GETBUTTON, 4, reinterpret_cast<LPARAM>(&first)));
}

TEST_F(ToolbarControlTest, InsertAndDeleteKeepTheOrder) {
  const TBBUTTON inserted = Button(3, 200);
  ASSERT_TRUE(SendMessage(bar, TB_INSERTBUTTON, 1, reinterpret_cast<LPARAM>(&inserted)));
  EXPECT_EQ(SendMessage(bar, TB_COMMANDTOINDEX, 200, 0), 1);
  EXPECT_EQ(SendMessage(bar, TB_COMMANDTOINDEX, 101, 0), 2);
  ASSERT_TRUE(SendMessage(bar, TB_DELETEBUTTON, 0, 0));
  EXPECT_EQ(SendMessage(bar, TB_COMMANDTOINDEX, 200, 0), 0);
  EXPECT_EQ(SendMessage(bar, TB_COMMANDTOINDEX, 100, 0), -1);
  EXPECT_FALSE(SendMessage(bar, TB_DELETEBUTTON, 9, 0));
  EXPECT_EQ(SendMessage(bar, TB_BUTTONCOUNT, 0, 0), 4);
}

TEST_F(ToolbarControlTest, StatesAreSetAndReadByCommand) {
  struct Case {
    UINT message;
    BYTE bit;
  };
  const Case cases[] = {{TB_CHECKBUTTON, TBSTATE_CHECKED},
                        {TB_PRESSBUTTON, TBSTATE_PRESSED},
                        {TB_HIDEBUTTON, TBSTATE_HIDDEN},
                        {TB_ENABLEBUTTON, TBSTATE_ENABLED}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    const bool was = (State(101) & c.bit) != 0;
    ASSERT_TRUE(SendMessage(bar, c.message, 101, was ? FALSE : TRUE));
    EXPECT_EQ((State(101) & c.bit) != 0, !was);
    ASSERT_TRUE(SendMessage(bar, c.message, 101, was ? TRUE : FALSE));
    EXPECT_EQ((State(101) & c.bit) != 0, was);
  }
  EXPECT_EQ(State(999), -1);
  EXPECT_FALSE(SendMessage(bar, TB_SETSTATE, 999, TBSTATE_ENABLED));
  EXPECT_TRUE(SendMessage(bar, TB_ISBUTTONENABLED, 100, 0));
  EXPECT_FALSE(SendMessage(bar, TB_ISBUTTONCHECKED, 100, 0));
}

TEST_F(ToolbarControlTest, BitmapsNumberTheirImagesOneAfterAnother) {
  HBITMAP four = CreateBitmap(64, 15, 1, 32, nullptr);
  HBITMAP two = CreateBitmap(32, 15, 1, 32, nullptr);
  TBADDBITMAP add{nullptr, reinterpret_cast<UINT_PTR>(four)};
  EXPECT_EQ(SendMessage(bar, TB_ADDBITMAP, 4, reinterpret_cast<LPARAM>(&add)), 0);
  add.nID = reinterpret_cast<UINT_PTR>(two);
  EXPECT_EQ(SendMessage(bar, TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&add)), 4);  // 0: counted from the width
  add.nID = reinterpret_cast<UINT_PTR>(four);
  EXPECT_EQ(SendMessage(bar, TB_ADDBITMAP, 4, reinterpret_cast<LPARAM>(&add)), 6);
  TBREPLACEBITMAP replace{nullptr, reinterpret_cast<UINT_PTR>(two), nullptr, reinterpret_cast<UINT_PTR>(four), 4};
  EXPECT_TRUE(SendMessage(bar, TB_REPLACEBITMAP, 0, reinterpret_cast<LPARAM>(&replace)));
  EXPECT_FALSE(SendMessage(bar, TB_REPLACEBITMAP, 0, reinterpret_cast<LPARAM>(&replace)));  // two is gone
  TBADDBITMAP none{nullptr, 0};
  EXPECT_EQ(SendMessage(bar, TB_ADDBITMAP, 1, reinterpret_cast<LPARAM>(&none)), -1);
  DestroyWindow(bar);  // the caller's bitmaps stay the caller's
  EXPECT_EQ(GetObjectType(four), static_cast<DWORD>(OBJ_BITMAP));
  DeleteObject(four);
  DeleteObject(two);
}

TEST_F(ToolbarControlTest, StringsAreAddedAsAListAndReadThroughTheirButton) {
  EXPECT_EQ(SendMessage(bar, TB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Open\0Save\0")), 0);
  EXPECT_EQ(SendMessage(bar, TB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Print\0")), 2);
  TBBUTTON button = Button(0, 300);
  button.iString = 2;
  SendMessage(bar, TB_ADDBUTTONS, 1, reinterpret_cast<LPARAM>(&button));
  char text[16] = {};
  EXPECT_EQ(SendMessage(bar, TB_GETBUTTONTEXT, 300, reinterpret_cast<LPARAM>(text)), 5);
  EXPECT_STREQ(text, "Print");
  EXPECT_EQ(SendMessage(bar, TB_GETBUTTONTEXT, 100, reinterpret_cast<LPARAM>(text)), -1);
}

TEST_F(ToolbarControlTest, AClickSendsTheCommandAndACheckButtonLatches) {
  InjectClick(OnScreen(1));
  Pump();
  EXPECT_EQ(commands, std::vector<int>{101});
  InjectClick(OnScreen(3));
  Pump();
  EXPECT_TRUE(State(102) & TBSTATE_CHECKED);
  InjectClick(OnScreen(3));
  Pump();
  EXPECT_FALSE(State(102) & TBSTATE_CHECKED);
  EXPECT_EQ(commands, (std::vector<int>{101, 102, 102}));
  // Released elsewhere, disabled, or a separator: nothing.
  InjectDrag(OnScreen(0), OnScreen(1));
  SendMessage(bar, TB_ENABLEBUTTON, 101, FALSE);
  InjectClick(OnScreen(1));
  InjectClick(OnScreen(2));
  Pump();
  EXPECT_EQ(commands.size(), 3u);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ToolbarControlTest, TheCommandGoesToTheWindowSetAsParent) {
  const HWND other = MakeWindow(WS_POPUP, nullptr, 0, RECT{0, 0, 10, 10});
  std::vector<HWND> told;
  handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> LRESULT {
    if (message == WM_COMMAND) told.push_back(hwnd);
    return kDefault;
  };
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessage(bar, TB_SETPARENT, reinterpret_cast<WPARAM>(other), 0)), parent);
  InjectClick(OnScreen(0));
  Pump();
  EXPECT_EQ(told, std::vector<HWND>{other});
}

TEST_F(ToolbarControlTest, AGroupKeepsOneButtonChecked) {
  const TBBUTTON group[] = {Button(0, 400, TBSTYLE_CHECKGROUP), Button(1, 401, TBSTYLE_CHECKGROUP)};
  SendMessage(bar, TB_ADDBUTTONS, 2, reinterpret_cast<LPARAM>(group));
  for (const int index : {4, 5, 5}) {
    InjectClick(OnScreen(index));
    Pump();
  }
  EXPECT_FALSE(State(400) & TBSTATE_CHECKED);
  EXPECT_TRUE(State(401) & TBSTATE_CHECKED);
}

}  // namespace
}  // namespace ui::test

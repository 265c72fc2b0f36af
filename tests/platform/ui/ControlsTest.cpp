#include <algorithm>
#include <cstring>

#include "UiFixture.h"
#include "platform/ui/Clipboard.h"

namespace ui::test {
namespace {

// Controls on a plain parent window that records their notifications.
class ControlsTest : public UiFixture {
 protected:
  void SetUp() override {
    UiFixture::SetUp();
    handler = [this](HWND, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
      if (message == WM_COMMAND) notifications.emplace_back(LOWORD(wParam), HIWORD(wParam));
      return kDefault;
    };
    parent = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  }
  HWND Control(const char* class_name, DWORD style, int id, const char* text = "") {
    return CreateWindowEx(0, class_name, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 100, 100, parent,
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr);
  }
  std::vector<std::pair<int, int>> Codes(int id) {
    std::vector<std::pair<int, int>> out;
    for (const auto& n : notifications)
      if (n.first == id) out.push_back(n);
    return out;
  }
  HWND parent = nullptr;
  std::vector<std::pair<int, int>> notifications;
};

TEST_F(ControlsTest, EditTextLimitBindsTheUserAndReplaceSelButNotSetText) {
  const HWND edit = Control("Edit", ES_AUTOHSCROLL, 7);
  SendMessage(edit, EM_LIMITTEXT, 5, 0);
  SetWindowText(edit, "1234567");
  EXPECT_EQ(GetWindowTextString(edit), "1234567");
  SetWindowText(edit, "abc");
  SendMessage(edit, EM_SETSEL, 3, 3);
  for (char c : std::string("defg")) SendMessage(edit, WM_CHAR, static_cast<WPARAM>(c), 0);
  EXPECT_EQ(GetWindowTextString(edit), "abcde");
  SendMessage(edit, EM_SETSEL, 0, -1);
  SendMessage(edit, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("xyz123"));
  EXPECT_EQ(GetWindowTextString(edit), "xyz12");
  DWORD start = 9, end = 9;
  SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 5u);
  EXPECT_EQ(end, 5u);
  const auto codes = Codes(7);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), std::make_pair(7, static_cast<int>(EN_MAXTEXT))), 3);
  EXPECT_TRUE(SendMessage(edit, EM_GETMODIFY, 0, 0));
}

TEST_F(ControlsTest, EditReadOnlyRefusesTypingOnlyAndMultiLineAnswersLineQueries) {
  const HWND edit = Control("Edit", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 8);
  SetWindowText(edit, "first\r\nsecond line\r\n");
  EXPECT_TRUE(Codes(8).empty());  // a multi-line edit tells no change for WM_SETTEXT
  SendMessage(edit, WM_CHAR, 'x', 0);
  EXPECT_EQ(GetWindowTextString(edit), "first\r\nsecond line\r\n");
  EXPECT_EQ(SendMessage(edit, EM_GETLINECOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessage(edit, EM_LINEINDEX, 1, 0), 7);
  EXPECT_EQ(SendMessage(edit, EM_LINELENGTH, 7, 0), 11);
  EXPECT_EQ(SendMessage(edit, EM_LINEINDEX, 5, 0), -1);
  char line[16] = {};
  const WORD size = 6;
  std::memcpy(line, &size, sizeof size);
  EXPECT_EQ(SendMessage(edit, EM_GETLINE, 1, reinterpret_cast<LPARAM>(line)), 6);
  EXPECT_EQ(std::string(line, 6), "second");
  SendMessage(edit, EM_SETSEL, 0, 7);
  SendMessage(edit, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(""));  // programs may change it
  EXPECT_EQ(GetWindowTextString(edit), "second line\r\n");
}

TEST_F(ControlsTest, EditCutCopyPasteAndClearWorkOnTheSelectionThroughTheClipboard) {
  const HWND edit = Control("Edit", ES_AUTOHSCROLL, 11, "one two three");
  SendMessage(edit, EM_SETSEL, 4, 7);
  SendMessage(edit, WM_COPY, 0, 0);
  std::string copied;
  ASSERT_TRUE(GetClipboardText(copied));
  EXPECT_EQ(copied, "two");
  SendMessage(edit, EM_SETSEL, 0, 4);
  SendMessage(edit, WM_CUT, 0, 0);
  EXPECT_EQ(GetWindowTextString(edit), "two three");
  ASSERT_TRUE(GetClipboardText(copied));
  EXPECT_EQ(copied, "one ");
  // A single line takes pasted text without its line breaks, within its limit.
  SetClipboardText("a\r\nb");
  SendMessage(edit, EM_SETSEL, 9, 9);
  SendMessage(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(GetWindowTextString(edit), "two threeab");
  SendMessage(edit, EM_LIMITTEXT, 12, 0);
  SetClipboardText("xyz");
  SendMessage(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(GetWindowTextString(edit), "two threeabx");
  SendMessage(edit, EM_SETSEL, 0, 4);
  SendMessage(edit, WM_CLEAR, 0, 0);
  EXPECT_EQ(GetWindowTextString(edit), "threeabx");
  // Nothing selected: copying leaves the clipboard as it was.
  SendMessage(edit, EM_SETSEL, 2, 2);
  SendMessage(edit, WM_COPY, 0, 0);
  ASSERT_TRUE(GetClipboardText(copied));
  EXPECT_EQ(copied, "xyz");
}

TEST_F(ControlsTest, ReadOnlyEditCopiesButNeitherCutsNorPastes) {
  const HWND edit = Control("Edit", ES_READONLY, 12, "fixed");
  SendMessage(edit, EM_SETSEL, 0, 3);
  SendMessage(edit, WM_CUT, 0, 0);
  std::string copied;
  ASSERT_TRUE(GetClipboardText(copied));
  EXPECT_EQ(copied, "fix");
  SendMessage(edit, WM_PASTE, 0, 0);
  SendMessage(edit, WM_CLEAR, 0, 0);
  EXPECT_EQ(GetWindowTextString(edit), "fixed");
}

TEST_F(ControlsTest, SingleLineEditNotifiesChangesAndFocus) {
  const HWND edit = Control("Edit", 0, 9);
  SetWindowText(edit, "a");
  SetFocus(edit);
  SendMessage(edit, WM_CHAR, 'b', 0);
  SendMessage(edit, WM_CHAR, '\r', 0);  // no line breaks in a single-line edit
  SendMessage(edit, WM_CHAR, '\b', 0);
  SetFocus(nullptr);
  EXPECT_EQ(GetWindowTextString(edit), "a");  // typed at the caret, which WM_SETTEXT put first
  std::vector<int> codes;
  for (const auto& n : Codes(9))
    if (n.second != static_cast<int>(EN_UPDATE)) codes.push_back(n.second);
  EXPECT_EQ(codes, (std::vector<int>{EN_CHANGE, EN_SETFOCUS, EN_CHANGE, EN_CHANGE, EN_KILLFOCUS}));
}

TEST_F(ControlsTest, ButtonsClickCheckAndClearTheirRadioGroup) {
  const HWND check = Control("Button", BS_AUTOCHECKBOX | WS_TABSTOP, 10);
  const HWND a = Control("Button", BS_AUTORADIOBUTTON | WS_GROUP, 11);
  const HWND b = Control("Button", BS_AUTORADIOBUTTON, 12);
  const HWND other_group = Control("Button", BS_AUTORADIOBUTTON | WS_GROUP, 13);
  const HWND push = Control("Button", BS_PUSHBUTTON, 14);
  SendMessage(check, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessage(check, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
  SendMessage(other_group, BM_SETCHECK, BST_CHECKED, 0);
  SendMessage(a, BM_CLICK, 0, 0);
  SendMessage(b, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessage(a, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_UNCHECKED));
  EXPECT_EQ(SendMessage(b, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
  EXPECT_EQ(SendMessage(other_group, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
  SendMessage(push, WM_LBUTTONDOWN, 0, 0);
  SendMessage(push, WM_LBUTTONUP, 0, 0);
  EnableWindow(push, FALSE);
  SendMessage(push, BM_CLICK, 0, 0);  // a disabled button does nothing
  EXPECT_EQ(SendMessage(push, BM_GETCHECK, 0, 0), 0);
  EXPECT_EQ(notifications, (std::vector<std::pair<int, int>>{{10, BN_CLICKED}, {11, BN_CLICKED}, {12, BN_CLICKED},
                                                             {14, BN_CLICKED}}));
}

TEST_F(ControlsTest, ListBoxKeepsSortedItemsWithDataAndSelectsSingly) {
  const HWND list = Control("ListBox", LBS_NOTIFY | LBS_SORT, 20);
  for (const char* name : {"b.raw", "C.raw", "a.raw"}) SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  char text[16];
  SendMessage(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "b.raw");
  SendMessage(list, LB_SETITEMDATA, 2, 77);
  EXPECT_EQ(SendMessage(list, LB_GETITEMDATA, 2, 0), 77);
  EXPECT_EQ(SendMessage(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("c.RAW")), 2);
  EXPECT_EQ(SendMessage(list, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("b")), 1);
  EXPECT_EQ(SendMessage(list, LB_SETCURSEL, 2, 0), 2);
  EXPECT_TRUE(Codes(20).empty());  // a program's selection is not notified
  EXPECT_EQ(SendMessage(list, LB_SETSEL, TRUE, 0), LB_ERR);  // single selection
  SendMessage(list, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 13 + 2));  // the second item
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(Codes(20).back(), std::make_pair(20, static_cast<int>(LBN_SELCHANGE)));
  EXPECT_EQ(SendMessage(list, LB_DELETESTRING, 1, 0), 2);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), -1);
  EXPECT_EQ(SendMessage(list, LB_GETTEXT, 5, reinterpret_cast<LPARAM>(text)), LB_ERR);
}

TEST_F(ControlsTest, ExtendedListBoxSelectsRangesAndReportsSelectedItems) {
  const HWND list = Control("ListBox", LBS_NOTIFY | LBS_EXTENDEDSEL, 21);
  for (int i = 0; i < 5; ++i) SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("item"));
  EXPECT_EQ(SendMessage(list, LB_SETCURSEL, 1, 0), LB_ERR);
  SendMessage(list, WM_LBUTTONDOWN, 0, MAKELPARAM(1, 1));                 // item 0
  SendMessage(list, WM_LBUTTONDOWN, MK_SHIFT, MAKELPARAM(1, 2 * 13 + 1));  // items 0 to 2
  SendMessage(list, WM_LBUTTONDOWN, MK_CONTROL, MAKELPARAM(1, 4 * 13 + 1));  // and 4
  int selected[8];
  const LRESULT count = SendMessage(list, LB_GETSELITEMS, 8, reinterpret_cast<LPARAM>(selected));
  EXPECT_EQ(std::vector<int>(selected, selected + count), (std::vector<int>{0, 1, 2, 4}));
  EXPECT_EQ(SendMessage(list, LB_GETSELCOUNT, 0, 0), 4);
  SendMessage(list, LB_SETSEL, FALSE, -1);
  EXPECT_EQ(SendMessage(list, LB_GETSELCOUNT, 0, 0), 0);
  const auto codes = Codes(21);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), std::make_pair(21, static_cast<int>(LBN_SELCHANGE))), 3);
}

TEST_F(ControlsTest, StaticNotifiesClicksOnlyWithSsNotify) {
  const HWND quiet = Control("Static", 0, 30, "text");
  const HWND notifying = Control("Static", SS_NOTIFY, 31, "text");
  SendMessage(quiet, WM_LBUTTONDOWN, 0, 0);
  SendMessage(notifying, WM_LBUTTONDOWN, 0, 0);
  EXPECT_EQ(notifications, (std::vector<std::pair<int, int>>{{31, STN_CLICKED}}));
  EXPECT_EQ(GetWindowTextString(quiet), "text");
}

TEST_F(ControlsTest, ProgressBarKeepsItsPositionInsideTheRange) {
  const HWND bar = Control("msctls_progress32", 0, 1000);
  ASSERT_TRUE(bar);
  SendMessage(bar, PBM_SETRANGE32, 0, 500);
  EXPECT_EQ(SendMessage(bar, PBM_SETPOS, 250, 0), 0);  // the previous position
  EXPECT_EQ(SendMessage(bar, PBM_SETPOS, 900, 0), 250);
  EXPECT_EQ(SendMessage(bar, PBM_GETPOS, 0, 0), 500);
  SendMessage(bar, PBM_SETPOS, static_cast<WPARAM>(-5), 0);
  EXPECT_EQ(SendMessage(bar, PBM_GETPOS, 0, 0), 0);
  SendMessage(bar, PBM_SETSTEP, 200, 0);
  SendMessage(bar, PBM_STEPIT, 0, 0);
  SendMessage(bar, PBM_STEPIT, 0, 0);
  EXPECT_EQ(SendMessage(bar, PBM_GETPOS, 0, 0), 400);
  SendMessage(bar, PBM_STEPIT, 0, 0);  // past the end: back to the start
  EXPECT_EQ(SendMessage(bar, PBM_GETPOS, 0, 0), 0);
  SendMessage(bar, PBM_SETRANGE32, 0, 0);  // an empty range holds position 0
  EXPECT_EQ(SendMessage(bar, PBM_DELTAPOS, 10, 0), 0);
  EXPECT_EQ(SendMessage(bar, PBM_GETPOS, 0, 0), 0);
  PBRANGE range;
  SendMessage(bar, PBM_SETRANGE32, 1, 7);
  EXPECT_EQ(SendMessage(bar, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range)), 1);
  EXPECT_EQ(range.iHigh, 7);
}

}  // namespace
}  // namespace ui::test

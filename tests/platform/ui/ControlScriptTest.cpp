// The standard controls driven as a user drives them: raw clicks and keys
// routed by the loop, the list box's extended selection, the edit's keys
// with the clipboard, and the combo box's messages, each as a table.
#include <algorithm>
#include <string>
#include <vector>

#include "UiFixture.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/HeadlessInput.h"

namespace ui::test {
namespace {

class ControlScriptTest : public UiFixture {
 protected:
  void SetUp() override {
    UiFixture::SetUp();
    handler = [this](HWND, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
      if (message == WM_COMMAND) notifications.emplace_back(LOWORD(wParam), HIWORD(wParam));
      return kDefault;
    };
    parent = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, 0, RECT{10, 20, 410, 320});
  }
  HWND Control(const char* class_name, DWORD style, int id, RECT rect, const char* text = "") {
    return CreateWindowEx(0, class_name, text, WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                          rect.right - rect.left, rect.bottom - rect.top, parent,
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr);
  }
  void Pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
  int Count(int id, int code) const {
    return static_cast<int>(std::count(notifications.begin(), notifications.end(), std::make_pair(id, code)));
  }
  static POINT OnScreen(HWND hwnd, POINT client) {
    ClientToScreen(hwnd, &client);
    return client;
  }
  // Presses `key` with the modifiers held down around it, through the loop.
  void Press(WPARAM key, BYTE modifiers = 0) {
    InjectKeyPress(key, modifiers);
    Pump();
  }
  void Click(HWND hwnd, POINT client, BYTE modifiers = 0) {
    if (modifiers & FSHIFT) InjectKeyDown(VK_SHIFT);
    if (modifiers & FCONTROL) InjectKeyDown(VK_CONTROL);
    InjectClick(OnScreen(hwnd, client));
    if (modifiers & FCONTROL) InjectKeyUp(VK_CONTROL);
    if (modifiers & FSHIFT) InjectKeyUp(VK_SHIFT);
    Pump();
  }
  HWND parent = nullptr;
  std::vector<std::pair<int, int>> notifications;
};

std::vector<int> SelectedItems(HWND list) {
  std::vector<int> items(static_cast<std::size_t>(SendMessage(list, LB_GETCOUNT, 0, 0)));
  items.resize(static_cast<std::size_t>(
      SendMessage(list, LB_GETSELITEMS, items.size(), reinterpret_cast<LPARAM>(items.data()))));
  return items;
}

TEST_F(ControlScriptTest, ExtendedSelectionFollowsClicksShiftCtrlAndShiftArrows) {
  const HWND list = Control("ListBox", LBS_NOTIFY | LBS_EXTENDEDSEL | WS_BORDER, 40, RECT{10, 10, 150, 150});
  for (const char* name : {"a0", "a1", "a2", "a3", "a4", "a5", "a6", "a7"})
    SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  const int row = static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
  const auto at = [&](int item) { return POINT{20, item * row + row / 2}; };
  struct Step {
    const char* what;
    int item;        // the row clicked, or -1 for the key
    BYTE modifiers;
    WPARAM key;
    std::vector<int> selected;
    int selchanges;  // LBN_SELCHANGE notifications so far
  };
  const std::vector<Step> script = {
      {"click sets the anchor", 1, 0, 0, {1}, 1},
      {"shift+click spans from the anchor", 4, FSHIFT, 0, {1, 2, 3, 4}, 2},
      {"ctrl+click toggles one and moves the anchor", 2, FCONTROL, 0, {1, 3, 4}, 3},
      {"shift+click spans again from the new anchor", 5, FSHIFT, 0, {2, 3, 4, 5}, 4},
      {"shift+down extends by one", -1, FSHIFT, VK_DOWN, {2, 3, 4, 5, 6}, 5},
      {"shift+up shrinks it", -1, FSHIFT, VK_UP, {2, 3, 4, 5}, 6},
      {"ctrl+down moves the caret alone", -1, FCONTROL, VK_DOWN, {2, 3, 4, 5}, 6},
      {"ctrl+space toggles the caret item", -1, FCONTROL, VK_SPACE, {2, 3, 4, 5, 6}, 7},
      {"down alone selects one", -1, 0, VK_DOWN, {7}, 8},
      {"a plain click starts over", 0, 0, 0, {0}, 9},
  };
  for (const Step& step : script) {
    if (step.item >= 0) Click(list, at(step.item), step.modifiers);
    else Press(step.key, step.modifiers);
    EXPECT_EQ(SelectedItems(list), step.selected) << step.what;
    EXPECT_EQ(Count(40, LBN_SELCHANGE), step.selchanges) << step.what;
  }
  EXPECT_EQ(GetFocus(), list);
}

// A clipboard of the test's own, standing for the display's.
class TestClipboard : public ClipboardService {
 public:
  bool SetText(const std::string& value) override {
    text = value;
    ++sets;
    return true;
  }
  bool GetText(std::string& out) override {
    if (text.empty()) return false;
    out = text;
    return true;
  }
  std::string text;
  int sets = 0;
};

TEST_F(ControlScriptTest, ALetterTypedInAListMovesToTheNextItemItBegins) {
  for (const DWORD kind : {DWORD{0}, LBS_EXTENDEDSEL}) {
    SCOPED_TRACE(kind ? "extended" : "single");
    notifications.clear();
    const HWND list = Control("ListBox", LBS_NOTIFY | WS_BORDER | kind, 48, RECT{10, 10, 150, 150});
    for (const char* name : {"Pressure", "altitude", "Battery", "Altimeter", "bearing"})
      SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    SetFocus(list);
    struct Step {
      WPARAM key;
      int caret;
      std::vector<int> selected;
      int selchanges;  // so far
    } steps[] = {
        {'A', 1, {1}, 1},  // either case
        {'A', 3, {3}, 2},
        {'A', 1, {1}, 3},  // round past the end
        {'B', 2, {2}, 4},
        {'P', 0, {0}, 5},
        {'P', 0, {0}, 5},  // the only one: nothing changes
        {'Z', 0, {0}, 5},  // none begins with it
    };
    for (const Step& step : steps) {
      Press(step.key);
      EXPECT_EQ(SendMessage(list, LB_GETCARETINDEX, 0, 0), step.caret) << char(step.key);
      std::vector<int> selected;
      for (int i = 0; i < 5; ++i)
        if (SendMessage(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) selected.push_back(i);
      EXPECT_EQ(selected, step.selected) << char(step.key);
      EXPECT_EQ(Count(48, LBN_SELCHANGE), step.selchanges) << char(step.key);
    }
    DestroyWindow(list);
  }
}

TEST_F(ControlScriptTest, EditKeysSelectCopyCutAndPasteThroughTheClipboard) {
  TestClipboard clipboard;
  SetClipboardService(&clipboard);
  const HWND edit = Control("Edit", ES_AUTOHSCROLL | WS_BORDER, 41, RECT{10, 10, 200, 31}, "convert");
  SetFocus(edit);
  struct Step {
    const char* what;
    WPARAM key;
    BYTE modifiers;
    const char* typed;  // text typed after the key, or nullptr
    const char* text;
    DWORD sel_start, sel_end;
    const char* clipboard;
  };
  const std::vector<Step> script = {
      {"end puts the caret after the text", VK_END, 0, nullptr, "convert", 7, 7, ""},
      {"shift+left selects backwards", VK_LEFT, FSHIFT, nullptr, "convert", 6, 7, ""},
      {"shift+home selects to the start", VK_HOME, FSHIFT, nullptr, "convert", 0, 7, ""},
      {"ctrl+c copies the selection", 'C', FCONTROL, nullptr, "convert", 0, 7, "convert"},
      {"right collapses to the end", VK_RIGHT, 0, nullptr, "convert", 7, 7, "convert"},
      {"ctrl+v pastes at the caret", 'V', FCONTROL, nullptr, "convertconvert", 14, 14, "convert"},
      {"shift+left selects the last character", VK_LEFT, FSHIFT, nullptr, "convertconvert", 13, 14, "convert"},
      {"typing replaces the selection", 0, 0, "s", "convertconvers", 14, 14, "convert"},
      {"ctrl+a selects all", 'A', FCONTROL, nullptr, "convertconvers", 0, 14, "convert"},
      {"ctrl+x cuts it", 'X', FCONTROL, nullptr, "", 0, 0, "convertconvers"},
      {"shift+insert pastes", VK_INSERT, FSHIFT, nullptr, "convertconvers", 14, 14, "convertconvers"},
      {"home, then delete removes one", VK_HOME, 0, nullptr, "convertconvers", 0, 0, "convertconvers"},
      {"delete", VK_DELETE, 0, nullptr, "onvertconvers", 0, 0, "convertconvers"},
  };
  for (const Step& step : script) {
    if (step.key) Press(step.key, step.modifiers);
    if (step.typed) {
      PostText(step.typed);
      Pump();
    }
    DWORD start = 99, end = 99;
    SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(GetWindowTextString(edit), step.text) << step.what;
    EXPECT_EQ(start, step.sel_start) << step.what;
    EXPECT_EQ(end, step.sel_end) << step.what;
    EXPECT_EQ(clipboard.text, step.clipboard) << step.what;
  }
  SetClipboardService(nullptr);
}

TEST_F(ControlScriptTest, EditFiltersDigitsHonoursReadOnlyAndScrollsToTheCaret) {
  TestClipboard clipboard;
  SetClipboardService(&clipboard);
  const HWND digits = Control("Edit", ES_NUMBER | ES_AUTOHSCROLL, 42, RECT{10, 10, 60, 31});
  SetFocus(digits);
  PostText("12a3-4");
  Pump();
  EXPECT_EQ(GetWindowTextString(digits), "1234");
  const HWND read_only = Control("Edit", ES_READONLY | ES_AUTOHSCROLL, 43, RECT{10, 40, 200, 61}, "fixed");
  SetFocus(read_only);
  Press('A', FCONTROL);
  Press('C', FCONTROL);
  EXPECT_EQ(clipboard.text, "fixed");  // a read-only edit still copies
  Press('X', FCONTROL);
  Press(VK_DELETE);
  PostText("zz");
  Pump();
  EXPECT_EQ(GetWindowTextString(read_only), "fixed");
  // Clicking into a narrow edit whose text runs past it: typing at the end
  // keeps the caret in view, so a click at the right edge lands near the end.
  SetFocus(digits);
  Press(VK_END);
  PostText("567890123456789");
  Pump();
  Click(digits, POINT{47, 10});
  DWORD start = 0, end = 0;
  SendMessage(digits, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_GE(start, 17u);
  // A shift+click from the start selects the whole visible run.
  Press(VK_HOME);
  Click(digits, POINT{2, 10}, FSHIFT);
  SendMessage(digits, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  SetClipboardService(nullptr);
}

TEST_F(ControlScriptTest, PunctuationShiftedDigitsAndTheKeypadTypeTheirCharacters) {
  const HWND edit = Control("Edit", ES_AUTOHSCROLL | WS_BORDER, 44, RECT{10, 10, 200, 31});
  SetFocus(edit);
  struct Case {
    WPARAM key;
    BYTE modifiers;
    const char* typed;
  } cases[] = {
      {VK_OEM_PERIOD, 0, "."},      {VK_OEM_PERIOD, FSHIFT, ">"}, {VK_OEM_MINUS, 0, "-"},
      {VK_OEM_MINUS, FSHIFT, "_"},  {VK_OEM_PLUS, FSHIFT, "+"},   {VK_OEM_2, 0, "/"},
      {VK_OEM_5, 0, "\\"},          {VK_OEM_1, FSHIFT, ":"},      {VK_OEM_COMMA, 0, ","},
      {VK_OEM_7, FSHIFT, "\""},     {'1', FSHIFT, "!"},           {'9', 0, "9"},
      {'A', FSHIFT, "A"},           {VK_NUMPAD0 + 7, 0, "7"},     {VK_DECIMAL, 0, "."},
      {VK_ADD, 0, "+"},             {VK_SUBTRACT, FSHIFT, "-"},   {VK_OEM_PERIOD, FCONTROL, ""},
      {VK_DIVIDE, FCONTROL, ""},    {VK_F4, 0, ""},
  };
  for (const Case& c : cases) {
    SetWindowText(edit, "");
    Press(c.key, c.modifiers);
    EXPECT_EQ(GetWindowTextString(edit), c.typed) << "key 0x" << std::hex << c.key << " modifiers " << int{c.modifiers};
  }
}

TEST_F(ControlScriptTest, EditKeysStepOverWholeUtf8CharactersAndLineBreaks) {
  TestClipboard clipboard;
  SetClipboardService(&clipboard);
  // "\xC3\xA9" is e acute, two bytes; "\xE2\x82\xAC" the euro sign, three.
  struct Case {
    const char* what;
    DWORD style;
    const char* text;
    DWORD caret;
    std::vector<std::pair<WPARAM, BYTE>> keys;
    const char* result;
    DWORD result_caret;
  } cases[] = {
      {"left over a two-byte character", 0, "a\xC3\xA9", 3, {{VK_LEFT, 0}}, "a\xC3\xA9", 1},
      {"right over a three-byte one", 0, "\xE2\x82\xACx", 0, {{VK_RIGHT, 0}}, "\xE2\x82\xACx", 3},
      {"shift+left selects it whole", 0, "a\xC3\xA9", 3, {{VK_LEFT, FSHIFT}, {'X', FCONTROL}}, "a", 1},
      {"backspace removes it whole", 0, "a\xC3\xA9" "b", 3, {{VK_BACK, 0}}, "ab", 1},
      {"delete removes it whole", 0, "a\xE2\x82\xAC" "b", 1, {{VK_DELETE, 0}}, "ab", 1},
      {"typed text goes in between characters", 0, "\xC3\xA9\xC3\xA9", 4, {{VK_LEFT, 0}, {'X', 0}}, "\xC3\xA9x\xC3\xA9", 3},
      {"left from a line's start passes the line break", ES_MULTILINE, "ab\r\ncd", 4, {{VK_LEFT, 0}}, "ab\r\ncd", 2},
      {"delete at a line's end joins the lines", ES_MULTILINE, "ab\r\ncd", 2, {{VK_DELETE, 0}}, "abcd", 2},
      {"up keeps to a character's start", ES_MULTILINE, "\xC3\xA9\xC3\xA9\r\nabc", 7, {{VK_UP, 0}}, "\xC3\xA9\xC3\xA9\r\nabc", 0},
  };
  for (const Case& c : cases) {
    const HWND edit = Control("Edit", ES_AUTOHSCROLL | WS_BORDER | c.style, 45, RECT{10, 10, 200, 80}, c.text);
    SetFocus(edit);
    SendMessage(edit, EM_SETSEL, c.caret, c.caret);
    for (const auto& [key, modifiers] : c.keys) Press(key, modifiers);
    DWORD start = 99, end = 99;
    SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(GetWindowTextString(edit), c.result) << c.what;
    EXPECT_EQ(end, c.result_caret) << c.what;
    DestroyWindow(edit);
  }
  // A drag selects from where it starts to where it ends, on character starts.
  const HWND accents = Control("Edit", ES_AUTOHSCROLL, 47, RECT{10, 10, 200, 31}, "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9");
  for (int to_x = 10; to_x <= 40; to_x += 5) {
    SetFocus(accents);
    InjectDrag(OnScreen(accents, POINT{1, 10}), OnScreen(accents, POINT{to_x, 10}));
    Pump();
    DWORD start = 99, end = 99;
    SendMessage(accents, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u) << "to x " << to_x;
    EXPECT_GT(end, 0u) << "to x " << to_x;
    EXPECT_EQ(end % 2, 0u) << "to x " << to_x;
  }
  DestroyWindow(accents);
  // The text limit takes whole characters of a paste.
  const HWND limited = Control("Edit", ES_AUTOHSCROLL, 46, RECT{10, 10, 200, 31});
  SendMessage(limited, EM_LIMITTEXT, 2, 0);
  SetFocus(limited);
  clipboard.text = "a\xC3\xA9";
  Press('V', FCONTROL);
  EXPECT_EQ(GetWindowTextString(limited), "a");
  SetClipboardService(nullptr);
}

std::string ComboText(HWND combo, int index) {
  char buffer[64] = {};
  if (SendMessage(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)) == CB_ERR) return "<err>";
  return buffer;
}

TEST_F(ControlScriptTest, ComboMessagesAnswerForDropListAndDropDown) {
  for (const DWORD kind : {CBS_DROPDOWNLIST, CBS_DROPDOWN}) {
    SCOPED_TRACE(kind == CBS_DROPDOWN ? "drop-down" : "drop list");
    notifications.clear();
    const HWND combo = Control("ComboBox", kind | CBS_SORT | WS_VSCROLL, 50, RECT{10, 10, 160, 110});
    RECT field;
    GetWindowRect(combo, &field);
    EXPECT_LT(field.bottom - field.top, 30);  // the template's height holds the dropped list too
    struct Row {
      UINT message;
      WPARAM wParam;
      const char* text;  // the lParam string, or nullptr for the integer below
      LPARAM lParam;
      LRESULT expected;
    };
    const std::vector<Row> rows = {
        {CB_ADDSTRING, 0, "Hex", 0, 0},
        {CB_ADDSTRING, 0, "Ascii", 0, 0},         // sorted before Hex
        {CB_ADDSTRING, 0, "Binary", 0, 1},
        {CB_INSERTSTRING, 0, "Zulu", 0, 0},        // an insert keeps its place even when sorted
        {CB_GETCOUNT, 0, nullptr, 0, 4},
        {CB_GETCURSEL, 0, nullptr, 0, CB_ERR},
        {CB_FINDSTRING, static_cast<WPARAM>(-1), "b", 0, 2},
        {CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), "hex", 0, 3},
        {CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), "He", 0, CB_ERR},
        {CB_SETITEMDATA, 3, nullptr, 777, CB_OKAY},
        {CB_GETITEMDATA, 3, nullptr, 0, 777},
        {CB_GETLBTEXTLEN, 2, nullptr, 0, 6},
        {CB_GETLBTEXTLEN, 9, nullptr, 0, CB_ERR},
        {CB_SETCURSEL, 2, nullptr, 0, 2},
        {CB_GETCURSEL, 0, nullptr, 0, 2},
        {CB_SELECTSTRING, static_cast<WPARAM>(-1), "as", 0, 1},
        {CB_GETCURSEL, 0, nullptr, 0, 1},
        {CB_SETCURSEL, static_cast<WPARAM>(-1), nullptr, 0, CB_ERR},
        {CB_GETCURSEL, 0, nullptr, 0, CB_ERR},
        {CB_DELETESTRING, 0, nullptr, 0, 3},
        {CB_DELETESTRING, 7, nullptr, 0, CB_ERR},
        {CB_GETITEMDATA, 2, nullptr, 0, 777},     // the data moved with its item
        {CB_LIMITTEXT, 4, nullptr, 0, TRUE},
    };
    for (const Row& row : rows) {
      const LPARAM lParam = row.text ? reinterpret_cast<LPARAM>(row.text) : row.lParam;
      EXPECT_EQ(SendMessage(combo, row.message, row.wParam, lParam), row.expected)
          << "message 0x" << std::hex << row.message << " " << (row.text ? row.text : "");
    }
    EXPECT_EQ(ComboText(combo, 0), "Ascii");
    EXPECT_EQ(ComboText(combo, 2), "Hex");
    EXPECT_EQ(Count(50, CBN_SELCHANGE), 0);  // messages tell the parent nothing
    // The user's keys move the selection and tell the parent; the field follows.
    SetFocus(combo);
    Press(VK_DOWN);
    Press(VK_DOWN);
    Press(VK_DOWN);
    Press(VK_DOWN);  // already at the last item: no change, no notification
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(GetWindowTextString(combo), "Hex");
    Press(VK_UP);
    Press(VK_UP);
    EXPECT_EQ(GetWindowTextString(combo), "Ascii");
    if (kind == CBS_DROPDOWN) {
      // Typing goes to the edit field, which the text limit binds.
      SendMessage(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
      PostText("Octal");
      Pump();
      EXPECT_EQ(GetWindowTextString(combo), "Octa");
      EXPECT_GE(Count(50, CBN_EDITCHANGE), 1);
    } else {
      PostText("h");
      Pump();
      EXPECT_EQ(GetWindowTextString(combo), "Hex");  // a typed letter picks the next item it starts
    }
    EXPECT_EQ(Count(50, CBN_SELCHANGE), kind == CBS_DROPDOWN ? 5 : 6);
    EXPECT_EQ(SendMessage(combo, CB_RESETCONTENT, 0, 0), CB_OKAY);
    EXPECT_EQ(SendMessage(combo, CB_GETCOUNT, 0, 0), 0);
    DestroyWindow(combo);
  }
}


// What the parent hears of a drop, leaving out focus and edit changes.
std::vector<int> DropCodes(const std::vector<std::pair<int, int>>& notifications, int id) {
  std::vector<int> codes;
  for (const auto& [from, code] : notifications)
    if (from == id && code != CBN_SETFOCUS && code != CBN_KILLFOCUS && code != CBN_EDITCHANGE && code != CBN_EDITUPDATE)
      codes.push_back(code);
  return codes;
}

TEST_F(ControlScriptTest, ComboListDropsChoosesAndCancels) {
  for (const DWORD kind : {CBS_DROPDOWNLIST, CBS_DROPDOWN}) {
    SCOPED_TRACE(kind == CBS_DROPDOWN ? "drop-down" : "drop list");
    notifications.clear();
    const HWND combo = Control("ComboBox", kind | WS_VSCROLL, 60, RECT{10, 10, 160, 110});
    for (const char* name : {"Ascii", "Binary", "Hex"})
      SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    SendMessage(combo, CB_SETCURSEL, 0, 0);
    SetFocus(combo);
    RECT field;
    GetWindowRect(combo, &field);
    const POINT button{field.right - 10, field.top + 10};
    const auto item_at = [&](int index) {
      HWND list = nullptr;
      for (HWND top = GetTopWindow(nullptr); top; top = GetWindow(top, GW_HWNDNEXT))
        if (GetClassName(top) == "ComboLBox" && IsWindowVisible(top)) list = top;
      RECT r{};
      if (list) GetWindowRect(list, &r);
      const int row = static_cast<int>(SendMessage(combo, CB_GETITEMHEIGHT, 0, 0));
      return POINT{r.left + 20, r.top + 1 + index * row + row / 2};
    };
    const POINT outside = OnScreen(parent, POINT{350, 250});
    enum Action { kKey, kClickButton, kClickItem, kClickOutside };
    struct Step {
      const char* what;
      Action action;
      WPARAM key_or_item;
      BYTE modifiers;
      bool dropped;
      int selected;
      std::vector<int> codes;  // the drop notifications of this step
    };
    const Step steps[] = {
        {"Alt+Down drops", kKey, VK_DOWN, FALT, true, 0, {CBN_DROPDOWN}},
        {"Down moves in the list", kKey, VK_DOWN, 0, true, 1, {}},
        {"Enter takes it", kKey, VK_RETURN, 0, false, 1, {CBN_SELENDOK, CBN_SELCHANGE, CBN_CLOSEUP}},
        {"F4 drops", kKey, VK_F4, 0, true, 1, {CBN_DROPDOWN}},
        {"End moves", kKey, VK_END, 0, true, 2, {}},
        {"Esc puts the choice back", kKey, VK_ESCAPE, 0, false, 1, {CBN_SELENDCANCEL, CBN_CLOSEUP}},
        {"Alt+Up drops", kKey, VK_UP, FALT, true, 1, {CBN_DROPDOWN}},
        {"Alt+Up takes, unchanged", kKey, VK_UP, FALT, false, 1, {CBN_SELENDOK, CBN_CLOSEUP}},
        {"a click on the button drops", kClickButton, 0, 0, true, 1, {CBN_DROPDOWN}},
        {"a click on an item takes it", kClickItem, 0, 0, false, 0, {CBN_SELENDOK, CBN_SELCHANGE, CBN_CLOSEUP}},
        {"drop again", kClickButton, 0, 0, true, 0, {CBN_DROPDOWN}},
        {"a click outside cancels", kClickOutside, 0, 0, false, 0, {CBN_SELENDCANCEL, CBN_CLOSEUP}},
    };
    for (const Step& step : steps) {
      SCOPED_TRACE(step.what);
      const std::size_t before = DropCodes(notifications, 60).size();
      switch (step.action) {
        case kKey: Press(step.key_or_item, step.modifiers); break;
        case kClickButton: InjectClick(button); break;
        case kClickItem: InjectClick(item_at(static_cast<int>(step.key_or_item))); break;
        case kClickOutside: InjectClick(outside); break;
      }
      Pump();
      EXPECT_EQ(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0), step.dropped ? TRUE : FALSE);
      EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), step.selected);
      const std::vector<int> codes = DropCodes(notifications, 60);
      EXPECT_EQ(std::vector<int>(codes.begin() + static_cast<std::ptrdiff_t>(before), codes.end()), step.codes);
      EXPECT_EQ(GetCapture() != nullptr, step.dropped);  // the combo holds the mouse only while dropped
    }
    EXPECT_EQ(GetWindowTextString(combo), "Ascii");
    // A dropped list lies under the field, as wide as it; the message closes it as a cancel.
    EXPECT_EQ(SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0), TRUE);
    const POINT first = item_at(0);
    EXPECT_GE(first.y, field.bottom);
    EXPECT_LT(first.y, field.bottom + 20);
    SendMessage(combo, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_EQ(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0), FALSE);
    EXPECT_EQ(GetCapture(), nullptr);
    DestroyWindow(combo);
  }
}

}  // namespace
}  // namespace ui::test

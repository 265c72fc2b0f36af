// The dialog manager's keyboard driven as a user drives it: keys through
// the loop and IsDialogMessage, each behaviour as a table of steps with the
// state after each (focus, checks, default look, commands so far).
#include <cairo.h>

#include <algorithm>
#include <string>
#include <vector>

#include "UiFixture.h"

namespace ui::test {
namespace {

constexpr int kName = 100, kNameLabel = 200, kModeBox = 300, kFast = 301, kExact = 302, kRaw = 303, kLog = 304,
              kLines = 305, kApply = 306, kOff = 307;

// A label and an edit, a radio group in a group box, two check boxes that
// share a mnemonic, and push buttons, one disabled.
DialogTemplate OptionsDialog(DWORD extra_style = 0) {
  DialogTemplate dialog;
  dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | extra_style;
  dialog.cx = 240;
  dialog.cy = 150;
  dialog.caption = "Options";
  dialog.items = {
      {"Static", "&Name:", kNameLabel, WS_VISIBLE, 0, 8, 8, 40, 8},
      {"Edit", "", kName, WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_BORDER, 0, 50, 6, 100, 12},
      {"Button", "&Mode", kModeBox, WS_VISIBLE | WS_GROUP | BS_GROUPBOX, 0, 6, 24, 100, 56},
      {"Button", "&Fast", kFast, WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON, 0, 12, 34, 80, 10},
      {"Button", "&Exact", kExact, WS_VISIBLE | BS_AUTORADIOBUTTON, 0, 12, 48, 80, 10},
      {"Button", "&Raw", kRaw, WS_VISIBLE | BS_AUTORADIOBUTTON, 0, 12, 62, 80, 10},
      {"Button", "&Log", kLog, WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 120, 34, 80, 10},
      {"Button", "&Lines", kLines, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 120, 48, 80, 10},
      {"Static", "Both go to the log.", -1, WS_VISIBLE, 0, 120, 62, 100, 8},
      {"Button", "&Apply", kApply, WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON, 0, 6, 126, 50, 14},
      {"Button", "OK", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 62, 126, 50, 14},
      {"Button", "Cancel", IDCANCEL, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 118, 126, 50, 14},
      {"Button", "&Disabled", kOff, WS_VISIBLE | WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON, 0, 174, 126, 50, 14},
  };
  return dialog;
}

std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)> keys_handler;
INT_PTR KeysDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return keys_handler ? keys_handler(hwnd, message, wParam, lParam) : FALSE;
}

struct KeyStep {
  const char* what;
  WPARAM key;
  BYTE modifiers;
  int focus;
  int radio;
  const char* ticks;
  int default_look;
  std::vector<int> commands;  // every BN_CLICKED so far
};

class DialogKeysTest : public UiFixture {
 protected:
  void SetUp() override {
    UiFixture::SetUp();
    keys_handler = [this](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> INT_PTR {
      if (message == WM_INITDIALOG) CheckRadioButton(hwnd, kFast, kRaw, kExact);
      if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) commands.push_back(LOWORD(wParam));
      if (message == WM_HELP) helps.push_back(*reinterpret_cast<const HELPINFO*>(lParam));
      return message == WM_COMMAND || message == WM_INITDIALOG || message == WM_HELP;
    };
    const DialogTemplate dialog = OptionsDialog();
    hdlg = CreateDialogIndirectParam(&dialog, nullptr, KeysDialogProc, 0);
    ASSERT_TRUE(hdlg);
    ShowWindow(hdlg, SW_SHOW);
  }
  void TearDown() override {
    if (IsWindow(hdlg)) DestroyWindow(hdlg);
    keys_handler = nullptr;
    UiFixture::TearDown();
  }
  // Runs what the loop holds as a modeless dialog's loop does.
  void Pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (IsDialogMessage(hdlg, &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
  void Press(WPARAM key, BYTE modifiers = 0) {
    InjectKeyPress(key, modifiers);
    Pump();
  }
  int FocusId() const { return GetFocus() ? GetDlgCtrlID(GetFocus()) : -1; }
  int CheckedRadio() const {
    for (int id : {kFast, kExact, kRaw})
      if (IsDlgButtonChecked(hdlg, id) == BST_CHECKED) return id;
    return 0;
  }
  // The push button drawn as the default one (0 for none, -1 for several).
  int DefaultLook() const {
    int found = 0;
    for (int id : {kApply, IDOK, IDCANCEL, kOff}) {
      if ((GetWindowLongPtr(GetDlgItem(hdlg, id), GWL_STYLE) & BS_TYPEMASK) != BS_DEFPUSHBUTTON) continue;
      found = found ? -1 : id;
    }
    return found;
  }
  std::string Ticks() const {
    return std::string(IsDlgButtonChecked(hdlg, kLog) ? "L" : "-") + (IsDlgButtonChecked(hdlg, kLines) ? "L" : "-");
  }

  // Presses each step's key and compares the dialog with the step.
  void Run(const std::vector<KeyStep>& steps) {
    for (const KeyStep& step : steps) {
      Press(step.key, step.modifiers);
      EXPECT_EQ(FocusId(), step.focus) << step.what;
      EXPECT_EQ(CheckedRadio(), step.radio) << step.what;
      EXPECT_EQ(Ticks(), step.ticks) << step.what;
      EXPECT_EQ(DefaultLook(), step.default_look) << step.what;
      EXPECT_EQ(commands, step.commands) << step.what;
    }
  }

  HWND hdlg = nullptr;
  std::vector<int> commands;
  std::vector<HELPINFO> helps;
};


TEST_F(DialogKeysTest, TabArrowsEnterAndEscapeMoveThroughGroupsAndPressButtons) {
  ASSERT_EQ(FocusId(), kName);
  ASSERT_EQ(DefaultLook(), IDOK);
  const std::vector<KeyStep> steps = {
      {"tab enters the radio group at its checked button", VK_TAB, 0, kExact, kExact, "--", IDOK, {}},
      {"down moves to the next radio and checks it", VK_DOWN, 0, kRaw, kRaw, "--", IDOK, {kRaw}},
      {"down at the last wraps to the group's first", VK_DOWN, 0, kFast, kFast, "--", IDOK, {kRaw, kFast}},
      {"up wraps back to the last", VK_UP, 0, kRaw, kRaw, "--", IDOK, {kRaw, kFast, kRaw}},
      {"left goes back as up does", VK_LEFT, 0, kExact, kExact, "--", IDOK, {kRaw, kFast, kRaw, kExact}},
      {"tab leaves the group for the next tab stop", VK_TAB, 0, kLog, kExact, "--", IDOK, {kRaw, kFast, kRaw, kExact}},
      {"right moves within the check box group", VK_RIGHT, 0, kLines, kExact, "--", IDOK, {kRaw, kFast, kRaw, kExact}},
      {"space ticks the focused box", VK_SPACE, 0, kLines, kExact, "-L", IDOK, {kRaw, kFast, kRaw, kExact, kLines}},
      {"right stays inside the group's two boxes, past its label", VK_RIGHT, 0, kLog, kExact, "-L", IDOK,
       {kRaw, kFast, kRaw, kExact, kLines}},
      {"shift+tab goes back to the checked radio", VK_TAB, FSHIFT, kExact, kExact, "-L", IDOK,
       {kRaw, kFast, kRaw, kExact, kLines}},
      {"tab, tab reach a push button, which takes the default look", VK_TAB, 0, kLog, kExact, "-L", IDOK,
       {kRaw, kFast, kRaw, kExact, kLines}},
      {"", VK_TAB, 0, kLines, kExact, "-L", IDOK, {kRaw, kFast, kRaw, kExact, kLines}},
      {"", VK_TAB, 0, kApply, kExact, "-L", kApply, {kRaw, kFast, kRaw, kExact, kLines}},
      {"enter presses the focused push button", VK_RETURN, 0, kApply, kExact, "-L", kApply,
       {kRaw, kFast, kRaw, kExact, kLines, kApply}},
      {"tab to OK", VK_TAB, 0, IDOK, kExact, "-L", IDOK, {kRaw, kFast, kRaw, kExact, kLines, kApply}},
      {"tab to Cancel, which shows as the default", VK_TAB, 0, IDCANCEL, kExact, "-L", IDCANCEL,
       {kRaw, kFast, kRaw, kExact, kLines, kApply}},
      {"tab skips the disabled button and wraps to the edit; OK is the default again", VK_TAB, 0, kName, kExact, "-L",
       IDOK, {kRaw, kFast, kRaw, kExact, kLines, kApply}},
      {"arrows in the edit stay the edit's", VK_DOWN, 0, kName, kExact, "-L", IDOK,
       {kRaw, kFast, kRaw, kExact, kLines, kApply}},
      {"shift+tab wraps back to Cancel", VK_TAB, FSHIFT, IDCANCEL, kExact, "-L", IDCANCEL,
       {kRaw, kFast, kRaw, kExact, kLines, kApply}},
      {"enter on Cancel presses Cancel", VK_RETURN, 0, IDCANCEL, kExact, "-L", IDCANCEL,
       {kRaw, kFast, kRaw, kExact, kLines, kApply, IDCANCEL}},
      {"back in the edit", VK_TAB, 0, kName, kExact, "-L", IDOK, {kRaw, kFast, kRaw, kExact, kLines, kApply, IDCANCEL}},
      {"enter in the edit presses the default button", VK_RETURN, 0, kName, kExact, "-L", IDOK,
       {kRaw, kFast, kRaw, kExact, kLines, kApply, IDCANCEL, IDOK}},
      {"esc gives IDCANCEL", VK_ESCAPE, 0, kName, kExact, "-L", IDOK,
       {kRaw, kFast, kRaw, kExact, kLines, kApply, IDCANCEL, IDOK, IDCANCEL}},
  };
  Run(steps);
  EXPECT_TRUE(IsWindow(hdlg));  // the commands are the procedure's to act on
}

TEST_F(DialogKeysTest, MnemonicsFocusLabelledControlsAndPressButtons) {
  const std::vector<KeyStep> steps = {
      {"alt+N on a label focuses the edit after it", 'N', FALT, kName, kExact, "--", IDOK, {}},
      {"alt+R focuses and checks its radio", 'R', FALT, kRaw, kRaw, "--", IDOK, {kRaw}},
      {"a plain letter is a mnemonic where the focus takes no characters", 'F', 0, kFast, kFast, "--", IDOK,
       {kRaw, kFast}},
      {"alt+M on the group box leads to its checked radio", 'M', FALT, kFast, kFast, "--", IDOK, {kRaw, kFast}},
      {"alt+L shared by two boxes moves the focus without ticking", 'L', FALT, kLog, kFast, "--", IDOK, {kRaw, kFast}},
      {"alt+L again moves on to the other", 'L', FALT, kLines, kFast, "--", IDOK, {kRaw, kFast}},
      {"alt+A presses the push button and leaves the focus", 'A', FALT, kLines, kFast, "--", IDOK,
       {kRaw, kFast, kApply}},
      {"alt+D on a disabled button does nothing", 'D', FALT, kLines, kFast, "--", IDOK, {kRaw, kFast, kApply}},
      {"alt+E is the letter of a radio", 'E', FALT, kExact, kExact, "--", IDOK, {kRaw, kFast, kApply, kExact}},
      {"alt+N back to the edit", 'N', FALT, kName, kExact, "--", IDOK, {kRaw, kFast, kApply, kExact}},
      {"a plain letter in the edit is text, not a mnemonic", 'R', 0, kName, kExact, "--", IDOK,
       {kRaw, kFast, kApply, kExact}},
  };
  Run(steps);
  EXPECT_EQ(GetDlgItemTextString(hdlg, kName), "r");
}

TEST_F(DialogKeysTest, TheDefaultIdMovesTheDefaultLookAndEnter) {
  struct Step {
    const char* what;
    std::function<void()> act;
    int default_look;
    int enter_gives;
  };
  const std::vector<Step> steps = {
      {"the template's default push button is the default", [] {}, IDOK, IDOK},
      {"DM_SETDEFID moves the look", [this] { SendMessage(hdlg, DM_SETDEFID, kApply, 0); }, kApply, kApply},
      {"a focused push button holds the look for now", [this] { SetFocus(GetDlgItem(hdlg, IDCANCEL)); }, IDCANCEL,
       IDCANCEL},
      {"a new default id while a push button is focused waits", [this] { SendMessage(hdlg, DM_SETDEFID, IDOK, 0); },
       IDCANCEL, IDCANCEL},
      {"focus on a check box shows the default id again", [this] { SetFocus(GetDlgItem(hdlg, kLog)); }, IDOK, IDOK},
      {"a click's focus on a push button counts too", [this] { SetFocus(GetDlgItem(hdlg, kApply)); }, kApply, kApply},
  };
  for (const Step& step : steps) {
    step.act();
    EXPECT_EQ(DefaultLook(), step.default_look) << step.what;
    const LRESULT defid = SendMessage(hdlg, DM_GETDEFID, 0, 0);
    EXPECT_EQ(HIWORD(static_cast<std::uint64_t>(defid)), DC_HASDEFID) << step.what;
    commands.clear();
    Press(VK_RETURN);
    EXPECT_EQ(commands, std::vector<int>{step.enter_gives}) << step.what;
  }
}

TEST_F(DialogKeysTest, F1SendsHelpWithTheFocusedControlsIdAndContext) {
  SetWindowContextHelpId(GetDlgItem(hdlg, kLog), 7001);
  SetWindowContextHelpId(GetDlgItem(hdlg, kName), 7002);
  struct Case {
    const char* what;
    int focus;
    int ctrl_id;
    DWORD context;
  };
  const Case cases[] = {
      {"the edit, with its context", kName, kName, 7002},
      {"a check box, passed on to the dialog by the control", kLog, kLog, 7001},
      {"a control without a context", kApply, kApply, 0},
  };
  for (const Case& c : cases) {
    helps.clear();
    SetFocus(GetDlgItem(hdlg, c.focus));
    Press(VK_F1);
    ASSERT_EQ(helps.size(), 1u) << c.what;
    EXPECT_EQ(helps[0].iContextType, HELPINFO_WINDOW) << c.what;
    EXPECT_EQ(helps[0].iCtrlId, c.ctrl_id) << c.what;
    EXPECT_EQ(helps[0].hItemHandle, GetDlgItem(hdlg, c.focus)) << c.what;
    EXPECT_EQ(helps[0].dwContextId, c.context) << c.what;
    EXPECT_EQ(helps[0].cbSize, sizeof(HELPINFO)) << c.what;
  }
  EXPECT_TRUE(commands.empty());  // F1 presses nothing
}

TEST_F(DialogKeysTest, EscapeWithADisabledCancelButtonDoesNothing) {
  EnableWindow(GetDlgItem(hdlg, IDCANCEL), FALSE);
  Press(VK_ESCAPE);
  EXPECT_TRUE(commands.empty());
  EnableWindow(GetDlgItem(hdlg, IDCANCEL), TRUE);
  Press(VK_ESCAPE);
  EXPECT_EQ(commands, std::vector<int>{IDCANCEL});
}

class DialogCodeTest : public UiFixture {};

// A control of the test class says through WM_GETDLGCODE which keys it
// keeps; the dialog manager acts on the others.
TEST_F(DialogCodeTest, TheKeysAControlAsksForReachItAndTheDialogActsOnTheRest) {
  constexpr int kCustom = 400, kNext = 401;
  LRESULT code = 0;
  std::vector<std::pair<UINT, WPARAM>> reached;
  handler = [&](HWND, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
    if (message == WM_GETDLGCODE) return code;
    if (message == WM_KEYDOWN || message == WM_CHAR) reached.emplace_back(message, wParam);
    return kDefault;
  };
  std::vector<int> commands;
  keys_handler = [&](HWND, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) commands.push_back(LOWORD(wParam));
    return message == WM_COMMAND;
  };
  DialogTemplate dialog;
  dialog.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | WS_VISIBLE;
  dialog.cx = 200;
  dialog.cy = 80;
  dialog.caption = "Codes";
  dialog.items = {
      {kTestClass, "", kCustom, WS_VISIBLE | WS_TABSTOP | WS_GROUP, 0, 6, 6, 80, 30},
      {"Edit", "", kNext, WS_VISIBLE | WS_TABSTOP | WS_BORDER, 0, 90, 6, 80, 12},
      {"Button", "&Apply", kApply, WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0, 6, 60, 50, 14},
      {"Button", "OK", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 62, 60, 50, 14},
      {"Button", "Cancel", IDCANCEL, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 118, 60, 50, 14},
  };
  const HWND hdlg = CreateDialogIndirectParam(&dialog, nullptr, KeysDialogProc, 0);
  ASSERT_TRUE(hdlg);
  const HWND custom = GetDlgItem(hdlg, kCustom);
  struct Case {
    const char* what;
    LRESULT code;
    WPARAM key;
    bool reaches;  // the control gets the key (a letter: its character)
    int focus;
    std::vector<int> commands;
  } cases[] = {
      {"Tab moves on", 0, VK_TAB, false, kNext, {}},
      {"DLGC_WANTTAB keeps Tab", DLGC_WANTTAB, VK_TAB, true, kCustom, {}},
      {"Down moves within the group", 0, VK_DOWN, false, kNext, {}},
      {"DLGC_WANTARROWS keeps Down", DLGC_WANTARROWS, VK_DOWN, true, kCustom, {}},
      {"Enter presses the default button", 0, VK_RETURN, false, kCustom, {IDOK}},
      {"Esc gives IDCANCEL", DLGC_WANTARROWS | DLGC_WANTTAB, VK_ESCAPE, false, kCustom, {IDCANCEL}},
      {"DLGC_WANTALLKEYS keeps Enter", DLGC_WANTALLKEYS, VK_RETURN, true, kCustom, {}},
      {"DLGC_WANTALLKEYS keeps Esc", DLGC_WANTALLKEYS, VK_ESCAPE, true, kCustom, {}},
      {"DLGC_WANTALLKEYS keeps Tab", DLGC_WANTALLKEYS, VK_TAB, true, kCustom, {}},
      {"a letter is a mnemonic", 0, 'A', false, kCustom, {kApply}},
      {"DLGC_WANTCHARS keeps the letter", DLGC_WANTCHARS, 'A', true, kCustom, {}},
      {"F1 is the dialog's even with DLGC_WANTALLKEYS", DLGC_WANTALLKEYS, VK_F1, false, kCustom, {}},
  };
  for (const Case& c : cases) {
    code = c.code;
    SetFocus(custom);
    reached.clear();
    commands.clear();
    InjectKeyPress(c.key);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
      if (!IsDialogMessage(hdlg, &msg)) DispatchMessage(&msg);
    const UINT kind = c.key == 'A' ? WM_CHAR : WM_KEYDOWN;
    const bool got = std::any_of(reached.begin(), reached.end(), [&](const auto& r) { return r.first == kind; });
    EXPECT_EQ(got, c.reaches) << c.what;
    EXPECT_EQ(GetFocus() ? GetDlgCtrlID(GetFocus()) : -1, c.focus) << c.what;
    EXPECT_EQ(commands, c.commands) << c.what;
  }
  DestroyWindow(hdlg);
  keys_handler = nullptr;
}

class DialogIdleTest : public UiFixture {};

TEST_F(DialogIdleTest, TheOwnerHearsEnterIdleEachTimeTheModalQueueRunsEmpty) {
  struct Case {
    const char* what;
    DWORD style;
    int idle_messages;
  };
  const Case cases[] = {{"a plain modal dialog", 0, 2}, {"DS_NOIDLEMSG keeps it quiet", DS_NOIDLEMSG, 0}};
  for (const Case& c : cases) {
    std::vector<std::pair<WPARAM, HWND>> idles;
    HWND running = nullptr;
    handler = [&](HWND, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
      if (message != WM_ENTERIDLE) return kDefault;
      const HWND dialog = reinterpret_cast<HWND>(lParam);
      idles.emplace_back(wParam, dialog);
      // The first idle sends the dialog something to do; the second ends it.
      if (idles.size() == 1) PostMessage(dialog, WM_USER + 1, 0, 0);
      else EndDialog(dialog, 7);
      return 0;
    };
    const HWND owner = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    keys_handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> INT_PTR {
      if (message == WM_INITDIALOG) {
        running = hwnd;
        if (c.style & DS_NOIDLEMSG) SetTimer(hwnd, 1, 50, nullptr);
      }
      if (message == WM_TIMER) EndDialog(hwnd, 7);
      return FALSE;
    };
    const DialogTemplate dialog = OptionsDialog(c.style);
    EXPECT_EQ(DialogBoxIndirectParam(&dialog, owner, KeysDialogProc, 0), 7) << c.what;
    ASSERT_EQ(static_cast<int>(idles.size()), c.idle_messages) << c.what;
    for (const auto& [why, from] : idles) {
      EXPECT_EQ(why, static_cast<WPARAM>(MSGF_DIALOGBOX)) << c.what;
      EXPECT_EQ(from, running) << c.what;
    }
    DestroyWindow(owner);
    keys_handler = nullptr;
  }
}

class DialogColourTest : public UiFixture {};

TEST_F(DialogColourTest, TheDialogsBackgroundIsTheBrushItsProcedureGives) {
  struct Case {
    const char* what;
    bool answer;
    COLORREF expected;
  };
  const COLORREF teal = RGB(0, 128, 128);
  const HBRUSH brush = CreateSolidBrush(teal);
  const Case cases[] = {{"the face colour by default", false, GetSysColor(COLOR_3DFACE)},
                        {"the procedure's brush for WM_CTLCOLORDLG", true, teal}};
  for (const Case& c : cases) {
    keys_handler = [&](HWND, UINT message, WPARAM, LPARAM) -> INT_PTR {
      if (message == WM_CTLCOLORDLG && c.answer) return reinterpret_cast<INT_PTR>(brush);
      return FALSE;
    };
    const DialogTemplate dialog = OptionsDialog(WS_VISIBLE);
    const HWND hdlg = CreateDialogIndirectParam(&dialog, nullptr, KeysDialogProc, 0);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
    // A client point no control covers: right of the group box, above the buttons.
    POINT client{300, 150};
    ClientToScreen(hdlg, &client);
    RECT window;
    GetWindowRect(hdlg, &window);
    cairo_surface_t* buffer = GetBackBuffer(hdlg);
    ASSERT_TRUE(buffer) << c.what;
    cairo_surface_flush(buffer);
    const unsigned char* row =
        cairo_image_surface_get_data(buffer) + (client.y - window.top) * cairo_image_surface_get_stride(buffer);
    const std::uint32_t pixel = reinterpret_cast<const std::uint32_t*>(row)[client.x - window.left];
    EXPECT_EQ(RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF), c.expected) << c.what;
    DestroyWindow(hdlg);
    keys_handler = nullptr;
  }
  DeleteObject(brush);
}

}  // namespace
}  // namespace ui::test

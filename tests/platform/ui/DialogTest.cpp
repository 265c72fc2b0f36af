#include "UiFixture.h"

namespace ui::test {
namespace {

class DialogTest : public UiFixture {};

DialogTemplate SmallDialog() {
  DialogTemplate dialog;
  dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  dialog.cx = 200;
  dialog.cy = 100;
  dialog.caption = "Test";
  dialog.items = {
      {"Edit", "", 100, WS_VISIBLE | WS_TABSTOP | WS_BORDER, 0, 10, 10, 100, 12},
      {"Static", "Label", 101, WS_VISIBLE, 0, 10, 30, 100, 8},
      {"Button", "OK", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 10, 80, 50, 14},
      {"Button", "Cancel", IDCANCEL, WS_VISIBLE | WS_TABSTOP, 0, 70, 80, 50, 14},
  };
  return dialog;
}

// The dialog procedure of a test: a table of reactions per message.
std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)> dialog_handler;
INT_PTR TestDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return dialog_handler ? dialog_handler(hwnd, message, wParam, lParam) : FALSE;
}

TEST_F(DialogTest, ATemplateMakesItsControlsWithIdsInPixelsFromDialogUnits) {
  const DialogTemplate dialog = SmallDialog();
  const HWND hdlg = CreateDialogIndirectParam(&dialog, nullptr, nullptr, 0);
  ASSERT_TRUE(hdlg);
  EXPECT_EQ(GetClassName(hdlg), "#32770");
  EXPECT_EQ(GetWindowTextString(hdlg), "Test");
  const HWND edit = GetDlgItem(hdlg, 100);
  ASSERT_TRUE(edit);
  EXPECT_EQ(GetClassName(edit), "Edit");
  EXPECT_EQ(GetDlgCtrlID(edit), 100);
  EXPECT_EQ(GetDlgItemTextString(hdlg, 101), "Label");
  RECT rect;
  GetWindowRect(edit, &rect);
  POINT client_origin{0, 0};
  ClientToScreen(hdlg, &client_origin);
  EXPECT_EQ(rect.left - client_origin.x, 15);  // 10 units x 6 / 4
  EXPECT_EQ(rect.top - client_origin.y, 16);   // 10 units x 13 / 8
  EXPECT_EQ(rect.right - rect.left, 150);
  EXPECT_EQ(GetFocus(), edit);  // the first tab stop when WM_INITDIALOG says so
  EXPECT_EQ(GetDlgItem(hdlg, 555), nullptr);
}

TEST_F(DialogTest, AModalLoopEndsByEndDialogAndReturnsItsResultWithTheOwnerEnabledAgain) {
  const HWND owner = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  bool owner_disabled_inside = false;
  dialog_handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> INT_PTR {
    if (message == WM_INITDIALOG) SetTimer(hwnd, 1, 250, nullptr);
    if (message == WM_TIMER) {
      owner_disabled_inside = !IsWindowEnabled(owner);
      EndDialog(hwnd, 42);
    }
    return FALSE;
  };
  const DialogTemplate dialog = SmallDialog();
  EXPECT_EQ(DialogBoxIndirectParam(&dialog, owner, TestDialogProc, 0), 42);
  EXPECT_TRUE(owner_disabled_inside);
  EXPECT_TRUE(IsWindowEnabled(owner));
  dialog_handler = nullptr;
}

TEST_F(DialogTest, NestedModalLoopsEndInnermostFirst) {
  std::vector<INT_PTR> results;
  const DialogTemplate dialog = SmallDialog();
  dialog_handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM lParam) -> INT_PTR {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtr(hwnd, DWLP_USER, lParam);
      SetTimer(hwnd, 1, lParam == 1 ? 100 : 300, nullptr);
    }
    if (message == WM_TIMER) {
      KillTimer(hwnd, 1);
      const LONG_PTR level = GetWindowLongPtr(hwnd, DWLP_USER);
      if (level == 1) results.push_back(DialogBoxIndirectParam(&dialog, hwnd, TestDialogProc, 2));
      EndDialog(hwnd, 10 + level);
    }
    return FALSE;
  };
  results.push_back(DialogBoxIndirectParam(&dialog, nullptr, TestDialogProc, 1));
  EXPECT_EQ(results, (std::vector<INT_PTR>{12, 11}));
  dialog_handler = nullptr;
}

TEST_F(DialogTest, QuitInsideAModalLoopEndsItAndReachesTheOuterLoop) {
  dialog_handler = [&](HWND, UINT message, WPARAM, LPARAM) -> INT_PTR {
    if (message == WM_INITDIALOG) PostQuitMessage(3);
    return FALSE;
  };
  const DialogTemplate dialog = SmallDialog();
  EXPECT_EQ(DialogBoxIndirectParam(&dialog, nullptr, TestDialogProc, 0), IDCANCEL);
  MSG msg;
  EXPECT_EQ(GetMessage(&msg, nullptr, 0, 0), 0);
  EXPECT_EQ(msg.wParam, 3u);
  dialog_handler = nullptr;
}

TEST_F(DialogTest, KeysNavigateAndAnswerWithTheDefaultAndCancelButtons) {
  std::vector<int> commands;
  dialog_handler = [&](HWND, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) commands.push_back(LOWORD(wParam));
    return message == WM_COMMAND || message == WM_INITDIALOG;
  };
  const DialogTemplate dialog = SmallDialog();
  const HWND hdlg = CreateDialogIndirectParam(&dialog, nullptr, TestDialogProc, 0);
  ShowWindow(hdlg, SW_SHOW);
  auto key = [&](WPARAM vk) {
    MSG msg;
    msg.hwnd = GetFocus();
    msg.message = WM_KEYDOWN;
    msg.wParam = vk;
    IsDialogMessage(hdlg, &msg);
  };
  ASSERT_EQ(GetFocus(), GetDlgItem(hdlg, 100));
  key(VK_TAB);
  EXPECT_EQ(GetFocus(), GetDlgItem(hdlg, IDOK));
  key(VK_TAB);
  EXPECT_EQ(GetFocus(), GetDlgItem(hdlg, IDCANCEL));
  key(VK_TAB);
  EXPECT_EQ(GetFocus(), GetDlgItem(hdlg, 100));  // the static is no tab stop
  key(VK_RETURN);
  key(VK_ESCAPE);
  SendMessage(hdlg, WM_CLOSE, 0, 0);  // a dialog's close box is Cancel
  EXPECT_EQ(commands, (std::vector<int>{IDOK, IDCANCEL, IDCANCEL}));
  EXPECT_TRUE(IsWindow(hdlg));
  dialog_handler = nullptr;
}

TEST_F(DialogTest, ItemIntegersAreReadStrictly) {
  const DialogTemplate dialog = SmallDialog();
  const HWND hdlg = CreateDialogIndirectParam(&dialog, nullptr, nullptr, 0);
  struct Case {
    const char* text;
    BOOL is_signed;
    BOOL translated;
    UINT value;
  };
  const Case cases[] = {{"42", FALSE, TRUE, 42},          {" -7 ", TRUE, TRUE, static_cast<UINT>(-7)},
                        {"-7", FALSE, FALSE, 0},          {"12x", TRUE, FALSE, 0},
                        {"", TRUE, FALSE, 0},             {"4294967295", FALSE, TRUE, 4294967295u},
                        {"4294967296", FALSE, FALSE, 0},  {"2147483648", TRUE, FALSE, 0}};
  for (const Case& c : cases) {
    SetDlgItemText(hdlg, 100, c.text);
    BOOL translated = -1;
    EXPECT_EQ(GetDlgItemInt(hdlg, 100, &translated, c.is_signed), c.value) << c.text;
    EXPECT_EQ(translated, c.translated) << c.text;
  }
}

TEST_F(DialogTest, ResourcesAreFoundByIdAndAcceleratorsBecomeCommands) {
  RegisterDialogResource(130, SmallDialog());
  RegisterStringResource(57344, "Briven");
  RegisterAcceleratorResource(128, {{FVIRTKEY | FCONTROL, 'C', 32775}, {FVIRTKEY, VK_RETURN, 32791}});
  ASSERT_TRUE(FindDialogResource(130));
  EXPECT_EQ(FindDialogResource(130)->items.size(), 4u);
  EXPECT_EQ(FindDialogResource(131), nullptr);
  char title[4];
  EXPECT_EQ(LoadString(57344, title, sizeof title), 3);
  EXPECT_STREQ(title, "Bri");

  std::vector<WPARAM> commands;
  handler = [&](HWND, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
    if (message == WM_COMMAND) commands.push_back(wParam);
    return kDefault;
  };
  const HWND frame = MakeWindow();
  const HACCEL accel = LoadAccelerators(128);
  ASSERT_TRUE(accel);
  MSG msg;
  msg.hwnd = frame;
  msg.message = WM_KEYDOWN;
  msg.wParam = 'C';
  EXPECT_FALSE(TranslateAccelerator(frame, accel, &msg));  // Ctrl is up
  MSG control = msg;
  control.wParam = VK_CONTROL;
  DispatchMessage(&control);
  EXPECT_TRUE(TranslateAccelerator(frame, accel, &msg));
  control.message = WM_KEYUP;
  DispatchMessage(&control);
  msg.wParam = VK_RETURN;
  EXPECT_TRUE(TranslateAccelerator(frame, accel, &msg));
  EXPECT_EQ(commands, (std::vector<WPARAM>{MAKEWPARAM(32775, 1), MAKEWPARAM(32791, 1)}));
  EXPECT_FALSE(TranslateAccelerator(frame, reinterpret_cast<HACCEL>(&msg), &msg));
}

TEST_F(DialogTest, ScriptedInputDrivesAModalDialog) {
  std::string typed;
  dialog_handler = [&](HWND hwnd, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
      typed = GetDlgItemTextString(hwnd, 100);
      EndDialog(hwnd, IDOK);
      return TRUE;
    }
    return FALSE;
  };
  GetHeadlessHost().AddScriptStep([] { PostText("a1"); });
  GetHeadlessHost().AddScriptStep([] { PostKeyPress(VK_RETURN); });
  const DialogTemplate dialog = SmallDialog();
  EXPECT_EQ(DialogBoxIndirectParam(&dialog, nullptr, TestDialogProc, 0), IDOK);
  EXPECT_EQ(typed, "a1");
  EXPECT_EQ(GetHeadlessHost().PendingScriptSteps(), 0u);
  dialog_handler = nullptr;
}

TEST_F(DialogTest, AClickReachesTheControlUnderThePointUnlessItIsDisabled) {
  std::vector<int> clicked;
  dialog_handler = [&](HWND, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) clicked.push_back(LOWORD(wParam));
    return message == WM_COMMAND;
  };
  const DialogTemplate dialog = SmallDialog();
  const HWND hdlg = CreateDialogIndirectParam(&dialog, nullptr, TestDialogProc, 0);
  ShowWindow(hdlg, SW_SHOW);
  EXPECT_TRUE(PostClick(hdlg, POINT{20, 135}));      // OK: 15,130 to 90,152
  EnableWindow(GetDlgItem(hdlg, IDCANCEL), FALSE);
  EXPECT_FALSE(PostClick(hdlg, POINT{110, 135}));    // Cancel, disabled
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  EXPECT_EQ(clicked, (std::vector<int>{IDOK}));
  dialog_handler = nullptr;
}

std::vector<std::string> combo_items;
LRESULT RecordingComboProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == CB_ADDSTRING) {
    combo_items.push_back(reinterpret_cast<const char*>(lParam));
    return static_cast<LRESULT>(combo_items.size() - 1);
  }
  return DefWindowProc(hwnd, message, wParam, lParam);
}

TEST_F(DialogTest, ATemplatesComboBoxGetsItsInitialItemsInOrder) {
  WNDCLASS wc;
  wc.lpfnWndProc = RecordingComboProc;
  wc.lpszClassName = "BrivenRecordingCombo";
  RegisterClass(wc);
  combo_items.clear();
  DialogTemplate dialog = SmallDialog();
  DialogItemTemplate combo{"BrivenRecordingCombo", "", 102, WS_VISIBLE | WS_TABSTOP, 0, 10, 50, 100, 60};
  combo.items = {"Binary", "ASCII", "Both"};
  dialog.items.push_back(combo);
  const HWND hdlg = CreateDialogIndirectParam(&dialog, nullptr, nullptr, 0);
  ASSERT_TRUE(hdlg);
  EXPECT_EQ(combo_items, (std::vector<std::string>{"Binary", "ASCII", "Both"}));
  DestroyWindow(hdlg);
}

}  // namespace
}  // namespace ui::test

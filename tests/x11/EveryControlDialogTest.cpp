// A dialog with every control kind on a real display, driven by xdotool as
// a person drives it: typing into the edit (punctuation too), picking from
// the combo box's dropped list, ticking the check box, moving through the
// radio group and the list, Tab around and Enter. The values the dialog
// hands back are checked, and screenshots (the list dropped, then the
// filled dialog with OK's tooltip) are written for a person to look at.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/ui/WinApi.h"
#include "tests/x11/ChildProcess.h"
#include "tests/x11/X11Session.h"

namespace {

using namespace ui;

constexpr int kName = 100, kFormat = 101, kAppend = 102, kFast = 103, kExact = 104, kRaw = 105, kFiles = 106,
              kProgress = 107, kScroll = 108, kLog = 109, kIcon = 110, kStatus = 111;

DialogTemplate EveryControl() {
  DialogTemplate dialog;
  dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
  dialog.x = 20;
  dialog.y = 20;
  dialog.cx = 360;
  dialog.cy = 182;
  dialog.caption = "Every control";
  const DWORD tab = WS_VISIBLE | WS_TABSTOP;
  dialog.items = {
      {"Static", "&Name:", -1, WS_VISIBLE, 0, 7, 9, 40, 8},
      {"Edit", "", kName, tab | WS_BORDER | ES_AUTOHSCROLL, 0, 50, 7, 120, 12},
      {"Static", "&Format:", -1, WS_VISIBLE, 0, 7, 27, 40, 8},
      {"ComboBox", "", kFormat, tab | CBS_DROPDOWNLIST, 0, 50, 25, 120, 60, {"ASCII", "CSV", "Binary"}},
      {"Button", "&Append to the output", kAppend, tab | BS_AUTOCHECKBOX, 0, 7, 44, 120, 10},
      {"Button", "Mode", -1, WS_VISIBLE | BS_GROUPBOX, 0, 7, 58, 110, 50},
      {"Button", "&Fast", kFast, tab | WS_GROUP | BS_AUTORADIOBUTTON, 0, 14, 70, 90, 10},
      {"Button", "&Exact", kExact, WS_VISIBLE | BS_AUTORADIOBUTTON, 0, 14, 82, 90, 10},
      {"Button", "&Raw", kRaw, WS_VISIBLE | BS_AUTORADIOBUTTON, 0, 14, 94, 90, 10},
      {"ListBox", "", kFiles, tab | WS_GROUP | WS_BORDER | LBS_NOTIFY, 0, 125, 44, 118, 64},
      {"msctls_progress32", "", kProgress, WS_VISIBLE | WS_BORDER, 0, 7, 114, 236, 8},
      {"ScrollBar", "", kScroll, WS_VISIBLE | SBS_HORZ, 0, 7, 126, 236, 9},
      {"Button", "OK", IDOK, tab | WS_GROUP | BS_DEFPUSHBUTTON, 0, 136, 148, 50, 14},
      {"Button", "Cancel", IDCANCEL, tab | BS_PUSHBUTTON, 0, 193, 148, 50, 14},
      // Shown, not driven: a picture, a frame, the read-only log and a status bar.
      {"Static", "", kIcon, WS_VISIBLE | SS_ICON, 0, 252, 7, 20, 20},
      {"Static", "", -1, WS_VISIBLE | SS_ETCHEDFRAME, 0, 250, 36, 104, 100},
      {"Edit", "", kLog, WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY, 0, 254, 40, 96, 92},
      {"msctls_statusbar32", "", kStatus, WS_VISIBLE | SBARS_SIZEGRIP | CCS_BOTTOM, 0, 0, 0, 0, 0},
  };
  return dialog;
}

// What the dialog hands back on OK.
struct Answer {
  bool done = false;
  int result = 0;
  std::string name;
  LRESULT format = -1;
  UINT append = 0;
  int mode = 0;
  LRESULT file = -1;
};
Answer answer;

INT_PTR EveryControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    SendDlgItemMessage(hwnd, kFormat, CB_SETCURSEL, 0, 0);
    CheckRadioButton(hwnd, kFast, kRaw, kFast);
    for (const char* file : {"flight_0411.raw", "flight_0412.raw", "flight_0413.raw"})
      SendDlgItemMessage(hwnd, kFiles, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(file));
    SendDlgItemMessage(hwnd, kProgress, PBM_SETPOS, 60, 0);
    SendDlgItemMessage(hwnd, kIcon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIcon(IDI_EXCLAMATION)), 0);
    std::string log;
    for (int i = 1; i <= 30; ++i) log += "Frame " + std::to_string(i) + ": ok\r\n";
    SetDlgItemText(hwnd, kLog, log.c_str());
    const int parts[] = {120, 240, -1};
    SendDlgItemMessage(hwnd, kStatus, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
    SendDlgItemMessage(hwnd, kStatus, SB_SETTEXT, 0, reinterpret_cast<LPARAM>("Ready"));
    SendDlgItemMessage(hwnd, kStatus, SB_SETTEXT, 1, reinterpret_cast<LPARAM>("3 files"));
    return TRUE;
  }
  if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return FALSE;
  const int id = LOWORD(wParam);
  if (id != IDOK && id != IDCANCEL) return FALSE;
  answer.done = true;
  answer.result = id;
  answer.name = GetDlgItemTextString(hwnd, kName);
  answer.format = SendDlgItemMessage(hwnd, kFormat, CB_GETCURSEL, 0, 0);
  answer.append = IsDlgButtonChecked(hwnd, kAppend);
  for (int radio : {kFast, kExact, kRaw})
    if (IsDlgButtonChecked(hwnd, radio) == BST_CHECKED) answer.mode = radio;
  answer.file = SendDlgItemMessage(hwnd, kFiles, LB_GETCURSEL, 0, 0);
  return TRUE;
}

// Runs a helper while our loop gives the dialog its keys, as a modeless
// dialog's loop does; then lets what the helper typed arrive.
void DriveDialog(HWND dialog, const std::vector<std::string>& argv, const std::function<bool()>& settled) {
  x11test::ChildProcess child(argv);
  const UINT_PTR tick = SetTimer(dialog, 77, 5, nullptr);  // bounds each wait
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  bool helper_done = false;
  while (std::chrono::steady_clock::now() < deadline) {
    if (!helper_done) helper_done = child.Finished();
    if (helper_done && settled()) break;
    MSG msg;
    if (GetMessage(&msg, nullptr, 0, 0) <= 0) break;
    if (IsDialogMessage(dialog, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  KillTimer(dialog, tick);
  EXPECT_TRUE(helper_done) << argv[0] << " did not end";
  EXPECT_EQ(child.ExitCode(), 0) << argv[0];
}

TEST(EveryControlDialog, KeysFromTheDisplayFillEveryControlAndEnterHandsTheValuesBack) {
  X11_REQUIRE_HOST();
  answer = Answer{};
  const DialogTemplate dialog = EveryControl();
  const HWND hdlg = CreateDialogIndirectParam(&dialog, nullptr, EveryControlProc, 0);
  ASSERT_TRUE(hdlg);
  x11test::RunHelper({"sh", "-c", "xdotool search --sync --name '^Every control$' windowactivate --sync %1"});
  ASSERT_TRUE(x11test::PumpUntil([&] { return GetActiveWindow() == hdlg; }));
  SetFocus(GetDlgItem(hdlg, kName));
  const HWND list = GetDlgItem(hdlg, kFiles);
  const HWND combo = GetDlgItem(hdlg, kFormat);
  // Type a name with punctuation, Tab to the combo, Alt+Down drops its
  // list, Down moves in it to "CSV".
  DriveDialog(hdlg,
              {"sh", "-c",
               "xdotool type --delay 40 'flight_0412.raw' && "
               "xdotool key --delay 80 Tab alt+Down Down"},
              [&] { return SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0) && SendMessage(combo, CB_GETCURSEL, 0, 0) == 1; });
  EXPECT_TRUE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
  x11test::PumpUntil([] { return false; }, 300);
  x11test::RunHelper({"import", "-window", "root", x11test::ScreenshotFolder() + "/every-control-dialog-combo.png"});
  // Enter takes "CSV" and closes the list without ending the dialog; Tab,
  // space ticks the box; Tab enters the radio group, Down checks "Exact";
  // Tab, Down, Down pick the second file in the list.
  DriveDialog(hdlg, {"xdotool", "key", "--delay", "80", "Return", "Tab", "space", "Tab", "Down", "Tab", "Down", "Down"},
              [&] { return SendMessage(list, LB_GETCURSEL, 0, 0) == 1; });
  EXPECT_FALSE(answer.done);
  EXPECT_EQ(GetFocus(), list);
  // The pointer resting on OK shows its tooltip after the initial delay. It
  // moves on a little after the jump, as a hand does: the display tells of a
  // pointer jumping into a window only as an entry, and the moves after it.
  const HWND tip = CreateWindowEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, "", WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, hdlg,
                                  nullptr, nullptr);
  TOOLINFO tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hdlg;
  tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(hdlg, IDOK));
  tool.lpszText = const_cast<char*>("Convert with these settings");
  ASSERT_TRUE(SendMessage(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&tool)));
  RECT ok;
  GetWindowRect(GetDlgItem(hdlg, IDOK), &ok);
  DriveDialog(hdlg,
              {"sh", "-c", "xdotool mousemove --sync " + std::to_string((ok.left + ok.right) / 2) + " " +
               std::to_string((ok.top + ok.bottom) / 2) + " && sleep 0.2 && xdotool mousemove_relative --sync 2 1 && sleep 0.2 && xdotool mousemove_relative --sync 1 1"},
              [&] { return IsWindowVisible(tip) != FALSE; });
  EXPECT_TRUE(IsWindowVisible(tip));
  x11test::PumpUntil([] { return false; }, 300);  // the last paints reach the screen
  const std::string path = x11test::ScreenshotFolder() + "/every-control-dialog.png";
  x11test::RunHelper({"import", "-window", "root", path});
  DriveDialog(hdlg, {"xdotool", "key", "Return"}, [] { return answer.done; });
  ASSERT_TRUE(answer.done);
  EXPECT_EQ(answer.result, IDOK);
  EXPECT_EQ(answer.name, "flight_0412.raw");
  EXPECT_EQ(answer.format, 1);
  EXPECT_EQ(answer.append, BST_CHECKED);
  EXPECT_EQ(answer.mode, kExact);
  EXPECT_EQ(answer.file, 1);
  DestroyWindow(hdlg);
}

}  // namespace

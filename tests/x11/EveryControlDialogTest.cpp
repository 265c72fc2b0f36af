// A dialog with every control kind on a real display, driven by xdotool as
// a person drives it: typing into the edit, picking from the combo box
// with the keyboard, ticking the check box, moving through the radio group
// and the list, Tab around and Enter. The values the dialog hands back are
// checked, and a screenshot is written for a person to look at.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/ui/WinApi.h"
#include "tests/x11/ChildProcess.h"
#include "tests/x11/X11Session.h"

namespace {

using namespace ui;

constexpr int kName = 100, kFormat = 101, kAppend = 102, kFast = 103, kExact = 104, kRaw = 105, kFiles = 106,
              kProgress = 107, kScroll = 108;

DialogTemplate EveryControl() {
  DialogTemplate dialog;
  dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
  dialog.x = 20;
  dialog.y = 20;
  dialog.cx = 250;
  dialog.cy = 170;
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
  // Type, then: Tab to the combo, Down picks "CSV"; Tab, space ticks the
  // box; Tab enters the radio group, Down checks "Exact"; Tab, Down, Down
  // pick the second file in the list.
  DriveDialog(hdlg,
              {"sh", "-c",
               "xdotool type --delay 40 flight && "
               "xdotool key --delay 80 Tab Down Tab space Tab Down Tab Down Down"},
              [&] { return SendMessage(list, LB_GETCURSEL, 0, 0) == 1; });
  EXPECT_EQ(GetFocus(), list);
  x11test::PumpUntil([] { return false; }, 300);  // the last paints reach the screen
  const std::string path = x11test::ScreenshotFolder() + "/every-control-dialog.png";
  x11test::RunHelper({"import", "-window", "root", path});
  DriveDialog(hdlg, {"xdotool", "key", "Return"}, [] { return answer.done; });
  ASSERT_TRUE(answer.done);
  EXPECT_EQ(answer.result, IDOK);
  EXPECT_EQ(answer.name, "flight");
  EXPECT_EQ(answer.format, 1);
  EXPECT_EQ(answer.append, BST_CHECKED);
  EXPECT_EQ(answer.mode, kExact);
  EXPECT_EQ(answer.file, 1);
  DestroyWindow(hdlg);
}

}  // namespace

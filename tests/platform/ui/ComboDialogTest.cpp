// A dropped combo list in a dialog: Enter and Esc end the drop and leave
// the dialog's buttons alone; once it is closed they answer as before.
#include <filesystem>
#include <vector>

#include "UiFixture.h"

namespace ui::test {
namespace {

class ComboDialogTest : public UiFixture {};

std::vector<int>* dialog_commands = nullptr;
INT_PTR CommandsDialogProc(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && dialog_commands)
    dialog_commands->push_back(LOWORD(wParam));
  return message == WM_COMMAND || message == WM_INITDIALOG;
}

TEST_F(ComboDialogTest, EnterAndEscEndTheDropBeforeTheyReachTheButtons) {
  for (const DWORD kind : {CBS_DROPDOWNLIST, CBS_DROPDOWN}) {
    SCOPED_TRACE(kind == CBS_DROPDOWN ? "drop-down" : "drop list");
    DialogTemplate dialog;
    dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    dialog.cx = 200;
    dialog.cy = 100;
    dialog.caption = "Test";
    dialog.items = {
        {"ComboBox", "", 100, WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | kind, 0, 10, 10, 100, 60},
        {"Button", "OK", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 10, 80, 50, 14},
        {"Button", "Cancel", IDCANCEL, WS_VISIBLE | WS_TABSTOP, 0, 70, 80, 50, 14},
    };
    std::vector<int> commands;
    dialog_commands = &commands;
    const HWND hdlg = CreateDialogIndirectParam(&dialog, nullptr, CommandsDialogProc, 0);
    ShowWindow(hdlg, SW_SHOW);
    const HWND combo = GetDlgItem(hdlg, 100);
    for (const char* name : {"Ascii", "Binary", "Hex"})
      SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    SendMessage(combo, CB_SETCURSEL, 0, 0);
    SetFocus(combo);
    const auto key = [&](WPARAM vk) {
      MSG msg{};
      msg.hwnd = GetFocus();
      msg.message = WM_KEYDOWN;
      msg.wParam = vk;
      IsDialogMessage(hdlg, &msg);
    };
    SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
    key(VK_DOWN);
    if (kind == CBS_DROPDOWNLIST) {
      // A picture of the open list over its dialog, for a person to look at.
      MSG msg;
      while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
      const std::filesystem::path png = std::filesystem::path(BRIVEN_TEST_BINARY_DIR) / "combo-dropped.png";
      EXPECT_TRUE(GetHeadlessHost().DumpScreenPng(png.string()));
    }
    key(VK_RETURN);  // takes Binary
    EXPECT_EQ(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0), FALSE);
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 1);
    SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
    key(VK_DOWN);
    key(VK_ESCAPE);  // back to Binary
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(commands.empty());
    key(VK_RETURN);
    key(VK_ESCAPE);
    EXPECT_EQ(commands, (std::vector<int>{IDOK, IDCANCEL}));
    dialog_commands = nullptr;
    DestroyWindow(hdlg);
  }
}

// The dialog ends, or goes, while a list is dropped: the list goes with it
// and the mouse is free again.
TEST_F(ComboDialogTest, ADialogEndedOrDestroyedWithItsListDroppedLeavesNoListOrCapture) {
  const auto dropped_lists = [] {
    int count = 0;
    for (HWND top = GetTopWindow(nullptr); top; top = GetWindow(top, GW_HWNDNEXT))
      if (GetClassName(top) == "ComboLBox" && IsWindowVisible(top)) ++count;
    return count;
  };
  DialogTemplate dialog;
  dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
  dialog.cx = 200;
  dialog.cy = 100;
  dialog.caption = "Test";
  dialog.items = {
      {"ComboBox", "", 100, WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 10, 10, 100, 60, {"Ascii", "Hex"}},
      {"Button", "OK", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 10, 80, 50, 14},
  };
  // Modeless, destroyed while dropped.
  const HWND hdlg = CreateDialogIndirectParam(&dialog, nullptr, CommandsDialogProc, 0);
  const HWND combo = GetDlgItem(hdlg, 100);
  SetFocus(combo);
  SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
  ASSERT_EQ(dropped_lists(), 1);
  ASSERT_NE(GetCapture(), nullptr);
  DestroyWindow(hdlg);
  EXPECT_EQ(dropped_lists(), 0);
  EXPECT_EQ(GetCapture(), nullptr);
  // Modal, ended by its owner's timer while dropped.
  const HWND owner = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND running = nullptr;
  handler = [&](HWND, UINT message, WPARAM, LPARAM lParam) -> LRESULT {
    if (message != WM_ENTERIDLE) return kDefault;
    running = reinterpret_cast<HWND>(lParam);
    const HWND list_combo = GetDlgItem(running, 100);
    if (!SendMessage(list_combo, CB_GETDROPPEDSTATE, 0, 0)) {
      SetFocus(list_combo);
      SendMessage(list_combo, CB_SHOWDROPDOWN, TRUE, 0);
    } else {
      EndDialog(running, 5);
    }
    return 0;
  };
  EXPECT_EQ(DialogBoxIndirectParam(&dialog, owner, CommandsDialogProc, 0), 5);
  EXPECT_FALSE(IsWindow(running));
  EXPECT_EQ(dropped_lists(), 0);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(owner));
  DestroyWindow(owner);
}

}  // namespace
}  // namespace ui::test

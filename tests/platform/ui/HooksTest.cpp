#include "UiFixture.h"

namespace ui::test {
namespace {

class HooksTest : public UiFixture {
 protected:
  void TearDown() override {
    for (HHOOK hook : installed) UnhookWindowsHookEx(hook);
    UiFixture::TearDown();
  }
  HHOOK Install(int kind, HOOKPROC proc) {
    const HHOOK hook = SetWindowsHookEx(kind, proc, nullptr, 0);
    if (hook) installed.push_back(hook);
    return hook;
  }
  std::vector<HHOOK> installed;
};

std::vector<std::string> calls;
HHOOK first_hook = nullptr, second_hook = nullptr;

LRESULT FirstKeyboardHook(int code, WPARAM key, LPARAM lParam) {
  calls.push_back("first " + std::to_string(key));
  return CallNextHookEx(first_hook, code, key, lParam);
}

LRESULT SecondKeyboardHook(int code, WPARAM key, LPARAM lParam) {
  calls.push_back("second " + std::to_string(key));
  if (key == 'Q') return 1;  // swallowed
  return CallNextHookEx(second_hook, code, key, lParam);
}

TEST_F(HooksTest, KeyboardHooksRunNewestFirstAndMaySwallowAKey) {
  calls.clear();
  std::vector<WPARAM> delivered;
  handler = [&](HWND, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
    if (message == WM_KEYDOWN) delivered.push_back(wParam);
    return kDefault;
  };
  const HWND hwnd = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  first_hook = Install(WH_KEYBOARD, FirstKeyboardHook);
  second_hook = Install(WH_KEYBOARD, SecondKeyboardHook);
  PostMessage(hwnd, WM_KEYDOWN, 'Q', 0);
  PostMessage(hwnd, WM_KEYDOWN, 'A', 0);
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  EXPECT_EQ(delivered, (std::vector<WPARAM>{'A'}));
  EXPECT_EQ(calls, (std::vector<std::string>{"second 81", "second 65", "first 65"}));
  EXPECT_TRUE(UnhookWindowsHookEx(second_hook));
  EXPECT_FALSE(UnhookWindowsHookEx(second_hook));
  installed.erase(installed.begin() + 1);
}

TEST_F(HooksTest, OnlyTheCallersOwnThreadCanBeHooked) {
  EXPECT_EQ(SetWindowsHookEx(WH_KEYBOARD, FirstKeyboardHook, nullptr, GetCurrentThreadId() + 1000), nullptr);
  EXPECT_EQ(SetWindowsHookEx(99, FirstKeyboardHook, nullptr, 0), nullptr);
}

POINT hooked_point;
LRESULT MouseHook(int, WPARAM, LPARAM lParam) {
  hooked_point = reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam)->pt;
  return 0;
}

TEST_F(HooksTest, MouseHooksSeeTheScreenPoint) {
  const HWND hwnd = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, 0, RECT{100, 200, 300, 400});
  Install(WH_MOUSE, MouseHook);
  PostMessage(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 7));
  MSG msg;
  ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE));
  POINT expected{5, 7};
  ClientToScreen(hwnd, &expected);
  EXPECT_EQ(hooked_point, expected);
}

int filtered = 0;
LRESULT FilterHook(int code, WPARAM, LPARAM lParam) {
  const MSG* msg = reinterpret_cast<const MSG*>(lParam);
  if (code == MSGF_DIALOGBOX && msg->message == WM_USER + 5) {
    ++filtered;
    EndDialog(GetAncestor(msg->hwnd, GA_ROOT), 77);
    return 1;
  }
  return 0;
}

TEST_F(HooksTest, AModalDialogsMessagesPassTheMessageFilter) {
  filtered = 0;
  Install(WH_MSGFILTER, FilterHook);
  DialogTemplate dialog;
  dialog.style = WS_POPUP | WS_CAPTION;
  dialog.cx = 50;
  dialog.cy = 20;
  GetHeadlessHost().AddScriptStep([] { PostMessage(GetActiveWindow(), WM_USER + 5, 0, 0); });
  EXPECT_EQ(DialogBoxIndirectParam(&dialog, nullptr, nullptr, 0), 77);
  EXPECT_EQ(filtered, 1);
}

}  // namespace
}  // namespace ui::test

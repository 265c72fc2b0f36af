// Shared set-up of the window-system tests: a virtual clock, a stall limit
// so a loop that would wait for ever fails the test, and a window class
// whose procedure the test supplies.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/ui/WinApi.h"

namespace ui::test {

using Handler = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

class UiFixture : public ::testing::Test {
 public:
  // The test procedure; what it leaves (kDefault) goes to DefWindowProc.
  static Handler handler;

 protected:
  void SetUp() override;
  void TearDown() override;

  // A top-level (or child, with WS_CHILD) window of the test class.
  HWND MakeWindow(DWORD style = WS_OVERLAPPEDWINDOW, HWND parent = nullptr, int id = 0, RECT rect = {10, 20, 210, 170});
  // Runs the thread's loop until WM_QUIT; returns its code.
  int RunUntilQuit();

  VirtualClock clock{1000};
};

constexpr const char* kTestClass = "BrivenTestWindow";
// What a test handler returns for a message it leaves to DefWindowProc.
constexpr LRESULT kDefault = -12345;

}  // namespace ui::test

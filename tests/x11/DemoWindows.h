// A small set of our windows for the tests on the display: a captioned
// frame (blue) with a painted child (red), and a borderless tool window
// (green) owned by the frame. Their input messages are recorded.
#pragma once

#include <vector>

#include "platform/ui/WinApi.h"

namespace x11test {

struct DemoMessage {
  ui::HWND hwnd;
  ui::UINT message;
  ui::WPARAM wParam;
  ui::LPARAM lParam;
};

constexpr ui::COLORREF kFrameColour = ui::RGB(0, 0, 255);
constexpr ui::COLORREF kChildColour = ui::RGB(255, 0, 0);
constexpr ui::COLORREF kToolColour = ui::RGB(0, 255, 0);

class DemoWindows {
 public:
  DemoWindows();
  ~DemoWindows();
  DemoWindows(const DemoWindows&) = delete;
  DemoWindows& operator=(const DemoWindows&) = delete;

  // Runs the loop until the window manager has mapped and placed the
  // windows; false when that does not happen in time.
  bool WaitUntilShown();

  // The messages recorded so far, and whether one has come.
  const std::vector<DemoMessage>& Log() const;
  void ClearLog();
  bool Received(ui::HWND hwnd, ui::UINT message) const;
  // A press on the frame captures the mouse until the release.
  void SetCaptureOnPress(bool capture);

  // `client` of `hwnd` on the screen.
  static ui::POINT ScreenPoint(ui::HWND hwnd, ui::POINT client);

  ui::HWND frame = nullptr;
  ui::HWND child = nullptr;
  ui::HWND tool = nullptr;
};

}  // namespace x11test

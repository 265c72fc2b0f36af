#include "tests/x11/DemoWindows.h"

#include "platform/ui/GdiObjects.h"

#include "tests/x11/ChildProcess.h"
#include "tests/x11/X11Session.h"
// GTK's headers define TRUE and FALSE as macros: they come after ours.
#include <wx/frame.h>

namespace x11test {

namespace {

using namespace ui;

std::vector<DemoMessage> g_log;
bool g_capture_on_press = false;

bool IsInput(UINT message) {
  return (message >= WM_MOUSEMOVE && message <= 0x020E) || (message >= WM_KEYDOWN && message <= 0x0109);
}

LRESULT CALLBACK_DemoProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsInput(message)) g_log.push_back({hwnd, message, wParam, lParam});
  if (message == WM_LBUTTONDOWN && g_capture_on_press) SetCapture(hwnd);
  if (message == WM_LBUTTONUP && GetCapture() == hwnd) ReleaseCapture();
  return DefWindowProc(hwnd, message, wParam, lParam);
}

void Register(const char* name, COLORREF colour) {
  WNDCLASS wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = CALLBACK_DemoProc;
  wc.lpszClassName = name;
  wc.hbrBackground = CreateSolidBrush(colour);
  RegisterClass(wc);
}

}  // namespace

DemoWindows::DemoWindows() {
  g_log.clear();
  g_capture_on_press = false;
  Register("BrivenDemoFrame", kFrameColour);
  Register("BrivenDemoChild", kChildColour);
  Register("BrivenDemoTool", kToolColour);
  frame = CreateWindowEx(0, "BrivenDemoFrame", "Briven demo", WS_OVERLAPPEDWINDOW, 100, 100, 400, 300, nullptr,
                         nullptr, nullptr);
  child = CreateWindowEx(0, "BrivenDemoChild", "", WS_CHILD | WS_VISIBLE, 40, 30, 120, 80, frame, nullptr, nullptr);
  tool = CreateWindowEx(WS_EX_TOOLWINDOW, "BrivenDemoTool", "Briven tool", WS_POPUP | WS_BORDER, 600, 150, 150, 100,
                        frame, nullptr, nullptr);
  ShowWindow(frame, SW_SHOW);
  UpdateWindow(frame);
  ShowWindow(tool, SW_SHOWNOACTIVATE);
  UpdateWindow(tool);
}

DemoWindows::~DemoWindows() {
  DestroyWindow(tool);
  DestroyWindow(frame);
  PumpUntil([] { return false; }, 50);  // the host windows go in idle time
}

bool DemoWindows::WaitUntilShown() { return WaitUntilShownAndSteady({frame, tool}, frame); }

const std::vector<DemoMessage>& DemoWindows::Log() const { return g_log; }

void DemoWindows::ClearLog() { g_log.clear(); }

bool DemoWindows::Received(HWND hwnd, UINT message) const {
  for (const DemoMessage& m : g_log)
    if (m.hwnd == hwnd && m.message == message) return true;
  return false;
}

void DemoWindows::SetCaptureOnPress(bool capture) { g_capture_on_press = capture; }

POINT DemoWindows::ScreenPoint(HWND hwnd, POINT client) {
  ClientToScreen(hwnd, &client);
  return client;
}

}  // namespace x11test

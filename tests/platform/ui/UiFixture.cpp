#include "UiFixture.h"

namespace ui::test {

Handler UiFixture::handler;

namespace {
LRESULT TestProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (UiFixture::handler) {
    const LRESULT answer = UiFixture::handler(hwnd, message, wParam, lParam);
    if (answer != kDefault) return answer;
  }
  return DefWindowProc(hwnd, message, wParam, lParam);
}
}  // namespace

void UiFixture::SetUp() {
  SetClock(&clock);
  GetHeadlessHost().SetStallLimit(5000);
  WNDCLASS wc;
  wc.lpfnWndProc = TestProc;
  wc.lpszClassName = kTestClass;
  RegisterClass(wc);  // already there when an earlier test of this process made it
  handler = nullptr;
}

void UiFixture::TearDown() {
  handler = nullptr;
  MSG msg;
  // Pending paints stay until validated, so they are dispatched, not dropped.
  for (int i = 0; i < 1000 && PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE); ++i) DispatchMessage(&msg);
  for (HWND top = GetTopWindow(nullptr); top; top = GetTopWindow(nullptr))
    if (!DestroyWindow(top)) break;
  GetHeadlessHost().ClearScript();
  GetHeadlessHost().SetStallLimit(-1);
  SetClock(nullptr);
}

HWND UiFixture::MakeWindow(DWORD style, HWND parent, int id, RECT rect) {
  return CreateWindowEx(0, kTestClass, "test", style, rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr);
}

int UiFixture::RunUntilQuit() {
  MSG msg;
  int got;
  while ((got = GetMessage(&msg, nullptr, 0, 0)) > 0) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  EXPECT_EQ(got, 0);
  return static_cast<int>(msg.wParam);
}

}  // namespace ui::test

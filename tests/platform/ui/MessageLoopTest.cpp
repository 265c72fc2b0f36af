#include <atomic>
#include <thread>

#include "UiFixture.h"

namespace ui::test {
namespace {

class MessageLoopTest : public UiFixture {};

TEST_F(MessageLoopTest, SentMessagesRunAtOnceAndPostedOnesInOrder) {
  std::vector<UINT> seen;
  handler = [&](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
    if (message >= WM_USER) seen.push_back(message - WM_USER);
    if (message == WM_USER + 9) PostQuitMessage(0);
    return kDefault;
  };
  const HWND hwnd = MakeWindow();
  for (UINT i = 1; i <= 3; ++i) ASSERT_TRUE(PostMessage(hwnd, WM_USER + i, 0, 0));
  SendMessage(hwnd, WM_USER + 7, 0, 0);
  PostMessage(hwnd, WM_USER + 9, 0, 0);
  EXPECT_EQ(seen, (std::vector<UINT>{7}));
  RunUntilQuit();
  EXPECT_EQ(seen, (std::vector<UINT>{7, 1, 2, 3, 9}));
}

TEST_F(MessageLoopTest, MessageSentFromAnotherThreadRunsOnTheWindowsThreadAndReturnsItsResult) {
  const DWORD ui_thread = GetCurrentThreadId();
  std::atomic<DWORD> handled_on{0};
  handler = [&](HWND, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
    if (message == WM_USER + 1) {
      handled_on = GetCurrentThreadId();
      return static_cast<LRESULT>(wParam * 2);
    }
    if (message == WM_USER + 2) PostQuitMessage(static_cast<int>(wParam));
    return kDefault;
  };
  const HWND hwnd = MakeWindow();
  LRESULT result = 0;
  std::thread worker([&] {
    result = SendMessage(hwnd, WM_USER + 1, 21, 0);
    PostMessage(hwnd, WM_USER + 2, 5, 0);
  });
  EXPECT_EQ(RunUntilQuit(), 5);
  worker.join();
  EXPECT_EQ(result, 42);
  EXPECT_EQ(handled_on.load(), ui_thread);
}

TEST_F(MessageLoopTest, SenderAnswersMessagesSentBackWhileItWaits) {
  // The worker's window is sent a message from the window thread while the
  // worker itself waits in SendMessage: both must complete.
  HWND worker_window = nullptr;
  std::atomic<bool> ready{false};
  handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> LRESULT {
    if (message == WM_USER + 1 && hwnd != worker_window) return SendMessage(worker_window, WM_USER + 3, 0, 0) + 1;
    if (message == WM_USER + 3) return 10;
    if (message == WM_USER + 2) PostQuitMessage(0);
    return kDefault;
  };
  const HWND hwnd = MakeWindow();
  LRESULT result = 0;
  std::thread worker([&] {
    worker_window = MakeWindow();
    ready = true;
    result = SendMessage(hwnd, WM_USER + 1, 0, 0);
    PostMessage(hwnd, WM_USER + 2, 0, 0);
    DestroyWindow(worker_window);
  });
  while (!ready) std::this_thread::yield();
  RunUntilQuit();
  worker.join();
  EXPECT_EQ(result, 11);
}

TEST_F(MessageLoopTest, PostThreadMessageReachesTheThreadsQueueFromAnyThread) {
  const DWORD ui_thread = GetCurrentThreadId();
  std::thread worker([&] { PostThreadMessage(ui_thread, WM_USER + 4, 7, 8); });
  worker.join();
  MSG msg;
  ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), 1);
  EXPECT_EQ(msg.hwnd, nullptr);
  EXPECT_EQ(msg.message, WM_USER + 4);
  EXPECT_EQ(msg.wParam, 7u);
  EXPECT_FALSE(PostThreadMessage(0xFFFFFF, WM_USER, 0, 0));
}

TEST_F(MessageLoopTest, QuitEndsTheLoopWithItsCodeAfterPostedMessages) {
  const HWND hwnd = MakeWindow();
  PostQuitMessage(17);
  PostMessage(hwnd, WM_USER, 0, 0);
  MSG msg;
  ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), 1);
  EXPECT_EQ(msg.message, WM_USER);
  ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), 0);
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 17u);
}

TEST_F(MessageLoopTest, TimersFireByTheVirtualClock) {
  int fast = 0, slow = 0;
  handler = [&](HWND, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
    if (message == WM_TIMER) (wParam == 1 ? fast : slow)++;
    return kDefault;
  };
  const HWND hwnd = MakeWindow();
  const std::int64_t start = clock.NowMs();
  ASSERT_EQ(SetTimer(hwnd, 1, 100, nullptr), 1u);
  ASSERT_EQ(SetTimer(hwnd, 2, 500, nullptr), 2u);
  MSG msg;
  for (;;) {
    if (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessage(&msg);
      continue;
    }
    if (clock.NowMs() >= start + 10000) break;
    WaitMessage();
  }
  EXPECT_EQ(fast, 100);
  EXPECT_EQ(slow, 20);
  EXPECT_EQ(clock.NowMs(), start + 10000);
  EXPECT_TRUE(KillTimer(hwnd, 1));
  EXPECT_FALSE(KillTimer(hwnd, 1));
}

TEST_F(MessageLoopTest, ALateLoopGetsOneTimerMessageNotABurst) {
  int ticks = 0;
  handler = [&](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
    if (message == WM_TIMER) ++ticks;
    return kDefault;
  };
  const HWND hwnd = MakeWindow();
  SetTimer(hwnd, 1, 100, nullptr);
  clock.Advance(1000);
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  EXPECT_EQ(ticks, 1);
}

void CALLBACK_Count(HWND, UINT, UINT_PTR, DWORD);
int callback_ticks = 0;
void CALLBACK_Count(HWND, UINT, UINT_PTR, DWORD) { ++callback_ticks; }

TEST_F(MessageLoopTest, TimerProceduresAndDestroyedWindowsTimers) {
  const HWND hwnd = MakeWindow();
  callback_ticks = 0;
  const UINT_PTR thread_timer = SetTimer(nullptr, 0, 50, CALLBACK_Count);
  ASSERT_NE(thread_timer, 0u);
  SetTimer(hwnd, 3, 50, nullptr);
  DestroyWindow(hwnd);  // its timer goes with it
  clock.Advance(50);
  MSG msg;
  int window_timers = 0;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_TIMER && msg.hwnd) ++window_timers;
    DispatchMessage(&msg);
  }
  EXPECT_EQ(callback_ticks, 1);
  EXPECT_EQ(window_timers, 0);
  KillTimer(nullptr, thread_timer);
}

TEST_F(MessageLoopTest, PeekWithAFilterTakesOnlyMatchingMessages) {
  const HWND a = MakeWindow();
  const HWND b = MakeWindow();
  PostMessage(a, WM_USER + 1, 0, 0);
  PostMessage(b, WM_USER + 2, 0, 0);
  PostMessage(a, WM_USER + 3, 0, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessage(&msg, b, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_USER + 2);
  ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_USER + 3, WM_USER + 3, PM_NOREMOVE));
  ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_USER + 3, WM_USER + 3, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_USER + 3);
  ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_USER + 1);
}

TEST_F(MessageLoopTest, InvalidationIsAnsweredByOnePaintAfterPostedMessages) {
  int paints = 0;
  handler = [&](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
    if (message == WM_PAINT) ++paints;
    return kDefault;
  };
  const HWND hwnd = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  paints = 0;
  RECT part{5, 5, 20, 20};
  InvalidateRect(hwnd, &part, FALSE);
  InvalidateRect(hwnd, &part, FALSE);
  RECT update;
  ASSERT_TRUE(GetUpdateRect(hwnd, &update, FALSE));
  EXPECT_EQ(update, part);
  PostMessage(hwnd, WM_USER, 0, 0);
  ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_USER);
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  EXPECT_EQ(paints, 1);
  EXPECT_FALSE(GetUpdateRect(hwnd, &update, FALSE));
}

TEST_F(MessageLoopTest, AnEmptyLoopWithNoTimerFailsInsteadOfHanging) {
  GetHeadlessHost().SetStallLimit(50);
  MSG msg;
  EXPECT_THROW(GetMessage(&msg, nullptr, 0, 0), StallError);
}

}  // namespace
}  // namespace ui::test

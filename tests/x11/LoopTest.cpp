// The loop on the wx host: ours is the master; waiting for input is one
// bounded dispatch of wx's loop, which timers of ours and posts from other
// threads end; a native modal dialog's loop keeps our queue moving.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "tests/x11/X11Session.h"
// GTK's headers define TRUE and FALSE as macros: they come after ours.
#include <wx/filedlg.h>

namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

constexpr ui::UINT kWorkerMessage = ui::WM_APP + 17;

// Far below the host's idle dispatch of a second: only a wake-up explains it.
constexpr milliseconds kPromptly{600};

TEST(HostLoop, MessagePostedFromAWorkerIsHandledWhileTheLoopWaitsInTheHost) {
  X11_REQUIRE_HOST();
  const ui::DWORD gui_thread = ui::GetCurrentThreadId();
  for (int round = 0; round < 5; ++round) {
    const auto posted_at = std::make_shared<std::atomic<steady_clock::time_point>>();
    std::thread worker([&] {
      std::this_thread::sleep_for(milliseconds(50));
      posted_at->store(steady_clock::now());
      ui::PostThreadMessage(gui_thread, kWorkerMessage, static_cast<ui::WPARAM>(round), 0);
    });
    ui::MSG msg{};
    ASSERT_EQ(ui::GetMessage(&msg, nullptr, 0, 0), 1);
    const auto handled_at = steady_clock::now();
    worker.join();
    EXPECT_EQ(msg.message, kWorkerMessage);
    EXPECT_EQ(msg.wParam, static_cast<ui::WPARAM>(round));
    EXPECT_LT(handled_at - posted_at->load(), kPromptly) << "round " << round;
  }
}

TEST(HostLoop, TimerOfOursEndsTheWaitWhenDue) {
  X11_REQUIRE_HOST();
  const auto start = steady_clock::now();
  const ui::UINT_PTR timer = ui::SetTimer(nullptr, 0, 80, nullptr);
  ASSERT_NE(timer, 0u);
  ui::MSG msg{};
  ASSERT_EQ(ui::GetMessage(&msg, nullptr, 0, 0), 1);
  const auto elapsed = steady_clock::now() - start;
  ui::KillTimer(nullptr, timer);
  EXPECT_EQ(msg.message, ui::WM_TIMER);
  EXPECT_GE(elapsed, milliseconds(75));
  EXPECT_LT(elapsed, kPromptly);
}

int g_ticks = 0;
wxDialog* g_open_dialog = nullptr;

void CountTickAndCloseAfterFive(ui::HWND, ui::UINT, ui::UINT_PTR, ui::DWORD) {
  if (++g_ticks == 5 && g_open_dialog != nullptr) g_open_dialog->EndModal(wxID_CANCEL);
}

TEST(HostLoop, TimerKeepsFiringWhileAFileDialogIsOpen) {
  X11_REQUIRE_HOST();
  g_ticks = 0;
  wxFileDialog dialog(nullptr, "Open", "", "", "*.*", wxFD_OPEN);
  g_open_dialog = &dialog;
  const ui::UINT_PTR timer = ui::SetTimer(nullptr, 0, 30, CountTickAndCloseAfterFive);
  ASSERT_NE(timer, 0u);
  const int result = x11test::Host()->RunNativeModal([&] { return dialog.ShowModal(); });
  ui::KillTimer(nullptr, timer);
  g_open_dialog = nullptr;
  EXPECT_EQ(result, wxID_CANCEL);
  EXPECT_EQ(g_ticks, 5);
}

}  // namespace

// One thread's message queue: posted messages in order, messages sent to it
// from other threads, its timers, its quit request and its input state.
// Every thread that touches the window system gets one on first use.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/ui/Host.h"
#include "platform/ui/Types.h"

namespace ui::internal {

class ThreadQueue;

// A message sent from another thread: the sender waits until `done`.
struct SentMessage {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  LRESULT result = 0;
  bool done = false;  // guarded by the sender's queue mutex
  std::shared_ptr<ThreadQueue> sender;
};

struct TimerEntry {
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  UINT elapse = 0;
  TIMERPROC proc = nullptr;
  std::int64_t due = 0;
  std::uint64_t order = 0;  // creation order breaks ties between equal due times
};

// Raw input waits in the posted queue as this private message (screen
// point in `pt`) until the thread's loop routes it.
constexpr UINT kRawInputMessage = 0x03FF;
bool IsInputMessage(UINT message);

using MessageFilter = std::function<bool(HWND hwnd, UINT message)>;

class ThreadQueue : public InputWaiter {
 public:
  explicit ThreadQueue(DWORD thread_id) : thread_id_(thread_id) {}
  ~ThreadQueue() override;

  DWORD thread_id() const { return thread_id_; }
  bool alive() const;
  // The owning thread ends: answer every waiting sender and refuse new mail.
  void Shutdown();

  // Thread-safe entry points for other threads; false once shut down.
  bool Post(const MSG& msg);
  bool PushSent(const std::shared_ptr<SentMessage>& sent);
  void PostQuit(int exit_code);

  std::shared_ptr<SentMessage> TakeSent();
  // The first raw input waiting (see kRawInputMessage), taken out, when no
  // input message made from earlier input is still queued before it;
  // `position` is where its messages go back in.
  bool TakeRawInput(MSG& out, std::size_t& position);
  void InsertAt(std::size_t position, const std::vector<MSG>& messages);
  bool TakePosted(MSG& out, const MessageFilter& filter, bool remove);
  bool TakeQuit(MSG& out, bool remove);

  // Timers; the queue keeps them so a thread's loop can find the next one.
  UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc, std::int64_t now);
  bool KillTimer(HWND hwnd, UINT_PTR id);
  void KillTimersOf(HWND hwnd);
  bool TakeDueTimer(MSG& out, const MessageFilter& filter, std::int64_t now, bool remove);
  std::int64_t NextTimerDue(const MessageFilter& filter) const;  // -1: none

  // Marks the start of a scan: a post after this wakes the next wait.
  void BeginScan();
  bool WaitForSignal(std::int64_t real_timeout_ms) override;

  // Completes a message another thread sent and wakes that sender.
  static void Reply(const std::shared_ptr<SentMessage>& sent, LRESULT result);
  // Waits on this (the sender's) queue until `sent` is done or another
  // thread's message arrives; true when done.
  bool WaitForReplyOrMail(const std::shared_ptr<SentMessage>& sent);

  // Input state of the thread, guarded by the window table's lock.
  HWND focus = nullptr;
  HWND active = nullptr;
  HWND capture = nullptr;
  BYTE key_state[256] = {};

 private:
  void Signal();  // caller holds mutex_

  const DWORD thread_id_;
  mutable std::mutex mutex_;
  std::condition_variable cv_;
  bool alive_ = true;
  bool signalled_ = false;
  std::deque<MSG> posted_;
  std::size_t raw_inputs_ = 0;  // raw input messages among `posted_`
  std::deque<std::shared_ptr<SentMessage>> sent_;
  bool quit_pending_ = false;
  int quit_code_ = 0;
  std::vector<TimerEntry> timers_;
  std::uint64_t timer_order_ = 0;
  UINT_PTR next_thread_timer_id_ = 1;
};

// The calling thread's queue (created on first use) and its id.
ThreadQueue& CurrentQueue();
std::shared_ptr<ThreadQueue> CurrentQueuePtr();
std::shared_ptr<ThreadQueue> FindQueue(DWORD thread_id);

}  // namespace ui::internal

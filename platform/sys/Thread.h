// A worker thread whose end can be asked about the way the telemetry code
// does it: an exit code that reads "still active" until the body returned.
// The thread is always joined, never detached, so no thread outlives the
// object whose members it uses.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "platform/sys/Types.h"

namespace sys {

class Thread {
 public:
  // The exit code reported while the body still runs.
  static constexpr DWORD kStillActive = 259;

  Thread() = default;
  // Waits for the body to end (unless called from the thread itself).
  ~Thread();
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

  // Starts body on a new thread. FALSE when this object still runs one, or
  // when the system refuses a thread (then nothing runs).
  bool Start(std::function<DWORD()> body);

  // Waits for the body to return. FALSE when called from the thread itself
  // (it would wait for ever) or when nothing was started.
  bool Join();

  bool IsRunning() const { return state_ && state_->running.load(); }
  // kStillActive while running, else the body's result. FALSE when never
  // started.
  bool GetExitCode(DWORD& code) const;
  bool IsCurrentThread() const;

 private:
  // Shared with the running body, so a body that deletes its own Thread
  // object still has somewhere to leave its result.
  struct State {
    std::atomic<bool> published{false};  // Start has finished with thread_
    std::atomic<bool> running{true};
    std::atomic<DWORD> exit_code{kStillActive};
    std::atomic<std::thread::id> id{};
  };

  std::thread thread_;
  std::shared_ptr<State> state_;
};

}  // namespace sys

#include "platform/sys/Thread.h"

#include <system_error>

namespace sys {

Thread::~Thread() {
  if (!thread_.joinable()) return;
  if (IsCurrentThread()) {
    // Deleted by its own body: joining would deadlock, and the body is on
    // its way out anyway.
    thread_.detach();
    return;
  }
  thread_.join();
}

bool Thread::Start(std::function<DWORD()> body) {
  if (IsRunning() || !body) return false;
  if (thread_.joinable()) thread_.join();  // an earlier run that has ended
  // Set before the thread exists, so the body may ask about itself at once.
  state_ = std::make_shared<State>();
  try {
    thread_ = std::thread([state = state_, body = std::move(body)]() {
      // The body may end or delete this object at once; it waits until
      // Start is done storing the thread, so neither races the other.
      state->published.wait(false);
      state->id = std::this_thread::get_id();
      const DWORD code = body();
      state->exit_code = code;
      state->running = false;
    });
  } catch (const std::system_error&) {
    state_.reset();
    return false;
  }
  // Through a copy: once published, the body may delete this object.
  const std::shared_ptr<State> state = state_;
  state->published = true;
  state->published.notify_one();
  return true;
}

bool Thread::Join() {
  if (!thread_.joinable() || IsCurrentThread()) return false;
  thread_.join();
  return true;
}

bool Thread::GetExitCode(DWORD& code) const {
  if (!state_) return false;
  code = state_->exit_code.load();
  return true;
}

bool Thread::IsCurrentThread() const {
  return state_ && state_->id.load() == std::this_thread::get_id();
}

}  // namespace sys

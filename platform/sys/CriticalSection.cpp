#include "platform/sys/CriticalSection.h"

#include <chrono>

namespace sys {

bool CCriticalSection::Lock(DWORD /*timeout_ms*/) {
  lock();
  return true;
}

bool CCriticalSection::Unlock() { return Release(); }

bool CCriticalSection::try_lock() {
  lock_annotations::BeforeLock(this, lock_annotations::kTry);
  const bool entered = TryEnter(std::this_thread::get_id());
  lock_annotations::AfterLock(this, entered ? lock_annotations::kTry
                                            : lock_annotations::kTry | lock_annotations::kTryFailed);
  return entered;
}

// Marks the lock as waited for before sleeping, so the holder's release wakes
// a sleeper; a thread that takes the lock this way keeps the mark, since
// another may still be asleep behind it.
void CCriticalSection::WaitForRelease() {
  while (state_.exchange(kHeldWithWaiters, std::memory_order_acquire) != kFree) state_.wait(kHeldWithWaiters);
}

void CCriticalSection::LetWaiterIn() {
  if (owner_.load(std::memory_order_relaxed) != std::this_thread::get_id() || depth_ != 1) return;
  unlock();
  // The woken waiter needs a moment to be scheduled; a few milliseconds at
  // most, so that a waiter that gave up costs the run no more than that.
  constexpr auto kLongestPause = std::chrono::milliseconds(2);
  const auto until = std::chrono::steady_clock::now() + kLongestPause;
  while (state_.load(std::memory_order_relaxed) == kFree && std::chrono::steady_clock::now() < until)
    std::this_thread::yield();
  lock();
}

}  // namespace sys

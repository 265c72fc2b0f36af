#include "platform/sys/CriticalSection.h"

namespace sys {

bool CCriticalSection::Lock(DWORD /*timeout_ms*/) {
  lock();
  return true;
}

bool CCriticalSection::Unlock() {
  if (!IsHeldHere()) return false;
  unlock();
  return true;
}

bool CCriticalSection::try_lock() {
  lock_annotations::BeforeLock(this, lock_annotations::kTry);
  const std::thread::id self = std::this_thread::get_id();
  if (owner_.load(std::memory_order_relaxed) == self) {
    ++depth_;
  } else {
    int expected = kFree;
    if (!state_.compare_exchange_strong(expected, kHeld, std::memory_order_acquire, std::memory_order_relaxed)) {
      lock_annotations::AfterLock(this, lock_annotations::kTry | lock_annotations::kTryFailed);
      return false;
    }
    owner_.store(self, std::memory_order_relaxed);
    depth_ = 1;
  }
  lock_annotations::AfterLock(this, lock_annotations::kTry);
  return true;
}

// Marks the lock as waited for before sleeping, so the holder's release wakes
// a sleeper; a thread that takes the lock this way keeps the mark, since
// another may still be asleep behind it.
void CCriticalSection::WaitForRelease() {
  while (state_.exchange(kHeldWithWaiters, std::memory_order_acquire) != kFree) state_.wait(kHeldWithWaiters);
}

}  // namespace sys

// A re-entrant lock: the owning thread may take it again (callbacks run with
// their caller's locks held and call back into the same object), and must
// release it as often as it took it.
//
// The conversion takes these locks many times for every frame, nearly always
// uncontended and often re-entered, so both paths are inline: a re-entry is
// a compare and an increment, a first entry one compare-and-swap. Only a
// thread that finds the lock held by another goes to the futex wait.
#pragma once

#include <atomic>
#include <thread>

#include "platform/sys/LockAnnotations.h"
#include "platform/sys/SyncObject.h"

namespace sys {

class CCriticalSection : public CSyncObject {
 public:
  CCriticalSection() { lock_annotations::Created(this); }
  ~CCriticalSection() override { lock_annotations::Destroyed(this); }

  // The time-out is not honoured: a critical section is always waited for,
  // so a caller can never go on believing it holds a lock it does not.
  bool Lock(DWORD timeout_ms = kInfinite) override;
  // FALSE, and nothing released, when this thread does not hold the lock.
  bool Unlock() override;

  // The standard Lockable names, so std::lock_guard and std::scoped_lock work.
  void lock() {
    lock_annotations::BeforeLock(this, 0);
    const std::thread::id self = std::this_thread::get_id();
    if (!TryEnter(self)) {
      WaitForRelease();
      TakeOwnership(self);
    }
    lock_annotations::AfterLock(this, 0);
  }

  void unlock() { Release(); }

  bool try_lock();

  // For a thread that holds the lock through a long run of work: whether
  // another thread may be waiting for it (a cheap read, fit for every step
  // of the run), and a pause that lets such a thread in. The pause releases
  // the lock, gives a waiter a moment to take it, and takes it back (after
  // the waiter is done); without it the holder, which takes the lock again
  // at once, could keep a waiter out for the whole run. Nothing is paused
  // when this thread holds the lock more than once.
  bool MayHaveWaiters() const { return state_.load(std::memory_order_relaxed) == kHeldWithWaiters; }
  void LetWaiterIn();

 private:
  // The lock word: free, held, or held with a thread that may be waiting.
  static constexpr int kFree = 0;
  static constexpr int kHeld = 1;
  static constexpr int kHeldWithWaiters = 2;

  // Re-enters the lock this thread holds, or takes it when it is free;
  // false when another thread holds it. Only this thread ever stores its own
  // id, so a relaxed read that sees it means this thread holds the lock.
  bool TryEnter(std::thread::id self) {
    if (owner_.load(std::memory_order_relaxed) == self) {
      ++depth_;
      return true;
    }
    int expected = kFree;
    if (!state_.compare_exchange_strong(expected, kHeld, std::memory_order_acquire, std::memory_order_relaxed))
      return false;
    TakeOwnership(self);
    return true;
  }

  void TakeOwnership(std::thread::id self) {
    owner_.store(self, std::memory_order_relaxed);
    depth_ = 1;
  }

  // False, and nothing released, for a thread that does not hold the lock:
  // the system's recursive mutex refuses such a release too, and going
  // through with it would let a second thread in beside the holder.
  bool Release() {
    if (owner_.load(std::memory_order_relaxed) != std::this_thread::get_id()) return false;
    lock_annotations::BeforeUnlock(this);
    if (--depth_ == 0) {
      owner_.store(std::thread::id(), std::memory_order_relaxed);
      // Sequentially consistent, not just a release: the wake-up that may
      // follow reads the library's count of sleepers, and that read must not
      // move before this store (x86 orders them anyway; other CPUs may not).
      if (state_.exchange(kFree, std::memory_order_seq_cst) == kHeldWithWaiters) state_.notify_one();
    }
    lock_annotations::AfterUnlock(this);
    return true;
  }

  void WaitForRelease();

  std::atomic<int> state_{kFree};
  std::atomic<std::thread::id> owner_{};
  unsigned depth_ = 0;  // touched only by the owner
};

}  // namespace sys

// A re-entrant lock: the owning thread may take it again (callbacks run with
// their caller's locks held and call back into the same object), and must
// release it as often as it took it.
#pragma once

#include <mutex>

#include "platform/sys/SyncObject.h"

namespace sys {

class CCriticalSection : public CSyncObject {
 public:
  // The time-out is not honoured: a critical section is always waited for,
  // so a caller can never go on believing it holds a lock it does not.
  bool Lock(DWORD timeout_ms = kInfinite) override;
  bool Unlock() override;

  // The standard Lockable names, so std::lock_guard and std::scoped_lock work.
  void lock() { mutex_.lock(); }
  void unlock() { mutex_.unlock(); }
  bool try_lock() { return mutex_.try_lock(); }

 private:
  std::recursive_mutex mutex_;
};

}  // namespace sys

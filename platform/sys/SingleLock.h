// Holds one synchronisation object for a scope: what it took it gives back
// when it goes, so an early return or an exception never leaves a lock held.
#pragma once

#include "platform/sys/SyncObject.h"

namespace sys {

class CSingleLock {
 public:
  explicit CSingleLock(CSyncObject* object, bool initial_lock = false);
  ~CSingleLock();
  CSingleLock(const CSingleLock&) = delete;
  CSingleLock& operator=(const CSingleLock&) = delete;

  // Taking it again while held does nothing and answers TRUE, so the object
  // is never released fewer times than this lock took it.
  bool Lock(DWORD timeout_ms = kInfinite);
  bool Unlock();
  bool IsLocked() const { return locked_; }

 private:
  CSyncObject* object_;
  bool locked_ = false;
};

}  // namespace sys

#include "platform/sys/SingleLock.h"

namespace sys {

CSingleLock::CSingleLock(CSyncObject* object, bool initial_lock) : object_(object) {
  if (initial_lock) Lock();
}

CSingleLock::~CSingleLock() { Unlock(); }

bool CSingleLock::Lock(DWORD timeout_ms) {
  if (object_ == nullptr) return false;
  if (locked_) return true;
  locked_ = object_->Lock(timeout_ms);
  return locked_;
}

bool CSingleLock::Unlock() {
  if (!locked_) return true;
  locked_ = false;
  return object_->Unlock();
}

}  // namespace sys

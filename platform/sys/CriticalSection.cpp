#include "platform/sys/CriticalSection.h"

namespace sys {

bool CCriticalSection::Lock(DWORD /*timeout_ms*/) {
  mutex_.lock();
  return true;
}

bool CCriticalSection::Unlock() {
  mutex_.unlock();
  return true;
}

}  // namespace sys

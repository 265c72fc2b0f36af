// The common face of the objects a lock or a wait can be taken on (a
// critical section, an event), so that one single-lock class serves both.
#pragma once

#include "platform/sys/Types.h"

namespace sys {

// A wait without time limit.
constexpr DWORD kInfinite = 0xFFFFFFFFu;

class CSyncObject {
 public:
  virtual ~CSyncObject() = default;
  CSyncObject() = default;
  CSyncObject(const CSyncObject&) = delete;
  CSyncObject& operator=(const CSyncObject&) = delete;

  // TRUE when the object was acquired (a lock held, an event seen signalled)
  // within timeout_ms.
  virtual bool Lock(DWORD timeout_ms = kInfinite) = 0;
  virtual bool Unlock() = 0;
};

}  // namespace sys

// The window system reaches the screen only through a host. The message
// loop is the master loop: when a thread's queue is empty it asks the host
// to wait for input until the next timer is due.
#pragma once

#include <cstdint>

#include "platform/ui/Types.h"

namespace ui {

// What a host waits on for one thread: another thread posting or sending
// to it signals it.
class InputWaiter {
 public:
  virtual ~InputWaiter() = default;
  // Waits until signalled or `real_timeout_ms` real milliseconds pass
  // (negative: no limit); false on timeout.
  virtual bool WaitForSignal(std::int64_t real_timeout_ms) = 0;
};

class Host {
 public:
  virtual ~Host() = default;
  // The calling thread's queue is empty. Return when input may have arrived
  // or when the window system's clock reaches `due_ms` (negative: no timer
  // is pending).
  virtual void WaitForInput(InputWaiter& waiter, std::int64_t due_ms) = 0;
  // Another thread queued something for the thread that owns `waiter`.
  virtual void Wake(InputWaiter& waiter) = 0;
  virtual RECT ScreenRect() const = 0;
};

// The process's host; the headless host until another is installed.
Host& GetHost();
// Installs a host (not owned; nullptr restores the headless host).
void SetHost(Host* host);

}  // namespace ui

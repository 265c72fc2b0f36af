// An event a thread can wait for, with the two behaviours threads hand work
// over with: auto-reset (one waiter takes each signal, the event clears
// itself) and manual-reset (signalled until reset, every waiter goes on).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>

#include "platform/sys/SyncObject.h"

namespace sys {

class CEvent : public CSyncObject {
 public:
  explicit CEvent(bool initially_signalled = false, bool manual_reset = false);

  bool SetEvent();
  bool ResetEvent();
  // Releases the threads waiting now (manual-reset: all of them; auto-reset:
  // one, when any waits) and leaves the event clear; nobody waiting, nothing
  // happens.
  bool PulseEvent();

  // Waits up to timeout_ms (kInfinite: no limit; 0: only looks). An
  // auto-reset event is cleared by the wait that sees it.
  bool Lock(DWORD timeout_ms = kInfinite) override;
  bool Unlock() override { return true; }

  bool IsManualReset() const { return manual_reset_; }

 private:
  friend int WaitForAnyEvent(std::span<CEvent* const> events, DWORD timeout_ms);

  // Both under the shared wait lock (Event.cpp).
  bool TakeSignal(std::uint64_t pulse_seen);

  const bool manual_reset_;
  bool signalled_;
  int waiters_ = 0;
  std::uint64_t pulses_ = 0;  // manual-reset pulses so far
};

constexpr int kWaitTimeout = -1;

// Waits until one of the events is signalled and returns its index (the
// lowest one when several are), or kWaitTimeout. Only the event returned is
// taken; the others keep their state.
int WaitForAnyEvent(std::span<CEvent* const> events, DWORD timeout_ms);
int WaitForAnyEvent(std::initializer_list<CEvent*> events, DWORD timeout_ms);

}  // namespace sys

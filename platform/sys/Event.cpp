#include "platform/sys/Event.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace sys {
namespace {

// One lock and one condition for every event: a thread waiting on several
// events at once needs a single thing to sleep on. Events are few and
// signalled at frame rate at most, so waking every waiter to look again
// costs little, and it keeps wait-any free of registration lists.
struct WaitHub {
  std::mutex mutex;
  std::condition_variable changed;
};

// Never destroyed: a thread still signalling while the process exits must
// not find it gone.
WaitHub& Hub() {
  static WaitHub* const hub = new WaitHub;
  return *hub;
}

}  // namespace

CEvent::CEvent(bool initially_signalled, bool manual_reset)
    : manual_reset_(manual_reset), signalled_(initially_signalled) {}

bool CEvent::SetEvent() {
  {
    std::lock_guard<std::mutex> guard(Hub().mutex);
    signalled_ = true;
  }
  Hub().changed.notify_all();
  return true;
}

bool CEvent::ResetEvent() {
  std::lock_guard<std::mutex> guard(Hub().mutex);
  signalled_ = false;
  return true;
}

bool CEvent::PulseEvent() {
  {
    std::lock_guard<std::mutex> guard(Hub().mutex);
    if (manual_reset_) {
      // Waiters compare the count with the one they started with, so every
      // thread waiting now is released and later ones are not.
      ++pulses_;
      signalled_ = false;
    } else {
      // The first waiter to look takes it and clears it again.
      signalled_ = waiters_ > 0;
    }
  }
  Hub().changed.notify_all();
  return true;
}

bool CEvent::TakeSignal(std::uint64_t pulse_seen) {
  if (signalled_) {
    if (!manual_reset_) signalled_ = false;
    return true;
  }
  return manual_reset_ && pulses_ != pulse_seen;
}

bool CEvent::Lock(DWORD timeout_ms) {
  CEvent* self = this;
  return WaitForAnyEvent(std::span<CEvent* const>(&self, 1), timeout_ms) == 0;
}

int WaitForAnyEvent(std::span<CEvent* const> events, DWORD timeout_ms) {
  if (events.empty()) return kWaitTimeout;  // nothing could ever end the wait
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  std::unique_lock<std::mutex> lock(Hub().mutex);
  std::vector<std::uint64_t> pulse_seen;
  pulse_seen.reserve(events.size());
  for (CEvent* event : events) {
    pulse_seen.push_back(event->pulses_);
    ++event->waiters_;
  }
  // The lowest signalled index wins, as the processing thread relies on
  // (its queue before its stop request).
  auto look = [&]() {
    for (std::size_t i = 0; i < events.size(); ++i) {
      if (events[i]->TakeSignal(pulse_seen[i])) return static_cast<int>(i);
    }
    return kWaitTimeout;
  };
  int fired = look();
  while (fired == kWaitTimeout && timeout_ms != 0) {
    if (timeout_ms == kInfinite) {
      Hub().changed.wait(lock);
    } else if (Hub().changed.wait_until(lock, deadline) == std::cv_status::timeout) {
      fired = look();  // a signal that came with the deadline still counts
      break;
    }
    fired = look();
  }
  for (CEvent* event : events) --event->waiters_;
  return fired;
}

int WaitForAnyEvent(std::initializer_list<CEvent*> events, DWORD timeout_ms) {
  return WaitForAnyEvent(std::span<CEvent* const>(events.begin(), events.size()), timeout_ms);
}

}  // namespace sys

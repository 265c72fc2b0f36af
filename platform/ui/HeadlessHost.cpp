#include "platform/ui/HeadlessHost.h"

#include "platform/ui/Clock.h"

namespace ui {

namespace {
std::atomic<Host*> installed_host{nullptr};
}  // namespace

HeadlessHost& GetHeadlessHost() {
  static HeadlessHost host;
  return host;
}

Host& GetHost() {
  Host* host = installed_host.load();
  return host ? *host : GetHeadlessHost();
}

void SetHost(Host* host) { installed_host.store(host); }

void HeadlessHost::WaitForInput(InputWaiter& waiter, std::int64_t due_ms) {
  Clock& clock = GetClock();
  if (due_ms < 0) {
    if (!waiter.WaitForSignal(stall_limit_ms_.load()))
      throw StallError("message loop stalled: no input and no timer pending");
    return;
  }
  const std::int64_t remaining = due_ms - clock.NowMs();
  if (remaining <= 0) return;
  if (clock.IsVirtual()) {
    // Input already signalled goes first; otherwise time jumps to the timer.
    if (!waiter.WaitForSignal(0)) clock.AdvanceTo(due_ms);
    return;
  }
  waiter.WaitForSignal(remaining);
}

}  // namespace ui

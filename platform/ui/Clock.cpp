#include "platform/ui/Clock.h"

#include <chrono>

namespace ui {

namespace {
SteadyClock default_clock;
std::atomic<Clock*> installed_clock{nullptr};
}  // namespace

std::int64_t SteadyClock::NowMs() const {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void VirtualClock::AdvanceTo(std::int64_t ms) {
  std::int64_t current = now_.load();
  while (ms > current && !now_.compare_exchange_weak(current, ms)) {
  }
}

Clock& GetClock() {
  Clock* clock = installed_clock.load();
  return clock ? *clock : default_clock;
}

void SetClock(Clock* clock) { installed_clock.store(clock); }

}  // namespace ui

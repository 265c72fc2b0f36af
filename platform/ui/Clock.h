// The time base of timers and message time stamps: a monotonic clock in
// milliseconds. Tests install a virtual clock so that long timer sequences
// run at once and always the same way.
#pragma once

#include <atomic>
#include <cstdint>

namespace ui {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t NowMs() const = 0;
  // A virtual clock is moved by the loop instead of waited for.
  virtual bool IsVirtual() const = 0;
  virtual void AdvanceTo(std::int64_t ms) = 0;
};

class SteadyClock : public Clock {
 public:
  std::int64_t NowMs() const override;
  bool IsVirtual() const override { return false; }
  void AdvanceTo(std::int64_t) override {}
};

class VirtualClock : public Clock {
 public:
  explicit VirtualClock(std::int64_t start_ms = 0) : now_(start_ms) {}
  std::int64_t NowMs() const override { return now_.load(); }
  bool IsVirtual() const override { return true; }
  // Never goes backwards: a late caller cannot undo a jump.
  void AdvanceTo(std::int64_t ms) override;
  void Advance(std::int64_t ms) { AdvanceTo(NowMs() + ms); }

 private:
  std::atomic<std::int64_t> now_;
};

// The process's clock; a SteadyClock until one is installed.
Clock& GetClock();
// Installs a clock (not owned; nullptr restores the steady clock).
void SetClock(Clock* clock);

}  // namespace ui

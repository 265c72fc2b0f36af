// The host of tests and unattended runs: a virtual screen and no display.
// With a virtual clock a wait for a timer moves the clock instead of
// sleeping; a wait for input that no timer can end fails after the stall
// limit instead of hanging a test.
#pragma once

#include <atomic>
#include <deque>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>

#include "platform/ui/Host.h"

namespace ui {

class StallError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class HeadlessHost : public Host {
 public:
  void WaitForInput(InputWaiter& waiter, std::int64_t due_ms) override;
  void Wake(InputWaiter&) override {}
  RECT ScreenRect() const override { return RECT{0, 0, 1024, 768}; }

  // PNG pictures of what was drawn, so a person can look at what a test
  // painted: one top-level window's back buffer (false when it has none or
  // the file cannot be written), or the whole virtual screen: the desktop,
  // the shown top-level windows in z-order, and the desktop overlay that
  // drag outlines are drawn on.
  bool DumpWindowPng(HWND hwnd, const std::string& path) const;
  bool DumpScreenPng(const std::string& path) const;

  // Real milliseconds a loop may wait with no timer pending before it
  // throws StallError; negative (the default) waits for ever.
  void SetStallLimit(std::int64_t real_ms) { stall_limit_ms_ = real_ms; }

  // Scripted input: steps run one at a time, each when the loop of the
  // thread that added it has nothing left to do and before any timer is
  // waited for. A step usually posts input (HeadlessInput.h).
  void AddScriptStep(std::function<void()> step);
  std::size_t PendingScriptSteps() const;
  void ClearScript();

 private:
  struct Step {
    DWORD thread_id;
    std::function<void()> run;
  };
  // The next step of the calling thread, if any.
  std::function<void()> TakeStep();

  std::atomic<std::int64_t> stall_limit_ms_{-1};
  mutable std::mutex script_mutex_;
  std::deque<Step> script_;
};

HeadlessHost& GetHeadlessHost();

}  // namespace ui

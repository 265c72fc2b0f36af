#include "platform/ui/HeadlessHost.h"

#include <cairo.h>

#include "platform/ui/Clock.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"
#include "platform/ui/internal/ScreenComposer.h"
#include "platform/ui/internal/DrawingLibraries.h"

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

void HeadlessHost::AddScriptStep(std::function<void()> step) {
  std::lock_guard lock(script_mutex_);
  script_.push_back(Step{GetCurrentThreadId(), std::move(step)});
}

std::size_t HeadlessHost::PendingScriptSteps() const {
  std::lock_guard lock(script_mutex_);
  return script_.size();
}

void HeadlessHost::ClearScript() {
  std::lock_guard lock(script_mutex_);
  script_.clear();
}

std::function<void()> HeadlessHost::TakeStep() {
  const DWORD thread = GetCurrentThreadId();
  std::lock_guard lock(script_mutex_);
  for (auto it = script_.begin(); it != script_.end(); ++it) {
    if (it->thread_id != thread) continue;
    auto step = std::move(it->run);
    script_.erase(it);
    return step;
  }
  return nullptr;
}

void HeadlessHost::WaitForInput(InputWaiter& waiter, std::int64_t due_ms) {
  if (auto step = TakeStep()) {
    step();  // its input is now queued; the loop looks again
    return;
  }
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

bool HeadlessHost::DumpWindowPng(HWND hwnd, const std::string& path) const {
  cairo_surface_t* buffer = GetBackBuffer(hwnd);
  if (!buffer) return false;
  cairo_surface_flush(buffer);
  return cairo_surface_write_to_png(buffer, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

bool HeadlessHost::DumpScreenPng(const std::string& path) const {
  cairo_surface_t* screen = internal::ComposeScreen(ScreenRect());
  const bool written = cairo_surface_write_to_png(screen, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(screen);
  return written;
}

}  // namespace ui

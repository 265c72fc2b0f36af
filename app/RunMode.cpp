#include "app/RunMode.h"

#include <atomic>

namespace app {

namespace {
std::atomic<bool> windowless_run{false};
}

void SetWindowlessRun(bool windowless) { windowless_run = windowless; }

bool IsWindowlessRun() { return windowless_run; }

}  // namespace app

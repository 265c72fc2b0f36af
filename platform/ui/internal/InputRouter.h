// Turns raw input into the messages windows get: hit testing, capture,
// activation, cursors, double clicks and the disabled-window rule.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/ui/Types.h"
#include "platform/ui/internal/ThreadQueue.h"

namespace ui::internal {

// Routes every raw input of the calling thread's queue that is no longer
// waiting behind messages of earlier input.
void RouteWaitingInput(ThreadQueue& queue);

// The window under a screen point as input finds it, with the hit-test
// code it answered (HTERROR for a disabled top-level window); null over
// the desktop.
HWND HitTestScreen(POINT screen, int* hit);

// How many mouse buttons were pressed on this thread so far: a key that
// was held across a click tells it by the count.
std::uint64_t MousePressCount();

}  // namespace ui::internal

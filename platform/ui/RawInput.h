// Input as a device gives it: a button, a move or a wheel turn at a point
// of the screen, or a key. The window system routes it (hit testing,
// capture, activation, cursors) into the messages a window gets.
#pragma once

#include "platform/ui/Types.h"

namespace ui {

enum class RawInputKind : std::uint8_t { kMouseMove, kButtonDown, kButtonUp, kWheel, kKeyDown, kKeyUp };
enum class MouseButton : std::uint8_t { kLeft, kRight, kMiddle };

struct RawInput {
  RawInputKind kind = RawInputKind::kMouseMove;
  POINT screen;                             // mouse input: where, in screen coordinates
  MouseButton button = MouseButton::kLeft;  // kButtonDown, kButtonUp
  int wheel_delta = 0;                      // kWheel: multiples of WHEEL_DELTA, away from the user positive
  WPARAM virtual_key = 0;                   // kKeyDown, kKeyUp
};

constexpr int WHEEL_DELTA = 120;

// Queues `input` for the thread whose window it reaches (the window under
// the point, else the caller's). The thread's loop routes it when it comes
// to it, after the messages of earlier input have been taken, so a capture
// or activation a handler makes applies to the input that follows.
void QueueRawInput(const RawInput& input);

// Where the mouse is, as the window system last saw it.
BOOL GetCursorPos(POINT* point);

}  // namespace ui

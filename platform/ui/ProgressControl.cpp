// The progress bar control ("msctls_progress32"): a range, a position kept
// inside it and a step. It draws nothing yet; its changes are recorded as
// invalidation for the drawing layer.
#include <algorithm>

#include "platform/ui/ControlMessages.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/ui/internal/StandardClasses.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui::internal {

namespace {

struct ProgressData : ControlData {
  int low = 0;
  int high = 100;
  int position = 0;
  int step = 10;
};

// Sets the position inside the range; returns the previous one.
LRESULT MoveTo(HWND hwnd, ProgressData& data, std::int64_t position) {
  const int previous = data.position;
  const int low = std::min(data.low, data.high), high = std::max(data.low, data.high);
  data.position = static_cast<int>(std::clamp<std::int64_t>(position, low, high));
  if (data.position != previous) InvalidateRect(hwnd, nullptr, FALSE);
  return previous;
}

LRESULT SetRange(HWND hwnd, ProgressData& data, int low, int high) {
  const LRESULT previous = MAKELRESULT(static_cast<unsigned>(data.low), static_cast<unsigned>(data.high));
  data.low = low;
  data.high = high;
  MoveTo(hwnd, data, data.position);
  InvalidateRect(hwnd, nullptr, FALSE);
  return previous;
}

}  // namespace

LRESULT ProgressProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto state = ControlState<ProgressData>(hwnd);
  if (!state) return 0;
  ProgressData& data = *state;
  switch (message) {
    case PBM_SETRANGE:
      return SetRange(hwnd, data, LOWORD(static_cast<std::uint64_t>(lParam)), HIWORD(static_cast<std::uint64_t>(lParam)));
    case PBM_SETRANGE32: return SetRange(hwnd, data, static_cast<int>(wParam), static_cast<int>(lParam));
    case PBM_GETRANGE: {
      if (lParam) {
        auto* range = reinterpret_cast<PBRANGE*>(lParam);
        range->iLow = data.low;
        range->iHigh = data.high;
      }
      return wParam ? data.low : data.high;
    }
    case PBM_SETPOS: return MoveTo(hwnd, data, static_cast<int>(wParam));
    case PBM_DELTAPOS: return MoveTo(hwnd, data, static_cast<std::int64_t>(data.position) + static_cast<int>(wParam));
    case PBM_SETSTEP: {
      const int previous = data.step;
      data.step = static_cast<int>(wParam);
      return previous;
    }
    case PBM_STEPIT: {
      // Stepping past the end wraps to the start, as the system control does.
      const std::int64_t next = static_cast<std::int64_t>(data.position) + data.step;
      const int previous = data.position;
      if (next > std::max(data.low, data.high)) MoveTo(hwnd, data, std::min(data.low, data.high));
      else MoveTo(hwnd, data, next);
      return previous;
    }
    case PBM_GETPOS: return data.position;
  }
  return DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace ui::internal

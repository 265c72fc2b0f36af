// The progress bar control ("msctls_progress32"): a range, a position kept
// inside it and a step, drawn as the classic row of highlight-coloured
// blocks (one solid band with PBS_SMOOTH), vertical with PBS_VERTICAL.
#include <algorithm>

#include "platform/ui/ControlMessages.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/StylePainter.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/ui/internal/ControlPaint.h"
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

// The share of `length` pixels the position fills.
int FilledLength(const ProgressData& data, int length) {
  const std::int64_t low = std::min(data.low, data.high), high = std::max(data.low, data.high);
  if (high <= low) return 0;
  return static_cast<int>((static_cast<std::int64_t>(data.position) - low) * length / (high - low));
}

void Paint(HWND hwnd, const ProgressData& data) {
  ControlPaintScope scope(hwnd);
  if (!scope.dc()) return;
  const HDC hdc = scope.dc();
  RECT inside = scope.client();
  StylePainter::FillSolid(hdc, inside, GetSysColor(COLOR_3DFACE));
  InflateRect(&inside, -1, -1);
  const DWORD style = StyleOf(hwnd);
  const bool vertical = (style & PBS_VERTICAL) != 0;
  const int length = vertical ? inside.bottom - inside.top : inside.right - inside.left;
  const int breadth = vertical ? inside.right - inside.left : inside.bottom - inside.top;
  const int filled = FilledLength(data, length);
  const COLORREF ink = GetSysColor(COLOR_HIGHLIGHT);
  // Blocks two thirds as long as the bar is thick, two pixels apart.
  const int block = (style & PBS_SMOOTH) ? filled : std::max(2, breadth * 2 / 3);
  const int gap = (style & PBS_SMOOTH) ? 0 : 2;
  for (int at = 0; at < filled; at += block + gap) {
    const int end = std::min(filled, at + block);
    const RECT piece = vertical ? RECT{inside.left, inside.bottom - end, inside.right, inside.bottom - at}
                                : RECT{inside.left + at, inside.top, inside.left + end, inside.bottom};
    StylePainter::FillSolid(hdc, piece, ink);
  }
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
    case WM_PAINT: Paint(hwnd, data); return 0;
    case WM_ERASEBKGND: return 1;  // WM_PAINT fills the whole control
  }
  return DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace ui::internal

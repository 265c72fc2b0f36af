#include "platform/ui/Gdi.h"
#include "platform/ui/ScrollBars.h"
#include "platform/ui/StylePainter.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/Frame.h"
#include "platform/ui/internal/ScrollBarLayout.h"
#include "platform/ui/internal/ScrollBarWindows.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui::internal {

RECT ScrollBarRect(HWND hwnd, int bar) {
  LockedWindow record(hwnd);
  if (!record) return RECT{};
  if (bar == SB_CTL)
    return RECT{record->client.left - record->rect.left, record->client.top - record->rect.top,
                record->client.right - record->rect.left, record->client.bottom - record->rect.top};
  // Only the bars' widths are read from the frame, so its menu band does not matter.
  const Frame frame(record->style, record->ex_style, false);
  const RECT client{record->client.left - record->rect.left, record->client.top - record->rect.top,
                    record->client.right - record->rect.left, record->client.bottom - record->rect.top};
  // Measured from the stored client area, so the bar sits where the
  // client area ends whatever bands lie above it.
  if (bar == SB_VERT && frame.vertical_scroll())
    return RECT{client.right, client.top, client.right + frame.vertical_scroll(), client.bottom};
  if (bar == SB_HORZ && frame.horizontal_scroll())
    return RECT{client.left, client.bottom, client.right, client.bottom + frame.horizontal_scroll()};
  return RECT{};
}

bool IsVerticalBar(HWND hwnd, int bar) {
  if (bar != SB_CTL) return bar == SB_VERT;
  return (StyleOf(hwnd) & SBS_VERT) != 0;
}

ScrollBarState ScrollBarStateOf(HWND hwnd, int bar) {
  LockedWindow record(hwnd);
  return record && bar >= SB_HORZ && bar <= SB_CTL ? record->scroll_bars[bar] : ScrollBarState{};
}

void PaintScrollBar(HDC hdc, const RECT& rect, bool vertical, const ScrollBarState& state, bool enabled) {
  using Arrow = StylePainter::Arrow;
  using Part = ScrollBarLayout::Part;
  const ScrollBarLayout layout(rect, vertical, state);
  // A bar with nothing to scroll shows its arrows disabled.
  const bool scrolls = enabled && !state.Idle();
  const bool first_enabled = scrolls && !(state.disabled_arrows & 1);
  const bool second_enabled = scrolls && !(state.disabled_arrows & 2);
  const auto pressed = [&](Part part) { return state.pressed_part == static_cast<int>(part); };
  StylePainter::PaintScrollArrow(hdc, layout.first_arrow(), vertical ? Arrow::kUp : Arrow::kLeft,
                                 pressed(Part::kLineUp), first_enabled);
  StylePainter::PaintScrollArrow(hdc, layout.second_arrow(), vertical ? Arrow::kDown : Arrow::kRight,
                                 pressed(Part::kLineDown), second_enabled);
  const RECT& track = layout.track();
  if (track.right <= track.left || track.bottom <= track.top) return;
  if (!layout.has_thumb()) {
    StylePainter::PaintScrollTrack(hdc, track);
    return;
  }
  const RECT& thumb = layout.thumb();
  RECT before = track, after = track;
  if (vertical) {
    before.bottom = thumb.top;
    after.top = thumb.bottom;
  } else {
    before.right = thumb.left;
    after.left = thumb.right;
  }
  // The part of the track held down darkens, as the classic bar shows it.
  const auto paint_track = [&](const RECT& r, Part part) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    if (pressed(part)) StylePainter::FillSolid(hdc, r, GetSysColor(COLOR_3DDKSHADOW));
    else StylePainter::PaintScrollTrack(hdc, r);
  };
  paint_track(before, Part::kPageUp);
  paint_track(after, Part::kPageDown);
  StylePainter::PaintButtonFace(hdc, thumb, StylePainter::ButtonState{});
}

}  // namespace ui::internal

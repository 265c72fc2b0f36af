#include "platform/ui/internal/ScrollBarLayout.h"

#include <algorithm>
#include <cstdint>

namespace ui::internal {

namespace {

// The classic look never draws a thumb shorter than this.
constexpr int kMinimumThumb = 8;

bool Contains(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

}  // namespace

int ScrollBarState::MaxPos() const {
  const int page_less = page > 0 ? static_cast<int>(page) - 1 : 0;
  return std::max(min, max - page_less);
}

ScrollBarLayout::ScrollBarLayout(const RECT& bar, bool vertical, const ScrollBarState& state)
    : bar_(bar), vertical_(vertical), state_(state) {
  const int length = vertical ? bar.bottom - bar.top : bar.right - bar.left;
  const int thickness = vertical ? bar.right - bar.left : bar.bottom - bar.top;
  // Arrows are square; a bar too short for two shares its length between them.
  const int arrow = std::max(0, std::min(thickness, length / 2));
  first_arrow_ = Span(0, arrow);
  second_arrow_ = Span(length - arrow, length);
  track_ = Span(arrow, length - arrow);
  const int thumb = ThumbLength();
  if (state.Idle() || thumb <= 0 || thumb > TrackLength()) return;
  const int offset = ThumbOffset();
  thumb_ = Span(arrow + offset, arrow + offset + thumb);
}

RECT ScrollBarLayout::Span(int from, int to) const {
  if (vertical_) return RECT{bar_.left, bar_.top + from, bar_.right, bar_.top + to};
  return RECT{bar_.left + from, bar_.top, bar_.left + to, bar_.bottom};
}

int ScrollBarLayout::TrackLength() const {
  return vertical_ ? track_.bottom - track_.top : track_.right - track_.left;
}

int ScrollBarLayout::ThumbLength() const {
  const int track = TrackLength();
  const int thickness = vertical_ ? bar_.right - bar_.left : bar_.bottom - bar_.top;
  if (state_.page == 0) return std::min(thickness, track);  // no page: a square thumb
  const std::int64_t span = static_cast<std::int64_t>(state_.max) - state_.min + 1;
  if (span <= 0) return 0;
  const std::int64_t proportional = static_cast<std::int64_t>(track) * state_.page / span;
  return static_cast<int>(std::max<std::int64_t>(std::min<std::int64_t>(proportional, track), kMinimumThumb));
}

int ScrollBarLayout::ThumbOffset() const {
  const int free = TrackLength() - ThumbLength();
  const std::int64_t positions = static_cast<std::int64_t>(state_.MaxPos()) - state_.min;
  if (free <= 0 || positions <= 0) return 0;
  const int pos = state_.tracking ? state_.track_pos : state_.pos;
  const std::int64_t at = std::clamp<std::int64_t>(static_cast<std::int64_t>(pos) - state_.min, 0, positions);
  return static_cast<int>((at * free + positions / 2) / positions);
}

int ScrollBarLayout::PositionForThumbOffset(int offset) const {
  const int free = TrackLength() - ThumbLength();
  const std::int64_t positions = static_cast<std::int64_t>(state_.MaxPos()) - state_.min;
  if (free <= 0 || positions <= 0) return state_.min;
  const std::int64_t along = std::clamp(offset, 0, free);
  return static_cast<int>(state_.min + (along * positions + free / 2) / free);
}

ScrollBarLayout::Part ScrollBarLayout::HitTest(POINT p) const {
  if (Contains(first_arrow_, p)) return Part::kLineUp;
  if (Contains(second_arrow_, p)) return Part::kLineDown;
  if (!Contains(track_, p) || !has_thumb()) return Part::kNone;
  if (Contains(thumb_, p)) return Part::kThumb;
  const bool before = vertical_ ? p.y < thumb_.top : p.x < thumb_.left;
  return before ? Part::kPageUp : Part::kPageDown;
}

}  // namespace ui::internal

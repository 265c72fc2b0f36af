// Where the parts of one scroll bar lie, for the bar's rectangle and its
// state: the two arrows, the thumb and the track on either side of it.
// Painting, hit testing and thumb dragging all read it, so a click always
// lands on the part that was drawn there.
#pragma once

#include "platform/ui/Types.h"
#include "platform/ui/internal/ScrollBarState.h"

namespace ui::internal {

class ScrollBarLayout {
 public:
  enum class Part { kNone, kLineUp, kPageUp, kThumb, kPageDown, kLineDown };

  ScrollBarLayout(const RECT& bar, bool vertical, const ScrollBarState& state);

  const RECT& first_arrow() const { return first_arrow_; }
  const RECT& second_arrow() const { return second_arrow_; }
  // Empty when the bar has nothing to scroll or no room for a thumb.
  const RECT& thumb() const { return thumb_; }
  bool has_thumb() const { return thumb_.right > thumb_.left && thumb_.bottom > thumb_.top; }
  // The track between the arrows.
  const RECT& track() const { return track_; }
  bool vertical() const { return vertical_; }

  Part HitTest(POINT point) const;
  // The position whose thumb starts `offset` pixels along the track, for
  // a thumb dragged there (clamped to the range).
  int PositionForThumbOffset(int offset) const;
  // The thumb's offset along the track.
  int ThumbOffset() const;

 private:
  int TrackLength() const;
  int ThumbLength() const;
  RECT Span(int from, int to) const;  // a slice along the bar

  RECT bar_;
  bool vertical_;
  ScrollBarState state_;
  RECT first_arrow_{};
  RECT second_arrow_{};
  RECT track_{};
  RECT thumb_{};
};

}  // namespace ui::internal

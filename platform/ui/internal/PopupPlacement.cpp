#include "platform/ui/internal/PopupPlacement.h"

#include "platform/ui/Drawing.h"
#include "platform/ui/Menu.h"

namespace ui::internal {

namespace {

bool Fits(const RECT& r, const RECT& screen) {
  return r.left >= screen.left && r.top >= screen.top && r.right <= screen.right && r.bottom <= screen.bottom;
}

void Move(RECT& r, int left, int top) {
  OffsetRect(&r, left - r.left, top - r.top);
}

void KeepOnScreen(RECT& r, const RECT& screen) {
  if (r.right > screen.right) OffsetRect(&r, screen.right - r.right, 0);
  if (r.left < screen.left) OffsetRect(&r, screen.left - r.left, 0);
  if (r.bottom > screen.bottom) OffsetRect(&r, 0, screen.bottom - r.bottom);
  if (r.top < screen.top) OffsetRect(&r, 0, screen.top - r.top);
}

// Tries the two sides of the exclusion along one axis, the preferred one
// first; false when neither fits on the screen.
bool Beside(RECT& r, const RECT& exclude, const RECT& screen, bool vertical_axis, bool before_first) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  RECT after = r, before = r;
  if (vertical_axis) {
    Move(after, r.left, exclude.bottom);
    Move(before, r.left, exclude.top - h);
  } else {
    Move(after, exclude.right, r.top);
    Move(before, exclude.left - w, r.top);
  }
  const RECT& first = before_first ? before : after;
  const RECT& second = before_first ? after : before;
  if (Fits(first, screen)) r = first;
  else if (Fits(second, screen)) r = second;
  else return false;
  return true;
}

}  // namespace

RECT PlacePopup(SIZE size, POINT at, UINT flags, const RECT* exclude, const RECT& screen) {
  int x = at.x, y = at.y;
  if (flags & TPM_RIGHTALIGN) x -= size.cx;
  else if (flags & TPM_CENTERALIGN) x -= size.cx / 2;
  if (flags & TPM_BOTTOMALIGN) y -= size.cy;
  else if (flags & TPM_VCENTERALIGN) y -= size.cy / 2;
  RECT r{x, y, x + size.cx, y + size.cy};
  KeepOnScreen(r, screen);
  RECT overlap;
  if (!exclude || !IntersectRect(&overlap, &r, exclude)) return r;
  const bool vertical = (flags & TPM_VERTICAL) != 0;
  const bool before_first = vertical ? (flags & TPM_RIGHTALIGN) != 0 : (flags & TPM_BOTTOMALIGN) != 0;
  // The requested axis first, then the other one.
  if (Beside(r, *exclude, screen, !vertical, before_first)) return r;
  if (Beside(r, *exclude, screen, vertical, false)) return r;
  return r;  // no room anywhere off it: the screen wins
}

}  // namespace ui::internal

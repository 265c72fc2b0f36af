// CRectTracker: a rectangle the user moves with the mouse. Track holds the
// mouse on a window and moves the whole rectangle (kept in that window's
// client coordinates) with it, drawing its outline on the desktop, so a
// rectangle dragged off its window stays in sight. The left button's
// release ends the move; Esc or the right button cancels it and puts the
// rectangle back.
#pragma once

#include "platform/afx/Wnd.h"

namespace afx {

class CDC;

class CRectTracker {
 public:
  // The part of the rectangle a move drags: the whole of it.
  static constexpr int kHitMiddle = 8;

  CRectTracker() = default;
  CRectTracker(const RECT& rect, UINT style) : m_rect(rect), m_nStyle(style) {}
  virtual ~CRectTracker() = default;
  CRectTracker(const CRectTracker&) = delete;
  CRectTracker& operator=(const CRectTracker&) = delete;

  // `point` is where the button went down, in the window's client
  // coordinates. TRUE when the move ended with the rectangle elsewhere;
  // FALSE when it was cancelled, left where it was, or another window
  // holds the mouse.
  virtual BOOL Track(CWnd* window, POINT point);

  // Lets a derived tracker limit the rectangle while it moves.
  virtual void AdjustRect(int hit, RECT* rect);
  // The rectangle moved; `old` is where it was.
  virtual void OnChangedRect(const RECT& old);
  // The outline, `rect` in screen coordinates; null `rect` only erases
  // the one drawn before.
  virtual void DrawTrackerRect(const RECT* rect, CDC* desktop);

  RECT m_rect{0, 0, 0, 0};
  UINT m_nStyle = 0;
  // The outline is one pixel thinner than the handles would be.
  int m_nHandleSize = 4;
  SIZE m_sizeMin{0, 0};

 protected:
  // Called once the mouse is held, and once it is let go.
  virtual void OnTrackStart() {}
  virtual void OnTrackEnd() {}

 private:
  BOOL TrackLoop(CWnd* window, POINT start, CDC* desktop);
  void MoveTo(CWnd* window, POINT start, POINT point, const RECT& origin, CDC* desktop);
  SIZE OutlineSize() const;
  static void ShowDrawing(CDC* desktop);
  RECT last_{0, 0, 0, 0};
  bool drawn_ = false;
};

}  // namespace afx

// CDockContext: moves one bar with the mouse. A drag shows where the bar
// would go (docked on a side it may dock on, else floating) as an outline
// on the desktop and docks or floats it on release; a resize follows a
// floating frame's border; a double click toggles between the last docked
// place and the last floating place.
//
// During a drag Ctrl makes the bar float wherever it is released, Shift
// flips its orientation, and Esc or the right button cancels. The loops
// run on the bar's mouse capture and end when it is lost.
#pragma once

#include "platform/afx/ControlBar.h"

namespace afx {

class CDC;
class CDockBar;

class CDockContext {
 public:
  explicit CDockContext(CControlBar* bar);
  virtual ~CDockContext();
  CDockContext(const CDockContext&) = delete;
  CDockContext& operator=(const CDockContext&) = delete;

  // `point` in screen coordinates.
  virtual void StartDrag(POINT point);
  void Move(POINT point);
  virtual void EndDrag();
  // Ctrl (force floating) and Shift (flip) while dragging.
  void OnKey(int virtual_key, BOOL down);
  // `hit` is the border's hit-test code (HTLEFT ... HTBOTTOMRIGHT).
  virtual void StartResize(int hit, POINT point);
  void Stretch(POINT point);
  virtual void EndResize();
  virtual void ToggleDocking();

  BOOL IsTracking() const { return m_bTracking; }
  // Ends a running loop as a cancel (the bar is going away).
  void CancelTracking();

  CControlBar* m_pBar;
  CFrameWnd* m_pDockSite;
  POINT m_ptLast;
  RECT m_rectLast;
  SIZE m_sizeLast;
  BOOL m_bDitherLast = FALSE;
  // The outline shapes: docked along a top or bottom side, docked along a
  // left or right side, and floating in either orientation.
  RECT m_rectDragHorz;
  RECT m_rectDragVert;
  RECT m_rectFrameDragHorz;
  RECT m_rectFrameDragVert;
  DWORD m_dwDockStyle = 0;      // the sides the bar may dock on
  DWORD m_dwOverDockStyle = 0;  // the side under the outline now, 0: floating
  DWORD m_dwStyle = 0;          // the bar's style when the drag began
  BOOL m_bFlip = FALSE;
  BOOL m_bForceFrame = FALSE;
  BOOL m_bDragging = FALSE;
  int m_nHitTest = 0;
  // Where the bar was docked last (id and rectangle in that dock bar's
  // client coordinates) and floated last (screen point and style).
  UINT m_uMRUDockID = 0;
  RECT m_rectMRUDockPos;
  DWORD m_dwMRUFloatStyle = 0;
  POINT m_ptMRUFloatPos{0, 0};
  BOOL m_bMRUFloatPosValid = FALSE;
  // The floating frame's rectangle during a resize, and its size limits.
  RECT m_rectFrameResize;
  SIZE m_sizeMinFloat;
  SIZE m_sizeMaxFloat;

 protected:
  // The side the outline docks on now (0: none), and its dock bar.
  virtual DWORD CanDock();
  virtual CDockBar* GetDockBar(DWORD over_style);
  // Draws the outline for the present state (and erases the last one);
  // `remove` only erases.
  virtual void DrawFocusRect(BOOL remove = FALSE);
  // The outline rectangle and thickness for the present state.
  virtual void GetOutline(RECT& rect, SIZE& size, BOOL& dither);
  void InitLoop();
  void CancelLoop();
  // The loop; TRUE when it ended with a release.
  BOOL Track();
  BOOL IsHorizontalNow() const;
  POINT m_ptStart{0, 0};

 private:
  HDC m_hDesktopDC = nullptr;
  BOOL m_bTracking = FALSE;
  BOOL m_bCancelRequested = FALSE;
};

}  // namespace afx

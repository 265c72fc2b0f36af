// A button of a customisable toolbar: it measures, draws and answers the
// mouse by itself; the bar places it and passes events on. The standard
// button shows an image of the bar's image store; separators are standard
// buttons with the separator bit.
#pragma once

#include "docking/QVTButtonDrawContext.h"
#include "docking/QVTToolBarLayout.h"

namespace afx {
class CDC;
}

namespace docking {

class QVTCustomToolBar;

class QVTStdBtn {
 public:
  QVTStdBtn() = default;
  QVTStdBtn(const QVTStdBtn&) = delete;
  QVTStdBtn& operator=(const QVTStdBtn&) = delete;
  virtual ~QVTStdBtn() = default;

  virtual void SetOrientation(DWORD) {}
  virtual void SetStyle(DWORD style) { m_dwStyle = style; }
  virtual DWORD GetStyle() const { return m_dwStyle; }
  virtual BOOL HasStyle(DWORD bits) const { return (m_dwStyle & bits) == bits; }
  virtual void SetPos(int x, int y) {
    m_x = x;
    m_y = y;
  }
  // Its rectangle in the bar, to be painted again.
  virtual void Invalidate(BOOL erase = FALSE) const;
  virtual void Attach(QVTCustomToolBar* bar, const void* extra);
  virtual BOOL CanDrag() const { return TRUE; }
  virtual void Draw(afx::CDC* dc, QVTButtonDrawContext& context);
  // A press on it; TRUE when the bar is to hold the mouse until release.
  virtual BOOL OnPress(POINT point);
  // The pressed look follows the mouse while it is held.
  virtual void OnTrack(POINT point);
  virtual void OnCancel();
  // The command to send: 0 when released off the button.
  virtual UINT OnRelease(POINT point);
  virtual void OnHiddenChanged() {}
  virtual void OnBarStyleChange(DWORD) {}
  // Code 1: set and clear the two style masks given.
  virtual void OnBroadcast(int code, const DWORD* setAndClear);
  virtual void RecalcSize();

  RECT GetRect() const { return RECT{m_x, m_y, m_x + m_cx, m_y + m_cy}; }
  bool IsSeparator() const { return (m_dwStyle & kTBSeparator) != 0; }
  // On the button, its right and bottom edges included.
  bool Contains(POINT point) const {
    return point.x >= m_x && point.x <= m_x + m_cx && point.y >= m_y && point.y <= m_y + m_cy;
  }

  UINT m_nID = 0;  // 0 for a separator
  int m_nImage = 0;
  DWORD m_dwStyle = 0;
  int m_x = -1;
  int m_y = -1;
  int m_cx = 23;
  int m_cy = 22;
  int m_nType = 0;  // 0 standard, 3 and 4 menu buttons, 5 pinned to the far end
  QVTCustomToolBar* m_pBar = nullptr;

 protected:
  // Repaints now, so a press shows before its command runs.
  void RepaintNow() const;
};

}  // namespace docking

// CDockBar: the strip along one side of a frame, or the inside of a
// floating frame, that holds docked bars. This plain dock bar puts every
// bar in a row of its own at the bar's fixed size; the framework's own
// dock bar (docking/) shares rows among bars.
#pragma once

#include <vector>

#include "platform/afx/ControlBar.h"

namespace afx {

class CDockBar : public CControlBar {
  DECLARE_DYNAMIC(CDockBar)
 public:
  explicit CDockBar(BOOL floating = FALSE);
  // Bars that outlive the dock bar forget it.
  ~CDockBar() override;

  // `style` carries the side (CBRS_ALIGN_...) and the border toward the
  // client area.
  virtual BOOL Create(CWnd* parent, DWORD style, UINT id);

  // Docks `bar` here, at `rect` (screen coordinates) or after the last row.
  virtual void DockControlBar(CControlBar* bar, const RECT* rect = nullptr);
  // Docks `bar` back where it was, as far as this dock bar remembers it.
  virtual void ReDockControlBar(CControlBar* bar, const RECT* rect = nullptr);
  // Takes `bar` out. An emptied floating dock bar has its floating frame
  // destroyed, once the call that emptied it has returned.
  virtual BOOL RemoveControlBar(CControlBar* bar, int position = -1, int position_bar = 0);
  virtual BOOL HoldsBar(const CControlBar* bar) const;
  virtual int GetDockedCount() const;
  virtual int GetDockedVisibleCount() const;
  virtual CControlBar* GetFirstDockedBar() const;
  // Shows or hides every docked bar through the frame.
  void ShowAll(BOOL show);

  SIZE CalcFixedLayout(BOOL stretch, BOOL horizontal) override;

  BOOL m_bFloating;

 protected:
  // The style a bar takes on when it docks here: this side, borders, and
  // CBRS_FLOATING in a floating dock bar.
  void AdaptBarStyle(CControlBar* bar);
  // Makes the bar this dock bar's child and the old dock bar forget it.
  void TakeBar(CControlBar* bar);
  // Asks the floating frame to go once nothing is docked in it any more.
  void ReleaseEmptyFloatingFrame();
  BOOL IsHorizontalSide() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
  LRESULT OnSizeParentDock(WPARAM wParam, LPARAM lParam);

  // The layout being run (WM_SIZEPARENT), null outside one.
  AFX_SIZEPARENTPARAMS* m_pLayout = nullptr;

 private:
  std::vector<CControlBar*> m_arrBars;

  DECLARE_MESSAGE_MAP()
};

}  // namespace afx

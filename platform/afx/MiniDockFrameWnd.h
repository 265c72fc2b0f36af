// CMiniFrameWnd: a frame with a small caption and no menu, for windows that
// float over their owner frame. CMiniDockFrameWnd: the floating frame of
// undocked bars; it holds one floating dock bar, sizes itself to the bars
// in it, and turns a press on its caption into a drag of the bar and a
// press on its border into a resize of the bar.
#pragma once

#include <memory>

#include "platform/afx/FrameWnd.h"

namespace afx {

class CDockBar;

class CMiniFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMiniFrameWnd)
 public:
  CMiniFrameWnd() = default;
  BOOL CreateMini(const char* title, DWORD style, const RECT& rect, CWnd* parent);
  // Grows a client rectangle (screen) to the window rectangle of a floating
  // frame with `style`.
  static void CalcBorders(RECT* rect, DWORD style);

 protected:
  // With MFS_SYNCACTIVE the caption is active while the owner frame or any
  // of the owner's synchronised floating frames is the active window.
  LRESULT OnNcActivate(WPARAM wParam, LPARAM lParam);
  BOOL IsOwnerGroupActive() const;

  DECLARE_MESSAGE_MAP()
};

class CMiniDockFrameWnd : public CMiniFrameWnd {
  DECLARE_DYNCREATE(CMiniDockFrameWnd)
 public:
  CMiniDockFrameWnd() = default;
  ~CMiniDockFrameWnd() override;

  // Makes the frame and its floating dock bar; `bar_style` decides the
  // dock bar's orientation and CBRS_FLOAT_MULTI.
  virtual BOOL Create(CWnd* parent, DWORD bar_style);
  // Moves the frame's top-left to `point` and sizes it to its bars.
  virtual void MoveTo(POINT point);
  void RecalcLayout(BOOL notify = TRUE) override;

  CDockBar* GetDockBar() const { return m_pDockBar.get(); }

  LRESULT OnNcLButtonDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnNcLButtonDblClk(WPARAM wParam, LPARAM lParam);
  void OnClose();

 protected:
  // The floating dock bar object (the framework's own dock bar in derived
  // frames).
  virtual CDockBar* NewFloatingDockBar();
  LRESULT OnReleaseFloatFrame(WPARAM, LPARAM);
  LRESULT OnIdleUpdateBars(WPARAM wParam, LPARAM lParam);
  // The window rectangle that fits the bars, at `point`.
  RECT FittingRect(POINT point);
  // Makes the frame that owns this floating frame the active window.
  void ActivateOwnerFrame();

  std::unique_ptr<CDockBar> m_pDockBar;
  BOOL m_bBusy = FALSE;

  DECLARE_MESSAGE_MAP()
};

}  // namespace afx

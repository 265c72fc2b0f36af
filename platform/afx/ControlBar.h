// CControlBar: a window along an edge of a frame (or in a floating frame)
// that takes its share of the frame's client area when the frame lays
// itself out (WM_SIZEPARENT), updates its items while the program is idle,
// can be dragged to another side or out into a floating frame through its
// dock context, and shows or hides itself at the next layout (DelayShow),
// so that a frame changes its bars once and then lays out once.
#pragma once

#include "platform/afx/ControlBarStyles.h"
#include "platform/afx/Wnd.h"

namespace afx {

class CDC;
class CDockBar;
class CDockContext;
class CFrameWnd;

// The rectangle the bars of a frame share out while the frame lays out.
struct AFX_SIZEPARENTPARAMS {
  HDWP hDWP = nullptr;  // the moves being collected; null: the layout is only a query
  RECT rect;            // what the bars so far have left
  SIZE sizeTotal;       // what they have taken
  BOOL bStretch = TRUE;
};

// Moves `hwnd` to `rect` (its parent's client coordinates) within the
// layout's batch, when it is not there already.
void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* layout, HWND hwnd, const RECT& rect);

class CControlBar : public CWnd {
  DECLARE_DYNAMIC(CControlBar)
 public:
  CControlBar();
  ~CControlBar() override;

  // The window class of bars: the framework's procedure, double clicks on.
  static const char* BarWindowClass();

  void SetBarStyle(DWORD style);
  DWORD GetBarStyle() const { return m_dwStyle; }
  // Which sides the bar may dock on (CBRS_ALIGN_ANY bits, CBRS_FLOAT_MULTI);
  // with any side it gets a dock context for dragging.
  virtual void EnableDocking(DWORD dock_style);
  BOOL IsFloating() const;
  BOOL IsDockBar() const { return m_bDockBar; }
  // Shown, or about to be shown by the next layout.
  BOOL IsVisible() const;
  // The frame whose bar list holds this bar.
  CFrameWnd* GetDockingFrame() const { return m_pDockSite; }

  virtual SIZE CalcFixedLayout(BOOL stretch, BOOL horizontal);
  virtual SIZE CalcDynamicLayout(int length, DWORD mode);
  // `rect` less the bar's borders.
  virtual void CalcInsideRect(RECT& rect, BOOL horizontal) const;
  virtual void OnUpdateCmdUI(CFrameWnd* target, BOOL disable_if_no_handler);
  virtual void DoPaint(CDC* dc);
  virtual void DrawBorders(CDC* dc, RECT& rect);
  // Shows or hides the bar at the next layout of its frame.
  virtual void DelayShow(BOOL show);
  // Fly-by help: the prompt of the command under the mouse (-1 clears it)
  // on the frame's message line.
  virtual BOOL SetStatusText(INT_PTR hit);
  virtual void OnBarStyleChange(DWORD old_style, DWORD new_style);
  virtual CDockContext* NewDockContext();
  // The command id of the child or item at `client` (-1: none), for fly-by.
  virtual INT_PTR OnToolHitTest(POINT client) const;
  // Applies a pending DelayShow; the bar's window style afterwards.
  DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* layout);

  DWORD m_dwStyle = 0;
  DWORD m_dwDockStyle = 0;
  CFrameWnd* m_pDockSite = nullptr;
  CDockBar* m_pDockBar = nullptr;
  CDockContext* m_pDockContext = nullptr;
  int m_cxLeftBorder = 6;
  int m_cxRightBorder = 6;
  int m_cyTopBorder = 1;
  int m_cyBottomBorder = 1;
  int m_nMRUWidth = 32767;
  BOOL m_bAutoDelete = FALSE;
  enum StateFlags : UINT { delayHide = 1, delayShow = 2, tempHide = 4, statusSet = 8 };
  UINT m_nStateFlags = 0;

  // Handlers, for derived bars to call.
  void OnLButtonDown(UINT flags, POINT point);
  void OnLButtonDblClk(UINT flags, POINT point);
  void OnMouseMove(UINT flags, POINT point);
  void OnPaint();
  void OnDestroy();

 protected:
  // Creates the bar's window and joins the frame's bar list.
  BOOL CreateBar(DWORD ex_style, const char* class_name, const char* window_name, DWORD style, const RECT& rect,
                 CWnd* parent, UINT id);
  void PostNcDestroy() override;
  LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  LRESULT OnEraseBackground(WPARAM wParam, LPARAM lParam);
  LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
  // Leaves the bar list and the dock bar of the bar's frame.
  void LeaveDockSite();

  BOOL m_bDockBar = FALSE;
  INT_PTR m_nLastHit = -1;

  DECLARE_MESSAGE_MAP()
};

}  // namespace afx

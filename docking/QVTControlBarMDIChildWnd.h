// QVTControlBarMDIChildWnd: a document frame that hosts a bar, so that the
// bar floats inside the MDI client instead of in a floating frame. Its
// dock bar fills it; holding one bar, the frame's size is the bar's, its
// title is the bar's, and closing it only hides the bar.
#pragma once

#include "docking/QVTDockBar.h"
#include "docking/QVTMDIChildWnd.h"

namespace docking {

class QVTControlBarMDIChildWnd : public QVTMDIChildWnd {
  DECLARE_DYNCREATE(QVTControlBarMDIChildWnd)
 public:
  QVTControlBarMDIChildWnd();

  // Set before the window is made: the side of the bar it will host,
  // which its dock bar takes so that the bar keeps its orientation.
  void SetBarAlignment(DWORD align_style);
  QVTDockBar* GetDockBar() { return &m_wndDockBar; }
  // The bar of a dock bar that holds just one; null otherwise.
  afx::CControlBar* GetHostedBar() const;

  BOOL PreCreateWindow(ui::CREATESTRUCT& create) override;
  void RecalcLayout(BOOL notify = TRUE) override;

  void OnSize(UINT kind, int cx, int cy);
  void OnClose();
  LRESULT OnWindowPosChanged(ui::WPARAM wParam, ui::LPARAM lParam);
  LRESULT OnShowWindow(ui::WPARAM wParam, ui::LPARAM lParam);

 protected:
  BOOL OnCreateClient(ui::CREATESTRUCT* create, afx::CCreateContext* context) override;

  QVTDockBar m_wndDockBar{ui::TRUE};
  DWORD m_dwBarAlignment = afx::CBRS_ALIGN_LEFT;
  DWORD m_dwReserved = 0;
  BOOL m_bCreatingClient = FALSE;

  DECLARE_MESSAGE_MAP()
};

}  // namespace docking

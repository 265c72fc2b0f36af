#include "docking/QVTControlBarMDIChildWnd.h"

#include "platform/afx/AfxIds.h"
#include "platform/afx/DockContext.h"
#include "platform/afx/MDIFrameWnd.h"
#include "platform/afx/WinApp.h"
#include "platform/ui/Mdi.h"

namespace docking {

using namespace ui;
using namespace afx;

IMPLEMENT_DYNCREATE(QVTControlBarMDIChildWnd, QVTMDIChildWnd)

BEGIN_MESSAGE_MAP(QVTControlBarMDIChildWnd, QVTMDIChildWnd)
  ON_WM_SIZE()
  ON_WM_CLOSE()
  ON_MESSAGE(WM_WINDOWPOSCHANGED, OnWindowPosChanged)
  ON_MESSAGE(WM_SHOWWINDOW, OnShowWindow)
END_MESSAGE_MAP()

QVTControlBarMDIChildWnd::QVTControlBarMDIChildWnd() = default;

void QVTControlBarMDIChildWnd::SetBarAlignment(DWORD align_style) {
  align_style &= CBRS_ALIGN_ANY;
  // A horizontal bar stands on the top edge, any other on the left.
  m_dwBarAlignment = (align_style & CBRS_ORIENT_HORZ) ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT;
}

CControlBar* QVTControlBarMDIChildWnd::GetHostedBar() const {
  if (!m_wndDockBar.m_hWnd || (m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI)) return nullptr;
  return m_wndDockBar.GetFirstDockedBar();
}

BOOL QVTControlBarMDIChildWnd::PreCreateWindow(CREATESTRUCT& create) {
  create.dwExStyle &= ~WS_EX_CLIENTEDGE;
  return QVTMDIChildWnd::PreCreateWindow(create);
}

BOOL QVTControlBarMDIChildWnd::OnCreateClient(CREATESTRUCT*, CCreateContext*) {
  // Made as a child of the main frame, so the bars it takes dock with it,
  // then moved into this frame.
  m_bCreatingClient = TRUE;
  CWnd* frame = GetMDIFrame();
  const BOOL made = frame && m_wndDockBar.Create(frame, WS_CHILD | WS_VISIBLE | m_dwBarAlignment,
                                                 AFX_IDW_DOCKBAR_FLOAT);
  if (made) ::ui::SetParent(m_wndDockBar.m_hWnd, m_hWnd);
  m_bCreatingClient = FALSE;
  return made;
}

void QVTControlBarMDIChildWnd::OnSize(UINT kind, int cx, int cy) {
  if (CControlBar* bar = GetHostedBar()) {
    // The bar takes the frame's width, then its height.
    const int cx_border = GetSystemMetrics(SM_CXBORDER), cy_border = GetSystemMetrics(SM_CYBORDER);
    bar->CalcDynamicLayout(cx + 2 * cx_border, LM_COMMIT | LM_MRUWIDTH);
    bar->CalcDynamicLayout(cy + 2 * cy_border, LM_COMMIT | LM_MRUWIDTH | LM_LENGTHY);
  }
  QVTMDIChildWnd::OnSize(kind, cx, cy);
}

void QVTControlBarMDIChildWnd::OnClose() {
  CControlBar* bar = GetHostedBar();
  if (!bar) {
    Default();
    return;
  }
  // Closing only hides the bar; showing the bar brings the frame back.
  if (CFrameWnd* site = bar->m_pDockSite) site->ShowControlBar(bar, FALSE, FALSE);
  else ShowWindow(SW_HIDE);
}

void QVTControlBarMDIChildWnd::RecalcLayout(BOOL notify) {
  if (m_bCreatingClient) return;
  QVTMDIChildWnd::RecalcLayout(notify);
  if (!GetHostedBar()) return;
  const std::string title = m_wndDockBar.GetWindowTextString();
  if (GetWindowTextString() != title) SetWindowText(title);
}

LRESULT QVTControlBarMDIChildWnd::OnWindowPosChanged(WPARAM, LPARAM) {
  const LRESULT result = Default();
  CControlBar* bar = GetHostedBar();
  if (bar && bar->m_pDockContext) {
    RECT rect;
    GetWindowRect(&rect);
    bar->m_pDockContext->m_ptMRUFloatPos = POINT{rect.left, rect.top};
  }
  return result;
}

LRESULT QVTControlBarMDIChildWnd::OnShowWindow(WPARAM, LPARAM) {
  const LRESULT result = Default();
  // The window menu lists only the frames that show.
  if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd)
    if (const HWND client = MDIClientOf(app->m_pMainWnd)) ui::PostMessage(client, WM_MDIREFRESHMENU, 0, 0);
  return result;
}

}  // namespace docking

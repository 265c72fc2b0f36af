// CWnd::RepositionBars: the frame layout shared by every frame with bars.
#include "platform/afx/ControlBar.h"

namespace afx {

void CWnd::RepositionBars(UINT first, UINT last, UINT left_over, UINT flags, RECT* rect_param,
                          const RECT* rect_client, BOOL stretch) {
  AFX_SIZEPARENTPARAMS layout;
  layout.bStretch = stretch;
  if (rect_client) layout.rect = *rect_client;
  else GetClientRect(&layout.rect);
  const bool query = (flags & reposQuery) != 0;
  if (!query) layout.hDWP = ::ui::BeginDeferWindowPos(8);
  HWND left_over_hwnd = nullptr;
  for (HWND child = ::ui::GetWindow(m_hWnd, GW_CHILD); child; child = ::ui::GetWindow(child, GW_HWNDNEXT)) {
    const UINT id = static_cast<UINT>(::ui::GetDlgCtrlID(child));
    if (id == left_over) {
      left_over_hwnd = child;
    } else if (id >= first && id <= last && FromHandlePermanent(child)) {
      ::ui::SendMessage(child, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }
  }
  if (query) {
    if (rect_param) *rect_param = layout.rect;
    return;
  }
  if (left_over_hwnd) {
    RECT rect = layout.rect;
    if ((flags & reposExtra) && rect_param) {
      rect.left += rect_param->left;
      rect.top += rect_param->top;
      rect.right -= rect_param->right;
      rect.bottom -= rect_param->bottom;
    }
    if (CWnd* pane = FromHandlePermanent(left_over_hwnd)) pane->CalcWindowRect(&rect);
    AfxRepositionWindow(&layout, left_over_hwnd, rect);
  }
  if (layout.hDWP) ::ui::EndDeferWindowPos(layout.hDWP);
}

void CWnd::CalcWindowRect(RECT*) {}

}  // namespace afx

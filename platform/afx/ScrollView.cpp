#include "platform/afx/ScrollView.h"

#include <algorithm>

#include "platform/afx/FrameWnd.h"

namespace afx {

IMPLEMENT_DYNAMIC(CScrollView, CView)

void CScrollView::SetScrollSizes(int map_mode, SIZE total) {
  m_nMapMode = map_mode;
  m_totalLog = total;
}

void CScrollView::ResizeParentToFit(BOOL shrink_only) {
  CFrameWnd* frame = GetParentFrame();
  if (!frame || !m_hWnd) return;
  RECT view_client, frame_rect;
  GetClientRect(&view_client);
  frame->GetWindowRect(&frame_rect);
  int width = frame_rect.right - frame_rect.left + (m_totalLog.cx - view_client.right);
  int height = frame_rect.bottom - frame_rect.top + (m_totalLog.cy - view_client.bottom);
  if (shrink_only) {
    width = std::min<int>(width, frame_rect.right - frame_rect.left);
    height = std::min<int>(height, frame_rect.bottom - frame_rect.top);
  }
  frame->SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace afx

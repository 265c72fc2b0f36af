#include "docking/QVTWorkbookClient.h"

#include "platform/ui/Mdi.h"

namespace docking {

using namespace ui;

BEGIN_MESSAGE_MAP(QVTWorkbookClient, afx::CWnd)
  ON_MESSAGE(WM_MDISETMENU, OnMDISetMenu)
  ON_MESSAGE(WM_QVTREFRESHACTIVESHEET, OnRefreshActiveSheet)
END_MESSAGE_MAP()

void QVTWorkbookClient::CalcWindowRect(RECT* rect) {
  rect->left += m_insets.left;
  rect->top += m_insets.top;
  rect->right -= m_insets.right;
  rect->bottom -= m_insets.bottom;
  CWnd::CalcWindowRect(rect);
}

LRESULT QVTWorkbookClient::OnMDISetMenu(WPARAM frame_menu, LPARAM window_menu) {
  // (-1, -1) is only the request to refresh, not a menu to set.
  const bool refresh_only = frame_menu == static_cast<WPARAM>(-1) && window_menu == static_cast<LPARAM>(-1);
  const LRESULT result = refresh_only ? 0 : Default();
  TellWorkbook();
  return result;
}

LRESULT QVTWorkbookClient::OnRefreshActiveSheet(WPARAM, LPARAM) {
  TellWorkbook();
  return 0;
}

void QVTWorkbookClient::TellWorkbook() const {
  if (const HWND workbook = ::ui::GetParent(m_hWnd)) ::ui::SendMessage(workbook, WM_QVTACTIVESHEETCHANGED, 0, 0);
}

}  // namespace docking

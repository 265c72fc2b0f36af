#include "docking/QVTWorksheet.h"

namespace docking {

using namespace ui;
using namespace afx;

IMPLEMENT_DYNCREATE(QVTWorksheet, QVTMDIChildWnd)

BEGIN_MESSAGE_MAP(QVTWorksheet, QVTMDIChildWnd)
  ON_WM_DESTROY()
  ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

BOOL QVTWorksheet::LoadFrame(UINT resource_id, DWORD style, CWnd* parent, CCreateContext* context) {
  if (!QVTMDIChildWnd::LoadFrame(resource_id, style, parent, context)) return FALSE;
  JoinWorkbook(resource_id);
  return TRUE;
}

void QVTWorksheet::OnUpdateFrameTitle(BOOL add_to_title) {
  QVTMDIChildWnd::OnUpdateFrameTitle(add_to_title);
  TitleChanged();
}

void QVTWorksheet::OnUpdateFrameMenu(BOOL activate, CWnd* activate_wnd, HMENU alternative) {
  QVTMDIChildWnd::OnUpdateFrameMenu(activate, activate_wnd, alternative);
  MenuUpdated();
}

void QVTWorksheet::OnDestroy() {
  LeaveWorkbook();
  QVTMDIChildWnd::OnDestroy();
}

void QVTWorksheet::OnShowWindow(BOOL show, UINT status) {
  QVTMDIChildWnd::OnShowWindow(show, status);
  Showing(show);
}

}  // namespace docking

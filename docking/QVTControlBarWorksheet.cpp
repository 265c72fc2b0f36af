#include "docking/QVTControlBarWorksheet.h"

#include "docking/QVTWorkbook.h"
#include "platform/ui/ImageResources.h"

namespace docking {

using namespace ui;
using namespace afx;

IMPLEMENT_DYNCREATE(QVTControlBarWorksheet, QVTControlBarMDIChildWnd)

BEGIN_MESSAGE_MAP(QVTControlBarWorksheet, QVTControlBarMDIChildWnd)
  ON_WM_DESTROY()
  ON_MESSAGE(WM_SHOWWINDOW, OnSheetShowWindow)
END_MESSAGE_MAP()

namespace {

// The small icon of the bar it hosts (the first, when it holds several).
HICON BarIcon(const CDockBar& dock_bar) {
  CControlBar* bar = dock_bar.GetFirstDockedBar();
  return bar ? reinterpret_cast<HICON>(ui::SendMessage(bar->m_hWnd, WM_GETICON, ICON_SMALL, 0)) : nullptr;
}

}  // namespace

BOOL QVTControlBarWorksheet::LoadFrame(UINT resource_id, DWORD style, CWnd* parent, CCreateContext* context) {
  if (!QVTControlBarMDIChildWnd::LoadFrame(resource_id, style, parent, context)) return FALSE;
  JoinWorkbook(resource_id);
  return TRUE;
}

void QVTControlBarWorksheet::RecalcLayout(BOOL notify) {
  QVTControlBarMDIChildWnd::RecalcLayout(notify);
  if (!m_hWnd || m_bCreatingClient) return;
  AdoptBarIcon();
  TitleChanged();
}

void QVTControlBarWorksheet::OnUpdateFrameTitle(BOOL) {
  // The title is the bar's, set by the layout; the document's has no say.
  TitleChanged();
}

void QVTControlBarWorksheet::OnUpdateFrameMenu(BOOL activate, CWnd* activate_wnd, HMENU alternative) {
  QVTControlBarMDIChildWnd::OnUpdateFrameMenu(activate, activate_wnd, alternative);
  MenuUpdated();
}

void QVTControlBarWorksheet::AdoptBarIcon() {
  if (GetIcon()) return;
  const HICON bar_icon = BarIcon(m_wndDockBar);
  const HICON icon = CopyOfIcon(bar_icon ? bar_icon : LoadIcon(IDI_WINLOGO));
  if (!icon) return;
  ui::SendMessage(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  if (QVTWorkbook* workbook = GetWorkbook()) workbook->SetSheetIcon(this, icon, TRUE);
  else SetIcon(icon);
}

void QVTControlBarWorksheet::OnDestroy() {
  ui::SendMessage(m_hWnd, WM_SETICON, ICON_SMALL, 0);
  LeaveWorkbook();
  QVTControlBarMDIChildWnd::OnDestroy();
}

LRESULT QVTControlBarWorksheet::OnSheetShowWindow(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = QVTControlBarMDIChildWnd::OnShowWindow(wParam, lParam);
  Showing(static_cast<BOOL>(wParam));
  return result;
}

}  // namespace docking

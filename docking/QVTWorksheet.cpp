#include "docking/QVTWorksheet.h"

#include "docking/QVTWorkbook.h"
#include "docking/QVTWorkbookClient.h"
#include "platform/ui/Drawing.h"
#include "platform/ui/GdiObjects.h"
#include "platform/ui/ImageResources.h"

namespace docking {

using namespace ui;
using namespace afx;

IMPLEMENT_DYNCREATE(QVTWorksheet, QVTMDIChildWnd)

BEGIN_MESSAGE_MAP(QVTWorksheet, QVTMDIChildWnd)
  ON_WM_DESTROY()
  ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

namespace {

// Resource icons are shared; a sheet owns and destroys its own copy.
HICON CopyOfIcon(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return nullptr;
  const HICON copy = CreateIconIndirect(&info);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return copy;
}

}  // namespace

QVTWorksheet::~QVTWorksheet() {
  if (m_hIcon) DestroyIcon(m_hIcon);
}

BOOL QVTWorksheet::LoadFrame(UINT resource_id, DWORD style, CWnd* parent, CCreateContext* context) {
  if (!QVTMDIChildWnd::LoadFrame(resource_id, style, parent, context)) return FALSE;
  if (QVTWorkbook* workbook = GetWorkbook()) {
    workbook->AddSheet(this);
    workbook->SetSheetIcon(this, CopyOfIcon(LoadIcon(resource_id)), FALSE);
  }
  return TRUE;
}

QVTWorkbook* QVTWorksheet::GetWorkbook() const { return dynamic_cast<QVTWorkbook*>(GetMDIFrame()); }

void QVTWorksheet::SetIcon(HICON icon) {
  if (m_hIcon && m_hIcon != icon) DestroyIcon(m_hIcon);
  m_hIcon = icon;
}

void QVTWorksheet::OnUpdateFrameTitle(BOOL add_to_title) {
  QVTMDIChildWnd::OnUpdateFrameTitle(add_to_title);
  if (QVTWorkbook* workbook = GetWorkbook()) workbook->InvalidateTab(this);
}

void QVTWorksheet::OnUpdateFrameMenu(BOOL activate, CWnd* activate_wnd, HMENU alternative) {
  QVTMDIChildWnd::OnUpdateFrameMenu(activate, activate_wnd, alternative);
  // Whatever menu the frame shows, the tabs follow the activation.
  if (m_hWnd) ::ui::SendMessage(::ui::GetParent(m_hWnd), WM_QVTREFRESHACTIVESHEET, static_cast<WPARAM>(-1), -1);
}

void QVTWorksheet::OnDestroy() {
  if (QVTWorkbook* workbook = GetWorkbook()) workbook->RemoveSheet(this);
  SetIcon(nullptr);
  QVTMDIChildWnd::OnDestroy();
}

void QVTWorksheet::OnShowWindow(BOOL show, UINT status) {
  QVTMDIChildWnd::OnShowWindow(show, status);
  if (QVTWorkbook* workbook = GetWorkbook()) workbook->OnSheetShowing(this, show);
}

}  // namespace docking

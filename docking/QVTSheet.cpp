#include "docking/QVTSheet.h"

#include "docking/QVTWorkbook.h"
#include "docking/QVTWorkbookClient.h"
#include "platform/ui/Drawing.h"
#include "platform/ui/GdiObjects.h"
#include "platform/ui/ImageResources.h"

namespace docking {

using namespace ui;


QVTSheet::~QVTSheet() { SetIcon(nullptr); }

HICON QVTSheet::CopyOfIcon(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return nullptr;
  const HICON copy = CreateIconIndirect(&info);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return copy;
}

QVTWorkbook* QVTSheet::GetWorkbook() const {
  const afx::CMDIChildWnd* frame = GetSheetFrame();
  return frame ? dynamic_cast<QVTWorkbook*>(frame->GetMDIFrame()) : nullptr;
}

void QVTSheet::SetIcon(HICON icon) {
  if (m_hIcon && m_hIcon != icon) DestroyIcon(m_hIcon);
  m_hIcon = icon;
}

void QVTSheet::JoinWorkbook(UINT icon_id) {
  QVTWorkbook* workbook = GetWorkbook();
  if (!workbook) return;
  workbook->AddSheet(this);
  if (const HICON icon = icon_id ? LoadIcon(icon_id) : nullptr) workbook->SetSheetIcon(this, CopyOfIcon(icon), FALSE);
}

void QVTSheet::LeaveWorkbook() {
  if (QVTWorkbook* workbook = GetWorkbook()) workbook->RemoveSheet(this);
  SetIcon(nullptr);
}

void QVTSheet::TitleChanged() {
  if (QVTWorkbook* workbook = GetWorkbook()) workbook->InvalidateTab(this);
}

void QVTSheet::Showing(BOOL show) {
  if (QVTWorkbook* workbook = GetWorkbook()) workbook->OnSheetShowing(this, show);
}

void QVTSheet::MenuUpdated() {
  // Whatever menu the frame shows, the tabs follow the activation.
  const afx::CMDIChildWnd* frame = GetSheetFrame();
  if (frame && frame->m_hWnd)
    SendMessage(GetParent(frame->m_hWnd), WM_QVTREFRESHACTIVESHEET, static_cast<WPARAM>(-1), -1);
}

}  // namespace docking

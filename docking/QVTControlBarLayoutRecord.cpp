// A framework bar's record in a saved bar layout, filled from the bar and
// taken back by it.
#include <string>

#include "docking/QVTControlBar.h"
#include "docking/QVTControlBarInfo.h"
#include "platform/afx/DockBar.h"
#include "platform/afx/DockContext.h"

namespace docking {

void QVTControlBar::GetBarInfoEx(QVTControlBarInfo* info) {
  using namespace afx;
  info->m_nBarID = static_cast<UINT>(GetDlgCtrlID());
  info->m_bVisible = IsVisible();
  info->m_nMRUWidth = static_cast<UINT>(m_nMRUWidth);
  info->m_bFloating = IsFloating();
  info->m_bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  info->m_pointPos = POINT{-1, -1};
  if (m_pDockBar) {
    RECT rect;
    GetWindowRect(&rect);
    m_pDockBar->ScreenToClient(&rect);
    info->m_pointPos = POINT{rect.left, rect.top};
  }
  info->m_bDocking = m_pDockContext != nullptr;
  if (m_pDockContext) {
    info->m_uMRUDockID = m_pDockContext->m_uMRUDockID;
    info->m_rectMRUDockPos = m_pDockContext->m_rectMRUDockPos;
    info->m_dwMRUFloatStyle = m_pDockContext->m_dwMRUFloatStyle;
    info->m_ptMRUFloatPos = m_pDockContext->m_ptMRUFloatPos;
  }
  info->m_szMRUFloat = m_szFloat;
  info->m_szMRUHorzDock = m_szHorz;
  info->m_szMRUVertDock = m_szVert;
  info->m_dwMRUDockingState = m_dwRememberedDockStyle;
  info->m_dwDockingStyle = m_dwDockStyle;
  info->m_fPctWidth = m_fPctWidth;
  info->m_dwStyle = m_dwStyle;
  info->m_dwExStyle = m_dwExStyle;
  info->m_nTypeID = info->m_pManager ? info->m_pManager->GetBarTypeID(this) : 0;
  info->m_strClassName = GetRuntimeClass()->m_lpszClassName;
  info->m_strWindowName = GetWindowTextString();
  GetBarInfoExHook(info);
}

void QVTControlBar::SetBarInfo(const QVTControlBarInfo& info, afx::CFrameWnd*) {
  using namespace afx;
  m_nMRUWidth = static_cast<int>(info.m_nMRUWidth);
  if (info.m_szMRUFloat.cx > 0 && info.m_szMRUFloat.cy > 0) m_szFloat = info.m_szMRUFloat;
  if (info.m_szMRUHorzDock.cx > 0 && info.m_szMRUHorzDock.cy > 0) m_szHorz = info.m_szMRUHorzDock;
  if (info.m_szMRUVertDock.cx > 0 && info.m_szMRUVertDock.cy > 0) m_szVert = info.m_szMRUVertDock;
  m_dwRememberedDockStyle = info.m_dwMRUDockingState;
  m_dwDockStyle = info.m_dwDockingStyle;
  m_fPctWidth = info.m_fPctWidth;
  // The side comes from the dock bar the bar is put in; the rest is the record's.
  SetBarStyle((info.m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | (m_dwStyle & (CBRS_ALIGN_ANY | CBRS_FLOATING)));
  if (info.m_bDocking && m_pDockContext) {
    m_pDockContext->m_uMRUDockID = info.m_uMRUDockID;
    m_pDockContext->m_rectMRUDockPos = info.m_rectMRUDockPos;
    m_pDockContext->m_dwMRUFloatStyle = info.m_dwMRUFloatStyle;
    m_pDockContext->m_ptMRUFloatPos = info.m_ptMRUFloatPos;
  }
  if (info.m_pInfoEx) SetBarInfoExHook(info);
}

}  // namespace docking

#include "docking/QVTDialogBar.h"

#include "docking/QVTControlBarInfo.h"
#include "platform/afx/FrameWnd.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Resources.h"

namespace docking {

IMPLEMENT_DYNCREATE(QVTDialogBar, QVTControlBar)

QVTDialogBar::~QVTDialogBar() {
  if (m_hWnd) DestroyWindow();
}

BOOL QVTDialogBar::Create(afx::CWnd* parent, UINT template_id, DWORD style, DWORD ex_style, UINT id) {
  m_nTemplateId = template_id;
  return CreateIndirect(parent, ui::FindDialogResource(template_id), style, ex_style, id);
}

BOOL QVTDialogBar::CreateIndirect(afx::CWnd* parent, const ui::DialogTemplate* dialog, DWORD style, DWORD ex_style,
                                  UINT id) {
  if (!parent || !dialog) return FALSE;
  m_dwStyle = style & afx::CBRS_ALL;
  m_dwExStyle = ex_style;
  // A derived bar may look at, change or refuse the window before the
  // dialog is made, as it may for any other bar.
  ui::CREATESTRUCT create;
  create.lpszClass = BarWindowClass();
  create.style = static_cast<ui::LONG>(style | ui::WS_CHILD);
  create.hMenu = reinterpret_cast<ui::HMENU>(static_cast<ui::UINT_PTR>(id));
  create.hwndParent = parent->m_hWnd;
  if (!PreCreateWindow(create)) return FALSE;
  // The dialog as a captionless child of the frame, shown once it is set up.
  ui::DialogTemplate child = *dialog;
  child.style = (child.style & ~(ui::WS_POPUP | ui::WS_CAPTION | ui::WS_VISIBLE | ui::WS_SYSMENU | ui::WS_THICKFRAME |
                                 ui::DS_MODALFRAME)) |
                ui::WS_CHILD | ui::WS_CLIPSIBLINGS;
  for (afx::CWnd* wnd = parent; wnd && !m_pDockSite; wnd = wnd->GetParent())
    if (wnd->IsKindOf(RUNTIME_CLASS(afx::CFrameWnd))) m_pDockSite = static_cast<afx::CFrameWnd*>(wnd);
  HookWindowCreate();
  const HWND hwnd = ui::CreateDialogIndirectParam(&child, parent->m_hWnd, nullptr, 0);
  UnhookWindowCreate();
  if (!hwnd) return FALSE;
  ui::SetWindowLongPtr(hwnd, GWLP_ID, static_cast<ui::LONG_PTR>(id));
  RECT rect;
  GetWindowRect(&rect);
  m_sizeDefault = SIZE{rect.right - rect.left, rect.bottom - rect.top};
  if (m_pDockSite) m_pDockSite->AddControlBar(this);
  RecordChildLayout();
  ui::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                       ((style & ui::WS_VISIBLE) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  m_szFloat = m_szHorz = m_szVert = m_sizeDefault;
  return TRUE;
}

SIZE QVTDialogBar::CalcFixedLayout(BOOL, BOOL horizontal) {
  return horizontal ? m_szHorz : m_szVert;
}

void QVTDialogBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disable_if_no_handler) {
  UpdateDialogControls(target, disable_if_no_handler);
}

void QVTDialogBar::GetBarInfoExHook(QVTControlBarInfo* info) { info->m_nResourceID = m_nTemplateId; }

}  // namespace docking

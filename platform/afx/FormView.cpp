#include "platform/afx/FormView.h"

#include "platform/afx/FrameWnd.h"

namespace afx {

IMPLEMENT_DYNAMIC(CFormView, CScrollView)

BEGIN_MESSAGE_MAP(CFormView, CScrollView)
  ON_WM_CREATE()
END_MESSAGE_MAP()

BOOL CFormView::Create(const char*, const char*, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                       CCreateContext* context) {
  const ::ui::DialogTemplate* found = ::ui::FindDialogResource(m_nIDTemplate);
  if (!found || !parent) {
    PostNcDestroy();  // the view owns itself: a failed create must not leak it
    return FALSE;
  }
  // The template becomes a child of the frame: no caption or popup parts,
  // and shown when the frame asks for it.
  ::ui::DialogTemplate dialog = *found;
  dialog.style = (dialog.style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE | DS_MODALFRAME)) |
                 WS_CHILD | DS_CONTROL;
  m_pCreateContext = context;
  HookWindowCreate();
  const HWND hwnd = ::ui::CreateDialogIndirectParam(&dialog, parent->m_hWnd, nullptr, 0);
  UnhookWindowCreate();
  m_pCreateContext = nullptr;
  if (!hwnd) return FALSE;
  SetDlgCtrlID(static_cast<int>(id));
  RECT client;
  GetClientRect(&client);
  SetScrollSizes(1, SIZE{client.right, client.bottom});
  SetWindowPos(nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOZORDER | SWP_NOACTIVATE | ((rect.right > rect.left) ? 0 : SWP_NOSIZE));
  if (style & WS_VISIBLE) ShowWindow(SW_SHOWNA);
  return TRUE;
}

int CFormView::OnCreate(CREATESTRUCT* create) {
  // The dialog manager's own creation data replaces the frame's; the view
  // joins its document from the context kept for the moment.
  CREATESTRUCT with_context = *create;
  with_context.lpCreateParams = m_pCreateContext;
  return CView::OnCreate(&with_context);
}

void CFormView::OnInitialUpdate() {
  UpdateData(FALSE);
  CScrollView::OnInitialUpdate();
}

BOOL CFormView::PreTranslateMessage(MSG* msg) {
  if (msg->message < WM_KEYDOWN || msg->message > WM_SYSCHAR) return FALSE;
  // Frame accelerators go before the dialog keys of the form.
  for (CFrameWnd* frame = GetParentFrame(); frame; frame = frame->GetParentFrame())
    if (frame->PreTranslateMessage(msg)) return TRUE;
  return ::ui::IsDialogMessage(m_hWnd, msg);
}

}  // namespace afx

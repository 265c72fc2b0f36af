#include "platform/afx/View.h"

#include "platform/afx/CreateContext.h"
#include "platform/afx/Document.h"
#include "platform/afx/FrameWnd.h"

namespace afx {

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
END_MESSAGE_MAP()

CView::~CView() {
  if (m_pDocument) m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& create) {
  if (!create.lpszClass) create.lpszClass = AfxFrameOrViewClass();
  return TRUE;
}

int CView::OnCreate(CREATESTRUCT* create) {
  if (CWnd::OnCreate(create) == -1) return -1;
  const auto* context = create ? static_cast<const CCreateContext*>(create->lpCreateParams) : nullptr;
  if (context && context->m_pCurrentDoc) context->m_pCurrentDoc->AddView(this);
  return 0;
}

void CView::OnDestroy() {
  if (CFrameWnd* frame = GetParentFrame(); frame && frame->GetActiveView() == this) frame->SetActiveView(nullptr);
  CWnd::OnDestroy();
}

void CView::PostNcDestroy() { delete this; }

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM) {
  OnInitialUpdate();
  return 0;
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(TRUE); }

void CView::OnActivateView(BOOL activate, CView* activated, CView*) {
  if (activate && activated == this && m_hWnd) SetFocus();
}

BOOL CView::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handler_info) {
  if (CWnd::OnCmdMsg(id, code, extra, handler_info)) return TRUE;
  return m_pDocument && m_pDocument->OnCmdMsg(id, code, extra, handler_info);
}

}  // namespace afx

#include "platform/afx/MDIChildWnd.h"

#include "platform/afx/CreateContext.h"
#include "platform/afx/Document.h"
#include "platform/afx/MDIFrameWnd.h"
#include "platform/afx/MultiDocTemplate.h"
#include "platform/afx/View.h"
#include "platform/afx/WinApp.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/Resources.h"

namespace afx {

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
  ON_WM_CREATE()
  ON_MESSAGE(::ui::WM_MDIACTIVATE, OnMDIActivate)
END_MESSAGE_MAP()

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& create) {
  if (!create.lpszClass) create.lpszClass = AfxFrameOrViewClass();
  return TRUE;
}

BOOL CMDIChildWnd::Create(const char* class_name, const char* title, DWORD style, const RECT& rect, CWnd* parent,
                          CCreateContext* context) {
  if (!parent) parent = AfxGetApp() ? AfxGetApp()->m_pMainWnd : nullptr;
  const HWND client = MDIClientOf(parent);
  if (!client) {
    PostNcDestroy();
    return FALSE;
  }
  m_strTitle = title ? title : "";
  CREATESTRUCT create;
  create.lpszClass = class_name;
  create.style = static_cast<LONG>(style);
  if (!PreCreateWindow(create)) {
    PostNcDestroy();
    return FALSE;
  }
  ::ui::MDICREATESTRUCT mdi;
  mdi.szClass = create.lpszClass;
  mdi.szTitle = title;
  if (rect.left != CW_USEDEFAULT) {
    mdi.x = rect.left;
    mdi.y = rect.top;
    mdi.cx = rect.right - rect.left;
    mdi.cy = rect.bottom - rect.top;
  }
  mdi.style = static_cast<DWORD>(create.style) & ~WS_CHILD;
  mdi.lParam = reinterpret_cast<LPARAM>(context);
  HookWindowCreate();
  const HWND hwnd = reinterpret_cast<HWND>(::ui::SendMessage(client, ::ui::WM_MDICREATE, 0,
                                                             reinterpret_cast<LPARAM>(&mdi)));
  UnhookWindowCreate();
  return hwnd ? TRUE : FALSE;
}

BOOL CMDIChildWnd::LoadFrame(UINT resource_id, DWORD style, CWnd* parent, CCreateContext* context) {
  m_nIDHelp = resource_id;
  std::string text;
  ::ui::LoadStringResource(resource_id, text);
  const std::string title = text.substr(0, text.find('\n'));
  m_hAccelTable = ::ui::LoadAccelerators(resource_id);
  if (context && context->m_pNewDocTemplate && context->m_pNewDocTemplate->IsKindOf(RUNTIME_CLASS(CMultiDocTemplate)))
    m_hMenuShared = static_cast<CMultiDocTemplate*>(context->m_pNewDocTemplate)->m_hMenuShared;
  return Create(nullptr, title.c_str(), style | WS_CHILD, rectDefault, parent, context);
}

int CMDIChildWnd::OnCreate(CREATESTRUCT* create) {
  // The client passes the creation record on: the context is its value.
  CREATESTRUCT inner = create ? *create : CREATESTRUCT{};
  const auto* mdi = create ? static_cast<const ::ui::MDICREATESTRUCT*>(create->lpCreateParams) : nullptr;
  inner.lpCreateParams = mdi ? reinterpret_cast<void*>(mdi->lParam) : nullptr;
  return CFrameWnd::OnCreate(&inner);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper) return CFrameWnd::DefWindowProc(message, wParam, lParam);
  return ::ui::DefMDIChildProc(m_hWnd, message, wParam, lParam);
}

CWnd* CMDIChildWnd::GetMDIFrame() const {
  const HWND client = m_hWnd ? ::ui::GetParent(m_hWnd) : nullptr;
  return client ? CWnd::FromHandle(::ui::GetParent(client)) : nullptr;
}

namespace {
void ToClient(const CMDIChildWnd* child, UINT message) {
  if (child->m_hWnd)
    ::ui::SendMessage(::ui::GetParent(child->m_hWnd), message, reinterpret_cast<WPARAM>(child->m_hWnd), 0);
}
}  // namespace

void CMDIChildWnd::MDIActivate() { ToClient(this, ::ui::WM_MDIACTIVATE); }
void CMDIChildWnd::MDIDestroy() { ToClient(this, ::ui::WM_MDIDESTROY); }
void CMDIChildWnd::MDIMaximize() { ToClient(this, ::ui::WM_MDIMAXIMIZE); }
void CMDIChildWnd::MDIRestore() { ToClient(this, ::ui::WM_MDIRESTORE); }

LRESULT CMDIChildWnd::OnMDIActivate(WPARAM, LPARAM activated) {
  const bool active = reinterpret_cast<HWND>(activated) == m_hWnd;
  CWnd* other = CWnd::FromHandle(reinterpret_cast<HWND>(activated));
  // The frame's menu changes only when no other document frame takes over.
  if (active || !activated) OnUpdateFrameMenu(active ? TRUE : FALSE, active ? this : other, nullptr);
  if (active && m_pViewActive) m_pViewActive->OnActivateView(TRUE, m_pViewActive, m_pViewActive);
  if (CWnd* frame = GetMDIFrame())
    if (frame->IsKindOf(RUNTIME_CLASS(CFrameWnd))) static_cast<CFrameWnd*>(frame)->OnUpdateFrameTitle(TRUE);
  return 0;
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL activate, CWnd*, HMENU alternative) {
  CWnd* frame = GetMDIFrame();
  if (!frame || !::ui::GetMenu(frame->m_hWnd)) return;  // the frame shows no native menu
  HMENU menu = activate ? (alternative ? alternative : m_hMenuShared) : nullptr;
  if (!menu && frame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) menu = static_cast<CMDIFrameWnd*>(frame)->GetDefaultMenu();
  if (!menu) return;
  ::ui::SendMessage(::ui::GetParent(m_hWnd), ::ui::WM_MDISETMENU, reinterpret_cast<WPARAM>(menu),
                    reinterpret_cast<LPARAM>(SecondLastPopup(menu)));
  ::ui::DrawMenuBar(frame->m_hWnd);
}

void CMDIChildWnd::ActivateFrame(int show_command) {
  if (show_command == -1) show_command = SW_SHOWNA;
  ShowWindow(show_command);
  MDIActivate();
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL add_to_title) {
  if (!m_hWnd || !add_to_title) return;
  CDocument* document = GetActiveDocument();
  const std::string title = document && !document->GetTitle().empty() ? document->GetTitle() : m_strTitle;
  if (GetWindowTextString() != title) SetWindowText(title);
}

BOOL CMDIChildWnd::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handler_info) {
  if (m_pViewActive && m_pViewActive->OnCmdMsg(id, code, extra, handler_info)) return TRUE;
  return CWnd::OnCmdMsg(id, code, extra, handler_info);
}

}  // namespace afx

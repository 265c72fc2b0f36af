#include "platform/afx/MDIFrameWnd.h"

#include <string>

#include "platform/afx/MDIChildWnd.h"
#include "platform/afx/View.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/Resources.h"

namespace afx {

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

HWND MDIClientOf(const CWnd* frame) {
  if (!frame || !frame->m_hWnd) return nullptr;
  for (HWND child = ::ui::GetWindow(frame->m_hWnd, GW_CHILD); child; child = ::ui::GetWindow(child, GW_HWNDNEXT))
    if (::ui::GetClassName(child) == ::ui::kMDIClientClassName) return child;
  return nullptr;
}

CMDIChildWnd* MDIGetActiveOf(const CWnd* frame, BOOL* maximized) {
  if (maximized) *maximized = FALSE;
  const HWND client = MDIClientOf(frame);
  if (!client) return nullptr;
  BOOL zoomed = FALSE;
  const auto active = reinterpret_cast<HWND>(::ui::SendMessage(client, ::ui::WM_MDIGETACTIVE, 0,
                                                               reinterpret_cast<LPARAM>(&zoomed)));
  CWnd* wnd = CWnd::FromHandlePermanent(active);
  if (!wnd || !wnd->IsKindOf(RUNTIME_CLASS(CMDIChildWnd))) return nullptr;
  if (maximized) *maximized = zoomed;
  return static_cast<CMDIChildWnd*>(wnd);
}

HMENU SecondLastPopup(HMENU menu) {
  const int count = menu ? ::ui::GetMenuItemCount(menu) : 0;
  return count >= 2 ? ::ui::GetSubMenu(menu, count - 2) : nullptr;
}

HMENU LoadFrameMenu(UINT resource_id) {
  return ::ui::FindMenuResource(resource_id) ? ::ui::LoadMenu(resource_id) : nullptr;
}

CMDIFrameWnd::~CMDIFrameWnd() {
  if (m_hMenuDefault) ::ui::DestroyMenu(m_hMenuDefault);
}

BOOL CMDIFrameWnd::LoadFrame(UINT resource_id, DWORD style, CWnd* parent, CCreateContext* context) {
  m_nIDHelp = resource_id;
  std::string text;
  ::ui::LoadStringResource(resource_id, text);
  m_strTitle = text.substr(0, text.find('\n'));
  if (!m_hAccelTable) m_hAccelTable = ::ui::LoadAccelerators(resource_id);
  // The frame is made with its menu: the client takes its window menu
  // from it while the frame is being created.
  const HMENU menu = LoadFrameMenu(resource_id);
  if (!CreateEx(0, nullptr, m_strTitle.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, 0,
                parent ? parent->m_hWnd : nullptr, menu, context)) {
    if (menu) ::ui::DestroyMenu(menu);
    return FALSE;
  }
  m_hMenuDefault = menu;
  return TRUE;
}

BOOL CMDIFrameWnd::OnCreateClient(CREATESTRUCT* create, CCreateContext*) {
  // The native menu's Window popup lists the document windows.
  return CreateClient(create, SecondLastPopup(m_hWnd ? ::ui::GetMenu(m_hWnd) : nullptr));
}

HWND CreateMDIClient(CWnd* frame, HMENU window_menu) {
  ::ui::CLIENTCREATESTRUCT ccs;
  ccs.hWindowMenu = window_menu;
  ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
  return ::ui::CreateWindowEx(WS_EX_CLIENTEDGE, ::ui::kMDIClientClassName, nullptr,
                              WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0, frame->m_hWnd,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)), &ccs);
}

BOOL RouteToActiveMDIChild(const CWnd* frame, UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handler_info) {
  CMDIChildWnd* active = MDIGetActiveOf(frame);
  return active && active->OnCmdMsg(id, code, extra, handler_info);
}

CDocument* ActiveMDIDocument(const CWnd* frame) {
  CMDIChildWnd* active = MDIGetActiveOf(frame);
  return active ? active->GetActiveDocument() : nullptr;
}

BOOL CMDIFrameWnd::CreateClient(CREATESTRUCT*, HMENU window_menu) {
  m_hWndMDIClient = CreateMDIClient(this, window_menu);
  return m_hWndMDIClient ? TRUE : FALSE;
}

void CMDIFrameWnd::RecalcLayout(BOOL notify) { CFrameWnd::RecalcLayout(notify); }

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper) return CFrameWnd::DefWindowProc(message, wParam, lParam);
  return ::ui::DefFrameProc(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

void CMDIFrameWnd::MDIActivate(CWnd* child) {
  if (child) ::ui::SendMessage(m_hWndMDIClient, ::ui::WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child->m_hWnd), 0);
}
void CMDIFrameWnd::MDIMaximize(CWnd* child) {
  if (child) ::ui::SendMessage(m_hWndMDIClient, ::ui::WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child->m_hWnd), 0);
}
void CMDIFrameWnd::MDIRestore(CWnd* child) {
  if (child) ::ui::SendMessage(m_hWndMDIClient, ::ui::WM_MDIRESTORE, reinterpret_cast<WPARAM>(child->m_hWnd), 0);
}
void CMDIFrameWnd::MDINext() { ::ui::SendMessage(m_hWndMDIClient, ::ui::WM_MDINEXT, 0, 0); }
void CMDIFrameWnd::MDICascade() { ::ui::SendMessage(m_hWndMDIClient, ::ui::WM_MDICASCADE, 0, 0); }
void CMDIFrameWnd::MDITile() { ::ui::SendMessage(m_hWndMDIClient, ::ui::WM_MDITILE, 0, 0); }

HMENU CMDIFrameWnd::MDISetMenu(HMENU frame_menu, HMENU window_menu) {
  return reinterpret_cast<HMENU>(::ui::SendMessage(m_hWndMDIClient, ::ui::WM_MDISETMENU,
                                                   reinterpret_cast<WPARAM>(frame_menu),
                                                   reinterpret_cast<LPARAM>(window_menu)));
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU alternative) {
  CMDIChildWnd* active = MDIGetActive();
  if (active) {
    active->OnUpdateFrameMenu(TRUE, active, alternative);
    return;
  }
  const HMENU menu = alternative ? alternative : m_hMenuDefault;
  if (menu && ::ui::GetMenu(m_hWnd) != menu) MDISetMenu(menu, SecondLastPopup(menu));
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
  CMDIChildWnd* active = MDIGetActive();
  return active ? static_cast<CFrameWnd*>(active) : this;
}

CDocument* CMDIFrameWnd::GetActiveDocument() {
  return MDIGetActive() ? ActiveMDIDocument(this) : CFrameWnd::GetActiveDocument();
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handler_info) {
  if (RouteToActiveMDIChild(this, id, code, extra, handler_info)) return TRUE;
  return CFrameWnd::OnCmdMsg(id, code, extra, handler_info);
}

}  // namespace afx

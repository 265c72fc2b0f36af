#include "platform/afx/FrameWnd.h"

#include <algorithm>

#include "platform/afx/ControlBar.h"

#include "platform/afx/CmdUI.h"
#include "platform/afx/CreateContext.h"
#include "platform/afx/Document.h"
#include "platform/afx/View.h"
#include "platform/afx/WinApp.h"
#include "platform/afx/MiniDockFrameWnd.h"

namespace afx {

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_CLOSE()
  ON_WM_SIZE()
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
  ON_MESSAGE(WM_NCACTIVATE, OnNcActivate)
  {WM_INITMENUPOPUP, 0, 0, 0,
   AFX_THUNK(self_->OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(c_.wParam)), LOWORD(static_cast<std::uint64_t>(c_.lParam)),
                                    HIWORD(static_cast<std::uint64_t>(c_.lParam)));
             return true)},
  ON_COMMAND(ID_HELP, OnHelp)
  ON_COMMAND(ID_CONTEXT_HELP, OnContextHelp)
  ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
  ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
  ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
  ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
END_MESSAGE_MAP()

const RECT CFrameWnd::rectDefault = {CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& create) {
  if (!create.lpszClass) create.lpszClass = AfxFrameOrViewClass();
  return TRUE;
}

BOOL CFrameWnd::Create(const char* class_name, const char* title, DWORD style, const RECT& rect, CWnd* parent,
                       UINT, DWORD ex_style, CCreateContext* context) {
  m_strTitle = title ? title : "";
  const bool default_rect = rect.left == CW_USEDEFAULT;
  return CreateEx(ex_style, class_name, title, style, rect.left, rect.top,
                  default_rect ? CW_USEDEFAULT : rect.right - rect.left, default_rect ? 0 : rect.bottom - rect.top,
                  parent ? parent->m_hWnd : nullptr, nullptr, context);
}

BOOL CFrameWnd::LoadFrame(UINT resource_id, DWORD style, CWnd* parent, CCreateContext* context) {
  m_nIDHelp = resource_id;
  std::string text;
  ::ui::LoadStringResource(resource_id, text);
  const std::string title = text.substr(0, text.find('\n'));
  m_hAccelTable = ::ui::LoadAccelerators(resource_id);
  return Create(nullptr, title.c_str(), style, rectDefault, parent, resource_id, 0, context);
}

int CFrameWnd::OnCreate(CREATESTRUCT* create) {
  if (CWnd::OnCreate(create) == -1) return -1;
  auto* context = create ? static_cast<CCreateContext*>(create->lpCreateParams) : nullptr;
  if (!OnCreateClient(create, context)) return -1;
  RecalcLayout();
  return 0;
}

BOOL CFrameWnd::OnCreateClient(CREATESTRUCT*, CCreateContext* context) {
  if (context && context->m_pNewViewClass) return CreateView(context) ? TRUE : FALSE;
  return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* context, UINT id) {
  CObject* object = context->m_pNewViewClass->CreateObject();
  if (!object || !object->IsKindOf(RUNTIME_CLASS(CWnd))) {
    delete object;
    return nullptr;
  }
  auto* view = static_cast<CWnd*>(object);
  // A failed create has deleted the view (it owns itself).
  if (!view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, RECT{0, 0, 0, 0}, this, id, context)) return nullptr;
  return view;
}

void CFrameWnd::RecalcLayout(BOOL) {
  // The bars claim their edges first; the view fills what they leave.
  if (m_bInRecalcLayout || !m_hWnd) return;
  m_bInRecalcLayout = TRUE;
  m_nIdleFlags &= ~(idleLayout | idleNotify);
  RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
  m_bInRecalcLayout = FALSE;
}

void CFrameWnd::OnSize(UINT kind, int, int) {
  if (kind != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::SetActiveView(CView* view, BOOL notify) {
  CView* old = m_pViewActive;
  if (old == view) return;
  m_pViewActive = view;
  if (!notify) return;
  if (old && old->m_hWnd) old->OnActivateView(FALSE, view, old);
  if (view && view->m_hWnd) view->OnActivateView(TRUE, view, old);
}

CDocument* CFrameWnd::GetActiveDocument() { return m_pViewActive ? m_pViewActive->GetDocument() : nullptr; }

void CFrameWnd::InitialUpdateFrame(CDocument* document, BOOL make_visible) {
  if (!m_pViewActive) {
    CWnd* pane = GetDlgItem(static_cast<int>(AFX_IDW_PANE_FIRST));
    if (pane && pane->IsKindOf(RUNTIME_CLASS(CView))) SetActiveView(static_cast<CView*>(pane), FALSE);
  }
  if (make_visible) {
    // Only a frame that is shown gives its views their initial update.
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    CWinApp* app = AfxGetApp();
    ActivateFrame(app && app->m_pMainWnd == this ? app->m_nCmdShow : -1);
    if (m_pViewActive) m_pViewActive->OnActivateView(TRUE, m_pViewActive, m_pViewActive);
  }
  (void)document;
  OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int show_command) {
  if (show_command == -1) show_command = IsWindowVisible() ? SW_SHOW : SW_SHOWNORMAL;
  ShowWindow(show_command);
  ::ui::BringWindowToTop(m_hWnd);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL add_to_title) {
  if (!m_hWnd || !add_to_title || !(GetStyle() & FWS_ADDTOTITLE)) return;
  CDocument* document = GetActiveDocument();
  std::string title = m_strTitle;
  if (document && !document->GetTitle().empty()) {
    title = (GetStyle() & FWS_PREFIXTITLE) ? document->GetTitle() + " - " + m_strTitle
                                           : m_strTitle + " - " + document->GetTitle();
  }
  if (GetWindowTextString() != title) SetWindowText(title);
}

BOOL CFrameWnd::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handler_info) {
  if (m_pViewActive && m_pViewActive->OnCmdMsg(id, code, extra, handler_info)) return TRUE;
  if (CWnd::OnCmdMsg(id, code, extra, handler_info)) return TRUE;
  CWinApp* app = AfxGetApp();
  return app && app->OnCmdMsg(id, code, extra, handler_info);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* msg) {
  if (m_hAccelTable && msg->message >= WM_KEYDOWN && msg->message <= WM_SYSCHAR)
    return ::ui::TranslateAccelerator(m_hWnd, m_hAccelTable, msg) ? TRUE : FALSE;
  return FALSE;
}

void CFrameWnd::OnClose() {
  CDocument* document = GetActiveDocument();
  if (document && !document->CanCloseFrame(this)) return;
  CWinApp* app = AfxGetApp();
  if (app && app->m_pMainWnd == this) {
    // Closing the main window closes every document and with them their
    // frames, this one included.
    if (!app->SaveAllModified()) return;
    const HWND hwnd = m_hWnd;
    app->CloseAllDocuments(FALSE);  // may destroy (and delete) this frame
    if (::ui::IsWindow(hwnd)) ::ui::DestroyWindow(hwnd);
    return;
  }
  if (document) {
    POSITION position = document->GetFirstViewPosition();
    int frames_of_document = 0;
    while (CView* view = document->GetNextView(position))
      if (view->GetParentFrame() != this) ++frames_of_document;
    if (frames_of_document == 0) {
      document->OnCloseDocument();
      return;
    }
  }
  DestroyWindow();
}

void CFrameWnd::PostNcDestroy() {
  CWinApp* app = AfxGetApp();
  if (app && app->m_pMainWnd == this) {
    app->m_pMainWnd = nullptr;
    ::ui::PostQuitMessage(0);
  }
  delete this;
}

void CFrameWnd::OnHelp() {
  for (HWND hwnd = ::ui::GetFocus(); hwnd; hwnd = ::ui::GetParent(hwnd)) {
    if (::ui::SendMessage(hwnd, WM_COMMANDHELP, 0, 0)) return;
    if (hwnd == m_hWnd) break;
  }
  if (m_hWnd) WinHelp(HID_BASE_RESOURCE + m_nIDHelp, HELP_CONTEXT);
}

void CFrameWnd::OnInitMenuPopup(CMenu* popup, UINT, BOOL system_menu) {
  if (system_menu || !popup) return;
  CCmdUI state;
  state.m_pMenu = popup->m_hMenu;
  const UINT count = popup->GetMenuItemCount();
  for (UINT index = 0; index < count; ++index) {
    const UINT id = popup->GetMenuItemID(static_cast<int>(index));
    if (id == 0 || id == static_cast<UINT>(-1)) continue;  // separators and popups
    state.m_nIndex = index;
    state.m_nID = id;
    // System commands have no handlers to look for: a system menu shown
    // as a popup keeps its items.
    state.DoUpdate(this, m_bAutoMenuEnable && id < 0xF000);
  }
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam) {
  OnUpdateFrameTitle(TRUE);
  RecalcLayoutIfPending();
  // Floating bars are not the frame's descendants; their frames update them.
  std::vector<HWND> floating;
  for (CControlBar* bar : m_listControlBars) {
    if (bar->IsDockBar() || !bar->IsFloating()) continue;
    const HWND frame = ::ui::GetAncestor(bar->m_hWnd, GA_ROOT);
    if (frame && frame != m_hWnd && std::find(floating.begin(), floating.end(), frame) == floating.end())
      floating.push_back(frame);
  }
  for (HWND frame : floating)
    if (::ui::IsWindow(frame) && ::ui::IsWindowVisible(frame)) ::ui::SendMessage(frame, WM_IDLEUPDATECMDUI, wParam, lParam);
  return 0;
}

BOOL CFrameWnd::OnBarCheck(UINT id) {
  CControlBar* bar = GetControlBar(id);
  if (!bar || !bar->m_hWnd) return FALSE;
  ShowControlBar(bar, (bar->GetStyle() & WS_VISIBLE) == 0, FALSE);
  return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* item) {
  CControlBar* bar = GetControlBar(item->m_nID);
  if (!bar || !bar->m_hWnd) {
    item->ContinueRouting();
    return;
  }
  item->SetCheck((bar->GetStyle() & WS_VISIBLE) != 0 ? 1 : 0);
}

BOOL CFrameWnd::IsFloatingFrameActive() const {
  const HWND active = ::ui::GetActiveWindow();
  if (!active || active == m_hWnd || ::ui::GetWindow(active, GW_OWNER) != m_hWnd) return FALSE;
  const CWnd* window = CWnd::FromHandlePermanent(active);
  return window && window->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)) && (window->GetStyle() & MFS_SYNCACTIVE);
}

void CFrameWnd::NotifyFloatingWindows(BOOL active) {
  for (HWND top = ::ui::GetTopWindow(nullptr); top; top = ::ui::GetWindow(top, GW_HWNDNEXT)) {
    if (::ui::GetWindow(top, GW_OWNER) != m_hWnd) continue;
    const CWnd* window = CWnd::FromHandlePermanent(top);
    if (window && window->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)) && (window->GetStyle() & MFS_SYNCACTIVE))
      ::ui::SendMessage(top, WM_NCACTIVATE, static_cast<WPARAM>(active), 0);
  }
}

// A top-level frame and the floating frames it owns look active together:
// moving the focus into a floating bar does not grey the frame's caption.
LRESULT CFrameWnd::OnNcActivate(WPARAM wParam, LPARAM lParam) {
  if (GetStyle() & WS_CHILD) return Default();
  const BOOL active = wParam || IsFloatingFrameActive();
  const LRESULT result = DefWindowProc(WM_NCACTIVATE, static_cast<WPARAM>(active), lParam);
  NotifyFloatingWindows(active);
  return result;
}

}  // namespace afx

#include "platform/afx/Wnd.h"

#include "platform/afx/CmdUI.h"
#include "platform/afx/DataExchange.h"
#include "platform/afx/FrameWnd.h"
#include "platform/afx/WinApp.h"

namespace afx {

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::~CWnd() {
  // An object deleted while its window lives takes the window with it, so
  // that no window is left whose object is gone.
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
    const HWND hwnd = m_hWnd;
    UnsubclassWindow();
    ::ui::DestroyWindow(hwnd);
  }
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& create) {
  if (!create.lpszClass) create.lpszClass = AfxWndClass();
  return TRUE;
}

BOOL CWnd::CreateEx(DWORD ex_style, const char* class_name, const char* window_name, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menu_or_id, void* param) {
  CREATESTRUCT create;
  create.dwExStyle = ex_style;
  create.lpszClass = class_name;
  create.lpszName = window_name;
  create.style = static_cast<LONG>(style);
  create.x = x;
  create.y = y;
  create.cx = width;
  create.cy = height;
  create.hwndParent = parent;
  create.hMenu = menu_or_id;
  create.lpCreateParams = param;
  if (!PreCreateWindow(create)) {
    PostNcDestroy();
    return FALSE;
  }
  HookWindowCreate();
  const HWND hwnd = ::ui::CreateWindowEx(create.dwExStyle, create.lpszClass, create.lpszName,
                                         static_cast<DWORD>(create.style), create.x, create.y, create.cx, create.cy,
                                         create.hwndParent, create.hMenu, create.lpCreateParams);
  UnhookWindowCreate();
  return hwnd ? TRUE : FALSE;
}

BOOL CWnd::Create(const char* class_name, const char* window_name, DWORD style, const RECT& rect, CWnd* parent,
                  UINT id, CCreateContext* context) {
  return CreateEx(0, class_name, window_name, style | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), context);
}

BOOL CWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  if (FromHandlePermanent(m_hWnd) != this) {
    // A temporary object destroys the window but does not outlive it.
    const HWND hwnd = m_hWnd;
    return ::ui::DestroyWindow(hwnd);
  }
  return ::ui::DestroyWindow(m_hWnd);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::ui::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::ui::PostMessage(m_hWnd, message, wParam, lParam);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL deep, BOOL only_permanent) {
  for (HWND child = ::ui::GetWindow(m_hWnd, GW_CHILD); child; child = ::ui::GetWindow(child, GW_HWNDNEXT)) {
    if (CWnd* wnd = FromHandlePermanent(child)) {
      wnd->SendMessage(message, wParam, lParam);
    } else if (!only_permanent) {
      ::ui::SendMessage(child, message, wParam, lParam);
    }
    if (deep && ::ui::IsWindow(child)) {
      CWnd holder;
      holder.m_hWnd = child;
      holder.SendMessageToDescendants(message, wParam, lParam, deep, only_permanent);
      holder.m_hWnd = nullptr;
    }
  }
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam)) return FALSE;
    if (result) *result = 0;
    return TRUE;
  }
  const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(GetMessageMap(), message);
  if (!entry) return ReflectToControl(message, wParam, lParam, result);
  AFX_CALL call;
  call.message = message;
  call.wParam = wParam;
  call.lParam = lParam;
  entry->pfn(this, call);
  if (result) *result = call.result;
  return TRUE;
}

BOOL CWnd::ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  HWND control = nullptr;
  if (message == WM_DRAWITEM && lParam) control = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
  else if (message == WM_DELETEITEM && lParam) control = reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem;
  else if (message == WM_MEASUREITEM && lParam)
    control = ::ui::GetDlgItem(m_hWnd, static_cast<int>(reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam)->CtlID));
  CWnd* object = control ? FromHandlePermanent(control) : nullptr;
  if (!object || object == this) return FALSE;
  LRESULT answer = 0;
  if (!object->OnChildNotify(message, wParam, lParam, &answer)) return FALSE;
  if (result) *result = answer;
  return TRUE;
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam);
  const HWND control = reinterpret_cast<HWND>(lParam);
  int code = static_cast<short>(HIWORD(wParam));
  if (!control) {
    // A menu or accelerator command runs only while its update allows it.
    CTestCmdUI state;
    state.m_nID = id;
    OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr);
    if (!state.m_bEnabled) return TRUE;
    code = CN_COMMAND;
  }
  return OnCmdMsg(id, code, nullptr, nullptr);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper) return ::ui::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::ui::DefWindowProc(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(HWND stop, MSG* msg) {
  for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::ui::GetParent(hwnd)) {
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (wnd && wnd->PreTranslateMessage(msg)) return TRUE;
    if (hwnd == stop || !(::ui::GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD)) break;
  }
  return FALSE;
}

void CWnd::WinHelp(UINT_PTR data, UINT command) {
  if (CWinApp* app = AfxGetApp()) app->WinHelp(data, command);
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) {
  const DWORD style = GetStyle();
  const DWORD changed = (style & ~remove) | add;
  if (changed == style) return FALSE;
  ::ui::SetWindowLongPtr(m_hWnd, GWL_STYLE, changed);
  if (flags) ::ui::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, flags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
  return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
  const DWORD style = GetExStyle();
  const DWORD changed = (style & ~remove) | add;
  if (changed == style) return FALSE;
  ::ui::SetWindowLongPtr(m_hWnd, GWL_EXSTYLE, changed);
  if (flags) ::ui::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, flags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
  return TRUE;
}

CFrameWnd* CWnd::GetParentFrame() const {
  for (HWND hwnd = ::ui::GetParent(m_hWnd); hwnd; hwnd = ::ui::GetParent(hwnd)) {
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (wnd && wnd->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return static_cast<CFrameWnd*>(wnd);
  }
  return nullptr;
}

void CWnd::ScreenToClient(RECT* rect) const {
  POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
  ::ui::MapWindowPoints(nullptr, m_hWnd, corners, 2);
  *rect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

void CWnd::ClientToScreen(RECT* rect) const {
  POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
  ::ui::MapWindowPoints(m_hWnd, nullptr, corners, 2);
  *rect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

void CWnd::CenterWindow(CWnd* alternate_owner) {
  RECT area = ::ui::GetHost().ScreenRect();
  const HWND over = alternate_owner ? alternate_owner->m_hWnd : ::ui::GetParent(m_hWnd);
  if (over && ::ui::IsWindowVisible(over)) ::ui::GetWindowRect(over, &area);
  RECT rect;
  GetWindowRect(&rect);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  POINT origin{area.left + (area.right - area.left - width) / 2, area.top + (area.bottom - area.top - height) / 2};
  if (GetStyle() & WS_CHILD) ::ui::ScreenToClient(::ui::GetParent(m_hWnd), &origin);
  SetWindowPos(nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::ui::GetMenu(m_hWnd)); }

CMenu* CWnd::GetSystemMenu(BOOL revert) const { return CMenu::FromHandle(::ui::GetSystemMenu(m_hWnd, revert)); }

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL save_and_validate) {
  CDataExchange dx(this, save_and_validate);
  try {
    DoDataExchange(&dx);
  } catch (const CUserException&) {
    return FALSE;  // the failing routine told the user and focused the field
  }
  return TRUE;
}

void CWnd::UpdateDialogControls(CCmdTarget* target, BOOL disable_if_no_handler) {
  for (HWND child = ::ui::GetWindow(m_hWnd, GW_CHILD); child; child = ::ui::GetWindow(child, GW_HWNDNEXT)) {
    CCmdUI state;
    state.m_nID = static_cast<UINT>(::ui::GetDlgCtrlID(child));
    state.m_pOther = FromHandle(child);
    // Only push buttons are commands; other controls are left alone when
    // nobody updates them.
    const LRESULT code = ::ui::SendMessage(child, WM_GETDLGCODE, 0, 0);
    const bool push = (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
    state.DoUpdate(target, disable_if_no_handler && push);
  }
}

int CWnd::RunModalLoop() {
  m_bContinueModal = TRUE;
  const HWND hwnd = m_hWnd;
  MSG msg;
  LPARAM idle_count = 0;
  while (m_bContinueModal && ::ui::IsWindow(hwnd)) {
    if (!::ui::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      // The owner hears once per idle spell that a dialog's loop waits
      // (a frame lays itself out then while its own loop is held up).
      const HWND owner = ::ui::GetParent(hwnd);
      if (idle_count == 0 && owner && !(::ui::GetWindowLongPtr(hwnd, GWL_STYLE) & ::ui::DS_NOIDLEMSG))
        ::ui::SendMessage(owner, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(hwnd));
      if (!m_bContinueModal || !::ui::IsWindow(hwnd)) break;
      ::ui::SendMessage(hwnd, WM_KICKIDLE, 0, idle_count++);
      if (!m_bContinueModal || !::ui::IsWindow(hwnd)) break;
    }
    const int got = ::ui::GetMessage(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) ::ui::PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop ends too
      m_bContinueModal = FALSE;
      break;
    }
    idle_count = 0;
    if (::ui::CallMsgFilter(&msg, MSGF_DIALOGBOX)) continue;
    if (!WalkPreTranslateTree(nullptr, &msg)) {
      ::ui::TranslateMessage(&msg);
      ::ui::DispatchMessage(&msg);
    }
  }
  return m_nModalResult;
}

void CWnd::EndModalLoop(int result) {
  m_nModalResult = result;
  m_bContinueModal = FALSE;
}

}  // namespace afx

// CWnd: a framework object joined to a window. Messages reach it through
// the framework's window procedure, which looks the object up and runs its
// message map; what the map leaves goes to the window's original
// procedure. Objects for windows the framework did not make are
// temporary and live until idle time.
#pragma once

#include <string>

#include "platform/afx/CmdTarget.h"
#include "platform/afx/Menu.h"

namespace afx {

class CDataExchange;
class CFrameWnd;
struct CCreateContext;

class CWnd : public CCmdTarget {
  DECLARE_DYNCREATE(CWnd)
 public:
  CWnd() = default;
  ~CWnd() override;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;
  HWND GetSafeHwnd() const { return m_hWnd; }
  operator HWND() const { return m_hWnd; }

  // The permanent object of `hwnd`, else a temporary one (null for null).
  static CWnd* FromHandle(HWND hwnd);
  static CWnd* FromHandlePermanent(HWND hwnd);
  // Frees the temporary objects; run at idle time.
  static void DeleteTempMap();
  BOOL Attach(HWND hwnd);
  HWND Detach();
  // Routes `hwnd`'s messages through this object; its own procedure
  // handles what the map leaves.
  BOOL SubclassWindow(HWND hwnd);
  BOOL SubclassDlgItem(UINT id, CWnd* parent);
  HWND UnsubclassWindow();

  virtual BOOL Create(const char* class_name, const char* window_name, DWORD style, const RECT& rect, CWnd* parent,
                      UINT id, CCreateContext* context = nullptr);
  BOOL CreateEx(DWORD ex_style, const char* class_name, const char* window_name, DWORD style, int x, int y,
                int width, int height, HWND parent, HMENU menu_or_id, void* param = nullptr);
  virtual BOOL DestroyWindow();

  // Messages.
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL deep = TRUE,
                                BOOL only_permanent = FALSE);
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // An owner-drawn control's WM_DRAWITEM, WM_MEASUREITEM and WM_DELETEITEM
  // that its parent did not handle come back to the control's object here,
  // so a control class can draw its own items; FALSE leaves them to the
  // parent's default handling.
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The current message, to its default handling.
  LRESULT Default();
  virtual BOOL PreTranslateMessage(MSG* msg);
  // Offers `msg` to the objects from its window up to `stop` (or the
  // top-level window); TRUE when one took it.
  static BOOL WalkPreTranslateTree(HWND stop, MSG* msg);
  virtual BOOL PreCreateWindow(CREATESTRUCT& create);
  // Runs when an existing window joins this object by subclassing.
  virtual void PreSubclassWindow() {}
  virtual void WinHelp(UINT_PTR data, UINT command = HELP_CONTEXT);

  // State.
  BOOL ShowWindow(int command) const { return ::ui::ShowWindow(m_hWnd, command); }
  BOOL EnableWindow(BOOL enable = TRUE) const { return ::ui::EnableWindow(m_hWnd, enable); }
  BOOL IsWindowVisible() const { return ::ui::IsWindowVisible(m_hWnd); }
  BOOL IsWindowEnabled() const { return ::ui::IsWindowEnabled(m_hWnd); }
  DWORD GetStyle() const { return static_cast<DWORD>(::ui::GetWindowLongPtr(m_hWnd, GWL_STYLE)); }
  DWORD GetExStyle() const { return static_cast<DWORD>(::ui::GetWindowLongPtr(m_hWnd, GWL_EXSTYLE)); }
  BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
  BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
  void SetWindowText(const std::string& text) const { ::ui::SetWindowText(m_hWnd, text.c_str()); }
  void GetWindowText(std::string& text) const { text = GetWindowTextString(); }
  std::string GetWindowTextString() const { return ::ui::GetWindowTextString(m_hWnd); }
  int GetWindowTextLength() const { return ::ui::GetWindowTextLength(m_hWnd); }
  int GetDlgCtrlID() const { return ::ui::GetDlgCtrlID(m_hWnd); }
  int SetDlgCtrlID(int id) const {
    return static_cast<int>(::ui::SetWindowLongPtr(m_hWnd, GWLP_ID, static_cast<LONG_PTR>(id)));
  }
  CWnd* GetDlgItem(int id) const { return FromHandle(::ui::GetDlgItem(m_hWnd, id)); }
  void SetDlgItemText(int id, const std::string& text) const { ::ui::SetDlgItemText(m_hWnd, id, text.c_str()); }
  std::string GetDlgItemText(int id) const { return ::ui::GetDlgItemTextString(m_hWnd, id); }
  CWnd* GetParent() const { return FromHandle(::ui::GetParent(m_hWnd)); }
  CFrameWnd* GetParentFrame() const;
  CWnd* GetTopLevelParent() const { return FromHandle(::ui::GetAncestor(m_hWnd, GA_ROOT)); }
  BOOL IsChild(const CWnd* wnd) const { return wnd && ::ui::IsChild(m_hWnd, wnd->m_hWnd); }
  CWnd* SetFocus() const { return FromHandle(::ui::SetFocus(m_hWnd)); }
  static CWnd* GetFocus() { return FromHandle(::ui::GetFocus()); }

  // Geometry.
  void GetWindowRect(RECT* rect) const { ::ui::GetWindowRect(m_hWnd, rect); }
  void GetClientRect(RECT* rect) const { ::ui::GetClientRect(m_hWnd, rect); }
  void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) const {
    ::ui::MoveWindow(m_hWnd, x, y, width, height, repaint);
  }
  void MoveWindow(const RECT& rect, BOOL repaint = TRUE) const {
    MoveWindow(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
  }
  BOOL SetWindowPos(const CWnd* after, int x, int y, int cx, int cy, UINT flags) const {
    return ::ui::SetWindowPos(m_hWnd, after ? after->m_hWnd : nullptr, x, y, cx, cy, flags);
  }
  void ScreenToClient(RECT* rect) const;
  void ClientToScreen(RECT* rect) const;
  void CenterWindow(CWnd* alternate_owner = nullptr);
  BOOL GetWindowPlacement(WINDOWPLACEMENT* placement) const { return ::ui::GetWindowPlacement(m_hWnd, placement); }
  BOOL SetWindowPlacement(const WINDOWPLACEMENT* placement) const {
    return ::ui::SetWindowPlacement(m_hWnd, placement);
  }
  CWnd* ChildWindowFromPoint(POINT point, UINT flags = CWP_ALL) const {
    return FromHandle(::ui::ChildWindowFromPointEx(m_hWnd, point, flags));
  }
  void Invalidate(BOOL erase = TRUE) const { ::ui::InvalidateRect(m_hWnd, nullptr, erase); }
  BOOL LockWindowUpdate() const { return ::ui::LockWindowUpdate(m_hWnd); }
  void UnlockWindowUpdate() const { ::ui::LockWindowUpdate(nullptr); }
  void UpdateWindow() const { ::ui::UpdateWindow(m_hWnd); }

  // Menus.
  CMenu* GetMenu() const;
  BOOL SetMenu(CMenu* menu) const { return ::ui::SetMenu(m_hWnd, menu ? menu->m_hMenu : nullptr); }
  CMenu* GetSystemMenu(BOOL revert) const;

  // Timers.
  UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr) const {
    return ::ui::SetTimer(m_hWnd, id, elapse, proc);
  }
  BOOL KillTimer(UINT_PTR id) const { return ::ui::KillTimer(m_hWnd, id); }

  // Frame layout: every child with an id in [first, last] takes its edge
  // of the client area (WM_SIZEPARENT) and the child `left_over` gets the
  // rest. reposQuery only computes what is left, into `rect_param`.
  enum RepositionFlags : UINT { reposDefault = 0, reposQuery = 1, reposExtra = 2 };
  void RepositionBars(UINT first, UINT last, UINT left_over, UINT flags = reposDefault, RECT* rect_param = nullptr,
                      const RECT* rect_client = nullptr, BOOL stretch = TRUE);
  // The rectangle the frame layout gives this window as the pane that
  // takes what the bars leave; a pane that keeps a margin of its own
  // shrinks it. The window takes the rectangle as it is by default.
  virtual void CalcWindowRect(RECT* rect);

  // Data exchange and command update of child controls.
  BOOL UpdateData(BOOL save_and_validate = TRUE);
  void UpdateDialogControls(CCmdTarget* target, BOOL disable_if_no_handler);

  // A nested loop for modal use of this window.
  int RunModalLoop();
  void EndModalLoop(int result);
  BOOL ContinueModal() const { return m_bContinueModal; }

  // Default handlers, for derived handlers to call.
  int OnCreate(CREATESTRUCT*) { return static_cast<int>(Default()); }
  void OnDestroy() { Default(); }
  void OnNcDestroy() { Default(); }
  void OnClose() { Default(); }
  void OnTimer(UINT_PTR) { Default(); }
  void OnSize(UINT, int, int) { Default(); }
  void OnMove(int, int) { Default(); }
  void OnShowWindow(BOOL, UINT) { Default(); }
  void OnPaint() { Default(); }
  void OnEnable(BOOL) { Default(); }
  void OnSetFocus(CWnd*) { Default(); }
  void OnKillFocus(CWnd*) { Default(); }
  void OnSysCommand(UINT, LPARAM) { Default(); }

  void OnLButtonDown(UINT, POINT) { Default(); }
  void OnLButtonUp(UINT, POINT) { Default(); }
  void OnLButtonDblClk(UINT, POINT) { Default(); }
  void OnRButtonDown(UINT, POINT) { Default(); }
  void OnRButtonUp(UINT, POINT) { Default(); }
  void OnMouseMove(UINT, POINT) { Default(); }
  void OnCaptureChanged(CWnd*) { Default(); }
  void OnCancelMode() { Default(); }
  BOOL OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
  int OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
  LRESULT OnNcHitTest(POINT) { return Default(); }

  // The framework's window procedure, for classes registered with it.
  static LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // Calls PostNcDestroy for the dispatcher, which may have put it off
  // until the object's own handlers have returned.
  static void RunPostNcDestroy(CWnd* wnd);
  // Window classes whose procedure is the framework's.
  static const char* AfxWndClass();
  static const char* AfxFrameOrViewClass();

 protected:
  virtual void DoDataExchange(CDataExchange* dx);
  // Runs after the window is gone; objects that own themselves delete
  // themselves here.
  virtual void PostNcDestroy() {}
  // Makes the next window this thread creates join this object.
  void HookWindowCreate();
  static void UnhookWindowCreate();

  WNDPROC m_pfnSuper = nullptr;
  BOOL m_bContinueModal = FALSE;
  int m_nModalResult = -1;

  DECLARE_MESSAGE_MAP()

 private:
  friend struct WndCreationHook;
  // Offers an owner-drawn item message to the control it is about.
  BOOL ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
};

}  // namespace afx

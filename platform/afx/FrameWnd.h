// CFrameWnd: the top-level window that holds a view. Commands go to the
// active view (and so its document) first, then the frame, then the
// application. Closing the main frame closes the documents and ends the
// program's loop.
#pragma once

#include <string>
#include <vector>

#include "platform/afx/ControlBarStyles.h"
#include "platform/afx/Wnd.h"

namespace afx {

class CControlBar;
class CDockBar;
class CDocument;
class CMiniDockFrameWnd;
class CView;

class CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)
 public:
  CFrameWnd() = default;
  // Bars that outlive the frame forget it.
  ~CFrameWnd() override;

  // Creates the frame with the title of string `resource_id` (its text up
  // to the first "\n") and its accelerator table.
  virtual BOOL LoadFrame(UINT resource_id, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* parent = nullptr, CCreateContext* context = nullptr);
  using CWnd::Create;
  BOOL Create(const char* class_name, const char* title, DWORD style = WS_OVERLAPPEDWINDOW,
              const RECT& rect = rectDefault, CWnd* parent = nullptr, UINT menu_id = 0, DWORD ex_style = 0,
              CCreateContext* context = nullptr);
  static const RECT rectDefault;

  CView* GetActiveView() const { return m_pViewActive; }
  virtual void SetActiveView(CView* view, BOOL notify = TRUE);
  virtual CDocument* GetActiveDocument();
  virtual void InitialUpdateFrame(CDocument* document, BOOL make_visible);
  virtual void ActivateFrame(int show_command = -1);
  virtual void RecalcLayout(BOOL notify = TRUE);
  virtual void OnUpdateFrameTitle(BOOL add_to_title);
  CWnd* CreateView(CCreateContext* context, UINT id = AFX_IDW_PANE_FIRST);

  const std::string& GetTitle() const { return m_strTitle; }
  void SetTitle(const std::string& title) { m_strTitle = title; }

  BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handler_info) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL PreCreateWindow(CREATESTRUCT& create) override;

  int OnCreate(CREATESTRUCT* create);
  void OnClose();
  void OnSize(UINT kind, int cx, int cy);
  // Brings the popup's items up to date through their update handlers; an
  // item whose command nobody handles is greyed (m_bAutoMenuEnable).
  void OnInitMenuPopup(CMenu* popup, UINT index, BOOL system_menu);
  BOOL m_bAutoMenuEnable = TRUE;
  // Help: the focused window's answer to WM_COMMANDHELP, else the frame's
  // own help context.
  void OnHelp();
  // Shift+F1 help mode needs the pointer; the headless host has none.
  void OnContextHelp() {}
  // The framework's bar toggles (View > Toolbar, View > Status Bar): the
  // command's id is the bar's; the item is checked while the bar shows.
  BOOL OnBarCheck(UINT id);
  void OnUpdateControlBarMenu(CCmdUI* item);

  HACCEL m_hAccelTable = nullptr;
  UINT m_nIDHelp = 0;

  // Docking (FrameWndDocking.cpp). The frame keeps a list of its control
  // bars, floating ones included; dock bars are bars of the list too.
  // Creates a dock bar on each side of `dock_style` that has none yet.
  void EnableDocking(DWORD dock_style);
  // Docks into the dock bar of that id (0: the bar's own side) at `rect`
  // (screen coordinates; null: after the last row).
  virtual void DockControlBar(CControlBar* bar, UINT dock_bar_id = 0, const RECT* rect = nullptr);
  virtual void DockControlBar(CControlBar* bar, CDockBar* dock_bar, const RECT* rect = nullptr);
  // Docks where the bar was last docked: its place in the dock bar when the
  // dock bar remembers it, else at `rect`.
  virtual void ReDockControlBar(CControlBar* bar, CDockBar* dock_bar, const RECT* rect = nullptr);
  // Floats the bar in a floating frame with its top-left at `point` (screen).
  virtual void FloatControlBar(CControlBar* bar, POINT point, DWORD style = CBRS_ALIGN_TOP);
  virtual void ShowControlBar(CControlBar* bar, BOOL show, BOOL delay);
  // The alignment of the first dock bar on a side of `dock_style` that
  // `rect` (screen) touches, and that dock bar; 0 when none.
  DWORD CanDock(RECT rect, DWORD dock_style, CDockBar** dock_bar = nullptr);
  CControlBar* GetControlBar(UINT id) const;
  void AddControlBar(CControlBar* bar);
  void RemoveControlBar(CControlBar* bar);
  const std::vector<CControlBar*>& GetControlBars() const { return m_listControlBars; }
  virtual CMiniDockFrameWnd* CreateFloatingFrame(DWORD style);
  // Asks for a layout at the next idle time instead of now.
  void DelayRecalcLayout(BOOL notify = TRUE) { m_nIdleFlags |= idleLayout | (notify ? idleNotify : 0); }
  // Lays out now when a layout is pending.
  void RecalcLayoutIfPending();
  // Whether the active window is one of this frame's floating frames that
  // follow its activation: the frame then keeps its active caption.
  BOOL IsFloatingFrameActive() const;
  // Lets the floating frames that follow this frame's activation show
  // `active` on their captions.
  void NotifyFloatingWindows(BOOL active);

  std::vector<CControlBar*> m_listControlBars;
  const CRuntimeClass* m_pFloatingFrameClass = nullptr;
  UINT m_nIdleFlags = 0;
  BOOL m_bInRecalcLayout = FALSE;

 protected:
  virtual BOOL OnCreateClient(CREATESTRUCT* create, CCreateContext* context);
  void PostNcDestroy() override;
  LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM);
  LRESULT OnNcActivate(WPARAM wParam, LPARAM lParam);

  CView* m_pViewActive = nullptr;
  std::string m_strTitle;

  DECLARE_MESSAGE_MAP()
};

}  // namespace afx

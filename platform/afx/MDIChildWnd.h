// CMDIChildWnd: a document frame inside an MDI frame's client. It is
// created through the client (WM_MDICREATE) and tells its main frame
// which menu to show while it is active.
#pragma once

#include "platform/afx/FrameWnd.h"

namespace afx {

class CMDIFrameWnd;

class CMDIChildWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIChildWnd)
 public:
  CMDIChildWnd() = default;

  // Created in the MDI client of `parent` (the application's main window
  // when null).
  using CFrameWnd::Create;
  virtual BOOL Create(const char* class_name, const char* title, DWORD style, const RECT& rect, CWnd* parent,
                      CCreateContext* context);
  // The template's shared menu becomes the document frame's menu.
  BOOL LoadFrame(UINT resource_id, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, CWnd* parent = nullptr,
                 CCreateContext* context = nullptr) override;
  // The main frame: the parent of the MDI client.
  CWnd* GetMDIFrame() const;
  void MDIActivate();
  void MDIDestroy();
  void MDIMaximize();
  void MDIRestore();
  // The menu the main frame shows for this frame (activated) or its own.
  virtual void OnUpdateFrameMenu(BOOL activate, CWnd* activate_wnd, HMENU alternative);
  void ActivateFrame(int show_command = -1) override;
  void OnUpdateFrameTitle(BOOL add_to_title) override;
  BOOL PreCreateWindow(CREATESTRUCT& create) override;
  // The view and the frame itself; the main frame goes on from there.
  BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handler_info) override;

  int OnCreate(CREATESTRUCT* create);
  LRESULT OnMDIActivate(WPARAM deactivated, LPARAM activated);

  HMENU m_hMenuShared = nullptr;

 protected:
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  DECLARE_MESSAGE_MAP()
};

}  // namespace afx

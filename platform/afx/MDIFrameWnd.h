// CMDIFrameWnd: the main frame of a multiple-document program. Its client
// area is the MDI client window, which holds the document frames
// (CMDIChildWnd); commands go to the active document frame first.
#pragma once

#include "platform/afx/FrameWnd.h"

namespace afx {

class CMDIChildWnd;

// The first id of the window menu's list of document windows.
constexpr UINT AFX_IDM_FIRST_MDICHILD = 0xFF00;

// The MDI client among a frame's children, and its active document frame
// (maximised tells whether it fills the client); whatever frame class
// holds the client.
HWND MDIClientOf(const CWnd* frame);
CMDIChildWnd* MDIGetActiveOf(const CWnd* frame, BOOL* maximized = nullptr);
// The second-last popup of a menu: where MDI programs keep their Window menu.
HMENU SecondLastPopup(HMENU menu);
// A copy of the menu resource of that id; null when there is none.
HMENU LoadFrameMenu(UINT resource_id);
// The parts of a multiple-document frame that any frame class holding an
// MDI client shares: the client itself (its window menu lists the
// document frames), commands offered to the active document frame first,
// and that frame's document.
HWND CreateMDIClient(CWnd* frame, HMENU window_menu);
BOOL RouteToActiveMDIChild(const CWnd* frame, UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handler_info);
CDocument* ActiveMDIDocument(const CWnd* frame);

class CMDIFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIFrameWnd)
 public:
  CMDIFrameWnd() = default;
  // The frame's own menu goes with it; the templates keep theirs.
  ~CMDIFrameWnd() override;

  // The MDI client, listing its document windows in `window_menu`.
  virtual BOOL CreateClient(CREATESTRUCT* create, HMENU window_menu);
  CMDIChildWnd* MDIGetActive(BOOL* maximized = nullptr) const { return MDIGetActiveOf(this, maximized); }
  void MDIActivate(CWnd* child);
  void MDIMaximize(CWnd* child);
  void MDIRestore(CWnd* child);
  void MDINext();
  void MDICascade();
  void MDITile();
  HMENU MDISetMenu(HMENU frame_menu, HMENU window_menu);
  // The menu the frame shows: the active document's, else `alternative`.
  virtual void OnUpdateFrameMenu(HMENU alternative);
  // The frame's own menu, shown while no document frame is active.
  HMENU GetDefaultMenu() const { return m_hMenuDefault; }

  CDocument* GetActiveDocument() override;
  CFrameWnd* GetActiveFrame();
  BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handler_info) override;
  BOOL LoadFrame(UINT resource_id, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, CWnd* parent = nullptr,
                 CCreateContext* context = nullptr) override;
  void RecalcLayout(BOOL notify = TRUE) override;

  HWND m_hWndMDIClient = nullptr;

 protected:
  BOOL OnCreateClient(CREATESTRUCT* create, CCreateContext* context) override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  HMENU m_hMenuDefault = nullptr;
};

}  // namespace afx

// QVTMDIChildWnd: the framework's document frame. It names the menu that
// the MDI frame's menu bar shows while it is active (its template's
// menu by default), and tells the frame when it is maximised, restored or
// minimised, so the menu bar's caption buttons follow it.
#pragma once

#include "docking/QVTControlBar.h"
#include "platform/afx/MDIChildWnd.h"

namespace docking {

class QVTMDIFrameWnd;

class QVTMDIChildWnd : public afx::CMDIChildWnd {
  DECLARE_DYNCREATE(QVTMDIChildWnd)
 public:
  QVTMDIChildWnd() = default;

  BOOL LoadFrame(UINT resource_id, DWORD style = ui::WS_OVERLAPPEDWINDOW | afx::FWS_ADDTOTITLE,
                 afx::CWnd* parent = nullptr, afx::CCreateContext* context = nullptr) override;
  // The menu the menu bar shows while this frame is active; the bar
  // switches at once when it is the active one.
  void SetMenuId(UINT menu_id);
  UINT GetMenuId() const { return m_nMenuId; }
  BOOL UsesMenuBar() const { return m_bUsesMenuBar; }
  HMENU GetCurrentMenu() const { return m_hMenuCurrent; }
  // The framework's MDI frame around it; null inside any other frame.
  QVTMDIFrameWnd* GetQVTMDIFrame() const;
  void OnUpdateFrameMenu(BOOL activate, afx::CWnd* activate_wnd, HMENU alternative) override;

  LRESULT OnMDIActivate(ui::WPARAM deactivated, ui::LPARAM activated);
  void OnSize(UINT kind, int cx, int cy);
  LRESULT OnMouseActivate(ui::WPARAM wParam, ui::LPARAM lParam);
  LRESULT OnChildActivate(ui::WPARAM wParam, ui::LPARAM lParam);

 protected:
  // The frame whose client will hold this one, before it exists.
  QVTMDIFrameWnd* FrameFor(afx::CWnd* parent) const;

  UINT m_nMenuId = 0;
  BOOL m_bUsesMenuBar = FALSE;
  HMENU m_hMenuCurrent = nullptr;

  DECLARE_MESSAGE_MAP()
};

}  // namespace docking

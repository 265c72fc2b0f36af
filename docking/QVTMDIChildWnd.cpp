#include "docking/QVTMDIChildWnd.h"

#include "docking/QVTMDIFrameWnd.h"
#include "platform/afx/CreateContext.h"
#include "platform/afx/MultiDocTemplate.h"
#include "platform/afx/WinApp.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/Menu.h"

namespace docking {

using namespace ui;
using namespace afx;

IMPLEMENT_DYNCREATE(QVTMDIChildWnd, CMDIChildWnd)

BEGIN_MESSAGE_MAP(QVTMDIChildWnd, CMDIChildWnd)
  ON_MESSAGE(WM_MDIACTIVATE, OnMDIActivate)
  ON_WM_SIZE()
  ON_MESSAGE(WM_MOUSEACTIVATE, OnMouseActivate)
  ON_MESSAGE(WM_CHILDACTIVATE, OnChildActivate)
END_MESSAGE_MAP()

namespace {
constexpr UINT kFrameMenu = static_cast<UINT>(-1);
}  // namespace

QVTMDIFrameWnd* QVTMDIChildWnd::FrameFor(CWnd* parent) const {
  if (!parent) parent = AfxGetApp() ? AfxGetApp()->m_pMainWnd : nullptr;
  return dynamic_cast<QVTMDIFrameWnd*>(parent);
}

QVTMDIFrameWnd* QVTMDIChildWnd::GetQVTMDIFrame() const { return dynamic_cast<QVTMDIFrameWnd*>(GetMDIFrame()); }

BOOL QVTMDIChildWnd::LoadFrame(UINT resource_id, DWORD style, CWnd* parent, CCreateContext* context) {
  QVTMDIFrameWnd* frame = FrameFor(parent);
  const bool menu_bar = frame && frame->GetMenuBar();
  auto* multi = context && context->m_pNewDocTemplate
                    ? dynamic_cast<CMultiDocTemplate*>(context->m_pNewDocTemplate)
                    : nullptr;
  if (multi) {
    m_hMenuShared = multi->m_hMenuShared;
    if (menu_bar) {
      m_nMenuId = multi->GetResourceId();
      m_bUsesMenuBar = TRUE;
    }
  } else if (resource_id && menu_bar) {
    m_nMenuId = resource_id;
  }
  return CMDIChildWnd::LoadFrame(resource_id, style | WS_CHILD, parent, context);
}

void QVTMDIChildWnd::SetMenuId(UINT menu_id) {
  m_nMenuId = menu_id;
  QVTMDIFrameWnd* frame = GetQVTMDIFrame();
  if (frame && frame->GetMenuBar() && m_hWnd && frame->MDIGetActive() == this) frame->SwitchToChildMenu(menu_id);
}

LRESULT QVTMDIChildWnd::OnMDIActivate(WPARAM deactivated, LPARAM activated) {
  const LRESULT result = CMDIChildWnd::OnMDIActivate(deactivated, activated);
  QVTMDIFrameWnd* frame = GetQVTMDIFrame();
  if (!frame || !frame->GetMenuBar() || !m_nMenuId) return result;
  if (reinterpret_cast<HWND>(activated) == m_hWnd) frame->SwitchToChildMenu(m_nMenuId);
  else if (!activated) frame->SwitchToChildMenu(kFrameMenu);  // the last one went
  return result;
}

void QVTMDIChildWnd::OnSize(UINT kind, int cx, int cy) {
  if (kind == SIZE_RESTORED || kind == SIZE_MINIMIZED || kind == SIZE_MAXIMIZED)
    if (QVTMDIFrameWnd* frame = GetQVTMDIFrame()) frame->OnChildSized();
  CMDIChildWnd::OnSize(kind, cx, cy);
}

LRESULT QVTMDIChildWnd::OnMouseActivate(WPARAM, LPARAM) {
  QVTMDIFrameWnd* frame = GetQVTMDIFrame();
  if (frame) frame->DeactivateBarChild(FALSE);
  const LRESULT result = Default();
  if (frame && m_nMenuId) frame->SwitchToChildMenu(m_nMenuId);
  return result;
}

LRESULT QVTMDIChildWnd::OnChildActivate(WPARAM, LPARAM) {
  if (QVTMDIFrameWnd* frame = GetQVTMDIFrame()) frame->DeactivateBarChild(FALSE);
  return Default();
}

void QVTMDIChildWnd::OnUpdateFrameMenu(BOOL activate, CWnd* activate_wnd, HMENU alternative) {
  const HMENU menu = activate ? (alternative ? alternative : m_hMenuShared) : nullptr;
  m_hMenuCurrent = menu;
  QVTMDIFrameWnd* frame = GetQVTMDIFrame();
  if (frame && !frame->GetMenuBar()) {
    // A window menu: this frame's menu, else the frame's own.
    const HMENU shown = menu ? menu : frame->GetFrameMenu();
    if (shown) CMDIChildWnd::OnUpdateFrameMenu(TRUE, this, shown);
  } else {
    CMDIChildWnd::OnUpdateFrameMenu(activate, activate_wnd, alternative);
  }
  if (!frame) return;
  if (frame->GetMenuBar() && activate && !menu && ui::GetMenu(frame->m_hWnd)) {
    ui::SetMenu(frame->m_hWnd, nullptr);
    ui::DrawMenuBar(frame->m_hWnd);
  }
  frame->RefreshWindowMenu();
}

}  // namespace docking

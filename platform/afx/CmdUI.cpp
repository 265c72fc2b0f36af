#include "platform/afx/CmdUI.h"

#include "platform/afx/Wnd.h"

namespace afx {

void CCmdUI::Enable(BOOL on) {
  if (m_pMenu) ::ui::EnableMenuItem(m_pMenu, m_nIndex, MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
  if (m_pOther) {
    // A control losing its enabled state must not keep the focus.
    if (!on && ::ui::GetFocus() == m_pOther->m_hWnd) {
      if (HWND parent = ::ui::GetParent(m_pOther->m_hWnd)) ::ui::SendMessage(parent, WM_NEXTDLGCTL, 0, FALSE);
    }
    m_pOther->EnableWindow(on);
  }
  m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int check) {
  if (m_pMenu) ::ui::CheckMenuItem(m_pMenu, m_nIndex, MF_BYPOSITION | (check ? MF_CHECKED : MF_UNCHECKED));
  if (m_pOther && (m_pOther->SendMessage(WM_GETDLGCODE, 0, 0) & DLGC_BUTTON))
    m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(check), 0);
}

void CCmdUI::SetRadio(BOOL on) { SetCheck(on ? 1 : 0); }

void CCmdUI::SetText(const std::string& text) {
  if (m_pMenu) {
    const UINT state = ::ui::GetMenuState(m_pMenu, m_nIndex, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
    ::ui::ModifyMenu(m_pMenu, m_nIndex, MF_BYPOSITION | MF_STRING | state, m_nID, text.c_str());
  }
  if (m_pOther && m_pOther->GetWindowTextString() != text) m_pOther->SetWindowText(text);
}

BOOL CCmdUI::DoUpdate(CCmdTarget* target, BOOL disable_if_no_handler) {
  m_bEnableChanged = FALSE;
  const BOOL handled = target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
  if (!handled && disable_if_no_handler && !m_bEnableChanged) {
    AFX_CMDHANDLERINFO info;
    Enable(target->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
  }
  return handled;
}

}  // namespace afx

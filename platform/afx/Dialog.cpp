#include "platform/afx/Dialog.h"

#include "platform/afx/WinApp.h"

namespace afx {

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
  ON_COMMAND(IDOK, OnOK)
  ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

const ::ui::DialogTemplate* CDialog::FindTemplate() const {
  return m_lpDialogTemplate ? m_lpDialogTemplate : ::ui::FindDialogResource(m_nIDTemplate);
}

HWND CDialog::ModalOwner() const {
  HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
  if (!owner) {
    CWnd* main = AfxGetMainWnd();
    owner = main ? main->m_hWnd : nullptr;
  }
  return owner ? ::ui::GetAncestor(owner, GA_ROOT) : nullptr;
}

BOOL CDialog::CreateIndirect(const ::ui::DialogTemplate* dialog, CWnd* parent) {
  if (!dialog) return FALSE;
  if (parent) m_pParentWnd = parent;
  HookWindowCreate();
  const HWND hwnd = ::ui::CreateDialogIndirectParam(dialog, m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr, nullptr, 0);
  UnhookWindowCreate();
  return hwnd ? TRUE : FALSE;
}

BOOL CDialog::Create(UINT template_id, CWnd* parent) {
  m_nIDTemplate = template_id;
  if (!m_nIDHelp) m_nIDHelp = template_id;
  m_bModal = false;
  return CreateIndirect(FindTemplate(), parent);
}

INT_PTR CDialog::DoModal() {
  const ::ui::DialogTemplate* dialog = FindTemplate();
  if (!dialog) return -1;
  const HWND owner = ModalOwner();
  const bool disable_owner = owner && ::ui::IsWindowEnabled(owner);
  m_bModal = true;
  m_bEndRequested = false;
  m_nModalResult = -1;
  // The owner is disabled before the dialog exists, so that nothing the
  // dialog's initialisation does can reach it.
  if (disable_owner) ::ui::EnableWindow(owner, FALSE);
  HookWindowCreate();
  const HWND hwnd = ::ui::CreateDialogIndirectParam(dialog, owner, nullptr, 0);
  UnhookWindowCreate();
  if (hwnd && m_bModal) {
    if (!m_bEndRequested && !(::ui::GetWindowLongPtr(hwnd, GWL_STYLE) & WS_VISIBLE)) ShowWindow(SW_SHOW);
    if (!m_bEndRequested) RunModalLoop();
    // A loop that WM_QUIT ended answers as Cancel, never as a confirmation.
    if (!m_bEndRequested) m_nModalResult = IDCANCEL;
  }
  if (disable_owner && ::ui::IsWindow(owner)) ::ui::EnableWindow(owner, TRUE);
  if (m_hWnd) {
    ShowWindow(SW_HIDE);
    DestroyWindow();
  }
  if (owner && ::ui::IsWindow(owner)) ::ui::SetActiveWindow(owner);
  m_bModal = false;
  return m_nModalResult;
}

void CDialog::EndDialog(int result) {
  m_bEndRequested = true;
  if (m_bModal) {
    EndModalLoop(result);
  } else if (m_hWnd) {
    ShowWindow(SW_HIDE);
  }
  if (m_hWnd) ::ui::EndDialog(m_hWnd, result);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;  // the dialog stays open on the refused field
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::PreTranslateMessage(MSG* msg) {
  if (msg->message < WM_KEYDOWN || msg->message > WM_SYSCHAR) return FALSE;
  return ::ui::IsDialogMessage(m_hWnd, msg);
}

}  // namespace afx

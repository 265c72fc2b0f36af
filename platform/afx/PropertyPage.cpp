#include "platform/afx/PropertyPage.h"

#include "platform/afx/PropertySheet.h"
#include "platform/ui/Resources.h"

namespace afx {

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage(UINT template_id, UINT caption_id) : CDialog(template_id), m_nIDCaption(caption_id) {}

BOOL CPropertyPage::OnSetActive() { return TRUE; }

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::OnApply() {
  OnOK();
  m_bModified = FALSE;
  return TRUE;
}

void CPropertyPage::OnReset() { OnCancel(); }

void CPropertyPage::SetModified(BOOL changed) {
  m_bModified = changed;
  if (m_pSheet) m_pSheet->PageModified();
}

std::string CPropertyPage::GetCaption() const {
  std::string caption;
  if (m_nIDCaption && ::ui::LoadStringResource(m_nIDCaption, caption)) return caption;
  const ::ui::DialogTemplate* dialog = FindTemplate();
  return dialog ? dialog->caption : std::string();
}

BOOL CPropertyPage::CreatePage(CPropertySheet* sheet) {
  const ::ui::DialogTemplate* found = FindTemplate();
  if (!found || !sheet) return FALSE;
  m_pSheet = sheet;
  // The template becomes a plain child of the sheet: the sheet has the
  // caption and the frame, and shows the page when its tab is chosen.
  ::ui::DialogTemplate page = *found;
  page.style = (page.style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE | DS_MODALFRAME |
                               DS_CENTER)) |
               WS_CHILD | DS_CONTROL;
  page.x = page.y = 0;
  return CreateIndirect(&page, sheet);
}

BOOL CPropertyPage::PreTranslateMessage(MSG* msg) {
  const bool key = msg->message == WM_KEYDOWN || msg->message == WM_CHAR;
  if (key && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) return FALSE;
  return CDialog::PreTranslateMessage(msg);
}

}  // namespace afx

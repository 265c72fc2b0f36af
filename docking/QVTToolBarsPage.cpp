#include "docking/QVTToolBarsPage.h"

#include "docking/QVTToolBarManager.h"
#include "docking/QVTToolBarsResources.h"
#include "platform/afx/MessageMap.h"
#include "platform/afx/PropertySheet.h"

namespace docking {

using R = QVTToolBarsResources;

BEGIN_MESSAGE_MAP(QVTToolBarsPage, afx::CPropertyPage)
  ON_LBN_SELCHANGE(R::kToolBarList, UpdateSelection)
  ON_CONTROL(afx::CLBN_CHKCHANGE, R::kToolBarList, ToggleVisibility)
  ON_EN_KILLFOCUS(R::kNameEdit, Rename)
  ON_BN_CLICKED(R::kResetButton, ResetOrDelete)
  ON_BN_CLICKED(R::kNewButton, NewToolBar)
  ON_BN_CLICKED(R::kToolTipsCheck, OnOptionChanged)
  ON_BN_CLICKED(R::kCoolLookCheck, OnCoolLookChanged)
  ON_BN_CLICKED(R::kLargeButtonsCheck, OnLargeButtonsChanged)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

UINT QVTToolBarsPage::ToolBarStyleChangingMessage() {
  static const UINT message = ui::RegisterWindowMessage("WM_TOOLBARSTYLECHANGING");
  return message;
}

QVTToolBarsPage::QVTToolBarsPage(QVTToolBarManager* manager)
    : afx::CPropertyPage(R::kToolBarsPage), QVTToolBarsBase(this) {
  Init(manager);
}

BOOL QVTToolBarsPage::OnInitDialog() {
  AttachList();
  afx::CPropertyPage::OnInitDialog();
  TakeSnapshot();
  FillList();
  if (m_pManager) m_pManager->AddNotifyWnd(this);
  return TRUE;
}

LRESULT QVTToolBarsPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == QVTToolBarManager::BarNotifyMessage()) {
    OnBarNotify(static_cast<UINT>(wParam), static_cast<UINT>(lParam));
    return 0;
  }
  return afx::CPropertyPage::WindowProc(message, wParam, lParam);
}

void QVTToolBarsPage::DoDataExchange(afx::CDataExchange* dx) {
  afx::CPropertyPage::DoDataExchange(dx);
  ExchangeOptions(dx);
}

BOOL QVTToolBarsPage::OnSetActive() {
  if (m_pManager) {
    m_pManager->SetCustomizeMode(TRUE);
    m_pManager->EnterConfigMode();
    m_pManager->SetNoDropWnd(GetSheet());
  }
  return afx::CPropertyPage::OnSetActive();
}

BOOL QVTToolBarsPage::OnKillActive() {
  Rename();
  if (m_pManager) {
    m_pManager->SetCustomizeMode(FALSE);
    m_pManager->ExitConfigMode();
  }
  // Leaving the configuration mode disables the frame's windows again, the
  // sheet among them when it is one of them.
  if (afx::CPropertySheet* sheet = GetSheet()) sheet->EnableWindow(TRUE);
  return afx::CPropertyPage::OnKillActive();
}

void QVTToolBarsPage::OnOK() { Apply(); }

void QVTToolBarsPage::OnCancel() {
  Revert();
  RestoreSnapshot();
}

void QVTToolBarsPage::LeaveCustomisation() {
  if (!m_pManager) return;
  m_pManager->SetCustomizeMode(FALSE);
  m_pManager->ExitConfigMode();
  m_pManager->SetNoDropWnd(nullptr);
}

void QVTToolBarsPage::OnReset() {
  LeaveCustomisation();
  afx::CPropertyPage::OnReset();
}

void QVTToolBarsPage::OnDestroy() {
  if (m_pManager) {
    m_pManager->RemoveNotifyWnd(this);
    m_pManager->SetNoDropWnd(nullptr);
  }
  afx::CPropertyPage::OnDestroy();
}

void QVTToolBarsPage::TellOtherPages(WPARAM what) const {
  afx::CPropertySheet* sheet = GetSheet();
  if (!sheet) return;
  for (int i = 0; i < sheet->GetPageCount(); ++i) {
    afx::CPropertyPage* page = sheet->GetPage(i);
    if (page != this && page->m_hWnd) page->SendMessage(ToolBarStyleChangingMessage(), what, 0);
  }
}

void QVTToolBarsPage::OnCoolLookChanged() {
  OnOptionChanged();
  TellOtherPages(kCoolLookChanged);
}

void QVTToolBarsPage::OnLargeButtonsChanged() {
  OnOptionChanged();
  TellOtherPages(kLargeButtonsChanged);
}

}  // namespace docking

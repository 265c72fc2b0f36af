#include "docking/QVTToolBarsDlg.h"

#include <algorithm>

#include "docking/QVTCustomToolBar.h"
#include "docking/QVTToolBarManager.h"
#include "docking/QVTToolBarsResources.h"
#include "platform/afx/MessageMap.h"

namespace docking {

using R = QVTToolBarsResources;

BEGIN_MESSAGE_MAP(QVTToolBarsDlg, afx::CDialog)
  ON_LBN_SELCHANGE(R::kToolBarList, UpdateSelection)
  ON_CONTROL(afx::CLBN_CHKCHANGE, R::kToolBarList, ToggleVisibility)
  ON_EN_KILLFOCUS(R::kNameEdit, Rename)
  ON_BN_CLICKED(R::kResetButton, ResetOrDelete)
  ON_BN_CLICKED(R::kNewButton, OnNew)
  ON_BN_CLICKED(R::kCustomizeButton, OnCustomize)
  ON_BN_CLICKED(R::kToolTipsCheck, OnOptionChanged)
  ON_BN_CLICKED(R::kCoolLookCheck, OnOptionChanged)
  ON_BN_CLICKED(R::kLargeButtonsCheck, OnOptionChanged)
  ON_COMMAND(afx::ID_HELP, OnHelp)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

QVTToolBarsDlg::QVTToolBarsDlg(QVTToolBarManager* manager, afx::CWnd* parent)
    : afx::CDialog(R::kToolBarsDialog, parent), QVTToolBarsBase(this) {
  Init(manager);
}

BOOL QVTToolBarsDlg::OnInitDialog() {
  AttachList();
  afx::CDialog::OnInitDialog();
  CenterWindow();
  TakeSnapshot();
  FillList();
  if (m_pManager) {
    m_pManager->EnterConfigMode();
    m_pManager->SetCustomizeMode(TRUE);
    m_pManager->SetNoDropWnd(this);
    m_pManager->AddNotifyWnd(this);
  }
  return TRUE;
}

LRESULT QVTToolBarsDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == QVTToolBarManager::BarNotifyMessage()) {
    OnBarNotify(static_cast<UINT>(wParam), static_cast<UINT>(lParam));
    return 0;
  }
  const LRESULT result = afx::CDialog::WindowProc(message, wParam, lParam);
  if (message == ui::WM_ACTIVATE && m_hWnd)
    ShareActivation(ui::LOWORD(static_cast<ui::DWORD>(wParam)) != ui::WA_INACTIVE, reinterpret_cast<HWND>(lParam));
  return result;
}

std::vector<HWND> QVTToolBarsDlg::FloatingFrames() const {
  std::vector<HWND> frames;
  if (!m_pManager) return frames;
  for (QVTCustomToolBar* bar : m_pManager->GetToolBars()) {
    if (!bar->IsFloating()) continue;
    const HWND frame = ui::GetAncestor(bar->m_hWnd, ui::GA_ROOT);
    if (std::find(frames.begin(), frames.end(), frame) == frames.end()) frames.push_back(frame);
  }
  return frames;
}

void QVTToolBarsDlg::ShareActivation(BOOL active, HWND other) {
  const std::vector<HWND> floating = FloatingFrames();
  const bool to_floating = std::find(floating.begin(), floating.end(), other) != floating.end();
  for (HWND frame : floating)
    if (active || frame != other) ui::SendMessage(frame, ui::WM_NCACTIVATE, active || to_floating, 0);
  if (!active && to_floating) SendMessage(ui::WM_NCACTIVATE, TRUE, 0);
}

void QVTToolBarsDlg::DoDataExchange(afx::CDataExchange* dx) {
  afx::CDialog::DoDataExchange(dx);
  ExchangeOptions(dx);
}

// A new bar is empty: the dialog ends as for Customize, so its buttons can
// be put on it.
void QVTToolBarsDlg::OnNew() {
  if (NewToolBar()) Close(kCustomizeResult);
}

void QVTToolBarsDlg::OnCustomize() { Close(kCustomizeResult); }

void QVTToolBarsDlg::OnHelp() { WinHelp(0x20000 + R::kToolBarsDialog); }

void QVTToolBarsDlg::OnOK() {
  // A name still being typed counts: the edit may not have lost the focus yet.
  Rename();
  if (!UpdateData(TRUE)) return;
  Close(ui::IDOK);
}

void QVTToolBarsDlg::OnCancel() { Close(ui::IDCANCEL); }

void QVTToolBarsDlg::Close(int result) {
  Finish(result);
  EndDialog(result);
}

void QVTToolBarsDlg::OnDestroy() {
  Finish(ui::IDCANCEL);
  afx::CDialog::OnDestroy();
}

void QVTToolBarsDlg::Finish(int result) {
  if (m_bFinished) return;
  m_bFinished = true;
  if (m_pManager) {
    m_pManager->ExitConfigMode();
    m_pManager->SetCustomizeMode(FALSE);
    m_pManager->RemoveNotifyWnd(this);
    m_pManager->SetNoDropWnd(nullptr);
    if (result == ui::IDCANCEL) {
      Revert();
      RestoreSnapshot();
    } else {
      Apply();
    }
  }
}

}  // namespace docking

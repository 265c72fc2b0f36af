#include "docking/QVTNewToolBar.h"

#include "docking/QVTToolBarsResources.h"
#include "platform/afx/DataExchange.h"
#include "platform/afx/MessageMap.h"
#include "platform/ui/ControlMessages.h"

namespace docking {

using R = QVTToolBarsResources;

BEGIN_MESSAGE_MAP(QVTNewToolBar, afx::CDialog)
  ON_EN_CHANGE(R::kNewNameEdit, OnNameChanged)
  ON_COMMAND(afx::ID_HELP, OnHelp)
END_MESSAGE_MAP()

QVTNewToolBar::QVTNewToolBar(afx::CWnd* parent) : afx::CDialog(R::kNewToolBarDialog, parent) { R::Register(); }

BOOL QVTNewToolBar::OnInitDialog() {
  ui::SendDlgItemMessage(m_hWnd, R::kNewNameEdit, ui::EM_LIMITTEXT, kMaxNameLength, 0);
  afx::CDialog::OnInitDialog();
  OnNameChanged();
  return TRUE;
}

void QVTNewToolBar::DoDataExchange(afx::CDataExchange* dx) {
  afx::CDialog::DoDataExchange(dx);
  afx::DDX_Text(dx, R::kNewNameEdit, m_strName);
}

void QVTNewToolBar::OnNameChanged() {
  // Text put in by other means than typing is cut back to the limit too.
  std::string name = GetDlgItemText(R::kNewNameEdit);
  if (name.size() > kMaxNameLength) {
    name.resize(kMaxNameLength);
    SetDlgItemText(R::kNewNameEdit, name);
  }
  if (CWnd* ok = GetDlgItem(ui::IDOK)) ok->EnableWindow(name.empty() ? FALSE : TRUE);
}

void QVTNewToolBar::OnHelp() { WinHelp(0x20000 + R::kNewToolBarDialog); }

}  // namespace docking

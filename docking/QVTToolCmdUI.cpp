#include "docking/QVTToolCmdUI.h"

#include "docking/QVTToolBar.h"

namespace docking {

void QVTToolCmdUI::Enable(BOOL on) {
  m_bEnableChanged = TRUE;
  const int index = static_cast<int>(m_nIndex);
  UINT style = m_pBar->GetButtonStyle(index);
  // A disabled button cannot stay pressed.
  style = on ? (style & ~QVT_TBBS_DISABLED) : ((style | QVT_TBBS_DISABLED) & ~QVT_TBBS_PRESSED);
  m_pBar->SetButtonStyle(index, style);
}

void QVTToolCmdUI::SetCheck(int check) {
  const int index = static_cast<int>(m_nIndex);
  UINT style = (m_pBar->GetButtonStyle(index) | QVT_TBBS_CHECKBOX) & ~(QVT_TBBS_CHECKED | QVT_TBBS_INDETERMINATE);
  if (check == 1) style |= QVT_TBBS_CHECKED;
  else if (check == 2) style |= QVT_TBBS_INDETERMINATE;
  m_pBar->SetButtonStyle(index, style);
}

}  // namespace docking

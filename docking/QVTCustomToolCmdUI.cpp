#include "docking/QVTCustomToolCmdUI.h"

#include "docking/QVTCustomToolBar.h"

namespace docking {

void QVTCustomToolCmdUI::Enable(BOOL on) {
  m_bEnableChanged = TRUE;
  const int index = static_cast<int>(m_nIndex);
  const DWORD style = m_pBar->GetButtonStyle(index);
  m_pBar->SetButtonStyle(index, on ? (style & ~kTBDisabled) : (style | kTBDisabled));
}

void QVTCustomToolCmdUI::SetCheck(int check) {
  const int index = static_cast<int>(m_nIndex);
  DWORD style = (m_pBar->GetButtonStyle(index) | kTBCheck) & ~(kTBChecked | kTBIndeterminate);
  if (check == 1) style |= kTBChecked;
  else if (check == 2) style |= kTBIndeterminate;
  m_pBar->SetButtonStyle(index, style);
}

}  // namespace docking

// The frame's bar layout in the profile.
#include "docking/QVTDockState.h"
#include "docking/QVTFrameWnd.h"
#include "platform/afx/WinApp.h"

namespace docking {

BOOL QVTFrameWnd::LoadBarState(const std::string& name) {
  QVTDockState state(m_pControlBarManager);
  state.SetObjectList(&m_listCreatedObjects);
  state.SetBarBaseClass(RUNTIME_CLASS(QVTControlBar));
  if (!state.LoadState(name)) return FALSE;
  // Bars made while the layout is applied look for the program's main window.
  if (afx::CWinApp* app = afx::AfxGetApp(); app && !app->m_pMainWnd) app->m_pMainWnd = this;
  return state.SetDockState(this);
}

BOOL QVTFrameWnd::SaveBarState(const std::string& name) {
  QVTDockState state(m_pControlBarManager);
  if (!state.GetDockState(this)) return FALSE;
  state.CleanUpBarLists();
  return state.SaveState(name);
}

}  // namespace docking

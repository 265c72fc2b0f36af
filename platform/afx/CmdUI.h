// Command update: a CCmdUI stands for one user-interface item (a control,
// later a menu item or a toolbar button) whose enabled state, check mark
// and text the command's update handler sets.
#pragma once

#include <string>

#include "platform/afx/CmdTarget.h"

namespace afx {

class CCmdUI {
 public:
  UINT m_nID = 0;
  UINT m_nIndex = 0;
  CWnd* m_pOther = nullptr;  // the control, when the item is a window
  HMENU m_pMenu = nullptr;   // the popup, when the item is a menu item (by m_nIndex)
  BOOL m_bEnableChanged = FALSE;
  BOOL m_bContinueRouting = FALSE;

  virtual ~CCmdUI() = default;
  virtual void Enable(BOOL on = TRUE);
  virtual void SetCheck(int check = 1);
  virtual void SetRadio(BOOL on = TRUE);
  virtual void SetText(const std::string& text);
  void ContinueRouting() { m_bContinueRouting = TRUE; }

  // Asks `target` (and the targets it routes to) for an update; with no
  // handler and `disable_if_no_handler`, an item whose command nobody
  // handles is disabled. Returns TRUE when a handler ran.
  BOOL DoUpdate(CCmdTarget* target, BOOL disable_if_no_handler);
};

// Used to test whether a command is enabled before running it.
class CTestCmdUI : public CCmdUI {
 public:
  BOOL m_bEnabled = TRUE;
  void Enable(BOOL on = TRUE) override {
    m_bEnabled = on;
    m_bEnableChanged = TRUE;
  }
  void SetCheck(int) override {}
  void SetRadio(BOOL) override {}
  void SetText(const std::string&) override {}
};

}  // namespace afx

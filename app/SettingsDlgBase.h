// What the settings dialogs share: F1 on a control and the Help button
// open the help book at the control's or the dialog's topic, a refused
// value is told with an exclamation box and puts the focus back on its
// control, and small helpers for the checks, radios and drop-down lists
// the dialogs read and set.
#pragma once

#include <string>

#include "platform/afx/Dialog.h"
#include "platform/afx/MessageMap.h"

class CSettingsDlgBase : public afx::CDialog {
 public:
  CSettingsDlgBase(afx::UINT template_id, afx::CWnd* parent) : afx::CDialog(template_id, parent) {}

  afx::BOOL PreTranslateMessage(afx::MSG* msg) override;

  // The context F1 opens with the focus on `control` (0: none).
  unsigned long HelpContextOfControl(afx::HWND control) const;

 protected:
  // Tells the user `text` and focuses `control`; always false, so that a
  // check can end with `return Refuse(...)`.
  bool Refuse(const std::string& text, int control) const;

  bool IsChecked(int id) const;
  void SetChecked(int id, bool checked) const;
  void EnableControl(int id, bool enable) const;
  // The selection of a drop-down list, -1 for none.
  int ComboSelection(int id) const;
  void SetComboSelection(int id, int index) const;
  // The checked radio of ids first..last as its offset from first, -1 for none.
  int CheckedRadio(int first, int last) const;
  void LimitEditText(int id, int max_chars) const;

  void OnHelpButton();
  DECLARE_MESSAGE_MAP()
};

// The folder check of the settings dialogs: an absolute path of an
// existing folder; `folder` gets its trailing "/" on success.
bool ValidateSettingsFolder(std::string& folder);

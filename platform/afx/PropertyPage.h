// CPropertyPage: one page of a property sheet, made from a dialog template
// as a child of its sheet and shown while its tab is selected. The sheet
// asks it to take or give up the selection (OnSetActive, OnKillActive) and
// tells it how the sheet closes (OnOK and OnApply, OnCancel and OnReset).
#pragma once

#include <string>

#include "platform/afx/Dialog.h"

namespace afx {

class CPropertySheet;

class CPropertyPage : public CDialog {
  DECLARE_DYNAMIC(CPropertyPage)
 public:
  // The tab shows the template's caption unless `caption_id` names a string.
  explicit CPropertyPage(UINT template_id, UINT caption_id = 0);

  // TRUE lets the page become the shown one.
  virtual BOOL OnSetActive();
  // Takes the controls' values; FALSE (a refused value) keeps the page shown.
  virtual BOOL OnKillActive();
  // The sheet closes with OK: the page keeps its values. Nothing by default.
  void OnOK() override;
  // The sheet closes with Cancel. Nothing by default.
  void OnCancel() override;
  // Apply or OK: OnOK; TRUE when the changes were taken.
  virtual BOOL OnApply();
  // Cancel: OnCancel.
  virtual void OnReset();
  // A changed page enables the sheet's Apply button.
  void SetModified(BOOL changed = TRUE);
  BOOL IsModified() const { return m_bModified; }

  std::string GetCaption() const;
  // The page's template as its resource has it; null when there is none.
  const ::ui::DialogTemplate* GetPageTemplate() const { return FindTemplate(); }
  CPropertySheet* GetSheet() const { return m_pSheet; }
  // Made by the sheet: a child window of it, hidden until shown.
  BOOL CreatePage(CPropertySheet* sheet);

  // Enter and Escape belong to the sheet's buttons.
  BOOL PreTranslateMessage(MSG* msg) override;

 protected:
  UINT m_nIDCaption = 0;
  CPropertySheet* m_pSheet = nullptr;
  BOOL m_bModified = FALSE;
};

}  // namespace afx

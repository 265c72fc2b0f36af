// QVTToolBarsPage: the Toolbars dialog's content as a property page. While
// it is the shown page every toolbar is in customise mode; OK keeps the
// chosen options, Cancel takes back everything done on the page.
#pragma once

#include "docking/QVTToolBarsBase.h"
#include "platform/afx/PropertyPage.h"

namespace docking {

class QVTToolBarsPage : public afx::CPropertyPage, public QVTToolBarsBase {
 public:
  // What the other pages of the sheet hear after a style option changed:
  // wParam 2 for cool look, 1 for large buttons.
  static UINT ToolBarStyleChangingMessage();
  static constexpr WPARAM kCoolLookChanged = 2;
  static constexpr WPARAM kLargeButtonsChanged = 1;

  explicit QVTToolBarsPage(QVTToolBarManager* manager);

  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  BOOL OnKillActive() override;
  void OnOK() override;
  void OnCancel() override;
  void OnReset() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  void DoDataExchange(afx::CDataExchange* dx) override;
  void OnCoolLookChanged();
  void OnLargeButtonsChanged();
  void TellOtherPages(WPARAM what) const;
  void LeaveCustomisation();
  void OnDestroy();

  DECLARE_MESSAGE_MAP()
};

}  // namespace docking

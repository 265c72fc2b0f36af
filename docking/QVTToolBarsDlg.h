// QVTToolBarsDlg: the modal "Toolbars" dialog. While it is up every
// toolbar of the frame is in customise mode, so buttons can be dragged
// between bars, and the frame's other windows are disabled. Close keeps
// what the user did; Cancel (Escape, the close box) takes all of it back.
#pragma once

#include <vector>

#include "docking/QVTToolBarsBase.h"
#include "platform/afx/Dialog.h"

namespace docking {

class QVTToolBarsDlg : public afx::CDialog, public QVTToolBarsBase {
 public:
  // The result of "C&ustomize...".
  static constexpr int kCustomizeResult = 43099;

  explicit QVTToolBarsDlg(QVTToolBarManager* manager, afx::CWnd* parent = nullptr);

  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  void DoDataExchange(afx::CDataExchange* dx) override;
  void OnNew();
  void OnCustomize();
  void OnHelp();
  // Leaves customisation and ends the dialog; Cancel restores what was.
  void Close(int result);
  // Leaving customisation, once; Cancel restores what was.
  void Finish(int result);
  // A dialog that goes without being closed (a quit ends its loop) counts as cancelled.
  void OnDestroy();
  bool m_bFinished = false;
  // The dialog and the frame's floating bars are worked on together: while
  // either is active, the captions of both show it.
  void ShareActivation(BOOL active, HWND other);
  std::vector<HWND> FloatingFrames() const;

  DECLARE_MESSAGE_MAP()
};

}  // namespace docking

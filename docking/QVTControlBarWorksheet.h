// QVTControlBarWorksheet: the sheet form of a document frame that hosts a
// floating bar, so that in a workbook a bar floated into the client gets a
// tab of its own. It keeps the title its bar gives it, and shows the small
// icon of the first of its bars that has one (the system's window icon
// when none has).
#pragma once

#include "docking/QVTControlBarMDIChildWnd.h"
#include "docking/QVTSheet.h"

namespace docking {

class QVTControlBarWorksheet : public QVTControlBarMDIChildWnd, public QVTSheet {
  DECLARE_DYNCREATE(QVTControlBarWorksheet)
 public:
  QVTControlBarWorksheet() = default;

  afx::CMDIChildWnd* GetSheetFrame() override { return this; }
  BOOL LoadFrame(UINT resource_id, DWORD style = ui::WS_OVERLAPPEDWINDOW | afx::FWS_ADDTOTITLE,
                 afx::CWnd* parent = nullptr, afx::CCreateContext* context = nullptr) override;
  void RecalcLayout(BOOL notify = TRUE) override;
  void OnUpdateFrameTitle(BOOL add_to_title) override;
  void OnUpdateFrameMenu(BOOL activate, afx::CWnd* activate_wnd, HMENU alternative) override;

 protected:
  void OnDestroy();
  LRESULT OnSheetShowWindow(ui::WPARAM wParam, ui::LPARAM lParam);

  DECLARE_MESSAGE_MAP()

 private:
  // Without an icon of its own, the sheet takes its bar's.
  void AdoptBarIcon();
};

}  // namespace docking

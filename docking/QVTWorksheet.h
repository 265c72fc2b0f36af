// QVTWorksheet: a document window of a workbook, shown as one of its
// sheets. It registers with its workbook once it is created and leaves it
// when destroyed; its icon and title appear on its tab.
#pragma once

#include "docking/QVTMDIChildWnd.h"
#include "docking/QVTSheet.h"

namespace docking {

class QVTWorksheet : public QVTMDIChildWnd, public QVTSheet {
  DECLARE_DYNCREATE(QVTWorksheet)
 public:
  QVTWorksheet() = default;

  afx::CMDIChildWnd* GetSheetFrame() override { return this; }
  // Created as an MDI child, then registered as a sheet with the icon of
  // the same resource id.
  BOOL LoadFrame(UINT resource_id, DWORD style = ui::WS_OVERLAPPEDWINDOW | afx::FWS_ADDTOTITLE,
                 afx::CWnd* parent = nullptr, afx::CCreateContext* context = nullptr) override;
  void OnUpdateFrameTitle(BOOL add_to_title) override;
  void OnUpdateFrameMenu(BOOL activate, afx::CWnd* activate_wnd, HMENU alternative) override;

 protected:
  void OnDestroy();
  void OnShowWindow(BOOL show, UINT status);

  DECLARE_MESSAGE_MAP()
};

}  // namespace docking

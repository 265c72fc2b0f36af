// QVTWorkbookClient: the workbook's MDI client, subclassed so that it
// keeps a margin inside the frame for the tab strip and its border, and so
// that every change of the active document window reaches the workbook.
#pragma once

#include "platform/afx/Wnd.h"
#include "platform/ui/Messages.h"

namespace docking {

using ui::LPARAM;
using ui::LRESULT;
using ui::UINT;
using ui::WPARAM;

// To the workbook: the active sheet may have changed.
constexpr UINT WM_QVTACTIVESHEETCHANGED = ui::WM_USER + 1101;
// To the workbook's client: tell the workbook to look at its active sheet
// again (wParam and lParam -1).
constexpr UINT WM_QVTREFRESHACTIVESHEET = ui::WM_USER + 1102;

class QVTWorkbookClient : public afx::CWnd {
 public:
  // The margins while the tabs are shown: room for the tab strip below.
  static constexpr ui::RECT kTabInsets{13, 13, 13, 33};

  // The margins (left, top, right, bottom) by which the client sits
  // inside the frame's client area.
  void SetInsets(const ui::RECT& insets) { m_insets = insets; }
  const ui::RECT& GetInsets() const { return m_insets; }

  void CalcWindowRect(ui::RECT* rect) override;

 protected:
  LRESULT OnMDISetMenu(WPARAM frame_menu, LPARAM window_menu);
  LRESULT OnRefreshActiveSheet(WPARAM, LPARAM);

  DECLARE_MESSAGE_MAP()

 private:
  void TellWorkbook() const;

  ui::RECT m_insets{0, 0, 0, 0};
};

}  // namespace docking

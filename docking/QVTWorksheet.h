// QVTWorksheet: a document window of a workbook, shown as one of its
// sheets. It registers with its workbook once it is created and leaves it
// when destroyed; its icon and title appear on its tab.
#pragma once

#include "docking/QVTMDIChildWnd.h"

namespace docking {

using ui::BOOL;
using ui::DWORD;
using ui::FALSE;
using ui::HICON;
using ui::HMENU;
using ui::INT_PTR;
using ui::LPARAM;
using ui::LRESULT;
using ui::TRUE;
using ui::UINT;
using ui::WPARAM;

class QVTWorkbook;

class QVTWorksheet : public QVTMDIChildWnd {
  DECLARE_DYNCREATE(QVTWorksheet)
 public:
  QVTWorksheet() = default;
  ~QVTWorksheet() override;

  // Created as an MDI child, then registered as a sheet with the icon of
  // the same resource id.
  BOOL LoadFrame(UINT resource_id, DWORD style = ui::WS_OVERLAPPEDWINDOW | afx::FWS_ADDTOTITLE,
                 afx::CWnd* parent = nullptr, afx::CCreateContext* context = nullptr) override;
  // The workbook this sheet sits in, or null.
  QVTWorkbook* GetWorkbook() const;

  HICON GetIcon() const { return m_hIcon; }
  // Takes `icon` as its own, destroying the one it had.
  void SetIcon(HICON icon);
  int GetIndex() const { return m_nIndex; }
  void SetIndex(int index) { m_nIndex = index; }
  BOOL IsPressed() const { return m_bPressed; }
  void SetPressed(BOOL pressed) { m_bPressed = pressed; }

  void OnUpdateFrameTitle(BOOL add_to_title) override;
  void OnUpdateFrameMenu(BOOL activate, afx::CWnd* activate_wnd, HMENU alternative) override;

 protected:
  void OnDestroy();
  void OnShowWindow(BOOL show, UINT status);

  DECLARE_MESSAGE_MAP()

 private:
  HICON m_hIcon = nullptr;
  int m_nIndex = -1;
  BOOL m_bPressed = FALSE;
};

}  // namespace docking

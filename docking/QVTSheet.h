// QVTSheet: what a workbook knows of each of its sheets, whichever kind of
// document frame the sheet is (a plain sheet, or a sheet that hosts a
// floating bar): its window, its icon, its place in the tab order and
// whether its tab is pressed. The sheet's window calls the hooks below
// from its own handlers, so every kind of sheet joins and leaves its
// workbook the same way.
#pragma once

#include "platform/afx/MDIChildWnd.h"

namespace docking {

class QVTWorkbook;

class QVTSheet {
 public:
  QVTSheet() = default;
  virtual ~QVTSheet();
  QVTSheet(const QVTSheet&) = delete;
  QVTSheet& operator=(const QVTSheet&) = delete;

  // The sheet's document frame.
  virtual afx::CMDIChildWnd* GetSheetFrame() = 0;
  const afx::CMDIChildWnd* GetSheetFrame() const { return const_cast<QVTSheet*>(this)->GetSheetFrame(); }
  // The workbook the sheet sits in, or null.
  QVTWorkbook* GetWorkbook() const;

  ui::HICON GetIcon() const { return m_hIcon; }
  // Takes `icon` as its own, destroying the one it had.
  void SetIcon(ui::HICON icon);
  int GetIndex() const { return m_nIndex; }
  void SetIndex(int index) { m_nIndex = index; }
  ui::BOOL IsPressed() const { return m_bPressed; }
  void SetPressed(ui::BOOL pressed) { m_bPressed = pressed; }

 protected:
  // Resource icons, and the icons of other windows, are shared: a sheet
  // owns and destroys a copy.
  static ui::HICON CopyOfIcon(ui::HICON icon);
  // Once the window exists: registers with the workbook, with the icon
  // resource `icon_id` when there is one.
  void JoinWorkbook(ui::UINT icon_id);
  // While the window is destroyed.
  void LeaveWorkbook();
  // Its title changed.
  void TitleChanged();
  // It is about to be shown or hidden.
  void Showing(ui::BOOL show);
  // Its frame's menu was updated: the active sheet may have changed.
  void MenuUpdated();

 private:
  ui::HICON m_hIcon = nullptr;
  int m_nIndex = -1;
  ui::BOOL m_bPressed = ui::FALSE;
};

}  // namespace docking

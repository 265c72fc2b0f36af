// QVTMDIMenuBar: the menu bar of an MDI frame. While the active MDI child
// is maximised (and has a system menu) its caption is out of sight, so the
// bar carries the child's icon at its front, which drops the child's
// system menu, and its minimise, restore and close buttons at its end.
// The two buttons belong to the bar, not to its button list: they are
// never deleted with the list and never saved with the bar's layout.
// An MDI frame makes it by its class name, so a program without it still
// has a plain menu bar.
#pragma once

#include "docking/QVTBtnCaption.h"
#include "docking/QVTCapMenuBtn.h"
#include "docking/QVTMenuBar.h"

namespace docking {

class QVTMDIMenuBar : public QVTMenuBar {
  DECLARE_DYNCREATE(QVTMDIMenuBar)
 public:
  // The command id of both extra buttons.
  static constexpr UINT kCaptionButtonId = 0x80000000;

  QVTMDIMenuBar() = default;
  ~QVTMDIMenuBar() override;

  // Shows or hides the extra buttons after the active child or its state
  // changed; `suppress` hides them whatever the child (the frame's own
  // menu is shown). TRUE when anything changed; the caller lays the frame
  // out then.
  BOOL UpdateCaptionButtons(BOOL suppress = FALSE);
  // The titles of the menus in the mask, then the extra buttons updated.
  BOOL SwitchMenuAndUpdate(DWORD menu_mask);
  // Puts the icon first and the caption buttons last, and updates them.
  void InsertCaptionButtons();

  // The active MDI child of the bar's frame, null for none.
  HWND GetActiveChildWindow() const;
  // Drops the active child's system menu under the icon; its commands go
  // to the child.
  void DropChildSystemMenu();

  QVTBtnCaption& GetCaptionButtons() { return m_btnCaption; }
  QVTCapMenuBtn& GetIconButton() { return m_btnIcon; }

  BOOL SetButtons(const UINT* ids, int count) override;
  void InsertButton(int index, UINT id, BOOL separator, BOOL no_recalc = FALSE) override;
  BOOL RemoveButton(int index, BOOL no_recalc = FALSE) override;
  void RemoveAllButtons() override;
  // The saved layout never holds the extra buttons; applying one puts
  // them back, through SetButtons, at the front and the end.
  void GetBarInfoExHook(QVTControlBarInfo* info) override;
  // The titles are as high as the menu font and a margin.
  int GetButtonHeight() const override;
  // Along a stretched row the caption buttons keep to its right end.
  SIZE CalcLayout(int length, DWORD mode) override;

  DWORD GetPressTime() const override { return m_dwPressTime; }

  void OnLButtonDown(UINT flags, POINT point);
  void OnLButtonDblClk(UINT flags, POINT point);

 protected:
  bool IsExtraButton(const QVTStdBtn* button) const {
    return button == &m_btnCaption || button == &m_btnIcon;
  }
  // Out of the button list without being deleted; indexes follow.
  void TakeOutCaptionButtons();
  void TakeOut(const QVTStdBtn* button);
  void PutIn(QVTStdBtn* button, int index);
  // The pressed, hot and tracked indexes follow the button moved.
  void MoveButton(int from, int to);
  void ShowExtraButton(QVTStdBtn& button, BOOL show);
  // After a customising drop: the icon first, the caption buttons last.
  BOOL KeepExtraButtonsAtTheEnds();
  void PinCaptionButtonsRight(int bar_length);
  // The press on the caption buttons needs the point pressed: the parts
  // are told apart by it.
  void PressCaptionButtons(int index, POINT point);

  QVTBtnCaption m_btnCaption;
  QVTCapMenuBtn m_btnIcon;
  // The tick count of the press being handled, 0 outside it.
  DWORD m_dwPressTime = 0;

  DECLARE_MESSAGE_MAP()
};

}  // namespace docking

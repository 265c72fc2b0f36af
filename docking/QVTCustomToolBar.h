// QVTCustomToolBar: the framework's toolbar. A control bar whose buttons
// are objects (QVTStdBtn) it places in one or more rows, draws through one
// off-screen drawing context, updates through command UI and presses with
// the mouse: a press holds the mouse, the pressed look follows it, and a
// release on the button sends its command to the owner. In cool look the
// buttons are flat and the one under the mouse is raised, checked on a
// 100 ms timer until the mouse leaves.
#pragma once

#include <memory>
#include <vector>

#include "docking/QVTBarStyles.h"
#include "docking/QVTButtonDrawContext.h"
#include "docking/QVTControlBar.h"
#include "docking/QVTStdBtn.h"
#include "docking/QVTToolBarImages.h"
#include "docking/QVTToolBarLayout.h"
#include "platform/afx/ToolTipCtrl.h"
#include "platform/ui/Tooltip.h"

namespace docking {

// Extended bar styles the toolbar reads. Stretching is the control bar's
// alone-in-row bit: one bit keeps the bar alone in its dock row and makes
// the toolbar fill that row, so it has one value, never two.
constexpr DWORD QVT_TBSTYLE_STRETCH = QVT_BARSTYLE_ALONE_IN_ROW;
constexpr DWORD QVT_TBSTYLE_COOLLOOK = 0x100;
constexpr DWORD QVT_TBSTYLE_LEADING_GAP = 0x400;
constexpr DWORD QVT_TBSTYLE_TRANSPARENT = 0x1000;

// The common-control toolbar's button record, as TB_ADDBUTTONS takes it.
struct QVTTBButton {
  int image = 0;
  int command = 0;  // 0 for a separator
  BYTE state = 0;
  BYTE style = 0;
  BYTE reserved[2] = {0, 0};
  DWORD data = 0;
  int text = 0;
};
static_assert(sizeof(QVTTBButton) == 20);
constexpr UINT QVT_TB_ADDBUTTONS = 0x0400 + 20;    // WM_USER + 20: count, records
constexpr UINT QVT_TB_DELETEBUTTON = 0x0400 + 22;  // WM_USER + 22: index

// What a button tells the bar's owner through WM_NOTIFY.
struct QVTTBNotify {
  ui::NMHDR header;       // the bar, its id and the code
  UINT command = 0;       // the button's command id
  int index = -1;         // the button's place in the bar
  int a = 0, b = 0;       // the code's own values
};
// The code of a drop-down button's press.
constexpr int QVT_TBN_DROPDOWN = -710;

class QVTToolBarManager;

// One entry of a button map: the buttons made for a command id are of the
// entry's kind, with its style and extra data. A map ends with an entry
// whose create is null.
struct QVTButtonMapEntry {
  QVTStdBtn* (*create)() = nullptr;
  UINT id = 0;
  DWORD style = 0;
  const void* extra = nullptr;
};

class QVTCustomToolBar : public QVTControlBar {
  DECLARE_DYNCREATE(QVTCustomToolBar)
 public:
  // The hot-tracking timer and its period.
  static constexpr UINT_PTR kHotTimer = 0xE002;
  static constexpr UINT kHotTimerMs = 100;

  QVTCustomToolBar();
  ~QVTCustomToolBar() override;

  virtual BOOL Create(CWnd* parent, DWORD style, UINT id, const char* title = nullptr);
  virtual BOOL CreateEx(DWORD ex_style, CWnd* parent, DWORD style, UINT id, const char* title = nullptr);
  // The toolbar resource's buttons (0 a separator) with its bitmap's images.
  BOOL LoadToolBar(UINT resource);
  // The resource's buttons with the images of a bitmap already loaded,
  // which the caller keeps and frees.
  BOOL LoadToolBar(UINT resource, HBITMAP bitmap);
  // Empties the bar, then a button for each id and a separator for each 0.
  virtual BOOL SetButtons(const UINT* ids, int count);
  virtual void InsertButton(int index, UINT id, BOOL separator, BOOL no_recalc = FALSE);
  // TRUE while buttons remain; a user bar (id above 0xE81F) left empty
  // destroys its window.
  virtual BOOL RemoveButton(int index, BOOL no_recalc = FALSE);
  virtual void RemoveAllButtons();
  virtual QVTStdBtn* CreateButton(UINT id);
  virtual QVTStdBtn* CreateSeparator();

  // The button map of a bar without a manager (the manager's otherwise),
  // and the second table looked in after it.
  void SetButtonMap(const QVTButtonMapEntry* map) { m_pButtonMap = map; }
  void SetSecondButtonTable(const QVTButtonMapEntry* table) { m_pSecondTable = table; }
  virtual HFONT GetFont() const { return m_hFont; }

  int GetButtonCount() const { return static_cast<int>(buttons_.size()); }
  QVTStdBtn* GetButton(int index) const;
  UINT GetButtonID(int index) const;
  int CommandToIndex(UINT id) const;
  // The index of a button of this bar, -1 for another.
  int ButtonToIndex(const QVTStdBtn* button) const;
  DWORD GetButtonStyle(int index) const;
  // Repaints the button when the style changes.
  void SetButtonStyle(int index, DWORD style);
  void HideButton(int index, BOOL hide);
  void GetItemRect(int index, RECT* rect) const;

  virtual int GetImageWidth() const;
  virtual int GetImageHeight() const;
  virtual int GetButtonWidth() const { return GetImageWidth() + 7; }
  virtual int GetButtonHeight() const { return GetImageHeight() + 7; }
  virtual int GetSeparatorWidth() const { return m_nSeparatorWidth; }
  virtual int GetSeparatorHeight() const { return GetImageHeight() + 7; }
  virtual void RecalcButtonSizes();
  // Raised by each button as it measures itself.
  void RaiseLargestButton(int cx, int cy);
  SIZE GetLargestButton() const { return SIZE{m_cxLargest, m_cyLargest}; }

  virtual BOOL IsCoolLook() const { return (GetBarStyleEx() & QVT_TBSTYLE_COOLLOOK) != 0; }
  BOOL IsCustomizeMode() const { return m_bCustomizeMode; }
  void SetCustomizeMode(BOOL on);
  QVTBmpMgr* GetBmpMgr() const { return m_pBmpMgr; }
  // Shares another store: the new one is kept before the old one goes.
  void SetBmpMgr(QVTBmpMgr* store);
  HFONT GetButtonFont() const { return m_hFont; }
  // The tip's window, once the bar has had a tip to show.
  afx::CToolTipCtrl* GetToolTip() const { return m_buttonTip.Get(); }
  // The manager whose store, drawing context and settings the bar shares,
  // and which it tells when it is made, shown, hidden and destroyed.
  void SetManager(QVTToolBarManager* manager) { m_pManager = manager; }
  QVTToolBarManager* GetManager() const { return m_pManager; }
  virtual BOOL IsMenuBar() const { return FALSE; }

  // The button at a client point, -1 for none or a separator.
  virtual int HitTest(POINT point) const;
  virtual void InvalidateButton(int index) const;
  virtual void UpdateButtonCmdUI(int index);

  SIZE CalcFixedLayout(BOOL stretch, BOOL horizontal) override;
  SIZE CalcDynamicLayout(int length, DWORD mode) override;
  virtual SIZE CalcLayout(int length, DWORD mode);
  void OnUpdateCmdUI(CFrameWnd* target, BOOL disable_if_no_handler) override;
  void DoPaint(CDC* dc) override;
  void DrawBorders(CDC* dc, RECT& rect) override;
  INT_PTR OnToolHitTest(POINT client) const override;
  // The saved layout keeps the bar's title and buttons.
  void GetBarInfoExHook(QVTControlBarInfo* info) override;
  void SetBarInfoExHook(const QVTControlBarInfo& info) override;

  int m_nCurrent = -1;  // the pressed button
  int m_nHot = -1;      // the raised button of cool look

  void OnLButtonDown(UINT flags, POINT point);
  void OnLButtonUp(UINT flags, POINT point);
  void OnLButtonDblClk(UINT flags, POINT point);
  void OnMouseMove(UINT flags, POINT point);
  void OnTimer(UINT_PTR id);
  void OnCancelMode();
  // In customise mode a docked bar is not activated by a click: its frame
  // keeps its state while buttons are picked up.
  int OnMouseActivate(CWnd* desktop, UINT hit, UINT message);
  void OnDestroy();
  void OnShowWindow(BOOL show, UINT status);
  void OnWindowPosChanging(WINDOWPOS* pos);
  void DelayShow(BOOL show) override;
  // A bar with no dock context spans its parent: its height when it
  // stands vertically, else its width.
  virtual void FitToParent();
  // WM_NOTIFY to the owner: the button, its index and the code's values.
  void SendButtonNotify(const QVTStdBtn& button, int code, int a = 0, int b = 0);
  // A command of a button is on its way to the owner.
  static BOOL IsSendingCommand() { return s_bSendingCommand; }
  static void SetSendingCommand(BOOL sending) { s_bSendingCommand = sending; }
  static UINT NoDelayHideMessage();

  // Dragging buttons: in customise mode, or with Alt held, a button is
  // picked up and dropped on a bar (or on nothing, which removes it; with
  // Ctrl, which copies, it makes a new bar).
  // Drag flag: buttons may be rearranged inside this bar only.
  static constexpr DWORD kDragInsideOnly = 0x1;
  DWORD m_dwDragFlags = 0;
  // Makes the button the frame's one selection.
  void SelectButton(int index, BOOL redraw);
  // Only on the bar that holds the selection.
  void ClearSelection(BOOL redraw);
  BOOL HoldsSelection() const { return m_bHoldsSelection; }
  // The selected button's index; -1 when this bar holds no selection.
  int GetSelectedButton() const { return m_bHoldsSelection ? m_nCurrent : -1; }
  // Drags the button at index (point in client coordinates); FALSE only
  // when a drop failed.
  virtual BOOL DragButton(int index, POINT point);
  // The drop of `button` (of this bar or another one) at `rect`, in this
  // bar's client coordinates.
  virtual BOOL DropButton(const RECT& rect, QVTStdBtn* button, BOOL copy, BOOL no_recalc);
  // Ctrl held: the drag copies.
  virtual BOOL IsCopyDrag() const;
  virtual BOOL AcceptsDrop() const { return TRUE; }
  static UINT DestroyEmptiedMessage();

 protected:
  // The buttons' layout helper, filled from every button (with the hot
  // index) or from the visible ones.
  QVTToolBarLayout LayoutOfAllButtons() const;
  QVTToolBarLayout LayoutOfVisibleButtons(std::vector<QVTStdBtn*>& visible) const;
  SIZE BorderSize(BOOL horizontal) const;
  // The length a bar stretched along its docked row takes.
  int StretchedLength() const;
  void PressButton(int index);
  void ReleaseButton(POINT point);
  // Cool look: raises the button under the cursor, if any.
  void UpdateHotButton();
  void SetHot(int index);
  QVTButtonDrawContext& DrawingContext();

  // With CBRS_TOOLTIPS, the button under the mouse is the tip's tool: its
  // command's tip (the string after the prompt's newline) shows once the
  // mouse rests on it for the tip's delay.
  void UpdateToolTip(UINT flags, POINT point);
  // The tip of a command: its string's part after the newline, empty when
  // it has none.
  static std::string ToolTipText(UINT command);
  LRESULT OnAddButtons(WPARAM count, LPARAM records);
  LRESULT OnDeleteButton(WPARAM index, LPARAM);
  LRESULT OnSizeParentMessage(WPARAM wParam, LPARAM lParam);
  LRESULT OnNoDelayHide(WPARAM, LPARAM);
  LRESULT OnSysColorChangeMessage(WPARAM, LPARAM);
  BOOL m_bDelayedHidePosted = FALSE;
  BOOL m_bHidingNow = FALSE;

  // Tells the manager, which passes it on as "WM_BARNOTIFY".
  void NotifyManager(UINT code) const;
  // The separators of a freshly filled bar take the height of its buttons.
  void FitNewSeparators();

  std::vector<std::unique_ptr<QVTStdBtn>> buttons_;
  QVTToolBarManager* m_pManager = nullptr;
  const QVTButtonMapEntry* m_pButtonMap = nullptr;
  const QVTButtonMapEntry* m_pSecondTable = nullptr;
  QVTBmpMgr* m_pBmpMgr = nullptr;
  int m_nSeparatorWidth = 8;
  BOOL m_bCustomizeMode = FALSE;
  HFONT m_hFont = nullptr;
  int m_cxLargest = 0;
  int m_cyLargest = 0;
  DWORD m_dwOrientation = 0;
  // Remembered layouts and whether each must be made again.
  BOOL m_bStaleHorz = TRUE;
  BOOL m_bStaleVert = TRUE;
  BOOL m_bStaleFloat = TRUE;
  std::unique_ptr<QVTButtonDrawContext> context_;
  QVTBarToolTip m_buttonTip;  // its tool: the command whose button the mouse is over
  // A command is on its way from a button: no presses and no hot look meanwhile.
  static BOOL s_bSendingCommand;
  BOOL m_bHoldsSelection = FALSE;
  // A user bar emptied while its own button was dragged goes once its
  // mouse handler has returned.
  LRESULT OnDestroyEmptied(WPARAM, LPARAM);
  // After a removal: the selection's new index, -1 when it went.
  void FollowSelection(int index);

  DECLARE_MESSAGE_MAP()
};

}  // namespace docking

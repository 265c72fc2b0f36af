// QVTControlBar: the base of the framework's bars. Beyond the plain control
// bar it remembers a size for each of horizontal docking, vertical docking
// and floating, carries its share of a dock row, draws its own gripper with
// a close button, offers "Allow Docking" and "Hide" on its context menu and
// keeps child windows laid out inside its borders.
//
// Extended bit 0x4 means "sizable": the bar shares a dock row with the other
// sizable bars by proportion, with splitters between them, and floats in a
// frame with the thick frame (WS_THICKFRAME and the mini-frame bit, 0x40400)
// that the user resizes. Toolbars never carry it: they are laid out in rows
// of their own at their own size and float at least at the minimum floating
// width.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "docking/QVTBarInsideRect.h"
#include "docking/QVTBarStyles.h"
#include "docking/QVTBarToolTip.h"
#include "platform/afx/ControlBar.h"
#include "platform/afx/ToolTipCtrl.h"

namespace docking {

class QVTControlBarInfo;

using afx::CDC;
using afx::CFrameWnd;
using ui::BOOL;
using ui::DWORD;
using ui::FALSE;
using ui::HMENU;
using ui::LRESULT;
using ui::TRUE;
using ui::POINT;
using ui::RECT;
using ui::SIZE;
using ui::UINT;

// Extended style bits beyond those the layout reads (QVTBarStyles.h).
constexpr DWORD QVT_BARSTYLE_CONTEXTMENU = 0x1;
// Child windows keep their proportional place and size when the bar is resized.
constexpr DWORD QVT_BARSTYLE_CHILD_LAYOUT = 0x2;
constexpr DWORD QVT_BARSTYLE_DARK_BORDERS = 0x8;
constexpr DWORD QVT_BARSTYLE_FILL_CHILD = 0x40;
constexpr DWORD QVT_BARSTYLE_CLOSE_BUTTON = 0x400;
constexpr DWORD QVT_BARSTYLE_EXPAND_BUTTON = 0x800;

// Tool ids and tip strings of the gripper's buttons.
constexpr UINT kCloseButtonTool = 1024;
constexpr UINT kExpandButtonTool = 2048;
constexpr UINT IDS_QVT_CLOSE_TIP = 20655;
constexpr UINT IDS_QVT_EXPAND_TIP = 20657;
constexpr UINT IDS_QVT_CONTRACT_TIP = 20658;

// The context menu's commands.
constexpr UINT ID_QVT_ALLOW_DOCKING = 43040;
constexpr UINT ID_QVT_HIDE_BAR = 43041;
constexpr UINT ID_QVT_FLOAT_IN_MAIN_WINDOW = 43042;
// Sent to the docking frame while the context menu is built (the bar in
// wParam, the menu in lParam), so that the frame can add its own items.
constexpr UINT WM_QVT_EXTEND_BAR_MENU = ui::WM_USER + 13567;

class QVTControlBar : public afx::CControlBar {
  DECLARE_DYNCREATE(QVTControlBar)
 public:
  QVTControlBar();

  static constexpr SIZE kDefaultSize{300, 180};

  virtual BOOL Create(afx::CWnd* parent, const char* window_name, DWORD style, DWORD ex_style, UINT id);

  DWORD GetBarStyleEx() const { return m_dwExStyle; }
  // Switches the floating frame between the thin and the thick frame when
  // "sizable" changes.
  void SetBarStyleEx(DWORD ex_style, BOOL redraw = TRUE);
  void ModifyBarStyleEx(DWORD remove, DWORD add, BOOL redraw = TRUE) {
    SetBarStyleEx((m_dwExStyle & ~remove) | add, redraw);
  }
  bool IsSizable() const { return (m_dwExStyle & QVT_BARSTYLE_SIZABLE) != 0; }

  float GetPctWidth() const { return m_fPctWidth; }
  void SetPctWidth(float share) { m_fPctWidth = share; }
  float m_fSavedPctWidth = 1.0f;

  SIZE CalcFixedLayout(BOOL stretch, BOOL horizontal) override;
  SIZE CalcDynamicLayout(int length, DWORD mode) override;
  void CalcInsideRect(RECT& rect, BOOL horizontal) const override;
  // The client rectangle less the gripper or the inner margins.
  void GetInsideRect(RECT& rect) const;
  afx::CDockContext* NewDockContext() override;
  void DoPaint(CDC* dc) override;
  void DrawBorders(CDC* dc, RECT& rect) override;

  // The bar's part of a saved layout: id, visibility, place, sizes,
  // styles, share of its row, its dock context's memory and, through the
  // hooks, a derived bar's own extension record.
  virtual void GetBarInfoEx(QVTControlBarInfo* info);
  // Takes a record back: sizes, styles and the dock context's memory; the
  // window shown or hidden as the record says.
  virtual void SetBarInfo(const QVTControlBarInfo& info, afx::CFrameWnd* frame);
  virtual void GetBarInfoExHook(QVTControlBarInfo*) {}
  virtual void SetBarInfoExHook(const QVTControlBarInfo&) {}

  // Notifications around docking and floating, for derived bars.
  virtual void OnBarBeginDock() {}
  virtual void OnBarEndDock() {}
  virtual void OnBarBeginFloat() {}
  virtual void OnBarEndFloat() {}
  virtual BOOL QueryCanClose() { return TRUE; }
  virtual BOOL QueryCanExpand() { return TRUE; }
  // Asks the dock bar whether the bar has its row (the button then offers
  // to contract) and whether there is anything to expand over.
  void UpdateExpandState();
  // Where the gripper's close and expand buttons are (client coordinates);
  // empty when the bar shows none.
  RECT CloseButtonRect() const;
  RECT ExpandButtonRect() const;
  BOOL IsExpandEnabled() const { return m_bExpandEnabled; }
  BOOL OffersExpand() const { return m_bNotExpanded; }
  // With CBRS_TOOLTIPS: the bar's own tools first, then the close button
  // of a docked bar (kCloseButtonTool) and its expand button
  // (kExpandButtonTool); -1 elsewhere.
  ui::INT_PTR OnToolHitTest(POINT client) const override;
  // The tip of a gripper button's tool ("" for other tools).
  std::string GripperToolTipText(UINT tool);
  // The tip control of the gripper's buttons; null until a tip was needed.
  afx::CToolTipCtrl* GetGripperToolTip() const { return m_gripperTip.Get(); }

  // Bar ids of a frame. The first id from `first` up that no bar uses,
  // trying 1000 ids (0 when all are taken); whether no two bars other than
  // dock bars share an id; whether `id` is non-zero and free.
  static UINT FindFreeBarID(const CFrameWnd* frame, UINT first);
  static BOOL HasUniqueBarIDs(const CFrameWnd* frame);
  static BOOL IsBarIDFree(const CFrameWnd* frame, UINT id);

  // The popup menu tracker the context menu uses (by default the window
  // system's TrackPopupMenuEx, with the right button); tests may put a
  // scripted choice in its place. It answers the chosen command, 0 for none.
  using MenuTracker = std::function<UINT(HMENU menu, POINT screen, afx::CWnd* owner)>;
  static void SetMenuTracker(MenuTracker tracker);

  SIZE m_szHorz = kDefaultSize;
  SIZE m_szVert = kDefaultSize;
  SIZE m_szFloat = kDefaultSize;
  DWORD m_dwRememberedDockStyle = 0;
  RECT m_rectInnerMargins{10, 10, 10, 10};

  void OnLButtonDown(UINT flags, POINT point);
  void OnLButtonUp(UINT flags, POINT point);
  void OnLButtonDblClk(UINT flags, POINT point);
  void OnMouseMove(UINT flags, POINT point);
  void OnDestroy();
  void OnSize(UINT kind, int cx, int cy);
  void OnContextMenu(afx::CWnd* wnd, POINT screen);
  void OnAllowDocking();
  void OnHideBar();
  // Moving between docking and floating in the main window is the frame's
  // to do: the command goes to it with this bar as its control.
  void OnFloatInMainWindow();

 protected:
  // Where the children are now, against the client area: what resizing
  // keeps in proportion under QVT_BARSTYLE_CHILD_LAYOUT.
  void RecordChildLayout();
  void ApplyChildLayout();

  // The square of the gripper's `slot`-th button.
  RECT GripperButtonRect(int slot) const;
  void DrawGripper(CDC* dc, const RECT& rect);
  LRESULT OnContextMenuMessage(ui::WPARAM wParam, ui::LPARAM lParam);
  // Gives the gripper button under the mouse its tip tool, and relays the
  // move that reached it.
  void UpdateGripperToolTip(UINT flags, POINT point);

  DWORD m_dwExStyle = 0;
  float m_fPctWidth = 1.0f;
  BOOL m_bClosePressed = FALSE;
  BOOL m_bExpandPressed = FALSE;
  BOOL m_bExpandEnabled = TRUE;
  BOOL m_bNotExpanded = TRUE;
  // The recorded child layout: the client size it was taken at, and each
  // child with its rectangle then. Empty when none is recorded.
  SIZE m_sizeLayoutClient{0, 0};
  std::vector<std::pair<ui::HWND, RECT>> m_childLayout;
  QVTBarToolTip m_gripperTip;

  DECLARE_MESSAGE_MAP()
};

}  // namespace docking

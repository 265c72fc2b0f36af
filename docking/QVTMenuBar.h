// QVTMenuBar: a frame's menu as a dockable, customisable toolbar. Its
// buttons are the top-level popups of one or more menu resources (one bit
// per menu, at most 32 menus); one menu's buttons show at a time. Pressing
// a title asks the frame's menu-bar feature to drop its popup under it; in
// keyboard mode (Alt or F10 released) one title is hot and the keys move
// between the titles.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "docking/QVTCustomToolBar.h"
#include "docking/QVTTBMenuBtn.h"

namespace docking {

class QVTToolBarManager;

// The drop notifications the bar sends its frame through WM_NOTIFY.
constexpr int QVTN_DROPMENU = -2120;     // drop a popup (menu id 0, index -1: the system menu)
constexpr int QVTN_CLOSEMENU = -2121;    // close the open popup
constexpr int QVTN_ENTERKEYMODE = -2122;  // a title became hot from the keyboard
constexpr int QVTN_LEAVEKEYMODE = -2123;

// The record of a drop notification.
struct QVTMenuBarNotify {
  HWND hwndFrom = nullptr;
  UINT_PTR idFrom = 0;
  int code = 0;
  UINT commandId = 0;
  int buttonIndex = -1;
  UINT menuId = 0;
  int popupIndex = -1;
  // The window whose system menu drops and receives its command: null for
  // the frame's own; a maximised MDI child's when its icon in the bar drops.
  HWND systemMenuOwner = nullptr;
};

class QVTMenuBar : public QVTCustomToolBar {
  DECLARE_DYNAMIC(QVTMenuBar)
 public:
  static constexpr UINT kFirstCommand = 0x80000001;
  static constexpr DWORD kButtonStyle = 0x30000000;
  static constexpr int kMaxMenus = 32;
  // The resource id of menus of bars floating as MDI children.
  static constexpr UINT kFloatingChildMenu = 20514;

  // One title: a top-level popup of a loaded menu.
  struct ButtonDef {
    UINT commandId = 0;
    DWORD style = kButtonStyle;
    UINT menuId = 0;
    int popupIndex = 0;
    std::string title;
    DWORD menuBit = 0;
  };

  QVTMenuBar();
  ~QVTMenuBar() override;

  BOOL CreateEx(DWORD ex_style, CWnd* parent, DWORD style, UINT id, const char* title = nullptr) override;
  // The titles of the listed menu resources, the first menu's bit 1, the
  // next 2 and so on. FALSE, and no buttons, when a menu is missing, when
  // all of them hold no popup, or for more than 32 menus.
  BOOL LoadMenus(const std::vector<UINT>& menu_ids);
  // Shows the titles of one loaded menu; FALSE, and nothing changes, for
  // a menu that was not loaded.
  BOOL SwitchMenu(UINT menu_id);
  void SetMenuMask(DWORD mask, BOOL redraw);
  DWORD GetMenuMask() const { return m_dwMenuMask; }
  UINT GetCurrentMenuId() const { return m_nCurrentMenuId; }
  // Rebuilds the buttons from the loaded titles under the current mask.
  void ResetButtons(BOOL no_layout);
  // The first visible title whose mnemonic is `key` (case ignored), -1 for none.
  int FindMnemonic(char key) const;
  HFONT GetMenuFont() const { return m_hMenuFont; }
  const std::vector<ButtonDef>& GetButtonDefs() const { return m_defs; }
  // The application's main window's menu, standing for the floating-child menu.
  void SetMainMenuId(UINT id) { m_nMainMenuId = id; }

  BOOL IsMenuBar() const override { return TRUE; }
  QVTStdBtn* CreateButton(UINT id) override;
  // The titles of the ids, the current menu's shown, the others hidden.
  BOOL SetButtons(const UINT* ids, int count) override;
  // A saved layout gives the bar its place and its title; its titles are
  // those of the menus loaded now, not of the menus it was saved with.
  void SetBarInfoExHook(const QVTControlBarInfo& info) override;

  // Menu tracking. The tracked title is the hot one in keyboard mode and
  // the pressed one while its popup is open.
  void TrackButtonMenu(QVTTBMenuBtn* button, UINT menu_id, int popup_index);
  void DropButton(int index);
  void SetTrackedButton(int index);
  void EndMenuTracking();
  BOOL IsMenuTracking() const { return m_bMenuTracking; }
  int GetTrackedButton() const { return m_nTracked; }
  int GetFirstMenuButton() const;
  int GetLastMenuButton() const;
  // The visible title after (or before) the tracked one; -1 past either
  // end, the first (or last) when none is tracked.
  int GetNextMenuButton(BOOL forward) const;
  // A mouse message at a client point while a popup is open: a move onto
  // another title drops that title's popup, a click on the open one closes
  // it. TRUE when the message was used.
  BOOL FilterMenuTrackingMessage(UINT message, POINT client);
  // In keyboard mode, the title under a client point becomes hot.
  void HotTrackAt(POINT client);
  // The popup closed: no title looks pressed any more.
  void ResetPressed();
  // The title whose popup opens next (-1: the system menu's) is the
  // tracked one, and looks pressed while it is open.
  void MarkDropped(int index);
  // Sends a drop notification for the system menu.
  void DropSystemMenu();
  // The tick count of the press whose popup is open, 0 when no press
  // opened it: a second click soon after is that press's double click.
  virtual DWORD GetPressTime() const { return 0; }

  // Floating, the bar's frame has no close box: a menu is not closed.
  void OnBarStyleChange(DWORD old_style, DWORD new_style) override;
  void DelayShow(BOOL show) override;
  void OnBarEndFloat() override { RemoveFloatingCloseBox(); }
  // The next delayed hiding is skipped once.
  void SkipNextDelayHide() { m_bSkipDelayShow = TRUE; }

  LRESULT OnSettingChange(ui::WPARAM wParam, ui::LPARAM lParam);
  void OnTimer(UINT_PTR id);

 protected:
  bool IsMenuButton(int index) const;
  void Notify(int code, int index, UINT menu_id, int popup_index, HWND system_menu_owner = nullptr);
  void CreateMenuFont();
  void RemoveFloatingCloseBox();

  std::map<UINT, DWORD> m_menuMap;  // menu resource id to its bit
  std::vector<ButtonDef> m_defs;
  BOOL m_bFloatingStyle = FALSE;
  HFONT m_hMenuFont = nullptr;
  DWORD m_dwMenuMask = 0xFFFFFFFF;
  UINT m_nCurrentMenuId = 0;
  UINT m_nMainMenuId = 0;
  BOOL m_bFullWidth = FALSE;
  BOOL m_bSkipDelayShow = FALSE;
  BOOL m_bMenuTracking = FALSE;
  int m_nTracked = -1;

  DECLARE_MESSAGE_MAP()
};

// Fills the menu bar of the manager's frame from the listed menus; the
// manager makes the bar with these titles. FALSE when the frame has no menu
// bar, or as QVTMenuBar::LoadMenus.
BOOL LoadMenuBarMenus(QVTToolBarManager* manager, const std::vector<UINT>& menu_ids);

}  // namespace docking

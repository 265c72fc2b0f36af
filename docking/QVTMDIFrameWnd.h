// QVTMDIFrameWnd: the framework's main frame for many documents. It docks,
// floats and saves its bars, runs its menu bar and bitmap menus as the
// framework's single-document frame does, and holds an MDI client between
// its bars. Its menu bar shows the menu of the active document frame (the
// frame's own menu while none is active), with the list of document
// frames in that menu's Window popup. Bars can also float as document
// frames of their own inside the client.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "docking/QVTFrameWnd.h"

namespace afx {
class CMDIChildWnd;
}

namespace docking {

class QVTMenuBar;

class QVTMDIFrameWnd : public QVTFrameWnd {
  DECLARE_DYNCREATE(QVTMDIFrameWnd)
 public:
  QVTMDIFrameWnd();
  ~QVTMDIFrameWnd() override;

  // The class of the menu bar with the maximised child's caption buttons.
  static constexpr const char* kMDIMenuBarClass = "QVTMDIMenuBar";
  // The resource and style of the document frames that host floating bars.
  static constexpr UINT kFloatingChildResource = 20514;
  static constexpr DWORD kFloatingChildStyle = 0x42CFA000;
  // What a bar sends its frame while it builds its context menu (the bar
  // in wParam, the menu in lParam), and the items the frame looks after.
  static constexpr UINT kBarContextMenuMessage = ui::WM_USER + 13567;
  static constexpr UINT kAllowDockingCommand = 43040;
  static constexpr UINT kFloatInMainWindowCommand = 43042;
  static constexpr DWORD kFloatInMainWindowExStyle = 0x20;

  // Made before the window: the menu bar, of the MDI menu bar's class
  // when the program has it, else a plain one; the frame owns it.
  QVTMenuBar* CreateMenuBar();

  BOOL LoadFrame(UINT resource_id, DWORD style = ui::WS_OVERLAPPEDWINDOW | afx::FWS_ADDTOTITLE,
                 afx::CWnd* parent = nullptr, afx::CCreateContext* context = nullptr) override;
  // Copies of the menu resources that document frames name by id; FALSE
  // at the first that does not load.
  BOOL LoadMDIMenus(const std::vector<UINT>& menu_ids);
  // The menu of an id: the frame's own, a document template's, one of
  // LoadMDIMenus; null for none.
  virtual HMENU GetMenuForId(UINT menu_id);
  // The frame's own menu: its copy with a menu bar, else its window menu.
  virtual HMENU GetFrameMenu() const;
  UINT GetMenuId() const { return m_nMenuId; }
  UINT GetShownMenuId() const { return m_nShownMenuId; }
  // The menu bar shows the menu `menu_id` (0 or -1: the frame's own).
  virtual void SwitchToChildMenu(UINT menu_id);
  // A document frame was maximised, restored or minimised.
  virtual void OnChildSized();
  // The menu shown lists the document frames in its Window popup.
  virtual void RefreshWindowMenu();

  // A document frame of the floating-child class for a bar that floats in
  // the client; null when it cannot be made. The bar keeps its
  // orientation: `align_style` is that of the bar.
  virtual afx::CFrameWnd* CreateFloatingMDIChild(DWORD align_style, void* reserved = nullptr);
  void SetFloatingChildClass(const afx::CRuntimeClass* child_class) { m_pFloatingChildClass = child_class; }
  // A bar's document frame shown as the active one while the real active
  // document frame stays; deactivating gives the activation back to the
  // client's own when asked.
  virtual void ActivateBarChild(afx::CFrameWnd* child, BOOL force);
  virtual void DeactivateBarChild(BOOL activate_client);
  afx::CFrameWnd* GetActiveBarChild() const { return m_pActiveBarChild; }

  // The MDI client and its document frames.
  HWND m_hWndMDIClient = nullptr;
  afx::CMDIChildWnd* MDIGetActive(BOOL* maximized = nullptr) const;
  void MDIActivate(afx::CWnd* child);
  void MDIMaximize(afx::CWnd* child);
  void MDIRestore(afx::CWnd* child);
  void MDINext();
  void MDICascade();
  void MDITile();

  afx::CDocument* GetActiveDocument() override;
  BOOL OnCmdMsg(UINT id, int code, void* extra, afx::AFX_CMDHANDLERINFO* handler_info) override;
  LRESULT WindowProc(UINT message, ui::WPARAM wParam, ui::LPARAM lParam) override;

  BOOL DestroyWindow() override;
  // The bar floats in a document frame of its own inside the client.
  void FloatControlBarAsMDIChild(afx::CControlBar* bar);
  LRESULT OnEnterIdle(ui::WPARAM wParam, ui::LPARAM lParam);
  LRESULT OnBarContextMenu(ui::WPARAM wParam, ui::LPARAM lParam);

 protected:
  BOOL OnCreateClient(ui::CREATESTRUCT* create, afx::CCreateContext* context) override;
  LRESULT DefWindowProc(UINT message, ui::WPARAM wParam, ui::LPARAM lParam) override;
  // The MDI menu bar's caption buttons follow the active document frame;
  // TRUE when they changed. A plain menu bar has none.
  BOOL UpdateCaptionButtons(BOOL suppress);
  void RelayoutMenuBar();

  std::map<UINT, HMENU> m_menuMap;
  const afx::CRuntimeClass* m_pFloatingChildClass = nullptr;
  afx::CFrameWnd* m_pActiveBarChild = nullptr;
  UINT m_nMenuId = 0;
  UINT m_nShownMenuId = 0;
  HMENU m_hMenuCopy = nullptr;
  HMENU m_hMenuDefault = nullptr;
  std::unique_ptr<QVTMenuBar> m_pOwnMenuBar;

  DECLARE_MESSAGE_MAP()
};

}  // namespace docking

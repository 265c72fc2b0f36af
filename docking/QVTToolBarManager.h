// QVTToolBarManager: what the toolbars of one frame share. The default
// toolbars the frame starts with the first time, the image store and the
// drawing context of their buttons, the tooltip, fly-by, cool-look and
// large-button settings with their saved form, the customise mode, and the
// windows that want to hear "WM_BARNOTIFY" when a bar is shown, hidden,
// made or destroyed.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "docking/QVTButtonDrawContext.h"
#include "docking/QVTControlBarInfoExFactory.h"
#include "docking/QVTToolBarImages.h"
#include "docking/QVTToolBarManagerSettings.h"
#include "platform/afx/ControlBar.h"
#include "platform/afx/FrameWnd.h"

namespace docking {

class QVTCustomToolBar;
struct QVTButtonMapEntry;

// The screen rectangle of the toolbar button whose command is being sent.
// Shared: the bar sending the command holds it too, so clearing it after
// the command is safe even when the command closed the frame.
struct QVTCommandButtonRect {
  RECT rect{0, 0, 0, 0};
  BOOL valid = FALSE;
};

class QVTToolBarManager : public afx::CObject, public QVTControlBarInfoExFactory, public QVTToolBarSettingsTarget {
  DECLARE_DYNAMIC(QVTToolBarManager)
 public:
  // The codes "WM_BARNOTIFY" carries in its lParam (wParam: the bar's id).
  enum BarNotification : UINT { kShown = 0, kHidden = 1, kCreated = 2, kDestroyed = 3, kSelectionChanged = 4 };
  // The control id and the title of the frame's menu bar.
  static constexpr UINT kMenuBarId = 0xE8FF;
  static constexpr const char* kMenuBarTitle = "Menu bar";

  struct Definition {
    UINT barId = 0;
    std::string title;
    std::vector<UINT> ids;  // 0 for a separator
    DWORD alignStyle = afx::CBRS_ALIGN_ANY;
    UINT dockBarId = afx::AFX_IDW_DOCKBAR_TOP;
    UINT dockNextToId = 0;
    BOOL docked = TRUE;
    BOOL visible = TRUE;
  };

  explicit QVTToolBarManager(afx::CFrameWnd* frame = nullptr, afx::CWnd* owner = nullptr);
  ~QVTToolBarManager() override;
  QVTToolBarManager(const QVTToolBarManager&) = delete;
  QVTToolBarManager& operator=(const QVTToolBarManager&) = delete;

  void SetFrameWnd(afx::CFrameWnd* frame) { frame_ = frame; }
  afx::CFrameWnd* GetFrameWnd() const { return frame_; }

  void AddDefaultToolBarDefinition(UINT barId, const std::string& title, int count, const UINT* ids, DWORD alignStyle,
                                   UINT dockBarId, UINT dockNextToId, BOOL docked, BOOL visible);
  // The same, with the ids (separators included) read from a toolbar
  // resource; FALSE, and nothing added, when there is no such resource.
  BOOL AddDefaultToolBarDefinition(UINT barId, const std::string& title, UINT toolbarResource, DWORD alignStyle,
                                   UINT dockBarId, UINT dockNextToId, BOOL docked, BOOL visible);
  const std::vector<Definition>& GetDefinitions() const { return definitions_; }
  // The toolbar resource's images (and the large ones) into the shared store.
  BOOL LoadToolBarResource(UINT id, UINT largeId = 0);
  // A bitmap resource's images for the given command ids; bitmap handles
  // the caller keeps (and frees) for the given command ids.
  BOOL AddBitmap(UINT resource, UINT largeResource, const UINT* ids, int count);
  BOOL AddBitmapHandles(HBITMAP normal, HBITMAP large, const UINT* ids, int count);
  // The class of the toolbars the manager makes; it must derive from the
  // customisable toolbar, else the manager's bars cannot be made.
  void SetToolBarClass(const afx::CRuntimeClass* toolbarClass) { toolbarClass_ = toolbarClass; }
  const afx::CRuntimeClass* GetToolBarClass() const;
  QVTBmpMgr* GetBmpMgr() const { return store_; }
  QVTButtonDrawContext& DrawingContext() { return context_; }

  void SetToolTips(BOOL on) { settings_.SetToolTips(on); }
  void SetFlyBy(BOOL on) { settings_.SetFlyBy(on); }
  void SetCoolLook(BOOL on, DWORD exStyleBits = QVTToolBarManagerSettings::kCoolLookBits) {
    settings_.SetCoolLook(on, exStyleBits);
  }
  void SetLargeButtons(BOOL large) { settings_.SetLargeButtons(large); }
  BOOL GetToolTips() const { return settings_.GetToolTips(); }
  BOOL GetFlyBy() const { return settings_.GetFlyBy(); }
  BOOL GetCoolLook() const { return settings_.GetCoolLook(); }
  BOOL GetLargeButtons() const { return settings_.GetLargeButtons(); }

  // The frame's customisable toolbars, in its bar list's order.
  std::vector<QVTCustomToolBar*> GetToolBars() const;
  virtual QVTCustomToolBar* GetToolBar(UINT id) const;
  // The toolbars of the definitions, docked or floated and shown as they
  // say; stops at the first that cannot be made.
  virtual BOOL CreateDefaultToolBars();
  // The frame's toolbars join the manager; without any, the default ones
  // are made. A layout saved before the frame had its menu bar brings no
  // menu bar back: it is then made on its own.
  virtual void AttachToolBars();
  // The buttons the frame's menu bar is made with (its menus' titles).
  void SetMenuBarButtons(int count, const UINT* ids);
  const std::vector<UINT>& GetMenuBarButtons() const { return menuBarIds_; }
  // The frame's menu bar, when it has one that is not made yet: joined,
  // created with the manager's styles as bar `barId` and docked in a row
  // of its own above the top's other rows. The bar; null when there is
  // none to make or it cannot be made.
  QVTCustomToolBar* CreateMenuBar(UINT barId = kMenuBarId);
  // A user toolbar with the lowest free id from 0xE820; null when none is free.
  QVTCustomToolBar* CreateNewToolBar(const char* title);

  // Runs the modal Toolbars dialog for the frame; its result.
  int ShowToolBarsDialog();

  void SetCustomizeMode(BOOL on);
  BOOL GetCustomizeMode() const { return customize_; }
  // While the Toolbars dialog is up: the frame is enabled for its bars,
  // its other children disabled; leaving gives them back.
  void EnterConfigMode();
  void ExitConfigMode();
  BOOL IsConfigMode() const { return config_; }

  // While a toolbar button's command is being sent: TRUE and the button's
  // screen rectangle, so its handler can place a popup under it.
  BOOL GetCommandButtonRect(RECT* rect) const;
  std::shared_ptr<QVTCommandButtonRect> CommandButtonRecord() const { return commandRect_; }

  // The button maps every bar of the manager makes its buttons from.
  void SetButtonMap(const QVTButtonMapEntry* map) { buttonMap_ = map; }
  void SetSecondButtonTable(const QVTButtonMapEntry* table) { secondTable_ = table; }
  const QVTButtonMapEntry* GetButtonMap() const { return buttonMap_; }
  const QVTButtonMapEntry* GetSecondButtonTable() const { return secondTable_; }

  // The bar that holds the customise selection: at most one button of
  // the frame is selected, and the bar holding it is recorded here.
  void SetSelectionBar(QVTCustomToolBar* bar) { selectionBar_ = bar; }
  QVTCustomToolBar* GetSelectionBar() const { return selectionBar_; }

  // Dragged buttons are not dropped over this window.
  void SetNoDropWnd(afx::CWnd* wnd) { noDrop_ = wnd; }
  afx::CWnd* GetNoDropWnd() const { return noDrop_; }
  // Its screen rectangle, empty when there is none.
  RECT GetNoDropRect() const;

  void AddNotifyWnd(afx::CWnd* wnd);
  void RemoveNotifyWnd(afx::CWnd* wnd);
  void Notify(UINT barId, UINT code) const;
  static UINT BarNotifyMessage();

  // Profile form under "<prefix>-ToolBarManager"; loading then attaches the toolbars.
  BOOL LoadState(const std::string& prefix);
  BOOL SaveState(const std::string& prefix) const;
  // Settings-tree form, in the node's "ToolBarMgr" child; loading then attaches the toolbars.
  BOOL LoadState(QVTPersistentTreeNode* node);
  BOOL SaveState(QVTPTNFactory* factory, QVTPersistentTreeNode* parent) const;

  // The visible toolbar a screen rectangle lies on: of several, a
  // floating one before a docked one, the topmost window first; null for none.
  virtual QVTCustomToolBar* BarFromRect(const RECT& screen) const;

  UINT GetBarTypeID(const afx::CControlBar* bar) const override;
  std::unique_ptr<QVTControlBarInfoEx> CreateBarInfoEx(QVTControlBarInfo* info) override;
  // A toolbar for a saved layout's record of type 14946; for 14947 the
  // frame's own menu bar, made when it is not yet; null for other types.
  virtual QVTCustomToolBar* CreateBar(UINT typeId, UINT barId);
  afx::CControlBar* CreateBar(QVTControlBarInfo* info) override;

  // The settings as the bars get them.
  void ApplyToolTips(BOOL on) override;
  void ApplyFlyBy(BOOL on) override;
  void ApplyCoolLook(BOOL on, DWORD exStyleBits) override;
  void ApplyLargeButtons(BOOL large) override;

 protected:
  // A toolbar joined to the manager and created with its styles.
  QVTCustomToolBar* MakeToolBar(UINT id, const std::string& title);
  void Join(QVTCustomToolBar* bar);

  afx::CFrameWnd* frame_ = nullptr;
  afx::CWnd* owner_ = nullptr;
  std::vector<Definition> definitions_;
  std::vector<UINT> menuBarIds_;
  const afx::CRuntimeClass* toolbarClass_ = nullptr;  // null: the customisable toolbar
  std::vector<afx::CWnd*> notify_;
  afx::CWnd* noDrop_ = nullptr;
  const QVTButtonMapEntry* buttonMap_ = nullptr;
  const QVTButtonMapEntry* secondTable_ = nullptr;
  std::shared_ptr<QVTCommandButtonRect> commandRect_ = std::make_shared<QVTCommandButtonRect>();
  std::vector<HWND> disabled_;  // children disabled by the configuration mode
  BOOL config_ = FALSE;
  BOOL customize_ = FALSE;
  QVTToolBarManagerSettings settings_;
  QVTBmpMgr* store_;
  QVTButtonDrawContext context_;
  QVTCustomToolBar* selectionBar_ = nullptr;
};

}  // namespace docking

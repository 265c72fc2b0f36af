// QVTFrameWnd: the framework's main frame. It has the framework's dock bars
// on its four sides, floats bars in the framework's floating frame (kept on
// the work area), docks bars at a row and column, remembers the client area
// its bars leave, can paint its own caption with a colour gradient, and
// creates its plug-ins by class name when its window is created.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "docking/QVTControlBar.h"
#include "docking/QVTControlBarInfoExFactory.h"
#include "docking/QVTFramePlugIn.h"
#include "platform/afx/FrameWnd.h"

namespace afx {
class CFont;
}

namespace docking {

class QVTDockBar;

class QVTFrameWnd : public afx::CFrameWnd {
  DECLARE_DYNCREATE(QVTFrameWnd)
 public:
  QVTFrameWnd();
  ~QVTFrameWnd() override;

  // The class names of the menu plug-ins the frame looks for.
  static constexpr const char* kMenuBarPlugInClass = "QVTMenuBarFeature";
  static constexpr const char* kBitmapMenuPlugInClass = "QVTBmpMenuPlugIn";

  virtual QVTDockBar* NewDockBar();
  // A dock bar on every side of `dock_style` that has none yet.
  void EnableDocking(DWORD dock_style, void* extra = nullptr);

  void DockControlBar(afx::CControlBar* bar, UINT dock_bar_id = 0, const RECT* rect = nullptr) override;
  void DockControlBar(afx::CControlBar* bar, afx::CDockBar* dock_bar, const RECT* rect = nullptr) override;
  void ReDockControlBar(afx::CControlBar* bar, afx::CDockBar* dock_bar, const RECT* rect) override;
  virtual void DockControlBarAt(afx::CControlBar* bar, UINT dock_bar_id, int row, int column, float share,
                                int size);
  void FloatControlBar(afx::CControlBar* bar, POINT point, DWORD style = afx::CBRS_ALIGN_TOP) override;
  void ShowControlBar(afx::CControlBar* bar, BOOL show, BOOL delay) override;
  QVTControlBar* FindControlBar(UINT id) const;

  void RecalcLayout(BOOL notify = TRUE) override;
  // The client area the bars left at the last layout.
  const RECT& GetRememberedClientRect() const { return m_rectClient; }

  // The frame's own caption. Switching it changes nothing of the frame's
  // activation: an active caption stays active.
  BOOL SetCustomCaption(BOOL on, BOOL redraw = TRUE);
  BOOL HasCustomCaption() const { return m_bCustomCaption; }
  BOOL IsCaptionActive() const { return m_bCaptionActive; }
  void SetCaptionAlignment(int alignment, BOOL redraw = TRUE);
  virtual void DrawCaption();
  virtual BOOL CreateCaptionFont(afx::CFont& font);
  virtual BOOL CreateItalicCaptionFont(afx::CFont& font);

  // Set before the window is created.
  void SetMenuBar(afx::CWnd* menu_bar) { m_pMenuBar = menu_bar; }
  afx::CWnd* GetMenuBar() const { return m_pMenuBar; }
  // The manager a saved layout asks for extension records and for bars
  // the frame lacks (the toolbar manager); not owned, may be null.
  void SetControlBarManager(QVTControlBarInfoExFactory* manager) { m_pControlBarManager = manager; }
  QVTControlBarInfoExFactory* GetControlBarManager() const { return m_pControlBarManager; }
  // The bar layout in the profile under `name`: loaded and applied (bars
  // a record names and the frame lacks are made, and owned by the frame),
  // or taken from the frame and saved; nothing is written when the frame
  // cannot give its layout.
  BOOL LoadBarState(const std::string& name);
  BOOL SaveBarState(const std::string& name);
  void EnableBitmapMenus(BOOL enable, BOOL second) {
    m_bBitmapMenus = enable;
    m_bSecondMenuOption = second;
  }
  BOOL BitmapMenusEnabled() const { return m_bBitmapMenus; }
  QVTFramePlugIn* GetMenuPlugIn() const { return m_pMenuPlugIn.get(); }

  LRESULT WindowProc(UINT message, ui::WPARAM wParam, ui::LPARAM lParam) override;
  BOOL PreTranslateMessage(ui::MSG* msg) override;

  int OnCreate(ui::CREATESTRUCT* create);
  void OnClose();
  BOOL m_bClosing = FALSE;

 protected:
  LRESULT OnNcPaint(ui::WPARAM wParam, ui::LPARAM lParam);
  LRESULT OnNcActivate(ui::WPARAM wParam, ui::LPARAM lParam);
  LRESULT OnSetText(ui::WPARAM wParam, ui::LPARAM lParam);
  LRESULT OnSetMessageString(ui::WPARAM wParam, ui::LPARAM lParam);
  // The plug-in of that class, attached; null when the class is not built in.
  std::unique_ptr<QVTFramePlugIn> CreatePlugIn(const char* class_name);

  BOOL m_bNewShell = TRUE;
  RECT m_rectClient{};
  int m_nCaptionAlignment = 0;
  BOOL m_bCustomCaption = FALSE;
  BOOL m_bCaptionActive = FALSE;
  afx::CWnd* m_pMenuBar = nullptr;
  QVTControlBarInfoExFactory* m_pControlBarManager = nullptr;
  // Bars a loaded layout made by class name.
  std::vector<std::unique_ptr<afx::CObject>> m_listCreatedObjects;
  BOOL m_bBitmapMenus = FALSE;
  BOOL m_bSecondMenuOption = FALSE;
  std::unique_ptr<QVTFramePlugIn> m_pMenuPlugIn;

  DECLARE_MESSAGE_MAP()
};

}  // namespace docking

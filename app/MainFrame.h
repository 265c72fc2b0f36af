// The program's top-level window: the docking frame of the form view, with
// menu 128 as a docking menu bar (a row of its own at the top, above the
// toolbar, as wide as the frame), accelerator table 128, the toolbar of
// the program's commands
// (images of toolbar resource 128, docked at the top, movable to any side
// or floating), the status bar with its message pane and two indicator
// panes (header mode and a running conversion), a fixed size that follows
// the view, the bar layout and placement saved between runs, and the
// mapping of help requests to the help book. An unattended run creates it
// hidden and never shows it, so it has no bars and saves nothing.
//
// Kept small on purpose: what the view asks of it is the pane texts and
// its title.
#pragma once

#include <memory>
#include <string>

#include "docking/QVTFrameWnd.h"
#include "docking/QVTMenuBar.h"
#include "docking/QVTStatusBar.h"
#include "docking/QVTToolBarManager.h"
#include "platform/afx/Menu.h"

class CMainFrame : public docking::QVTFrameWnd {
  DECLARE_DYNCREATE(CMainFrame)
 public:
  // The status bar's panes after the stretching message pane.
  static constexpr int kHeaderPane = 1;
  static constexpr int kConvertingPane = 2;
  // The control id of the docking menu bar, whose help requests carry it.
  static constexpr afx::UINT kMenuBarId = docking::QVTToolBarManager::kMenuBarId;
  // The toolbar's bar id.
  static constexpr afx::UINT kToolBarId = afx::AFX_IDW_TOOLBAR;
  // The name the bar layout and the toolbar settings are saved under.
  static constexpr const char* kBarStateName = "Control Bars";

  CMainFrame();

  void SetPaneText(int pane, const std::string& text);
  std::string GetPaneText(int pane) const;

  // The help context a request names, as the help book knows it.
  static unsigned long MapHelpContext(afx::UINT_PTR data);

  afx::BOOL PreCreateWindow(afx::CREATESTRUCT& create) override;
  void ActivateFrame(int show_command = -1) override;
  void RecalcLayout(afx::BOOL notify = afx::TRUE) override;
  void WinHelp(afx::UINT_PTR data, afx::UINT command = afx::HELP_CONTEXT) override;
  // The title is the program's, or the view's account of a conversion:
  // the document's name never joins it.
  void OnUpdateFrameTitle(afx::BOOL) override {}

  bool WasActivated() const { return !m_bFirstActivation; }
  // The manager of the toolbar; null in a windowless run.
  docking::QVTToolBarManager* GetToolBarManager() const { return m_pToolBarManager.get(); }
  // The menu bar; null in a windowless run.
  docking::QVTMenuBar* GetMenuBarOfFrame() const { return m_pMenuBar.get(); }

 protected:
  int OnCreate(afx::CREATESTRUCT* create);
  void OnClose();
  void OnDestroy();
  void OnInitMenu(afx::CMenu* menu);
  void OnHelpFinder();
  // Shift+F1 and the toolbar's help button: the next click names the topic.
  void OnContextHelp();
  void OnTimer(afx::UINT_PTR id);
  afx::LRESULT OnIdleUpdate(afx::WPARAM wParam, afx::LPARAM lParam);

 private:
  void ApplySavedPlacement();
  // The topic of a click in help mode: the first window from the one
  // clicked up to the frame that names a topic the book has.
  unsigned long HelpContextOfClick(ui::HWND clicked, ui::POINT screen) const;
  bool CreateStatusBar();
  // The toolbar's images and definition and the menu bar's titles, for the
  // manager to make the bars from when no saved layout brings them back.
  void DefineToolBar();

  std::unique_ptr<docking::QVTToolBarManager> m_pToolBarManager;
  // Gone before the manager: a bar leaves the frame's list as it goes.
  std::unique_ptr<docking::QVTMenuBar> m_pMenuBar;
  docking::QVTStatusBar m_wndStatusBar;
  std::string m_strCommandFile;  // commands a script gives, when it names a file
  bool m_bFirstActivation = true;
  bool m_bInLayout = false;

  DECLARE_MESSAGE_MAP()
};

// The program's top-level window: the docking frame of the form view, with
// menu 128, accelerator table 128, the status bar with its message pane and
// two indicator panes (header mode and a running conversion), a fixed size
// that follows the view, the placement saved between runs, and the mapping
// of help requests to the help book. An unattended run creates it hidden
// and never shows it, so it has no bars and saves no placement.
//
// Kept small on purpose: what the view asks of it is the pane texts and
// its title.
#pragma once

#include <string>

#include "docking/QVTFrameWnd.h"
#include "docking/QVTStatusBar.h"
#include "platform/afx/Menu.h"

class CMainFrame : public docking::QVTFrameWnd {
  DECLARE_DYNCREATE(CMainFrame)
 public:
  // The status bar's panes after the stretching message pane.
  static constexpr int kHeaderPane = 1;
  static constexpr int kConvertingPane = 2;
  // The control id of the docking menu bar, whose help requests carry it.
  static constexpr afx::UINT kMenuBarId = 0xE81A;

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

 protected:
  int OnCreate(afx::CREATESTRUCT* create);
  void OnDestroy();
  void OnInitMenu(afx::CMenu* menu);
  void OnHelpFinder();
  void OnTimer(afx::UINT_PTR id);
  afx::LRESULT OnIdleUpdate(afx::WPARAM wParam, afx::LPARAM lParam);

 private:
  void ApplySavedPlacement();
  bool CreateStatusBar();

  afx::CMenu m_menu;
  docking::QVTStatusBar m_wndStatusBar;
  std::string m_strCommandFile;  // commands a script gives, when it names a file
  bool m_bFirstActivation = true;
  bool m_bInLayout = false;

  DECLARE_MESSAGE_MAP()
};

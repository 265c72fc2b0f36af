// The program's top-level window: the frame of the form view, with menu
// 128, accelerator table 128, two status panes (header mode and a running
// conversion), a fixed size that follows the view, the placement saved
// between runs, and the mapping of help requests to the help book. An
// unattended run creates it hidden and never shows it, so it saves no
// placement.
//
// Kept small on purpose: what the view asks of it is the pane texts and
// its title.
#pragma once

#include <string>

#include "platform/afx/Controls.h"
#include "platform/afx/FrameWnd.h"
#include "platform/afx/Menu.h"

class CMainFrame : public afx::CFrameWnd {
  DECLARE_DYNCREATE(CMainFrame)
 public:
  // The panes after the stretching message pane.
  static constexpr int kHeaderPane = 1;
  static constexpr int kConvertingPane = 2;
  static constexpr int kPaneCount = 3;
  // The control id of the docking menu bar, whose help requests carry it.
  static constexpr afx::UINT kMenuBarId = 0xE81A;

  CMainFrame() = default;

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
  bool CreateStatusPanes();
  void LayOutStatusPanes(const afx::RECT& client, int height);

  afx::CMenu m_menu;
  std::string m_strCommandFile;  // commands a script gives, when it names a file
  afx::CStatic m_panes[kPaneCount];
  bool m_bFirstActivation = true;
  bool m_bInLayout = false;

  DECLARE_MESSAGE_MAP()
};

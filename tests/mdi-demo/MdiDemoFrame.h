// The demo's main frame: the framework's MDI frame with its menu bar, a
// toolbar made by the toolbar manager, a status bar, and the commands that
// open documents and arrange their frames.
#pragma once

#include <memory>

#include "docking/QVTMDIFrameWnd.h"
#include "docking/QVTStatusBar.h"
#include "docking/QVTToolBarManager.h"

namespace mdidemo {

class MdiDemoFrame : public docking::QVTMDIFrameWnd {
  DECLARE_DYNCREATE(MdiDemoFrame)
 public:
  MdiDemoFrame();
  ~MdiDemoFrame() override;

  docking::QVTToolBarManager* GetToolBarManager() const { return m_pToolBarManager.get(); }
  docking::QVTStatusBar& GetStatusBar() { return m_wndStatusBar; }

  int OnCreate(ui::CREATESTRUCT* create);
  void OnNewText();
  void OnNewPlot();
  void OnCascade() { MDICascade(); }
  void OnTile() { MDITile(); }
  void OnExit() { PostMessage(ui::WM_CLOSE); }

 protected:
  void OpenDocumentOfTemplate(std::size_t index);

  std::unique_ptr<docking::QVTToolBarManager> m_pToolBarManager;
  docking::QVTStatusBar m_wndStatusBar;

  DECLARE_MESSAGE_MAP()
};

}  // namespace mdidemo

#include "tests/mdi-demo/MdiDemoFrame.h"

#include <iterator>

#include "docking/QVTMenuBar.h"
#include "platform/afx/DocTemplate.h"
#include "platform/afx/WinApp.h"
#include "tests/mdi-demo/MdiDemoResources.h"

namespace mdidemo {

using namespace ui;
using namespace afx;

IMPLEMENT_DYNCREATE(MdiDemoFrame, docking::QVTMDIFrameWnd)

BEGIN_MESSAGE_MAP(MdiDemoFrame, docking::QVTMDIFrameWnd)
  ON_WM_CREATE()
  ON_COMMAND(kCmdNewText, OnNewText)
  ON_COMMAND(kCmdNewPlot, OnNewPlot)
  ON_COMMAND(kCmdWindowCascade, OnCascade)
  ON_COMMAND(kCmdWindowTile, OnTile)
  ON_COMMAND(kCmdExit, OnExit)
END_MESSAGE_MAP()

namespace {
constexpr UINT kIndicators[] = {ID_SEPARATOR};
}  // namespace

// The menu bar is there before the window, so the frame runs its menu loop.
MdiDemoFrame::MdiDemoFrame() { CreateMenuBar(); }

MdiDemoFrame::~MdiDemoFrame() = default;

int MdiDemoFrame::OnCreate(CREATESTRUCT* create) {
  if (QVTMDIFrameWnd::OnCreate(create) == -1) return -1;
  m_pToolBarManager = std::make_unique<docking::QVTToolBarManager>(this);
  SetControlBarManager(m_pToolBarManager.get());
  docking::QVTToolBarManager& manager = *m_pToolBarManager;
  manager.LoadToolBarResource(kFrameResource);
  // The menu bar knows every menu a document frame may ask for.
  docking::LoadMenuBarMenus(&manager, {kFrameResource, kTextResource, kPlotResource});
  manager.AddDefaultToolBarDefinition(kToolBarId, "Demo Toolbar", kFrameResource, CBRS_ALIGN_ANY,
                                      AFX_IDW_DOCKBAR_TOP, 0, TRUE, TRUE);
  manager.SetCoolLook(TRUE);
  if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
      !m_wndStatusBar.SetIndicators(kIndicators, static_cast<int>(std::size(kIndicators))))
    return -1;
  EnableDocking(CBRS_ALIGN_ANY);
  manager.AttachToolBars();
  return 0;
}

void MdiDemoFrame::OpenDocumentOfTemplate(std::size_t index) {
  CWinApp* app = AfxGetApp();
  if (app && index < app->GetDocTemplateCount()) app->GetDocTemplate(index)->OpenDocumentFile(nullptr);
}

void MdiDemoFrame::OnNewText() { OpenDocumentOfTemplate(0); }
void MdiDemoFrame::OnNewPlot() { OpenDocumentOfTemplate(1); }

}  // namespace mdidemo

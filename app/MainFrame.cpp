#include "app/MainFrame.h"

#include <algorithm>
#include <iterator>

#include "app/AppResources.h"
#include "app/CommandFile.h"
#include "app/HelpBook.h"
#include "app/RunMode.h"
#include "app/SavedWindowRect.h"
#include "app/SettingsCommands.h"
#include "docking/QVTCustomToolBar.h"
#include "platform/afx/CmdUI.h"
#include "platform/afx/ScrollView.h"
#include "platform/afx/WinApp.h"
#include "platform/sys/Profile.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"

using namespace afx;

IMPLEMENT_DYNCREATE(CMainFrame, docking::QVTFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, docking::QVTFrameWnd)
  ON_WM_CREATE()
  ON_WM_CLOSE()
  ON_WM_DESTROY()
  {WM_INITMENU, 0, 0, 0,
   AFX_THUNK(self_->OnInitMenu(CMenu::FromHandle(reinterpret_cast<HMENU>(c_.wParam))); return true)},
  ON_WM_TIMER()
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
  ON_COMMAND(app::kCmdHelpFinder, OnHelpFinder)
  ON_COMMAND(ID_HELP, OnHelp)
  ON_COMMAND(ID_CONTEXT_HELP, OnContextHelp)
END_MESSAGE_MAP()

namespace {

constexpr const char kPlacementSection[] = "Window Position";
constexpr const char kPlacementKey[] = "Rect";
constexpr UINT_PTR kPlacementTimerId = 1;
constexpr UINT kPlacementDelayMs = 300;
constexpr UINT_PTR kCommandFileTimerId = 2;
constexpr UINT kCommandFileMs = 200;
// The stretching message pane, then header mode and a running conversion,
// each as wide as its text.
constexpr UINT kIndicators[] = {ID_SEPARATOR, app::kStringHeaderPane, app::kStringConvertingPane};

constexpr const char kToolBarTitle[] = "Briven Toolbar";
// The conversion's commands, the lists' and the log window's, then help; 0
// is a separator.
constexpr UINT kToolBarButtons[] = {app::kCmdParameters, app::kCmdFileNaming, app::kCmdHeader, app::kCmdConvert, 0,
                                    app::kCmdViewProperties, app::kCmdRefresh, app::kCmdConversionLog, 0,
                                    app::kCmdAppAbout, app::kCmdContextHelp};
// Cool look: flat buttons, the one under the mouse raised.
constexpr DWORD kCoolLookStyle = 0x300;

}  // namespace

CMainFrame::CMainFrame() { EnableBitmapMenus(TRUE, TRUE); }

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& create) {
  if (!QVTFrameWnd::PreCreateWindow(create)) return FALSE;
  // A fixed size (the frame follows the form), no maximise box, and a
  // title that is the program's alone.
  create.style &= ~(WS_THICKFRAME | WS_MAXIMIZEBOX | FWS_PREFIXTITLE);
  return TRUE;
}

int CMainFrame::OnCreate(CREATESTRUCT* create) {
  // A windowless run's frame is never shown: it gets no menu, bars or
  // layout, so nothing of it is ever drawn.
  if (app::IsWindowlessRun()) {
    if (CWnd::OnCreate(create) == -1) return -1;
    return OnCreateClient(create, static_cast<CCreateContext*>(create->lpCreateParams)) ? 0 : -1;
  }
  // The menu is a bar of the frame: the frame looks for the plug-in that
  // runs its menu loop as its window is made.
  m_pMenuBar = std::make_unique<docking::QVTMenuBar>();
  SetMenuBar(m_pMenuBar.get());
  if (QVTFrameWnd::OnCreate(create) == -1) return -1;
  DefineToolBar();
  if (!CreateStatusBar()) return -1;
  EnableDocking(CBRS_ALIGN_ANY);
  // The saved layout brings back the bars where the user left them; the
  // manager then makes those it did not bring from their definitions.
  LoadBarState(kBarStateName);
  GetToolBarManager()->LoadState(kBarStateName);
  m_pMenuBar->SwitchMenu(app::kMainResource);
  // Docked along the top or bottom, the toolbar takes the frame's width.
  if (docking::QVTCustomToolBar* toolbar = GetToolBarManager()->GetToolBar(kToolBarId))
    toolbar->ModifyBarStyleEx(0, docking::QVT_TBSTYLE_STRETCH, FALSE);
  RecalcLayout();
  m_strCommandFile = app::CommandFilePath();
  if (!m_strCommandFile.empty()) SetTimer(kCommandFileTimerId, kCommandFileMs);
  return 0;
}

void CMainFrame::DefineToolBar() {
  // Made here, not with the frame: a windowless run's frame has no bars,
  // and the manager's drawing context is never made for it.
  m_pToolBarManager = std::make_unique<docking::QVTToolBarManager>(this);
  SetControlBarManager(m_pToolBarManager.get());
  docking::QVTToolBarManager& manager = *m_pToolBarManager;
  manager.LoadToolBarResource(app::kMainResource);
  docking::LoadMenuBarMenus(&manager, {static_cast<UINT>(app::kMainResource)});
  manager.AddDefaultToolBarDefinition(kToolBarId, kToolBarTitle, static_cast<int>(std::size(kToolBarButtons)),
                                      kToolBarButtons, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP, 0, TRUE, TRUE);
  manager.SetCoolLook(TRUE, kCoolLookStyle);
}

bool CMainFrame::CreateStatusBar() {
  return m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) &&
         m_wndStatusBar.SetIndicators(kIndicators, static_cast<int>(std::size(kIndicators)));
}

void CMainFrame::SetPaneText(int pane, const std::string& text) {
  if (pane < 0 || pane >= m_wndStatusBar.GetCount() || !m_wndStatusBar.m_hWnd) return;
  m_wndStatusBar.SetPaneText(pane, text.c_str());
}

std::string CMainFrame::GetPaneText(int pane) const {
  if (pane < 0 || pane >= m_wndStatusBar.GetCount() || !m_wndStatusBar.m_hWnd) return {};
  return m_wndStatusBar.GetPaneText(pane);
}

void CMainFrame::RecalcLayout(BOOL notify) {
  if (m_bInLayout || !m_hWnd || app::IsWindowlessRun()) return;
  m_bInLayout = true;
  QVTFrameWnd::RecalcLayout(notify);
  // The frame follows the form's size exactly, growing or shrinking; the
  // bars and the view then take their places in the new size.
  if (CView* view = GetActiveView(); view && view->IsKindOf(RUNTIME_CLASS(CScrollView))) {
    static_cast<CScrollView*>(view)->ResizeParentToFit(FALSE);
    QVTFrameWnd::RecalcLayout(notify);
  }
  m_bInLayout = false;
}

void CMainFrame::ActivateFrame(int show_command) {
  const bool first = m_bFirstActivation;
  if (first) {
    m_bFirstActivation = false;
    // The view is active by now: the frame takes the form's size.
    RecalcLayout();
  }
  QVTFrameWnd::ActivateFrame(show_command);
  // The saved place is given a moment after the window is first shown: a
  // window manager decides where a window it has not mapped yet goes, and
  // a display host learns where that was only after it is on the screen.
  if (first && !SetTimer(kPlacementTimerId, kPlacementDelayMs)) ApplySavedPlacement();
}

void CMainFrame::ApplySavedPlacement() {
  RECT saved;
  if (!app::ParseWindowRect(sys::AppProfile().GetString(kPlacementSection, kPlacementKey, ""), saved)) return;
  WINDOWPLACEMENT placement;
  placement.length = sizeof placement;
  if (!GetWindowPlacement(&placement)) return;
  // The frame keeps its own size (it follows the form); only the corner
  // is taken, and kept on the screen there is now.
  const RECT& normal = placement.rcNormalPosition;
  const RECT sized{saved.left, saved.top, saved.left + (normal.right - normal.left),
                   saved.top + (normal.bottom - normal.top)};
  placement.rcNormalPosition = app::KeepOnScreen(sized, app::CurrentScreen());
  SetWindowPlacement(&placement);
}

void CMainFrame::OnTimer(UINT_PTR id) {
  if (id == kCommandFileTimerId) {
    for (const unsigned command : app::TakeCommands(m_strCommandFile)) PostMessage(WM_COMMAND, command, 0);
    return;
  }
  if (id != kPlacementTimerId) {
    Default();
    return;
  }
  KillTimer(kPlacementTimerId);
  ApplySavedPlacement();
}

void CMainFrame::OnClose() {
  if (GetToolBarManager()) {
    SaveBarState(kBarStateName);
    GetToolBarManager()->SaveState(kBarStateName);
  }
  QVTFrameWnd::OnClose();
}

void CMainFrame::OnDestroy() {
  // A frame that was never shown (an unattended run) leaves the stored
  // placement alone.
  if (!m_bFirstActivation) {
    WINDOWPLACEMENT placement;
    placement.length = sizeof placement;
    if (GetWindowPlacement(&placement))
      sys::AppProfile().WriteString(kPlacementSection, kPlacementKey,
                                    app::FormatWindowRect(placement.rcNormalPosition));
  }
  QVTFrameWnd::OnDestroy();
}

void CMainFrame::OnInitMenu(CMenu* menu) {
  CMenu* system = GetSystemMenu(FALSE);
  if (menu && system && menu->m_hMenu == system->m_hMenu) {
    system->EnableMenuItem(static_cast<UINT>(SC_SIZE), MF_BYCOMMAND | MF_GRAYED);
    system->EnableMenuItem(static_cast<UINT>(SC_MAXIMIZE), MF_BYCOMMAND | MF_GRAYED);
  }
  Default();
}

unsigned long CMainFrame::MapHelpContext(UINT_PTR data) {
  return app::MapFrameHelpContext(static_cast<unsigned long>(data), kMenuBarId);
}

void CMainFrame::WinHelp(UINT_PTR data, UINT) {
  // A book or topic that is missing opens nothing; the viewer says why.
  ShowHelpTopic(this, MapHelpContext(data));
}

LRESULT CMainFrame::OnIdleUpdate(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = QVTFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
  // The Convert command's update rule also keeps the lists and pane 2 in
  // step with a running conversion, so it runs at every idle time, as the
  // toolbar's update would run it.
  CCmdUI convert;
  convert.m_nID = app::kCmdConvert;
  convert.DoUpdate(this, FALSE);
  return result;
}

void CMainFrame::OnHelpFinder() { WinHelp(0x20080, HELP_CONTEXT); }

void CMainFrame::OnContextHelp() {
  app::RunHelpMode(m_hWnd, [this](ui::HWND clicked, ui::POINT screen) { return HelpContextOfClick(clicked, screen); });
}

unsigned long CMainFrame::HelpContextOfClick(ui::HWND clicked, ui::POINT screen) const {
  // A window may answer with a number the book has no page for (the view's
  // own id, a bar's blank space): the search then goes on to its parent.
  static const std::vector<unsigned long> known = app::HelpContextsInUse();
  const auto topic = [](unsigned long asked) {
    const unsigned long context = MapHelpContext(asked);
    return std::find(known.begin(), known.end(), context) != known.end() ? context : 0UL;
  };
  constexpr unsigned long kControlBase = 0x50000;
  for (ui::HWND window = clicked; window != nullptr && window != m_hWnd; window = ui::GetParent(window)) {
    ui::POINT client = screen;
    ui::ScreenToClient(window, &client);
    const LPARAM at = ui::MAKELPARAM(static_cast<unsigned>(client.x), static_cast<unsigned>(client.y));
    const LRESULT hit = ui::SendMessage(window, WM_HELPHITTEST, 0, at);
    if (const unsigned long context = hit > 0 ? topic(static_cast<unsigned long>(hit)) : 0) return context;
    const int id = ui::GetDlgCtrlID(window);
    if (const unsigned long context = id > 0 ? topic(kControlBase + static_cast<unsigned long>(id)) : 0)
      return context;
  }
  return 0;
}

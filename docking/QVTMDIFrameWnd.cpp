#include "docking/QVTMDIFrameWnd.h"

#include <new>
#include <string>

#include "docking/QVTControlBar.h"
#include "docking/QVTControlBarMDIChildWnd.h"
#include "docking/QVTMDIMenuBar.h"
#include "docking/QVTMenuBar.h"
#include "docking/QVTMenuBarMessages.h"
#include "docking/QVTToolBarManager.h"
#include "platform/afx/Document.h"
#include "platform/afx/MDIChildWnd.h"
#include "platform/afx/MDIFrameWnd.h"
#include "platform/afx/MultiDocTemplate.h"
#include "platform/afx/View.h"
#include "platform/afx/WinApp.h"
#include "platform/ui/Hooks.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"

namespace docking {

using namespace ui;
using namespace afx;

IMPLEMENT_DYNCREATE(QVTMDIFrameWnd, QVTFrameWnd)

BEGIN_MESSAGE_MAP(QVTMDIFrameWnd, QVTFrameWnd)
  ON_MESSAGE(WM_ENTERIDLE, OnEnterIdle)
  ON_MESSAGE(QVTMDIFrameWnd::kBarContextMenuMessage, OnBarContextMenu)
END_MESSAGE_MAP()

namespace {

constexpr UINT kFrameMenuSelf = static_cast<UINT>(-1);
// The commands of a Window popup (new window, arrange, cascade, tile...).
constexpr UINT kFirstWindowCommand = 0xE130;
constexpr UINT kLastWindowCommand = 0xE13F;

bool HoldsWindowCommand(HMENU popup) {
  for (int i = 0; i < GetMenuItemCount(popup); ++i) {
    const UINT id = GetMenuItemID(popup, i);
    if (id >= kFirstWindowCommand && id <= kLastWindowCommand) return true;
  }
  return false;
}

// The popup that lists the document frames: the last one holding a Window
// command.
HMENU WindowMenuPopup(HMENU menu) {
  for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i) {
    const HMENU popup = GetSubMenu(menu, i);
    if (popup && HoldsWindowCommand(popup)) return popup;
  }
  return nullptr;
}

bool FloatsAsMDIChild(CControlBar* bar) {
  CFrameWnd* frame = bar && bar->m_pDockBar ? bar->m_pDockBar->GetParentFrame() : nullptr;
  return frame && frame->IsKindOf(RUNTIME_CLASS(QVTControlBarMDIChildWnd));
}

}  // namespace

QVTMDIFrameWnd::QVTMDIFrameWnd() : m_pFloatingChildClass(RUNTIME_CLASS(QVTControlBarMDIChildWnd)) {}

QVTMDIFrameWnd::~QVTMDIFrameWnd() {
  for (auto& [id, menu] : m_menuMap) DestroyMenu(menu);
  if (m_hMenuCopy) DestroyMenu(m_hMenuCopy);
  if (m_hMenuDefault) DestroyMenu(m_hMenuDefault);
}

QVTMenuBar* QVTMDIFrameWnd::CreateMenuBar() {
  // The caption buttons of a maximised document frame come with the MDI
  // menu bar; a program without it still gets a working menu.
  const CRuntimeClass* bar_class = CRuntimeClass::FromName(kMDIMenuBarClass);
  CObject* object = bar_class && bar_class->IsDerivedFrom(RUNTIME_CLASS(QVTMenuBar)) ? bar_class->CreateObject()
                                                                                        : nullptr;
  m_pOwnMenuBar.reset(object ? static_cast<QVTMenuBar*>(object) : new QVTMenuBar);
  SetMenuBar(m_pOwnMenuBar.get());
  return m_pOwnMenuBar.get();
}

BOOL QVTMDIFrameWnd::LoadFrame(UINT resource_id, DWORD style, CWnd* parent, CCreateContext* context) {
  m_nMenuId = m_nShownMenuId = resource_id;
  m_nIDHelp = resource_id;
  std::string text;
  LoadStringResource(resource_id, text);
  m_strTitle = text.substr(0, text.find('\n'));
  if (!m_hAccelTable) m_hAccelTable = LoadAccelerators(resource_id);
  // With a menu bar the frame has no window menu: the bar shows its copy.
  const HMENU window_menu = GetMenuBar() ? nullptr : LoadFrameMenu(resource_id);
  m_hMenuDefault = window_menu;
  if (!CreateEx(0, nullptr, m_strTitle.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, 0,
                parent ? parent->m_hWnd : nullptr, window_menu, context)) {
    if (window_menu) DestroyMenu(window_menu);
    m_hMenuDefault = nullptr;
    return FALSE;
  }
  if (GetMenuBar()) {
    m_hMenuCopy = LoadFrameMenu(resource_id);
    SwitchToChildMenu(kFrameMenuSelf);
  }
  return TRUE;
}

BOOL QVTMDIFrameWnd::OnCreateClient(CREATESTRUCT*, CCreateContext*) {
  // The client lists the document frames in the window menu's second-last
  // popup; with a menu bar the list goes where the bar's menu wants it.
  const HMENU window_menu = !GetMenuBar() && m_hMenuDefault ? SecondLastPopup(m_hMenuDefault) : nullptr;
  m_hWndMDIClient = CreateMDIClient(this, window_menu);
  return m_hWndMDIClient ? TRUE : FALSE;
}

LRESULT QVTMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper) return QVTFrameWnd::DefWindowProc(message, wParam, lParam);
  return DefFrameProc(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

BOOL QVTMDIFrameWnd::LoadMDIMenus(const std::vector<UINT>& menu_ids) {
  for (UINT id : menu_ids) {
    const HMENU menu = FindMenuResource(id) ? LoadMenu(id) : nullptr;
    if (!menu) return FALSE;
    HMENU& slot = m_menuMap[id];
    if (slot) DestroyMenu(slot);
    slot = menu;
  }
  return TRUE;
}

HMENU QVTMDIFrameWnd::GetMenuForId(UINT menu_id) {
  if (menu_id == m_nMenuId && m_hMenuCopy) return m_hMenuCopy;
  if (CWinApp* app = AfxGetApp()) {
    for (std::size_t i = 0; i < app->GetDocTemplateCount(); ++i) {
      auto* multi = dynamic_cast<CMultiDocTemplate*>(app->GetDocTemplate(i));
      if (multi && multi->GetResourceId() == menu_id && multi->m_hMenuShared) return multi->m_hMenuShared;
    }
  }
  const auto found = m_menuMap.find(menu_id);
  return found == m_menuMap.end() ? nullptr : found->second;
}

HMENU QVTMDIFrameWnd::GetFrameMenu() const { return GetMenuBar() ? m_hMenuCopy : m_hMenuDefault; }

void QVTMDIFrameWnd::SwitchToChildMenu(UINT menu_id) {
  auto* bar = dynamic_cast<QVTMenuBar*>(GetMenuBar());
  if (!bar || !GetMenuPlugIn()) return;
  if (menu_id == 0) menu_id = kFrameMenuSelf;
  const UINT before = bar->GetCurrentMenuId();
  bool changed = false;
  if (menu_id == kFrameMenuSelf) {
    bar->SwitchMenu(m_nMenuId);
    m_nShownMenuId = m_nMenuId;
    changed = UpdateCaptionButtons(TRUE) != FALSE;
  } else {
    bar->SwitchMenu(menu_id);
    m_nShownMenuId = menu_id;
  }
  if (changed || bar->GetCurrentMenuId() != before) RelayoutMenuBar();
  RefreshWindowMenu();
}

void QVTMDIFrameWnd::RefreshWindowMenu() {
  auto* bar = dynamic_cast<QVTMenuBar*>(GetMenuBar());
  if (!bar || !m_hWndMDIClient || ui::GetMenu(m_hWnd)) return;
  const HMENU menu = GetMenuForId(bar->GetCurrentMenuId());
  const HMENU popup = menu ? WindowMenuPopup(menu) : nullptr;
  if (popup) ui::SendMessage(m_hWndMDIClient, WM_MDISETMENU, 0, reinterpret_cast<LPARAM>(popup));
}

void QVTMDIFrameWnd::OnChildSized() {
  if (UpdateCaptionButtons(FALSE)) RelayoutMenuBar();
}

BOOL QVTMDIFrameWnd::UpdateCaptionButtons(BOOL suppress) {
  auto* mdi_bar = dynamic_cast<QVTMDIMenuBar*>(GetMenuBar());
  return mdi_bar && mdi_bar->m_hWnd ? mdi_bar->UpdateCaptionButtons(suppress) : FALSE;
}

void QVTMDIFrameWnd::RelayoutMenuBar() {
  CWnd* bar = GetMenuBar();
  if (!bar || !bar->m_hWnd) return;
  RecalcLayout(TRUE);
  bar->Invalidate();
}

// Bars floating as document frames.

CFrameWnd* QVTMDIFrameWnd::CreateFloatingMDIChild(DWORD align_style, void*) {
  if (!m_pFloatingChildClass) return nullptr;
  CObject* object = m_pFloatingChildClass->CreateObject();
  if (!object) throw std::bad_alloc();
  if (!object->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
    delete object;
    return nullptr;
  }
  auto* child = static_cast<CFrameWnd*>(object);
  // The bar's side decides its dock bar's, so a horizontal bar stays
  // horizontal in its document frame.
  if (auto* bar_child = dynamic_cast<QVTControlBarMDIChildWnd*>(child)) bar_child->SetBarAlignment(align_style);
  // A frame that fails to load has deleted itself with its window.
  if (!child->LoadFrame(kFloatingChildResource, kFloatingChildStyle, this, nullptr)) return nullptr;
  return child;
}

void QVTMDIFrameWnd::ActivateBarChild(CFrameWnd* child, BOOL force) {
  if (!child || (child == m_pActiveBarChild && !force)) return;
  if (m_pActiveBarChild && m_pActiveBarChild != child) DeactivateBarChild(FALSE);
  m_pActiveBarChild = child;
  child->SendMessage(WM_NCACTIVATE, TRUE, 0);
  // The real active document frame stays, but no longer looks active.
  if (CMDIChildWnd* active = MDIGetActive(); active && active != child) active->SendMessage(WM_NCACTIVATE, FALSE, 0);
}

void QVTMDIFrameWnd::DeactivateBarChild(BOOL activate_client) {
  CFrameWnd* child = m_pActiveBarChild;
  if (!child) return;
  if (CView* view = child->GetActiveView()) view->OnActivateView(FALSE, view, view);
  if (child->m_hWnd) child->SendMessage(WM_NCACTIVATE, FALSE, 0);
  m_pActiveBarChild = nullptr;
  ui::SetFocus(nullptr);
  if (!activate_client) return;
  if (CMDIChildWnd* active = MDIGetActive()) {
    ui::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(active->m_hWnd), 0);
    active->SendMessage(WM_NCACTIVATE, TRUE, 0);
  }
}

// The client and its document frames.

CMDIChildWnd* QVTMDIFrameWnd::MDIGetActive(BOOL* maximized) const { return MDIGetActiveOf(this, maximized); }

void QVTMDIFrameWnd::MDIActivate(CWnd* child) {
  if (child) ui::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child->m_hWnd), 0);
}
void QVTMDIFrameWnd::MDIMaximize(CWnd* child) {
  if (child) ui::SendMessage(m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child->m_hWnd), 0);
}
void QVTMDIFrameWnd::MDIRestore(CWnd* child) {
  if (child) ui::SendMessage(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child->m_hWnd), 0);
}
void QVTMDIFrameWnd::MDINext() { ui::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 0); }
void QVTMDIFrameWnd::MDICascade() { ui::SendMessage(m_hWndMDIClient, WM_MDICASCADE, 0, 0); }
void QVTMDIFrameWnd::MDITile() { ui::SendMessage(m_hWndMDIClient, WM_MDITILE, 0, 0); }

CDocument* QVTMDIFrameWnd::GetActiveDocument() {
  return MDIGetActive() ? ActiveMDIDocument(this) : QVTFrameWnd::GetActiveDocument();
}

BOOL QVTMDIFrameWnd::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handler_info) {
  if (RouteToActiveMDIChild(this, id, code, extra, handler_info)) return TRUE;
  return QVTFrameWnd::OnCmdMsg(id, code, extra, handler_info);
}

void QVTMDIFrameWnd::ToggleMDIFloat(CControlBar* bar) {
  if (!bar) return;
  if (!FloatsAsMDIChild(bar)) {
    FloatControlBarAsMDIChild(bar);
    return;
  }
  auto* host = static_cast<QVTControlBarMDIChildWnd*>(bar->m_pDockBar->GetParentFrame());
  ReDockControlBar(bar, nullptr, nullptr);
  // An empty document frame has nothing left to show.
  if (host->m_hWnd && host->GetDockBar()->GetDockedCount() == 0) host->DestroyWindow();
  RecalcLayout();
}

LRESULT QVTMDIFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // A bar's "Float In Main Window", with the bar as the command's control.
  if (message == WM_COMMAND && LOWORD(wParam) == kFloatInMainWindowCommand && lParam) {
    CWnd* wnd = CWnd::FromHandlePermanent(reinterpret_cast<HWND>(lParam));
    if (auto* bar = dynamic_cast<CControlBar*>(wnd)) {
      ToggleMDIFloat(bar);
      return 0;
    }
  }
  // The menu loop asks for a title's popup: it comes from the menu of that
  // id as the frame holds it, so the Window popup carries the list.
  if (message == QVTMenuBarMessages::GetMenuMessage()) {
    const HMENU menu = GetMenuForId(static_cast<UINT>(wParam));
    return reinterpret_cast<LRESULT>(menu ? GetSubMenu(menu, static_cast<int>(lParam)) : nullptr);
  }
  return QVTFrameWnd::WindowProc(message, wParam, lParam);
}

BOOL QVTMDIFrameWnd::DestroyWindow() {
  // Closing, the menu loop's plug-in goes before the window does: the
  // document frames closed on the way have already given back the menu.
  if (m_bClosing) m_pMenuPlugIn.reset();
  return QVTFrameWnd::DestroyWindow();
}

void QVTMDIFrameWnd::FloatControlBarAsMDIChild(CControlBar* bar) {
  if (!bar) return;
  auto* child = dynamic_cast<QVTControlBarMDIChildWnd*>(CreateFloatingMDIChild(bar->m_dwStyle & CBRS_ALIGN_ANY));
  if (!child) return;
  child->GetDockBar()->DockControlBar(bar, nullptr);
  child->RecalcLayout();
  if (bar->GetStyle() & WS_VISIBLE) child->ShowWindow(SW_SHOWNA);
  // The side the bar left closes up.
  RecalcLayout();
}

LRESULT QVTMDIFrameWnd::OnEnterIdle(WPARAM wParam, LPARAM) {
  auto* manager = dynamic_cast<QVTToolBarManager*>(GetControlBarManager());
  if (manager && manager->GetCustomizeMode() && static_cast<int>(wParam) == MSGF_DIALOGBOX &&
      (m_nIdleFlags & idleLayout)) {
    RecalcLayout((m_nIdleFlags & idleNotify) ? TRUE : FALSE);
    UpdateWindow();
  }
  return Default();
}

LRESULT QVTMDIFrameWnd::OnBarContextMenu(WPARAM wParam, LPARAM lParam) {
  auto* bar = reinterpret_cast<CControlBar*>(wParam);
  const HMENU menu = reinterpret_cast<HMENU>(lParam);
  if (!bar || !menu) return 0;
  const bool in_child = FloatsAsMDIChild(bar);
  if (in_child) EnableMenuItem(menu, kAllowDockingCommand, MF_BYCOMMAND | MF_GRAYED);
  auto* qvt = dynamic_cast<QVTControlBar*>(bar);
  if (qvt && (qvt->GetBarStyleEx() & kFloatInMainWindowExStyle)) {
    std::string text;
    if (!LoadStringResource(kFloatInMainWindowCommand, text)) text = "Float In Main Window";
    AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenu(menu, MF_STRING | (in_child ? MF_CHECKED : 0), kFloatInMainWindowCommand, text.c_str());
  }
  return 0;
}

}  // namespace docking

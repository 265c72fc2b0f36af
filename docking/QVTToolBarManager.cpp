#include "docking/QVTToolBarManager.h"

#include <algorithm>

#include "docking/QVTControlBarInfo.h"
#include "docking/QVTCustomToolBar.h"
#include "docking/QVTCustomToolBarInfoEx.h"
#include "docking/QVTFrameWnd.h"
#include "platform/afx/DockBar.h"
#include "platform/afx/DockContext.h"
#include "platform/ui/ImageResources.h"
#include "platform/ui/NonClient.h"

namespace docking {

IMPLEMENT_DYNAMIC(QVTToolBarManager, CObject)

QVTToolBarManager::QVTToolBarManager(afx::CFrameWnd* frame, afx::CWnd* owner)
    : frame_(frame), owner_(owner), settings_(this), store_(new QVTBmpMgr) {
  // The frame's saved layout asks this manager for the toolbars it lacks.
  if (auto* framework_frame = dynamic_cast<QVTFrameWnd*>(frame)) framework_frame->SetControlBarManager(this);
}

QVTToolBarManager::~QVTToolBarManager() {
  if (auto* framework_frame = dynamic_cast<QVTFrameWnd*>(frame_);
      framework_frame && framework_frame->GetControlBarManager() == this)
    framework_frame->SetControlBarManager(nullptr);
  // Bars that outlive the manager keep the store through their own share.
  for (QVTCustomToolBar* bar : GetToolBars())
    if (bar->GetManager() == this) bar->SetManager(nullptr);
  store_->Release();
}

UINT QVTToolBarManager::BarNotifyMessage() {
  static const UINT message = ui::RegisterWindowMessage("WM_BARNOTIFY");
  return message;
}

void QVTToolBarManager::AddDefaultToolBarDefinition(UINT barId, const std::string& title, int count, const UINT* ids,
                                                    DWORD alignStyle, UINT dockBarId, UINT dockNextToId, BOOL docked,
                                                    BOOL visible) {
  Definition definition;
  definition.barId = barId;
  definition.title = title;
  if (ids && count > 0) definition.ids.assign(ids, ids + count);
  definition.alignStyle = alignStyle;
  definition.dockBarId = dockBarId;
  definition.dockNextToId = dockNextToId;
  definition.docked = docked;
  definition.visible = visible;
  definitions_.push_back(std::move(definition));
}

BOOL QVTToolBarManager::AddDefaultToolBarDefinition(UINT barId, const std::string& title, UINT toolbarResource,
                                                    DWORD alignStyle, UINT dockBarId, UINT dockNextToId, BOOL docked,
                                                    BOOL visible) {
  const ui::ToolbarResource* toolbar = ui::FindToolbarResource(toolbarResource);
  if (!toolbar) return FALSE;
  // Kept by the definition itself, so the resource's list need not outlive it.
  const std::vector<UINT> ids(toolbar->items.begin(), toolbar->items.end());
  AddDefaultToolBarDefinition(barId, title, static_cast<int>(ids.size()), ids.data(), alignStyle, dockBarId,
                              dockNextToId, docked, visible);
  return TRUE;
}

BOOL QVTToolBarManager::LoadToolBarResource(UINT id, UINT largeId) { return store_->AddToolBarResource(id, largeId, TRUE); }

BOOL QVTToolBarManager::AddBitmap(UINT resource, UINT largeResource, const UINT* ids, int count) {
  return store_->AddBitmap(resource, largeResource, ids, count, TRUE);
}

BOOL QVTToolBarManager::AddBitmapHandles(HBITMAP normal, HBITMAP large, const UINT* ids, int count) {
  return store_->AddBitmapHandles(normal, large, ids, count);
}

std::vector<QVTCustomToolBar*> QVTToolBarManager::GetToolBars() const {
  std::vector<QVTCustomToolBar*> bars;
  if (!frame_) return bars;
  for (afx::CControlBar* bar : frame_->GetControlBars())
    if (auto* toolbar = dynamic_cast<QVTCustomToolBar*>(bar)) bars.push_back(toolbar);
  return bars;
}

QVTCustomToolBar* QVTToolBarManager::GetToolBar(UINT id) const {
  for (QVTCustomToolBar* bar : GetToolBars())
    if (bar->m_hWnd && static_cast<UINT>(bar->GetDlgCtrlID()) == id) return bar;
  return nullptr;
}

void QVTToolBarManager::Join(QVTCustomToolBar* bar) {
  bar->SetManager(this);
  bar->SetBmpMgr(store_);
}

const afx::CRuntimeClass* QVTToolBarManager::GetToolBarClass() const {
  return toolbarClass_ ? toolbarClass_ : RUNTIME_CLASS(QVTCustomToolBar);
}

QVTCustomToolBar* QVTToolBarManager::MakeToolBar(UINT id, const std::string& title) {
  if (!frame_) return nullptr;
  afx::CObject* made = GetToolBarClass()->CreateObject();
  auto* bar = dynamic_cast<QVTCustomToolBar*>(made);
  if (!bar) {
    delete made;
    return nullptr;
  }
  Join(bar);
  if (!bar->CreateEx(settings_.BarExStyle(), frame_, settings_.BarStyle(), id, title.c_str())) {
    delete bar;
    return nullptr;
  }
  bar->m_bAutoDelete = TRUE;
  bar->RecalcButtonSizes();
  return bar;
}

void QVTToolBarManager::SetMenuBarButtons(int count, const UINT* ids) {
  menuBarIds_.clear();
  if (ids && count > 0) menuBarIds_.assign(ids, ids + count);
}

QVTCustomToolBar* QVTToolBarManager::CreateMenuBar(UINT barId) {
  auto* frame = dynamic_cast<QVTFrameWnd*>(frame_);
  auto* bar = frame ? dynamic_cast<QVTCustomToolBar*>(frame->GetMenuBar()) : nullptr;
  if (!bar || bar->m_hWnd) return nullptr;
  Join(bar);
  if (!bar->CreateEx(settings_.BarExStyle(), frame_, settings_.BarStyle(), barId, kMenuBarTitle)) return nullptr;
  bar->RecalcButtonSizes();
  if (!menuBarIds_.empty()) bar->SetButtons(menuBarIds_.data(), static_cast<int>(menuBarIds_.size()));
  bar->EnableDocking(afx::CBRS_ALIGN_ANY);
  // The menu comes first: row -1 is a new row before the top's first.
  frame->DockControlBarAt(bar, afx::AFX_IDW_DOCKBAR_TOP, -1, 0, 1.0F, bar->m_szHorz.cy);
  return bar;
}

BOOL QVTToolBarManager::CreateDefaultToolBars() {
  if (!frame_) return FALSE;
  CreateMenuBar();
  std::vector<QVTCustomToolBar*> made;
  for (const Definition& definition : definitions_) {
    QVTCustomToolBar* bar = MakeToolBar(definition.barId, definition.title);
    if (!bar) break;
    bar->SetButtons(definition.ids.data(), static_cast<int>(definition.ids.size()));
    bar->EnableDocking(definition.alignStyle);
    const afx::CControlBar* neighbour = definition.dockNextToId ? frame_->GetControlBar(definition.dockNextToId) : nullptr;
    if (neighbour && neighbour->m_hWnd) {
      frame_->RecalcLayout(TRUE);
      RECT rect;
      neighbour->GetWindowRect(&rect);
      const bool along = definition.dockBarId == afx::AFX_IDW_DOCKBAR_TOP || definition.dockBarId == afx::AFX_IDW_DOCKBAR_BOTTOM;
      ui::OffsetRect(&rect, along ? 1 : 0, along ? 0 : 1);
      frame_->DockControlBar(bar, definition.dockBarId, &rect);
    } else {
      frame_->DockControlBar(bar, definition.dockBarId);
    }
    made.push_back(bar);
  }
  frame_->RecalcLayout(TRUE);
  for (std::size_t i = 0; i < made.size(); ++i) {
    if (!definitions_[i].visible) frame_->ShowControlBar(made[i], FALSE, FALSE);
    if (!definitions_[i].docked && made[i]->m_pDockContext) made[i]->m_pDockContext->ToggleDocking();
  }
  return made.size() == definitions_.size();
}

void QVTToolBarManager::AttachToolBars() {
  const std::vector<QVTCustomToolBar*> bars = GetToolBars();
  for (QVTCustomToolBar* bar : bars) {
    Join(bar);
    if (bar->m_hWnd) bar->Invalidate();
  }
  if (bars.empty()) CreateDefaultToolBars();
  else if (CreateMenuBar()) frame_->RecalcLayout(TRUE);
}

QVTCustomToolBar* QVTToolBarManager::CreateNewToolBar(const char* title) {
  std::vector<UINT> used;
  for (QVTCustomToolBar* bar : GetToolBars())
    if (bar->m_hWnd) used.push_back(static_cast<UINT>(bar->GetDlgCtrlID()));
  const UINT id = QVTToolBarManagerSettings::NewBarId(used);
  if (!id) return nullptr;
  const std::string name = title ? std::string(title) : "ToolBar" + std::to_string(id - 0xE81F);
  QVTCustomToolBar* bar = MakeToolBar(id, name);
  if (!bar) return nullptr;
  bar->SetCustomizeMode(customize_);
  bar->EnableDocking(afx::CBRS_ALIGN_ANY);
  return bar;
}

void QVTToolBarManager::SetCustomizeMode(BOOL on) {
  if (on == customize_) return;
  customize_ = on;
  for (QVTCustomToolBar* bar : GetToolBars()) bar->SetCustomizeMode(on);
}

void QVTToolBarManager::EnterConfigMode() {
  if (config_ || !frame_ || !frame_->m_hWnd) return;
  config_ = TRUE;
  ui::EnableWindow(frame_->m_hWnd, TRUE);
  for (HWND child = ui::GetWindow(frame_->m_hWnd, ui::GW_CHILD); child; child = ui::GetWindow(child, ui::GW_HWNDNEXT)) {
    if (!ui::IsWindowEnabled(child)) continue;
    if (dynamic_cast<afx::CDockBar*>(afx::CWnd::FromHandlePermanent(child))) continue;
    ui::EnableWindow(child, FALSE);
    disabled_.push_back(child);
  }
}

void QVTToolBarManager::ExitConfigMode() {
  if (!config_) return;
  config_ = FALSE;
  if (frame_ && frame_->m_hWnd) ui::EnableWindow(frame_->m_hWnd, FALSE);  // the dialog is still up
  for (HWND child : disabled_)
    if (ui::IsWindow(child)) ui::EnableWindow(child, TRUE);
  disabled_.clear();
}

BOOL QVTToolBarManager::GetCommandButtonRect(RECT* rect) const {
  if (!commandRect_->valid) return FALSE;
  if (rect) *rect = commandRect_->rect;
  return TRUE;
}

RECT QVTToolBarManager::GetNoDropRect() const {
  RECT rect{0, 0, 0, 0};
  if (noDrop_ && noDrop_->m_hWnd) noDrop_->GetWindowRect(&rect);
  return rect;
}

void QVTToolBarManager::AddNotifyWnd(afx::CWnd* wnd) {
  if (wnd && std::find(notify_.begin(), notify_.end(), wnd) == notify_.end()) notify_.push_back(wnd);
}

void QVTToolBarManager::RemoveNotifyWnd(afx::CWnd* wnd) { std::erase(notify_, wnd); }

void QVTToolBarManager::Notify(UINT barId, UINT code) const {
  const std::vector<afx::CWnd*> receivers = notify_;  // a receiver may leave while it is told
  for (afx::CWnd* wnd : receivers)
    if (wnd->m_hWnd) wnd->SendMessage(BarNotifyMessage(), barId, code);
}

BOOL QVTToolBarManager::LoadState(const std::string& prefix) {
  const BOOL loaded = settings_.LoadState(prefix);
  AttachToolBars();
  return loaded;
}

BOOL QVTToolBarManager::SaveState(const std::string& prefix) const { return settings_.SaveState(prefix); }

BOOL QVTToolBarManager::LoadState(QVTPersistentTreeNode* node) {
  const BOOL loaded = settings_.LoadState(node);
  AttachToolBars();
  return loaded;
}

BOOL QVTToolBarManager::SaveState(QVTPTNFactory* factory, QVTPersistentTreeNode* parent) const {
  return settings_.SaveState(factory, parent);
}

QVTCustomToolBar* QVTToolBarManager::BarFromRect(const RECT& screen) const {
  std::vector<QVTCustomToolBar*> found;
  for (QVTCustomToolBar* bar : GetToolBars()) {
    if (!bar->m_hWnd || !ui::IsWindowVisible(bar->m_hWnd)) continue;
    RECT rect, overlap;
    ui::GetWindowRect(bar->IsFloating() ? ui::GetAncestor(bar->m_hWnd, ui::GA_ROOT) : bar->m_hWnd, &rect);
    if (ui::IntersectRect(&overlap, &rect, &screen)) found.push_back(bar);
  }
  if (found.size() <= 1) return found.empty() ? nullptr : found.front();
  for (auto it = found.begin(); it != found.end() && found.size() > 1;) {
    if (!(*it)->IsFloating()) it = found.erase(it);
    else ++it;
  }
  if (found.size() == 1) return found.front();
  for (HWND top = ui::GetTopWindow(nullptr); top; top = ui::GetWindow(top, ui::GW_HWNDNEXT))
    for (QVTCustomToolBar* bar : found)
      if (ui::GetAncestor(bar->m_hWnd, ui::GA_ROOT) == top) return bar;
  return nullptr;
}

UINT QVTToolBarManager::GetBarTypeID(const afx::CControlBar* bar) const {
  const auto* toolbar = dynamic_cast<const QVTCustomToolBar*>(bar);
  if (!toolbar) return 0;
  return toolbar->IsMenuBar() ? QVTControlBarInfo::kMenuBarTypeID : QVTControlBarInfo::kCustomToolBarTypeID;
}

std::unique_ptr<QVTControlBarInfoEx> QVTToolBarManager::CreateBarInfoEx(QVTControlBarInfo* info) {
  if (!info || (info->m_nTypeID != QVTControlBarInfo::kCustomToolBarTypeID &&
                info->m_nTypeID != QVTControlBarInfo::kMenuBarTypeID))
    return nullptr;
  return std::make_unique<QVTCustomToolBarInfoEx>();
}

QVTCustomToolBar* QVTToolBarManager::CreateBar(UINT typeId, UINT barId) {
  // The menu bar is the frame's own: a layout only says where it goes.
  if (typeId == QVTControlBarInfo::kMenuBarTypeID) return CreateMenuBar(barId);
  if (typeId != QVTControlBarInfo::kCustomToolBarTypeID) return nullptr;
  QVTCustomToolBar* bar = MakeToolBar(barId, "");
  if (bar) bar->EnableDocking(afx::CBRS_ALIGN_ANY);
  return bar;
}

afx::CControlBar* QVTToolBarManager::CreateBar(QVTControlBarInfo* info) {
  return info ? CreateBar(info->m_nTypeID, info->m_nBarID) : nullptr;
}

void QVTToolBarManager::ApplyToolTips(BOOL on) {
  for (QVTCustomToolBar* bar : GetToolBars()) {
    const DWORD style = bar->GetBarStyle();
    bar->SetBarStyle(on ? (style | QVTToolBarManagerSettings::kToolTipsStyle) : (style & ~QVTToolBarManagerSettings::kToolTipsStyle));
  }
}

void QVTToolBarManager::ApplyFlyBy(BOOL on) {
  for (QVTCustomToolBar* bar : GetToolBars()) {
    const DWORD style = bar->GetBarStyle();
    bar->SetBarStyle(on ? (style | QVTToolBarManagerSettings::kFlyByStyle) : (style & ~QVTToolBarManagerSettings::kFlyByStyle));
  }
}

void QVTToolBarManager::ApplyCoolLook(BOOL on, DWORD exStyleBits) {
  for (QVTCustomToolBar* bar : GetToolBars()) {
    bar->ModifyBarStyleEx(on ? 0 : exStyleBits, on ? exStyleBits : 0, FALSE);
    if ((exStyleBits & QVT_TBSTYLE_COOLLOOK) && bar->m_hWnd) bar->Invalidate();
  }
  if (frame_) frame_->DelayRecalcLayout(TRUE);
}

void QVTToolBarManager::ApplyLargeButtons(BOOL large) {
  store_->SetUseNormalImages(!large);
  const std::vector<QVTCustomToolBar*> bars = GetToolBars();
  for (QVTCustomToolBar* bar : bars) {
    bar->RecalcButtonSizes();
    if (bar->IsFloating())
      if (afx::CFrameWnd* floating = bar->GetParentFrame()) floating->RecalcLayout(TRUE);
  }
  if (!bars.empty() && frame_) frame_->DelayRecalcLayout(TRUE);
}

}  // namespace docking

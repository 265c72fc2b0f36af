#include "docking/QVTMenuBar.h"

#include <algorithm>
#include <cctype>

#include "docking/QVTControlBarInfo.h"
#include "docking/QVTCustomToolBarInfoEx.h"
#include "docking/QVTFrameWnd.h"
#include "docking/QVTMenuBarFeature.h"
#include "docking/QVTToolBarManager.h"
#include "platform/afx/ControlBarStyles.h"
#include "platform/afx/FrameWnd.h"
#include "platform/afx/MessageMap.h"
#include "platform/ui/GdiObjects.h"
#include "platform/ui/Resources.h"
#include "platform/ui/SystemMetrics.h"

namespace docking {

IMPLEMENT_DYNAMIC(QVTMenuBar, QVTCustomToolBar)

BEGIN_MESSAGE_MAP(QVTMenuBar, QVTCustomToolBar)
  ON_WM_TIMER()
  ON_MESSAGE(ui::WM_SETTINGCHANGE, OnSettingChange)
END_MESSAGE_MAP()

QVTMenuBar::QVTMenuBar() {
  // The frame finds the feature that runs the bar's menu loop by its class
  // name: whatever program has a menu bar must have the feature built in.
  (void)RUNTIME_CLASS(QVTMenuBarFeature);
  CreateMenuFont();
}

QVTMenuBar::~QVTMenuBar() {
  if (m_hMenuFont) ui::DeleteObject(m_hMenuFont);
}

void QVTMenuBar::CreateMenuFont() {
  ui::NONCLIENTMETRICS metrics;
  HFONT font = nullptr;
  if (ui::SystemParametersInfo(ui::SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    font = ui::CreateFontIndirect(&metrics.lfMenuFont);
  if (!font) return;
  if (m_hMenuFont) ui::DeleteObject(m_hMenuFont);
  m_hMenuFont = font;
  m_hFont = font;  // the titles are measured and drawn in it
}

BOOL QVTMenuBar::CreateEx(DWORD ex_style, CWnd* parent, DWORD style, UINT id, const char* title) {
  // Docked along the top or bottom, the menu takes its row's whole length.
  return QVTCustomToolBar::CreateEx(ex_style | QVT_TBSTYLE_STRETCH, parent, style | afx::CBRS_HIDE_INPLACE, id, title);
}

BOOL QVTMenuBar::LoadMenus(const std::vector<UINT>& menu_ids) {
  m_defs.clear();
  m_menuMap.clear();
  RemoveAllButtons();
  // Each menu needs a bit of its own: a 33rd would share none.
  if (menu_ids.empty() || menu_ids.size() > static_cast<std::size_t>(kMaxMenus)) return FALSE;
  std::vector<ButtonDef> defs;
  std::map<UINT, DWORD> map;
  DWORD bit = 1;
  UINT command = kFirstCommand;
  for (UINT menu_id : menu_ids) {
    const std::vector<ui::MenuItemTemplate>* items = ui::FindMenuResource(menu_id);
    if (!items) return FALSE;
    for (std::size_t i = 0; i < items->size(); ++i) {
      if (!((*items)[i].flags & ui::MF_POPUP)) continue;
      defs.push_back(ButtonDef{command++, kButtonStyle, menu_id, static_cast<int>(i), (*items)[i].text, bit});
    }
    map[menu_id] = bit;
    bit <<= 1;
  }
  if (defs.empty()) return FALSE;
  m_defs = std::move(defs);
  m_menuMap = std::move(map);
  m_dwMenuMask = 0xFFFFFFFF;
  ResetButtons(TRUE);
  return TRUE;
}

QVTStdBtn* QVTMenuBar::CreateButton(UINT id) {
  const auto def = std::find_if(m_defs.begin(), m_defs.end(), [id](const ButtonDef& d) { return d.commandId == id; });
  if (def == m_defs.end()) return QVTCustomToolBar::CreateButton(id);
  auto* button = new QVTTBMenuBtn;
  button->m_nID = id;
  button->m_dwStyle = def->style;
  const QVTMenuBtnData data{def->title.c_str(), def->menuId, def->popupIndex};
  button->Attach(this, &data);
  button->SetOrientation(m_dwOrientation);
  return button;
}

BOOL QVTMenuBar::SetButtons(const UINT* ids, int count) {
  const BOOL set = QVTCustomToolBar::SetButtons(ids, count);
  SetMenuMask(m_dwMenuMask, FALSE);
  return set;
}

void QVTMenuBar::SetBarInfoExHook(const QVTControlBarInfo& info) {
  const auto* extension = dynamic_cast<const QVTCustomToolBarInfoEx*>(info.m_pInfoEx.get());
  if (extension && !extension->title.empty()) SetWindowText(extension->title);
  ResetButtons(TRUE);
}

void QVTMenuBar::ResetButtons(BOOL no_layout) {
  EndMenuTracking();
  std::vector<UINT> ids;
  for (const ButtonDef& def : m_defs) ids.push_back(def.commandId);
  SetButtons(ids.data(), static_cast<int>(ids.size()));
  if (no_layout || !m_hWnd) return;
  if (CFrameWnd* frame = GetDockingFrame()) frame->RecalcLayout(TRUE);
  Invalidate();
}

void QVTMenuBar::SetMenuMask(DWORD mask, BOOL redraw) {
  m_dwMenuMask = mask;
  for (int i = 0; i < GetButtonCount(); ++i) {
    const UINT id = GetButtonID(i);
    const auto def = std::find_if(m_defs.begin(), m_defs.end(), [id](const ButtonDef& d) { return d.commandId == id; });
    if (def != m_defs.end()) HideButton(i, (def->menuBit & mask) ? FALSE : TRUE);
  }
  if (!redraw || !m_hWnd) return;
  if (CFrameWnd* frame = GetParentFrame()) frame->RecalcLayout(TRUE);
  Invalidate();
  ui::UpdateWindow(m_hWnd);
}

BOOL QVTMenuBar::SwitchMenu(UINT menu_id) {
  auto found = m_menuMap.find(menu_id);
  if (found == m_menuMap.end() && menu_id == kFloatingChildMenu) found = m_menuMap.find(m_nMainMenuId);
  if (found == m_menuMap.end()) return FALSE;
  EndMenuTracking();
  SetMenuMask(found->second, FALSE);
  m_nCurrentMenuId = menu_id;
  return TRUE;
}

int QVTMenuBar::FindMnemonic(char key) const {
  const char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
  if (!wanted) return -1;
  for (int i = 0; i < GetButtonCount(); ++i) {
    if (!IsMenuButton(i)) continue;
    if (static_cast<const QVTTBMenuBtn*>(GetButton(i))->GetMnemonic() == wanted) return i;
  }
  return -1;
}

bool QVTMenuBar::IsMenuButton(int index) const {
  const QVTStdBtn* button = GetButton(index);
  return button && (button->m_nType == QVTTBMenuBtn::kType) && !(button->m_dwStyle & kTBHidden);
}

int QVTMenuBar::GetFirstMenuButton() const {
  for (int i = 0; i < GetButtonCount(); ++i)
    if (IsMenuButton(i)) return i;
  return -1;
}

int QVTMenuBar::GetLastMenuButton() const {
  for (int i = GetButtonCount() - 1; i >= 0; --i)
    if (IsMenuButton(i)) return i;
  return -1;
}

int QVTMenuBar::GetNextMenuButton(BOOL forward) const {
  if (m_nTracked < 0) return forward ? GetFirstMenuButton() : GetLastMenuButton();
  for (int i = m_nTracked + (forward ? 1 : -1); i >= 0 && i < GetButtonCount(); i += forward ? 1 : -1)
    if (IsMenuButton(i)) return i;
  return -1;
}

void QVTMenuBar::Notify(int code, int index, UINT menu_id, int popup_index, HWND system_menu_owner) {
  QVTMenuBarNotify record;
  record.hwndFrom = m_hWnd;
  record.idFrom = m_hWnd ? static_cast<UINT_PTR>(GetDlgCtrlID()) : 0;
  record.code = code;
  record.commandId = GetButtonID(index);
  record.buttonIndex = index;
  record.menuId = menu_id;
  record.popupIndex = popup_index;
  record.systemMenuOwner = system_menu_owner;
  CWnd* target = GetDockingFrame();
  if (!target) target = GetParentFrame();
  if (target) target->SendMessage(ui::WM_NOTIFY, record.idFrom, reinterpret_cast<ui::LPARAM>(&record));
}

void QVTMenuBar::TrackButtonMenu(QVTTBMenuBtn* button, UINT menu_id, int popup_index) {
  int index = -1;
  for (int i = 0; i < GetButtonCount(); ++i)
    if (GetButton(i) == button) index = i;
  if (index < 0) return;
  // A popup takes the keyboard: keyboard mode ends as it drops.
  EndMenuTracking();
  m_nTracked = index;
  Notify(QVTN_DROPMENU, index, menu_id, popup_index);
}

void QVTMenuBar::DropButton(int index) {
  if (!IsMenuButton(index)) return;
  auto* button = static_cast<QVTTBMenuBtn*>(GetButton(index));
  if (button->m_dwStyle & kTBDisabled) return;
  button->m_dwStyle |= kTBPressed;
  button->Invalidate();
  button->OpenMenu();
}

void QVTMenuBar::DropSystemMenu() {
  EndMenuTracking();
  m_nTracked = -1;
  Notify(QVTN_DROPMENU, -1, 0, -1);
}

void QVTMenuBar::SetTrackedButton(int index) {
  if (!IsMenuButton(index)) return;
  if (QVTStdBtn* old = GetButton(m_nTracked)) {
    old->m_dwStyle &= ~kTBHot;
    old->Invalidate();
  }
  m_nTracked = index;
  QVTStdBtn* button = GetButton(index);
  button->m_dwStyle |= kTBHot;
  button->Invalidate();
  if (!m_bMenuTracking) {
    m_bMenuTracking = TRUE;
    Notify(QVTN_ENTERKEYMODE, -1, 0, -1);
  }
}

void QVTMenuBar::EndMenuTracking() {
  if (!m_bMenuTracking) return;
  m_bMenuTracking = FALSE;
  Notify(QVTN_LEAVEKEYMODE, -1, 0, -1);
  if (QVTStdBtn* button = GetButton(m_nTracked)) {
    button->m_dwStyle &= ~kTBHot;
    button->Invalidate();
  }
  m_nTracked = -1;
}

void QVTMenuBar::HotTrackAt(POINT client) {
  if (!m_bMenuTracking) return;
  const int index = HitTest(client);
  if (index >= 0 && index != m_nTracked && IsMenuButton(index)) SetTrackedButton(index);
}

BOOL QVTMenuBar::FilterMenuTrackingMessage(UINT message, POINT client) {
  const int index = HitTest(client);
  if (!IsMenuButton(index)) return FALSE;
  if (message == ui::WM_LBUTTONDOWN && index == m_nTracked) {
    Notify(QVTN_CLOSEMENU, index, 0, -1);
    return TRUE;
  }
  if ((message == ui::WM_MOUSEMOVE || message == ui::WM_LBUTTONDOWN) && index != m_nTracked) {
    if (QVTStdBtn* old = GetButton(m_nTracked)) {
      old->m_dwStyle &= ~kTBPressed;
      old->Invalidate();
    }
    DropButton(index);
    return TRUE;
  }
  return FALSE;
}

void QVTMenuBar::ResetPressed() {
  for (int i = 0; i < GetButtonCount(); ++i) {
    QVTStdBtn* button = GetButton(i);
    if (!(button->m_dwStyle & kTBPressed)) continue;
    button->m_dwStyle &= ~kTBPressed;
    button->Invalidate();
  }
  if (!m_bMenuTracking) m_nTracked = -1;
  m_nCurrent = -1;
}

void QVTMenuBar::MarkDropped(int index) {
  m_nTracked = index;
  QVTStdBtn* button = GetButton(index);
  if (!button) return;
  button->m_dwStyle |= kTBPressed;
  button->Invalidate();
}

void QVTMenuBar::OnBarStyleChange(DWORD old_style, DWORD new_style) {
  QVTCustomToolBar::OnBarStyleChange(old_style, new_style);
  if (!(old_style & afx::CBRS_FLOATING) && (new_style & afx::CBRS_FLOATING)) {
    m_bFloatingStyle = TRUE;
    RemoveFloatingCloseBox();
  }
}

void QVTMenuBar::RemoveFloatingCloseBox() {
  if (!m_bFloatingStyle || !m_hWnd) return;
  CFrameWnd* floating = GetParentFrame();
  if (!floating || floating == GetDockingFrame()) return;  // not in its floating frame yet
  m_bFloatingStyle = FALSE;
  floating->ModifyStyle(ui::WS_SYSMENU, 0, 0);
  ui::SetWindowPos(floating->m_hWnd, nullptr, 0, 0, 0, 0,
                   ui::SWP_FRAMECHANGED | ui::SWP_NOMOVE | ui::SWP_NOSIZE | ui::SWP_NOZORDER | ui::SWP_NOACTIVATE);
}

void QVTMenuBar::DelayShow(BOOL show) {
  if (m_bSkipDelayShow && !show) {
    m_bSkipDelayShow = FALSE;
    return;
  }
  QVTCustomToolBar::DelayShow(show);
  if (show) RemoveFloatingCloseBox();
}

void QVTMenuBar::OnTimer(UINT_PTR id) {
  // The keyboard's hot title is not the mouse's to take away.
  if (id == kHotTimer && m_bMenuTracking) return;
  QVTCustomToolBar::OnTimer(id);
}

LRESULT QVTMenuBar::OnSettingChange(ui::WPARAM, ui::LPARAM) {
  CreateMenuFont();
  RecalcButtonSizes();
  if (CFrameWnd* frame = GetDockingFrame()) frame->RecalcLayout(TRUE);
  if (m_hWnd) Invalidate();
  return 0;
}

BOOL LoadMenuBarMenus(QVTToolBarManager* manager, const std::vector<UINT>& menu_ids) {
  auto* frame = manager ? dynamic_cast<QVTFrameWnd*>(manager->GetFrameWnd()) : nullptr;
  auto* bar = frame ? dynamic_cast<QVTMenuBar*>(frame->GetMenuBar()) : nullptr;
  if (!bar) return FALSE;
  const BOOL loaded = bar->LoadMenus(menu_ids);
  std::vector<UINT> ids;
  for (const QVTMenuBar::ButtonDef& def : bar->GetButtonDefs()) ids.push_back(def.commandId);
  manager->SetMenuBarButtons(static_cast<int>(ids.size()), ids.data());
  return loaded;
}

}  // namespace docking

#include "docking/QVTToolBarsBase.h"

#include <algorithm>
#include <string>

#include "docking/QVTCustomToolBar.h"
#include "docking/QVTMenuBar.h"
#include "docking/QVTNewToolBar.h"
#include "docking/QVTToolBarManager.h"
#include "docking/QVTToolBarsResources.h"
#include "platform/afx/DataExchange.h"
#include "platform/afx/FrameWnd.h"
#include "platform/afx/MiniDockFrameWnd.h"
#include "platform/ui/ControlMessages.h"
#include "platform/ui/Resources.h"
#include "platform/ui/SystemMetrics.h"

namespace docking {

using R = QVTToolBarsResources;

namespace {

// The gap between a new bar and the corner it is placed at.
constexpr int kNewBarOffset = 5;

std::string StringResource(UINT id) {
  std::string text;
  ui::LoadStringResource(id, text);
  return text;
}

}  // namespace

QVTToolBarsBase::QVTToolBarsBase(afx::CWnd* owner) : m_pOwner(owner) { R::Register(); }

bool QVTToolBarsBase::IsUserBar(UINT id) { return id >= kFirstUserBarId && id != QVTToolBarManager::kMenuBarId; }

void QVTToolBarsBase::Init(QVTToolBarManager* manager) {
  m_pManager = manager;
  if (!manager) return;
  m_bToolTips = m_bInitialToolTips = manager->GetToolTips() ? TRUE : FALSE;
  m_bCoolLook = m_bInitialCoolLook = manager->GetCoolLook() ? TRUE : FALSE;
  m_bLargeButtons = m_bInitialLargeButtons = manager->GetLargeButtons() ? TRUE : FALSE;
}

void QVTToolBarsBase::Apply() const {
  if (!m_pManager) return;
  m_pManager->SetToolTips(m_bToolTips);
  m_pManager->SetCoolLook(m_bCoolLook, QVTToolBarManagerSettings::kCoolLookBits);
  m_pManager->SetLargeButtons(m_bLargeButtons);
}

void QVTToolBarsBase::Revert() const {
  if (!m_pManager) return;
  m_pManager->SetToolTips(m_bInitialToolTips);
  m_pManager->SetCoolLook(m_bInitialCoolLook, QVTToolBarManagerSettings::kCoolLookBits);
  m_pManager->SetLargeButtons(m_bInitialLargeButtons);
}

void QVTToolBarsBase::AttachList() {
  if (!m_list.m_hWnd) m_list.SubclassDlgItem(R::kToolBarList, m_pOwner);
}

void QVTToolBarsBase::ExchangeOptions(afx::CDataExchange* dx) {
  afx::DDX_Check(dx, R::kToolTipsCheck, m_bToolTips);
  afx::DDX_Check(dx, R::kCoolLookCheck, m_bCoolLook);
  afx::DDX_Check(dx, R::kLargeButtonsCheck, m_bLargeButtons);
}

void QVTToolBarsBase::TakeSnapshot() {
  if (m_pManager) m_snapshot.Take(*m_pManager);
}

void QVTToolBarsBase::RestoreSnapshot() {
  if (m_pManager) m_snapshot.Restore(*m_pManager);
}

afx::CFrameWnd* QVTToolBarsBase::Frame() const { return m_pManager ? m_pManager->GetFrameWnd() : nullptr; }

QVTCustomToolBar* QVTToolBarsBase::BarOfItem(int index) const {
  if (!m_pManager || index < 0 || index >= m_list.GetCount()) return nullptr;
  return m_pManager->GetToolBar(static_cast<UINT>(m_list.GetItemData(index)));
}

int QVTToolBarsBase::ItemOfBar(UINT barId) const {
  for (int i = 0; i < m_list.GetCount(); ++i)
    if (static_cast<UINT>(m_list.GetItemData(i)) == barId) return i;
  return -1;
}

void QVTToolBarsBase::InsertItem(int index, const std::string& title, UINT barId, int check) {
  const int at = m_list.InsertString(index, title);
  if (at < 0) return;
  m_list.SetItemData(at, static_cast<LPARAM>(barId));
  m_list.SetCheck(at, check);
}

void QVTToolBarsBase::FillList() {
  m_list.ResetContent();
  if (m_pManager) {
    for (QVTCustomToolBar* bar : m_pManager->GetToolBars()) {
      const int check = (bar->GetStyle() & WS_VISIBLE) ? 1 : 0;
      InsertItem(-1, bar->GetWindowTextString(), static_cast<UINT>(bar->GetDlgCtrlID()), check);
    }
  }
  m_list.SetCurSel(0);
  UpdateSelection();
}

void QVTToolBarsBase::UpdateSelection() {
  afx::CWnd* edit = m_pOwner->GetDlgItem(R::kNameEdit);
  afx::CWnd* label = m_pOwner->GetDlgItem(R::kNameLabel);
  afx::CWnd* button = m_pOwner->GetDlgItem(R::kResetButton);
  if (!edit || !button) return;
  edit->SetWindowText("");
  button->SetWindowText(StringResource(R::kResetText));
  bool editable = false;
  if (QVTCustomToolBar* bar = BarOfItem(m_list.GetCurSel())) {
    edit->SetWindowText(bar->GetWindowTextString());
    editable = IsUserBar(static_cast<UINT>(bar->GetDlgCtrlID()));
    if (editable) button->SetWindowText(StringResource(R::kDeleteText));
  }
  edit->EnableWindow(editable ? TRUE : FALSE);
  if (label) label->EnableWindow(editable ? TRUE : FALSE);
  edit->SendMessage(ui::EM_SETMODIFY, FALSE);
}

void QVTToolBarsBase::OnBarNotify(UINT barId, UINT code) {
  if (!m_list.m_hWnd) return;
  const int index = ItemOfBar(barId);
  switch (code) {
    case QVTToolBarManager::kShown:
    case QVTToolBarManager::kHidden:
      if (index >= 0) m_list.SetCheck(index, code == QVTToolBarManager::kShown ? 1 : 0);
      break;
    case QVTToolBarManager::kCreated: {
      QVTCustomToolBar* bar = m_pManager ? m_pManager->GetToolBar(barId) : nullptr;
      if (!bar || index >= 0) break;
      int at = 0;
      while (at < m_list.GetCount() && static_cast<UINT>(m_list.GetItemData(at)) <= barId) ++at;
      InsertItem(at, bar->GetWindowTextString(), barId, 1);
      break;
    }
    case QVTToolBarManager::kDestroyed: {
      if (index < 0) break;
      const bool selected = m_list.GetCurSel() == index;
      m_list.DeleteString(static_cast<UINT>(index));
      if (selected) {
        m_list.SetCurSel(std::min(index, m_list.GetCount() - 1));
        UpdateSelection();
      }
      break;
    }
    default: break;
  }
}

void QVTToolBarsBase::Rename() {
  afx::CWnd* edit = m_pOwner->GetDlgItem(R::kNameEdit);
  if (!edit || !edit->IsWindowEnabled() || !edit->SendMessage(ui::EM_GETMODIFY)) return;
  const int index = m_list.GetCurSel();
  QVTCustomToolBar* bar = BarOfItem(index);
  if (!bar) return;
  std::string name = edit->GetWindowTextString();
  if (name.size() > kMaxNameLength) {
    name.resize(kMaxNameLength);
    edit->SetWindowText(name);
  }
  bar->SetWindowText(name);
  if (bar->IsFloating()) {
    if (afx::CWnd* parent = bar->GetParent()) parent->SetWindowText(name);
    if (afx::CFrameWnd* floating = bar->GetParentFrame()) floating->SetWindowText(name);
  }
  const int check = m_list.GetCheck(index);
  const UINT barId = static_cast<UINT>(m_list.GetItemData(index));
  m_list.DeleteString(static_cast<UINT>(index));
  InsertItem(index, name, barId, check);
  m_list.SetCurSel(index);
  edit->SendMessage(ui::EM_SETMODIFY, FALSE);
}

POINT QVTToolBarsBase::NewBarPosition() const {
  afx::CFrameWnd* frame = Frame();
  RECT rect{0, 0, 0, 0};
  POINT corner{0, 0};
  afx::CControlBar* top = frame->GetControlBar(afx::AFX_IDW_DOCKBAR_TOP);
  if (top) {
    top->GetWindowRect(&rect);
    corner = POINT{rect.left, rect.bottom};
  } else {
    frame->GetClientRect(&rect);
    frame->ClientToScreen(&rect);
    corner = POINT{rect.right, rect.bottom};
  }
  return POINT{corner.x + kNewBarOffset, corner.y + kNewBarOffset};
}

void QVTToolBarsBase::KeepOnWorkArea(QVTCustomToolBar* bar) const {
  auto* floating = dynamic_cast<afx::CMiniDockFrameWnd*>(bar->GetParentFrame());
  if (!floating || !bar->IsFloating()) return;
  RECT work{0, 0, 0, 0};
  ui::SystemParametersInfo(ui::SPI_GETWORKAREA, 0, &work, 0);
  RECT rect;
  floating->GetWindowRect(&rect);
  // The whole new bar is wanted in sight: it is empty and small, and a
  // bar partly off the screen is easily lost there.
  POINT kept{rect.left, rect.top};
  kept.x = std::max(work.left, std::min(kept.x, work.right - (rect.right - rect.left)));
  kept.y = std::max(work.top, std::min(kept.y, work.bottom - (rect.bottom - rect.top)));
  if (kept.x != rect.left || kept.y != rect.top) floating->MoveTo(kept);
}

BOOL QVTToolBarsBase::NewToolBar() {
  if (!m_pManager || !Frame()) return FALSE;
  // The frame's windows come back for the name dialog's modal run.
  m_pManager->ExitConfigMode();
  QVTNewToolBar dialog(m_pOwner);
  const INT_PTR result = dialog.DoModal();
  m_pManager->EnterConfigMode();
  if (result != ui::IDOK) return FALSE;
  QVTCustomToolBar* bar = m_pManager->CreateNewToolBar(dialog.m_strName.c_str());
  if (!bar) return FALSE;
  Frame()->FloatControlBar(bar, NewBarPosition(), afx::CBRS_ALIGN_TOP);
  KeepOnWorkArea(bar);
  // The new bar is selected, so it can be named again or filled at once.
  const int index = ItemOfBar(static_cast<UINT>(bar->GetDlgCtrlID()));
  if (index >= 0) {
    m_list.SetCurSel(index);
    UpdateSelection();
  }
  return TRUE;
}

void QVTToolBarsBase::ResetOrDelete() {
  QVTCustomToolBar* bar = BarOfItem(m_list.GetCurSel());
  afx::CFrameWnd* frame = Frame();
  if (!bar || !frame) return;
  const auto id = static_cast<UINT>(bar->GetDlgCtrlID());
  if (id == QVTToolBarManager::kMenuBarId) {
    if (auto* menu = dynamic_cast<QVTMenuBar*>(bar)) menu->ResetButtons(FALSE);
    return;
  }
  if (IsUserBar(id)) {
    bar->DestroyWindow();  // the bar's notification takes its item away
    return;
  }
  const auto& definitions = m_pManager->GetDefinitions();
  const auto found = std::find_if(definitions.begin(), definitions.end(),
                                  [id](const QVTToolBarManager::Definition& d) { return d.barId == id; });
  if (found == definitions.end()) return;
  bar->SetButtons(found->ids.data(), static_cast<int>(found->ids.size()));
  frame->RecalcLayout(TRUE);
  bar->Invalidate();
}

void QVTToolBarsBase::ToggleVisibility() {
  const int index = m_list.GetCurSel();
  QVTCustomToolBar* bar = BarOfItem(index);
  afx::CFrameWnd* frame = Frame();
  if (!bar || !frame) return;
  if (static_cast<UINT>(bar->GetDlgCtrlID()) == QVTToolBarManager::kMenuBarId) {
    m_list.SetCheck(index, 1);  // the menu bar always shows
    return;
  }
  frame->ShowControlBar(bar, m_list.GetCheck(index) ? TRUE : FALSE, FALSE);
  frame->RecalcLayout(TRUE);
}

void QVTToolBarsBase::OnOptionChanged() {
  m_pOwner->UpdateData(TRUE);
  Apply();
}

}  // namespace docking

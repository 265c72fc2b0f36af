#include "docking/QVTMDIMenuBar.h"

#include <algorithm>
#include <cstdlib>

#include "docking/QVTControlBarInfo.h"
#include "docking/QVTCustomToolBarInfoEx.h"
#include "platform/afx/ControlBarStyles.h"
#include "platform/afx/FrameWnd.h"
#include "platform/afx/MDIChildWnd.h"
#include "platform/afx/MDIFrameWnd.h"
#include "platform/afx/MessageMap.h"
#include "platform/ui/GdiObjects.h"
#include "platform/ui/ImageResources.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/NonClient.h"

namespace docking {

IMPLEMENT_DYNCREATE(QVTMDIMenuBar, QVTMenuBar)

BEGIN_MESSAGE_MAP(QVTMDIMenuBar, QVTMenuBar)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace {

// The child's small icon, else its big one, else the icon its class
// would give it (our window classes carry none: the application's).
HICON ChildIcon(HWND child) {
  for (const ui::WPARAM which : {ui::ICON_SMALL, ui::ICON_BIG})
    if (auto icon = reinterpret_cast<HICON>(ui::SendMessage(child, ui::WM_GETICON, which, 0))) return icon;
  return ui::LoadIcon(ui::IDI_APPLICATION);
}

bool IsHidden(const QVTStdBtn& button) { return (button.m_dwStyle & kTBHidden) != 0; }

}  // namespace

QVTMDIMenuBar::~QVTMDIMenuBar() {
  // The list deletes what it holds; the two buttons are members.
  TakeOutCaptionButtons();
}

HWND QVTMDIMenuBar::GetActiveChildWindow() const {
  const afx::CWnd* frame = GetDockingFrame();
  if (!frame && m_hWnd) frame = GetTopLevelParent();
  afx::CMDIChildWnd* child = afx::MDIGetActiveOf(frame);
  return child ? child->m_hWnd : nullptr;
}

void QVTMDIMenuBar::ShowExtraButton(QVTStdBtn& button, BOOL show) {
  const int index = ButtonToIndex(&button);
  if (index >= 0) {
    HideButton(index, show ? FALSE : TRUE);
    InvalidateButton(index);
  } else {
    button.m_dwStyle = show ? (button.m_dwStyle & ~kTBHidden) : (button.m_dwStyle | kTBHidden);
  }
}

BOOL QVTMDIMenuBar::UpdateCaptionButtons(BOOL suppress) {
  const HWND child = GetActiveChildWindow();
  const auto style = child ? static_cast<DWORD>(ui::GetWindowLongPtr(child, ui::GWL_STYLE)) : DWORD{0};
  BOOL changed = FALSE;
  if (child && ui::IsZoomed(child) && (style & ui::WS_SYSMENU) && !suppress) {
    if (IsHidden(m_btnIcon)) {
      ShowExtraButton(m_btnIcon, TRUE);
      changed = TRUE;
    }
    if (m_btnIcon.SetIcon(ChildIcon(child))) m_btnIcon.Invalidate();
    const BOOL new_styles = m_btnCaption.SetChildStyles(style);
    if (IsHidden(m_btnCaption) || new_styles) {
      ShowExtraButton(m_btnCaption, TRUE);
      m_btnCaption.Invalidate();
      changed = TRUE;
    }
  } else if (!IsHidden(m_btnIcon) || !IsHidden(m_btnCaption)) {
    ShowExtraButton(m_btnIcon, FALSE);
    ShowExtraButton(m_btnCaption, FALSE);
    changed = TRUE;
  }
  return changed;
}

BOOL QVTMDIMenuBar::SwitchMenuAndUpdate(DWORD menu_mask) {
  SetMenuMask(menu_mask, FALSE);
  return UpdateCaptionButtons(FALSE);
}

void QVTMDIMenuBar::InsertCaptionButtons() {
  TakeOutCaptionButtons();
  m_btnCaption.m_nID = kCaptionButtonId;
  m_btnCaption.m_dwStyle = kButtonStyle;
  PutIn(&m_btnCaption, GetButtonCount());
  m_btnIcon.m_nID = kCaptionButtonId;
  m_btnIcon.m_dwStyle = kButtonStyle;
  PutIn(&m_btnIcon, 0);
  UpdateCaptionButtons(FALSE);
}

void QVTMDIMenuBar::PutIn(QVTStdBtn* button, int index) {
  index = std::clamp(index, 0, GetButtonCount());
  button->Attach(this, nullptr);
  button->SetOrientation(m_dwOrientation);
  buttons_.insert(buttons_.begin() + index, std::unique_ptr<QVTStdBtn>(button));
  for (int* held : {&m_nHot, &m_nCurrent, &m_nTracked})
    if (*held >= index) ++*held;
  m_bStaleHorz = m_bStaleVert = m_bStaleFloat = TRUE;
}

void QVTMDIMenuBar::TakeOut(const QVTStdBtn* button) {
  const int index = ButtonToIndex(button);
  if (index < 0) return;
  (void)buttons_[static_cast<std::size_t>(index)].release();  // a member: not the list's to delete
  buttons_.erase(buttons_.begin() + index);
  for (int* held : {&m_nHot, &m_nCurrent, &m_nTracked}) {
    if (*held == index) *held = -1;
    else if (*held > index) --*held;
  }
  if (m_nHot < 0 && m_hWnd) KillTimer(kHotTimer);
  m_bStaleHorz = m_bStaleVert = m_bStaleFloat = TRUE;
}

void QVTMDIMenuBar::TakeOutCaptionButtons() {
  TakeOut(&m_btnIcon);
  TakeOut(&m_btnCaption);
}

void QVTMDIMenuBar::MoveButton(int from, int to) {
  std::unique_ptr<QVTStdBtn> held = std::move(buttons_[static_cast<std::size_t>(from)]);
  buttons_.erase(buttons_.begin() + from);
  buttons_.insert(buttons_.begin() + to, std::move(held));
  for (int* index : {&m_nHot, &m_nCurrent, &m_nTracked}) {
    if (*index == from) *index = to;
    else if (from < to && *index > from && *index <= to) --*index;
    else if (from > to && *index >= to && *index < from) ++*index;
  }
  m_bStaleHorz = m_bStaleVert = m_bStaleFloat = TRUE;
}

BOOL QVTMDIMenuBar::KeepExtraButtonsAtTheEnds() {
  BOOL moved = FALSE;
  if (const int icon = ButtonToIndex(&m_btnIcon); icon > 0) {
    MoveButton(icon, 0);
    moved = TRUE;
  }
  if (const int caption = ButtonToIndex(&m_btnCaption); caption >= 0 && caption != GetButtonCount() - 1) {
    MoveButton(caption, GetButtonCount() - 1);
    moved = TRUE;
  }
  return moved;
}

BOOL QVTMDIMenuBar::SetButtons(const UINT* ids, int count) {
  const BOOL set = QVTMenuBar::SetButtons(ids, count);
  InsertCaptionButtons();
  return set;
}

void QVTMDIMenuBar::InsertButton(int index, UINT id, BOOL separator, BOOL no_recalc) {
  QVTMenuBar::InsertButton(index, id, separator, TRUE);
  KeepExtraButtonsAtTheEnds();
  if (no_recalc || !m_hWnd) return;
  if (CFrameWnd* frame = GetDockingFrame()) frame->RecalcLayout(TRUE);
  Invalidate();
  ui::UpdateWindow(m_hWnd);
}

BOOL QVTMDIMenuBar::RemoveButton(int index, BOOL no_recalc) {
  QVTStdBtn* button = GetButton(index);
  if (!button || !IsExtraButton(button)) return QVTMenuBar::RemoveButton(index, no_recalc);
  // Taken out, never deleted: it comes back with the next button list.
  TakeOut(button);
  if (!no_recalc && m_hWnd) {
    if (CFrameWnd* frame = GetDockingFrame()) frame->RecalcLayout(TRUE);
    Invalidate();
  }
  return GetButtonCount() > 0;
}

void QVTMDIMenuBar::RemoveAllButtons() {
  TakeOutCaptionButtons();
  QVTMenuBar::RemoveAllButtons();
}

void QVTMDIMenuBar::GetBarInfoExHook(QVTControlBarInfo* info) {
  QVTMenuBar::GetBarInfoExHook(info);
  auto* extension = info ? dynamic_cast<QVTCustomToolBarInfoEx*>(info->m_pInfoEx.get()) : nullptr;
  if (!extension) return;
  std::erase_if(extension->buttons, [](const QVTBtnInfo& button) { return button.id == kCaptionButtonId; });
}

int QVTMDIMenuBar::GetButtonHeight() const {
  HFONT font = GetMenuFont();
  if (!font) font = static_cast<HFONT>(ui::GetStockObject(ui::SYSTEM_FONT));
  ui::LOGFONT logfont{};
  if (!font || !ui::GetObject(font, sizeof logfont, &logfont)) return QVTMenuBar::GetButtonHeight();
  return std::abs(static_cast<int>(logfont.lfHeight)) + 12;
}

SIZE QVTMDIMenuBar::CalcLayout(int length, DWORD mode) {
  const SIZE size = QVTMenuBar::CalcLayout(length, mode);
  const bool along_row = (mode & afx::LM_HORZDOCK) && (GetBarStyleEx() & QVT_TBSTYLE_STRETCH);
  if (along_row || (m_bFullWidth && (mode & afx::LM_HORZ))) PinCaptionButtonsRight(size.cx);
  return size;
}

void QVTMDIMenuBar::PinCaptionButtonsRight(int bar_length) {
  if (GetButtonCount() == 0 || GetButton(GetButtonCount() - 1) != &m_btnCaption || IsHidden(m_btnCaption)) return;
  const int x = bar_length - m_btnCaption.m_cx - 2;
  // Only ever further right: on a row too short the buttons stay where they fit.
  if (x > m_btnCaption.m_x) m_btnCaption.SetPos(x, m_btnCaption.m_y);
}

void QVTMDIMenuBar::DropChildSystemMenu() {
  const HWND child = GetActiveChildWindow();
  const int index = ButtonToIndex(&m_btnIcon);
  if (!child || index < 0) {
    ResetPressed();
    return;
  }
  EndMenuTracking();
  m_nTracked = index;
  Notify(QVTN_DROPMENU, index, 0, -1, child);
}

void QVTMDIMenuBar::PressCaptionButtons(int index, POINT point) {
  if (!m_btnCaption.OnPress(point)) return;
  m_nCurrent = index;
  SetHot(-1);
  ui::UpdateWindow(m_hWnd);
  ui::SetCapture(m_hWnd);
}

void QVTMDIMenuBar::OnLButtonDown(UINT flags, POINT point) {
  m_dwPressTime = std::max<DWORD>(ui::GetMessageTime(), 1);
  const int index = HitTest(point);
  if (GetButton(index) == &m_btnCaption && !IsCustomizeMode() && !IsSendingCommand()) PressCaptionButtons(index, point);
  else QVTMenuBar::OnLButtonDown(flags, point);
  m_dwPressTime = 0;
}

void QVTMDIMenuBar::OnLButtonDblClk(UINT flags, POINT point) {
  const int index = HitTest(point);
  const QVTStdBtn* button = GetButton(index);
  if (button == &m_btnCaption && !IsCustomizeMode()) {
    PressCaptionButtons(index, point);
    return;
  }
  if (button == &m_btnIcon && !IsCustomizeMode()) {
    // A double click on the icon runs the child's default system command
    // (Close), as one on a window's own icon does.
    const HWND child = GetActiveChildWindow();
    const HMENU menu = child ? ui::GetSystemMenu(child, FALSE) : nullptr;
    const UINT command = menu ? ui::GetMenuDefaultItem(menu, FALSE, 0) : static_cast<UINT>(-1);
    if (command != static_cast<UINT>(-1)) {
      ui::SendMessage(child, ui::WM_SYSCOMMAND, command, 0);
      return;
    }
  }
  QVTMenuBar::OnLButtonDblClk(flags, point);
}

}  // namespace docking

#include "docking/QVTCustomToolBar.h"

#include <algorithm>

#include "docking/QVTControlBarInfo.h"
#include "docking/QVTCustomToolBarInfoEx.h"
#include "docking/QVTCustomToolCmdUI.h"
#include "docking/QVTToolBarDragDrop.h"
#include "docking/QVTToolBarManager.h"
#include "platform/afx/ControlBarStyles.h"
#include "platform/afx/Dc.h"
#include "platform/afx/DockBar.h"
#include "platform/afx/FrameWnd.h"
#include "platform/afx/MessageMap.h"
#include "platform/ui/Resources.h"
#include "platform/ui/ImageResources.h"
#include "platform/ui/NonClient.h"

namespace docking {

IMPLEMENT_DYNCREATE(QVTCustomToolBar, QVTControlBar)

BEGIN_MESSAGE_MAP(QVTCustomToolBar, QVTControlBar)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_MOUSEMOVE()
  ON_WM_TIMER()
  ON_WM_CANCELMODE()
  ON_WM_MOUSEACTIVATE()
  ON_WM_DESTROY()
  ON_WM_SHOWWINDOW()
  ON_WM_WINDOWPOSCHANGING()
  ON_MESSAGE(QVT_TB_ADDBUTTONS, OnAddButtons)
  ON_MESSAGE(QVT_TB_DELETEBUTTON, OnDeleteButton)
  ON_MESSAGE(afx::WM_SIZEPARENT, OnSizeParentMessage)
  ON_MESSAGE(NoDelayHideMessage(), OnNoDelayHide)
  ON_MESSAGE(ui::WM_SYSCOLORCHANGE, OnSysColorChangeMessage)
  ON_MESSAGE(DestroyEmptiedMessage(), OnDestroyEmptied)
END_MESSAGE_MAP()

BOOL QVTCustomToolBar::s_bSendingCommand = FALSE;

namespace {

// The bar styles a toolbar keeps of those it is created with.
constexpr DWORD kBarStyleMask = 0x0040FFFF;

bool AltIsDown() { return ui::GetKeyState(static_cast<int>(ui::VK_MENU)) < 0; }

}  // namespace

QVTCustomToolBar::QVTCustomToolBar() : m_pBmpMgr(new QVTBmpMgr) {
  m_cyTopBorder = 3;
  m_cyBottomBorder = 3;
  m_hFont = static_cast<HFONT>(ui::GetStockObject(ui::DEFAULT_GUI_FONT));
}

QVTCustomToolBar::~QVTCustomToolBar() {
  buttons_.clear();
  if (m_pBmpMgr) m_pBmpMgr->Release();
}

BOOL QVTCustomToolBar::Create(CWnd* parent, DWORD style, UINT id, const char* title) {
  return CreateEx(0, parent, style, id, title);
}

BOOL QVTCustomToolBar::CreateEx(DWORD ex_style, CWnd* parent, DWORD style, UINT id, const char* title) {
  // Toolbars are laid out in rows of their own at their own size: the
  // sizable bit of the other bars is never theirs.
  if (!QVTControlBar::Create(parent, title, style, ex_style & ~QVT_BARSTYLE_SIZABLE, id)) return FALSE;
  m_dwStyle = style & kBarStyleMask;
  m_bStaleHorz = m_bStaleVert = m_bStaleFloat = TRUE;
  NotifyManager(QVTToolBarManager::kCreated);
  return TRUE;
}

BOOL QVTCustomToolBar::LoadToolBar(UINT resource) {
  const ui::ToolbarResource* toolbar = ui::FindToolbarResource(resource);
  if (!toolbar || !m_pBmpMgr || !m_pBmpMgr->AddToolBarResource(resource, 0, TRUE)) return FALSE;
  const std::vector<UINT> ids(toolbar->items.begin(), toolbar->items.end());
  return SetButtons(ids.data(), static_cast<int>(ids.size()));
}

BOOL QVTCustomToolBar::LoadToolBar(UINT resource, HBITMAP bitmap) {
  const ui::ToolbarResource* toolbar = ui::FindToolbarResource(resource);
  if (!toolbar || !bitmap || !m_pBmpMgr) return FALSE;
  const std::vector<UINT> ids(toolbar->items.begin(), toolbar->items.end());
  std::vector<UINT> images;  // the bitmap holds an image per button, none per separator
  for (const UINT id : ids)
    if (id != 0) images.push_back(id);
  if (!m_pBmpMgr->AddBitmapHandles(bitmap, nullptr, images.data(), static_cast<int>(images.size()))) return FALSE;
  return SetButtons(ids.data(), static_cast<int>(ids.size()));
}

BOOL QVTCustomToolBar::SetButtons(const UINT* ids, int count) {
  ClearSelection(FALSE);
  RemoveAllButtons();
  // The whole list is one batch: the buttons are made first and the
  // separators fitted to them once, rather than the row being measured
  // again for every button.
  buttons_.reserve(static_cast<std::size_t>(std::max(count, 0)));
  for (int i = 0; ids && i < count; ++i) {
    buttons_.emplace_back(ids[i] == 0 ? CreateSeparator() : CreateButton(ids[i]));
    m_nMRUWidth += buttons_.back()->m_cx;
  }
  FitNewSeparators();
  if (m_hWnd)
    for (int i = 0; i < GetButtonCount(); ++i) UpdateButtonCmdUI(i);
  m_bStaleHorz = m_bStaleVert = m_bStaleFloat = TRUE;
  if (m_hWnd) Invalidate();
  return TRUE;
}

void QVTCustomToolBar::FitNewSeparators() {
  // A new bar has one row. A separator takes the height of the tallest
  // button before it and is raised by every taller one after it; one that
  // no button precedes keeps its own height unless a button is taller.
  int tallest = 0;
  for (const auto& button : buttons_)
    if (!button->IsSeparator()) tallest = std::max(tallest, button->m_cy);
  if (tallest == 0) return;
  bool after_button = false;
  for (const auto& button : buttons_) {
    if (!button->IsSeparator()) after_button = true;
    else button->m_cy = after_button ? tallest : std::max(button->m_cy, tallest);
  }
}

namespace {

// The last entry of a map for the id: a later entry overrides an earlier one.
const QVTButtonMapEntry* FindEntry(const QVTButtonMapEntry* map, UINT id) {
  const QVTButtonMapEntry* found = nullptr;
  for (; map && map->create; ++map)
    if (map->id == id) found = map;
  return found;
}

}  // namespace

QVTStdBtn* QVTCustomToolBar::CreateButton(UINT id) {
  const QVTButtonMapEntry* entry = FindEntry(m_pManager ? m_pManager->GetButtonMap() : m_pButtonMap, id);
  if (!entry) entry = FindEntry(m_pManager ? m_pManager->GetSecondButtonTable() : m_pSecondTable, id);
  QVTStdBtn* button = entry ? entry->create() : new QVTStdBtn;
  if (entry) button->m_dwStyle = entry->style;
  button->m_nID = id;
  HBITMAP bitmap = nullptr;
  if (button->m_nType == 3) button->m_nImage = 0;
  else if (m_pBmpMgr) m_pBmpMgr->GetImage(id, &bitmap, &button->m_nImage);
  button->Attach(this, entry ? entry->extra : nullptr);
  button->SetOrientation(m_dwOrientation);
  return button;
}

QVTStdBtn* QVTCustomToolBar::CreateSeparator() {
  auto* separator = new QVTStdBtn;
  separator->m_dwStyle = kTBSeparator;
  separator->Attach(this, nullptr);
  return separator;
}

QVTToolBarLayout QVTCustomToolBar::LayoutOfAllButtons() const {
  QVTToolBarLayout layout(m_nSeparatorWidth, GetButtonWidth(), GetButtonHeight());
  for (const auto& b : buttons_)
    layout.items.push_back(QVTToolBarItem{b->m_nID, b->m_dwStyle, b->m_cx, b->m_cy, b->m_x, b->m_y});
  layout.hot = m_nHot;
  return layout;
}

QVTToolBarLayout QVTCustomToolBar::LayoutOfVisibleButtons(std::vector<QVTStdBtn*>& visible) const {
  QVTToolBarLayout layout(m_nSeparatorWidth, GetButtonWidth(), GetButtonHeight());
  visible.clear();
  for (const auto& button : buttons_) {
    if (button->m_dwStyle & kTBHidden) continue;
    visible.push_back(button.get());
    layout.items.push_back(QVTToolBarItem{button->m_nID, button->m_dwStyle, button->m_cx, button->m_cy, button->m_x,
                                          button->m_y});
  }
  return layout;
}

void QVTCustomToolBar::InsertButton(int index, UINT id, BOOL separator, BOOL no_recalc) {
  index = std::clamp(index, 0, GetButtonCount());
  std::unique_ptr<QVTStdBtn> button(separator ? CreateSeparator() : CreateButton(id));
  // The layout fits the separator heights of the button's row to it.
  QVTToolBarLayout layout = LayoutOfAllButtons();
  layout.selected = GetSelectedButton();
  layout.InsertButton(index, QVTToolBarItem{button->m_nID, button->m_dwStyle, button->m_cx, button->m_cy});
  buttons_.insert(buttons_.begin() + index, std::move(button));
  for (std::size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->m_cy = layout.items[i].height;
  m_nHot = layout.hot;
  if (m_bHoldsSelection) m_nCurrent = layout.selected;
  m_nMRUWidth += buttons_[static_cast<std::size_t>(index)]->m_cx;
  m_bStaleHorz = m_bStaleVert = m_bStaleFloat = TRUE;
  if (!separator && m_hWnd) UpdateButtonCmdUI(index);
  if (no_recalc || !m_hWnd) return;
  if (CFrameWnd* frame = GetDockingFrame()) frame->RecalcLayout(TRUE);
  Invalidate();
  ui::UpdateWindow(m_hWnd);
}

BOOL QVTCustomToolBar::RemoveButton(int index, BOOL no_recalc) {
  if (index < 0 || index >= GetButtonCount()) return FALSE;
  QVTToolBarLayout layout = LayoutOfAllButtons();
  layout.barId = m_hWnd ? static_cast<UINT>(GetDlgCtrlID()) : 0;
  layout.selected = GetSelectedButton();
  const QVTToolBarLayout::Removal removal = layout.RemoveButton(index);
  if (!removal.removed) return FALSE;
  // Keep the button objects the layout kept, in its order: the removed
  // button goes, and the separators it left redundant with it.
  std::vector<std::unique_ptr<QVTStdBtn>> kept;
  std::size_t next = 0;
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    if (static_cast<int>(i) == index) continue;
    if (next < layout.items.size() && buttons_[i]->IsSeparator() == layout.items[next].IsSeparator()) {
      buttons_[i]->m_cy = layout.items[next].height;
      kept.push_back(std::move(buttons_[i]));
      ++next;
    }
  }
  buttons_.swap(kept);
  if (m_bHoldsSelection) FollowSelection(layout.selected);
  if (m_nCurrent >= GetButtonCount()) m_nCurrent = -1;
  m_nHot = layout.hot;
  if (m_nHot < 0 && m_hWnd) KillTimer(kHotTimer);
  m_bStaleHorz = m_bStaleVert = m_bStaleFloat = TRUE;
  if (no_recalc || !m_hWnd) return GetButtonCount() > 0;
  if (removal.destroyBar) {
    // A bar whose own button is being dragged is still inside its mouse
    // handler: it is not laid out again, and goes once that has returned.
    if (QVTToolBarDragDrop::IsDragSource(this)) PostMessage(DestroyEmptiedMessage());
    else DestroyWindow();
    return FALSE;
  }
  if (CFrameWnd* frame = GetDockingFrame()) frame->RecalcLayout(TRUE);
  Invalidate();
  ui::UpdateWindow(m_hWnd);
  return GetButtonCount() > 0;
}

void QVTCustomToolBar::RemoveAllButtons() {
  if (m_nHot >= 0 && m_hWnd) KillTimer(kHotTimer);
  m_nHot = -1;
  m_nCurrent = -1;
  buttons_.clear();
}

QVTStdBtn* QVTCustomToolBar::GetButton(int index) const {
  return index >= 0 && index < GetButtonCount() ? buttons_[static_cast<std::size_t>(index)].get() : nullptr;
}

UINT QVTCustomToolBar::GetButtonID(int index) const {
  const QVTStdBtn* button = GetButton(index);
  return button ? button->m_nID : 0;
}

int QVTCustomToolBar::ButtonToIndex(const QVTStdBtn* button) const {
  for (int i = 0; i < GetButtonCount(); ++i)
    if (buttons_[static_cast<std::size_t>(i)].get() == button) return i;
  return -1;
}

int QVTCustomToolBar::CommandToIndex(UINT id) const {
  for (int i = 0; i < GetButtonCount(); ++i)
    if (buttons_[static_cast<std::size_t>(i)]->m_nID == id) return i;
  return -1;
}

DWORD QVTCustomToolBar::GetButtonStyle(int index) const {
  const QVTStdBtn* button = GetButton(index);
  return button ? button->GetStyle() : 0;
}

void QVTCustomToolBar::SetButtonStyle(int index, DWORD style) {
  QVTStdBtn* button = GetButton(index);
  if (!button || button->GetStyle() == style) return;
  button->SetStyle(style);
  InvalidateButton(index);
}

void QVTCustomToolBar::HideButton(int index, BOOL hide) {
  QVTStdBtn* button = GetButton(index);
  if (!button) return;
  button->SetStyle(hide ? (button->GetStyle() | kTBHidden) : (button->GetStyle() & ~kTBHidden));
  button->OnHiddenChanged();
  m_bStaleHorz = m_bStaleVert = m_bStaleFloat = TRUE;
}

void QVTCustomToolBar::GetItemRect(int index, RECT* rect) const {
  if (!rect) return;
  const QVTStdBtn* button = GetButton(index);
  *rect = button ? button->GetRect() : RECT{0, 0, 0, 0};
}

int QVTCustomToolBar::GetImageWidth() const { return m_pBmpMgr ? m_pBmpMgr->GetImageWidth() : 16; }
int QVTCustomToolBar::GetImageHeight() const { return m_pBmpMgr ? m_pBmpMgr->GetImageHeight() : 15; }

void QVTCustomToolBar::RaiseLargestButton(int cx, int cy) {
  m_cxLargest = std::max(m_cxLargest, cx);
  m_cyLargest = std::max(m_cyLargest, cy);
}

void QVTCustomToolBar::RecalcButtonSizes() {
  m_cxLargest = GetButtonWidth();
  m_cyLargest = GetButtonHeight();
  for (const auto& button : buttons_) button->RecalcSize();
  m_bStaleHorz = m_bStaleVert = m_bStaleFloat = TRUE;
}

void QVTCustomToolBar::SetCustomizeMode(BOOL on) {
  if (on == m_bCustomizeMode) return;
  ClearSelection(FALSE);
  m_bCustomizeMode = on;
  if (m_hWnd) Invalidate();
}

void QVTCustomToolBar::SetBmpMgr(QVTBmpMgr* store) {
  if (!store || store == m_pBmpMgr) return;
  store->AddRef();
  if (m_pBmpMgr) m_pBmpMgr->Release();
  m_pBmpMgr = store;
}

int QVTCustomToolBar::HitTest(POINT point) const {
  for (int i = 0; i < GetButtonCount(); ++i) {
    const QVTStdBtn& button = *buttons_[static_cast<std::size_t>(i)];
    if (button.m_dwStyle & kTBHidden) continue;
    const RECT rect = button.GetRect();
    if (ui::PtInRect(&rect, point)) return button.IsSeparator() ? -1 : i;
  }
  return -1;
}

void QVTCustomToolBar::InvalidateButton(int index) const {
  if (const QVTStdBtn* button = GetButton(index)) button->Invalidate();
}

SIZE QVTCustomToolBar::BorderSize(BOOL horizontal) const {
  RECT rect{0, 0, 1000, 1000};
  CalcInsideRect(rect, horizontal);
  return SIZE{1000 - (rect.right - rect.left), 1000 - (rect.bottom - rect.top)};
}

SIZE QVTCustomToolBar::CalcFixedLayout(BOOL, BOOL horizontal) {
  return CalcLayout(-1, horizontal ? (afx::LM_HORZ | afx::LM_HORZDOCK) : afx::LM_VERTDOCK);
}

SIZE QVTCustomToolBar::CalcDynamicLayout(int length, DWORD mode) {
  using namespace afx;
  const bool horz_dock = (mode & LM_HORZDOCK) != 0, vert_dock = (mode & LM_VERTDOCK) != 0;
  // A bar stretched along its row follows the row's length, which changes
  // without the bar being told: its docked size is never taken as known.
  const bool stretched = horz_dock && (GetBarStyleEx() & QVT_TBSTYLE_STRETCH);
  const BOOL stale = horz_dock ? (m_bStaleHorz || stretched)
                     : vert_dock ? m_bStaleVert
                     : (mode & LM_MRUWIDTH) ? m_bStaleFloat
                                            : FALSE;
  if (!(mode & LM_COMMIT) && stale) return CalcLayout(vert_dock ? 0 : 0x7FFF, mode | LM_COMMIT);
  if (!(mode & LM_COMMIT) || (horz_dock && (mode & LM_LENGTHY)) || (vert_dock && !(mode & LM_LENGTHY)))
    return QVTControlBar::CalcDynamicLayout(length, mode);
  return CalcLayout(length, mode);
}

SIZE QVTCustomToolBar::CalcLayout(int length, DWORD mode) {
  using namespace afx;
  const bool horz_dock = (mode & LM_HORZDOCK) != 0, vert_dock = (mode & LM_VERTDOCK) != 0;
  const bool floating = !horz_dock && !vert_dock;
  const bool vertical = !(mode & LM_HORZ);
  const SIZE borders = BorderSize(vertical ? FALSE : TRUE);
  const DWORD orientation = vertical ? CBRS_ORIENT_VERT : 0;
  if (orientation != m_dwOrientation) {
    m_dwOrientation = orientation;
    for (const auto& button : buttons_) button->SetOrientation(orientation);
  }
  // How long the rows may be, or (by_height) how high the bar may be.
  int wrap = vertical ? 0 : 0x7FFF;
  bool by_height = false;
  if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && !(m_dwStyle & CBRS_SIZE_FIXED)) {
    if ((mode & LM_MRUWIDTH) || (length == -1 && floating)) wrap = m_nMRUWidth;
    else if (length == -1) wrap = vertical ? 0 : 0x7FFF;
    else if (mode & LM_LENGTHY) {
      wrap = length - borders.cy;
      by_height = true;
    } else {
      wrap = length - borders.cx;
    }
  } else if (m_dwStyle & CBRS_SIZE_FIXED) {
    wrap = 0x7FFF;
  }
  int docked_length = 0;
  const bool stretch = (GetBarStyleEx() & QVT_TBSTYLE_STRETCH) && horz_dock && GetParent();
  if (stretch) {
    docked_length = StretchedLength();
    wrap = docked_length - borders.cx;
  }
  std::vector<QVTStdBtn*> visible;
  QVTToolBarLayout layout = LayoutOfVisibleButtons(visible);
  SIZE wrapped{GetButtonWidth(), GetButtonHeight()};
  if (layout.Count() > 0) {
    // A vertical bar with no height to fill stands as one column.
    wrapped = by_height && wrap > 0 ? layout.CalcWrappedSize(wrap, true) : layout.CalcWrappedSize(std::max(wrap, 0), false);
    RECT inside{0, 0, 1000, 1000};
    CalcInsideRect(inside, vertical ? FALSE : TRUE);
    const int lead = (GetBarStyleEx() & QVT_TBSTYLE_LEADING_GAP) ? 2 : 0;
    layout.PlaceButtons(inside.left + (vertical ? 0 : lead), inside.top + (vertical ? lead : 0));
    for (std::size_t i = 0; i < visible.size(); ++i) {
      visible[i]->SetPos(layout.items[i].x, layout.items[i].y);
      visible[i]->m_dwStyle = (visible[i]->m_dwStyle & ~kTBRowEnd) | (layout.items[i].style & kTBRowEnd);
    }
    if (lead) (vertical ? wrapped.cy : wrapped.cx) += lead;
  }
  SIZE size{wrapped.cx + borders.cx, wrapped.cy + borders.cy};
  if (stretch) size.cx = docked_length;
  if (horz_dock) {
    m_szHorz = size;
    m_bStaleHorz = FALSE;
  } else if (vert_dock) {
    m_szVert = size;
    m_bStaleVert = FALSE;
  } else {
    m_szFloat = size;
    m_bStaleFloat = FALSE;
    if (!(mode & LM_LENGTHY)) m_nMRUWidth = size.cx - borders.cx;
  }
  if (floating) {
    size.cx -= 2;
    size.cy -= 2;
  }
  return size;
}

int QVTCustomToolBar::StretchedLength() const {
  // A dock bar along the top or bottom spans the frame's client area. That
  // area has its new size while the frame lays its bars out again, the
  // dock bar only once the layout has moved it: the frame's is the length
  // to take.
  RECT client{0, 0, 0, 0};
  CFrameWnd* frame = GetDockingFrame();
  if (frame && frame->m_hWnd && m_pDockBar && !m_pDockBar->m_bFloating && GetParent() == static_cast<CWnd*>(m_pDockBar))
    ::ui::GetClientRect(frame->m_hWnd, &client);
  else
    ::ui::GetClientRect(GetParent()->m_hWnd, &client);
  return client.right - client.left;
}

void QVTCustomToolBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disable_if_no_handler) {
  QVTCustomToolCmdUI state;
  state.m_pBar = this;
  for (int i = 0; i < GetButtonCount(); ++i) {
    const QVTStdBtn& button = *buttons_[static_cast<std::size_t>(i)];
    if (button.IsSeparator()) continue;
    state.m_nID = button.m_nID;
    state.m_nIndex = static_cast<UINT>(i);
    state.DoUpdate(target, disable_if_no_handler && !(button.m_dwStyle & kTBNeverDisable));
  }
}

void QVTCustomToolBar::UpdateButtonCmdUI(int index) {
  const QVTStdBtn* button = GetButton(index);
  if (!button || button->IsSeparator()) return;
  CFrameWnd* target = GetDockingFrame();
  if (!target) return;
  QVTCustomToolCmdUI state;
  state.m_pBar = this;
  state.m_nID = button->m_nID;
  state.m_nIndex = static_cast<UINT>(index);
  state.DoUpdate(target, !(button->m_dwStyle & kTBNeverDisable));
}

void QVTCustomToolBar::NotifyManager(UINT code) const {
  if (m_pManager && m_hWnd) m_pManager->Notify(static_cast<UINT>(GetDlgCtrlID()), code);
}

void QVTCustomToolBar::OnShowWindow(BOOL show, UINT) {
  Default();
  NotifyManager(show ? QVTToolBarManager::kShown : QVTToolBarManager::kHidden);
}

// The border bits are the bar's own painting, not the window's: the move
// runs without them. A dynamic bar given a new size has its rows rewrapped,
// so it is painted again whole. Showing and hiding through the window
// position reach the manager through WM_SHOWWINDOW, which SetWindowPos sends.
void QVTCustomToolBar::OnWindowPosChanging(WINDOWPOS* pos) {
  const DWORD style = m_dwStyle;
  m_dwStyle &= ~CBRS_BORDER_ANY;
  Default();
  m_dwStyle = style;
  if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && !(pos->flags & SWP_NOSIZE)) Invalidate();
}

QVTButtonDrawContext& QVTCustomToolBar::DrawingContext() {
  if (m_pManager) return m_pManager->DrawingContext();
  if (!context_) context_ = std::make_unique<QVTButtonDrawContext>();
  return *context_;
}

void QVTCustomToolBar::DoPaint(CDC* dc) {
  QVTControlBar::DoPaint(dc);
  if (buttons_.empty()) return;
  QVTButtonDrawContext& context = DrawingContext();
  if (!context.IsReady() || !context.Prepare(SIZE{std::max(m_cxLargest, GetButtonWidth()), std::max(m_cyLargest, GetButtonHeight())}))
    return;
  for (const auto& button : buttons_)
    if (!(button->m_dwStyle & kTBHidden)) button->Draw(dc, context);
}

void QVTCustomToolBar::DrawBorders(CDC* dc, RECT& rect) {
  if (!IsCoolLook()) {
    // The classic look leaves the last column and row to the raised edge below.
    --rect.right;
    --rect.bottom;
  }
  QVTControlBar::DrawBorders(dc, rect);
}

INT_PTR QVTCustomToolBar::OnToolHitTest(POINT client) const {
  const int index = HitTest(client);
  return index < 0 ? -1 : static_cast<INT_PTR>(GetButtonID(index));
}

void QVTCustomToolBar::GetBarInfoExHook(QVTControlBarInfo* info) {
  auto extension = std::make_unique<QVTCustomToolBarInfoEx>();
  extension->title = GetWindowTextString();
  for (const auto& button : buttons_) extension->buttons.push_back(QVTBtnInfo{button->IsSeparator() ? 0 : button->m_nID, {}});
  info->m_pInfoEx = std::move(extension);
}

void QVTCustomToolBar::SetBarInfoExHook(const QVTControlBarInfo& info) {
  const auto* extension = dynamic_cast<const QVTCustomToolBarInfoEx*>(info.m_pInfoEx.get());
  if (!extension) return;
  if (!extension->title.empty()) SetWindowText(extension->title);
  std::vector<UINT> ids;
  for (const QVTBtnInfo& button : extension->buttons) ids.push_back(button.id);
  SetButtons(ids.data(), static_cast<int>(ids.size()));
}

void QVTCustomToolBar::PressButton(int index) {
  QVTStdBtn* button = GetButton(index);
  UpdateButtonCmdUI(index);
  POINT at{button->m_x + 1, button->m_y + 1};
  if (!button->OnPress(at)) return;
  m_nCurrent = index;
  SetHot(-1);
  button->Invalidate();
  ui::UpdateWindow(m_hWnd);
  ui::SetCapture(m_hWnd);
  if (CFrameWnd* frame = GetDockingFrame()) frame->SendMessage(WM_SETMESSAGESTRING, button->m_nID, 0);
}

void QVTCustomToolBar::OnLButtonDown(UINT flags, POINT point) {
  const int index = HitTest(point);
  const QVTStdBtn* button = GetButton(index);
  if (button && !s_bSendingCommand && m_pManager && (m_bCustomizeMode || AltIsDown())) {
    if (m_bCustomizeMode) DragButton(index, point);
    else QVTToolBarDragDrop(*this).AltDrag(index, point);
    return;  // the drag is the whole of the press
  }
  if (!button || s_bSendingCommand || m_bCustomizeMode ||
      ((button->m_dwStyle & kTBDisabled) && !AltIsDown())) {
    QVTControlBar::OnLButtonDown(flags, point);  // dragging the bar
    return;
  }
  PressButton(index);
}

void QVTCustomToolBar::OnLButtonDblClk(UINT flags, POINT point) {
  const int index = HitTest(point);
  const QVTStdBtn* button = GetButton(index);
  if (button && !m_bCustomizeMode && !AltIsDown() && !(button->m_dwStyle & kTBDisabled)) PressButton(index);
  else QVTControlBar::OnLButtonDblClk(flags, point);
}

void QVTCustomToolBar::OnMouseMove(UINT flags, POINT point) {
  // The selected button is not pressed: the mouse leaves it selected.
  if (QVTStdBtn* button = m_bHoldsSelection ? nullptr : GetButton(m_nCurrent)) {
    if (ui::GetCapture() == m_hWnd) {
      button->OnTrack(point);
    } else {
      button->OnCancel();
      m_nCurrent = -1;
      if (CFrameWnd* frame = GetDockingFrame()) frame->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
    }
    return;
  }
  UpdateToolTip(flags, point);
  UpdateHotButton();
  CControlBar::OnMouseMove(flags, point);  // fly-by text
}

void QVTCustomToolBar::ReleaseButton(POINT point) {
  QVTStdBtn* button = GetButton(m_nCurrent);
  m_nCurrent = -1;
  if (ui::GetCapture() == m_hWnd) ui::ReleaseCapture();
  const UINT command = button ? button->OnRelease(point) : 0;
  CFrameWnd* frame = GetDockingFrame();
  if (frame) frame->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
  if (frame) OnUpdateCmdUI(frame, TRUE);
  ui::UpdateWindow(m_hWnd);
  if (!command) return;
  CWnd* owner = frame ? static_cast<CWnd*>(frame) : GetParent();
  if (!owner) return;
  // The handler may place a popup under the button through the manager.
  // The record is held here, not reached through the manager afterwards:
  // the command may close the frame, and the manager with it.
  std::shared_ptr<QVTCommandButtonRect> record = m_pManager ? m_pManager->CommandButtonRecord() : nullptr;
  if (record && button) {
    record->rect = button->GetRect();
    ui::ClientToScreen(m_hWnd, reinterpret_cast<POINT*>(&record->rect.left));
    ui::ClientToScreen(m_hWnd, reinterpret_cast<POINT*>(&record->rect.right));
    record->valid = TRUE;
  }
  s_bSendingCommand = TRUE;
  owner->SendMessage(ui::WM_COMMAND, command, 0);
  s_bSendingCommand = FALSE;
  if (record) record->valid = FALSE;
}

void QVTCustomToolBar::OnLButtonUp(UINT flags, POINT point) {
  if (m_nCurrent < 0 || m_bHoldsSelection) {
    QVTControlBar::OnLButtonUp(flags, point);
    return;
  }
  ReleaseButton(point);
}

void QVTCustomToolBar::OnCancelMode() {
  if (m_bHoldsSelection) return;  // nothing is pressed
  if (QVTStdBtn* button = GetButton(m_nCurrent)) button->OnCancel();
  m_nCurrent = -1;
  if (ui::GetCapture() == m_hWnd) ui::ReleaseCapture();
}

int QVTCustomToolBar::OnMouseActivate(CWnd* desktop, UINT hit, UINT message) {
  if (m_bCustomizeMode && !IsFloating()) return static_cast<int>(ui::MA_NOACTIVATE);
  return QVTControlBar::OnMouseActivate(desktop, hit, message);
}

void QVTCustomToolBar::SetHot(int index) {
  if (index == m_nHot) return;
  if (QVTStdBtn* old = GetButton(m_nHot)) {
    old->SetStyle(old->GetStyle() & ~kTBHot);
    old->Invalidate();
  }
  const bool first = m_nHot < 0;
  m_nHot = index;
  if (QVTStdBtn* hot = GetButton(index)) {
    hot->SetStyle(hot->GetStyle() | kTBHot);
    hot->Invalidate();
    if (first) SetTimer(kHotTimer, kHotTimerMs, nullptr);
  } else {
    m_nHot = -1;
    KillTimer(kHotTimer);
  }
}

void QVTCustomToolBar::UpdateHotButton() {
  if (!IsCoolLook() || s_bSendingCommand || QVTToolBarDragDrop::IsAltDragging() || m_nCurrent >= 0 ||
      !ui::GetActiveWindow())
    return;
  POINT cursor;
  ui::GetCursorPos(&cursor);
  int index = -1;
  if (ui::WindowFromPoint(cursor) == m_hWnd) {
    ui::ScreenToClient(m_hWnd, &cursor);
    index = HitTest(cursor);
    if (const QVTStdBtn* button = GetButton(index); button && (button->m_dwStyle & kTBDisabled)) index = -1;
  }
  SetHot(index);
}

void QVTCustomToolBar::OnTimer(UINT_PTR id) {
  if (id == kHotTimer) UpdateHotButton();
  else Default();
}

std::string QVTCustomToolBar::ToolTipText(UINT command) {
  std::string text;
  if (!command || !::ui::LoadStringResource(command, text)) return {};
  const std::size_t newline = text.find('\n');
  return newline == std::string::npos ? std::string() : text.substr(newline + 1);
}

void QVTCustomToolBar::UpdateToolTip(UINT flags, POINT point) {
  const int index = (m_dwStyle & CBRS_TOOLTIPS) && !m_bCustomizeMode ? HitTest(point) : -1;
  const UINT command = GetButtonID(index);
  if (m_buttonTip.Tracks(command)) return;
  RECT rect{};
  if (index >= 0) GetItemRect(index, &rect);
  m_buttonTip.Track(*this, command, ToolTipText(command), rect, flags, point);
}

void QVTCustomToolBar::OnDestroy() {
  m_buttonTip.Destroy();
  ClearSelection(FALSE);
  NotifyManager(QVTToolBarManager::kDestroyed);
  KillTimer(kHotTimer);
  m_nHot = -1;
  CControlBar::OnDestroy();
}

UINT QVTCustomToolBar::NoDelayHideMessage() {
  static const UINT message = ui::RegisterWindowMessage("WM_NODELAYHIDE");
  return message;
}

LRESULT QVTCustomToolBar::OnAddButtons(WPARAM count, LPARAM records) {
  const auto* buttons = reinterpret_cast<const QVTTBButton*>(records);
  if (!buttons) return FALSE;
  const int n = static_cast<int>(count);
  for (int i = 0; i < n; ++i) {
    const QVTTBButton& record = buttons[i];
    const int at = GetButtonCount();
    // Only the last one lays the bar out again.
    InsertButton(at, static_cast<UINT>(record.command), record.command == 0, i + 1 < n);
    if (QVTStdBtn* button = GetButton(at))
      button->SetStyle(button->GetStyle() | (static_cast<DWORD>(record.state) << 16) | record.style);
  }
  return TRUE;
}

LRESULT QVTCustomToolBar::OnDeleteButton(WPARAM index, LPARAM) {
  RemoveButton(static_cast<int>(index), FALSE);
  return TRUE;
}

void QVTCustomToolBar::FitToParent() {
  if (m_pDockContext || !GetParent()) return;
  RECT parent, bar;
  ::ui::GetClientRect(GetParent()->m_hWnd, &parent);
  GetWindowRect(&bar);
  const bool vertical = (m_dwStyle & (afx::CBRS_ORIENT_VERT | afx::CBRS_ALIGN_LEFT | afx::CBRS_ALIGN_RIGHT)) != 0;
  const int cx = vertical ? bar.right - bar.left : parent.right - parent.left;
  const int cy = vertical ? parent.bottom - parent.top : bar.bottom - bar.top;
  ::ui::SetWindowPos(m_hWnd, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT QVTCustomToolBar::OnSizeParentMessage(WPARAM wParam, LPARAM lParam) {
  FitToParent();
  return OnSizeParent(wParam, lParam);
}

void QVTCustomToolBar::DelayShow(BOOL show) {
  // While the Toolbars dialog is up a floating bar goes at once, not at the next idle layout.
  if (!show && !m_bHidingNow && IsFloating() && m_pManager && m_pManager->IsConfigMode()) {
    if (!m_bDelayedHidePosted) {
      m_bDelayedHidePosted = TRUE;
      PostMessage(NoDelayHideMessage());
    }
    return;
  }
  QVTControlBar::DelayShow(show);
}

LRESULT QVTCustomToolBar::OnNoDelayHide(WPARAM, LPARAM) {
  m_bDelayedHidePosted = FALSE;
  if (m_bCustomizeMode && IsFloating()) {
    if (CFrameWnd* frame = GetDockingFrame()) {
      m_bHidingNow = TRUE;  // the frame's hide comes back through DelayShow
      frame->ShowControlBar(this, FALSE, FALSE);
      m_bHidingNow = FALSE;
    }
  }
  return 0;
}

LRESULT QVTCustomToolBar::OnSysColorChangeMessage(WPARAM, LPARAM) {
  // The dither brushes and the images take the new colours.
  if (context_) context_->RebuildDitherBrush();
  if (m_pManager) m_pManager->DrawingContext().RebuildDitherBrush();
  if (m_pBmpMgr) m_pBmpMgr->ReloadAll(TRUE);
  Invalidate();
  return 0;
}

void QVTCustomToolBar::SendButtonNotify(const QVTStdBtn& button, int code, int a, int b) {
  CWnd* owner = GetDockingFrame() ? static_cast<CWnd*>(GetDockingFrame()) : GetParent();
  if (!owner) return;
  QVTTBNotify notify;
  notify.header.hwndFrom = m_hWnd;
  notify.header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
  notify.header.code = static_cast<UINT>(code);
  notify.command = button.m_nID;
  for (int i = 0; i < GetButtonCount(); ++i)
    if (GetButton(i) == &button) notify.index = i;
  notify.a = a;
  notify.b = b;
  owner->SendMessage(ui::WM_NOTIFY, notify.header.idFrom, reinterpret_cast<LPARAM>(&notify));
}

}  // namespace docking

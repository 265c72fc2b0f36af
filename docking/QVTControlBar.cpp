#include "docking/QVTControlBar.h"

#include <algorithm>
#include <vector>

#include "docking/QVTDockBar.h"
#include "docking/QVTDockContext.h"
#include "platform/afx/Dc.h"
#include "platform/afx/DockBar.h"
#include "platform/afx/FrameWnd.h"
#include "platform/afx/MiniDockFrameWnd.h"
#include "platform/ui/Frames.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"

namespace docking {

using namespace ui;
using namespace afx;

IMPLEMENT_DYNCREATE(QVTControlBar, CControlBar)

BEGIN_MESSAGE_MAP(QVTControlBar, CControlBar)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_MOUSEMOVE()
  ON_WM_DESTROY()
  ON_WM_SIZE()
  ON_MESSAGE(ui::WM_CONTEXTMENU, OnContextMenuMessage)
  ON_COMMAND(ID_QVT_ALLOW_DOCKING, OnAllowDocking)
  ON_COMMAND(ID_QVT_HIDE_BAR, OnHideBar)
  ON_COMMAND(ID_QVT_FLOAT_IN_MAIN_WINDOW, OnFloatInMainWindow)
END_MESSAGE_MAP()

namespace {

QVTControlBar::MenuTracker& Tracker() {
  static QVTControlBar::MenuTracker tracker;
  return tracker;
}

std::string StringOr(UINT id, const char* fallback) {
  std::string text;
  return ui::LoadStringResource(id, text) && !text.empty() ? text : std::string(fallback);
}

}  // namespace

BOOL QVTControlBar::IsBarIDFree(const CFrameWnd* frame, UINT id) {
  if (id == 0) return FALSE;
  for (const CControlBar* bar : frame->GetControlBars())
    if (!bar->IsDockBar() && bar->m_hWnd && static_cast<UINT>(bar->GetDlgCtrlID()) == id) return FALSE;
  return TRUE;
}

UINT QVTControlBar::FindFreeBarID(const CFrameWnd* frame, UINT first) {
  for (UINT id = first; id < first + 1000; ++id)
    if (IsBarIDFree(frame, id)) return id;
  return 0;
}

BOOL QVTControlBar::HasUniqueBarIDs(const CFrameWnd* frame) {
  std::vector<UINT> ids;
  for (const CControlBar* bar : frame->GetControlBars()) {
    if (bar->IsDockBar() || !bar->m_hWnd) continue;
    const UINT id = static_cast<UINT>(bar->GetDlgCtrlID());
    if (std::find(ids.begin(), ids.end(), id) != ids.end()) return FALSE;
    ids.push_back(id);
  }
  return TRUE;
}

void QVTControlBar::SetMenuTracker(MenuTracker tracker) { Tracker() = std::move(tracker); }

QVTControlBar::QVTControlBar() = default;

BOOL QVTControlBar::Create(afx::CWnd* parent, const char* window_name, DWORD style, DWORD ex_style, UINT id) {
  m_dwStyle = style & afx::CBRS_ALL;
  m_dwExStyle = ex_style;
  m_szHorz = m_szVert = m_szFloat = kDefaultSize;
  if (!CreateBar(0, nullptr, window_name, style & ~afx::CBRS_ALL, RECT{0, 0, 0, 0}, parent, id)) return FALSE;
  if (m_dwExStyle & QVT_BARSTYLE_CHILD_LAYOUT) RecordChildLayout();
  return TRUE;
}

void QVTControlBar::RecordChildLayout() {
  m_childLayout.clear();
  RECT client;
  GetClientRect(&client);
  m_sizeLayoutClient = SIZE{client.right - client.left, client.bottom - client.top};
  for (HWND child = ui::GetWindow(m_hWnd, GW_CHILD); child; child = ui::GetWindow(child, GW_HWNDNEXT)) {
    RECT rect;
    ui::GetWindowRect(child, &rect);
    ScreenToClient(&rect);
    m_childLayout.emplace_back(child, rect);
  }
}

// Each child keeps its share of the inside area: its recorded edges
// scaled from the recorded client size to the inside size now.
void QVTControlBar::ApplyChildLayout() {
  if (m_sizeLayoutClient.cx <= 0 || m_sizeLayoutClient.cy <= 0) return;
  RECT inside;
  GetInsideRect(inside);
  const int cx = inside.right - inside.left, cy = inside.bottom - inside.top;
  const auto scale = [](int value, int now, int then) { return static_cast<int>(static_cast<long long>(value) * now / then); };
  for (const auto& [child, was] : m_childLayout) {
    if (!ui::IsWindow(child)) continue;
    const int left = inside.left + scale(was.left, cx, m_sizeLayoutClient.cx);
    const int top = inside.top + scale(was.top, cy, m_sizeLayoutClient.cy);
    const int right = inside.left + scale(was.right, cx, m_sizeLayoutClient.cx);
    const int bottom = inside.top + scale(was.bottom, cy, m_sizeLayoutClient.cy);
    ui::SetWindowPos(child, nullptr, left, top, right - left, bottom - top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (IsFloating()) Invalidate();
}

void QVTControlBar::SetBarStyleEx(DWORD ex_style, BOOL redraw) {
  const DWORD old = m_dwExStyle;
  m_dwExStyle = ex_style;
  if ((old ^ ex_style) & QVT_BARSTYLE_CHILD_LAYOUT) {
    if ((ex_style & QVT_BARSTYLE_CHILD_LAYOUT) && m_hWnd) RecordChildLayout();
    else m_childLayout.clear();
  }
  if (IsFloating() && ((old ^ ex_style) & QVT_BARSTYLE_SIZABLE)) {
    if (CFrameWnd* frame = GetParentFrame()) {
      if (IsSizable()) frame->ModifyStyle(afx::MFS_4THICKFRAME, afx::kSizableFloatFrame, SWP_FRAMECHANGED);
      else frame->ModifyStyle(afx::kSizableFloatFrame, afx::MFS_4THICKFRAME, SWP_FRAMECHANGED);
    }
  }
  if (old != ex_style && redraw && m_hWnd)
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

SIZE QVTControlBar::CalcFixedLayout(BOOL, BOOL horizontal) { return horizontal ? m_szHorz : m_szVert; }

SIZE QVTControlBar::CalcDynamicLayout(int length, DWORD mode) {
  using namespace afx;
  if (mode & LM_COMMIT) {
    if (mode & LM_STRETCH) length = static_cast<int>(static_cast<float>(length) * m_fPctWidth);
    const bool along_y = (mode & LM_LENGTHY) != 0;
    if (mode & LM_HORZDOCK) {
      (along_y ? m_szHorz.cy : m_szHorz.cx) = length;
    } else if (mode & LM_VERTDOCK) {
      (along_y ? m_szVert.cy : m_szVert.cx) = length;
    } else if (along_y) {
      m_szFloat.cy = length;
    } else {
      m_szFloat.cx = length;
      m_nMRUWidth = length;
    }
  }
  if (mode & (LM_HORZDOCK | LM_VERTDOCK)) return CalcFixedLayout((mode & LM_STRETCH) != 0, (mode & LM_HORZ) != 0);
  SIZE floating = m_szFloat;
  if (!IsSizable() && m_pDockContext) {
    // A toolbar-like bar is never narrower or lower than its frame's minimum.
    floating.cx = std::max(floating.cx, m_pDockContext->m_sizeMinFloat.cx);
    floating.cy = std::max<LONG>(floating.cy, 1);
  }
  return floating;
}

void QVTControlBar::CalcInsideRect(RECT& rect, BOOL horizontal) const {
  if (!(m_dwExStyle & QVT_BARSTYLE_OWN_BORDERS)) {
    CControlBar::CalcInsideRect(rect, horizontal);
    return;
  }
  const QVTBarInsideRect::Margins margins{m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder};
  rect = QVTBarInsideRect::CalcInsideRect(rect, m_dwStyle, m_dwExStyle, horizontal, true, !IsFloating(), margins);
}

void QVTControlBar::GetInsideRect(RECT& rect) const {
  GetClientRect(&rect);
  const int margin = QVTBarInsideRect::kGripperEndMargin;
  if ((m_dwExStyle & QVT_BARSTYLE_GRIPPER) && !IsFloating()) {
    if (m_dwStyle & afx::CBRS_ORIENT_HORZ) {
      rect = RECT{rect.left + QVTBarInsideRect::kGripperSize, rect.top + margin, rect.right - margin,
                  rect.bottom - margin};
    } else {
      rect = RECT{rect.left + margin, rect.top + QVTBarInsideRect::kGripperSize, rect.right - margin,
                  rect.bottom - margin};
    }
  } else if (m_dwExStyle & 0x10) {
    rect = RECT{rect.left + m_rectInnerMargins.left, rect.top + m_rectInnerMargins.top,
                rect.right - m_rectInnerMargins.right, rect.bottom - m_rectInnerMargins.bottom};
  }
}

afx::CDockContext* QVTControlBar::NewDockContext() { return new QVTDockContext(this); }

RECT QVTControlBar::GripperButtonRect(int slot) const {
  RECT client;
  GetClientRect(&client);
  const int margin = QVTBarInsideRect::kGripperEndMargin;
  // Squares from the start of the gripper strip: down a horizontal row's
  // gripper, leftwards along a vertical row's.
  if (m_dwStyle & afx::CBRS_ORIENT_HORZ) {
    const int left = std::max<LONG>(0, client.left + 1 + 4 - 2);
    const int right = client.left + 1 + QVTBarInsideRect::kGripperSize - 6 + 2;
    const int size = right - left;
    const int top = client.top + 1 + margin + slot * (size + 2);
    return RECT{left, top, right, top + size};
  }
  const int top = std::max<LONG>(0, client.top + 1 + 4 - 2);
  const int bottom = client.top + 1 + QVTBarInsideRect::kGripperSize - 6 + 2;
  const int size = bottom - top;
  const int right = client.right - 1 - margin - slot * (size + 2);
  return RECT{right - size, top, right, bottom};
}

RECT QVTControlBar::CloseButtonRect() const {
  if (!(m_dwExStyle & QVT_BARSTYLE_GRIPPER) || !(m_dwExStyle & QVT_BARSTYLE_CLOSE_BUTTON) || IsFloating())
    return RECT{};
  return GripperButtonRect(0);
}

RECT QVTControlBar::ExpandButtonRect() const {
  if (!(m_dwExStyle & QVT_BARSTYLE_GRIPPER) || !(m_dwExStyle & QVT_BARSTYLE_EXPAND_BUTTON) || IsFloating())
    return RECT{};
  return GripperButtonRect((m_dwExStyle & QVT_BARSTYLE_CLOSE_BUTTON) ? 1 : 0);
}

void QVTControlBar::UpdateExpandState() {
  const auto* dock_bar = dynamic_cast<const QVTDockBar*>(m_pDockBar);
  m_bNotExpanded = !(dock_bar && dock_bar->IsBarExpanded(this));
  m_bExpandEnabled = dock_bar && !dock_bar->IsBarAloneInRow(this);
}

void QVTControlBar::DrawGripper(CDC* dc, const RECT& client) {
  if (IsFloating()) return;
  const COLORREF light = ui::GetSysColor(ui::COLOR_BTNHIGHLIGHT);
  const COLORREF dark = ui::GetSysColor(ui::COLOR_BTNSHADOW);
  const int margin = QVTBarInsideRect::kGripperEndMargin;
  RECT strip{client.left + 1, client.top + 1, client.right - 1, client.bottom - 1};
  const bool horizontal = (m_dwStyle & afx::CBRS_ORIENT_HORZ) != 0;
  RECT close = CloseButtonRect();
  if (!ui::IsRectEmpty(&close)) {
    dc->DrawFrameControl(&close, ui::DFC_CAPTION, ui::DFCS_CAPTIONCLOSE | (m_bClosePressed ? ui::DFCS_PUSHED : 0));
    if (horizontal) strip.top = close.bottom + 2 - margin;
    else strip.right = close.left - 2 + margin;
  }
  RECT expand = ExpandButtonRect();
  if (!ui::IsRectEmpty(&expand)) {
    UpdateExpandState();
    UINT arrow = horizontal ? (m_bNotExpanded ? DFCS_SCROLLRIGHT : DFCS_SCROLLLEFT)
                            : (m_bNotExpanded ? DFCS_SCROLLDOWN : DFCS_SCROLLUP);
    if (!m_bExpandEnabled) arrow |= DFCS_INACTIVE;
    else if (m_bExpandPressed) arrow |= DFCS_PUSHED;
    RECT face{expand.left - 1, expand.top - 1, expand.right, expand.bottom};
    dc->DrawFrameControl(&face, DFC_SCROLL, arrow);
    if (horizontal) strip.top = expand.bottom + 2 - margin;
    else strip.right = expand.left - 2 + margin;
  }
  if (horizontal) {
    const int top = strip.top + margin, height = strip.bottom - margin - top;
    dc->Draw3dRect(strip.left + 4, top, 3, height, light, dark);
    dc->Draw3dRect(strip.left + 8, top, 3, height, light, dark);
  } else {
    const int left = strip.left + margin, width = strip.right - margin - left;
    dc->Draw3dRect(left, strip.top + 4, width, 3, light, dark);
    dc->Draw3dRect(left, strip.top + 8, width, 3, light, dark);
  }
}

void QVTControlBar::DrawBorders(CDC* dc, RECT& rect) {
  if (!(m_dwExStyle & QVT_BARSTYLE_OWN_BORDERS)) {
    CControlBar::DrawBorders(dc, rect);
    return;
  }
  const COLORREF line = ui::GetSysColor((m_dwExStyle & QVT_BARSTYLE_DARK_BORDERS) ? ui::COLOR_BTNSHADOW
                                                                                    : ui::COLOR_BTNFACE);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (m_dwStyle & afx::CBRS_BORDER_LEFT) dc->FillSolidRect(rect.left, rect.top, 1, height, line);
  if (m_dwStyle & afx::CBRS_BORDER_TOP) dc->FillSolidRect(rect.left, rect.top, width, 1, line);
  if (m_dwStyle & afx::CBRS_BORDER_RIGHT) dc->FillSolidRect(rect.right - 1, rect.top, 1, height, line);
  if (m_dwStyle & afx::CBRS_BORDER_BOTTOM) dc->FillSolidRect(rect.left, rect.bottom - 1, width, 1, line);
  if (m_dwExStyle & QVT_BARSTYLE_GRIPPER) DrawGripper(dc, rect);
}

void QVTControlBar::DoPaint(CDC* dc) {
  RECT client;
  GetClientRect(&client);
  DrawBorders(dc, client);
}

void QVTControlBar::OnLButtonDown(UINT flags, POINT point) {
  RECT close = CloseButtonRect();
  if (!ui::IsRectEmpty(&close) && ui::PtInRect(&close, point)) {
    if (QueryCanClose()) {
      m_bClosePressed = TRUE;
      Invalidate(FALSE);
      ui::SetCapture(m_hWnd);
    }
    return;
  }
  RECT expand = ExpandButtonRect();
  if (!ui::IsRectEmpty(&expand) && ui::PtInRect(&expand, point)) {
    UpdateExpandState();
    if (m_bExpandEnabled && QueryCanExpand()) {
      m_bExpandPressed = TRUE;
      Invalidate(FALSE);
      ui::SetCapture(m_hWnd);
    }
    return;
  }
  if (m_bClosePressed || m_bExpandPressed) {
    m_bClosePressed = m_bExpandPressed = FALSE;
    Invalidate(FALSE);
  }
  const CFrameWnd* frame = GetParentFrame();
  if (!IsFloating() || (frame && frame->IsKindOf(RUNTIME_CLASS(afx::CMiniDockFrameWnd)))) {
    CControlBar::OnLButtonDown(flags, point);
    return;
  }
  Default();
}

void QVTControlBar::OnLButtonUp(UINT, POINT point) {
  if (ui::GetCapture() == m_hWnd) ui::ReleaseCapture();
  if (m_bClosePressed) {
    m_bClosePressed = FALSE;
    Invalidate(FALSE);
    RECT close = CloseButtonRect();
    // Only a release over the button hides the bar.
    if (ui::PtInRect(&close, point)) SendMessage(ui::WM_COMMAND, ID_QVT_HIDE_BAR, 0);
    return;
  }
  if (m_bExpandPressed) {
    m_bExpandPressed = FALSE;
    Invalidate(FALSE);
    RECT expand = ExpandButtonRect();
    if (ui::PtInRect(&expand, point)) {
      if (auto* dock_bar = dynamic_cast<QVTDockBar*>(m_pDockBar)) dock_bar->ExpandBar(this, m_bNotExpanded ? 1 : 2);
    }
    return;
  }
  Default();
}

ui::INT_PTR QVTControlBar::OnToolHitTest(POINT client) const {
  const ui::INT_PTR own = CControlBar::OnToolHitTest(client);
  if (own != -1 || !(m_dwStyle & CBRS_TOOLTIPS)) return own;
  const RECT close = CloseButtonRect(), expand = ExpandButtonRect();
  if (!ui::IsRectEmpty(&close) && ui::PtInRect(&close, client)) return kCloseButtonTool;
  if (!ui::IsRectEmpty(&expand) && ui::PtInRect(&expand, client)) return kExpandButtonTool;
  return -1;
}

std::string QVTControlBar::GripperToolTipText(UINT tool) {
  if (tool == kCloseButtonTool) return StringOr(IDS_QVT_CLOSE_TIP, "Hide docked window");
  if (tool != kExpandButtonTool) return {};
  UpdateExpandState();
  return m_bNotExpanded ? StringOr(IDS_QVT_EXPAND_TIP, "Expand docked window")
                        : StringOr(IDS_QVT_CONTRACT_TIP, "Contract docked window");
}

void QVTControlBar::OnMouseMove(UINT flags, POINT point) {
  UpdateGripperToolTip(flags, point);
  CControlBar::OnMouseMove(flags, point);
}

void QVTControlBar::UpdateGripperToolTip(UINT flags, POINT point) {
  // No tip while a button is held: the press owns the mouse.
  const ui::INT_PTR hit = ui::GetCapture() ? -1 : OnToolHitTest(point);
  const UINT tool = hit == kCloseButtonTool || hit == kExpandButtonTool ? static_cast<UINT>(hit) : 0;
  if (m_gripperTip.Tracks(tool)) return;
  const RECT rect = tool == kCloseButtonTool ? CloseButtonRect() : ExpandButtonRect();
  m_gripperTip.Track(*this, tool, tool ? GripperToolTipText(tool) : std::string(), rect, flags, point);
}

void QVTControlBar::OnDestroy() {
  m_gripperTip.Destroy();
  CControlBar::OnDestroy();
}

void QVTControlBar::OnLButtonDblClk(UINT flags, POINT point) {
  RECT close = CloseButtonRect(), expand = ExpandButtonRect();
  if (!ui::IsRectEmpty(&close) && ui::PtInRect(&close, point)) return;
  if (!ui::IsRectEmpty(&expand) && ui::PtInRect(&expand, point)) return;
  CControlBar::OnLButtonDblClk(flags, point);
}

void QVTControlBar::OnSize(UINT kind, int cx, int cy) {
  if (kind == SIZE_MINIMIZED || cx <= 0 || cy <= 0) return;
  if ((m_dwExStyle & QVT_BARSTYLE_CHILD_LAYOUT) && !m_childLayout.empty()) ApplyChildLayout();
  if (m_dwExStyle & QVT_BARSTYLE_FILL_CHILD) {
    if (const HWND child = ui::GetWindow(m_hWnd, GW_CHILD)) {
      RECT inside;
      GetInsideRect(inside);
      ui::MoveWindow(child, inside.left, inside.top, inside.right - inside.left, inside.bottom - inside.top, TRUE);
    }
  }
}

LRESULT QVTControlBar::OnContextMenuMessage(ui::WPARAM wParam, ui::LPARAM lParam) {
  OnContextMenu(afx::CWnd::FromHandle(reinterpret_cast<HWND>(wParam)),
                POINT{ui::GET_X_LPARAM(lParam), ui::GET_Y_LPARAM(lParam)});
  return 0;
}

void QVTControlBar::OnContextMenu(afx::CWnd* wnd, POINT screen) {
  if (!(m_dwExStyle & QVT_BARSTYLE_CONTEXTMENU)) {
    Default();
    return;
  }
  const HMENU menu = ui::CreatePopupMenu();
  const std::string allow = StringOr(ID_QVT_ALLOW_DOCKING, "Allow Docking");
  const std::string hide = StringOr(ID_QVT_HIDE_BAR, "Hide");
  ui::AppendMenu(menu, ui::MF_STRING | ((m_dwDockStyle & afx::CBRS_ALIGN_ANY) ? ui::MF_CHECKED : 0),
                 ID_QVT_ALLOW_DOCKING, allow.c_str());
  ui::AppendMenu(menu, ui::MF_STRING, ID_QVT_HIDE_BAR, hide.c_str());
  if (m_pDockSite && m_pDockSite->m_hWnd)
    m_pDockSite->SendMessage(WM_QVT_EXTEND_BAR_MENU, reinterpret_cast<ui::WPARAM>(this),
                             reinterpret_cast<ui::LPARAM>(menu));
  if (screen.x == -1 && screen.y == -1) {
    // From the keyboard: a quarter into the window, near its top.
    const HWND at = wnd && wnd->m_hWnd ? wnd->m_hWnd : m_hWnd;
    RECT client;
    ui::GetClientRect(at, &client);
    screen = POINT{client.right / 4, 10};
    ui::ClientToScreen(at, &screen);
  }
  UINT command = 0;
  if (Tracker()) command = Tracker()(menu, screen, this);
  else command = static_cast<UINT>(ui::TrackPopupMenuEx(menu, ui::TPM_RIGHTBUTTON | ui::TPM_RETURNCMD, screen.x,
                                                        screen.y, m_hWnd, nullptr));
  ui::DestroyMenu(menu);
  if (command) SendMessage(ui::WM_COMMAND, command, 0);
}

void QVTControlBar::OnAllowDocking() {
  if (m_dwDockStyle & afx::CBRS_ALIGN_ANY) {
    m_dwRememberedDockStyle = m_dwDockStyle & afx::CBRS_ALIGN_ANY;
    if (!IsFloating() && m_pDockContext) m_pDockContext->ToggleDocking();
    EnableDocking(m_dwDockStyle & ~afx::CBRS_ALIGN_ANY);
  } else {
    EnableDocking(m_dwDockStyle | m_dwRememberedDockStyle);
  }
}

void QVTControlBar::OnHideBar() {
  if (!m_pDockSite) return;
  m_pDockSite->ShowControlBar(this, FALSE, FALSE);
  m_pDockSite->SetFocus();
}

void QVTControlBar::OnFloatInMainWindow() {
  if (m_pDockSite && m_pDockSite->m_hWnd)
    m_pDockSite->SendMessage(ui::WM_COMMAND, ID_QVT_FLOAT_IN_MAIN_WINDOW, reinterpret_cast<ui::LPARAM>(m_hWnd));
}

}  // namespace docking

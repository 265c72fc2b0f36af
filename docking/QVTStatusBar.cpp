#include "docking/QVTStatusBar.h"

#include <algorithm>

#include "docking/QVTStatusText.h"
#include "platform/afx/Dc.h"
#include "platform/afx/FrameWnd.h"
#include "platform/ui/Resources.h"

namespace docking {

using namespace ui;
using namespace afx;

IMPLEMENT_DYNCREATE(QVTStatusBar, QVTControlBar)

BEGIN_MESSAGE_MAP(QVTStatusBar, QVTControlBar)
  ON_WM_SIZE()
  ON_MESSAGE(WM_SETTEXT, OnSetTextMessage)
  ON_MESSAGE(WM_GETTEXT, OnGetTextMessage)
  ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLengthMessage)
  ON_MESSAGE(WM_NCHITTEST, OnNcHitTestMessage)
  ON_MESSAGE(WM_NCLBUTTONDOWN, OnNcLButtonDownMessage)
  ON_MESSAGE(SB_SETMINHEIGHT, OnSetMinHeight)
END_MESSAGE_MAP()

namespace {

using Layout = QVTStatusPaneLayout;
// The control's own borders: none at the sides, 2 pixels above and below
// the panes, 2 pixels between panes.
constexpr int kHorizontalBorder = 0;
constexpr int kVerticalBorder = 2;
constexpr int kPaneGap = 2;

}  // namespace

QVTStatusBar::QVTStatusBar() {
  m_cyTopBorder = 2;
  m_cxLeftBorder = m_cxRightBorder = m_cyBottomBorder = 0;
}

BOOL QVTStatusBar::Create(CWnd* parent, DWORD style, UINT id) { return CreateEx(parent, 0, style, id); }

BOOL QVTStatusBar::CreateEx(CWnd* parent, DWORD control_style, DWORD style, UINT id) {
  if (!parent) return FALSE;
  m_dwStyle = style & CBRS_ALL;
  // A bottom bar of a newer shell draws no border of its own above it.
  if ((m_dwStyle & 0xFF00) == (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)) m_dwStyle &= ~(CBRS_BORDER_ANY | CBRS_BORDER_3D);
  m_dwControlStyle = control_style | ((parent->GetStyle() & WS_THICKFRAME) ? SBARS_SIZEGRIP : 0);
  return CreateBar(0, nullptr, nullptr, (style & 0xFFBF0000) | WS_CHILD, RECT{0, 0, 0, 0}, parent, id);
}

HFONT QVTStatusBar::BarFont() const { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

QVTStatusPaneLayout::Metrics QVTStatusBar::ControlMetrics() const {
  Layout::Metrics metrics;
  metrics.cxBorder = GetSystemMetrics(SM_CXBORDER);
  metrics.cxVScroll = GetSystemMetrics(SM_CXVSCROLL);
  metrics.horizontal = kHorizontalBorder;
  metrics.gap = kPaneGap;
  return metrics;
}

BOOL QVTStatusBar::SetIndicators(const UINT* ids, int count) {
  m_panes.assign(static_cast<std::size_t>(std::max(0, count)), Pane{});
  BOOL result = TRUE;
  if (ids) {
    const HDC screen = ui::GetDC(nullptr);
    const HGDIOBJ old = SelectObject(screen, BarFont());
    for (int i = 0; i < count; ++i) {
      Pane& pane = m_panes[static_cast<std::size_t>(i)];
      pane.changed = true;
      pane.id = ids[i];
      if (pane.id != 0) {
        std::string text;
        if (!LoadStringResource(pane.id, text) || text.empty()) text = "  ";
        SIZE extent{};
        GetTextExtentPoint32(screen, text.c_str(), static_cast<int>(text.size()), &extent);
        pane.width = extent.cx;
        if (!SetPaneText(i, text.c_str(), FALSE)) {
          result = FALSE;
          break;
        }
      } else {
        pane.width = GetSystemMetrics(SM_CXSCREEN) / 4;
        if (i == 0) pane.style |= Layout::SBPS_NOBORDERS | Layout::SBPS_STRETCH;
      }
    }
    SelectObject(screen, old);
    ui::ReleaseDC(nullptr, screen);
  }
  UpdateAllPanes(TRUE, TRUE);
  return result;
}

int QVTStatusBar::CommandToIndex(UINT id) const {
  for (std::size_t i = 0; i < m_panes.size(); ++i)
    if (m_panes[i].id == id) return static_cast<int>(i);
  return -1;
}

UINT QVTStatusBar::GetItemID(int index) const { return m_panes.at(static_cast<std::size_t>(index)).id; }

UINT QVTStatusBar::GetPaneStyle(int index) const { return m_panes.at(static_cast<std::size_t>(index)).style; }

void QVTStatusBar::GetPaneInfo(int index, UINT& id, UINT& style, int& width) const {
  const Pane& pane = m_panes.at(static_cast<std::size_t>(index));
  id = pane.id;
  style = pane.style;
  width = pane.width;
}

void QVTStatusBar::SetPaneInfo(int index, UINT id, UINT style, int width) {
  Pane& pane = m_panes.at(static_cast<std::size_t>(index));
  pane.id = id;
  const bool stretch_changed = ((pane.style ^ style) & Layout::SBPS_STRETCH) != 0;
  const bool style_changed = pane.style != style;
  const bool width_changed = pane.width != width;
  pane.style = style;
  pane.width = width;
  if (style_changed && !stretch_changed) {
    pane.changed = true;
    const std::string text = pane.text;
    SetPaneText(index, text.c_str(), TRUE);
  }
  if (stretch_changed || width_changed) UpdateAllPanes(TRUE, FALSE);
}

void QVTStatusBar::SetPaneStyle(int index, UINT style) {
  Pane& pane = m_panes.at(static_cast<std::size_t>(index));
  if (pane.style == style) return;
  const bool stretch_changed = ((pane.style ^ style) & Layout::SBPS_STRETCH) != 0;
  pane.style = style;
  if (stretch_changed) UpdateAllPanes(TRUE, FALSE);
  pane.changed = true;
  const std::string text = pane.text;
  SetPaneText(index, text.c_str(), TRUE);
}

BOOL QVTStatusBar::SetPaneWidth(int index, int width) {
  m_panes.at(static_cast<std::size_t>(index)).width = width;
  UpdateAllPanes(TRUE, FALSE);
  return TRUE;
}

std::string QVTStatusBar::GetPaneText(int index) const { return m_panes.at(static_cast<std::size_t>(index)).text; }

BOOL QVTStatusBar::SetPaneText(int index, const char* text, BOOL update) {
  if (index < 0 || index >= GetCount()) return FALSE;
  Pane& pane = m_panes[static_cast<std::size_t>(index)];
  if (QVTStatusText::IsUnchanged(pane.changed, pane.text, text)) return TRUE;
  pane.text = text ? text : "";
  if (update) {
    pane.changed = false;
    PassTextOn(index);
  } else {
    pane.changed = true;
  }
  return TRUE;
}

void QVTStatusBar::PassTextOn(int index) {
  const std::size_t i = static_cast<std::size_t>(index);
  if (m_partTexts.size() < m_panes.size()) m_partTexts.resize(m_panes.size());
  if (m_partStyles.size() < m_panes.size()) m_partStyles.resize(m_panes.size());
  const Pane& pane = m_panes[i];
  m_partTexts[i] = (pane.style & Layout::SBPS_DISABLED) ? std::string() : pane.text;
  m_partStyles[i] = pane.style;
  ++m_nTextsPassedOn;
  RECT part;
  GetItemRect(index, &part);
  if (m_hWnd) ::ui::InvalidateRect(m_hWnd, &part, TRUE);
}

void QVTStatusBar::UpdateAllPanes(BOOL update_rects, BOOL update_texts) {
  if (update_rects && m_hWnd) {
    RECT window;
    GetWindowRect(&window);
    RECT inside{0, 0, window.right - window.left, window.bottom - window.top};
    const int width = inside.right;
    CalcInsideRect(inside, TRUE);
    const CWnd* parent = GetParent();
    const bool maximised = parent && (parent->GetStyle() & WS_MAXIMIZE);
    const int inside_width =
        Layout::InsideWidth(width, width - (inside.right - inside.left), HasSizeGrip(), maximised, ControlMetrics());
    std::vector<QVTStatusPane> panes;
    for (const Pane& pane : m_panes) panes.push_back({pane.width, pane.style});
    m_partEdges = Layout::CalcPartEdges(panes, inside_width, ControlMetrics());
    m_partTexts.resize(m_panes.size());
    m_partStyles.resize(m_panes.size());
    Invalidate();
  }
  if (update_texts) {
    for (std::size_t i = 0; i < m_panes.size(); ++i) {
      if (!m_panes[i].changed) continue;
      const std::string text = m_panes[i].text;
      SetPaneText(static_cast<int>(i), text.c_str(), TRUE);
    }
  }
}

void QVTStatusBar::GetItemRect(int index, RECT* rect) const {
  *rect = RECT{};
  if (index < 0 || index >= static_cast<int>(m_partEdges.size()) || !m_hWnd) return;
  RECT client;
  GetClientRect(&client);
  const int left = index == 0 ? kHorizontalBorder : m_partEdges[static_cast<std::size_t>(index) - 1] + kPaneGap;
  *rect = RECT{left, client.top + kVerticalBorder, m_partEdges[static_cast<std::size_t>(index)],
               client.bottom - kVerticalBorder};
}

SIZE QVTStatusBar::CalcFixedLayout(BOOL, BOOL horizontal) {
  if (!horizontal) return SIZE{0, 0};
  const HDC screen = ui::GetDC(nullptr);
  const HGDIOBJ old = SelectObject(screen, BarFont());
  TEXTMETRIC metrics{};
  ::ui::GetTextMetrics(screen, &metrics);
  SelectObject(screen, old);
  ui::ReleaseDC(nullptr, screen);
  RECT empty{};
  CalcInsideRect(empty, TRUE);
  int height = metrics.tmHeight - metrics.tmInternalLeading - 1 +
               2 * (GetSystemMetrics(SM_CYBORDER) + kVerticalBorder) - (empty.bottom - empty.top);
  height = std::max(height, m_nMinHeight);
  return SIZE{32767, height};
}

void QVTStatusBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disable_if_no_handler) {
  QVTStatusCmdUI state;
  state.m_pStatusBar = this;
  state.m_pOther = this;
  for (std::size_t i = 0; i < m_panes.size(); ++i) {
    state.m_nID = m_panes[i].id;
    state.m_nIndex = static_cast<UINT>(i);
    // The message pane has no command to ask.
    if (state.m_nID != 0) state.DoUpdate(target, FALSE);
  }
  UpdateDialogControls(target, disable_if_no_handler);
}

RECT QVTStatusBar::GripRect() const {
  RECT client{};
  if (!m_hWnd || !HasSizeGrip()) return client;
  GetClientRect(&client);
  const int size = GetSystemMetrics(SM_CXVSCROLL);
  return RECT{client.right - size, std::max<LONG>(client.top, client.bottom - size), client.right, client.bottom};
}

void QVTStatusBar::DoPaint(CDC* dc) {
  RECT client;
  GetClientRect(&client);
  DrawBorders(dc, client);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  CFont* old = dc->SelectObject(CFont::FromHandle(BarFont()));
  dc->SetBkMode(TRANSPARENT);
  dc->SetTextColor(GetSysColor(COLOR_BTNTEXT));
  for (std::size_t i = 0; i < m_partEdges.size(); ++i) {
    RECT part;
    GetItemRect(static_cast<int>(i), &part);
    const UINT style = i < m_partStyles.size() ? m_partStyles[i] : 0;
    if (!(style & Layout::SBPS_NOBORDERS)) {
      const bool raised = (style & Layout::SBPS_POPOUT) != 0;
      dc->Draw3dRect(&part, raised ? light : shadow, raised ? shadow : light);
    }
    RECT text = part;
    ::ui::InflateRect(&text, -3, -1);
    if (i < m_partTexts.size()) dc->DrawText(m_partTexts[i], &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
  }
  if (HasSizeGrip()) {
    const RECT grip = GripRect();
    // Three diagonal ridges into the corner, each a light and a dark line.
    for (int step = 0; step < 3; ++step) {
      const int offset = 4 + step * 4;
      for (int k = 0; k < 2; ++k)
        for (int p = 0; p < offset - k; ++p)
          dc->SetPixel(grip.right - offset + k + p, grip.bottom - 1 - p, k == 0 ? light : shadow);
    }
  }
  dc->SelectObject(old);
}

void QVTStatusBar::OnSize(UINT kind, int cx, int cy) {
  QVTControlBar::OnSize(kind, cx, cy);
  UpdateAllPanes(TRUE, FALSE);
}

LRESULT QVTStatusBar::OnSetTextMessage(WPARAM, LPARAM lParam) {
  const int index = CommandToIndex(0);
  const bool stored = index >= 0 && SetPaneText(index, reinterpret_cast<const char*>(lParam), TRUE);
  return QVTStatusText::SetWindowTextAnswer(stored);
}

LRESULT QVTStatusBar::OnGetTextMessage(WPARAM wParam, LPARAM lParam) {
  const int index = CommandToIndex(0);
  const std::string text = index >= 0 ? m_panes[static_cast<std::size_t>(index)].text : std::string();
  return QVTStatusText::CopyWindowText(text, reinterpret_cast<char*>(lParam), static_cast<std::size_t>(wParam));
}

LRESULT QVTStatusBar::OnGetTextLengthMessage(WPARAM, LPARAM) {
  const int index = CommandToIndex(0);
  return index >= 0 ? static_cast<LRESULT>(m_panes[static_cast<std::size_t>(index)].text.size()) : 0;
}

LRESULT QVTStatusBar::OnNcHitTestMessage(WPARAM, LPARAM lParam) {
  POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ::ui::ScreenToClient(m_hWnd, &point);
  const RECT grip = GripRect();
  const CWnd* parent = GetParent();
  const bool maximised = parent && (parent->GetStyle() & WS_MAXIMIZE);
  return !maximised && PtInRect(&grip, point) ? HTBOTTOMRIGHT : HTCLIENT;
}

LRESULT QVTStatusBar::OnNcLButtonDownMessage(WPARAM wParam, LPARAM lParam) {
  // The grip sizes the frame, not the bar.
  if (static_cast<int>(wParam) == HTBOTTOMRIGHT) {
    if (const HWND frame = ::ui::GetAncestor(m_hWnd, GA_ROOT))
      ::ui::SendMessage(frame, WM_SYSCOMMAND, SC_SIZE | 8, lParam);
    return 0;
  }
  return Default();
}

LRESULT QVTStatusBar::OnSetMinHeight(WPARAM wParam, LPARAM) {
  m_nMinHeight = static_cast<int>(wParam);
  return 0;
}

void QVTStatusCmdUI::Enable(BOOL on) {
  m_bEnableChanged = TRUE;
  const UINT style = m_pStatusBar->GetPaneStyle(static_cast<int>(m_nIndex));
  m_pStatusBar->SetPaneStyle(static_cast<int>(m_nIndex), on ? (style & ~QVTStatusPaneLayout::SBPS_DISABLED)
                                                            : (style | QVTStatusPaneLayout::SBPS_DISABLED));
}

void QVTStatusCmdUI::SetCheck(int check) {
  const UINT style = m_pStatusBar->GetPaneStyle(static_cast<int>(m_nIndex));
  m_pStatusBar->SetPaneStyle(static_cast<int>(m_nIndex), check ? (style | QVTStatusPaneLayout::SBPS_POPOUT)
                                                               : (style & ~QVTStatusPaneLayout::SBPS_POPOUT));
}

void QVTStatusCmdUI::SetText(const std::string& text) {
  m_pStatusBar->SetPaneText(static_cast<int>(m_nIndex), text.c_str(), TRUE);
}

}  // namespace docking

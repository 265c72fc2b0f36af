#include "docking/QVTDockBar.h"

#include <algorithm>

#include "docking/QVTControlBar.h"
#include "docking/QVTControlBarInfo.h"
#include "docking/QVTRowProportions.h"
#include "platform/afx/Dc.h"
#include "platform/afx/DockContext.h"
#include "platform/afx/FrameWnd.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/ImageResources.h"

namespace docking {

using namespace ui;
using namespace afx;

IMPLEMENT_DYNAMIC(QVTDockBar, CDockBar)

BEGIN_MESSAGE_MAP(QVTDockBar, CDockBar)
  ON_WM_LBUTTONDOWN()
  ON_WM_SETCURSOR()
END_MESSAGE_MAP()


namespace {

QVTControlBar* AsQVT(CControlBar* bar) { return dynamic_cast<QVTControlBar*>(bar); }

ui::POINT ScreenPointOf(const ui::MSG& msg) {
  ui::POINT point{ui::GET_X_LPARAM(msg.lParam), ui::GET_Y_LPARAM(msg.lParam)};
  if (msg.hwnd) ui::ClientToScreen(msg.hwnd, &point);
  return point;
}

}  // namespace

bool QVTDockBar::BarsView::IsVisible(QVTDockArray::Bar bar) const { return BarOf(bar)->IsVisible() != 0; }

bool QVTDockBar::BarsView::StaysAloneInRow(QVTDockArray::Bar bar) const {
  const QVTControlBar* qvt = AsQVT(BarOf(bar));
  return qvt && (qvt->GetBarStyleEx() & QVT_BARSTYLE_ALONE_IN_ROW);
}

ui::UINT QVTDockBar::BarsView::BarId(QVTDockArray::Bar bar) const {
  const CControlBar* control = BarOf(bar);
  return control->m_hWnd ? static_cast<ui::UINT>(control->GetDlgCtrlID()) : 0;
}

ui::RECT QVTDockBar::BarsView::BarRect(QVTDockArray::Bar bar) const {
  ui::RECT rect;
  BarOf(bar)->GetWindowRect(&rect);
  owner_.ScreenToClient(&rect);
  return rect;
}

QVTDockBar::QVTDockBar(ui::BOOL floating) : CDockBar(floating) {}

QVTDockBar::~QVTDockBar() {
  for (const QVTDockArray::Entry& entry : m_array.Entries())
    if (entry.IsBar() && BarOf(entry.bar)->m_pDockBar == this) BarOf(entry.bar)->m_pDockBar = nullptr;
}

QVTDockSide QVTDockBar::Side() const {
  if (m_dwStyle & CBRS_ALIGN_BOTTOM) return QVTDockSide::kBottom;
  if (m_dwStyle & CBRS_ALIGN_LEFT) return QVTDockSide::kLeft;
  if (m_dwStyle & CBRS_ALIGN_RIGHT) return QVTDockSide::kRight;
  return QVTDockSide::kTop;
}

void QVTDockBar::RequestLayout() {
  if (m_pDockSite) m_pDockSite->DelayRecalcLayout();
  if (m_bFloating) {
    if (CFrameWnd* frame = GetParentFrame()) frame->DelayRecalcLayout();
  }
}

void QVTDockBar::DockControlBar(CControlBar* bar, const ui::RECT* rect) {
  AdaptBarStyle(bar);
  if (m_array.FindBar(bar) >= 0) {
    const QVTControlBar* qvt = AsQVT(bar);
    if (!rect && qvt && qvt->IsSizable()) {
      RequestLayout();
      return;  // a sizable bar docked again without a place keeps its own
    }
    m_array.RemoveControlBar(bar, false);
  }
  if (rect) {
    ui::RECT drop = *rect;
    ScreenToClient(&drop);
    const ui::POINT centre{(drop.left + drop.right) / 2, (drop.top + drop.bottom) / 2};
    m_array.InsertRowAt(bar, drop, centre, IsHorizontalSide());
    if (::ui::GetParent(bar->m_hWnd) != m_hWnd) ::ui::SetParent(bar->m_hWnd, m_hWnd);
    bar->SetWindowPos(nullptr, drop.left, drop.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    m_array.AppendRow(bar);
  }
  if (bar->m_hWnd) m_array.RemovePlaceholder(static_cast<ui::UINT>(bar->GetDlgCtrlID()));
  TakeBar(bar);
  RequestLayout();
}

void QVTDockBar::ReDockControlBar(CControlBar* bar, const ui::RECT* rect) {
  AdaptBarStyle(bar);
  const ui::UINT id = bar->m_hWnd ? static_cast<ui::UINT>(bar->GetDlgCtrlID()) : 0;
  if (m_array.FindBar(bar) < 0) {
    if (!(id && m_array.ReplacePlaceholder(id, bar))) {
      if (rect) {
        ui::RECT drop = *rect;
        ScreenToClient(&drop);
        m_array.InsertRowAt(bar, drop, ui::POINT{(drop.left + drop.right) / 2, (drop.top + drop.bottom) / 2},
                            IsHorizontalSide());
      } else {
        m_array.AppendRow(bar);
      }
    }
  }
  if (id) m_array.RemovePlaceholder(id);
  if (::ui::GetParent(bar->m_hWnd) != m_hWnd) ::ui::SetParent(bar->m_hWnd, m_hWnd);
  if (rect) {
    ui::RECT place = *rect;
    ScreenToClient(&place);
    bar->SetWindowPos(nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                      SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  }
  if (bar->GetStyle() & WS_VISIBLE) bar->DelayShow(TRUE);
  m_pLastChanged = bar;
  TakeBar(bar);
  RequestLayout();
}

void QVTDockBar::DockControlBarAt(CControlBar* bar, int row, int column) {
  AdaptBarStyle(bar);
  if (m_array.FindBar(bar) >= 0) m_array.RemoveControlBar(bar, false);
  m_array.InsertBarInRow(bar, QVTDockArray::Position{row, column, 0});
  if (bar->m_hWnd) m_array.RemovePlaceholder(static_cast<ui::UINT>(bar->GetDlgCtrlID()));
  m_pLastChanged = bar;
  TakeBar(bar);
  RequestLayout();
}

ui::BOOL QVTDockBar::RemoveControlBar(CControlBar* bar, int, int) {
  if (m_array.FindBar(bar) < 0) return FALSE;
  const bool keep_place = bar->m_hWnd && bar->GetDlgCtrlID() != 0;
  m_array.RemoveControlBar(bar, keep_place);
  if (bar->m_pDockBar == this) bar->m_pDockBar = nullptr;
  if (m_pLastChanged == bar) m_pLastChanged = nullptr;
  if (m_bFloating && !m_array.HasBars()) {
    // The floating frame goes, but not while this dock bar (its child) may
    // still be running the call that brought us here.
    ReleaseEmptyFloatingFrame();
  } else if (m_bFloating && GetDockedVisibleCount() == 0) {
    if (CFrameWnd* frame = GetParentFrame()) frame->ShowWindow(SW_HIDE);
  } else {
    RequestLayout();
  }
  return TRUE;
}

ui::BOOL QVTDockBar::HoldsBar(const CControlBar* bar) const {
  return m_array.FindBar(const_cast<CControlBar*>(bar)) >= 0;
}

int QVTDockBar::GetDockedCount() const {
  return static_cast<int>(std::count_if(m_array.Entries().begin(), m_array.Entries().end(),
                                        [](const QVTDockArray::Entry& e) { return e.IsBar(); }));
}

int QVTDockBar::GetDockedVisibleCount() const {
  return static_cast<int>(std::count_if(m_array.Entries().begin(), m_array.Entries().end(), [](const auto& e) {
    return e.IsBar() && BarOf(e.bar)->m_hWnd && BarOf(e.bar)->IsVisible();
  }));
}

CControlBar* QVTDockBar::GetFirstDockedBar() const {
  for (const QVTDockArray::Entry& e : m_array.Entries())
    if (e.IsBar()) return BarOf(e.bar);
  return nullptr;
}

int QVTDockBar::AvailableLength() const {
  const bool horizontal = IsHorizontalSide();
  if (m_pLayout) {
    const ui::RECT& r = m_pLayout->rect;
    return std::max<int>(0, horizontal ? r.right - r.left : r.bottom - r.top);
  }
  ui::RECT client{};
  if (const CWnd* parent = GetParent()) parent->GetClientRect(&client);
  return std::max<int>(0, horizontal ? client.right : client.bottom);
}

int QVTDockBar::RowLength() const { return m_nAvailable > 0 ? m_nAvailable : AvailableLength(); }

std::vector<QVTDockRowLayout::Row> QVTDockBar::CollectRows(int available) {
  const bool horizontal = IsHorizontalSide();
  const float minimum = QVTRowProportions::UpdateMinProportion(available);
  std::vector<QVTDockRowLayout::Row> rows;
  std::vector<CControlBar*> row_bars;
  QVTDockRowLayout::Row row;
  row.firstEntry = 1;
  const auto& entries = m_array.Entries();
  const auto finish_row = [&](int next) {
    if (!row.bars.empty()) {
      std::vector<QVTRowShare> shares;
      int changed = -1;
      for (std::size_t i = 0; i < row.bars.size(); ++i) {
        shares.push_back({row.bars[i].proportion, row.bars[i].visible, row.bars[i].sizable});
        if (row_bars[i] == m_pLastChanged) changed = static_cast<int>(i);
      }
      QVTRowProportions::NormalizeRow(shares, changed, minimum);
      for (std::size_t i = 0; i < row.bars.size(); ++i) {
        row.bars[i].proportion = shares[i].proportion;
        if (QVTControlBar* qvt = AsQVT(row_bars[i])) qvt->SetPctWidth(shares[i].proportion);
      }
      rows.push_back(row);
    }
    row = QVTDockRowLayout::Row{};
    row.firstEntry = next;
    row_bars.clear();
  };
  for (std::size_t i = 1; i < entries.size(); ++i) {
    const QVTDockArray::Entry& entry = entries[i];
    if (entry.IsRowEnd()) {
      finish_row(static_cast<int>(i) + 1);
      continue;
    }
    if (!entry.IsBar()) continue;
    CControlBar* bar = BarOf(entry.bar);
    QVTControlBar* qvt = AsQVT(bar);
    QVTDockRowLayout::Bar item;
    item.entry = static_cast<int>(i);
    item.visible = bar->m_hWnd && bar->IsVisible();
    item.sizable = qvt && qvt->IsSizable();
    item.proportion = qvt ? qvt->GetPctWidth() : 1.0f;
    if (item.sizable) {
      const ui::SIZE size = bar->CalcFixedLayout(FALSE, horizontal);
      item.thickness = horizontal ? size.cy : size.cx;
    } else {
      const ui::SIZE size = bar->CalcDynamicLayout(-1, horizontal ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK);
      item.length = horizontal ? size.cx : size.cy;
      item.thickness = horizontal ? size.cy : size.cx;
      if (::ui::GetParent(bar->m_hWnd) == m_hWnd) {
        const ui::RECT rect = m_view.BarRect(entry.bar);
        item.currentStart = horizontal ? rect.left : rect.top;
      }
      const bool own_borders = qvt && (qvt->GetBarStyleEx() & QVT_BARSTYLE_OWN_BORDERS);
      item.overlap = (m_bFloating || own_borders) ? 0 : 2;
    }
    row.bars.push_back(item);
    row_bars.push_back(bar);
  }
  finish_row(static_cast<int>(entries.size()));
  return rows;
}

ui::SIZE QVTDockBar::CalcFloatingLayout(bool commit) {
  ui::SIZE total{0, 0};
  AFX_SIZEPARENTPARAMS moves;
  if (commit) moves.hDWP = ::ui::BeginDeferWindowPos(4);
  for (const QVTDockArray::Entry& entry : m_array.Entries()) {
    if (!entry.IsBar()) continue;
    CControlBar* bar = BarOf(entry.bar);
    if (!bar->m_hWnd || !bar->IsVisible()) {
      if (commit) bar->RecalcDelayShow(&moves);
      continue;
    }
    const ui::SIZE size = bar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH);
    if (commit) {
      AfxRepositionWindow(&moves, bar->m_hWnd, ui::RECT{0, total.cy, size.cx, total.cy + size.cy});
      bar->RecalcDelayShow(&moves);
    }
    total.cx = std::max(total.cx, size.cx);
    total.cy += size.cy;
  }
  if (moves.hDWP) ::ui::EndDeferWindowPos(moves.hDWP);
  return total;
}

ui::SIZE QVTDockBar::CalcFixedLayout(ui::BOOL, ui::BOOL) {
  const bool commit = !m_pLayout || m_pLayout->hDWP;
  if (m_bFloating) return CalcFloatingLayout(commit);
  const int available = AvailableLength();
  const bool horizontal = IsHorizontalSide();
  m_rows = CollectRows(available);
  m_layout = QVTDockRowLayout(Side()).CalcFixedLayout(m_rows, available);
  m_nAvailable = available;
  if (commit) {
    AFX_SIZEPARENTPARAMS moves;
    moves.hDWP = ::ui::BeginDeferWindowPos(static_cast<int>(m_array.Entries().size()));
    const auto& entries = m_array.Entries();
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
      const bool sizable_row = std::any_of(m_rows[r].bars.begin(), m_rows[r].bars.end(),
                                           [](const auto& b) { return b.visible && b.sizable; });
      for (std::size_t i = 0; i < m_rows[r].bars.size(); ++i) {
        const QVTDockRowLayout::Bar& item = m_rows[r].bars[i];
        CControlBar* bar = BarOf(entries[item.entry].bar);
        QVTControlBar* qvt = AsQVT(bar);
        if (qvt) qvt->ModifyBarStyleEx(sizable_row ? QVT_BARSTYLE_DARK_BORDERS : 0,
                                       sizable_row ? 0 : QVT_BARSTYLE_DARK_BORDERS, FALSE);
        if (!item.visible) {
          bar->RecalcDelayShow(&moves);
          continue;
        }
        const ui::RECT rect = m_layout.barRects[r][i];
        if (item.sizable) {
          // The bar remembers the length it got, for dragging and saving.
          const int along = horizontal ? rect.right - rect.left : rect.bottom - rect.top;
          bar->CalcDynamicLayout(along, horizontal ? (LM_HORZDOCK | LM_COMMIT) : (LM_VERTDOCK | LM_LENGTHY | LM_COMMIT));
        }
        AfxRepositionWindow(&moves, bar->m_hWnd, rect);
        bar->RecalcDelayShow(&moves);
        if (bar->m_pDockContext) {
          bar->m_pDockContext->m_uMRUDockID = static_cast<ui::UINT>(GetDlgCtrlID());
          bar->m_pDockContext->m_rectMRUDockPos = rect;
        }
      }
    }
    if (moves.hDWP) ::ui::EndDeferWindowPos(moves.hDWP);
    m_pLastChanged = nullptr;
    Invalidate();
  }
  // An empty dock bar still lies along its whole side, so a bar dragged
  // over that side finds it.
  if (m_layout.size.cx == 0 && m_layout.size.cy == 0)
    return horizontal ? ui::SIZE{available, 0} : ui::SIZE{0, available};
  return m_layout.size;
}

void QVTDockBar::DoPaint(afx::CDC* dc) {
  const ui::COLORREF face = ui::GetSysColor(ui::COLOR_BTNFACE);
  const ui::COLORREF light = ui::GetSysColor(ui::COLOR_BTNHIGHLIGHT);
  const ui::COLORREF shadow = ui::GetSysColor(ui::COLOR_BTNSHADOW);
  const ui::COLORREF frame = ui::GetSysColor(ui::COLOR_WINDOWFRAME);
  for (const QVTDockRowLayout::ClientEdge& edge : m_layout.clientEdges) {
    const ui::RECT& r = edge.rect;
    if (edge.orientation == QVTDockRowLayout::kHorizontalStrip) {
      dc->FillSolidRect(r.left, r.top, r.right - r.left, 1, shadow);
      dc->FillSolidRect(r.left, r.top + 1, r.right - r.left, 1, light);
    } else {
      dc->FillSolidRect(r.left, r.top, 1, r.bottom - r.top, shadow);
      dc->FillSolidRect(r.left + 1, r.top, 1, r.bottom - r.top, light);
    }
  }
  for (const QVTDockRowLayout::Splitter& splitter : m_layout.splitters) {
    const ui::RECT& r = splitter.rect;
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (splitter.orientation == QVTDockRowLayout::kHorizontalStrip) {
      dc->FillSolidRect(r.left, r.top + 1, w, std::max(0, h - 3), face);
      dc->FillSolidRect(r.left, r.top, w, 1, light);
      dc->FillSolidRect(r.left, r.bottom - 2, w, 1, shadow);
      dc->FillSolidRect(r.left, r.bottom - 1, w, 1, frame);
    } else {
      dc->FillSolidRect(r.left + 1, r.top, std::max(0, w - 3), h, face);
      dc->FillSolidRect(r.left, r.top, 1, h, light);
      dc->FillSolidRect(r.right - 2, r.top, 1, h, shadow);
      dc->FillSolidRect(r.right - 1, r.top, 1, h, frame);
    }
  }
}

void QVTDockBar::OnBarShown(CControlBar* bar) {
  m_pLastChanged = bar;
  RequestLayout();
}

bool QVTDockBar::IsBarExpanded(const CControlBar* bar) const {
  const std::vector<QVTDockArray::Bar> row = m_array.GetRowBars(const_cast<CControlBar*>(bar));
  std::vector<QVTRowShare> shares;
  int index = -1;
  for (std::size_t i = 0; i < row.size(); ++i) {
    QVTControlBar* qvt = AsQVT(BarOf(row[i]));
    shares.push_back({qvt ? qvt->GetPctWidth() : 1.0f, BarOf(row[i])->IsVisible() != 0, qvt && qvt->IsSizable()});
    if (row[i] == bar) index = static_cast<int>(i);
  }
  return index >= 0 && QVTRowProportions::IsBarExpanded(shares, index, QVTRowProportions::UpdateMinProportion(RowLength()));
}

bool QVTDockBar::IsBarAloneInRow(const CControlBar* bar) const {
  for (QVTDockArray::Bar other : m_array.GetRowBars(const_cast<CControlBar*>(bar)))
    if (other != bar && BarOf(other)->IsVisible()) return false;
  return true;
}

void QVTDockBar::ExpandBar(CControlBar* bar, int mode) {
  const std::vector<QVTDockArray::Bar> row = m_array.GetRowBars(bar);
  std::vector<QVTRowShare> shares;
  int index = -1;
  for (std::size_t i = 0; i < row.size(); ++i) {
    QVTControlBar* qvt = AsQVT(BarOf(row[i]));
    shares.push_back({qvt ? qvt->GetPctWidth() : 1.0f, BarOf(row[i])->IsVisible() != 0, qvt && qvt->IsSizable()});
    if (row[i] == bar) index = static_cast<int>(i);
  }
  if (index < 0) return;
  QVTRowProportions::ExpandBar(shares, index, mode == 1 ? QVTRowProportions::kExpand : QVTRowProportions::kContract,
                               QVTRowProportions::UpdateMinProportion(RowLength()));
  for (std::size_t i = 0; i < row.size(); ++i)
    if (QVTControlBar* qvt = AsQVT(BarOf(row[i]))) qvt->SetPctWidth(shares[i].proportion);
  if (m_pDockSite) m_pDockSite->RecalcLayout();
}

int QVTDockBar::SplitterAt(ui::POINT client) const {
  for (std::size_t i = 0; i < m_layout.splitters.size(); ++i)
    if (ui::PtInRect(&m_layout.splitters[i].rect, client)) return static_cast<int>(i);
  return -1;
}

ui::RECT QVTDockBar::ClientAreaHere() const {
  ui::RECT client{};
  if (!m_pDockSite) return client;
  m_pDockSite->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &client);
  ui::POINT corners[2] = {{client.left, client.top}, {client.right, client.bottom}};
  ui::MapWindowPoints(m_pDockSite->m_hWnd, m_hWnd, corners, 2);
  return ui::RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

int QVTDockBar::DragSplitter(int index, ui::POINT client) {
  if (ui::GetCapture() || index < 0 || index >= static_cast<int>(m_layout.splitters.size())) return 0;
  const ui::RECT area = ClientAreaHere();  // lays out again (as a query)
  if (index >= static_cast<int>(m_layout.splitters.size())) return 0;
  const QVTDockRowLayout::Splitter splitter = m_layout.splitters[index];
  const QVTDockRowLayout::Limits limits =
      QVTDockRowLayout(Side()).CalcSplitterLimits(splitter, m_layout, m_nAvailable, area);
  const bool sideways = splitter.orientation == QVTDockRowLayout::kVerticalStrip;
  const int start = sideways ? splitter.rect.left : splitter.rect.top;
  const int grab = (sideways ? client.x : client.y) - start;
  ui::SetCapture(m_hWnd);
  UpdateWindow();
  const HDC desktop = ui::GetDC(nullptr);
  afx::CDC* dc = afx::CDC::FromHandle(desktop);
  const ui::SIZE thickness{3, 3};
  const auto outline_at = [&](int position) {
    ui::RECT r = splitter.rect;
    if (sideways) ui::OffsetRect(&r, position - start, 0);
    else ui::OffsetRect(&r, 0, position - start);
    ClientToScreen(&r);
    return r;
  };
  int position = start;
  ui::RECT last = outline_at(position);
  dc->DrawDragRect(&last, thickness, nullptr, thickness);
  bool released = false;
  while (ui::GetCapture() == m_hWnd) {
    ui::MSG msg;
    if (!ui::GetMessage(&msg, nullptr, 0, 0)) {
      ui::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
      ui::POINT point = ScreenPointOf(msg);
      ui::ScreenToClient(m_hWnd, &point);
      position = std::clamp((sideways ? point.x : point.y) - grab, limits.lower, limits.upper);
      const ui::RECT now = outline_at(position);
      dc->DrawDragRect(&now, thickness, &last, thickness);
      last = now;
      ui::ReleaseDC(nullptr, desktop);  // shows the outline; the context stays usable
      if (msg.message == WM_LBUTTONUP) {
        released = true;
        break;
      }
      continue;
    }
    if ((msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) || msg.message == WM_RBUTTONDOWN) break;
    if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_CHAR) continue;
    ui::DispatchMessage(&msg);
  }
  if (ui::GetCapture() == m_hWnd) ui::ReleaseCapture();
  dc->DrawDragRect(nullptr, thickness, &last, thickness);
  ui::ReleaseDC(nullptr, desktop);
  const int delta = released ? position - start : 0;
  if (delta != 0) {
    ApplySplitterMove(splitter, delta);
    if (m_pDockSite) m_pDockSite->RecalcLayout();
  }
  return delta;
}

void QVTDockBar::ApplySplitterMove(const QVTDockRowLayout::Splitter& splitter, int delta) {
  if (splitter.row < 0 || splitter.row >= static_cast<int>(m_rows.size())) return;
  const bool horizontal = IsHorizontalSide();
  const QVTDockRowLayout::Row& row = m_rows[splitter.row];
  const auto& entries = m_array.Entries();
  if (splitter.kind == QVTDockRowLayout::kRowToClient) {
    const int thickness =
        QVTDockRowLayout(Side()).RowThicknessAfterMove(m_layout.rowThickness[splitter.row], delta);
    for (const QVTDockRowLayout::Bar& item : row.bars)
      if (item.visible)
        BarOf(entries[item.entry].bar)
            ->CalcDynamicLayout(std::max(thickness, 1),
                                horizontal ? (LM_HORZDOCK | LM_LENGTHY | LM_COMMIT) : (LM_VERTDOCK | LM_COMMIT));
    return;
  }
  std::vector<int> lengths;
  std::vector<CControlBar*> bars;
  int before = -1;
  for (std::size_t i = 0; i < row.bars.size(); ++i) {
    if (!row.bars[i].visible) continue;
    const ui::RECT& r = m_layout.barRects[splitter.row][i];
    if (row.bars[i].entry == splitter.index) before = static_cast<int>(lengths.size());
    lengths.push_back(horizontal ? r.right - r.left : r.bottom - r.top);
    bars.push_back(BarOf(entries[row.bars[i].entry].bar));
  }
  if (before < 0) return;
  const int row_length =
      m_nAvailable - QVTDockRowLayout::kSplitterThickness * (static_cast<int>(lengths.size()) - 1);
  std::vector<QVTRowShare> shares;
  QVTDockRowLayout::ApplySplitterMove(lengths, before, delta, row_length, shares,
                                      QVTRowProportions::UpdateMinProportion(m_nAvailable));
  for (std::size_t i = 0; i < bars.size() && i < shares.size(); ++i)
    if (QVTControlBar* qvt = AsQVT(bars[i])) qvt->SetPctWidth(shares[i].proportion);
}

ui::HCURSOR QVTDockBar::SplitterCursor(int index) const {
  if (index < 0) return ui::LoadCursor(ui::IDC_ARROW);
  return ui::LoadCursor(m_layout.splitters[index].orientation == QVTDockRowLayout::kVerticalStrip ? ui::IDC_SIZEWE
                                                                                                 : ui::IDC_SIZENS);
}

ui::BOOL QVTDockBar::OnSetCursor(afx::CWnd*, ui::UINT hit, ui::UINT) {
  if (hit != static_cast<ui::UINT>(HTCLIENT)) return static_cast<ui::BOOL>(Default());
  ui::POINT point;
  ui::GetCursorPos(&point);
  ui::ScreenToClient(m_hWnd, &point);
  ui::SetCursor(SplitterCursor(SplitterAt(point)));
  return TRUE;
}

void QVTDockBar::OnMouseMove(ui::UINT, ui::POINT point) { ui::SetCursor(SplitterCursor(SplitterAt(point))); }

void QVTDockBar::OnLButtonDown(ui::UINT, ui::POINT point) {
  const int index = SplitterAt(point);
  if (index >= 0) {
    DragSplitter(index, point);
    return;
  }
  Default();
}

void QVTDockBar::GetBarInfo(QVTControlBarInfo* info) const {
  info->m_nBarID = static_cast<ui::UINT>(GetDlgCtrlID());
  info->m_bDockBar = ui::TRUE;
  info->m_bVisible = IsVisible();
  info->m_bFloating = m_bFloating;
  info->m_bHorz = (m_dwStyle & afx::CBRS_ORIENT_HORZ) != 0;
  info->m_nMRUWidth = static_cast<ui::UINT>(m_nMRUWidth);
  info->m_pointPos = ui::POINT{-1, -1};
  if (m_bFloating) {
    // Where its floating frame is on the screen.
    if (const afx::CWnd* frame = GetParentFrame()) {
      ui::RECT rect;
      frame->GetWindowRect(&rect);
      info->m_pointPos = ui::POINT{rect.left, rect.top};
    }
  }
  info->m_arrBarID.clear();
  const std::vector<QVTDockArray::Entry>& entries = m_array.Entries();
  // The leading row end is every list's: it is not stored.
  for (std::size_t i = 1; i < entries.size(); ++i) {
    const QVTDockArray::Entry& entry = entries[i];
    if (entry.IsBar()) info->m_arrBarID.push_back(static_cast<ui::DWORD>(BarOf(entry.bar)->GetDlgCtrlID()));
    else if (entry.placeholder) info->m_arrBarID.push_back(QVTControlBarInfo::kPlaceholder + entry.placeholder);
    else info->m_arrBarID.push_back(0);
  }
}

}  // namespace docking

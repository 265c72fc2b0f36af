#include "docking/QVTWorkbook.h"

#include <algorithm>

#include "docking/QVTWorkbookClient.h"
#include "docking/QVTControlBarWorksheet.h"
#include "docking/QVTSheet.h"
#include "platform/afx/CmdUI.h"
#include "platform/afx/Dc.h"
#include "platform/afx/Document.h"
#include "platform/afx/MDIChildWnd.h"
#include "platform/afx/PaintDC.h"
#include "platform/afx/ToolTipCtrl.h"
#include "platform/ui/Drawing.h"
#include "platform/ui/GdiObjects.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/NonClient.h"
#include "platform/ui/StylePainter.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Text.h"

namespace docking {

using namespace ui;
using namespace afx;
using Layout = QVTWorkbookTabLayout;

IMPLEMENT_DYNCREATE(QVTWorkbook, QVTWorkbook::Base)

BEGIN_MESSAGE_MAP(QVTWorkbook, QVTWorkbook::Base)
  ON_WM_PAINT()
  ON_MESSAGE(WM_ERASEBKGND, OnEraseBackground)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
  ON_WM_DESTROY()
  ON_MESSAGE(WM_QVTACTIVESHEETCHANGED, OnActiveSheetChanged)
END_MESSAGE_MAP()

namespace {

constexpr int kIconSize = 16;

int WidthOf(const RECT& r) { return r.right - r.left; }

}  // namespace

QVTWorkbook::QVTWorkbook() {
  // A bar floated into the client becomes a sheet with a tab of its own.
  SetFloatingChildClass(RUNTIME_CLASS(QVTControlBarWorksheet));
  m_hTabFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (!m_hTabFont) m_hTabFont = static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
}

QVTWorkbook::~QVTWorkbook() = default;

BOOL QVTWorkbook::OnCreateClient(CREATESTRUCT* create, CCreateContext* context) {
  if (!Base::OnCreateClient(create, context)) return FALSE;
  m_pClient = std::make_unique<QVTWorkbookClient>();
  return m_pClient->SubclassWindow(m_hWndMDIClient);
}

void QVTWorkbook::OnDestroy() {
  if (m_pToolTip && m_pToolTip->m_hWnd) m_pToolTip->DestroyWindow();
  m_pToolTip.reset();
  if (m_pClient && m_pClient->m_hWnd) m_pClient->UnsubclassWindow();
  m_pClient.reset();
  Base::OnDestroy();
}

// ---- Sheets ----------------------------------------------------------

QVTSheet* QVTWorkbook::GetSheet(int index) const {
  return index >= 0 && index < GetSheetCount() ? m_sheets[index] : nullptr;
}

int QVTWorkbook::IndexOf(const QVTSheet* sheet) const {
  const auto it = std::find(m_sheets.begin(), m_sheets.end(), sheet);
  return it == m_sheets.end() ? -1 : static_cast<int>(it - m_sheets.begin());
}

int QVTWorkbook::ActiveSheetIndex() const {
  return IndexOf(dynamic_cast<QVTSheet*>(MDIGetActive()));
}

BOOL QVTWorkbook::CanActivateSheet(QVTSheet*) { return TRUE; }

void QVTWorkbook::AddSheet(QVTSheet* sheet) {
  if (!sheet || IndexOf(sheet) >= 0) return;
  sheet->SetIndex(GetSheetCount());
  m_sheets.push_back(sheet);
  if (RecomputeTabWidth()) InvalidateTabStrip();
  else if (m_bTabsShown && m_hWnd && GetSheetCount() < 2) Invalidate();
  else InvalidateTab(sheet);
  EnsureToolTip();
}

void QVTWorkbook::RemoveSheet(QVTSheet* sheet) {
  const int index = IndexOf(sheet);
  if (index < 0) return;
  // Where its tab was, before the others move up.
  const int slot = TabStrip().SlotOf(index);
  m_sheets.erase(m_sheets.begin() + index);
  for (int i = index; i < GetSheetCount(); ++i) m_sheets[i]->SetIndex(i);
  sheet->SetIndex(-1);
  if (m_nLastActive == index) m_nLastActive = -1;
  else if (m_nLastActive > index) --m_nLastActive;
  // Tool ids follow the indexes, which have just moved.
  if (m_pToolTip && m_nToolId > 0) m_pToolTip->DelTool(this, static_cast<UINT_PTR>(m_nToolId));
  m_nToolId = -1;
  const BOOL width_changed = RecomputeTabWidth();
  if (!m_bTabsShown || !m_hWnd) return;
  if (m_sheets.empty()) {
    Invalidate();
  } else if (width_changed || slot < 0) {
    InvalidateTabStrip();
  } else {
    RECT client;
    GetClientRect(&client);
    const RECT rect = Layout::TabInvalidRect(slot, m_nTabWidth, MDIClientRect(), client.right, TRUE);
    ::ui::InvalidateRect(m_hWnd, &rect, TRUE);
  }
}

void QVTWorkbook::OnSheetShowing(QVTSheet* sheet, BOOL show) {
  if (IndexOf(sheet) < 0) return;
  RecomputeTabWidth(sheet, show != FALSE);
  InvalidateTabStrip();
}

// ---- Geometry --------------------------------------------------------

RECT QVTWorkbook::MDIClientRect() const {
  RECT rect{};
  if (!m_hWndMDIClient) return rect;
  ui::GetWindowRect(m_hWndMDIClient, &rect);
  ScreenToClient(&rect);
  return rect;
}

void QVTWorkbook::GetTabStripRect(RECT* rect) const {
  *rect = MDIClientRect();
  if (!m_pClient) return;
  const RECT& insets = m_pClient->GetInsets();
  rect->left -= insets.left;
  rect->top -= insets.top;
  rect->right += insets.right;
  rect->bottom += insets.bottom;
}

QVTWorkbookTabStrip QVTWorkbook::TabStrip(const QVTSheet* changing, bool changing_visible) const {
  std::vector<QVTWorkbookTabStrip::Sheet> sheets;
  sheets.reserve(m_sheets.size());
  for (const QVTSheet* sheet : m_sheets) {
    const CMDIChildWnd* frame = sheet->GetSheetFrame();
    const bool visible = sheet == changing ? changing_visible : (frame->m_hWnd && frame->IsWindowVisible());
    sheets.push_back({visible, sheet->IsPressed() != FALSE});
  }
  return QVTWorkbookTabStrip(std::move(sheets), ActiveSheetIndex(), m_nTabWidth, MDIClientRect());
}

BOOL QVTWorkbook::RecomputeTabWidth(const QVTSheet* changing, bool changing_visible) {
  const int width = Layout::TabWidth(WidthOf(MDIClientRect()), TabStrip(changing, changing_visible).VisibleCount());
  if (width == m_nTabWidth) return FALSE;
  m_nTabWidth = width;
  return TRUE;
}

void QVTWorkbook::GetTabPolygon(QVTSheet* sheet, POINT* points, int* count) {
  const auto tab = TabStrip().TabOf(IndexOf(sheet));
  *count = tab ? Layout::kPolygonPoints : 0;
  if (tab) std::copy(tab->begin(), tab->end(), points);
}

void QVTWorkbook::GetTabLabelRect(const POINT* points, int icon_width, RECT* rect) {
  Layout::Polygon tab;
  std::copy(points, points + Layout::kPolygonPoints, tab.begin());
  *rect = Layout::LabelRect(tab, icon_width);
}

std::string QVTWorkbook::GetTabText(QVTSheet* sheet) {
  CMDIChildWnd* frame = sheet->GetSheetFrame();
  if (CDocument* document = frame->GetActiveDocument()) return document->GetTitle();
  return frame->GetWindowTextString();
}

QVTSheet* QVTWorkbook::SheetFromPoint(POINT point) const {
  if (!m_bTabsShown) return nullptr;
  return GetSheet(TabStrip().HitTest(point));
}

// ---- Tabs shown, icons shown -----------------------------------------

void QVTWorkbook::ShowTabs(BOOL show) {
  m_bTabsShown = show;
  if (m_pClient) m_pClient->SetInsets(show ? QVTWorkbookClient::kTabInsets : RECT{0, 0, 0, 0});
  m_rectLastClient = RECT{};
  RecalcLayout();
  RecomputeTabWidth();
  if (m_hWnd) Invalidate();
}

void QVTWorkbook::ShowIcons(BOOL show) {
  m_bIconsShown = show;
  InvalidateTabStrip();
}

void QVTWorkbook::OnUpdateShowTabs(CCmdUI* state) { state->SetCheck(m_bTabsShown ? 1 : 0); }
void QVTWorkbook::OnUpdateShowIcons(CCmdUI* state) { state->SetCheck(m_bIconsShown ? 1 : 0); }

HICON QVTWorkbook::GetSheetIcon(QVTSheet* sheet) { return m_bIconsShown ? sheet->GetIcon() : nullptr; }

void QVTWorkbook::SetSheetIcon(QVTSheet* sheet, HICON icon, BOOL redraw) {
  sheet->SetIcon(icon);
  if (redraw) InvalidateTab(sheet);
}

// ---- Invalidation ----------------------------------------------------

void QVTWorkbook::InvalidateTabStrip() {
  if (!m_bTabsShown || !m_hWnd) return;
  RECT strip;
  GetTabStripRect(&strip);
  ::ui::InvalidateRect(m_hWnd, &strip, TRUE);
}

void QVTWorkbook::InvalidateTab(QVTSheet* sheet, BOOL through_right_edge) {
  if (!m_bTabsShown || !m_hWnd) return;
  const int slot = TabStrip().SlotOf(IndexOf(sheet));
  if (slot < 0) return;
  RECT client;
  GetClientRect(&client);
  const RECT rect = Layout::TabInvalidRect(slot, m_nTabWidth, MDIClientRect(), client.right, through_right_edge);
  ::ui::InvalidateRect(m_hWnd, &rect, TRUE);
}

// ---- Layout ----------------------------------------------------------

void QVTWorkbook::RecalcLayout(BOOL notify) {
  Base::RecalcLayout(notify);
  if (!m_bTabsShown || !m_hWnd) return;
  RECT area{};
  RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &area);
  if (area == m_rectLastClient) return;
  if (!m_sheets.empty()) RecomputeTabWidth();
  Invalidate();
  m_rectLastClient = area;
}

// ---- Painting --------------------------------------------------------

LRESULT QVTWorkbook::OnEraseBackground(WPARAM wParam, LPARAM) {
  const HDC hdc = reinterpret_cast<HDC>(wParam);
  RECT area{};
  RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &area);
  const int saved = SaveDC(hdc);
  const RECT client = MDIClientRect();
  ExcludeClipRect(hdc, client.left, client.top, client.right, client.bottom);
  StylePainter::FillSolid(hdc, area, GetSysColor(COLOR_3DFACE));
  StylePainter::PaintBevel(hdc, area, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
  RestoreDC(hdc, saved);
  return TRUE;
}

void QVTWorkbook::OnPaint() {
  CPaintDC dc(this);
  const RECT client = MDIClientRect();
  if (!m_bTabsShown || IsRectEmpty(&client)) return;
  dc.SetBkMode(TRANSPARENT);
  for (QVTSheet* sheet : m_sheets) {
    if (!sheet->GetSheetFrame()->IsWindowVisible()) continue;
    DrawTab(&dc, sheet);
    DrawTabLabel(&dc, sheet);
  }
  DrawClientBorder(&dc);
  // The active tab overlaps its neighbours: it goes on top.
  if (QVTSheet* active = GetSheet(ActiveSheetIndex()); active && active->GetSheetFrame()->IsWindowVisible()) {
    DrawTab(&dc, active);
    DrawTabLabel(&dc, active);
  }
}

void QVTWorkbook::DrawTab(CDC* dc, QVTSheet* sheet) {
  POINT points[Layout::kPolygonPoints];
  int count = 0;
  GetTabPolygon(sheet, points, &count);
  if (count) StylePainter::PaintHangingTab(dc->GetSafeHdc(), std::span<const POINT>(points, count));
}

void QVTWorkbook::DrawTabLabel(CDC* dc, QVTSheet* sheet) {
  POINT points[Layout::kPolygonPoints];
  int count = 0;
  GetTabPolygon(sheet, points, &count);
  if (!count) return;
  const HDC hdc = dc->GetSafeHdc();
  const HICON icon = GetSheetIcon(sheet);
  if (icon) DrawIconEx(hdc, points[2].x + 1, points[0].y + 4, icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
  RECT label;
  GetTabLabelRect(points, icon ? kIconSize : 0, &label);
  const HGDIOBJ old_font = SelectObject(hdc, m_hTabFont);
  const std::string text = Layout::ShortenToFit(GetTabText(sheet), [&](const std::string& candidate) {
    SIZE size{};
    GetTextExtentPoint32(hdc, candidate.c_str(), static_cast<int>(candidate.size()), &size);
    return size.cx <= WidthOf(label);
  });
  ui::SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
  ui::DrawText(hdc, text.c_str(), static_cast<int>(text.size()), &label, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(hdc, old_font);
}

BOOL QVTWorkbook::TextFitsTab(QVTSheet* sheet) {
  POINT points[Layout::kPolygonPoints];
  int count = 0;
  GetTabPolygon(sheet, points, &count);
  if (!count) return TRUE;
  RECT label;
  GetTabLabelRect(points, GetSheetIcon(sheet) ? kIconSize : 0, &label);
  const std::string text = GetTabText(sheet);
  const HDC hdc = ::ui::GetDC(m_hWnd);
  const HGDIOBJ old_font = SelectObject(hdc, m_hTabFont);
  SIZE size{};
  GetTextExtentPoint32(hdc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(hdc, old_font);
  ::ui::ReleaseDC(m_hWnd, hdc);
  return size.cx <= WidthOf(label);
}

void QVTWorkbook::DrawClientBorder(CDC* dc) {
  const HDC hdc = dc->GetSafeHdc();
  RECT frame = MDIClientRect();
  InflateRect(&frame, 5, 5);
  // A sunken well around the client, and a dark line outside its lower
  // and right sides.
  StylePainter::PaintBevel(hdc, frame, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
  StylePainter::FillSolid(hdc, RECT{frame.left, frame.bottom, frame.right + 1, frame.bottom + 1},
                          GetSysColor(COLOR_3DDKSHADOW));
  StylePainter::FillSolid(hdc, RECT{frame.right, frame.top, frame.right + 1, frame.bottom},
                          GetSysColor(COLOR_3DDKSHADOW));
  // The strip's top edge parts it from the bars above.
  RECT strip;
  GetTabStripRect(&strip);
  StylePainter::FillSolid(hdc, RECT{strip.left, strip.top, strip.right, strip.top + 1}, GetSysColor(COLOR_BTNSHADOW));
  StylePainter::FillSolid(hdc, RECT{strip.left, strip.top + 1, strip.right, strip.top + 2},
                          GetSysColor(COLOR_BTNHIGHLIGHT));
}

// ---- Mouse and tooltips ----------------------------------------------

void QVTWorkbook::OnLButtonDown(UINT, POINT point) {
  QVTSheet* sheet = SheetFromPoint(point);
  if (sheet && IndexOf(sheet) != ActiveSheetIndex() && CanActivateSheet(sheet)) {
    sheet->SetPressed(TRUE);
    InvalidateTab(sheet);
    UpdateWindow();
    ::ui::SendMessage(sheet->GetSheetFrame()->m_hWnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(m_hWnd),
                      MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
  }
  Default();
}

void QVTWorkbook::OnLButtonUp(UINT, POINT) {
  for (QVTSheet* sheet : m_sheets) {
    if (!sheet->IsPressed()) continue;
    sheet->SetPressed(FALSE);
    InvalidateTab(sheet);
  }
  Default();
}

void QVTWorkbook::OnMouseMove(UINT, POINT point) {
  UpdateToolTip(point);
  Default();
}

INT_PTR QVTWorkbook::OnToolHitTest(POINT point, TOOLINFO* info) {
  QVTSheet* sheet = SheetFromPoint(point);
  if (!sheet || TextFitsTab(sheet)) return -1;
  POINT points[Layout::kPolygonPoints];
  int count = 0;
  GetTabPolygon(sheet, points, &count);
  Layout::Polygon tab;
  std::copy(points, points + Layout::kPolygonPoints, tab.begin());
  const INT_PTR id = IndexOf(sheet) + 1;
  if (info) {
    info->hwnd = m_hWnd;
    info->uId = static_cast<UINT_PTR>(id);
    info->rect = Layout::BoundingBox(tab);
  }
  return id;
}

void QVTWorkbook::EnsureToolTip() {
  if (m_pToolTip || !m_hWnd) return;
  m_pToolTip = std::make_unique<CToolTipCtrl>();
  if (!m_pToolTip->Create(this)) {
    m_pToolTip.reset();
    return;
  }
  m_pToolTip->Activate(TRUE);
}

// The control holds one tool at a time: the tab under the mouse whose
// title it cannot show whole.
void QVTWorkbook::UpdateToolTip(POINT point) {
  if (!m_pToolTip) return;
  TOOLINFO info;
  const INT_PTR id = OnToolHitTest(point, &info);
  if (id == m_nToolId) return;
  if (m_nToolId > 0) m_pToolTip->DelTool(this, static_cast<UINT_PTR>(m_nToolId));
  m_nToolId = id;
  if (id > 0) {
    const std::string text = GetTabText(GetSheet(static_cast<int>(id - 1)));
    m_pToolTip->AddTool(this, text.c_str(), &info.rect, static_cast<UINT_PTR>(id));
  }
}

// ---- Activation ------------------------------------------------------

LRESULT QVTWorkbook::OnActiveSheetChanged(WPARAM, LPARAM) {
  const int active = ActiveSheetIndex();
  if (QVTSheet* previous = GetSheet(m_nLastActive)) InvalidateTab(previous);
  if (QVTSheet* current = GetSheet(active)) InvalidateTab(current);
  m_nLastActive = active;
  BOOL maximised = FALSE;
  MDIGetActive(&maximised);
  if (!maximised && m_hWnd) UpdateWindow();
  return 0;
}

}  // namespace docking

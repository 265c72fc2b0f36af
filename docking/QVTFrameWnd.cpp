#include "docking/QVTFrameWnd.h"

#include <algorithm>

#include "docking/QVTCaptionLayout.h"
#include "docking/QVTDockBar.h"
#include "docking/QVTDockSides.h"
#include "docking/QVTFloatPosition.h"
#include "docking/QVTMiniDockFrameWnd.h"
#include "platform/afx/Bitmap.h"
#include "platform/afx/Dc.h"
#include "platform/afx/Font.h"
#include "platform/afx/MiniDockFrameWnd.h"
#include "platform/afx/WindowDC.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"

namespace docking {

using namespace ui;
using namespace afx;

IMPLEMENT_DYNCREATE(QVTFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(QVTFrameWnd, CFrameWnd)
  ON_WM_CREATE()
  ON_WM_CLOSE()
  ON_MESSAGE(WM_NCPAINT, OnNcPaint)
  ON_MESSAGE(WM_NCACTIVATE, OnNcActivate)
  ON_MESSAGE(WM_SETTEXT, OnSetText)
  ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
END_MESSAGE_MAP()

namespace {

QVTDockBar* AsQVTDockBar(CControlBar* bar) { return bar ? dynamic_cast<QVTDockBar*>(bar) : nullptr; }
QVTControlBar* AsQVT(CControlBar* bar) { return bar ? dynamic_cast<QVTControlBar*>(bar) : nullptr; }

}  // namespace

QVTFrameWnd::QVTFrameWnd() = default;

QVTFrameWnd::~QVTFrameWnd() = default;

QVTDockBar* QVTFrameWnd::NewDockBar() { return new QVTDockBar(FALSE); }

void QVTFrameWnd::EnableDocking(DWORD dock_style, void*) {
  if (!m_pFloatingFrameClass) m_pFloatingFrameClass = RUNTIME_CLASS(QVTMiniDockFrameWnd);
  for (const QVTDockSideEntry& side : QVTDockSides::Table()) {
    if (!(side.style & dock_style & CBRS_ALIGN_ANY) || GetControlBar(side.dockBarId)) continue;
    QVTDockBar* dock_bar = NewDockBar();
    dock_bar->m_bAutoDelete = TRUE;
    if (!dock_bar->Create(this, side.style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                          side.dockBarId))
      delete dock_bar;
  }
}

void QVTFrameWnd::DockControlBar(CControlBar* bar, UINT dock_bar_id, const RECT* rect) {
  CControlBar* found = dock_bar_id ? GetControlBar(dock_bar_id) : nullptr;
  DockControlBar(bar, found && found->IsDockBar() ? static_cast<CDockBar*>(found) : nullptr, rect);
}

void QVTFrameWnd::DockControlBar(CControlBar* bar, CDockBar* dock_bar, const RECT* rect) {
  QVTControlBar* qvt = AsQVT(bar);
  if (qvt) qvt->OnBarBeginDock();
  if (!dock_bar) {
    // Alignment bits that name no side dock nowhere.
    const QVTDockSideEntry* side = QVTDockSides::SideForAlignment(bar->m_dwStyle & CBRS_ALIGN_ANY);
    CControlBar* found = side ? GetControlBar(side->dockBarId) : nullptr;
    if (found && found->IsDockBar()) dock_bar = static_cast<CDockBar*>(found);
  }
  if (dock_bar) dock_bar->DockControlBar(bar, rect);
  if (qvt) qvt->OnBarEndDock();
}

void QVTFrameWnd::ReDockControlBar(CControlBar* bar, CDockBar* dock_bar, const RECT* rect) {
  QVTControlBar* qvt = AsQVT(bar);
  if (qvt) qvt->OnBarBeginDock();
  if (!dock_bar) {
    const UINT id = bar->m_hWnd ? static_cast<UINT>(bar->GetDlgCtrlID()) : 0;
    for (const QVTDockSideEntry& side : QVTDockSides::Table()) {
      QVTDockBar* candidate = AsQVTDockBar(GetControlBar(side.dockBarId));
      if (candidate && id && candidate->Array().FindPlaceholder(id) >= 0) {
        dock_bar = candidate;
        break;
      }
    }
  }
  if (!dock_bar) {
    const QVTDockSideEntry* side = QVTDockSides::LastSideMatching(bar->m_dwStyle & CBRS_ALIGN_ANY);
    CControlBar* found = side ? GetControlBar(side->dockBarId) : nullptr;
    if (found && found->IsDockBar()) dock_bar = static_cast<CDockBar*>(found);
  }
  if (dock_bar) dock_bar->ReDockControlBar(bar, rect);
  if (qvt) qvt->OnBarEndDock();
}

void QVTFrameWnd::DockControlBarAt(CControlBar* bar, UINT dock_bar_id, int row, int column, float share,
                                   int size) {
  QVTControlBar* qvt = AsQVT(bar);
  if (qvt) qvt->OnBarBeginDock();
  QVTDockBar* dock_bar = dock_bar_id ? AsQVTDockBar(GetControlBar(dock_bar_id)) : nullptr;
  if (!dock_bar) {
    const QVTDockSideEntry* side = QVTDockSides::SideForAlignment(bar->m_dwStyle & CBRS_ALIGN_ANY);
    dock_bar = side ? AsQVTDockBar(GetControlBar(side->dockBarId)) : nullptr;
  }
  if (dock_bar) {
    if (qvt) qvt->SetPctWidth(share);
    DWORD mode = LM_VERTDOCK;
    if ((bar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (bar->m_dwStyle & CBRS_FLOATING)) mode = LM_HORZ | LM_MRUWIDTH | LM_LENGTHY;
    else if (bar->m_dwStyle & CBRS_ORIENT_HORZ) mode = LM_HORZ | LM_HORZDOCK | LM_LENGTHY;
    bar->CalcDynamicLayout(size, mode | LM_COMMIT);
    dock_bar->DockControlBarAt(bar, row, column);
  }
  if (qvt) qvt->OnBarEndDock();
}

void QVTFrameWnd::FloatControlBar(CControlBar* bar, POINT point, DWORD style) {
  RECT work{};
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  const auto keep_on_work_area = [&](CMiniDockFrameWnd* frame) {
    // Placed once at its real size, then kept partly on the work area.
    frame->MoveTo(point);
    RECT rect;
    frame->GetWindowRect(&rect);
    const POINT kept =
        QVTFloatPosition::ClampToWorkArea(point, SIZE{rect.right - rect.left, rect.bottom - rect.top}, work);
    if (kept.x != point.x || kept.y != point.y) frame->MoveTo(kept);
  };
  if (bar->m_pDockBar && bar->m_pDockBar->m_bFloating && bar->m_pDockBar->GetDockedCount() == 1 &&
      (style & bar->m_pDockBar->m_dwStyle & CBRS_ALIGN_ANY)) {
    auto* frame = dynamic_cast<CMiniDockFrameWnd*>(bar->m_pDockBar->GetParentFrame());
    if (frame) {
      keep_on_work_area(frame);
      frame->UpdateWindow();
      return;
    }
  }
  QVTControlBar* qvt = AsQVT(bar);
  if (qvt) qvt->OnBarBeginFloat();
  if (bar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
    style |= CBRS_SIZE_DYNAMIC;
    if (style & CBRS_ORIENT_VERT) style = (style & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP;
  }
  CMiniDockFrameWnd* frame = CreateFloatingFrame(style);
  if (!frame) return;
  frame->GetDockBar()->DockControlBar(bar, nullptr);
  // A sizable bar floats in a frame the user can resize; toolbars keep
  // the thin frame.
  if (qvt && qvt->IsSizable()) frame->ModifyStyle(MFS_4THICKFRAME, kSizableFloatFrame, SWP_FRAMECHANGED);
  keep_on_work_area(frame);
  if (bar->GetStyle() & WS_VISIBLE) {
    frame->ShowWindow(SW_SHOWNA);
    frame->UpdateWindow();
  }
  // The side the bar left closes up now, not only at the next idle time.
  RecalcLayout();
  if (qvt) qvt->OnBarEndFloat();
}

void QVTFrameWnd::ShowControlBar(CControlBar* bar, BOOL show, BOOL delay) {
  CFrameWnd::ShowControlBar(bar, show, delay);
  if (QVTDockBar* dock_bar = AsQVTDockBar(bar->m_pDockBar)) dock_bar->OnBarShown(bar);
}

QVTControlBar* QVTFrameWnd::FindControlBar(UINT id) const {
  for (CControlBar* bar : m_listControlBars) {
    QVTControlBar* qvt = AsQVT(bar);
    if (qvt && qvt->m_hWnd && static_cast<UINT>(qvt->GetDlgCtrlID()) == id) return qvt;
  }
  return nullptr;
}

void QVTFrameWnd::RecalcLayout(BOOL notify) {
  if (m_bInRecalcLayout) return;
  const bool first = ::ui::IsRectEmpty(&m_rectClient) != 0;
  CFrameWnd::RecalcLayout(notify);
  if (!m_hWnd) return;
  RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &m_rectClient);
  if (first) ::ui::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
}

int QVTFrameWnd::OnCreate(CREATESTRUCT* create) {
  if (CFrameWnd::OnCreate(create) == -1) return -1;
  if (m_pMenuBar) m_pMenuPlugIn = CreatePlugIn(kMenuBarPlugInClass);
  else if (m_bBitmapMenus) m_pMenuPlugIn = CreatePlugIn(kBitmapMenuPlugInClass);
  return 0;
}

std::unique_ptr<QVTFramePlugIn> QVTFrameWnd::CreatePlugIn(const char* class_name) {
  const CRuntimeClass* plug_in_class = CRuntimeClass::FromName(class_name);
  if (!plug_in_class || !plug_in_class->IsDerivedFrom(RUNTIME_CLASS(QVTFramePlugIn))) return nullptr;
  std::unique_ptr<QVTFramePlugIn> plug_in(static_cast<QVTFramePlugIn*>(plug_in_class->CreateObject()));
  if (plug_in && !plug_in->Attach(this)) plug_in.reset();
  return plug_in;
}

void QVTFrameWnd::OnClose() {
  m_bClosing = TRUE;
  CFrameWnd::OnClose();
}

LRESULT QVTFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pMenuPlugIn) {
    LRESULT result = 0;
    if (m_pMenuPlugIn->OnFrameMessage(message, wParam, lParam, &result)) return result;
  }
  const LRESULT result = CFrameWnd::WindowProc(message, wParam, lParam);
  if (message == WM_INITMENUPOPUP && m_pMenuPlugIn && m_bBitmapMenus) m_pMenuPlugIn->OnInitMenuPopup(wParam, lParam);
  return result;
}

BOOL QVTFrameWnd::PreTranslateMessage(MSG* msg) {
  if (m_pMenuPlugIn && m_pMenuPlugIn->PreTranslateMessage(msg)) return TRUE;
  return CFrameWnd::PreTranslateMessage(msg);
}

LRESULT QVTFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
  // The message line is the status bar's first pane.
  CControlBar* status = GetControlBar(AFX_IDW_STATUS_BAR);
  if (!status || !status->m_hWnd) return 0;
  std::string text;
  if (lParam) {
    text = reinterpret_cast<const char*>(lParam);
  } else if (wParam) {
    std::string prompt;
    if (::ui::LoadStringResource(static_cast<UINT>(wParam), prompt)) text = prompt.substr(0, prompt.find('\n'));
    else if (wParam == AFX_IDS_IDLEMESSAGE) text = "Ready";
  }
  status->SetWindowText(text);
  return 0;
}

// The caption.

BOOL QVTFrameWnd::SetCustomCaption(BOOL on, BOOL redraw) {
  if (!m_bNewShell) return FALSE;
  const BOOL previous = m_bCustomCaption;
  m_bCustomCaption = on;
  if (m_hWnd) {
    if (redraw) PostMessage(WM_NCPAINT, 1, 0);
    // Repaints the caption in the state the frame is in.
    const BOOL active = ::ui::GetActiveWindow() == m_hWnd || m_bCaptionActive;
    PostMessage(WM_NCACTIVATE, static_cast<WPARAM>(active), 0);
  }
  return previous;
}

void QVTFrameWnd::SetCaptionAlignment(int alignment, BOOL redraw) {
  m_nCaptionAlignment = alignment;
  if (redraw && m_hWnd) PostMessage(WM_NCPAINT, 1, 0);
}

BOOL QVTFrameWnd::CreateCaptionFont(CFont& font) {
  NONCLIENTMETRICS metrics;
  if (!SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return FALSE;
  metrics.lfCaptionFont.lfItalic = 0;
  return font.CreateFontIndirect(&metrics.lfCaptionFont);
}

BOOL QVTFrameWnd::CreateItalicCaptionFont(CFont& font) {
  NONCLIENTMETRICS metrics;
  if (!SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return FALSE;
  metrics.lfCaptionFont.lfItalic = 1;
  return font.CreateFontIndirect(&metrics.lfCaptionFont);
}

void QVTFrameWnd::DrawCaption() {
  if (!m_bCustomCaption || !m_hWnd) return;
  RECT window;
  GetWindowRect(&window);
  const DWORD style = GetStyle();
  QVTCaptionLayout::Metrics metrics;
  metrics.cxFrame = GetSystemMetrics(SM_CXFRAME);
  metrics.cyFrame = GetSystemMetrics(SM_CYFRAME);
  metrics.cxBorder = GetSystemMetrics(SM_CXBORDER);
  metrics.cyBorder = GetSystemMetrics(SM_CYBORDER);
  metrics.cxSize = GetSystemMetrics(SM_CXSIZE);
  metrics.cySize = GetSystemMetrics(SM_CYSIZE);
  const HMENU system_menu = ::ui::GetSystemMenu(m_hWnd, FALSE);
  const UINT close_state = system_menu ? ::ui::GetMenuState(system_menu, static_cast<UINT>(SC_CLOSE), MF_BYCOMMAND)
                                       : static_cast<UINT>(-1);
  const bool close_enabled = close_state != static_cast<UINT>(-1) && !(close_state & (MF_GRAYED | MF_DISABLED));
  const RECT caption =
      QVTCaptionLayout::CaptionRect(window.right - window.left, style, m_bNewShell != 0, close_enabled, metrics);
  const int width = caption.right - caption.left, height = caption.bottom - caption.top;
  if (width <= 0 || height <= 0) return;
  CWindowDC window_dc(this);
  CDC memory;
  CBitmap bitmap;
  CFont upright, italic;
  if (!memory.CreateCompatibleDC(&window_dc) || !bitmap.CreateCompatibleBitmap(window_dc, width, height) ||
      !CreateCaptionFont(upright) || !CreateItalicCaptionFont(italic)) {
    SetCustomCaption(FALSE, TRUE);
    return;
  }
  CBitmap* old_bitmap = memory.SelectObject(&bitmap);
  const bool active = m_bCaptionActive != 0;
  int left = 0;
  const int right = width;
  if (style & WS_SYSMENU) {
    RECT icon{0, 0, metrics.cxSize, metrics.cySize};
    memory.FillSolidRect(&icon, active ? RGB(0, 0, 0) : GetSysColor(COLOR_INACTIVECAPTION));
    left += metrics.cxSize;
  }
  if (active) {
    for (const QVTCaptionLayout::Band& band :
         QVTCaptionLayout::CalcBands(left, right, RGB(0, 0, 0), GetSysColor(COLOR_ACTIVECAPTION)))
      memory.FillSolidRect(band.left, 0, band.right - band.left, height, band.colour);
  } else {
    memory.FillSolidRect(left, 0, right - left, height, GetSysColor(COLOR_INACTIVECAPTION));
  }
  const QVTCaptionLayout::TitleParts parts = QVTCaptionLayout::SplitTitle(GetWindowTextString());
  CFont* old_font = memory.SelectObject(&italic);
  const int first_width = memory.GetTextExtent(parts.first).cx;
  const int ellipsis_width = memory.GetTextExtent("W...").cx;
  memory.SelectObject(&upright);
  const int second_width = memory.GetTextExtent(parts.second).cx;
  const QVTCaptionLayout::TextPlacement place =
      QVTCaptionLayout::PlaceText(left, right, first_width, second_width, ellipsis_width, m_nCaptionAlignment);
  memory.SetBkMode(TRANSPARENT);
  memory.SetTextColor(RGB(255, 255, 255));
  const UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
  memory.SelectObject(&italic);
  RECT first{place.firstStart, 0, right, height};
  memory.DrawText(parts.first, &first, format);
  if (place.drawSecond && !parts.second.empty()) {
    memory.SelectObject(&upright);
    if (!active) memory.SetTextColor(GetSysColor(COLOR_INACTIVECAPTIONTEXT));
    RECT second{place.secondStart, 0, right, height};
    memory.DrawText(parts.second, &second, format);
  }
  window_dc.BitBlt(caption.left, caption.top, width, height, &memory, 0, 0, SRCCOPY);
  memory.SelectObject(old_font);
  memory.SelectObject(old_bitmap);
}

LRESULT QVTFrameWnd::OnNcPaint(WPARAM, LPARAM) {
  const LRESULT result = Default();
  if (m_bCustomCaption) DrawCaption();
  return result;
}

LRESULT QVTFrameWnd::OnNcActivate(WPARAM wParam, LPARAM lParam) {
  // A top-level frame keeps its active look while one of its floating
  // frames is the active window, and its floating frames follow its look.
  const bool top_level = !(GetStyle() & WS_CHILD);
  if (top_level && IsFloatingFrameActive()) wParam = TRUE;
  LRESULT result;
  if (!m_bCustomCaption) {
    m_bCaptionActive = static_cast<BOOL>(wParam);
    result = DefWindowProc(WM_NCACTIVATE, wParam, lParam);
  } else {
    m_bCaptionActive = IsWindowEnabled() ? static_cast<BOOL>(wParam) : FALSE;
    result = DefWindowProc(WM_NCACTIVATE, wParam, lParam);
    DrawCaption();
    if (!result) result = TRUE;
  }
  if (top_level) NotifyFloatingWindows(m_bCaptionActive);
  return result;
}

LRESULT QVTFrameWnd::OnSetText(WPARAM, LPARAM) {
  const LRESULT result = Default();
  if (!m_bCustomCaption) return result;
  DrawCaption();
  return TRUE;
}

}  // namespace docking

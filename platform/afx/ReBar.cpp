#include "platform/afx/ReBar.h"

#include <algorithm>

namespace afx {

IMPLEMENT_DYNAMIC(CReBar, CControlBar)

BEGIN_MESSAGE_MAP(CReBar, CControlBar)
  ON_MESSAGE(WM_PAINT, OnPaintMessage)
END_MESSAGE_MAP()

CReBar::CReBar() {
  // The bands draw their own edges; the bar adds none around them.
  m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
}

BOOL CReBar::Create(CWnd* parent, DWORD rebar_style, DWORD style, UINT id) {
  m_dwStyle = style & CBRS_ALL;
  // The frame places the rebar; the control neither aligns nor sizes itself.
  const DWORD window_style =
      (style & ~CBRS_ALL) | rebar_style | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE;
  return CreateBar(0, "ReBarWindow32", nullptr, window_style, RECT{0, 0, 0, 0}, parent, id);
}

LRESULT CReBar::OnPaintMessage(WPARAM, LPARAM) { return Default(); }

CReBarCtrl& CReBar::GetReBarCtrl() const {
  m_control.m_hWnd = m_hWnd;
  return m_control;
}

BOOL CReBar::AddBar(CWnd* bar, const char* text, HBITMAP background, DWORD band_style) {
  if (!m_hWnd || !bar || !bar->m_hWnd) return FALSE;
  SIZE size{0, 0};
  if (auto* control_bar = dynamic_cast<CControlBar*>(bar)) {
    size = control_bar->CalcFixedLayout(FALSE, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
  } else {
    RECT rect;
    bar->GetWindowRect(&rect);
    size = SIZE{rect.right - rect.left, rect.bottom - rect.top};
  }
  ::ui::REBARBANDINFO info;
  info.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | (text ? RBBIM_TEXT : 0U) |
               (background ? RBBIM_BACKGROUND : 0U);
  info.fStyle = band_style;
  info.hwndChild = bar->m_hWnd;
  info.cxMinChild = static_cast<UINT>(std::max<LONG>(size.cx, 0));
  info.cyMinChild = static_cast<UINT>(std::max<LONG>(size.cy, 0));
  info.lpText = const_cast<char*>(text);
  info.hbmBack = background;
  return GetReBarCtrl().InsertBand(static_cast<UINT>(-1), &info);
}

SIZE CReBar::CalcFixedLayout(BOOL stretch, BOOL horizontal) {
  RECT window{0, 0, 0, 0};
  if (m_hWnd) GetWindowRect(&window);
  const LONG height = m_hWnd ? static_cast<LONG>(GetReBarCtrl().GetBarHeight()) : 0;
  if (horizontal) return SIZE{stretch ? 32767 : window.right - window.left, height};
  return SIZE{height, stretch ? 32767 : window.bottom - window.top};
}

}  // namespace afx

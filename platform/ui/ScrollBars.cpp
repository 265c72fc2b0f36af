// The scroll-bar state calls. A window's own bars live in its non-client
// area, so showing or hiding one changes the client area; the control's
// bar is its whole window.
#include "platform/ui/ScrollBars.h"

#include <algorithm>

#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/Painting.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui {

namespace {

DWORD StyleBit(int bar) { return bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL; }

void Repaint(HWND hwnd, int bar) {
  if (bar == SB_CTL) {
    InvalidateRect(hwnd, nullptr, FALSE);
    return;
  }
  const RECT none{0, 0, 0, 0};
  internal::RedrawRegion(hwnd, &none, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
}

// Adds or removes a window bar's style; the frame is measured again so the
// client area gives or takes the bar's width.
void SetBarShown(HWND hwnd, int bar, bool show) {
  const DWORD style = static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE));
  const DWORD bits = bar == SB_BOTH ? (WS_VSCROLL | WS_HSCROLL) : StyleBit(bar);
  const DWORD wanted = show ? (style | bits) : (style & ~bits);
  if (wanted == style) return;
  SetWindowLongPtr(hwnd, GWL_STYLE, static_cast<LONG_PTR>(wanted));
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

bool ValidBar(int bar) { return bar == SB_HORZ || bar == SB_VERT || bar == SB_CTL; }

}  // namespace

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw) {
  if (!info || !ValidBar(bar)) return 0;
  int pos;
  bool idle;
  {
    internal::LockedWindow record(hwnd);
    if (!record) return 0;
    internal::ScrollBarState& state = record->scroll_bars[bar];
    if (info->fMask & SIF_RANGE) {
      state.min = info->nMin;
      state.max = std::max(info->nMin, info->nMax);
    }
    if (info->fMask & SIF_PAGE) state.page = info->nPage;
    // The page never exceeds the range, nor the position the last page.
    const auto span = static_cast<long long>(state.max) - state.min + 1;
    state.page = static_cast<UINT>(std::min<long long>(state.page, span));
    if (info->fMask & SIF_POS) state.pos = info->nPos;
    state.pos = std::clamp(state.pos, state.min, state.MaxPos());
    pos = state.pos;
    idle = state.Idle();
  }
  if (bar != SB_CTL && (info->fMask & (SIF_RANGE | SIF_PAGE))) {
    // A bar with nothing to scroll goes away unless the owner wants it kept, disabled.
    if (!(info->fMask & SIF_DISABLENOSCROLL)) SetBarShown(hwnd, bar, !idle);
    else SetBarShown(hwnd, bar, true);
  }
  if (redraw) Repaint(hwnd, bar);
  return pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info) {
  if (!info || !ValidBar(bar)) return FALSE;
  internal::LockedWindow record(hwnd);
  if (!record) return FALSE;
  const internal::ScrollBarState& state = record->scroll_bars[bar];
  if (info->fMask & SIF_RANGE) {
    info->nMin = state.min;
    info->nMax = state.max;
  }
  if (info->fMask & SIF_PAGE) info->nPage = state.page;
  if (info->fMask & SIF_POS) info->nPos = state.pos;
  if (info->fMask & SIF_TRACKPOS) info->nTrackPos = state.tracking ? state.track_pos : state.pos;
  return TRUE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
  const int old = GetScrollPos(hwnd, bar);
  SCROLLINFO info;
  info.fMask = SIF_POS;
  info.nPos = pos;
  SetScrollInfo(hwnd, bar, &info, redraw);
  return old;
}

int GetScrollPos(HWND hwnd, int bar) {
  SCROLLINFO info;
  info.fMask = SIF_POS;
  return GetScrollInfo(hwnd, bar, &info) ? info.nPos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int min, int max, BOOL redraw) {
  if (!IsWindow(hwnd) || !ValidBar(bar)) return FALSE;
  SCROLLINFO info;
  info.fMask = SIF_RANGE;
  info.nMin = min;
  info.nMax = max;
  SetScrollInfo(hwnd, bar, &info, redraw);
  return TRUE;
}

BOOL GetScrollRange(HWND hwnd, int bar, int* min, int* max) {
  SCROLLINFO info;
  info.fMask = SIF_RANGE;
  if (!GetScrollInfo(hwnd, bar, &info)) return FALSE;
  if (min) *min = info.nMin;
  if (max) *max = info.nMax;
  return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
  if (!IsWindow(hwnd)) return FALSE;
  if (bar == SB_CTL) {
    ShowWindow(hwnd, show ? SW_SHOWNA : SW_HIDE);
    return TRUE;
  }
  if (bar != SB_HORZ && bar != SB_VERT && bar != SB_BOTH) return FALSE;
  SetBarShown(hwnd, bar, show != FALSE);
  return TRUE;
}

BOOL EnableScrollBar(HWND hwnd, int bar, UINT arrows) {
  const int first = bar == SB_BOTH ? SB_HORZ : bar, last = bar == SB_BOTH ? SB_VERT : bar;
  if (first < SB_HORZ || last > SB_CTL) return FALSE;
  {
    internal::LockedWindow record(hwnd);
    if (!record) return FALSE;
    for (int b = first; b <= last; ++b) record->scroll_bars[b].disabled_arrows = arrows & ESB_DISABLE_BOTH;
  }
  for (int b = first; b <= last; ++b) Repaint(hwnd, b);
  return TRUE;
}

}  // namespace ui

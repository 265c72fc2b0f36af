// The rebar control: bands from left to right in rows (RBBS_BREAK starts
// a new one), each band a gripper, its text and its child window, which the
// rebar makes its own child and places in the band at the child's minimum
// height. The last band of a row takes what the row has left. Unless
// CCS_NORESIZE leaves it to its parent, the rebar keeps its parent's width
// along the top at the height of its rows.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/ui/ControlMessages.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/StylePainter.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Text.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/ControlPaint.h"
#include "platform/ui/internal/StandardClasses.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui::internal {

namespace {

constexpr int kGripperWidth = 8;
constexpr int kTextGap = 4;
// Space above and below a band's child, and the etched line between rows.
constexpr int kBandPadding = 2;
constexpr int kRowBorder = 2;

struct Band {
  REBARBANDINFO info;  // lpText unused: the text is kept below
  std::string text;
  RECT rect{};
  int header = 0;
};

struct RebarData : ControlData {
  std::vector<Band> bands;
  HWND notify = nullptr;
  int height = 0;
};

bool IsShown(const Band& band) { return !(band.info.fStyle & RBBS_HIDDEN); }

bool HasGripper(const RebarData& data, const Band& band) {
  if (band.info.fStyle & RBBS_NOGRIPPER) return false;
  return (band.info.fStyle & RBBS_GRIPPERALWAYS) || data.bands.size() > 1;
}

int TextWidth(HWND hwnd, const std::string& text) {
  if (text.empty()) return 0;
  const HDC dc = GetDC(hwnd);
  const HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{0, 0};
  GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(hwnd, dc);
  return size.cx;
}

int HeaderWidth(HWND hwnd, const RebarData& data, const Band& band) {
  if (band.info.fMask & RBBIM_HEADERSIZE) return static_cast<int>(band.info.cxHeader);
  const int grip = HasGripper(data, band) ? kGripperWidth : 0;
  const int text = TextWidth(hwnd, band.text);
  return grip + (text ? text + kTextGap : 0) + ((grip || text) ? kTextGap / 2 : 0);
}

int BandWidth(const Band& band) {
  const int minimum = band.header + static_cast<int>(band.info.cxMinChild);
  return std::max(minimum, static_cast<int>(band.info.cx));
}

// Places the bands in rows and their children in the bands; returns the bar's height.
int Layout(HWND hwnd, RebarData& data) {
  RECT client;
  GetClientRect(hwnd, &client);
  const int width = std::max<int>(client.right - client.left, 0);
  std::vector<std::vector<Band*>> rows;
  for (Band& band : data.bands) {
    if (!IsShown(band)) continue;
    band.header = HeaderWidth(hwnd, data, band);
    if (rows.empty() || (band.info.fStyle & RBBS_BREAK)) rows.emplace_back();
    rows.back().push_back(&band);
  }
  int y = 0;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    if (r > 0) y += kRowBorder;
    int row_height = 0;
    for (const Band* band : rows[r]) row_height = std::max(row_height, static_cast<int>(band->info.cyMinChild));
    row_height += 2 * kBandPadding;
    int x = 0;
    for (std::size_t i = 0; i < rows[r].size(); ++i) {
      Band& band = *rows[r][i];
      const bool last = i + 1 == rows[r].size();
      const int right = last ? std::max(width, x + BandWidth(band)) : x + BandWidth(band);
      band.rect = RECT{x, y, right, y + row_height};
      x = right;
    }
    y += row_height;
  }
  for (Band& band : data.bands) {
    const HWND child = band.info.hwndChild;
    if (!child || !IsWindow(child)) continue;
    if (!IsShown(band)) {
      ShowWindow(child, SW_HIDE);
      continue;
    }
    const int edge = (band.info.fStyle & RBBS_CHILDEDGE) ? kBandPadding : 0;
    const int child_height = static_cast<int>(band.info.cyMinChild);
    const int top = band.rect.top + (band.rect.bottom - band.rect.top - child_height) / 2;
    SetWindowPos(child, nullptr, band.rect.left + band.header + edge, top,
                 std::max<int>(band.rect.right - band.rect.left - band.header - 2 * edge, 0), child_height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
  return y;
}

void Relayout(HWND hwnd, RebarData& data) {
  data.height = Layout(hwnd, data);
  if (!(StyleOf(hwnd) & CCS_NORESIZE)) {
    const HWND parent = ParentOf(hwnd);
    RECT client{0, 0, 0, 0};
    if (parent) GetClientRect(parent, &client);
    RECT mine;
    GetWindowRect(hwnd, &mine);
    const int width = parent ? client.right : mine.right - mine.left;
    if (width != mine.right - mine.left || data.height != mine.bottom - mine.top)
      SetWindowPos(hwnd, nullptr, 0, 0, width, data.height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  InvalidateRect(hwnd, nullptr, FALSE);
}

void PaintBand(HDC hdc, const RebarData& data, const Band& band, bool borders) {
  RECT rect = band.rect;
  if (borders && band.rect.left > 0) {
    RECT line{rect.left, rect.top, rect.left + 2, rect.bottom};
    StylePainter::PaintEdge(hdc, line, EDGE_ETCHED, BF_LEFT);
  }
  int x = rect.left;
  if (HasGripper(data, band)) {
    StylePainter::PaintGripper(hdc, RECT{x + 2, rect.top + kBandPadding, x + kGripperWidth, rect.bottom - kBandPadding},
                               false);
    x += kGripperWidth;
  }
  if (!band.text.empty()) {
    const RECT text{x + kTextGap / 2, rect.top, rect.left + band.header, rect.bottom};
    StylePainter::PaintLabel(hdc, text, band.text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, true);
  }
}

void Paint(HWND hwnd, const RebarData& data) {
  ControlPaintScope scope(hwnd);
  if (!scope.dc()) return;
  const HDC hdc = scope.dc();
  StylePainter::FillSolid(hdc, scope.client(), GetSysColor(COLOR_3DFACE));
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
  const bool borders = (StyleOf(hwnd) & RBS_BANDBORDERS) != 0;
  for (const Band& band : data.bands) {
    if (!IsShown(band)) continue;
    PaintBand(hdc, data, band, borders);
    if (borders && band.rect.top > 0) {
      RECT line{scope.client().left, band.rect.top - kRowBorder, scope.client().right, band.rect.top};
      StylePainter::PaintEdge(hdc, line, EDGE_ETCHED, BF_TOP);
    }
  }
}

// Takes the members `info` names; a new child becomes the rebar's.
void ApplyInfo(HWND hwnd, Band& band, const REBARBANDINFO& info) {
  const UINT mask = info.fMask;
  if (mask & RBBIM_STYLE) band.info.fStyle = info.fStyle;
  if (mask & RBBIM_COLORS) {
    band.info.clrFore = info.clrFore;
    band.info.clrBack = info.clrBack;
  }
  if (mask & RBBIM_TEXT) band.text = info.lpText ? info.lpText : "";
  if (mask & RBBIM_IMAGE) band.info.iImage = info.iImage;
  if (mask & RBBIM_CHILD) {
    if (band.info.hwndChild && band.info.hwndChild != info.hwndChild && IsWindow(band.info.hwndChild))
      ShowWindow(band.info.hwndChild, SW_HIDE);
    band.info.hwndChild = info.hwndChild;
    if (info.hwndChild && IsWindow(info.hwndChild) && GetParent(info.hwndChild) != hwnd)
      SetParent(info.hwndChild, hwnd);
  }
  if (mask & RBBIM_CHILDSIZE) {
    band.info.cxMinChild = info.cxMinChild;
    band.info.cyMinChild = info.cyMinChild;
    band.info.cyChild = info.cyChild;
    band.info.cyMaxChild = info.cyMaxChild;
    band.info.cyIntegral = info.cyIntegral;
  }
  if (mask & RBBIM_SIZE) band.info.cx = info.cx;
  if (mask & RBBIM_BACKGROUND) band.info.hbmBack = info.hbmBack;
  if (mask & RBBIM_ID) band.info.wID = info.wID;
  if (mask & RBBIM_IDEALSIZE) band.info.cxIdeal = info.cxIdeal;
  if (mask & RBBIM_LPARAM) band.info.lParam = info.lParam;
  if (mask & RBBIM_HEADERSIZE) band.info.cxHeader = info.cxHeader;
  band.info.fMask |= mask & RBBIM_HEADERSIZE;
}

// Fills the members `out` asks for.
void ReadInfo(const Band& band, REBARBANDINFO& out) {
  const UINT mask = out.fMask;
  if (mask & RBBIM_STYLE) out.fStyle = band.info.fStyle;
  if (mask & RBBIM_COLORS) {
    out.clrFore = band.info.clrFore;
    out.clrBack = band.info.clrBack;
  }
  if ((mask & RBBIM_TEXT) && out.lpText && out.cch > 0) {
    const std::size_t count = std::min<std::size_t>(band.text.size(), out.cch - 1);
    std::memcpy(out.lpText, band.text.data(), count);
    out.lpText[count] = '\0';
  }
  if (mask & RBBIM_IMAGE) out.iImage = band.info.iImage;
  if (mask & RBBIM_CHILD) out.hwndChild = band.info.hwndChild;
  if (mask & RBBIM_CHILDSIZE) {
    out.cxMinChild = band.info.cxMinChild;
    out.cyMinChild = band.info.cyMinChild;
    out.cyChild = band.info.cyChild;
    out.cyMaxChild = band.info.cyMaxChild;
    out.cyIntegral = band.info.cyIntegral;
  }
  if (mask & RBBIM_SIZE) out.cx = static_cast<UINT>(band.rect.right - band.rect.left);
  if (mask & RBBIM_BACKGROUND) out.hbmBack = band.info.hbmBack;
  if (mask & RBBIM_ID) out.wID = band.info.wID;
  if (mask & RBBIM_IDEALSIZE) out.cxIdeal = band.info.cxIdeal;
  if (mask & RBBIM_LPARAM) out.lParam = band.info.lParam;
  if (mask & RBBIM_HEADERSIZE) out.cxHeader = static_cast<UINT>(band.header);
}

LRESULT InsertBand(HWND hwnd, RebarData& data, WPARAM index, LPARAM lParam) {
  const auto* info = reinterpret_cast<const REBARBANDINFO*>(lParam);
  if (!info) return FALSE;
  const std::size_t at = static_cast<INT_PTR>(index) < 0 ? data.bands.size() : std::min<std::size_t>(index, data.bands.size());
  Band band;
  band.info.fMask = 0;
  ApplyInfo(hwnd, band, *info);
  data.bands.insert(data.bands.begin() + static_cast<std::ptrdiff_t>(at), band);
  Relayout(hwnd, data);
  return TRUE;
}

LRESULT DeleteBand(HWND hwnd, RebarData& data, WPARAM index) {
  if (index >= data.bands.size()) return FALSE;
  const HWND child = data.bands[index].info.hwndChild;
  data.bands.erase(data.bands.begin() + static_cast<std::ptrdiff_t>(index));
  if (child && IsWindow(child)) ShowWindow(child, SW_HIDE);
  Relayout(hwnd, data);
  return TRUE;
}

int RowCount(const RebarData& data) {
  int rows = 0;
  for (const Band& band : data.bands)
    if (IsShown(band) && (rows == 0 || (band.info.fStyle & RBBS_BREAK))) ++rows;
  return rows;
}

}  // namespace

LRESULT RebarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto state = ControlState<RebarData>(hwnd);
  if (!state) return 0;
  RebarData& data = *state;
  switch (message) {
    case WM_CREATE: Relayout(hwnd, data); return 0;
    case WM_SIZE: data.height = Layout(hwnd, data); return 0;
    case WM_PAINT: Paint(hwnd, data); return 0;
    case WM_ERASEBKGND: return 1;
    case RB_INSERTBAND: return InsertBand(hwnd, data, wParam, lParam);
    case RB_DELETEBAND: return DeleteBand(hwnd, data, wParam);
    case RB_GETBANDCOUNT: return static_cast<LRESULT>(data.bands.size());
    case RB_GETROWCOUNT: return RowCount(data);
    case RB_GETBARHEIGHT: return data.height;
    case RB_GETBANDINFO: {
      auto* out = reinterpret_cast<REBARBANDINFO*>(lParam);
      if (!out || wParam >= data.bands.size()) return FALSE;
      ReadInfo(data.bands[wParam], *out);
      return TRUE;
    }
    case RB_SETBANDINFO: {
      const auto* info = reinterpret_cast<const REBARBANDINFO*>(lParam);
      if (!info || wParam >= data.bands.size()) return FALSE;
      ApplyInfo(hwnd, data.bands[wParam], *info);
      Relayout(hwnd, data);
      return TRUE;
    }
    case RB_GETRECT: {
      RECT* out = reinterpret_cast<RECT*>(lParam);
      if (!out || wParam >= data.bands.size()) return FALSE;
      *out = data.bands[wParam].rect;
      return TRUE;
    }
    case RB_GETROWHEIGHT: {
      if (wParam >= data.bands.size()) return 0;
      return data.bands[wParam].rect.bottom - data.bands[wParam].rect.top;
    }
    case RB_SETPARENT: {
      const HWND old = data.notify ? data.notify : ParentOf(hwnd);
      data.notify = reinterpret_cast<HWND>(wParam);
      return reinterpret_cast<LRESULT>(old);
    }
    case WM_COMMAND:
    case WM_NOTIFY: {
      // What the bands' children say goes on to the rebar's parent.
      const HWND target = data.notify ? data.notify : ParentOf(hwnd);
      return target ? SendMessage(target, message, wParam, lParam) : 0;
    }
  }
  return DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace ui::internal

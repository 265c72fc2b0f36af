// The status-bar control: a row of parts along the bottom of its parent,
// each with a text (a tab centres what follows it, a second tab moves it to
// the right) or an item its parent draws, a sunken, raised or no border,
// and a sizing grip in the corner. It keeps the parent's bottom unless
// CCS_NORESIZE leaves placing it to the parent.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/ui/ControlMessages.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/NonClient.h"
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

// The control's borders: none at the ends, two above and below, two between parts.
constexpr int kHorizontalBorder = 0;
constexpr int kVerticalBorder = 2;
constexpr int kGap = 2;
constexpr std::size_t kMaxParts = 256;
// Text sits this far inside a part's border.
constexpr int kTextInset = 3;

struct Part {
  int right = -1;         // the right edge; -1 runs to the end
  std::string text;
  UINT type = 0;          // SBT_ bits
  UINT_PTR item_data = 0;  // an owner-drawn part's value
};

struct StatusData : ControlData {
  std::vector<Part> parts{Part{}};  // one part to the end until told otherwise
  Part simple_part;
  bool simple = false;
  int min_height = 0;
};

bool HasGrip(HWND hwnd) {
  if (!(StyleOf(hwnd) & SBARS_SIZEGRIP)) return false;
  const HWND parent = ParentOf(hwnd);
  return !parent || !(StyleOf(parent) & WS_MAXIMIZE);
}

RECT GripRect(HWND hwnd) {
  RECT client;
  GetClientRect(hwnd, &client);
  return RECT{client.right - GetSystemMetrics(SM_CXVSCROLL), client.top, client.right, client.bottom};
}

RECT PartRect(HWND hwnd, const StatusData& data, std::size_t index) {
  RECT client;
  GetClientRect(hwnd, &client);
  if (data.simple) return RECT{kHorizontalBorder, kVerticalBorder, client.right, client.bottom - kVerticalBorder};
  const int left = index == 0 ? kHorizontalBorder : data.parts[index - 1].right + kGap;
  const int right = data.parts[index].right < 0 ? static_cast<int>(client.right) : data.parts[index].right;
  return RECT{left, kVerticalBorder, std::max(left, right), client.bottom - kVerticalBorder};
}

int Height(HWND hwnd, const StatusData& data) {
  HFONT font = reinterpret_cast<HFONT>(SendMessage(hwnd, WM_GETFONT, 0, 0));
  const HDC dc = GetDC(hwnd);
  const HGDIOBJ old = SelectObject(dc, font ? font : reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  TEXTMETRIC metrics;
  GetTextMetrics(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(hwnd, dc);
  // The text, a pixel of border above and below it, and the control's borders.
  return std::max(static_cast<int>(metrics.tmHeight) + 2 + 2 * kVerticalBorder, data.min_height);
}

// Keeps the control along its parent's bottom edge at its own height.
void Reposition(HWND hwnd, const StatusData& data) {
  if (StyleOf(hwnd) & CCS_NORESIZE) return;
  const HWND parent = ParentOf(hwnd);
  if (!parent) return;
  RECT client;
  GetClientRect(parent, &client);
  const int height = Height(hwnd, data);
  const DWORD style = StyleOf(hwnd);
  const bool top = (style & CCS_BOTTOM) == CCS_TOP;
  SetWindowPos(hwnd, nullptr, 0, top ? 0 : client.bottom - height, client.right, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// Left, centre and right segments of a text split at its tabs.
void PaintText(HDC hdc, const RECT& rect, const std::string& text, bool enabled) {
  const RECT inside{rect.left + kTextInset, rect.top, rect.right - kTextInset, rect.bottom};
  const UINT aligns[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
  std::size_t start = 0;
  for (int segment = 0; segment < 3 && start <= text.size(); ++segment) {
    const std::size_t tab = segment < 2 ? text.find('\t', start) : std::string::npos;
    const std::size_t end = tab == std::string::npos ? text.size() : tab;
    if (end > start)
      StylePainter::PaintLabel(hdc, inside, std::string_view(text).substr(start, end - start),
                               aligns[segment] | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, enabled);
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
}

void PaintPart(HWND hwnd, HDC hdc, const Part& part, std::size_t index, const RECT& rect) {
  RECT inside = rect;
  if (part.type & SBT_POPOUT) inside = StylePainter::PaintFrame(hdc, rect, StylePainter::Frame::kRaisedThin);
  else if (!(part.type & SBT_NOBORDERS)) inside = StylePainter::PaintFrame(hdc, rect, StylePainter::Frame::kSunkenThin);
  if (part.type & SBT_OWNERDRAW) {
    const HWND parent = ParentOf(hwnd);
    if (!parent) return;
    DRAWITEMSTRUCT item;
    item.CtlID = static_cast<UINT>(IdOf(hwnd));
    item.itemID = static_cast<UINT>(index);
    item.itemAction = ODA_DRAWENTIRE;
    item.hwndItem = hwnd;
    item.hDC = hdc;
    item.rcItem = inside;
    item.itemData = part.item_data;
    SendMessage(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    return;
  }
  PaintText(hdc, inside, part.text, IsWindowEnabled(hwnd) != FALSE);
}

void Paint(HWND hwnd, const StatusData& data) {
  ControlPaintScope scope(hwnd);
  if (!scope.dc()) return;
  const HDC hdc = scope.dc();
  StylePainter::FillSolid(hdc, scope.client(), GetSysColor(COLOR_3DFACE));
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
  if (data.simple) {
    PaintPart(hwnd, hdc, data.simple_part, SB_SIMPLEID, PartRect(hwnd, data, 0));
  } else {
    for (std::size_t i = 0; i < data.parts.size(); ++i) PaintPart(hwnd, hdc, data.parts[i], i, PartRect(hwnd, data, i));
  }
  if (HasGrip(hwnd)) {
    const RECT grip = GripRect(hwnd);
    StylePainter::FillSolid(hdc, grip, GetSysColor(COLOR_3DFACE));
    StylePainter::PaintSizeGrip(hdc, grip);
  }
}

Part* PartAt(StatusData& data, WPARAM index) {
  if (index == SB_SIMPLEID) return &data.simple_part;
  return index < data.parts.size() ? &data.parts[index] : nullptr;
}

LRESULT SetText(HWND hwnd, StatusData& data, WPARAM wParam, LPARAM lParam) {
  Part* part = PartAt(data, wParam & 0xFF);
  if (!part) return FALSE;
  const UINT type = static_cast<UINT>(wParam) & 0xFF00;
  if (type & SBT_OWNERDRAW) {
    part->text.clear();
    part->item_data = static_cast<UINT_PTR>(lParam);
  } else {
    const char* text = reinterpret_cast<const char*>(lParam);
    // The same text in the same way asks for no repaint.
    if (part->type == type && part->text == (text ? text : "")) return TRUE;
    part->text = text ? text : "";
  }
  part->type = type;
  InvalidateRect(hwnd, nullptr, FALSE);
  return TRUE;
}

LRESULT GetText(StatusData& data, WPARAM index, LPARAM buffer, bool length_only) {
  const Part* part = PartAt(data, index & 0xFF);
  if (!part) return 0;
  if (part->type & SBT_OWNERDRAW) return static_cast<LRESULT>(part->item_data);
  if (!length_only && buffer) {
    char* out = reinterpret_cast<char*>(buffer);
    std::memcpy(out, part->text.c_str(), part->text.size() + 1);
  }
  return MAKELRESULT(static_cast<unsigned>(std::min<std::size_t>(part->text.size(), 0xFFFF)), part->type);
}

LRESULT SetParts(HWND hwnd, StatusData& data, WPARAM count, LPARAM edges) {
  if (count == 0 || count > kMaxParts || !edges) return FALSE;
  const int* rights = reinterpret_cast<const int*>(edges);
  data.parts.resize(count);
  for (std::size_t i = 0; i < count; ++i) data.parts[i].right = rights[i];
  InvalidateRect(hwnd, nullptr, FALSE);
  return TRUE;
}

LRESULT GetParts(const StatusData& data, WPARAM count, LPARAM edges) {
  int* out = reinterpret_cast<int*>(edges);
  if (out)
    for (std::size_t i = 0; i < std::min<std::size_t>(count, data.parts.size()); ++i) out[i] = data.parts[i].right;
  return static_cast<LRESULT>(data.parts.size());
}

LRESULT HitTest(HWND hwnd, LPARAM lParam) {
  if (!HasGrip(hwnd)) return HTCLIENT;
  POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ScreenToClient(hwnd, &at);
  const RECT grip = GripRect(hwnd);
  const bool in_grip = at.x >= grip.left && at.x < grip.right && at.y >= grip.top && at.y < grip.bottom;
  return in_grip ? HTBOTTOMRIGHT : HTCLIENT;
}

}  // namespace

LRESULT StatusBarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto state = ControlState<StatusData>(hwnd);
  if (!state) return 0;
  StatusData& data = *state;
  switch (message) {
    case WM_CREATE: Reposition(hwnd, data); return 0;
    case WM_SIZE: Reposition(hwnd, data); return 0;  // the parent passes its own WM_SIZE on
    case WM_PAINT: Paint(hwnd, data); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_NCHITTEST: return HitTest(hwnd, lParam);
    case WM_NCLBUTTONDOWN:
      // The grip sizes the parent, as its own corner would.
      if (wParam == HTBOTTOMRIGHT && ParentOf(hwnd))
        return SendMessage(ParentOf(hwnd), WM_SYSCOMMAND, SC_SIZE | WMSZ_BOTTOMRIGHT, lParam);
      break;
    case WM_SETTEXT: return SetText(hwnd, data, 0, lParam);
    case WM_GETTEXT: {
      const std::string& text = data.parts.front().text;
      char* out = reinterpret_cast<char*>(lParam);
      if (!out || wParam == 0) return 0;
      const std::size_t count = std::min<std::size_t>(text.size(), wParam - 1);
      std::memcpy(out, text.data(), count);
      out[count] = '\0';
      return static_cast<LRESULT>(count);
    }
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(data.parts.front().text.size());
    case SB_SETTEXT: return SetText(hwnd, data, wParam, lParam);
    case SB_GETTEXT: return GetText(data, wParam, lParam, false);
    case SB_GETTEXTLENGTH: return GetText(data, wParam, 0, true);
    case SB_SETPARTS: return SetParts(hwnd, data, wParam, lParam);
    case SB_GETPARTS: return GetParts(data, wParam, lParam);
    case SB_GETBORDERS: {
      int* out = reinterpret_cast<int*>(lParam);
      if (!out) return FALSE;
      out[0] = kHorizontalBorder;
      out[1] = kVerticalBorder;
      out[2] = kGap;
      return TRUE;
    }
    case SB_SETMINHEIGHT:
      data.min_height = static_cast<int>(wParam);
      return 0;  // takes effect at the next WM_SIZE
    case SB_SIMPLE:
      data.simple = wParam != 0;
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case SB_ISSIMPLE: return data.simple ? TRUE : FALSE;
    case SB_GETRECT: {
      RECT* out = reinterpret_cast<RECT*>(lParam);
      if (!out || (!data.simple && wParam >= data.parts.size())) return FALSE;
      *out = PartRect(hwnd, data, data.simple ? 0 : wParam);
      return TRUE;
    }
    case WM_SETFONT:
      DefWindowProc(hwnd, message, wParam, lParam);
      Reposition(hwnd, data);
      if (LOWORD(static_cast<std::uint64_t>(lParam))) InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
  }
  return DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace ui::internal

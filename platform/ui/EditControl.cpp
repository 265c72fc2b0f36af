// The edit control: single-line, or multi-line with CR LF line breaks. It
// keeps its own text, a selection (the caret is its end), a text limit
// that binds the user and EM_REPLACESEL but not WM_SETTEXT, read-only
// state and the modified flag.
#include <algorithm>
#include <cstring>

#include "platform/ui/Clipboard.h"
#include "platform/ui/ControlMessages.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/StylePainter.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/RawInput.h"
#include "platform/ui/ScrollBars.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/CharacterSteps.h"
#include "platform/ui/internal/ControlPaint.h"
#include "platform/ui/internal/EditData.h"
#include "platform/ui/internal/StandardClasses.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui::internal {

std::vector<std::size_t> LineStarts(const std::string& text) {
  std::vector<std::size_t> starts{0};
  for (std::size_t i = text.find("\r\n"); i != std::string::npos; i = text.find("\r\n", i + 2))
    starts.push_back(i + 2);
  return starts;
}

std::size_t LineOf(const std::string& text, std::size_t offset) {
  const auto starts = LineStarts(text);
  return static_cast<std::size_t>(std::upper_bound(starts.begin(), starts.end(), offset) - starts.begin()) - 1;
}

std::size_t LineLength(const std::string& text, std::size_t start) {
  const std::size_t end = text.find("\r\n", start);
  return (end == std::string::npos ? text.size() : end) - start;
}

TextMeasure::TextMeasure(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {
  HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessage(hwnd, WM_GETFONT, 0, 0));
  old_ = SelectObject(dc_, font ? font : GetStockObject(DEFAULT_GUI_FONT));
}

TextMeasure::~TextMeasure() {
  SelectObject(dc_, old_);
  ReleaseDC(hwnd_, dc_);
}

int TextMeasure::Width(std::string_view text) const {
  SIZE size{0, 0};
  GetTextExtentPoint32(dc_, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

int TextMeasure::LineHeight() const {
  TEXTMETRIC metrics;
  GetTextMetrics(dc_, &metrics);
  return std::max(1, static_cast<int>(metrics.tmHeight));
}

namespace {

// Pixels between the client edge and the text.
constexpr int kMargin = kEditMargin;

bool IsMultiLine(HWND hwnd) { return (StyleOf(hwnd) & ES_MULTILINE) != 0; }

void Changed(HWND hwnd, EditData& data) {
  data.modified = true;
  InvalidateRect(hwnd, nullptr, TRUE);
  if (IsMultiLine(hwnd)) UpdateEditScrollBars(hwnd, data);
  NotifyParent(hwnd, EN_UPDATE);
  NotifyParent(hwnd, EN_CHANGE);
}

// Replaces the selection; `by_user` applies the limit and the content
// filters of the styles. Returns false when nothing could be inserted.
bool ReplaceSelection(HWND hwnd, EditData& data, std::string insert, bool by_user) {
  const std::size_t start = std::min(data.sel_start, data.sel_end);
  const std::size_t end = std::max(data.sel_start, data.sel_end);
  const std::size_t remaining = data.text.size() - (end - start);
  bool truncated = false;
  if (remaining + insert.size() > data.limit) {
    insert.resize(CharacterStart(insert, data.limit > remaining ? data.limit - remaining : 0));
    truncated = true;
  }
  if (by_user && !IsMultiLine(hwnd)) std::erase_if(insert, [](char c) { return c == '\r' || c == '\n'; });
  if (insert.empty() && start == end) {
    if (truncated) NotifyParent(hwnd, EN_MAXTEXT);
    return false;
  }
  data.text.replace(start, end - start, insert);
  data.sel_start = data.sel_end = start + insert.size();
  Changed(hwnd, data);
  if (truncated) NotifyParent(hwnd, EN_MAXTEXT);
  return true;
}

void Type(HWND hwnd, EditData& data, char ch) {
  const DWORD style = StyleOf(hwnd);
  if (style & ES_READONLY) return;
  if (ch == '\b') {
    if (data.sel_start == data.sel_end) data.sel_start = PreviousCharacter(data.text, data.sel_start);
    ReplaceSelection(hwnd, data, "", true);
    return;
  }
  if (ch == '\r') {
    if (style & ES_MULTILINE) ReplaceSelection(hwnd, data, "\r\n", true);
    return;
  }
  if (static_cast<unsigned char>(ch) < 0x20) return;
  if ((style & ES_NUMBER) && (ch < '0' || ch > '9')) return;
  if (style & ES_UPPERCASE) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  if (style & ES_LOWERCASE) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  ReplaceSelection(hwnd, data, std::string(1, ch), true);
}

// Cut, copy, paste and clear work on the selection; a read-only control
// only copies.
void ClipboardMessage(HWND hwnd, EditData& data, UINT message) {
  const std::size_t start = std::min(data.sel_start, data.sel_end), end = std::max(data.sel_start, data.sel_end);
  const bool read_only = (StyleOf(hwnd) & ES_READONLY) != 0;
  if ((message == WM_COPY || message == WM_CUT) && start != end)
    SetClipboardText(data.text.substr(start, end - start));
  if (read_only) return;
  if (message == WM_PASTE) {
    std::string text;
    if (GetClipboardText(text)) ReplaceSelection(hwnd, data, text, true);
  } else if ((message == WM_CUT || message == WM_CLEAR) && start != end) {
    ReplaceSelection(hwnd, data, "", false);
  }
}

LRESULT GetSelection(const EditData& data, WPARAM wParam, LPARAM lParam) {
  const std::size_t start = std::min(data.sel_start, data.sel_end), end = std::max(data.sel_start, data.sel_end);
  if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(start);
  if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(end);
  return MAKELRESULT(static_cast<unsigned>(std::min<std::size_t>(start, 0xFFFF)),
                     static_cast<unsigned>(std::min<std::size_t>(end, 0xFFFF)));
}

void SetSelection(EditData& data, WPARAM wParam, LPARAM lParam) {
  const auto start = static_cast<std::int64_t>(wParam), end = static_cast<std::int64_t>(lParam);
  const auto size = static_cast<std::int64_t>(data.text.size());
  if (start < 0) {  // -1 removes the selection and keeps the caret
    data.sel_start = data.sel_end;
    return;
  }
  data.sel_start = static_cast<std::size_t>(std::min(start, size));
  data.sel_end = static_cast<std::size_t>(end < 0 ? size : std::min(end, size));
}

LRESULT GetLine(const EditData& data, WPARAM line, LPARAM buffer) {
  const auto starts = LineStarts(data.text);
  if (line >= starts.size() || !buffer) return 0;
  char* out = reinterpret_cast<char*>(buffer);
  WORD capacity;
  std::memcpy(&capacity, out, sizeof capacity);  // the first word holds the buffer size
  const std::size_t count = std::min<std::size_t>(LineLength(data.text, starts[line]), capacity);
  std::memcpy(out, data.text.data() + starts[line], count);
  return static_cast<LRESULT>(count);
}

LRESULT TextMessage(HWND hwnd, EditData& data, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT:
      data.text = lParam ? reinterpret_cast<const char*>(lParam) : "";
      data.sel_start = data.sel_end = data.first_visible = data.first_line = 0;
      data.x_offset = 0;
      data.modified = false;
      InvalidateRect(hwnd, nullptr, TRUE);
      if (IsMultiLine(hwnd)) {
        UpdateEditScrollBars(hwnd, data);
      } else {
        NotifyParent(hwnd, EN_UPDATE);
        NotifyParent(hwnd, EN_CHANGE);
      }
      return TRUE;
    case WM_GETTEXT: {
      char* out = reinterpret_cast<char*>(lParam);
      if (!out || !wParam) return 0;
      const std::size_t count = std::min<std::size_t>(data.text.size(), wParam - 1);
      std::memcpy(out, data.text.data(), count);
      out[count] = '\0';
      return static_cast<LRESULT>(count);
    }
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(data.text.size());
  }
  return 0;
}

// What the control shows: stars for a password.
std::string Shown(HWND hwnd, const EditData& data) {
  return (StyleOf(hwnd) & ES_PASSWORD) ? std::string(data.text.size(), '*') : data.text;
}

int TextWidth(RECT client) { return std::max(1, static_cast<int>(client.right - client.left) - 2 * kMargin); }

// Scrolls a single line so the caret stays inside the client area.
void ScrollToCaret(HWND hwnd, EditData& data) {
  if (IsMultiLine(hwnd)) {
    MultiLineScrollToCaret(hwnd, data);
    return;
  }
  const std::string shown = Shown(hwnd, data);
  const std::size_t caret = std::min(data.sel_end, shown.size());
  data.first_visible = std::min(data.first_visible, caret);
  RECT client;
  GetClientRect(hwnd, &client);
  const TextMeasure measure(hwnd);
  const int width = TextWidth(client);
  while (data.first_visible < caret &&
         measure.Width(std::string_view(shown).substr(data.first_visible, caret - data.first_visible)) > width)
    data.first_visible = NextCharacter(shown, data.first_visible);
}

// The character boundary nearest to client x of a single line.
std::size_t OffsetAt(HWND hwnd, const EditData& data, int x) {
  const std::string shown = Shown(hwnd, data);
  const TextMeasure measure(hwnd);
  const int target = x - kMargin;
  int previous = 0;
  for (std::size_t i = data.first_visible; i < shown.size();) {
    const std::size_t after = NextCharacter(shown, i);
    const int next = measure.Width(std::string_view(shown).substr(data.first_visible, after - data.first_visible));
    if (target < (previous + next + 1) / 2) return i;
    previous = next;
    i = after;
  }
  return shown.size();
}

void PaintSingleLine(HWND hwnd, HDC hdc, const RECT& client, const EditData& data) {
  const std::string shown = Shown(hwnd, data);
  const std::string_view visible = std::string_view(shown).substr(std::min(data.first_visible, shown.size()));
  TEXTMETRIC metrics;
  GetTextMetrics(hdc, &metrics);
  const int top = (StyleOf(hwnd) & ES_MULTILINE) ? client.top : client.top + std::max(0, static_cast<int>(client.bottom - client.top - metrics.tmHeight) / 2);
  const int left = client.left + kMargin;
  RECT clip{left, client.top, client.right - kMargin, client.bottom};
  ExtTextOut(hdc, left, top, ETO_CLIPPED, &clip, visible.data(), static_cast<int>(visible.size()), nullptr);
  const auto x_of = [&](std::size_t offset) {
    SIZE size{0, 0};
    const std::size_t from = std::min(data.first_visible, shown.size());
    const std::size_t count = offset > from ? offset - from : 0;
    GetTextExtentPoint32(hdc, shown.data() + from, static_cast<int>(count), &size);
    return left + size.cx;
  };
  const std::size_t start = std::min(data.sel_start, data.sel_end), end = std::max(data.sel_start, data.sel_end);
  const bool show_selection = data.focused || (StyleOf(hwnd) & ES_NOHIDESEL);
  if (start != end && show_selection) {
    // The selection is drawn again over a highlight band, clipped to it.
    RECT band{std::max<LONG>(x_of(start), clip.left), top, std::min<LONG>(x_of(end), clip.right), top + metrics.tmHeight};
    const COLORREF old_text = SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    const COLORREF old_back = SetBkColor(hdc, GetSysColor(COLOR_HIGHLIGHT));
    ExtTextOut(hdc, left, top, ETO_CLIPPED | ETO_OPAQUE, &band, visible.data(), static_cast<int>(visible.size()), nullptr);
    SetTextColor(hdc, old_text);
    SetBkColor(hdc, old_back);
  }
  if (data.focused) {
    const int x = x_of(data.sel_end);
    StylePainter::FillSolid(hdc, RECT{x, top, x + 1, top + metrics.tmHeight}, GetSysColor(COLOR_WINDOWTEXT));
  }
}

void Paint(HWND hwnd, const EditData& data) {
  ControlPaintScope scope(hwnd);
  if (!scope.dc()) return;
  const HDC hdc = scope.dc();
  // A read-only or disabled edit shows the face colour, as a static does.
  const bool face = (StyleOf(hwnd) & ES_READONLY) || !IsWindowEnabled(hwnd);
  const HBRUSH background = ControlBackground(hwnd, hdc, face ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                                              face ? COLOR_3DFACE : COLOR_WINDOW);
  FillRect(hdc, &scope.client(), background);
  SetBkMode(hdc, TRANSPARENT);
  if (IsMultiLine(hwnd)) PaintMultiLine(hwnd, hdc, scope.client(), data);
  else PaintSingleLine(hwnd, hdc, scope.client(), data);
}

// Moves the caret; with `extend` the anchor stays and the selection grows.
void MoveCaret(HWND hwnd, EditData& data, std::size_t to, bool extend) {
  data.sel_end = std::min(to, data.text.size());
  if (!extend) data.sel_start = data.sel_end;
  ScrollToCaret(hwnd, data);
  InvalidateRect(hwnd, nullptr, FALSE);
}

bool Held(WPARAM key) { return GetKeyState(static_cast<int>(key)) < 0; }

void KeyDown(HWND hwnd, EditData& data, WPARAM key) {
  const bool shift = Held(VK_SHIFT), control = Held(VK_CONTROL);
  const bool read_only = (StyleOf(hwnd) & ES_READONLY) != 0;
  const std::size_t start = std::min(data.sel_start, data.sel_end), end = std::max(data.sel_start, data.sel_end);
  if (IsMultiLine(hwnd)) {
    if (const auto target = MultiLineCaretTarget(hwnd, data, key, control)) {
      MoveCaret(hwnd, data, *target, shift);
      return;
    }
  }
  switch (key) {
    case VK_LEFT:
      if (!shift && start != end) MoveCaret(hwnd, data, start, false);
      else MoveCaret(hwnd, data, PreviousCharacter(data.text, data.sel_end), shift);
      return;
    case VK_RIGHT:
      if (!shift && start != end) MoveCaret(hwnd, data, end, false);
      else MoveCaret(hwnd, data, NextCharacter(data.text, data.sel_end), shift);
      return;
    case VK_HOME: MoveCaret(hwnd, data, 0, shift); return;
    case VK_END: MoveCaret(hwnd, data, data.text.size(), shift); return;
    case VK_INSERT:
      if (control) ClipboardMessage(hwnd, data, WM_COPY);
      else if (shift) ClipboardMessage(hwnd, data, WM_PASTE);
      return;
    case VK_DELETE:
      if (shift) {
        ClipboardMessage(hwnd, data, WM_CUT);
      } else if (!read_only) {
        if (data.sel_start == data.sel_end) data.sel_end = NextCharacter(data.text, data.sel_end);
        ReplaceSelection(hwnd, data, "", true);
      }
      ScrollToCaret(hwnd, data);
      return;
  }
}

// The control characters of the editing shortcuts; true when `ch` was one.
bool ShortcutChar(HWND hwnd, EditData& data, char ch) {
  switch (ch) {
    case 0x01: data.sel_start = 0; data.sel_end = data.text.size(); break;  // Ctrl+A
    case 0x03: ClipboardMessage(hwnd, data, WM_COPY); break;                 // Ctrl+C
    case 0x16: ClipboardMessage(hwnd, data, WM_PASTE); break;                // Ctrl+V
    case 0x18: ClipboardMessage(hwnd, data, WM_CUT); break;                  // Ctrl+X
    default: return false;
  }
  ScrollToCaret(hwnd, data);
  InvalidateRect(hwnd, nullptr, FALSE);
  return true;
}

std::size_t MouseOffset(HWND hwnd, const EditData& data, LPARAM lParam) {
  if (IsMultiLine(hwnd)) return MultiLineOffsetAt(hwnd, data, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  return OffsetAt(hwnd, data, GET_X_LPARAM(lParam));
}

void MouseDown(HWND hwnd, EditData& data, WPARAM keys, LPARAM lParam) {
  if (GetFocus() != hwnd) SetFocus(hwnd);
  SetCapture(hwnd);
  MoveCaret(hwnd, data, MouseOffset(hwnd, data, lParam), (keys & MK_SHIFT) != 0);
}

bool InCombo(HWND hwnd) { return ParentOf(hwnd) && GetClassName(ParentOf(hwnd)) == "ComboBox"; }
bool ComboDropped(HWND hwnd) { return InCombo(hwnd) && SendMessage(ParentOf(hwnd), CB_GETDROPPEDSTATE, 0, 0); }

// The field of a drop-down combo leaves the list keys to its combo: those
// that move the selection, F4 and Alt+Up or Down that drop the list, and
// while it is down the keys that end the drop.
bool ComboWantsKey(HWND hwnd, UINT message, WPARAM key) {
  if (!InCombo(hwnd)) return false;
  if (message == WM_SYSKEYDOWN) return key == VK_UP || key == VK_DOWN;
  switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_F4: return true;
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_TAB:
    case VK_HOME:
    case VK_END: return ComboDropped(hwnd);
  }
  return false;
}

}  // namespace

LRESULT EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCT*>(lParam);
    ControlState<EditData>(hwnd)->text = create && create->lpszName ? create->lpszName : "";
    return TRUE;
  }
  auto state = ControlState<EditData>(hwnd);
  if (!state) return 0;
  EditData& data = *state;
  const auto starts = [&] { return LineStarts(data.text); };
  switch (message) {
    case WM_SETTEXT:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: return TextMessage(hwnd, data, message, wParam, lParam);
    case WM_CHAR:
      if (!ShortcutChar(hwnd, data, static_cast<char>(wParam))) {
        Type(hwnd, data, static_cast<char>(wParam));
        ScrollToCaret(hwnd, data);
      }
      return 0;
    case WM_KEYDOWN:
      if (ComboWantsKey(hwnd, message, wParam)) return SendMessage(ParentOf(hwnd), message, wParam, lParam);
      KeyDown(hwnd, data, wParam);
      return 0;
    case WM_SYSKEYDOWN:
      if (ComboWantsKey(hwnd, message, wParam)) return SendMessage(ParentOf(hwnd), message, wParam, lParam);
      break;
    case WM_PAINT: Paint(hwnd, data); return 0;
    case WM_ERASEBKGND: return 1;  // WM_PAINT fills the whole control
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case WM_LBUTTONDOWN: MouseDown(hwnd, data, wParam, lParam); return 0;
    case WM_MOUSEMOVE:
      if (GetCapture() == hwnd) MoveCaret(hwnd, data, MouseOffset(hwnd, data, lParam), true);
      return 0;
    case WM_LBUTTONUP:
      if (GetCapture() == hwnd) ReleaseCapture();
      return 0;
    case WM_CUT:
    case WM_COPY:
    case WM_PASTE:
    case WM_CLEAR: ClipboardMessage(hwnd, data, message); return 0;
    case EM_GETSEL: return GetSelection(data, wParam, lParam);
    case EM_SETSEL:
      SetSelection(data, wParam, lParam);
      ScrollToCaret(hwnd, data);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case EM_REPLACESEL:
      ReplaceSelection(hwnd, data, lParam ? reinterpret_cast<const char*>(lParam) : "", false);
      return 0;
    case EM_LIMITTEXT:
      data.limit = wParam ? static_cast<std::size_t>(wParam) : (IsMultiLine(hwnd) ? 0xFFFFFFFFu : 0x7FFFFFFEu);
      return 0;
    case EM_GETLIMITTEXT: return static_cast<LRESULT>(data.limit);
    case EM_GETMODIFY: return data.modified ? TRUE : FALSE;
    case EM_SETMODIFY: data.modified = wParam != 0; return 0;
    case EM_SETREADONLY: {
      const DWORD style = StyleOf(hwnd);
      SetWindowLongPtr(hwnd, GWL_STYLE, wParam ? (style | ES_READONLY) : (style & ~ES_READONLY));
      return TRUE;
    }
    case EM_GETLINECOUNT: return static_cast<LRESULT>(starts().size());
    case EM_LINEINDEX: {
      const auto lines = starts();
      const auto line = static_cast<std::int64_t>(wParam) < 0 ? LineOf(data.text, data.sel_end) : wParam;
      return line < lines.size() ? static_cast<LRESULT>(lines[line]) : -1;
    }
    case EM_LINEFROMCHAR: {
      const auto offset = static_cast<std::int64_t>(wParam) < 0 ? data.sel_end : static_cast<std::size_t>(wParam);
      return static_cast<LRESULT>(LineOf(data.text, std::min(offset, data.text.size())));
    }
    case EM_LINELENGTH: {
      const auto offset = static_cast<std::int64_t>(wParam) < 0 ? data.sel_end : static_cast<std::size_t>(wParam);
      const auto lines = starts();
      const std::size_t line = LineOf(data.text, std::min(offset, data.text.size()));
      return static_cast<LRESULT>(LineLength(data.text, lines[line]));
    }
    case EM_GETLINE: return GetLine(data, wParam, lParam);
    case EM_SCROLLCARET:
      ScrollToCaret(hwnd, data);
      InvalidateRect(hwnd, nullptr, FALSE);
      return TRUE;
    case EM_GETFIRSTVISIBLELINE:
      return static_cast<LRESULT>(IsMultiLine(hwnd) ? data.first_line : data.first_visible);
    case EM_LINESCROLL:
      if (!IsMultiLine(hwnd)) return FALSE;
      ScrollEdit(hwnd, data, static_cast<long long>(lParam),
                 static_cast<int>(static_cast<std::int64_t>(wParam)) * TextMeasure(hwnd).Width("x"));
      return TRUE;
    case EM_SCROLL: return IsMultiLine(hwnd) ? EditScrollRequest(hwnd, data, true, static_cast<int>(wParam)) : 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (IsMultiLine(hwnd)) EditScrollRequest(hwnd, data, message == WM_VSCROLL, LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      // Three lines a notch, away from the user scrolling up.
      if (IsMultiLine(hwnd)) ScrollEdit(hwnd, data, -3LL * static_cast<short>(HIWORD(wParam)) / WHEEL_DELTA, 0);
      return 0;
    case WM_SIZE:
      if (IsMultiLine(hwnd)) {
        UpdateEditScrollBars(hwnd, data);
        ScrollEdit(hwnd, data, 0, 0);  // a taller window may show the last lines with fewer above
      }
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (message == WM_KILLFOCUS && ComboDropped(hwnd)) SendMessage(ParentOf(hwnd), CB_SHOWDROPDOWN, FALSE, 0);
      data.focused = message == WM_SETFOCUS;
      InvalidateRect(hwnd, nullptr, FALSE);
      NotifyParent(hwnd, data.focused ? EN_SETFOCUS : EN_KILLFOCUS);
      return 0;
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS;
      if ((StyleOf(hwnd) & (ES_MULTILINE | ES_WANTRETURN)) == (ES_MULTILINE | ES_WANTRETURN))
        code |= DLGC_WANTALLKEYS;
      if (ComboDropped(hwnd)) code |= DLGC_WANTALLKEYS;  // Enter and Esc end the drop, not the dialog
      return code;
    }
  }
  return DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace ui::internal

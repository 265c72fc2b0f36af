// The edit control: single-line, or multi-line with CR LF line breaks. It
// keeps its own text, a selection (the caret is its end), a text limit
// that binds the user and EM_REPLACESEL but not WM_SETTEXT, read-only
// state and the modified flag.
#include <algorithm>
#include <cstring>

#include "platform/ui/Clipboard.h"
#include "platform/ui/ControlMessages.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/StandardClasses.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui::internal {

namespace {

constexpr std::size_t kDefaultLimit = 30000;

struct EditData : ControlData {
  std::string text;
  std::size_t sel_start = 0;
  std::size_t sel_end = 0;
  std::size_t limit = kDefaultLimit;
  bool modified = false;
};

bool IsMultiLine(HWND hwnd) { return (StyleOf(hwnd) & ES_MULTILINE) != 0; }

// Start offsets of every line.
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

void Changed(HWND hwnd, EditData& data) {
  data.modified = true;
  InvalidateRect(hwnd, nullptr, TRUE);
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
    insert.resize(data.limit > remaining ? data.limit - remaining : 0);
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
    if (data.sel_start == data.sel_end && data.sel_start > 0) {
      const bool crlf = data.sel_start >= 2 && data.text.compare(data.sel_start - 2, 2, "\r\n") == 0;
      data.sel_start -= crlf ? 2 : 1;
    }
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
      data.sel_start = data.sel_end = 0;
      data.modified = false;
      InvalidateRect(hwnd, nullptr, TRUE);
      if (!IsMultiLine(hwnd)) {
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
    case WM_CHAR: Type(hwnd, data, static_cast<char>(wParam)); return 0;
    case WM_KEYDOWN:
      if (wParam == VK_DELETE && !(StyleOf(hwnd) & ES_READONLY)) {
        if (data.sel_start == data.sel_end && data.sel_end < data.text.size()) ++data.sel_end;
        ReplaceSelection(hwnd, data, "", true);
      } else if (wParam == VK_HOME) {
        data.sel_start = data.sel_end = 0;
      } else if (wParam == VK_END) {
        data.sel_start = data.sel_end = data.text.size();
      }
      return 0;
    case WM_CUT:
    case WM_COPY:
    case WM_PASTE:
    case WM_CLEAR: ClipboardMessage(hwnd, data, message); return 0;
    case EM_GETSEL: return GetSelection(data, wParam, lParam);
    case EM_SETSEL: SetSelection(data, wParam, lParam); return 0;
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
    case EM_SCROLLCARET: return TRUE;
    case WM_SETFOCUS: NotifyParent(hwnd, EN_SETFOCUS); return 0;
    case WM_KILLFOCUS: NotifyParent(hwnd, EN_KILLFOCUS); return 0;
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS;
      if ((StyleOf(hwnd) & (ES_MULTILINE | ES_WANTRETURN)) == (ES_MULTILINE | ES_WANTRETURN))
        code |= DLGC_WANTALLKEYS;
      return code;
    }
  }
  return DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace ui::internal

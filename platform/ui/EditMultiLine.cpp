// The multi-line edit: lines scrolled by whole lines from the top and by
// pixels from the left, shown with the window's own scroll bars when its
// styles give it them. Only the lines in view are measured and drawn, so
// a long text (the conversion log holds up to 40,000 characters) costs
// what a screenful costs.
#include <algorithm>

#include "platform/ui/ControlMessages.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/Messages.h"
#include "platform/ui/ScrollBars.h"
#include "platform/ui/StylePainter.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/internal/CharacterSteps.h"
#include "platform/ui/internal/EditData.h"
#include "platform/ui/internal/WindowAccess.h"

namespace ui::internal {

namespace {

struct View {
  int line_height;
  int lines_shown;  // whole lines that fit, at least one
  int text_width;   // pixels for text between the margins
};

View ViewOf(HWND hwnd, const TextMeasure& measure) {
  RECT client;
  GetClientRect(hwnd, &client);
  const int height = measure.LineHeight();
  return View{height, std::max(1, static_cast<int>(client.bottom - client.top) / height),
              std::max(1, static_cast<int>(client.right - client.left) - 2 * kEditMargin)};
}

// The widest line, as far as the horizontal bar needs it: the line with
// the most characters, measured. Measuring every line of a long log on
// each append would cost more than the whole append.
int WidestLine(const std::string& text, const std::vector<std::size_t>& starts, const TextMeasure& measure) {
  std::size_t longest = 0, longest_length = 0;
  for (std::size_t i = 0; i < starts.size(); ++i) {
    const std::size_t length = LineLength(text, starts[i]);
    if (length > longest_length) longest = i, longest_length = length;
  }
  return measure.Width(std::string_view(text).substr(starts[longest], longest_length));
}

// The furthest the text scrolls: the last line at the bottom, the widest
// line's end at the right.
std::size_t MaxFirstLine(std::size_t line_count, const View& view) {
  const auto shown = static_cast<std::size_t>(view.lines_shown);
  return line_count > shown ? line_count - shown : 0;
}

int PixelOffsetIn(const std::string& text, std::size_t line_start, std::size_t offset, const TextMeasure& measure) {
  return measure.Width(std::string_view(text).substr(line_start, offset - line_start));
}

}  // namespace

void UpdateEditScrollBars(HWND hwnd, const EditData& data) {
  const DWORD style = StyleOf(hwnd);
  if (!(style & (WS_VSCROLL | WS_HSCROLL))) return;
  const TextMeasure measure(hwnd);
  const View view = ViewOf(hwnd, measure);
  const auto starts = LineStarts(data.text);
  SCROLLINFO info;
  // An edit keeps its bars, disabled, when everything fits.
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  if (style & WS_VSCROLL) {
    info.nMin = 0;
    info.nMax = static_cast<int>(starts.size()) - 1;
    info.nPage = static_cast<UINT>(view.lines_shown);
    info.nPos = static_cast<int>(data.first_line);
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
  }
  if (style & WS_HSCROLL) {
    info.nMin = 0;
    info.nMax = WidestLine(data.text, starts, measure) + kEditMargin;
    info.nPage = static_cast<UINT>(view.text_width);
    info.nPos = data.x_offset;
    SetScrollInfo(hwnd, SB_HORZ, &info, TRUE);
  }
}

void ScrollEdit(HWND hwnd, EditData& data, long long lines, int pixels) {
  const TextMeasure measure(hwnd);
  const View view = ViewOf(hwnd, measure);
  const auto starts = LineStarts(data.text);
  const auto max_first = static_cast<long long>(MaxFirstLine(starts.size(), view));
  const long long first = std::clamp(static_cast<long long>(data.first_line) + lines, 0LL, max_first);
  const int widest = WidestLine(data.text, starts, measure) + kEditMargin;
  const int x = std::clamp(data.x_offset + pixels, 0, std::max(0, widest - view.text_width));
  if (static_cast<std::size_t>(first) == data.first_line && x == data.x_offset) return;
  data.first_line = static_cast<std::size_t>(first);
  data.x_offset = x;
  InvalidateRect(hwnd, nullptr, FALSE);
  UpdateEditScrollBars(hwnd, data);
}

void MultiLineScrollToCaret(HWND hwnd, EditData& data) {
  const TextMeasure measure(hwnd);
  const View view = ViewOf(hwnd, measure);
  const auto starts = LineStarts(data.text);
  const std::size_t caret = std::min(data.sel_end, data.text.size());
  const std::size_t line = LineOf(data.text, caret);
  long long lines = 0;
  if (line < data.first_line) lines = static_cast<long long>(line) - static_cast<long long>(data.first_line);
  else if (line >= data.first_line + static_cast<std::size_t>(view.lines_shown))
    lines = static_cast<long long>(line - (data.first_line + static_cast<std::size_t>(view.lines_shown) - 1));
  const int caret_x = PixelOffsetIn(data.text, starts[line], caret, measure);
  int pixels = 0;
  if (caret_x < data.x_offset) pixels = caret_x - data.x_offset;
  else if (caret_x > data.x_offset + view.text_width) pixels = caret_x - (data.x_offset + view.text_width);
  ScrollEdit(hwnd, data, lines, pixels);
}

void PaintMultiLine(HWND hwnd, HDC hdc, const RECT& client, const EditData& data) {
  TEXTMETRIC metrics;
  GetTextMetrics(hdc, &metrics);
  const int height = std::max(1, static_cast<int>(metrics.tmHeight));
  const int left = client.left + kEditMargin - data.x_offset;
  const RECT clip{client.left + kEditMargin, client.top, client.right - kEditMargin, client.bottom};
  const std::size_t sel_from = std::min(data.sel_start, data.sel_end), sel_to = std::max(data.sel_start, data.sel_end);
  const bool show_selection = sel_from != sel_to && (data.focused || (StyleOf(hwnd) & ES_NOHIDESEL));
  const auto starts = LineStarts(data.text);
  const auto x_of = [&](std::size_t line_start, std::size_t offset) {
    SIZE size{0, 0};
    GetTextExtentPoint32(hdc, data.text.data() + line_start, static_cast<int>(offset - line_start), &size);
    return left + static_cast<int>(size.cx);
  };
  int y = client.top;
  for (std::size_t line = data.first_line; line < starts.size() && y < client.bottom; ++line, y += height) {
    const std::size_t start = starts[line], end = start + LineLength(data.text, start);
    const char* chars = data.text.data() + start;
    const int count = static_cast<int>(end - start);
    ExtTextOut(hdc, left, y, ETO_CLIPPED, &clip, chars, count, nullptr);
    if (show_selection && sel_from <= end && sel_to > start) {
      // The selected part again, in the highlight colours, clipped to its band;
      // a selected line break shows as a little band past the line's end.
      const int from = x_of(start, std::max(sel_from, start));
      const int to = sel_to > end ? x_of(start, end) + metrics.tmAveCharWidth : x_of(start, sel_to);
      const RECT band{std::max<LONG>(from, clip.left), y, std::min<LONG>(to, clip.right), y + height};
      const COLORREF old_text = SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
      const COLORREF old_back = SetBkColor(hdc, GetSysColor(COLOR_HIGHLIGHT));
      ExtTextOut(hdc, left, y, ETO_CLIPPED | ETO_OPAQUE, &band, chars, count, nullptr);
      SetTextColor(hdc, old_text);
      SetBkColor(hdc, old_back);
    }
    if (data.focused && data.sel_end >= start && data.sel_end <= end) {
      const int x = x_of(start, data.sel_end);
      if (x >= clip.left && x < clip.right)
        StylePainter::FillSolid(hdc, RECT{x, y, x + 1, y + height}, GetSysColor(COLOR_WINDOWTEXT));
    }
  }
}

std::size_t MultiLineOffsetAt(HWND hwnd, const EditData& data, POINT point) {
  const TextMeasure measure(hwnd);
  const View view = ViewOf(hwnd, measure);
  const auto starts = LineStarts(data.text);
  const long long row = point.y < 0 ? -1 : point.y / view.line_height;
  const auto line = static_cast<std::size_t>(
      std::clamp(static_cast<long long>(data.first_line) + row, 0LL, static_cast<long long>(starts.size()) - 1));
  const std::size_t start = starts[line], length = LineLength(data.text, start);
  const int target = point.x - kEditMargin + data.x_offset;
  int previous = 0;
  const std::string_view line_text = std::string_view(data.text).substr(start, length);
  for (std::size_t i = 0; i < length;) {
    const std::size_t after = NextCharacter(line_text, i);
    const int next = measure.Width(line_text.substr(0, after));
    if (target < (previous + next + 1) / 2) return start + i;
    previous = next;
    i = after;
  }
  return start + length;
}

std::optional<std::size_t> MultiLineCaretTarget(HWND hwnd, const EditData& data, WPARAM key, bool control) {
  const auto starts = LineStarts(data.text);
  const std::size_t caret = std::min(data.sel_end, data.text.size());
  const std::size_t line = LineOf(data.text, caret);
  const auto line_end = [&](std::size_t l) { return starts[l] + LineLength(data.text, starts[l]); };
  long long move = 0;
  switch (key) {
    case VK_HOME: return control ? 0 : starts[line];
    case VK_END: return control ? data.text.size() : line_end(line);
    case VK_UP: move = -1; break;
    case VK_DOWN: move = 1; break;
    case VK_PRIOR:
    case VK_NEXT: {
      const TextMeasure measure(hwnd);
      const long long page = ViewOf(hwnd, measure).lines_shown;
      move = key == VK_PRIOR ? -page : page;
      break;
    }
    default: return std::nullopt;
  }
  // The caret keeps its column as far as the line allows.
  const auto target = static_cast<std::size_t>(
      std::clamp(static_cast<long long>(line) + move, 0LL, static_cast<long long>(starts.size()) - 1));
  return CharacterStart(data.text, std::min(starts[target] + (caret - starts[line]), line_end(target)));
}

LRESULT EditScrollRequest(HWND hwnd, EditData& data, bool vertical, int code) {
  const TextMeasure measure(hwnd);
  const View view = ViewOf(hwnd, measure);
  const std::size_t before = data.first_line;
  const int step = vertical ? 1 : measure.Width("x");
  const int page = vertical ? view.lines_shown : view.text_width;
  long long amount = 0;
  switch (code) {
    case SB_LINEUP: amount = -step; break;
    case SB_LINEDOWN: amount = step; break;
    case SB_PAGEUP: amount = -page; break;
    case SB_PAGEDOWN: amount = page; break;
    case SB_TOP: amount = -(1LL << 40); break;
    case SB_BOTTOM: amount = 1LL << 40; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info;
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(hwnd, vertical ? SB_VERT : SB_HORZ, &info);
      amount = vertical ? info.nTrackPos - static_cast<long long>(data.first_line) : info.nTrackPos - data.x_offset;
      break;
    }
    default: return 0;
  }
  if (vertical) ScrollEdit(hwnd, data, amount, 0);
  else ScrollEdit(hwnd, data, 0, static_cast<int>(std::clamp<long long>(amount, -(1 << 28), 1 << 28)));
  const long long scrolled = static_cast<long long>(data.first_line) - static_cast<long long>(before);
  return MAKELRESULT(static_cast<unsigned>(scrolled) & 0xFFFF, TRUE);
}

}  // namespace ui::internal

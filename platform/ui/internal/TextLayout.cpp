#include "platform/ui/internal/TextLayout.h"

#include <algorithm>

#include "platform/ui/Text.h"

namespace ui::internal {

namespace {

// The byte length of the UTF-8 character starting at `s[i]`.
std::size_t CharLength(std::string_view s, std::size_t i) {
  const auto c = static_cast<unsigned char>(s[i]);
  std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
  return std::min(n, s.size() - i);
}

// Cuts characters from the end until the text with "..." fits `width`.
std::string WithEllipsis(const std::string& text, int width, const MeasureFn& measure) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < text.size(); i += CharLength(text, i)) starts.push_back(i);
  for (std::size_t keep = starts.size(); keep-- > 0;) {
    std::string candidate = text.substr(0, starts[keep]) + "...";
    if (measure(candidate) <= width || keep == 0) return candidate;
  }
  return "...";
}

std::vector<std::string> SplitLines(std::string_view text, bool single_line) {
  std::vector<std::string> lines;
  if (single_line) {
    lines.emplace_back(text);
    return lines;
  }
  std::string current;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.push_back(std::move(current));
      current.clear();
    } else if (text[i] == '\n') {
      lines.push_back(std::move(current));
      current.clear();
    } else {
      current += text[i];
    }
  }
  lines.push_back(std::move(current));
  return lines;
}

// Breaks a line at spaces so that each piece fits `width` (a word longer
// than the width stays whole).
std::vector<std::string> WrapLine(const std::string& line, int width, const MeasureFn& measure) {
  std::vector<std::string> out;
  std::string current;
  std::size_t i = 0;
  while (i < line.size()) {
    std::size_t end = line.find(' ', i);
    if (end == std::string::npos) end = line.size();
    const std::string word = line.substr(i, end - i);
    const std::string candidate = current.empty() ? word : current + " " + word;
    if (!current.empty() && measure(candidate) > width) {
      out.push_back(current);
      current = word;
    } else {
      current = candidate;
    }
    i = end + 1;
  }
  out.push_back(current);
  return out;
}

}  // namespace

std::string StripPrefixes(std::string_view text, std::size_t* mark_begin, std::size_t* mark_end) {
  std::string out;
  out.reserve(text.size());
  *mark_begin = *mark_end = std::string::npos;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      out += text[i];
      continue;
    }
    if (i + 1 >= text.size()) break;  // a lone "&" at the end shows nothing
    if (text[i + 1] == '&') {
      out += '&';
      ++i;
      continue;
    }
    const std::size_t length = CharLength(text, i + 1);
    if (*mark_begin == std::string::npos) {
      *mark_begin = out.size();
      *mark_end = out.size() + length;
    }
    out.append(text.substr(i + 1, length));
    i += length;
  }
  return out;
}

TextLayout LayOutText(std::string_view text, const RECT& rect, UINT format, int line_height, const MeasureFn& measure) {
  std::size_t mark_begin = std::string::npos, mark_end = std::string::npos;
  std::string plain = (format & DT_NOPREFIX) ? std::string(text) : StripPrefixes(text, &mark_begin, &mark_end);
  const bool single = format & DT_SINGLELINE;
  const int width = rect.right - rect.left;

  // Lines with the mark's position carried along (only the line holding it).
  std::vector<std::string> lines;
  std::size_t mark_line = std::string::npos, offset = 0, mark_in_line = 0, mark_length = 0;
  for (std::string& line : SplitLines(plain, single)) {
    std::vector<std::string> pieces =
        (format & DT_WORDBREAK) && !single ? WrapLine(line, width, measure) : std::vector<std::string>{line};
    std::size_t piece_offset = offset;
    for (std::string& piece : pieces) {
      if (mark_begin != std::string::npos && mark_line == std::string::npos && mark_begin >= piece_offset &&
          mark_begin < piece_offset + piece.size()) {
        mark_line = lines.size();
        mark_in_line = mark_begin - piece_offset;
        mark_length = mark_end - mark_begin;
      }
      piece_offset += piece.size() + 1;
      lines.push_back(std::move(piece));
    }
    offset += line.size() + 1;
  }

  TextLayout layout;
  const int total_height = static_cast<int>(lines.size()) * line_height;
  int top = rect.top;
  if (single && (format & DT_VCENTER)) top = rect.top + (rect.bottom - rect.top - total_height) / 2;
  else if (single && (format & DT_BOTTOM)) top = rect.bottom - total_height;

  for (std::size_t i = 0; i < lines.size(); ++i) {
    TextLine line;
    line.text = std::move(lines[i]);
    int w = measure(line.text);
    const bool cut = (format & DT_END_ELLIPSIS) && w > width;
    if (cut) {
      line.text = WithEllipsis(line.text, width, measure);
      w = measure(line.text);
    }
    int left = rect.left;
    if (format & DT_CENTER) left = rect.left + (width - w) / 2;
    else if (format & DT_RIGHT) left = rect.right - w;
    const int y = top + static_cast<int>(i) * line_height;
    line.box = RECT{left, y, left + w, y + line_height};
    const bool mark_shown = i == mark_line && !(format & DT_HIDEPREFIX) && mark_in_line + mark_length <= line.text.size() &&
                            !(cut && mark_in_line + mark_length > line.text.size() - 3);
    if (mark_shown) {
      line.underline_left = measure(std::string_view(line.text).substr(0, mark_in_line));
      line.underline_right = measure(std::string_view(line.text).substr(0, mark_in_line + mark_length));
    }
    layout.lines.push_back(std::move(line));
  }

  layout.bounds = RECT{rect.left, top, rect.left, top + total_height};
  if (!layout.lines.empty()) {
    int left = layout.lines[0].box.left, right = layout.lines[0].box.right;
    for (const TextLine& line : layout.lines) {
      left = std::min(left, line.box.left);
      right = std::max(right, line.box.right);
    }
    layout.bounds.left = left;
    layout.bounds.right = right;
  }
  // With vertical centring or bottom alignment the result reaches from the
  // rectangle's top to the text's bottom.
  layout.result = (single && (format & (DT_VCENTER | DT_BOTTOM))) ? top + total_height - rect.top : total_height;
  return layout;
}

}  // namespace ui::internal

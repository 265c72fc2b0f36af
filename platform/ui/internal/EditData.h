// The edit control's state and the text helpers its single-line and
// multi-line halves share.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/Types.h"
#include "platform/ui/internal/WindowRecord.h"

namespace ui::internal {

struct EditData : ControlData {
  std::string text;
  std::size_t sel_start = 0;
  std::size_t sel_end = 0;
  std::size_t limit = 30000;
  bool modified = false;
  bool focused = false;
  std::size_t first_visible = 0;  // a single line: the first character shown
  std::size_t first_line = 0;     // multi-line: the line at the top
  int x_offset = 0;               // multi-line: pixels scrolled off at the left
};

// Pixels between the client edge and the text.
constexpr int kEditMargin = 2;

// Start offsets of every line (lines end with CR LF).
std::vector<std::size_t> LineStarts(const std::string& text);
std::size_t LineOf(const std::string& text, std::size_t offset);
std::size_t LineLength(const std::string& text, std::size_t start);

// Measures text in the control's font, on a context of its own.
class TextMeasure {
 public:
  explicit TextMeasure(HWND hwnd);
  ~TextMeasure();
  TextMeasure(const TextMeasure&) = delete;
  TextMeasure& operator=(const TextMeasure&) = delete;
  int Width(std::string_view text) const;
  int LineHeight() const;

 private:
  HWND hwnd_;
  HDC dc_;
  HGDIOBJ old_;
};

// The multi-line half: scrolling by lines and pixels, the scroll bars
// (WS_VSCROLL, WS_HSCROLL), painting, and where the mouse and the line
// keys put the caret.
void MultiLineScrollToCaret(HWND hwnd, EditData& data);
void UpdateEditScrollBars(HWND hwnd, const EditData& data);
void PaintMultiLine(HWND hwnd, HDC hdc, const RECT& client, const EditData& data);
std::size_t MultiLineOffsetAt(HWND hwnd, const EditData& data, POINT client);
// The caret's new place for Up, Down, Page Up, Page Down, Home and End
// (Ctrl+Home and Ctrl+End: the whole text); nothing for other keys.
std::optional<std::size_t> MultiLineCaretTarget(HWND hwnd, const EditData& data, WPARAM key, bool control);
// Scrolls by whole lines and by pixels; the bars follow.
void ScrollEdit(HWND hwnd, EditData& data, long long lines, int pixels);
// WM_VSCROLL, WM_HSCROLL and EM_SCROLL requests.
LRESULT EditScrollRequest(HWND hwnd, EditData& data, bool vertical, int code);

}  // namespace ui::internal

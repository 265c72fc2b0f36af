// Where DrawText puts each line: prefixes taken out, lines split and
// wrapped, ellipses added, and each line placed in the rectangle by the
// alignment flags. Measuring is passed in, so the geometry can be checked
// with any font, or with none.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/GdiTypes.h"

namespace ui::internal {

struct TextLine {
  std::string text;  // as drawn: prefixes removed, ellipsis added
  RECT box;          // the line's cell: its width by the line height
  // The mnemonic's underline, in pixels from box.left; empty when none.
  int underline_left = 0;
  int underline_right = 0;
};

struct TextLayout {
  std::vector<TextLine> lines;
  RECT bounds;     // the union of the line boxes
  int result = 0;  // DrawText's return value
};

using MeasureFn = std::function<int(std::string_view)>;

TextLayout LayOutText(std::string_view text, const RECT& rect, UINT format, int line_height, const MeasureFn& measure);

// "&x" marks x, "&&" is "&": the text without the marks, and the byte
// range of the marked character (empty when none).
std::string StripPrefixes(std::string_view text, std::size_t* mark_begin, std::size_t* mark_end);

}  // namespace ui::internal

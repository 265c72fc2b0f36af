// A window position kept in the profile as "%04d %04d" (left, top) or
// "%04d %04d %04d %04d" (left, top, right, bottom). The text is read field
// by field, so a value wider than four digits ("-1200") does not shift
// the fields after it, and a rectangle is taken only when every field is a
// number and it has a size. A rectangle saved on a screen that is gone is
// moved back onto the current one.
#pragma once

#include <string>

#include "platform/ui/Types.h"

namespace app {

// "%04d %04d" of the corner, or "%04d %04d %04d %04d" of the rectangle.
std::string FormatWindowCorner(const ui::RECT& rect);
std::string FormatWindowRect(const ui::RECT& rect);

// False, with `corner` untouched, unless the text holds two numbers (and
// nothing but blanks after them).
bool ParseWindowCorner(const std::string& text, ui::POINT& corner);
// False, with `rect` untouched, unless the text holds four numbers and the
// rectangle they give is not empty.
bool ParseWindowRect(const std::string& text, ui::RECT& rect);

// Moves `rect` (keeping its size) so that it lies on `screen`; a rectangle
// larger than the screen keeps its top-left corner on it.
ui::RECT KeepOnScreen(const ui::RECT& rect, const ui::RECT& screen);
// The screen of the window system (the virtual screen of all monitors).
ui::RECT CurrentScreen();

}  // namespace app

// The text rules of the status bar's message pane, apart from its window:
// when a new pane text needs sending at all, and how the window text is
// handed out and taken in.
#pragma once

#include <cstddef>
#include <string>

#include "platform/ui/Types.h"

namespace docking {

class QVTStatusText {
 public:
  // TRUE when setting `text` (null for none) changes nothing a pane not
  // marked changed shows, so nothing needs sending to the control.
  static bool IsUnchanged(bool markedChanged, const std::string& current, const char* text);

  // Copies `text` into a caller's buffer of `size` characters as a window
  // text is read: at most size - 1 characters and a terminating zero,
  // nothing at all for a size of 0. Answers the characters copied, the
  // terminating zero not counted.
  static ui::LRESULT CopyWindowText(const std::string& text, char* buffer, std::size_t size);

  // The answer to a window text being set: TRUE when the pane took it.
  static ui::LRESULT SetWindowTextAnswer(bool stored) { return stored ? ui::TRUE : ui::FALSE; }
};

}  // namespace docking

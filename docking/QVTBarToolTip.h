// QVTBarToolTip: the tool tip of a bar whose one tool follows the mouse.
// The bar says which of its parts is under the pointer (a command's button,
// the gripper's close button); the tip is made when it is first needed,
// takes that part as its only tool, and sees the move that reached the part
// so that its own delay starts there.
#pragma once

#include <memory>
#include <string>

#include "platform/afx/ToolTipCtrl.h"

namespace docking {

using ui::POINT;
using ui::RECT;
using ui::UINT;

class QVTBarToolTip {
 public:
  // Makes tool (rect in bar's client coordinates, text shown) the tip's
  // tool, or none for tool 0 or an empty text; flags and point: the mouse
  // move that found it. Nothing changes while the tool stays the same.
  void Track(afx::CWnd& bar, UINT tool, const std::string& text, const RECT& rect, UINT flags, POINT point);
  // The tool the tip now has, 0 for none.
  UINT Tool() const { return tool_; }
  // Whether Track would change nothing for this tool.
  bool Tracks(UINT tool) const { return tool == tool_; }
  // The tip window, null until a tool first needed it.
  afx::CToolTipCtrl* Get() const { return tip_.get(); }
  // The bar goes away: so does the tip.
  void Destroy();

 private:
  std::unique_ptr<afx::CToolTipCtrl> tip_;
  UINT tool_ = 0;
};

}  // namespace docking

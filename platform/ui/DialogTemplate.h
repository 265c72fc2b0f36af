// Dialog templates as C++ data: the layout of a dialog and its controls in
// dialog units, as a resource script would describe it. Item styles are
// complete (WS_VISIBLE and WS_TABSTOP included where wanted); WS_CHILD is
// implied.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/Types.h"

namespace ui {

struct DialogItemTemplate {
  std::string class_name;  // "Button", "Edit", "Static", "ListBox" or a registered class
  std::string text;
  int id = 0;
  DWORD style = 0;
  DWORD ex_style = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  // The initial items of a combo box, added in order (CB_ADDSTRING) as the
  // dialog is made.
  std::vector<std::string> items = {};
};

struct DialogTemplate {
  DWORD style = 0;
  DWORD ex_style = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  std::string caption;
  std::string font_name;
  int point_size = 8;
  std::vector<DialogItemTemplate> items;
};

}  // namespace ui

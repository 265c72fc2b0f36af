// The non-client area of a window, defined once: what its styles give it
// (border, caption, menu bar, edges, scroll bars) and where each part lies.
// Sizing (WM_NCCALCSIZE, AdjustWindowRectEx), hit testing (WM_NCHITTEST)
// and painting (WM_NCPAINT) all read it, so they can never disagree.
#pragma once

#include "platform/ui/Types.h"

namespace ui::internal {

class Frame {
 public:
  Frame(DWORD style, DWORD ex_style, bool has_menu);

  // The outer border (thick, dialog or thin frame), one width on each side.
  int border() const { return border_; }
  bool sizable() const { return sizable_; }
  // The caption band below the border; 0 without a caption.
  int caption() const { return caption_; }
  int menu_bar() const { return menu_bar_; }
  // The client edge (sunken 2 or static 1) inside the bands.
  int edge() const { return edge_; }
  int vertical_scroll() const { return vscroll_; }
  int horizontal_scroll() const { return hscroll_; }

  // The client rectangle of a window occupying `window` (same coordinates).
  RECT ClientRect(const RECT& window) const;
  // The window rectangle whose client rectangle is `client`.
  RECT WindowRect(const RECT& client) const;

  // The parts of the caption band, window coordinates of a `width` wide window.
  RECT CaptionRect(int width) const;
  RECT SystemMenuButton(int width) const;  // empty without one
  RECT CloseButton(int width) const;
  RECT MaximizeButton(int width) const;
  RECT MinimizeButton(int width) const;
  RECT HelpButton(int width) const;
  RECT MenuBarRect(int width) const;

  // The hit-test code (HT...) of `point` in window coordinates of a window
  // of `size`.
  int HitTest(POINT point, SIZE size) const;

 private:
  DWORD style_;
  DWORD ex_style_;
  int border_ = 0;
  bool sizable_ = false;
  int caption_ = 0;
  int menu_bar_ = 0;
  int edge_ = 0;
  int vscroll_ = 0;
  int hscroll_ = 0;
  int button_width_ = 0;
  int button_height_ = 0;
};

}  // namespace ui::internal

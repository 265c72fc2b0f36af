// What every standard control does around its own painting: the context
// of WM_PAINT with the control's font selected, and the colours its parent
// chooses through WM_CTLCOLOR*.
#pragma once

#include <string>

#include "platform/ui/Types.h"
#include "platform/ui/Window.h"

namespace ui::internal {

// BeginPaint with the control's font (WM_GETFONT, else the dialog font)
// selected; the destructor restores the font and ends the paint.
class ControlPaintScope {
 public:
  explicit ControlPaintScope(HWND hwnd);
  ~ControlPaintScope();
  ControlPaintScope(const ControlPaintScope&) = delete;
  ControlPaintScope& operator=(const ControlPaintScope&) = delete;
  HDC dc() const { return dc_; }
  const RECT& client() const { return client_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT paint_{};
  HDC dc_;
  HGDIOBJ old_font_ = nullptr;
  RECT client_{};
};

// Asks the parent for the background brush with `ctlcolor_message` (it may
// also set the text colours on `hdc`); falls back to `default_color`.
HBRUSH ControlBackground(HWND hwnd, HDC hdc, UINT ctlcolor_message, int default_color);

// A control's label in the text colour the parent chose (embossed grey
// when disabled, whatever the parent said).
void PaintControlLabel(HDC hdc, const RECT& rect, const std::string& text, UINT draw_text_flags, bool enabled);

}  // namespace ui::internal

// The client of a host window: paints the back buffer of our window and
// hands mouse, wheel, keys and file drops to the window system as raw input
// at screen points.
#pragma once

#include "platform/ui/Types.h"
// GTK's headers define TRUE and FALSE as macros: they come after ours.
#include <wx/window.h>

namespace wxhost {

class HostWindow;
class KeyTranslator;

class HostCanvas : public wxWindow {
 public:
  HostCanvas(wxWindow* parent, HostWindow& owner, KeyTranslator& keys);
  // The window went: events still on their way are dropped.
  void Detach() { owner_ = nullptr; }

 private:
  void OnPaint(wxPaintEvent& event);
  void OnMouse(wxMouseEvent& event);
  void OnKey(wxKeyEvent& event);
  void OnCaptureLost(wxMouseCaptureLostEvent& event);
  ui::POINT ScreenPoint(const wxPoint& client) const;

  HostWindow* owner_;
  KeyTranslator& keys_;
  ui::POINT last_point_{-32768, -32768};
};

}  // namespace wxhost

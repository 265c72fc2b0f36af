#include "platform/wxhost/HostCanvas.h"

#include <cairo.h>

#include <string>
#include <vector>

#include "platform/ui/DropFiles.h"
#include "platform/ui/Host.h"
#include "platform/ui/RawInput.h"
#include "platform/wxhost/HostWindow.h"
#include "platform/wxhost/KeyTranslator.h"
// GTK's headers define TRUE and FALSE as macros: they come after ours.
#include <wx/dcclient.h>
#include <wx/dnd.h>

namespace wxhost {

namespace {

// Files dropped from another program go to the window system, which finds
// the window under the drop that accepts them.
class FileDrop : public wxFileDropTarget {
 public:
  explicit FileDrop(HostCanvas& canvas, HostWindow*& owner) : canvas_(canvas), owner_(owner) {}
  bool OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& names) override {
    if (owner_ == nullptr) return false;
    std::vector<std::string> files;
    for (const wxString& name : names) files.push_back(name.utf8_string());
    const wxPoint screen = canvas_.ClientToScreen(wxPoint(x, y));
    return ui::DeliverFileDrop(owner_->hwnd(), ui::POINT{screen.x, screen.y}, files) != 0;
  }

 private:
  HostCanvas& canvas_;
  HostWindow*& owner_;
};

ui::MouseButton ButtonOf(const wxMouseEvent& event) {
  if (event.GetButton() == wxMOUSE_BTN_RIGHT) return ui::MouseButton::kRight;
  if (event.GetButton() == wxMOUSE_BTN_MIDDLE) return ui::MouseButton::kMiddle;
  return ui::MouseButton::kLeft;
}

}  // namespace

HostCanvas::HostCanvas(wxWindow* parent, HostWindow& owner, KeyTranslator& keys)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS | wxBORDER_NONE),
      owner_(&owner),
      keys_(keys) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Bind(wxEVT_PAINT, &HostCanvas::OnPaint, this);
  for (const wxEventTypeTag<wxMouseEvent>& type :
       {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_LEFT_DCLICK, wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP, wxEVT_RIGHT_DCLICK,
        wxEVT_MIDDLE_DOWN, wxEVT_MIDDLE_UP, wxEVT_MIDDLE_DCLICK, wxEVT_MOTION, wxEVT_MOUSEWHEEL})
    Bind(type, &HostCanvas::OnMouse, this);
  Bind(wxEVT_KEY_DOWN, &HostCanvas::OnKey, this);
  Bind(wxEVT_KEY_UP, &HostCanvas::OnKey, this);
  Bind(wxEVT_MOUSE_CAPTURE_LOST, &HostCanvas::OnCaptureLost, this);
  SetDropTarget(new FileDrop(*this, owner_));
}

void HostCanvas::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  if (owner_ == nullptr) return;
  cairo_surface_t* buffer = ui::GetBackBuffer(owner_->hwnd());
  auto* cr = static_cast<cairo_t*>(dc.GetHandle());
  if (buffer == nullptr || cr == nullptr) return;
  const ui::POINT offset = owner_->buffer_offset();
  cairo_save(cr);
  cairo_set_source_surface(cr, buffer, -offset.x, -offset.y);
  // Pixels stay pixels even where GDK scales the window.
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  cairo_restore(cr);
}

ui::POINT HostCanvas::ScreenPoint(const wxPoint& client) const {
  const wxPoint screen = ClientToScreen(client);
  return ui::POINT{screen.x, screen.y};
}

void HostCanvas::OnMouse(wxMouseEvent& event) {
  if (owner_ == nullptr) return;
  ui::RawInput input;
  input.screen = ScreenPoint(event.GetPosition());
  const wxEventType type = event.GetEventType();
  if (type == wxEVT_MOTION) {
    input.kind = ui::RawInputKind::kMouseMove;
  } else if (type == wxEVT_MOUSEWHEEL) {
    if (event.GetWheelAxis() != wxMOUSE_WHEEL_VERTICAL) return;
    input.kind = ui::RawInputKind::kWheel;
    input.wheel_delta = event.GetWheelRotation();
  } else {
    // A double click is a second press to the window system, which makes
    // double clicks itself (by class style, time and distance).
    const bool down = event.ButtonDown() || event.ButtonDClick();
    input.kind = down ? ui::RawInputKind::kButtonDown : ui::RawInputKind::kButtonUp;
    input.button = ButtonOf(event);
    // GDK compresses motion and may drop the last move before a button:
    // the window system sees the mouse arrive before it is pressed there.
    if (!(input.screen == last_point_)) {
      ui::RawInput move;
      move.screen = input.screen;
      ui::GetHost().InjectInput(move);
    }
    // Moves while a button is held, inside the window or not, come here.
    if (down && !HasCapture()) CaptureMouse();
    if (!down && HasCapture() && !wxGetMouseState().ButtonIsDown(wxMOUSE_BTN_ANY)) ReleaseMouse();
  }
  last_point_ = input.screen;
  ui::GetHost().InjectInput(input);
}

void HostCanvas::OnKey(wxKeyEvent& event) {
  if (owner_ == nullptr) return;
  const ui::WPARAM key = keys_.VirtualKey(event.GetRawKeyFlags());
  if (key == 0) return;
  ui::RawInput input;
  input.kind = event.GetEventType() == wxEVT_KEY_DOWN ? ui::RawInputKind::kKeyDown : ui::RawInputKind::kKeyUp;
  input.virtual_key = key;
  ui::GetHost().InjectInput(input);
  // Not skipped: characters come from our own TranslateMessage.
}

void HostCanvas::OnCaptureLost(wxMouseCaptureLostEvent&) {}

}  // namespace wxhost

#include "platform/wxhost/HostWindow.h"

#include "platform/ui/Menu.h"
#include "platform/ui/Messages.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "platform/wxhost/HostCanvas.h"
// GTK's headers define TRUE and FALSE as macros: they come after ours.
#include <wx/frame.h>
#include <wx/popupwin.h>

namespace wxhost {

namespace {

// Tool windows (floating bar frames) paint their own small caption and
// frame, so docking geometry stays exact; the window manager decorates only
// the other captioned windows.
bool HasCaption(ui::HWND hwnd) {
  if (ui::GetWindowLongPtr(hwnd, ui::GWL_EXSTYLE) & ui::WS_EX_TOOLWINDOW) return false;
  return (static_cast<ui::DWORD>(ui::GetWindowLongPtr(hwnd, ui::GWL_STYLE)) & ui::WS_CAPTION) == ui::WS_CAPTION;
}

// Menus, tooltips and dropped combo lists never take the activation from
// the window they serve.
bool NeverActivates(ui::HWND hwnd) {
  const std::string name = ui::GetClassName(hwnd);
  return name == "#32768" || name == "tooltips_class32" || name == "ComboLBox";
}

long FrameStyle(ui::HWND hwnd, bool decorated, bool owned) {
  const auto style = static_cast<ui::DWORD>(ui::GetWindowLongPtr(hwnd, ui::GWL_STYLE));
  long wx_style = owned ? wxFRAME_FLOAT_ON_PARENT : 0;
  if (!decorated) return wx_style | wxFRAME_TOOL_WINDOW | wxBORDER_NONE | wxFRAME_NO_TASKBAR;
  wx_style |= wxCAPTION | wxCLOSE_BOX | wxCLIP_CHILDREN;
  if (style & ui::WS_SYSMENU) wx_style |= wxSYSTEM_MENU;
  if (style & ui::WS_THICKFRAME) wx_style |= wxRESIZE_BORDER;
  if (style & ui::WS_MAXIMIZEBOX) wx_style |= wxMAXIMIZE_BOX;
  if (style & ui::WS_MINIMIZEBOX) wx_style |= wxMINIMIZE_BOX;
  return wx_style;
}

}  // namespace

wxWindow* HostWindow::NewFrame(ui::HWND hwnd, const ui::RECT& screen_rect, HostWindow* owner) const {
  return new wxFrame(owner ? owner->frame() : nullptr, wxID_ANY, wxString::FromUTF8(ui::GetWindowTextString(hwnd)),
                     wxPoint(screen_rect.left, screen_rect.top), wxDefaultSize,
                     FrameStyle(hwnd, decorated_, owner != nullptr));
}

// Menus, tooltips and dropped lists are the display's popups, out of the
// window manager's hands: a manager that keeps new windows from taking the
// focus would otherwise stack them under the active window or place them
// where it likes, and they must stand exactly where we put them.
wxWindow* HostWindow::NewPopup(const ui::RECT& screen_rect, HostWindow* owner) {
  auto* popup = new wxPopupWindow(owner ? owner->frame() : nullptr, wxBORDER_NONE);
  popup->Move(screen_rect.left, screen_rect.top);
  return popup;
}

HostWindow::HostWindow(ui::HWND hwnd, const ui::RECT& screen_rect, HostWindow* owner, KeyTranslator& keys)
    : hwnd_(hwnd), decorated_(HasCaption(hwnd)), activates_(!NeverActivates(hwnd)) {
  const ui::RECT shown = ShownRect(screen_rect);
  offset_ = ui::POINT{shown.left - screen_rect.left, shown.top - screen_rect.top};
  frame_ = activates_ ? NewFrame(hwnd, screen_rect, owner) : NewPopup(screen_rect, owner);
  canvas_ = new HostCanvas(frame_, *this, keys);
  Resize(shown);
  // The frame is deleted in idle time, after we are gone: its handlers
  // reach us only while we exist.
  const std::shared_ptr<HostWindow*> self = self_;
  frame_->Bind(wxEVT_CLOSE_WINDOW, [self](wxCloseEvent& event) {
    if (*self != nullptr) (*self)->OnClose(event);
    else event.Skip();
  });
  frame_->Bind(wxEVT_MOVE, [self](wxMoveEvent& event) {
    if (*self != nullptr) (*self)->FollowDisplay();
    event.Skip();
  });
  frame_->Bind(wxEVT_SHOW, [self](wxShowEvent& event) {
    if (*self != nullptr) (*self)->FollowDisplay();
    event.Skip();
  });
  frame_->Bind(wxEVT_ACTIVATE, [self](wxActivateEvent& event) {
    if (*self != nullptr) (*self)->OnActivate(event.GetActive());
    event.Skip();
  });
}

void HostWindow::OnClose(wxCloseEvent& event) {
  // The window manager's close button asks our window, which decides.
  if (!event.CanVeto()) {
    event.Skip();
    return;
  }
  event.Veto();
  ui::PostMessage(hwnd_, ui::WM_CLOSE, 0, 0);
}

void HostWindow::OnActivate(bool active) {
  if (!active) return;
  if (activates_ && ui::GetActiveWindow() != hwnd_ && ui::IsWindowEnabled(hwnd_)) ui::SetActiveWindow(hwnd_);
  canvas_->SetFocus();
}

HostWindow::~HostWindow() {
  *self_ = nullptr;
  canvas_->Detach();
  frame_->Destroy();
}

ui::RECT HostWindow::ClientScreenRect() const {
  ui::RECT client{};
  ui::GetClientRect(hwnd_, &client);
  ui::POINT origin{0, 0};
  ui::ClientToScreen(hwnd_, &origin);
  return ui::RECT{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
}

ui::RECT HostWindow::ShownRect(const ui::RECT& screen_rect) const {
  if (!decorated_) return screen_rect;
  ui::RECT shown = ClientScreenRect();
  // A menu bar is ours to paint, between the window manager's caption and
  // our client area.
  ui::MENUBARINFO bar;
  if (ui::GetMenuBarInfo(hwnd_, ui::OBJID_MENU, 0, &bar)) shown.top = bar.rcBar.top;
  return shown;
}

void HostWindow::Show() {
  if (!activates_ || decorated_)
    frame_->Show();  // a popup never takes the activation
  else
    static_cast<wxFrame*>(frame_)->ShowWithoutActivating();
}

void HostWindow::Hide() { frame_->Hide(); }

void HostWindow::Place(const ui::RECT& screen_rect) {
  if (following_) return;  // our own echo of the display's move
  const ui::RECT shown = ShownRect(screen_rect);
  offset_ = ui::POINT{shown.left - screen_rect.left, shown.top - screen_rect.top};
  Resize(shown);
  // Move the frame by as much as its client area is off from ours; the
  // window manager's frame sizes never enter our geometry.
  const wxPoint real = canvas_->GetScreenPosition();
  const wxPoint outer = frame_->GetPosition();
  frame_->Move(outer.x + (shown.left - real.x), outer.y + (shown.top - real.y));
  canvas_->Refresh(false);
}

void HostWindow::Resize(const ui::RECT& shown) {
  const wxSize size(shown.right - shown.left, shown.bottom - shown.top);
  frame_->SetClientSize(size);
  // A frame fills itself with its only child; a popup leaves that to us.
  canvas_->SetSize(wxRect(wxPoint(0, 0), size));
}

void HostWindow::Painted(const ui::RECT& area) {
  canvas_->RefreshRect(wxRect(area.left - offset_.x, area.top - offset_.y, area.right - area.left,
                              area.bottom - area.top),
                       false);
}

void HostWindow::FollowDisplay() {
  // Only the window manager's own frames are moved by it; our undecorated
  // windows stand where we put them. Just after mapping one, the display
  // may still report it at the screen's origin, which is not a move.
  if (!decorated_ || following_ || !frame_->IsShown()) return;
  const wxPoint real = canvas_->GetScreenPosition();
  ui::RECT window{};
  ui::GetWindowRect(hwnd_, &window);
  const int x = real.x - offset_.x, y = real.y - offset_.y;
  if (x == window.left && y == window.top) return;
  following_ = true;
  // Our window's position is in its parent's coordinates; a top-level
  // window's parent is the screen.
  ui::SetWindowPos(hwnd_, nullptr, x, y, 0, 0, ui::SWP_NOSIZE | ui::SWP_NOZORDER | ui::SWP_NOACTIVATE);
  following_ = false;
}

}  // namespace wxhost

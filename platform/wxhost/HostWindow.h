// One shown top-level window of ours on the display: a wx top-level window
// whose canvas paints the window's back buffer and gives the display's
// mouse, keys and file drops back to the window system as raw input.
//
// A window with a caption is decorated by the window manager, and the
// canvas shows only our client area and the menu bar above it; every other window (tool windows,
// floating frames, popups, menus, tooltips) is borderless and shows the
// whole back buffer, its own non-client area included. Where the window
// manager puts the client area is the truth: our window rectangle is that
// origin minus our own non-client sizes.
#pragma once

#include <memory>

#include "platform/ui/Types.h"

class wxCloseEvent;
class wxWindow;

namespace wxhost {

class HostCanvas;
class KeyTranslator;

class HostWindow {
 public:
  // `parent` is the host window of the owner, if any (transient for it).
  HostWindow(ui::HWND hwnd, const ui::RECT& screen_rect, HostWindow* owner, KeyTranslator& keys);
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  void Show();
  void Hide();
  // Our side moved or resized the window.
  void Place(const ui::RECT& screen_rect);
  void Painted(const ui::RECT& window_area);

  ui::HWND hwnd() const { return hwnd_; }
  bool decorated() const { return decorated_; }
  // The display's top-level window: a frame, or a popup for windows that
  // never take the activation.
  wxWindow* frame() const { return frame_; }
  // Where the client area (decorated) or the whole window (borderless)
  // begins within the back buffer.
  ui::POINT buffer_offset() const { return offset_; }

  // The display moved the window (the window manager placed it, or the
  // user dragged its frame): our rectangle follows the real client origin.
  void FollowDisplay();

 private:
  ui::RECT ClientScreenRect() const;
  // The part of the window the canvas shows, screen coordinates.
  ui::RECT ShownRect(const ui::RECT& screen_rect) const;
  wxWindow* NewFrame(ui::HWND hwnd, const ui::RECT& screen_rect, HostWindow* owner) const;
  // The frame's client area and the canvas filling it.
  void Resize(const ui::RECT& shown);
  static wxWindow* NewPopup(const ui::RECT& screen_rect, HostWindow* owner);
  void OnClose(wxCloseEvent& event);
  void OnActivate(bool active);

  ui::HWND hwnd_;
  bool decorated_ = false;
  bool activates_ = true;
  bool following_ = false;
  ui::POINT offset_{};
  wxWindow* frame_ = nullptr;   // wx owns and deletes it
  HostCanvas* canvas_ = nullptr;
  std::shared_ptr<HostWindow*> self_ = std::make_shared<HostWindow*>(this);
};

}  // namespace wxhost

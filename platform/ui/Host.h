// The window system reaches the screen only through a host. The message
// loop is the master loop: when a thread's queue is empty it asks the host
// to wait for input until the next timer is due.
//
// Every shown top-level window paints into its own back buffer, an ARGB32
// Cairo image surface of the window's size made when the window is first
// shown (a window that is never shown never costs one). The host is told
// when a top-level window appears, moves, disappears or has new pixels in
// its buffer; it gives input back as raw input at screen points.
#pragma once

#include <cstdint>

#include "platform/ui/GdiTypes.h"
#include "platform/ui/RawInput.h"
#include "platform/ui/Types.h"

typedef struct _cairo_surface cairo_surface_t;

namespace ui {

// What a host waits on for one thread: another thread posting or sending
// to it signals it.
class InputWaiter {
 public:
  virtual ~InputWaiter() = default;
  // Waits until signalled or `real_timeout_ms` real milliseconds pass
  // (negative: no limit); false on timeout.
  virtual bool WaitForSignal(std::int64_t real_timeout_ms) = 0;
};

class Host {
 public:
  virtual ~Host() = default;
  // The calling thread's queue is empty. Return when input may have arrived
  // or when the window system's clock reaches `due_ms` (negative: no timer
  // is pending).
  virtual void WaitForInput(InputWaiter& waiter, std::int64_t due_ms) = 0;
  // Another thread queued something for the thread that owns `waiter`.
  virtual void Wake(InputWaiter& waiter) = 0;
  virtual RECT ScreenRect() const = 0;

  // Top-level windows as the host sees them (called on the window's
  // thread, never under the window system's lock). `screen_rect` is the
  // whole window, non-client area included; its back buffer has that size.
  virtual void WindowShown(HWND /*hwnd*/, const RECT& /*screen_rect*/) {}
  virtual void WindowMoved(HWND /*hwnd*/, const RECT& /*screen_rect*/) {}
  virtual void WindowHidden(HWND /*hwnd*/) {}
  virtual void WindowDestroyed(HWND /*hwnd*/) {}
  // New pixels in the back buffer within `window_area` (window coordinates).
  virtual void WindowPainted(HWND /*hwnd*/, const RECT& /*window_area*/) {}

  // A desktop context (GetDC(nullptr), CreateDesktopDC) was released: the
  // desktop overlay, where drag outlines are drawn, may have changed.
  virtual void DesktopOverlayChanged() {}

  // The cursor the window system shows changed (SetCursor); null is none.
  virtual void CursorChanged(HCURSOR /*cursor*/) {}

  // Raw input from the host's devices; the default queues it for routing.
  virtual void InjectInput(const RawInput& input) { QueueRawInput(input); }
};

// The process's host; the headless host until another is installed.
Host& GetHost();
// Installs a host (not owned; nullptr restores the headless host).
void SetHost(Host* host);

// The back buffer of a top-level window (or of the top-level window a
// child lives in), null while it has never been shown. The window system
// keeps the reference; a caller that keeps the surface past the window's
// next resize references it itself.
cairo_surface_t* GetBackBuffer(HWND hwnd);

}  // namespace ui

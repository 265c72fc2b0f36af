// The host of interactive runs: the screen is a real X display reached
// through wxWidgets on GTK. Nothing outside this folder includes wx or GTK,
// so the unattended program never loads them.
//
// The window system's loop stays the master: when the GUI thread's queue is
// empty it lands here, and one bounded dispatch of wx's loop (until the
// next timer of ours is due) lets the display's events in. Other threads
// post to our queues and wake wx's loop.
#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/ui/Host.h"
#include "platform/wxhost/DisplayCursor.h"
#include "platform/wxhost/WxClipboard.h"
#include "platform/wxhost/WxFileChoosers.h"
#include "platform/wxhost/DragOutlineStrips.h"
#include "platform/wxhost/HostWindow.h"
#include "platform/wxhost/KeyTranslator.h"
#include "platform/wxhost/WxHelpViewer.h"

class wxGUIEventLoop;
class wxWindow;
class wxEventLoopActivator;

namespace sys {
class DisplayProbe;
}

namespace wxhost {

class WxHost : public ui::Host {
 public:
  ~WxHost() override;
  WxHost(const WxHost&) = delete;
  WxHost& operator=(const WxHost&) = delete;

  // Starts wx on the display that `probe` holds open (the probe is closed
  // once GTK has its own connection). Null with the reason in `error` when
  // GTK cannot start; `program_name` is the only argument wx sees, since
  // GTK removes or refuses some others.
  static std::unique_ptr<WxHost> Start(sys::DisplayProbe& probe, const char* program_name, std::string& error);

  void WaitForInput(ui::InputWaiter& waiter, std::int64_t due_ms) override;
  void Wake(ui::InputWaiter& waiter) override;
  ui::RECT ScreenRect() const override;

  // Our top-level windows on the display (GUI thread only).
  void WindowShown(ui::HWND hwnd, const ui::RECT& screen_rect) override;
  void WindowMoved(ui::HWND hwnd, const ui::RECT& screen_rect) override;
  void WindowHidden(ui::HWND hwnd) override;
  void WindowDestroyed(ui::HWND hwnd) override;
  void WindowPainted(ui::HWND hwnd, const ui::RECT& window_area) override;
  void DesktopOverlayChanged() override;
  void CursorChanged(ui::HCURSOR cursor) override;

  // The host window of a top-level window of ours, while it is shown or
  // hidden after being shown; null otherwise.
  HostWindow* Find(ui::HWND hwnd) const;

  // Runs a native modal dialog's loop (`show` calls ShowModal) while our
  // queue keeps being drained, so timers fire and posted messages are
  // handled until the dialog closes. Returns what `show` returns.
  int RunNativeModal(const std::function<int()>& show);

  // The wx window that shows `hwnd`'s top-level window; null when it has
  // none (dialogs then have no parent on the display).
  wxWindow* HostWindowOf(ui::HWND hwnd) const;

  WxHelpViewer& HelpViewer() { return help_; }

  // Drains the calling thread's queue without waiting.
  static void DrainQueue();

 private:
  WxHost();
  // Everything of wx's loop that must happen on the GUI thread after a
  // dispatch: its pending events and deferred deletions.
  void AfterDispatch(bool dispatched);
  bool OnGuiThread() const;

  KeyTranslator keys_;
  std::map<ui::HWND, std::unique_ptr<HostWindow>> windows_;
  std::unique_ptr<DragOutlineStrips> outline_;
  DisplayCursor cursor_;
  WxClipboard clipboard_;
  WxFileChoosers choosers_{*this};
  WxHelpViewer help_{*this};
  ui::DWORD gui_thread_ = 0;
  std::atomic<ui::InputWaiter*> gui_waiter_{nullptr};
  std::unique_ptr<wxGUIEventLoop> loop_;
  std::unique_ptr<wxEventLoopActivator> activator_;
};

}  // namespace wxhost

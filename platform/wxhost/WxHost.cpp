#include "platform/wxhost/WxHost.h"

#include <cstdlib>
#include <vector>

#include "platform/sys/DisplayProbe.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/Clock.h"
#include "platform/ui/DeviceContext.h"
#include "platform/ui/FileChooser.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
// GTK's headers define TRUE and FALSE as macros: they come after ours.
#include <wx/app.h>
#include <wx/display.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/timer.h>

namespace wxhost {

namespace {

// The application object wx insists on; our own loop runs the program.
class HostApp : public wxApp {
 public:
  bool OnInit() override { return true; }
};

// Until the next timer of ours, or a long while when none is pending
// (posts from other threads and display events end the wait anyway).
constexpr std::int64_t kIdleDispatchMs = 1000;
// How often a native modal dialog's loop lets our queue run.
constexpr int kModalDrainMs = 10;

void PrepareEnvironment() {
  // Our drawing and input are X11's; a Wayland session still offers X11.
  ::setenv("GDK_BACKEND", "x11", 1);
  // A bare X server has no session bus: without one GTK's settings and
  // accessibility bridge complain or stall, and the file chooser needs the
  // settings backend that lives in memory.
  if (std::getenv("DBUS_SESSION_BUS_ADDRESS") == nullptr) {
    ::setenv("GSETTINGS_BACKEND", "memory", 0);
    ::setenv("NO_AT_BRIDGE", "1", 0);
  }
}

// Drains our queue on each tick of a native modal dialog's loop.
class QueueDrainTimer : public wxTimer {
 public:
  void Notify() override { WxHost::DrainQueue(); }
};

}  // namespace

WxHost::WxHost() = default;

WxHost::~WxHost() {
  windows_.clear();
  outline_.reset();
  ui::SetClipboardService(nullptr);
  ui::SetFileChooserService(nullptr);
  ui::SetHelpViewerService(nullptr);
  activator_.reset();
  loop_.reset();
  wxEntryCleanup();
}

std::unique_ptr<WxHost> WxHost::Start(sys::DisplayProbe& probe, const char* program_name, std::string& error) {
  PrepareEnvironment();
  wxApp::SetInstance(new HostApp);
  static std::vector<char> name;
  name.assign(program_name, program_name + std::char_traits<char>::length(program_name) + 1);
  static char* arguments[2];
  arguments[0] = name.data();
  arguments[1] = nullptr;
  int count = 1;
  const bool started = wxEntryStart(count, arguments);
  // GTK now holds its own connection (or has given up).
  probe.Close();
  if (!started) {
    error = sys::DisplayProbe::Message(sys::DisplayProbe::Result::kCannotOpen);
    wxEntryCleanup();
    return nullptr;
  }
  if (!wxTheApp->CallOnInit()) {
    error = "The window system could not start.";
    wxEntryCleanup();
    return nullptr;
  }
  // wx's own complaints go to stderr: a message box of wx's would run a
  // loop of its own at a moment nobody chose.
  delete wxLog::SetActiveTarget(new wxLogStderr);
  std::unique_ptr<WxHost> host(new WxHost);
  host->gui_thread_ = ui::GetCurrentThreadId();
  host->loop_ = std::make_unique<wxGUIEventLoop>();
  host->activator_ = std::make_unique<wxEventLoopActivator>(host->loop_.get());
  ui::SetClipboardService(&host->clipboard_);
  ui::SetFileChooserService(&host->choosers_);
  ui::SetHelpViewerService(&host->help_);
  return host;
}

void WxHost::WaitForInput(ui::InputWaiter& waiter, std::int64_t due_ms) {
  std::int64_t wait_ms = kIdleDispatchMs;
  if (due_ms >= 0) {
    wait_ms = due_ms - ui::GetClock().NowMs();
    if (wait_ms <= 0) return;
  }
  if (ui::GetCurrentThreadId() != gui_thread_) {
    // Threads without windows have nothing of the display to wait for.
    waiter.WaitForSignal(due_ms < 0 ? -1 : wait_ms);
    return;
  }
  gui_waiter_.store(&waiter);
  // A post that came before this point has signalled already; one that
  // comes later wakes the dispatch below.
  if (waiter.WaitForSignal(0)) return;
  wxEventLoopBase* loop = wxEventLoopBase::GetActive();
  if (loop == nullptr) loop = loop_.get();
  const bool dispatched = loop->DispatchTimeout(static_cast<unsigned long>(wait_ms)) != -1;
  if (dispatched) {
    while (loop->Pending() && !waiter.WaitForSignal(0)) loop->Dispatch();
  }
  AfterDispatch(dispatched);
}

void WxHost::AfterDispatch(bool dispatched) {
  if (wxTheApp == nullptr) return;
  // A reparenting window manager moves the client area without telling
  // the toolkit (the frame's outer position stays): after any event, our
  // windows look where their client areas really are.
  if (dispatched)
    for (const auto& [hwnd, window] : windows_) window->FollowDisplay();
  // Pending events (CallAfter), deferred deletions and idle handlers: what
  // wx's own loop does whenever it runs dry.
  wxTheApp->ProcessIdle();
}

void WxHost::Wake(ui::InputWaiter& waiter) {
  ui::InputWaiter* gui = gui_waiter_.load();
  if (gui != nullptr && gui != &waiter) return;  // that thread waits on its own signal
  if (ui::GetCurrentThreadId() == gui_thread_) return;  // it is not waiting: it is posting
  if (wxTheApp != nullptr) wxTheApp->WakeUpIdle();
  if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) loop->WakeUp();
}

ui::RECT WxHost::ScreenRect() const {
  const wxRect area = wxDisplay(0u).GetGeometry();
  return ui::RECT{area.GetLeft(), area.GetTop(), area.GetRight() + 1, area.GetBottom() + 1};
}

bool WxHost::OnGuiThread() const { return ui::GetCurrentThreadId() == gui_thread_; }

HostWindow* WxHost::Find(ui::HWND hwnd) const {
  const auto found = windows_.find(hwnd);
  return found == windows_.end() ? nullptr : found->second.get();
}

wxWindow* WxHost::HostWindowOf(ui::HWND hwnd) const {
  if (hwnd == nullptr) return nullptr;
  HostWindow* window = Find(ui::GetAncestor(hwnd, ui::GA_ROOT));
  return window ? window->frame() : nullptr;
}

void WxHost::WindowShown(ui::HWND hwnd, const ui::RECT& screen_rect) {
  if (!OnGuiThread()) return;  // only the GUI thread may talk to wx
  auto& window = windows_[hwnd];
  if (!window) {
    const ui::HWND owner = ui::GetWindow(hwnd, ui::GW_OWNER);
    window = std::make_unique<HostWindow>(hwnd, screen_rect, owner ? Find(owner) : nullptr, keys_);
  } else {
    window->Place(screen_rect);
  }
  window->Show();
}

void WxHost::WindowMoved(ui::HWND hwnd, const ui::RECT& screen_rect) {
  if (HostWindow* window = OnGuiThread() ? Find(hwnd) : nullptr) window->Place(screen_rect);
}

void WxHost::WindowHidden(ui::HWND hwnd) {
  if (HostWindow* window = OnGuiThread() ? Find(hwnd) : nullptr) window->Hide();
}

void WxHost::WindowDestroyed(ui::HWND hwnd) {
  if (OnGuiThread()) windows_.erase(hwnd);
}

void WxHost::DesktopOverlayChanged() {
  if (!OnGuiThread()) return;
  if (!outline_) outline_ = std::make_unique<DragOutlineStrips>();
  const ui::RECT screen = ScreenRect();
  outline_->Show(ui::GetDesktopOverlay(), ui::POINT{screen.left, screen.top});
}

void WxHost::CursorChanged(ui::HCURSOR cursor) {
  if (OnGuiThread()) cursor_.Show(cursor);
}

void WxHost::WindowPainted(ui::HWND hwnd, const ui::RECT& window_area) {
  if (HostWindow* window = OnGuiThread() ? Find(hwnd) : nullptr) window->Painted(window_area);
}

int WxHost::RunNativeModal(const std::function<int()>& show) {
  QueueDrainTimer drain;
  drain.Start(kModalDrainMs);
  const int result = show();
  drain.Stop();
  return result;
}

void WxHost::DrainQueue() {
  ui::MSG msg;
  while (ui::PeekMessage(&msg, nullptr, 0, 0, ui::PM_REMOVE)) {
    if (msg.message == ui::WM_QUIT) {
      // The outer loop must still see it.
      ui::PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    ui::TranslateMessage(&msg);
    ui::DispatchMessage(&msg);
  }
}

}  // namespace wxhost

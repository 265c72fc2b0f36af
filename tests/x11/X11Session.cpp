#include "tests/x11/X11Session.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/sys/DisplayProbe.h"
#include "platform/ui/Host.h"
#include "platform/ui/WinApi.h"
#include "tests/x11/ChildProcess.h"

// GTK's headers define TRUE and FALSE as macros: they come after ours.
#include <wx/window.h>

namespace x11test {

namespace {

struct Session {
  bool tried = false;
  std::unique_ptr<wxhost::WxHost> host;
  std::string reason;
};

Session& TheSession() {
  static Session session;
  return session;
}

// Ends the host after the last test, while everything it uses still exists.
class SessionEnd : public ::testing::Environment {
 public:
  void TearDown() override {
    ui::SetHost(nullptr);
    TheSession().host.reset();
  }
};

[[maybe_unused]] ::testing::Environment* const session_end = ::testing::AddGlobalTestEnvironment(new SessionEnd);

}  // namespace

wxhost::WxHost* Host() {
  Session& session = TheSession();
  if (!session.tried) {
    session.tried = true;
    sys::DisplayProbe probe;
    const sys::DisplayProbe::Result result = probe.Open();
    if (result != sys::DisplayProbe::Result::kOpened) {
      session.reason = sys::DisplayProbe::Message(result) + " (run under scripts/x11-run.sh)";
      return nullptr;
    }
    session.host = wxhost::WxHost::Start(probe, "x11_tests", session.reason);
    if (session.host) ui::SetHost(session.host.get());
  }
  return session.host.get();
}

const std::string& Reason() { return TheSession().reason; }

std::string ScreenshotFolder() { return BRIVEN_TEST_BINARY_DIR; }

bool WaitUntilShownAndSteady(std::initializer_list<ui::HWND> shown, ui::HWND steady) {
  wxhost::WxHost* host = Host();
  const auto mapped = [&] {
    for (const ui::HWND hwnd : shown) {
      wxhost::HostWindow* window = host->Find(hwnd);
      if (window == nullptr || !window->frame()->IsShownOnScreen()) return false;
    }
    return true;
  };
  if (!PumpUntil(mapped, 10000)) return false;
  ui::RECT last{}, now{};
  int unchanged = 0;
  return PumpUntil(
      [&] {
        ui::GetWindowRect(steady, &now);
        unchanged = (now == last) ? unchanged + 1 : 0;
        last = now;
        return unchanged >= 20;
      },
      10000);
}

}  // namespace x11test

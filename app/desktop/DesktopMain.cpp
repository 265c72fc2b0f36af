// The interactive program: the command-line program's body on the wx host.
// The display is probed again here, since it may have gone since the
// command-line program looked, and held until GTK has connected.
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/ProgramMain.h"
#include "app/RunMode.h"
#include "platform/sys/DisplayProbe.h"
#include "platform/sys/Notify.h"
#include "platform/afx/WinApp.h"
#include "platform/ui/Host.h"
#include "platform/ui/MessageBoxNotifier.h"
#include "platform/wxhost/WxHost.h"

int main(int argc, char** argv) {
  sys::DisplayProbe probe;
  const sys::DisplayProbe::Result display = probe.Open();
  if (display != sys::DisplayProbe::Result::kOpened) {
    sys::Notify(sys::DisplayProbe::Message(display), sys::NoticeIcon::exclamation);
    return app::kExitUsage;
  }
  std::string error;
  std::unique_ptr<wxhost::WxHost> host = wxhost::WxHost::Start(probe, argv[0], error);
  if (!host) {
    sys::Notify(error, sys::NoticeIcon::exclamation);
    return app::kExitUsage;
  }
  ui::SetHost(host.get());
  int status = 0;
  {
    // Every notice of the interactive program is a message box on this
    // thread, titled with the application's name; a conversion run from
    // the command line still shows no window.
    ui::MessageBoxNotifier notifier(
        [] {
          const afx::CWinApp* app = afx::AfxGetApp();
          return app ? app->m_pszAppName : std::string();
        },
        [] { return app::IsWindowlessRun(); });
    status = app::RunApplication(std::vector<std::string>(argv, argv + argc), true);
  }
  ui::SetHost(nullptr);
  return status;
}

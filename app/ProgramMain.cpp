#include "app/ProgramMain.h"

#include <exception>

#include "app/BrivenApp.h"
#include "app/CommandLine.h"
#include "platform/sys/Format.h"
#include "platform/sys/Notify.h"

namespace app {

int RunApplication(const std::vector<std::string>& arguments, bool interactive_host) {
  // An unexpected failure still ends with a reason and the failure status,
  // not an abort: unwinding closes the files and stops the threads.
  try {
    CBrivenApp application;
    application.SetInteractiveHost(interactive_host);
    if (!application.Start(arguments)) return application.GetExitCode();
    return application.Run();
  } catch (const std::exception& failure) {
    sys::Notify(sys::Format("Fatal error executing Briven! %s", failure.what()));
  } catch (...) {
    sys::Notify("Fatal error executing Briven!");
  }
  return kExitFailed;
}

}  // namespace app

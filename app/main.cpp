#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "app/BrivenApp.h"
#include "app/CommandLine.h"
#include "platform/sys/Format.h"
#include "platform/sys/Notify.h"
#include "platform/sys/Version.h"

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    const sys::VersionBlock& version = sys::GetVersionBlock();
    std::printf("%s %s\n", version.product_name, version.product_version);
    return 0;
  }
  const std::vector<std::string> arguments(argv, argv + argc);
  // An unexpected failure still ends with a reason and the failure status,
  // not an abort: unwinding closes the files and stops the threads.
  try {
    CBrivenApp application;
    if (!application.InitInstance(arguments)) return application.GetExitCode();
    return application.Run();
  } catch (const std::exception& failure) {
    sys::Notify(sys::Format("Fatal error executing Briven! %s", failure.what()));
  } catch (...) {
    sys::Notify("Fatal error executing Briven!");
  }
  return app::kExitFailed;
}

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/BrivenApp.h"
#include "platform/sys/Version.h"

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    const sys::VersionBlock& version = sys::GetVersionBlock();
    std::printf("%s %s\n", version.product_name, version.product_version);
    return 0;
  }
  const std::vector<std::string> arguments(argv, argv + argc);
  CBrivenApp application;
  if (!application.InitInstance(arguments)) return application.GetExitCode();
  return application.Run();
}

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/ProgramMain.h"
#include "platform/sys/Version.h"

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    const sys::VersionBlock& version = sys::GetVersionBlock();
    std::printf("%s %s\n", version.product_name, version.product_version);
    return 0;
  }
  return app::RunApplication(std::vector<std::string>(argv, argv + argc), false);
}

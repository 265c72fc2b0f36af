#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/ProgramMain.h"
#include "app/UsageText.h"
#include "platform/sys/Version.h"

namespace {

// Alone on the command line, these ask for the usage text; after file names
// "-h" is the hexadecimal switch.
bool AsksForHelp(const char* argument) {
  return std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0 ||
         std::strcmp(argument, "-?") == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    const sys::VersionBlock& version = sys::GetVersionBlock();
    std::printf("%s %s\n", version.product_name, version.product_version);
    return 0;
  }
  if (argc == 2 && AsksForHelp(argv[1])) {
    std::fputs(app::UsageText(), stdout);
    return std::fflush(stdout) == 0 ? 0 : app::kExitFailed;
  }
  return app::RunApplication(std::vector<std::string>(argv, argv + argc), false);
}

#include "app/DesktopHandOver.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/sys/Version.h"

#ifndef BRIVEN_DESKTOP_INSTALLED
#define BRIVEN_DESKTOP_INSTALLED ""
#endif

namespace app {

namespace {

constexpr const char kDesktopProgram[] = "briven-desktop";

bool IsExecutable(const std::string& path) { return !path.empty() && ::access(path.c_str(), X_OK) == 0; }

}  // namespace

std::string FindDesktopProgram() {
  const std::string folder = sys::GetProgramFolder();
  if (!folder.empty() && IsExecutable(folder + "/" + kDesktopProgram)) return folder + "/" + kDesktopProgram;
  if (IsExecutable(BRIVEN_DESKTOP_INSTALLED)) return BRIVEN_DESKTOP_INSTALLED;
  return "";
}

void HandOverToDesktopProgram(const std::vector<std::string>& argv, std::string& message) {
  const std::string program = FindDesktopProgram();
  if (program.empty()) {
    message = "The interactive program is not available in this build; convert from the command line instead.";
    return;
  }
  std::vector<char*> arguments;
  arguments.push_back(const_cast<char*>(program.c_str()));
  for (std::size_t i = 1; i < argv.size(); ++i) arguments.push_back(const_cast<char*>(argv[i].c_str()));
  arguments.push_back(nullptr);
  ::execv(program.c_str(), arguments.data());
  message = "The interactive program " + program + " cannot be started: " + std::strerror(errno);
}

}  // namespace app

#include "platform/sys/Version.h"

#include <climits>
#include <unistd.h>

#ifndef BRIVEN_VERSION
#define BRIVEN_VERSION "0.0.0"
#endif

namespace sys {

const VersionBlock& GetVersionBlock() {
  static const VersionBlock block{
      "Harwendel",
      "Briven",
      "Briven raw log file converter",
      BRIVEN_VERSION,
      "Copyright (C) Harwendel",
  };
  return block;
}

std::string GetProgramFolder() {
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return {};
  std::string path(buffer, static_cast<size_t>(n));
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return {};
  return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string FindDataFile(const std::string& name) {
  const std::string folder = GetProgramFolder();
  if (folder.empty()) return {};
  // Beside the program; or in the installation's shared data, one level up
  // from bin/, or two from libexec/briven/ where the desktop program lies.
  for (const std::string& candidate :
       {folder + "/" + name, folder + "/../share/briven/" + name, folder + "/../../share/briven/" + name}) {
    if (::access(candidate.c_str(), R_OK) == 0) return candidate;
  }
  return {};
}

}  // namespace sys

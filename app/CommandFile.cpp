#include "app/CommandFile.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace app {

std::string CommandFilePath() {
  const char* path = std::getenv("BRIVEN_COMMAND_FILE");
  return path ? path : "";
}

std::vector<unsigned> TakeCommands(const std::string& path) {
  std::vector<unsigned> commands;
  if (path.empty()) return commands;
  std::ifstream file(path);
  if (!file) return commands;
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    unsigned id = 0;
    const char* end = line.data() + line.size();
    const auto [stop, error] = std::from_chars(line.data(), end, id);
    if (error == std::errc() && stop == end && id >= 1 && id <= 0xFFFF) commands.push_back(id);
  }
  file.close();
  std::remove(path.c_str());
  return commands;
}

}  // namespace app

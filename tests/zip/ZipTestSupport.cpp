#include "ZipTestSupport.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace ziptest {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "ziptest-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  // Read-only files and folders must not stop the clean-up.
  for (auto& entry : std::filesystem::recursive_directory_iterator(path_, ec))
    if (entry.is_directory() && !entry.is_symlink()) std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

std::string Fixture(const std::string& name) { return std::string(BRIVEN_TEST_DATA) + "/zip/" + name; }

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteAll(const std::string& path, const std::string& data) {
  std::ofstream out(path, std::ios::binary);
  out << data;
}

std::map<std::string, std::string> Snapshot(const std::string& root) {
  std::map<std::string, std::string> out;
  for (auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    struct stat st;
    ::lstat(entry.path().c_str(), &st);
    std::string value = std::to_string(st.st_mode);
    if (S_ISREG(st.st_mode)) value += ":" + ReadAll(entry.path());
    out[std::filesystem::relative(entry.path(), root).string()] = value;
  }
  return out;
}

int Run(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace ziptest

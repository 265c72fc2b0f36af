// Helpers shared by the zip tests: a unique temporary folder, fixture
// paths, whole-file reads and a snapshot of a folder tree.
#pragma once

#include <map>
#include <string>

namespace ziptest {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

std::string Fixture(const std::string& name);
std::string ReadAll(const std::string& path);
void WriteAll(const std::string& path, const std::string& data);
// Every path below root (relative) with its type, mode and content.
std::map<std::string, std::string> Snapshot(const std::string& root);
// Runs a shell command; returns its exit status.
int Run(const std::string& command);

}  // namespace ziptest

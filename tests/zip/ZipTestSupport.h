// Helpers shared by the zip tests: a unique temporary folder, fixture
// paths, whole-file reads, a snapshot of a folder tree and hand-made
// archives.
#pragma once

#include <map>
#include <string>

#include "zip/ZipTypes.h"

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
// The headers of a stored entry made by a Unix host, the name written as
// given (a "\\" or a NUL included), for archives no writer would make.
std::string StoredLocalHeader(const std::string& name, DWORD crc, DWORD size);
std::string StoredCentralHeader(const std::string& name, DWORD crc, DWORD size, DWORD offset);
// A whole archive of one stored entry.
std::string OneStoredEntryArchive(const std::string& name, const std::string& data);
// Runs a shell command; returns its exit status.
int Run(const std::string& command);

}  // namespace ziptest

#include "core/conversion/SameFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

#include "platform/sys/PathParts.h"

namespace conversion {
namespace {

constexpr int kMaxLinks = 8;

// Where a write to path lands: its folder made absolute and free of links,
// and its name, following a link that points at a file not yet there.
// Empty when the folder cannot be examined.
std::string WriteLocation(std::string path) {
  for (int link = 0; link < kMaxLinks; ++link) {
    char folder[PATH_MAX];
    if (::realpath(sys::FolderOfPath(path).c_str(), folder) == nullptr) return {};
    const std::string located = std::string(folder) + "/" + sys::NameOfPath(path);
    char target[PATH_MAX];
    const ssize_t n = ::readlink(located.c_str(), target, sizeof target - 1);
    if (n <= 0) return located;
    target[n] = '\0';
    path = target[0] == '/' ? std::string(target) : std::string(folder) + "/" + target;
  }
  return {};
}

}  // namespace

bool IsSameFile(const std::string& first, const std::string& second) {
  if (first.empty() || second.empty()) return false;
  struct stat a {};
  struct stat b {};
  if (::stat(first.c_str(), &a) != 0 || ::stat(second.c_str(), &b) != 0) return false;
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool IsSameLocation(const std::string& first, const std::string& second) {
  if (first.empty() || second.empty()) return false;
  if (IsSameFile(first, second)) return true;
  const std::string a = WriteLocation(first);
  return !a.empty() && a == WriteLocation(second);
}

}  // namespace conversion

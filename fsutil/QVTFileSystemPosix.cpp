#include "fsutil/QVTFileSystemPosix.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/sys/Format.h"

namespace fsposix {
namespace {

// Names need only be unlikely to collide: O_EXCL settles the rest.
std::string RandomSuffix() {
  static std::atomic<unsigned> counter{0};
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  const unsigned long long mix = (static_cast<unsigned long long>(now.tv_nsec) << 20) ^
                                 (static_cast<unsigned long long>(::getpid()) << 8) ^ counter.fetch_add(1);
  return sys::Format("%llx", mix);
}

bool RenameFlagUnsupported(int os_error) {
  return os_error == EINVAL || os_error == ENOSYS || os_error == ENOTSUP;
}

}  // namespace

std::string CurrentDirectory() {
  // getcwd sizes its own buffer, so no depth of folder is too long.
  std::unique_ptr<char, decltype(&std::free)> cwd(::getcwd(nullptr, 0), &std::free);
  return cwd ? std::string(cwd.get()) : std::string();
}

int CreateUniqueFile(const std::string& folder, const std::string& prefix, std::string& path) {
  const std::string base = folder.empty() ? std::string() : (folder.back() == '/' ? folder : folder + "/");
  for (int attempt = 0; attempt < 100; ++attempt) {
    path = base + prefix + RandomSuffix();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      ::close(fd);
      return 0;
    }
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

int RenameNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (!RenameFlagUnsupported(errno)) return errno;
  // A file system without the flag: a hard link cannot replace either.
  if (::link(from.c_str(), to.c_str()) == 0) {
    ::unlink(from.c_str());
    return 0;
  }
  if (errno == EEXIST) return EEXIST;
  // Neither (folders, or links unsupported): the check is the best left.
  if (EntryExists(to)) return EEXIST;
  return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

bool EntryExists(const std::string& path) {
  struct stat st;
  return !path.empty() && ::lstat(path.c_str(), &st) == 0;
}

bool IsRegularFile(const std::string& path) {
  struct stat st;
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace fsposix

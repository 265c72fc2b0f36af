#include "core/conversion/OutputReplacement.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/sys/FileException.h"
#include "platform/sys/PathParts.h"

namespace {

int CauseOfErrno(int os_error, const std::string& path) {
  const int cause = sys::CFileException::FromErrno(os_error, path).m_cause;
  return cause == 0 ? sys::CFileException::genericException : cause;
}

}  // namespace

COutputReplacement::~COutputReplacement() { Abandon(); }

bool COutputReplacement::Replaces(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

int COutputReplacement::Begin(const std::string& path, int& cause) {
  Abandon();
  // A symbolic link stays a link: its target is what the run replaces.
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) == nullptr) {
    cause = CauseOfErrno(errno, path);
    return -1;
  }
  const std::string target = resolved;
  const int lock_fd = ::open(target.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (lock_fd < 0) {
    cause = CauseOfErrno(errno, path);
    return -1;
  }
  struct stat previous {};
  // A file the user may not write is not replaced behind its back, even
  // where the folder would allow the rename.
  if (::fstat(lock_fd, &previous) != 0 || ::access(target.c_str(), W_OK) != 0 ||
      ::flock(lock_fd, LOCK_EX | LOCK_NB) != 0) {
    cause = CauseOfErrno(errno, path);
    ::close(lock_fd);
    return -1;
  }
  std::string name = sys::FolderOfPath(target) + "/." + sys::NameOfPath(target) + ".briven-XXXXXX";
  const int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) {
    cause = CauseOfErrno(errno, path);
    ::close(lock_fd);
    return -1;
  }
  // The new file keeps the permissions and, where we may give it, the owner
  // of the one it replaces; the set-id bits are not carried over.
  if (::fchmod(fd, previous.st_mode & 0777) != 0 ||
      ((previous.st_uid != ::geteuid() || previous.st_gid != ::getegid()) &&
       ::fchown(fd, previous.st_uid, previous.st_gid) != 0 && errno != EPERM)) {
    cause = CauseOfErrno(errno, path);
    ::close(fd);
    ::unlink(name.c_str());
    ::close(lock_fd);
    return -1;
  }
  target_ = target;
  temporary_ = name;
  lock_fd_ = lock_fd;
  cause = 0;
  return fd;
}

int COutputReplacement::Commit() {
  if (!IsActive()) return 0;
  int cause = 0;
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
    cause = CauseOfErrno(errno, target_);
    ::unlink(temporary_.c_str());
  } else {
    sys::SyncFolder(sys::FolderOfPath(target_));
  }
  temporary_.clear();
  Unlock();
  return cause;
}

void COutputReplacement::Abandon() {
  if (IsActive()) ::unlink(temporary_.c_str());
  temporary_.clear();
  Unlock();
}

void COutputReplacement::Unlock() {
  if (lock_fd_ >= 0) ::close(lock_fd_);
  lock_fd_ = -1;
}

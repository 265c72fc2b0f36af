#include "fsutil/QVTFileSystemTreeRemoval.h"

#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};

class FdCloser {
 public:
  explicit FdCloser(int fd) : fd_(fd) {}
  ~FdCloser() {
    if (fd_ >= 0) ::close(fd_);
  }
  FdCloser(const FdCloser&) = delete;
  FdCloser& operator=(const FdCloser&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

bool QVTFileSystemTreeRemoval::RemoveContents(const std::string& folder) {
  const FdCloser fd(::open(folder.c_str(), kFolderFlags));
  return fd.get() >= 0 && RemoveContentsAt(fd.get());
}

bool QVTFileSystemTreeRemoval::RemoveContentsAt(int folderFd) {
  // The stream gets its own descriptor; folderFd stays ours for the *at calls.
  const int streamFd = ::dup(folderFd);
  if (streamFd < 0) return false;
  std::unique_ptr<DIR, DirCloser> dir(::fdopendir(streamFd));
  if (!dir) {
    ::close(streamFd);
    return false;
  }
  bool allRemoved = true;
  while (const dirent* item = ::readdir(dir.get())) {
    const std::string_view name = item->d_name;
    if (name == "." || name == "..") continue;
    if (!RemoveEntryAt(folderFd, item->d_name)) allRemoved = false;
  }
  return allRemoved;
}

bool QVTFileSystemTreeRemoval::RemoveEntryAt(int folderFd, const char* name) {
  struct stat st;
  if (::fstatat(folderFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return false;
  if (S_ISDIR(st.st_mode)) {
    const FdCloser child(::openat(folderFd, name, kFolderFlags));
    if (child.get() < 0) return false;
    const bool emptied = RemoveContentsAt(child.get());
    return ::unlinkat(folderFd, name, AT_REMOVEDIR) == 0 && emptied;
  }
  if (S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) == 0) return false;
  return ::unlinkat(folderFd, name, 0) == 0;
}

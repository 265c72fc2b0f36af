#include "platform/sys/SettingsStoreFile.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/sys/Format.h"
#include "platform/sys/PathParts.h"
#include "platform/sys/SettingsStoreTypes.h"
#include "platform/sys/Time.h"

namespace sys {

namespace {

namespace fs = std::filesystem;

FileProblem Problem(int os_error, LONG otherwise, const char* step) {
  return FileProblem{Win32ErrorFromErrno(os_error, otherwise), Format("%s: %s", step, std::strerror(os_error))};
}

std::string FolderOf(const std::string& path) {
  const fs::path parent = fs::path(path).parent_path();
  return parent.empty() ? std::string(".") : parent.string();
}

bool WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

LONG Win32ErrorFromErrno(int os_error, LONG otherwise) {
  switch (os_error) {
    case ENOENT:
    case ENOTDIR: return ERROR_FILE_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS: return ERROR_ACCESS_DENIED;
    case ENOSPC:
    case EDQUOT: return ERROR_DISK_FULL;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    default: return otherwise;
  }
}

SettingsStoreFile::~SettingsStoreFile() { Unlock(); }

FileIdentity SettingsStoreFile::Identify() const {
  struct stat st {};
  if (::stat(path_.c_str(), &st) != 0) return {};
  return FileIdentity{true, static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                      static_cast<std::int64_t>(st.st_size),
                      static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

FileProblem SettingsStoreFile::Read(std::string& text, FileIdentity& identity) const {
  text.clear();
  identity = {};
  const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return {};  // no file yet: nothing set
    return Problem(errno, ERROR_READ_FAULT, "cannot open");
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    const int os_error = errno;
    ::close(fd);
    return Problem(os_error, ERROR_READ_FAULT, "cannot examine");
  }
  if (!S_ISREG(st.st_mode)) {
    // The reason is the kind of thing there: errno tells nothing after a
    // successful fstat.
    ::close(fd);
    if (S_ISDIR(st.st_mode)) return Problem(EISDIR, ERROR_READ_FAULT, "not a readable file");
    return FileProblem{ERROR_READ_FAULT, "not a readable file: not a regular file"};
  }
  identity = FileIdentity{true, static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                          static_cast<std::int64_t>(st.st_size),
                          static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
  text.resize(static_cast<std::size_t>(st.st_size));
  std::size_t done = 0;
  while (true) {
    if (done == text.size()) text.resize(done + 4096);  // the file grew since fstat
    const ssize_t n = ::read(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int os_error = errno;
      ::close(fd);
      return Problem(os_error, ERROR_READ_FAULT, "cannot read");
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  text.resize(done);
  ::close(fd);
  return {};
}

FileProblem SettingsStoreFile::Lock(bool create_folder) {
  if (lock_fd_ >= 0) return {};
  std::error_code ec;
  if (create_folder) fs::create_directories(FolderOf(path_), ec);
  if (ec) return Problem(ec.value(), ERROR_WRITE_FAULT, "cannot create the folder");
  const std::string lock_path = path_ + ".lock";
  const int fd = ::open(lock_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return Problem(errno, ERROR_WRITE_FAULT, "cannot open the lock file");
  while (::flock(fd, LOCK_EX) != 0) {
    if (errno == EINTR) continue;
    const int os_error = errno;
    ::close(fd);
    return Problem(os_error, ERROR_WRITE_FAULT, "cannot take the lock file");
  }
  lock_fd_ = fd;
  return {};
}

void SettingsStoreFile::Unlock() {
  if (lock_fd_ < 0) return;
  ::flock(lock_fd_, LOCK_UN);
  ::close(lock_fd_);
  lock_fd_ = -1;
}

std::string SettingsStoreFile::TemporaryPrefix() const { return fs::path(path_).filename().string() + ".tmp-"; }

FileProblem SettingsStoreFile::Replace(const std::string& text) {
  static std::atomic<unsigned> counter{0};
  const std::string temporary = Format("%s.tmp-%ld-%u", path_.c_str(), static_cast<long>(::getpid()), ++counter);
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return Problem(errno, ERROR_WRITE_FAULT, "cannot create a temporary file");
  FileProblem problem = FillTemporary(fd, text);
  if (::close(fd) != 0 && !problem) problem = Problem(errno, ERROR_WRITE_FAULT, "cannot close");
  if (!problem && ::rename(temporary.c_str(), path_.c_str()) != 0)
    problem = Problem(errno, ERROR_WRITE_FAULT, "cannot rename the new file into place");
  if (problem) {
    ::unlink(temporary.c_str());
    return problem;
  }
  SyncFolder(FolderOf(path_));
  return {};
}

FileProblem SettingsStoreFile::FillTemporary(int fd, const std::string& text) const {
  // The new file keeps the old one's permissions; a first file stays private to the user.
  struct stat old {};
  if (::stat(path_.c_str(), &old) == 0 && ::fchmod(fd, old.st_mode & 07777) != 0)
    return Problem(errno, ERROR_WRITE_FAULT, "cannot keep the file's permissions");
  if (!WriteAll(fd, text)) return Problem(errno ? errno : EIO, ERROR_WRITE_FAULT, "cannot write");
  if (::fsync(fd) != 0) return Problem(errno, ERROR_WRITE_FAULT, "cannot flush to disk");
  return {};
}

void SettingsStoreFile::RemoveStrayTemporaries() const {
  const std::string prefix = TemporaryPrefix();
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(FolderOf(path_), ec)) {
    const std::string name = entry.path().filename().string();
    if (name.compare(0, prefix.size(), prefix) == 0) fs::remove(entry.path(), ec);
  }
}

std::string SettingsStoreFile::SetAside() const {
  const std::string base = path_ + ".damaged-" + CTime::GetCurrentTime().Format("%Y%m%d-%H%M%S");
  for (int attempt = 1; attempt < 100; ++attempt) {
    const std::string name = attempt == 1 ? base : Format("%s-%d", base.c_str(), attempt);
    // link + unlink rather than rename, so an earlier damaged copy is never replaced.
    if (::link(path_.c_str(), name.c_str()) == 0) {
      ::unlink(path_.c_str());
      return name;
    }
    if (errno == EEXIST) continue;
    // Folders that keep no hard links: a plain rename, once the name is known free.
    std::error_code ec;
    if (fs::exists(name, ec) || ec) continue;
    return ::rename(path_.c_str(), name.c_str()) == 0 ? name : std::string();
  }
  return {};
}

}  // namespace sys

#include "platform/sys/File.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sys {
namespace {

int AccessFlags(unsigned flags) {
  switch (flags & 3u) {
    case CFile::modeWrite:
      return O_WRONLY;
    case CFile::modeReadWrite:
      return O_RDWR;
    default:
      return O_RDONLY;
  }
}

// The advisory lock that stands for a share mode: deny-none shares freely,
// deny-write lets readers share, the rest is exclusive. A plain read-only
// open (no share mode named) shares with other readers too, so that two
// conversions can read one instrument file at once; it still keeps writers
// out, and waits for none of them.
int LockFor(unsigned flags) {
  const bool read_only = AccessFlags(flags) == O_RDONLY;
  switch (flags & 0x70u) {
    case CFile::shareDenyNone:
      return 0;
    case CFile::shareDenyWrite:
    case CFile::shareCompat:
      return read_only ? LOCK_SH : LOCK_EX;
    default:
      return LOCK_EX;
  }
}

std::string Absolute(const std::string& path) {
  if (!path.empty() && path[0] == '/') return path;
  char cwd[PATH_MAX];
  if (::getcwd(cwd, sizeof cwd) == nullptr) return path;
  std::string out = cwd;
  if (out.empty() || out.back() != '/') out += '/';
  return out + path;
}

std::uint8_t AttributesOf(const struct stat& st, const std::string& path) {
  std::uint8_t attributes = 0;
  // Pipes, sockets and devices count as system entries, so that plain-file
  // listings never offer one that would block whoever opens it.
  if (S_ISDIR(st.st_mode)) attributes |= kAttrDirectory;
  else if (S_ISREG(st.st_mode)) attributes |= kAttrArchive;
  else attributes |= kAttrSystem;
  if ((st.st_mode & S_IWUSR) == 0) attributes |= kAttrReadOnly;
  const auto slash = path.find_last_of('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.size() > 1 && name[0] == '.' && name != "..") attributes |= kAttrHidden;
  return attributes;
}

void FillStatus(const struct stat& st, const std::string& path, CFileStatus& status) {
  status.m_ctime = CTime(st.st_ctime);
  status.m_mtime = CTime(st.st_mtime);
  status.m_atime = CTime(st.st_atime);
  status.m_size = static_cast<std::int64_t>(st.st_size);
  status.m_attribute = AttributesOf(st, path);
  status.m_szFullName = Absolute(path);
}

}  // namespace

CFile::CFile(const std::string& path, unsigned flags) {
  CFileException error;
  if (!Open(path, flags, &error)) throw error;
}

CFile::~CFile() { Abort(); }

bool CFile::Open(const std::string& path, unsigned flags, CFileException* error) {
  if (IsOpen()) Abort();
  // Opened without blocking, so a named pipe with nobody at the other end
  // gives an answer instead of hanging the caller; the descriptor blocks
  // as usual once open. A terminal opened as a file never becomes the
  // process's controlling terminal.
  int oflags = AccessFlags(flags) | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
  const bool create = (flags & modeCreate) != 0;
  const bool truncate = create && (flags & modeNoTruncate) == 0;
  if (create) oflags |= O_CREAT;
  const int fd = ::open(path.c_str(), oflags, 0666);
  auto fail = [&](int os_error) {
    if (error) *error = CFileException::FromErrno(os_error, path);
    return false;
  };
  if (fd < 0) return fail(errno);
  // A folder opens for reading on this system but is no file: reads fail
  // later and its "length" is meaningless, so it is refused here, as it is
  // when opened for writing.
  if (struct stat st; ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    return fail(EISDIR);
  }
  if (const int status = ::fcntl(fd, F_GETFL); status < 0 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
    const int os_error = errno;
    ::close(fd);
    return fail(os_error);
  }
  if (const int lock = LockFor(flags); lock != 0 && ::flock(fd, lock | LOCK_NB) != 0) {
    const int os_error = errno;
    ::close(fd);
    return fail(os_error);
  }
  // Truncate only once the lock is held, so a file another opener is
  // using is never emptied under it.
  if (truncate && ::ftruncate(fd, 0) != 0) {
    const int os_error = errno;
    ::close(fd);
    return fail(os_error);
  }
  fd_ = fd;
  path_ = path;
  return true;
}

void CFile::Attach(int fd, const std::string& path) {
  Abort();
  fd_ = fd;
  path_ = path;
}

void CFile::Close() {
  if (!IsOpen()) return;
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0 && errno != EINTR) ThrowErrno(errno);
}

void CFile::Abort() noexcept {
  if (!IsOpen()) return;
  ::close(fd_);
  fd_ = -1;
}

std::size_t CFile::Read(void* buffer, std::size_t count) {
  auto* out = static_cast<char*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = ::read(fd_, out + done, count - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowErrno(errno);
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

std::size_t CFile::ReadAt(void* buffer, std::size_t count, std::int64_t position) {
  auto* out = static_cast<char*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = ::pread(fd_, out + done, count - done, static_cast<off_t>(position) + static_cast<off_t>(done));
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowErrno(errno);
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

void CFile::Write(const void* buffer, std::size_t count) {
  const auto* in = static_cast<const char*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = ::write(fd_, in + done, count - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowErrno(errno);
    }
    if (n == 0) ThrowErrno(ENOSPC);
    done += static_cast<std::size_t>(n);
  }
}

std::int64_t CFile::Seek(std::int64_t offset, SeekPosition from) {
  const int whence = from == begin ? SEEK_SET : from == current ? SEEK_CUR : SEEK_END;
  const off_t position = ::lseek(fd_, static_cast<off_t>(offset), whence);
  if (position < 0) {
    if (errno == EINVAL) throw CFileException(CFileException::badSeek, errno, path_);
    ThrowErrno(errno);
  }
  return position;
}

std::int64_t CFile::GetPosition() const {
  const off_t position = ::lseek(fd_, 0, SEEK_CUR);
  if (position < 0) ThrowErrno(errno);
  return position;
}

std::int64_t CFile::GetLength() const {
  struct stat st;
  if (::fstat(fd_, &st) != 0) ThrowErrno(errno);
  return static_cast<std::int64_t>(st.st_size);
}

void CFile::SetLength(std::int64_t length) {
  if (::ftruncate(fd_, static_cast<off_t>(length)) != 0) ThrowErrno(errno);
}

void CFile::Flush() {
  if (!IsOpen()) return;
  if (::fdatasync(fd_) != 0 && errno != EINVAL && errno != EROFS) ThrowErrno(errno);
}

std::string CFile::GetFileName() const {
  const auto slash = path_.find_last_of("/\\");
  return slash == std::string::npos ? path_ : path_.substr(slash + 1);
}

bool CFile::GetStatus(CFileStatus& status) const {
  struct stat st;
  if (!IsOpen() || ::fstat(fd_, &st) != 0) return false;
  FillStatus(st, path_, status);
  return true;
}

bool CFile::GetStatus(const std::string& path, CFileStatus& status) {
  struct stat st;
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return false;
  FillStatus(st, path, status);
  return true;
}

void CFile::Rename(const std::string& old_name, const std::string& new_name) {
  if (::rename(old_name.c_str(), new_name.c_str()) != 0) CFileException::ThrowOsError(errno, old_name);
}

void CFile::Remove(const std::string& path) {
  if (::unlink(path.c_str()) != 0) CFileException::ThrowOsError(errno, path);
}

void CFile::ThrowErrno(int os_error) const { CFileException::ThrowOsError(os_error, path_); }

}  // namespace sys

#include "zip/ZipFileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "zip/ZipAttributes.h"
#include "zip/ZipException.h"
#include "zip/ZipPathSplitter.h"

namespace ZipFileSystem {

std::uint64_t GetDriveFreeSpace(const std::string& path) {
  struct statvfs st;
  if (::statvfs(path.empty() ? "." : path.c_str(), &st) != 0) return 0;
  return static_cast<std::uint64_t>(st.f_bavail) * st.f_frsize;
}

bool GetFileSize(const std::string& path, std::int64_t& size) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  size = st.st_size;
  return true;
}

std::string GetTempFileName(const std::string& folder, std::uint64_t neededSpace) {
  std::string dir = folder;
  if (dir.empty() || GetDriveFreeSpace(dir) < neededSpace) {
    const char* tmp = std::getenv("TMPDIR");
    dir = tmp && *tmp ? tmp : "/tmp";
  }
  if (GetDriveFreeSpace(dir) < neededSpace && !GetCurrentDirectory(dir)) return {};
  if (GetDriveFreeSpace(dir) < neededSpace) return {};
  std::string name = dir + "/ZARXXXXXX";
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return {};
  ::close(fd);
  return name;
}

bool GetCurrentDirectory(std::string& out) {
  char buffer[PATH_MAX];
  if (::getcwd(buffer, sizeof buffer) == nullptr) return false;
  out = buffer;
  return true;
}

bool ChangeDirectory(const std::string& path) { return ::chdir(path.c_str()) == 0; }

bool GetFileAttributes(const std::string& path, DWORD& out) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return false;
  const DWORD mode = (static_cast<DWORD>(st.st_mode) & 0xFFFF) << 16;
  out = ZipAttributes::Convert(mode, ZipAttributes::kUnix, ZipAttributes::kDos) | mode;
  return true;
}

bool SetFileAttributes(const std::string& path, DWORD attributes) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return false;
  mode_t mode = st.st_mode & 0777;
  if (attributes & ZipAttributes::kReadOnly) mode &= ~static_cast<mode_t>(0222);
  else mode |= S_IWUSR;
  return ::chmod(path.c_str(), mode) == 0;
}

bool GetFileModTime(const std::string& path, std::time_t& out) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || st.st_mtime == -1) return false;
  out = st.st_mtime;
  return true;
}

bool SetFileModTime(const std::string& path, std::time_t t) {
  struct timespec times[2];
  times[0].tv_nsec = UTIME_NOW;
  times[0].tv_sec = 0;
  times[1].tv_sec = t;
  times[1].tv_nsec = t == -1 ? UTIME_NOW : 0;
  return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

int FileExists(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return 0;
  return S_ISDIR(st.st_mode) ? -1 : 1;
}

bool IsDirectory(const std::string& path) { return FileExists(path) == -1; }

// Removable-disk spanning needs volume labels and disk changes; nothing
// here is treated as removable.
bool IsDriveRemovable(const std::string& /*path*/) { return false; }

bool RemoveFile(const std::string& path, bool throwOnError) {
  if (::unlink(path.c_str()) == 0) return true;
  if (throwOnError) CZipException::Throw(CZipException::removeError, path);
  return false;
}

bool RenameFile(const std::string& from, const std::string& to, bool throwOnError) {
  if (::rename(from.c_str(), to.c_str()) == 0) return true;
  if (throwOnError) CZipException::Throw(CZipException::renameError, from);
  return false;
}

bool CreateDirectory(const std::string& path) { return ::mkdir(path.c_str(), 0755) == 0 || errno == EEXIST; }

bool CreateDirectoryTree(const std::string& path) {
  std::string p = path;
  while (p.size() > 1 && CZipPathSplitter::IsSeparator(p.back())) p.pop_back();
  if (p.empty() || IsDirectory(p)) return true;
  const auto slash = p.find_last_of("/\\");
  if (slash != std::string::npos && slash > 0 && !CreateDirectoryTree(p.substr(0, slash))) return false;
  return ::mkdir(p.c_str(), 0755) == 0 || IsDirectory(p);
}

}  // namespace ZipFileSystem

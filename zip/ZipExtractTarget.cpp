#include "zip/ZipExtractTarget.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/sys/Format.h"
#include "zip/ZipFileSystem.h"

namespace {

std::string TempName(const std::string& finalName) {
  unsigned char random[6] = {};
  if (::getrandom(random, sizeof random, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof random)) {
    const auto seed = static_cast<unsigned long>(::getpid()) ^ static_cast<unsigned long>(::time(nullptr));
    for (unsigned char& b : random) b = static_cast<unsigned char>(seed >> ((&b - random) * 5));
  }
  std::string name(1, '.');
  name.append(finalName, 0, 200);
  name.push_back('.');
  for (unsigned char b : random) sys::AppendFormat(name, "%02x", b);
  return name;
}

}  // namespace

CZipExtractTarget::CZipExtractTarget(const CZipExtractPath& where)
    : m_where(where) {}

CZipExtractTarget::~CZipExtractTarget() {
  Discard();
  if (m_parentFd >= 0) ::close(m_parentFd);
}

std::string CZipExtractTarget::GetPath() const { return m_where.GetPath(); }

// Opens the first count components as folders below the target, making the
// missing ones; a component that is a link or a file stops the walk.
int CZipExtractTarget::OpenFolders(std::size_t count) {
  const std::string base = m_where.GetFolder().empty() ? std::string(".") : m_where.GetFolder();
  const std::vector<std::string>& components = m_where.GetComponents();
  if (!ZipFileSystem::CreateDirectoryTree(base)) sys::CFileException::ThrowOsError(errno, base);
  int fd = ::open(base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) sys::CFileException::ThrowOsError(errno, base);
  std::string path = base;
  for (std::size_t i = 0; i < count; ++i) {
    if (path.back() != '/') path.push_back('/');
    path += components[i];
    if (::mkdirat(fd, components[i].c_str(), 0755) != 0 && errno != EEXIST) {
      const int error = errno;
      ::close(fd);
      sys::CFileException::ThrowOsError(error, path);
    }
    const int next = ::openat(fd, components[i].c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    const int error = errno;
    ::close(fd);
    if (next < 0) sys::CFileException::ThrowOsError(error, path);
    fd = next;
  }
  return fd;
}

void CZipExtractTarget::CreateDirectories() { ::close(OpenFolders(m_where.GetComponents().size())); }

CZipFile& CZipExtractTarget::CreateFile(mode_t mode) {
  m_parentFd = OpenFolders(m_where.GetComponents().size() - 1);
  mode &= 0777;
  for (int attempt = 0; attempt < 16; ++attempt) {
    m_tempName = TempName(m_where.GetComponents().back());
    const int fd = ::openat(m_parentFd, m_tempName.c_str(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd >= 0) {
      m_file.Attach(fd, GetPath());
      return m_file;
    }
    if (errno != EEXIST) break;
  }
  const int error = errno;
  m_tempName.clear();
  sys::CFileException::ThrowOsError(error, GetPath());
}

bool CZipExtractTarget::SetTime(std::time_t t) {
  struct timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_NOW;
  times[1].tv_sec = t;
  times[1].tv_nsec = 0;
  return !m_file.IsClosed() && ::futimens(m_file.GetHandle(), times) == 0;
}

void CZipExtractTarget::Commit() {
  m_file.Close();
  if (::renameat(m_parentFd, m_tempName.c_str(), m_parentFd, m_where.GetComponents().back().c_str()) != 0)
    sys::CFileException::ThrowOsError(errno, GetPath());
  m_committed = true;
}

void CZipExtractTarget::Discard() noexcept {
  if (m_committed || m_tempName.empty() || m_parentFd < 0) return;
  m_file.Abort();
  ::unlinkat(m_parentFd, m_tempName.c_str(), 0);
  m_tempName.clear();
}

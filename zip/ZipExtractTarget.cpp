#include "zip/ZipExtractTarget.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>

#include "platform/sys/Format.h"
#include "zip/ZipException.h"
#include "zip/ZipFileSystem.h"

namespace {

[[noreturn]] void Refuse(const std::string& archivePath, const std::string& why, const std::string& name) {
  std::string shown;
  for (char c : name) {
    if (c == '\0') shown.append("\\0");
    else shown.push_back(c);
  }
  CZipException::Throw(CZipException::badZipFile, archivePath, why + ": \"" + shown + "\"");
}

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

std::vector<std::string> CZipExtractTarget::SafeComponents(const std::string& name, const std::string& archivePath) {
  std::string n = name;
  while (!n.empty() && (n.back() == '/' || n.back() == '\\')) n.pop_back();
  if (n.empty()) Refuse(archivePath, "empty entry name", name);
  if (n.find('\0') != std::string::npos) Refuse(archivePath, "entry name holds a NUL byte", name);
  if (n[0] == '/' || n[0] == '\\') Refuse(archivePath, "absolute entry name", name);
  if (n.size() >= 2 && n[1] == ':' && std::isalpha(static_cast<unsigned char>(n[0])))
    Refuse(archivePath, "entry name with a drive", name);
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= n.size()) {
    const std::size_t end = n.find_first_of("/\\", start);
    const std::string part = n.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (part.empty() || part == "." || part == "..") Refuse(archivePath, "unsafe entry name", name);
    parts.push_back(part);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return parts;
}

CZipExtractTarget::CZipExtractTarget(std::string folder, std::vector<std::string> components)
    : m_folder(std::move(folder)), m_components(std::move(components)) {}

CZipExtractTarget::~CZipExtractTarget() {
  Discard();
  if (m_parentFd >= 0) ::close(m_parentFd);
}

std::string CZipExtractTarget::GetPath() const {
  std::string path = m_folder.empty() ? std::string(".") : m_folder;
  for (const std::string& c : m_components) path += "/" + c;
  return path;
}

// Opens the first count components as folders below the target, making the
// missing ones; a component that is a link or a file stops the walk.
int CZipExtractTarget::OpenFolders(std::size_t count) {
  const std::string base = m_folder.empty() ? std::string(".") : m_folder;
  if (!ZipFileSystem::CreateDirectoryTree(base)) sys::CFileException::ThrowOsError(errno, base);
  int fd = ::open(base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) sys::CFileException::ThrowOsError(errno, base);
  std::string path = base;
  for (std::size_t i = 0; i < count; ++i) {
    path += "/" + m_components[i];
    if (::mkdirat(fd, m_components[i].c_str(), 0755) != 0 && errno != EEXIST) {
      const int error = errno;
      ::close(fd);
      sys::CFileException::ThrowOsError(error, path);
    }
    const int next = ::openat(fd, m_components[i].c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    const int error = errno;
    ::close(fd);
    if (next < 0) sys::CFileException::ThrowOsError(error, path);
    fd = next;
  }
  return fd;
}

void CZipExtractTarget::CreateDirectories() { ::close(OpenFolders(m_components.size())); }

CZipFile& CZipExtractTarget::CreateFile(mode_t mode) {
  m_parentFd = OpenFolders(m_components.size() - 1);
  mode &= 0777;
  for (int attempt = 0; attempt < 16; ++attempt) {
    m_tempName = TempName(m_components.back());
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
  if (::renameat(m_parentFd, m_tempName.c_str(), m_parentFd, m_components.back().c_str()) != 0)
    sys::CFileException::ThrowOsError(errno, GetPath());
  m_committed = true;
}

void CZipExtractTarget::Discard() noexcept {
  if (m_committed || m_tempName.empty() || m_parentFd < 0) return;
  m_file.Abort();
  ::unlinkat(m_parentFd, m_tempName.c_str(), 0);
  m_tempName.clear();
}

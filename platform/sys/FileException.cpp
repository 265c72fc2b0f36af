#include "platform/sys/FileException.h"

#include <cerrno>
#include <sys/stat.h>

namespace sys {
namespace {

bool ParentFolderMissing(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos || slash == 0) return false;
  struct stat st;
  return ::stat(path.substr(0, slash).c_str(), &st) != 0;
}

}  // namespace

int CFileException::OsErrorToCause(int os_error, const std::string& path) {
  switch (os_error) {
    case 0:
      return none;
    case ENOENT:
      return ParentFolderMissing(path) ? badPath : fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return badPath;
    case EMFILE:
    case ENFILE:
      return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
      return accessDenied;
    case EBADF:
      return invalidFile;
    case ESPIPE:
      return badSeek;
    case EIO:
      return hardIO;
    case EWOULDBLOCK:
      return sharingViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return diskFull;
    default:
      return genericException;
  }
}

CFileException CFileException::FromErrno(int os_error, const std::string& path) {
  return CFileException(OsErrorToCause(os_error, path), os_error, path);
}

void CFileException::ThrowOsError(int os_error, const std::string& path) {
  throw FromErrno(os_error, path);
}

const char* CFileException::what() const noexcept {
  return "file exception";
}

}  // namespace sys

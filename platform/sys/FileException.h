// The failure of a file operation, with the cause numbers the conversion
// log and the error texts are keyed on.
#pragma once

#include <exception>
#include <string>

namespace sys {

class CFileException : public std::exception {
 public:
  enum Cause {
    none = 0,
    genericException = 1,
    fileNotFound = 2,
    badPath = 3,
    tooManyOpenFiles = 4,
    accessDenied = 5,
    invalidFile = 6,
    removeCurrentDir = 7,
    directoryFull = 8,
    badSeek = 9,
    hardIO = 10,
    sharingViolation = 11,
    lockViolation = 12,
    diskFull = 13,
    endOfFile = 14,
  };

  CFileException() = default;
  CFileException(int cause, int os_error, std::string file_name)
      : m_cause(cause), m_lOsError(os_error), m_strFileName(std::move(file_name)) {}

  // The cause for an errno value. A missing file whose folder is missing too
  // is a bad path, as it would be where this cause table comes from.
  static int OsErrorToCause(int os_error, const std::string& path = {});
  static CFileException FromErrno(int os_error, const std::string& path);
  [[noreturn]] static void ThrowOsError(int os_error, const std::string& path);

  const char* what() const noexcept override;

  int m_cause = none;
  int m_lOsError = 0;
  std::string m_strFileName;
};

}  // namespace sys

// The error every archive-level failure of the zip library is thrown as (by
// value). File failures of the archive itself or of extraction targets stay
// sys::CFileException, so callers that carry on after a failure catch both.
#pragma once

#include <exception>
#include <string>

#include "zip/ZipTypes.h"

class CZipException : public std::exception {
 public:
  enum Cause {
    noError = 0,
    genericError = 100,
    badZipFile = 101,
    badCrc = 102,
    noCallback = 103,
    diskChangeAborted = 104,
    aborted = 105,
    abortedSafely = 106,
    nonRemovable = 107,
    tooManyVolumes = 108,
    tooLongFileName = 109,
    badPassword = 110,
    dirWithSize = 111,
    internal = 112,
    removeError = 113,
    renameError = 114,
    platformNotSupported = 115,
    cdirNotFound = 116,
    zlibStreamEnd = 500,
    zlibNeedDict = 501,
    zlibErrno = 502,
    zlibStream = 503,
    zlibData = 504,
    noMemory = 505,
    zlibBuffer = 506,
    zlibVersion = 507,
  };

  // detail says, where the cause alone is too vague ("Damaged or not a zip
  // file"), what exactly was found: it is part of what() only.
  explicit CZipException(int cause = genericError, const std::string& fileName = {},
                         std::string detail = {});

  [[noreturn]] static void Throw(int cause, const std::string& fileName = {}, std::string detail = {});

  // FALSE for a null buffer, maxChars 0 or an empty description.
  bool GetErrorMessage(char* buffer, UINT maxChars, UINT* helpContext = nullptr) const;
  std::string GetErrorDescription() const;
  static std::string GetErrorDescription(int cause, bool noFallback);
  static std::string GetSystemErrorMessage();
  static int ZlibErrorToCause(int zlibResult);

  const char* what() const noexcept override { return m_what.c_str(); }
  const std::string& GetDetail() const { return m_detail; }

  std::string m_szFileName;
  int m_iCause;

 private:
  std::string m_detail;
  std::string m_what;
};

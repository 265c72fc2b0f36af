#include "zip/ZipException.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/sys/Format.h"

namespace {

// The texts of the causes that have one; nullptr for a cause without.
const char* TableText(int cause) {
  switch (cause) {
    case 1: return "Not super-user";
    case 2: return "No such file or directory";
    case 4: return "Interrupted system call";
    case 5: return "I/O error";
    case 6: return "No such device or address";
    case 9: return "Bad file number";
    case 12: return "Not enough space";
    case 13: return "Permission denied";
    case 14: return "Bad address";
    case 17: return "File exists";
    case 18: return "Cross-device link";
    case 19: return "No such device";
    case 20: return "Not a directory";
    case 21: return "Is a directory";
    case 22: return "Invalid argument";
    case 23: return "File table overflow";
    case 24: return "Too many open files";
    case 27: return "File too large";
    case 28: return "No space left on device";
    case 29: return "Illegal seek";
    case 30: return "Read-only file system";
    case 101: return "Damaged or not a zip file";
    case 102: return "Crc mismatched";
    case 103: return "No disk-spanning callback functor set";
    case 104: return "Disk change aborted";
    case 105: return "Action aborted";
    case 106: return "Action aborted safely";
    case 107: return "The device selected for the disk spanning archive is non removable";
    case 108: return "Limit of the maximum volumes reached (999)";
    case 109: return "The filename of the file being added to the archive is too long";
    case 110: return "Incorrect password set for the file being decrypted";
    case 111: return "During testing found the directory with the size greater than 0";
    case 112: return "Internal error";
    case 115: return "Cannot create the file for the specified platform";
    case 116:
      return "The central directory was not found in the archive (or you were trying to open not the last "
             "disk of a multi-disk archive)";
    case 500: return "Zlib Library error (end of stream)";
    case 503: return "Zlib library error (stream error)";
    case 504: return "Zlib library error (data error)";
    case 505: return "Not enough memory";
    case 506: return "Zlib library error (buffer error)";
    case 507: return "Zlib library error (version error)";
    default: return nullptr;
  }
}

std::string ComposeWhat(const CZipException& e, const std::string& detail) {
  std::string text = e.GetErrorDescription();
  if (!e.m_szFileName.empty()) text += ": " + e.m_szFileName;
  if (!detail.empty()) text += " (" + detail + ")";
  return text;
}

}  // namespace

CZipException::CZipException(int cause, const std::string& fileName, std::string detail)
    : m_szFileName(fileName), m_iCause(cause), m_detail(std::move(detail)) {
  m_what = ComposeWhat(*this, m_detail);
}

void CZipException::Throw(int cause, const std::string& fileName, std::string detail) {
  throw CZipException(cause, fileName, std::move(detail));
}

bool CZipException::GetErrorMessage(char* buffer, UINT maxChars, UINT* /*helpContext*/) const {
  if (buffer == nullptr || maxChars == 0) return false;
  const std::string text = GetErrorDescription();
  if (text.empty()) return false;
  const std::size_t n = std::min<std::size_t>(text.size(), maxChars - 1);
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return true;
}

std::string CZipException::GetErrorDescription() const { return GetErrorDescription(m_iCause, false); }

std::string CZipException::GetErrorDescription(int cause, bool noFallback) {
  if (const char* text = TableText(cause)) return text;
  if (cause == removeError || cause == renameError) {
    const char* what = cause == removeError ? "Error while removing a file" : "Error while renaming a file";
    return sys::Format("%s (%s)", what, GetSystemErrorMessage().c_str());
  }
  if (cause == zlibErrno) {
    const int current = errno;
    return GetErrorDescription(current == zlibErrno ? genericError : current, false);
  }
  return noFallback ? "Unknown error" : GetSystemErrorMessage();
}

// This platform keeps its last system error in errno alone.
std::string CZipException::GetSystemErrorMessage() {
  const int current = errno;
  if (current == 0) return GetErrorDescription(genericError, true);
  char buffer[256];
  return strerror_r(current, buffer, sizeof buffer);
}

int CZipException::ZlibErrorToCause(int zlibResult) {
  switch (zlibResult) {
    case 1: return zlibStreamEnd;
    case 2: return zlibNeedDict;
    case -1: return zlibErrno;
    case -2: return zlibStream;
    case -3: return zlibData;
    case -4: return noMemory;
    case -5: return zlibBuffer;
    case -6: return zlibVersion;
    default: return genericError;
  }
}

#include "core/conversion/ConversionLogFile.h"

#include "core/conversion/SameFile.h"
#include "platform/sys/Format.h"

std::string CConversionLogFile::SeriesName(int number) {
  if (number <= 1) return sys::Format("%s.%s", "Briven", "log");
  return sys::Format("%s%01d.%s", "Briven", number, "log");
}

bool CConversionLogFile::IsProtected(const std::string& path, const std::vector<std::string>& protect) {
  for (const std::string& other : protect)
    if (conversion::IsSameLocation(path, other)) return true;
  return false;
}

bool CConversionLogFile::TryOpen(const std::string& path) {
  last_tried_ = path;
  sys::CFileException error;
  const unsigned flags = sys::CFile::modeCreate | sys::CFile::modeWrite | sys::CFile::shareExclusive;
  if (file_.Open(path, flags, &error)) {
    last_cause_ = 0;
    return true;
  }
  last_cause_ = error.m_cause == 0 ? sys::CFileException::genericException : error.m_cause;
  return false;
}

CConversionLogFile::OpenResult CConversionLogFile::OpenNamed(const std::string& path,
                                                             const std::vector<std::string>& protect) {
  Close();
  if (IsProtected(path, protect)) {
    last_tried_ = path;
    last_cause_ = sys::CFileException::sharingViolation;
    return OpenResult::kRefused;
  }
  return TryOpen(path) ? OpenResult::kOpened : OpenResult::kFailed;
}

CConversionLogFile::OpenResult CConversionLogFile::OpenSeries(const std::string& folder,
                                                              const std::vector<std::string>& protect) {
  Close();
  for (int number = 1; number <= kMaxSeriesNumber; ++number) {
    const std::string path = folder + SeriesName(number);
    // A name that is the log or instrument file counts as taken.
    if (IsProtected(path, protect)) {
      last_tried_ = path;
      last_cause_ = sys::CFileException::sharingViolation;
      continue;
    }
    if (TryOpen(path)) return OpenResult::kOpened;
    if (last_cause_ != sys::CFileException::sharingViolation && last_cause_ != sys::CFileException::accessDenied)
      return OpenResult::kFailed;
  }
  return OpenResult::kAllTaken;
}

void CConversionLogFile::Write(const std::string& text) { file_.Write(text.data(), text.size()); }

void CConversionLogFile::Close() { file_.Abort(); }

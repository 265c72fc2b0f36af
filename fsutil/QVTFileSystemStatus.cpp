// What the system knows about one file or folder: existence, size, times
// and attributes.
#include "fsutil/QVTFileSystem.h"

namespace {

// Days from 1 January 1970 to the given civil date (proleptic Gregorian).
long long DaysFromCivil(long long year, unsigned month, unsigned day) {
  year -= month <= 2;
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const auto yearOfEra = static_cast<unsigned>(year - era * 400);
  const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}

// An automation date counts days from 30 December 1899 in local time.
double ToAutomationDate(const sys::CTime& time) {
  const long long days = DaysFromCivil(time.GetYear(), static_cast<unsigned>(time.GetMonth()),
                                       static_cast<unsigned>(time.GetDay())) -
                         DaysFromCivil(1899, 12, 30);
  const int seconds = time.GetHour() * 3600 + time.GetMinute() * 60 + time.GetSecond();
  return static_cast<double>(days) + seconds / 86400.0;
}

template <class Pick>
bool StatusField(const std::string& path, Pick pick) {
  sys::CFileStatus status;
  if (!sys::CFile::GetStatus(path, status)) return false;
  pick(status);
  return true;
}

}  // namespace

bool QVTFileSystem::FileExists(const std::string& path) {
  sys::CFileStatus status;
  return sys::CFile::GetStatus(path, status);
}

bool QVTFileSystem::DirectoryExists(const std::string& path) {
  sys::CFileStatus status;
  return sys::CFile::GetStatus(path, status) && (status.m_attribute & sys::kAttrDirectory) != 0;
}

bool QVTFileSystem::GetFileStatus(const std::string& path, sys::CFileStatus& status) {
  return sys::CFile::GetStatus(path, status);
}

bool QVTFileSystem::GetFileSize(const std::string& path, std::int64_t& size) {
  return StatusField(path, [&](const sys::CFileStatus& s) { size = s.m_size; });
}

bool QVTFileSystem::GetFileModifyTime(const std::string& path, sys::CTime& time) {
  return StatusField(path, [&](const sys::CFileStatus& s) { time = s.m_mtime; });
}

// The system keeps no creation time in a file's status; the status change
// time is the nearest it has.
bool QVTFileSystem::GetFileCreateTime(const std::string& path, sys::CTime& time) {
  return StatusField(path, [&](const sys::CFileStatus& s) { time = s.m_ctime; });
}

bool QVTFileSystem::GetFileAccessTime(const std::string& path, sys::CTime& time) {
  return StatusField(path, [&](const sys::CFileStatus& s) { time = s.m_atime; });
}

bool QVTFileSystem::GetFileAttribute(const std::string& path, sys::BYTE& attribute) {
  return StatusField(path, [&](const sys::CFileStatus& s) { attribute = s.m_attribute; });
}

bool QVTFileSystem::GetFileCreateTimeOle(const std::string& path, double& date) {
  return StatusField(path, [&](const sys::CFileStatus& s) { date = ToAutomationDate(s.m_ctime); });
}

bool QVTFileSystem::GetFileAccessTimeOle(const std::string& path, double& date) {
  return StatusField(path, [&](const sys::CFileStatus& s) { date = ToAutomationDate(s.m_atime); });
}

bool QVTFileSystem::GetFileWriteTimeOle(const std::string& path, double& date) {
  return StatusField(path, [&](const sys::CFileStatus& s) { date = ToAutomationDate(s.m_mtime); });
}

#include "platform/sys/Time.h"

#include <locale.h>
#include <time.h>

namespace sys {
namespace {

// Far beyond any time stamp; bounds the search for a format whose output is
// empty.
constexpr size_t kMaxFormatted = 64 * 1024;

}  // namespace

CTime::CTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  tm.tm_isdst = -1;
  time_ = ::mktime(&tm);
}

CTime CTime::GetCurrentTime() { return CTime(std::time(nullptr)); }

std::tm CTime::Local() const {
  std::tm tm{};
  ::localtime_r(&time_, &tm);
  return tm;
}

int CTime::GetYear() const { return Local().tm_year + 1900; }
int CTime::GetMonth() const { return Local().tm_mon + 1; }
int CTime::GetDay() const { return Local().tm_mday; }
int CTime::GetHour() const { return Local().tm_hour; }
int CTime::GetMinute() const { return Local().tm_min; }
int CTime::GetSecond() const { return Local().tm_sec; }
int CTime::GetDayOfWeek() const { return Local().tm_wday + 1; }

std::string CTime::Format(const char* format) const {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  if (format == nullptr || *format == '\0') return {};
  const std::tm tm = Local();
  // strftime answers 0 when the text does not fit; the buffer grows until
  // it does, rather than a long format silently giving an empty text. A
  // format whose whole output is empty ("%p" in some locales) stops at the
  // limit.
  std::string buffer(256, '\0');
  for (;;) {
    const size_t n = ::strftime_l(buffer.data(), buffer.size(), format, &tm, c);
    if (n > 0 || buffer.size() >= kMaxFormatted) {
      buffer.resize(n);
      return buffer;
    }
    buffer.resize(buffer.size() * 4);
  }
}

TimeStamp GetTimeStamp() {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  std::tm tm{};
  ::localtime_r(&now.tv_sec, &tm);
  TimeStamp stamp;
  stamp.time = now.tv_sec;
  stamp.millitm = static_cast<std::uint16_t>(now.tv_nsec / 1000000);
  stamp.timezone = static_cast<std::int16_t>(-tm.tm_gmtoff / 60);
  stamp.dstflag = static_cast<std::int16_t>(tm.tm_isdst > 0 ? 1 : 0);
  return stamp;
}

}  // namespace sys

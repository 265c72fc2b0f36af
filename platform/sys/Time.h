// A point in time to the second, in local time for display (the framework's
// CTime), and the millisecond time stamp frames carry.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace sys {

class CTime {
 public:
  CTime() = default;
  explicit CTime(std::time_t t) : time_(t) {}
  // Local time; out-of-range parts are normalised as mktime does.
  CTime(int year, int month, int day, int hour, int minute, int second);

  static CTime GetCurrentTime();

  std::time_t GetTime() const { return time_; }
  int GetYear() const;
  int GetMonth() const;
  int GetDay() const;
  int GetHour() const;
  int GetMinute() const;
  int GetSecond() const;
  int GetDayOfWeek() const;  // 1 = Sunday

  // strftime in the C locale, in local time.
  std::string Format(const char* format) const;

  friend bool operator==(const CTime&, const CTime&) = default;
  friend auto operator<=>(const CTime&, const CTime&) = default;

 private:
  std::tm Local() const;
  std::time_t time_ = 0;
};

// _ftime's record: seconds since the epoch, milliseconds, and the zone.
struct TimeStamp {
  std::time_t time = 0;
  std::uint16_t millitm = 0;
  std::int16_t timezone = 0;  // minutes west of UTC
  std::int16_t dstflag = 0;
};

TimeStamp GetTimeStamp();

}  // namespace sys

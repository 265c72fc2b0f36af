#include "zip/ZipDosTime.h"

namespace ZipDosTime {

std::time_t ToTime(WORD date, WORD time) {
  std::tm tm{};
  tm.tm_sec = (time & 0x1F) * 2;
  tm.tm_min = (time >> 5) & 0x3F;
  tm.tm_hour = time >> 11;
  tm.tm_mday = date & 0x1F;
  tm.tm_mon = ((date >> 5) & 0x0F) - 1;
  tm.tm_year = (date >> 9) + 80;
  tm.tm_isdst = -1;
  return std::mktime(&tm);
}

void FromTime(std::time_t t, WORD& date, WORD& time) {
  std::tm tm{};
  if (localtime_r(&t, &tm) == nullptr) {
    date = 0x21;  // 1980-01-01, the format's earliest date
    time = 0;
    return;
  }
  const int year = tm.tm_year + 1900;
  const int years = year > 1980 ? (year - 1980) & 0x7F : 0;
  date = static_cast<WORD>(tm.tm_mday + 32 * (tm.tm_mon + 1) + 512 * years);
  time = static_cast<WORD>(tm.tm_sec / 2 + 32 * tm.tm_min + 2048 * tm.tm_hour);
}

}  // namespace ZipDosTime

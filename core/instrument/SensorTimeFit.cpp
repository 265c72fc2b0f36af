// The time and position fits, which turn a raw value into text. Values that
// the text form cannot hold are refused with a result code rather than
// printed as something that only looks like a time.
#include <cmath>
#include <cstdio>
#include <ctime>

#include "core/instrument/ResultCodes.h"
#include "core/instrument/Sensor.h"
#include "platform/sys/Format.h"

using namespace instrument;

namespace {

// 9999-12-31 23:59:59 UTC: the last moment with a four-digit year.
constexpr double kLastTime2Second = 253402300799.0;
constexpr std::uint32_t kLargestDdmmyy = 999999;

std::string Ddmmyy(std::uint32_t raw) {
  // raw is at most six digits here, so it always fits an int.
  const std::string digits = sys::Format("%06d", static_cast<int>(raw));
  return digits.substr(0, 2) + "/" + digits.substr(2, 2) + "/" + digits.substr(digits.size() - 2);
}

int Time2(std::string* text, double seconds) {
  if (seconds < 0.0 || seconds > kLastTime2Second) return kValueNotANumber;
  const auto moment = static_cast<std::time_t>(seconds);
  std::tm parts{};
  if (gmtime_r(&moment, &parts) == nullptr) return kValueNotANumber;
  char buffer[32];
  std::strftime(buffer, sizeof buffer, "%y-%m-%d %H.%M.%S", &parts);
  *text = buffer;
  return kResultOk;
}

int Ddmm(std::string* text, double raw) {
  const double a = std::fabs(raw);
  if (a > 2147483647.0) return kValueNotANumber;  // the degrees must stay an int
  const double whole = std::floor(a);
  const double fraction = a - whole;
  const double hundredths = whole * 0.01;
  const double degrees = std::floor(hundredths);
  const double minutes = (hundredths - degrees) * 100.0 + fraction;
  *text = sys::Format("%d %05.3f'", static_cast<int>(degrees), minutes);
  return kResultOk;
}

int Hhmmss(std::string* text, double raw) {
  const std::string digits = sys::Format("%09.2f", std::fabs(raw));
  if (digits.size() != 9) return kValueNotANumber;  // more digits than HHMMSS.ss holds
  *text = digits.substr(0, 2) + ":" + digits.substr(2, 2) + ":" + digits.substr(4);
  return kResultOk;
}

}  // namespace

int CSensor::FormatTimeFit(std::string* text, std::uint32_t raw) const {
  if (def_.data_type == kDataHS) return FormatTimeFit(text, static_cast<std::int32_t>(raw));
  text->clear();
  if (def_.fit_type == kFitDdmmyy) {
    if (raw > kLargestDdmmyy) return kValueNotANumber;
    *text = Ddmmyy(raw);
    return kResultOk;
  }
  if (def_.fit_type == kFitTime2) return Time2(text, static_cast<double>(raw));
  return kValueNone;
}

int CSensor::FormatTimeFit(std::string* text, std::int32_t raw) const {
  text->clear();
  if (def_.fit_type == kFitDdmmyy) {
    if (raw < 0 || static_cast<std::uint32_t>(raw) > kLargestDdmmyy) return kValueNotANumber;
    *text = Ddmmyy(static_cast<std::uint32_t>(raw));
    return kResultOk;
  }
  if (def_.fit_type == kFitTime2) return Time2(text, static_cast<double>(raw));
  return kValueNone;
}

int CSensor::FormatTimeFit(std::string* text, double raw) const {
  text->clear();
  const int fit = def_.fit_type;
  if (fit != kFitDdmm && fit != kFitHhmmss && fit != kFitTime2) return kValueNone;
  if (!std::isfinite(raw)) return kValueNotFinite;
  if (fit == kFitDdmm) return Ddmm(text, raw);
  if (fit == kFitHhmmss) return Hhmmss(text, raw);
  return Time2(text, std::trunc(std::fabs(raw)));
}

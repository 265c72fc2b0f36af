#include "core/conversion/TimeTagText.h"

#include <algorithm>

#include "core/telemetry/QelTelemetryDoc.h"
#include "platform/sys/Format.h"

namespace conversion {

namespace {

constexpr const char* kMissingText = "Error 0";

void AppendMissingTag(std::string& out, const CBrivenParameters& params) {
  const int width = params.m_format.m_nWidth;
  const char* d = params.m_strDelimiter.c_str();
  if (!params.m_nSuppressStrings) {
    if (width > 0)
      sys::AppendFormat(out, "%*s%s%*s\n", width, kMissingText, d, width, kMissingText);
    else
      sys::AppendFormat(out, "%s%s%s\n", kMissingText, d, kMissingText);
  } else if (width > 0) {
    sys::AppendFormat(out, "%*s%s%*s\n", width, "", d, width, "");
  } else {
    sys::AppendFormat(out, "%s\n", d);
  }
}

// Digits split by position from the right, so a value wider than its
// usual digit count widens its leading part instead of slicing garbage.
std::string LeadingDigits(const std::string& digits, std::size_t trailing) {
  return digits.substr(0, digits.size() - trailing);
}

void AppendFormattedDate(std::string& out, unsigned long date, const CBrivenParameters& params) {
  const std::string digits = sys::Format("%07lu", date);
  const std::string year = LeadingDigits(digits, 3);
  const char* day = digits.c_str() + year.size();
  const int width = params.m_format.m_nWidth;
  const char* d = params.m_strDelimiter.c_str();
  if (width > 0)
    sys::AppendFormat(out, "%*s-%.3s%s", std::max(width - 4, 1), year.c_str(), day, d);
  else
    sys::AppendFormat(out, "%s-%.3s%s", year.c_str(), day, d);
}

void AppendFormattedTime(std::string& out, unsigned long time, const CBrivenParameters& params) {
  const std::string digits = sys::Format("%09lu", time);
  const std::string hours = LeadingDigits(digits, 7);
  const char* rest = digits.c_str() + hours.size();
  const int width = params.m_format.m_nWidth;
  if (width > 0)
    sys::AppendFormat(out, "%*s:%.2s:%.2s.%.3s\n", std::max(width - 10, 1), hours.c_str(), rest, rest + 2,
                      rest + 4);
  else
    sys::AppendFormat(out, "%s:%.2s:%.2s.%.3s\n", hours.c_str(), rest, rest + 2, rest + 4);
}

void AppendPlainDate(std::string& out, unsigned long date, const CBrivenParameters& params) {
  const std::string digits = sys::Format("%07lu", date);
  const int width = params.m_format.m_nWidth;
  const char* d = params.m_strDelimiter.c_str();
  if (width > 0)
    sys::AppendFormat(out, "%*s%s", width, digits.c_str(), d);
  else
    sys::AppendFormat(out, "%s%s", digits.c_str(), d);
}

void AppendDecimalHours(std::string& out, unsigned long time, const CBrivenParameters& params) {
  const unsigned long hours = time / 10000000;
  const unsigned long minutes = (time % 10000000) / 100000;
  const unsigned long seconds = (time % 100000) / 1000;
  const unsigned long milliseconds = time % 1000;
  const double value = static_cast<double>(hours) + static_cast<double>(minutes) * 0.016666666666666666 +
                       static_cast<double>(seconds) * 0.0002777777777777778 +
                       static_cast<double>(milliseconds) * 2.7777777777777776e-07;
  CQelTelemetryDoc::AppendDouble(out, value, params.m_format);
  out += '\n';
}

}  // namespace

void AppendTimeTag(std::string& out, const std::uint8_t* bytes, std::size_t count, const CBrivenParameters& params) {
  if (count < kTimeTagSize) {
    AppendMissingTag(out, params);
    return;
  }
  unsigned long date = (static_cast<unsigned long>(bytes[0]) << 16) | (static_cast<unsigned long>(bytes[1]) << 8) |
                       bytes[2];
  if (date < 1000000) date += 1800000;
  const unsigned long time = (static_cast<unsigned long>(bytes[3]) << 24) |
                             (static_cast<unsigned long>(bytes[4]) << 16) |
                             (static_cast<unsigned long>(bytes[5]) << 8) | bytes[6];
  if (params.m_nTimeTagsFormatted && !params.m_nSuppressStrings) {
    AppendFormattedDate(out, date, params);
    AppendFormattedTime(out, time, params);
  } else {
    AppendPlainDate(out, date, params);
    AppendDecimalHours(out, time, params);
  }
}

}  // namespace conversion

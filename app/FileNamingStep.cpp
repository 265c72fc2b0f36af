// Stepping of the auto increment after each conversion. An alphabetic
// increment runs from A to Z and a numeric one from 0 to 999; neither wraps,
// because a wrapped increment would name files that earlier conversions of
// the series wrote.
#include <climits>
#include <cstdlib>

#include "app/FileNaming.h"
#include "platform/sys/Format.h"
#include "platform/sys/StringUtil.h"

namespace {

constexpr int kLastNumber = 999;

std::string NextLetter(std::string increment) {
  sys::MakeUpper(increment);
  const char first = increment.empty() ? '\0' : increment[0];
  if (first < 'A') return "A";
  if (first >= 'Z') return "Z";
  return std::string(1, static_cast<char>(first + 1));
}

}  // namespace

int CFileNaming::IncrementValue() const {
  const long value = std::strtol(m_strIncrement.c_str(), nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

std::string CFileNaming::NextIncrement() const {
  switch (m_nIncrementType) {
    case kIncrementAlphabetic: {
      // "Z" and anything above it ends at "Z"; a text that is already "Z"
      // is where the increment stops.
      return NextLetter(m_strIncrement);
    }
    case kIncrementNumeric: {
      const int value = IncrementValue();
      if (value < 0 || value >= kLastNumber) return m_strIncrement;
      return sys::Format("%ld", static_cast<long>(value) + 1);
    }
    default:
      return m_strIncrement;
  }
}

bool CFileNaming::AdvanceIncrement() {
  if (m_nMode != kModeAutoIncrement) return false;
  std::string next = NextIncrement();
  if (next == m_strIncrement) return false;
  m_strIncrement = std::move(next);
  return true;
}

#include "core/instrument/SensorKeywords.h"

#include <array>

#include "core/instrument/AsciiText.h"

namespace instrument {
namespace {

constexpr std::array<std::string_view, 12> kDataTypeKeywords = {
    "BU", "BS", "BF", "BD", "HU", "HS", "AI", "AU", "AF", "AS", "BULE", "BSLE"};

constexpr std::array<std::string_view, 14> kFitTypeKeywords = {
    "NONE",  "COUNT", "DELIMITER", "THERM1", "OPTIC1", "OPTIC2", "OPTIC3",
    "POLYF", "POLYU", "POW10",     "DDMM",   "HHMMSS", "DDMMYY", "TIME2"};

template <std::size_t N>
int FindKeyword(const std::array<std::string_view, N>& table, std::string_view token) {
  for (std::size_t i = 0; i < N; ++i) {
    if (EqualsNoCase(table[i], token)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

int FindDataTypeKeyword(std::string_view token) { return FindKeyword(kDataTypeKeywords, token); }
int FindFitTypeKeyword(std::string_view token) { return FindKeyword(kFitTypeKeywords, token); }

}  // namespace instrument

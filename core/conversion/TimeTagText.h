// The text of the time tag that a time-tagged log file holds right behind
// each frame: a 24-bit big-endian date YYYYDDD (1800000 added below 1000000)
// and a 32-bit big-endian time HHMMSSmmm, written as two output columns.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/conversion/BrivenParameters.h"

namespace conversion {

inline constexpr std::size_t kTimeTagSize = 7;

// Appends the date column, the delimiter, the time column and "\n". Fewer
// than kTimeTagSize bytes give the missing-tag form.
void AppendTimeTag(std::string& out, const std::uint8_t* bytes, std::size_t count, const CBrivenParameters& params);

}  // namespace conversion

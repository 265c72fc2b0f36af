// The digits of "%.*f" for the doubles sensors give (below 2^53, at the
// precisions rows use) by exact integer arithmetic, faster than the general
// algorithm of std::to_chars.
#pragma once

#include <cstddef>

namespace sys {

// Writes the text of "%.*f" (no width, no "#") into text and returns its
// length, or 0 when the value is outside the range this handles (not
// finite, 2^52 or more in magnitude, a precision above 19, or a value times
// 10^precision of 2^64 or more) or capacity is below 22 + precision: the
// caller then takes the general road. Bytes behind the text, inside the
// capacity, may be written too.
std::size_t WriteFixedPoint(char* text, std::size_t capacity, double value, int precision);

}  // namespace sys

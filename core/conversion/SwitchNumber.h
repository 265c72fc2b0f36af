// The numbers of the command-line switches: decimal, leading white space
// allowed, trailing characters ignored, with 32-bit overflow so that the
// width of `long` never changes which switches are accepted.
#pragma once

#include <string_view>

namespace conversion {

// Reads the number at the start of text into value. False when no digit is
// read, when the number overflows 32 bits, or when it lies outside
// [lowest, highest]; value is left unchanged then.
bool ParseSwitchNumber(std::string_view text, int lowest, int highest, int& value);

}  // namespace conversion

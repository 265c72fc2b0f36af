// The numbers of the command-line switches: decimal, white space allowed
// around the digits, with 32-bit overflow so that the width of `long` never
// changes which switches are accepted. Text after the number is refused: a
// typing slip such as "-w5x" must not pass as "-w5".
#pragma once

#include <string_view>

namespace conversion {

enum class SwitchNumberResult {
  kAccepted,
  kNoDigits,      // no digit where the number should start
  kOutOfRange,    // outside [lowest, highest], or beyond 32 bits
  kTrailingText,  // something other than white space follows the digits
};

// Reads the number that is all of text into value; value is left unchanged
// unless the result is kAccepted.
SwitchNumberResult ParseSwitchNumber(std::string_view text, int lowest, int highest, int& value);

}  // namespace conversion

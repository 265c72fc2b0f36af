// Hexadecimal escapes: "\x0D" in delimiter texts of definition files and
// "^2C" in variable-length fields stand for one byte each.
#pragma once

#include <string>
#include <string_view>

namespace instrument {

// 0 to 15 for 0-9, A-F, a-f; -1 for any other character.
int HexDigitValue(char c);

// Replaces each prefix followed by two hexadecimal digits with that byte.
// A prefix followed by anything else is dropped together with the (up to)
// two characters after it; every escape is decoded on its own, so one bad
// escape does not spoil the ones after it. An empty prefix changes nothing.
std::string UnescapeHex(std::string_view text, std::string_view prefix);

}  // namespace instrument

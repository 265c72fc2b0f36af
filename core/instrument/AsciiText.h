// Small text helpers of the definition-file reader. Keywords compare in
// ASCII without regard to case, whatever locale the process runs in.
#pragma once

#include <string>
#include <string_view>

namespace instrument {

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool EqualsNoCase(std::string_view a, std::string_view b);
std::string UpperAscii(std::string_view text);
std::string_view TrimLeadingBlanks(std::string_view text);

}  // namespace instrument

// Whether two paths name the same file (device and inode), so that an output
// or conversion log can be refused before it truncates the log or the
// instrument file it would overwrite.
#pragma once

#include <string>

namespace conversion {

// False when either path does not exist or cannot be examined.
bool IsSameFile(const std::string& first, const std::string& second);

}  // namespace conversion

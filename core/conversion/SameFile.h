// Whether two paths name the same file (device and inode), so that an output
// or conversion log can be refused before it truncates the log or the
// instrument file it would overwrite.
#pragma once

#include <string>

namespace conversion {

// False when either path does not exist or cannot be examined.
bool IsSameFile(const std::string& first, const std::string& second);

// Whether writing first would write second: the same file, or, for a file
// not yet there, the same name in the same folder (symbolic links followed),
// so that a file that is still to be created is protected as well.
bool IsSameLocation(const std::string& first, const std::string& second);

}  // namespace conversion

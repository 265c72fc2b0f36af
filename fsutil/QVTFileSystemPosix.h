// The few system calls the file-system utility needs beyond sys::CFile:
// exclusive creation of scratch files and renames that never replace.
#pragma once

#include <string>

namespace fsposix {

// The process's current directory of any length; empty on failure.
std::string CurrentDirectory();

// Creates a new, empty file with a name no one else uses in the folder
// (prefix + random letters) and closes it again. Returns 0 and the path, or
// the errno of the failure. An existing file is never opened.
int CreateUniqueFile(const std::string& folder, const std::string& prefix, std::string& path);

// Renames from to to, failing with EEXIST rather than replacing an entry
// that is already there. Returns 0 or the errno.
int RenameNoReplace(const std::string& from, const std::string& to);

// True when the path names an entry of any kind, a dangling link included.
bool EntryExists(const std::string& path);

// True for a regular file (after following links): what may be opened for
// a copy or a comparison without blocking on a pipe or a device.
bool IsRegularFile(const std::string& path);

}  // namespace fsposix

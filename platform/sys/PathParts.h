// The folder and the name of a "/"-separated path, and making a rename in a
// folder durable. For the places that create, replace or compare files by
// their folder, so that each does not keep its own copy.
#pragma once

#include <string>

namespace sys {

// The folder part of path: "." for a bare name, "/" for a name in the root.
std::string FolderOfPath(const std::string& path);

// The part after the last "/" (all of path when there is none).
std::string NameOfPath(const std::string& path);

// Flushes the folder itself, so that a name created or renamed in it lasts a
// crash; failures are ignored (the data is on disk, only the name may lag).
void SyncFolder(const std::string& folder);

}  // namespace sys

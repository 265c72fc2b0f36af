// Removes what a folder holds, all levels down, through descriptors opened
// without following links: a symbolic link is removed as a link, never
// entered, and a folder swapped for a link while we work is refused. So the
// removal cannot reach outside the folder it was given.
#pragma once

#include <string>

class QVTFileSystemTreeRemoval {
 public:
  // Empties the folder (itself not a link); true when nothing is left.
  // Read-only files are kept, as a user's protection of them asks.
  static bool RemoveContents(const std::string& folder);

 private:
  static bool RemoveContentsAt(int folderFd);
  static bool RemoveEntryAt(int folderFd, const char* name);
};

// The directory walk under the listing operations: one folder's entries
// that match a name pattern and an attribute mask, and the depth-first walk
// of a pattern through a tree. Symbolic links are reported as entries but
// never entered, so a link loop or a link out of the tree is never walked.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/sys/Types.h"

struct QVTFileSystemEntry {
  std::string name;
  sys::BYTE attributes = 0;  // of what the entry names (a link's target)
  bool isLink = false;
  std::int64_t size = 0;
};

class QVTFileSystemWalk {
 public:
  // With mask 0 or 0x80 plain entries only (none of hidden, system, volume,
  // directory, device); with all bits every entry; otherwise the entries
  // that share a bit with the mask.
  static bool PassesMask(sys::BYTE attributes, sys::DWORD mask);

  // The matching entries of one folder ("" is the current one), sorted by
  // name; "." and ".." never. An unreadable folder has no entries.
  static std::vector<QVTFileSystemEntry> ReadFolder(const std::string& folder, const std::string& namePattern,
                                                    sys::DWORD mask);

  using Visitor = std::function<void(const std::string& path, const QVTFileSystemEntry& entry)>;

  // Hands out folder part of the pattern + name for every match; with
  // recurse, then the same for every real subdirectory, depth first.
  static void Walk(const std::string& pattern, sys::DWORD mask, bool recurse, const Visitor& visit);

 private:
  // One pass over a folder: its matches and, when asked for, the names of
  // its real subdirectories (links excluded), both sorted by name. Only the
  // entries that can be either are examined, so a big folder of logs costs
  // one status call per match, not per file.
  static void ScanFolder(const std::string& folder, const std::string& namePattern, sys::DWORD mask,
                         std::vector<QVTFileSystemEntry>& matches, std::vector<std::string>* subfolders);
};

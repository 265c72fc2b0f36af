// The operations built on the directory walk: listing, deleting by
// pattern, sizing, and sorting the lists they produce.
#include <algorithm>

#include "fsutil/QVTFileSystem.h"
#include "fsutil/QVTFileSystemPattern.h"
#include "fsutil/QVTFileSystemWalk.h"
#include "platform/sys/FileException.h"

QVTFileSystem::StringList QVTFileSystem::GetFileList(const std::string& pattern, sys::DWORD attributeMask,
                                                     bool recurse) {
  StringList list;
  GetFileList(pattern, attributeMask, recurse, list);
  return list;
}

void QVTFileSystem::GetFileList(const std::string& pattern, sys::DWORD attributeMask, bool recurse,
                                StringList& list) {
  QVTFileSystemWalk::Walk(pattern, attributeMask, recurse,
                          [&list](const std::string& path, const QVTFileSystemEntry&) { list.push_back(path); });
}

// A read-only file stays, as it would where the attribute forbids deletion:
// the user marked it so to keep it. Directories are not files to delete.
bool QVTFileSystem::DeleteFiles(const std::string& pattern, sys::DWORD attributeMask) {
  bool allRemoved = true;
  QVTFileSystemWalk::Walk(pattern, attributeMask, false, [&](const std::string& path, const QVTFileSystemEntry& entry) {
    if ((entry.attributes & (sys::kAttrDirectory | sys::kAttrReadOnly)) != 0) {
      allRemoved = false;
      return;
    }
    try {
      sys::CFile::Remove(path);
    } catch (const sys::CFileException&) {
      allRemoved = false;
    }
  });
  return allRemoved;
}

std::int64_t QVTFileSystem::GetDirectorySize(const std::string& path, const std::string& pattern, bool recursive) {
  std::int64_t total = 0;
  QVTFileSystemWalk::Walk(AppendPaths(path, pattern), kMaskAll, recursive,
                          [&total](const std::string&, const QVTFileSystemEntry& entry) {
                            if ((entry.attributes & sys::kAttrDirectory) == 0) total += entry.size;
                          });
  return total;
}

void QVTFileSystem::SortStringList(StringList& list, bool caseSensitive) {
  if (caseSensitive) {
    std::stable_sort(list.begin(), list.end());
    return;
  }
  std::stable_sort(list.begin(), list.end(), [](const std::string& a, const std::string& b) {
    return QVTFileSystemPattern::CompareNoCase(a, b) < 0;
  });
}

#include "app/FileListing.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>

#include "fsutil/QVTFileSystem.h"
#include "fsutil/QVTFileSystemWalk.h"
#include "platform/sys/File.h"

namespace app {

namespace {

std::string WithSeparator(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

// One status call per listed file: its time (the walk gave the size).
void ReadModifyTime(const std::string& path, ListedFile& file) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return;
  file.modified_ns = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  file.modified_known = true;
}

int Sign(std::int64_t a, std::int64_t b) { return a < b ? -1 : (a > b ? 1 : 0); }

}  // namespace

std::vector<ListedFile> ListFolderFiles(const std::string& folder, const std::string& filter, bool recursive) {
  std::vector<ListedFile> files;
  if (folder.empty()) return files;
  const std::string root = WithSeparator(folder);
  QVTFileSystemWalk::Walk(root + filter, sys::kAttrNormal, recursive,
                          [&](const std::string& path, const QVTFileSystemEntry& entry) {
                            // Plain files only; a link to one is listed as the file it names.
                            if ((entry.attributes & sys::kAttrDirectory) != 0) return;
                            ListedFile file;
                            file.name = path.compare(0, root.size(), root) == 0 ? path.substr(root.size()) : path;
                            file.size = entry.size;
                            ReadModifyTime(path, file);
                            files.push_back(std::move(file));
                          });
  return files;
}

int CompareListedFiles(const ListedFile& a, const ListedFile& b, int sort_type, int direction) {
  int order = 0;
  switch (sort_type) {
    case 0: {
      // The user's collation, with case (as the names are shown).
      const int c = std::strcoll(a.name.c_str(), b.name.c_str());
      order = c < 0 ? -1 : (c > 0 ? 1 : 0);
      break;
    }
    case 1:
      order = a.modified_known && b.modified_known ? Sign(a.modified_ns, b.modified_ns) : 0;
      break;
    case 2:
      order = a.size >= 0 && b.size >= 0 ? Sign(a.size, b.size) : 0;
      break;
    default:
      return 0;
  }
  if (direction == 1) return -order;
  return direction == 0 ? order : 0;
}

void SortListedFiles(std::vector<ListedFile>& files, int sort_type, int direction) {
  std::stable_sort(files.begin(), files.end(), [&](const ListedFile& a, const ListedFile& b) {
    return CompareListedFiles(a, b, sort_type, direction) < 0;
  });
}

}  // namespace app

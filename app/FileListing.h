// The files a file list shows: the plain files of one folder (and, when
// asked, of its real subfolders: linked folders are never entered) whose
// names match the list's filter without regard to case, each examined
// once, then put in the list's order by a stable sort, so that files that
// compare equal keep the order of the listing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace app {

struct ListedFile {
  std::string name;  // relative to the folder listed ("sub/a.raw" below it)
  std::int64_t size = -1;           // -1: could not be read
  std::int64_t modified_ns = 0;     // last modification, ns since 1970
  bool modified_known = false;
};

// The matching plain files of `folder` ("/"-terminated or not); the folder
// is joined to each name, never made the process's current folder. An
// unreadable or missing folder gives no files.
std::vector<ListedFile> ListFolderFiles(const std::string& folder, const std::string& filter, bool recursive);

// Sort types and directions as the list settings keep them: 0 name, 1
// date, 2 size; 0 ascending, 1 descending. Any other value keeps the
// listing's order.
int CompareListedFiles(const ListedFile& a, const ListedFile& b, int sort_type, int direction);
void SortListedFiles(std::vector<ListedFile>& files, int sort_type, int direction);

}  // namespace app

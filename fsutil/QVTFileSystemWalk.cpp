#include "fsutil/QVTFileSystemWalk.h"

#include <algorithm>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

#include "fsutil/QVTFileSystem.h"
#include "fsutil/QVTFileSystemPattern.h"
#include "platform/sys/File.h"

namespace {

constexpr sys::BYTE kNotPlain = 0x5E;  // hidden, system, volume, directory, device

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};

bool IsLink(const std::string& path, unsigned char type) {
  if (type != DT_UNKNOWN) return type == DT_LNK;
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

QVTFileSystemEntry Describe(const std::string& path, const std::string& name, unsigned char type) {
  QVTFileSystemEntry entry;
  entry.name = name;
  entry.isLink = IsLink(path, type);
  sys::CFileStatus status;
  if (sys::CFile::GetStatus(path, status)) {
    entry.attributes = status.m_attribute;
    entry.size = status.m_size;
  } else {
    // A dangling link: still an entry the user can see and delete.
    entry.attributes = sys::kAttrArchive | (name[0] == '.' ? sys::kAttrHidden : 0);
  }
  return entry;
}

// The order a listing of the system this program comes from gives: by name
// without regard to case, then by bytes so the order is total.
bool NameOrder(const QVTFileSystemEntry& a, const QVTFileSystemEntry& b) {
  const int folded = QVTFileSystemPattern::CompareNoCase(a.name, b.name);
  return folded != 0 ? folded < 0 : a.name < b.name;
}

}  // namespace

bool QVTFileSystemWalk::PassesMask(sys::BYTE attributes, sys::DWORD mask) {
  if (mask == 0 || mask == QVTFileSystem::kMaskNormal) return (attributes & kNotPlain) == 0;
  if (mask == QVTFileSystem::kMaskAll) return true;
  return (attributes & mask) != 0;
}

std::vector<QVTFileSystemEntry> QVTFileSystemWalk::ReadFolder(const std::string& folder,
                                                              const std::string& namePattern, sys::DWORD mask) {
  std::vector<QVTFileSystemEntry> entries;
  const QVTFileSystemPattern pattern(namePattern);
  std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.empty() ? "." : folder.c_str()));
  if (!dir) return entries;
  while (const dirent* item = ::readdir(dir.get())) {
    const std::string name = item->d_name;
    if (name == "." || name == ".." || !pattern.Matches(name)) continue;
    QVTFileSystemEntry entry = Describe(QVTFileSystem::AppendPaths(folder, name), name, item->d_type);
    if (PassesMask(entry.attributes, mask)) entries.push_back(std::move(entry));
  }
  std::sort(entries.begin(), entries.end(), NameOrder);
  return entries;
}

void QVTFileSystemWalk::Walk(const std::string& pattern, sys::DWORD mask, bool recurse, const Visitor& visit) {
  const std::string namePattern = QVTFileSystem::GetFileName(pattern);
  // Folders still to walk, the next one on top, so that a folder's own
  // matches come before those of its subdirectories.
  std::vector<std::string> pending{QVTFileSystem::GetPath(pattern, true)};
  while (!pending.empty()) {
    const std::string folder = std::move(pending.back());
    pending.pop_back();
    for (const QVTFileSystemEntry& entry : ReadFolder(folder, namePattern, mask)) visit(folder + entry.name, entry);
    if (!recurse) continue;
    const auto subfolders = ReadFolder(folder, "*", QVTFileSystem::kMaskDirectory);
    for (auto it = subfolders.rbegin(); it != subfolders.rend(); ++it) {
      if ((it->attributes & sys::kAttrDirectory) != 0 && !it->isLink)
        pending.push_back(QVTFileSystem::AppendPaths(folder + it->name, ""));
    }
  }
}

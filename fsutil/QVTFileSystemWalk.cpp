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

// False when the entry went away between reading the folder and now.
bool Describe(const std::string& path, const std::string& name, unsigned char type, QVTFileSystemEntry& entry) {
  entry.name = name;
  entry.isLink = IsLink(path, type);
  sys::CFileStatus status;
  if (sys::CFile::GetStatus(path, status)) {
    entry.attributes = status.m_attribute;
    entry.size = status.m_size;
    return true;
  }
  if (!entry.isLink) return false;
  // A dangling link: still an entry the user can see and delete.
  entry.attributes = sys::kAttrArchive | (name[0] == '.' ? sys::kAttrHidden : 0);
  return true;
}

// The order a listing of the system this program comes from gives: by name
// without regard to case, then by bytes so the order is total.
bool NameLess(const std::string& a, const std::string& b) {
  const int folded = QVTFileSystemPattern::CompareNoCase(a, b);
  return folded != 0 ? folded < 0 : a < b;
}

bool NameOrder(const QVTFileSystemEntry& a, const QVTFileSystemEntry& b) { return NameLess(a.name, b.name); }

}  // namespace

bool QVTFileSystemWalk::PassesMask(sys::BYTE attributes, sys::DWORD mask) {
  if (mask == 0 || mask == QVTFileSystem::kMaskNormal) return (attributes & kNotPlain) == 0;
  if (mask == QVTFileSystem::kMaskAll) return true;
  return (attributes & mask) != 0;
}

void QVTFileSystemWalk::ScanFolder(const std::string& folder, const std::string& namePattern, sys::DWORD mask,
                                   std::vector<QVTFileSystemEntry>& matches, std::vector<std::string>* subfolders) {
  const QVTFileSystemPattern pattern(namePattern);
  std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.empty() ? "." : folder.c_str()));
  if (!dir) return;
  while (const dirent* item = ::readdir(dir.get())) {
    const std::string name = item->d_name;
    if (name == "." || name == "..") continue;
    const bool matching = pattern.Matches(name);
    const bool maybeFolder = subfolders != nullptr && (item->d_type == DT_DIR || item->d_type == DT_UNKNOWN);
    if (!matching && !maybeFolder) continue;
    QVTFileSystemEntry entry;
    if (!Describe(QVTFileSystem::AppendPaths(folder, name), name, item->d_type, entry)) continue;
    if (maybeFolder && (entry.attributes & sys::kAttrDirectory) != 0 && !entry.isLink) subfolders->push_back(name);
    if (matching && PassesMask(entry.attributes, mask)) matches.push_back(std::move(entry));
  }
  std::sort(matches.begin(), matches.end(), NameOrder);
  if (subfolders != nullptr) std::sort(subfolders->begin(), subfolders->end(), NameLess);
}

std::vector<QVTFileSystemEntry> QVTFileSystemWalk::ReadFolder(const std::string& folder,
                                                              const std::string& namePattern, sys::DWORD mask) {
  std::vector<QVTFileSystemEntry> matches;
  ScanFolder(folder, namePattern, mask, matches, nullptr);
  return matches;
}

void QVTFileSystemWalk::Walk(const std::string& pattern, sys::DWORD mask, bool recurse, const Visitor& visit) {
  const std::string namePattern = QVTFileSystem::GetFileName(pattern);
  // Folders still to walk, the next one on top, so that a folder's own
  // matches come before those of its subdirectories.
  std::vector<std::string> pending{QVTFileSystem::GetPath(pattern, true)};
  std::vector<QVTFileSystemEntry> matches;
  std::vector<std::string> subfolders;
  while (!pending.empty()) {
    const std::string folder = std::move(pending.back());
    pending.pop_back();
    matches.clear();
    subfolders.clear();
    ScanFolder(folder, namePattern, mask, matches, recurse ? &subfolders : nullptr);
    for (const QVTFileSystemEntry& entry : matches) visit(folder + entry.name, entry);
    for (auto it = subfolders.rbegin(); it != subfolders.rend(); ++it) pending.push_back(folder + *it + "/");
  }
}

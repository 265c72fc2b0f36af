// Folder operations: the current folder, creating, removing, renaming,
// probing for write access, comparing.
#include <sys/stat.h>
#include <unistd.h>

#include "fsutil/QVTFileSystem.h"
#include "fsutil/QVTFileSystemPosix.h"
#include "fsutil/QVTFileSystemTreeRemoval.h"
#include "fsutil/QVTFileSystemWalk.h"

namespace {

// "a/b///" names the same folder as "a/b", but a trailing "/" would make
// the system follow a link we must not follow.
std::string WithoutTrailingSeparators(const std::string& path) {
  std::string out = path;
  while (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}

bool IsRealDirectory(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::vector<QVTFileSystemEntry> FilesOf(const std::string& folder) {
  std::vector<QVTFileSystemEntry> files;
  for (auto& entry : QVTFileSystemWalk::ReadFolder(QVTFileSystem::AppendPaths(folder, ""), "*",
                                                   QVTFileSystem::kMaskAll)) {
    if ((entry.attributes & sys::kAttrDirectory) == 0) files.push_back(std::move(entry));
  }
  return files;
}

}  // namespace

bool QVTFileSystem::ChangeDirectory(const std::string& path) {
  return !path.empty() && ::chdir(path.c_str()) == 0;
}

bool QVTFileSystem::MakeDirectory(const std::string& path) {
  return !path.empty() && ::mkdir(path.c_str(), 0777) == 0;
}

// Every level is created in turn; a level that is already a folder is no
// failure, so the answer says whether the whole path is a folder now.
bool QVTFileSystem::MakePath(const std::string& path) {
  if (path.empty()) return false;
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    if (path[slash - 1] != '/') ::mkdir(path.substr(0, slash).c_str(), 0777);
  }
  ::mkdir(path.c_str(), 0777);
  return DirectoryExists(path);
}

bool QVTFileSystem::DeleteDirectory(const std::string& path, bool recursive) {
  const std::string folder = WithoutTrailingSeparators(path);
  // The root can never be removed; emptying it first would only do harm.
  if (folder.empty() || folder == "/" || !IsRealDirectory(folder)) return false;
  const bool emptied = !recursive || QVTFileSystemTreeRemoval::RemoveContents(folder);
  return emptied && ::rmdir(folder.c_str()) == 0;
}

bool QVTFileSystem::RenameDirectory(const std::string& oldName, const std::string& newName) {
  if (oldName == newName) return true;
  if (!DirectoryExists(oldName)) return false;
  return fsposix::RenameNoReplace(WithoutTrailingSeparators(oldName), WithoutTrailingSeparators(newName)) == 0;
}

// The probe file has a name of its own, created exclusively, so a user's
// file of any name in the folder is never opened, emptied or removed.
bool QVTFileSystem::IsReadOnly(const std::string& directory) {
  std::string probe;
  if (fsposix::CreateUniqueFile(directory.empty() ? std::string(".") : directory, ".briven-probe-", probe) != 0)
    return true;
  ::unlink(probe.c_str());
  return false;
}

// Name by name over both folders' files in the same (sorted) order, then
// content by content. A folder that is missing is not equal to anything.
bool QVTFileSystem::CompareDirectories(const std::string& first, const std::string& second) {
  if (!DirectoryExists(first) || !DirectoryExists(second)) return false;
  const auto filesA = FilesOf(first);
  const auto filesB = FilesOf(second);
  if (filesA.size() != filesB.size()) return false;
  for (std::size_t i = 0; i < filesA.size(); ++i) {
    if (filesA[i].name != filesB[i].name) return false;
    if (!CompareFiles(AppendPaths(first, filesA[i].name), AppendPaths(second, filesB[i].name), kChunkSize))
      return false;
  }
  return true;
}

// One drive, so its current folder is the process's; nothing is changed
// to read it.
std::string QVTFileSystem::GetCurrentDirectory(const std::string& drive) {
  if (!drive.empty() && !IsValidDrive(drive)) return {};
  return fsposix::CurrentDirectory();
}

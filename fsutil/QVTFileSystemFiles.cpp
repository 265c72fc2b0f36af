// Renaming, copying and comparing files. A rename or a copy never replaces
// an entry that is already at the target, and a copy that fails leaves no
// partial file behind.
#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <vector>

#include "fsutil/QVTFileSystem.h"
#include "fsutil/QVTFileSystemPosix.h"
#include "fsutil/QVTFileSystemWalk.h"
#include "platform/sys/FileException.h"

namespace {

// A chunk of no bytes would never finish a copy or a comparison.
std::size_t ChunkSize(std::size_t requested) {
  return requested == 0 ? QVTFileSystem::kChunkSize : requested;
}

void CopyContents(sys::CFile& from, sys::CFile& to, std::size_t chunkSize) {
  std::vector<char> buffer(chunkSize);
  for (;;) {
    const std::size_t count = from.Read(buffer.data(), buffer.size());
    if (count == 0) break;
    to.Write(buffer.data(), count);
  }
}

// Copies into a fresh scratch file beside the target; true when complete.
bool CopyToScratch(const std::string& source, const std::string& scratch, std::size_t chunkSize) {
  try {
    sys::CFile from(source, sys::CFile::modeRead | sys::CFile::shareDenyWrite);
    sys::CFile to(scratch, sys::CFile::modeWrite | sys::CFile::shareExclusive);
    CopyContents(from, to, chunkSize);
    // On disk before it takes the target's name, so a crash never leaves
    // a target that looks complete but is not.
    to.Flush();
    to.Close();
    return true;
  } catch (const sys::CFileException&) {
    return false;
  }
}

bool SameContents(sys::CFile& a, sys::CFile& b, std::size_t chunkSize) {
  std::vector<char> left(chunkSize);
  std::vector<char> right(chunkSize);
  for (;;) {
    const std::size_t countA = a.Read(left.data(), left.size());
    const std::size_t countB = b.Read(right.data(), right.size());
    if (countA != countB || std::memcmp(left.data(), right.data(), countA) != 0) return false;
    if (countA == 0) return true;
  }
}

}  // namespace

bool QVTFileSystem::RenameFile(const std::string& oldName, const std::string& newName) {
  if (oldName == newName) return true;
  if (!FileExists(oldName) || DirectoryExists(oldName)) return false;
  return fsposix::RenameNoReplace(oldName, newName) == 0;
}

bool QVTFileSystem::CloseFile(sys::CFile& file) {
  try {
    file.Close();
    return true;
  } catch (const sys::CFileException&) {
    return false;
  }
}

bool QVTFileSystem::CopyFile(const std::string& source, const std::string& target, std::size_t bufferSize) {
  // Only a regular file: opening a pipe or a device could wait forever.
  if (!fsposix::IsRegularFile(source) || fsposix::EntryExists(target)) return false;
  std::string scratch;
  if (fsposix::CreateUniqueFile(GetPath(target, true), "." + GetFileName(target) + ".part-", scratch) != 0)
    return false;
  const bool copied =
      CopyToScratch(source, scratch, ChunkSize(bufferSize)) && fsposix::RenameNoReplace(scratch, target) == 0;
  if (!copied) ::unlink(scratch.c_str());
  return copied;
}

bool QVTFileSystem::CopyFiles(const std::string& pattern, const std::string& targetFolder) {
  bool allCopied = true;
  QVTFileSystemWalk::Walk(pattern, kMaskAll, false, [&](const std::string& path, const QVTFileSystemEntry& entry) {
    if ((entry.attributes & sys::kAttrDirectory) != 0) return;
    if (!CopyFile(path, AppendPaths(targetFolder, entry.name), kChunkSize)) allCopied = false;
  });
  return allCopied;
}

bool QVTFileSystem::CompareFiles(const std::string& first, const std::string& second, std::size_t bufferSize) {
  if (!fsposix::IsRegularFile(first) || !fsposix::IsRegularFile(second)) return false;
  try {
    sys::CFile a(first, sys::CFile::modeRead | sys::CFile::shareDenyNone);
    sys::CFile b(second, sys::CFile::modeRead | sys::CFile::shareDenyNone);
    if (a.GetLength() != b.GetLength()) return false;
    return SameContents(a, b, ChunkSize(bufferSize));
  } catch (const sys::CFileException&) {
    return false;
  }
}

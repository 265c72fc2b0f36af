// Drives reduce to the one root "/". Space is that of the file system that
// holds a path, in 64 bits.
#include <cstdint>
#include <limits>
#include <sys/statvfs.h>

#include "fsutil/QVTFileSystem.h"

namespace {

constexpr const char* kRoot = "/";

// The nearest folder of the path that exists: an output file that is not
// written yet still has the space of the folder it will go to.
bool StatNearest(const std::string& path, struct statvfs& info) {
  std::string probe = path.empty() ? std::string(".") : path;
  for (;;) {
    if (::statvfs(probe.c_str(), &info) == 0) return true;
    while (probe.size() > 1 && probe.back() == '/') probe.pop_back();
    const auto slash = probe.find_last_of('/');
    if (slash == std::string::npos) {
      if (probe == ".") return false;
      probe = ".";
    } else if (slash == 0) {
      if (probe == kRoot) return false;
      probe = kRoot;
    } else {
      probe.erase(slash);
    }
  }
}

std::int64_t Bytes(std::uint64_t blocks, std::uint64_t blockSize) {
  constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
  if (blockSize != 0 && blocks > kMax / blockSize) return std::numeric_limits<std::int64_t>::max();
  return static_cast<std::int64_t>(blocks * blockSize);
}

std::string NormalisedDrive(const std::string& drive) { return drive == "\\" ? std::string(kRoot) : drive; }

}  // namespace

std::string QVTFileSystem::GetCurrentDrive() { return kRoot; }

bool QVTFileSystem::ChangeDrive(const std::string& drive) { return IsValidDrive(drive); }

QVTFileSystem::StringList QVTFileSystem::GetDriveList() { return StringList{kRoot}; }

bool QVTFileSystem::IsValidDrive(const std::string& drive) { return NormalisedDrive(drive) == kRoot; }

unsigned QVTFileSystem::GetDriveType(const std::string& drive) {
  return IsValidDrive(drive) ? kDriveFixed : kDriveNoRootDir;
}

// The single tree has no volume label of its own.
std::string QVTFileSystem::GetVolumeLabel(const std::string&) { return {}; }

// Free space is what this user may fill (blocks kept for the super-user
// are not offered).
std::int64_t QVTFileSystem::GetFreeSpace(const std::string& path) {
  struct statvfs info;
  return StatNearest(path, info) ? Bytes(info.f_bavail, info.f_frsize) : -1;
}

std::int64_t QVTFileSystem::GetTotalSpace(const std::string& path) {
  struct statvfs info;
  return StatNearest(path, info) ? Bytes(info.f_blocks, info.f_frsize) : -1;
}

std::int64_t QVTFileSystem::GetFreeSpace64(const std::string& path) { return GetFreeSpace(path); }

std::int64_t QVTFileSystem::GetTotalSpace64(const std::string& path) { return GetTotalSpace(path); }

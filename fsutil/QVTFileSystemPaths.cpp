// Splitting and joining of path texts. Both "\" and "/" separate, so names
// that were typed or stored in the other system's form still split.
#include "fsutil/QVTFileSystem.h"
#include "fsutil/QVTFileSystemPosix.h"

namespace {

constexpr const char* kSeparators = "\\/";

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool StartsWithDriveLetter(const std::string& path) {
  const unsigned char first = path.empty() ? 0 : static_cast<unsigned char>(path[0]);
  return path.size() >= 2 && ((first | 0x20) >= 'a' && (first | 0x20) <= 'z') && path[1] == ':';
}

// Resolves "." and ".." and doubled "/" in an absolute path by its text
// alone, as a full path name is formed: the named entries need not exist.
std::string Normalise(const std::string& absolute) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= absolute.size()) {
    std::size_t end = absolute.find('/', start);
    if (end == std::string::npos) end = absolute.size();
    const std::string part = absolute.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string out;
  for (const std::string& part : parts) out += "/" + part;
  if (out.empty()) return "/";
  const bool trailing = absolute.back() == '/';
  if (trailing) out += '/';
  return out;
}

}  // namespace

std::string QVTFileSystem::GetFileName(const std::string& path) {
  const auto separator = path.find_last_of(kSeparators);
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string QVTFileSystem::GetPath(const std::string& path, bool includeDrive) {
  const auto separator = path.find_last_of(kSeparators);
  if (separator == std::string::npos) return {};
  std::string folder = path.substr(0, separator + 1);
  // Only a leading drive letter is cut: a ":" further on is part of a name
  // here ("/data/run:1/").
  if (!includeDrive && StartsWithDriveLetter(folder)) folder.erase(0, 2);
  return folder;
}

std::string QVTFileSystem::GetExtension(const std::string& path) {
  const std::string name = GetFileName(path);
  const auto dot = name.find_last_of('.');
  if (dot == std::string::npos || dot + 1 == name.size()) return {};
  return name.substr(dot + 1);
}

std::string QVTFileSystem::GetBaseFileName(const std::string& path) {
  const std::string name = GetFileName(path);
  const auto dot = name.find_last_of('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string QVTFileSystem::GetFullPathName(const std::string& path) {
  if (path.empty()) return {};
  if (path[0] == '/') return Normalise(path);
  const std::string cwd = fsposix::CurrentDirectory();
  if (cwd.empty()) return {};
  return Normalise(cwd + "/" + path);
}

std::string QVTFileSystem::AppendPaths(const std::string& path, const std::string& name) {
  if (path.empty() || IsSeparator(path.back())) return path + name;
  return path + "/" + name;
}

std::string QVTFileSystem::GetDrive(const std::string& path) {
  return !path.empty() && path[0] == '/' ? std::string("/") : std::string();
}

// The file-system services the zip library needs, over POSIX calls.
#pragma once

#include <ctime>
#include <string>

#include "zip/ZipTypes.h"

namespace ZipFileSystem {

std::uint64_t GetDriveFreeSpace(const std::string& path);
bool GetFileSize(const std::string& path, std::int64_t& size);
// A new, empty temporary file in folder (or the system's) with room for
// neededSpace bytes; empty when none can be had.
std::string GetTempFileName(const std::string& folder, std::uint64_t neededSpace);
bool GetCurrentDirectory(std::string& out);
bool ChangeDirectory(const std::string& path);
// Attributes in this library's form: DOS bits, the Unix mode in the high word.
bool GetFileAttributes(const std::string& path, DWORD& out);
bool SetFileAttributes(const std::string& path, DWORD attributes);
bool GetFileModTime(const std::string& path, std::time_t& out);
bool SetFileModTime(const std::string& path, std::time_t t);
int FileExists(const std::string& path);
bool IsDirectory(const std::string& path);
bool IsDriveRemovable(const std::string& path);
bool RemoveFile(const std::string& path, bool throwOnError = true);
bool RenameFile(const std::string& from, const std::string& to, bool throwOnError = true);
// Folders are made 0755 (under the umask); existing ones are left alone.
bool CreateDirectory(const std::string& path);
bool CreateDirectoryTree(const std::string& path);

}  // namespace ZipFileSystem

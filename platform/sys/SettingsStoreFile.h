// The file under a store or a profile file: read whole, and replaced only
// whole and only under its lock file, so that a crash at any step leaves
// either the old or the new text and two processes never interleave.
#pragma once

#include <cstdint>
#include <string>

#include "platform/sys/Types.h"

namespace sys {

// What tells one version of a file from another: every replacement is a
// new inode, so a cached reading stays valid while this is unchanged.
struct FileIdentity {
  bool exists = false;
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t size = 0;
  std::int64_t mtime_ns = 0;
  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// A failure with its Win32 number and the reason in words, for the report.
struct FileProblem {
  LONG error = 0;
  std::string reason;
  explicit operator bool() const { return error != 0; }
};

class SettingsStoreFile {
 public:
  explicit SettingsStoreFile(std::string path) : path_(std::move(path)) {}
  ~SettingsStoreFile();
  SettingsStoreFile(const SettingsStoreFile&) = delete;
  SettingsStoreFile& operator=(const SettingsStoreFile&) = delete;

  const std::string& Path() const { return path_; }

  FileIdentity Identify() const;
  // A missing file reads as empty with identity.exists false.
  FileProblem Read(std::string& text, FileIdentity& identity) const;

  // Takes <file>.lock exclusively (waits for other writers), creating the
  // folder when it is missing and create_folder is set. Released by Unlock
  // or the destructor.
  FileProblem Lock(bool create_folder = true);
  void Unlock();

  // Only while locked: writes a temporary file beside the file, flushes it
  // to disk and renames it over the file; the temporary is removed when any
  // step fails, so the old file stays as it was.
  FileProblem Replace(const std::string& text);
  // Only while locked: temporaries left by a writer that died before its
  // rename; no live writer can own one while we hold the lock.
  void RemoveStrayTemporaries() const;
  // Moves a damaged file to <file>.damaged-<stamp>; returns the new name
  // (empty when the move failed).
  std::string SetAside() const;

 private:
  std::string TemporaryPrefix() const;
  FileProblem FillTemporary(int fd, const std::string& text) const;

  std::string path_;
  int lock_fd_ = -1;
};

// The Win32 number that stands for an errno value.
LONG Win32ErrorFromErrno(int os_error, LONG otherwise);

}  // namespace sys

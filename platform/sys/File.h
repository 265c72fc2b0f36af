// A binary file on a POSIX descriptor (the framework's CFile). Failures throw
// CFileException with a cause mapped from errno; Open reports instead of
// throwing. Sizes and positions are 64-bit. Share modes become advisory
// flock locks, taken before anything is truncated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/sys/FileException.h"
#include "platform/sys/Time.h"

namespace sys {

// Attribute bits as a directory listing reports them.
enum FileAttribute : std::uint8_t {
  kAttrNormal = 0x00,
  kAttrReadOnly = 0x01,
  kAttrHidden = 0x02,
  kAttrSystem = 0x04,
  kAttrVolume = 0x08,
  kAttrDirectory = 0x10,
  kAttrArchive = 0x20,
};

struct CFileStatus {
  CTime m_ctime;  // status change time (creation time is not kept here)
  CTime m_mtime;
  CTime m_atime;
  std::int64_t m_size = 0;
  std::uint8_t m_attribute = 0;
  std::string m_szFullName;
};

class CFile {
 public:
  enum OpenFlags : unsigned {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000,
  };
  enum SeekPosition { begin = 0, current = 1, end = 2 };

  CFile() = default;
  // Opens or throws CFileException.
  CFile(const std::string& path, unsigned flags);
  virtual ~CFile();
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // FALSE with *error filled (when given) on failure.
  virtual bool Open(const std::string& path, unsigned flags, CFileException* error = nullptr);
  // Takes ownership of a descriptor the caller opened with flags Open has no
  // words for (O_EXCL, O_NOFOLLOW, openat); path is what errors will name.
  void Attach(int fd, const std::string& path);
  virtual void Close();  // throws when the final write-back fails
  void Abort() noexcept;  // closes, ignoring failures

  // Reads up to count bytes; returns fewer only at end of file.
  virtual std::size_t Read(void* buffer, std::size_t count);
  virtual void Write(const void* buffer, std::size_t count);
  // A read at an absolute position that leaves the file pointer alone.
  std::size_t ReadAt(void* buffer, std::size_t count, std::int64_t position);

  virtual std::int64_t Seek(std::int64_t offset, SeekPosition from);
  std::int64_t SeekToEnd() { return Seek(0, end); }
  void SeekToBegin() { Seek(0, begin); }
  virtual std::int64_t GetPosition() const;
  virtual std::int64_t GetLength() const;
  virtual void SetLength(std::int64_t length);
  virtual void Flush();

  bool IsOpen() const { return fd_ >= 0; }
  int GetHandle() const { return fd_; }
  const std::string& GetFilePath() const { return path_; }
  std::string GetFileName() const;

  bool GetStatus(CFileStatus& status) const;
  static bool GetStatus(const std::string& path, CFileStatus& status);
  static void Rename(const std::string& old_name, const std::string& new_name);
  static void Remove(const std::string& path);

 protected:
  [[noreturn]] void ThrowErrno(int os_error) const;

 private:
  int fd_ = -1;
  std::string path_;
};

}  // namespace sys

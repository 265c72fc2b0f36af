// The file interface the archive reads and writes through: a file on disk
// or one in memory. Positions are 64-bit so archives past 2 GiB are read
// without wrapping; the format's own 32-bit limits are checked above this.
#pragma once

#include <cstdint>
#include <string>

#include "zip/ZipTypes.h"

class CZipFileBase {
 public:
  enum SeekFrom { begin = 0, current = 1, end = 2 };

  virtual ~CZipFileBase() = default;

  virtual bool Open(const std::string& /*path*/, UINT /*flags*/, bool /*throwOnError*/) { return true; }
  virtual void Close() = 0;
  virtual void Flush() = 0;
  virtual std::int64_t GetPosition() const = 0;
  virtual std::int64_t Seek(std::int64_t offset, int from) = 0;
  virtual std::int64_t GetLength() const = 0;
  virtual void SetLength(std::int64_t length) = 0;
  std::int64_t SeekToBegin() { return Seek(0, begin); }
  std::int64_t SeekToEnd() { return Seek(0, end); }
  virtual std::string GetFilePath() const = 0;
  virtual UINT Read(void* buffer, UINT size) = 0;
  virtual void Write(const void* data, UINT size) = 0;
  virtual bool IsClosed() const = 0;
};

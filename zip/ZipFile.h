// A CZipFileBase over a file on disk (sys::CFile): the archive file itself
// and the targets of extraction. Failures throw sys::CFileException.
#pragma once

#include "platform/sys/File.h"
#include "zip/ZipFileBase.h"

class CZipFile : public CZipFileBase {
 public:
  CZipFile() = default;
  // Opens or throws sys::CFileException.
  CZipFile(const std::string& path, UINT flags) : m_file(path, flags) {}

  bool Open(const std::string& path, UINT flags, bool throwOnError) override;
  // Adopts a descriptor opened by the caller (see sys::CFile::Attach).
  void Attach(int fd, const std::string& path) { m_file.Attach(fd, path); }
  void Close() override;
  void Abort() noexcept { m_file.Abort(); }
  void Flush() override { m_file.Flush(); }
  std::int64_t GetPosition() const override { return m_file.GetPosition(); }
  std::int64_t Seek(std::int64_t offset, int from) override;
  std::int64_t GetLength() const override { return m_file.GetLength(); }
  void SetLength(std::int64_t length) override { m_file.SetLength(length); }
  std::string GetFilePath() const override { return m_file.GetFilePath(); }
  UINT Read(void* buffer, UINT size) override { return static_cast<UINT>(m_file.Read(buffer, size)); }
  void Write(const void* data, UINT size) override { m_file.Write(data, size); }
  bool IsClosed() const override { return !m_file.IsOpen(); }
  int GetHandle() const { return m_file.GetHandle(); }

 private:
  sys::CFile m_file;
};

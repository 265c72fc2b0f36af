// A CZipFileBase in memory, for archives built or read without a disk file
// and for extracting an entry into memory. Sizes stay within the format's
// 32-bit range; growth past it, or past a buffer that cannot grow, is
// "Not enough memory" (505).
#pragma once

#include "zip/ZipFileBase.h"

class CZipMemoryFile : public CZipFileBase {
 public:
  // An empty, owned buffer that grows in steps of growStep bytes.
  explicit CZipMemoryFile(DWORD growStep = 1024) : m_growStep(growStep) {}
  // Adopts a caller's buffer of length bytes without owning or growing it.
  CZipMemoryFile(BYTE* buffer, DWORD length);
  ~CZipMemoryFile() override;
  CZipMemoryFile(const CZipMemoryFile&) = delete;
  CZipMemoryFile& operator=(const CZipMemoryFile&) = delete;

  void Close() override;
  void Flush() override {}
  std::int64_t GetPosition() const override { return m_position; }
  // Refuses (sys::CFileException badSeek) a position before the start or
  // beyond the 32-bit range, instead of wrapping.
  std::int64_t Seek(std::int64_t offset, int from) override;
  std::int64_t GetLength() const override { return m_length; }
  void SetLength(std::int64_t length) override;
  std::string GetFilePath() const override { return {}; }
  UINT Read(void* buffer, UINT size) override;
  void Write(const void* data, UINT size) override;
  bool IsClosed() const override { return m_buffer == nullptr; }

  const BYTE* GetData() const { return m_buffer; }

 private:
  void Grow(std::uint64_t needed);
  // Bytes between the old length and a later write are zeros, not leftovers.
  void ZeroGap(DWORD from, DWORD to);

  DWORD m_growStep;
  DWORD m_position = 0;
  DWORD m_capacity = 0;
  DWORD m_length = 0;
  BYTE* m_buffer = nullptr;
  bool m_owns = true;
};

// An owned, contiguous byte array: names, extra fields, comments, the work
// buffers of compression. Copies copy the bytes.
#pragma once

#include <memory>

#include "zip/ZipTypes.h"

class CZipByteBuffer {
 public:
  CZipByteBuffer() = default;
  explicit CZipByteBuffer(DWORD size, bool zero = false) { Allocate(size, zero); }
  CZipByteBuffer(const void* data, DWORD size) { Assign(data, size); }
  virtual ~CZipByteBuffer() = default;
  CZipByteBuffer(const CZipByteBuffer& other) { Assign(other.GetBuffer(), other.GetSize()); }
  CZipByteBuffer& operator=(const CZipByteBuffer& other);
  CZipByteBuffer(CZipByteBuffer&& other) noexcept;
  CZipByteBuffer& operator=(CZipByteBuffer&& other) noexcept;

  // A new size replaces the storage; the same size keeps it (zeroed when asked).
  BYTE* Allocate(DWORD size, bool zero = false);
  void Assign(const void* data, DWORD size);
  void Release();

  DWORD GetSize() const { return m_size; }
  bool IsEmpty() const { return m_size == 0; }
  BYTE* GetBuffer() { return m_data.get(); }
  const BYTE* GetBuffer() const { return m_data.get(); }
  BYTE& operator[](DWORD i) { return m_data[i]; }
  BYTE operator[](DWORD i) const { return m_data[i]; }

 private:
  std::unique_ptr<BYTE[]> m_data;
  DWORD m_size = 0;
};

#include "zip/ZipByteBuffer.h"

#include <cstring>
#include <utility>

CZipByteBuffer& CZipByteBuffer::operator=(const CZipByteBuffer& other) {
  if (this != &other) Assign(other.GetBuffer(), other.GetSize());
  return *this;
}

CZipByteBuffer::CZipByteBuffer(CZipByteBuffer&& other) noexcept
    : m_data(std::move(other.m_data)), m_size(std::exchange(other.m_size, 0)) {}

CZipByteBuffer& CZipByteBuffer::operator=(CZipByteBuffer&& other) noexcept {
  if (this != &other) {
    m_data = std::move(other.m_data);
    m_size = std::exchange(other.m_size, 0);
  }
  return *this;
}

BYTE* CZipByteBuffer::Allocate(DWORD size, bool zero) {
  if (size != m_size) {
    Release();
    if (size > 0) m_data = zero ? std::make_unique<BYTE[]>(size) : std::make_unique_for_overwrite<BYTE[]>(size);
    m_size = size;
  } else if (zero && size > 0) {
    std::memset(m_data.get(), 0, size);
  }
  return m_data.get();
}

void CZipByteBuffer::Assign(const void* data, DWORD size) {
  Allocate(size);
  if (size > 0) std::memcpy(m_data.get(), data, size);
}

void CZipByteBuffer::Release() {
  m_data.reset();
  m_size = 0;
}

#include "zip/ZipMemoryFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/sys/FileException.h"
#include "zip/ZipException.h"

namespace {
constexpr std::uint64_t kMaxSize = 0xFFFFFFFFull;
}

CZipMemoryFile::CZipMemoryFile(BYTE* buffer, DWORD length)
    : m_growStep(0), m_capacity(length), m_length(length), m_buffer(buffer), m_owns(false) {}

CZipMemoryFile::~CZipMemoryFile() {
  if (m_owns) std::free(m_buffer);
}

void CZipMemoryFile::Close() {
  if (m_owns) std::free(m_buffer);
  m_buffer = nullptr;
  m_position = m_capacity = m_length = 0;
}

void CZipMemoryFile::Grow(std::uint64_t needed) {
  if (needed <= m_capacity) return;
  if (m_growStep == 0 || !m_owns || needed > kMaxSize) CZipException::Throw(CZipException::noMemory);
  const std::uint64_t steps = (needed - m_capacity + m_growStep - 1) / m_growStep;
  std::uint64_t capacity = m_capacity + steps * m_growStep;
  if (capacity > kMaxSize) capacity = kMaxSize;
  auto* grown = static_cast<BYTE*>(std::realloc(m_buffer, static_cast<std::size_t>(capacity)));
  if (grown == nullptr) CZipException::Throw(CZipException::noMemory);
  m_buffer = grown;
  m_capacity = static_cast<DWORD>(capacity);
}

void CZipMemoryFile::ZeroGap(DWORD from, DWORD to) {
  if (to > from) std::memset(m_buffer + from, 0, to - from);
}

std::int64_t CZipMemoryFile::Seek(std::int64_t offset, int from) {
  std::int64_t base;
  switch (from) {
    case begin: base = 0; break;
    case current: base = m_position; break;
    case end: base = m_length; break;
    default: return m_position;
  }
  const std::int64_t target = base + offset;
  if (target < 0 || static_cast<std::uint64_t>(target) > kMaxSize)
    throw sys::CFileException(sys::CFileException::badSeek, EINVAL, {});
  m_position = static_cast<DWORD>(target);
  return m_position;
}

void CZipMemoryFile::SetLength(std::int64_t length) {
  if (length < 0 || static_cast<std::uint64_t>(length) > kMaxSize) CZipException::Throw(CZipException::noMemory);
  const auto n = static_cast<DWORD>(length);
  Grow(n);
  ZeroGap(m_length, n);
  if (m_position > n) m_position = n;
  m_length = n;
}

UINT CZipMemoryFile::Read(void* buffer, UINT size) {
  if (m_position >= m_length || size == 0) return 0;
  const UINT n = std::min<UINT>(size, m_length - m_position);
  std::memcpy(buffer, m_buffer + m_position, n);
  m_position += n;
  return n;
}

void CZipMemoryFile::Write(const void* data, UINT size) {
  if (size == 0) return;
  const std::uint64_t end = static_cast<std::uint64_t>(m_position) + size;
  Grow(end);
  ZeroGap(m_length, m_position);
  std::memcpy(m_buffer + m_position, data, size);
  m_position = static_cast<DWORD>(end);
  if (m_position > m_length) m_length = m_position;
}

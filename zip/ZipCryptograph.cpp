#include "zip/ZipCryptograph.h"

#include <sys/random.h>
#include <zlib.h>

#include <cerrno>

#include "zip/ZipException.h"

namespace {

DWORD Crc32Byte(DWORD crc, BYTE b) {
  static const auto* table = get_crc_table();
  return static_cast<DWORD>(table[(crc ^ b) & 0xFF]) ^ (crc >> 8);
}

}  // namespace

void CZipCryptograph::Init(const BYTE* password, DWORD length) {
  m_keys[0] = 0x12345678;
  m_keys[1] = 0x23456789;
  m_keys[2] = 0x34567890;
  for (DWORD i = 0; i < length; ++i) Update(password[i]);
}

BYTE CZipCryptograph::KeyByte() const {
  // Unsigned 32-bit arithmetic: the product of two 16-bit values overflows int.
  const DWORD t = (m_keys[2] & 0xFFFF) | 2;
  return static_cast<BYTE>((t * (t ^ 1)) >> 8);
}

void CZipCryptograph::Update(BYTE plain) {
  m_keys[0] = Crc32Byte(m_keys[0], plain);
  m_keys[1] = (m_keys[1] + (m_keys[0] & 0xFF)) * 134775813 + 1;
  m_keys[2] = Crc32Byte(m_keys[2], static_cast<BYTE>(m_keys[1] >> 24));
}

void CZipCryptograph::Decode(BYTE* data, DWORD size) {
  for (DWORD i = 0; i < size; ++i) {
    data[i] ^= KeyByte();
    Update(data[i]);
  }
}

void CZipCryptograph::Encode(BYTE* data, DWORD size) {
  for (DWORD i = 0; i < size; ++i) {
    const BYTE plain = data[i];
    data[i] ^= KeyByte();
    Update(plain);
  }
}

void CZipCryptograph::MakeHeader(BYTE (&header)[kHeaderSize], BYTE checkLow, BYTE checkHigh) {
  std::size_t got = 0;
  while (got < kHeaderSize - 2) {
    const ssize_t n = ::getrandom(header + got, kHeaderSize - 2 - got, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) CZipException::Throw(CZipException::internal, {}, "no random bytes for the encryption header");
    got += static_cast<std::size_t>(n);
  }
  header[10] = checkLow;
  header[11] = checkHigh;
  Encode(header, kHeaderSize);
}

// Reading one entry: local header checks, decryption, inflation, CRC and
// data descriptor checks. Every loop turn must make progress; anything
// else is a damaged archive, never a hang.
#include <cstring>

#include "platform/sys/Format.h"
#include "zip/ZipArchive.h"
#include "zip/ZipException.h"
#include "zip/ZipFileSystem.h"
#include "zip/ZipLittleEndian.h"

namespace {
constexpr WORD kStored = 0;
constexpr WORD kDeflated = 8;
constexpr WORD kAesMethod = 99;
}  // namespace

void CZipArchive::CheckReadable(const CZipEntryHeader& h) const {
  if (h.m_uMethod == kAesMethod) ThrowDamaged("AES encryption is not supported: " + h.GetFileName());
  if (h.m_uMethod != kStored && h.m_uMethod != kDeflated)
    ThrowDamaged(sys::Format("compression method %u is not supported: ", h.m_uMethod) + h.GetFileName());
  if (h.m_uFlag & CZipEntryHeader::kStrongEncryption)
    ThrowDamaged("strong encryption is not supported: " + h.GetFileName());
  const DWORD header = h.IsEncrypted() ? CZipCryptograph::kHeaderSize : 0;
  if (h.m_uComprSize < header) ThrowDamaged("an encrypted entry is too short: " + h.GetFileName());
  if (h.m_uMethod == kStored && h.m_uComprSize - header != h.m_uUncomprSize)
    ThrowDamaged("a stored entry's sizes disagree: " + h.GetFileName());
}

void CZipArchive::OpenLocal(CZipEntryHeader& h) {
  const std::int64_t start = m_centralDir.GetBytesBeforeZip() + h.m_uOffset;
  m_storage.ChangeDisk(h.m_uDiskStart);
  m_storage.Seek(start);
  WORD extraLength = 0;
  if (!h.CheckLocal(m_storage, extraLength)) ThrowDamaged("the local header does not match: " + h.GetFileName());
  m_localExtra.Allocate(extraLength);
  if (extraLength > 0) m_storage.Read(m_localExtra.GetBuffer(), extraLength, true);
  m_entryDataEnd = m_storage.GetPosition() + h.m_uComprSize;
  const std::int64_t spanEnd = m_centralDir.GetBytesBeforeZip() + m_centralDir.GetSpanEnd(m_openIndex);
  if (!m_storage.IsSpanned() && m_entryDataEnd > spanEnd) ThrowDamaged("the entry's data runs into the next entry: " + h.GetFileName());
}

// The last byte of the decrypted header repeats a byte the header already
// knows: the high byte of the time with a data descriptor, else of the CRC.
void CZipArchive::CheckPassword(const CZipEntryHeader& h) {
  if (m_pszPassword.IsEmpty()) CZipException::Throw(CZipException::badPassword, ArchiveName());
  m_cryptograph.Init(m_pszPassword.GetBuffer(), m_pszPassword.GetSize());
  BYTE header[CZipCryptograph::kHeaderSize];
  m_storage.Read(header, sizeof header, true);
  m_cryptograph.Decode(header, sizeof header);
  const BYTE check = h.IsDataDescriptor() ? static_cast<BYTE>(h.m_uModTime >> 8) : static_cast<BYTE>(h.m_uCrc32 >> 24);
  if (header[11] != check) CZipException::Throw(CZipException::badPassword, ArchiveName());
}

bool CZipArchive::OpenFile(WORD index) {
  if (IsClosed() || !m_centralDir.IsValidIndex(index) || m_iFileOpened != kNoEntry || m_storage.IsNewSpanned())
    return false;
  CZipEntryHeader& h = m_centralDir[index];
  CheckReadable(h);
  m_openIndex = index;
  m_pBuffer.Allocate(m_iBufferSize);
  try {
    OpenLocal(h);
    m_entryEncrypted = h.IsEncrypted();
    if (m_entryEncrypted) CheckPassword(h);
    m_stream = z_stream{};
    m_streamEnded = false;
    if (h.m_uMethod == kDeflated) {
      const int result = inflateInit2(&m_stream, -MAX_WBITS);
      if (result != Z_OK) ThrowZlib(result);
      m_streamOpen = true;
    }
  } catch (...) {
    AbandonEntry();
    throw;
  }
  m_uComprLeft = h.m_uComprSize - (m_entryEncrypted ? CZipCryptograph::kHeaderSize : 0);
  m_uUncomprLeft = h.m_uUncomprSize;
  m_uCrc32 = 0;
  m_iFileOpened = kReading;
  return true;
}

void CZipArchive::FillInput() {
  if (m_uComprLeft == 0) ThrowDamaged("the compressed data ends early: " + m_centralDir[m_openIndex].GetFileName());
  const DWORD n = std::min(m_uComprLeft, m_pBuffer.GetSize());
  m_storage.Read(m_pBuffer.GetBuffer(), n, false);
  if (m_entryEncrypted) m_cryptograph.Decode(m_pBuffer.GetBuffer(), n);
  m_uComprLeft -= n;
  m_stream.next_in = m_pBuffer.GetBuffer();
  m_stream.avail_in = n;
}

DWORD CZipArchive::ReadStored(BYTE* out, DWORD room) {
  DWORD done = 0;
  while (done < room) {
    if (m_stream.avail_in == 0) FillInput();
    const DWORD n = std::min(room - done, m_stream.avail_in);
    std::memcpy(out + done, m_stream.next_in, n);
    m_stream.next_in += n;
    m_stream.avail_in -= n;
    done += n;
  }
  m_uCrc32 = static_cast<DWORD>(crc32(m_uCrc32, out, done));
  m_uUncomprLeft -= done;
  return done;
}

DWORD CZipArchive::ReadDeflated(BYTE* out, DWORD room) {
  m_stream.next_out = out;
  m_stream.avail_out = room;
  while (m_stream.avail_out > 0 && !m_streamEnded) {
    if (m_stream.avail_in == 0 && m_uComprLeft > 0) FillInput();
    const uInt inBefore = m_stream.avail_in;
    const uInt outBefore = m_stream.avail_out;
    const int result = inflate(&m_stream, Z_SYNC_FLUSH);
    if (result == Z_STREAM_END) m_streamEnded = true;
    // zlib's buffer error means no progress was possible: the compressed
    // data ran out before the stream's end. Other results are errors too.
    else if (result != Z_OK) ThrowZlib(result);
    if (!m_streamEnded && inBefore == m_stream.avail_in && outBefore == m_stream.avail_out)
      ThrowDamaged("the compressed data ends early: " + m_centralDir[m_openIndex].GetFileName());
  }
  const DWORD done = room - m_stream.avail_out;
  m_uCrc32 = static_cast<DWORD>(crc32(m_uCrc32, out, done));
  m_uUncomprLeft -= done;
  // A stream that ends before the declared size leaves bytes expected:
  // reading stops short and closing tells the entry was not read through.
  return done;
}

// All the declared data is out; the stream must now end without more.
void CZipArchive::DrainStream() {
  BYTE scratch[64];
  while (!m_streamEnded) {
    if (ReadDeflated(scratch, sizeof scratch) > 0)
      ThrowDamaged("the entry holds more data than its header says: " + m_centralDir[m_openIndex].GetFileName());
  }
}

DWORD CZipArchive::ReadFile(void* buffer, DWORD size) {
  if (m_iFileOpened != kReading || buffer == nullptr || size == 0) return 0;
  try {
    const DWORD room = std::min(size, m_uUncomprLeft);
    const bool deflated = m_streamOpen;
    if (room == 0) {
      if (deflated) DrainStream();
      return 0;
    }
    return deflated ? ReadDeflated(static_cast<BYTE*>(buffer), room) : ReadStored(static_cast<BYTE*>(buffer), room);
  } catch (...) {
    AbandonEntry();
    throw;
  }
}

// The descriptor sits right after the entry's data, its signature optional.
void CZipArchive::CheckDataDescriptor(const CZipEntryHeader& h) {
  if (m_storage.IsSpanned()) {
    // The data may have crossed volumes: read past what is left of it.
    while (m_uComprLeft > 0) FillInput();
  } else {
    m_storage.Seek(m_entryDataEnd);
  }
  BYTE b[16];
  m_storage.Read(b, 12, false);
  const BYTE* fields = b;
  if (ZipLittleEndian::Get32(b) == CZipEntryHeader::kDescriptorSignature) {
    m_storage.Read(b + 12, 4, false);
    fields = b + 4;
  }
  if (ZipLittleEndian::Get32(fields) != h.m_uCrc32 || ZipLittleEndian::Get32(fields + 4) != h.m_uComprSize ||
      ZipLittleEndian::Get32(fields + 8) != h.m_uUncomprSize)
    ThrowDamaged("the data descriptor does not match: " + h.GetFileName());
}

int CZipArchive::CloseFile(const char* path, bool afterException) {
  if (m_iFileOpened != kReading) return 0;
  const CZipEntryHeader& h = m_centralDir[m_openIndex];
  int result = 1;
  if (!afterException) {
    try {
      if (m_uUncomprLeft > 0) {
        result = -1;
      } else {
        if (m_streamOpen) DrainStream();
        if (m_uCrc32 != h.m_uCrc32) CZipException::Throw(CZipException::badCrc, ArchiveName(), h.GetFileName());
        if (h.IsDataDescriptor()) CheckDataDescriptor(h);
      }
    } catch (...) {
      AbandonEntry();
      throw;
    }
  }
  if (result == 1 && path != nullptr && !afterException) {
    const bool timeSet = ZipFileSystem::SetFileModTime(path, h.GetTime());
    const bool attributesSet = ZipFileSystem::SetFileAttributes(path, h.GetSystemAttr());
    if (!timeSet || !attributesSet) result = -2;
  }
  AbandonEntry();
  return result;
}

int CZipArchive::CloseFile(CZipFile& file) {
  const std::string path = file.GetFilePath();
  file.Close();
  return CloseFile(path.c_str(), false);
}

void CZipArchive::AbandonEntry() noexcept {
  if (m_streamOpen) inflateEnd(&m_stream);
  m_streamOpen = false;
  m_stream = z_stream{};
  m_iFileOpened = kNoEntry;
  m_pBuffer.Release();
  m_localExtra.Release();
}

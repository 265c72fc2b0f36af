#include "zip/ZipEntryHeader.h"

#include <cstring>

#include "zip/ZipAttributes.h"
#include "zip/ZipCodePage.h"
#include "zip/ZipDosTime.h"
#include "zip/ZipException.h"
#include "zip/ZipLittleEndian.h"
#include "zip/ZipVolumeStorage.h"

using namespace ZipLittleEndian;

namespace {

constexpr DWORD kZip64Sentinel = 0xFFFFFFFF;
constexpr WORD kZip64ExtraId = 0x0001;

bool HasExtraBlock(const CZipByteBuffer& extra, WORD id) {
  for (DWORD at = 0; at + 4 <= extra.GetSize();) {
    if (Get16(extra.GetBuffer() + at) == id) return true;
    at += 4 + Get16(extra.GetBuffer() + at + 2);
  }
  return false;
}

void ReadPart(CZipVolumeStorage& storage, CZipByteBuffer& part, WORD length) {
  part.Allocate(length);
  if (length > 0) storage.Read(part.GetBuffer(), length, true);
}

}  // namespace

bool CZipEntryHeader::ReadCentral(CZipVolumeStorage& storage) {
  BYTE b[kCentralSize];
  storage.Read(b, kCentralSize, true);
  m_uSignature = Get32(b);
  m_uVersionMadeBy = Get16(b + 4);
  m_uVersionNeeded = Get16(b + 6);
  m_uFlag = Get16(b + 8);
  m_uMethod = Get16(b + 10);
  m_uModTime = Get16(b + 12);
  m_uModDate = Get16(b + 14);
  m_uCrc32 = Get32(b + 16);
  m_uComprSize = Get32(b + 20);
  m_uUncomprSize = Get32(b + 24);
  m_uDiskStart = Get16(b + 34);
  m_uInternalAttr = Get16(b + 36);
  m_uExternalAttr = Get32(b + 38);
  m_uOffset = Get32(b + 42);
  if (m_uSignature != kCentralSignature) return false;
  ReadPart(storage, m_pszFileName, Get16(b + 28));
  ReadPart(storage, m_pExtraField, Get16(b + 30));
  ReadPart(storage, m_pszComment, Get16(b + 32));
  const std::string& path = storage.GetArchiveName();
  if (m_uComprSize == kZip64Sentinel || m_uUncomprSize == kZip64Sentinel || m_uOffset == kZip64Sentinel ||
      m_uDiskStart == 0xFFFF || HasExtraBlock(m_pExtraField, kZip64ExtraId))
    CZipException::Throw(CZipException::badZipFile, path, "ZIP64 entries are not supported: " + GetFileName());
  if (m_uDiskStart != 0 && (!storage.IsExistingSpanned() || m_uDiskStart > storage.GetLastDisk()))
    CZipException::Throw(CZipException::badZipFile, path, "an entry lies on another volume: " + GetFileName());
  return true;
}

DWORD CZipEntryHeader::WriteCentral(CZipVolumeStorage& storage) const {
  const DWORD size = GetSize(false);
  CZipByteBuffer block(size);
  BYTE* b = block.GetBuffer();
  Put32(b, kCentralSignature);
  Put16(b + 4, m_uVersionMadeBy);
  Put16(b + 6, m_uVersionNeeded);
  Put16(b + 8, m_uFlag);
  Put16(b + 10, m_uMethod);
  Put16(b + 12, m_uModTime);
  Put16(b + 14, m_uModDate);
  Put32(b + 16, m_uCrc32);
  Put32(b + 20, m_uComprSize);
  Put32(b + 24, m_uUncomprSize);
  Put16(b + 28, static_cast<WORD>(m_pszFileName.GetSize()));
  Put16(b + 30, static_cast<WORD>(m_pExtraField.GetSize()));
  Put16(b + 32, static_cast<WORD>(m_pszComment.GetSize()));
  Put16(b + 34, m_uDiskStart);
  Put16(b + 36, m_uInternalAttr);
  Put32(b + 38, m_uExternalAttr);
  Put32(b + 42, m_uOffset);
  BYTE* p = b + kCentralSize;
  for (const CZipByteBuffer* part : {&m_pszFileName, &m_pExtraField, &m_pszComment}) {
    if (part->GetSize() > 0) std::memcpy(p, part->GetBuffer(), part->GetSize());
    p += part->GetSize();
  }
  storage.Write(b, size, true);
  return size;
}

bool CZipEntryHeader::CheckLocal(CZipVolumeStorage& storage, WORD& extraLength) const {
  BYTE b[kLocalSize];
  storage.Read(b, kLocalSize, true);
  if (Get32(b) != kLocalSignature) return false;
  if ((Get16(b + 6) & 0xF) != (m_uFlag & 0xF)) return false;
  const WORD method = Get16(b + 8);
  if (method != m_uMethod || (method != 0 && method != 8)) return false;
  if (Get16(b + 26) != m_pszFileName.GetSize()) return false;
  if (!IsDataDescriptor() &&
      (Get32(b + 14) != m_uCrc32 || Get32(b + 18) != m_uComprSize || Get32(b + 22) != m_uUncomprSize))
    return false;
  extraLength = Get16(b + 28);
  storage.Seek(storage.GetPosition() + m_pszFileName.GetSize());
  return true;
}

void CZipEntryHeader::WriteLocal(CZipVolumeStorage& storage) {
  const DWORD size = GetSize(true);
  CZipByteBuffer block(size);
  BYTE* b = block.GetBuffer();
  Put32(b, kLocalSignature);
  Put16(b + 4, m_uVersionNeeded);
  Put16(b + 6, m_uFlag);
  Put16(b + 8, m_uMethod);
  Put16(b + 10, m_uModTime);
  Put16(b + 12, m_uModDate);
  Put32(b + 14, m_uCrc32);
  Put32(b + 18, m_uComprSize);
  Put32(b + 22, m_uUncomprSize);
  Put16(b + 26, static_cast<WORD>(m_pszFileName.GetSize()));
  Put16(b + 28, static_cast<WORD>(m_pExtraField.GetSize()));
  if (m_pszFileName.GetSize() > 0) std::memcpy(b + kLocalSize, m_pszFileName.GetBuffer(), m_pszFileName.GetSize());
  if (m_pExtraField.GetSize() > 0)
    std::memcpy(b + kLocalSize + m_pszFileName.GetSize(), m_pExtraField.GetBuffer(), m_pExtraField.GetSize());
  const std::int64_t start = storage.GetPosition();
  storage.Write(b, size, true);
  m_pExtraField.Release();
  m_uDiskStart = static_cast<WORD>(storage.GetCurrentDisk());
  m_uOffset = static_cast<DWORD>(start);
}

bool CZipEntryHeader::PrepareData(int level, bool dataDescriptor, bool encrypted) {
  m_uSignature = kCentralSignature;
  m_uInternalAttr = 0;
  m_uVersionNeeded = IsDirectory() ? 10 : 20;
  m_uVersionMadeBy = static_cast<WORD>((m_uVersionMadeBy & 0xFF00) | 20);
  m_uCrc32 = m_uComprSize = m_uUncomprSize = 0;
  if (level == 0) m_uMethod = 0;
  if (m_uMethod != 0 && m_uMethod != 8) m_uMethod = 8;
  m_uFlag &= kUtf8;
  if (m_uMethod == 8) {
    if (level == 1) m_uFlag |= 6;
    else if (level == 2) m_uFlag |= 4;
    else if (level == 8 || level == 9) m_uFlag |= 2;
  }
  if (dataDescriptor || encrypted) m_uFlag |= kDataDescriptor;
  if (encrypted) {
    m_uFlag |= kEncrypted;
    m_uComprSize = 12;
  }
  return m_pszFileName.GetSize() <= 0xFFFF && m_pExtraField.GetSize() <= 0xFFFF && m_pszComment.GetSize() <= 0xFFFF;
}

DWORD CZipEntryHeader::GetSize(bool local) const {
  const DWORD parts = m_pszFileName.GetSize() + m_pExtraField.GetSize();
  return local ? kLocalSize + parts : kCentralSize + parts + m_pszComment.GetSize();
}

std::string CZipEntryHeader::GetRawName() const {
  return std::string(reinterpret_cast<const char*>(m_pszFileName.GetBuffer()), m_pszFileName.GetSize());
}

std::string CZipEntryHeader::GetFileName() const {
  std::string raw = GetRawName();
  if ((m_uFlag & kUtf8) == 0 && GetSystemCompatibility() == ZipAttributes::kDos) return ZipCodePage::Cp437ToUtf8(raw);
  return raw;
}

void CZipEntryHeader::SetFileName(const std::string& name) {
  std::string zipForm = name;
  for (char& c : zipForm)
    if (c == '\\') c = '/';
  if (ZipCodePage::IsAscii(zipForm)) m_uFlag &= static_cast<WORD>(~kUtf8);
  else m_uFlag |= kUtf8;
  m_pszFileName.Assign(zipForm.data(), static_cast<DWORD>(zipForm.size()));
}

std::string CZipEntryHeader::GetComment() const {
  return std::string(reinterpret_cast<const char*>(m_pszComment.GetBuffer()), m_pszComment.GetSize());
}

bool CZipEntryHeader::SetComment(const std::string& comment) {
  if (comment.size() > 0xFFFF) return false;
  m_pszComment.Assign(comment.data(), static_cast<DWORD>(comment.size()));
  return true;
}

std::time_t CZipEntryHeader::GetTime() const { return ZipDosTime::ToTime(m_uModDate, m_uModTime); }

void CZipEntryHeader::SetTime(std::time_t t) { ZipDosTime::FromTime(t, m_uModDate, m_uModTime); }

void CZipEntryHeader::SetSystemCompatibility(int system) {
  m_uVersionMadeBy = static_cast<WORD>((m_uVersionMadeBy & 0xFF) | (system << 8));
}

DWORD CZipEntryHeader::GetSystemAttr() const {
  const DWORD size = m_pszFileName.GetSize();
  const bool slash = size > 0 && (m_pszFileName[size - 1] == '/' || m_pszFileName[size - 1] == '\\');
  const int system = GetSystemCompatibility();
  if (!ZipAttributes::IsSupportedSystem(system))
    return slash ? ZipAttributes::kDirectoryDefault : ZipAttributes::kFileDefault;
  if (m_uExternalAttr == 0 && slash) return ZipAttributes::kDirectoryDefault;
  // Every tool reads a name ending in a separator as a folder, whatever
  // mode bits came with it.
  const DWORD folder = slash ? DWORD{ZipAttributes::kDirectory} : DWORD{0};
  if (system == ZipAttributes::kUnix) {
    // A Unix host that stored no attributes meant the default file mode.
    if (m_uExternalAttr == 0) return ZipAttributes::kFileDefault;
    // The mode rides along in the high word, as this system keeps it.
    return ZipAttributes::Convert(m_uExternalAttr, system, ZipAttributes::kDos) | (m_uExternalAttr & 0xFFFF0000) |
           folder;
  }
  return ZipAttributes::Convert(m_uExternalAttr, system, ZipAttributes::kDos) | folder;
}

void CZipEntryHeader::SetSystemAttr(DWORD attributes) {
  m_uExternalAttr = ZipAttributes::Convert(attributes, ZipAttributes::kDos, GetSystemCompatibility());
}

bool CZipEntryHeader::IsDirectory() const { return (GetSystemAttr() & ZipAttributes::kDirectory) != 0; }

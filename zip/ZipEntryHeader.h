// One entry's header as the central directory holds it, and the local and
// central records it is read from and written as. The name is kept in the
// archive's bytes; GetFileName gives it as UTF-8.
#pragma once

#include <ctime>
#include <string>

#include "zip/ZipByteBuffer.h"
#include "zip/ZipTypes.h"

class CZipVolumeStorage;

class CZipEntryHeader {
 public:
  static constexpr DWORD kCentralSignature = 0x02014B50;
  static constexpr DWORD kLocalSignature = 0x04034B50;
  static constexpr DWORD kDescriptorSignature = 0x08074B50;
  static constexpr DWORD kCentralSize = 46;
  static constexpr DWORD kLocalSize = 30;
  enum Flag : WORD { kEncrypted = 0x0001, kDataDescriptor = 0x0008, kStrongEncryption = 0x0040, kUtf8 = 0x0800 };

  CZipEntryHeader() = default;
  virtual ~CZipEntryHeader() = default;
  CZipEntryHeader(const CZipEntryHeader&) = default;
  CZipEntryHeader& operator=(const CZipEntryHeader&) = default;

  // FALSE on a wrong signature; throws 101 for what this library refuses to
  // read (ZIP64 values, entries on other volumes).
  bool ReadCentral(CZipVolumeStorage& storage);
  DWORD WriteCentral(CZipVolumeStorage& storage) const;
  // Reads the local header at the current position, checks it against this
  // central one and skips the name; hands back the local extra length.
  bool CheckLocal(CZipVolumeStorage& storage, WORD& extraLength) const;
  // Writes the local header at the current position and records its offset
  // (relative to the file; the archive subtracts what precedes it).
  void WriteLocal(CZipVolumeStorage& storage);
  bool PrepareData(int level, bool dataDescriptor, bool encrypted);
  DWORD GetSize(bool local) const;

  std::string GetFileName() const;
  // Takes a UTF-8 name; names beyond ASCII are marked as UTF-8.
  void SetFileName(const std::string& name);
  std::string GetComment() const;
  bool SetComment(const std::string& comment);
  std::time_t GetTime() const;
  void SetTime(std::time_t t);
  DWORD GetSystemAttr() const;
  void SetSystemAttr(DWORD attributes);
  bool IsDirectory() const;
  bool IsEncrypted() const { return (m_uFlag & kEncrypted) != 0; }
  bool IsDataDescriptor() const { return (m_uFlag & kDataDescriptor) != 0; }
  int GetSystemCompatibility() const { return m_uVersionMadeBy >> 8; }
  void SetSystemCompatibility(int system);
  // The name as the archive stores it (zip form, '/' separated).
  std::string GetRawName() const;

  DWORD m_uSignature = kCentralSignature;
  WORD m_uVersionMadeBy = 0;
  WORD m_uVersionNeeded = 0;
  WORD m_uFlag = 0;
  WORD m_uMethod = 8;
  WORD m_uModTime = 0;
  WORD m_uModDate = 0;
  DWORD m_uCrc32 = 0;
  DWORD m_uComprSize = 0;
  DWORD m_uUncomprSize = 0;
  WORD m_uDiskStart = 0;
  WORD m_uInternalAttr = 0;
  DWORD m_uExternalAttr = 0;
  DWORD m_uOffset = 0;
  CZipByteBuffer m_pExtraField;
  CZipByteBuffer m_pszFileName;
  CZipByteBuffer m_pszComment;
};

// A zip archive: opened on a path or on a caller's file object, searched by
// entry name, read and extracted entry by entry, and written (adding,
// deleting, renaming and copying entries, comments). Archive errors throw
// CZipException by value, file errors sys::CFileException; operations the
// archive's state does not allow return FALSE, -1 or an empty string.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "zip/ZipByteBuffer.h"
#include "zip/ZipCryptograph.h"
#include "zip/ZipDirectory.h"
#include "zip/ZipException.h"
#include "zip/ZipFile.h"
#include "zip/ZipNameCompare.h"
#include "zip/ZipProgressCallback.h"
#include "zip/ZipVolumeStorage.h"

class CZipExtractTarget;
class CZipExtractPath;

// What AddNewFile adds and how.
struct CZipAddNewFileInfo {
  enum Smart {
    zipsmNotCompSmall = 4,
    zipsmCheckForEff = 8,
    zipsmMemoryFlag = 16,
    zipsmSafeSmart = 7,
    zipsmInternal01 = 0xF000,
  };

  std::string m_szFilePath;
  std::string m_szFileNameInZip;
  bool m_bFullPath = false;
  int m_iComprLevel = -1;
  int m_iSmartLevel = zipsmSafeSmart;
  int m_iReplaceIndex = -1;
  DWORD m_nBufSize = 65536;
  CZipFileBase* m_pFile = nullptr;
};

class CZipArchive {
 public:
  class CWildcard;
  enum OpenMode { zipOpen = 0, zipOpenReadOnly = 1, zipCreate = 2, zipCreateSpan = 3 };
  enum CaseMode { ffDefault = 0, ffCaseSens = 1, ffNoCaseSens = 2 };
  enum CloseMode { afNoException = 0, afAfterException = 1, afWriteDir = 2 };
  static constexpr int kMaxEntries = 0xFFFF;

  CZipArchive();
  virtual ~CZipArchive();
  CZipArchive(const CZipArchive&) = delete;
  CZipArchive& operator=(const CZipArchive&) = delete;

  // Opening, finding, closing.
  void Open(const std::string& path, int mode = zipOpen, int volumeSize = 0);
  void Open(CZipFileBase& file, int mode = zipOpen);
  void Close(int afterException = afNoException, bool updateTimeStamp = false);
  bool IsClosed(bool archive = true) const;
  int GetCount() const { return IsClosed() ? 0 : m_centralDir.GetCount(); }
  int FindFile(const std::string& name, int caseMode = ffDefault, bool fileNameOnly = false);
  bool GetFileInfo(CZipEntryHeader& out, WORD index) const;
  void FindMatches(const std::string& pattern, std::vector<WORD>& indexes, bool fullPath = true);
  void FindFiles(const std::vector<std::string>& names, std::vector<WORD>& indexes);
  void EnableNameIndex(bool enable);
  std::string GetArchivePath() const;
  std::string GetGlobalComment() const;
  int GetCentralDirInfo(CZipEndRecord& out) const;

  // Settings.
  void SetBufferSizes(int writeBuffer = 65536, int generalBuffer = 65536, int searchBuffer = 32768);
  void SetCallback(CZipProgressCallback* callback, int kinds);
  bool SetPassword(const char* password);
  std::string GetPassword() const;
  void SetRootPath(const char* path);
  bool SetHostSystem(int code);
  bool GetCaseSensitivity() const { return m_bCaseSensitive; }

  // Reading one entry.
  bool OpenFile(WORD index);
  DWORD ReadFile(void* buffer, DWORD size);
  int CloseFile(const char* path = nullptr, bool afterException = false);
  int CloseFile(CZipFile& file);
  bool TestFile(WORD index, DWORD bufferSize = 65536);

  // Extraction.
  bool ExtractFile(WORD index, const std::string& path, bool fullPath = true, const char* newName = nullptr,
                   DWORD bufferSize = 65536);
  bool ExtractFile(WORD index, CZipFileBase& file, DWORD bufferSize = 65536);
  // Exactly where ExtractFile writes the entry; empty for a name that
  // extraction refuses.
  std::string BuildExtractPath(const std::string& entryName, const std::string& path, bool fullPath,
                               const char* newName) const;

  // Writing.
  bool OpenNewFile(CZipEntryHeader& header, int level = -1, const char* sourcePath = nullptr, DWORD sizeHint = 0);
  bool WriteNewFile(const void* data, DWORD size);
  bool CloseNewFile(bool afterException = false);
  void SetExtraField(const char* data, WORD size);
  bool AddNewFile(CZipAddNewFileInfo& info);
  bool AddNewFile(const std::string& path, int level = -1, bool fullPath = true,
                  int smart = CZipAddNewFileInfo::zipsmSafeSmart, DWORD bufferSize = 65536);
  bool AddNewFile(const std::string& path, const std::string& nameInArchive, int level = -1,
                  int smart = CZipAddNewFileInfo::zipsmSafeSmart, DWORD bufferSize = 65536);
  bool AddNewFile(CZipFileBase& source, const std::string& nameInArchive, int level = -1,
                  int smart = CZipAddNewFileInfo::zipsmSafeSmart, DWORD bufferSize = 65536);
  bool DeleteFile(WORD index);
  bool DeleteFiles(const std::vector<WORD>& indexes);
  bool DeleteFiles(const std::vector<std::string>& names);
  bool GetFromArchive(CZipArchive& source, WORD index, int replaceIndex = -1, bool keepSystem = false,
                      CZipProgressCallback* callback = nullptr);
  bool GetFromArchive(CZipArchive& source, const std::vector<WORD>& indexes, bool keepSystem = false);
  bool RenameFile(WORD index, const std::string& newName);
  bool SetGlobalComment(const std::string& comment);
  bool SetFileComment(WORD index, const std::string& comment);
  int Flush();
  int SetAutoFlush(bool autoFlush = true);
  bool RemoveLastEntry(bool force = false);
  int WillBeDuplicated(const std::string& path, bool fullPath, bool fileNameOnly = false);

  // The comparison of root path and stored names; callers may replace it.
  ZIPNAMECOMPARE m_pZipCompare;
  // Extraction with full paths drops a drive or UNC prefix of the name.
  bool m_bRemoveDriveLetter = true;

 private:
  enum EntryState : unsigned char { kNoEntry = 0, kWriting = 1, kReading = 255 };

  void ResetState();
  void ReadDirectory();
  CZipProgressCallback* GetCallback(int kind) const;
  std::string ArchiveName() const { return m_storage.GetArchiveName(); }
  [[noreturn]] void ThrowDamaged(const std::string& detail) const;
  [[noreturn]] void ThrowZlib(int result) const;

  // Reading internals.
  void CheckReadable(const CZipEntryHeader& h) const;
  void OpenLocal(CZipEntryHeader& h);
  void CheckPassword(const CZipEntryHeader& h);
  void FillInput();
  DWORD ReadStored(BYTE* out, DWORD room);
  DWORD ReadDeflated(BYTE* out, DWORD room);
  void DrainStream();
  void CheckDataDescriptor(const CZipEntryHeader& h);
  void AbandonEntry() noexcept;
  int RunEntryLoop(DWORD bufferSize, CZipProgressCallback* callback, const std::function<void(const BYTE*, DWORD)>& sink,
                   int& abortCause);
  std::string RelativeExtractPart(const std::string& name, bool fullPath) const;
  CZipExtractPath DecideExtractPath(const std::string& entryName, const std::string& path, bool fullPath,
                                    const char* newName) const;

  // Writing internals.
  bool CanWrite() const;
  void WriteBuffered(const BYTE* data, DWORD size);
  void FlushWorkBuffer();
  void FinishLocalHeader(CZipEntryHeader& h);
  void CheckRoomFor(std::uint64_t bytes) const;
  std::string DeriveName(const CZipAddNewFileInfo& info) const;
  bool AddFromSource(CZipAddNewFileInfo& info, CZipEntryHeader& header, CZipFileBase& source, DWORD size);
  WORD ReadLocalExtraLength(const CZipEntryHeader& h);
  void MoveData(std::int64_t from, std::int64_t to, std::int64_t distance, CZipProgressCallback* callback = nullptr);
  std::int64_t MakeSpaceForReplace(WORD index, DWORD needed);
  bool AddReplacing(CZipAddNewFileInfo& info, const std::string& name, int replace);
  void AutoFlush();
  void WriteCentralDirectory();
  bool FitsAsOrdinary() const;
  void ConvertToOrdinary();

  CZipVolumeStorage m_storage;
  CZipDirectory m_centralDir;
  std::map<int, CZipProgressCallback*> m_callbacks;
  bool m_bCaseSensitive = false;
  EntryState m_iFileOpened = kNoEntry;
  bool m_bAutoFlush = false;
  std::string m_szRootPath;
  int m_iArchiveSystCompatib = 0;
  CZipByteBuffer m_pszPassword;
  int m_writeBufferSize = 65536;

  // The entry being read or written.
  z_stream m_stream{};
  bool m_streamOpen = false;
  bool m_streamEnded = false;
  CZipByteBuffer m_pBuffer;
  DWORD m_iBufferSize = 65536;
  DWORD m_uComprLeft = 0;
  DWORD m_uUncomprLeft = 0;
  DWORD m_uCrc32 = 0;
  DWORD m_uInputTotal = 0;
  DWORD m_uBufferedOut = 0;
  std::int64_t m_entryDataEnd = 0;
  WORD m_openIndex = 0;
  CZipCryptograph m_cryptograph;
  bool m_entryEncrypted = false;
  CZipEntryHeader* m_pNewHeader = nullptr;
  CZipByteBuffer m_localExtra;
};

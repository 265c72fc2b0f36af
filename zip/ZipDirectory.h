// The central directory of an open archive: its entries sorted by where
// they lie, the end record, the global comment and the name index.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "zip/ZipByteBuffer.h"
#include "zip/ZipEntryHeader.h"
#include "zip/ZipNameCompare.h"

class CZipProgressCallback;
class CZipVolumeStorage;

struct CZipEndRecord {
  WORD m_uThisDisk = 0;
  WORD m_uDiskWithCD = 0;
  WORD m_uDiskEntriesNo = 0;
  WORD m_uEntriesNumber = 0;
  DWORD m_uSize = 0;
  DWORD m_uOffset = 0;
  std::int64_t m_iEndRecordPosition = 0;
  std::int64_t m_iBytesBeforeZip = 0;
};

class CZipDirectory {
 public:
  static constexpr DWORD kEndSignature = 0x06054B50;
  static constexpr DWORD kEndSize = 22;

  CZipDirectory() = default;
  virtual ~CZipDirectory() = default;

  void Init(CZipVolumeStorage* storage) { m_pStorage = storage; }
  void Clear();
  // Finds the end record and reads every central header, refusing what
  // would make reading unsafe (ZIP64, other volumes, overlapping entries).
  void Read();
  // Writes the central headers and the end record at the end of the file,
  // unless the directory there is current.
  // A callback is told of every 256 headers; FALSE stops the write and
  // leaves the file as it was before it.
  void Write(CZipProgressCallback* callback = nullptr);

  WORD GetCount() const { return static_cast<WORD>(m_entries.size()); }
  bool IsValidIndex(int index) const { return index >= 0 && index < static_cast<int>(m_entries.size()); }
  CZipEntryHeader& operator[](WORD index) { return *m_entries[index]; }
  const CZipEntryHeader& operator[](WORD index) const { return *m_entries[index]; }
  void Append(std::unique_ptr<CZipEntryHeader> header);
  void Remove(WORD index);
  void RemoveAll();
  // Where an entry's data span ends: the next entry's local header, or the
  // start of the central directory (both relative to the archive).
  std::int64_t GetSpanEnd(WORD index) const;

  int FindFile(const std::string& name, bool caseSensitive, bool fileNameOnly);
  void EnableIndex(bool enable, bool caseSensitive);
  void InvalidateIndex() { m_indexBuilt = false; }

  const CZipEndRecord& GetEndRecord() const { return m_end; }
  std::int64_t GetBytesBeforeZip() const { return m_end.m_iBytesBeforeZip; }
  void SetBytesBeforeZip(std::int64_t n) { m_end.m_iBytesBeforeZip = n; }
  // The directory in the file is stale once anything changes.
  void Changed() { m_inArchive = false; }
  // Cuts the directory off the file so new data can take its place.
  void DiscardFromFile();
  bool IsInArchive() const { return m_inArchive; }
  // Position of the central directory relative to the archive.

  CZipByteBuffer m_pszComment;
  int m_iBufferSize = 32768;

 private:
  std::int64_t FindEndRecord();
  void ReadEndRecord(std::int64_t position);
  void ReadHeaders();
  void SortAndCheck();
  void BuildIndex(bool caseSensitive);
  std::string NameAt(WORD index) const { return m_entries[index]->GetFileName(); }
  int SearchIndex(const std::string& name) const;

  CZipVolumeStorage* m_pStorage = nullptr;
  std::vector<std::unique_ptr<CZipEntryHeader>> m_entries;
  CZipEndRecord m_end;
  bool m_inArchive = false;
  // Entry indexes in name order (host form, m_indexCompare order).
  std::vector<WORD> m_index;
  bool m_indexEnabled = false;
  bool m_indexBuilt = false;
  bool m_indexCaseSensitive = false;
  ZIPNAMECOMPARE m_indexCompare = GetNameCompareFunction(false, true);
};

// The archive's file layer: opens the archive file (or a caller's file
// object), buffers writes and reads exactly what is asked or fails with
// "damaged". Only single-volume archives are read and written; a spanned
// archive is refused before any sibling volume is looked for.
#pragma once

#include <cstdint>
#include <string>

#include "zip/ZipByteBuffer.h"
#include "zip/ZipFile.h"

class CZipDiskCallback;

class CZipVolumeStorage {
 public:
  enum SpanMode { kNoSpan = 0, kRemovable = 1, kFixedSize = 2, kUnknown = 3, kUnknownWithSize = 4 };

  CZipVolumeStorage() = default;
  virtual ~CZipVolumeStorage() = default;
  CZipVolumeStorage(const CZipVolumeStorage&) = delete;
  CZipVolumeStorage& operator=(const CZipVolumeStorage&) = delete;

  void Open(const std::string& path, int mode, int volumeSize);
  void Open(CZipFileBase& file, int mode);
  // Reads exactly size bytes or throws 101 naming the archive.
  DWORD Read(void* buffer, DWORD size, bool atOnce);
  // Reads up to size bytes; fewer only at the end of the file.
  DWORD ReadSome(void* buffer, DWORD size);
  void Write(const void* data, DWORD size, bool atOnce);
  void Flush();
  // Flushes the operating system's buffers too (archive Flush and Close).
  void FlushFile();
  // Called with the end record's number of this disk.
  void UpdateSpanMode(WORD diskNumber);
  void ChangeDisk(int disk);

  // Logical position: the file position plus what waits in the buffer.
  std::int64_t GetPosition() const;
  void Seek(std::int64_t position);
  std::int64_t GetLength();
  void SetLength(std::int64_t length);

  std::string Close(bool afterException);

  bool IsClosed() const { return m_currentDisk < 0; }
  bool IsReadOnly() const { return m_readOnly; }
  bool IsSpanned() const { return m_spanMode == kRemovable || m_spanMode == kFixedSize; }
  bool IsNewSpanned() const { return m_newSpanned; }
  bool IsCallerFile() const { return m_callerFile; }
  int GetCurrentDisk() const { return m_currentDisk; }
  std::string GetFilePath() const { return m_file ? m_file->GetFilePath() : std::string(); }
  CZipFileBase* GetFile() const { return m_file; }
  void SetWriteBufferSize(int size) { m_writeBufferSize = size; }
  const std::string& GetArchiveName() const { return m_archiveName; }

  CZipDiskCallback* m_pChangeDiskFunc = nullptr;

 private:
  void Reset();

  int m_writeBufferSize = 65536;
  CZipFile m_internalFile;
  CZipFileBase* m_file = nullptr;
  int m_spanMode = kNoSpan;
  CZipByteBuffer m_writeBuffer;
  DWORD m_bytesInBuffer = 0;
  bool m_newSpanned = false;
  int m_currentDisk = -1;
  bool m_callerFile = false;
  bool m_readOnly = false;
  std::string m_archiveName;  // what errors name, also for a caller's file
};

// The archive's file layer: opens the archive file (or a caller's file
// object), buffers writes, and reads exactly what is asked or fails with
// "damaged". Archives may span fixed-size volumes (data.000, data.001, ...
// and the last under the archive's own name); those are read only when
// the caller says so by giving a volume size, so an ordinary open never
// looks for sibling files. Removable-disk spanning needs removable drives
// with volume labels, which this platform does not offer.
#pragma once

#include <cstdint>
#include <string>

#include "zip/ZipByteBuffer.h"
#include "zip/ZipFile.h"

class CZipDiskCallback;

class CZipVolumeStorage {
 public:
  enum SpanMode { kNoSpan = 0, kRemovable = 1, kFixedSize = 2, kUnknown = 3, kUnknownWithSize = 4 };
  static constexpr DWORD kSpanSignature = 0x08074B50;
  static constexpr int kMaxDisk = 998;

  CZipVolumeStorage() = default;
  virtual ~CZipVolumeStorage() = default;
  CZipVolumeStorage(const CZipVolumeStorage&) = delete;
  CZipVolumeStorage& operator=(const CZipVolumeStorage&) = delete;

  void Open(const std::string& path, int mode, int volumeSize);
  void Open(CZipFileBase& file, int mode);
  // Reads exactly size bytes (across volumes) or throws 101 naming the file.
  DWORD Read(void* buffer, DWORD size, bool atOnce);
  // Reads up to size bytes of the current volume; fewer only at its end.
  DWORD ReadSome(void* buffer, DWORD size);
  // A block written atOnce never splits across volumes.
  void Write(const void* data, DWORD size, bool atOnce);
  // Starts the next volume now unless size more bytes fit on this one.
  void EnsureRoom(DWORD size);
  void Flush();
  // Flushes the operating system's buffers too (archive Flush and Close).
  void FlushFile();
  // Called with the end record's number of this disk.
  void UpdateSpanMode(WORD diskNumber);
  void ChangeDisk(int disk);
  // A spanned archive just written becomes one that can be read.
  void FinalizeSpan();
  // A spanned archive that stayed on its first volume is rewritten as an
  // ordinary one; the volume still takes the archive's name on Close.
  void BecomeOrdinary();
  DWORD GetFreeInVolume() const { return FreeInVolume(); }
  std::string GetVolumeName(bool last, int disk) const;

  // Logical position on the current volume: file position plus buffer.
  std::int64_t GetPosition() const;
  void Seek(std::int64_t position);
  std::int64_t GetLength();
  void SetLength(std::int64_t length);

  std::string Close(bool afterException);

  bool IsClosed() const { return m_currentDisk < 0; }
  bool IsReadOnly() const { return m_readOnly; }
  bool IsSpanned() const { return m_spanMode == kRemovable || m_spanMode == kFixedSize; }
  bool IsNewSpanned() const { return m_newSpanned; }
  bool IsExistingSpanned() const { return IsSpanned() && !m_newSpanned; }
  bool IsCallerFile() const { return m_callerFile; }
  int GetCurrentDisk() const { return m_currentDisk; }
  int GetLastDisk() const { return m_lastDisk; }
  CZipFileBase* GetFile() const { return m_file; }
  void SetWriteBufferSize(int size) { m_writeBufferSize = size; }
  // The path errors name: the archive, or the volume being read.
  std::string GetArchiveName() const;

  CZipDiskCallback* m_pChangeDiskFunc = nullptr;

 private:
  void Reset();
  void BufferedWrite(const BYTE* data, DWORD size);
  DWORD FreeInVolume() const;
  void NextVolume(DWORD bytesNeeded);
  void OpenVolume(const std::string& path, UINT flags);
  void MoveLastVolume();

  int m_writeBufferSize = 65536;
  CZipFile m_internalFile;
  CZipFileBase* m_file = nullptr;
  int m_spanMode = kNoSpan;
  DWORD m_volumeSize = 0;
  int m_lastDisk = 0;
  std::string m_archivePath;
  std::string m_archiveExtension;
  CZipByteBuffer m_writeBuffer;
  DWORD m_bytesInBuffer = 0;
  DWORD m_capacity = 0;
  DWORD m_bytesWritten = 0;
  bool m_newSpanned = false;
  bool m_renameOnClose = false;
  int m_currentDisk = -1;
  bool m_callerFile = false;
  bool m_readOnly = false;
};

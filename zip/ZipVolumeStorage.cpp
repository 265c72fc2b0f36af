#include "zip/ZipVolumeStorage.h"

#include <algorithm>
#include <cstring>

#include "platform/sys/Format.h"
#include "zip/ZipException.h"
#include "zip/ZipFileSystem.h"
#include "zip/ZipLittleEndian.h"

namespace {

constexpr UINT kReadFlags = sys::CFile::modeNoTruncate | sys::CFile::modeRead | sys::CFile::shareDenyWrite;
constexpr UINT kCreateFlags = sys::CFile::modeCreate | sys::CFile::modeReadWrite | sys::CFile::shareDenyWrite;

// The path without its extension, and the extension without its dot.
void SplitExtension(const std::string& path, std::string& base, std::string& extension) {
  const std::size_t slash = path.find_last_of('/');
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
    base = path;
    extension.clear();
  } else {
    base = path.substr(0, dot);
    extension = path.substr(dot + 1);
  }
}

}  // namespace

void CZipVolumeStorage::Reset() {
  m_bytesInBuffer = 0;
  m_bytesWritten = 0;
  m_newSpanned = false;
  m_renameOnClose = false;
  m_spanMode = kNoSpan;
  m_readOnly = false;
  m_lastDisk = 0;
  m_volumeSize = 0;
}

std::string CZipVolumeStorage::GetArchiveName() const {
  if (m_file != nullptr && !m_file->GetFilePath().empty()) return m_file->GetFilePath();
  return m_archivePath;
}

void CZipVolumeStorage::Open(const std::string& path, int mode, int volumeSize) {
  Reset();
  m_callerFile = false;
  m_file = &m_internalFile;
  m_archivePath = path;
  std::string base;
  SplitExtension(path, base, m_archiveExtension);
  if (mode == 3) {
    if (volumeSize <= 0) {
      if (m_pChangeDiskFunc == nullptr) CZipException::Throw(CZipException::noCallback, path);
      if (!ZipFileSystem::IsDriveRemovable(path)) CZipException::Throw(CZipException::nonRemovable, path);
    }
    m_newSpanned = true;
    m_spanMode = kFixedSize;
    m_volumeSize = static_cast<DWORD>(volumeSize);
    m_writeBuffer.Allocate(static_cast<DWORD>(m_writeBufferSize));
    m_currentDisk = 0;
    NextVolume(4);
    BYTE signature[4];
    ZipLittleEndian::Put32(signature, kSpanSignature);
    Write(signature, 4, true);
    return;
  }
  if (mode == 2) {
    m_internalFile.Open(path, kCreateFlags, true);
  } else {
    m_readOnly = mode == 1;
    const UINT access = m_readOnly ? sys::CFile::modeRead : sys::CFile::modeReadWrite;
    m_internalFile.Open(path, sys::CFile::modeNoTruncate | access | sys::CFile::shareDenyWrite, true);
    m_spanMode = volumeSize != 0 ? kUnknownWithSize : kUnknown;
  }
  m_writeBuffer.Allocate(static_cast<DWORD>(m_writeBufferSize));
  m_currentDisk = 0;
}

void CZipVolumeStorage::Open(CZipFileBase& file, int mode) {
  Reset();
  m_callerFile = true;
  m_file = &file;
  m_archivePath = file.GetFilePath();
  m_writeBuffer.Allocate(static_cast<DWORD>(m_writeBufferSize));
  if (mode == 2) {
    file.SetLength(0);
    file.SeekToBegin();
  } else {
    file.SeekToBegin();
    m_spanMode = kUnknown;
  }
  m_currentDisk = 0;
}

// A spanned archive is read only when the caller gave a volume size: an
// ordinary open of one volume of a split archive (of any tool) is refused
// instead of going to look for sibling files.
void CZipVolumeStorage::UpdateSpanMode(WORD diskNumber) {
  m_currentDisk = diskNumber;
  if (diskNumber == 0) {
    m_spanMode = kNoSpan;
    return;
  }
  if (m_spanMode != kUnknownWithSize || m_callerFile)
    CZipException::Throw(CZipException::badZipFile, GetArchiveName(),
                         "the archive is the last volume of a multi-volume archive; open it with a volume size");
  m_spanMode = kFixedSize;
  m_lastDisk = diskNumber;
  m_readOnly = true;
  m_writeBuffer.Release();
}

std::string CZipVolumeStorage::GetVolumeName(bool last, int disk) const {
  std::string base, extension;
  SplitExtension(m_archivePath, base, extension);
  if (last) return m_archiveExtension.empty() ? base : base + "." + m_archiveExtension;
  return base + sys::Format(".%.3d", disk);
}

void CZipVolumeStorage::OpenVolume(const std::string& path, UINT flags) {
  m_internalFile.Close();
  m_internalFile.Open(path, flags, true);
}

void CZipVolumeStorage::ChangeDisk(int disk) {
  if (disk == m_currentDisk) return;
  if (!IsExistingSpanned() || disk < 0 || disk > m_lastDisk)
    CZipException::Throw(CZipException::badZipFile, GetArchiveName(), "an entry lies on a volume that does not exist");
  OpenVolume(GetVolumeName(disk == m_lastDisk, disk), kReadFlags);
  m_currentDisk = disk;
}

DWORD CZipVolumeStorage::ReadSome(void* buffer, DWORD size) {
  if (size == 0) return 0;
  Flush();
  return m_file->Read(buffer, size);
}

DWORD CZipVolumeStorage::Read(void* buffer, DWORD size, bool atOnce) {
  auto* out = static_cast<BYTE*>(buffer);
  DWORD done = ReadSome(out, size);
  while (done < size && IsExistingSpanned() && m_currentDisk < m_lastDisk && (done == 0 || !atOnce)) {
    ChangeDisk(m_currentDisk + 1);
    m_file->SeekToBegin();
    done += ReadSome(out + done, size - done);
  }
  if (done != size) CZipException::Throw(CZipException::badZipFile, GetArchiveName(), "unexpected end of the archive");
  return done;
}

DWORD CZipVolumeStorage::FreeInVolume() const {
  const std::uint64_t used = static_cast<std::uint64_t>(m_bytesInBuffer) + m_bytesWritten;
  return used >= m_capacity ? 0 : static_cast<DWORD>(m_capacity - used);
}

void CZipVolumeStorage::EnsureRoom(DWORD size) {
  if (!m_newSpanned) return;
  if (FreeInVolume() >= size) return;
  // A block larger than a whole volume goes onto an empty volume that grows.
  if (m_bytesWritten + m_bytesInBuffer == 0) m_capacity = size;
  else NextVolume(size);
  if (FreeInVolume() < size) m_capacity = m_bytesWritten + m_bytesInBuffer + size;
}

void CZipVolumeStorage::Write(const void* data, DWORD size, bool atOnce) {
  const auto* in = static_cast<const BYTE*>(data);
  if (!m_newSpanned) {
    BufferedWrite(in, size);
    return;
  }
  while (size > 0) {
    EnsureRoom(atOnce ? size : 1);
    const DWORD n = atOnce ? size : std::min(size, FreeInVolume());
    BufferedWrite(in, n);
    in += n;
    size -= n;
  }
}

void CZipVolumeStorage::BufferedWrite(const BYTE* in, DWORD size) {
  const DWORD capacity = m_writeBuffer.GetSize();
  while (size > 0) {
    if (m_bytesInBuffer == capacity) Flush();
    // A block at least as large as the buffer goes straight to the file.
    if (m_bytesInBuffer == 0 && size >= capacity) {
      m_file->Write(in, size);
      m_bytesWritten += size;
      return;
    }
    const DWORD n = std::min(size, capacity - m_bytesInBuffer);
    std::memcpy(m_writeBuffer.GetBuffer() + m_bytesInBuffer, in, n);
    m_bytesInBuffer += n;
    in += n;
    size -= n;
  }
}

void CZipVolumeStorage::NextVolume(DWORD /*bytesNeeded*/) {
  Flush();
  if (m_bytesWritten > 0) {
    m_bytesWritten = 0;
    if (++m_currentDisk > kMaxDisk) CZipException::Throw(CZipException::tooManyVolumes, m_archivePath);
  }
  m_internalFile.Close();
  m_internalFile.Open(GetVolumeName(false, m_currentDisk), kCreateFlags, true);
  m_capacity = m_volumeSize;
}

void CZipVolumeStorage::Flush() {
  if (m_bytesInBuffer == 0) return;
  const DWORD n = m_bytesInBuffer;
  m_bytesInBuffer = 0;
  m_file->Write(m_writeBuffer.GetBuffer(), n);
  m_bytesWritten += n;
}

void CZipVolumeStorage::FlushFile() {
  Flush();
  if (!m_callerFile && !m_readOnly) m_file->Flush();
}

std::int64_t CZipVolumeStorage::GetPosition() const { return m_file->GetPosition() + m_bytesInBuffer; }

void CZipVolumeStorage::Seek(std::int64_t position) {
  Flush();
  m_file->Seek(position, CZipFileBase::begin);
}

std::int64_t CZipVolumeStorage::GetLength() {
  Flush();
  return m_file->GetLength();
}

void CZipVolumeStorage::SetLength(std::int64_t length) {
  Flush();
  m_file->SetLength(length);
}

// The last volume takes the archive's own name, replacing a file there.
void CZipVolumeStorage::MoveLastVolume() {
  const std::string from = GetVolumeName(false, m_currentDisk);
  const std::string to = GetVolumeName(true, m_currentDisk);
  m_internalFile.Flush();
  m_internalFile.Close();
  if (ZipFileSystem::FileExists(to) != 0) ZipFileSystem::RemoveFile(to, true);
  ZipFileSystem::RenameFile(from, to, true);
}

void CZipVolumeStorage::BecomeOrdinary() {
  Flush();
  m_newSpanned = false;
  m_renameOnClose = true;
  m_spanMode = kNoSpan;
}

void CZipVolumeStorage::FinalizeSpan() {
  Flush();
  MoveLastVolume();
  m_newSpanned = false;
  m_lastDisk = m_currentDisk;
  m_readOnly = true;
  if (m_currentDisk == 0) m_spanMode = kNoSpan;
  m_writeBuffer.Release();
  m_internalFile.Open(GetVolumeName(true, m_currentDisk), kReadFlags, true);
}

std::string CZipVolumeStorage::Close(bool afterException) {
  std::string path = GetArchiveName();
  if (m_file != nullptr && !afterException) Flush();
  if ((m_newSpanned || m_renameOnClose) && !afterException) {
    MoveLastVolume();
    path = GetVolumeName(true, m_currentDisk);
  }
  if (!m_callerFile && !m_internalFile.IsClosed()) {
    if (afterException) {
      m_internalFile.Abort();
    } else {
      if (!m_readOnly) m_internalFile.Flush();
      m_internalFile.Close();
    }
  }
  if (IsExistingSpanned()) path = GetVolumeName(true, m_lastDisk);
  m_writeBuffer.Release();
  m_bytesInBuffer = 0;
  m_currentDisk = -1;
  m_spanMode = kNoSpan;
  m_newSpanned = false;
  m_renameOnClose = false;
  m_file = nullptr;
  m_callerFile = false;
  return path;
}

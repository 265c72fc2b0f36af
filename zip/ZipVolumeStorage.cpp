#include "zip/ZipVolumeStorage.h"

#include <algorithm>
#include <cstring>

#include "zip/ZipException.h"

namespace {

[[noreturn]] void RefuseSpanned(const std::string& path) {
  CZipException::Throw(CZipException::badZipFile, path,
                       "the archive is one volume of a multi-volume archive, which is not supported");
}

}  // namespace

void CZipVolumeStorage::Reset() {
  m_bytesInBuffer = 0;
  m_newSpanned = false;
  m_spanMode = kNoSpan;
  m_readOnly = false;
}

void CZipVolumeStorage::Open(const std::string& path, int mode, int volumeSize) {
  Reset();
  m_callerFile = false;
  m_file = &m_internalFile;
  m_archiveName = path;
  if (mode == 3) {
    // Volumes sized for removable disks or cut into numbered files are not
    // made here: the program never writes them, and half a spanned writer
    // would leave archives nothing can read back.
    if (volumeSize <= 0 && m_pChangeDiskFunc == nullptr) CZipException::Throw(CZipException::noCallback, path);
    if (volumeSize <= 0) CZipException::Throw(CZipException::nonRemovable, path);
    CZipException::Throw(CZipException::genericError, path, "writing multi-volume archives is not supported");
  }
  if (mode == 2) {
    m_internalFile.Open(path, sys::CFile::modeCreate | sys::CFile::modeReadWrite | sys::CFile::shareDenyWrite, true);
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
  m_archiveName = file.GetFilePath();
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

void CZipVolumeStorage::UpdateSpanMode(WORD diskNumber) {
  if (diskNumber != 0) RefuseSpanned(m_archiveName);
  m_spanMode = kNoSpan;
}

void CZipVolumeStorage::ChangeDisk(int disk) {
  if (disk != m_currentDisk) RefuseSpanned(m_archiveName);
}

DWORD CZipVolumeStorage::ReadSome(void* buffer, DWORD size) {
  if (size == 0) return 0;
  Flush();
  return m_file->Read(buffer, size);
}

DWORD CZipVolumeStorage::Read(void* buffer, DWORD size, bool /*atOnce*/) {
  const DWORD n = ReadSome(buffer, size);
  if (n != size) CZipException::Throw(CZipException::badZipFile, m_archiveName, "unexpected end of the archive");
  return n;
}

void CZipVolumeStorage::Write(const void* data, DWORD size, bool /*atOnce*/) {
  const auto* in = static_cast<const BYTE*>(data);
  const DWORD capacity = m_writeBuffer.GetSize();
  while (size > 0) {
    if (m_bytesInBuffer == capacity) Flush();
    // A block at least as large as the buffer goes straight to the file.
    if (m_bytesInBuffer == 0 && size >= capacity) {
      m_file->Write(in, size);
      return;
    }
    const DWORD n = std::min(size, capacity - m_bytesInBuffer);
    std::memcpy(m_writeBuffer.GetBuffer() + m_bytesInBuffer, in, n);
    m_bytesInBuffer += n;
    in += n;
    size -= n;
  }
}

void CZipVolumeStorage::Flush() {
  if (m_bytesInBuffer == 0) return;
  const DWORD n = m_bytesInBuffer;
  m_bytesInBuffer = 0;
  m_file->Write(m_writeBuffer.GetBuffer(), n);
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

std::string CZipVolumeStorage::Close(bool afterException) {
  std::string path = m_archiveName;
  if (m_file != nullptr && !afterException) Flush();
  if (!m_callerFile && !m_internalFile.IsClosed()) {
    if (afterException) {
      m_internalFile.Abort();
    } else {
      if (!m_readOnly) m_internalFile.Flush();
      m_internalFile.Close();
    }
  }
  m_writeBuffer.Release();
  m_bytesInBuffer = 0;
  m_currentDisk = -1;
  m_spanMode = kNoSpan;
  m_file = nullptr;
  m_callerFile = false;
  return path;
}

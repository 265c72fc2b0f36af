// Adding entries: streamed through OpenNewFile/WriteNewFile/CloseNewFile or
// whole files through AddNewFile. Nothing is written that would carry the
// archive past the 4 GiB the format's 32-bit fields can address.
#include <cstring>
#include <ctime>

#include "platform/sys/Format.h"
#include "zip/ZipArchive.h"
#include "zip/ZipAttributes.h"
#include "zip/ZipException.h"
#include "zip/ZipFileSystem.h"
#include "zip/ZipLittleEndian.h"
#include "zip/ZipMemoryFile.h"
#include "zip/ZipPathSplitter.h"

namespace {
constexpr std::uint64_t kFormatLimit = 0xFFFFFFFFull;
constexpr DWORD kDescriptorSize = 16;
}  // namespace

bool CZipArchive::CanWrite() const {
  return !IsClosed() && m_iFileOpened == kNoEntry && !m_storage.IsReadOnly() && !m_storage.IsExistingSpanned();
}

void CZipArchive::CheckRoomFor(std::uint64_t bytes) const {
  const std::int64_t used = m_storage.GetPosition() - m_centralDir.GetBytesBeforeZip();
  if (static_cast<std::uint64_t>(used) + bytes > kFormatLimit)
    CZipException::Throw(27, ArchiveName(), "the archive would exceed 4 GiB, which needs ZIP64");
}

bool CZipArchive::OpenNewFile(CZipEntryHeader& header, int level, const char* sourcePath, DWORD sizeHint) {
  if (!CanWrite() || m_centralDir.GetCount() >= kMaxEntries) return false;
  header.SetSystemCompatibility(m_iArchiveSystCompatib);
  if (sourcePath != nullptr) {
    DWORD attributes = 0;
    if (!ZipFileSystem::GetFileAttributes(sourcePath, attributes)) return false;
    std::time_t t = 0;
    header.SetTime(ZipFileSystem::GetFileModTime(sourcePath, t) ? t : std::time(nullptr));
    header.SetSystemAttr(attributes);
  }
  std::string name = header.GetFileName();
  if (name.empty()) name = sys::Format("file%i", m_centralDir.GetCount());
  header.SetFileName(name);
  if (header.IsDirectory() && name.back() != '/' && name.back() != '\\') header.SetFileName(name + "/");
  if ((level & 0xFFFF) == 0x100 || level < -1 || level > 9) level = -1;
  const bool encrypted = !m_pszPassword.IsEmpty();
  if (header.IsDirectory()) level = 0;
  if (!header.PrepareData(level, m_storage.IsNewSpanned(), encrypted))
    CZipException::Throw(CZipException::tooLongFileName, ArchiveName());
  m_centralDir.DiscardFromFile();
  m_storage.Seek(m_storage.GetLength());
  CheckRoomFor(static_cast<std::uint64_t>(header.GetSize(true)) + sizeHint + CZipCryptograph::kHeaderSize +
               kDescriptorSize);
  auto entry = std::make_unique<CZipEntryHeader>(header);
  entry->WriteLocal(m_storage);
  entry->m_uOffset = static_cast<DWORD>(entry->m_uOffset - m_centralDir.GetBytesBeforeZip());
  entry->m_pExtraField.Release();
  m_pBuffer.Allocate(m_iBufferSize);
  m_uBufferedOut = 0;
  m_uCrc32 = 0;
  m_uInputTotal = 0;
  m_entryEncrypted = encrypted;
  if (encrypted) {
    m_cryptograph.Init(m_pszPassword.GetBuffer(), m_pszPassword.GetSize());
    BYTE check[CZipCryptograph::kHeaderSize];
    m_cryptograph.MakeHeader(check, static_cast<BYTE>(entry->m_uModTime), static_cast<BYTE>(entry->m_uModTime >> 8));
    m_storage.Write(check, sizeof check, true);
  }
  m_stream = z_stream{};
  if (entry->m_uMethod == 8) {
    const int result = deflateInit2(&m_stream, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    if (result != Z_OK) ThrowZlib(result);
    m_streamOpen = true;
  }
  m_pNewHeader = entry.get();
  m_centralDir.Append(std::move(entry));
  m_iFileOpened = kWriting;
  return true;
}

void CZipArchive::SetExtraField(const char* data, WORD size) {
  if (m_iFileOpened == kWriting && m_pNewHeader) m_pNewHeader->m_pExtraField.Assign(data, size);
}

void CZipArchive::FlushWorkBuffer() {
  if (m_uBufferedOut == 0) return;
  CheckRoomFor(m_uBufferedOut + kDescriptorSize);
  if (m_entryEncrypted) m_cryptograph.Encode(m_pBuffer.GetBuffer(), m_uBufferedOut);
  m_storage.Write(m_pBuffer.GetBuffer(), m_uBufferedOut, false);
  m_pNewHeader->m_uComprSize += m_uBufferedOut;
  m_uBufferedOut = 0;
}

// Runs deflate over the pending input (or to its end with Z_FINISH),
// writing the work buffer each time it fills.
static int Deflate(z_stream& stream, CZipByteBuffer& buffer, DWORD& buffered, int flush,
                   const std::function<void()>& drain) {
  for (;;) {
    stream.next_out = buffer.GetBuffer() + buffered;
    stream.avail_out = buffer.GetSize() - buffered;
    const int result = deflate(&stream, flush);
    buffered = buffer.GetSize() - stream.avail_out;
    if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR) return result;
    if (buffered == buffer.GetSize()) drain();
    if (result == Z_STREAM_END) return Z_STREAM_END;
    if (flush == Z_NO_FLUSH && stream.avail_in == 0 && stream.avail_out > 0) return Z_OK;
  }
}

bool CZipArchive::WriteNewFile(const void* data, DWORD size) {
  if (m_iFileOpened != kWriting) return false;
  if (static_cast<std::uint64_t>(m_uInputTotal) + size > kFormatLimit)
    CZipException::Throw(27, ArchiveName(), "the entry would exceed 4 GiB, which needs ZIP64");
  m_uCrc32 = static_cast<DWORD>(crc32(m_uCrc32, static_cast<const BYTE*>(data), size));
  m_uInputTotal += size;
  if (m_streamOpen) {
    m_stream.next_in = const_cast<Bytef*>(static_cast<const Bytef*>(data));
    m_stream.avail_in = size;
    const int result = Deflate(m_stream, m_pBuffer, m_uBufferedOut, Z_NO_FLUSH, [this] { FlushWorkBuffer(); });
    if (result != Z_OK) ThrowZlib(result);
    return true;
  }
  const auto* in = static_cast<const BYTE*>(data);
  while (size > 0) {
    const DWORD n = std::min(size, m_pBuffer.GetSize() - m_uBufferedOut);
    std::memcpy(m_pBuffer.GetBuffer() + m_uBufferedOut, in, n);
    m_uBufferedOut += n;
    in += n;
    size -= n;
    if (m_uBufferedOut == m_pBuffer.GetSize()) FlushWorkBuffer();
  }
  return true;
}

void CZipArchive::FinishLocalHeader(CZipEntryHeader& h) {
  BYTE fields[12];
  ZipLittleEndian::Put32(fields, h.m_uCrc32);
  ZipLittleEndian::Put32(fields + 4, h.m_uComprSize);
  ZipLittleEndian::Put32(fields + 8, h.m_uUncomprSize);
  if (h.IsDataDescriptor()) {
    BYTE descriptor[kDescriptorSize];
    ZipLittleEndian::Put32(descriptor, CZipEntryHeader::kDescriptorSignature);
    std::memcpy(descriptor + 4, fields, sizeof fields);
    m_storage.Write(descriptor, sizeof descriptor, true);
  }
  // Earlier volumes of a spanned archive are never revisited.
  if (m_storage.IsNewSpanned()) return;
  const std::int64_t end = m_storage.GetPosition();
  m_storage.Seek(m_centralDir.GetBytesBeforeZip() + h.m_uOffset + 14);
  m_storage.Write(fields, sizeof fields, true);
  m_storage.Seek(end);
}

bool CZipArchive::CloseNewFile(bool afterException) {
  if (m_iFileOpened != kWriting) return false;
  if (!afterException) {
    if (m_streamOpen) {
      const int result = Deflate(m_stream, m_pBuffer, m_uBufferedOut, Z_FINISH, [this] { FlushWorkBuffer(); });
      if (result != Z_STREAM_END) ThrowZlib(result);
    }
    FlushWorkBuffer();
    m_pNewHeader->m_uUncomprSize = m_uInputTotal;
    m_pNewHeader->m_uCrc32 = m_uCrc32;
    FinishLocalHeader(*m_pNewHeader);
  }
  if (m_streamOpen) deflateEnd(&m_stream);
  m_streamOpen = false;
  m_stream = z_stream{};
  m_pNewHeader = nullptr;
  m_iFileOpened = kNoEntry;
  m_pBuffer.Release();
  if (!afterException) AutoFlush();
  return true;
}

void CZipArchive::AutoFlush() {
  if (m_bAutoFlush) Flush();
}

bool CZipArchive::RemoveLastEntry(bool force) {
  const WORD count = m_centralDir.GetCount();
  if (count == 0 || m_iFileOpened != kNoEntry || m_storage.IsSpanned()) return false;
  const CZipEntryHeader& last = m_centralDir[static_cast<WORD>(count - 1)];
  const DWORD header = last.IsEncrypted() ? CZipCryptograph::kHeaderSize : 0;
  if (!force && static_cast<std::int64_t>(last.m_uUncomprSize) >= static_cast<std::int64_t>(last.m_uComprSize) - header)
    return false;
  m_centralDir.DiscardFromFile();
  const std::int64_t cut = m_centralDir.GetBytesBeforeZip() + last.m_uOffset;
  m_centralDir.Remove(static_cast<WORD>(count - 1));
  m_storage.SetLength(cut);
  return true;
}

std::string CZipArchive::DeriveName(const CZipAddNewFileInfo& info) const {
  if (!info.m_bFullPath) return RelativeExtractPart(info.m_szFilePath, false);
  if (!m_bRemoveDriveLetter) return info.m_szFilePath;
  return CZipPathSplitter(info.m_szFilePath).GetNoDrive();
}

bool CZipArchive::AddFromSource(CZipAddNewFileInfo& info, CZipEntryHeader& header, CZipFileBase& source, DWORD size) {
  int level = info.m_iComprLevel;
  if ((info.m_iSmartLevel & CZipAddNewFileInfo::zipsmNotCompSmall) && level != 0 && size < 5) level = 0;
  const CZipByteBuffer password = m_pszPassword;
  if ((info.m_iSmartLevel & 2) && size == 0) m_pszPassword.Release();
  CZipProgressCallback* callback =
      (info.m_iSmartLevel & CZipAddNewFileInfo::zipsmInternal01) ? nullptr : GetCallback(CZipProgressCallback::cbAdd);
  bool opened = false;
  try {
    opened = OpenNewFile(header, level, info.m_pFile ? nullptr : info.m_szFilePath.c_str(), size);
  } catch (...) {
    m_pszPassword = password;
    throw;
  }
  m_pszPassword = password;
  if (!opened) return false;
  if (callback) callback->SetTotal(size);
  CZipByteBuffer chunk(std::max<DWORD>(info.m_nBufSize, 1));
  for (;;) {
    const UINT n = source.Read(chunk.GetBuffer(), chunk.GetSize());
    if (n > 0) WriteNewFile(chunk.GetBuffer(), n);
    const bool last = n < chunk.GetSize();
    if (callback && !callback->RequestCallback(n)) {
      CloseNewFile(!last);
      if (!last) RemoveLastEntry(true);
      if (callback) callback->CallbackEnd();
      CZipException::Throw(last ? CZipException::abortedSafely : CZipException::aborted, ArchiveName());
    }
    if (last) break;
  }
  CloseNewFile(false);
  if (callback) callback->CallbackEnd();
  return true;
}

bool CZipArchive::AddNewFile(CZipAddNewFileInfo& info) {
  while (info.m_szFilePath.size() > 1 && CZipPathSplitter::IsSeparator(info.m_szFilePath.back()))
    info.m_szFilePath.pop_back();
  if (info.m_szFilePath.empty() && info.m_pFile == nullptr) return false;
  if (!CanWrite()) return false;
  const std::string name = info.m_szFileNameInZip.empty() ? DeriveName(info) : info.m_szFileNameInZip;
  int replace = info.m_iReplaceIndex == -2 ? FindFile(name, ffDefault, false) : info.m_iReplaceIndex;
  if (replace >= 0) {
    if (m_storage.IsSpanned() || !m_centralDir.IsValidIndex(replace)) return false;
    // The last entry is cut off and appended anew; any other is built in a
    // temporary archive in memory and then copied into its place.
    if (replace != m_centralDir.GetCount() - 1) return AddReplacing(info, name, replace);
    RemoveLastEntry(true);
  }
  CZipEntryHeader header;
  header.SetFileName(name);
  if (info.m_pFile) {
    header.SetTime(std::time(nullptr));
    header.SetSystemCompatibility(m_iArchiveSystCompatib);
    header.SetSystemAttr(ZipAttributes::kFileDefault);
    info.m_pFile->SeekToBegin();
    const std::int64_t length = info.m_pFile->GetLength();
    if (static_cast<std::uint64_t>(length) > kFormatLimit) CheckRoomFor(static_cast<std::uint64_t>(length));
    return AddFromSource(info, header, *info.m_pFile, static_cast<DWORD>(length));
  }
  if (ZipFileSystem::IsDirectory(info.m_szFilePath)) {
    header.SetFileName(name + "/");
    const CZipByteBuffer password = m_pszPassword;
    if (info.m_iSmartLevel & 1) m_pszPassword.Release();
    const bool opened = OpenNewFile(header, 0, info.m_szFilePath.c_str());
    m_pszPassword = password;
    return opened && CloseNewFile(false);
  }
  std::int64_t size = 0;
  if (!ZipFileSystem::GetFileSize(info.m_szFilePath, size)) return false;
  m_storage.Seek(m_storage.GetLength());
  CheckRoomFor(static_cast<std::uint64_t>(size) + header.GetSize(true) + 64);
  CZipFile source;
  if (!source.Open(info.m_szFilePath, sys::CFile::modeRead | sys::CFile::shareDenyWrite, false)) return false;
  if (!AddFromSource(info, header, source, static_cast<DWORD>(size))) return false;
  if ((info.m_iSmartLevel & CZipAddNewFileInfo::zipsmCheckForEff) && info.m_iComprLevel != 0 && RemoveLastEntry(false)) {
    // Compression made it larger: store it instead.
    source.SeekToBegin();
    CZipAddNewFileInfo stored = info;
    stored.m_iComprLevel = 0;
    stored.m_iSmartLevel = CZipAddNewFileInfo::zipsmInternal01;
    CZipEntryHeader again;
    again.SetFileName(name);
    return AddFromSource(stored, again, source, static_cast<DWORD>(size));
  }
  return true;
}

bool CZipArchive::AddReplacing(CZipAddNewFileInfo& info, const std::string& name, int replace) {
  CZipMemoryFile memory(65536);
  CZipArchive temporary;
  temporary.Open(memory, zipCreate);
  temporary.m_pszPassword = m_pszPassword;
  temporary.m_iArchiveSystCompatib = m_iArchiveSystCompatib;
  temporary.m_szRootPath = m_szRootPath;
  temporary.m_bRemoveDriveLetter = m_bRemoveDriveLetter;
  CZipAddNewFileInfo copy = info;
  copy.m_szFileNameInZip = name;
  copy.m_iReplaceIndex = -1;
  bool done = false;
  try {
    done = temporary.AddNewFile(copy) && GetFromArchive(temporary, 0, replace, true, nullptr);
  } catch (...) {
    temporary.Close(afAfterException);
    throw;
  }
  temporary.Close(afAfterException);
  return done;
}

bool CZipArchive::AddNewFile(const std::string& path, int level, bool fullPath, int smart, DWORD bufferSize) {
  CZipAddNewFileInfo info;
  info.m_szFilePath = path;
  info.m_bFullPath = fullPath;
  info.m_iComprLevel = level;
  info.m_iSmartLevel = smart;
  info.m_nBufSize = bufferSize;
  return AddNewFile(info);
}

bool CZipArchive::AddNewFile(const std::string& path, const std::string& nameInArchive, int level, int smart,
                             DWORD bufferSize) {
  CZipAddNewFileInfo info;
  info.m_szFilePath = path;
  info.m_szFileNameInZip = nameInArchive;
  info.m_iComprLevel = level;
  info.m_iSmartLevel = smart;
  info.m_nBufSize = bufferSize;
  return AddNewFile(info);
}

bool CZipArchive::AddNewFile(CZipFileBase& source, const std::string& nameInArchive, int level, int smart,
                             DWORD bufferSize) {
  CZipAddNewFileInfo info;
  info.m_pFile = &source;
  info.m_szFileNameInZip = nameInArchive;
  info.m_iComprLevel = level;
  info.m_iSmartLevel = smart;
  info.m_nBufSize = bufferSize;
  return AddNewFile(info);
}

int CZipArchive::WillBeDuplicated(const std::string& path, bool fullPath, bool fileNameOnly) {
  CZipAddNewFileInfo info;
  info.m_szFilePath = path;
  info.m_bFullPath = fullPath;
  std::string name = DeriveName(info);
  if (fileNameOnly) name = CZipPathSplitter(name).GetFileName();
  return FindFile(name, ffDefault, fileNameOnly);
}

// Changing an archive in place: deleting, renaming and copying entries,
// comments and flushing. Local headers are read for their real name and
// extra field lengths: tools often write a local extra field that differs
// from the central one.
#include <algorithm>
#include <cstring>

#include "zip/ZipArchive.h"
#include "zip/ZipAttributes.h"
#include "zip/ZipException.h"
#include "zip/ZipLittleEndian.h"

namespace {

struct LocalLengths {
  WORD name = 0;
  WORD extra = 0;
};

}  // namespace

WORD CZipArchive::ReadLocalExtraLength(const CZipEntryHeader& h) {
  BYTE b[CZipEntryHeader::kLocalSize];
  m_storage.Seek(m_centralDir.GetBytesBeforeZip() + h.m_uOffset);
  m_storage.Read(b, sizeof b, true);
  if (ZipLittleEndian::Get32(b) != CZipEntryHeader::kLocalSignature)
    ThrowDamaged("the local header does not match: " + h.GetFileName());
  return ZipLittleEndian::Get16(b + 28);
}

// Moves the bytes [from, to) of the file so that they start at from +
// distance, copying in the order that never overwrites bytes not yet moved.
void CZipArchive::MoveData(std::int64_t from, std::int64_t to, std::int64_t distance, CZipProgressCallback* callback) {
  if (distance == 0 || to <= from) return;
  CZipByteBuffer buffer(m_iBufferSize);
  const std::int64_t total = to - from;
  for (std::int64_t done = 0; done < total;) {
    const auto n = static_cast<DWORD>(std::min<std::int64_t>(buffer.GetSize(), total - done));
    const std::int64_t at = distance < 0 ? from + done : to - done - n;
    m_storage.Seek(at);
    if (m_storage.ReadSome(buffer.GetBuffer(), n) != n) CZipException::Throw(CZipException::internal, ArchiveName());
    m_storage.Seek(at + distance);
    m_storage.Write(buffer.GetBuffer(), n, false);
    m_storage.Flush();
    done += n;
    if (callback && !callback->RequestCallback(n)) CZipException::Throw(CZipException::aborted, ArchiveName());
  }
}

bool CZipArchive::DeleteFile(WORD index) { return DeleteFiles(std::vector<WORD>{index}); }

bool CZipArchive::DeleteFiles(const std::vector<std::string>& names) {
  std::vector<WORD> indexes;
  FindFiles(names, indexes);
  return DeleteFiles(indexes);
}

bool CZipArchive::DeleteFiles(const std::vector<WORD>& requested) {
  if (!CanWrite() || m_storage.IsSpanned()) return false;
  std::vector<WORD> indexes;
  for (WORD i : requested)
    if (m_centralDir.IsValidIndex(i)) indexes.push_back(i);
  std::sort(indexes.begin(), indexes.end());
  indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
  if (indexes.empty()) return true;
  m_centralDir.DiscardFromFile();
  const std::int64_t base = m_centralDir.GetBytesBeforeZip();
  if (indexes.size() == m_centralDir.GetCount()) {
    m_storage.SetLength(base);
    m_centralDir.RemoveAll();
    AutoFlush();
    return true;
  }
  CZipProgressCallback* counting = GetCallback(CZipProgressCallback::cbDeleteCnt);
  if (counting) {
    counting->Init(nullptr, ArchiveName().c_str());
    counting->SetTotal(m_centralDir.GetCount() - indexes.front());
    for (int i = indexes.front(); i < m_centralDir.GetCount(); i += 256)
      if (!counting->RequestCallback(256)) CZipException::Throw(CZipException::abortedSafely, ArchiveName());
    counting->CallbackEnd();
  }
  std::vector<bool> selected(m_centralDir.GetCount(), false);
  for (WORD i : indexes) selected[i] = true;
  std::int64_t dest = m_centralDir[indexes.front()].m_uOffset;
  std::vector<std::int64_t> spanEnds(m_centralDir.GetCount());
  for (WORD i = 0; i < m_centralDir.GetCount(); ++i) spanEnds[i] = m_centralDir.GetSpanEnd(i);
  CZipProgressCallback* moving = GetCallback(CZipProgressCallback::cbDelete);
  if (moving) {
    std::int64_t toMove = 0;
    for (WORD i = indexes.front(); i < m_centralDir.GetCount(); ++i)
      if (!selected[i]) toMove += spanEnds[i] - m_centralDir[i].m_uOffset;
    moving->Init(nullptr, ArchiveName().c_str());
    moving->SetTotal(static_cast<DWORD>(toMove));
  }
  for (WORD i = indexes.front(); i < m_centralDir.GetCount(); ++i) {
    if (selected[i]) continue;
    CZipEntryHeader& h = m_centralDir[i];
    const std::int64_t length = spanEnds[i] - h.m_uOffset;
    MoveData(base + h.m_uOffset, base + spanEnds[i], dest - h.m_uOffset, moving);
    h.m_uOffset = static_cast<DWORD>(dest);
    dest += length;
  }
  m_storage.SetLength(base + dest);
  for (auto it = indexes.rbegin(); it != indexes.rend(); ++it) m_centralDir.Remove(*it);
  if (moving) moving->CallbackEnd();
  AutoFlush();
  return true;
}

bool CZipArchive::RenameFile(WORD index, const std::string& newName) {
  if (!CanWrite() || m_storage.IsSpanned() || !m_centralDir.IsValidIndex(index)) return false;
  CZipEntryHeader& h = m_centralDir[index];
  std::string name = newName;
  while (!name.empty() && (name.back() == '/' || name.back() == '\\')) name.pop_back();
  if (h.IsDirectory()) name += '/';
  if (std::strcoll(name.c_str(), h.GetFileName().c_str()) == 0) return true;
  CZipEntryHeader renamed = h;
  renamed.SetFileName(name);
  if (renamed.m_pszFileName.GetSize() > 0xFFFF) CZipException::Throw(CZipException::tooLongFileName, ArchiveName());
  m_centralDir.DiscardFromFile();
  const std::int64_t base = m_centralDir.GetBytesBeforeZip();
  const std::int64_t local = base + h.m_uOffset;
  BYTE b[CZipEntryHeader::kLocalSize];
  m_storage.Seek(local);
  m_storage.Read(b, sizeof b, true);
  if (ZipLittleEndian::Get32(b) != CZipEntryHeader::kLocalSignature)
    ThrowDamaged("the local header does not match: " + h.GetFileName());
  const WORD oldLength = ZipLittleEndian::Get16(b + 26);
  const WORD extraLength = ZipLittleEndian::Get16(b + 28);
  const auto newLength = static_cast<WORD>(renamed.m_pszFileName.GetSize());
  const std::int64_t delta = static_cast<std::int64_t>(newLength) - oldLength;
  if (delta != 0) {
    const std::int64_t fileEnd = m_storage.GetLength();
    CheckRoomFor(delta > 0 ? static_cast<std::uint64_t>(delta) : 0);
    CZipProgressCallback* callback = GetCallback(CZipProgressCallback::cbRename);
    const std::int64_t after = local + CZipEntryHeader::kLocalSize + oldLength;
    if (callback) {
      callback->Init(h.GetFileName().c_str(), ArchiveName().c_str());
      callback->SetTotal(static_cast<DWORD>(fileEnd - after));
    }
    if (delta > 0) m_storage.SetLength(fileEnd + delta);
    MoveData(after, fileEnd, delta);
    if (delta < 0) m_storage.SetLength(fileEnd + delta);
    if (callback) callback->CallbackEnd();
    for (WORD i = static_cast<WORD>(index + 1); i < m_centralDir.GetCount(); ++i)
      m_centralDir[i].m_uOffset = static_cast<DWORD>(m_centralDir[i].m_uOffset + delta);
  }
  // The UTF-8 flag of the name travels with it into the local header.
  const WORD flag = static_cast<WORD>((ZipLittleEndian::Get16(b + 6) & ~CZipEntryHeader::kUtf8) |
                                      (renamed.m_uFlag & CZipEntryHeader::kUtf8));
  ZipLittleEndian::Put16(b + 6, flag);
  ZipLittleEndian::Put16(b + 26, newLength);
  ZipLittleEndian::Put16(b + 28, extraLength);
  m_storage.Seek(local);
  m_storage.Write(b, sizeof b, true);
  m_storage.Write(renamed.m_pszFileName.GetBuffer(), newLength, true);
  m_storage.Flush();
  h.m_pszFileName = renamed.m_pszFileName;
  h.m_uFlag = renamed.m_uFlag;
  m_centralDir.InvalidateIndex();
  AutoFlush();
  return true;
}

bool CZipArchive::GetFromArchive(CZipArchive& source, WORD index, int replaceIndex, bool keepSystem,
                                 CZipProgressCallback* callback) {
  if (!CanWrite() || source.IsClosed() || source.m_iFileOpened != kNoEntry || source.m_storage.IsSpanned() ||
      !source.m_centralDir.IsValidIndex(index) || &source == this || m_centralDir.GetCount() >= kMaxEntries)
    return false;
  if (replaceIndex == -2) replaceIndex = FindFile(source.m_centralDir[index].GetFileName(), ffDefault, false);
  if (replaceIndex >= 0) {
    if (m_storage.IsSpanned() || !m_centralDir.IsValidIndex(replaceIndex)) return false;
    // The last entry is simply cut off and appended anew.
    if (replaceIndex == m_centralDir.GetCount() - 1) {
      RemoveLastEntry(true);
      replaceIndex = -1;
    }
  }
  CZipEntryHeader h = source.m_centralDir[index];
  source.CheckReadable(h);
  const WORD localExtra = source.ReadLocalExtraLength(h);
  const std::int64_t dataStart = source.m_centralDir.GetBytesBeforeZip() + h.m_uOffset +
                                 CZipEntryHeader::kLocalSize + h.m_pszFileName.GetSize() + localExtra;
  CZipByteBuffer extra(localExtra);
  source.m_storage.Seek(dataStart - localExtra);
  if (localExtra > 0) source.m_storage.Read(extra.GetBuffer(), localExtra, true);
  const std::int64_t spanEnd = source.m_centralDir.GetBytesBeforeZip() + source.m_centralDir.GetSpanEnd(index);
  if (dataStart + h.m_uComprSize > spanEnd) source.ThrowDamaged("the entry's data runs into the next entry");
  if (!keepSystem) {
    const DWORD attributes = h.GetSystemAttr();
    h.SetSystemCompatibility(m_iArchiveSystCompatib);
    h.SetSystemAttr(attributes);
  }
  // A copied entry keeps its descriptor only where its check byte needs it.
  if (!h.IsEncrypted()) h.m_uFlag &= static_cast<WORD>(~CZipEntryHeader::kDataDescriptor);
  if (m_storage.IsNewSpanned()) h.m_uFlag |= CZipEntryHeader::kDataDescriptor;
  m_centralDir.DiscardFromFile();
  const DWORD span = CZipEntryHeader::kLocalSize + h.m_pszFileName.GetSize() + localExtra + h.m_uComprSize +
                     (h.IsDataDescriptor() ? 16 : 0);
  m_storage.Seek(m_storage.GetLength());
  if (replaceIndex >= 0) {
    m_storage.Seek(MakeSpaceForReplace(static_cast<WORD>(replaceIndex), span));
    callback = nullptr;  // the replaced entry is gone: no stopping half-way
  } else {
    CheckRoomFor(span);
  }
  auto entry = std::make_unique<CZipEntryHeader>(h);
  const CZipByteBuffer centralExtra = entry->m_pExtraField;
  entry->m_pExtraField = extra;
  entry->WriteLocal(m_storage);
  entry->m_pExtraField = centralExtra;
  entry->m_uOffset = static_cast<DWORD>(entry->m_uOffset - m_centralDir.GetBytesBeforeZip());
  CZipByteBuffer buffer(m_iBufferSize);
  source.m_storage.Seek(dataStart);
  for (DWORD left = h.m_uComprSize; left > 0;) {
    const DWORD n = std::min(left, buffer.GetSize());
    source.m_storage.Read(buffer.GetBuffer(), n, false);
    m_storage.Write(buffer.GetBuffer(), n, false);
    left -= n;
    if (callback && !callback->RequestCallback(n)) {
      m_storage.Flush();
      m_storage.SetLength(m_centralDir.GetBytesBeforeZip() + entry->m_uOffset);
      CZipException::Throw(left == 0 ? CZipException::abortedSafely : CZipException::aborted, ArchiveName());
    }
  }
  if (entry->IsDataDescriptor()) {
    BYTE descriptor[16];
    ZipLittleEndian::Put32(descriptor, CZipEntryHeader::kDescriptorSignature);
    ZipLittleEndian::Put32(descriptor + 4, h.m_uCrc32);
    ZipLittleEndian::Put32(descriptor + 8, h.m_uComprSize);
    ZipLittleEndian::Put32(descriptor + 12, h.m_uUncomprSize);
    m_storage.Write(descriptor, sizeof descriptor, true);
  }
  m_storage.Flush();
  if (replaceIndex >= 0) {
    m_centralDir[static_cast<WORD>(replaceIndex)] = *entry;
    m_centralDir.InvalidateIndex();
  } else {
    m_centralDir.Append(std::move(entry));
  }
  AutoFlush();
  return true;
}

// Resizes the span of entry index to needed bytes, moving what follows it,
// and returns where the span starts in the file.
std::int64_t CZipArchive::MakeSpaceForReplace(WORD index, DWORD needed) {
  const std::int64_t base = m_centralDir.GetBytesBeforeZip();
  const std::int64_t start = base + m_centralDir[index].m_uOffset;
  const std::int64_t end = base + m_centralDir.GetSpanEnd(index);
  const std::int64_t delta = static_cast<std::int64_t>(needed) - (end - start);
  if (delta == 0) return start;
  const std::int64_t fileEnd = m_storage.GetLength();
  m_storage.Seek(fileEnd);
  CheckRoomFor(delta > 0 ? static_cast<std::uint64_t>(delta) : 0);
  CZipProgressCallback* callback = GetCallback(CZipProgressCallback::cbReplace);
  if (callback) {
    callback->Init(m_centralDir[index].GetFileName().c_str(), ArchiveName().c_str());
    callback->SetTotal(static_cast<DWORD>(fileEnd - end));
  }
  if (delta > 0) m_storage.SetLength(fileEnd + delta);
  MoveData(end, fileEnd, delta, callback);
  if (delta < 0) m_storage.SetLength(fileEnd + delta);
  for (WORD i = static_cast<WORD>(index + 1); i < m_centralDir.GetCount(); ++i)
    m_centralDir[i].m_uOffset = static_cast<DWORD>(m_centralDir[i].m_uOffset + delta);
  if (callback) callback->CallbackEnd();
  return start;
}

bool CZipArchive::GetFromArchive(CZipArchive& source, const std::vector<WORD>& indexes, bool keepSystem) {
  CZipProgressCallback* callback = GetCallback(CZipProgressCallback::cbGet);
  for (WORD i : indexes)
    if (!GetFromArchive(source, i, -1, keepSystem, callback)) return false;
  return true;
}

bool CZipArchive::SetGlobalComment(const std::string& comment) {
  if (!CanWrite() || comment.size() > 0xFFFF) return false;
  m_centralDir.DiscardFromFile();
  m_centralDir.m_pszComment.Assign(comment.data(), static_cast<DWORD>(comment.size()));
  AutoFlush();
  return true;
}

bool CZipArchive::SetFileComment(WORD index, const std::string& comment) {
  if (!CanWrite() || !m_centralDir.IsValidIndex(index) || comment.size() > 0xFFFF) return false;
  m_centralDir.DiscardFromFile();
  m_centralDir[index].SetComment(comment);
  AutoFlush();
  return true;
}

int CZipArchive::Flush() {
  if (IsClosed() || m_iFileOpened != kNoEntry) return 0;
  if (m_storage.IsExistingSpanned()) return -1;
  if (!m_storage.IsReadOnly()) WriteCentralDirectory();
  if (m_storage.IsNewSpanned()) m_storage.FinalizeSpan();
  else m_storage.FlushFile();
  return 0;
}

int CZipArchive::SetAutoFlush(bool autoFlush) {
  if (IsClosed() || m_storage.IsSpanned()) return -1;
  m_bAutoFlush = autoFlush;
  return 0;
}

void CZipArchive::WriteCentralDirectory() {
  if (!m_centralDir.IsInArchive() && m_storage.IsNewSpanned() && m_storage.GetCurrentDisk() == 0 &&
      FitsAsOrdinary())
    ConvertToOrdinary();
  m_centralDir.Write(GetCallback(CZipProgressCallback::cbSave));
}

// Whether the directory fits on the first volume once the spanning
// signature and the descriptors of unencrypted entries are gone.
bool CZipArchive::FitsAsOrdinary() const {
  std::uint64_t needed = CZipDirectory::kEndSize + m_centralDir.m_pszComment.GetSize();
  std::uint64_t saved = 4;
  for (WORD i = 0; i < m_centralDir.GetCount(); ++i) {
    needed += m_centralDir[i].GetSize(false);
    if (m_centralDir[i].IsDataDescriptor() && !m_centralDir[i].IsEncrypted()) saved += 16;
  }
  return m_storage.GetFreeInVolume() + saved >= needed;
}

// Moves every entry down over the spanning signature and the descriptors
// it drops, storing CRC and sizes in the local headers instead.
void CZipArchive::ConvertToOrdinary() {
  m_storage.BecomeOrdinary();
  std::int64_t shift = 4;
  std::int64_t end = 4;
  for (WORD i = 0; i < m_centralDir.GetCount(); ++i) {
    CZipEntryHeader& h = m_centralDir[i];
    const std::int64_t start = h.m_uOffset;
    const WORD localExtra = ReadLocalExtraLength(h);
    const bool dropDescriptor = h.IsDataDescriptor() && !h.IsEncrypted();
    const std::int64_t length = CZipEntryHeader::kLocalSize + h.m_pszFileName.GetSize() + localExtra +
                                h.m_uComprSize + (h.IsDataDescriptor() && !dropDescriptor ? 16 : 0);
    MoveData(start, start + length, -shift);
    h.m_uOffset = static_cast<DWORD>(start - shift);
    end = start - shift + length;
    if (dropDescriptor) {
      h.m_uFlag &= static_cast<WORD>(~CZipEntryHeader::kDataDescriptor);
      BYTE fields[16];
      ZipLittleEndian::Put16(fields, h.m_uFlag);
      m_storage.Seek(h.m_uOffset + 6);
      m_storage.Write(fields, 2, true);
      ZipLittleEndian::Put32(fields, h.m_uCrc32);
      ZipLittleEndian::Put32(fields + 4, h.m_uComprSize);
      ZipLittleEndian::Put32(fields + 8, h.m_uUncomprSize);
      m_storage.Seek(h.m_uOffset + 14);
      m_storage.Write(fields, 12, true);
      shift += 16;
    }
  }
  m_storage.SetLength(end);
  m_storage.Seek(end);
}

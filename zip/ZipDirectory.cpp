#include "zip/ZipDirectory.h"

#include <algorithm>
#include <cstring>

#include "zip/ZipException.h"
#include "zip/ZipLittleEndian.h"
#include "zip/ZipPathSplitter.h"
#include "zip/ZipProgressCallback.h"
#include "zip/ZipVolumeStorage.h"

using namespace ZipLittleEndian;

namespace {

constexpr DWORD kZip64LocatorSignature = 0x07064B50;
constexpr std::int64_t kLargestComment = 0xFFFF;

std::string LastComponent(std::string name) {
  while (!name.empty() && CZipPathSplitter::IsSeparator(name.back())) name.pop_back();
  return CZipPathSplitter(name).GetFileName();
}

}  // namespace

void CZipDirectory::Clear() {
  m_entries.clear();
  m_index.clear();
  m_indexBuilt = false;
  m_pszComment.Release();
  m_end = CZipEndRecord();
  m_inArchive = false;
}

void CZipDirectory::Read() {
  const std::int64_t position = FindEndRecord();
  ReadEndRecord(position);
  m_inArchive = true;
  if (m_end.m_uSize != 0) ReadHeaders();
  SortAndCheck();
  if (m_indexEnabled) BuildIndex(m_indexCaseSensitive);
}

// The last end signature whose record and comment fit inside the file: a
// signature inside a comment or inside compressed data that claims more
// comment than the file holds is not the end record.
std::int64_t CZipDirectory::FindEndRecord() {
  const std::string& path = m_pStorage->GetArchiveName();
  const std::int64_t length = m_pStorage->GetLength();
  const std::int64_t window = std::min<std::int64_t>(length, kEndSize + kLargestComment);
  if (window < static_cast<std::int64_t>(kEndSize)) CZipException::Throw(CZipException::cdirNotFound, path);
  CZipByteBuffer tail(static_cast<DWORD>(window));
  const std::int64_t start = length - window;
  m_pStorage->Seek(start);
  m_pStorage->Read(tail.GetBuffer(), tail.GetSize(), true);
  for (std::int64_t at = window - kEndSize; at >= 0; --at) {
    const BYTE* p = tail.GetBuffer() + at;
    if (Get32(p) != kEndSignature) continue;
    if (at + kEndSize + Get16(p + 20) <= window) return start + at;
  }
  CZipException::Throw(CZipException::cdirNotFound, path);
}

void CZipDirectory::ReadEndRecord(std::int64_t position) {
  const std::string& path = m_pStorage->GetArchiveName();
  if (position >= 20) {
    BYTE locator[4];
    m_pStorage->Seek(position - 20);
    m_pStorage->Read(locator, 4, true);
    if (Get32(locator) == kZip64LocatorSignature)
      CZipException::Throw(CZipException::badZipFile, path, "ZIP64 archives are not supported");
  }
  BYTE b[kEndSize];
  m_pStorage->Seek(position);
  m_pStorage->Read(b, kEndSize, true);
  m_end.m_uThisDisk = Get16(b + 4);
  m_end.m_uDiskWithCD = Get16(b + 6);
  m_end.m_uDiskEntriesNo = Get16(b + 8);
  m_end.m_uEntriesNumber = Get16(b + 10);
  m_end.m_uSize = Get32(b + 12);
  m_end.m_uOffset = Get32(b + 16);
  m_end.m_iEndRecordPosition = position;
  if (m_end.m_uSize == 0xFFFFFFFF || m_end.m_uOffset == 0xFFFFFFFF)
    CZipException::Throw(CZipException::badZipFile, path, "ZIP64 archives are not supported");
  // A split or spanned archive of another tool: refused here, before any
  // sibling volume is looked for.
  m_pStorage->UpdateSpanMode(m_end.m_uThisDisk);
  const std::int64_t directoryEnd = static_cast<std::int64_t>(m_end.m_uOffset) + m_end.m_uSize;
  if (m_pStorage->IsSpanned()) {
    if (m_end.m_uDiskWithCD > m_end.m_uThisDisk || m_end.m_uDiskEntriesNo > m_end.m_uEntriesNumber)
      CZipException::Throw(CZipException::badZipFile, path, "the end record names volumes that do not exist");
    if (m_end.m_uDiskWithCD == m_end.m_uThisDisk && position < directoryEnd)
      CZipException::Throw(CZipException::badZipFile, path, "the central directory overlaps the end record");
    m_end.m_iBytesBeforeZip = 0;
  } else {
    if (m_end.m_uDiskWithCD != 0 || m_end.m_uDiskEntriesNo != m_end.m_uEntriesNumber)
      CZipException::Throw(CZipException::badZipFile, path, "the central directory lies on another volume");
    if (position < directoryEnd)
      CZipException::Throw(CZipException::badZipFile, path, "the central directory overlaps the end record");
    m_end.m_iBytesBeforeZip = position - directoryEnd;
  }
  m_pszComment.Allocate(Get16(b + 20));
  if (!m_pszComment.IsEmpty()) m_pStorage->Read(m_pszComment.GetBuffer(), m_pszComment.GetSize(), true);
  if ((m_end.m_uSize == 0) != (m_end.m_uEntriesNumber == 0))
    CZipException::Throw(CZipException::badZipFile, path, "the entry count and the directory size disagree");
  if (static_cast<std::uint64_t>(m_end.m_uEntriesNumber) * CZipEntryHeader::kCentralSize > m_end.m_uSize)
    CZipException::Throw(CZipException::badZipFile, path, "the central directory is too small for its entries");
}

void CZipDirectory::ReadHeaders() {
  const std::string& path = m_pStorage->GetArchiveName();
  const std::int64_t start = m_end.m_iBytesBeforeZip + m_end.m_uOffset;
  m_pStorage->ChangeDisk(m_end.m_uDiskWithCD);
  m_pStorage->Seek(start);
  m_entries.clear();
  m_entries.reserve(m_end.m_uEntriesNumber);
  for (WORD i = 0; i < m_end.m_uEntriesNumber; ++i) {
    auto header = std::make_unique<CZipEntryHeader>();
    if (!header->ReadCentral(*m_pStorage))
      CZipException::Throw(CZipException::badZipFile, path, "a central header has a wrong signature");
    m_entries.push_back(std::move(header));
    if (!m_pStorage->IsSpanned() && m_pStorage->GetPosition() > start + m_end.m_uSize)
      CZipException::Throw(CZipException::badZipFile, path, "the central headers run past the directory");
  }
}

// Entries are kept in the order they lie in; two that start at the same
// place, or one whose data runs into the next, would let one entry's bytes
// be read as another's.
void CZipDirectory::SortAndCheck() {
  std::sort(m_entries.begin(), m_entries.end(), [](const auto& a, const auto& b) {
    if (a->m_uDiskStart != b->m_uDiskStart) return a->m_uDiskStart < b->m_uDiskStart;
    return a->m_uOffset < b->m_uOffset;
  });
  const std::string& path = m_pStorage->GetArchiveName();
  for (WORD i = 0; i < GetCount(); ++i) {
    const CZipEntryHeader& h = *m_entries[i];
    // Across volumes only the order can be checked: sizes run on.
    const bool lastOnDisk = i + 1 == GetCount() || m_entries[i + 1]->m_uDiskStart != h.m_uDiskStart;
    if (m_pStorage->IsSpanned() && lastOnDisk) continue;
    const std::int64_t end = static_cast<std::int64_t>(h.m_uOffset) + CZipEntryHeader::kLocalSize +
                             h.m_pszFileName.GetSize() + h.m_uComprSize;
    if (end > GetSpanEnd(i))
      CZipException::Throw(CZipException::badZipFile, path, "entries overlap: " + h.GetFileName());
  }
}

std::int64_t CZipDirectory::GetSpanEnd(WORD index) const {
  if (index + 1 < GetCount() && m_entries[index + 1]->m_uDiskStart == m_entries[index]->m_uDiskStart)
    return m_entries[index + 1]->m_uOffset;
  if (m_inArchive) return m_end.m_uOffset;
  return m_pStorage->GetLength() - m_end.m_iBytesBeforeZip;
}

void CZipDirectory::Append(std::unique_ptr<CZipEntryHeader> header) {
  m_entries.push_back(std::move(header));
  m_indexBuilt = false;
  m_inArchive = false;
}

void CZipDirectory::Remove(WORD index) {
  m_entries.erase(m_entries.begin() + index);
  m_indexBuilt = false;
  m_inArchive = false;
}

void CZipDirectory::RemoveAll() {
  m_entries.clear();
  m_indexBuilt = false;
  m_inArchive = false;
}

void CZipDirectory::EnableIndex(bool enable, bool caseSensitive) {
  m_indexEnabled = enable;
  if (enable) BuildIndex(caseSensitive);
  else m_index.clear(), m_indexBuilt = false;
}

void CZipDirectory::BuildIndex(bool caseSensitive) {
  m_indexCaseSensitive = caseSensitive;
  m_indexCompare = GetNameCompareFunction(caseSensitive, true);
  std::vector<std::string> names(GetCount());
  for (WORD i = 0; i < GetCount(); ++i) names[i] = NameAt(i);
  m_index.resize(GetCount());
  for (WORD i = 0; i < GetCount(); ++i) m_index[i] = i;
  std::stable_sort(m_index.begin(), m_index.end(), [&](WORD a, WORD b) {
    return m_indexCompare(names[a].c_str(), names[b].c_str()) < 0;
  });
  m_indexBuilt = true;
}

int CZipDirectory::SearchIndex(const std::string& name) const {
  int low = 0;
  int high = static_cast<int>(m_index.size()) - 1;
  while (low <= high) {
    const int middle = (low + high) / 2;
    const int result = m_indexCompare(name.c_str(), NameAt(m_index[middle]).c_str());
    if (result == 0) {
      // The first of equal names, so duplicates resolve the same way always.
      int first = middle;
      while (first > 0 && m_indexCompare(name.c_str(), NameAt(m_index[first - 1]).c_str()) == 0) --first;
      return m_index[first];
    }
    if (result < 0) high = middle - 1;
    else low = middle + 1;
  }
  return -1;
}

int CZipDirectory::FindFile(const std::string& name, bool caseSensitive, bool fileNameOnly) {
  if (!m_indexBuilt || caseSensitive != m_indexCaseSensitive) BuildIndex(caseSensitive);
  if (fileNameOnly) {
    for (WORD i : m_index)
      if (m_indexCompare(LastComponent(NameAt(i)).c_str(), name.c_str()) == 0) return i;
    return -1;
  }
  return SearchIndex(name);
}

void CZipDirectory::DiscardFromFile() {
  if (!m_inArchive) return;
  m_pStorage->SetLength(m_end.m_iBytesBeforeZip + m_end.m_uOffset);
  m_inArchive = false;
}

// In a spanned archive each header goes whole onto one volume; the end
// record tells where the directory starts and how much of it is on the
// last volume.
void CZipDirectory::Write(CZipProgressCallback* callback) {
  if (m_inArchive) return;
  const std::string path = m_pStorage->GetArchiveName();
  const std::int64_t start = m_pStorage->GetLength();
  m_pStorage->Seek(start);
  std::int64_t size = 0;
  for (const auto& h : m_entries) size += h->GetSize(false);
  const DWORD endSize = kEndSize + m_pszComment.GetSize();
  if (!m_pStorage->IsSpanned() && start - m_end.m_iBytesBeforeZip + size + endSize > 0xFFFFFFFFll)
    CZipException::Throw(27, path, "the archive would exceed 4 GiB, which needs ZIP64");
  int disk = m_pStorage->GetCurrentDisk();
  std::int64_t offset = start - m_end.m_iBytesBeforeZip;
  WORD cdDisk = static_cast<WORD>(disk);
  WORD onDisk = 0;
  if (callback) {
    callback->Init(nullptr, path.c_str());
    callback->SetTotal(GetCount());
  }
  for (std::size_t i = 0; i < m_entries.size(); ++i) {
    if (callback && i > 0 && i % 256 == 0 && !callback->Callback(256)) {
      const bool undoable = !m_pStorage->IsSpanned();
      if (undoable) m_pStorage->SetLength(start);
      callback->CallbackEnd();
      CZipException::Throw(undoable ? CZipException::abortedSafely : CZipException::aborted, path);
    }
    m_pStorage->EnsureRoom(m_entries[i]->GetSize(false));
    if (m_pStorage->GetCurrentDisk() != disk) {
      disk = m_pStorage->GetCurrentDisk();
      onDisk = 0;
    }
    if (i == 0) {
      cdDisk = static_cast<WORD>(disk);
      offset = m_pStorage->GetPosition() - m_end.m_iBytesBeforeZip;
    }
    m_entries[i]->WriteCentral(*m_pStorage);
    ++onDisk;
  }
  m_pStorage->EnsureRoom(endSize);
  if (m_pStorage->GetCurrentDisk() != disk) {
    onDisk = 0;
    if (m_entries.empty()) {
      cdDisk = static_cast<WORD>(m_pStorage->GetCurrentDisk());
      offset = m_pStorage->GetPosition();
    }
  }
  CZipByteBuffer block(endSize, true);
  BYTE* b = block.GetBuffer();
  Put32(b, kEndSignature);
  Put16(b + 4, static_cast<WORD>(m_pStorage->GetCurrentDisk()));
  Put16(b + 6, cdDisk);
  Put16(b + 8, onDisk);
  Put16(b + 10, GetCount());
  Put32(b + 12, static_cast<DWORD>(size));
  Put32(b + 16, static_cast<DWORD>(offset));
  Put16(b + 20, static_cast<WORD>(m_pszComment.GetSize()));
  if (!m_pszComment.IsEmpty()) std::memcpy(b + kEndSize, m_pszComment.GetBuffer(), m_pszComment.GetSize());
  const std::int64_t endPosition = m_pStorage->GetPosition();
  m_pStorage->Write(b, block.GetSize(), true);
  m_pStorage->Flush();
  m_end.m_uThisDisk = static_cast<WORD>(m_pStorage->GetCurrentDisk());
  m_end.m_uDiskWithCD = cdDisk;
  m_end.m_uSize = static_cast<DWORD>(size);
  m_end.m_uOffset = static_cast<DWORD>(offset);
  m_end.m_uEntriesNumber = GetCount();
  m_end.m_uDiskEntriesNo = onDisk;
  m_end.m_iEndRecordPosition = endPosition;
  m_inArchive = true;
  if (callback) callback->CallbackEnd();
}

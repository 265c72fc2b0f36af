// Extraction of entries to disk or to a file object, and testing. Output
// appears only once the entry has been read through and has passed its
// checks.
#include <sys/stat.h>

#include "zip/ZipArchive.h"
#include "zip/ZipAttributes.h"
#include "zip/ZipException.h"
#include "zip/ZipExtractPath.h"
#include "zip/ZipExtractTarget.h"
#include "zip/ZipPathSplitter.h"

namespace {

std::string WithoutTrailingSeparators(std::string text) {
  while (!text.empty() && CZipPathSplitter::IsSeparator(text.back())) text.pop_back();
  return text;
}

// Read-only entries become 0444, executable ones (a Unix mode with the
// owner's execute bit) 0755, the rest 0644; the umask applies on creation.
mode_t ModeFor(DWORD attributes) {
  if (attributes & ZipAttributes::kReadOnly) return 0444;
  if ((attributes >> 16) & S_IXUSR) return 0755;
  return 0644;
}

}  // namespace

std::string CZipArchive::RelativeExtractPart(const std::string& name, bool fullPath) const {
  const std::string n = WithoutTrailingSeparators(name);
  const CZipPathSplitter splitter(n);
  if (fullPath) return m_bRemoveDriveLetter ? splitter.GetNoDrive() : n;
  const std::size_t rootLength = m_szRootPath.size();
  if (rootLength > 0 && n.size() >= rootLength &&
      m_pZipCompare(n.substr(0, rootLength).c_str(), m_szRootPath.c_str()) == 0 &&
      (n.size() == rootLength || CZipPathSplitter::IsSeparator(n[rootLength]))) {
    std::size_t at = rootLength;
    while (at < n.size() && CZipPathSplitter::IsSeparator(n[at])) ++at;
    if (at < n.size()) return n.substr(at);
  }
  return splitter.GetFileName();
}

// The entry's own name is checked even when a new name replaces it or only
// its last part is used: an archive carrying a hostile name is not trusted
// for the rest of that entry either.
CZipExtractPath CZipArchive::DecideExtractPath(const std::string& entryName, const std::string& path, bool fullPath,
                                               const char* newName) const {
  const std::string n = newName ? std::string(newName) : entryName;
  return CZipExtractPath(path, entryName, RelativeExtractPart(n, fullPath));
}

std::string CZipArchive::BuildExtractPath(const std::string& entryName, const std::string& path, bool fullPath,
                                          const char* newName) const {
  return DecideExtractPath(entryName, path, fullPath, newName).GetPath();
}

int CZipArchive::RunEntryLoop(DWORD bufferSize, CZipProgressCallback* callback,
                              const std::function<void(const BYTE*, DWORD)>& sink, int& abortCause) {
  CZipByteBuffer buffer(bufferSize);
  abortCause = 0;
  DWORD n = 0;
  do {
    n = ReadFile(buffer.GetBuffer(), bufferSize);
    if (n > 0) sink(buffer.GetBuffer(), n);
    if (callback && !callback->RequestCallback(n)) {
      BYTE probe;
      const bool last = n < bufferSize || ReadFile(&probe, 1) == 0;
      abortCause = last ? CZipException::abortedSafely : CZipException::aborted;
      break;
    }
  } while (n == bufferSize);
  return static_cast<int>(n);
}

bool CZipArchive::ExtractFile(WORD index, const std::string& path, bool fullPath, const char* newName,
                              DWORD bufferSize) {
  if (bufferSize == 0 || IsClosed() || !m_centralDir.IsValidIndex(index) || m_iFileOpened != kNoEntry) return false;
  const CZipEntryHeader h = m_centralDir[index];
  const CZipExtractPath where = DecideExtractPath(h.GetFileName(), path, fullPath, newName);
  where.ThrowIfRefused(ArchiveName());
  CZipExtractTarget target(where);
  CZipProgressCallback* callback = GetCallback(CZipProgressCallback::cbExtract);
  if (callback) callback->Init(h.GetFileName().c_str(), target.GetPath().c_str());
  if (h.IsDirectory()) {
    if (callback) callback->SetTotal(0);
    target.CreateDirectories();
    if (callback) callback->CallbackEnd();
    return true;
  }
  if (callback) callback->SetTotal(h.m_uUncomprSize);
  if (!OpenFile(index)) return false;
  int result = 0;
  int abortCause = 0;
  try {
    CZipFile& file = target.CreateFile(ModeFor(h.GetSystemAttr()));
    RunEntryLoop(bufferSize, callback, [&](const BYTE* data, DWORD size) { file.Write(data, size); }, abortCause);
    result = CloseFile(nullptr, false);
    if (result == 1) {
      // A time that cannot be set is a warning, not a lost file.
      target.SetTime(h.GetTime());
      target.Commit();
    }
  } catch (...) {
    AbandonEntry();
    throw;
  }
  // Stopped on the last chunk, the file is whole and checked: it stays and
  // the stop counts as safe. Otherwise the target was never committed, so
  // nothing of it is left behind, and the stop is not safe.
  if (result != 1 && abortCause == CZipException::abortedSafely) abortCause = CZipException::aborted;
  if (callback) callback->CallbackEnd();
  if (abortCause != 0) CZipException::Throw(abortCause, target.GetPath());
  return result == 1;
}

bool CZipArchive::ExtractFile(WORD index, CZipFileBase& file, DWORD bufferSize) {
  if (bufferSize == 0 || IsClosed() || !m_centralDir.IsValidIndex(index)) return false;
  const CZipEntryHeader& h = m_centralDir[index];
  if (h.IsDirectory() || !OpenFile(index)) return false;
  CZipProgressCallback* callback = GetCallback(CZipProgressCallback::cbExtract);
  if (callback) {
    callback->Init(h.GetFileName().c_str(), nullptr);
    callback->SetTotal(h.m_uUncomprSize);
  }
  const std::int64_t start = file.SeekToEnd();
  int result = 0;
  int abortCause = 0;
  try {
    RunEntryLoop(bufferSize, callback, [&](const BYTE* data, DWORD size) { file.Write(data, size); }, abortCause);
    result = CloseFile(nullptr, false);
  } catch (...) {
    AbandonEntry();
    // What a failed entry wrote is taken back, so the caller's data stays whole.
    try {
      file.SetLength(start);
    } catch (...) {
    }
    if (callback) callback->CallbackEnd();
    throw;
  }
  if (result != 1) {
    file.SetLength(start);
    if (abortCause == CZipException::abortedSafely) abortCause = CZipException::aborted;
  }
  if (callback) callback->CallbackEnd();
  if (abortCause != 0) CZipException::Throw(abortCause);
  return result == 1;
}

bool CZipArchive::TestFile(WORD index, DWORD bufferSize) {
  if (bufferSize == 0 || IsClosed() || !m_centralDir.IsValidIndex(index) || m_storage.IsNewSpanned()) return false;
  const CZipEntryHeader& h = m_centralDir[index];
  CZipProgressCallback* callback = GetCallback(CZipProgressCallback::cbTest);
  if (callback) callback->Init(h.GetFileName().c_str(), nullptr);
  if (h.IsDirectory()) {
    if (callback) callback->SetTotal(0);
    const bool empty = (h.m_uComprSize == 0 && h.m_uUncomprSize == 0) ||
                       (h.IsEncrypted() && h.m_uComprSize == 12 && h.m_uUncomprSize == 0);
    if (!empty) CZipException::Throw(CZipException::dirWithSize);
    if (callback) callback->CallbackEnd();
    return true;
  }
  if (callback) callback->SetTotal(h.m_uUncomprSize);
  if (!OpenFile(index)) return false;
  int result = 0;
  try {
    int abortCause = 0;
    RunEntryLoop(bufferSize, callback, [](const BYTE*, DWORD) {}, abortCause);
    result = CloseFile(nullptr, false);
    if (result == -1 && abortCause == CZipException::abortedSafely) abortCause = CZipException::aborted;
    if (callback) callback->CallbackEnd();
    if (abortCause != 0) CZipException::Throw(abortCause);
  } catch (...) {
    AbandonEntry();
    throw;
  }
  return result != -1;
}

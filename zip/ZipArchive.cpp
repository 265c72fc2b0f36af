#include "zip/ZipArchive.h"

#include <utility>

#include "zip/ZipAttributes.h"
#include "zip/ZipException.h"
#include "zip/ZipFileSystem.h"
#include "zip/ZipWildcard.h"

CZipArchive::CZipArchive() : m_pZipCompare(GetNameCompareFunction(false, true)) {
  m_centralDir.Init(&m_storage);
}

CZipArchive::~CZipArchive() {
  // A destroyed archive that was never closed is abandoned, not finished:
  // writing a directory from a destructor could hide an earlier failure.
  if (!IsClosed()) Close(afAfterException);
}

void CZipArchive::ResetState() {
  m_pszPassword.Release();
  m_iFileOpened = kNoEntry;
  m_centralDir.Clear();
  m_iArchiveSystCompatib = ZipAttributes::kDos;
  m_szRootPath.clear();
}

void CZipArchive::Open(const std::string& path, int mode, int volumeSize) {
  if (!IsClosed()) return;
  m_storage.SetWriteBufferSize(m_writeBufferSize);
  m_storage.Open(path, mode, volumeSize);
  ResetState();
  if (mode == zipOpen || mode == zipOpenReadOnly) ReadDirectory();
  else m_centralDir.Changed();
}

// New entries follow the attribute convention of the archive's first entry
// when this library knows it.
void CZipArchive::ReadDirectory() {
  try {
    m_centralDir.Read();
  } catch (...) {
    m_centralDir.Clear();
    m_storage.Close(true);
    throw;
  }
  if (m_centralDir.GetCount() > 0) {
    const int system = m_centralDir[0].GetSystemCompatibility();
    if (ZipAttributes::IsSupportedSystem(system)) m_iArchiveSystCompatib = system;
  }
}

void CZipArchive::Open(CZipFileBase& file, int mode) {
  if (!IsClosed() || mode < zipOpen || mode > zipCreate) return;
  m_storage.SetWriteBufferSize(m_writeBufferSize);
  m_storage.Open(file, mode);
  ResetState();
  if (mode == zipCreate) m_centralDir.Changed();
  else ReadDirectory();
}

bool CZipArchive::IsClosed(bool archive) const {
  if (archive) return m_storage.IsClosed();
  return m_storage.GetFile() == nullptr || m_storage.GetFile()->IsClosed();
}

void CZipArchive::Close(int afterException, bool updateTimeStamp) {
  if (IsClosed()) return;
  if (m_iFileOpened == kReading) CloseFile(nullptr, afterException != afNoException);
  if (m_iFileOpened == kWriting) CloseNewFile(afterException != afNoException);
  if (afterException != afAfterException && !m_storage.IsReadOnly()) {
    try {
      WriteCentralDirectory();
    } catch (...) {
      m_centralDir.Clear();
      m_storage.Close(true);
      throw;
    }
  }
  std::time_t newest = 0;
  if (updateTimeStamp)
    for (WORD i = 0; i < m_centralDir.GetCount(); ++i) newest = std::max(newest, m_centralDir[i].GetTime());
  m_centralDir.Clear();
  const std::string path = m_storage.Close(afterException == afAfterException);
  if (updateTimeStamp && !path.empty() && newest > 0) ZipFileSystem::SetFileModTime(path, newest);
  m_pszPassword.Release();
}

int CZipArchive::FindFile(const std::string& name, int caseMode, bool fileNameOnly) {
  if (IsClosed()) return -1;
  const bool caseSensitive =
      caseMode == ffCaseSens ? true : caseMode == ffNoCaseSens ? false : m_bCaseSensitive;
  return m_centralDir.FindFile(name, caseSensitive, fileNameOnly);
}

bool CZipArchive::GetFileInfo(CZipEntryHeader& out, WORD index) const {
  if (IsClosed() || !m_centralDir.IsValidIndex(index)) return false;
  out = m_centralDir[index];
  return true;
}

void CZipArchive::FindMatches(const std::string& pattern, std::vector<WORD>& indexes, bool fullPath) {
  if (IsClosed()) return;
  CWildcard wildcard(pattern, m_bCaseSensitive);
  for (WORD i = 0; i < m_centralDir.GetCount(); ++i) {
    std::string name = m_centralDir[i].GetFileName();
    if (!fullPath) {
      while (!name.empty() && (name.back() == '/' || name.back() == '\\')) name.pop_back();
      const auto slash = name.find_last_of("/\\");
      if (slash != std::string::npos) name.erase(0, slash + 1);
    }
    if (wildcard.IsMatch(name)) indexes.push_back(i);
  }
}

void CZipArchive::FindFiles(const std::vector<std::string>& names, std::vector<WORD>& indexes) {
  for (const std::string& name : names) {
    const int index = FindFile(name, ffDefault, false);
    if (index >= 0) indexes.push_back(static_cast<WORD>(index));
  }
}

void CZipArchive::EnableNameIndex(bool enable) {
  if (!IsClosed()) m_centralDir.EnableIndex(enable, m_bCaseSensitive);
}

std::string CZipArchive::GetArchivePath() const { return IsClosed() ? std::string() : m_storage.GetArchiveName(); }

std::string CZipArchive::GetGlobalComment() const {
  if (IsClosed()) return {};
  const CZipByteBuffer& c = m_centralDir.m_pszComment;
  return std::string(reinterpret_cast<const char*>(c.GetBuffer()), c.GetSize());
}

int CZipArchive::GetCentralDirInfo(CZipEndRecord& out) const {
  out = m_centralDir.GetEndRecord();
  if (m_storage.IsExistingSpanned()) return -1;
  if (!m_storage.IsNewSpanned()) return 0;
  out.m_uThisDisk = static_cast<WORD>(m_storage.GetCurrentDisk());
  return m_storage.GetCurrentDisk();
}

void CZipArchive::SetBufferSizes(int writeBuffer, int generalBuffer, int searchBuffer) {
  if (!IsClosed()) return;
  m_writeBufferSize = std::max(writeBuffer, 1024);
  m_iBufferSize = static_cast<DWORD>(std::max(generalBuffer, 1024));
  m_centralDir.m_iBufferSize = std::max(searchBuffer, 1024);
}

void CZipArchive::SetCallback(CZipProgressCallback* callback, int kinds) {
  for (int bit = 0; bit < 11; ++bit) {
    const int kind = 1 << bit;
    if ((kinds & kind) == 0) continue;
    if (callback) m_callbacks[kind] = callback;
    else m_callbacks.erase(kind);
  }
}

CZipProgressCallback* CZipArchive::GetCallback(int kind) const {
  const auto it = m_callbacks.find(kind);
  if (it == m_callbacks.end()) return nullptr;
  it->second->m_iType = kind;
  return it->second;
}

bool CZipArchive::SetPassword(const char* password) {
  if (m_iFileOpened != kNoEntry) return false;
  m_pszPassword.Release();
  if (password == nullptr) return true;
  const std::string text = password;
  for (char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 1 || b > 127) return false;
  }
  m_pszPassword.Assign(text.data(), static_cast<DWORD>(text.size()));
  return true;
}

std::string CZipArchive::GetPassword() const {
  return std::string(reinterpret_cast<const char*>(m_pszPassword.GetBuffer()), m_pszPassword.GetSize());
}

void CZipArchive::SetRootPath(const char* path) {
  if (IsClosed() || m_iFileOpened != kNoEntry) return;
  m_szRootPath = path ? path : "";
  while (!m_szRootPath.empty() && (m_szRootPath.back() == '/' || m_szRootPath.back() == '\\'))
    m_szRootPath.pop_back();
}

bool CZipArchive::SetHostSystem(int code) {
  if (IsClosed() || m_iFileOpened == kWriting || !ZipAttributes::IsSupportedSystem(code)) return false;
  m_iArchiveSystCompatib = code;
  return true;
}

void CZipArchive::ThrowDamaged(const std::string& detail) const {
  CZipException::Throw(CZipException::badZipFile, ArchiveName(), detail);
}

void CZipArchive::ThrowZlib(int result) const {
  CZipException::Throw(CZipException::ZlibErrorToCause(result), ArchiveName());
}

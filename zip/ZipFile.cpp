#include "zip/ZipFile.h"

bool CZipFile::Open(const std::string& path, UINT flags, bool throwOnError) {
  sys::CFileException error;
  if (m_file.Open(path, flags, &error)) return true;
  if (throwOnError) throw error;
  return false;
}

void CZipFile::Close() {
  if (m_file.IsOpen()) m_file.Close();
}

std::int64_t CZipFile::Seek(std::int64_t offset, int from) {
  const auto where = from == begin ? sys::CFile::begin : from == current ? sys::CFile::current : sys::CFile::end;
  return m_file.Seek(offset, where);
}

#include "core/conversion/OutputTextFile.h"

#include <cstring>

COutputTextFile::~COutputTextFile() {
  // A destructor cannot report; the conversion closes the file itself and
  // tells the user when that fails. A writer that goes unclosed (a document
  // destroyed in mid-conversion) still writes out the rows it holds, as an
  // unbuffered file would have them.
  Close();
}

int COutputTextFile::Open(const std::string& path) {
  file_.Abort();
  buffer_.clear();
  sys::CFileException error;
  const unsigned flags = sys::CFile::modeCreate | sys::CFile::modeWrite | sys::CFile::shareExclusive;
  if (!file_.Open(path, flags, &error)) return error.m_cause == 0 ? sys::CFileException::genericException : error.m_cause;
  buffer_.reserve(kBufferSize + 4096);
  return 0;
}

int COutputTextFile::WriteLine(const std::string& text) {
  if (!file_.IsOpen()) return sys::CFileException::invalidFile;
  // Whole runs between line ends are copied at once.
  std::size_t done = 0;
  for (std::size_t nl = text.find('\n'); nl != std::string::npos; nl = text.find('\n', done)) {
    buffer_.append(text, done, nl - done).append("\r\n");
    done = nl + 1;
  }
  buffer_.append(text, done, std::string::npos);
  return buffer_.size() >= kBufferSize ? FlushBuffer() : 0;
}

int COutputTextFile::FlushBuffer() {
  if (buffer_.empty()) return 0;
  try {
    file_.Write(buffer_.data(), buffer_.size());
    buffer_.clear();
    return 0;
  } catch (const sys::CFileException& e) {
    buffer_.clear();
    return e.m_cause == 0 ? sys::CFileException::genericException : e.m_cause;
  }
}

int COutputTextFile::Close() {
  if (!file_.IsOpen()) return 0;
  int cause = FlushBuffer();
  try {
    file_.Close();
  } catch (const sys::CFileException& e) {
    if (cause == 0) cause = e.m_cause == 0 ? sys::CFileException::genericException : e.m_cause;
    file_.Abort();
  }
  return cause;
}

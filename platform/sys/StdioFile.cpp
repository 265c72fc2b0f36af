#include "platform/sys/StdioFile.h"

#include <algorithm>
#include <cstring>

namespace sys {

CStdioFile::CStdioFile(const std::string& path, unsigned flags) {
  CFileException error;
  if (!Open(path, flags, &error)) throw error;
}

CStdioFile::~CStdioFile() {
  try {
    FlushWriteBuffer();
  } catch (const CFileException&) {
    // A destructor cannot report; callers that care call Close.
  }
}

bool CStdioFile::Open(const std::string& path, unsigned flags, CFileException* error) {
  // A file still open has its pending lines written out first; dropping
  // them would lose output without a word.
  try {
    Close();
  } catch (const CFileException& e) {
    if (error) *error = e;
    return false;
  }
  text_ = (flags & typeBinary) == 0;
  return CFile::Open(path, flags, error);
}

void CStdioFile::Close() {
  if (!IsOpen()) return;
  // Nothing read ahead from this file may be handed out once it is closed.
  read_buffer_.clear();
  read_pos_ = 0;
  try {
    FlushWriteBuffer();
  } catch (...) {
    write_buffer_.clear();
    Abort();
    throw;
  }
  CFile::Close();
}

bool CStdioFile::FillReadBuffer() {
  FlushWriteBuffer();
  read_buffer_.resize(kBufferSize);
  read_pos_ = 0;
  const std::size_t n = CFile::Read(read_buffer_.data(), kBufferSize);
  read_buffer_.resize(n);
  return n > 0;
}

void CStdioFile::DropReadBuffer() {
  if (read_pos_ < read_buffer_.size()) {
    // Give back what was read ahead, so the descriptor is where the caller is.
    const auto ahead = static_cast<std::int64_t>(read_buffer_.size() - read_pos_);
    CFile::Seek(-ahead, current);
  }
  read_buffer_.clear();
  read_pos_ = 0;
}

void CStdioFile::FlushWriteBuffer() {
  if (write_buffer_.empty() || !IsOpen()) return;
  std::string pending;
  pending.swap(write_buffer_);
  CFile::Write(pending.data(), pending.size());
}

bool CStdioFile::ReadString(std::string& line) {
  line.clear();
  bool any = false;
  for (;;) {
    if (read_pos_ >= read_buffer_.size() && !FillReadBuffer()) break;
    const char* start = read_buffer_.data() + read_pos_;
    const std::size_t left = read_buffer_.size() - read_pos_;
    const void* nl = std::memchr(start, '\n', left);
    any = true;
    if (nl == nullptr) {
      line.append(start, left);
      read_pos_ = read_buffer_.size();
      continue;
    }
    const std::size_t n = static_cast<std::size_t>(static_cast<const char*>(nl) - start);
    line.append(start, n);
    read_pos_ += n + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
  }
  if (any && !line.empty() && line.back() == '\r') line.pop_back();
  return any;
}

void CStdioFile::WriteString(const std::string& text) {
  if (!read_buffer_.empty()) DropReadBuffer();
  if (!text_) {
    write_buffer_ += text;
  } else {
    // Whole runs between line ends are appended at once.
    std::size_t done = 0;
    for (std::size_t nl = text.find('\n'); nl != std::string::npos; nl = text.find('\n', done)) {
      write_buffer_.append(text, done, nl - done).append("\r\n");
      done = nl + 1;
    }
    write_buffer_.append(text, done, std::string::npos);
  }
  if (write_buffer_.size() >= kBufferSize) FlushWriteBuffer();
}

std::size_t CStdioFile::Read(void* buffer, std::size_t count) {
  auto* out = static_cast<char*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    if (read_pos_ >= read_buffer_.size() && !FillReadBuffer()) break;
    const std::size_t n = std::min(count - done, read_buffer_.size() - read_pos_);
    std::memcpy(out + done, read_buffer_.data() + read_pos_, n);
    read_pos_ += n;
    done += n;
  }
  return done;
}

void CStdioFile::Write(const void* buffer, std::size_t count) {
  if (!read_buffer_.empty()) DropReadBuffer();
  write_buffer_.append(static_cast<const char*>(buffer), count);
  if (write_buffer_.size() >= kBufferSize) FlushWriteBuffer();
}

std::int64_t CStdioFile::Seek(std::int64_t offset, SeekPosition from) {
  FlushWriteBuffer();
  // The descriptor goes back to the caller's position first, so a seek that
  // fails leaves the file where the caller was, not at the end of the
  // read-ahead.
  if (!read_buffer_.empty()) DropReadBuffer();
  return CFile::Seek(offset, from);
}

std::int64_t CStdioFile::GetPosition() const {
  return CFile::GetPosition() + static_cast<std::int64_t>(write_buffer_.size()) -
         static_cast<std::int64_t>(read_buffer_.size() - read_pos_);
}

std::int64_t CStdioFile::GetLength() const {
  const std::int64_t on_disk = CFile::GetLength();
  // Only pending writes can make the file longer than the disk says; the
  // descriptor's read-ahead position says nothing about the length of a
  // file that shrank meanwhile.
  if (write_buffer_.empty()) return on_disk;
  return std::max(on_disk, CFile::GetPosition() + static_cast<std::int64_t>(write_buffer_.size()));
}

void CStdioFile::SetLength(std::int64_t length) {
  FlushWriteBuffer();
  CFile::SetLength(length);
}

void CStdioFile::Flush() {
  FlushWriteBuffer();
  CFile::Flush();
}

}  // namespace sys

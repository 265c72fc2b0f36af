#include "core/conversion/OutputTextFile.h"

#include <algorithm>
#include <cstring>

namespace {
int CauseOf(const sys::CFileException& e) {
  return e.m_cause == 0 ? sys::CFileException::genericException : e.m_cause;
}
}  // namespace

COutputTextFile::~COutputTextFile() {
  // A destructor cannot report; the conversion closes the file itself and
  // tells the user when that fails. A writer that goes unclosed (a document
  // destroyed in mid-conversion) still writes out the rows it holds, as an
  // unbuffered file would have them.
  Close();
}

int COutputTextFile::Open(const std::string& path) {
  file_.Abort();
  ClearBuffer();
  flushed_size_ = 0;
  whole_lines_end_ = 0;
  written_tag_ = 0;
  failure_ = 0;
  replacement_.Abandon();
  kept_previous_ = false;
  path_ = path;
  if (COutputReplacement::Replaces(path)) {
    int cause = 0;
    const int fd = replacement_.Begin(path, cause);
    if (fd < 0) return cause;
    file_.Attach(fd, replacement_.GetTemporaryPath());
  } else {
    sys::CFileException error;
    const unsigned flags = sys::CFile::modeCreate | sys::CFile::modeWrite | sys::CFile::shareExclusive;
    if (!file_.Open(path, flags, &error)) return CauseOf(error);
  }
  // Sized once: a row is written at its end with no resize of its own.
  if (buffer_.size() < kBufferSize + kRowSlack) buffer_.resize(kBufferSize + kRowSlack);
  marks_.reserve(4096);
  return 0;
}

int COutputTextFile::WriteLine(const std::string& text, std::uint32_t tag) {
  if (!file_.IsOpen()) return sys::CFileException::invalidFile;
  if (failure_ != 0) return failure_;
  // Whole runs between line ends are copied at once.
  std::size_t done = 0;
  for (std::size_t nl = text.find('\n'); nl != std::string::npos; nl = text.find('\n', done)) {
    Append(text.data() + done, nl - done);
    Append("\r\n", 2);
    done = nl + 1;
  }
  if (done > 0) marks_.push_back({used_, tag});
  Append(text.data() + done, text.size() - done);
  return used_ >= kBufferSize ? FlushBuffer() : 0;
}

char* COutputTextFile::MakeRoom(char* at, std::size_t more) {
  const auto offset = static_cast<std::size_t>(at - buffer_.data());
  if (offset + more > buffer_.size()) buffer_.resize(std::max(buffer_.size() * 2, offset + more + kRowSlack));
  return buffer_.data() + offset;
}

int COutputTextFile::EndRowWithLineEnds(const char* end, std::uint32_t tag, bool ends_line) {
  // Rare (a text with a line end in it): the long way, each line end made
  // CR LF and the row's own given back its plain form first.
  const auto length = static_cast<std::size_t>(end - (buffer_.data() + used_));
  std::string text(buffer_.data() + used_, length - (ends_line ? 2 : 0));
  if (ends_line) text += '\n';
  return WriteLine(text, tag);
}

void COutputTextFile::Reserve(std::size_t more) {
  if (used_ + more > buffer_.size()) buffer_.resize(std::max(buffer_.size() * 2, used_ + more + kRowSlack));
}

void COutputTextFile::Append(const char* text, std::size_t length) {
  Reserve(length);
  std::memcpy(buffer_.data() + used_, text, length);
  used_ += length;
}

void COutputTextFile::ClearBuffer() {
  used_ = 0;
  marks_.clear();
}

int COutputTextFile::FlushBuffer() {
  if (used_ == 0) return 0;
  try {
    file_.Write(buffer_.data(), used_);
  } catch (const sys::CFileException& e) {
    failure_ = CauseOf(e);
    CutBackToWholeLines();
    ClearBuffer();
    return failure_;
  }
  if (!marks_.empty()) {
    whole_lines_end_ = flushed_size_ + static_cast<std::int64_t>(marks_.back().end);
    written_tag_ = marks_.back().tag;
  }
  flushed_size_ += static_cast<std::int64_t>(used_);
  ClearBuffer();
  return 0;
}

void COutputTextFile::CutBackToWholeLines() {
  // The file position tells how much of the buffer the system took before
  // it refused the rest; the lines that arrived whole stay.
  std::int64_t reached = flushed_size_;
  try {
    reached = file_.GetPosition();
  } catch (const sys::CFileException&) {
    // Unknown: nothing of the buffer is taken as written.
  }
  const auto taken = static_cast<std::size_t>(std::max<std::int64_t>(reached - flushed_size_, 0));
  for (auto mark = marks_.rbegin(); mark != marks_.rend(); ++mark) {
    if (mark->end <= taken) {
      whole_lines_end_ = flushed_size_ + static_cast<std::int64_t>(mark->end);
      written_tag_ = mark->tag;
      break;
    }
  }
  try {
    file_.SetLength(whole_lines_end_);
    flushed_size_ = whole_lines_end_;
  } catch (const sys::CFileException&) {
    // The write's own cause is what the user is told; a file that cannot
    // even be shortened keeps what the system wrote.
  }
}

int COutputTextFile::Close() {
  kept_previous_ = false;
  if (!file_.IsOpen()) return 0;
  int cause = failure_ != 0 ? 0 : FlushBuffer();
  try {
    // The rename must not put a file on the disk whose rows are not there yet.
    if (replacement_.IsActive() && cause == 0 && failure_ == 0) file_.Flush();
    file_.Close();
  } catch (const sys::CFileException& e) {
    if (cause == 0 && failure_ == 0) cause = CauseOf(e);
    file_.Abort();
  }
  ClearBuffer();
  return FinishReplacement(cause);
}

int COutputTextFile::FinishReplacement(int cause) {
  if (!replacement_.IsActive()) return cause;
  if (cause != 0 || failure_ != 0) {
    replacement_.Abandon();
    kept_previous_ = true;
    return cause;
  }
  cause = replacement_.Commit();
  kept_previous_ = cause != 0;
  return cause;
}

int COutputTextFile::Discard() {
  if (!replacement_.IsActive() || !file_.IsOpen()) return Close();
  file_.Abort();
  ClearBuffer();
  replacement_.Abandon();
  kept_previous_ = true;
  return 0;
}

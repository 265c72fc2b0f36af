#include "platform/afx/Archive.h"

#include <algorithm>
#include <cstring>

namespace afx {

namespace {

// Text is read in pieces of this size, so a damaged length costs no more
// memory than the bytes that follow it.
constexpr std::size_t kTextPiece = 64 * 1024;

}  // namespace

CArchive::CArchive(sys::CFile* file, unsigned mode, std::size_t buffer_size)
    : mode_(mode), file_(file), buffer_capacity_(std::max<std::size_t>(buffer_size, 64)) {
  if (!file_) throw CArchiveException(CArchiveException::genericException, "An archive needs a file.");
  if (IsStoring()) buffer_.reserve(buffer_capacity_);
}

CArchive::CArchive(std::vector<BYTE>& buffer, unsigned mode)
    : mode_(mode), memory_(&buffer), buffer_capacity_(0) {}

CArchive::~CArchive() {
  if (!open_ || !IsStoring()) return;
  try {
    Flush();
  } catch (...) {
    // A destructor must not throw; Close reports this failure.
  }
}

void CArchive::RequireLoading() const {
  if (!open_) throw CArchiveException(CArchiveException::genericException, "The archive is closed.");
  if (!IsLoading()) throw CArchiveException(CArchiveException::writeOnly);
}

void CArchive::RequireStoring() const {
  if (!open_) throw CArchiveException(CArchiveException::genericException, "The archive is closed.");
  if (!IsStoring()) throw CArchiveException(CArchiveException::readOnly);
}

std::size_t CArchive::ReadFromFile(BYTE* out, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    if (buffered_start_ == buffer_.size()) {
      // Large reads go straight to the caller; small ones through the buffer.
      if (count - done >= buffer_capacity_) {
        const std::size_t got = file_->Read(out + done, count - done);
        done += got;
        break;
      }
      buffer_.resize(buffer_capacity_);
      buffer_.resize(file_->Read(buffer_.data(), buffer_capacity_));
      buffered_start_ = 0;
      if (buffer_.empty()) break;
    }
    const std::size_t take = std::min(count - done, buffer_.size() - buffered_start_);
    std::memcpy(out + done, buffer_.data() + buffered_start_, take);
    buffered_start_ += take;
    done += take;
  }
  return done;
}

std::size_t CArchive::Read(void* buffer, std::size_t count) {
  RequireLoading();
  auto* out = static_cast<BYTE*>(buffer);
  if (file_) return ReadFromFile(out, count);
  const std::size_t take = std::min(count, memory_->size() - memory_position_);
  if (take) std::memcpy(out, memory_->data() + memory_position_, take);
  memory_position_ += take;
  return take;
}

void CArchive::ReadExact(void* buffer, std::size_t count) {
  if (Read(buffer, count) != count) throw CArchiveException(CArchiveException::endOfFile);
}

void CArchive::Write(const void* buffer, std::size_t count) {
  RequireStoring();
  const auto* in = static_cast<const BYTE*>(buffer);
  if (memory_) {
    memory_->insert(memory_->end(), in, in + count);
    return;
  }
  if (buffer_.size() + count > buffer_capacity_) {
    Flush();
    if (count >= buffer_capacity_) {
      file_->Write(in, count);
      return;
    }
  }
  buffer_.insert(buffer_.end(), in, in + count);
}

void CArchive::Flush() {
  if (!open_ || !IsStoring() || !file_ || buffer_.empty()) return;
  file_->Write(buffer_.data(), buffer_.size());
  buffer_.clear();
}

void CArchive::Close() {
  Flush();
  Abort();
}

void CArchive::Abort() {
  open_ = false;
  file_ = nullptr;
  memory_ = nullptr;
  buffer_.clear();
}

void CArchive::WriteLittleEndian(unsigned long long value, int bytes) {
  BYTE out[8];
  for (int i = 0; i < bytes; ++i) out[i] = static_cast<BYTE>(value >> (8 * i) & 0xFF);
  Write(out, static_cast<std::size_t>(bytes));
}

unsigned long long CArchive::ReadLittleEndian(int bytes) {
  BYTE in[8];
  ReadExact(in, static_cast<std::size_t>(bytes));
  unsigned long long value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = value << 8 | in[i];
  return value;
}

CArchive& CArchive::operator<<(BYTE value) {
  WriteLittleEndian(value, 1);
  return *this;
}
CArchive& CArchive::operator<<(WORD value) {
  WriteLittleEndian(value, 2);
  return *this;
}
CArchive& CArchive::operator<<(DWORD value) {
  WriteLittleEndian(value, 4);
  return *this;
}
CArchive& CArchive::operator<<(LONG value) {
  WriteLittleEndian(static_cast<DWORD>(value), 4);
  return *this;
}

CArchive& CArchive::operator<<(const std::string& text) {
  const std::size_t length = text.size();
  if (length < 0xFF) {
    *this << static_cast<BYTE>(length);
  } else if (length < 0xFFFF) {
    *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(length);
  } else if (length <= 0xFFFFFFFFu) {
    *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << static_cast<DWORD>(length);
  } else {
    throw CArchiveException(CArchiveException::badIndex, "A text too long for an archive.");
  }
  Write(text.data(), length);
  return *this;
}

CArchive& CArchive::operator>>(BYTE& value) {
  value = static_cast<BYTE>(ReadLittleEndian(1));
  return *this;
}
CArchive& CArchive::operator>>(WORD& value) {
  value = static_cast<WORD>(ReadLittleEndian(2));
  return *this;
}
CArchive& CArchive::operator>>(DWORD& value) {
  value = static_cast<DWORD>(ReadLittleEndian(4));
  return *this;
}
CArchive& CArchive::operator>>(LONG& value) {
  value = static_cast<LONG>(static_cast<DWORD>(ReadLittleEndian(4)));
  return *this;
}

CArchive& CArchive::operator>>(std::string& text) {
  std::size_t length = static_cast<BYTE>(ReadLittleEndian(1));
  if (length == 0xFF) {
    length = static_cast<WORD>(ReadLittleEndian(2));
    if (length == 0xFFFF) length = static_cast<DWORD>(ReadLittleEndian(4));
  }
  std::string read;
  while (read.size() < length) {
    const std::size_t piece = std::min(kTextPiece, length - read.size());
    const std::size_t at = read.size();
    read.resize(at + piece);
    ReadExact(read.data() + at, piece);
  }
  text = std::move(read);
  return *this;
}

}  // namespace afx

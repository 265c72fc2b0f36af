// The framework's binary archive: values stored little-endian in the order
// they are written, over a file or (for data held in memory) a byte buffer.
// Text is stored with a length prefix: one byte below 0xFF; else 0xFF and a
// 16-bit length; else 0xFF, 0xFFFF and a 32-bit length. The shortest form
// is written and all three are read. Any read that the data cannot satisfy
// throws CArchiveException; a length is never trusted for an allocation
// beyond the bytes that actually arrive.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/afx/ArchiveException.h"
#include "platform/sys/File.h"
#include "platform/sys/Types.h"

namespace afx {

using sys::BYTE;
using sys::DWORD;
using sys::LONG;
using sys::WORD;

class CArchive {
 public:
  enum Mode : unsigned { store = 0, load = 1 };

  // Over an open file (not owned); buffered, so Close (or Flush) before the
  // file is used again.
  CArchive(sys::CFile* file, unsigned mode, std::size_t buffer_size = 4096);
  // Over bytes in memory: storing appends to `buffer`, loading reads it
  // from its start. The buffer must outlive the archive.
  CArchive(std::vector<BYTE>& buffer, unsigned mode);
  // Flushes a storing archive that was not closed; a failure then is lost,
  // so callers that must know call Close.
  ~CArchive();
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  bool IsLoading() const { return mode_ == load; }
  bool IsStoring() const { return mode_ == store; }
  sys::CFile* GetFile() const { return file_; }

  // Reads up to count bytes; fewer only where the data ends.
  std::size_t Read(void* buffer, std::size_t count);
  // Reads exactly count bytes or throws endOfFile.
  void ReadExact(void* buffer, std::size_t count);
  void Write(const void* buffer, std::size_t count);
  void Flush();
  // Flushes and detaches; later use throws.
  void Close();
  // Detaches without flushing.
  void Abort();

  CArchive& operator<<(BYTE value);
  CArchive& operator<<(WORD value);
  CArchive& operator<<(DWORD value);
  CArchive& operator<<(LONG value);
  CArchive& operator<<(const std::string& text);
  CArchive& operator<<(const char* text) { return *this << std::string(text); }

  CArchive& operator>>(BYTE& value);
  CArchive& operator>>(WORD& value);
  CArchive& operator>>(DWORD& value);
  CArchive& operator>>(LONG& value);
  CArchive& operator>>(std::string& text);

 private:
  void RequireLoading() const;
  void RequireStoring() const;
  void WriteLittleEndian(unsigned long long value, int bytes);
  unsigned long long ReadLittleEndian(int bytes);
  std::size_t ReadFromFile(BYTE* out, std::size_t count);

  unsigned mode_;
  bool open_ = true;
  sys::CFile* file_ = nullptr;
  std::vector<BYTE>* memory_ = nullptr;
  std::size_t memory_position_ = 0;
  // File mode: storing collects here until full; loading holds what was
  // read ahead, from buffered_start_ on.
  std::vector<BYTE> buffer_;
  std::size_t buffered_start_ = 0;
  std::size_t buffer_capacity_;
};

}  // namespace afx

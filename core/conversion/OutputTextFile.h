// The output file of a conversion: text lines built ending in "\n", each
// written with CR LF, gathered in one large buffer so a long conversion makes
// few system calls. Every failure is a file exception cause; a failed flush
// or close is reported like a failed write, so a full disk is never taken
// for a finished file.
#pragma once

#include <cstddef>
#include <string>

#include "platform/sys/File.h"

class COutputTextFile {
 public:
  static constexpr std::size_t kBufferSize = 1 << 20;

  COutputTextFile() = default;
  ~COutputTextFile();
  COutputTextFile(const COutputTextFile&) = delete;
  COutputTextFile& operator=(const COutputTextFile&) = delete;

  // Creates (or empties) the file for exclusive writing; the cause on failure.
  int Open(const std::string& path);
  // 0, or the cause; 6 (invalid file) when the file is not open.
  int WriteLine(const std::string& text);
  // Writes what the buffer holds and closes; 0 or the cause. The file is
  // closed either way.
  int Close();
  bool IsOpen() const { return file_.IsOpen(); }
  const std::string& GetFilePath() const { return file_.GetFilePath(); }

 private:
  int FlushBuffer();

  sys::CFile file_;
  std::string buffer_;
};

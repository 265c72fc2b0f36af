// A buffered text file (the framework's CStdioFile). Reading accepts LF and
// CR LF line ends; in text mode each "\n" written becomes CR LF.
#pragma once

#include <string>
#include <vector>

#include "platform/sys/File.h"

namespace sys {

class CStdioFile : public CFile {
 public:
  CStdioFile() = default;
  CStdioFile(const std::string& path, unsigned flags);
  ~CStdioFile() override;

  bool Open(const std::string& path, unsigned flags, CFileException* error = nullptr) override;
  void Close() override;

  // One line without its line end; FALSE at end of file with nothing read.
  bool ReadString(std::string& line);
  void WriteString(const std::string& text);

  std::size_t Read(void* buffer, std::size_t count) override;
  void Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, SeekPosition from) override;
  std::int64_t GetPosition() const override;
  std::int64_t GetLength() const override;
  void SetLength(std::int64_t length) override;
  void Flush() override;

 private:
  static constexpr std::size_t kBufferSize = 64 * 1024;

  bool FillReadBuffer();
  void DropReadBuffer();
  void FlushWriteBuffer();

  bool text_ = false;
  std::vector<char> read_buffer_;
  std::size_t read_pos_ = 0;
  std::string write_buffer_;
};

}  // namespace sys

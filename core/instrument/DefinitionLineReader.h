// Splits a definition file into its lines. LF and CR LF end a line; in a
// file whose first line ends in a lone CR (text from old Macintosh editors)
// a CR ends every line, so such a file is not read as one long line. A
// UTF-8 byte-order mark at the very start belongs to no line.
//
// Lines and files beyond sane sizes are refused instead of held: real
// definition files are a few kilobytes with lines of a few dozen bytes,
// while a device or a damaged file given by mistake could otherwise fill
// the memory before its first line end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace sys {
class CFile;
}

namespace instrument {

class DefinitionLineReader {
 public:
  // Four times the longest field an instrument may declare (a line with
  // a field's worth of coefficients or blanks still loads), and the four
  // times the largest frame: thousands of times any real file.
  static constexpr std::size_t kMaxLineLength = 4u << 20;
  static constexpr std::uint64_t kMaxFileSize = 64u << 20;

  enum class Result { kLine, kEnd, kLineTooLong, kFileTooLarge, kStopped };

  // `stop_requested` (may be empty) is asked before every read, so a
  // signal stops the load of a large file at once.
  DefinitionLineReader(sys::CFile& file, std::function<bool()> stop_requested);

  // The next line without its line end. Read errors arrive as the file's
  // exceptions.
  Result ReadLine(std::string& line);
  // Whether the file held any byte beyond a byte-order mark.
  bool SawContent() const { return saw_content_; }

 private:
  enum class LineEnds { kUndecided, kLf, kCr };

  // Reads the next chunk; FALSE at the end of the file or on a refusal,
  // which is then left in `refusal_`.
  bool Fill();
  void SkipByteOrderMark();
  // After a line that ended in CR: an LF right behind it belongs to the
  // same line end, and the first such pair tells the file's line ends.
  void SettleCarriageReturn();
  const char* FindLineEnd(const char* from, const char* to) const;

  sys::CFile& file_;
  std::function<bool()> stop_requested_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  std::uint64_t total_ = 0;
  bool started_ = false;
  bool at_end_ = false;
  bool saw_content_ = false;
  bool after_cr_ = false;
  LineEnds line_ends_ = LineEnds::kUndecided;
  Result refusal_ = Result::kEnd;
};

}  // namespace instrument

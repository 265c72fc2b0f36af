// The output file of a conversion: text lines built ending in "\n", each
// written with CR LF, gathered in one large buffer so a long conversion makes
// few system calls. Every failure is a file exception cause; a failed flush
// or close is reported like a failed write, so a full disk is never taken
// for a finished file.
//
// A write that fails part way (a full disk, a file-size limit) leaves the
// file cut back to the end of the last line that reached it whole, so what
// remains is always a readable prefix. The caller may tag each text with a
// number (a frame number); GetWrittenTag tells the tag of the last line that
// is in the file, so a summary never counts rows the disk refused.
//
// An existing file is never emptied: the rows go to a temporary beside it
// that replaces it when the writer is closed with every write done, and is
// removed, leaving the previous file as it was, when a write failed or the
// run is discarded. A new file is written in place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/conversion/OutputReplacement.h"
#include "core/conversion/RowSpace.h"
#include "platform/sys/File.h"

class COutputTextFile : public CRowSpace {
 public:
  static constexpr std::size_t kBufferSize = 1 << 20;
  // Room behind a full buffer for the row that fills it.
  static constexpr std::size_t kRowSlack = 1 << 16;

  COutputTextFile() = default;
  COutputTextFile(const COutputTextFile&) = delete;
  COutputTextFile& operator=(const COutputTextFile&) = delete;
  ~COutputTextFile() override;

  // Creates the file, or the temporary that is to replace it, for exclusive
  // writing; the cause on failure.
  int Open(const std::string& path);
  // 0, or the cause; 6 (invalid file) when the file is not open. The tag
  // belongs to the last line end the text holds. After a failure every
  // further write fails with the same cause and adds nothing.
  int WriteLine(const std::string& text, std::uint32_t tag = 0);
  // A row written in place at the end of the buffer, without a copy: the
  // place, with room for `most` bytes (null when the file is not open or
  // has failed: WriteLine then tells why); MakeRoom gives more. EndRow takes
  // the row that ends at `end`, written as WriteLine would write it: a row
  // that ends a line ends in its own CR LF, and one with a line end within
  // it (inner_line_ends) has those made CR LF here. A row begun and never
  // ended is left out.
  // Both inline: they run for every row.
  char* BeginRow(std::size_t most) {
    if (!file_.IsOpen() || failure_ != 0) return nullptr;
    if (used_ + most > buffer_.size()) Reserve(most);
    return buffer_.data() + used_;
  }
  char* MakeRoom(char* at, std::size_t more) override;
  int EndRow(const char* end, std::uint32_t tag, bool ends_line, bool inner_line_ends) {
    if (inner_line_ends) return EndRowWithLineEnds(end, tag, ends_line);
    used_ = static_cast<std::size_t>(end - buffer_.data());
    if (ends_line) marks_.push_back({used_, tag});
    return used_ >= kBufferSize ? FlushBuffer() : 0;
  }
  // Writes what the buffer holds and closes; 0 or the cause. The file is
  // closed either way. A failure already reported by WriteLine is not
  // reported again. A replacement takes the previous file's place only
  // when every write, the flush to disk and the rename succeeded.
  int Close();
  // Closes after a failed run: a replacement is dropped and the previous
  // file stays; a new file keeps its whole lines, as Close leaves them.
  int Discard();
  // After Close or Discard: an existing file was left as it was.
  bool KeptPrevious() const { return kept_previous_; }
  bool IsOpen() const { return file_.IsOpen(); }
  const std::string& GetFilePath() const { return path_; }
  // The tag of the last whole line in the file (0 when none had a tag).
  std::uint32_t GetWrittenTag() const { return written_tag_; }

 private:
  // Where a text that ended a line ends in the buffer, and its tag.
  struct LineMark {
    std::size_t end;
    std::uint32_t tag;
  };

  // A row with a line end of its own within it.
  int EndRowWithLineEnds(const char* end, std::uint32_t tag, bool ends_line);
  int FlushBuffer();
  void CutBackToWholeLines();
  void ClearBuffer();
  // Room for `more` bytes behind the text the buffer holds.
  void Reserve(std::size_t more);
  void Append(const char* text, std::size_t length);

  int FinishReplacement(int cause);

  sys::CFile file_;
  COutputReplacement replacement_;
  std::string path_;
  bool kept_previous_ = false;
  // Kept at its full size, so rows are written into it without a resize
  // (and its zero fill) for each; used_ bytes of it are the text.
  std::string buffer_;
  std::size_t used_ = 0;
  std::vector<LineMark> marks_;
  std::int64_t flushed_size_ = 0;    // bytes in the file before the buffer
  std::int64_t whole_lines_end_ = 0; // end of the last whole line in the file
  std::uint32_t written_tag_ = 0;
  int failure_ = 0;
};

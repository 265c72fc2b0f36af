#include "core/instrument/DefinitionLineReader.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/sys/File.h"

namespace instrument {

namespace {

constexpr std::size_t kChunkSize = 64 * 1024;
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr std::size_t kByteOrderMarkSize = 3;

}  // namespace

DefinitionLineReader::DefinitionLineReader(sys::CFile& file, std::function<bool()> stop_requested)
    : file_(file), stop_requested_(std::move(stop_requested)), buffer_(kChunkSize) {}

bool DefinitionLineReader::Fill() {
  pos_ = end_ = 0;
  if (at_end_) return false;
  if (stop_requested_ && stop_requested_()) {
    refusal_ = Result::kStopped;
    at_end_ = true;
    return false;
  }
  end_ = file_.Read(buffer_.data(), buffer_.size());
  total_ += end_;
  if (total_ > kMaxFileSize) {
    refusal_ = Result::kFileTooLarge;
    at_end_ = true;
    pos_ = end_ = 0;
    return false;
  }
  if (end_ < buffer_.size()) at_end_ = true;  // a full read loops to the count or the end
  if (!started_) {
    started_ = true;
    SkipByteOrderMark();
  }
  if (pos_ < end_) saw_content_ = true;
  return pos_ < end_;
}

void DefinitionLineReader::SkipByteOrderMark() {
  // The first chunk holds the whole mark unless the file is shorter.
  if (end_ >= kByteOrderMarkSize && std::memcmp(buffer_.data(), kByteOrderMark, kByteOrderMarkSize) == 0)
    pos_ = kByteOrderMarkSize;
}

void DefinitionLineReader::SettleCarriageReturn() {
  if (!after_cr_) return;
  if (pos_ == end_ && !Fill()) return;  // after_cr_ stays: nothing more comes anyway
  after_cr_ = false;
  const bool lf_follows = buffer_[pos_] == '\n';
  if (lf_follows) ++pos_;
  if (line_ends_ == LineEnds::kUndecided) line_ends_ = lf_follows ? LineEnds::kLf : LineEnds::kCr;
}

const char* DefinitionLineReader::FindLineEnd(const char* from, const char* to) const {
  if (line_ends_ == LineEnds::kLf)
    return static_cast<const char*>(std::memchr(from, '\n', static_cast<std::size_t>(to - from)));
  const char* hit = std::find_if(from, to, [](char c) { return c == '\n' || c == '\r'; });
  return hit == to ? nullptr : hit;
}

DefinitionLineReader::Result DefinitionLineReader::ReadLine(std::string& line) {
  line.clear();
  SettleCarriageReturn();
  bool any = false;
  for (;;) {
    if (pos_ == end_ && !Fill()) break;
    any = true;
    const char* start = buffer_.data() + pos_;
    const char* stop = buffer_.data() + end_;
    const char* found = FindLineEnd(start, stop);
    const std::size_t n = static_cast<std::size_t>((found == nullptr ? stop : found) - start);
    if (line.size() + n > kMaxLineLength) return Result::kLineTooLong;
    line.append(start, n);
    if (found == nullptr) {
      pos_ = end_;
      continue;
    }
    pos_ += n + 1;
    if (*found == '\r') {
      after_cr_ = true;
    } else if (line_ends_ == LineEnds::kUndecided) {
      line_ends_ = LineEnds::kLf;
    }
    if (line_ends_ == LineEnds::kLf && !line.empty() && line.back() == '\r') line.pop_back();
    return Result::kLine;
  }
  if (refusal_ != Result::kEnd) return refusal_;
  // The last line may end without a line end; a CR there still ends it.
  if (any && !line.empty() && line.back() == '\r') line.pop_back();
  return any ? Result::kLine : Result::kEnd;
}

}  // namespace instrument

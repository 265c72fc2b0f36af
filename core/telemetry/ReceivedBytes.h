// The bytes a communications resource has received and not yet cut into
// frames, oldest first. One contiguous buffer with a head offset: the
// searches scan it with memchr/memcmp, and dropping bytes from the front is
// an offset move, not a copy per byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace telemetry {

class ReceivedBytes {
 public:
  const std::uint8_t* Data() const { return bytes_.data() + head_; }
  std::uint8_t* MutableData() { return bytes_.data() + head_; }
  std::size_t Size() const { return bytes_.size() - head_; }
  bool Empty() const { return Size() == 0; }

  void Append(const void* data, std::size_t count);
  // Puts bytes in front of the oldest byte (a line search puts the
  // instrument's header there, so the next frame begins with it).
  void Prepend(const void* data, std::size_t count);
  // Drops up to count bytes from the front. Inline: every frame cut ends
  // with it.
  void Consume(std::size_t count) {
    if (count > Size()) count = Size();
    if (count == 0) return;
    ++head_changes_;
    head_position_ += count;
    head_ += count;
    if (head_ == bytes_.size()) Clear();
  }
  void Clear();

  // Counts the changes at the front (consumed, prepended or cleared bytes).
  // While it stays the same, the bytes held begin with the same bytes as
  // before, so a scan that found nothing in them need not look again.
  std::uint64_t HeadChanges() const { return head_changes_; }

  // Where the oldest byte held stands in the stream of bytes received: the
  // count of bytes consumed so far. Prepended bytes stand at no place of
  // the stream and shift every later byte's place, so Prepends() counts
  // them: positions remembered before a prepend no longer mean the same.
  std::uint64_t HeadPosition() const { return head_position_; }
  std::uint64_t Prepends() const { return prepends_; }

 private:
  // The buffer is compacted only when the dead space in front outweighs
  // the live bytes, so each byte is moved a bounded number of times.
  void CompactIfWorthwhile();

  std::vector<std::uint8_t> bytes_;
  std::size_t head_ = 0;
  std::uint64_t head_changes_ = 0;
  std::uint64_t head_position_ = 0;
  std::uint64_t prepends_ = 0;
};

}  // namespace telemetry

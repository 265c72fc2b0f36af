#include "core/instrument/VariableFieldIndex.h"

#include <endian.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

namespace instrument {
namespace {

constexpr std::size_t kAbsent = std::string_view::npos;

// The chain's searches only move forward, so a character found absent from
// some position on stays absent for every later search; remembering that
// keeps thousands of missing delimiters from rescanning the frame.
class ForwardSearch {
 public:
  explicit ForwardSearch(std::string_view text) : text_(text) {}

  std::size_t Find(char c, std::size_t from) {
    constexpr std::size_t kNearby = 16;
    const std::size_t near_end = std::min(text_.size(), from + kNearby);
    std::size_t i = from;
    for (; i + 8 <= near_end; i += 8) {
      if (const int at = FirstInWord(i, c); at >= 0) return i + static_cast<std::size_t>(at);
    }
    for (; i < near_end; ++i)
      if (text_[i] == c) return i;
    return near_end < text_.size() ? FindFar(c, near_end) : kAbsent;
  }

 private:
  // Fields are mostly a few characters long: the nearby ones are compared
  // eight at a time, and only a search beyond them asks what is known
  // absent and calls the library.
  std::size_t FindFar(char c, std::size_t from) {
    const auto code = static_cast<unsigned char>(c);
    std::uint64_t& word = absent_[code / 64];
    const std::uint64_t bit = std::uint64_t{1} << (code % 64);
    if ((word & bit) != 0) return kAbsent;
    const std::size_t at = text_.find(c, from);
    if (at == kAbsent) word |= bit;
    return at;
  }

  // The first of the eight characters from i on that is c, or -1.
  int FirstInWord(std::size_t i, char c) const {
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHighs = 0x8080808080808080u;
    std::uint64_t word = 0;
    std::memcpy(&word, text_.data() + i, sizeof word);
    word = le64toh(word) ^ (kOnes * static_cast<unsigned char>(c));
    // A byte of the word is zero where it held c; the lowest such byte is
    // marked exactly.
    const std::uint64_t zeros = (word - kOnes) & ~word & kHighs;
    return zeros == 0 ? -1 : std::countr_zero(zeros) / 8;
  }

  std::string_view text_;
  std::uint64_t absent_[4] = {};  // a bit per character code
};

}  // namespace

VariableFieldIndex::VariableFieldIndex(std::string_view text, std::size_t header_length,
                                       const VariableFieldLayout& layout) {
  Rebuild(text, header_length, layout);
}

void VariableFieldIndex::Rebuild(std::string_view text, std::size_t header_length,
                                 const VariableFieldLayout& layout) {
  const std::string& delimiters = layout.field_delimiters;
  const std::size_t count = delimiters.size();
  fields_.resize(count);
  ForwardSearch search(text);
  // A delimiter that does not occur is skipped: the next one is looked for
  // from the same place.
  std::size_t position = std::min(header_length, text.size());
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = search.Find(delimiters[i], position);
    if (at != kAbsent) position = at + 1;
    fields_[i].start = at == kAbsent ? kAbsent : position;
  }
  // A field ends where the next delimiter of the chain occurs; after the
  // last one that occurs, at the terminator's first character, else at the
  // end of the frame.
  std::size_t next_start = kAbsent;
  for (std::size_t i = count; i-- > 0;) {
    Field& field = fields_[i];
    if (field.start == kAbsent) continue;
    if (next_start != kAbsent) {
      field.end = next_start - 1;
    } else {
      const std::size_t at = layout.terminator.empty() ? kAbsent : search.Find(layout.terminator[0], field.start);
      field.end = at == kAbsent ? text.size() : at;
    }
    next_start = field.start;
  }
}

}  // namespace instrument

#include "core/instrument/VariableFieldIndex.h"

#include <algorithm>
#include <array>
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
    bool& absent = absent_[static_cast<unsigned char>(c)];
    if (absent) return kAbsent;
    const std::size_t at = text_.find(c, from);
    absent = at == kAbsent;
    return at;
  }

 private:
  std::string_view text_;
  std::array<bool, 256> absent_{};
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
  start_.assign(count, kAbsent);
  end_.assign(count, kAbsent);
  ForwardSearch search(text);
  // A delimiter that does not occur is skipped: the next one is looked for
  // from the same place.
  std::size_t position = std::min(header_length, text.size());
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = search.Find(delimiters[i], position);
    if (at == kAbsent) continue;
    position = at + 1;
    start_[i] = position;
  }
  // A field ends where the next delimiter of the chain occurs; after the
  // last one that occurs, at the terminator's first character, else at the
  // end of the frame.
  std::size_t next_start = kAbsent;
  for (std::size_t i = count; i-- > 0;) {
    if (start_[i] == kAbsent) continue;
    if (next_start != kAbsent) {
      end_[i] = next_start - 1;
    } else {
      const std::size_t at = layout.terminator.empty() ? kAbsent : search.Find(layout.terminator[0], start_[i]);
      end_[i] = at == kAbsent ? text.size() : at;
    }
    next_start = start_[i];
  }
}

bool VariableFieldIndex::Find(std::size_t index, std::size_t& start, std::size_t& end) const {
  if (index >= start_.size() || start_[index] == kAbsent) return false;
  start = start_[index];
  end = end_[index];
  return true;
}

}  // namespace instrument

// Where each variable-length field of one frame starts and ends. Every
// variable field of an instrument walks the same chain of delimiters from
// the header on, and the field's end is where that chain next finds one,
// so the chain is walked once per frame and shared by all its fields: a
// definition with thousands of fields costs one pass over the frame, not
// one per field.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "core/instrument/VariableFieldLayout.h"

namespace instrument {

class VariableFieldIndex {
 public:
  // An index of no field, to be rebuilt for a frame.
  VariableFieldIndex() = default;
  // text is the whole frame; the chain starts after header_length bytes.
  VariableFieldIndex(std::string_view text, std::size_t header_length, const VariableFieldLayout& layout);
  // The same for another frame, in the storage this index already has.
  void Rebuild(std::string_view text, std::size_t header_length, const VariableFieldLayout& layout);

  // The field that follows delimiter `index`: its first byte and the byte
  // after its last. False when that delimiter does not occur in the frame.
  // Inline: a conversion asks for every value of every frame.
  bool Find(std::size_t index, std::size_t& start, std::size_t& end) const {
    if (index >= fields_.size() || fields_[index].start == kAbsent) return false;
    start = fields_[index].start;
    end = fields_[index].end;
    return true;
  }

 private:
  static constexpr std::size_t kAbsent = std::string_view::npos;
  struct Field {
    std::size_t start;  // just after its delimiter, or kAbsent when that does not occur
    std::size_t end;    // where the field ends, when its delimiter occurs
  };
  std::vector<Field> fields_;  // one per delimiter of the chain
};

}  // namespace instrument

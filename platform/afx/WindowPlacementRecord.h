// A window placement as stored in settings: 44 bytes, eleven 32-bit
// little-endian numbers (length, flags, show command, minimised and
// maximised positions, normal rectangle). Stored bytes are taken only when
// they are exactly that record, so a damaged value never reaches a window.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/sys/Types.h"
#include "platform/ui/Window.h"

namespace afx {

class WindowPlacementRecord {
 public:
  static constexpr std::size_t kSize = 44;

  static std::vector<sys::BYTE> ToBytes(const ui::WINDOWPLACEMENT& placement);
  // False, with `placement` untouched, unless there are exactly 44 bytes
  // and their length field says 44.
  static bool FromBytes(const sys::BYTE* bytes, std::size_t size, ui::WINDOWPLACEMENT& placement);
  static bool FromBytes(const std::vector<sys::BYTE>& bytes, ui::WINDOWPLACEMENT& placement) {
    return FromBytes(bytes.data(), bytes.size(), placement);
  }
  // A placement that may be applied: its length field is the record's size.
  static bool IsValid(const ui::WINDOWPLACEMENT& placement) { return placement.length == kSize; }
};

}  // namespace afx

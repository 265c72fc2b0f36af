// The limits of the registry these settings stand in for. Callers size
// their name buffers by them, and a store file or a caller that goes beyond
// them is refused rather than followed: a key path's text grows with the
// square of its depth, so one hostile line could otherwise make gigabytes.
// Names are counted in bytes, as every size the store hands out is.
#pragma once

#include <cstddef>

namespace sys {

constexpr std::size_t kMaxSettingsKeyDepth = 512;     // levels of keys below a root
constexpr std::size_t kMaxSettingsKeyName = 255;      // one key's own name
constexpr std::size_t kMaxSettingsValueName = 16383;  // a value's name

}  // namespace sys

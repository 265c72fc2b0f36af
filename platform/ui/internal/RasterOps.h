// The ternary raster operations on pixel rows: every one of the 256 by
// its truth table, the common ones by a direct expression.
#pragma once

#include <cstdint>

namespace ui::internal {

// The rop's low byte of the high word (0xCC for SRCCOPY).
constexpr std::uint8_t RopCode(std::uint32_t rop) { return static_cast<std::uint8_t>((rop >> 16) & 0xFF); }
// Whether the operation reads the source or the pattern at all.
constexpr bool RopUsesSource(std::uint8_t code) { return ((code >> 2) & 0x33) != (code & 0x33); }
constexpr bool RopUsesPattern(std::uint8_t code) { return ((code >> 4) & 0x0F) != (code & 0x0F); }

// One pixel's colour bits from pattern, source and destination.
std::uint32_t ApplyRop(std::uint8_t code, std::uint32_t pattern, std::uint32_t source, std::uint32_t destination);

// `destination[i] = rop(pattern[i], source[i], destination[i])` over a row,
// keeping pixels opaque. `pattern` or `source` may be null when the
// operation does not read them.
void ApplyRopRow(std::uint8_t code, const std::uint32_t* pattern, const std::uint32_t* source,
                 std::uint32_t* destination, int count);

}  // namespace ui::internal

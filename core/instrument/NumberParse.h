// Number reading with the semantics of the 32-bit C library the definition
// files and instrument fields were written for: strtoul and strtol stop at
// 32 bits (saturating on overflow, strtoul negating a minus sign modulo 2^32),
// so a 64-bit long never changes what is accepted. Reals are read in the C
// locale. Each function returns how many characters it consumed, 0 when
// there was no number.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace instrument {

inline constexpr std::uint32_t kUnsigned32Max = 0xFFFFFFFFu;
inline constexpr std::int32_t kSigned32Max = 0x7FFFFFFF;
inline constexpr std::int32_t kSigned32Min = -0x7FFFFFFF - 1;

std::size_t ParseUnsigned32(std::string_view text, std::uint32_t& value);
std::size_t ParseSigned32(std::string_view text, std::int32_t& value);
std::size_t ParseReal(std::string_view text, double& value);

// The whole token is one unsigned decimal number (as the definition files'
// lengths and counts must be).
bool ParseWholeUnsigned32(std::string_view token, std::uint32_t& value);
// The whole token is one real in plain decimal notation (no hexadecimal
// floats, no "inf" or "nan").
bool ParseWholeDecimalReal(std::string_view token, double& value);

}  // namespace instrument

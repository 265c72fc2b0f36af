// "%u" of the small counts rows are full of (frame numbers, counter and
// status values, residues), written without the digit-length loop of
// std::to_chars: nearly all have four digits or fewer.
#pragma once

#include <charconv>
#include <cstdint>
#include <cstring>

namespace sys {

namespace detail {
// Two decimal digits per entry, "00" to "99".
inline constexpr char kUnsignedDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";
}  // namespace detail

// Writes the digits of value at `at`, which has room for ten, and returns
// their end.
inline char* WriteUnsigned(char* at, std::uint32_t value) {
  const char* pairs = detail::kUnsignedDigitPairs;
  if (value < 10) {
    *at = static_cast<char>('0' + value);
    return at + 1;
  }
  if (value < 100) {
    std::memcpy(at, pairs + 2 * value, 2);
    return at + 2;
  }
  if (value < 1000) {
    *at = static_cast<char>('0' + value / 100);
    std::memcpy(at + 1, pairs + 2 * (value % 100), 2);
    return at + 3;
  }
  if (value < 10000) {
    std::memcpy(at, pairs + 2 * (value / 100), 2);
    std::memcpy(at + 2, pairs + 2 * (value % 100), 2);
    return at + 4;
  }
  return std::to_chars(at, at + 10, value).ptr;
}

}  // namespace sys

#include "platform/sys/FastNumberFixedPoint.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "platform/sys/FastNumberUnsigned.h"

// A double is m x 2^e exactly. For e < 0, m x 10^p fits 128 bits (m below
// 2^53, 10^p below 2^64), and shifting it right by -e with the dropped bits
// rounded half to even gives the value scaled by 10^p, rounded exactly as
// printf rounds it in its default mode. Its decimal digits with the point
// put p digits from the right are then "%.*f".
namespace sys {
namespace {

using Wide = unsigned __int128;

constexpr int kMaxPrecision = 19;
constexpr std::uint64_t kPowersOfTen[kMaxPrecision + 1] = {
    1ull,
    10ull,
    100ull,
    1000ull,
    10000ull,
    100000ull,
    1000000ull,
    10000000ull,
    100000000ull,
    1000000000ull,
    10000000000ull,
    100000000000ull,
    1000000000000ull,
    10000000000000ull,
    100000000000000ull,
    1000000000000000ull,
    10000000000000000ull,
    100000000000000000ull,
    1000000000000000000ull,
    10000000000000000000ull,
};

constexpr int kFractionBits = 52;
constexpr int kExponentBias = 1075;  // so that value = m x 2^(field - bias)
// m x 10^p is below 2^117: a shift of this much or more leaves below half.
constexpr int kAllBitsShiftedOut = 118;

struct BinaryValue {
  std::uint64_t mantissa;
  int exponent;
  bool negative;
};

BinaryValue Decompose(double value) {
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << kFractionBits) - 1);
  const int field = static_cast<int>((bits >> kFractionBits) & 0x7FF);
  BinaryValue binary;
  binary.negative = (bits >> 63) != 0;
  // Subnormals have no hidden bit and the exponent of the smallest normal.
  binary.mantissa = field == 0 ? fraction : fraction | (std::uint64_t{1} << kFractionBits);
  binary.exponent = (field == 0 ? 1 : field) - kExponentBias;
  return binary;
}

// m x 10^p / 2^shift, rounded half to even.
Wide ScaledAndRounded(std::uint64_t mantissa, int precision, int shift) {
  const Wide product = static_cast<Wide>(mantissa) * kPowersOfTen[precision];
  if (shift >= kAllBitsShiftedOut) return 0;
  const Wide quotient = product >> shift;
  const Wide remainder = product & ((Wide{1} << shift) - 1);
  const Wide half = Wide{1} << (shift - 1);
  const bool round_up = remainder > half || (remainder == half && (quotient & 1) != 0);
  return round_up ? quotient + 1 : quotient;
}

// Two decimal digits per entry, "00" to "99".
constexpr const char* kDigitPairs = detail::kUnsignedDigitPairs;

void WriteFourDigits(char* out, std::uint32_t value) {
  std::memcpy(out, kDigitPairs + 2 * (value / 100), 2);
  std::memcpy(out + 2, kDigitPairs + 2 * (value % 100), 2);
}

// Eight digits at once, each step done for all its parts side by side in
// the lanes of one word: the two halves of four digits in 32-bit lanes are
// cut into pairs (x 10486 >> 20 is / 100 below 43,699), the four pairs in
// 16-bit lanes into digits (x 103 >> 10 is / 10 below 179). The bytes of a
// little-endian word go out lowest first, so each lane holds its high part
// in its low bits.
void WriteEightDigits(char* out, std::uint32_t value) {
  if constexpr (std::endian::native == std::endian::little) {
    const std::uint64_t halves = (value / 10000) | (std::uint64_t{value % 10000} << 32);
    const std::uint64_t hundreds = ((halves * 10486) >> 20) & 0x0000007F0000007Full;
    const std::uint64_t pairs = hundreds | ((halves - hundreds * 100) << 16);
    const std::uint64_t tens = ((pairs * 103) >> 10) & 0x000F000F000F000Full;
    const std::uint64_t digits = tens | ((pairs - tens * 10) << 8);
    const std::uint64_t text = digits + 0x3030303030303030ull;
    std::memcpy(out, &text, sizeof text);
  } else {
    WriteFourDigits(out, value / 10000);
    WriteFourDigits(out + 4, value % 10000);
  }
}

constexpr std::size_t kMaxDigits = 20;  // of a 64-bit number
constexpr std::uint64_t kTenToEight = 100000000;

// All 20 digits of value, leading zeros included. The value is cut into
// independent groups of eight and four digits rather than divided by 100
// digit pair after digit pair: the rows print four reals a frame, and the
// chain of dependent divisions was the slowest part of printing them.
void WriteTwentyDigits(char* out, std::uint64_t value) {
  const std::uint64_t upper = value / kTenToEight;
  WriteEightDigits(out + 12, static_cast<std::uint32_t>(value % kTenToEight));
  if (upper == 0) {
    std::memset(out, '0', 12);
    return;
  }
  WriteEightDigits(out + 4, static_cast<std::uint32_t>(upper % kTenToEight));
  WriteFourDigits(out, static_cast<std::uint32_t>(upper / kTenToEight));
}

// The digits of scaled with the point put precision digits from the right,
// and at least one digit in front of it.
std::size_t WritePointed(char* text, std::uint64_t scaled, int precision) {
  char digits[kMaxDigits];
  WriteTwentyDigits(digits, scaled);
  const std::size_t decimals = static_cast<std::size_t>(precision);
  // Leading zeros go, down to the one digit kept in front of the point.
  std::size_t first = 0;
  const std::size_t last_leading = kMaxDigits - decimals - 1;
  while (first < last_leading && digits[first] == '0') ++first;
  const std::size_t whole = kMaxDigits - decimals - first;
  std::memcpy(text, digits + first, whole);
  if (decimals == 0) return whole;
  text[whole] = '.';
  std::memcpy(text + whole + 1, digits + kMaxDigits - decimals, decimals);
  return whole + 1 + decimals;
}

// The digits of value without leading zeros; the few digits of most row
// values need no table of twenty.
std::size_t WriteWhole(char* text, std::uint64_t value) {
  if (value <= UINT32_MAX) return static_cast<std::size_t>(WriteUnsigned(text, static_cast<std::uint32_t>(value)) - text);
  char digits[kMaxDigits];
  WriteTwentyDigits(digits, value);
  std::size_t first = 0;
  while (digits[first] == '0') ++first;
  std::memcpy(text, digits + first, kMaxDigits - first);
  return kMaxDigits - first;
}

// The common case of a row value: its binary point inside the 64-bit
// mantissa (shift below 64) and a precision of 16 or less. The whole part is
// then the mantissa's high bits, exact without any multiplication, and only
// the fraction bits are scaled by 10^p and rounded; the two are written
// apart, the fraction as exactly p digits. Rounding the fraction alone
// rounds the whole scaled value: the whole part times 10^p adds a multiple of
// 2^shift to the product, so the remainder is the same, and for p >= 1 it is
// even, so the parity that settles a tie is the fraction's (for p = 0 it is
// the whole part's). Returns 0 where the scaled value reaches 2^64, which is
// handed over like everything else outside this writer's range.
constexpr int kSplitMaxPrecision = 16;

// room: the bytes text may take. The fraction's digits are written in
// place as a block of eight or sixteen (the fraction scaled up to that
// many, so its digits come first) when the room allows; the digits behind
// the returned length are then left over, inside the room.
std::size_t WriteSplit(char* text, std::size_t room, std::uint64_t mantissa, int shift, int precision) {
  const std::uint64_t fraction_mask = (std::uint64_t{1} << shift) - 1;
  std::uint64_t whole = mantissa >> shift;
  const std::uint64_t power = kPowersOfTen[precision];
  const Wide product = static_cast<Wide>(mantissa & fraction_mask) * power;
  std::uint64_t fraction = static_cast<std::uint64_t>(product >> shift);
  const std::uint64_t remainder = static_cast<std::uint64_t>(product) & fraction_mask;
  const std::uint64_t half = std::uint64_t{1} << (shift - 1);
  const std::uint64_t parity = precision == 0 ? whole : fraction;
  if (remainder > half || (remainder == half && (parity & 1) != 0)) {
    if (++fraction == power) {
      fraction = 0;
      ++whole;
    }
  }
  if (static_cast<Wide>(whole) * power + fraction > UINT64_MAX) return 0;
  std::size_t length = WriteWhole(text, whole);
  if (precision == 0) return length;
  text[length++] = '.';
  const std::size_t block = precision > 8 ? 16 : 8;
  if (room >= length + block) {
    const std::uint64_t scaled = fraction * kPowersOfTen[block - static_cast<std::size_t>(precision)];
    if (block == 16) {
      WriteEightDigits(text + length, static_cast<std::uint32_t>(scaled / kTenToEight));
      WriteEightDigits(text + length + 8, static_cast<std::uint32_t>(scaled % kTenToEight));
    } else {
      WriteEightDigits(text + length, static_cast<std::uint32_t>(scaled));
    }
    return length + static_cast<std::size_t>(precision);
  }
  char digits[16];
  WriteEightDigits(digits + 8, static_cast<std::uint32_t>(fraction % kTenToEight));
  if (precision > 8) WriteEightDigits(digits, static_cast<std::uint32_t>(fraction / kTenToEight));
  const std::size_t decimals = static_cast<std::size_t>(precision);
  std::memcpy(text + length, digits + sizeof digits - decimals, decimals);
  return length + decimals;
}

}  // namespace

std::size_t WriteFixedPoint(char* text, std::size_t capacity, double value, int precision) {
  if (precision < 0 || precision > kMaxPrecision) return 0;
  if (capacity < 2 + 19 + 1 + static_cast<std::size_t>(precision)) return 0;
  const BinaryValue binary = Decompose(value);
  // Non-finite values have the largest exponent; integers of 2^52 and more
  // have a non-negative one. Both go the general way.
  if (binary.exponent >= 0) return 0;
  // The sign stays for every negative value, even one printed as zero
  // ("-0.00"), as printf shows it.
  std::size_t length = 0;
  if (binary.negative) text[length++] = '-';
  const int shift = -binary.exponent;
  if (shift < 64 && precision <= kSplitMaxPrecision) {
    const std::size_t written = WriteSplit(text + length, capacity - length, binary.mantissa, shift, precision);
    return written == 0 ? 0 : length + written;
  }
  const Wide scaled = ScaledAndRounded(binary.mantissa, precision, shift);
  if (scaled > UINT64_MAX) return 0;
  return length + WritePointed(text + length, static_cast<std::uint64_t>(scaled), precision);
}

}  // namespace sys

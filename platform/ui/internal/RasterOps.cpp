#include "platform/ui/internal/RasterOps.h"

namespace ui::internal {

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

template <typename Op>
void Row(const std::uint32_t* p, const std::uint32_t* s, std::uint32_t* d, int count, Op op) {
  for (int i = 0; i < count; ++i) d[i] = op(p ? p[i] : 0, s ? s[i] : 0, d[i]) | kOpaque;
}

}  // namespace

std::uint32_t ApplyRop(std::uint8_t code, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
  // Bit i of the code is the result for pattern bit (i & 4), source bit
  // (i & 2) and destination bit (i & 1).
  std::uint32_t result = 0;
  for (int i = 0; i < 8; ++i) {
    if (!((code >> i) & 1)) continue;
    result |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
  }
  return result;
}

void ApplyRopRow(std::uint8_t code, const std::uint32_t* p, const std::uint32_t* s, std::uint32_t* d, int count) {
  switch (code) {
    case 0x00: return Row(p, s, d, count, [](auto, auto, auto) { return 0u; });
    case 0xFF: return Row(p, s, d, count, [](auto, auto, auto) { return 0xFFFFFFu; });
    case 0xCC: return Row(p, s, d, count, [](auto, auto sv, auto) { return sv; });
    case 0xF0: return Row(p, s, d, count, [](auto pv, auto, auto) { return pv; });
    case 0x55: return Row(p, s, d, count, [](auto, auto, auto dv) { return ~dv; });
    case 0x66: return Row(p, s, d, count, [](auto, auto sv, auto dv) { return sv ^ dv; });
    case 0x5A: return Row(p, s, d, count, [](auto pv, auto, auto dv) { return pv ^ dv; });
    case 0x88: return Row(p, s, d, count, [](auto, auto sv, auto dv) { return sv & dv; });
    case 0xEE: return Row(p, s, d, count, [](auto, auto sv, auto dv) { return sv | dv; });
    case 0x22: return Row(p, s, d, count, [](auto, auto sv, auto dv) { return dv & ~sv; });
    case 0xB8: return Row(p, s, d, count, [](auto pv, auto sv, auto dv) { return (dv & sv) | (pv & ~sv); });
    case 0xE2: return Row(p, s, d, count, [](auto pv, auto sv, auto dv) { return (pv & sv) | (dv & ~sv); });
    default:
      return Row(p, s, d, count, [code](auto pv, auto sv, auto dv) { return ApplyRop(code, pv, sv, dv); });
  }
}

}  // namespace ui::internal

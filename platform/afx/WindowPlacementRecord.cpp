#include "platform/afx/WindowPlacementRecord.h"

#include <array>

namespace afx {

static_assert(sizeof(ui::WINDOWPLACEMENT) == WindowPlacementRecord::kSize);

namespace {

constexpr std::size_t kFields = WindowPlacementRecord::kSize / 4;

std::array<sys::LONG, kFields> Fields(const ui::WINDOWPLACEMENT& p) {
  return {static_cast<sys::LONG>(p.length), static_cast<sys::LONG>(p.flags), static_cast<sys::LONG>(p.showCmd),
          p.ptMinPosition.x, p.ptMinPosition.y, p.ptMaxPosition.x, p.ptMaxPosition.y,
          p.rcNormalPosition.left, p.rcNormalPosition.top, p.rcNormalPosition.right, p.rcNormalPosition.bottom};
}

}  // namespace

std::vector<sys::BYTE> WindowPlacementRecord::ToBytes(const ui::WINDOWPLACEMENT& placement) {
  std::vector<sys::BYTE> bytes;
  bytes.reserve(kSize);
  for (const sys::LONG field : Fields(placement)) {
    const auto value = static_cast<sys::DWORD>(field);
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<sys::BYTE>(value >> (8 * i) & 0xFF));
  }
  return bytes;
}

bool WindowPlacementRecord::FromBytes(const sys::BYTE* bytes, std::size_t size, ui::WINDOWPLACEMENT& placement) {
  if (!bytes || size != kSize) return false;
  std::array<sys::LONG, kFields> f{};
  for (std::size_t i = 0; i < kFields; ++i) {
    sys::DWORD value = 0;
    for (int b = 3; b >= 0; --b) value = value << 8 | bytes[4 * i + static_cast<std::size_t>(b)];
    f[i] = static_cast<sys::LONG>(value);
  }
  if (static_cast<std::size_t>(f[0]) != kSize) return false;
  placement.length = static_cast<sys::UINT>(f[0]);
  placement.flags = static_cast<sys::UINT>(f[1]);
  placement.showCmd = static_cast<sys::UINT>(f[2]);
  placement.ptMinPosition = {f[3], f[4]};
  placement.ptMaxPosition = {f[5], f[6]};
  placement.rcNormalPosition = {f[7], f[8], f[9], f[10]};
  return true;
}

}  // namespace afx

#include "platform/wxhost/KeyMap.h"

#include <gtest/gtest.h>

namespace {

struct KeyCase {
  unsigned long level0;
  unsigned long level1;
  bool num_lock;
  ui::WPARAM virtual_key;
};

TEST(KeyMap, KeysGiveTheirVirtualKeys) {
  const KeyCase cases[] = {
      {0x0061, 0x0041, false, 0x41},  // a A: letters by their capital
      {0x007A, 0x005A, false, 0x5A},  // z Z
      {0x0031, 0x0021, false, 0x31},  // 1 !: digits as they are
      {0x0020, 0x0020, false, 0x20},  // space
      {0xFFBE, 0xFFBE, false, 0x70},  // F1
      {0xFFC7, 0xFFC7, false, 0x79},  // F10
      {0xFFD5, 0xFFD5, false, 0x87},  // F24
      {0xFFE9, 0xFFE7, false, 0x12},  // Alt_L Meta_L: VK_MENU
      {0xFFE1, 0xFFE1, false, 0x10},  // Shift_L
      {0xFFE4, 0xFFE4, false, 0x11},  // Control_R
      {0xFF0D, 0xFF0D, false, 0x0D},  // Return
      {0xFF1B, 0xFF1B, false, 0x1B},  // Escape
      {0xFF09, 0xFE20, false, 0x09},  // Tab ISO_Left_Tab
      {0xFFFF, 0xFFFF, false, 0x2E},  // Delete
      {0xFF51, 0xFF51, false, 0x25},  // Left
      {0xFF56, 0xFF56, false, 0x22},  // Next: VK_NEXT
      {0x002C, 0x003C, false, 0xBC},  // comma less: VK_OEM_COMMA
      {0x003B, 0x003A, false, 0xBA},  // semicolon colon: VK_OEM_1
      {0x0060, 0x007E, false, 0xC0},  // grave tilde: VK_OEM_3
      {0xFF9C, 0xFFB1, false, 0x23},  // keypad 1 without Num Lock: End
      {0xFF9C, 0xFFB1, true, 0x61},   // keypad 1 with Num Lock: VK_NUMPAD1
      {0xFF9F, 0xFFAE, true, 0x6E},   // keypad Delete / decimal with Num Lock
      {0xFFAB, 0xFFAB, true, 0x6B},   // keypad plus either way
      {0xFF8D, 0xFF8D, true, 0x0D},   // keypad Enter
      {0x0031, 0x0021, true, 0x31},   // Num Lock leaves other keys alone
      {0x06C1, 0x06E1, false, 0x00},  // a Cyrillic symbol: no key of ours
      {0x0000, 0x0000, false, 0x00},  // NoSymbol
  };
  for (const KeyCase& c : cases)
    EXPECT_EQ(wxhost::VirtualKeyFromKey(c.level0, c.level1, c.num_lock), c.virtual_key)
        << std::hex << c.level0 << " " << c.level1 << " " << c.num_lock;
}

}  // namespace

#include "platform/wxhost/KeyMap.h"

#include <algorithm>
#include <array>
#include <utility>

namespace wxhost {

namespace {

using ui::WPARAM;

// X key symbols (X11/keysymdef.h) paired with virtual keys, in symbol
// order for a binary search. Letters, digits and function keys are ranges,
// handled before the table.
constexpr std::array<std::pair<unsigned long, WPARAM>, 74> kSymbols = {{
    {0x0020, 0x20},  // space
    {0x0027, 0xDE},  // apostrophe: VK_OEM_7
    {0x002C, 0xBC},  // comma: VK_OEM_COMMA
    {0x002D, 0xBD},  // minus: VK_OEM_MINUS
    {0x002E, 0xBE},  // period: VK_OEM_PERIOD
    {0x002F, 0xBF},  // slash: VK_OEM_2
    {0x003B, 0xBA},  // semicolon: VK_OEM_1
    {0x003C, 0xE2},  // less (the key beside left Shift): VK_OEM_102
    {0x003D, 0xBB},  // equal: VK_OEM_PLUS
    {0x005B, 0xDB},  // bracketleft: VK_OEM_4
    {0x005C, 0xDC},  // backslash: VK_OEM_5
    {0x005D, 0xDD},  // bracketright: VK_OEM_6
    {0x0060, 0xC0},  // grave: VK_OEM_3
    {0xFE03, 0x12},  // ISO_Level3_Shift (AltGr): VK_MENU
    {0xFE20, 0x09},  // ISO_Left_Tab: VK_TAB
    {0xFF08, 0x08},  // BackSpace
    {0xFF09, 0x09},  // Tab
    {0xFF0B, 0x0C},  // Clear
    {0xFF0D, 0x0D},  // Return
    {0xFF13, 0x13},  // Pause
    {0xFF14, 0x91},  // Scroll_Lock
    {0xFF1B, 0x1B},  // Escape
    {0xFF50, 0x24},  // Home
    {0xFF51, 0x25},  // Left
    {0xFF52, 0x26},  // Up
    {0xFF53, 0x27},  // Right
    {0xFF54, 0x28},  // Down
    {0xFF55, 0x21},  // Prior: VK_PRIOR
    {0xFF56, 0x22},  // Next: VK_NEXT
    {0xFF57, 0x23},  // End
    {0xFF61, 0x2C},  // Print: VK_SNAPSHOT
    {0xFF63, 0x2D},  // Insert
    {0xFF67, 0x5D},  // Menu: VK_APPS
    {0xFF7F, 0x90},  // Num_Lock
    {0xFF8D, 0x0D},  // KP_Enter
    {0xFF95, 0x24},  // KP_Home
    {0xFF96, 0x25},  // KP_Left
    {0xFF97, 0x26},  // KP_Up
    {0xFF98, 0x27},  // KP_Right
    {0xFF99, 0x28},  // KP_Down
    {0xFF9A, 0x21},  // KP_Prior
    {0xFF9B, 0x22},  // KP_Next
    {0xFF9C, 0x23},  // KP_End
    {0xFF9D, 0x0C},  // KP_Begin: VK_CLEAR
    {0xFF9E, 0x2D},  // KP_Insert
    {0xFF9F, 0x2E},  // KP_Delete
    {0xFFAA, 0x6A},  // KP_Multiply
    {0xFFAB, 0x6B},  // KP_Add
    {0xFFAC, 0x6C},  // KP_Separator
    {0xFFAD, 0x6D},  // KP_Subtract
    {0xFFAE, 0x6E},  // KP_Decimal
    {0xFFAF, 0x6F},  // KP_Divide
    {0xFFB0, 0x60},  // KP_0 .. KP_9: VK_NUMPAD0 ..
    {0xFFB1, 0x61},
    {0xFFB2, 0x62},
    {0xFFB3, 0x63},
    {0xFFB4, 0x64},
    {0xFFB5, 0x65},
    {0xFFB6, 0x66},
    {0xFFB7, 0x67},
    {0xFFB8, 0x68},
    {0xFFB9, 0x69},
    {0xFFE1, 0x10},  // Shift_L: VK_SHIFT
    {0xFFE2, 0x10},  // Shift_R
    {0xFFE3, 0x11},  // Control_L: VK_CONTROL
    {0xFFE4, 0x11},  // Control_R
    {0xFFE5, 0x14},  // Caps_Lock: VK_CAPITAL
    {0xFFE7, 0x12},  // Meta_L: VK_MENU
    {0xFFE8, 0x12},  // Meta_R
    {0xFFE9, 0x12},  // Alt_L
    {0xFFEA, 0x12},  // Alt_R
    {0xFFEB, 0x5B},  // Super_L: VK_LWIN
    {0xFFEC, 0x5C},  // Super_R: VK_RWIN
    {0xFFFF, 0x2E},  // Delete
}};

constexpr unsigned long kKeypadFirst = 0xFF80;
constexpr unsigned long kKeypadLast = 0xFFBD;
constexpr unsigned long kF1 = 0xFFBE;
constexpr unsigned long kF24 = 0xFFD5;
constexpr WPARAM kVirtualF1 = 0x70;

bool IsKeypad(unsigned long keysym) { return keysym >= kKeypadFirst && keysym <= kKeypadLast; }

}  // namespace

WPARAM VirtualKeyFromKeysym(unsigned long keysym) {
  if (keysym >= 'a' && keysym <= 'z') return keysym - 'a' + 'A';
  if ((keysym >= 'A' && keysym <= 'Z') || (keysym >= '0' && keysym <= '9')) return keysym;
  if (keysym >= kF1 && keysym <= kF24) return kVirtualF1 + (keysym - kF1);
  const auto found = std::lower_bound(kSymbols.begin(), kSymbols.end(), keysym,
                                      [](const auto& entry, unsigned long key) { return entry.first < key; });
  return found != kSymbols.end() && found->first == keysym ? found->second : 0;
}

WPARAM VirtualKeyFromKey(unsigned long level0, unsigned long level1, bool num_lock) {
  if (num_lock && IsKeypad(level0) && IsKeypad(level1)) return VirtualKeyFromKeysym(level1);
  return VirtualKeyFromKeysym(level0);
}

}  // namespace wxhost

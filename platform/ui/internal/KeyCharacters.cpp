#include "platform/ui/internal/KeyCharacters.h"

#include <array>
#include <utility>

#include "platform/ui/Messages.h"

namespace ui::internal {
namespace {

struct Punctuation {
  WPARAM key;
  char plain;
  char shifted;
};

constexpr std::array<Punctuation, 12> kPunctuation{{
    {VK_OEM_1, ';', ':'},
    {VK_OEM_PLUS, '=', '+'},
    {VK_OEM_COMMA, ',', '<'},
    {VK_OEM_MINUS, '-', '_'},
    {VK_OEM_PERIOD, '.', '>'},
    {VK_OEM_2, '/', '?'},
    {VK_OEM_3, '`', '~'},
    {VK_OEM_4, '[', '{'},
    {VK_OEM_5, '\\', '|'},
    {VK_OEM_6, ']', '}'},
    {VK_OEM_7, '\'', '"'},
    {VK_OEM_102, '<', '>'},
}};

// The keypad's operators type the same with or without Shift.
constexpr std::array<std::pair<WPARAM, char>, 5> kKeypad{{
    {VK_MULTIPLY, '*'},
    {VK_ADD, '+'},
    {VK_SUBTRACT, '-'},
    {VK_DECIMAL, '.'},
    {VK_DIVIDE, '/'},
}};

constexpr char kShiftedDigits[] = ")!@#$%^&*(";

}  // namespace

char KeyCharacter(WPARAM key, bool shift) {
  if (key >= 'A' && key <= 'Z') return static_cast<char>(shift ? key : key - 'A' + 'a');
  if (key >= '0' && key <= '9') return shift ? kShiftedDigits[key - '0'] : static_cast<char>(key);
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return static_cast<char>('0' + (key - VK_NUMPAD0));
  switch (key) {
    case VK_SPACE:
    case VK_BACK:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_TAB: return static_cast<char>(key);
  }
  for (const auto& [keypad_key, ch] : kKeypad)
    if (keypad_key == key) return ch;
  for (const Punctuation& p : kPunctuation)
    if (p.key == key) return shift ? p.shifted : p.plain;
  return 0;
}

}  // namespace ui::internal

// Steps through edit text by whole characters: a UTF-8 sequence and a
// CR LF line break are each one step, so the caret, deletions and the
// text limit never cut one in two.
#pragma once

#include <cstddef>
#include <string_view>

namespace ui::internal {

// The offset after the character at `offset` (the end stays the end).
std::size_t NextCharacter(std::string_view text, std::size_t offset);
// The offset of the character before `offset` (0 stays 0).
std::size_t PreviousCharacter(std::string_view text, std::size_t offset);
// `offset`, or the start of the character it falls inside.
std::size_t CharacterStart(std::string_view text, std::size_t offset);

}  // namespace ui::internal

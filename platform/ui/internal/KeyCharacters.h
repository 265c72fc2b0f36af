// The character a key types, for TranslateMessage. Hosts name each key by
// the symbol it types unshifted (a punctuation key by its VK_OEM_ code);
// what it types with Shift follows the US layout, the one the VK_OEM_
// names are drawn from.
#pragma once

#include "platform/ui/Types.h"

namespace ui::internal {

// 0 when the key types nothing. Letters come upper-case with `shift`;
// the control characters of Ctrl+letter are the caller's.
char KeyCharacter(WPARAM virtual_key, bool shift);

}  // namespace ui::internal

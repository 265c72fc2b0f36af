// Keys as the window system names them (virtual keys) from keys as X names
// them. wx's key codes are not virtual keys (only letters and digits
// agree), so the host maps from the raw X key: the symbols of its first
// two levels in the first layout, which name the key by its place on a US
// keyboard whatever layout the user types with.
#pragma once

#include "platform/ui/Types.h"

namespace wxhost {

// The virtual key of the unshifted symbol of a key; 0 for a key that has
// none.
ui::WPARAM VirtualKeyFromKeysym(unsigned long keysym);

// A key given by the symbols of its first two levels: on the number pad
// the second level (the digits) counts while Num Lock is on, as there.
ui::WPARAM VirtualKeyFromKey(unsigned long level0, unsigned long level1, bool num_lock);

}  // namespace wxhost

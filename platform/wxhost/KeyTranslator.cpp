#include "platform/wxhost/KeyTranslator.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include "platform/wxhost/KeyMap.h"

namespace wxhost {

KeyTranslator::KeyTranslator() : display_(XOpenDisplay(nullptr)) {}

KeyTranslator::~KeyTranslator() {
  if (display_ != nullptr) XCloseDisplay(display_);
}

bool KeyTranslator::NumLockOn() const {
  XkbStateRec state;
  if (XkbGetState(display_, XkbUseCoreKbd, &state) != Success) return false;
  return (state.locked_mods & XkbKeysymToModifiers(display_, XK_Num_Lock)) != 0;
}

ui::WPARAM KeyTranslator::VirtualKey(unsigned hardware_keycode) const {
  if (display_ == nullptr || hardware_keycode < 8 || hardware_keycode > 255) return 0;
  int per_keycode = 0;
  KeySym* symbols = XGetKeyboardMapping(display_, static_cast<KeyCode>(hardware_keycode), 1, &per_keycode);
  if (symbols == nullptr) return 0;
  const unsigned long level0 = per_keycode > 0 ? symbols[0] : NoSymbol;
  const unsigned long level1 = per_keycode > 1 ? symbols[1] : NoSymbol;
  XFree(symbols);
  return VirtualKeyFromKey(level0, level1, NumLockOn());
}

}  // namespace wxhost

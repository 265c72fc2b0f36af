// Virtual keys from the raw key codes of the display's key events, read
// from the server's current keyboard mapping (a connection of our own, so
// a layout change is seen at the next key).
#pragma once

#include "platform/ui/Types.h"

typedef struct _XDisplay Display;

namespace wxhost {

class KeyTranslator {
 public:
  KeyTranslator();
  ~KeyTranslator();
  KeyTranslator(const KeyTranslator&) = delete;
  KeyTranslator& operator=(const KeyTranslator&) = delete;

  // 0 for a key we have no virtual key for.
  ui::WPARAM VirtualKey(unsigned hardware_keycode) const;

 private:
  bool NumLockOn() const;
  Display* display_ = nullptr;
};

}  // namespace wxhost

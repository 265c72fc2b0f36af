// A per-thread callback run for each window the thread creates, after the
// handle exists and before its first message: the framework uses it to
// join its window objects to new windows, as Win32's creation hook does.
#pragma once

#include "platform/ui/Types.h"

namespace ui {

using CreationHook = void (*)(HWND hwnd, const CREATESTRUCT& create);

// Returns the hook it replaces; nullptr removes it.
CreationHook SetCreationHook(CreationHook hook);
CreationHook GetCreationHook();

}  // namespace ui

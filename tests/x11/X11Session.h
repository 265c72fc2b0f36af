// The wx host of the test process, started on first use on the display
// DISPLAY names (wx starts once per process) and ended after the last test.
#pragma once

#include <initializer_list>
#include <string>

#include "platform/wxhost/WxHost.h"

namespace x11test {

// Null when no display can be opened; Reason() then says why.
wxhost::WxHost* Host();
const std::string& Reason();

// The folder screenshots are written to (the build folder of the tests).
std::string ScreenshotFolder();

// Waits until every window of `shown` is on the screen and then until
// `steady`'s rectangle has stopped changing: the window manager places and
// decorates a frame after mapping it, and our geometry follows. False when
// either takes longer than ten seconds.
bool WaitUntilShownAndSteady(std::initializer_list<ui::HWND> shown, ui::HWND steady);

}  // namespace x11test

// Skips the test where no display host can start.
#define X11_REQUIRE_HOST()                                                        \
  do {                                                                            \
    if (x11test::Host() == nullptr) GTEST_SKIP() << x11test::Reason();            \
  } while (0)

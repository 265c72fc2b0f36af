// Whether this run shows windows. An unattended conversion makes the main
// frame and its view as every run does (the conversion is driven by the
// view's messages and timers), but makes them without controls, menu or
// layout: nothing is shown, so nothing is drawn, and the drawing libraries
// are never loaded.
#pragma once

namespace app {

void SetWindowlessRun(bool windowless);
bool IsWindowlessRun();

}  // namespace app

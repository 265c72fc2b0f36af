// What `briven --help` prints: the forms of the command line, every switch
// with its meaning and range, the exit statuses and where settings live.
// The manual page (briven.1) says the same at more length.
#pragma once

namespace app {

const char* UsageText();

}  // namespace app

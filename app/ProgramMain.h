// The body both programs share: the command-line program and the
// interactive one differ only in whether a display host is installed.
#pragma once

#include <string>
#include <vector>

namespace app {

// Runs the application object over `arguments` (the program's name first)
// and returns the exit status. `interactive_host` says that a display host
// is installed, so an interactive start shows its windows instead of being
// handed over to the interactive program.
int RunApplication(const std::vector<std::string>& arguments, bool interactive_host);

}  // namespace app

// The interactive program is a program of its own, the only one that loads
// the GUI toolkit: the command-line program hands an interactive start over
// to it by replacing itself, so a conversion or `--version` never pays for
// loading wxWidgets and GTK.
#pragma once

#include <string>
#include <vector>

namespace app {

// Where the interactive program lies: beside this one (the build tree),
// else where the installation put it. Empty when neither exists.
std::string FindDesktopProgram();

// Replaces this process with the interactive program, given the same
// arguments. Returns only when that failed, with the message to show.
void HandOverToDesktopProgram(const std::vector<std::string>& argv, std::string& message);

}  // namespace app

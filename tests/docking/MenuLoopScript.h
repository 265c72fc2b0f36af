// The program's message loop for menu tests: every message is offered to
// the window tree's pre-translation first, and scripted input runs one
// step each time a loop (the program's or a popup's) has nothing to do.
#pragma once

#include <functional>
#include <vector>

namespace docking::test {

// Handles the messages queued now.
void PumpProgramLoop();
// Runs the steps to the last, then handles what they left queued.
void RunScriptSteps(const std::vector<std::function<void()>>& steps);

}  // namespace docking::test

// SIGINT and SIGTERM during an unattended run stop the conversion like the
// Cancel button: the handler only records the signal, and the view's
// progress timer asks for it, so the aborted summary is written and the
// files are closed on the normal road.
#pragma once

namespace app {

void InstallStopSignals();
// The signal that asked for a stop, 0 when none did.
int StopSignal();
// The exit status of a run ended by `signal` (128 + its number).
int SignalExitCode(int signal);

}  // namespace app

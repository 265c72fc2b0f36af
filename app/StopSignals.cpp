#include "app/StopSignals.h"

#include <csignal>

namespace app {
namespace {

volatile std::sig_atomic_t g_stop_signal = 0;

extern "C" void RecordStopSignal(int signal) { g_stop_signal = signal; }

}  // namespace

void InstallStopSignals() {
  struct sigaction action = {};
  action.sa_handler = &RecordStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

int StopSignal() { return g_stop_signal; }

int SignalExitCode(int signal) { return 128 + signal; }

}  // namespace app

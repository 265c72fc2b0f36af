// Runs the built program as a child process the way a user's shell would,
// with DISPLAY removed, its own settings folder, a time limit, and
// optionally a signal sent while it runs; collects stdout, stderr and the
// exit status.
#pragma once

#include <string>
#include <vector>

namespace apptest {

struct ProgramRun {
  int exit_code = -1;     // -1 when it did not exit normally
  bool timed_out = false;
  std::string out;
  std::string err;
};

struct ProgramOptions {
  std::string working_folder;
  std::string config_home;  // XDG_CONFIG_HOME of the child
  std::string display;      // DISPLAY of the child; empty: none
  int timeout_ms = 30000;
  int signal = 0;           // sent once `signal_after_ms` have passed
  int signal_after_ms = 0;
  // Sent only once this file exists (the run is under way), when given.
  std::string signal_when_exists;
  // stderr is a pseudo-terminal instead of a pipe.
  bool stderr_terminal = false;
  // Another copy of the program (an installed layout), when given.
  std::string program;
  // When not 0, no file of the child may grow beyond this many bytes; a
  // write past it fails (EFBIG) instead of killing the child.
  long file_size_limit = 0;
};

ProgramRun RunProgram(const std::vector<std::string>& arguments, const ProgramOptions& options);

}  // namespace apptest

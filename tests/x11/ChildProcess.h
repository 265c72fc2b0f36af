// A helper program (xdotool, xclip, import) run beside the test's own loop,
// which must keep running meanwhile: the display's requests to us (the
// clipboard, input) are answered by that loop. Ends the child it started,
// by its id, if it is still running when it goes.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace x11test {

class ChildProcess {
 public:
  // Starts `argv` with `input` on its stdin; stdout is collected.
  ChildProcess(const std::vector<std::string>& argv, const std::string& input = "");
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Reads what is ready and tells whether the child has ended.
  bool Finished();
  int ExitCode() const { return exit_code_; }
  const std::string& Output() const { return output_; }
  void Kill();

 private:
  pid_t pid_ = -1;
  int out_fd_ = -1;
  int exit_code_ = -1;
  std::string output_;
};

// Runs our loop (and so wx's) until `done` or `limit_ms` pass; false on
// the time limit.
bool PumpUntil(const std::function<bool()>& done, int limit_ms = 10000);

// Runs a helper to its end while our loop keeps running; its stdout.
// Fails the test (and ends the helper) when it takes longer than the limit.
std::string RunHelper(const std::vector<std::string>& argv, int limit_ms = 10000);

}  // namespace x11test

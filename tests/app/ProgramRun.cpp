#include "tests/app/ProgramRun.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

extern char** environ;

namespace apptest {
namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> ChildEnvironment(const ProgramOptions& options) {
  std::vector<std::string> env;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    if (std::strncmp(*entry, "DISPLAY=", 8) == 0 || std::strncmp(*entry, "XDG_CONFIG_HOME=", 16) == 0) continue;
    env.emplace_back(*entry);
  }
  env.push_back("XDG_CONFIG_HOME=" + options.config_home);
  if (!options.display.empty()) env.push_back("DISPLAY=" + options.display);
  return env;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

bool Exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

}  // namespace

ProgramRun RunProgram(const std::vector<std::string>& arguments, const ProgramOptions& options) {
  std::vector<std::string> argv_texts = {options.program.empty() ? std::string(BRIVEN_PROGRAM) : options.program};
  argv_texts.insert(argv_texts.end(), arguments.begin(), arguments.end());
  std::vector<std::string> env_texts = ChildEnvironment(options);
  std::vector<char*> argv = Pointers(argv_texts);
  std::vector<char*> envp = Pointers(env_texts);
  int out_pipe[2], err_pipe[2];
  ProgramRun run;
  if (::pipe2(out_pipe, O_CLOEXEC) != 0) return run;
  if (options.stderr_terminal) {
    if (::openpty(&err_pipe[0], &err_pipe[1], nullptr, nullptr, nullptr) != 0) return run;
    ::fcntl(err_pipe[0], F_SETFD, FD_CLOEXEC);
    ::fcntl(err_pipe[1], F_SETFD, FD_CLOEXEC);
  } else if (::pipe2(err_pipe, O_CLOEXEC) != 0) {
    return run;
  }
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(out_pipe[1], STDOUT_FILENO);
    ::dup2(err_pipe[1], STDERR_FILENO);
    const int null_in = ::open("/dev/null", O_RDONLY);
    if (null_in >= 0) ::dup2(null_in, STDIN_FILENO);
    if (!options.working_folder.empty() && ::chdir(options.working_folder.c_str()) != 0) ::_exit(126);
    if (options.file_size_limit > 0) {
      // An ignored signal stays ignored across exec.
      ::signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{static_cast<rlim_t>(options.file_size_limit), static_cast<rlim_t>(options.file_size_limit)};
      if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(125);
    }
    ::execve(argv[0], argv.data(), envp.data());
    ::_exit(127);
  }
  ::close(out_pipe[1]);
  ::close(err_pipe[1]);
  const auto start = Clock::now();
  bool signalled = options.signal == 0;
  pollfd fds[2] = {{out_pipe[0], POLLIN, 0}, {err_pipe[0], POLLIN, 0}};
  int open_pipes = 2;
  char buffer[4096];
  while (open_pipes > 0) {
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    if (elapsed > options.timeout_ms) {
      run.timed_out = true;
      ::kill(pid, SIGKILL);
      break;
    }
    if (!signalled && elapsed >= options.signal_after_ms &&
        (options.signal_when_exists.empty() || Exists(options.signal_when_exists))) {
      ::kill(pid, options.signal);
      signalled = true;
    }
    if (::poll(fds, 2, 20) <= 0) continue;
    for (pollfd& fd : fds) {
      if (fd.fd < 0 || (fd.revents & (POLLIN | POLLHUP | POLLERR)) == 0) continue;
      const ssize_t n = ::read(fd.fd, buffer, sizeof buffer);
      if (n <= 0) {
        ::close(fd.fd);
        fd.fd = -1;
        --open_pipes;
        continue;
      }
      (fd.fd == out_pipe[0] ? run.out : run.err).append(buffer, static_cast<std::size_t>(n));
    }
  }
  for (pollfd& fd : fds)
    if (fd.fd >= 0) ::close(fd.fd);
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (WIFEXITED(status)) run.exit_code = WEXITSTATUS(status);
  return run;
}

}  // namespace apptest

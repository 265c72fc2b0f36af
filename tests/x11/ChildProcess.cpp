#include "tests/x11/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>

#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"

namespace x11test {

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::string& input) {
  int out[2], in[2];
  if (::pipe2(out, O_CLOEXEC) != 0) return;
  if (::pipe2(in, O_CLOEXEC) != 0) {
    ::close(out[0]);
    ::close(out[1]);
    return;
  }
  pid_ = ::fork();
  if (pid_ == 0) {
    ::dup2(in[0], STDIN_FILENO);
    ::dup2(out[1], STDOUT_FILENO);
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    ::execvp(args[0], args.data());
    ::_exit(127);
  }
  ::close(in[0]);
  ::close(out[1]);
  out_fd_ = out[0];
  ::fcntl(out_fd_, F_SETFL, O_NONBLOCK);
  // Input is small (clipboard text): it fits the pipe at once.
  if (!input.empty() && ::write(in[1], input.data(), input.size()) < 0) ADD_FAILURE() << "stdin of " << argv[0];
  ::close(in[1]);
}

ChildProcess::~ChildProcess() {
  Kill();
  if (out_fd_ >= 0) ::close(out_fd_);
}

bool ChildProcess::Finished() {
  if (out_fd_ >= 0) {
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(out_fd_, buffer, sizeof buffer)) > 0) output_.append(buffer, static_cast<std::size_t>(n));
  }
  if (pid_ <= 0) return true;
  int status = 0;
  if (::waitpid(pid_, &status, WNOHANG) != pid_) return false;
  exit_code_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  pid_ = -1;
  Finished();  // what it wrote last
  return true;
}

void ChildProcess::Kill() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  ::waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

namespace {
void KeepLoopBusy(ui::HWND, ui::UINT, ui::UINT_PTR, ui::DWORD) {}
}  // namespace

bool PumpUntil(const std::function<bool()>& done, int limit_ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limit_ms);
  // A timer bounds each wait, so `done` is looked at often.
  const ui::UINT_PTR timer = ui::SetTimer(nullptr, 0, 5, KeepLoopBusy);
  bool finished = done();
  while (!finished && std::chrono::steady_clock::now() < deadline) {
    ui::MSG msg;
    if (ui::GetMessage(&msg, nullptr, 0, 0) <= 0) break;
    ui::TranslateMessage(&msg);
    ui::DispatchMessage(&msg);
    finished = done();
  }
  ui::KillTimer(nullptr, timer);
  return finished;
}

std::string RunHelper(const std::vector<std::string>& argv, int limit_ms) {
  ChildProcess child(argv);
  const bool ended = PumpUntil([&] { return child.Finished(); }, limit_ms);
  EXPECT_TRUE(ended) << argv[0] << " did not end within " << limit_ms << " ms";
  EXPECT_EQ(child.ExitCode(), 0) << argv[0];
  return child.Output();
}

}  // namespace x11test

#include "platform/sys/SerialPort.h"

#include <termios.h>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace sys {
namespace {

int Errno() { return errno != 0 ? errno : EIO; }

int MillisecondsLeft(std::chrono::steady_clock::time_point deadline) {
  // Rounded up, so a wait never ends before its deadline.
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// poll for one event, restarted after signals; >0 ready, 0 time-out, <0 errno.
int WaitFor(int fd, short events, int timeout_ms, short& revents) {
  const bool forever = timeout_ms < 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(forever ? 0 : timeout_ms);
  for (;;) {
    struct pollfd p = {fd, events, 0};
    const int n = ::poll(&p, 1, forever ? -1 : MillisecondsLeft(deadline));
    if (n >= 0) {
      revents = p.revents;
      return n;
    }
    if (errno != EINTR) return -Errno();
  }
}

}  // namespace

SerialPort::SerialPort() : saved_(std::make_unique<struct termios>()) {}

SerialPort::~SerialPort() { Close(); }

std::string SerialPort::DevicePath(const std::string& port_name) {
  if (port_name.find('/') != std::string::npos) return port_name;
  return "/dev/" + port_name;
}

int SerialPort::Probe(const std::string& port_name) {
  if (port_name.empty()) return ENOENT;
  // Only opened and asked, never configured, so probing leaves the line
  // settings of the port as they were.
  const int fd = ::open(DevicePath(port_name).c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Errno();
  int error = 0;
  if (!::isatty(fd)) {
    error = ENOTTY;
  } else if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    error = errno == EWOULDBLOCK ? EBUSY : Errno();
  }
  ::close(fd);
  return error;
}

int SerialPort::Open(const std::string& port_name) {
  Close();
  if (port_name.empty()) return ENOENT;
  const std::string path = DevicePath(port_name);
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Errno();
  auto fail = [fd](int error) {
    ::close(fd);
    return error;
  };
  if (!::isatty(fd)) return fail(ENOTTY);
  // The flock keeps out other instances even when running as root, for
  // whom TIOCEXCL does not hold; TIOCEXCL keeps out programs that do not
  // flock.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) return fail(errno == EWOULDBLOCK ? EBUSY : Errno());
  if (::ioctl(fd, TIOCEXCL) != 0) return fail(Errno());
  struct termios saved {};
  if (::tcgetattr(fd, &saved) != 0) return fail(Errno());
  struct termios raw = saved;
  MakeRawLine(raw);
  if (::tcsetattr(fd, TCSANOW, &raw) != 0) return fail(Errno());
  fd_ = fd;
  path_ = path;
  *saved_ = saved;
  read_interval_ms_ = 0;
  input_size_ = 0;
  has_counters_ = ReadCounters(counters_);
  return 0;
}

int SerialPort::Configure(const SerialLineSettings& settings) {
  if (!IsOpen()) return EBADF;
  struct termios t {};
  if (::tcgetattr(fd_, &t) != 0) return Errno();
  if (const int error = ApplyLineSettings(settings, t); error != 0) return error;
  if (::tcsetattr(fd_, TCSANOW, &t) != 0) return Errno();
  // Raised so that instruments powered or enabled by the control lines
  // talk; a line without modem control lines has nothing to raise.
  int lines = TIOCM_DTR | TIOCM_RTS;
  if (::ioctl(fd_, TIOCMBIS, &lines) != 0 && errno != ENOTTY && errno != EINVAL) return Errno();
  read_interval_ms_ = ReadIntervalFor(settings.baud_rate);
  return 0;
}

int SerialPort::SetBufferSizes(DWORD input_size, DWORD /*output_size*/) {
  if (!IsOpen()) return EBADF;
  if (input_size == 0) return EINVAL;
  input_size_ = input_size;
  return 0;
}

int SerialPort::Purge(unsigned flags) {
  if (!IsOpen()) return EBADF;
  const bool input = (flags & kPurgeRxClear) != 0;
  const bool output = (flags & kPurgeTxClear) != 0;
  if (!input && !output) return 0;
  const int queue = input && output ? TCIOFLUSH : input ? TCIFLUSH : TCOFLUSH;
  return ::tcflush(fd_, queue) == 0 ? 0 : Errno();
}

bool SerialPort::ReadCounters(Counters& counters) const {
  struct serial_icounter_struct icount {};
  if (::ioctl(fd_, TIOCGICOUNT, &icount) != 0) return false;
  counters.overflow = static_cast<std::uint64_t>(icount.buf_overrun);
  counters.overrun = static_cast<std::uint64_t>(icount.overrun);
  counters.parity = static_cast<std::uint64_t>(icount.parity);
  counters.frame = static_cast<std::uint64_t>(icount.frame);
  counters.brk = static_cast<std::uint64_t>(icount.brk);
  return true;
}

int SerialPort::TakeLineErrors(DWORD& errors) {
  errors = 0;
  if (!IsOpen()) return EBADF;
  if (!has_counters_) return 0;
  Counters now;
  if (!ReadCounters(now)) return Errno();
  if (now.overflow != counters_.overflow) errors |= kErrorRxOver;
  if (now.overrun != counters_.overrun) errors |= kErrorOverrun;
  if (now.parity != counters_.parity) errors |= kErrorRxParity;
  if (now.frame != counters_.frame) errors |= kErrorFrame;
  if (now.brk != counters_.brk) errors |= kErrorBreak;
  counters_ = now;
  return 0;
}

int SerialPort::ReadAvailable(char* out, std::size_t capacity, std::size_t& received) {
  while (received < capacity) {
    const ssize_t n = ::read(fd_, out + received, capacity - received);
    if (n > 0) {
      received += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno == EAGAIN) return 0;
    // 0 from a tty in raw mode is a hang-up; a pseudo-terminal says EIO.
    return n == 0 ? EIO : Errno();
  }
  return 0;
}

int SerialPort::Read(void* buffer, std::size_t capacity, int timeout_ms, std::size_t& received) {
  received = 0;
  if (!IsOpen()) return EBADF;
  if (capacity == 0) return 0;
  auto* out = static_cast<char*>(buffer);
  int wait_ms = timeout_ms;
  // The first wait is the caller's; the later ones are the read interval,
  // which ends the burst when the line goes quiet.
  while (received < capacity) {
    short revents = 0;
    const int ready = WaitFor(fd_, POLLIN, wait_ms, revents);
    if (ready < 0) return received > 0 ? 0 : -ready;
    if (ready == 0) break;
    if ((revents & POLLNVAL) != 0) return EBADF;
    const std::size_t before = received;
    const int error = ReadAvailable(out, capacity, received);
    // Bytes already in hand are delivered; the failure shows on the next read.
    if (error != 0) return received > 0 ? 0 : error;
    if (received == before) {
      // Woken with nothing to read: an error condition, not data. Looping
      // on it would spin.
      if ((revents & (POLLERR | POLLHUP)) != 0 && received == 0) return EIO;
      break;
    }
    if (read_interval_ms_ == 0) break;
    wait_ms = static_cast<int>(read_interval_ms_);
  }
  return 0;
}

int SerialPort::Write(const void* data, std::size_t size, int timeout_ms, std::size_t& written) {
  written = 0;
  if (!IsOpen()) return EBADF;
  const auto* in = static_cast<const char*>(data);
  while (written < size) {
    const ssize_t n = ::write(fd_, in + written, size - written);
    if (n > 0) {
      written += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) return Errno();
    short revents = 0;
    const int ready = WaitFor(fd_, POLLOUT, timeout_ms, revents);
    if (ready < 0) return -ready;
    if (ready == 0) return ETIMEDOUT;
    if ((revents & (POLLERR | POLLHUP)) != 0 && (revents & POLLOUT) == 0) return EIO;
  }
  return 0;
}

int SerialPort::RestoreSettings() {
  if (!IsOpen()) return EBADF;
  return ::tcsetattr(fd_, TCSANOW, saved_.get()) == 0 ? 0 : Errno();
}

int SerialPort::Close() {
  if (!IsOpen()) return 0;
  int error = RestoreSettings();
  if (::ioctl(fd_, TIOCNXCL) != 0 && error == 0) error = Errno();
  if (::close(fd_) != 0 && error == 0 && errno != EINTR) error = Errno();
  fd_ = -1;
  path_.clear();
  read_interval_ms_ = 0;
  has_counters_ = false;
  return error;
}

}  // namespace sys

#include "platform/sys/SerialPort.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

using sys::SerialPort;
using namespace std::chrono_literals;

// A pseudo-terminal: the port opens the slave side by its path, the test
// plays the instrument on the master side.
class PtyFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    int slave = -1;
    char name[256] = {};
    ASSERT_EQ(::openpty(&master_, &slave, name, nullptr, nullptr), 0) << std::strerror(errno);
    slave_path_ = name;
    ASSERT_EQ(port_.Open(slave_path_), 0);
    // Only the port holds the slave from here on, as with a real device.
    ::close(slave);
  }
  void TearDown() override {
    port_.Close();
    CloseMaster();
  }
  void CloseMaster() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
  }
  void MasterWrite(const std::string& bytes) {
    ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  std::string MasterRead(std::size_t want, int timeout_ms = 2000) {
    std::string out;
    while (out.size() < want) {
      struct pollfd p = {master_, POLLIN, 0};
      if (::poll(&p, 1, timeout_ms) <= 0) break;
      char buffer[256];
      const ssize_t n = ::read(master_, buffer, sizeof buffer);
      if (n <= 0) break;
      out.append(buffer, static_cast<std::size_t>(n));
    }
    return out;
  }
  std::string PortRead(std::size_t capacity, int timeout_ms, int& error) {
    std::string buffer(capacity, '\0');
    std::size_t received = 0;
    error = port_.Read(buffer.data(), buffer.size(), timeout_ms, received);
    buffer.resize(received);
    return buffer;
  }

  int master_ = -1;
  std::string slave_path_;
  SerialPort port_;
};

TEST_F(PtyFixture, BytesTravelBothWaysUnchanged) {
  ASSERT_EQ(port_.Configure({9600, 8, sys::kParityNone, sys::kOneStopBit}), 0);
  // Raw mode: no echo, no CR/LF translation, no flow-control characters.
  const std::string frame = std::string("SATHSE\r\n\x00\x11\x13\x7f\xff", 13);
  MasterWrite(frame);
  std::string got;
  int error = 0;
  for (int turn = 0; turn < 20 && got.size() < frame.size(); ++turn) got += PortRead(64, 500, error);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(got, frame);

  std::size_t written = 0;
  EXPECT_EQ(port_.Write(frame.data(), frame.size(), 1000, written), 0);
  EXPECT_EQ(written, frame.size());
  EXPECT_EQ(MasterRead(frame.size()), frame);
  EXPECT_EQ(MasterRead(1, 100), "") << "the port echoed input back";
}

TEST_F(PtyFixture, ReadStopsAtCapacityAndKeepsTheRest) {
  ASSERT_EQ(port_.Configure({115200, 8, 0, 0}), 0);
  MasterWrite("0123456789");
  std::this_thread::sleep_for(20ms);
  int error = 0;
  EXPECT_EQ(PortRead(4, 500, error), "0123");
  EXPECT_EQ(PortRead(100, 500, error), "456789");
}

TEST_F(PtyFixture, ReadTimesOutWithNothingAndNoError) {
  const auto start = std::chrono::steady_clock::now();
  int error = -1;
  EXPECT_EQ(PortRead(16, 100, error), "");
  EXPECT_EQ(error, 0);
  EXPECT_GE(std::chrono::steady_clock::now() - start, 100ms);
  EXPECT_EQ(PortRead(16, 0, error), "");
  EXPECT_EQ(error, 0);
}

TEST_F(PtyFixture, FarEndClosingIsReportedNotSpunOn) {
  MasterWrite("last");
  std::this_thread::sleep_for(20ms);
  CloseMaster();
  int error = 0;
  std::string got;
  for (int turn = 0; turn < 5 && error == 0; ++turn) got += PortRead(16, 200, error);
  EXPECT_EQ(error, EIO);
  std::size_t written = 1;
  EXPECT_EQ(port_.Write("x", 1, 200, written), EIO);
  EXPECT_EQ(written, 0u);
}

TEST_F(PtyFixture, SecondOpenIsRefusedAsBusy) {
  SerialPort other;
  EXPECT_EQ(other.Open(slave_path_), EBUSY);
  EXPECT_EQ(SerialPort::Probe(slave_path_), EBUSY);
  port_.Close();
  EXPECT_EQ(SerialPort::Probe(slave_path_), 0);
  EXPECT_EQ(other.Open(slave_path_), 0);
}

TEST_F(PtyFixture, CloseRestoresTheSettingsFoundAtOpen) {
  port_.Close();
  // A plain descriptor keeps the terminal and lets the test look at it.
  const int watcher = ::open(slave_path_.c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(watcher, 0);
  struct termios before {};
  ASSERT_EQ(::tcgetattr(watcher, &before), 0);
  ASSERT_NE(before.c_lflag & ICANON, 0u) << "a fresh pseudo-terminal starts in cooked mode";
  ASSERT_EQ(port_.Open(slave_path_), 0);
  ASSERT_EQ(port_.Configure({2400, 8, 0, 0}), 0);
  struct termios during {};
  ASSERT_EQ(::tcgetattr(watcher, &during), 0);
  EXPECT_EQ(::cfgetospeed(&during), static_cast<speed_t>(B2400));
  EXPECT_EQ(during.c_lflag & (ECHO | ICANON), 0u);
  ASSERT_EQ(port_.Close(), 0);
  EXPECT_FALSE(port_.IsOpen());
  struct termios after {};
  ASSERT_EQ(::tcgetattr(watcher, &after), 0);
  ::close(watcher);
  EXPECT_EQ(after.c_lflag, before.c_lflag);
  EXPECT_EQ(after.c_iflag, before.c_iflag);
  EXPECT_EQ(::cfgetospeed(&after), ::cfgetospeed(&before));
}

TEST_F(PtyFixture, PurgeDropsUnreadInputAndPtysHaveNoErrorCounters) {
  MasterWrite("stale bytes");
  std::this_thread::sleep_for(20ms);
  EXPECT_EQ(port_.Purge(SerialPort::kPurgeRxAbort | SerialPort::kPurgeRxClear | SerialPort::kPurgeTxAbort |
                        SerialPort::kPurgeTxClear),
            0);
  int error = 0;
  EXPECT_EQ(PortRead(64, 50, error), "");
  sys::DWORD errors = 0xFFFF;
  EXPECT_FALSE(port_.HasLineErrorCounters());
  EXPECT_EQ(port_.TakeLineErrors(errors), 0);
  EXPECT_EQ(errors, 0u);
  EXPECT_EQ(port_.SetBufferSizes(0, 0), EINVAL);
  EXPECT_EQ(port_.SetBufferSizes(4096, 0), 0);
  EXPECT_EQ(port_.GetInputBufferSize(), 4096u);
}

TEST(SerialOpen, RefusesWhatIsNotAPort) {
  EXPECT_EQ(SerialPort::DevicePath("ttyS0"), "/dev/ttyS0");
  EXPECT_EQ(SerialPort::DevicePath("/dev/pts/3"), "/dev/pts/3");
  SerialPort port;
  EXPECT_EQ(port.Open("/dev/null"), ENOTTY);
  EXPECT_EQ(port.Open("no-such-port-here"), ENOENT);
  EXPECT_EQ(port.Open(""), ENOENT);
  EXPECT_FALSE(port.IsOpen());
  std::size_t n = 0;
  char buffer[4];
  EXPECT_EQ(port.Read(buffer, sizeof buffer, 0, n), EBADF);
  EXPECT_EQ(port.Configure({9600, 8, 0, 0}), EBADF);
  EXPECT_EQ(port.Close(), 0);
}

}  // namespace

#include "platform/sys/SerialLine.h"

#include <cerrno>
#include <termios.h>

#include <gtest/gtest.h>

namespace {

using sys::SerialLineSettings;

TEST(SerialLine, SettingsBecomeTermiosFlags) {
  struct Case {
    SerialLineSettings settings;
    tcflag_t size, parity_flags;
    bool two_stop, parity_checked;
    speed_t speed;
  } cases[] = {
      {{9600, 8, sys::kParityNone, sys::kOneStopBit}, CS8, 0, false, false, B9600},
      {{19200, 7, sys::kParityEven, sys::kOneStopBit}, CS7, PARENB, false, true, B19200},
      {{4800, 7, sys::kParityOdd, sys::kTwoStopBits}, CS7, PARENB | PARODD, true, true, B4800},
      {{1200, 8, sys::kParityMark, sys::kOneStopBit}, CS8, PARENB | PARODD | CMSPAR, false, true,
       B1200},
      {{300, 6, sys::kParitySpace, sys::kOneStopBit}, CS6, PARENB | CMSPAR, false, true, B300},
      {{110, 5, sys::kParityNone, sys::kOne5StopBits}, CS5, 0, true, false, B110},
  };
  for (const Case& c : cases) {
    struct termios t {};
    t.c_cflag = CRTSCTS | PARENB | CS5;
    t.c_iflag = IXON | IXOFF | ICRNL;
    t.c_lflag = ECHO | ICANON;
    ASSERT_EQ(sys::ApplyLineSettings(c.settings, t), 0) << c.settings.baud_rate;
    EXPECT_EQ(t.c_cflag & CSIZE, c.size) << c.settings.baud_rate;
    EXPECT_EQ(t.c_cflag & (PARENB | PARODD | CMSPAR), c.parity_flags) << c.settings.baud_rate;
    EXPECT_EQ((t.c_cflag & CSTOPB) != 0, c.two_stop) << c.settings.baud_rate;
    EXPECT_EQ((t.c_iflag & INPCK) != 0, c.parity_checked) << c.settings.baud_rate;
    EXPECT_EQ(::cfgetispeed(&t), c.speed);
    EXPECT_EQ(::cfgetospeed(&t), c.speed);
    EXPECT_EQ(t.c_cflag & CRTSCTS, 0u) << "no hardware flow control";
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF | ICRNL), 0u) << "no software flow control or translation";
    EXPECT_EQ(t.c_lflag & (ECHO | ICANON), 0u);
    EXPECT_NE(t.c_cflag & CLOCAL, 0u);
    EXPECT_NE(t.c_cflag & CREAD, 0u);
  }
}

TEST(SerialLine, ImpossibleSettingsAreRefused) {
  const SerialLineSettings bad[] = {
      {0, 8, 0, 0},       // no speed
      {12345, 8, 0, 0},   // a speed the line cannot be set to
      {9600, 4, 0, 0},    // byte too short
      {9600, 9, 0, 0},    // byte too long
      {9600, 8, 5, 0},    // unknown parity
      {9600, 8, 0, 3},    // unknown stop bits
      {9600, 8, 0, 1},    // 1.5 stop bits need 5-bit bytes
      {9600, 5, 0, 2},    // two stop bits are 1.5 at 5 bits
  };
  for (const SerialLineSettings& s : bad) {
    struct termios t {};
    EXPECT_EQ(sys::ApplyLineSettings(s, t), EINVAL)
        << s.baud_rate << " " << int{s.byte_size} << " " << int{s.parity} << " " << int{s.stop_bits};
  }
}

TEST(SerialLine, ReadIntervalFollowsTheSpeedAndSurvivesZero) {
  EXPECT_EQ(sys::ReadIntervalFor(9600), 7u);
  EXPECT_EQ(sys::ReadIntervalFor(19200), 6u);
  EXPECT_EQ(sys::ReadIntervalFor(300), 39u);
  EXPECT_EQ(sys::ReadIntervalFor(0), 0u);
}

}  // namespace

#include "platform/sys/SerialLine.h"

#include <cerrno>
#include <termios.h>

namespace sys {
namespace {

struct SpeedEntry {
  DWORD baud;
  speed_t speed;
};

// The speeds the termios interface can name; other rates are refused
// rather than silently rounded to a neighbour.
constexpr SpeedEntry kSpeeds[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},         {150, B150},
    {200, B200},         {300, B300},         {600, B600},         {1200, B1200},       {1800, B1800},
    {2400, B2400},       {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
};

bool SpeedFor(DWORD baud, speed_t& speed) {
  for (const SpeedEntry& entry : kSpeeds) {
    if (entry.baud == baud) {
      speed = entry.speed;
      return true;
    }
  }
  return false;
}

bool SizeFlagFor(BYTE byte_size, tcflag_t& flag) {
  switch (byte_size) {
    case 5: flag = CS5; return true;
    case 6: flag = CS6; return true;
    case 7: flag = CS7; return true;
    case 8: flag = CS8; return true;
    default: return false;
  }
}

bool ParityFlagsFor(BYTE parity, tcflag_t& flags) {
  switch (parity) {
    case kParityNone: flags = 0; return true;
    case kParityOdd: flags = PARENB | PARODD; return true;
    case kParityEven: flags = PARENB; return true;
    case kParityMark: flags = PARENB | CMSPAR | PARODD; return true;
    case kParitySpace: flags = PARENB | CMSPAR; return true;
    default: return false;
  }
}

// One and a half stop bits exist only for 5-bit bytes, two only for longer
// ones; the UART sends 1.5 when 5-bit bytes ask for "two".
bool StopFlagFor(BYTE stop_bits, BYTE byte_size, tcflag_t& flag) {
  switch (stop_bits) {
    case kOneStopBit: flag = 0; return true;
    case kOne5StopBits: flag = CSTOPB; return byte_size == 5;
    case kTwoStopBits: flag = CSTOPB; return byte_size != 5;
    default: return false;
  }
}

}  // namespace

void MakeRawLine(struct termios& t) {
  ::cfmakeraw(&t);
  t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK);
  t.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS | HUPCL);
  t.c_cflag |= CLOCAL | CREAD;
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
}

int ApplyLineSettings(const SerialLineSettings& settings, struct termios& t) {
  speed_t speed = B0;
  tcflag_t size = 0, parity = 0, stop = 0;
  if (!SpeedFor(settings.baud_rate, speed) || !SizeFlagFor(settings.byte_size, size) ||
      !ParityFlagsFor(settings.parity, parity) || !StopFlagFor(settings.stop_bits, settings.byte_size, stop)) {
    return EINVAL;
  }
  MakeRawLine(t);
  t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB);
  t.c_cflag |= size | parity | stop;
  if (parity != 0) t.c_iflag |= INPCK;
  if (::cfsetispeed(&t, speed) != 0 || ::cfsetospeed(&t, speed) != 0) return EINVAL;
  return 0;
}

DWORD ReadIntervalFor(DWORD baud_rate) {
  // A speed of 0 has no interval; never a division by zero.
  return baud_rate == 0 ? 0 : 10000 / baud_rate + 6;
}

}  // namespace sys

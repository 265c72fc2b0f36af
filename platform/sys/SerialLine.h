// A serial line's settings (speed, byte size, parity, stop bits) as the
// telemetry layer stores them, in the serial device control block's codes,
// and their translation into a termios record.
#pragma once

#include "platform/sys/Types.h"

struct termios;

namespace sys {

enum SerialParity : BYTE {
  kParityNone = 0,
  kParityOdd = 1,
  kParityEven = 2,
  kParityMark = 3,
  kParitySpace = 4,
};

enum SerialStopBits : BYTE {
  kOneStopBit = 0,
  kOne5StopBits = 1,  // only with 5-bit bytes
  kTwoStopBits = 2,   // not with 5-bit bytes
};

struct SerialLineSettings {
  DWORD baud_rate = 0;
  BYTE byte_size = 8;  // 5 to 8
  BYTE parity = kParityNone;
  BYTE stop_bits = kOneStopBit;
};

// Raw bytes both ways: no echo, no line editing, no translation, no flow
// control, reads that return what is there.
void MakeRawLine(struct termios& t);

// settings applied to t in raw mode; parity is checked when there is parity.
// EINVAL for a value the line cannot take: a speed of 0 or one termios
// cannot name (no silent rounding to a neighbour), a byte size outside 5
// to 8, an unknown parity or stop-bit code, or a stop-bit count the byte
// size does not allow.
int ApplyLineSettings(const SerialLineSettings& settings, struct termios& t);

// The quiet gap that ends a burst: 10000 / speed + 6 milliseconds; 0 for a
// speed of 0 (never a division by zero).
DWORD ReadIntervalFor(DWORD baud_rate);

}  // namespace sys

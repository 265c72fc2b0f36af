// The operating-system side of a serial port: a tty opened exclusively in
// raw mode, its line settings, and reads that wait with poll instead of
// overlapped I/O. Every operation answers 0 or an errno value, so the
// telemetry resource above decides which of its result codes and messages a
// failure becomes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/sys/SerialLine.h"
#include "platform/sys/Types.h"

// The line settings found at open, kept whole (the termios record stays out
// of this header: its many macros would reach every includer).
struct termios;

namespace sys {

class SerialPort {
 public:
  // Purge bits, as the resource passes them.
  static constexpr unsigned kPurgeTxAbort = 0x0001;
  static constexpr unsigned kPurgeRxAbort = 0x0002;
  static constexpr unsigned kPurgeTxClear = 0x0004;
  static constexpr unsigned kPurgeRxClear = 0x0008;

  // Line error bits that TakeLineErrors reports.
  static constexpr DWORD kErrorRxOver = 0x0001;    // input buffer overflow
  static constexpr DWORD kErrorOverrun = 0x0002;   // character buffer overrun
  static constexpr DWORD kErrorRxParity = 0x0004;  // parity error
  static constexpr DWORD kErrorFrame = 0x0008;     // framing error
  static constexpr DWORD kErrorBreak = 0x0010;     // break seen

  SerialPort();
  ~SerialPort();  // closes, restoring the settings found at open
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;

  // "ttyS0" names /dev/ttyS0; a path with a '/' is taken as it is.
  static std::string DevicePath(const std::string& port_name);

  // 0 when the port exists and is free, EBUSY when another opener holds
  // it, else why it cannot be opened.
  static int Probe(const std::string& port_name);

  // Opens the port for reading and writing, for this process alone
  // (TIOCEXCL and an flock; EBUSY when taken), non-blocking, as no
  // controlling terminal, and puts it in raw mode. ENOTTY for a file that is
  // not a terminal.
  int Open(const std::string& port_name);

  // Speed, byte size, parity and stop bits; no flow control; parity checked
  // when there is parity; DTR and RTS raised where the driver has them.
  // EINVAL for a value the line cannot take (a speed of 0 included).
  int Configure(const SerialLineSettings& settings);

  // The kernel's tty buffers are fixed, so the sizes are only checked
  // (an input size of 0 is EINVAL) and kept.
  int SetBufferSizes(DWORD input_size, DWORD output_size);
  DWORD GetInputBufferSize() const { return input_size_; }

  // kPurgeRxClear drops unread input, kPurgeTxClear unsent output. The
  // abort bits have nothing to cancel here (no read or write is ever left
  // pending) and are accepted as they are.
  int Purge(unsigned flags);

  // The line errors counted since the last call (kError* bits). Drivers
  // without error counters (pseudo-terminals, many USB adapters) always
  // report none.
  int TakeLineErrors(DWORD& errors);
  bool HasLineErrorCounters() const { return has_counters_; }

  // Waits up to timeout_ms for input, then takes what arrives until
  // capacity is reached or the line is quiet for the read interval (the
  // gap that ends a burst at the configured speed). received 0 with result
  // 0 is a time-out; a negative timeout_ms waits without limit. EIO when the
  // far end hung up (bytes that arrived before are delivered first).
  int Read(void* buffer, std::size_t capacity, int timeout_ms, std::size_t& received);

  // Writes all of data, waiting up to timeout_ms whenever the output queue
  // is full; ETIMEDOUT with written telling how far it got.
  int Write(const void* data, std::size_t size, int timeout_ms, std::size_t& written);

  // The read interval of the configured speed (ReadIntervalFor), 0 before
  // a speed is configured.
  DWORD GetReadIntervalMs() const { return read_interval_ms_; }

  // Puts back the line settings found at Open.
  int RestoreSettings();
  // Restores the settings and closes; the first failure is answered, the
  // port is closed in any case.
  int Close();

  bool IsOpen() const { return fd_ >= 0; }
  int GetHandle() const { return fd_; }
  const std::string& GetDevicePath() const { return path_; }

 private:
  struct Counters {
    std::uint64_t overflow = 0, overrun = 0, parity = 0, frame = 0, brk = 0;
  };
  bool ReadCounters(Counters& counters) const;
  int ReadAvailable(char* out, std::size_t capacity, std::size_t& received);

  int fd_ = -1;
  std::string path_;
  std::unique_ptr<struct termios> saved_;
  DWORD read_interval_ms_ = 0;
  DWORD input_size_ = 0;
  bool has_counters_ = false;
  Counters counters_;
};

}  // namespace sys

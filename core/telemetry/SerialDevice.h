// The operations a serial resource needs from its port, so that a scripted
// device can stand in for a real line (line errors cannot be produced on a
// pseudo-terminal). Every operation answers 0 or an errno value.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "platform/sys/SerialPort.h"

namespace telemetry {

class SerialDevice {
 public:
  virtual ~SerialDevice() = default;
  virtual int Open(const std::string& port_name) = 0;
  virtual int Configure(const sys::SerialLineSettings& settings) = 0;
  virtual int SetBufferSizes(sys::DWORD input_size, sys::DWORD output_size) = 0;
  // Waits up to timeout_ms; 0 received with result 0 is a time-out.
  virtual int Read(void* buffer, std::size_t capacity, int timeout_ms, std::size_t& received) = 0;
  virtual int TakeLineErrors(sys::DWORD& errors) = 0;
  virtual int Purge(unsigned flags) = 0;
  virtual int RestoreSettings() = 0;
  virtual int Close() = 0;
};

using SerialDeviceFactory = std::function<std::unique_ptr<SerialDevice>()>;

// The device on the operating system's serial port.
std::unique_ptr<SerialDevice> MakeSystemSerialDevice();

}  // namespace telemetry

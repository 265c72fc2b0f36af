// The records a communications resource is initialised from and reports
// back: a log file that is already open, or a serial port.
#pragma once

#include <cstdint>
#include <string>

#include "platform/sys/File.h"
#include "platform/sys/Types.h"

namespace telemetry {

struct FileSettings {
  sys::CFile* file = nullptr;   // not owned; stays open for the resource's life
  std::uint32_t chunk_size = 0;  // bytes per read, and the header search window
};

struct SerialSettings {
  std::string port_name;  // a device path, or a name under /dev
  sys::DWORD baud_rate = 0;
  sys::BYTE byte_size = 8;
  sys::BYTE parity = 0;     // 0 none, 1 odd, 2 even, 3 mark, 4 space
  sys::BYTE stop_bits = 0;  // 0 one, 1 one and a half, 2 two
  sys::DWORD buffer_size = 0;  // bytes per read and the header search window
  std::string sync_string;     // the resource's global synchronisation string
  int idle_limit = 0;          // 100 ms reader time-outs; 0 or less keeps the current
  int max_depth = 0;           // frame list depth; 0 or less keeps the current
};

// What the control tells a resource about an instrument it attaches.
struct CInstrumentAttachment {
  std::string header;
  std::uint32_t frame_size = 0;
  std::string terminator;
  bool special = false;
  std::string special_kind;
  std::uint8_t sync_bytes[10] = {};
  int sync_count = 0;
};

}  // namespace telemetry

// What a connected serial resource holds besides its bytes: the port and
// its reader thread with the events that hand over its start and end.
#pragma once

#include <thread>

#include "platform/sys/Event.h"
#include "platform/sys/SerialPort.h"

namespace telemetry {

class SerialLink {
 public:
  sys::SerialPort port;
  std::thread reader;
  std::thread::id reader_id;
  sys::CEvent reader_started;  // auto-reset
  sys::CEvent reader_ended;
  sys::CEvent stop_reader;
};

}  // namespace telemetry

// What a connected serial resource holds besides its bytes: the port and
// its reader thread with the events that hand over its start and end.
#pragma once

#include <memory>
#include <thread>

#include "core/telemetry/SerialDevice.h"
#include "platform/sys/Event.h"

namespace telemetry {

class SerialLink {
 public:
  std::unique_ptr<SerialDevice> device;
  std::thread reader;
  sys::CEvent reader_started;  // auto-reset, each signalled once per reader
  sys::CEvent reader_ended;
  sys::CEvent stop_reader;
};

}  // namespace telemetry

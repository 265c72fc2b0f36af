// The time stamp every cut frame carries. Converting a log file cuts a
// million frames a second, and the zone offset of the local time (what
// localtime_r costs) only changes between seconds, so it is worked out once
// per second; the stamp is the same as sys::GetTimeStamp gives.
#pragma once

#include <ctime>

#include "platform/sys/Time.h"

namespace telemetry {

class FrameTimeStamp {
 public:
  sys::TimeStamp Now();

 private:
  std::time_t zone_second_ = -1;  // the second the zone fields below hold for
  sys::TimeStamp zone_;
};

}  // namespace telemetry

#include "core/telemetry/FrameTimeStamp.h"

#include <cstdint>

namespace telemetry {

sys::TimeStamp FrameTimeStamp::Now() {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  if (now.tv_sec != zone_second_) {
    zone_ = sys::GetTimeStamp();
    // The full stamp may have crossed into the next second meanwhile; its
    // zone fields hold for the second it names.
    zone_second_ = zone_.time;
    if (zone_.time != now.tv_sec) return zone_;
  }
  sys::TimeStamp stamp = zone_;
  stamp.time = now.tv_sec;
  stamp.millitm = static_cast<std::uint16_t>(now.tv_nsec / 1000000);
  return stamp;
}

}  // namespace telemetry

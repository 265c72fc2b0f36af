// Frame time stamps: the zone fields are worked out once per second, so a
// stamp must still say what a full local-time stamp says at that moment.
#include <gtest/gtest.h>

#include "core/telemetry/FrameTimeStamp.h"

namespace {

long Millis(const sys::TimeStamp& s) { return static_cast<long>(s.time) * 1000 + s.millitm; }

TEST(FrameTimeStamp, AgreesWithAFullStampAcrossSecondsAndNeverGoesBack) {
  telemetry::FrameTimeStamp clock;
  sys::TimeStamp previous = clock.Now();
  // Long enough to cross at least one second boundary.
  const sys::TimeStamp start = sys::GetTimeStamp();
  while (sys::GetTimeStamp().time < start.time + 2) {
    const sys::TimeStamp before = sys::GetTimeStamp();
    const sys::TimeStamp stamp = clock.Now();
    const sys::TimeStamp after = sys::GetTimeStamp();
    ASSERT_LE(Millis(before), Millis(stamp));
    ASSERT_LE(Millis(stamp), Millis(after));
    ASSERT_LE(Millis(previous), Millis(stamp));
    ASSERT_LT(stamp.millitm, 1000);
    ASSERT_EQ(stamp.timezone, after.timezone);
    ASSERT_EQ(stamp.dstflag, after.dstflag);
    previous = stamp;
  }
}

}  // namespace

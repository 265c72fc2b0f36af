#include "platform/sys/Time.h"

#include <string>

#include <gtest/gtest.h>

namespace {

TEST(TimeFormat, LongFormatsAreWrittenWhole) {
  const sys::CTime time(2026, 3, 4, 5, 6, 7);
  EXPECT_EQ(time.Format("%Y-%m-%d  %H:%M:%S> "), "2026-03-04  05:06:07> ");
  const std::string padding(1000, '-');
  EXPECT_EQ(time.Format((padding + "%Y").c_str()), padding + "2026");
  EXPECT_EQ(time.Format(""), "");
}

}  // namespace

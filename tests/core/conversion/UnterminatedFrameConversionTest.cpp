// A log in which a variable frame's header is followed by more than the
// largest frame without its terminator: the conversion gives that header up
// and converts the frames behind it as if the lost bytes were garbage.
#include <gtest/gtest.h>

#include "tests/core/conversion/ConversionRunner.h"

namespace {

using conversion_test::ConversionRun;
using conversion_test::FixturePath;
using conversion_test::ReadFile;
using conversion_test::RunConversion;
using conversion_test::TempFolder;

TEST(UnterminatedFrameConversionTest, TheFramesBehindALostHeaderAreConverted) {
  TempFolder clean_folder;
  const ConversionRun clean = RunConversion(clean_folder, {"ascii.raw", "ascii.tdf", nullptr, nullptr, false});
  ASSERT_TRUE(clean.completed) << clean.log;

  TempFolder folder;
  const std::string lost = "ASCI" + std::string((17u << 20), 'z');
  const std::string log = folder.Write("lost.raw", lost + ReadFile(FixturePath("ascii.raw")));
  const ConversionRun run = RunConversion(folder, {log, "ascii.tdf", nullptr, nullptr, false});
  EXPECT_TRUE(run.completed) << run.log;
  EXPECT_EQ(run.output, clean.output);
  EXPECT_EQ(run.state.counters.frames_processed, clean.state.counters.frames_processed);
  EXPECT_EQ(run.state.counters.bytes_consumed, lost.size() + clean.state.counters.bytes_consumed);
}

}  // namespace

// Frames cut from file resources: where each one is found, its number, and
// how many bytes were thrown away on the way.
#include <gtest/gtest.h>

#include "core/telemetry/TelemComm.h"
#include "tests/core/telemetry/TelemetryTestSupport.h"

using namespace telemetry;
using namespace telemetry_test;

namespace {

struct InstrumentDef {
  std::string header;
  std::uint32_t frame_size;
  std::string terminator;
};

struct SyncCase {
  const char* name;
  std::string file;
  std::uint32_t chunk;
  std::vector<InstrumentDef> instruments;
  std::vector<std::string> frames;  // expected frame bytes, in order
  std::vector<int> numbers;         // expected frame numbers
  std::uint32_t discarded;
};

const std::string F1 = "HDR1abcdef";
const std::string F2 = "HDR1ghijkl";
const std::string F3 = "HDR1mnopqr";
const InstrumentDef kFixed{"HDR1", 10, ""};
const InstrumentDef kLine{"$GP", 0, "\r\n"};

std::string Garbage(std::size_t n) { return std::string(n, 'z'); }

std::vector<SyncCase> Cases() {
  return {
      {"HeaderSplitAcrossChunks", Garbage(5) + F1 + F2 + F3, 8, {kFixed}, {F1, F2, F3}, {1, 2, 3}, 5},
      {"HeaderSplitInHeaderMode", Garbage(254) + F1 + F2, 256, {kFixed}, {F1, F2}, {1, 2}, 254},
      {"GarbageOfExactlyOneWindow", Garbage(16) + F1 + F2, 16, {kFixed}, {F1, F2}, {1, 2}, 16},
      {"HeaderBeginsOnTheWindowsLastByte", Garbage(15) + F1, 16, {kFixed}, {F1}, {1}, 15},
      {"GarbageOfTwoWindowsAndMore", Garbage(37) + F1, 16, {kFixed}, {F1}, {1}, 37},
      {"GarbageBetweenFrames", F1 + Garbage(3) + F2 + Garbage(7) + F3, 64, {kFixed}, {F1, F2, F3}, {1, 2, 3}, 10},
      {"TruncatedLastFixedFrame", F1 + F2 + "HDR1ab", 64, {kFixed}, {F1, F2}, {1, 2}, 0},
      {"TerminatedLastFrameWithoutTerminator", "$GPa,1\r\n$GPb,2\r\n$GPc,3", 64, {kLine},
       {"$GPa,1\r\n", "$GPb,2\r\n"}, {1, 2}, 0},
      {"HeaderPrefixAtEndOfFileIsKept", F1 + F2 + "zzHD", 64, {kFixed}, {F1, F2}, {1, 2}, 2},
      {"EmptyFile", "", 64, {kFixed}, {}, {}, 0},
      {"GarbageOnly", Garbage(40), 64, {kFixed}, {}, {}, 40},
      // The short frame swallows the next header's first byte; the rest of
      // that frame no longer begins with a header and is thrown away.
      {"ByteMissingInsideFrame", F1 + "HDR1abcde" + F2, 64, {kFixed}, {F1, "HDR1abcdeH"}, {1, 2}, 9},
      {"ForeignFramesOfAnotherInstrument", F1 + "XYZ9012345" + F2 + "XYZ9678901" + F3, 64, {kFixed},
       {F1, F2, F3}, {1, 2, 3}, 20},
      {"TerminatorSplitAcrossChunks", "$GPabcd\r\n$GPef\r\n", 8, {kLine}, {"$GPabcd\r\n", "$GPef\r\n"}, {1, 2}, 0},
      {"TerminatorAfterCarriageReturn", "$GPab\r\r\n$GPc\r\n", 64, {kLine}, {"$GPab\r\r\n", "$GPc\r\n"}, {1, 2}, 0},
      // Two instruments whose headers share a prefix: each is tried at
      // every start, so neither loses a frame.
      {"HeadersSharingAPrefix", "ABC1wxyzABD2wxyzABC1wxyz", 64, {{"ABC1", 8, ""}, {"ABD2", 8, ""}},
       {"ABC1wxyz", "ABD2wxyz", "ABC1wxyz"}, {1, 1, 2}, 0},
      {"LongerHeaderAttachedFirst", "ABCDEFGHzABCD1234", 64, {{"ABCDEFGH", 8, ""}, {"ABCD", 8, ""}},
       {"ABCDEFGH", "ABCD1234"}, {1, 1}, 1},
  };
}

void PrintTo(const SyncCase& c, std::ostream* os) { *os << c.name; }

class FileSynchronization : public ::testing::TestWithParam<SyncCase> {};

TEST_P(FileSynchronization, CutsTheExpectedFrames) {
  const SyncCase& c = GetParam();
  TempDir dir;
  sys::CFile file(dir.WriteFile("log.raw", c.file), sys::CFile::modeRead);
  CTelemComm resource(nullptr);
  ASSERT_EQ(resource.InitFile({&file, c.chunk}), 0u);
  for (const InstrumentDef& d : c.instruments) {
    ASSERT_EQ(resource.AttachInstrument(Attachment(d.header, d.frame_size, d.terminator)), 0u);
    ASSERT_EQ(resource.EnableAcquisition(d.header), 0u);
  }
  const std::vector<PulledFrame> frames = PullAllFrames(resource);
  std::vector<std::string> bytes;
  std::vector<int> numbers;
  for (const PulledFrame& f : frames) {
    bytes.push_back(f.bytes);
    numbers.push_back(f.number);
    EXPECT_EQ(f.bytes.compare(0, f.header.size(), f.header), 0) << "frame does not begin with its header";
  }
  EXPECT_EQ(bytes, c.frames);
  EXPECT_EQ(numbers, c.numbers);
  EXPECT_EQ(resource.GetBytesDiscarded(), c.discarded);
  EXPECT_TRUE(resource.IsEndOfFile());
}

INSTANTIATE_TEST_SUITE_P(Cases, FileSynchronization, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

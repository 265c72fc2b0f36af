// A variable frame whose terminator never comes: the resource gives its
// header up once the largest frame an instrument may have has gone by, so
// it never holds the rest of a log in memory, and the frames behind it are
// still found.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/instrument/Instrument.h"
#include "core/telemetry/TelemComm.h"
#include "tests/core/telemetry/TelemetryTestSupport.h"

using namespace telemetry;
using namespace telemetry_test;

namespace {

constexpr std::uint32_t kChunk = 262144;
constexpr std::size_t kMaxFrame = CInstrument::kMaxFrameSize;
const std::string kHeader = "$GP";
const std::string kGood = "$GPa,1\r\n$GPb,2\r\n";

struct UnterminatedCase {
  const char* name;
  std::string file;
  std::vector<std::size_t> frame_sizes;  // expected, in order
  std::uint32_t discarded;
};

std::vector<UnterminatedCase> Cases() {
  const std::string lost = kHeader + std::string(17u << 20, 'z');
  const std::string largest = kHeader + std::string(kMaxFrame - 2, 'z') + "\r\n";
  const std::string one_more = kHeader + std::string(kMaxFrame - 1, 'z') + "\r\n";
  return {
      {"HeaderWithoutTerminatorThenGoodFrames", lost + kGood, {8, 8}, static_cast<std::uint32_t>(lost.size())},
      {"HeaderWithoutTerminatorToTheEnd", lost, {}, static_cast<std::uint32_t>(lost.size())},
      // A frame as large as the limit allows is still a frame.
      {"TerminatorEndingAtTheLimit", largest + kGood, {largest.size(), 8, 8}, 0},
      {"TerminatorOneByteBeyondTheLimit", one_more + kGood, {8, 8}, static_cast<std::uint32_t>(one_more.size())},
  };
}

void PrintTo(const UnterminatedCase& c, std::ostream* os) { *os << c.name; }

class UnterminatedFrame : public ::testing::TestWithParam<UnterminatedCase> {};

TEST_P(UnterminatedFrame, TheHeaderIsGivenUpAndTheHeldBytesStayBounded) {
  const UnterminatedCase& c = GetParam();
  TempDir dir;
  sys::CFile file(dir.WriteFile("log.raw", c.file), sys::CFile::modeRead);
  CTelemComm resource(nullptr);
  ASSERT_EQ(resource.InitFile({&file, kChunk}), 0u);
  ASSERT_EQ(resource.AttachInstrument(Attachment(kHeader, 0, "\r\n")), 0u);
  ASSERT_EQ(resource.EnableAcquisition(kHeader), 0u);
  std::vector<std::size_t> sizes;
  std::size_t most_held = 0;
  // A pull can give nothing while it still drops garbage (a window at a
  // time): only pulls that change nothing mean the file is done.
  for (int guard = 0, idle = 0; guard < 100000 && idle < 5; ++guard) {
    const std::size_t held_before = resource.GetReceivedSize();
    std::unique_ptr<CFrameData> frame = resource.GetNextFrame();
    most_held = std::max(most_held, resource.GetReceivedSize());
    if (!frame) {
      idle = resource.GetReceivedSize() == held_before ? idle + 1 : 0;
      continue;
    }
    idle = 0;
    sizes.push_back(frame->GetBytes().size());
    EXPECT_EQ(frame->GetHeader(), kHeader);
  }
  EXPECT_EQ(sizes, c.frame_sizes);
  EXPECT_EQ(resource.GetBytesDiscarded(), c.discarded);
  EXPECT_TRUE(resource.IsEndOfFile());
  EXPECT_LE(most_held, kHeader.size() + kMaxFrame + kChunk);
}

INSTANTIATE_TEST_SUITE_P(Cases, UnterminatedFrame, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

// Headers that follow each other with no terminator anywhere near (a log
// with LF line ends read by an instrument that ends its frames with CR LF)
// are each given up in turn. Every one of them looks for the same missing
// terminator; the search goes on where the one before it stopped, so the
// log is scanned once, not once per header: before, this took hours. The
// first header that the terminator lies within reach of still begins a frame.
TEST(UnterminatedFrames, HeadersGivenUpOneAfterAnotherStillFindTheFrameInReach) {
  const std::size_t headers = (kMaxFrame + (2u << 20)) / kHeader.size();
  std::string bytes;
  bytes.reserve(headers * kHeader.size() + kGood.size());
  for (std::size_t i = 0; i < headers; ++i) bytes += kHeader;
  const std::size_t first_terminator_end = bytes.size() + 8;
  bytes += kGood;
  // The first header from which the terminator ends within the largest frame.
  std::size_t first_frame_start = first_terminator_end - kHeader.size() - kMaxFrame;
  first_frame_start += (kHeader.size() - first_frame_start % kHeader.size()) % kHeader.size();
  TempDir dir;
  sys::CFile file(dir.WriteFile("log.raw", bytes), sys::CFile::modeRead);
  CTelemComm resource(nullptr);
  ASSERT_EQ(resource.InitFile({&file, kChunk}), 0u);
  ASSERT_EQ(resource.AttachInstrument(Attachment(kHeader, 0, "\r\n")), 0u);
  ASSERT_EQ(resource.EnableAcquisition(kHeader), 0u);
  std::vector<std::size_t> sizes;
  for (std::size_t guard = 0, idle = 0; guard < 4 * headers && idle < 5; ++guard) {
    const std::size_t held_before = resource.GetReceivedSize();
    std::unique_ptr<CFrameData> frame = resource.GetNextFrame();
    if (!frame) {
      idle = resource.GetReceivedSize() == held_before ? idle + 1 : 0;
      continue;
    }
    idle = 0;
    sizes.push_back(frame->GetBytes().size());
  }
  EXPECT_EQ(sizes, (std::vector<std::size_t>{first_terminator_end - first_frame_start, 8}));
  EXPECT_EQ(resource.GetBytesDiscarded(), first_frame_start);
  EXPECT_TRUE(resource.IsEndOfFile());
}

}  // namespace

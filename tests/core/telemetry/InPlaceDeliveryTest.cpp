// Frames asked for from inside their own callback, as a conversion asks for
// them, and handed back when read: those that follow each other in the
// bytes already read are cut straight into the record handed back. They
// must arrive exactly as frames searched and cut one by one do: the same
// numbers, bytes and sizes, and the same bytes counted as discarded before
// each, whatever stands between them and wherever a chunk ends.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "core/telemetry/TelemControl.h"
#include "tests/core/telemetry/ControlTestSupport.h"
#include "tests/core/telemetry/TelemetryTestSupport.h"

using namespace telemetry;
using namespace telemetry_test;

namespace {

struct DeliveredFrame {
  int number = 0;
  std::string bytes;
  int size = 0;
  std::uint32_t discarded_before = 0;
  bool operator==(const DeliveredFrame&) const = default;
};

struct Delivery {
  std::vector<DeliveredFrame> frames;
  std::vector<std::string> messages;
};

struct LogCase {
  const char* name;
  const char* instrument;  // under the test data folder
  const char* header;
  std::string log;
  std::uint32_t chunk;
};

// How the receiver takes its frames.
enum class Taking { kOwned, kHandedBack, kLent };

// Converts the log as a conversion does.
Delivery Deliver(const LogCase& c, Taking taking) {
  TempDir dir;
  RecordingDocument doc;
  sys::CFile file(dir.WriteFile("log.raw", c.log), sys::CFile::modeRead);
  const std::string name = file.GetFilePath();
  Delivery out;
  std::atomic<bool> ended{false};
  {
    CTelemControl control(&doc);
    if (taking == Taking::kHandedBack) doc.recycle_to = &control;
    if (taking == Taking::kLent) doc.lend_from = &control;
    doc.on_frame = [&](const std::string&, const CFrameData* frame) {
      if (frame == nullptr) {
        ended = true;
        return;
      }
      DeliveredFrame f;
      f.number = frame->GetFrameNumber();
      f.bytes = std::string(frame->GetText());
      f.size = frame->GetFrameSize();
      control.TakeBytesDiscarded(f.discarded_before, 0);
      out.frames.push_back(f);
      // A lent frame's receiver asks for the next itself.
      if (taking != Taking::kLent) control.RetrieveFrame(0);
    };
    EXPECT_EQ(control.AddFileResource({&file, c.chunk}), 0u);
    EXPECT_EQ(control.AddInstrument(std::string(BRIVEN_TEST_DATA) + "/" + c.instrument), 0u);
    EXPECT_EQ(control.AttachInstrument(c.header, name, false), 0u);
    EXPECT_EQ(control.StartAcquisition(0), 0u);
    EXPECT_EQ(control.RetrieveFrame(0), 0u);
    EXPECT_TRUE(doc.WaitFor([&](const auto&) { return ended.load(); }));
    control.Shutdown();
  }
  for (const Callback& call : doc.Snapshot()) {
    if (call.kind != "message" && call.kind != "event") continue;
    // The control's own empty text comes when a pass finds the set-up's
    // lines already taken: when, depends on the test thread, not the log.
    if (call.kind == "message" && call.text.empty()) continue;
    std::string line = call.kind + ":" + call.text;
    // Each run has a folder of its own.
    for (std::size_t at; (at = line.find(name)) != std::string::npos;) line.replace(at, name.size(), "LOG");
    out.messages.push_back(line);
  }
  return out;
}

std::string Fixed(int n) { return std::string("HDRX0001") + static_cast<char>(n) + static_cast<char>(0x40 + n); }

std::string FixedLog() {
  // Garbage in front, runs of frames back to back (longer than a search
  // cuts ahead) across chunk ends, a header prefix and stray bytes between
  // frames, a frame cut short at the end.
  std::string log = "ab";
  for (int n = 1; n <= 90; ++n) log += Fixed(n);
  log += "HDRX";
  for (int n = 91; n <= 180; ++n) log += Fixed(n);
  log += "z" + Fixed(181) + Fixed(182) + Fixed(183).substr(0, 6);
  return log;
}

std::string AsciiLog() {
  std::string log = "junk";
  for (int n = 1; n <= 40; ++n) log += "ASCI," + std::to_string(n) + ",2,1.5,x,up\r\n";
  log += "\r\nAS";
  for (int n = 41; n <= 60; ++n) log += "ASCI," + std::to_string(n * 100) + ",3,2.5,y,down\r\n";
  log += "ASCI,13,unterminated";
  return log;
}

class InPlaceDeliveryTest : public ::testing::TestWithParam<LogCase> {};

TEST_P(InPlaceDeliveryTest, FramesHandedBackOrLentArriveAsFramesSearchedOneByOne) {
  const Delivery searched = Deliver(GetParam(), Taking::kOwned);
  ASSERT_FALSE(searched.frames.empty());
  for (const Taking taking : {Taking::kHandedBack, Taking::kLent}) {
    const Delivery in_place = Deliver(GetParam(), taking);
    EXPECT_EQ(in_place.frames, searched.frames) << static_cast<int>(taking);
    EXPECT_EQ(in_place.messages, searched.messages) << static_cast<int>(taking);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Logs, InPlaceDeliveryTest,
    ::testing::Values(LogCase{"FixedSmallChunks", "telemetry/fixed.cal", "HDRX0001", FixedLog(), 16},
                      LogCase{"FixedOneChunk", "telemetry/fixed.cal", "HDRX0001", FixedLog(), 4096},
                      LogCase{"TerminatedSmallerChunks", "conversion/ascii.tdf", "ASCI", AsciiLog(), 64},
                      LogCase{"TerminatedOneChunk", "conversion/ascii.tdf", "ASCI", AsciiLog(), 4096}),
    [](const ::testing::TestParamInfo<LogCase>& info) { return std::string(info.param.name); });

}  // namespace

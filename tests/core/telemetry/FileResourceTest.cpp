// File resources: initialisation, reading to the end, read failures, and
// the instrument list operations with their messages.
#include <gtest/gtest.h>
#include <unistd.h>

#include "core/telemetry/TelemComm.h"
#include "core/telemetry/TelemetryCodes.h"
#include "tests/core/telemetry/TelemetryTestSupport.h"

using namespace telemetry;
using namespace telemetry_test;

namespace {

// A log file whose reads fail from the given read on, as a disk that goes
// away would.
class FailingFile : public sys::CFile {
 public:
  FailingFile(const std::string& path, int good_reads) : sys::CFile(path, modeRead), good_reads_(good_reads) {}
  std::size_t Read(void* buffer, std::size_t count) override {
    if (good_reads_-- <= 0) throw sys::CFileException(sys::CFileException::hardIO, EIO, GetFilePath());
    return sys::CFile::Read(buffer, count);
  }

 private:
  int good_reads_;
};

class FileResourceTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& bytes) { return dir_.WriteFile("log.raw", bytes); }
  TempDir dir_;
  RecordingSink sink_;
};

const std::string kFrames = "HDR1abcdefHDR1ghijklHDR1mnopqr";

TEST_F(FileResourceTest, ReportsTheEndOnceAndQueuesTheFileEvent) {
  sys::CFile file(Write(kFrames), sys::CFile::modeRead);
  CTelemComm resource(&sink_, 7);
  ASSERT_EQ(resource.InitFile({&file, 8}), 0u);
  EXPECT_EQ(resource.GetKind(), kKindFileWithControl);
  EXPECT_EQ(resource.GetState(), kStateNotSerial);
  resource.AttachInstrument(Attachment("HDR1", 10));
  resource.EnableAcquisition("HDR1");
  TakeMessages(resource);
  EXPECT_EQ(PullAllFrames(resource).size(), 3u);
  const std::vector<std::string> lines = TakeMessages(resource);
  const std::string end = "End of file resource reached for " + file.GetFilePath() + ".\r\n";
  EXPECT_EQ(std::count(lines.begin(), lines.end(), end), 1);
  EXPECT_EQ(sink_.Count(kCommandFileEvent), 1);
  for (const QueuedCommand& c : sink_.commands) EXPECT_EQ(c.id, 7u);
}

TEST_F(FileResourceTest, AnEmptyFileEndsWithoutTheEndMessage) {
  sys::CFile file(Write(""), sys::CFile::modeRead);
  CTelemComm resource(&sink_);
  resource.InitFile({&file, 64});
  resource.AttachInstrument(Attachment("HDR1", 10));
  resource.EnableAcquisition("HDR1");
  TakeMessages(resource);
  EXPECT_EQ(resource.GetNextFrame(), nullptr);
  EXPECT_TRUE(resource.IsEndOfFile());
  EXPECT_TRUE(TakeMessages(resource).empty());
  EXPECT_EQ(sink_.Count(kCommandFileEvent), 1);
}

TEST_F(FileResourceTest, InitialisationRefusals) {
  sys::CFile file(Write(kFrames), sys::CFile::modeRead);
  CTelemComm zero_chunk(nullptr);
  EXPECT_EQ(zero_chunk.InitFile({&file, 0}), kResInvalidFile);
  EXPECT_EQ(TakeMessages(zero_chunk),
            std::vector<std::string>{"Unable to initialize file resource.\r\n\tInvalid file resource.\r\n"});
  sys::CFile closed;
  CTelemComm no_file(nullptr);
  EXPECT_EQ(no_file.InitFile({&closed, 64}), kResInvalidFile);
  CTelemComm twice(nullptr);
  ASSERT_EQ(twice.InitFile({&file, 64}), 0u);
  TakeMessages(twice);
  EXPECT_EQ(twice.InitFile({&file, 64}), kResWrongKind);
  EXPECT_EQ(TakeMessages(twice), std::vector<std::string>{"Unable to reinitialize file resource.\r\n"});
}

TEST_F(FileResourceTest, AReadFailureStopsTheFileForGood) {
  FailingFile file(Write(kFrames + kFrames), 1);
  CTelemComm resource(&sink_);
  ASSERT_EQ(resource.InitFile({&file, 16}), 0u);
  resource.AttachInstrument(Attachment("HDR1", 10));
  resource.EnableAcquisition("HDR1");
  TakeMessages(resource);
  EXPECT_NE(resource.GetNextFrame(), nullptr);  // from the first chunk
  TakeMessages(resource);
  EXPECT_EQ(resource.GetNextFrame(), nullptr);  // the second read fails
  EXPECT_EQ(resource.TakeFileError(), sys::CFileException::hardIO);
  EXPECT_EQ(sink_.Count(kCommandFileEvent), 1);
  const std::vector<std::string> lines = TakeMessages(resource);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], "Error reading file resource " + file.GetFilePath() +
                          ".\r\n\tThere was a hardware error.\r\n");
  // Taking the error does not open the way to the bytes after the gap.
  for (int i = 0; i < 5; ++i) EXPECT_EQ(resource.GetNextFrame(), nullptr);
  EXPECT_EQ(sink_.Count(kCommandFileEvent), 1);
}

TEST_F(FileResourceTest, AClosedFileIsReportedOnceAndStopsTheReading) {
  sys::CFile file(Write(kFrames), sys::CFile::modeRead);
  CTelemComm resource(&sink_);
  ASSERT_EQ(resource.InitFile({&file, 16}), 0u);
  resource.AttachInstrument(Attachment("HDR1", 10));
  resource.EnableAcquisition("HDR1");
  TakeMessages(resource);
  file.Close();
  EXPECT_FALSE(resource.IsFileOpen());
  EXPECT_EQ(resource.GetNextFrame(), nullptr);
  EXPECT_EQ(resource.GetNextFrame(), nullptr);
  EXPECT_EQ(TakeMessages(resource), std::vector<std::string>{"Error reading file resource " + file.GetFilePath() +
                                                             ".\r\n\tThe file resource is not open.\r\n"});
  EXPECT_EQ(sink_.Count(kCommandFileEvent), 1);
}

TEST_F(FileResourceTest, AFileThatShrankIsAnErrorNotAnEndlessSearch) {
  const std::string path = Write(kFrames + std::string(100, 'z'));
  sys::CFile file(path, sys::CFile::modeRead);
  CTelemComm resource(&sink_);
  ASSERT_EQ(resource.InitFile({&file, 16}), 0u);
  ASSERT_EQ(truncate(path.c_str(), 20), 0);
  resource.AttachInstrument(Attachment("HDR1", 10));
  resource.EnableAcquisition("HDR1");
  EXPECT_EQ(PullAllFrames(resource).size(), 2u);  // the 20 bytes left
  EXPECT_EQ(resource.TakeFileError(), sys::CFileException::endOfFile);
  EXPECT_FALSE(resource.IsEndOfFile());
}

TEST_F(FileResourceTest, InstrumentListOperationsAndTheirMessages) {
  sys::CFile file(Write(kFrames), sys::CFile::modeRead);
  CTelemComm resource(nullptr);
  CTelemComm uninitialised(nullptr);
  const std::string name = file.GetFilePath();
  EXPECT_EQ(uninitialised.AttachInstrument(Attachment("HDR1", 10)), kResNotInitialized);
  EXPECT_EQ(TakeMessages(uninitialised),
            std::vector<std::string>{"Unable to attach HDR1.\r\n\tThe communications resource has not been initialized.\r\n"});
  resource.InitFile({&file, 64});
  TakeMessages(resource);
  EXPECT_EQ(resource.AttachInstrument(Attachment("HDR1", 10)), 0u);
  EXPECT_EQ(resource.AttachInstrument(Attachment("HDR1", 10)), kResAlreadyAttached);
  EXPECT_EQ(resource.EnableAcquisition("HDR1"), 0u);
  EXPECT_EQ(resource.EnableAcquisition("HDR1"), 0u);  // already enabled: nothing reported
  EXPECT_EQ(resource.EnableAcquisition("NONE"), kResNotAttached);
  EXPECT_EQ(resource.DisableAcquisition("NONE"), kResNotAttached);
  EXPECT_EQ(resource.DetachInstrument("NONE"), kResNotAttached);
  EXPECT_EQ(resource.DetachInstrument(""), kResNotAttached);
  EXPECT_EQ(resource.DetachInstrument("HDR1"), 0u);
  const std::string not_attached = "\tThe instrument has not been attached or defined.\r\n";
  EXPECT_EQ(TakeMessages(resource), (std::vector<std::string>{
                                        "Attaching HDR1 to " + name + ".\r\n",
                                        "Unable to attach HDR1 to " + name +
                                            ".\r\n\tThe instrument has already been attached.\r\n",
                                        "Enabling telemetry acquisition for HDR1 on " + name + ".\r\n",
                                        "Unable to enable telemetry acquisition on " + name + ".\r\n" + not_attached,
                                        "Unable to disable telemetry acquisition on " + name + ".\r\n" + not_attached,
                                        "Unable to detach NONE.\r\n" + not_attached,
                                        "Unable to detach instrument.\r\n" + not_attached,
                                        "Disabling telemetry acquisition for HDR1 on " + name + ".\r\n",
                                        "Detaching HDR1 from " + name + ".\r\n",
                                    }));
}

TEST_F(FileResourceTest, DetachingAnEarlierInstrumentKeepsTheCurrentOne) {
  sys::CFile file(Write("CCC3abcdefAAA1ghijkl"), sys::CFile::modeRead);
  CTelemComm resource(nullptr);
  resource.InitFile({&file, 64});
  for (const char* h : {"AAA1", "BBB2", "CCC3"}) {
    resource.AttachInstrument(Attachment(h, 10));
    resource.EnableAcquisition(h);
  }
  ASSERT_TRUE(resource.Synchronize());  // CCC3 stands at the head
  ASSERT_EQ(resource.DetachInstrument("AAA1"), 0u);
  ASSERT_TRUE(resource.SearchFrames());
  std::unique_ptr<CFrameData> frame = resource.GetNextFrame();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->GetHeader(), "CCC3");
  EXPECT_EQ(frame->GetText(), "CCC3abcdef");
}

TEST_F(FileResourceTest, DisablingTheCurrentInstrumentStartsTheSearchAgain) {
  sys::CFile file(Write(kFrames), sys::CFile::modeRead);
  CTelemComm resource(nullptr);
  resource.InitFile({&file, 64});
  resource.AttachInstrument(Attachment("HDR1", 10));
  resource.EnableAcquisition("HDR1");
  ASSERT_TRUE(resource.Synchronize());
  resource.DisableAcquisition("HDR1");
  EXPECT_FALSE(resource.SearchFrames() && resource.GetNextFrame() != nullptr);
}

TEST_F(FileResourceTest, TheFrameListDropsTheOldestFrameBeyondItsDepth) {
  std::string bytes;
  for (int i = 0; i < 202; ++i) bytes += "HDR1abcdef";
  sys::CFile file(Write(bytes), sys::CFile::modeRead);
  CTelemComm resource(nullptr);
  resource.InitFile({&file, 4096});
  resource.AttachInstrument(Attachment("HDR1", 10));
  resource.EnableAcquisition("HDR1");
  TakeMessages(resource);
  for (int i = 0; i < 202; ++i) {
    ASSERT_TRUE(resource.Synchronize());
    ASSERT_TRUE(resource.SearchFrames());
  }
  EXPECT_EQ(resource.GetBytesDiscarded(), 10u);
  const std::vector<std::string> lines = TakeMessages(resource);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), file.GetFilePath() + " frame buffer exceeded maximum depth.\r\n"), 1);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "HDR1 found on " + file.GetFilePath() + ".\r\n"), 1);
  std::unique_ptr<CFrameData> oldest = resource.GetNextFrame();
  ASSERT_NE(oldest, nullptr);
  EXPECT_EQ(oldest->GetFrameNumber(), 2);
}

}  // namespace

namespace {

// With nothing to search for, every request still reads on: the bytes are
// thrown away and counted, and the file comes to its end instead of each
// request finding the same empty list.
TEST_F(FileResourceTest, WithoutAnEnabledInstrumentTheFileIsDiscardedToItsEnd) {
  sys::CFile file(Write(kFrames), sys::CFile::modeRead);
  CTelemComm resource(&sink_);
  ASSERT_EQ(resource.InitFile({&file, 8}), 0u);
  ASSERT_EQ(resource.AttachInstrument(Attachment("HDR1", 10)), 0u);  // attached, never enabled
  int requests = 0;
  for (; requests < 100 && !resource.IsEndOfFile(); ++requests) EXPECT_EQ(resource.GetNextFrame(), nullptr);
  EXPECT_TRUE(resource.IsEndOfFile());
  EXPECT_EQ(requests, 4);  // 30 bytes in chunks of 8
  EXPECT_EQ(resource.GetNextFrame(), nullptr);
  EXPECT_EQ(resource.GetBytesDiscarded(), kFrames.size());
  EXPECT_EQ(resource.TakeBytesDiscarded(), kFrames.size());
  EXPECT_EQ(resource.GetBytesDiscarded(), 0u);
  EXPECT_EQ(sink_.Count(kCommandFileEvent), 1);
}

}  // namespace

namespace {

struct CutFrame {
  int number;
  std::string bytes;
  bool contiguous;
};

std::vector<CutFrame> PullWithFlags(CTelemComm& resource) {
  std::vector<CutFrame> frames;
  for (int idle = 0; idle < 5;) {
    std::unique_ptr<CFrameData> frame = resource.GetNextFrame();
    if (!frame) {
      ++idle;
      continue;
    }
    idle = 0;
    const auto& bytes = frame->GetBytes();
    frames.push_back({frame->GetFrameNumber(), std::string(bytes.begin(), bytes.end()), frame->IsContiguous() != 0});
  }
  return frames;
}

// The frames behind a cut frame are cut in the same pass while their
// headers follow without a gap; they come out one request at a time, in
// order, and the frame list never drops one at its depth limit.
TEST_F(FileResourceTest, FramesThatFollowWithoutAGapAreCutInOnePassAndHandedOutInOrder) {
  std::string bytes;
  for (int i = 1; i <= 450; ++i) {
    if (i == 300) bytes += "xx";
    bytes += "HDR1" + std::to_string(100000 + i);
  }
  sys::CFile file(Write(bytes), sys::CFile::modeRead);
  CTelemComm resource(&sink_);
  resource.InitFile({&file, 8192});
  resource.AttachInstrument(Attachment("HDR1", 10));
  resource.EnableAcquisition("HDR1");
  TakeMessages(resource);
  const std::vector<CutFrame> frames = PullWithFlags(resource);
  ASSERT_EQ(frames.size(), 450u);
  std::vector<int> searched;
  for (std::size_t i = 0; i < frames.size(); ++i) {
    const int number = static_cast<int>(i) + 1;
    EXPECT_EQ(frames[i].number, number);
    EXPECT_EQ(frames[i].bytes, "HDR1" + std::to_string(100000 + number));
    if (!frames[i].contiguous) searched.push_back(number);
  }
  // The first frame and the one behind the gap were found by the search,
  // most of the others cut with the frame before them.
  EXPECT_EQ(searched.front(), 1);
  EXPECT_NE(std::find(searched.begin(), searched.end(), 300), searched.end());
  EXPECT_LT(searched.size(), frames.size() / 2);
  EXPECT_EQ(resource.GetBytesDiscarded(), 2u);
  for (const std::string& line : TakeMessages(resource)) EXPECT_EQ(line.find("maximum depth"), std::string::npos);
}

// With two enabled instruments every frame is searched for: the search
// decides whose header comes first.
TEST_F(FileResourceTest, FramesOfTwoEnabledInstrumentsAreEachSearchedFor) {
  std::string bytes;
  for (int i = 0; i < 20; ++i) bytes += (i % 3 == 0 ? "HDR2" : "HDR1") + std::string("abcdef");
  sys::CFile file(Write(bytes), sys::CFile::modeRead);
  CTelemComm resource(&sink_);
  resource.InitFile({&file, 4096});
  resource.AttachInstrument(Attachment("HDR1", 10));
  resource.AttachInstrument(Attachment("HDR2", 10));
  resource.EnableAcquisition("HDR1");
  resource.EnableAcquisition("HDR2");
  const std::vector<CutFrame> frames = PullWithFlags(resource);
  ASSERT_EQ(frames.size(), 20u);
  for (std::size_t i = 0; i < frames.size(); ++i) {
    EXPECT_EQ(frames[i].bytes.substr(0, 4), i % 3 == 0 ? "HDR2" : "HDR1");
    EXPECT_FALSE(frames[i].contiguous);
  }
}

}  // namespace

// The telemetry control: callbacks in queue order from its one processing
// thread, removal of a resource with commands pending, and the failure
// line and reason of each operation.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <limits>

#include "core/telemetry/TelemControl.h"
#include "core/telemetry/TelemetryCodes.h"
#include "tests/core/telemetry/ControlTestSupport.h"
#include "tests/core/telemetry/TelemetryTestSupport.h"

using namespace telemetry;
using namespace telemetry_test;

namespace {

const std::string kFixedCal = std::string(BRIVEN_TEST_DATA) + "/telemetry/fixed.cal";
const std::string kFrames = "HDRX0001\x01\x02" "zz" "HDRX0001\x03\x04" "HDRX0001\x05\x06";

class TelemControlTest : public ::testing::Test {
 protected:
  TempDir dir_;
  RecordingDocument doc_;
};

TEST_F(TelemControlTest, AConversionPullsFramesInQueueOrderOnTheProcessingThread) {
  sys::CFile file(dir_.WriteFile("log.raw", kFrames), sys::CFile::modeRead);
  const std::string name = file.GetFilePath();
  CTelemControl control(&doc_);
  std::atomic<int> empty_pulls{0};
  doc_.on_frame = [&](const std::string&, const CFrameData* frame) {
    if (frame != nullptr || ++empty_pulls < 2) control.RetrieveFrame(0);
  };
  ASSERT_EQ(control.AddFileResource({&file, 8}), 0u);
  ASSERT_EQ(control.AddInstrument(kFixedCal), 0u);
  ASSERT_EQ(control.AttachInstrument("HDRX0001", name, false), 0u);
  ASSERT_EQ(control.StartAcquisition(0), 0u);
  ASSERT_EQ(control.RetrieveFrame(0), 0u);
  ASSERT_TRUE(doc_.WaitFor([&](const auto&) { return empty_pulls >= 2; }));
  control.Shutdown();

  const std::vector<Callback> calls = doc_.Snapshot();
  ASSERT_FALSE(calls.empty());
  std::vector<int> numbers;
  std::vector<std::string> lines;
  int end_events = 0;
  for (const Callback& c : calls) {
    EXPECT_EQ(c.thread, calls.front().thread);
    if (c.kind == "frame" && c.value != 0) numbers.push_back(c.value);
    if (c.kind == "message") lines.push_back(c.text);
    if (c.kind == "event" && c.text == "11") ++end_events;
  }
  EXPECT_NE(calls.front().thread, std::this_thread::get_id());
  EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(end_events, 1);
  // The resource's lines arrive one per call, in the order reported.
  const std::vector<std::string> expected = {"Initializing file resource: " + name + ".\r\n",
                                             "Attaching HDRX0001 to " + name + ".\r\n",
                                             "Enabling telemetry acquisition for HDRX0001 on " + name + ".\r\n",
                                             "HDRX0001 found on " + name + ".\r\n"};
  std::vector<std::string> resource_lines;
  for (const std::string& line : lines)
    if (std::find(expected.begin(), expected.end(), line) != expected.end()) resource_lines.push_back(line);
  EXPECT_EQ(resource_lines, expected);
}

TEST_F(TelemControlTest, ARemovedResourceKeepsItsPendingCommandsFromALaterOneOfTheSameName) {
  const std::string path = dir_.WriteFile("log.raw", kFrames);
  sys::CFile first(path, sys::CFile::modeRead | sys::CFile::shareDenyNone);
  sys::CFile second(path, sys::CFile::modeRead | sys::CFile::shareDenyNone);
  CTelemControl control(&doc_);
  std::atomic<bool> removed{false};
  std::atomic<std::uint32_t> second_removal{0};
  std::atomic<std::uint32_t> re_add{1};
  doc_.on_frame = [&](const std::string& name, const CFrameData* frame) {
    if (removed.exchange(true) || frame == nullptr) return;
    // Inside the pass: two more frames are asked for, then the resource
    // goes and a new one of the same name takes its place.
    control.RetrieveFrame(0);
    control.RetrieveFrame(0);
    control.RemoveResource(name);
    second_removal = control.RemoveResource(name);
    re_add = control.AddFileResource({&second, 8});
  };
  ASSERT_EQ(control.AddFileResource({&first, 8}), 0u);
  ASSERT_EQ(control.AddInstrument(kFixedCal), 0u);
  ASSERT_EQ(control.AttachInstrument("HDRX0001", path, false), 0u);
  ASSERT_EQ(control.StartAcquisition(0), 0u);
  ASSERT_EQ(control.RetrieveFrame(0), 0u);
  ASSERT_TRUE(doc_.WaitFor([](const std::vector<Callback>& calls) {
    return std::count_if(calls.begin(), calls.end(), [](const Callback& c) { return c.kind == "frame"; }) >= 3;
  }));
  doc_.WaitForText(control, "settled\r\n");
  EXPECT_EQ(second_removal, kCtlRemovalPending);
  EXPECT_EQ(re_add, 0u);
  std::uint32_t discarded = 99;
  ASSERT_EQ(control.GetBytesDiscarded(discarded, 0), 0u);
  EXPECT_EQ(discarded, 0u) << "a request for the removed resource reached the new one";
  control.Shutdown();
  EXPECT_EQ(control.GetResourceCount(), 0);
}

// A command left over from a resource the control no longer has: a frame
// request still gets its one answer ("no frame"), so the requester is never
// left waiting; the other kinds have nobody to report on and go unanswered.
TEST_F(TelemControlTest, ACommandWhoseResourceIsGoneAnswersOnlyAFrameRequestWithNoFrame) {
  CTelemControl control(&doc_);
  constexpr std::uint64_t kGoneId = std::numeric_limits<std::uint64_t>::max();
  for (const int type : {kCommandStateChanged, kCommandFileEvent, kCommandFramesReady, kCommandDeliverFrame})
    control.QueueCommand("gone.raw", kGoneId, type);
  // Queued after them, so delivered after them.
  control.ReportMessage("delivered\r\n", 0);
  ASSERT_TRUE(doc_.WaitFor([](const std::vector<Callback>& calls) {
    return std::any_of(calls.begin(), calls.end(), [](const Callback& c) { return c.text == "delivered\r\n"; });
  }));
  control.Shutdown();
  std::vector<Callback> answers;
  for (const Callback& c : doc_.Snapshot())
    if (c.kind != "message") answers.push_back(c);
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].kind, "frame");
  EXPECT_EQ(answers[0].resource, "gone.raw");
  EXPECT_EQ(answers[0].value, 0) << "a frame number: the answer was not \"no frame\"";
}

struct FailureCase {
  const char* name;
  std::function<std::uint32_t(CTelemControl&)> operation;
  std::uint32_t code;
  std::string text;
};

std::uint32_t AsCode(bool ok) { return ok ? 0u : 1u; }

std::vector<FailureCase> FailureCases() {
  const std::string invalid_resource = "\tThe communications resource reference is invalid.\r\n";
  const std::string invalid_instrument = "\tThe instrument reference is invalid.\r\n";
  const std::string no_resource = "\tThe communications resource could not be found.\r\n";
  const std::string no_instrument = "\tThe instrument could not be found.\r\n";
  std::string text;
  std::uint32_t count = 0;
  SerialSettings serial;
  FileSettings file;
  return {
      {"RemoveResource", [](CTelemControl& c) { return c.RemoveResource("nowhere"); }, kCtlResourceNotFound,
       "Unable to remove communications resource: nowhere.\r\n" + no_resource},
      {"ModifyResource", [=](CTelemControl& c) { return c.ModifyResource("nowhere", serial); }, kCtlResourceNotFound,
       "Unable to modify communications resource: nowhere.\r\n" + no_resource},
      {"RemoveInstrument", [](CTelemControl& c) { return c.RemoveInstrument("NOPE"); }, kCtlInstrumentNotFound,
       "Unable to remove instrument: NOPE.\r\n" + no_instrument},
      {"AttachInstrument", [](CTelemControl& c) { return c.AttachInstrument("NOPE", "port", false); },
       kCtlInstrumentNotFound, "Unable to attach instrument NOPE to port.\r\n" + no_instrument},
      {"DetachInstrument", [](CTelemControl& c) { return c.DetachInstrument("NOPE"); }, kCtlResourceNotFound,
       "Unable to remove instrument NOPE.\r\n" + no_resource},
      {"ResourceExists", [](CTelemControl& c) { return AsCode(c.ResourceExists(0)); }, 1,
       "Unable to check existance of communications resource.\r\n" + invalid_resource},
      {"ConnectResource", [](CTelemControl& c) { return c.ConnectResource(-1); }, kCtlResourceInvalid,
       "Unable to connect communications resource.\r\n" + invalid_resource},
      {"DisconnectResource", [](CTelemControl& c) { return c.DisconnectResource(3); }, kCtlResourceInvalid,
       "Unable to disconnect communications resource.\r\n" + invalid_resource},
      {"StartAcquisition", [](CTelemControl& c) { return c.StartAcquisition(0); }, kCtlInstrumentInvalid,
       "Unable to start telemetry frame aquisition.\r\n" + invalid_instrument},
      {"StopAcquisition", [](CTelemControl& c) { return c.StopAcquisition(0); }, kCtlInstrumentInvalid,
       "Unable to stop telemetry frame aquisition.\r\n" + invalid_instrument},
      {"GetBytesDiscarded", [=](CTelemControl& c) mutable { return c.GetBytesDiscarded(count, 0); },
       kCtlResourceInvalid, "Unable to retrieve the number of bytes discarded.\r\n" + invalid_resource},
      {"ResetBytesDiscarded", [](CTelemControl& c) { return c.ResetBytesDiscarded(0); }, kCtlResourceInvalid,
       "Unable to reset the number of bytes discarded.\r\n" + invalid_resource},
      {"TakeBytesDiscarded", [=](CTelemControl& c) mutable { return c.TakeBytesDiscarded(count, 0); },
       kCtlResourceInvalid, "Unable to retrieve the number of bytes discarded.\r\n" + invalid_resource},
      {"GetSerialInfo", [=](CTelemControl& c) mutable { return c.GetSerialInfo(serial, 0); }, kCtlResourceInvalid,
       "Unable to retrieve telemetry communications information.\r\n" + invalid_resource},
      {"GetFileInfo", [=](CTelemControl& c) mutable { return c.GetFileInfo(file, 0); }, kCtlResourceInvalid,
       "Unable to retrieve telemetry communications information.\r\n" + invalid_resource},
      {"GetAbortCode", [=](CTelemControl& c) mutable { return c.GetAbortCode(count, 0); }, kCtlResourceInvalid,
       "Unable to retrieve telemetry aquisition abort code.\r\n" + invalid_resource},
      {"GetInstrumentFileType", [=](CTelemControl& c) mutable { return c.GetInstrumentFileType(text, 0); },
       kCtlInstrumentInvalid, "Unable to retrieve the instrument file type.\r\n" + invalid_instrument},
      {"GetInstrumentFileName", [=](CTelemControl& c) mutable { return c.GetInstrumentFileName(text, 0); },
       kCtlInstrumentInvalid, "Unable to retrieve the instrument file name.\r\n" + invalid_instrument},
      {"GetInstrumentSerialNumber", [=](CTelemControl& c) mutable { return c.GetInstrumentSerialNumber(text, 0); },
       kCtlInstrumentInvalid, "Unable to retrieve the instrument serial number.\r\n" + invalid_instrument},
      {"GetInstrumentResource", [=](CTelemControl& c) mutable { return AsCode(c.GetInstrumentResource(text, 0)); },
       1, "Unable to access instrument communications resource.\r\n" + invalid_instrument},
      {"GetInstrumentHeader", [=](CTelemControl& c) mutable { return AsCode(c.GetInstrumentHeader(text, 0)); }, 1,
       "Unable to retieve instrument header.\r\n" + invalid_instrument},
      {"GetResourceName", [=](CTelemControl& c) mutable { return AsCode(c.GetResourceName(text, 0)); }, 1,
       "Unable to retieve communications resource identification.\r\n" + invalid_resource},
      {"FindSensor", [](CTelemControl& c) { return static_cast<std::uint32_t>(c.FindSensor(0, "A", -1)); },
       0xFFFFFFFFu, "Unable to find instrument sensor.\r\n" + invalid_instrument},
      {"GetSensor", [](CTelemControl& c) { return AsCode(c.GetSensor(0, 0) != nullptr); }, 1,
       "Unable to access instrument sensors.\r\n" + invalid_instrument},
      {"GetInstrumentLinesRead", [](CTelemControl& c) { return static_cast<std::uint32_t>(c.GetInstrumentLinesRead(0)); },
       0xFFFFFFFFu, "Unable to retrieve the number of instrument file lines read.\r\n" + invalid_instrument},
      {"GetInstrumentFrameSize", [](CTelemControl& c) { return static_cast<std::uint32_t>(c.GetInstrumentFrameSize(0)); },
       0xFFFFFFFFu, "Unable to retrive instrument frame size.\r\n" + invalid_instrument},
      {"GetInstrumentSensorCount",
       [](CTelemControl& c) { return static_cast<std::uint32_t>(c.GetInstrumentSensorCount(0)); }, 0xFFFFFFFFu,
       "Unable to retrieve the number of instrument sensors.\r\n" + invalid_instrument},
      {"RetrieveFrame", [](CTelemControl& c) { return c.RetrieveFrame(0); }, kCtlResourceInvalid,
       "Unable to retrieve instrument frame from file resource.\r\n" + invalid_resource},
  };
}

TEST_F(TelemControlTest, EachOperationReportsItsFailureAndReason) {
  CTelemControl control(&doc_);
  for (const FailureCase& c : FailureCases()) {
    EXPECT_EQ(c.operation(control), c.code) << c.name;
    EXPECT_EQ(doc_.WaitForText(control, "--\r\n"), c.text) << c.name;
  }
}

TEST_F(TelemControlTest, ResourceAndInstrumentRefusals) {
  sys::CFile file(dir_.WriteFile("log.raw", kFrames), sys::CFile::modeRead);
  const std::string name = file.GetFilePath();
  CTelemControl control(&doc_);
  ASSERT_EQ(control.AddFileResource({&file, 8}), 0u);
  EXPECT_EQ(control.AddFileResource({&file, 8}), kCtlResourceDefined);
  ASSERT_EQ(control.AddInstrument(kFixedCal), 0u);
  EXPECT_EQ(control.AddInstrument(kFixedCal), kCtlInstrumentDefined);
  EXPECT_EQ(control.AttachInstrument("HDRX0001", "elsewhere", false), kCtlResourceNotFound);
  EXPECT_EQ(control.StartAcquisition(0), kCtlResourceNotFound);
  std::string resource = "unchanged";
  EXPECT_TRUE(control.GetInstrumentResource(resource, 0));
  EXPECT_EQ(resource, "unchanged");
  std::string text = doc_.WaitForText(control, "--\r\n");
  EXPECT_NE(text.find("Unable to add communications resource: " + name +
                      ".\r\n\tThe communications resource has already been defined.\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("Unable to add instrument: HDRX0001.\r\n\tThe instrument has already been defined.\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("Unable to attach instrument HDRX0001 to elsewhere.\r\n"
                      "\tThe communications resource could not be found.\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("Unable to start telemetry frame aquisition.\r\n"
                      "\tThe communications resource could not be found.\r\n"),
            std::string::npos);
  // Once attached the instrument names its resource; removing the resource
  // forgets the attachment.
  ASSERT_EQ(control.AttachInstrument("HDRX0001", name, false), 0u);
  EXPECT_TRUE(control.GetInstrumentResource(resource, 0));
  EXPECT_EQ(resource, name);
  ASSERT_EQ(control.RemoveResource(name), 0u);
  EXPECT_EQ(control.StartAcquisition(0), kCtlResourceNotFound);
  EXPECT_EQ(control.RemoveInstrument("HDRX0001"), 0u);
  EXPECT_EQ(control.GetInstrumentCount(), 0);
}

// A definition that names no instrument could only make every log "not
// found"; the control refuses it as an invalid definition file, and a load
// its caller stops is not added either.
TEST_F(TelemControlTest, NamelessAndStoppedDefinitionsAreNotAdded) {
  CTelemControl control(&doc_);
  const std::string empty = dir_.WriteFile("empty.tdf", "");
  const std::string comments = dir_.WriteFile("comments.tdf", "# nothing\r# here\r");
  EXPECT_EQ(control.AddInstrument(empty), 0x30000004u);
  EXPECT_EQ(control.AddInstrument(comments), 0x30000004u);
  EXPECT_EQ(control.AddInstrument(kFixedCal, [] { return true; }), 0x30000042u);
  EXPECT_EQ(control.GetInstrumentCount(), 0);
  control.AddInstrument("");  // its report marks the end of the text
  const std::string text =
      doc_.WaitForText(control, "\tThe Calibration or Telemetry Definition File was not specified.");
  const std::string invalid = "\r\n\tThe file format is invalid or corrupted.";
  EXPECT_NE(text.find("Name: \"" + empty + "\".\r\n\tThe file is empty." + invalid), std::string::npos) << text;
  EXPECT_NE(text.find("Name: \"" + comments + "\".\r\n\tThe file names no instrument." + invalid), std::string::npos)
      << text;
  EXPECT_NE(text.find("Unable to load instrument.\r\n\tThe load was stopped.\r\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("read successfully"), std::string::npos) << text;
}

}  // namespace

namespace {

TEST_F(TelemControlTest, AShutdownAskedForFromACallbackEndsTheThreadWithoutHanging) {
  auto control = std::make_unique<CTelemControl>(&doc_);
  std::atomic<bool> shut{false};
  doc_.on_frame = [&](const std::string&, const CFrameData*) {
    control->Shutdown();
    shut = true;
  };
  sys::CFile file(dir_.WriteFile("log.raw", kFrames), sys::CFile::modeRead);
  ASSERT_EQ(control->AddFileResource({&file, 8}), 0u);
  ASSERT_EQ(control->RetrieveFrame(0), 0u);
  ASSERT_TRUE(doc_.WaitFor([&](const auto&) { return shut.load(); }));
  control.reset();
  EXPECT_TRUE(shut);
}

// Lines reported from a callback are all taken in the pass that runs it,
// whichever command comes first: the control's own lines and a resource's,
// reported one after another, reach the log in that order. The resource's
// command even comes before it is listed.
TEST_F(TelemControlTest, ControlAndResourceLinesReachTheLogInTheOrderReported) {
  sys::CFile file(dir_.WriteFile("log.raw", kFrames), sys::CFile::modeRead);
  const std::string name = file.GetFilePath();
  CTelemControl control(&doc_);
  doc_.on_message = [&](const std::string& text) {
    if (text != "go\r\n") return;
    control.ReportMessage("before\r\n", 0);
    control.AddFileResource({&file, 8});
    control.ReportMessage("after\r\n", 0);
  };
  control.ReportMessage("go\r\n", 0);
  ASSERT_TRUE(doc_.WaitFor([](const std::vector<Callback>& calls) {
    return std::any_of(calls.begin(), calls.end(),
                       [](const Callback& c) { return c.text.find("after\r\n") != std::string::npos; });
  }));
  control.Shutdown();
  std::string log;
  for (const Callback& c : doc_.Snapshot())
    if (c.kind == "message") log += c.text;
  EXPECT_EQ(log.rfind("go\r\nbefore\r\nInitializing file resource: " + name + ".\r\nafter\r\n", 0), 0u) << log;
}

// The resource whose lines are being delivered goes with the shutdown; the
// delivery must not reach into it afterwards.
TEST_F(TelemControlTest, AShutdownFromAResourceMessageLeavesThatResourceAliveUntilThePassEnds) {
  auto control = std::make_unique<CTelemControl>(&doc_);
  std::atomic<bool> shut{false};
  doc_.on_message = [&](const std::string& text) {
    if (text.rfind("Attaching", 0) != 0 || shut) return;
    control->Shutdown();
    shut = true;
  };
  // With a second resource the shutdown meets the first one's removal
  // still pending, on the thread that is delivering the first one's lines.
  sys::CFile first(dir_.WriteFile("first.raw", kFrames), sys::CFile::modeRead);
  sys::CFile second(dir_.WriteFile("second.raw", kFrames), sys::CFile::modeRead);
  ASSERT_EQ(control->AddFileResource({&first, 8}), 0u);
  ASSERT_EQ(control->AddFileResource({&second, 8}), 0u);
  ASSERT_EQ(control->AddInstrument(kFixedCal), 0u);
  ASSERT_EQ(control->AttachInstrument("HDRX0001", first.GetFilePath(), false), 0u);
  ASSERT_TRUE(doc_.WaitFor([&](const auto&) { return shut.load(); }));
  control.reset();
  EXPECT_TRUE(shut);
}

}  // namespace

namespace {

TEST_F(TelemControlTest, ASpecialSensorMakesTheInstrumentExclusiveOnASerialPort) {
  CTelemControl control(&doc_);
  SerialSettings settings;
  settings.port_name = "ttyS9";
  settings.baud_rate = 9600;
  settings.buffer_size = 256;
  ASSERT_EQ(control.AddSerialResource(settings), 0u);
  ASSERT_EQ(control.AddInstrument(std::string(BRIVEN_TEST_DATA) + "/telemetry/bsi.cal"), 0u);
  ASSERT_EQ(control.AddInstrument(kFixedCal), 0u);
  // The SPECIAL line's ID "bsi" names the kind whatever its case.
  ASSERT_EQ(control.AttachInstrument("BSIX", "ttyS9", false), 0u);
  EXPECT_EQ(control.AttachInstrument("HDRX0001", "ttyS9", false), kResExclusiveAttached);
  EXPECT_EQ(control.RetrieveFrame(0), kCtlNotFile);
  EXPECT_NE(doc_.WaitForText(control, "--\r\n").find("Unable to retrieve frame from telemetry resource ttyS9.\r\n"
                                                      "\tThe specified communications resource is not a file.\r\n"),
            std::string::npos);
  // Re-attaching detaches first; detaching frees the port for another.
  EXPECT_EQ(control.AttachInstrument("BSIX", "ttyS9", false), 0u);
  EXPECT_EQ(control.DetachInstrument("BSIX"), 0u);
  EXPECT_EQ(control.AttachInstrument("HDRX0001", "ttyS9", false), 0u);
  EXPECT_EQ(control.DetachInstrument("BSIX"), 0u);  // not attached: nothing to do
}

}  // namespace

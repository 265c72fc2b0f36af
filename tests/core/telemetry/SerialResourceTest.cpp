// Serial resources: live frames over a pseudo-terminal, the far end going
// away, and a scripted device for line errors, idle time-outs and the
// global synchronisation string.
#include <gtest/gtest.h>

#include <pty.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>

#include "core/telemetry/TelemControl.h"
#include "core/telemetry/TelemetryCodes.h"
#include "tests/core/telemetry/ControlTestSupport.h"
#include "tests/core/telemetry/TelemetryTestSupport.h"

using namespace telemetry;
using namespace telemetry_test;

namespace {

const std::string kFixedCal = std::string(BRIVEN_TEST_DATA) + "/telemetry/fixed.cal";

SerialSettings Settings(const std::string& port, const std::string& sync = {}) {
  SerialSettings s;
  s.port_name = port;
  s.baud_rate = 9600;
  s.buffer_size = 256;
  s.sync_string = sync;
  return s;
}

class PseudoTerminal {
 public:
  PseudoTerminal() {
    char name[256] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) std::abort();
    path_ = name;
  }
  ~PseudoTerminal() {
    CloseMaster();
    if (slave_ >= 0) close(slave_);
  }
  void Write(const std::string& bytes) { ASSERT_EQ(write(master_, bytes.data(), bytes.size()), ssize_t(bytes.size())); }
  void CloseMaster() {
    if (master_ >= 0) close(master_);
    master_ = -1;
  }
  // The far end of the test keeps the slave open only until the resource
  // has it, so closing the master is a hang-up.
  void CloseSlave() {
    if (slave_ >= 0) close(slave_);
    slave_ = -1;
  }
  const std::string& Path() const { return path_; }

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string path_;
};

int CountKind(const std::vector<Callback>& calls, const std::string& kind, int value = -1) {
  int n = 0;
  for (const Callback& c : calls) n += c.kind == kind && (value < 0 || c.value == value) ? 1 : 0;
  return n;
}

bool HasText(const std::vector<Callback>& calls, const std::string& text) {
  for (const Callback& c : calls)
    if (c.kind == "message" && c.text.find(text) != std::string::npos) return true;
  return false;
}

TEST(SerialPseudoTerminal, LiveFramesReachTheFrameCallbackAndAHangUpAborts) {
  PseudoTerminal pty;
  RecordingDocument doc;
  CTelemControl control(&doc);
  ASSERT_EQ(control.AddSerialResource(Settings(pty.Path())), 0u);
  ASSERT_EQ(control.AddInstrument(kFixedCal), 0u);
  ASSERT_EQ(control.AttachInstrument("HDRX0001", pty.Path(), false), 0u);
  ASSERT_EQ(control.ConnectResource(0), 0u);
  ASSERT_EQ(control.StartAcquisition(0), 0u);
  // A state command tells the state the port is in when it is delivered,
  // not when it was queued: once bytes have arrived every later delivery
  // says reading. The waiting state is seen before any byte is sent.
  ASSERT_TRUE(doc.WaitFor([](const auto& c) { return CountKind(c, "state", kStateWaiting) > 0; }));
  pty.CloseSlave();
  pty.Write(std::string("zzHDRX0001\x01\x02HDRX0001\x03\x04", 22));
  ASSERT_TRUE(doc.WaitFor([](const auto& calls) { return CountKind(calls, "frame") >= 2; }));
  std::vector<Callback> calls = doc.Snapshot();
  std::vector<int> numbers;
  for (const Callback& c : calls)
    if (c.kind == "frame") numbers.push_back(c.value);
  EXPECT_EQ(numbers, (std::vector<int>{1, 2}));
  EXPECT_TRUE(HasText(calls, pty.Path() + " connection successful.\r\n"));
  EXPECT_TRUE(HasText(calls, pty.Path() + " reading telemetry.\r\n"));
  EXPECT_TRUE(HasText(calls, "HDRX0001 found on " + pty.Path() + ".\r\n"));
  // State changes reach the document with each instrument's state.
  ASSERT_TRUE(doc.WaitFor([](const auto& c) {
    return CountKind(c, "state", kStateReading) > 0 &&
           std::any_of(c.begin(), c.end(), [](const Callback& x) { return x.kind == "info" && x.text == "HDRX0001" && x.value == 2; });
  }));

  pty.CloseMaster();
  ASSERT_TRUE(doc.WaitFor([&](const auto& c) {
    return HasText(c, "Telemetry acquisition aborted on " + pty.Path() + ".\r\n\tRead error: ");
  }));
  ASSERT_TRUE(doc.WaitFor([](const auto& c) { return CountKind(c, "state", kStateAborted) > 0; }));
  std::uint32_t abort_code = 0;
  EXPECT_EQ(control.GetAbortCode(abort_code, 0), 0u);
  EXPECT_EQ(abort_code, kResReadError);
  control.Shutdown();
}

TEST(SerialPseudoTerminal, ConnectingTwiceIsANoOpAndAMissingPortGivesNoMessage) {
  PseudoTerminal pty;
  CTelemComm resource(nullptr);
  ASSERT_EQ(resource.InitSerial(Settings(pty.Path())), 0u);
  ASSERT_EQ(resource.Connect(), 0u);
  EXPECT_EQ(resource.GetState(), kStateWaiting);
  EXPECT_EQ(resource.Connect(), 0u);
  EXPECT_EQ(resource.Disconnect(), 0u);
  EXPECT_EQ(resource.GetState(), kStateNotConnected);
  const std::vector<std::string> lines = TakeMessages(resource);
  EXPECT_EQ(lines.back(), pty.Path() + " disconnection successful.\r\n");

  CTelemComm missing(nullptr);
  ASSERT_EQ(missing.InitSerial(Settings("/dev/no-such-port-here")), 0u);
  TakeMessages(missing);
  EXPECT_EQ(missing.Connect(), kResPortOpenFailed);
  EXPECT_TRUE(TakeMessages(missing).empty());
  EXPECT_FALSE(missing.PortExists());
}

TEST(SerialSettingsTest, InitialisationRefusals) {
  CTelemComm resource(nullptr);
  EXPECT_EQ(resource.InitSerial(Settings("")), kResInvalidPort);
  ASSERT_EQ(resource.InitSerial(Settings("ttyS9")), 0u);
  EXPECT_EQ(resource.InitSerial(Settings("ttyS8")), kResInvalidPort);
  const std::vector<std::string> lines = TakeMessages(resource);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "Unable to initialize serial communications.\r\n\tInvalid serial port identification.\r\n");
  EXPECT_EQ(lines[1], "Initializing serial communications on ttyS9.\r\n"
                      "\tGlobal synchronization has been deactivated.\r\n");
  EXPECT_EQ(lines[2], "Unable to reinitialize serial communications.\r\n\tInvalid serial port identification.\r\n");
}

TEST(SerialSettingsTest, NoSpeedOrNoBufferFailsTheConnectionAndLeavesThePortClosed) {
  PseudoTerminal pty;
  const std::string invalid = "\t" + std::string(std::strerror(EINVAL)) + "\r\n\tConnection failed.\r\n";
  struct Case {
    sys::DWORD baud, buffer;
    std::uint32_t code;
    std::string line;
  } cases[] = {
      {0, 256, kResSetStateFailed, "Unable to set serial port settings for " + pty.Path() + ".\r\n" + invalid},
      {9600, 0, kResSetupFailed, "Unable to set serial communications buffer for " + pty.Path() + ".\r\n" + invalid},
  };
  for (const Case& c : cases) {
    CTelemComm resource(nullptr);
    SerialSettings settings = Settings(pty.Path());
    settings.baud_rate = c.baud;
    settings.buffer_size = c.buffer;
    ASSERT_EQ(resource.InitSerial(settings), 0u);
    TakeMessages(resource);
    EXPECT_EQ(resource.Connect(), c.code);
    EXPECT_EQ(resource.GetState(), kStateNotConnected);
    const std::vector<std::string> lines = TakeMessages(resource);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), c.line);
  }
}

// A device that plays back a script, one entry per read: bytes, a quiet
// read (time-out), or line errors.
class ScriptedDevice : public SerialDevice {
 public:
  struct Step {
    std::string bytes;
    sys::DWORD line_errors = 0;
    int read_error = 0;
  };
  struct Script {
    std::mutex mutex;
    std::deque<Step> steps;
    void push_back(Step step) {
      std::lock_guard<std::mutex> lock(mutex);
      steps.push_back(std::move(step));
    }
    // Reads made after the script ran out: once a few have started, every
    // turn that played the script has ended.
    int QuietReads() {
      std::lock_guard<std::mutex> lock(mutex);
      return quiet_reads;
    }
    int quiet_reads = 0;
  };
  explicit ScriptedDevice(std::shared_ptr<Script> script) : script_(std::move(script)) {}
  int Open(const std::string&) override { return 0; }
  int Configure(const sys::SerialLineSettings&) override { return 0; }
  int SetBufferSizes(sys::DWORD, sys::DWORD) override { return 0; }
  int Read(void* buffer, std::size_t capacity, int, std::size_t& received) override {
    received = 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    Step step;
    {
      std::lock_guard<std::mutex> script_lock(script_->mutex);
      if (script_->steps.empty()) {
        ++script_->quiet_reads;
        return 0;
      }
      step = script_->steps.front();
      script_->steps.pop_front();
    }
    std::lock_guard<std::mutex> lock(mutex_);
    pending_errors_ = step.line_errors;
    if (step.read_error != 0) return step.read_error;
    received = std::min(capacity, step.bytes.size());
    std::memcpy(buffer, step.bytes.data(), received);
    return 0;
  }
  int TakeLineErrors(sys::DWORD& errors) override {
    std::lock_guard<std::mutex> lock(mutex_);
    errors = pending_errors_;
    pending_errors_ = 0;
    return 0;
  }
  int Purge(unsigned) override { return 0; }
  int RestoreSettings() override { return 0; }
  int Close() override { return 0; }

 private:
  std::mutex mutex_;
  std::shared_ptr<Script> script_;
  sys::DWORD pending_errors_ = 0;
};

class ScriptedSerial : public ::testing::Test {
 protected:
  void Connect(CTelemComm& resource, SerialSettings settings) {
    resource.SetSerialDeviceFactory([this] { return std::make_unique<ScriptedDevice>(script_); });
    ASSERT_EQ(resource.InitSerial(settings), 0u);
    ASSERT_EQ(resource.Connect(), 0u);
  }
  // Waits until the script has been played and a few quiet turns passed.
  void Drain() {
    for (int i = 0; i < 10000 && script_->QuietReads() < 3; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  std::shared_ptr<ScriptedDevice::Script> script_ = std::make_shared<ScriptedDevice::Script>();
};

TEST_F(ScriptedSerial, FramingErrorsAreReportedFiveTimesWithTheBaudRateHint) {
  const sys::DWORD frame = sys::SerialPort::kErrorFrame;
  for (int i = 0; i < 7; ++i) script_->push_back({"", frame});
  script_->push_back({"", sys::SerialPort::kErrorOverrun});  // a status without framing error
  script_->push_back({"", frame | sys::SerialPort::kErrorRxParity});
  CTelemComm resource(nullptr);
  Connect(resource, Settings("fake"));
  Drain();
  resource.Disconnect();
  std::vector<std::string> lines = TakeMessages(resource);
  const auto count = [&](const std::string& line) { return std::count(lines.begin(), lines.end(), line); };
  EXPECT_EQ(count("Hardware framing error on fake.\r\n"), 6);  // five, then one after the other status
  EXPECT_EQ(count("Detected possible incorrect baud rate on fake.\r\n"), 1);
  EXPECT_EQ(count("Rx parity error on fake.\r\n"), 1);
  EXPECT_EQ(count("Character buffer overrun on fake.\r\n"), 1);
}

TEST_F(ScriptedSerial, AReadFailureAbortsAndConnectingAgainWaitsForTheCodeToBeTaken) {
  script_->push_back({"", 0, EIO});
  CTelemComm resource(nullptr);
  Connect(resource, Settings("fake"));
  Drain();
  EXPECT_EQ(resource.GetState(), kStateAborted);
  TakeMessages(resource);
  EXPECT_EQ(resource.Connect(), kResAbortPending);
  EXPECT_EQ(TakeMessages(resource),
            std::vector<std::string>{"Unable to open serial port communications on fake.\r\n"
                                     "\tThe telemetry abort code has not been reset.\r\n"});
  EXPECT_EQ(resource.TakeAbortCode(), kResReadError);
  // A second reader starts only after the first has gone, and starts.
  EXPECT_EQ(resource.Connect(), 0u);
  EXPECT_EQ(resource.GetState(), kStateWaiting);
  resource.Disconnect();
}

TEST_F(ScriptedSerial, ASerialPortWithoutControlAcknowledgesTheGlobalStringAfterAnIdlePause) {
  SerialSettings settings = Settings("fake", "SYNC");
  settings.idle_limit = 1;
  for (int i = 0; i < 3; ++i) script_->push_back({"", 0});
  script_->push_back({"xxHDRX0001abSYNCzzHDRX0001cd", 0});
  CTelemComm resource(nullptr);
  resource.SetSerialDeviceFactory([this] { return std::make_unique<ScriptedDevice>(script_); });
  ASSERT_EQ(resource.InitSerial(settings), 0u);
  // Ready before the reader starts: a slow machine must not let the script
  // play before the instrument is enabled.
  ASSERT_EQ(resource.AttachInstrument(Attachment("HDRX0001", 10)), 0u);
  ASSERT_EQ(resource.EnableAcquisition("HDRX0001"), 0u);
  ASSERT_EQ(resource.Connect(), 0u);
  Drain();
  std::vector<std::string> lines = TakeMessages(resource);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Telemetry synchronized on SYNC.\r\n"), 1);
  std::vector<std::string> frames;
  while (std::unique_ptr<CFrameData> frame = resource.GetNextFrame()) frames.emplace_back(frame->GetText());
  // Bytes before the string are kept for the instrument search.
  EXPECT_EQ(frames, (std::vector<std::string>{"HDRX0001ab", "HDRX0001cd"}));
  resource.Disconnect();
}

// After a pause the resource searches for its string again over the bytes
// it kept; finding it then, before new bytes arrive, designates no
// instrument, so the bytes at the head are never cut as a frame.
TEST_F(ScriptedSerial, TheGlobalStringFoundDuringAPauseCutsNoFrame) {
  SerialSettings settings = Settings("fake", "SYNC");
  settings.idle_limit = 1;
  script_->push_back({"SYNCzzHDRX00", 0});
  CTelemComm resource(nullptr);
  resource.SetSerialDeviceFactory([this] { return std::make_unique<ScriptedDevice>(script_); });
  ASSERT_EQ(resource.InitSerial(settings), 0u);
  ASSERT_EQ(resource.AttachInstrument(Attachment("HDRX0001", 10)), 0u);
  ASSERT_EQ(resource.EnableAcquisition("HDRX0001"), 0u);
  ASSERT_EQ(resource.Connect(), 0u);
  Drain();
  resource.Disconnect();
  EXPECT_EQ(resource.GetNextFrame(), nullptr);
  const std::vector<std::string> lines = TakeMessages(resource);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Telemetry synchronized on SYNC.\r\n"), 1);
}

// The caller's thread detaches and attaches instruments while the reader
// cuts frames, so the instrument being cut moves in the attach order: every
// frame still carries the description of the header it begins with.
TEST_F(ScriptedSerial, DetachingWhileTheReaderCutsFramesKeepsEachFrameWithItsInstrument) {
  std::string burst;
  for (int i = 0; i < 20; ++i) burst += "HDRX0001ab";
  for (int i = 0; i < 300; ++i) script_->push_back({burst, 0});
  SerialSettings settings = Settings("fake");
  settings.max_depth = 100000;
  CTelemComm resource(nullptr);
  resource.SetSerialDeviceFactory([this] { return std::make_unique<ScriptedDevice>(script_); });
  ASSERT_EQ(resource.InitSerial(settings), 0u);
  const auto attach = [&](const char* header) {
    resource.AttachInstrument(Attachment(header, 10));
    resource.EnableAcquisition(header);
  };
  for (const char* header : {"AAAA0001", "HDRX0001", "BBBB0001"}) attach(header);
  ASSERT_EQ(resource.Connect(), 0u);
  while (script_->QuietReads() == 0) {
    // AAAA0001, HDRX0001, BBBB0001 -> HDRX0001, BBBB0001 -> back again.
    resource.DetachInstrument("AAAA0001");
    std::this_thread::yield();
    resource.DetachInstrument("HDRX0001");
    resource.DetachInstrument("BBBB0001");
    for (const char* header : {"AAAA0001", "HDRX0001", "BBBB0001"}) attach(header);
    TakeMessages(resource);
  }
  resource.Disconnect();
  int frames = 0;
  while (std::unique_ptr<CFrameData> frame = resource.GetNextFrame()) {
    ASSERT_EQ(frame->GetText(), "HDRX0001ab");
    ASSERT_EQ(frame->GetHeader(), "HDRX0001");
    ++frames;
  }
  EXPECT_GT(frames, 0);
}

// Dropping the oldest frame at the depth limit is told by its message; for
// an ordinary instrument the resource's state has not changed.
TEST_F(ScriptedSerial, ADroppedOrdinaryFrameQueuesNoStateChange) {
  SerialSettings settings = Settings("fake");
  settings.max_depth = 1;
  settings.idle_limit = 100000;
  script_->push_back({"HDRX0001abHDRX0001cdHDRX0001efHDRX0001gh", 0});
  RecordingSink sink;
  CTelemComm resource(&sink);
  resource.SetSerialDeviceFactory([this] { return std::make_unique<ScriptedDevice>(script_); });
  ASSERT_EQ(resource.InitSerial(settings), 0u);
  ASSERT_EQ(resource.AttachInstrument(Attachment("HDRX0001", 10)), 0u);
  ASSERT_EQ(resource.EnableAcquisition("HDRX0001"), 0u);
  ASSERT_EQ(resource.Connect(), 0u);
  Drain();
  // Initialised, attached, enabled, connected, reading, found.
  EXPECT_EQ(sink.Count(kCommandStateChanged), 6);
  resource.Disconnect();
  const std::vector<std::string> lines = TakeMessages(resource);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "fake frame buffer exceeded maximum depth.\r\n"), 2);
  EXPECT_EQ(resource.GetBytesDiscarded(), 20u);
}

// Bytes arriving a few at a time: a scan that found no terminator resumes
// where it stopped, and still finds one split across two arrivals.
TEST(SerialArrivals, TerminatorsSplitAcrossArrivalsAreFound) {
  struct Case {
    const char* name;
    CInstrumentAttachment record;
    std::string stream;
    std::vector<std::string> frames;
  };
  CInstrumentAttachment line = Attachment("IRC", 3, "\r\n");
  line.special = true;
  line.special_kind = "HEITRONICS_IRC";
  const std::vector<Case> cases = {
      {"terminated frames", Attachment("$GP", 0, "\r\n"), "xx$GPab,\r\r\n$GPc\r\n$GPdef\r\n",
       {"$GPab,\r\r\n", "$GPc\r\n", "$GPdef\r\n"}},
      {"line search", line, "ab\r\r\ncd\x80" "e\r\nf\r\n", {"IRCab\r\r\n", "IRCcde\r\n", "IRCf\r\n"}},
  };
  for (const Case& c : cases) {
    for (std::size_t step : {1u, 2u, 3u}) {
      RecordingSink sink;
      CTelemComm resource(&sink);
      ASSERT_EQ(resource.InitSerial(Settings("fake")), 0u);
      ASSERT_EQ(resource.AttachInstrument(c.record), 0u);
      ASSERT_EQ(resource.EnableAcquisition(c.record.header), 0u);
      for (std::size_t at = 0; at < c.stream.size(); at += step) {
        const std::string piece = c.stream.substr(at, step);
        resource.AppendBytes(reinterpret_cast<const std::uint8_t*>(piece.data()), piece.size());
      }
      std::vector<std::string> frames;
      while (std::unique_ptr<CFrameData> frame = resource.GetNextFrame()) frames.emplace_back(frame->GetText());
      EXPECT_EQ(frames, c.frames) << c.name << ", " << step << " bytes at a time";
    }
  }
}

struct SpecialCase {
  const char* name;
  CInstrumentAttachment record;
  std::string stream;
  std::vector<std::string> frames;
  std::uint32_t discarded;
};

CInstrumentAttachment Special(const std::string& header, std::uint32_t size, const std::string& kind,
                              std::vector<std::uint8_t> sync = {}, const std::string& terminator = {}) {
  CInstrumentAttachment record = Attachment(header, size, terminator);
  record.special = true;
  record.special_kind = kind;
  record.sync_count = static_cast<int>(sync.size());
  std::copy(sync.begin(), sync.end(), record.sync_bytes);
  return record;
}

std::vector<SpecialCase> SpecialCases() {
  const std::string hs2 = "*D0000ABCD" "0102030405060708090A0B0C0D0E0F10" "12345678" "FFEE" "7F" "80" "9999";
  const std::string hs2_frame = std::string("HS2\x00\x00\xAB\xCD\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B\x0C"
                                            "\x0D\x0E\x0F\x10\x01\x02\x03\x04\x05\x06\x07\x08\xFF\xEE\x7F\x80\r\n\x00",
                                            38);
  // One array of one sample: AA 01, the sample 0x0001, the sum of the three.
  const std::string bsi_good("\xAA\x01\x00\x01\xAC", 5);
  const std::string bsi_bad("\xAA\x01\x00\x01\xAD", 5);
  const std::string bsi_frame("BSIX\x3B\x20\x00\x00\r\n", 10);  // 0.00244140625 as a float
  return {
      {"Hs2AfterNoise", Special("HS2", 3, "HOBILABS_HS2_D"), "xy" + hs2, {hs2_frame}, 2},
      {"BsiSkipsAPairWithABadSum", Special("BSIX", 10, "BSI", {0xAA, 0x01}), "q" + bsi_bad + bsi_good,
       {bsi_frame}, 6},
      {"LineSearchDropsBytesWithBitSeven", Special("IRC", 3, "HEITRONICS_IRC", {}, "\r\n"),
       "partial\r\n1.5\x80,2.5\r\n", {"IRCpartial\r\n", "IRC1.5,2.5\r\n"}, 1},
  };
}

void PrintTo(const SpecialCase& c, std::ostream* os) { *os << c.name; }

class SpecialKinds : public ScriptedSerial, public ::testing::WithParamInterface<SpecialCase> {};

TEST_P(SpecialKinds, FramesAreFoundWithoutAHeaderInTheTelemetry) {
  const SpecialCase& c = GetParam();
  script_->push_back({c.stream, 0});
  RecordingSink sink;
  CTelemComm resource(&sink);
  resource.SetSerialDeviceFactory([this] { return std::make_unique<ScriptedDevice>(script_); });
  ASSERT_EQ(resource.InitSerial(Settings("fake")), 0u);
  ASSERT_EQ(resource.AttachInstrument(c.record), 0u);
  ASSERT_EQ(resource.EnableAcquisition(c.record.header), 0u);
  // Exclusive: nothing else may join it.
  EXPECT_EQ(resource.AttachInstrument(Attachment("OTHER", 4)), kResExclusiveAttached);
  ASSERT_EQ(resource.Connect(), 0u);
  Drain();
  resource.Disconnect();
  std::vector<std::string> frames;
  while (std::unique_ptr<CFrameData> frame = resource.GetNextFrame()) frames.emplace_back(frame->GetText());
  EXPECT_EQ(frames, c.frames);
  EXPECT_EQ(resource.GetBytesDiscarded(), c.discarded);
  EXPECT_GE(sink.Count(kCommandFramesReady), 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, SpecialKinds, ::testing::ValuesIn(SpecialCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SpecialKindRefusals, ABsiInstrumentNeedsPairsOfSyncBytesAndAnEmptyPort) {
  RecordingSink sink;
  CTelemComm resource(&sink);
  ASSERT_EQ(resource.InitSerial(Settings("fake")), 0u);
  EXPECT_EQ(resource.AttachInstrument(Special("BSIX", 10, "BSI", {0xAA})), kResBsiSyncInvalid);
  EXPECT_EQ(resource.AttachInstrument(Special("BSIX", 10, "BSI")), kResBsiSyncInvalid);
  CInstrumentAttachment too_many = Special("BSIX", 10, "BSI", {0xAA, 0x01});
  too_many.sync_count = 12;  // more than the record's ten bytes
  EXPECT_EQ(resource.AttachInstrument(too_many), kResBsiSyncInvalid);
  ASSERT_EQ(resource.AttachInstrument(Attachment("HDR1", 10)), 0u);
  EXPECT_EQ(resource.AttachInstrument(Special("BSIX", 10, "BSI", {0xAA, 0x01})), kResExclusiveRefused);
  // On a file the special kind is cleared: an ordinary instrument.
  TempDir dir;
  sys::CFile file(dir.WriteFile("log.raw", "BSIXabcdef"), sys::CFile::modeRead);
  CTelemComm on_file(nullptr);
  ASSERT_EQ(on_file.InitFile({&file, 64}), 0u);
  ASSERT_EQ(on_file.AttachInstrument(Special("BSIX", 10, "BSI")), 0u);
  ASSERT_EQ(on_file.AttachInstrument(Attachment("HDR1", 10)), 0u);
}

TEST_F(ScriptedSerial, AnIdlePauseAnnouncesTheInstrumentAgainWhenDataReturns) {
  SerialSettings settings = Settings("fake");
  settings.idle_limit = 2;
  script_->push_back({"HDRX0001ab", 0});
  for (int i = 0; i < 5; ++i) script_->push_back({"", 0});
  script_->push_back({"HDRX0001cd", 0});
  RecordingSink sink;
  CTelemComm resource(&sink);
  resource.SetSerialDeviceFactory([this] { return std::make_unique<ScriptedDevice>(script_); });
  ASSERT_EQ(resource.InitSerial(settings), 0u);
  ASSERT_EQ(resource.AttachInstrument(Attachment("HDRX0001", 10)), 0u);
  ASSERT_EQ(resource.EnableAcquisition("HDRX0001"), 0u);
  ASSERT_EQ(resource.Connect(), 0u);
  Drain();
  // The quiet turns after the last frame make it wait again: enabled, not found.
  EXPECT_EQ(resource.GetInstrumentState("HDRX0001"), 1);
  EXPECT_EQ(resource.GetState(), kStateWaiting);
  resource.Disconnect();
  EXPECT_EQ(resource.GetInstrumentState("HDRX0001"), 0);  // the reset disables acquisition
  const std::vector<std::string> lines = TakeMessages(resource);
  const auto count = [&](const std::string& line) { return std::count(lines.begin(), lines.end(), line); };
  EXPECT_EQ(count("HDRX0001 found on fake.\r\n"), 2);
  EXPECT_EQ(count("fake waiting for telemetry.\r\n"), 2);  // once per pause
  EXPECT_EQ(count("fake reading telemetry.\r\n"), 2);
  EXPECT_EQ(count("Disabling telemetry acquisition for HDRX0001 on fake.\r\n"), 1);
  EXPECT_EQ(lines.back(), "fake disconnection successful.\r\n");
  std::vector<int> numbers;
  while (std::unique_ptr<CFrameData> frame = resource.GetNextFrame()) numbers.push_back(frame->GetFrameNumber());
  EXPECT_EQ(numbers, (std::vector<int>{1, 2}));
  EXPECT_GE(sink.Count(kCommandStateChanged), 4);
}

}  // namespace

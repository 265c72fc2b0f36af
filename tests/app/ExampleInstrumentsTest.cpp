// The example instruments must describe exactly the frames the log
// generator writes, and the committed example logs must be what
// make_examples.sh makes, or the benchmarks and the documentation would
// measure and describe something else.
#include <string>
#include <vector>

#include <sys/wait.h>

#include <gtest/gtest.h>

#include "core/instrument/FrameData.h"
#include "core/instrument/Instrument.h"
#include "tests/app/AppTestFolder.h"

namespace {

const std::string kExamples = BRIVEN_EXAMPLES;

struct SensorLayout {
  const char* type;
  const char* id;
  unsigned offset;  // fixed frames only
  unsigned length;
  int data_type;  // BU 0, BS 1, BF 2, HU 4, AI 6, AF 8, AS 9
  int fit;        // COUNT 1, OPTIC2 5, POLYU 8
};

void ExpectSensors(CInstrument& instrument, const std::vector<SensorLayout>& expected) {
  ASSERT_EQ(instrument.GetSensorCount(), static_cast<int>(expected.size()));
  for (int i = 0; i < instrument.GetSensorCount(); ++i) {
    const SensorLayout& e = expected[i];
    SCOPED_TRACE(std::string(e.type) + " " + e.id);
    const CSensor* sensor = instrument.GetSensor(i);
    ASSERT_NE(sensor, nullptr);
    EXPECT_EQ(sensor->GetType(), e.type);
    EXPECT_EQ(sensor->GetId(), e.id);
    if (!instrument.IsVariableFrame()) {
      EXPECT_EQ(sensor->GetOffset(), e.offset);
    }
    EXPECT_EQ(sensor->GetFieldLength(), e.length);
    EXPECT_EQ(sensor->GetDataType(), e.data_type);
    EXPECT_EQ(sensor->GetFitType(), e.fit);
  }
}

TEST(ExampleInstrumentsTest, TheBinaryProfilerDefinesThe22ByteFrame) {
  CInstrument instrument;
  ASSERT_EQ(instrument.LoadInstrumentFile(kExamples + "/NMBP0417.tdf"), 0) << instrument.GetLoadReport();
  EXPECT_EQ(instrument.GetErrorCount(), 0) << instrument.GetLoadReport();
  EXPECT_EQ(instrument.GetHeader(), "NMBP0417");
  EXPECT_EQ(instrument.GetSerialNumber(), "0417");
  EXPECT_FALSE(instrument.IsVariableFrame());
  EXPECT_EQ(instrument.GetFrameSize(), 22u);
  ExpectSensors(instrument, {{"FRAME", "COUNTER", 8, 1, 0, 1},
                             {"PRES", "", 9, 2, 0, 8},
                             {"T", "W", 11, 2, 1, 8},
                             {"COND", "", 13, 4, 2, 8},
                             {"LU", "490", 17, 2, 0, 5},
                             {"STATUS", "", 19, 2, 4, 1},
                             {"CHECK", "SUM", 21, 1, 0, 1}});
}

TEST(ExampleInstrumentsTest, TheAsciiCtdDefinesCommaFieldsAndCrLf) {
  CInstrument instrument;
  ASSERT_EQ(instrument.LoadInstrumentFile(kExamples + "/NMAC0093.tdf"), 0) << instrument.GetLoadReport();
  EXPECT_EQ(instrument.GetErrorCount(), 0) << instrument.GetLoadReport();
  EXPECT_EQ(instrument.GetHeader(), "NMAC0093");
  EXPECT_TRUE(instrument.IsVariableFrame());
  EXPECT_EQ(instrument.GetFieldDelimiters(), ",,,,,");
  EXPECT_EQ(instrument.GetTerminator(), "\r\n");
  ExpectSensors(instrument, {{"FRAME", "COUNTER", 0, 0, 6, 1},
                             {"PRES", "", 0, 0, 8, 8},
                             {"T", "W", 0, 0, 8, 8},
                             {"COND", "", 0, 0, 6, 8},
                             {"MOTION", "", 0, 0, 9, 1}});
}

std::string GenerateLog(const apptest::TempFolder& folder, const char* kind, const char* size, const char* name,
                        const std::string& options = {}) {
  const std::string out = folder / name;
  const std::string command = std::string("'") + BRIVEN_GENERATE_LOG + "' " + kind + " " + size + " '" + out +
                              "' " + options + " >/dev/null";
  const int status = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  return apptest::ReadFile(out);
}

CFrameData MakeFrame(const std::string& bytes, const CInstrument& instrument) {
  CFrameInfo info;
  info.m_strHeader = instrument.GetHeader();
  info.m_strTerminator = instrument.GetTerminator();
  info.m_nFixedFrameSize = static_cast<int>(instrument.GetFrameSize());
  return CFrameData(CFrameData::Bytes(bytes.begin(), bytes.end()), info);
}

double Unsigned(CSensor* sensor, const CFrameData& frame, bool fit) {
  std::uint32_t raw = 0;
  EXPECT_EQ(sensor->ExtractUnsigned(&raw, &frame), 0);
  double value = raw;
  if (fit) {
    EXPECT_EQ(sensor->ApplyFit(&value, raw), 0);
  }
  return value;
}

double Signed(CSensor* sensor, const CFrameData& frame, bool fit) {
  std::int32_t raw = 0;
  EXPECT_EQ(sensor->ExtractSigned(&raw, &frame), 0);
  double value = raw;
  if (fit) {
    EXPECT_EQ(sensor->ApplyFit(&value, raw), 0);
  }
  return value;
}

double Real(CSensor* sensor, const CFrameData& frame) {
  double raw = 0.0;
  EXPECT_EQ(sensor->ExtractReal(&raw, &frame), 0);
  double value = 0.0;
  EXPECT_EQ(sensor->ApplyFit(&value, raw), 0);
  return value;
}

// The generated frames, read field by field through the instrument's own
// sensors: every value is in the range a cold-water cast gives.
TEST(ExampleInstrumentsTest, GeneratedBinaryFramesReadBackThroughTheInstrument) {
  apptest::TempFolder folder;
  CInstrument instrument;
  ASSERT_EQ(instrument.LoadInstrumentFile(kExamples + "/NMBP0417.tdf"), 0);
  const std::string log = GenerateLog(folder, "fixed", "0.01", "fixed.raw");
  ASSERT_EQ(log.size(), 476u * 22u);
  for (std::size_t i = 0; i * 22 < log.size(); ++i) {
    SCOPED_TRACE("frame " + std::to_string(i));
    const std::string bytes = log.substr(i * 22, 22);
    const CFrameData frame = MakeFrame(bytes, instrument);
    ASSERT_EQ(bytes.substr(0, 8), instrument.GetHeader());
    EXPECT_EQ(Unsigned(instrument.GetSensor(0), frame, false), static_cast<double>(i % 256));
    const double pressure = Unsigned(instrument.GetSensor(1), frame, true);
    EXPECT_TRUE(pressure >= 0.0 && pressure <= 410.0) << pressure;
    const double temperature = Signed(instrument.GetSensor(2), frame, true);
    EXPECT_TRUE(temperature >= -2.0 && temperature <= 8.0) << temperature;
    const double conductivity = Real(instrument.GetSensor(3), frame);
    EXPECT_TRUE(conductivity >= 25.0 && conductivity <= 35.0) << conductivity;
    const double radiance = Unsigned(instrument.GetSensor(4), frame, true);
    EXPECT_TRUE(radiance >= -0.1 && radiance <= 23.0) << radiance;
    const double status = Unsigned(instrument.GetSensor(5), frame, false);
    EXPECT_TRUE(status == 0x00 || status == 0x01 || status == 0x10 || status == 0x11) << status;
    // The check: bytes before the check sum field plus its value, mod 256.
    CSensor* check = instrument.GetSensor(6);
    unsigned residue = static_cast<unsigned>(Unsigned(check, frame, false));
    for (unsigned b = 0; b < check->GetOffset(); ++b) residue += static_cast<unsigned char>(bytes[b]);
    EXPECT_EQ(residue & 0xFF, 0u);
  }
}

TEST(ExampleInstrumentsTest, GeneratedAsciiFramesReadBackThroughTheInstrument) {
  apptest::TempFolder folder;
  CInstrument instrument;
  ASSERT_EQ(instrument.LoadInstrumentFile(kExamples + "/NMAC0093.tdf"), 0);
  const std::string log = GenerateLog(folder, "ascii", "0.01", "ascii.raw");
  std::size_t frames = 0;
  for (std::size_t at = 0; at < log.size(); ++frames) {
    SCOPED_TRACE("frame " + std::to_string(frames));
    const std::size_t end = log.find("\r\n", at);
    ASSERT_NE(end, std::string::npos);
    const CFrameData frame = MakeFrame(log.substr(at, end + 2 - at), instrument);
    EXPECT_EQ(Signed(instrument.GetSensor(0), frame, false), static_cast<double>(frames % 256));
    const double pressure = Real(instrument.GetSensor(1), frame);
    EXPECT_TRUE(pressure >= -0.2 && pressure <= 410.0) << pressure;
    const double temperature = Real(instrument.GetSensor(2), frame);
    EXPECT_TRUE(temperature >= -2.0 && temperature <= 8.0) << temperature;
    const double conductivity = Signed(instrument.GetSensor(3), frame, true);
    EXPECT_TRUE(conductivity >= 25.0 && conductivity <= 35.0) << conductivity;
    std::string motion;
    EXPECT_EQ(instrument.GetSensor(4)->ExtractString(&motion, &frame), 0);
    EXPECT_TRUE(motion == "DOWN" || motion == "UP" || motion == "HOLD") << motion;
    at = end + 2;
  }
  EXPECT_GT(frames, 250u);
}

TEST(ExampleInstrumentsTest, TheCommittedLogsAreWhatTheScriptMakes) {
  apptest::TempFolder folder;
  // The same generator calls as make_examples.sh, into a scratch folder.
  const struct {
    const char* kind;
    const char* size;
    const char* log;
  } logs[] = {{"fixed", "0.0064", "binary_cast.raw"}, {"ascii", "0.0105", "ascii_cast.raw"}};
  for (const auto& log : logs) {
    SCOPED_TRACE(log.log);
    const std::string committed = apptest::ReadFile(kExamples + "/" + log.log);
    EXPECT_GT(committed.size(), 6000u);
    EXPECT_EQ(GenerateLog(folder, log.kind, log.size, log.log, "--garbage --seed 2"), committed);
  }
}

}  // namespace

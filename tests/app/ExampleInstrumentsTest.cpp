// The example instruments must describe exactly the frames the log
// generator writes, and the committed example logs must be what
// make_examples.sh makes, or the benchmarks and the documentation would
// measure and describe something else.
#include <string>
#include <vector>

#include <sys/wait.h>

#include <gtest/gtest.h>

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
    const std::string out = folder / log.log;
    const std::string command = std::string("'") + BRIVEN_GENERATE_LOG + "' " + log.kind + " " + log.size + " '" +
                                out + "' --garbage --seed 2 >/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const std::string committed = apptest::ReadFile(kExamples + "/" + log.log);
    EXPECT_GT(committed.size(), 6000u);
    EXPECT_EQ(apptest::ReadFile(out), committed);
  }
}

}  // namespace

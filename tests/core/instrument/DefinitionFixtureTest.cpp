// Whole definition files from tests/data/instrument, read and then used on
// a frame as the conversion does: read raw, then fit.
#include <string>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/instrument/FrameData.h"
#include "core/instrument/Instrument.h"

namespace {

using instrument_test::MakeFrame;

std::string Fixture(const char* name) { return std::string(BRIVEN_TEST_DATA) + "/instrument/" + name; }

double FittedUnsigned(CSensor* sensor, const CFrameData& frame) {
  std::uint32_t raw = 0;
  double value = 0;
  EXPECT_EQ(sensor->ExtractUnsigned(&raw, &frame), 0) << sensor->GetType();
  EXPECT_EQ(sensor->ApplyFit(&value, raw), 0) << sensor->GetType();
  return value;
}

TEST(DefinitionFixture, FixedFrameRadiometer) {
  CInstrument radx;
  ASSERT_EQ(radx.LoadInstrumentFile(Fixture("RADX0123.cal")), 0) << radx.GetLoadReport();
  EXPECT_EQ(radx.GetErrorCount(), 0);
  EXPECT_EQ(radx.GetHeader(), "RADX0123");
  EXPECT_EQ(radx.GetFrameSize(), 23u);
  EXPECT_EQ(radx.GetLinesRead(), 17);
  ASSERT_EQ(radx.GetSensorCount(), 7);

  const std::string bytes = std::string("RADX0123\x07\x00\x40\x01\x2C\x04\x01\x41\xC8\x00\x00\xFF\xFF\x9C\xAA", 23);
  const CFrameData frame = MakeFrame(bytes, "RADX0123", 23);
  EXPECT_EQ(FittedUnsigned(radx.GetSensor(0), frame), 7);
  EXPECT_NEAR(FittedUnsigned(radx.GetSensor(2), frame), 100.0, 1e-9);  // OPTIC3 at 0.064 s
  EXPECT_NEAR(FittedUnsigned(radx.GetSensor(3), frame), 256.0, 1e-9);  // OPTIC1, gain range 1

  double raw = 0;
  double value = 0;
  ASSERT_EQ(radx.GetSensor(4)->ExtractReal(&raw, &frame), 0);
  ASSERT_EQ(radx.GetSensor(4)->ApplyFit(&value, raw), 0);
  EXPECT_NEAR(value, 11.0, 1e-9);

  std::int32_t pressure = 0;
  ASSERT_EQ(radx.GetSensor(5)->ExtractSigned(&pressure, &frame), 0);
  EXPECT_EQ(pressure, -100);
  EXPECT_EQ(radx.FindSensor("CHECK", -1), 6);
}

TEST(DefinitionFixture, VariableFrameProfiler) {
  CInstrument satx;
  ASSERT_EQ(satx.LoadInstrumentFile(Fixture("SATX0001.tdf")), 0) << satx.GetLoadReport();
  EXPECT_EQ(satx.GetErrorCount(), 0);
  ASSERT_EQ(satx.GetSensorCount(), 3);
  const CFrameData frame = MakeFrame("SATX0001,86400,21.5,4064\r\n", "SATX0001", 0, "\r\n");

  std::uint32_t seconds = 0;
  std::string time;
  ASSERT_EQ(satx.GetSensor(0)->ExtractUnsigned(&seconds, &frame), 0);
  ASSERT_EQ(satx.GetSensor(0)->FormatTimeFit(&time, seconds), 0);
  EXPECT_EQ(time, "70-01-02 00.00.00");

  double raw = 0;
  ASSERT_EQ(satx.GetSensor(1)->ExtractReal(&raw, &frame), 0);
  EXPECT_EQ(raw, 21.5);
  EXPECT_NEAR(FittedUnsigned(satx.GetSensor(2), frame), -50.0, 1e-9);  // HS 4064 is -100
}

}  // namespace

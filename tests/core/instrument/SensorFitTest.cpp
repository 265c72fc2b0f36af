#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/instrument/FrameData.h"
#include "core/instrument/ResultCodes.h"
#include "core/instrument/Sensor.h"

namespace {

using namespace instrument;
using instrument_test::Definition;
using instrument_test::MakeFrame;

using CoefficientLines = std::vector<std::vector<double>>;

void AddLines(CSensor& sensor, const CoefficientLines& lines) {
  for (const auto& line : lines) {
    sensor.StartCoefficientLine();
    for (double c : line) sensor.AddCoefficient(c);
  }
}

enum class Raw { kUnsigned, kSigned, kReal };

struct FitCase {
  const char* name;
  int fit;
  int data_type;
  CoefficientLines lines;
  bool immersed;
  Raw form;
  double raw;
  int result;
  double value;
};

class CalibrationFit : public ::testing::TestWithParam<FitCase> {};

TEST_P(CalibrationFit, GivesTheHandComputedValue) {
  const FitCase& c = GetParam();
  CSensor sensor(Definition(c.data_type, 0, 2, c.fit));
  AddLines(sensor, c.lines);
  sensor.SetImmersed(c.immersed ? 1 : 0);
  double value = -999;
  int result = -1;
  switch (c.form) {
    case Raw::kUnsigned:
      result = sensor.ApplyFit(&value, static_cast<std::uint32_t>(c.raw));
      break;
    case Raw::kSigned:
      result = sensor.ApplyFit(&value, static_cast<std::int32_t>(c.raw));
      break;
    case Raw::kReal:
      result = sensor.ApplyFit(&value, c.raw);
      break;
  }
  EXPECT_EQ(result, c.result) << std::hex << result;
  if (c.result == kResultOk) {
    EXPECT_NEAR(value, c.value, 1e-9);
  }
}

const CoefficientLines kOptic1 = {{10, 2, 1.5}, {100, 0.5, 1.2}};
const CoefficientLines kOptic2 = {{100, 0.5, 1.2}};

INSTANTIATE_TEST_SUITE_P(
    Fits, CalibrationFit,
    ::testing::Values(
        FitCase{"CountUnsigned", kFitCount, kDataBU, {}, false, Raw::kUnsigned, 4294967295.0, 0, 4294967295.0},
        FitCase{"CountSigned", kFitCount, kDataBS, {}, false, Raw::kSigned, -5, 0, -5},
        FitCase{"CountOfNegativeHs", kFitCount, kDataHS, {}, false, Raw::kUnsigned, 4294967295.0, 0, -1},
        FitCase{"Optic1GainBitsPickLine1", kFitOptic1, kDataBU, kOptic1, false, Raw::kUnsigned, 0x1235, 0, 2280},
        FitCase{"Optic1ImmersedUsesItsLine", kFitOptic1, kDataBU, kOptic1, true, Raw::kUnsigned, 0x1235, 0, 2736},
        FitCase{"Optic1Line0", kFitOptic1, kDataBU, kOptic1, false, Raw::kUnsigned, 0x1234, 0, 9300},
        FitCase{"Optic1GainWithoutLine", kFitOptic1, kDataBU, kOptic1, false, Raw::kUnsigned, 0x1237,
                kValueGainRangeMissing, 0},
        FitCase{"Optic1SignedNegative", kFitOptic1, kDataBS, kOptic1, false, Raw::kSigned, -7, 0, -54},
        FitCase{"Optic1RealHasNoFormula", kFitOptic1, kDataAF, kOptic1, false, Raw::kReal, 5, kValueNone, 0},
        FitCase{"Optic2", kFitOptic2, kDataBU, kOptic2, false, Raw::kUnsigned, 300, 0, 100},
        FitCase{"Optic2Immersed", kFitOptic2, kDataBU, kOptic2, true, Raw::kUnsigned, 300, 0, 120},
        FitCase{"Optic2NegativeHs", kFitOptic2, kDataHS, kOptic2, false, Raw::kUnsigned, 4294967295.0, 0, -50.5},
        FitCase{"PolyU", kFitPolyU, kDataAF, {{1, 2, 3}}, false, Raw::kReal, 2, 0, 17},
        FitCase{"PolyUWithoutCoefficients", kFitPolyU, kDataAF, {}, false, Raw::kReal, 2, 0, 0},
        FitCase{"PolyF", kFitPolyF, kDataAI, {{2, 1, 3}}, false, Raw::kSigned, 5, 0, 16},
        FitCase{"PolyFOneCoefficient", kFitPolyF, kDataAI, {{2.5}}, false, Raw::kSigned, 5, 0, 2.5},
        FitCase{"Pow10", kFitPow10, kDataBU, {{1, 2, 0.5}}, false, Raw::kUnsigned, 5, 0, 100},
        FitCase{"Pow10Immersed", kFitPow10, kDataBU, {{1, 2, 0.5}}, true, Raw::kUnsigned, 5, 0, 50},
        FitCase{"Pow10ZeroDivisor", kFitPow10, kDataBU, {{0, 0}}, false, Raw::kUnsigned, 0, kValueNotFinite, 0},
        FitCase{"Therm1HasNoFormula", kFitTherm1, kDataBU, {{1}}, false, Raw::kUnsigned, 5, kValueNone, 0},
        FitCase{"NoneHasNoValue", kFitNone, kDataBU, {}, false, Raw::kUnsigned, 5, kValueNone, 0},
        FitCase{"TimeFitIsNoCalibration", kFitTime2, kDataBU, {}, false, Raw::kUnsigned, 5, kValueNone, 0},
        FitCase{"MissingCoefficientCountsAsZero", kFitOptic2, kDataBU, {{100}}, false, Raw::kUnsigned, 300, 0, 0}),
    [](const ::testing::TestParamInfo<FitCase>& info) { return std::string(info.param.name); });

// OPTIC3 scales by the fitted value of its INTTIME sensor, read from the
// same frame: here byte 0, fitted as raw * 0.001 seconds.
class Optic3Fit : public ::testing::Test {
 protected:
  Optic3Fit() : inttime_(Definition(kDataBU, 0, 1, kFitPolyU)) {
    AddLines(inttime_, {{0, 0.001}});
    SensorDefinition def = Definition(kDataBU, 1, 2, kFitOptic3);
    def.integration_time_sensor = &inttime_;
    optic3_ = std::make_unique<CSensor>(def);
    AddLines(*optic3_, {{100, 0.5, 1.2, 0.064}});
  }

  int ReadAndFit(const std::string& bytes, int fixed_size, double& value) {
    const CFrameData frame = MakeFrame(bytes, "", fixed_size);
    std::uint32_t raw = 0;
    if (const int result = optic3_->ExtractUnsigned(&raw, &frame); result != kResultOk) return result;
    return optic3_->ApplyFit(&value, raw);
  }

  CSensor inttime_;
  std::unique_ptr<CSensor> optic3_;
};

TEST_F(Optic3Fit, ScalesByTheIntegrationTime) {
  double value = 0;
  ASSERT_EQ(ReadAndFit(std::string("\x40\x01\x2C", 3), -1, value), 0);  // t = 0.064 s, raw 300
  EXPECT_NEAR(optic3_->GetIntegrationTime(), 0.064, 1e-12);
  EXPECT_NEAR(value, 100.0, 1e-9);
  ASSERT_EQ(ReadAndFit(std::string("\x20\x01\x2C", 3), -1, value), 0);  // half the time, twice the value
  EXPECT_NEAR(value, 200.0, 1e-9);
  optic3_->SetImmersed(1);
  ASSERT_EQ(ReadAndFit(std::string("\x20\x01\x2C", 3), -1, value), 0);
  EXPECT_NEAR(value, 240.0, 1e-9);
}

TEST_F(Optic3Fit, FailuresOfTheIntegrationTimeBecomeTheResult) {
  double value = 0;
  EXPECT_EQ(ReadAndFit(std::string("\x00\x01\x2C", 3), -1, value), kValueNotFinite);  // t = 0

  // The INTTIME field lies past this frame's end.
  SensorDefinition far = Definition(kDataBU, 0, 1, kFitOptic3);
  CSensor late_inttime(Definition(kDataBU, 5, 1, kFitPolyU));
  far.integration_time_sensor = &late_inttime;
  CSensor optic3(far);
  AddLines(optic3, {{100, 0.5, 1.2, 0.064}});
  const CFrameData frame = MakeFrame("\x01");
  std::uint32_t raw = 0;
  ASSERT_EQ(optic3.ExtractUnsigned(&raw, &frame), 0);
  EXPECT_EQ(optic3.ApplyFit(&value, raw), kValueFieldPastFrame);

  CSensor unlinked(Definition(kDataBU, 0, 1, kFitOptic3));
  EXPECT_EQ(unlinked.ApplyFit(&value, 5u), kValueNoIntegrationTime);
  EXPECT_EQ(unlinked.ReadIntegrationTime(&frame), kValueNoIntegrationTime);
}

struct TimeCase {
  const char* name;
  int fit;
  int data_type;
  Raw form;
  double raw;
  int result;
  std::string text;
};

class TimeFit : public ::testing::TestWithParam<TimeCase> {};

TEST_P(TimeFit, FormatsTheRawValueOrRefusesIt) {
  const TimeCase& c = GetParam();
  CSensor sensor(Definition(c.data_type, 0, 4, c.fit));
  std::string text = "unchanged";
  int result = -1;
  switch (c.form) {
    case Raw::kUnsigned:
      result = sensor.FormatTimeFit(&text, static_cast<std::uint32_t>(c.raw));
      break;
    case Raw::kSigned:
      result = sensor.FormatTimeFit(&text, static_cast<std::int32_t>(c.raw));
      break;
    case Raw::kReal:
      result = sensor.FormatTimeFit(&text, c.raw);
      break;
  }
  EXPECT_EQ(result, c.result) << std::hex << result;
  EXPECT_EQ(text, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Fits, TimeFit,
    ::testing::Values(
        TimeCase{"Ddmmyy", kFitDdmmyy, kDataAI, Raw::kSigned, 10899, 0, "01/08/99"},
        TimeCase{"DdmmyyUnsigned", kFitDdmmyy, kDataBU, Raw::kUnsigned, 311299, 0, "31/12/99"},
        TimeCase{"DdmmyyTooManyDigits", kFitDdmmyy, kDataAI, Raw::kSigned, 1000000, kValueNotANumber, ""},
        TimeCase{"DdmmyyNegative", kFitDdmmyy, kDataAI, Raw::kSigned, -5, kValueNotANumber, ""},
        TimeCase{"Time2Epoch", kFitTime2, kDataBU, Raw::kUnsigned, 0, 0, "70-01-01 00.00.00"},
        TimeCase{"Time2LargestUnsigned", kFitTime2, kDataBU, Raw::kUnsigned, 4294967295.0, 0, "06-02-07 06.28.15"},
        TimeCase{"Time2RealDropsSignAndFraction", kFitTime2, kDataAF, Raw::kReal, -86400.7, 0, "70-01-02 00.00.00"},
        TimeCase{"Time2NegativeSigned", kFitTime2, kDataAI, Raw::kSigned, -1, kValueNotANumber, ""},
        TimeCase{"Time2Huge", kFitTime2, kDataAF, Raw::kReal, 1e300, kValueNotANumber, ""},
        TimeCase{"Time2NaN", kFitTime2, kDataAF, Raw::kReal, std::nan(""), kValueNotFinite, ""},
        TimeCase{"Ddmm", kFitDdmm, kDataAF, Raw::kReal, 4530.25, 0, "45 30.250'"},
        TimeCase{"DdmmDropsTheSign", kFitDdmm, kDataAF, Raw::kReal, -12007.5, 0, "120 7.500'"},
        TimeCase{"DdmmHuge", kFitDdmm, kDataAF, Raw::kReal, 1e12, kValueNotANumber, ""},
        TimeCase{"DdmmInfinite", kFitDdmm, kDataAF, Raw::kReal, INFINITY, kValueNotFinite, ""},
        TimeCase{"Hhmmss", kFitHhmmss, kDataAF, Raw::kReal, 5.5, 0, "00:00:05.50"},
        TimeCase{"HhmmssFull", kFitHhmmss, kDataAF, Raw::kReal, 123456.78, 0, "12:34:56.78"},
        TimeCase{"HhmmssTooLarge", kFitHhmmss, kDataAF, Raw::kReal, 999999.996, kValueNotANumber, ""},
        TimeCase{"DdmmHasNoIntegerForm", kFitDdmm, kDataAI, Raw::kSigned, 5, kValueNone, ""},
        TimeCase{"Time2OfNegativeHsIsRefused", kFitTime2, kDataHS, Raw::kUnsigned, 4294967295.0, kValueNotANumber, ""},
        TimeCase{"NotATimeFit", kFitCount, kDataAF, Raw::kReal, 5, kValueNone, ""}),
    [](const ::testing::TestParamInfo<TimeCase>& info) { return std::string(info.param.name); });

}  // namespace

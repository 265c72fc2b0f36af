// Finding sensors of known kinds by TYPE, ID, UNITS, data type and fit.
#include <gtest/gtest.h>

#include "tests/core/conversion/ConversionTestSupport.h"

namespace {

using conversion_test::InstrumentDoc;

constexpr const char kHeader[] = "INSTRUMENT KIND '' 4 AS 0 NONE\n";

TEST(SensorKindsTest, TheLowerIndexOfTheTwoFrameCounterSpellingsWins) {
  InstrumentDoc doc(std::string(kHeader) +
                    "FRAME COUNTER '' 2 BU 0 COUNT\n"  // 0: two bytes, no counter
                    "X NONE '' 1 BU 0 COUNT\n"
                    "X NONE '' 1 BU 0 COUNT\n"
                    "FRAMECOUNTER NONE '' 1 BU 0 COUNT\n"  // 3
                    "X NONE '' 1 BU 0 COUNT\n"
                    "FRAME COUNTER '' 1 BU 0 COUNT\n");  // 5
  EXPECT_EQ(doc.FindFrameCounterSensor(0), 3);
}

TEST(SensorKindsTest, CheckSumsAndTimeFields) {
  InstrumentDoc doc(std::string(kHeader) +
                    "CHECK SUM '' 1 BU 0 NONE\n"    // 0: no COUNT fit
                    "CHECK sum '' 1 BU 0 COUNT\n"   // 1
                    "NMEA_CHECKSUM NONE '' 2 HU 0 COUNT\n"  // 2
                    "ISO8601 NONE '' 23 AS 0 COUNT\n"       // 3
                    "TIMER NONE 'sec' 4 BU 0 COUNT\n");     // 4
  EXPECT_EQ(doc.FindCheckSumSensor(0), 1);
  EXPECT_EQ(doc.FindNmeaCheckSumSensor(0), 2);
  EXPECT_EQ(doc.FindIso8601Sensor(0), 3);
  EXPECT_EQ(doc.FindTimerSensor(0), 4);
  EXPECT_EQ(doc.FindFrameCounterSensor(0), -1);
}

TEST(SensorKindsTest, RadianceNear490AndIrradiance) {
  const char* optic = " 2 BU 1 OPTIC2\n1 2 3\n";
  InstrumentDoc doc(std::string(kHeader) + "LU 487.99 'uW/cm^2/nm/sr'" + optic + "LU 492.01 'uW/cm^2/nm/sr'" + optic +
                    "LU 490.5 'uW/cm^2/nm'" + optic +     // 2: wrong units for LU
                    "LU 490.5 'uW/cm^2/nm/sr'" + optic +  // 3
                    "ES 490 'uW/cm^2/nm'" + optic +       // 4
                    "ED 412 'uW/cm^2/nm'" + optic);       // 5
  ASSERT_EQ(doc.Instrument().GetSensorCount(), 6) << doc.Instrument().GetLoadReport();
  EXPECT_EQ(doc.FindRadiance490Sensor(0, "lu"), 3);
  EXPECT_EQ(doc.FindRadiance490Sensor(0, "ES"), 4);
  EXPECT_EQ(doc.FindIrradianceSensor(0, 0), 4);
  EXPECT_EQ(doc.FindIrradianceSensor(0, 1), 5);
}

TEST(SensorKindsTest, PhysicalSensorsByUnitsAndFit) {
  InstrumentDoc doc(std::string(kHeader) +
                    "PRES NONE 'psi' 2 BU 1 POLYU\n0 1\n"       // 0
                    "PRES NONE 'DBAR' 2 BU 1 POLYU\n0 1\n"      // 1
                    "T W 'c' 2 BU 1 POLYU\n0 1\n"               // 2
                    "COND NONE 'mmho/cm' 2 BU 0 COUNT\n"        // 3
                    "NITRATE NONE 'uM' 2 BU 1 POLYU\n0 1\n"     // 4
                    "PAR NONE 'x' 2 BU 0 COUNT\n"               // 5
                    "PAR NONE 'x' 2 BU 1 POLYU\n0 1\n"          // 6
                    "TILT X 'deg' 2 BU 0 COUNT\n"               // 7
                    "CDOM NONE 'PPB/L' 2 BU 0 COUNT\n");        // 8
  ASSERT_EQ(doc.Instrument().GetSensorCount(), 9) << doc.Instrument().GetLoadReport();
  EXPECT_EQ(doc.FindPressureSensor(0), 1);
  EXPECT_EQ(doc.FindTemperatureSensor(0), 2);
  EXPECT_EQ(doc.FindConductivitySensor(0), 3);
  EXPECT_EQ(doc.FindNitrateSensor(0), 4);
  // Only the first PAR after the start is looked at.
  EXPECT_EQ(doc.FindParSensor(0, -1), -1);
  EXPECT_EQ(doc.FindParSensor(0, 5), 6);
  EXPECT_EQ(doc.FindTiltSensor(0, "x"), 7);
  EXPECT_EQ(doc.FindCdomSensor(0), 8);
  EXPECT_EQ(doc.FindStrainSensor(0), -1);
}

}  // namespace

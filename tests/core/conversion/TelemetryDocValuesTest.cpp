// Sensor field to text: number forms, hexadecimal with gain bits, empty
// variable fields, error texts and the frame's error flag.
#include <gtest/gtest.h>

#include "tests/core/conversion/ConversionTestSupport.h"

namespace {

using conversion_test::Format;
using conversion_test::InstrumentDoc;
using conversion_test::MakeFrame;

TEST(FormatDoubleTest, EveryFormKeepsThePointAndFollowsWidthAndPrecision) {
  struct Case {
    double value;
    CSensorFormat format;
    const char* expected;
  } cases[] = {
      {1.5, Format(0, 0, 0, -1, -1), "1.500000"},
      {1.5, Format(0, 0, 0, -1, 0), "2."},
      {1.5, Format(0, 0, 0, 8, 2), "    1.50"},
      {1.5, Format(0, 0, 0, 10, -1), "  1.500000"},
      {1234.5, Format(1, 0, 0, -1, 2), "1.23e+03"},
      {1234.5, Format(1, 0, 0, -1, -1), "1.234500e+03"},
      {2.0, Format(2, 0, 0, -1, 3), "2.00"},
      {2.0, Format(7, 0, 0, 6, -1), "2.00000"},
  };
  for (const Case& c : cases) EXPECT_EQ(CQelTelemetryDoc::FormatDouble(c.value, c.format), c.expected) << c.expected;
}

TEST(FormatSensorErrorTest, KnownCodesHaveTheirNumberAndAllOthersAreErrorZero) {
  CQelTelemetryDoc doc;
  EXPECT_EQ(doc.FormatSensorError(0x20000001), "Error 1");
  EXPECT_EQ(doc.FormatSensorError(0x20000008), "Error 8");
  EXPECT_EQ(doc.FormatSensorError(0x20000009), "Error 0");
  EXPECT_EQ(doc.FormatSensorError(0), "Error 0");
  EXPECT_EQ(doc.FormatSensorError(0x30000001), "Error 0");
}

constexpr const char kBinary[] =
    "INSTRUMENT TEST '' 4 AS 0 NONE\n"
    "ES 412 'uW' 2 BU 1 OPTIC1\n"
    "1 2 3\n"
    "SIGNED NONE '' 1 BS 0 COUNT\n"
    "WORD NONE '' 2 BSLE 0 COUNT\n"
    "HEX NONE '' 2 HS 0 COUNT\n"
    "PRES NONE 'dbar' 2 BU 1 POLYU\n"
    "-10.0 0.01\n";

TEST(FormatSensorValueTest, BinaryFieldsRawHexAndFitted) {
  InstrumentDoc doc(kBinary);
  ASSERT_EQ(doc.Instrument().GetSensorCount(), 5) << doc.Instrument().GetLoadReport();
  // OPTIC1 0x1235, signed byte 0xFE, little-endian 0xFFFF, HS digits "45" (sign bit set, 5),
  // PRES 1234.
  auto frame = MakeFrame(std::string("TEST") + "\x12\x35" + "\xFE" + "\xFF\xFF" + "45" + "\x04\xD2", 1);
  struct Case {
    int sensor;
    CSensorFormat format;
    const char* expected;
  } cases[] = {
      {0, Format(0, 0, 1, -1, -1), "1234:1"},
      {0, Format(0, 0, 1, 6, -1), "001234:1"},
      {0, Format(0, 0, 0, -1, -1), "4661"},
      {0, Format(0, 0, 0, 6, -1), "  4661"},
      {1, Format(0, 0, 0, -1, -1), "-2"},
      {1, Format(0, 0, 0, 4, -1), "  -2"},
      {2, Format(0, 0, 0, -1, -1), "-1"},
      {3, Format(0, 0, 0, -1, -1), "-5"},
      {4, Format(0, 1, 0, -1, 2), "2.34"},
      {4, Format(0, 0, 1, 6, -1), "0004D2"},
      {4, Format(0, 0, 0, -1, -1), "1234"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(doc.FormatSensorValue(doc.GetSensor(0, c.sensor), frame.get(), c.format), c.expected)
        << "sensor " << c.sensor << " expected " << c.expected;
  EXPECT_EQ(frame->GetErrorFlag(), 0);
}

TEST(FormatSensorValueTest, FieldPastTheFrameIsAnErrorTextThatMarksTheFrame) {
  InstrumentDoc doc(kBinary);
  auto frame = MakeFrame("TEST\x12", 1);  // too short for every field
  EXPECT_EQ(doc.FormatSensorValue(doc.GetSensor(0, 4), frame.get(), Format(0, 1, 0, 9, -1)), "  Error 2");
  EXPECT_NE(frame->GetErrorFlag(), 0);
}

TEST(FormatSensorValueTest, NoSensorIsErrorZero) {
  InstrumentDoc doc(kBinary);
  auto frame = MakeFrame("TEST", 1);
  EXPECT_EQ(doc.FormatSensorValue(nullptr, frame.get(), Format(0, 0, 0, -1, -1)), "Error 0");
}

constexpr const char kAscii[] =
    "VLF_INSTRUMENT ASCI '' 4 AS 0 NONE\n"
    "FIELD NONE ',' 1 AS 0 DELIMITER\n"
    "A NONE '' V AI 0 COUNT\n"
    "FIELD NONE ',' 1 AS 0 DELIMITER\n"
    "B NONE '' V AF 0 COUNT\n"
    "FIELD NONE ',' 1 AS 0 DELIMITER\n"
    "C NONE '' V AU 0 COUNT\n"
    "FIELD NONE ',' 1 AS 0 DELIMITER\n"
    "S NONE '' V AS 0 COUNT\n"
    "TERMINATOR NONE '\\x0D\\x0A' 2 AS 0 DELIMITER\n";

TEST(FormatSensorValueTest, EmptyVariableNumbersAreBlankButAnEmptyUnsignedFieldIsAnError) {
  InstrumentDoc doc(kAscii);
  ASSERT_EQ(doc.Instrument().GetSensorCount(), 4) << doc.Instrument().GetLoadReport();
  const int a = doc.FindSensor(0, "A", -1), b = doc.FindSensor(0, "B", -1), c = doc.FindSensor(0, "C", -1),
            s = doc.FindSensor(0, "S", -1);
  auto frame = MakeFrame("ASCI,,,,x\r\n", 1, "\r\n");
  const CSensorFormat plain = Format(0, 0, 0, -1, -1);
  EXPECT_EQ(doc.FormatSensorValue(doc.GetSensor(0, a), frame.get(), Format(0, 0, 0, 3, -1)), "   ");
  EXPECT_EQ(doc.FormatSensorValue(doc.GetSensor(0, b), frame.get(), plain), "");
  EXPECT_EQ(frame->GetErrorFlag(), 0);
  EXPECT_EQ(doc.FormatSensorValue(doc.GetSensor(0, c), frame.get(), plain), "Error 6");
  EXPECT_NE(frame->GetErrorFlag(), 0);
  auto good = MakeFrame("ASCI,-7,2.5,9,word\r\n", 2, "\r\n");
  EXPECT_EQ(doc.FormatSensorValue(doc.GetSensor(0, a), good.get(), plain), "-7");
  EXPECT_EQ(doc.FormatSensorValue(doc.GetSensor(0, b), good.get(), Format(0, 0, 0, -1, 1)), "2.5");
  EXPECT_EQ(doc.FormatSensorValue(doc.GetSensor(0, c), good.get(), Format(0, 0, 1, -1, -1)), "9");
  EXPECT_EQ(doc.FormatSensorValue(doc.GetSensor(0, s), good.get(), Format(0, 0, 0, 6, -1)), "  word");
  EXPECT_EQ(good->GetErrorFlag(), 0);
}

TEST(GetSensorValueTest, AppliesTheFitWhateverTheFormatAndRefusesText) {
  InstrumentDoc doc(kBinary);
  auto frame = MakeFrame(std::string("TEST") + "\x12\x35" + "\xFE" + "\xFF\xFF" + "45" + "\x04\xD2", 1);
  double value = 0;
  EXPECT_EQ(doc.GetSensorValue(&value, doc.GetSensor(0, 4), frame.get()), 0);
  EXPECT_NEAR(value, 2.34, 1e-9);
  InstrumentDoc ascii(kAscii);
  auto text = MakeFrame("ASCI,1,2,3,w\r\n", 1, "\r\n");
  EXPECT_EQ(ascii.GetSensorValue(&value, ascii.GetSensor(0, ascii.FindSensor(0, "S", -1)), text.get()), 0x20000001);
}

}  // namespace

// Definition files nobody should write: each must load or fail with its
// line errors, without a crash and without reading outside a frame.
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/instrument/FrameData.h"
#include "core/instrument/Instrument.h"
#include "core/instrument/ResultCodes.h"

namespace {

using namespace instrument;
using instrument_test::MakeFrame;
using instrument_test::TempFolder;

constexpr const char* kHeaderLines = "INSTRUMENT RADX '' 4 AS 0 NONE\n";

class HostileDefinition : public ::testing::Test {
 protected:
  int Load(const std::string& text) { return instrument_.LoadInstrumentFile(folder_.Write("hostile.cal", text)); }
  bool ReportHas(const std::string& part) const {
    return instrument_.GetLoadReport().find(part) != std::string::npos;
  }

  TempFolder folder_;
  CInstrument instrument_;
};

TEST_F(HostileDefinition, BinaryGarbageFailsCleanly) {
  std::mt19937 random(12345);
  std::string garbage(256 * 1024, '\0');
  for (char& c : garbage) c = static_cast<char>(random());
  const int result = Load(garbage);
  EXPECT_TRUE(result == kInstrumentTooManyBadLines || result == kInstrumentLineNotFound) << std::hex << result;
  EXPECT_FALSE(instrument_.GetLoadReport().empty());

  CInstrument after_header;
  const int second = after_header.LoadInstrumentFile(folder_.Write("after.cal", kHeaderLines + garbage));
  EXPECT_TRUE(second == kResultOk || second == kInstrumentTooManyBadLines) << std::hex << second;
}

TEST_F(HostileDefinition, AHundredThousandSensorLines) {
  std::string text = kHeaderLines;
  text += "INTTIME ES 'sec' 1 BU 1 POLYU\n0 0.001\n";
  for (int i = 0; i < 50000; ++i) text += "T NONE 'C' 2 BU 0 COUNT\nES 412 'uW' 2 BU 1 OPTIC3\n1 2 3 4\n";
  ASSERT_EQ(Load(text), 0);
  EXPECT_EQ(instrument_.GetSensorCount(), 100001);
  EXPECT_EQ(instrument_.GetFrameSize(), 4u + 1u + 200000u);
  EXPECT_EQ(instrument_.GetErrorCount(), 0);
  CSensor* last = instrument_.GetSensor(100000);
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->GetIntegrationTimeSensor(), instrument_.GetSensor(0));
  EXPECT_EQ(last->GetOffset(), 4u + 1u + 199998u);
}

TEST_F(HostileDefinition, TwentyThousandVariableFieldsShareOneLayout) {
  // Each variable field needs the whole delimiter string; held once per
  // field it would grow with the square of the field count.
  std::string text = "VLF_INSTRUMENT SATX '' 4 AS 0 NONE\n";
  constexpr int kFields = 20000;
  for (int i = 0; i < kFields; ++i) text += "FIELD NONE ',' 1 AS 0 DELIMITER\nF NONE 'C' V AI 0 COUNT\n";
  text += "TERMINATOR NONE '\\x0D\\x0A' 2 AS 0 DELIMITER\n";
  ASSERT_EQ(Load(text), 0);
  ASSERT_EQ(instrument_.GetSensorCount(), kFields);
  const CSensor* first = instrument_.GetSensor(0);
  const CSensor* last = instrument_.GetSensor(kFields - 1);
  EXPECT_EQ(first->GetFieldDelimiters().size(), static_cast<std::size_t>(kFields));
  EXPECT_EQ(first->GetFieldDelimiters().data(), last->GetFieldDelimiters().data());
  EXPECT_EQ(first->GetTerminator().data(), last->GetTerminator().data());
  EXPECT_EQ(last->GetVariableFieldIndex(), kFields - 1);

  std::string frame_text = "SATX";
  for (int i = 0; i < kFields; ++i) frame_text += "," + std::to_string(i);
  frame_text += "\r\n";
  const CFrameData frame = MakeFrame(frame_text, "SATX", 0, "\r\n");
  std::int32_t value = 0;
  ASSERT_EQ(instrument_.GetSensor(kFields - 1)->ExtractSigned(&value, &frame), 0);
  EXPECT_EQ(value, kFields - 1);
}

TEST_F(HostileDefinition, FourGigabyteFieldLengthsAreLineErrors) {
  std::string text = kHeaderLines;
  for (const char* length : {"4294967295", "4294967294", "4294967296", "-2", "99999999999999999999"}) {
    text += std::string("T NONE 'C' ") + length + " AS 0 COUNT\n";
  }
  text += "T NONE 'C' 1048577 AS 0 COUNT\n";
  for (int i = 0; i < 20; ++i) text += "BIG NONE 'C' 1048576 AS 0 COUNT\n";
  ASSERT_EQ(Load(text), 0);
  EXPECT_LE(instrument_.GetFrameSize(), CInstrument::kMaxFrameSize);
  EXPECT_EQ(instrument_.GetSensorCount(), 15);  // the frame is full after 15 of them
  EXPECT_EQ(instrument_.GetErrorCount(), 6 + 5);

  // A loaded long field over a short frame is refused, not read.
  CSensor* big = instrument_.GetSensor(14);
  const CFrameData frame = MakeFrame("RADXshort");
  std::string text_value;
  EXPECT_EQ(big->ExtractString(&text_value, &frame), kValueFieldPastFrame);
}

TEST_F(HostileDefinition, MissingQuotesLeaveTheUnitsEmpty) {
  ASSERT_EQ(Load(std::string(kHeaderLines) + "A NONE ' 1 BU 0 COUNT\nB NONE 'x'y' 1 BU 0 COUNT\nC NONE x' 1 BU 0 COUNT\n"),
            0);
  ASSERT_EQ(instrument_.GetSensorCount(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(instrument_.GetSensor(i)->GetUnits(), "");
  EXPECT_EQ(instrument_.GetErrorCount(), 3);
}

TEST_F(HostileDefinition, OneMegabyteLines) {
  const std::string long_token(1 << 20, 'A');
  std::string coefficients;
  for (int i = 0; i < 1 << 19; ++i) coefficients += "1 ";
  std::string text = kHeaderLines;
  text += long_token + "\n";                                   // one token
  text += std::string(1 << 20, ' ') + "T NONE 'C' 1 BU 0 COUNT\n";  // leading blanks
  text += "P NONE 'C' 1 BU 1 POLYU\n" + coefficients + "\n";
  text += "Q NONE 'C' 1 BU 0 COUNT #" + long_token + "\n";
  ASSERT_EQ(Load(text), 0);
  ASSERT_EQ(instrument_.GetSensorCount(), 3);
  EXPECT_EQ(instrument_.GetSensor(1)->GetCoefficientCount(), 1 << 19);
  EXPECT_EQ(instrument_.GetErrorCount(), 1);
}

TEST_F(HostileDefinition, ZeroBytesAndLoneCarriageReturnsStayInsideTheirLine) {
  std::string text = kHeaderLines;
  text += std::string("T NONE 'C' 1 BU 0 COUNT\0junk\n", 29);
  text += "A NONE 'C' 1 BU 0 COUNT\rB NONE 'C' 1 BU 0 COUNT\r\n";
  ASSERT_EQ(Load(text), 0);
  EXPECT_EQ(instrument_.GetSensorCount(), 0);
  EXPECT_TRUE(ReportHas("\tLine 2: The fit type parameter is invalid.\r\n"));
  EXPECT_TRUE(ReportHas("\tLine 3: Unexpected sensor definition line format.\r\n"
                        "\t\t> Extra sensor definition line parameters ignored.\r\n"
                        "\tLine 3: The fit type parameter is invalid.\r\n"));
}

}  // namespace

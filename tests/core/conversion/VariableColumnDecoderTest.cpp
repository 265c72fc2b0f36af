// The variable-length column decoder against the sensor's own path: on
// every field text, whatever it prints is byte for byte what the sensor
// prints, and whatever it cannot print the same way (errors, empty and
// missing fields, escapes, forms it leaves out) it leaves alone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/conversion/ColumnDecoder.h"
#include "core/conversion/SensorFormat.h"
#include "core/conversion/VariableColumnDecoder.h"
#include "core/conversion/VariableFieldRow.h"
#include "tests/core/conversion/ConversionTestSupport.h"

namespace {

using conversion_test::Format;
using conversion_test::InstrumentDoc;
using conversion_test::MakeFrame;

constexpr int kFields = 9;
constexpr const char kDefinition[] =
    "VLF_INSTRUMENT ASCI '' 4 AS 0 NONE\n"
    "FIELD NONE ',' 1 AS 0 DELIMITER\n"
    "COUNT NONE '' V AI 0 COUNT\n"
    "FIELD NONE ',' 1 AS 0 DELIMITER\n"
    "PRES NONE 'dbar' V AF 1 POLYU\n"
    "-0.12 1.0\n"
    "FIELD NONE ',' 1 AS 0 DELIMITER\n"
    "COND NONE '' V AI 1 POLYU\n"
    "0.0 0.001\n"
    "FIELD NONE ',' 1 AS 0 DELIMITER\n"
    "RAW NONE '' V AF 0 COUNT\n"
    "FIELD NONE ',' 1 AS 0 DELIMITER\n"
    "UNS NONE '' V AU 0 COUNT\n"
    "FIELD NONE ',' 1 AS 0 DELIMITER\n"
    "UFIT NONE '' V AU 1 POLYF\n"
    "2.0 3.0\n"
    "FIELD NONE ',' 1 AS 0 DELIMITER\n"
    "PW NONE '' V AF 1 POW10\n"
    "1.0 4.0\n"
    "FIELD NONE ',' 1 AS 0 DELIMITER\n"
    "ES 412 '' V AI 1 OPTIC1\n"
    "1 2 3\n"
    "FIELD NONE ',' 1 AS 0 DELIMITER\n"
    "MOTION NONE '' V AS 0 COUNT\n"
    "TERMINATOR NONE '\\x0D\\x0A' 2 AS 0 DELIMITER\n";

// A frame with the same text in every field.
std::string FrameOf(const std::string& text) {
  std::string frame = "ASCI";
  for (int i = 0; i < kFields; ++i) frame += "," + text;
  return frame + "\r\n";
}

class VariableColumnDecoderTest : public ::testing::Test {
 protected:
  VariableColumnDecoderTest() : doc_(kDefinition) {}

  // Every sensor on the frame in the given form: the decoder prints the
  // sensor's text or nothing; returns the types of the sensors it printed.
  std::vector<std::string> ExpectSameText(const std::string& bytes, const CSensorFormat& format,
                                          bool suppress = false) {
    auto frame = MakeFrame(bytes, 1, "\r\n");
    instrument::VariableFieldIndex index;
    CVariableFieldRow row(*frame, index);
    std::vector<std::string> printed;
    for (int i = 0; i < doc_.GetInstrumentSensorCount(0); ++i) {
      CSensor* sensor = doc_.GetSensor(0, i);
      const CVariableColumnDecoder decoder(*sensor, format, suppress);
      char place[CColumnDecoder::kLongestText];
      const char* end = decoder.Write(place, row, format.m_nPrecision);
      if (end == nullptr) continue;
      EXPECT_EQ(std::string(static_cast<const char*>(place), end), doc_.FormatSensorValue(sensor, frame.get(), format))
          << sensor->GetType() << " on \"" << bytes << '"';
      printed.push_back(sensor->GetType());
    }
    EXPECT_EQ(frame->GetErrorFlag(), 0) << "the sensor's path found an error the decoder printed";
    return printed;
  }

  InstrumentDoc doc_;
};

TEST_F(VariableColumnDecoderTest, PrintsWhatTheSensorPrintsOnEveryFieldText) {
  ASSERT_EQ(doc_.GetInstrumentSensorCount(0), kFields) << doc_.Instrument().GetLoadReport();
  const char* const texts[] = {
      "0", "-0", "+0", "7", "-7", "+7", "30", "32083", "6.990", "-6.990", "+5.3847", "-0.000", "5.", ".5", "-.5",
      "00012.5000", "1e5", "1E-3", "-2.5e+2", "1e", "1.5e-3x", "12abc", " 7", "\t-7", "  6.5", "2147483647",
      "2147483646", "-2147483648", "-2147483647", "4294967295", "4294967294", "99999999999", "-99999999999",
      "123456789012345678901234567890", "3.14159265358979323846264338327950288", "9007199254740993",
      "0.1000000000000000055511151231257827021181583404541015625", "1e400", "1e-400", "inf", "nan", "0x1F",
      "+-1", "-", ".", "", "DOWN", "UP", "HOLD", "a^41b", "x\ny",
  };
  const CSensorFormat formats[] = {Format(0, 1, 0, -1, 10), Format(0, 0, 0, -1, 10), Format(0, 1, 0, -1, 3),
                                   Format(0, 0, 0, -1, 1)};
  for (const char* text : texts) {
    for (const CSensorFormat& format : formats) ExpectSameText(FrameOf(text), format);
  }
}

TEST_F(VariableColumnDecoderTest, CoversTheUsualColumnsAndLeavesTheRest) {
  const CSensorFormat fitted = Format(0, 1, 0, -1, 10);
  // OPTIC1 splits a gain off its raw value: the sensor's path prints it.
  const std::vector<std::string> numbers = {"COUNT", "PRES", "COND", "RAW", "UNS", "UFIT", "PW", "MOTION"};
  EXPECT_EQ(ExpectSameText(FrameOf("30"), fitted), numbers);
  // Not numbers: only the text column is printed here; the sensor's path
  // prints the errors.
  EXPECT_EQ(ExpectSameText(FrameOf("DOWN"), fitted), std::vector<std::string>{"MOTION"});
  // Empty number fields, escapes and line ends are the sensor's to print;
  // an empty text is a text.
  EXPECT_EQ(ExpectSameText(FrameOf(""), fitted), std::vector<std::string>{"MOTION"});
  for (const char* text : {"a^41b", "x\ny"}) EXPECT_TRUE(ExpectSameText(FrameOf(text), fitted).empty()) << text;
  // A frame that stops early has no later fields.
  EXPECT_EQ(ExpectSameText("ASCI,30,6.990\r\n", fitted), (std::vector<std::string>{"COUNT", "PRES"}));
  // Suppressed texts print as empty columns, which the formatter writes.
  EXPECT_EQ(ExpectSameText(FrameOf("30"), fitted, true).size(), numbers.size() - 1);
  // Hexadecimal raw counts are the sensor's; raw reals print here.
  EXPECT_EQ(ExpectSameText(FrameOf("30"), Format(0, 0, 1, -1, 10)),
            (std::vector<std::string>{"PRES", "RAW", "PW", "MOTION"}));
}

TEST_F(VariableColumnDecoderTest, ATextLongerThanANumberIsLeftToTheSensor) {
  const std::string longest(CColumnDecoder::kLongestText, 'w');
  const CSensorFormat fitted = Format(0, 1, 0, -1, 10);
  EXPECT_EQ(ExpectSameText("ASCI,,,,,,,,," + longest + "\r\n", fitted), std::vector<std::string>{"MOTION"});
  EXPECT_TRUE(ExpectSameText("ASCI,,,,,,,,," + longest + "w\r\n", fitted).empty());
}

}  // namespace

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
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

struct Reading {
  int result = -1;
  double number = 0.0;
  std::string text;
};

// Reads a sensor through the reader its data type belongs to, as value
// formatting does.
Reading Read(CSensor& sensor, const CFrameData* frame) {
  Reading out;
  if (sensor.IsUnsignedKind()) {
    std::uint32_t v = 0;
    out.result = sensor.ExtractUnsigned(&v, frame);
    out.number = sensor.HasSignedRawValue() ? static_cast<double>(static_cast<std::int32_t>(v)) : v;
  } else if (sensor.IsSignedKind()) {
    std::int32_t v = 0;
    out.result = sensor.ExtractSigned(&v, frame);
    out.number = v;
  } else if (sensor.IsRealKind()) {
    out.result = sensor.ExtractReal(&out.number, frame);
  } else {
    out.result = sensor.ExtractString(&out.text, frame);
  }
  return out;
}

struct FixedCase {
  const char* name;
  int data_type;
  std::string frame;
  unsigned offset;
  unsigned length;
  int result;
  double number;
  std::string text;
};

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out.push_back(static_cast<char>(v));
  return out;
}

class FixedFieldExtraction : public ::testing::TestWithParam<FixedCase> {};

TEST_P(FixedFieldExtraction, ReadsTheFieldByItsDataType) {
  const FixedCase& c = GetParam();
  CSensor sensor(Definition(c.data_type, c.offset, c.length));
  const CFrameData frame = MakeFrame(c.frame);
  const Reading got = Read(sensor, &frame);
  EXPECT_EQ(got.result, c.result) << std::hex << got.result;
  EXPECT_EQ(got.number, c.number);
  EXPECT_EQ(got.text, c.text);
}

const std::string kFF = Bytes({0xFF});
const std::string kText("\0\0" "12\0" "9", 6);

INSTANTIATE_TEST_SUITE_P(
    AllDataTypes, FixedFieldExtraction,
    ::testing::Values(
        FixedCase{"BU1", kDataBU, Bytes({0xFE}), 0, 1, 0, 254, ""},
        FixedCase{"BU2", kDataBU, Bytes({0xFF, 0xFE}), 0, 2, 0, 65534, ""},
        FixedCase{"BU3AtOffset", kDataBU, Bytes({9, 1, 2, 3}), 1, 3, 0, 0x010203, ""},
        FixedCase{"BU4", kDataBU, Bytes({0xFF, 0xFF, 0xFF, 0xFF}), 0, 4, 0, 4294967295.0, ""},
        FixedCase{"BU8KeepsLow32Bits", kDataBU, Bytes({1, 2, 3, 4, 5, 6, 7, 8}), 0, 8, 0, 0x05060708, ""},
        FixedCase{"BULE2", kDataBULE, Bytes({0xFE, 0xFF}), 0, 2, 0, 65534, ""},
        FixedCase{"BULE3", kDataBULE, Bytes({3, 2, 1}), 0, 3, 0, 0x010203, ""},
        FixedCase{"BS1", kDataBS, Bytes({0xFF}), 0, 1, 0, -1, ""},
        FixedCase{"BS2", kDataBS, Bytes({0xFF, 0xFE}), 0, 2, 0, -2, ""},
        FixedCase{"BS3SignExtended", kDataBS, Bytes({0xFF, 0xFF, 0xFE}), 0, 3, 0, -2, ""},
        FixedCase{"BS3Positive", kDataBS, Bytes({0x00, 0x80, 0x00}), 0, 3, 0, 32768, ""},
        FixedCase{"BS4Min", kDataBS, Bytes({0x80, 0, 0, 0}), 0, 4, 0, -2147483648.0, ""},
        FixedCase{"BS8KeepsLow32Bits", kDataBS, Bytes({0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFD}), 0, 8, 0, -3, ""},
        FixedCase{"BSLE1", kDataBSLE, Bytes({0x80}), 0, 1, 0, -128, ""},
        FixedCase{"BSLE2", kDataBSLE, Bytes({0xFE, 0xFF}), 0, 2, 0, -2, ""},
        FixedCase{"BSLE3", kDataBSLE, Bytes({0xFE, 0xFF, 0xFF}), 0, 3, 0, -2, ""},
        FixedCase{"BSLE4Positive", kDataBSLE, Bytes({1, 0, 0, 0}), 0, 4, 0, 1, ""},
        FixedCase{"BF", kDataBF, Bytes({0x3F, 0xC0, 0, 0}), 0, 4, 0, 1.5, ""},
        FixedCase{"BFInfinity", kDataBF, Bytes({0x7F, 0x80, 0, 0}), 0, 4, kValueNotFinite, 0, ""},
        FixedCase{"BD", kDataBD, Bytes({0xC0, 0x04, 0, 0, 0, 0, 0, 0}), 0, 8, 0, -2.5, ""},
        FixedCase{"BDNaN", kDataBD, Bytes({0x7F, 0xF8, 0, 0, 0, 0, 0, 0}), 0, 8, kValueNotFinite, 0, ""},
        FixedCase{"HU", kDataHU, "x00fF", 1, 4, 0, 255, ""},
        FixedCase{"HU8", kDataHU, "FFFFFFFF", 0, 8, 0, 4294967295.0, ""},
        FixedCase{"HUBadDigit", kDataHU, "1G", 0, 2, kValueNotANumber, 0, ""},
        FixedCase{"HSNegative", kDataHS, "4001", 0, 4, 0, -1, ""},
        FixedCase{"HSPositive", kDataHS, "0001", 0, 4, 0, 1, ""},
        FixedCase{"HSLargestNegative", kDataHS, "7FFF", 0, 4, 0, -16383, ""},
        FixedCase{"HSIgnoresBit8", kDataHS, "8001", 0, 4, 0, 1, ""},
        FixedCase{"HSOneDigit", kDataHS, "5", 0, 1, 0, -1, ""},
        FixedCase{"AUSkipsLeadingZerosStopsAtZero", kDataAU, kText, 0, 6, 0, 12, ""},
        FixedCase{"AUMinusOneIsTheOverflowValue", kDataAU, "-1", 0, 2, kValueNotANumber, 0, ""},
        FixedCase{"AUOverflow", kDataAU, "4294967296", 0, 10, kValueNotANumber, 0, ""},
        FixedCase{"AUNegatesLike32BitStrtoul", kDataAU, "-2", 0, 2, 0, 4294967294.0, ""},
        FixedCase{"AUNoDigits", kDataAU, "  ", 0, 2, kValueNotANumber, 0, ""},
        FixedCase{"AIBlanksAndTrailingText", kDataAI, "  -42xy", 0, 7, 0, -42, ""},
        FixedCase{"AIMaxIsRefused", kDataAI, "2147483647", 0, 10, kValueNotANumber, 0, ""},
        FixedCase{"AIOverflowIsRefused", kDataAI, "99999999999", 0, 11, kValueNotANumber, 0, ""},
        FixedCase{"AILargestAccepted", kDataAI, "-2147483647", 0, 11, 0, -2147483647.0, ""},
        FixedCase{"AFSkipsHighBytes", kDataAF, Bytes({' ', '2', 0x90, '.', '5', 'e', '1', 'x'}), 0, 8, 0, 25, ""},
        FixedCase{"AFOverflowIsNotFinite", kDataAF, "1e999", 0, 5, kValueNotFinite, 0, ""},
        FixedCase{"AFNoNumber", kDataAF, "x", 0, 1, kValueNotANumber, 0, ""},
        FixedCase{"ASText", kDataAS, std::string("\0\0HI\0X", 6), 0, 6, 0, 0, "HI"},
        FixedCase{"ASNotUnescaped", kDataAS, "1^2C", 0, 4, 0, 0, "1^2C"},
        FixedCase{"PastTheFrameEnd", kDataBU, "abcd", 3, 2, kValueFieldPastFrame, 0, ""},
        FixedCase{"HugeOffsetDoesNotWrap", kDataBU, "abcd", 0xFFFFFFFEu, 4, kValueFieldPastFrame, 0, ""},
        FixedCase{"TextPastTheFrameEnd", kDataAS, "abcd", 2, 3, kValueFieldPastFrame, 0, ""},
        FixedCase{"BFShortLengthStillNeedsFourBytes", kDataBF, "abc", 0, 2, kValueFieldPastFrame, 0, ""}),
    [](const ::testing::TestParamInfo<FixedCase>& info) { return std::string(info.param.name); });

TEST(SensorExtraction, FieldInsideTheStatedSizeButBeyondTheBytesHeldIsRefused) {
  // The frame claims 100 bytes but holds 4: the read must stay in the bytes.
  const CFrameData frame = MakeFrame("abcd", "", 100);
  CSensor sensor(Definition(kDataBU, 10, 2));
  std::uint32_t value = 99;
  EXPECT_EQ(sensor.ExtractUnsigned(&value, &frame), kValueFieldPastFrame);
  EXPECT_EQ(value, 0u);
}

TEST(SensorExtraction, RefusalsComeInTheirOrder) {
  const CFrameData frame = MakeFrame("abcd");
  std::uint32_t u = 0;
  std::int32_t s = 0;
  double r = 0;
  std::string t;

  CSensor no_value(Definition(kDataBU, 0, 1, kFitNone));
  EXPECT_EQ(no_value.ExtractUnsigned(&u, &frame), kValueNone);
  CSensor delimiter(Definition(kDataAS, 0, 1, kFitDelimiter));
  EXPECT_EQ(delimiter.ExtractString(&t, &frame), kValueNone);

  // Unsigned and text readers refuse a foreign type before looking at the frame.
  CSensor signed_field(Definition(kDataBS, 0, 1));
  EXPECT_EQ(signed_field.ExtractUnsigned(&u, nullptr), kValueWrongDataType);
  EXPECT_EQ(signed_field.ExtractString(&t, nullptr), kValueWrongDataType);
  // Signed and real readers test the frame first.
  CSensor unsigned_field(Definition(kDataBU, 3, 4));
  EXPECT_EQ(unsigned_field.ExtractSigned(&s, nullptr), kValueNoFrame);
  EXPECT_EQ(unsigned_field.ExtractSigned(&s, &frame), kValueFieldPastFrame);
  EXPECT_EQ(unsigned_field.ExtractReal(&r, &frame), kValueFieldPastFrame);
  CSensor fits(Definition(kDataBU, 0, 1));
  EXPECT_EQ(fits.ExtractSigned(&s, &frame), kValueWrongDataType);
  EXPECT_EQ(fits.ExtractUnsigned(&u, nullptr), kValueNoFrame);
}

TEST(SensorExtraction, AFailedReadResetsTheLastValue) {
  CSensor sensor(Definition(kDataBU, 0, 2));
  const CFrameData whole = MakeFrame("\x01\x02");
  const CFrameData cut = MakeFrame("\x01");
  std::uint32_t value = 0;
  ASSERT_EQ(sensor.ExtractUnsigned(&value, &whole), 0);
  EXPECT_EQ(sensor.GetLastUnsigned(), 0x0102u);
  EXPECT_EQ(sensor.ExtractUnsigned(&value, &cut), kValueFieldPastFrame);
  EXPECT_EQ(sensor.GetLastUnsigned(), 0u);
  EXPECT_EQ(value, 0u);
}

// A variable-length frame: header SATX, four FIELD delimiters, CR LF.
struct VariableCase {
  const char* name;
  int data_type;
  std::string frame;
  int field_index;
  int result;
  double number;
  std::string text;
  unsigned offset;  // where the read found the field
};

class VariableFieldExtraction : public ::testing::TestWithParam<VariableCase> {};

TEST_P(VariableFieldExtraction, CutsTheFieldAtItsDelimiters) {
  const VariableCase& c = GetParam();
  SensorDefinition def = Definition(c.data_type, 77, 0);
  def.variable = true;
  CSensor sensor(def);
  sensor.SetVariableFieldLayout(",,;,", "\r\n", c.field_index);
  const CFrameData frame = MakeFrame(c.frame, "SATX", 0, "\r\n");
  const Reading got = Read(sensor, &frame);
  EXPECT_EQ(got.result, c.result) << std::hex << got.result;
  EXPECT_EQ(got.number, c.number);
  EXPECT_EQ(got.text, c.text);
  EXPECT_EQ(sensor.GetOffset(), c.offset);
}

const std::string kVariableFrame = "SATX,12,3^2C5;,-7\r\n";

INSTANTIATE_TEST_SUITE_P(
    Fields, VariableFieldExtraction,
    ::testing::Values(
        VariableCase{"FirstAU", kDataAU, kVariableFrame, 0, 0, 12, "", 5},
        VariableCase{"EscapedText", kDataAS, kVariableFrame, 1, 0, 0, "3,5", 8},
        VariableCase{"EmptyAI", kDataAI, kVariableFrame, 2, kValueNotANumber, 0, "", 14},
        VariableCase{"EmptyAU", kDataAU, kVariableFrame, 2, kValueNotANumber, 0, "", 14},
        VariableCase{"EmptyText", kDataAS, kVariableFrame, 2, 0, 0, "", 14},
        VariableCase{"LastEndsAtTerminator", kDataAI, kVariableFrame, 3, 0, -7, "", 15},
        VariableCase{"IndexBeyondDelimiters", kDataAI, kVariableFrame, 4, kValueFieldNotFound, 0, "", 77},
        VariableCase{"FewerDelimitersInFrame", kDataAI, "SATX,12\r\n", 2, kValueFieldNotFound, 0, "", 77},
        VariableCase{"MissingDelimiterIsSkipped", kDataAI, "SATX,1,2,9\r\n", 3, 0, 9, "", 9},
        VariableCase{"NoTerminatorTakesTheRest", kDataAF, "SATX,1,2;,1.25", 3, 0, 1.25, "", 10},
        VariableCase{"HSGivesItsSignedValue", kDataHS, "SATX,4001\r\n", 0, 0, -1, "", 5},
        VariableCase{"HU", kDataHU, "SATX,ff,\r\n", 0, 0, 255, "", 5},
        VariableCase{"EmptyHU", kDataHU, "SATX,,\r\n", 0, kValueNotANumber, 0, "", 5},
        VariableCase{"BadEscapeIsDropped", kDataAS, "SATX,a^zzb^4\r\n", 0, 0, 0, "ab", 5},
        VariableCase{"BinaryTypeCannotBeVariable", kDataBS, kVariableFrame, 0, kValueWrongDataType, 0, "", 77}),
    [](const ::testing::TestParamInfo<VariableCase>& info) { return std::string(info.param.name); });

TEST(SensorExtraction, VariableHsAlwaysSetsItsOutValue) {
  SensorDefinition def = Definition(kDataHS, 0, 0);
  def.variable = true;
  CSensor sensor(def);
  sensor.SetVariableFieldLayout(",", "\r\n", 0);
  const CFrameData frame = MakeFrame("H,0002\r\n", "H", 0, "\r\n");
  std::uint32_t value = 12345;
  ASSERT_EQ(sensor.ExtractUnsigned(&value, &frame), 0);
  EXPECT_EQ(value, 2u);
}

}  // namespace

namespace {

TEST(SensorExtraction, DelimitersAbsentFromTheFrameAreSkippedWhereverTheyRepeat) {
  // Thousands of boundaries whose character never occurs, around the few
  // that do: the field is still the one after the third present comma, and
  // it ends at the next present boundary.
  std::string layout;
  for (int i = 0; i < 3; ++i) layout += std::string(1000, ';') + ",";
  layout += std::string(1000, ';') + "|";
  SensorDefinition def = Definition(kDataAI, 0, 0);
  def.variable = true;
  CSensor sensor(def);
  sensor.SetVariableFieldLayout(layout, "\r\n", 3002);
  const CFrameData frame = MakeFrame("H,1,2,34|5\r\n", "H", 0, "\r\n");
  std::int32_t value = 0;
  ASSERT_EQ(sensor.ExtractSigned(&value, &frame), 0);
  EXPECT_EQ(value, 34);
  EXPECT_EQ(sensor.GetOffset(), 6u);
}

}  // namespace

namespace {

// The field as the delimiter rules define it, walked field by field with
// plain searches; the readers must cut the same text at the same place.
struct ReferenceField {
  bool found = false;
  std::size_t start = 0;
  std::string text;
};

ReferenceField CutByTheRules(const std::string& frame, std::size_t header, const std::string& delimiters,
                             const std::string& terminator, std::size_t index) {
  ReferenceField out;
  std::string rest = frame.substr(std::min(header, frame.size()));
  std::size_t consumed = std::min(header, frame.size());
  std::size_t i = 0;
  for (; i < delimiters.size(); ++i) {
    const std::size_t at = rest.find(delimiters[i]);
    if (at == std::string::npos) continue;
    rest = rest.substr(at + 1);
    consumed += at + 1;
    if (i == index) break;
  }
  if (i >= delimiters.size()) return out;
  out.found = true;
  out.start = consumed;
  std::size_t end = std::string::npos;
  for (std::size_t j = i + 1; j < delimiters.size() && end == std::string::npos; ++j) end = rest.find(delimiters[j]);
  if (end == std::string::npos && !terminator.empty()) end = rest.find(terminator[0]);
  out.text = rest.substr(0, end);
  return out;
}

TEST(SensorExtraction, VariableFieldsMatchTheDelimiterRulesOnRandomFrames) {
  std::mt19937 random(2024);
  const std::string alphabet = "ab,;|\r";
  auto pick = [&](const std::string& from, std::size_t length) {
    std::string s;
    for (std::size_t k = 0; k < length; ++k) s.push_back(from[random() % from.size()]);
    return s;
  };
  for (int round = 0; round < 400; ++round) {
    const std::string delimiters = pick(",;|#", 1 + random() % 8);
    const std::string terminator = round % 5 == 0 ? "" : "\r\n";
    const std::string header = pick("HX", random() % 3);
    const std::string frame_text = header + pick(alphabet, random() % 24);
    const CFrameData frame = MakeFrame(frame_text, header, 0, terminator);
    const auto layout = std::make_shared<const CSensor::VariableFieldLayout>(
        CSensor::VariableFieldLayout{delimiters, terminator});
    // Every field of one frame, read in a shuffled order, shares one index.
    std::vector<std::size_t> order(delimiters.size() + 1);
    for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
    std::shuffle(order.begin(), order.end(), random);
    for (std::size_t index : order) {
      SensorDefinition def = Definition(kDataAS, 99, 0);
      def.variable = true;
      CSensor sensor(def);
      sensor.SetVariableFieldLayout(layout, static_cast<int>(index));
      std::string text;
      const int result = sensor.ExtractString(&text, &frame);
      const ReferenceField expected = CutByTheRules(frame_text, header.size(), delimiters, terminator, index);
      ASSERT_EQ(result, expected.found ? 0 : kValueFieldNotFound) << frame_text << " / " << delimiters << " #" << index;
      EXPECT_EQ(text, expected.text) << frame_text << " / " << delimiters << " #" << index;
      if (expected.found) {
        EXPECT_EQ(sensor.GetOffset(), expected.start);
      }
    }
  }
}

TEST(SensorExtraction, AFrameReadUnderTwoLayoutsGivesEachItsOwnFields) {
  const CFrameData frame = MakeFrame("H,1;2\r\n", "H", 0, "\r\n");
  SensorDefinition def = Definition(kDataAS, 0, 0);
  def.variable = true;
  CSensor by_comma(def);
  CSensor by_semicolon(def);
  by_comma.SetVariableFieldLayout(",", "\r\n", 0);
  by_semicolon.SetVariableFieldLayout(";", "\r\n", 0);
  std::string text;
  for (int pass = 0; pass < 2; ++pass) {
    ASSERT_EQ(by_comma.ExtractString(&text, &frame), 0);
    EXPECT_EQ(text, "1;2");
    ASSERT_EQ(by_semicolon.ExtractString(&text, &frame), 0);
    EXPECT_EQ(text, "2");
  }
}

}  // namespace

// The column decoder against the sensor's own path: whatever it prints is
// byte for byte what the sensor prints, and whatever it cannot print the
// same way (errors, short frames, forms it leaves out) it leaves alone.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "core/conversion/ColumnDecoder.h"
#include "core/conversion/SensorFormat.h"
#include "tests/core/conversion/ConversionTestSupport.h"

namespace {

using conversion_test::Format;
using conversion_test::InstrumentDoc;
using conversion_test::MakeFrame;

// Offsets: 4 header, 4 BU1, 5 BU2, 7 BU3, 10 BU4, 14 BULE2, 16 BS1, 17 BS2,
// 19 BS3, 22 BSLE2, 24 BF, 28 BD, 36 HU2, 38 OPTIC2, 40 POLYF, 42 POW10,
// 44 OPTIC1, 46 HS2, 48 end.
constexpr const char kDefinition[] =
    "INSTRUMENT TEST '' 4 AS 0 NONE\n"
    "COUNTER NONE '' 1 BU 0 COUNT\n"
    "PRES NONE 'dbar' 2 BU 1 POLYU\n"
    "-10.0 0.01\n"
    "WIDE NONE '' 3 BU 1 POLYU\n"
    "0.5 0.25 0.125\n"
    "LONG NONE '' 4 BU 0 COUNT\n"
    "LITTLE NONE '' 2 BULE 1 POLYU\n"
    "1.0 2.0\n"
    "BYTE NONE '' 1 BS 0 COUNT\n"
    "TEMP NONE 'C' 2 BS 1 POLYU\n"
    "0.0 0.001\n"
    "THREE NONE '' 3 BS 0 COUNT\n"
    "LWORD NONE '' 2 BSLE 1 POLYU\n"
    "0.0 -3.5\n"
    "COND NONE '' 4 BF 1 POLYU\n"
    "0.0 10.0\n"
    "DBL NONE '' 8 BD 0 COUNT\n"
    "STATUS NONE '' 2 HU 0 COUNT\n"
    "LU 490 '' 2 BU 1 OPTIC2\n"
    "1024.0 0.00035 1.75\n"
    "PF NONE '' 2 BU 1 POLYF\n"
    "2.0 3.0\n"
    "PW NONE '' 2 BU 1 POW10\n"
    "1.0 4.0\n"
    "ES 412 '' 2 BU 1 OPTIC1\n"
    "1 2 3\n"
    "HS NONE '' 2 HS 0 COUNT\n";

std::string Bytes(std::initializer_list<int> values) {
  std::string text;
  for (int v : values) text.push_back(static_cast<char>(v));
  return text;
}

std::string BigSingle(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return Bytes({int(bits >> 24) & 0xFF, int(bits >> 16) & 0xFF, int(bits >> 8) & 0xFF, int(bits) & 0xFF});
}

std::string BigDouble(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  std::string text;
  for (int shift = 56; shift >= 0; shift -= 8) text.push_back(static_cast<char>((bits >> shift) & 0xFF));
  return text;
}

std::string Frame(const std::string& single, const std::string& hex) {
  return "TEST" + Bytes({0xC8}) + Bytes({0x04, 0xD2}) + Bytes({0x81, 0x02, 0x03}) +
         Bytes({0xFF, 0xFF, 0xFF, 0xFE}) + Bytes({0x34, 0x12}) + Bytes({0xFE}) + Bytes({0xF8, 0x30}) +
         Bytes({0x80, 0x00, 0x01}) + Bytes({0xFF, 0x7F}) + single + BigDouble(-1234.5678) + hex +
         Bytes({0xF4, 0x24}) + Bytes({0x00, 0x07}) + Bytes({0x00, 0x09}) + Bytes({0x12, 0x35}) + "45";
}

class ColumnDecoderTest : public ::testing::Test {
 protected:
  ColumnDecoderTest() : doc_(kDefinition) {}

  // Every sensor in every format on a frame of the first frame_size bytes:
  // the decoder prints the sensor's text or nothing; returns the sensors it
  // printed in the first format.
  std::vector<int> ExpectSameText(const std::string& bytes, int frame_size) {
    auto frame = MakeFrame(bytes.substr(0, static_cast<std::size_t>(frame_size)), 1);
    std::vector<int> printed;
    const CSensorFormat formats[] = {
        Format(0, 1, 0, -1, 10), Format(0, 1, 0, 14, 3), Format(1, 1, 0, -1, 4), Format(2, 1, 0, -1, 6),
        Format(0, 0, 0, -1, 10), Format(0, 0, 0, 8, -1), Format(0, 0, 1, -1, -1), Format(0, 1, 1, -1, 10),
    };
    for (int f = 0; f < static_cast<int>(std::size(formats)); ++f) {
      for (int i = 0; i < doc_.GetInstrumentSensorCount(0); ++i) {
        CSensor* sensor = doc_.GetSensor(0, i);
        const CColumnDecoder decoder(*sensor, formats[f]);
        std::string text = "x";
        const auto available = static_cast<std::size_t>(frame_size);
        if (!decoder.Append(text, frame->GetBytes().data(), available, formats[f])) {
          EXPECT_EQ(text, "x") << sensor->GetType() << " format " << f;
          if (CColumnDecoder::WritesInPlace(formats[f])) ExpectNoRowText(decoder, *frame, available, formats[f]);
          continue;
        }
        EXPECT_EQ(text.substr(1), doc_.FormatSensorValue(sensor, frame.get(), formats[f]))
            << sensor->GetType() << " format " << f;
        if (CColumnDecoder::WritesInPlace(formats[f])) ExpectSameRowText(decoder, text.substr(1), *frame, available, formats[f]);
        if (f == 0) printed.push_back(i);
      }
    }
    return printed;
  }

  // The row step writes the text Append wrote, and the delimiter behind it,
  // or leaves a value the fast writers decline (too many digits) to Append.
  static void ExpectSameRowText(const CColumnDecoder& decoder, const std::string& appended, const CFrameData& frame,
                                std::size_t available, const CSensorFormat& format) {
    const CRowStep::Writer writer = decoder.GetRowWriter();
    ASSERT_NE(writer, nullptr);
    const CRowStep step{writer, &decoder, 0};
    for (const char* delimiter : {"\t", ", "}) {
      const CRowStep::Fields row{frame.GetBytes().data(), available, format.m_nPrecision, nullptr, delimiter,
                                 std::strlen(delimiter), nullptr};
      char text[CColumnDecoder::kLongestText + 2];
      const char* end = writer(step, row, text);
      if (end == nullptr) continue;
      EXPECT_EQ(std::string(text, static_cast<std::size_t>(end - text)), appended + delimiter);
    }
  }

  // What Append leaves to the sensor, the row step leaves to it too.
  static void ExpectNoRowText(const CColumnDecoder& decoder, const CFrameData& frame, std::size_t available,
                              const CSensorFormat& format) {
    const CRowStep::Writer writer = decoder.GetRowWriter();
    if (writer == nullptr) return;
    const CRowStep step{writer, &decoder, 0};
    const CRowStep::Fields row{frame.GetBytes().data(), available, format.m_nPrecision, nullptr, "\t", 1, nullptr};
    char text[CColumnDecoder::kLongestText + 2];
    EXPECT_EQ(writer(step, row, text), nullptr);
  }

  InstrumentDoc doc_;
};

TEST_F(ColumnDecoderTest, PrintsWhatTheSensorPrintsForEveryFixedKindAndFormat) {
  ASSERT_EQ(doc_.GetInstrumentSensorCount(0), 17) << doc_.Instrument().GetLoadReport();
  const std::string bytes = Frame(BigSingle(3.2672309875f), "1F");
  const std::vector<int> printed = ExpectSameText(bytes, static_cast<int>(bytes.size()));
  // OPTIC1 and HS are left to the sensor; every other kind of the fixed
  // binary frames is decoded here.
  const std::vector<int> expected = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
  EXPECT_EQ(printed, expected);
}

TEST_F(ColumnDecoderTest, ImmersionChangedDuringARunIsSeenByTheNextValue) {
  const std::string bytes = Frame(BigSingle(1.0f), "01");
  CSensor* optic = doc_.GetSensor(0, 12);
  ASSERT_EQ(optic->GetType(), "LU");
  const CSensorFormat format = Format(0, 1, 0, -1, 10);
  const CColumnDecoder decoder(*optic, format);
  auto frame = MakeFrame(bytes, 1);
  for (int immersed : {0, 1, 0}) {
    optic->SetImmersed(immersed);
    std::string text;
    ASSERT_TRUE(decoder.Append(text, frame->GetBytes().data(), bytes.size(), format));
    EXPECT_EQ(text, doc_.FormatSensorValue(optic, frame.get(), format)) << immersed;
  }
}

TEST_F(ColumnDecoderTest, ErrorsAndShortFramesAreLeftToTheSensor) {
  const std::string good = Frame(BigSingle(1.0f), "01");
  struct Case {
    const char* what;
    std::string bytes;
    int frame_size;
  } cases[] = {
      {"a not-a-number single", Frame(BigSingle(std::numeric_limits<float>::quiet_NaN()), "01"), 48},
      {"an infinite single", Frame(BigSingle(std::numeric_limits<float>::infinity()), "01"), 48},
      {"hexadecimal digits that are none", Frame(BigSingle(1.0f), "G1"), 48},
      {"a frame that ends inside the fields", good, 20},
      {"a frame that ends before the last field", good, 47},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ExpectSameText(c.bytes, c.frame_size);
  }
}

}  // namespace

// Frame counter and check sum tests, Process Depth, and the byte accounting
// that places time tags and counts resynchronisations.
#include <gtest/gtest.h>

#include <vector>

#include "core/conversion/FrameChecker.h"
#include "tests/core/conversion/ConversionTestSupport.h"

namespace {

using conversion_test::InstrumentDoc;
using conversion_test::MakeFrame;

constexpr const char kChecked[] =
    "INSTRUMENT FCHK '' 4 AS 0 NONE\n"
    "FRAME COUNTER '' 1 BU 0 COUNT\n"
    "DATA A '' 1 BU 0 COUNT\n"
    "CHECK SUM '' 1 BU 0 COUNT\n";

// A frame whose check byte makes the byte sum 0 (mod 256).
std::string GoodFrame(int counter, int data = 1) {
  std::string frame = "FCHK";
  frame += static_cast<char>(counter);
  frame += static_cast<char>(data);
  unsigned sum = 0;
  for (unsigned char c : frame) sum += c;
  frame += static_cast<char>((256 - (sum & 0xFF)) & 0xFF);
  return frame;
}

class FrameCheckerTest : public testing::Test {
 protected:
  FrameCheckerTest() : doc_(kChecked) {
    params_.m_nFrameCounterChecking = 1;
    params_.m_nCheckSumChecking = 1;
  }
  void Find() {
    EXPECT_EQ(checker_.FindFrameCounterCheck(doc_, params_, "Calibration File", "FCHK"), "");
    EXPECT_EQ(checker_.FindCheckSumCheck(doc_, params_, "Calibration File", "FCHK"), "");
  }
  void Check(const std::string& bytes, int number) {
    auto frame = MakeFrame(bytes, number);
    checker_.CheckFrame(doc_, *frame, params_, counters_);
  }

  InstrumentDoc doc_;
  CBrivenParameters params_;
  CFrameChecker checker_;
  ConversionCounters counters_;
};

TEST_F(FrameCheckerTest, CounterSequences) {
  struct Case {
    std::vector<int> counters;
    unsigned errors;
  } cases[] = {
      {{5, 6, 7}, 0},
      {{5, 7}, 1},
      {{5, 7, 8}, 1},  // 7 resynchronises, so 8 is expected
      {{255, 0, 1}, 0},
      {{3, 3, 3}, 1},  // the third resynchronises on the second's error
  };
  for (const Case& c : cases) {
    checker_.Reset();
    counters_ = {};
    doc_.log.clear();
    Find();
    int number = 0;
    for (int value : c.counters) Check(GoodFrame(value), ++number);
    EXPECT_EQ(counters_.frame_counter_errors, c.errors) << c.counters.size();
    EXPECT_EQ(counters_.check_sum_errors, 0u);
    EXPECT_EQ(counters_.frames_processed, static_cast<unsigned>(number));
  }
  EXPECT_EQ(doc_.log, "Frame counter error detected for frame index 2.\r\n");
}

TEST_F(FrameCheckerTest, CheckSumResidue) {
  Find();
  // Header 0x11C + 100 + 116 = 0x1F4, check value 0x0C: residue 0.
  Check(std::string("FCHK") + static_cast<char>(100) + static_cast<char>(116) + "\x0C", 1);
  EXPECT_TRUE(checker_.ResidueKnown());
  EXPECT_EQ(checker_.GetResidue(), 0);
  Check(std::string("FCHK") + static_cast<char>(101) + static_cast<char>(116) + "\x0C", 2);
  EXPECT_EQ(checker_.GetResidue(), 1);
  EXPECT_EQ(counters_.check_sum_errors, 1u);
  EXPECT_EQ(doc_.log, "Check sum error detected for frame index 2.\r\n");
  // The check sum error resynchronises the counter: 40 is taken as new.
  Check(GoodFrame(40), 3);
  Check(GoodFrame(41), 4);
  EXPECT_EQ(counters_.frame_counter_errors, 0u);
}

TEST_F(FrameCheckerTest, UnreadableCheckFieldsAreCountedAndNeverShownAsGoodResidue) {
  params_.m_nProcessDepth = 2;
  Find();
  Check(GoodFrame(1), 1);
  Check(GoodFrame(2), 2);  // written by depth 2
  ASSERT_TRUE(checker_.ShouldWrite());
  // No counter byte at all: the counter read fails, the checks end, the
  // residue of the previous frame is not kept.
  Check("FCHK", 3);
  EXPECT_EQ(counters_.frame_counter_errors, 1u);
  EXPECT_FALSE(checker_.ResidueKnown());
  EXPECT_EQ(checker_.GetResidueError(), 0);
  EXPECT_TRUE(checker_.ShouldWrite());  // the previous decision stands
  // Counter present, check byte missing.
  Check(std::string("FCHK") + '\x03' + '\x01', 4);
  EXPECT_EQ(counters_.check_sum_errors, 1u);
  EXPECT_FALSE(checker_.ResidueKnown());
  EXPECT_EQ(checker_.GetResidueError(), 0x20000002);
  EXPECT_EQ(doc_.log,
            "Frame counter sensor error for frame index 3.\r\n"
            "Check sum sensor error for frame index 4.\r\n");
}

TEST_F(FrameCheckerTest, ProcessDepthWritesEveryNthFrame) {
  params_.m_nProcessDepth = 3;
  Find();
  std::vector<int> written;
  for (int n = 1; n <= 9; ++n) {
    Check(GoodFrame(n), n);
    if (checker_.ShouldWrite()) written.push_back(n);
  }
  EXPECT_EQ(written, (std::vector<int>{3, 6, 9}));
}

TEST_F(FrameCheckerTest, MissingCheckSensorsAreReportedOnce) {
  InstrumentDoc plain("INSTRUMENT PLN1 '' 4 AS 0 NONE\nDATA A '' 1 BU 0 COUNT\n");
  const std::string counter = checker_.FindFrameCounterCheck(plain, params_, "Calibration File", "PLN1");
  EXPECT_EQ(counter,
            "No valid FRAME COUNTER sensor found in the Calibration File for PLN1. No frame counter error checking "
            "will occur for the instrument.");
  EXPECT_NE(checker_.FindCheckSumCheck(plain, params_, "Calibration File", "PLN1").find("No valid CHECK SUM"),
            std::string::npos);
  EXPECT_EQ(plain.log, counter + "\r\n" +
                           "No valid CHECK SUM sensor found in the Calibration File for PLN1. No check sum error "
                           "checking will occur for the instrument.\r\n");
}

TEST(FrameAccountingTest, SkippedBytesAfterTheFirstFrameAreResynchronisationsButTimeTagsAreNot) {
  InstrumentDoc doc(kChecked);
  struct Step {
    std::uint32_t frames_processed;
    std::uint32_t frame_size;
    std::uint32_t discarded;
  };
  struct Case {
    bool time_tags;
    std::vector<Step> steps;
    std::uint64_t consumed;
    std::uint32_t resynchronizations;
  } cases[] = {
      {false, {{1, 7, 5}, {2, 7, 0}, {3, 7, 2}}, 28, 1},
      {true, {{1, 7, 0}, {2, 7, 7}, {3, 7, 7}, {3, 0, 7}}, 42, 0},
      {true, {{1, 7, 0}, {2, 7, 9}, {3, 0, 3}, {3, 0, 5}}, 31, 2},
      // A frame left out by depth is still accounted, its tag included.
      {true, {{1, 7, 0}, {2, 7, 7}, {3, 7, 7}}, 35, 0},
  };
  for (const Case& c : cases) {
    CFrameChecker checker;
    ConversionCounters counters;
    for (const Step& s : c.steps) {
      counters.frames_processed = s.frames_processed;
      doc.discarded = s.discarded;
      checker.AccountDiscardedBytes(doc, s.frame_size, false, c.time_tags, counters);
      EXPECT_EQ(doc.discarded, 0u);
      EXPECT_EQ(counters.bytes_discarded, s.discarded);
    }
    EXPECT_EQ(counters.bytes_consumed, c.consumed);
    EXPECT_EQ(counters.resynchronizations, c.resynchronizations);
  }
}

constexpr const char kNmea[] =
    "VLF_INSTRUMENT $GPAB '' 5 AS 0 NONE\n"
    "FIELD NONE ',' 1 AS 0 DELIMITER\n"
    "A NONE '' V AI 0 COUNT\n"
    "FIELD NONE '*' 1 AS 0 DELIMITER\n"
    "NMEA_CHECKSUM NONE '' V HU 0 COUNT\n"
    "TERMINATOR NONE '\\x0D\\x0A' 2 AS 0 DELIMITER\n";

TEST(NmeaCheckSumTest, TheSumRunsBetweenTheDollarAndTheAsterisk) {
  InstrumentDoc doc(kNmea);
  ASSERT_EQ(doc.Instrument().GetSensorCount(), 2) << doc.Instrument().GetLoadReport();
  CBrivenParameters params;
  params.m_nCheckSumChecking = 1;
  CFrameChecker checker;
  checker.FindCheckSumCheck(doc, params, "x", "y");
  ASSERT_EQ(checker.GetNmeaCheckSumIndex(), 1);
  unsigned sum = 0;
  for (char c : std::string("GPAB,12")) sum ^= static_cast<unsigned char>(c);
  char good[64];
  std::snprintf(good, sizeof good, "$GPAB,12*%02X\r\n", sum);
  char bad[64];
  std::snprintf(bad, sizeof bad, "$GPAB,12*%02X\r\n", sum ^ 1);
  ConversionCounters counters;
  checker.CheckFrame(doc, *MakeFrame(good, 1, "\r\n"), params, counters);
  EXPECT_EQ(counters.check_sum_errors, 0u) << doc.log;
  checker.CheckFrame(doc, *MakeFrame(bad, 2, "\r\n"), params, counters);
  EXPECT_EQ(counters.check_sum_errors, 1u);
  EXPECT_EQ(doc.log, "NMEA Check sum error detected for frame index 2.\r\n");
}

// A plain check sum and an NMEA check sum in one frame: an NMEA field that
// cannot be read is counted, but the plain sum was tested and its residue
// stands (it is not shown as a good 0 or as an error it did not have).
constexpr const char kBothSums[] =
    "INSTRUMENT $GPX '' 4 AS 0 NONE\n"
    "DATA A '' 1 BU 0 COUNT\n"
    "CHECK SUM '' 1 BU 0 COUNT\n"
    "NMEA_CHECKSUM NONE '' 2 HU 0 COUNT\n";

TEST(NmeaCheckSumTest, AnUnreadableNmeaFieldLeavesThePlainResidueShown) {
  InstrumentDoc doc(kBothSums);
  ASSERT_EQ(doc.Instrument().GetSensorCount(), 3) << doc.Instrument().GetLoadReport();
  CBrivenParameters params;
  params.m_nCheckSumChecking = 1;
  CFrameChecker checker;
  checker.FindCheckSumCheck(doc, params, "x", "y");
  ASSERT_EQ(checker.GetCheckSumIndex(), 1);
  ASSERT_EQ(checker.GetNmeaCheckSumIndex(), 2);
  std::string frame = "$GPX";
  frame += '\x05';
  unsigned sum = 0;
  for (unsigned char c : frame) sum += c;
  frame += static_cast<char>((256 - (sum & 0xFF)) + 3);  // residue 3
  frame += "ZZ";
  ConversionCounters counters;
  checker.CheckFrame(doc, *MakeFrame(frame, 1), params, counters);
  EXPECT_EQ(counters.check_sum_errors, 2u) << doc.log;
  EXPECT_TRUE(checker.ResidueKnown());
  EXPECT_EQ(checker.GetResidue(), 3);
  EXPECT_EQ(doc.log,
            "Check sum error detected for frame index 1.\r\n"
            "NMEA Check sum sensor error for frame index 1.\r\n");
}

}  // namespace

namespace {

// The residue over every length of summed bytes, against a plain byte sum:
// the whole words, the bytes left behind them and runs shorter than a word.
TEST(CheckSumLengthTest, TheResidueIsThePlainByteSumForEveryLength) {
  std::uint32_t seed = 7;
  std::vector<int> pads;
  for (int pad = 1; pad <= 40; ++pad) pads.push_back(pad);
  for (int pad : {251, 252, 253, 260, 300, 1020, 1021, 2045}) pads.push_back(pad);
  for (int pad : pads) {
    const std::string definition = "INSTRUMENT LSUM '' 4 AS 0 NONE\nPAD X '' " + std::to_string(pad) +
                                   " AS 0 NONE\nCHECK SUM '' 1 BU 0 COUNT\n";
    InstrumentDoc doc(definition.c_str());
    CBrivenParameters params;
    params.m_nCheckSumChecking = 1;
    CFrameChecker checker;
    ASSERT_EQ(checker.FindCheckSumCheck(doc, params, "x", "LSUM"), "") << pad;
    std::string bytes = "LSUM";
    for (int i = 0; i < pad; ++i) {
      seed = seed * 1103515245u + 12345u;
      bytes += static_cast<char>(seed >> 24);
    }
    bytes += '\x5A';
    unsigned sum = 0;
    for (unsigned char c : bytes) sum += c;
    ConversionCounters counters;
    auto frame = MakeFrame(bytes, 1);
    checker.CheckFrame(doc, *frame, params, counters);
    ASSERT_TRUE(checker.ResidueKnown()) << pad;
    EXPECT_EQ(checker.GetResidue(), static_cast<int>(sum & 0xFF)) << pad;
  }
}

}  // namespace

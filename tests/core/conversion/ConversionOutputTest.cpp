// Whole conversions of the small fixture logs (tests/data/conversion, made
// by make_fixtures.py there), compared byte for byte with the output a
// user gets for each choice of switches.
#include <gtest/gtest.h>

#include <atomic>
#include <initializer_list>

#include "tests/core/conversion/ConversionRunner.h"

namespace {

using conversion_test::ConversionRun;
using conversion_test::ConversionSetup;
using conversion_test::RunConversion;
using conversion_test::TempFolder;

struct Case {
  const char* name;
  const char* log;
  const char* instrument;  // empty: header mode
  std::initializer_list<const char*> switches;
  const char* output;
};

const char kRawColumns[] = "SN\tFRAME(COUNTER)\tPRES\tTEMP(A)\tCHECK(SUM)\r\n";

const Case kCases[] = {
    {"raw counts, serial column", "good.raw", "binary.cal", {},
     "SN\tFRAME(COUNTER)\tPRES\tTEMP(A)\tCHECK(SUM)\r\n"
     "0123\t0\t1234\t-5\t45\r\n0123\t1\t1235\t-4\t42\r\n0123\t2\t1236\t-3\t39\r\n"
     "0123\t3\t1237\t-2\t36\r\n0123\t4\t1238\t-1\t33\r\n"},
    {"fitted with preamble, units and index; check column shows the residue", "good.raw", "binary.cal",
     {"-c", "-x", "-efc"},
     "Instrument\tInsFile\tLogFile\tFitted\tImmersed\tHex\tCheckSum\tTimeTags\tF-TimeTags\r\n"
     "TSTB0123\tbinary.cal\tgood.raw\tYES\tNO\tNO\tYES\tNO\tNO\r\n"
     "\r\n"
     "Index\tSN\tFRAME(COUNTER)\tPRES\tTEMP(A)\tCHECK(SUM)\r\n"
     "\t\t\tdbar\tC\t\r\n"
     "1\t0123\t0\t2.3400000000\t-5\t0\r\n2\t0123\t1\t2.3500000000\t-4\t0\r\n"
     "3\t0123\t2\t2.3600000000\t-3\t0\r\n4\t0123\t3\t2.3700000000\t-2\t0\r\n"
     "5\t0123\t4\t2.3800000000\t-1\t0\r\n"},
    {"width, precision and a delimiter", "good.raw", "binary.cal", {"-c", "-w8", "-p2", "-d,"},
     "      SN,FRAME(COUNTER),    PRES, TEMP(A),CHECK(SUM)\r\n"
     "    0123,       0,    2.34,      -5,      45\r\n    0123,       1,    2.35,      -4,      42\r\n"
     "    0123,       2,    2.36,      -3,      39\r\n    0123,       3,    2.37,      -2,      36\r\n"
     "    0123,       4,    2.38,      -1,      33\r\n"},
    {"hexadecimal, zero-filled to the width", "good.raw", "binary.cal", {"-h", "-w6", "-x"},
     "Instrument\tInsFile\tLogFile\tFitted\tImmersed\t   Hex\tCheckSum\tTimeTags\tF-TimeTags\r\n"
     "TSTB0123\tbinary.cal\tgood.raw\t    NO\t    NO\t   YES\t    NO\t    NO\t    NO\r\n"
     "\r\n"
     " Index\t    SN\tFRAME(COUNTER)\t  PRES\tTEMP(A)\tCHECK(SUM)\r\n"
     "      \t      \t      \t  dbar\t     C\t      \r\n"
     "     1\t  0123\t000000\t0004D2\tFFFFFFFB\t00002D\r\n     2\t  0123\t000001\t0004D3\tFFFFFFFC\t00002A\r\n"
     "     3\t  0123\t000002\t0004D4\tFFFFFFFD\t000027\r\n     4\t  0123\t000003\t0004D5\tFFFFFFFE\t000024\r\n"
     "     5\t  0123\t000004\t0004D6\tFFFFFFFF\t000021\r\n"},
    {"frame counter and check sum errors; the truncated last frame is not a row", "errors.raw", "binary.cal",
     {"-efc"},
     "SN\tFRAME(COUNTER)\tPRES\tTEMP(A)\tCHECK(SUM)\r\n"
     "0123\t0\t1000\t1\t0\r\n0123\t1\t1000\t2\t0\r\n0123\t3\t1000\t3\t0\r\n"
     "0123\t4\t1000\t4\t1\r\n0123\t5\t1000\t5\t0\r\n"},
    {"frame limit", "good.raw", "binary.cal", {"-l3"},
     "SN\tFRAME(COUNTER)\tPRES\tTEMP(A)\tCHECK(SUM)\r\n"
     "0123\t0\t1234\t-5\t45\r\n0123\t1\t1235\t-4\t42\r\n0123\t2\t1236\t-3\t39\r\n"},
    {"process depth 2", "good.raw", "binary.cal", {"-l-2"},
     "SN\tFRAME(COUNTER)\tPRES\tTEMP(A)\tCHECK(SUM)\r\n0123\t1\t1235\t-4\t42\r\n0123\t3\t1237\t-2\t36\r\n"},
    {"limit and depth", "good.raw", "binary.cal", {"-l4-2"},
     "SN\tFRAME(COUNTER)\tPRES\tTEMP(A)\tCHECK(SUM)\r\n0123\t1\t1235\t-4\t42\r\n0123\t3\t1237\t-2\t36\r\n"},
    {"time tags as numbers; the last tag is missing", "tagged.raw", "binary.cal", {"-t", "-ec"},
     "SN\tFRAME(COUNTER)\tPRES\tTEMP(A)\tCHECK(SUM)\tDATETAG\tTIMETAG2\r\n"
     "0123\t0\t1234\t1\t0\t2007123\t12.582441\r\n0123\t1\t1234\t2\t0\t2007124\t24.000000\r\n"
     "0123\t2\t1234\t3\t0\tError 0\tError 0\r\n"},
    {"formatted time tags in a width", "tagged.raw", "binary.cal", {"-tf", "-ec", "-w10"},
     "        SN\tFRAME(COUNTER)\t      PRES\t   TEMP(A)\tCHECK(SUM)\t   DATETAG\t  TIMETAG2\r\n"
     "      0123\t         0\t      1234\t         1\t         0\t  2007-123\t12:34:56.789\r\n"
     "      0123\t         1\t      1234\t         2\t         0\t  2007-124\t23:59:59.999\r\n"
     "      0123\t         2\t      1234\t         3\t         0\t   Error 0\t   Error 0\r\n"},
    {"text fields, empty numbers and the ISO 8601 column", "ascii.raw", "ascii.tdf", {"-c"},
     "N\tU\tR\tISO8601\tWORD\r\n"
     "7\t12\t2.5000000000\t2007-05-03 12:34:56.789\tup\r\n"
     "\tError 6\t\t2007-05-03 12:34:57.000\tdown\r\n"
     "-3\t5\t1.0000000000\tshort\thold\r\n"},
    {"error frames left out", "ascii.raw", "ascii.tdf", {"-c", "-n"},
     "N\tU\tR\tISO8601\tWORD\r\n"
     "7\t12\t2.5000000000\t2007-05-03 12:34:56.789\tup\r\n"
     "-3\t5\t1.0000000000\tshort\thold\r\n"},
    {"suppressed strings and error texts", "ascii.raw", "ascii.tdf", {"-c", "-s", "-w5"},
     "    N\t    U\t    R\tISO8601\t WORD\r\n"
     "    7\t   12\t2.5000000000\t     \t     \r\n"
     "     \t\t     \t     \t     \r\n"
     "   -3\t    5\t1.0000000000\t     \t     \r\n"},
    {"header mode", "headers.raw", "", {}, "PRO1\tHDR Profiler one\r\n\tHDR Radiometer\r\n"},
    {"header mode with preamble, left-aligned", "headers.raw", "", {"-x", "-w6"},
     "Header\tLogFile\r\nSAT   \theaders.raw\r\n\r\nPRO1  \tHDR Profiler one\r\n      \tHDR Radiometer\r\n"},
    {"header mode across a gap wider than a read", "gap.raw", "", {}, "P1\tHDR One\r\n\tHDR Two\r\n"},
    {"instrument not found", "nofound.raw", "binary.cal", {}, kRawColumns},
    {"empty log", "empty.raw", "binary.cal", {"-x"},
     "Instrument\tInsFile\tLogFile\tFitted\tImmersed\tHex\tCheckSum\tTimeTags\tF-TimeTags\r\n"
     "TSTB0123\tbinary.cal\tempty.raw\tNO\tNO\tNO\tNO\tNO\tNO\r\n\r\n"
     "Index\tSN\tFRAME(COUNTER)\tPRES\tTEMP(A)\tCHECK(SUM)\r\n\t\t\tdbar\tC\t\r\n"},
    {"a limit beyond the last frame", "good.raw", "binary.cal", {"-l100"},
     "SN\tFRAME(COUNTER)\tPRES\tTEMP(A)\tCHECK(SUM)\r\n"
     "0123\t0\t1234\t-5\t45\r\n0123\t1\t1235\t-4\t42\r\n0123\t2\t1236\t-3\t39\r\n"
     "0123\t3\t1237\t-2\t36\r\n0123\t4\t1238\t-1\t33\r\n"},
    {"preamble with formatted time tags: the units line has no tag columns", "tagged.raw", "binary.cal",
     {"-x", "-tf", "-ec"},
     "Instrument\tInsFile\tLogFile\tFitted\tImmersed\tHex\tCheckSum\tTimeTags\tF-TimeTags\r\n"
     "TSTB0123\tbinary.cal\ttagged.raw\tNO\tNO\tNO\tYES\tYES\tYES\r\n\r\n"
     "Index\tSN\tFRAME(COUNTER)\tPRES\tTEMP(A)\tCHECK(SUM)\tDATETAG\tTIMETAG2\r\n"
     "\t\t\tdbar\tC\t\r\n"
     "1\t0123\t0\t1234\t1\t0\t2007-123\t12:34:56.789\r\n"
     "2\t0123\t1\t1234\t2\t0\t2007-124\t23:59:59.999\r\n"
     "3\t0123\t2\t1234\t3\t0\tError 0\tError 0\r\n"},
    {"suppressed strings turn formatted time tags plain, and a missing tag empty", "tagged.raw", "binary.cal",
     {"-tf", "-s", "-ec"},
     "SN\tFRAME(COUNTER)\tPRES\tTEMP(A)\tCHECK(SUM)\tDATETAG\tTIMETAG2\r\n"
     "0123\t0\t1234\t1\t0\t2007123\t12.582441\r\n0123\t1\t1234\t2\t0\t2007124\t24.000000\r\n"
     "0123\t2\t1234\t3\t0\t\t\r\n"},
    {"a missing tag with suppressed strings in a width", "tagged.raw", "binary.cal", {"-t", "-s", "-w8"},
     "      SN\tFRAME(COUNTER)\t    PRES\t TEMP(A)\tCHECK(SUM)\t DATETAG\tTIMETAG2\r\n"
     "    0123\t       0\t    1234\t       1\t      38\t 2007123\t12.582441\r\n"
     "    0123\t       1\t    1234\t       2\t      36\t 2007124\t24.000000\r\n"
     "    0123\t       2\t    1234\t       3\t      34\t        \t        \r\n"},
    {"time tags of the frames that depth keeps", "tagged.raw", "binary.cal", {"-t", "-ec", "-l-2"},
     "SN\tFRAME(COUNTER)\tPRES\tTEMP(A)\tCHECK(SUM)\tDATETAG\tTIMETAG2\r\n"
     "0123\t1\t1234\t2\t0\t2007124\t24.000000\r\n"},
};

class ConversionOutputTest : public testing::TestWithParam<Case> {};

TEST_P(ConversionOutputTest, WritesTheExpectedBytes) {
  const Case& c = GetParam();
  TempFolder folder;
  ConversionSetup setup;
  setup.log_file = c.log;
  setup.instrument_file = c.instrument;
  setup.parameters = [&](CBrivenParameters& p) {
    for (const char* s : c.switches) ASSERT_TRUE(p.ParseCommandLine(s)) << s;
  };
  const ConversionRun run = RunConversion(folder, setup);
  EXPECT_TRUE(run.completed) << run.log;
  EXPECT_EQ(run.output, c.output);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ConversionOutputTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) {
                           std::string name;
                           for (const char* p = info.param.name; *p; ++p)
                             if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
                           return name;
                         });

}  // namespace

namespace {

std::string Pad(const std::string& text, std::size_t width = 25) {
  return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

// The ISO 8601 text is cut to date and time before it is padded, so a wide
// column never shifts the cut into the padding.
TEST(ConversionWidthTest, TheIsoColumnIsRewrittenBeforeItIsPadded) {
  TempFolder folder;
  ConversionSetup setup;
  setup.log_file = "ascii.raw";
  setup.instrument_file = "ascii.tdf";
  setup.parameters = [](CBrivenParameters& p) {
    p.ParseCommandLine("-c");
    p.ParseCommandLine("-w25");
  };
  const ConversionRun run = RunConversion(folder, setup);
  ASSERT_TRUE(run.completed) << run.log;
  const std::string t = "\t";
  const std::string expected =
      Pad("N") + t + Pad("U") + t + Pad("R") + t + Pad("ISO8601") + t + Pad("WORD") + "\r\n" +  //
      Pad("7") + t + Pad("12") + t + Pad("2.5000000000") + t + Pad("2007-05-03 12:34:56.789") + t + Pad("up") +
      "\r\n" +  //
      Pad("") + t + Pad("Error 6") + t + Pad("") + t + Pad("2007-05-03 12:34:57.000") + t + Pad("down") + "\r\n" +
      Pad("-3") + t + Pad("5") + t + Pad("1.0000000000") + t + Pad("short") + t + Pad("hold") + "\r\n";
  EXPECT_EQ(run.output, expected);
}

}  // namespace

namespace {

// The window that follows a run learns of its end from the processing
// thread, once, and only when the document already counts it done.
TEST(ConversionEndListenerTest, IsToldOnceWhenTheRunIsDone) {
  TempFolder folder;
  ConversionSetup setup;
  setup.log_file = "ascii.raw";
  setup.instrument_file = "ascii.tdf";
  std::atomic<int> calls{0};
  std::atomic<bool> done_when_told{false};
  setup.document = [&](CBrivenDoc& doc) {
    doc.SetEndListener([&] {
      ConversionState state;
      doc.GetConversionState(state);
      done_when_told = state.done != 0;
      ++calls;
    });
  };
  const ConversionRun run = RunConversion(folder, setup);
  ASSERT_TRUE(run.completed) << run.log;
  EXPECT_EQ(calls.load(), 1);
  EXPECT_TRUE(done_when_told.load());
}

}  // namespace

#include "core/conversion/BrivenParameters.h"

#include <climits>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/conversion/SwitchNumber.h"
#include "platform/sys/Format.h"
#include "platform/sys/Profile.h"

namespace {

// Every field in one line, so a failing case shows exactly which field
// differs from what was expected.
std::string Describe(const CBrivenParameters& p) {
  const CSensorFormat& f = p.m_format;
  return sys::Format(
      "delim=[%s] imm=%d tt=%d ttf=%d sup=%d extra=%d cs=%d fc=%d sef=%d buf=%d limit=%d depth=%d "
      "dbl=%d fit=%d hex=%d width=%d prec=%d | ow=%d/%d ew=%d/%d cl=%d[%s]",
      p.m_strDelimiter.c_str(), p.m_nImmersed, p.m_nTimeTags, p.m_nTimeTagsFormatted, p.m_nSuppressStrings,
      p.m_nShowExtra, p.m_nCheckSumChecking, p.m_nFrameCounterChecking, p.m_nSensorErrorFrames, p.m_nBufferSize,
      p.m_nProcessLimit, p.m_nProcessDepth, f.m_nDoubleType, f.m_nApplyFit, f.m_nHexFormat, f.m_nWidth,
      f.m_nPrecision, p.m_nOverwriteSet, p.m_nOverwritePromptValue, p.m_nEndWindowSet, p.m_nDismissProgressValue,
      p.m_nConversionLogSet, p.m_strConversionLogPath.c_str());
}

using Change = std::function<void(CBrivenParameters&)>;

struct SwitchCase {
  const char* argument;
  bool accepted;
  Change expect;         // what the switch changes (refused switches may too)
  Change start = {};     // a non-default starting point, where the default hides the effect
};

void PrintTo(const SwitchCase& c, std::ostream* os) { *os << '"' << c.argument << '"'; }

const Change kNothing = [](CBrivenParameters&) {};

const std::vector<SwitchCase> kSwitchCases = {
    // Fits, immersion and the conversion log.
    {"-c", true, [](auto& p) { p.m_format.m_nApplyFit = 1; }},
    {"-ci", true, [](auto& p) { p.m_format.m_nApplyFit = 1; p.m_nImmersed = 1; }},
    {"-CI", true, [](auto& p) { p.m_format.m_nApplyFit = 1; p.m_nImmersed = 1; }},
    {"-cx", false, kNothing},
    {"-c=", false, kNothing},
    {"-cl", false, kNothing},
    {"-cl=", false, kNothing},
    {"-clx", false, kNothing},
    {"-c=x", false, kNothing},
    {"-cx=/tmp/a.log", false, kNothing},
    {"-cl=/Tmp/Run One.LOG", true,
     [](auto& p) { p.m_nConversionLogSet = 1; p.m_strConversionLogPath = "/Tmp/Run One.LOG"; }},
    {"-ConversionLog=/a/B=c", true,
     [](auto& p) { p.m_nConversionLogSet = 1; p.m_strConversionLogPath = "/a/B=c"; }},
    // Delimiters.
    {"-dt", true, [](auto& p) { p.m_strDelimiter = "\t"; }, [](auto& p) { p.m_strDelimiter = ","; }},
    {"-DT", true, [](auto& p) { p.m_strDelimiter = "\t"; }, [](auto& p) { p.m_strDelimiter = ","; }},
    {"-ds", true, [](auto& p) { p.m_strDelimiter = " "; }},
    {"-DS", true, [](auto& p) { p.m_strDelimiter = " "; }},
    {"-D;", true, [](auto& p) { p.m_strDelimiter = ";"; }},
    {"-d::", true, [](auto& p) { p.m_strDelimiter = "::"; }},
    {"-dtt", true, [](auto& p) { p.m_strDelimiter = "tt"; }},
    {"-dX", true, [](auto& p) { p.m_strDelimiter = "X"; }},
    {"-d", false, kNothing},
    // Error checks and the end-window override.
    {"-ef", true, [](auto& p) { p.m_nFrameCounterChecking = 1; }},
    {"-ec", true, [](auto& p) { p.m_nCheckSumChecking = 1; }},
    {"-EF", true, [](auto& p) { p.m_nFrameCounterChecking = 1; }},
    {"-efc", true, [](auto& p) { p.m_nFrameCounterChecking = 1; p.m_nCheckSumChecking = 1; }},
    {"-ECF", true, [](auto& p) { p.m_nFrameCounterChecking = 1; p.m_nCheckSumChecking = 1; }},
    {"-eff", true, [](auto& p) { p.m_nFrameCounterChecking = 1; }},
    {"-efx", true, [](auto& p) { p.m_nFrameCounterChecking = 1; }},
    {"-e", false, kNothing},
    {"-ex", false, kNothing},
    {"-ew=yes", true, [](auto& p) { p.m_nEndWindowSet = 1; p.m_nDismissProgressValue = 1; }},
    {"-EW=Y", true, [](auto& p) { p.m_nEndWindowSet = 1; p.m_nDismissProgressValue = 1; }},
    {"-endwindow=No", true, [](auto& p) { p.m_nEndWindowSet = 1; p.m_nDismissProgressValue = 0; },
     [](auto& p) { p.m_nDismissProgressValue = 1; }},
    {"-ew=n", true, [](auto& p) { p.m_nEndWindowSet = 1; }},
    {"-ew=maybe", false, kNothing},
    {"-ew=", false, kNothing},
    {"-ew", false, kNothing},
    {"-ewyes", false, kNothing},
    {"-end=yes", false, kNothing},
    // Number formats and flags that ignore what follows their letter.
    {"-ff", true, [](auto& p) { p.m_format.m_nDoubleType = 0; }, [](auto& p) { p.m_format.m_nDoubleType = 2; }},
    {"-fe", true, [](auto& p) { p.m_format.m_nDoubleType = 1; }},
    {"-FG", true, [](auto& p) { p.m_format.m_nDoubleType = 2; }},
    {"-fgx", true, [](auto& p) { p.m_format.m_nDoubleType = 2; }},
    {"-fx", false, kNothing},
    {"-f", false, kNothing},
    {"-h", true, [](auto& p) { p.m_format.m_nHexFormat = 1; }},
    {"-Hex", true, [](auto& p) { p.m_format.m_nHexFormat = 1; }},
    {"-n", true, [](auto& p) { p.m_nSensorErrorFrames = 0; }},
    {"-s", true, [](auto& p) { p.m_nSuppressStrings = 1; }},
    {"-x", true, [](auto& p) { p.m_nShowExtra = 1; }},
    {"-t", true, [](auto& p) { p.m_nTimeTags = 1; }},
    {"-tx", true, [](auto& p) { p.m_nTimeTags = 1; }},
    {"-TF", true, [](auto& p) { p.m_nTimeTags = 1; p.m_nTimeTagsFormatted = 1; }},
    {"-txf", true, [](auto& p) { p.m_nTimeTags = 1; }},
    // Frame limit and depth.
    {"-l100", true, [](auto& p) { p.m_nProcessLimit = 100; }, [](auto& p) { p.m_nProcessDepth = 3; }},
    {"-L100-5", true, [](auto& p) { p.m_nProcessLimit = 100; p.m_nProcessDepth = 5; }},
    {"-l-5", true, [](auto& p) { p.m_nProcessDepth = 5; }, [](auto& p) { p.m_nProcessLimit = 9; }},
    {"-l0", true, [](auto& p) { p.m_nProcessLimit = 0; }},
    {"-l32766-32766", true, [](auto& p) { p.m_nProcessLimit = 32766; p.m_nProcessDepth = 32766; }},
    {"-l \t7", true, [](auto& p) { p.m_nProcessLimit = 7; }},
    {"-l+7", true, [](auto& p) { p.m_nProcessLimit = 7; }},
    {"-l7 ", true, [](auto& p) { p.m_nProcessLimit = 7; }},
    {"-l12abc", false, kNothing},  // a typing slip is refused, not read as -l12
    {"-l100-5x", false, [](auto& p) { p.m_nProcessLimit = 100; }},
    {"-l0-0", false, [](auto& p) { p.m_nProcessLimit = 0; }},
    {"-l5-x", false, [](auto& p) { p.m_nProcessLimit = 5; }},
    {"-l40000", false, kNothing},
    {"-l32767", false, kNothing},
    {"-l", false, kNothing},
    {"-l-", false, kNothing},
    {"-lx", false, kNothing},
    {"-l--5", false, kNothing},
    {"-l4294967396", false, kNothing},   // 2^32 + 100: wraps to 100 if cut to 32 bits
    {"-l-4294967297", false, kNothing},  // depth 2^32 + 1
    {"-l99999999999999999999999", false, kNothing},
    // Precision and width.
    {"-p0", true, [](auto& p) { p.m_format.m_nPrecision = 0; }},
    {"-P32766", true, [](auto& p) { p.m_format.m_nPrecision = 32766; }},
    {"-p-1", false, kNothing},
    {"-p", false, kNothing},
    {"-p4294967296", false, kNothing},  // 2^32: wraps to 0 if cut to 32 bits
    {"-w1", true, [](auto& p) { p.m_format.m_nWidth = 1; }},
    {"-w0", false, kNothing},
    {"-w5x", false, kNothing},
    {"-p3.5", false, kNothing},
    {"-w32767", false, kNothing},
    {"-w4294967297", false, kNothing},
    // The overwrite override.
    {"-ow=yes", true, [](auto& p) { p.m_nOverwriteSet = 1; p.m_nOverwritePromptValue = 0; },
     [](auto& p) { p.m_nOverwritePromptValue = 1; }},
    {"-OW=Y", true, [](auto& p) { p.m_nOverwriteSet = 1; }},
    {"-overwrite=NO", true, [](auto& p) { p.m_nOverwriteSet = 1; p.m_nOverwritePromptValue = 1; }},
    {"-ow=n", true, [](auto& p) { p.m_nOverwriteSet = 1; p.m_nOverwritePromptValue = 1; }},
    {"-ow", false, kNothing},
    {"-o", false, kNothing},
    {"-o=y", false, kNothing},
    {"-ow=", false, kNothing},
    {"-ow=maybe", false, kNothing},
    {"-owyes", false, kNothing},
    {"-over=yes", false, kNothing},
    // Not switches at all: "/" starts a path.
    {"-q", false, kNothing},
    {"-", false, kNothing},
    {"", false, kNothing},
    {"--c", false, kNothing},
    {"/c", false, kNothing},
    {"/", false, kNothing},
    {"/tmp/out.dat", false, kNothing},
    {"c", false, kNothing},
};

class ParameterSwitchTest : public testing::TestWithParam<SwitchCase> {};

TEST_P(ParameterSwitchTest, SetsItsFieldsAndCountsOnlyAcceptedSwitches) {
  const SwitchCase& c = GetParam();
  CBrivenParameters actual;
  if (c.start) c.start(actual);
  CBrivenParameters expected = actual;
  c.expect(expected);

  EXPECT_EQ(actual.ParseCommandLine(c.argument), c.accepted);
  EXPECT_EQ(Describe(actual), Describe(expected));
  EXPECT_EQ(actual.GetParsedCount(), c.accepted ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(AllSwitches, ParameterSwitchTest, testing::ValuesIn(kSwitchCases));

TEST(ParameterSwitchSequenceTest, CountsAcceptedSwitchesAcrossCallsAndLaterOnesWin) {
  CBrivenParameters p;
  for (const char* argument : {"-c", "-d;", "-q", "-l50", "-d,", "/x"}) p.ParseCommandLine(argument);
  EXPECT_EQ(p.GetParsedCount(), 4);
  EXPECT_EQ(p.m_strDelimiter, ",");
  EXPECT_EQ(p.m_nProcessLimit, 50);
  EXPECT_EQ(p.m_format.m_nApplyFit, 1);
}

struct NumberCase {
  const char* text;
  int lowest, highest;
  bool accepted;
  int value;
};

TEST(SwitchNumberTest, ReadsThirtyTwoBitDecimalsAndRefusesOverflow) {
  const NumberCase cases[] = {
      {"2147483647", INT_MIN, INT_MAX, true, INT_MAX},
      {"-2147483648", INT_MIN, INT_MAX, true, INT_MIN},
      {"2147483648", INT_MIN, INT_MAX, false, 0},
      {"-2147483649", INT_MIN, INT_MAX, false, 0},
      {"18446744073709551617", INT_MIN, INT_MAX, false, 0},
      {" \v\f\r\n\t-12 \t", INT_MIN, INT_MAX, true, -12},
      {"-12x", INT_MIN, INT_MAX, false, 0},
      {"1 2", INT_MIN, INT_MAX, false, 0},
      {"007", 0, 10, true, 7},
      {"- 1", INT_MIN, INT_MAX, false, 0},
      {"+", INT_MIN, INT_MAX, false, 0},
      {"", INT_MIN, INT_MAX, false, 0},
      {"11", 0, 10, false, 0},
  };
  for (const NumberCase& c : cases) {
    int value = 0;
    const bool accepted =
        conversion::ParseSwitchNumber(c.text, c.lowest, c.highest, value) == conversion::SwitchNumberResult::kAccepted;
    EXPECT_EQ(accepted, c.accepted) << '"' << c.text << '"';
    EXPECT_EQ(value, c.value) << '"' << c.text << '"';
  }
}

// Every refused switch is named with what was wrong with it.
TEST(ParameterSwitchRefusalTest, NamesTheSwitchAndTheReason) {
  const std::pair<const char*, const char*> cases[] = {
      {"-q", "\"-q\": there is no switch -q (see briven --help)"},
      {"-cx", "\"-cx\": expected -c, -ci, -cl=PATH or -conversionlog=PATH"},
      {"-cl=", "\"-cl=\": the conversion log path is empty"},
      {"-d", "\"-d\": expected the delimiter after -d (-dt for a tab, -ds for a space)"},
      {"-e", "\"-e\": expected -ef, -ec, -efc, -ew=yes|no or -endwindow=yes|no"},
      {"-ew=maybe", "\"-ew=maybe\": the end window answer must be yes, no, y or n"},
      {"-fx", "\"-fx\": expected -ff, -fe or -fg"},
      {"-l", "\"-l\": expected the frame limit, a number from 0 to 32766"},
      {"-l40000", "\"-l40000\": the frame limit must be from 0 to 32766"},
      {"-l5abc", "\"-l5abc\": the frame limit must be a number from 0 to 32766 with nothing after it"},
      {"-l0-0", "\"-l0-0\": the frame depth must be from 1 to 32766"},
      {"-ow", "\"-ow\": expected -ow=yes|no or -overwrite=yes|no"},
      {"-OW=Maybe", "\"-OW=Maybe\": the overwrite answer must be yes, no, y or n"},
      {"-p-1", "\"-p-1\": the precision must be from 0 to 32766"},
      {"-w", "\"-w\": expected the width, a number from 1 to 32766"},
      {"-w5x", "\"-w5x\": the width must be a number from 1 to 32766 with nothing after it"},
      {"out.dat", "\"out.dat\": not a switch; at most three file names (log, output, instrument) come first, then "
                  "the switches, each \"-\" and a letter"},
  };
  for (const auto& [argument, reason] : cases) {
    CBrivenParameters p;
    EXPECT_FALSE(p.ParseCommandLine(argument)) << argument;
    EXPECT_EQ(p.GetRefusalReason(), reason);
  }
}

}  // namespace

// The conversion log of a complete, an aborted and a failed conversion
// (stamps removed), its start block, and the log file series.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <fstream>

#include "core/conversion/ConversionLogFile.h"
#include "core/conversion/ConversionLogText.h"
#include "platform/sys/Notify.h"
#include "tests/core/conversion/ConversionRunner.h"

namespace {

using conversion_test::ConversionRun;
using conversion_test::ConversionSetup;
using conversion_test::FixturePath;
using conversion_test::RunConversion;
using conversion_test::TempFolder;

// The entry that begins with `first` and the tab-indented lines under it.
std::string Entry(const std::string& log, const std::string& first) {
  const std::size_t start = log.find(first);
  if (start == std::string::npos) return "<missing " + first + ">";
  std::size_t end = log.find("\r\n", start);
  while (end != std::string::npos && end + 2 < log.size() && log[end + 2] == '\t') end = log.find("\r\n", end + 2);
  return log.substr(start, end == std::string::npos ? std::string::npos : end + 2 - start);
}

std::string Data(const std::string& name) { return FixturePath(name); }

TEST(ConversionLogTest, CompleteConversion) {
  TempFolder folder;
  ConversionSetup setup;
  setup.log_file = "errors.raw";
  setup.instrument_file = "binary.cal";
  setup.parameters = [](CBrivenParameters& p) {
    p.ParseCommandLine("-ci");
    p.ParseCommandLine("-t");
    p.ParseCommandLine("-efc");
  };
  const ConversionRun run = RunConversion(folder, setup);
  ASSERT_TRUE(run.completed) << run.log;
  EXPECT_EQ(Entry(run.log, "Begin"), "Begin instrument conversion.\r\n\tLog File: \"" + Data("errors.raw") +
                                         "\"\r\n\tOutput File: \"" + folder.Path("out.dat") +
                                         "\"\r\n\tInstrument File: \"" + folder.Path("binary.cal") +
                                         "\"\r\n\tCalibration coefficients applied.\r\n"
                                         "\tImmersion coefficients applied.\r\n\tTime Tag output enabled.\r\n"
                                         "\tFrame error checking enabled.\r\n\tCheck Sum error checking enabled.\r\n"
                                         "\tSensor error frame output enabled.\r\n");
  EXPECT_NE(run.log.find("\r\nFrame counter error detected for frame index 3.\r\n"
                         "Check sum error detected for frame index 4.\r\n"),
            std::string::npos)
      << run.log;
  // With time tags on, the two stray bytes behind frame 4 stand where its
  // tag would be: they are no resynchronisation.
  EXPECT_EQ(Entry(run.log, "Conversion"),
            "Conversion complete.\r\n\tFrames processed: 5\r\n\tResynchronizations required: 0\r\n"
            "\tFrame counter errors: 1\r\n\tCheck sum errors: 1\r\n");
}

// The lines of the preparation, reported on this thread and written on the
// processing thread, come in the order they were reported, in every run.
TEST(ConversionLogTest, PreparationLinesKeepTheirOrderFromRunToRun) {
  std::string first_log;
  for (int run_index = 0; run_index < 20; ++run_index) {
    TempFolder folder;
    std::string log = RunConversion(folder, {"good.raw", "binary.cal", nullptr, nullptr, false}).log;
    // Each run has a folder of its own.
    for (std::size_t at; (at = log.find(folder.Path(""))) != std::string::npos;)
      log.replace(at, folder.Path("").size(), "<folder>/");
    if (run_index == 0) first_log = log;
    ASSERT_EQ(log, first_log) << "run " << run_index;
  }
  std::size_t at = 0;
  for (const char* line : {"Begin instrument conversion.\r\n", "Initializing file resource: ",
                           " read successfully.\r\n", "Attaching ", "Enabling telemetry acquisition for ",
                           "Conversion complete.\r\n"}) {
    at = first_log.find(line, at);
    ASSERT_NE(at, std::string::npos) << line << " out of place in\n" << first_log;
  }
}

TEST(ConversionLogTest, NotFoundAndHeaderModeBlocks) {
  TempFolder folder, header_folder;
  ConversionRun run = RunConversion(folder, {"nofound.raw", "binary.cal", nullptr, nullptr, false});
  EXPECT_TRUE(run.completed);
  EXPECT_EQ(Entry(run.log, "Conversion"), "Conversion complete.\r\n\tTSTB0123 not found.\r\n");
  EXPECT_EQ(run.state.not_found, 1u);
  run = RunConversion(header_folder, {"headers.raw", "", nullptr, nullptr, false});
  EXPECT_EQ(Entry(run.log, "Begin"), "Begin header conversion.\r\n\tLog File: \"" + Data("headers.raw") +
                                         "\"\r\n\tOutput File: \"" + header_folder.Path("out.dat") + "\"\r\n");
}

// A log long enough that a stop after the first frame comes before its end,
// also on a loaded machine where the test's polling thread runs late.
constexpr int kLongLogCopies = 200000;  // five frames each
std::string LongLog(const TempFolder& folder, int copies = kLongLogCopies) {
  const std::string one = conversion_test::ReadFile(FixturePath("good.raw"));
  std::string text;
  for (int i = 0; i < copies; ++i) text += one;
  return folder.Write("long.raw", text);
}

TEST(ConversionLogTest, AbortedConversionCountsWhatWasDone) {
  TempFolder folder;
  ConversionSetup setup{LongLog(folder), "binary.cal", nullptr, nullptr, true};
  const ConversionRun run = RunConversion(folder, setup);
  EXPECT_FALSE(run.completed);
  const std::string summary = Entry(run.log, "Conversion");
  EXPECT_EQ(summary.rfind("Conversion aborted.\r\n\tFrames processed: ", 0), 0u) << summary;
  EXPECT_NE(summary.find("\tResynchronizations required: 0\r\n"), std::string::npos);
  EXPECT_GT(run.state.counters.frames_processed, 0u);
  EXPECT_LT(run.state.counters.frames_processed, 5u * kLongLogCopies);
}

TEST(ConversionLogTest, FailedPreparationLogsTheReasonAndUndoesTheResource) {
  TempFolder folder;
  std::string resources = "unset";
  ConversionSetup setup{"good.raw", folder.Path("missing.cal"), nullptr, nullptr, false};
  const ConversionRun run = RunConversion(folder, setup);
  EXPECT_FALSE(run.prepared);
  const std::string reason = "An error occured reading the instrument file\"" + folder.Path("missing.cal") +
                             "\".\r\nConversion aborted.\r\n";
  EXPECT_NE(run.log.find(reason + "Conversion aborted.\r\n"), std::string::npos) << run.log;
  EXPECT_NE(run.log.find("Removing communications resource: " + Data("good.raw") + ".\r\n"), std::string::npos);
  EXPECT_EQ(run.output, "");  // nothing was created
}

TEST(ConversionLogTest, MissingLogFile) {
  TempFolder folder;
  const ConversionRun run = RunConversion(folder, {folder.Path("none.raw"), "binary.cal", nullptr, nullptr, false});
  EXPECT_FALSE(run.prepared);
  EXPECT_NE(run.log.find("An error occured opening the log file.\r\n\tThe file could not be found.\r\n"
                         "Conversion aborted.\r\n"),
            std::string::npos)
      << run.log;
}

// A file size limit makes the output's writes fail as a full disk would:
// the 10000 rows stay in the buffer until the output is closed, so only
// that final write fails.
TEST(ConversionLogTest, OutputThatCannotBeWrittenOutFailsTheConversion) {
  TempFolder folder;
  const std::string log = LongLog(folder, 2000);
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 100000;  // the log is written already; its output does not fit
  ::setrlimit(RLIMIT_FSIZE, &small);
  const ConversionRun run = RunConversion(folder, {log, "binary.cal", nullptr, nullptr, false});
  ::setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_FALSE(run.completed);
  EXPECT_NE(run.log.find("An error occured writing to the output file.\r\n\t"), std::string::npos) << run.log;
  EXPECT_EQ(Entry(run.log, "Conversion").rfind("Conversion aborted.\r\n", 0), 0u) << run.log;
}

TEST(ConversionLogTextTest, SummaryLinesFollowTheChecksInUse) {
  conversion::SummaryInput in;
  in.instrument_header = "HDR";
  EXPECT_EQ(conversion::SummaryText(in), "Conversion complete.\r\n");
  in.not_found = true;
  EXPECT_EQ(conversion::SummaryText(in), "Conversion complete.\r\n\tHDR not found.\r\n");
  in.failed = true;
  EXPECT_EQ(conversion::SummaryText(in), "Conversion aborted.\r\n\tHDR not found.\r\n");
  in.aborted = true;
  in.counters.frames_processed = 4;
  in.counters.resynchronizations = 2;
  in.counters.check_sum_errors = 3;
  in.check_sum_checked = true;
  EXPECT_EQ(conversion::SummaryText(in),
            "Conversion aborted.\r\n\tFrames processed: 4\r\n\tResynchronizations required: 2\r\n"
            "\tCheck sum errors: 3\r\n");
}

TEST(ConversionLogFileTest, ASecondCopyMovesOnAndNeverTruncatesTheFirst) {
  TempFolder folder;
  const std::string dir = folder.Path() + "/";
  CConversionLogFile first, second;
  ASSERT_EQ(first.OpenSeries(dir, {}), CConversionLogFile::OpenResult::kOpened);
  first.Write("first copy\r\n");
  ASSERT_EQ(second.OpenSeries(dir, {}), CConversionLogFile::OpenResult::kOpened);
  EXPECT_EQ(second.GetFilePath(), dir + "Briven2.log");
  EXPECT_EQ(conversion_test::ReadFile(dir + "Briven.log"), "first copy\r\n");
  CConversionLogFile more[7];
  for (CConversionLogFile& f : more) ASSERT_EQ(f.OpenSeries(dir, {}), CConversionLogFile::OpenResult::kOpened);
  EXPECT_EQ(more[6].GetFilePath(), dir + "Briven9.log");
  CConversionLogFile tenth;
  EXPECT_EQ(tenth.OpenSeries(dir, {}), CConversionLogFile::OpenResult::kAllTaken);
}

TEST(ConversionLogFileTest, TheLogOrInstrumentFileIsNeverTakenForALog) {
  TempFolder folder;
  const std::string dir = folder.Path() + "/";
  const std::string raw = folder.Write("Briven.log", "raw bytes");
  CConversionLogFile log;
  ASSERT_EQ(log.OpenSeries(dir, {raw}), CConversionLogFile::OpenResult::kOpened);
  EXPECT_EQ(log.GetFilePath(), dir + "Briven2.log");
  EXPECT_EQ(conversion_test::ReadFile(raw), "raw bytes");
  CConversionLogFile named;
  EXPECT_EQ(named.OpenNamed(raw, {raw}), CConversionLogFile::OpenResult::kRefused);
  EXPECT_EQ(conversion_test::ReadFile(raw), "raw bytes");
}

}  // namespace

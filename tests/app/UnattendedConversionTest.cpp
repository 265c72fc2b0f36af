// The program run from the command line as a user's script would run it:
// no display, no window, every case under a time limit, with the output
// bytes, the text on stderr and the exit status checked.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/app/AppTestFolder.h"
#include "tests/app/ProgramRun.h"
#include "tests/app/ProgramRunFixture.h"

namespace {


const std::string kBinaryColumns = "SN\tFRAME(COUNTER)\tPRES\tT(W)\tCOND\tLU(490)\tSTATUS\tCHECK(SUM)\r\n";
const std::string kBinaryFirstRow = "0417\t0\t1100\t6078\t3.2668466568\t62510\t0\t183\r\n";

bool Exists(const std::string& path) { return std::filesystem::exists(path); }

std::size_t CountLines(const std::string& text) {
  std::size_t lines = 0;
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++lines;
  return lines;
}

class UnattendedConversion : public apptest::ProgramRunTest {
 protected:
  std::string Example(const std::string& name) { return ProgramRunTest::Example(name, "examples"); }

  std::string binary_log_ = Example("binary_cast.raw");
  std::string binary_instrument_ = Example("NMBP0417.tdf");
  std::string ascii_log_ = Example("ascii_cast.raw");
  std::string ascii_instrument_ = Example("NMAC0093.tdf");
};

TEST_F(UnattendedConversion, ThreeNamesConvertEveryFrameQuietly) {
  const apptest::ProgramRun run = Run({binary_log_, Path("out.dat"), binary_instrument_});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.err, "");
  const std::string output = apptest::ReadFile(Path("out.dat"));
  ASSERT_EQ(output.substr(0, kBinaryColumns.size() + kBinaryFirstRow.size()), kBinaryColumns + kBinaryFirstRow);
  EXPECT_EQ(CountLines(output), 1u + 304u);
  // Every start registers the shell verb that converts a raw file.
  const std::string classes = apptest::ReadFile(Path("config/briven/classes-root.settings"));
  EXPECT_NE(classes.find("[RawFile\\shell\\convert]\n@=sz:\"Con&vert\""), std::string::npos) << classes;
  EXPECT_NE(classes.find("[RawFile\\shell\\convert\\command]"), std::string::npos) << classes;
  EXPECT_NE(classes.find("briven \\\"%1\\\""), std::string::npos) << classes;
}

struct UnopenedLogCase {
  const char* name;
  std::string conversion_log;
  std::string reason;
};

TEST_F(UnattendedConversion, AConversionLogThatCannotBeOpenedIsToldAndTheConversionGoesOn) {
  std::filesystem::create_directories(Path("a-folder"));
  const std::vector<UnopenedLogCase> cases = {
      {"missing folder", Path("no-such-folder/run.log"), "All or part of the path is invalid."},
      {"a folder", Path("a-folder"), "The file could not be accessed."},
  };
  for (const UnopenedLogCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string output = Path(std::string(c.name) + ".dat");
    const apptest::ProgramRun run = Run({binary_log_, output, binary_instrument_, "-cl=" + c.conversion_log});
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.err, "briven: An error occured while opening the conversion log file \"" + c.conversion_log + "\". " +
                           c.reason + " No conversion log file will be recorded.\n");
    EXPECT_EQ(CountLines(apptest::ReadFile(output)), 1u + 304u);
  }
  // A conversion that fails still fails, and says both.
  const apptest::ProgramRun run =
      Run({Path("missing.raw"), Path("failed.dat"), binary_instrument_, "-cl=" + cases[0].conversion_log});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.err.find("briven: An error occured while opening the conversion log file"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("An error occured opening the log file. The file could not be found."), std::string::npos)
      << run.err;
}

TEST_F(UnattendedConversion, ProgressLineOnlyWhenStderrIsATerminal) {
  apptest::ProgramOptions options;
  options.stderr_terminal = true;
  const apptest::ProgramRun run = Run({binary_log_, Path("out.dat"), binary_instrument_}, options);
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_NE(run.err.find("\rbriven: converting binary_cast.raw: 100%"), std::string::npos) << run.err;
  // The pipe of the other tests gets none of it (they expect stderr empty).
}

TEST_F(UnattendedConversion, RelativeNamesResolveAgainstTheWorkingFolder) {
  std::filesystem::copy_file(ascii_log_, Path("cast.raw"));
  std::filesystem::copy_file(ascii_instrument_, Path("ctd.tdf"));
  const apptest::ProgramRun run = Run({"cast.raw", "cast.dat", "ctd.tdf"});
  EXPECT_EQ(run.exit_code, 0);
  const std::string output = apptest::ReadFile(Path("cast.dat"));
  EXPECT_EQ(output.substr(0, output.find("\r\n") + 2), "SN\tFRAME(COUNTER)\tPRES\tT(W)\tCOND\tMOTION\r\n");
  EXPECT_EQ(CountLines(output), 1u + 287u);
}

TEST_F(UnattendedConversion, TwoNamesConvertTheHeaderLines) {
  apptest::WriteFile(Path("header.raw"),
                     "BRVHDR NMBP0417 (Instrument)\r\nBRVHDR Norrvik Marine (Maker)\r\n" +
                         apptest::ReadFile(binary_log_).substr(0, 220));
  const apptest::ProgramRun run = Run({Path("header.raw"), Path("header.txt")});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(apptest::ReadFile(Path("header.txt")), "Instrument\tNMBP0417\r\nMaker\tNorrvik Marine\r\n");
}

TEST_F(UnattendedConversion, TheBundledHeaderExampleConverts) {
  const apptest::ProgramRun run = Run({Example("header_cast.raw"), Path("header.txt")});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(apptest::ReadFile(Path("header.txt")),
            "Instrument\tNMBP0417\r\nMaker\tNorrvik Marine\r\nCast date\t2026-03-14\r\n"
            "Position\t63.4412 N 10.3951 E\r\nComment\tStation 7, cast 2\r\n");
}

TEST_F(UnattendedConversion, AnInstalledProgramFindsTheHeaderDefinitionUnderShare) {
  // bin/briven with its header definition only in share/briven/.
  std::filesystem::create_directories(Path("prefix/bin"));
  std::filesystem::create_directories(Path("prefix/share/briven"));
  std::filesystem::copy_file(BRIVEN_PROGRAM, Path("prefix/bin/briven"));
  std::filesystem::copy_file(std::string(BRIVEN_APP_SOURCE) + "/qelhdr1.tdf", Path("prefix/share/briven/qelhdr1.tdf"));
  apptest::WriteFile(Path("header.raw"), "BRVHDR 0417 (Serial)\r\n");
  apptest::ProgramOptions options;
  options.program = Path("prefix/bin/briven");
  const apptest::ProgramRun run = Run({Path("header.raw"), Path("header.txt")}, options);
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(apptest::ReadFile(Path("header.txt")), "Serial\t0417\r\n");
}

TEST_F(UnattendedConversion, EverySwitchGroupShapesTheOutput) {
  const std::string log_path = Path("Logs/Run.Log");
  std::filesystem::create_directory(Path("Logs"));
  const apptest::ProgramRun run = Run({binary_log_, Path("fitted.dat"), binary_instrument_, "-c", "-d,", "-EFC",
                                       "-ff", "-l100-2", "-p3", "-w12", "-x", "-ew=yes", "-ow=yes",
                                       "-CL=" + log_path});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  const std::string output = apptest::ReadFile(Path("fitted.dat"));
  // Fitted (pressure 1119 x 0.01 - 10, temperature 6054 x 0.001), three
  // decimals, width 12, comma, frame index column, every 2nd of 100 frames.
  EXPECT_NE(output.find("           2,        0417,           1,       1.190,       6.054,"), std::string::npos)
      << output.substr(0, 600);
  EXPECT_EQ(output.find("         102,"), std::string::npos);
  EXPECT_NE(output.find("         100,"), std::string::npos);
  // The path keeps its case: the log is where the switch said.
  const std::string log = apptest::ReadFile(log_path);
  EXPECT_NE(log.find("Calibration coefficients applied."), std::string::npos);
  EXPECT_NE(log.find("Conversion complete.\r\n\tFrames processed: 100"), std::string::npos) << log;
}

struct SwitchCase {
  std::vector<std::string> switches;
  std::string first_lines;  // the output's beginning
  bool time_tagged = false;  // converts the time-tagged log
};

// The first three frames of the binary example, each followed by its time
// tag: day 100 of 2026 (24 bits) and 12:34:56.789 (32 bits), big-endian.
std::string TimeTaggedLog(const std::string& binary_log) {
  const std::string bytes = apptest::ReadFile(binary_log);
  const std::string tag = {'\x1E', '\xEA', '\x74', '\x07', '\x5B', '\xCD', '\x15'};
  std::string log;
  std::size_t at = 0;
  for (int i = 0; i < 3; ++i) {
    at = bytes.find("NMBP0417", at);
    log += bytes.substr(at, 22) + tag;
    at += 22;
  }
  return log;
}

TEST_F(UnattendedConversion, TheOtherSwitchGroupsShapeTheOutputToo) {
  const std::string columns = "SN FRAME(COUNTER) PRES T(W) COND LU(490) STATUS CHECK(SUM)\r\n";
  const std::vector<SwitchCase> cases = {
      // Hexadecimal raw counts (1100 is 44C), a space between fields; the
      // serial number is no text field, so suppression leaves it.
      {{"-h", "-s", "-ds", "-n"}, columns + "0417 0 44C 17BE 3.2668466568 F42E 0 B7\r\n"},
      // Fits with the immersion coefficient (radiance x 1.75), exponent
      // format with two digits, tab delimiter, three frames.
      {{"-CI", "-fe", "-p2", "-DT", "-l3"},
       kBinaryColumns + "0417\t0\t1.00e+00\t6.08e+00\t3.27e+01\t3.77e+01\t0\t183\r\n"
                        "0417\t1\t1.19e+00\t6.05e+00\t3.26e+01\t3.74e+01\t0\t57\r\n"
                        "0417\t2\t1.39e+00\t6.03e+00\t3.26e+01\t3.71e+01\t0\t74\r\n"},
      // Time tags, as the log holds them and formatted.
      {{"-t"},
       "SN\tFRAME(COUNTER)\tPRES\tT(W)\tCOND\tLU(490)\tSTATUS\tCHECK(SUM)\tDATETAG\tTIMETAG2\r\n"
       "0417\t0\t1100\t6078\t3.2668466568\t62510\t0\t183\t2026100\t12.582441\r\n",
       true},
      {{"-TF"},
       "SN\tFRAME(COUNTER)\tPRES\tT(W)\tCOND\tLU(490)\tSTATUS\tCHECK(SUM)\tDATETAG\tTIMETAG2\r\n"
       "0417\t0\t1100\t6078\t3.2668466568\t62510\t0\t183\t2026-100\t12:34:56.789\r\n"
       "0417\t1\t1119\t6054\t3.2649209499\t62048\t0\t57\t2026-100\t12:34:56.789\r\n"
       "0417\t2\t1139\t6032\t3.2626614571\t61564\t0\t74\t2026-100\t12:34:56.789\r\n",
       true},
  };
  apptest::WriteFile(Path("tagged.raw"), TimeTaggedLog(binary_log_));
  for (const SwitchCase& c : cases) {
    const std::string log = c.time_tagged ? Path("tagged.raw") : binary_log_;
    std::vector<std::string> arguments = {log, Path("switched.dat"), binary_instrument_, "-ow=yes"};
    arguments.insert(arguments.end(), c.switches.begin(), c.switches.end());
    const apptest::ProgramRun run = Run(arguments);
    EXPECT_EQ(run.exit_code, 0) << c.switches[0] << run.err;
    EXPECT_EQ(apptest::ReadFile(Path("switched.dat")).substr(0, c.first_lines.size()), c.first_lines)
        << c.switches[0];
  }
}

struct UsageCase {
  const char* name;
  std::vector<std::string> arguments;
  const char* message;
};

TEST_F(UnattendedConversion, UsageErrorsEndWithStatusTwoAndNoOutput) {
  const std::vector<UsageCase> cases = {
      {"fourth name", {binary_log_, "out.dat", binary_instrument_, "extra.tdf"},
       "briven: Invalid command line parameters. Parameters parsed: 3\n"
       "briven: Refused \"extra.tdf\": not a switch; at most three file names (log, output, instrument) come "
       "first, then the switches, each \"-\" and a letter.\n"},
      {"refused switch", {binary_log_, "out.dat", "-zz"},
       "briven: Invalid command line parameters. Parameters parsed: 2\n"
       "briven: Refused \"-zz\": there is no switch -z (see briven --help).\n"},
      {"number with text after it", {binary_log_, "out.dat", "-x", "-w5x"},
       "briven: Invalid command line parameters. Parameters parsed: 3\n"
       "briven: Refused \"-w5x\": the width must be a number from 1 to 32766 with nothing after it.\n"},
      {"switch before a second name", {binary_log_, "-x", "out.dat"},
       "briven: Invalid command line parameters. Parameters parsed: 2\n"
       "briven: Refused \"out.dat\": not a switch; at most three file names (log, output, instrument) come "
       "first, then the switches, each \"-\" and a letter.\n"},
      {"one name and switches", {binary_log_, "-x", "-c"},
       "briven: There must be at least two file name parameters to use command line processing.\n"},
  };
  for (const UsageCase& c : cases) {
    const apptest::ProgramRun run = Run(c.arguments);
    EXPECT_EQ(run.exit_code, 2) << c.name;
    EXPECT_EQ(run.err, c.message) << c.name;
    EXPECT_FALSE(Exists(Path("out.dat"))) << c.name;
  }
}

TEST_F(UnattendedConversion, InteractiveStartWithoutDisplayIsRefused) {
  for (const std::vector<std::string>& arguments : {std::vector<std::string>{}, {binary_log_}}) {
    const apptest::ProgramRun run = Run(arguments);
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_NE(run.err.find("DISPLAY"), std::string::npos) << run.err;
  }
}

TEST_F(UnattendedConversion, ExistingOutputIsKeptUnlessOverwriteIsAllowed) {
  const std::string old_bytes = "yesterday's results\r\n";
  apptest::WriteFile(Path("out.dat"), old_bytes);
  const apptest::ProgramRun refused = Run({binary_log_, Path("out.dat"), binary_instrument_});
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_NE(refused.err.find("The output file \"" + Path("out.dat") + "\" already exists."), std::string::npos)
      << refused.err;
  EXPECT_NE(refused.err.find("briven: Conversion aborted.\n"), std::string::npos) << refused.err;
  EXPECT_EQ(apptest::ReadFile(Path("out.dat")), old_bytes);

  const apptest::ProgramRun allowed = Run({binary_log_, Path("out.dat"), binary_instrument_, "-ow=yes"});
  EXPECT_EQ(allowed.exit_code, 0);
  EXPECT_EQ(apptest::ReadFile(Path("out.dat")).substr(0, kBinaryColumns.size()), kBinaryColumns);
}

TEST_F(UnattendedConversion, StoredOverwritePromptOffReplacesUnlessTheSwitchSaysNo) {
  std::filesystem::create_directories(Path("config/briven"));
  apptest::WriteFile(Path("config/briven/current-user.settings"),
                     "[Software\\Harwendel\\Briven\\Settings]\n\"Overwrite Prompt\"=dword:00000000\n");
  const std::string old_bytes = "yesterday's results\r\n";
  apptest::WriteFile(Path("out.dat"), old_bytes);
  const apptest::ProgramRun kept = Run({binary_log_, Path("out.dat"), binary_instrument_, "-ow=no"});
  EXPECT_EQ(kept.exit_code, 1);
  EXPECT_NE(kept.err.find("already exists."), std::string::npos) << kept.err;
  EXPECT_EQ(apptest::ReadFile(Path("out.dat")), old_bytes);

  // The switch held for its own run only: the stored setting replaces now.
  const apptest::ProgramRun replaced = Run({binary_log_, Path("out.dat"), binary_instrument_});
  EXPECT_EQ(replaced.exit_code, 0) << replaced.err;
  EXPECT_EQ(replaced.err, "");
  EXPECT_EQ(apptest::ReadFile(Path("out.dat")).substr(0, kBinaryColumns.size()), kBinaryColumns);
}

TEST_F(UnattendedConversion, AbsentInstrumentHeaderCompletesWithStatusThree) {
  const apptest::ProgramRun run = Run({ascii_log_, Path("out.dat"), binary_instrument_});
  EXPECT_EQ(run.exit_code, 3);
  EXPECT_NE(run.err.find("NMBP0417 not found."), std::string::npos) << run.err;
}

struct FailureCase {
  const char* name;
  std::string log;
  std::string output;
  std::string instrument;
  std::string reason;
};

// A folder in which no file can be created. Permission bits do not stop
// root, so root gets sysfs, which refuses new files to everybody.
std::string ReadOnlyFolder() {
  static apptest::TempFolder folder;
  if (::geteuid() == 0) return "/sys";
  ::chmod(folder.path().c_str(), 0555);
  return folder.path();
}

TEST_F(UnattendedConversion, FailuresEndWithStatusOneAndTheReasonOnStderr) {
  apptest::WriteFile(Path("broken.tdf"), "INSTRUMENT NMBP '' 5 AS 0 NONE\n");
  apptest::WriteFile(Path("bad-line.tdf"), "INSTRUMENT NMBP x\n");
  apptest::WriteFile(Path("not-a-folder"), "x");
  const std::vector<FailureCase> cases = {
      {"definition with errors", binary_log_, Path("a.dat"), Path("broken.tdf"), "An error occured reading the instrument"},
      // The file with the errors is named on the same line as the message.
      {"definition loaded with errors", binary_log_, Path("a2.dat"), Path("bad-line.tdf"),
       "briven: Errors found in the following Calibration\\Telemetry Definition File: \"" + Path("bad-line.tdf") +
           "\"\n"},
      {"read-only output folder", binary_log_, ReadOnlyFolder() + "/d.dat", binary_instrument_,
       "An error occured opening the output file. The file could not be accessed."},
      {"missing log", Path("missing.raw"), Path("b.dat"), binary_instrument_,
       "An error occured opening the log file. The file could not be found."},
      {"output folder cannot hold files", binary_log_, Path("not-a-folder/c.dat"), binary_instrument_,
       "An error occured opening the output file."},
  };
  for (const FailureCase& c : cases) {
    const apptest::ProgramRun run = Run({c.log, c.output, c.instrument});
    EXPECT_EQ(run.exit_code, 1) << c.name;
    EXPECT_NE(run.err.find(c.reason), std::string::npos) << c.name << ": " << run.err;
    EXPECT_NE(run.err.find("Conversion aborted."), std::string::npos) << c.name;
    EXPECT_EQ(run.err.find("briven: Conversion aborted.\nbriven: Conversion aborted.\n"), std::string::npos)
        << c.name << ": " << run.err;
    EXPECT_FALSE(Exists(c.output)) << c.name;
  }
}

TEST_F(UnattendedConversion, AnOutputTheDiskRefusesKeepsWholeRowsAndTheSummaryCountsThem) {
  const apptest::ProgramRun whole = Run({binary_log_, Path("whole.dat"), binary_instrument_});
  ASSERT_EQ(whole.exit_code, 0) << whole.err;
  const std::string all_rows = apptest::ReadFile(Path("whole.dat"));
  apptest::ProgramOptions options;
  options.file_size_limit = 4096;
  ASSERT_GT(all_rows.size(), 2u * options.file_size_limit);
  const apptest::ProgramRun run = Run({binary_log_, Path("cut.dat"), binary_instrument_}, options);
  EXPECT_EQ(run.exit_code, 1) << run.err;
  EXPECT_NE(run.err.find("briven: An error occured writing to the output file. The disk is full.\n"), std::string::npos)
      << run.err;
  const std::string key = "briven: Conversion aborted. Frames processed: ";
  const std::size_t at = run.err.find(key);
  ASSERT_NE(at, std::string::npos) << run.err;
  // What is left is the start of the full output, ending with a whole row,
  // and holds exactly the frames the summary counts.
  const std::string rows = apptest::ReadFile(Path("cut.dat"));
  ASSERT_GT(rows.size(), kBinaryColumns.size());
  EXPECT_LE(rows.size(), static_cast<std::size_t>(options.file_size_limit));
  EXPECT_EQ(rows.substr(rows.size() - 2), "\r\n");
  EXPECT_EQ(all_rows.compare(0, rows.size(), rows), 0);
  EXPECT_EQ(CountLines(rows), 1u + std::stoul(run.err.substr(at + key.size())));
}

TEST_F(UnattendedConversion, OutputThatIsAnInputIsRefusedAndTheInputKept) {
  std::filesystem::copy_file(binary_log_, Path("cast.raw"));
  std::filesystem::copy_file(binary_instrument_, Path("ctd.tdf"));
  std::filesystem::create_hard_link(Path("cast.raw"), Path("hard-link.dat"));
  std::filesystem::create_symlink(Path("cast.raw"), Path("log-link.dat"));
  std::filesystem::create_symlink(Path("ctd.tdf"), Path("instrument-link.dat"));
  const std::string log_before = apptest::ReadFile(Path("cast.raw"));
  const std::string instrument_before = apptest::ReadFile(Path("ctd.tdf"));
  for (const char* output : {"cast.raw", "hard-link.dat", "log-link.dat", "instrument-link.dat", "ctd.tdf"}) {
    const apptest::ProgramRun run = Run({Path("cast.raw"), Path(output), Path("ctd.tdf"), "-ow=yes"});
    EXPECT_EQ(run.exit_code, 1) << output;
    EXPECT_NE(run.err.find("An error occured opening the output file. A sharing violation occured"), std::string::npos)
        << output << ": " << run.err;
    EXPECT_EQ(apptest::ReadFile(Path("cast.raw")), log_before) << output;
    EXPECT_EQ(apptest::ReadFile(Path("ctd.tdf")), instrument_before) << output;
  }
  // A conversion log named like an input is not kept; the conversion runs.
  for (const char* log : {"hard-link.dat", "instrument-link.dat"}) {
    const apptest::ProgramRun run =
        Run({Path("cast.raw"), Path("out.dat"), Path("ctd.tdf"), "-ow=yes", "-cl=" + Path(log)});
    EXPECT_EQ(run.exit_code, 0) << log << ": " << run.err;
    EXPECT_EQ(apptest::ReadFile(Path("cast.raw")), log_before) << log;
    EXPECT_EQ(apptest::ReadFile(Path("ctd.tdf")), instrument_before) << log;
  }
}

struct SignalCase {
  int signal;
  int exit_code;
};

TEST_F(UnattendedConversion, SignalsStopTheConversionWithTheAbortedSummary) {
  const std::string big_log = Path("big.raw");
  // Large enough that a run stopped within a few progress ticks has done
  // well under half of it, however fast the conversion is.
  const std::string command = std::string("'") + BRIVEN_GENERATE_LOG + "' fixed 160 '" + big_log + "' >/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  for (const SignalCase& c : {SignalCase{SIGINT, 130}, SignalCase{SIGTERM, 143}}) {
    const std::string output = Path("big" + std::to_string(c.signal) + ".dat");
    const std::string log = Path("run" + std::to_string(c.signal) + ".log");
    apptest::ProgramOptions options;
    options.signal = c.signal;
    options.signal_after_ms = 100;
    options.signal_when_exists = output;
    const apptest::ProgramRun run = Run({big_log, output, binary_instrument_, "-cl=" + log}, options);
    EXPECT_EQ(run.exit_code, c.exit_code) << run.err;
    EXPECT_NE(run.err.find("briven: Conversion aborted."), std::string::npos) << run.err;
    const std::string log_text = apptest::ReadFile(log);
    EXPECT_NE(log_text.find("Conversion aborted."), std::string::npos) << log_text;
    // Closed whole: every row that was written ends its line.
    const std::string rows = apptest::ReadFile(output);
    ASSERT_GT(rows.size(), kBinaryColumns.size());
    EXPECT_EQ(rows.substr(rows.size() - 2), "\r\n");
    EXPECT_LT(CountLines(rows), 7626007u / 2);
    // Every frame the summary counts is in the output, none half written.
    const std::string key = "Conversion aborted.\r\n\tFrames processed: ";
    const std::size_t at = log_text.find(key);
    ASSERT_NE(at, std::string::npos) << log_text;
    EXPECT_EQ(CountLines(rows), 1u + std::stoul(log_text.substr(at + key.size())));
  }
}

}  // namespace
